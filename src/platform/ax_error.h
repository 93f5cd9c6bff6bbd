// Accessibility error codes: 0 is success, the documented failures run from
// -25200 to -25214. Reported as raw decimal integers wherever they surface.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumetta {

using AXError = std::int32_t;

namespace axerr {
inline constexpr AXError success = 0;
inline constexpr AXError failure = -25200;
inline constexpr AXError illegalArgument = -25201;
inline constexpr AXError invalidUIElement = -25202;
inline constexpr AXError invalidUIElementObserver = -25203;
inline constexpr AXError cannotComplete = -25204;
inline constexpr AXError attributeUnsupported = -25205;
inline constexpr AXError actionUnsupported = -25206;
inline constexpr AXError notificationUnsupported = -25207;
inline constexpr AXError notImplemented = -25208;
inline constexpr AXError notificationAlreadyRegistered = -25209;
inline constexpr AXError notificationNotRegistered = -25210;
inline constexpr AXError apiDisabled = -25211;
inline constexpr AXError noValue = -25212;
inline constexpr AXError parameterizedAttributeUnsupported = -25213;
inline constexpr AXError notEnoughPrecision = -25214;
}  // namespace axerr

// The documented constant name ("kAXErrorNoValue"), or "kAXErrorUnknown".
std::string_view axErrorName(AXError code);

}  // namespace lumetta
