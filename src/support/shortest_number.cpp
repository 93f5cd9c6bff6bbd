// The shortest text that reads back as the same double, written as
// std::to_chars(first, last, value) writes it, with the C library's correctly
// rounded printf and strtod: Apple's libc++ formats floating-point numbers with
// to_chars only from macOS 13.3 on, and the application runs on 13.0.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/text_format.h"

namespace lumetta {

namespace {

// A positive decimal: digits[0].digits[1...] times ten to the exponent.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// `value` (positive, finite) correctly rounded to `precision` significant digits.
Decimal rounded(double value, int precision) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
  Decimal decimal;
  const char* c = buffer;
  for (; *c != 'e'; ++c) {
    if (*c != '.') decimal.digits += *c;
  }
  decimal.exponent = std::atoi(c + 1);
  return decimal;
}

double valueOf(const Decimal& decimal) {
  const int scale = decimal.exponent - static_cast<int>(decimal.digits.size()) + 1;
  return std::strtod((decimal.digits + "e" + std::to_string(scale)).c_str(), nullptr);
}

// The decimal with as many digits next above (`up`) or below.
Decimal neighbour(Decimal decimal, bool up) {
  std::string& digits = decimal.digits;
  const char wrap = up ? '9' : '0';
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == wrap) digits[--i] = up ? '0' : '9';
  if (i == 0) {  // 9.99 up: 1.00 at the next exponent
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++decimal.exponent;
  } else {
    digits[i - 1] = static_cast<char>(digits[i - 1] + (up ? 1 : -1));
    if (digits.front() == '0') {  // 1.00 down: 9.999 at the exponent below
      digits.erase(digits.begin());
      digits.push_back('9');
      --decimal.exponent;
    }
  }
  return decimal;
}

// The fewest significant digits that read back as `value`; of those, the
// nearest to it. That is the nearest decimal of its length, except at a power
// of two, where the doubles below are twice as dense as above: there the
// nearest can miss where the one beside it does not.
Decimal shortestDecimal(double value) {
  int binaryExponent = 0;
  const bool powerOfTwo = std::frexp(value, &binaryExponent) == 0.5;
  for (int precision = 1;; ++precision) {
    const Decimal nearest = rounded(value, precision);
    std::vector<Decimal> candidates = {nearest};
    if (powerOfTwo)
      candidates.insert(candidates.end(), {neighbour(nearest, true), neighbour(nearest, false)});
    for (Decimal& candidate : candidates) {
      if (valueOf(candidate) != value) continue;
      while (candidate.digits.size() > 1 && candidate.digits.back() == '0')
        candidate.digits.pop_back();
      return candidate;
    }
  }
}

}  // namespace

std::string shortestNumber(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (value == 0) return sign + "0";

  const Decimal decimal = shortestDecimal(std::fabs(value));
  const std::string& digits = decimal.digits;
  const int count = static_cast<int>(digits.size());
  const int exponent = decimal.exponent;
  // Plain notation when it is no longer than scientific notation.
  const int scientificLength = count + (count > 1 ? 1 : 0) + (std::abs(exponent) >= 100 ? 5 : 4);
  const int plainLength = exponent < 0            ? count + 1 - exponent
                          : exponent >= count - 1 ? exponent + 1
                                                  : count + 1;
  if (plainLength <= scientificLength) {
    if (exponent < 0) return sign + "0." + std::string(-exponent - 1, '0') + digits;
    if (exponent < count - 1) {
      return sign + digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    // A whole number prints exactly, as the double is.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
  }
  char power[16];
  std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return sign + digits.front() + (count > 1 ? "." + digits.substr(1) : "") + power;
}

}  // namespace lumetta
