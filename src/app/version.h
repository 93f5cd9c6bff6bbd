// `lumetta --version`: the program's version, which is the project's version
// as the build passes it in (LUMETTA_VERSION) and so the same as the
// application bundle's short version.
#pragma once

#include <ostream>

namespace lumetta {

// Prints "lumetta VERSION" on `out`. The exit status: 0, or 2 after a line on
// `err` when the line could not be written (a full disk, a closed pipe).
int printVersion(std::ostream& out, std::ostream& err);

}  // namespace lumetta
