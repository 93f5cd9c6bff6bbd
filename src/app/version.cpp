#include "app/version.h"

#include "support/output.h"

#ifndef LUMETTA_VERSION
#error "the build defines LUMETTA_VERSION as the project's version"
#endif

namespace lumetta {

int printVersion(std::ostream& out, std::ostream& err) {
  printLine(out, "lumetta " LUMETTA_VERSION);
  if (delivered(out)) return 0;
  printLine(err, "lumetta: standard output: cannot be written");
  return 2;
}

}  // namespace lumetta
