// The simulated desktop's data: applications and their accessibility trees,
// the window server's list, displays, the session and the timeline, exactly
// as a desktop file describes them.
//
// Implements: the data of every object the desktop format describes.
// Ignores: nothing: it holds what the file says.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/data.h"
#include "platform/geometry.h"
#include "platform/login_item.h"
#include "platform/raw_value.h"
#include "platform/sim/desktop/sim_colors.h"
#include "platform/sim/desktop/user_steps.h"
#include "platform/value.h"
#include "platform/window_server.h"

namespace lumetta::sim {

using NodeId = std::uint32_t;
inline constexpr NodeId kNoNode = std::numeric_limits<NodeId>::max();

// A reference to a node; `id` is the name the file used, kept for messages.
struct NodeRef {
  NodeId node = kNoNode;
  std::string id;
  bool operator==(const NodeRef& other) const { return node == other.node; }
};

// An attribute value as the file gives it; element values point at nodes.
struct SimValue;
using SimArray = std::vector<SimValue>;
struct SimValue {
  std::variant<Null, std::string, std::int64_t, double, bool, NodeRef, SimArray, Point, Size, Rect,
               Range, Url, Other>
      storage;
  bool operator==(const SimValue&) const = default;
};

// An attribute's stored answer: a value, or nothing when the read succeeds
// without a value (JSON null).
using StoredValue = std::optional<SimValue>;

// Which application instance an element belongs to: the pid, and the ordinal
// of the application's definition in the file (a relaunch under the same pid
// is another instance).
struct Owner {
  Pid pid = 0;
  std::uint32_t app = 0;
};

struct SimNode {
  std::string id;  // empty when the file named none
  Owner owner;
  bool isApplication = false;
  bool hasChildren = false;
  bool hung = false;  // requests to this element never answer (a hung renderer)
  std::map<std::string, StoredValue, std::less<>> attributes;
  std::map<std::string, AXError, std::less<>> errors;
  // The names of `attributes` and `errors` in the order they first appeared:
  // the file's order, then the order of changes. The platform promises no order.
  std::vector<std::string> names;
  // Adding an observer notification of this name on the element fails so. A
  // name outside the seam's vocabulary is kept, though no one can add it.
  std::map<std::string, AXError, std::less<>> notificationErrors;
  std::vector<NodeRef> children;
  std::optional<std::int64_t> windowNumber;

  void addName(std::string_view name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
  }
};

struct SimApp {
  Pid pid = 0;
  std::uint32_t ordinal = 0;  // see Owner
  std::optional<std::string> name;
  std::optional<std::string> bundle;
  bool active = false;
  std::optional<WallTime> launched;
  std::optional<Url> bundleURL;
  Duration latency;
  bool hung = false;
  std::optional<AXError> observerError;  // creating an observer for the app fails so
  NodeId root = kNoNode;
};

struct SimDisplay {
  DisplayID id = 1;
  ScreenRect frame{0, 0, 1512, 982};
  bool asleep = false;
  double scale = 1;  // pixels per point: 2 for a Retina display
};

// Timeline actions.
struct SetAction {
  NodeRef element;
  std::string attribute;
  StoredValue value;
  std::optional<AXError> error;
};
struct ChildrenAction {
  NodeRef element;
  std::vector<NodeRef> children;
};
struct NotifyAction {
  NodeRef element;
  // As the file names it: a name outside the seam's vocabulary loads, and
  // reaches no observer.
  std::string name;
};
struct MoveAction {
  std::int64_t window = 0;
  ServerRect bounds;
};
struct RaiseAction {
  std::int64_t window = 0;
};
struct WindowsAction {
  RawArray windows;
};
struct LaunchAction {
  SimApp app;
};
struct TerminateAction {
  Pid pid = 0;
};
struct ActivateAction {
  Pid pid = 0;
};
enum class PowerAction {
  sleep,
  wake,
  screensSleep,
  screensWake,
  sessionResign,
  sessionActive,
  spaceChange
};
struct TrustedAction {
  bool trusted = true;
};
struct HangAction {
  Pid pid = 0;
  bool hung = false;
};

// The user picks a colour in the colour panel.
struct PickColorAction {
  SimColor color;
};

// Lumetta's login item and how the system treats requests about it.
struct SimLoginItemModel {
  LoginItemStatus status = LoginItemStatus::notRegistered;
  bool needsApproval = false;                // a registration waits for the user's approval
  std::optional<std::string> registerError;  // registering fails with this description
  std::optional<std::string> unregisterError;
};

// The user approves or denies the pending registration in the system
// settings, or the system changes how it treats the item: each field that is
// given replaces the model's (an error given as nothing clears it).
struct LoginItemAction {
  enum class Kind { approve, deny, change };
  Kind kind = Kind::change;
  std::optional<LoginItemStatus> status;
  std::optional<bool> needsApproval;
  std::optional<std::optional<std::string>> registerError;
  std::optional<std::optional<std::string>> unregisterError;
};

struct TimelineEvent {
  Duration at;  // from the start of the desktop
  std::variant<SetAction, ChildrenAction, NotifyAction, MoveAction, RaiseAction, WindowsAction,
               LaunchAction, TerminateAction, ActivateAction, PowerAction, TrustedAction,
               HangAction, PickColorAction, LoginItemAction, UserStepAction>
      action;
};

// A value stored in the user defaults, of the type it was stored as.
using DefaultsValue = std::variant<bool, double, std::string, Data>;
using DefaultsDictionary = std::map<std::string, DefaultsValue, std::less<>>;

// Lumetta itself, as the simulated desktop runs it.
struct SimLumetta {
  Pid pid = 900;
  std::string bundlePath = "/Applications/Lumetta.app";
  std::optional<std::string> shortVersion;  // none: an unversioned development build
  std::string systemVersion = "Version 14.5 (Build 23F79)";
  // The folder holding the bundle's resources; none: the bundle has none.
  std::optional<std::string> resources;
};

// The session dictionary of the user's session, on the console or not.
inline RawValue consoleSession(bool onConsole) {
  return RawValue{RawDictionary{{"kCGSSessionOnConsoleKey", RawValue{onConsole}},
                                {"kCGSSessionUserIDKey", RawValue{std::int64_t{501}}}}};
}

struct DesktopModel {
  bool trusted = true;
  std::optional<WallTime> wallStart;
  std::vector<SimDisplay> displays{SimDisplay{}};
  // The window server's session dictionary; none when the file says null.
  std::optional<RawValue> session = consoleSession(true);
  std::vector<SimApp> apps;             // running at start, in workspace order
  std::vector<SimNode> nodes;           // every element the file defines, timeline included
  RawArray windows;                     // the window server's list, front to back
  std::vector<TimelineEvent> timeline;  // by time, file order for equal times
  DefaultsDictionary defaults;          // the user defaults at start
  SimLumetta lumetta;
  SimLoginItemModel loginItem;
};

}  // namespace lumetta::sim
