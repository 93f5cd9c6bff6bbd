// The files a run was asked to write, checked before anything runs: a
// recording or a picture may replace a regular file or a symbolic link, never
// a device, a FIFO or a folder (support/file_kind.h).
#pragma once

#include "app/command_line.h"
#include "support/expected.h"

namespace lumetta {

// Nothing when every output may be written, or the one-line refusal ("cannot
// write out.json: a FIFO, not a regular file").
Expected<void> checkOutputs(const CommandLine& command);

}  // namespace lumetta
