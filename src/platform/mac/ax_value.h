// What the Accessibility API returns, as the seam's values.
//
// Implements: every value type the seam names; anything else becomes Other
// with the system's description.
// Ignores: nothing.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include "platform/value.h"

namespace lumetta::mac {

// Text, numbers, truth values, elements, arrays, boxed geometry, URLs and the
// null object convert; anything else is `Other` with the system's description.
// Elements in the value carry `timeout`.
Value valueOf(CFTypeRef value, float timeout);

}  // namespace lumetta::mac
