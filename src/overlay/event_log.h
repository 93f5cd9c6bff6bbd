// The controller's event log: lines of an ISO 8601 UTC stamp, a blank and a
// message. Once it holds more than 40,000 user-perceived characters it is cut
// to its last 30,000.
#pragma once

#include <cstddef>
#include <string>

#include "platform/clock.h"
#include "platform/text_segmentation.h"

namespace lumetta {

inline constexpr std::size_t kEventLogLimit = 40'000;
inline constexpr std::size_t kEventLogKept = 30'000;

class EventLog {
 public:
  explicit EventLog(TextSegmentation& segmentation) : segmentation_(segmentation) {}

  void append(WallTime time, const std::string& message);
  const std::string& text() const { return text_; }
  // In user-perceived characters.
  std::size_t length() const { return length_; }

 private:
  TextSegmentation& segmentation_;
  std::string text_;
  std::size_t length_ = 0;
};

}  // namespace lumetta
