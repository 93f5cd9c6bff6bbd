#include "platform/sim/services/sim_user_defaults.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/sim/desktop/defaults_json.h"
#include "platform/sim/desktop/desktop_json.h"
#include "support/atomic_file.h"
#include "support/file_kind.h"

namespace lumetta::sim {

std::variant<DefaultsDictionary, JsonProblem> parseDefaults(std::string_view text) {
  auto parsed = parseJson(text);
  if (auto* problem = std::get_if<JsonProblem>(&parsed)) return *problem;
  auto values = defaultsFromJson(std::get<Json>(parsed), "$");
  if (auto* fault = std::get_if<JsonFault>(&values)) {
    return JsonProblem{fault->path + ": " + fault->expected};
  }
  return std::get<DefaultsDictionary>(std::move(values));
}

Expected<DefaultsFile> readDefaultsFile(const std::string& path) {
  // Through a symbolic link, the file written is its target, as an editor
  // writes it: the link stays, and so does whatever else names the target.
  auto followed = followLinks(path);
  if (!followed) return Error{path + ": cannot be read (" + followed.error().message + ")"};
  const std::string target = followed->path;
  // A file missing from a folder that exists is one not written yet.
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0 && errno == ENOENT) {
    struct stat folder {};
    if (::stat(directoryOf(target).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode)) {
      return DefaultsFile{target, std::nullopt};
    }
  }
  auto text = readJsonFile(target, "a settings file", kMaxSettingsFileBytes);
  if (auto* problem = std::get_if<JsonProblem>(&text)) {
    return Error{path + ": " + problem->text};
  }
  auto values = parseDefaults(std::get<std::string>(text));
  if (auto* problem = std::get_if<JsonProblem>(&values)) {
    return Error{path + ": " + problem->text};
  }
  return DefaultsFile{target, std::get<DefaultsDictionary>(std::move(values))};
}

SimUserDefaults::~SimUserDefaults() {
  *alive_ = false;
  flush();
}

void SimUserDefaults::keepIn(DefaultsFile file, RunLoop& runLoop,
                             std::function<void(const std::string&)> onWriteFailure) {
  std::lock_guard lock(mutex_);
  if (file.values) values_ = std::move(*file.values);
  file_ = KeptFile{std::move(file.path),     defaultsJsonText(values_), &runLoop, false, false,
                   std::move(onWriteFailure)};
}

void SimUserDefaults::flush() {
  std::lock_guard lock(mutex_);
  if (!file_) return;
  file_->flushPosted = false;
  std::string text = defaultsJsonText(values_);
  if (text == file_->contents) return;
  // Written under the lock, so the file always ends with the latest change.
  Expected<void> written;
  if (text.size() > kMaxSettingsFileBytes) {
    written = Error{"cannot write " + file_->path + ": the settings take " +
                    std::to_string(text.size()) + " bytes, more than a settings file may hold (" +
                    std::to_string(kMaxSettingsFileBytes) + ")"};
  } else {
    written = writeFileAtomically(file_->path, text);
  }
  if (written) {
    file_->contents = std::move(text);
  } else if (!file_->failureReported) {
    file_->failureReported = true;
    if (file_->onWriteFailure) file_->onWriteFailure(written.error().message);
  }
}

std::optional<DefaultsValue> SimUserDefaults::find(std::string_view key) const {
  std::lock_guard lock(mutex_);
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool SimUserDefaults::hasObject(std::string_view key) { return find(key).has_value(); }

std::optional<bool> SimUserDefaults::boolValue(std::string_view key) {
  auto value = find(key);
  if (!value) return std::nullopt;
  if (auto* b = std::get_if<bool>(&*value)) return *b;
  if (auto* d = std::get_if<double>(&*value)) return *d != 0;
  return std::nullopt;
}

std::optional<double> SimUserDefaults::doubleValue(std::string_view key) {
  auto value = find(key);
  if (auto* d = value ? std::get_if<double>(&*value) : nullptr) return *d;
  return std::nullopt;
}

std::optional<Data> SimUserDefaults::dataValue(std::string_view key) {
  auto value = find(key);
  if (auto* data = value ? std::get_if<Data>(&*value) : nullptr) return std::move(*data);
  return std::nullopt;
}

void SimUserDefaults::store(std::string_view key, DefaultsValue value) {
  std::lock_guard lock(mutex_);
  values_[std::string(key)] = std::move(value);
  if (!file_ || file_->flushPosted) return;
  file_->flushPosted = true;
  file_->runLoop->post([this, alive = alive_] {
    if (*alive) flush();
  });
}

DefaultsDictionary SimUserDefaults::values() const {
  std::lock_guard lock(mutex_);
  return values_;
}

}  // namespace lumetta::sim
