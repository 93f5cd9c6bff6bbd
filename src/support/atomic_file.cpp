#include "support/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "support/file_kind.h"

namespace lumetta {

namespace {

Error failure(const std::string& path) {
  return Error{"cannot write " + path + ": " + std::strerror(errno)};
}

bool writeAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

Expected<StagedFile> StagedFile::stage(const std::string& path, std::string_view contents) {
  // A device, a FIFO or a folder under the name is never replaced by a file.
  if (auto replaceable = mayReplace(path); !replaceable) {
    return Error{"cannot write " + path + ": " + replaceable.error().message};
  }
  // A fresh name, created exclusively, so that two writers never share one.
  std::string name = path + ".tmp-XXXXXX";
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int fd = ::mkstemp(buffer.data());
  if (fd < 0) return failure(path);
  name = buffer.data();
  // The new file keeps the old one's permissions (a link's are no file's).
  struct stat old {};
  bool ok = ::lstat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode) ||
            ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && writeAll(fd, contents) && ::fsync(fd) == 0;
  std::optional<Error> error;
  if (!ok) error = failure(path);
  if (::close(fd) != 0 && ok) error = failure(path);
  if (error) {
    ::unlink(name.c_str());
    return *std::move(error);
  }
  return StagedFile(path, std::move(name));
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : path_(std::move(other.path_)), temporary_(std::move(other.temporary_)) {
  other.temporary_.clear();
}

StagedFile::~StagedFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

Expected<void> StagedFile::commit() {
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) return failure(path_);
  temporary_.clear();
  // The rename itself reaches the disk with the folder. Should this fail, the
  // file is still whole: the old one or the new one.
  const int directory = ::open(directoryOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return {};
}

Expected<void> writeFileAtomically(const std::string& path, std::string_view contents) {
  auto staged = StagedFile::stage(path, contents);
  if (!staged) return staged.error();
  return staged->commit();
}

}  // namespace lumetta
