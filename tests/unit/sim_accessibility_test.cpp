#include "platform/sim/services/sim_accessibility.h"

#include <gtest/gtest.h>

#include "support/sim_fixture.h"

namespace lumetta {
namespace {

using testing::elementById;
using testing::simulated;

const char* kDesktop = R"({"apps": [
  {"pid": 10, "name": "ChatGPT", "latency": 0.25, "ax": {"id": "app", "role": "AXApplication",
   "attrs": {"AXFocusedWindow": {"ref": "w"}},
   "children": [
     {"id": "w", "role": "AXWindow", "frame": [1, 2, 300, 200],
      "attrs": {"AXTitle": "from attrs", "AXMarker": {"other": "<marker>"}, "AXList": [1, null, {"url": "file:///x"}],
                "AXEnhancedUserInterface": false, "AXRange": {"range": [2, 3]}, "AXBox": {"rect": [0, 0, 1, 1]}},
      "title": "shorthand", "errors": {"AXHelp": -25212, "AXEnhancedUserInterface": -25208},
      "children": [{"id": "c", "role": "AXGroup"}]},
     {"role": "AXSheet"},
     {"role": "AXWindow", "id": "w2"}]}}]})";

TEST(SimAccessibility, AnswersFromShorthandAttributesAndErrors) {
  auto platform = simulated(kDesktop);
  Accessibility& ax = platform->accessibility();
  Element w = elementById(*platform, "w");
  EXPECT_EQ(axString(ax, w, "AXTitle"), "from attrs");
  EXPECT_EQ(readAX(ax, w, "AXPosition").value, Value(Point{1, 2}));
  EXPECT_EQ(readAX(ax, w, "AXSize").value, Value(Size{300, 200}));
  EXPECT_EQ(readAX(ax, w, "AXMarker").value, Value(Other{"<marker>"}));
  EXPECT_EQ(readAX(ax, w, "AXRange").value, Value(Range{2, 3}));
  EXPECT_EQ(readAX(ax, w, "AXBox").value, Value(Rect{0, 0, 1, 1}));
  EXPECT_EQ(readAX(ax, w, "AXList").value,
            Value(ValueArray{std::int64_t{1}, Null{}, Url{"file:///x"}}));
  EXPECT_EQ(readAX(ax, w, "AXHelp").error, axerr::noValue);
  EXPECT_EQ(readAX(ax, w, "AXNothing").error, axerr::attributeUnsupported);
  EXPECT_EQ(readAX(ax, elementById(*platform, "c"), "AXChildren").value, Value(ValueArray{}));
  // Only AXWindow children are windows.
  EXPECT_EQ(axElements(ax, ax.applicationElement(10), "AXWindows").size(), 2u);

  // In the file's order (the platform promises none), once per name, AXChildren first.
  ReadResult names = ax.copyAttributeNames(w);
  ASSERT_TRUE(names.value);
  ValueArray expected;
  for (const char* name : {"AXChildren", "AXRole", "AXPosition", "AXSize", "AXTitle", "AXMarker",
                           "AXList", "AXEnhancedUserInterface", "AXRange", "AXBox", "AXHelp"}) {
    expected.push_back(std::string(name));
  }
  EXPECT_EQ(names.value, Value(expected));
}

TEST(SimAccessibility, BatchedReadIsOneRoundTripWithOneLatency) {
  auto platform = simulated(kDesktop);
  Accessibility& ax = platform->accessibility();
  Element w = elementById(*platform, "w");
  auto& counters = platform->desktop().counters();
  const Uptime start = platform->clock().uptime();
  constexpr std::string_view names[] = {"AXRole", "AXHelp", "AXNothing", "AXChildren"};
  // That each result is the single read's, the contract tests check.
  EXPECT_EQ(ax.copyAttributeValues(w, names).size(), 4u);
  EXPECT_EQ(counters.roundTrips(), 1u);
  EXPECT_DOUBLE_EQ((platform->clock().uptime() - start).inSeconds(),
                   0.25);  // one latency, not four
  EXPECT_EQ(counters.reads("AXRole"), 1u);
  EXPECT_EQ(counters.reads(platform->desktop().nodeById("w")), 4u);
}

TEST(SimAccessibility, SlowAppsTimeOutAtTheHandlesMessagingTimeout) {
  auto platform = simulated(kDesktop);
  Accessibility& ax = platform->accessibility();
  Element app = ax.applicationElement(10);
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::seconds(0.2)), axerr::success);
  const Uptime start = platform->clock().uptime();
  EXPECT_EQ(readAX(ax, app, "AXRole").error, axerr::cannotComplete);  // latency 0.25 > 0.2
  EXPECT_DOUBLE_EQ((platform->clock().uptime() - start).inSeconds(), 0.2);
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::zero()),
            axerr::success);  // back to the system default
  EXPECT_EQ(axString(ax, app, "AXRole"), "AXApplication");
}

TEST(SimAccessibility, PermissionAndDeadProcesses) {
  auto untrusted = simulated(R"({"trusted": false, "apps": [{"pid": 3}]})");
  Accessibility& ax = untrusted->accessibility();
  EXPECT_FALSE(ax.isProcessTrusted());
  EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
  EXPECT_EQ(untrusted->accessibility().trustPrompts(), 1);
  EXPECT_EQ(readAX(ax, ax.applicationElement(3), "AXRole").error, axerr::apiDisabled);

  auto platform = simulated(kDesktop);
  Accessibility& trusted = platform->accessibility();
  EXPECT_EQ(readAX(trusted, trusted.applicationElement(99), "AXRole").error,
            axerr::invalidUIElement);
}

TEST(SimAccessibility, TheBooleanWriteStoresOrFailsWithTheInjectedCode) {
  auto platform = simulated(kDesktop);
  Accessibility& ax = platform->accessibility();
  Element app = ax.applicationElement(10);
  EXPECT_EQ(ax.setAttributeValue(app, "AXEnhancedUserInterface", true), axerr::success);
  EXPECT_EQ(ax.setAttributeValue(elementById(*platform, "w"), "AXEnhancedUserInterface", true),
            -25208);
  EXPECT_EQ(platform->desktop().counters().writes("AXEnhancedUserInterface"), 2u);
  // A new attribute joins the names after those the file gave.
  ReadResult names = ax.copyAttributeNames(app);
  ASSERT_TRUE(names.value && names.value->get<ValueArray>());
  EXPECT_EQ(names.value->get<ValueArray>()->back(), Value(std::string("AXEnhancedUserInterface")));
}

// A desktop file may name a notification outside the seam's vocabulary, in a
// timeline's notify event or an element's notificationErrors: it loads as
// before, no observer can register for it, so it reaches no one, and the names
// around it work as ever.
TEST(SimAccessibility, AnUnknownNotificationNameLoadsAndReachesNoOne) {
  auto platform = simulated(R"({"apps": [{"pid": 10, "ax": {"id": "app", "role": "AXApplication",
    "children": [{"id": "w", "role": "AXWindow",
                  "notificationErrors": {"AXNoSuchNotification": -25207, "AXMoved": -25207}}]}}],
    "timeline": [{"at": 1, "notify": {"element": "w", "name": "AXNoSuchNotification"}},
                 {"at": 1, "notify": {"element": "app", "name": "AXNoSuchNotification"}},
                 {"at": 2, "notify": {"element": "w", "name": "AXTitleChanged"}}]})");
  std::vector<AXNotification> heard;
  ObserverResult created = platform->accessibility().createObserver(
      10, [&](const Element&, AXNotification n, void*) { heard.push_back(n); });
  ASSERT_TRUE(created.observer);
  for (const char* id : {"app", "w"}) {
    const Element element = elementById(*platform, id);
    for (std::size_t i = 0; i < kAXNotificationCount; ++i) {
      const auto notification = static_cast<AXNotification>(i);
      const bool refused = std::string_view(id) == "w" && notification == AXNotification::moved;
      EXPECT_EQ(created.observer->addNotification(element, notification, nullptr),
                refused ? axerr::notificationUnsupported : axerr::success)
          << id << " " << notificationName(notification);
    }
  }
  created.observer->attachToMainRunLoop();

  platform->manualRunLoop().runUntil(testing::atSecond(1.5));
  EXPECT_TRUE(heard.empty());
  platform->manualRunLoop().runUntil(testing::atSecond(2.5));
  EXPECT_EQ(heard, std::vector<AXNotification>{AXNotification::titleChanged});
}

// A callback that releases another recipient of the same notification and
// makes a new observer (which the allocator likely places at the released
// one's address) must not have the new observer hear what the old one would.
TEST(SimAccessibility, AnObserverReleasedDuringADeliveryIsNeverMistakenForANewOne) {
  auto platform = simulated(kDesktop);
  Accessibility& ax = platform->accessibility();
  const Element w = elementById(*platform, "w");
  std::vector<std::string> heard;
  auto observe = [&](std::string name, ObserverCallback also = {}) {
    std::unique_ptr<Observer> observer =
        ax.createObserver(10, [&heard, name, also](const Element& e, AXNotification n, void* c) {
            heard.push_back(name);
            if (also) also(e, n, c);
          }).observer;
    EXPECT_EQ(observer->addNotification(w, AXNotification::titleChanged, nullptr), axerr::success);
    observer->attachToMainRunLoop();
    return observer;
  };
  std::unique_ptr<Observer> second, replacement;
  std::unique_ptr<Observer> first = observe("first", [&](const Element&, AXNotification, void*) {
    second.reset();
    replacement = observe("replacement");
  });
  second = observe("second");
  platform->accessibility().deliver(sim::SimAccessibility::nodeOf(w), AXNotification::titleChanged);
  platform->manualRunLoop().runFor(Duration::zero());
  EXPECT_EQ(heard, std::vector<std::string>{"first"});
}

}  // namespace
}  // namespace lumetta
