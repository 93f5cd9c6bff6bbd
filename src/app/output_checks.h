// The files a run was asked to write, checked before anything runs: a
// recording or a picture may replace a regular file or a symbolic link, never
// a device, a FIFO or a folder (support/file_kind.h).
#pragma once

#include <optional>
#include <string>

#include "app/command_line.h"

namespace lumetta {

// The one-line refusal ("cannot write out.json: a FIFO, not a regular file"),
// or nothing when every output may be written.
std::optional<std::string> refusedOutput(const CommandLine& command);

}  // namespace lumetta
