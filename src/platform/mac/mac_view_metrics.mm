// Implements: text measured with the role's font by NSAttributedString's
// line-fragment layout, as a label lays it out (wrapped to a width when one is
// given); controls measured as configured AppKit controls report their
// intrinsic size.
// Ignores: the tab role's weight (its selected, wider weight is measured).
#include "platform/mac/mac_view_metrics.h"

#import <AppKit/AppKit.h>

#include <algorithm>
#include <cmath>

#include "platform/mac/cf_string.h"
#include "platform/mac/mac_view_nodes.h"
#include "platform/mac/mac_view_style.h"

namespace lumetta::mac {

Size MacViewMetrics::textSize(const std::string& text, FontRole font, bool monospacedDigits,
                              std::optional<double> maxWidth) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSAttributedString* string = [[NSAttributedString alloc]
        initWithString:nsString(text)
            attributes:@{NSFontAttributeName : roleFont(font, monospacedDigits, true)}];
    const CGFloat width =
        maxWidth ? std::max<CGFloat>(0, *maxWidth - 2 * kLabelPadding) : CGFLOAT_MAX;
    const NSRect bounds = [string boundingRectWithSize:NSMakeSize(width, CGFLOAT_MAX)
                                               options:static_cast<NSStringDrawingOptions>(
                                                           NSStringDrawingUsesLineFragmentOrigin |
                                                           NSStringDrawingUsesFontLeading)];
    return {std::ceil(NSWidth(bounds)) + 2 * kLabelPadding, std::ceil(NSHeight(bounds))};
  }
}

Size MacViewMetrics::controlSize(const ViewNode& node) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    return naturalSize(node);
  }
}

}  // namespace lumetta::mac
