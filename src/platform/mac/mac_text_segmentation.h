// User-perceived characters on macOS: NSString's composed character sequences.
#pragma once

#include "platform/text_segmentation.h"

namespace lumetta::mac {

class MacTextSegmentation final : public TextSegmentation {
 public:
  std::size_t characterCount(std::string_view text) override;
  std::size_t suffixStart(std::string_view text, std::size_t count) override;
};

}  // namespace lumetta::mac
