// User-perceived characters: where a text divides into what a reader counts
// as one character each (extended grapheme clusters: a letter with its
// combining marks, an emoji with its modifiers and joiners, a flag, CR LF).
// Texts are UTF-8; in a text that is not, every byte counts as a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace lumetta {

class TextSegmentation {
 public:
  virtual ~TextSegmentation() = default;
  virtual std::size_t characterCount(std::string_view text) = 0;
  // The byte offset at which the last `count` characters begin; 0 when the
  // text has no more than `count`.
  virtual std::size_t suffixStart(std::string_view text, std::size_t count) = 0;
};

// suffixStart counting bytes, moved forward past UTF-8 continuation bytes:
// the backends' answer for a text they cannot segment.
inline std::size_t byteSuffixStart(std::string_view text, std::size_t count) {
  std::size_t start = text.size() > count ? text.size() - count : 0;
  while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) ++start;
  return start;
}

}  // namespace lumetta
