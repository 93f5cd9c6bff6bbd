#include "support/text_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lumetta {

namespace {

using std::chrono::days;
using std::chrono::floor;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::year_month_day;

bool readDigits(std::string_view& text, std::size_t count, int& out) {
  if (text.size() < count) return false;
  out = 0;
  for (std::size_t i = 0; i < count; ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return false;
    out = out * 10 + (c - '0');
  }
  text.remove_prefix(count);
  return true;
}

bool readChar(std::string_view& text, char expected) {
  if (text.empty() || text.front() != expected) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::string iso8601(WallTime time) {
  auto secs = floor<seconds>(time);
  auto day = floor<days>(secs);
  year_month_day ymd{day};
  std::chrono::hh_mm_ss hms{secs - day};
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(ymd.year()),
                unsigned(ymd.month()), unsigned(ymd.day()), int(hms.hours().count()),
                int(hms.minutes().count()), int(hms.seconds().count()));
  return buffer;
}

std::optional<WallTime> parseIso8601(std::string_view text) {
  int year, month, day, hour, minute, second;
  if (!readDigits(text, 4, year) || !readChar(text, '-') || !readDigits(text, 2, month) ||
      !readChar(text, '-') || !readDigits(text, 2, day) || !readChar(text, 'T') ||
      !readDigits(text, 2, hour) || !readChar(text, ':') || !readDigits(text, 2, minute) ||
      !readChar(text, ':') || !readDigits(text, 2, second)) {
    return std::nullopt;
  }
  std::chrono::nanoseconds fraction{0};
  if (readChar(text, '.')) {
    std::int64_t scale = 100'000'000;
    std::size_t digits = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
      fraction += std::chrono::nanoseconds((text.front() - '0') * scale);
      scale /= 10;
      text.remove_prefix(1);
      ++digits;
    }
    if (digits == 0) return std::nullopt;
  }
  int offsetMinutes = 0;
  if (!readChar(text, 'Z')) {
    int sign = text.empty() ? 0 : text.front() == '+' ? 1 : text.front() == '-' ? -1 : 0;
    int offsetHours, offsetMins;
    if (sign == 0) return std::nullopt;
    text.remove_prefix(1);
    if (!readDigits(text, 2, offsetHours) || !readChar(text, ':') ||
        !readDigits(text, 2, offsetMins) || offsetHours > 23 || offsetMins > 59) {
      return std::nullopt;
    }
    offsetMinutes = sign * (offsetHours * 60 + offsetMins);
  }
  if (!text.empty()) return std::nullopt;

  year_month_day ymd{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                     std::chrono::day{unsigned(day)}};
  if (!ymd.ok() || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  const std::chrono::sys_seconds time = sys_days{ymd} + std::chrono::hours{hour} +
                                        std::chrono::minutes{minute} + seconds{second} -
                                        std::chrono::minutes{offsetMinutes};
  // Wall times count the system clock's unit in 64 bits: nanoseconds with
  // libstdc++ (about the years 1678 to 2262), microseconds with libc++.
  if (time <= floor<seconds>(WallTime::min()) || time >= floor<seconds>(WallTime::max())) {
    return std::nullopt;
  }
  return std::chrono::time_point_cast<WallTime::duration>(time) +
         floor<WallTime::duration>(fraction);
}

std::string decimalNumber(double value) {
  // Integral values below 2^53 print in full with ".0", as a double's own
  // description does; everything else in its shortest form.
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9007199254740992.0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
  }
  std::string text = shortestNumber(value);
  if (text.find_first_of(".en") == std::string::npos) text += ".0";
  return text;
}

namespace {

// Backslashes and control characters escaped, and quotation marks when
// `quotes`.
std::string escaped(std::string_view text, bool quotes) {
  const auto code = [](unsigned value) {
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "\\u{%X}", value);
    return std::string(buffer);
  };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    // The C1 controls, U+0080 to U+009F, are two bytes in UTF-8: C2 80 to C2 9F.
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
    switch (c) {
      case '"': out += quotes ? "\\\"" : "\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\0': out += "\\0"; break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          out += code(byte);
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
          out += code(next);
          ++i;
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace

std::string quotedLiteral(std::string_view text) { return '"' + escaped(text, true) + '"'; }

std::string escapedControls(std::string_view text) { return escaped(text, false); }

std::string singleLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string hexColor(const Color& color) {
  auto byte = [](double c) { return int(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  char text[10];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", byte(color.red), byte(color.green),
                byte(color.blue));
  std::string hex = text;
  if (byte(color.alpha) != 255) {
    std::snprintf(text, sizeof text, "%02X", byte(color.alpha));
    hex += text;
  }
  return hex;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  for (;;) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

}  // namespace lumetta
