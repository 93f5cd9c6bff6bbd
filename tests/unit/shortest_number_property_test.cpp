// shortestNumber against the standard library's own shortest form, which it
// writes without (std::to_chars, here libstdc++'s): every power of two, the
// numbers around the switches between plain and scientific notation, short
// decimals and random bit patterns.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/text_format.h"

namespace lumetta {
namespace {

std::string reference(double value) {
  char buffer[64];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void expectSameAsReference(const std::vector<double>& values) {
  int mismatches = 0;
  for (double value : values) {
    for (double withSign : {value, -value}) {
      const std::string expected = reference(withSign);
      if (shortestNumber(withSign) == expected) continue;
      ADD_FAILURE() << std::hexfloat << withSign << ": " << shortestNumber(withSign)
                    << " instead of " << expected;
      if (++mismatches == 10) return;
    }
  }
}

TEST(ShortestNumberProperty, EveryPowerOfTwoAndItsNeighbours) {
  std::vector<double> values;
  for (int exponent = -1074; exponent <= 1023; ++exponent) {
    const double power = std::ldexp(1.0, exponent);
    values.insert(values.end(), {power, std::nextafter(power, 0.0),
                                 std::nextafter(power, std::numeric_limits<double>::infinity())});
  }
  expectSameAsReference(values);
}

TEST(ShortestNumberProperty, AroundEveryPowerOfTenAndTheSpecialValues) {
  std::vector<double> values = {0.0,
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::denorm_min(),
                                0.1 + 0.2,
                                1180591620717411303424.0};
  for (int exponent = -323; exponent <= 308; ++exponent) {
    const double power = std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr);
    double below = power, above = power;
    for (int step = 0; step < 3; ++step) {
      values.insert(values.end(), {below, above, 9.5 * power, 1.5 * power, 123456789 * power});
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, std::numeric_limits<double>::infinity());
    }
  }
  expectSameAsReference(values);
}

TEST(ShortestNumberProperty, ShortDecimalsAndRandomBitPatterns) {
  std::mt19937_64 random(20261206);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t digits = random() % 1'000'000;
    const int exponent = static_cast<int>(random() % 50) - 25;
    values.push_back(
        std::strtod((std::to_string(digits) + "e" + std::to_string(exponent)).c_str(), nullptr));
  }
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) values.push_back(std::fabs(value));
  }
  expectSameAsReference(values);
}

}  // namespace
}  // namespace lumetta
