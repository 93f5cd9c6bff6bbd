#include "support/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace lumetta {

namespace {

std::string failure(const std::string& path, int error) {
  return "cannot write " + path + ": " + std::strerror(error);
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view contents) {
  // A fresh name, created exclusively, so that two writers never share one.
  std::random_device random;
  std::string temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temporary = path + ".tmp" + std::to_string(random() % 1000000);
    file = std::fopen(temporary.c_str(), "wbx");
    if (!file && errno != EEXIST) break;
  }
  if (!file) return failure(path, errno);

  bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                 std::fflush(file) == 0;
  int error = written ? 0 : errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    std::remove(temporary.c_str());
    return failure(path, error);
  }
  return std::nullopt;
}

}  // namespace lumetta
