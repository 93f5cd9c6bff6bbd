// User-perceived characters on Linux: ICU's character break iterator, which
// implements the Unicode rules for extended grapheme clusters.
#pragma once

#include "platform/text_segmentation.h"

namespace lumetta::sim {

class IcuTextSegmentation final : public TextSegmentation {
 public:
  std::size_t characterCount(std::string_view text) override;
  std::size_t suffixStart(std::string_view text, std::size_t count) override;
};

}  // namespace lumetta::sim
