// The callback list behind every registration: who is called during a
// notification that adds and removes callbacks, what a registration does when
// moved, released or left behind by its list, and the list under threads.
#include "platform/callback_list.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace lumetta {
namespace {

TEST(CallbackList, NotifiesInOrderThoseStillRegisteredWhenTheirTurnComes) {
  CallbackList<int> list;
  std::vector<std::string> heard;
  Registration first, second, third, added;
  first = list.add([&](int n) {
    heard.push_back("first " + std::to_string(n));
    first.remove();   // itself, while it runs
    second.remove();  // one after it: not called this time
    added = list.add([&](int m) { heard.push_back("added " + std::to_string(m)); });
  });
  second = list.add([&](int n) { heard.push_back("second " + std::to_string(n)); });
  third = list.add([&](int n) { heard.push_back("third " + std::to_string(n)); });
  list.notify(1);
  list.notify(2);
  EXPECT_EQ(heard, (std::vector<std::string>{"first 1", "third 1", "third 2", "added 2"}));
}

TEST(CallbackList, ARegistrationRemovesOnlyItsOwnCallbackOnceAndMayOutliveItsList) {
  int heard = 0;
  Registration kept;
  {
    CallbackList<> list;
    Registration moved = list.add([&] { heard += 1; });
    Registration other = list.add([&] { heard += 10; });
    kept = std::move(moved);  // the move carries the callback along
    // NOLINTNEXTLINE(bugprone-use-after-move): what a moved-from one does is the point
    moved.remove();  // the moved-from one holds nothing
    list.notify();
    EXPECT_EQ(heard, 11);
    other = list.add([&] { heard += 100; });  // assigning removes what it held
    list.notify();
    EXPECT_EQ(heard, 112);
    kept.remove();
    kept.remove();
    list.notify();
    EXPECT_EQ(heard, 212);
    EXPECT_FALSE(list.empty());
    other.remove();
    EXPECT_TRUE(list.empty());
    kept = list.add([] {});
  }
  kept.remove();  // after the list: nothing to do
}

TEST(CallbackList, ACallbackMayReleaseTheListItRunsFrom) {
  auto list = std::make_unique<CallbackList<>>();
  int heard = 0;
  Registration first = list->add([&] {
    ++heard;
    list.reset();
  });
  Registration second = list->add([&] { ++heard; });
  list->notify();
  EXPECT_EQ(heard, 2);  // registered when the notification began, and not removed
}

TEST(CallbackList, ThreadedAddingRemovingAndNotifyingAtOnce) {
  CallbackList<> list;
  std::atomic<int> heard{0};
  Registration steady = list.add([&] { ++heard; });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i) {
        Registration passing = list.add([&] { ++heard; });
        list.notify();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_GE(heard.load(), 4 * 500 * 2);  // each notification reaches the steady one and its own
  steady.remove();
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace lumetta
