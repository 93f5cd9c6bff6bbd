// What a failed result says, for comparing with the expected line: a result
// that succeeded reads "(no error)", so the comparison fails and shows it.
#pragma once

#include <string>

#include "support/expected.h"

namespace lumetta::testing {

template <class T>
std::string errorText(const Expected<T>& result) {
  return result ? std::string("(no error)") : result.error().message;
}

}  // namespace lumetta::testing
