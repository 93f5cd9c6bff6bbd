// Live heap bytes of the benchmark process: the global allocation functions
// are replaced in this binary and count what they hand out and take back (by
// the allocator's usable size, so both sides agree). The soaks read it at two
// points of a run; the difference is what the run kept.
#pragma once

#include <cstddef>

namespace lumetta::bench {

std::ptrdiff_t liveHeapBytes();

}  // namespace lumetta::bench
