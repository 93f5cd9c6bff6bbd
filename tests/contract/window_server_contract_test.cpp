// The window server's contract: the raw window list, displays, the console
// session, the screens, and the window at a point.
#include <gtest/gtest.h>

#include <algorithm>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

struct WindowServerContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  WindowServer& server = platform.windowServer;
};

bool isNumber(const RawValue* value) {
  return value && (value->get<std::int64_t>() || value->get<double>());
}

TEST_F(WindowServerContract, TheWindowListHoldsTheSubjectsWindowAsRawEntries) {
  runFor(platform, Duration::milliseconds(100));  // the subject's window reaches the screen
  const std::optional<RawValue> list = server.copyWindowList();
  ASSERT_TRUE(list);
  const RawArray* entries = list->get<RawArray>();
  ASSERT_TRUE(entries);
  const RawDictionary* subjectEntry = nullptr;
  for (const RawValue& entry : *entries) {
    const RawDictionary* dictionary = entry.get<RawDictionary>();
    if (!dictionary) continue;
    const RawValue* owner = find(*dictionary, "kCGWindowOwnerPID");
    if (owner && owner->get<std::int64_t>() && *owner->get<std::int64_t>() == backend->subject()) {
      subjectEntry = dictionary;
    }
  }
  ASSERT_TRUE(subjectEntry) << "no on-screen window of the subject";
  // Integers stay integers; the bounds are a dictionary of numbers.
  const RawValue* number = find(*subjectEntry, "kCGWindowNumber");
  ASSERT_TRUE(number && number->get<std::int64_t>());
  EXPECT_GT(*number->get<std::int64_t>(), 0);
  const RawValue* layer = find(*subjectEntry, "kCGWindowLayer");
  EXPECT_TRUE(layer && layer->get<std::int64_t>());
  const RawValue* bounds = find(*subjectEntry, "kCGWindowBounds");
  ASSERT_TRUE(bounds && bounds->get<RawDictionary>());
  for (const char* key : {"X", "Y", "Width", "Height"}) {
    EXPECT_TRUE(isNumber(find(*bounds->get<RawDictionary>(), key))) << key;
  }
}

TEST_F(WindowServerContract, DisplaysAreAwakeAndTheSessionIsOnTheConsole) {
  const auto displays = server.onlineDisplays();
  ASSERT_TRUE(displays);
  ASSERT_FALSE(displays->empty());
  EXPECT_TRUE(std::any_of(displays->begin(), displays->end(),
                          [&](DisplayID display) { return !server.displayIsAsleep(display); }));

  const std::optional<RawValue> session = server.copySessionDictionary();
  ASSERT_TRUE(session && session->get<RawDictionary>());
  const RawValue* onConsole = find(*session->get<RawDictionary>(), "kCGSSessionOnConsoleKey");
  ASSERT_TRUE(onConsole && onConsole->get<bool>()) << "the console flag is not a truth value";
  EXPECT_TRUE(*onConsole->get<bool>());
}

TEST_F(WindowServerContract, ThePrimaryScreenComesFirstAtTheOrigin) {
  const std::vector<ScreenRect> screens = server.screenFrames();
  ASSERT_FALSE(screens.empty());
  EXPECT_EQ(screens.front().x, 0);
  EXPECT_EQ(screens.front().y, 0);
  EXPECT_GT(screens.front().width, 0);
  EXPECT_GT(screens.front().height, 0);
}

struct Blank final : PanelContent {
  void draw(Canvas&, Size) override {}
};

TEST_F(WindowServerContract, TheWindowAtAPointIsTheFrontmostThatTakesTheMouse) {
  const ScreenRect screen = server.screenFrames().at(0);
  const ScreenPoint center{screen.x + screen.width / 2, screen.y + screen.height / 2};
  PanelConfiguration configuration;
  configuration.contentRect = {center.x - 40, center.y - 40, 80, 80};
  configuration.nonActivating = true;
  configuration.level = PanelLevel::floating;
  Blank blank;

  configuration.clickThrough = false;
  auto target = platform.panels.makePanel(configuration, blank);
  target->orderFrontRegardless();
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(server.windowNumberAtPoint(center), target->windowNumber());

  configuration.clickThrough = true;
  auto glass = platform.panels.makePanel(configuration, blank);
  glass->orderFrontRegardless();
  runFor(platform, Duration::milliseconds(100));
  EXPECT_EQ(server.windowNumberAtPoint(center), target->windowNumber())
      << "a click-through panel in front took the point";

  target->orderOut();
  runFor(platform, Duration::milliseconds(100));
  EXPECT_NE(server.windowNumberAtPoint(center), target->windowNumber());
  EXPECT_NE(server.windowNumberAtPoint(center), glass->windowNumber());
}

}  // namespace
}  // namespace lumetta::contract
