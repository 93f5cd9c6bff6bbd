// The overlay drawing's built-in check suites, run by --self-test: each case
// prints one PASS or FAIL line; true when every case passed.
#pragma once

#include <iosfwd>

#include "platform/panels.h"

namespace lumetta {

// The passive panel's configuration, one line.
bool panelSelfTest(std::ostream& out, Panels& panels);
// The colour layer's rounded corners in both styles, three widths and two scales.
bool overlayCornerSelfTest(std::ostream& out, Panels& panels);
// The gray-chrome weight and edge mask.
bool grayTintSelfTest(std::ostream& out);

}  // namespace lumetta
