// What a path names when it is not a regular file, in the words of the
// one-line refusals ("a FIFO, not a regular file"): files Lumetta reads are
// refused so before they are opened, files it replaces before anything runs.
#pragma once

#include <sys/types.h>

#include <string>

#include "support/expected.h"

namespace lumetta {

// "a directory", "a FIFO", "a character device", ... for a mode from stat.
std::string fileKind(mode_t mode);

// Whether a file Lumetta writes may replace what `path` names now: a regular
// file or a symbolic link (a link is replaced itself, never followed), a free
// name, or one that cannot be looked at (writing it will say why). Anything
// else is refused: "a FIFO, not a regular file".
Expected<void> mayReplace(const std::string& path);

// The file a path names once every symbolic link in the last place is
// followed (a relative link from the folder it lies in): the path itself when
// it is no link, the last link's target when that does not exist yet.
struct LinkTarget {
  std::string path;
};
// The target, or why the links cannot be followed ("Too many levels of
// symbolic links").
Expected<LinkTarget> followLinks(const std::string& path);

}  // namespace lumetta
