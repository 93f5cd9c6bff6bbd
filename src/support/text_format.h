// Small text forms shared by every report: ISO 8601 stamps, number texts and
// quoted literals. Pure functions over the standard library.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/color.h"

namespace lumetta {

// "2025-01-31T09:15:00Z": internet date and time in UTC, whole seconds.
std::string iso8601(WallTime time);
// Accepts "YYYY-MM-DDTHH:MM:SS[.fraction](Z|+HH:MM|-HH:MM)".
std::optional<WallTime> parseIso8601(std::string_view text);

// The shortest text that reads back as the same double: "800", "0.15".
std::string shortestNumber(double value);
// The same, but integral values keep a trailing ".0": "800.0", "0.15".
std::string decimalNumber(double value);

// The text between double quotation marks, with quotation marks, backslashes
// and control characters escaped by a backslash ("" for the empty text). The
// controls are C0, DEL and C1 (U+0080 to U+009F in UTF-8): "\u{1B}", "\u{85}".
std::string quotedLiteral(std::string_view text);
// The same escapes without the quotation marks, for a text a report shows
// after a marker ("  | " in a scroll text): backslashes and control
// characters escaped, quotation marks as they are. Text from elsewhere (the
// desktop, the system) never reaches a terminal with an ESC in it.
std::string escapedControls(std::string_view text);

// The parts with `separator` between them.
template <class Range>
std::string joined(const Range& parts, std::string_view separator) {
  std::string text;
  bool first = true;
  for (const auto& part : parts) {
    if (!first) text += separator;
    text += part;
    first = false;
  }
  return text;
}

// "#007AFF", or "#007AFF80" when not opaque: the sRGB components (clamped to
// 0...1) in 8 bits, rounded.
std::string hexColor(const Color& color);

// The lines of `text`, split at every line feed: "a\nb" and "a\n" give two
// lines ("a", "b" and "a", ""), "" gives one empty line.
std::vector<std::string> splitLines(std::string_view text);

// Every line feed replaced by the two characters backslash and "n".
std::string singleLine(std::string_view text);

}  // namespace lumetta
