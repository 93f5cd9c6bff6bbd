#include "overlay/event_log.h"

#include "support/text_format.h"

namespace lumetta {

void EventLog::append(WallTime time, const std::string& message) {
  const std::string line = iso8601(time) + " " + message + "\n";
  text_ += line;
  // A line feed always ends a character, so the log grows by the line's own count.
  length_ += segmentation_.characterCount(line);
  if (length_ > kEventLogLimit) {
    text_.erase(0, segmentation_.suffixStart(text_, kEventLogKept));
    length_ = segmentation_.characterCount(text_);
  }
}

}  // namespace lumetta
