#include "support/text_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumetta {
namespace {

TEST(Iso8601, FormatsWholeSecondsInUtcAndParsesOffsets) {
  // The plain form round trips in every classify-* end-to-end case.
  EXPECT_EQ(iso8601(*parseIso8601("2025-01-31T09:15:00.999Z")), "2025-01-31T09:15:00Z");
  EXPECT_EQ(iso8601(*parseIso8601("2025-01-31T10:15:00+01:00")), "2025-01-31T09:15:00Z");
  EXPECT_EQ(iso8601(*parseIso8601("1969-12-31T23:59:59.5Z")), "1969-12-31T23:59:59Z");
  EXPECT_EQ(iso8601(*parseIso8601("2024-02-29T00:00:00Z")), "2024-02-29T00:00:00Z");
  for (const char* bad :
       {"", "2025-01-31", "2025-01-31T09:15:00", "2025-02-30T00:00:00Z", "2025-01-31T09:15:00Zjunk",
        "2025-01-31 09:15:00Z", "2025-01-31T25:00:00Z", "2571-01-31T09:15:00Z",
        "1500-01-01T00:00:00Z"}) {  // beyond a wall time's range
    EXPECT_FALSE(parseIso8601(bad)) << bad;
  }
}

// Whole numbers keep their point in the classify-* end-to-end cases' sizes;
// the shortest form without one is shortest_number_property_test.cpp's.
TEST(NumberText, DecimalNumbersAreShortestAndLargeOnesScientific) {
  EXPECT_EQ(decimalNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(decimalNumber(1e20), "1e+20");
  EXPECT_EQ(decimalNumber(INFINITY), "inf");
}

TEST(QuotedLiteral, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(quotedLiteral(""), "\"\"");
  EXPECT_EQ(quotedLiteral("a\nb\tc\x1b"), "\"a\\nb\\tc\\u{1B}\"");
  EXPECT_EQ(quotedLiteral("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
  // U+0085 and U+009F are controls too; U+00A0 and a lone C2 byte are not escaped.
  EXPECT_EQ(quotedLiteral("a\xc2\x85"
                          "b\xc2\x9f\xc2\xa0\xc2"),
            "\"a\\u{85}b\\u{9F}\xc2\xa0\xc2\"");
  // Unquoted, as a scroll text's lines are shown: quotation marks stay.
  EXPECT_EQ(escapedControls("say \"hi\"\\\x1b[31m\x07\r"), "say \"hi\"\\\\\\u{1B}[31m\\u{7}\\r");
}

}  // namespace
}  // namespace lumetta
