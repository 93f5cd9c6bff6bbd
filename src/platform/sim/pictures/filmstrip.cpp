#include "platform/sim/pictures/filmstrip.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lumetta::sim {

Expected<Filmstrip> Filmstrip::open(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) {
    return Error{folder + ": cannot be used for pictures (" + std::strerror(errno) + ")"};
  }
  if (!S_ISDIR(status.st_mode)) return Error{folder + ": not a directory"};
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return Error{folder + ": cannot be written (" + std::strerror(errno) + ")"};
  }
  return Filmstrip(folder);
}

std::string Filmstrip::nextPath(const std::string& step) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", ++taken_);
  const std::string slug = stepSlug(step);
  std::string path = folder_;
  if (path.back() != '/') path += '/';
  return path + number + (slug.empty() ? "" : "-" + slug) + ".png";
}

std::string stepSlug(const std::string& step) {
  constexpr std::size_t kLongest = 40;
  std::string slug;
  bool gap = false;
  for (const char c : step) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    const bool capital = c >= 'A' && c <= 'Z';
    if (!letter && !capital) {
      gap = !slug.empty();
      continue;
    }
    if (gap) slug += '-';
    gap = false;
    slug += capital ? char(c - 'A' + 'a') : c;
    if (slug.size() >= kLongest) break;
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

}  // namespace lumetta::sim
