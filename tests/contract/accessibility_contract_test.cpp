// The accessibility service's contract: reads and their errors, batched reads,
// element equality, messaging timeouts, the boolean write and observers.
#include <gtest/gtest.h>

#include <limits>
#include <unordered_set>

#include "contract/contract_backend.h"

namespace lumetta::contract {
namespace {

struct AccessibilityContract : ::testing::Test {
  void SetUp() override {
    if (!ax.isProcessTrusted()) GTEST_SKIP() << "this process may not use the Accessibility API";
    window = subjectWindow();
    ASSERT_TRUE(window) << "the subject shows no window titled " << kSubjectTitle;
  }

  std::optional<Element> subjectWindow() {
    for (const Element& candidate : axElements(ax, app, "AXWindows")) {
      if (axString(ax, candidate, "AXTitle") == kSubjectTitle) return candidate;
    }
    return std::nullopt;
  }

  // How long reading the role of the hung child of `parent` took; none when no
  // child hung.
  std::optional<Duration> hungChildWait(const Element& parent) {
    for (const Element& child : axElements(ax, parent, "AXChildren")) {
      const Uptime before = platform.clock.uptime();
      ReadResult role = readAX(ax, child, "AXRole");
      if (role.error == axerr::cannotComplete) {
        EXPECT_FALSE(role.value);
        return platform.clock.uptime() - before;
      }
    }
    return std::nullopt;
  }

  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  Accessibility& ax = platform.accessibility;
  Element app = ax.applicationElement(backend->subject());
  std::optional<Element> window;
};

TEST_F(AccessibilityContract, ReadsGiveTypedValuesOrAnErrorWithoutOne) {
  EXPECT_TRUE(ax.isProcessTrustedWithPrompt());  // trusted: no prompt shows
  EXPECT_EQ(readAX(ax, app, "AXRole").value, Value(std::string("AXApplication")));
  const ReadResult position = readAX(ax, *window, "AXPosition");
  EXPECT_TRUE(position.value && position.value->get<Point>());
  const ReadResult size = readAX(ax, *window, "AXSize");
  ASSERT_TRUE(size.value && size.value->get<Size>());
  EXPECT_GT(size.value->get<Size>()->width, 0);

  const ReadResult unsupported = readAX(ax, *window, "AXLumettaNoSuchAttribute");
  EXPECT_EQ(unsupported.error, axerr::attributeUnsupported);
  EXPECT_FALSE(unsupported.value);
  const ReadResult gone =
      readAX(ax, ax.applicationElement(std::numeric_limits<Pid>::max()), "AXRole");
  EXPECT_NE(gone.error, axerr::success);
  EXPECT_FALSE(gone.value);
}

// The window has no default button: the attribute is there, without a value.
TEST_F(AccessibilityContract, BatchedReadsGiveWhatSingleReadsGive) {
  const ReadResult noValue = ax.copyAttributeValue(*window, "AXDefaultButton");
  EXPECT_EQ(noValue.error, axerr::noValue);
  EXPECT_FALSE(noValue.value);
  const std::string_view attributes[] = {"AXRole",   "AXTitle",         "AXLumettaNoSuchAttribute",
                                         "AXParent", "AXDefaultButton", "AXPosition",
                                         "AXSize",   "AXChildren"};
  for (const Element& element : {app, *window}) {
    const std::vector<ReadResult> batched = ax.copyAttributeValues(element, attributes);
    ASSERT_EQ(batched.size(), std::size(attributes));
    for (std::size_t i = 0; i < batched.size(); ++i) {
      const ReadResult single = ax.copyAttributeValue(element, attributes[i]);
      EXPECT_EQ(batched[i].error, single.error) << attributes[i];
      EXPECT_EQ(batched[i].value, single.value) << attributes[i];
    }
  }
}

TEST_F(AccessibilityContract, ElementsAreEqualAcrossReadsAndHashAlike) {
  const std::optional<Element> again = subjectWindow();
  ASSERT_TRUE(again);
  EXPECT_EQ(*window, *again);
  EXPECT_EQ(window->hash(), again->hash());
  EXPECT_EQ((std::unordered_set<Element, ElementHash>{*window, *again}.size()), 1u);
  EXPECT_FALSE(*window == app);
  // The parent read from the window is the application element made from the pid.
  EXPECT_EQ(readAX(ax, *window, "AXParent").value, Value(app));
}

TEST_F(AccessibilityContract, AttributeNamesAreTexts) {
  const ReadResult names = ax.copyAttributeNames(*window);
  ASSERT_EQ(names.error, axerr::success);
  ASSERT_TRUE(names.value && names.value->get<ValueArray>());
  std::vector<std::string> texts;
  for (const Value& name : *names.value->get<ValueArray>()) {
    ASSERT_TRUE(name.get<std::string>());
    texts.push_back(*name.get<std::string>());
  }
  for (const char* expected : {"AXRole", "AXTitle"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  }
}

TEST_F(AccessibilityContract, TheBooleanWriteIsWhatALaterReadGives) {
  EXPECT_EQ(ax.setAttributeValue(*window, "AXMinimized", false), axerr::success);
  EXPECT_EQ(readAX(ax, *window, "AXMinimized").value, Value(false));
}

struct ObserverContract : AccessibilityContract {
  // An observer of the window's retitling, not yet attached to the main loop.
  void observeTitle(const Element& element) {
    ObserverResult created = ax.createObserver(
        backend->subject(), [this](const Element& about, AXNotification name, void* context) {
          ++calls;
          onMainThread = onMainThread && platform.runLoop.isMainThread();
          heard = about;
          notification = name;
          heardContext = context;
        });
    ASSERT_EQ(created.error, axerr::success);
    observer = std::move(created.observer);
    ASSERT_TRUE(observer);
    ASSERT_EQ(observer->addNotification(element, AXNotification::titleChanged, &marker),
              axerr::success);
  }

  std::unique_ptr<Observer> observer;
  int calls = 0;
  bool onMainThread = true;
  std::optional<Element> heard;
  std::optional<AXNotification> notification;
  void* heardContext = nullptr;
  int marker = 0;  // its address is the registration's context
};

TEST_F(ObserverContract, NotificationsArriveOnTheMainThreadOnlyWhileAttached) {
  ASSERT_NO_FATAL_FAILURE(observeTitle(*window));
  EXPECT_EQ(observer->addNotification(*window, AXNotification::titleChanged, &marker),
            axerr::notificationAlreadyRegistered);
  backend->retitleSubjectWindow("Lumetta contract, not attached");
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, 0);

  observer->attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, attached");
  ASSERT_TRUE(runUntil(platform, [&] { return calls > 0; }));
  EXPECT_TRUE(onMainThread);
  EXPECT_EQ(heard, window);
  EXPECT_EQ(notification, AXNotification::titleChanged);
  EXPECT_EQ(heardContext, &marker);

  observer->detachFromMainRunLoop();
  const int attachedCalls = calls;
  backend->retitleSubjectWindow("Lumetta contract, detached");
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, attachedCalls);

  EXPECT_EQ(observer->removeNotification(*window, AXNotification::titleChanged), axerr::success);
  EXPECT_EQ(observer->removeNotification(*window, AXNotification::titleChanged),
            axerr::notificationNotRegistered);
}

TEST_F(ObserverContract, AReleasedObserverDeliversNothing) {
  ASSERT_NO_FATAL_FAILURE(observeTitle(*window));
  observer->attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, released");
  observer.reset();
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, 0);
}

// Elements read through the application's handle, and those an observer of it
// delivers, wait no longer than the handle's timeout.
TEST_F(ObserverContract, ElementsCarryTheirHandlesTimeout) {
  EXPECT_EQ(ax.setMessagingTimeout(app, Duration::seconds(-1)), axerr::illegalArgument);
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::milliseconds(250)), axerr::success);
  if (!backend->hasHungChild()) GTEST_SKIP() << "the backend cannot make an element hang";
  const std::optional<Element> bounded = subjectWindow();
  ASSERT_TRUE(bounded);
  std::optional<Duration> waited = hungChildWait(*bounded);
  ASSERT_TRUE(waited) << "no child of the subject's window hung";
  EXPECT_LT(waited->inSeconds(), 1.0) << "a read element waited for the system default";

  ASSERT_NO_FATAL_FAILURE(observeTitle(*bounded));
  observer->attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, bounded");
  ASSERT_TRUE(runUntil(platform, [&] { return calls > 0; }));
  waited = hungChildWait(*heard);
  ASSERT_TRUE(waited) << "no child of the delivered window hung";
  EXPECT_LT(waited->inSeconds(), 1.0) << "a delivered element waited for the system default";
}

}  // namespace
}  // namespace lumetta::contract
