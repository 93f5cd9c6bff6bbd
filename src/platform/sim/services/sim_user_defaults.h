// The user defaults of the simulated desktop: in memory, starting from the
// desktop file's "defaults", or kept in a settings file (lumetta --defaults
// FILE) that is read at start and replaced whole and atomically when its
// contents change, at most once per turn of the main queue and once more
// when the defaults are released, as the platform's own defaults coalesce
// their writes. Safe to use from any thread.
// Implements: presence, typed reads and writes, storing text (as another
// program might). Ignores: other domains, registered defaults, changes made
// to the file by others while running (it is read once).
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/run_loop.h"
#include "platform/sim/desktop/desktop_json.h"
#include "platform/sim/desktop/desktop_loader.h"
#include "platform/sim/desktop/desktop_model.h"
#include "platform/user_defaults.h"

namespace lumetta::sim {

// A settings file as read at start.
struct DefaultsFile {
  // Where it is written: the file named, or the target of the symbolic link
  // named, as an editor writes through a link.
  std::string path;
  // None when the file does not exist yet: it is created on the first change.
  std::optional<DefaultsDictionary> values;
};

// A file that exists but cannot be read, or is not a JSON object of defaults,
// is an error naming the file; it is never written then. The file has the
// limits of a desktop file, but at most kMaxSettingsFileBytes: a regular file,
// no NUL byte, bounded nesting, numbers a double holds.
Expected<DefaultsFile> readDefaultsFile(const std::string& path);
// The defaults a settings file's text holds, or the first problem of the text.
std::variant<DefaultsDictionary, JsonProblem> parseDefaults(std::string_view text);

class SimUserDefaults final : public UserDefaults {
 public:
  explicit SimUserDefaults(DefaultsDictionary values) : values_(std::move(values)) {}
  // Writes what has not reached the file yet.
  ~SimUserDefaults() override;
  SimUserDefaults(const SimUserDefaults&) = delete;
  SimUserDefaults& operator=(const SimUserDefaults&) = delete;

  // From now on the defaults live in `file` too: its values, when it exists,
  // replace the ones in memory. A change asks `runLoop`'s main queue for one
  // write at its next turn, which replaces the file only when its contents
  // differ from what it holds (so a file that does not exist yet is created
  // by the first real change, not by storing what is there already). A text
  // larger than a settings file may be is not written, so every file written
  // reads back. The first failed write is reported to `onWriteFailure`
  // (which must not use these defaults), later ones are not; the changes
  // stay in memory, the file keeps its last complete contents, and each later
  // change tries again.
  void keepIn(DefaultsFile file, RunLoop& runLoop,
              std::function<void(const std::string&)> onWriteFailure);
  // Writes the file now if its contents changed; what the main queue does.
  void flush();

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

  struct KeptFile {
    std::string path;
    std::string contents;  // the text of what it holds, or would hold when not created yet
    RunLoop* runLoop = nullptr;
    bool flushPosted = false;
    bool failureReported = false;
    std::function<void(const std::string&)> onWriteFailure;
  };

  mutable std::mutex mutex_;
  DefaultsDictionary values_;
  std::optional<KeptFile> file_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lumetta::sim
