// The event log's trimming, counted in user-perceived characters.
#include <gtest/gtest.h>

#include "overlay/event_log.h"
#include "platform/sim/services/icu_text_segmentation.h"

namespace lumetta {
namespace {

const WallTime kNoon =
    std::chrono::sys_days{std::chrono::year{2026} / 12 / 1} + std::chrono::hours{12};

TEST(EventLog, StaysWithinItsLimitAndKeepsExactlyTheLastCharactersWhenCut) {
  sim::IcuTextSegmentation text;
  EventLog log(text);
  // 21 characters of stamp and blank, 30 of message (accented letters and
  // flags, each one character but several bytes), one line feed: 52 a line.
  std::string message;
  for (int i = 0; i < 10; ++i) message += "e\u0301\U0001F1EB\U0001F1F7x";
  for (int line = 0; line < 2'000; ++line) {
    log.append(kNoon, message);
    ASSERT_LE(log.length(), kEventLogLimit);
  }
  EXPECT_EQ(log.length(), text.characterCount(log.text()));
  EXPECT_TRUE(log.text().ends_with(message + "\n"));

  EventLog fresh(text);
  for (int line = 0; line < 770; ++line) fresh.append(kNoon, message);  // 40,040: one cut
  EXPECT_EQ(fresh.length(), kEventLogKept);
  EXPECT_EQ(text.characterCount(fresh.text()), kEventLogKept);
}

}  // namespace
}  // namespace lumetta
