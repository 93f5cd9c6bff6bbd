#include "support/file_kind.h"

#include <sys/stat.h>

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

std::optional<std::string> cannotReplace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) return std::nullopt;
  return fileKind(info.st_mode) + ", not a regular file";
}

}  // namespace lumetta
