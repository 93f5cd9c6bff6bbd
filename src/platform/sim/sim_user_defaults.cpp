#include "platform/sim/sim_user_defaults.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/sim/defaults_json.h"
#include "platform/sim/json_path.h"
#include "support/atomic_file.h"

namespace lumetta::sim {

namespace {

// Larger than any settings file this program writes by far.
constexpr off_t kLargestFile = 1 << 20;

}  // namespace

std::variant<DefaultsFile, LoadError> readDefaultsFile(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    const std::string reason = std::strerror(errno);
    struct stat directory;
    if (errno == ENOENT && ::stat(directoryOf(path).c_str(), &directory) == 0 &&
        S_ISDIR(directory.st_mode)) {
      return DefaultsFile{path, std::nullopt};
    }
    return LoadError{path + ": cannot be read (" + reason + ")"};
  }
  // Checked before opening: a FIFO or a device could block or never end.
  if (!S_ISREG(info.st_mode)) return LoadError{path + ": cannot be read (not a regular file)"};
  if (info.st_size > kLargestFile) return LoadError{path + ": cannot be read (larger than 1 MiB)"};
  std::ifstream file(path, std::ios::binary);
  if (!file) return LoadError{path + ": cannot be read (" + std::strerror(errno) + ")"};
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) return LoadError{path + ": cannot be read"};
  const std::string text = contents.str();
  nlohmann::ordered_json root;
  try {
    root = nlohmann::ordered_json::parse(text);
  } catch (const nlohmann::ordered_json::parse_error& error) {
    return LoadError{path + ": $: expected valid JSON (syntax error at " +
                     lineAndColumn(text, error.byte) + ")"};
  } catch (const nlohmann::ordered_json::exception&) {  // a number beyond the 64-bit range
    return LoadError{path + ": $: expected valid JSON (a number out of range)"};
  }
  auto values = defaultsFromJson(root, "$");
  if (auto* fault = std::get_if<JsonFault>(&values)) {
    return LoadError{path + ": " + fault->path + ": " + fault->expected};
  }
  return DefaultsFile{path, std::get<DefaultsDictionary>(std::move(values))};
}

void SimUserDefaults::keepIn(DefaultsFile file,
                             std::function<void(const std::string&)> onWriteFailure) {
  std::lock_guard lock(mutex_);
  if (file.values) values_ = std::move(*file.values);
  path_ = std::move(file.path);
  onWriteFailure_ = std::move(onWriteFailure);
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
  if (!path_) return;
  // Written under the lock, so the file always ends with the latest change.
  if (auto error = writeFileAtomically(*path_, defaultsJsonText(values_))) {
    if (onWriteFailure_) onWriteFailure_(*error);
  }
}

DefaultsDictionary SimUserDefaults::values() const {
  std::lock_guard lock(mutex_);
  return values_;
}

}  // namespace lumetta::sim
