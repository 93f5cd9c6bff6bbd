#include "support/file_kind.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace lumetta {

std::string fileKind(mode_t mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "not a plain file";
}

Expected<void> mayReplace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return {};
  if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) return {};
  return Error{fileKind(info.st_mode) + ", not a regular file"};
}

Expected<LinkTarget> followLinks(const std::string& path) {
  // As many links as the system itself follows in one lookup.
  constexpr int kMostLinks = 40;
  std::string current = path;
  for (int followed = 0; followed <= kMostLinks; ++followed) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return LinkTarget{current};
    }
    std::vector<char> target(std::size_t(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0) return Error{std::strerror(errno)};
    if (std::size_t(length) == target.size()) return Error{"a link that keeps changing"};
    std::string next(target.data(), std::size_t(length));
    if (next.empty()) return Error{std::strerror(ENOENT)};
    if (next.front() != '/') {
      const auto slash = current.rfind('/');
      if (slash != std::string::npos) next = current.substr(0, slash + 1) + next;
    }
    current = std::move(next);
  }
  return Error{std::strerror(ELOOP)};
}

}  // namespace lumetta
