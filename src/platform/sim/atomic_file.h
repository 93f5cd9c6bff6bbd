// Replacing a file's contents so that a crash at any moment leaves either the
// whole old file or the whole new one: the new contents go to a temporary
// file beside it, reach the disk, and only then are renamed over it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace lumetta::sim {

class StagedFile {
 public:
  // Writes `contents` to a new temporary file beside `path` and flushes it to
  // the disk; the error text when that fails (nothing is left behind then).
  static std::variant<StagedFile, std::string> stage(const std::string& path,
                                                     std::string_view contents);
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  // Removes the temporary file unless it was committed.
  ~StagedFile();

  // Renames the temporary file over the file; the error text when that fails.
  std::optional<std::string> commit();

 private:
  StagedFile(std::string path, std::string temporary)
      : path_(std::move(path)), temporary_(std::move(temporary)) {}

  std::string path_;
  std::string temporary_;  // empty once committed or moved from
};

// The folder a path names a file in: "." for a bare name.
std::string directoryOf(const std::string& path);

// Stages and commits; the error text when either fails.
std::optional<std::string> replaceFile(const std::string& path, std::string_view contents);

}  // namespace lumetta::sim
