#include "platform/sim/services/icu_text_segmentation.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace lumetta::sim {

namespace {

struct UTextClose {
  void operator()(UText* text) const { utext_close(text); }
};

// Calls `walk` with a character break iterator over the UTF-8 text, whose
// boundaries are byte offsets; false when ICU cannot provide one.
template <class Walk>
bool withBreaks(std::string_view text, Walk&& walk) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UText, UTextClose> utf8(
      utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status));
  std::unique_ptr<icu::BreakIterator> breaks(
      icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
  if (U_FAILURE(status)) return false;
  breaks->setText(utf8.get(), status);
  if (U_FAILURE(status)) return false;
  walk(*breaks);
  return true;
}

}  // namespace

std::size_t IcuTextSegmentation::characterCount(std::string_view text) {
  std::size_t count = 0;
  const bool segmented = withBreaks(text, [&](icu::BreakIterator& breaks) {
    breaks.first();
    while (breaks.next() != icu::BreakIterator::DONE) ++count;
  });
  // Without ICU's data every byte counts: a text is then cut early, never late.
  return segmented ? count : text.size();
}

std::size_t IcuTextSegmentation::suffixStart(std::string_view text, std::size_t count) {
  std::size_t start = 0;
  const bool segmented = withBreaks(text, [&](icu::BreakIterator& breaks) {
    int32_t offset = breaks.last();
    for (std::size_t taken = 0; taken < count && offset != icu::BreakIterator::DONE; ++taken) {
      offset = breaks.previous();
    }
    start = offset == icu::BreakIterator::DONE ? 0 : static_cast<std::size_t>(offset);
  });
  return segmented ? start : byteSuffixStart(text, count);
}

}  // namespace lumetta::sim
