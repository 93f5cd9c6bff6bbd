// The user defaults of the simulated desktop: in memory, starting from the
// desktop file's "defaults", or kept in a settings file (lumetta --defaults
// FILE) that is read at start and replaced whole and atomically on every
// change. Safe to use from any thread.
// Implements: presence, typed reads and writes, storing text (as another
// program might). Ignores: other domains, registered defaults, changes made
// to the file by others while running (it is read once).
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/sim/desktop_json.h"
#include "platform/sim/desktop_loader.h"
#include "platform/sim/desktop_model.h"
#include "platform/user_defaults.h"

namespace lumetta::sim {

// A settings file as read at start.
struct DefaultsFile {
  std::string path;
  // None when the file does not exist yet: it is created on the first change.
  std::optional<DefaultsDictionary> values;
};

// A file that exists but cannot be read, or is not a JSON object of defaults,
// is an error naming the file; it is never written then. The file has the
// limits of a desktop file: a regular file of at most 1 MiB, no NUL byte,
// bounded nesting, numbers a double holds.
std::variant<DefaultsFile, LoadError> readDefaultsFile(const std::string& path);
// The defaults a settings file's text holds, or the first problem of the text.
std::variant<DefaultsDictionary, JsonProblem> parseDefaults(std::string_view text);

class SimUserDefaults final : public UserDefaults {
 public:
  explicit SimUserDefaults(DefaultsDictionary values) : values_(std::move(values)) {}

  // From now on the defaults live in `file` too: its values, when it exists,
  // replace the ones in memory, and every change rewrites it. A failed write
  // is reported to `onWriteFailure` (which must not use these defaults); the
  // change stays in memory and the file keeps its last complete contents.
  void keepIn(DefaultsFile file, std::function<void(const std::string&)> onWriteFailure);

  bool hasObject(std::string_view key) override;
  std::optional<bool> boolValue(std::string_view key) override;
  std::optional<double> doubleValue(std::string_view key) override;
  std::optional<Data> dataValue(std::string_view key) override;
  void setBool(std::string_view key, bool value) override { store(key, value); }
  void setDouble(std::string_view key, double value) override { store(key, value); }
  void setData(std::string_view key, const Data& value) override { store(key, value); }

  // Stores a value of any type, as another program writing the defaults might.
  void store(std::string_view key, DefaultsValue value);
  DefaultsDictionary values() const;

 private:
  std::optional<DefaultsValue> find(std::string_view key) const;

  mutable std::mutex mutex_;
  DefaultsDictionary values_;
  std::optional<std::string> path_;
  std::function<void(const std::string&)> onWriteFailure_;
};

}  // namespace lumetta::sim
