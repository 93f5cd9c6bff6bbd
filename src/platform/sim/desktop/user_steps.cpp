#include "platform/sim/desktop/user_steps.h"

#include <type_traits>

#include "support/text_format.h"

namespace lumetta::sim {

std::string describe(const UserStep& step) {
  return std::visit(
      [](const auto& s) -> std::string {
        using S = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<S, OpenPopover>) {
          return "open the popover";
        } else if constexpr (std::is_same_v<S, ClosePopover>) {
          return "close the popover";
        } else if constexpr (std::is_same_v<S, Click>) {
          return "click " + quotedLiteral(s.control);
        } else if constexpr (std::is_same_v<S, Toggle>) {
          return "toggle " + quotedLiteral(s.control);
        } else if constexpr (std::is_same_v<S, SelectSegment>) {
          return "select " + quotedLiteral(s.segment) + " in " + quotedLiteral(s.control);
        } else if constexpr (std::is_same_v<S, Slide>) {
          return "slide " + quotedLiteral(s.control) + " to " + shortestNumber(s.value);
        } else {
          static_assert(std::is_same_v<S, Look>);
          return "look at the popover";
        }
      },
      step);
}

}  // namespace lumetta::sim
