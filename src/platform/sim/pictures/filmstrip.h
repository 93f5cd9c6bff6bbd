// `--screenshots DIR`: one picture of the screen after each step of the
// scripted user, numbered in order and named after the step
// (DIR/01-open-the-popover.png, DIR/02-click-gpt.png), so that a scripted
// session reads as a filmstrip.
//
// Implements: checking the folder, naming and numbering the pictures.
// Ignores: pictures already in the folder: a file of the same name is
// replaced.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "support/expected.h"

namespace lumetta::sim {

class Filmstrip {
 public:
  // A folder that exists and can be written; the reason otherwise
  // ("shots: not a directory").
  static Expected<Filmstrip> open(const std::string& folder);

  // The next picture's path for a step described so ("click \"GPT\"").
  std::string nextPath(const std::string& step);

 private:
  explicit Filmstrip(std::string folder) : folder_(std::move(folder)) {}

  std::string folder_;
  int taken_ = 0;
};

// A file name's part for a step: lower-case letters and digits, words joined
// by "-", at most 40 characters ("click-copy-diagnostics").
std::string stepSlug(const std::string& step);

}  // namespace lumetta::sim
