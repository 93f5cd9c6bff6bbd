#include "platform/contract_checks.h"

#include <cstdio>
#include <cstdlib>

namespace lumetta {

void contractViolated(const char* function, const char* what) {
  std::fprintf(stderr, "lumetta: %s %s\n", function, what);
  std::fflush(stderr);
  std::abort();
}

}  // namespace lumetta
