// The limits of the JSON files Lumetta reads, shared by the simulated
// desktop's loader and by the recorder, whose files must load
// (docs/desktop-format.md#limits).
#pragma once

#include <cstddef>

#include "platform/time.h"

namespace lumetta {

// The largest desktop file read, in bytes: what the largest recordings need.
// A recording of a 50,000-element chat window is 0.9 MB, one of the 200,000
// elements a recording reads at most 8.7 MB; the loader is linear, and takes
// about a second and 25 bytes of memory per byte of such a file.
inline constexpr std::size_t kMaxDesktopFileBytes = 16 * 1024 * 1024;
// The largest settings file read (and written), in bytes: ten settings need
// a few hundred.
inline constexpr std::size_t kMaxSettingsFileBytes = 1024 * 1024;
// The latest time of a timeline event. Under virtual time a run simulates
// every moment up to its last event (sixty geometry passes a second while
// windows are tracked): an hour takes a few seconds.
inline constexpr Duration kLatestTimelineEvent = Duration::seconds(3600);

}  // namespace lumetta
