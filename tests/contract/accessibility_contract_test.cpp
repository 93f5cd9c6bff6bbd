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

TEST_F(AccessibilityContract, BatchedReadsGiveWhatSingleReadsGive) {
  const std::string_view attributes[] = {"AXRole",     "AXTitle", "AXLumettaNoSuchAttribute",
                                         "AXPosition", "AXSize",  "AXParent",
                                         "AXChildren"};
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

TEST_F(AccessibilityContract, AnAttributeWithoutAValueFailsWithNoValueReadEitherWay) {
  // The subject's window has no default button: the attribute is there, without a value.
  const ReadResult single = ax.copyAttributeValue(*window, "AXDefaultButton");
  EXPECT_EQ(single.error, axerr::noValue);
  EXPECT_FALSE(single.value);
  const std::string_view attributes[] = {"AXDefaultButton", "AXRole"};
  const std::vector<ReadResult> batched = ax.copyAttributeValues(*window, attributes);
  ASSERT_EQ(batched.size(), 2u);
  EXPECT_EQ(batched[0].error, axerr::noValue);
  EXPECT_FALSE(batched[0].value);
  EXPECT_EQ(batched[1].value, Value(std::string("AXWindow")));
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

TEST_F(AccessibilityContract, ElementsReadThroughAHandleCarryItsTimeout) {
  EXPECT_EQ(ax.setMessagingTimeout(app, Duration::seconds(-1)), axerr::illegalArgument);
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::milliseconds(250)), axerr::success);
  if (!backend->hasHungChild()) GTEST_SKIP() << "the backend cannot make an element hang";

  // The window and its children come from reads on the application element.
  const std::optional<Element> bounded = subjectWindow();
  ASSERT_TRUE(bounded);
  const std::optional<Duration> waited = hungChildWait(*bounded);
  ASSERT_TRUE(waited) << "no child of the subject's window hung";
  EXPECT_LT(waited->inSeconds(), 1.0)
      << "the hung read waited for the system default, not the handle's timeout";
}

struct ObserverContract : AccessibilityContract {
  ObserverResult observe() {
    return ax.createObserver(backend->subject(),
                             [this](const Element& element, AXNotification name, void* context) {
                               ++calls;
                               onMainThread = onMainThread && platform.runLoop.isMainThread();
                               about = element;
                               notification = name;
                               heardContext = context;
                             });
  }

  int calls = 0;
  bool onMainThread = true;
  std::optional<Element> about;
  std::optional<AXNotification> notification;
  void* heardContext = nullptr;
  int marker = 0;  // its address is the registration's context
};

TEST_F(ObserverContract, RegistrationsAreKeptPerElementAndName) {
  ObserverResult created = observe();
  ASSERT_EQ(created.error, axerr::success);
  ASSERT_TRUE(created.observer);
  Observer& observer = *created.observer;
  EXPECT_EQ(observer.addNotification(*window, AXNotification::titleChanged, &marker),
            axerr::success);
  EXPECT_EQ(observer.addNotification(*window, AXNotification::titleChanged, &marker),
            axerr::notificationAlreadyRegistered);
  EXPECT_EQ(observer.removeNotification(*window, AXNotification::titleChanged), axerr::success);
  EXPECT_EQ(observer.removeNotification(*window, AXNotification::titleChanged),
            axerr::notificationNotRegistered);
}

TEST_F(ObserverContract, NotificationsArriveOnTheMainThreadOnlyWhileAttached) {
  ObserverResult created = observe();
  ASSERT_TRUE(created.observer);
  Observer& observer = *created.observer;
  ASSERT_EQ(observer.addNotification(*window, AXNotification::titleChanged, &marker),
            axerr::success);

  backend->retitleSubjectWindow("Lumetta contract, not attached");
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, 0);

  observer.attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, attached");
  ASSERT_TRUE(runUntil(platform, [&] { return calls > 0; }));
  EXPECT_TRUE(onMainThread);
  EXPECT_EQ(about, window);
  EXPECT_EQ(notification, AXNotification::titleChanged);
  EXPECT_EQ(heardContext, &marker);

  observer.detachFromMainRunLoop();
  const int attachedCalls = calls;
  backend->retitleSubjectWindow("Lumetta contract, detached");
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, attachedCalls);
}

TEST_F(ObserverContract, DeliveredElementsCarryTheirHandlesTimeout) {
  if (!backend->hasHungChild()) GTEST_SKIP() << "the backend cannot make an element hang";
  ASSERT_EQ(ax.setMessagingTimeout(app, Duration::milliseconds(250)), axerr::success);
  const std::optional<Element> bounded = subjectWindow();
  ASSERT_TRUE(bounded);
  ObserverResult created = observe();
  ASSERT_TRUE(created.observer);
  ASSERT_EQ(created.observer->addNotification(*bounded, AXNotification::titleChanged, &marker),
            axerr::success);
  created.observer->attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, bounded");
  ASSERT_TRUE(runUntil(platform, [&] { return calls > 0; }));

  const std::optional<Duration> waited = hungChildWait(*about);
  ASSERT_TRUE(waited) << "no child of the delivered window hung";
  EXPECT_LT(waited->inSeconds(), 1.0)
      << "a delivered element waited for the system default, not its handle's timeout";
}

TEST_F(ObserverContract, AReleasedObserverDeliversNothing) {
  ObserverResult created = observe();
  ASSERT_TRUE(created.observer);
  ASSERT_EQ(created.observer->addNotification(*window, AXNotification::titleChanged, &marker),
            axerr::success);
  created.observer->attachToMainRunLoop();
  backend->retitleSubjectWindow("Lumetta contract, released");
  created.observer.reset();
  runFor(platform, Duration::milliseconds(300));
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace lumetta::contract
