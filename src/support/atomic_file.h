// Replacing a file's contents so that a failure or a crash at any moment
// leaves either the whole old file or the whole new one: the new contents go
// to a fresh temporary file beside it, reach the disk, and only then are
// renamed over it (and the rename is flushed with the folder). What is
// replaced is the name itself: a symbolic link there is replaced, never
// followed, and anything but a regular file or a link (a device, a FIFO, a
// folder) is refused.
#pragma once

#include <string>
#include <string_view>

#include "support/expected.h"

namespace lumetta {

class StagedFile {
 public:
  // Writes `contents` to a new temporary file beside `path` (keeping the
  // permissions of the regular file it will replace) and flushes it to the
  // disk; the error when that fails or `path` may not be replaced
  // (file_kind.h), and nothing is left behind then.
  static Expected<StagedFile> stage(const std::string& path, std::string_view contents);
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  // Removes the temporary file unless it was committed.
  ~StagedFile();

  // Renames the temporary file over the file; the error when that fails.
  Expected<void> commit();

 private:
  StagedFile(std::string path, std::string temporary)
      : path_(std::move(path)), temporary_(std::move(temporary)) {}

  std::string path_;
  std::string temporary_;  // empty once committed or moved from
};

// The folder a path names a file in: "." for a bare name.
std::string directoryOf(const std::string& path);

// Stages and commits. Nothing on success; otherwise why the file could not be
// written ("cannot write out.json: No such file or directory"); the
// destination is then as it was, and no temporary file is left behind.
Expected<void> writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace lumetta
