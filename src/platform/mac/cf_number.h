// Numbers as the system keeps them: an integer stays an integer, a real a real.
//
// Implements: integers and reals of every CFNumber type.
// Ignores: nothing.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>
#include <variant>

namespace lumetta::mac {

inline std::variant<std::int64_t, double> numberOf(CFNumberRef number) {
  if (CFNumberIsFloatType(number)) {
    double real = 0;
    CFNumberGetValue(number, kCFNumberDoubleType, &real);
    return real;
  }
  std::int64_t integer = 0;
  CFNumberGetValue(number, kCFNumberSInt64Type, &integer);
  return integer;
}

}  // namespace lumetta::mac
