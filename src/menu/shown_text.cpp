#include "menu/shown_text.h"

namespace lumetta {

namespace {

constexpr std::string_view kEllipsis = "\u2026";

bool startsCodePoint(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// The first `count` code points of `text`, or all of it.
std::string_view firstCodePoints(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (startsCodePoint(text[i]) && seen++ == count) return text.substr(0, i);
  }
  return text;
}

// `text` cut to `longest` code points, ending in an ellipsis when cut.
void appendCut(std::string& out, std::string_view text, std::size_t longest) {
  const std::string_view kept = firstCodePoints(text, longest);
  if (kept.size() == text.size()) {
    out += text;
    return;
  }
  out += firstCodePoints(kept, longest - 1);
  out += kEllipsis;
}

}  // namespace

std::string shownText(std::string_view text) {
  std::string lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    appendCut(lines, text.substr(start, end - start), kLongestShownLine);
    if (end == std::string_view::npos) break;
    lines += '\n';
    start = end + 1;
  }
  std::string shown;
  appendCut(shown, lines, kLongestShownText);
  return shown;
}

}  // namespace lumetta
