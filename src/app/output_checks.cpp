#include "app/output_checks.h"

#include "support/file_kind.h"

namespace lumetta {

std::optional<std::string> refusedOutput(const CommandLine& command) {
  for (const auto* path : {&command.recordPath, &command.screenshotPath}) {
    if (!*path) continue;
    if (auto refused = cannotReplace(**path)) return "cannot write " + **path + ": " + *refused;
  }
  return std::nullopt;
}

}  // namespace lumetta
