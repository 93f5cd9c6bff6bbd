// Reads and validates a desktop file. Every rule of the format is checked
// before anything runs; the first violation becomes one error line that names
// the file, the JSON path and what was expected.
//
// Implements: the desktop format (docs/desktop-format.md).
// Ignores: nothing: anything the format does not allow is an error.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/desktop/desktop_model.h"
#include "support/expected.h"

namespace lumetta::sim {

// The model, or the first violation ("desktop.json: $.apps[0].pid: expected an
// integer").
using LoadResult = Expected<DesktopModel>;

// `name` is how the file is named in error messages.
LoadResult parseDesktop(std::string_view json, std::string_view name);
// A relative `lumetta.resources` names a folder beside the file.
LoadResult loadDesktopFile(const std::string& path);

// `resources` as a path from the working directory, given relative to the
// folder of the desktop file at `desktopPath`.
std::optional<std::string> resolvedResources(const std::optional<std::string>& resources,
                                             const std::string& desktopPath);

}  // namespace lumetta::sim
