#include "app/output_checks.h"

#include "support/file_kind.h"

namespace lumetta {

Expected<void> checkOutputs(const CommandLine& command) {
  for (const auto* path : {&command.recordPath, &command.screenshotPath}) {
    if (!*path) continue;
    if (auto replaceable = mayReplace(**path); !replaceable) {
      return Error{"cannot write " + **path + ": " + replaceable.error().message};
    }
  }
  return {};
}

}  // namespace lumetta
