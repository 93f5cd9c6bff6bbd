// The live simulated desktop: the state a desktop file describes, answering
// requests from any thread (it is internally synchronised) and counting them.
//
// Implements: reads, names, writes and liveness of elements; the window list,
// displays, session and running applications; request counting.
// Ignores: nothing the services ask of it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mutex.h"
#include "platform/sim/desktop/desktop_model.h"
#include "platform/sim/services/request_counters.h"
#include "platform/workspace.h"

namespace lumetta::sim {

class SimDesktop {
 public:
  explicit SimDesktop(DesktopModel model);

  // How the application owning a node answers right now.
  struct Responsiveness {
    bool alive = false;  // the node exists and its application runs
    bool hung = false;
    Duration latency;
  };
  struct Answer {
    StoredValue value;
    AXError error = axerr::success;
  };

  bool trusted() const;
  std::optional<WallTime> wallStart() const { return wallStart_; }

  // The root node of the running application with this pid, or kNoNode.
  NodeId applicationNode(Pid pid) const;
  Responsiveness responsiveness(NodeId node) const;
  // Several attributes of one node, answered together.
  std::vector<Answer> read(NodeId node, std::span<const std::string_view> attributes) const;
  // Every attribute with a value or an error, sorted; none when the node is gone.
  std::optional<std::vector<std::string>> attributeNames(NodeId node) const;
  AXError write(NodeId node, std::string_view attribute, bool value);
  // What adding the notification `name` on `node` fails with, if anything;
  // and what creating an observer for `pid` fails with.
  std::optional<AXError> notificationError(NodeId node, AXNotification name) const;
  std::optional<AXError> observerError(Pid pid) const;
  // The root of the application a node belongs to, or kNoNode.
  NodeId applicationOf(NodeId node) const;

  std::vector<RunningApplication> runningApplications() const;

  // The window server's side.
  RawArray windowList() const;
  std::vector<SimDisplay> displays() const;
  // None when the desktop has no session dictionary.
  std::optional<RawValue> session() const;

  // Changes the timeline makes, on the main thread.
  void setAttribute(NodeId node, const std::string& attribute, StoredValue value,
                    std::optional<AXError> error);
  // Elements no longer reachable from a running application are destroyed.
  void replaceChildren(NodeId node, std::vector<NodeRef> children);
  void moveWindow(std::int64_t number, ServerRect bounds);
  void raiseWindow(std::int64_t number);
  void replaceWindows(RawArray windows);
  RunningApplication launch(SimApp app);
  // The application's elements become invalid and its server windows go.
  std::optional<RunningApplication> terminate(Pid pid);
  void activate(Pid pid);
  void setDisplaysAsleep(bool asleep);
  // The session dictionary becomes a well-formed one with this console flag.
  void setOnConsole(bool onConsole);
  void setTrusted(bool trusted);
  void setHung(Pid pid, bool hung);
  // Creating an observer for `pid`, or adding the notification `name` on
  // `node`, fails with `error` from now on; none lets it succeed again.
  void setObserverError(Pid pid, std::optional<AXError> error);
  // The attribute answers as it did before an error was set on it.
  void clearError(NodeId node, std::string_view attribute);
  void setNotificationError(NodeId node, AXNotification name, std::optional<AXError> error);

  const std::vector<TimelineEvent>& timeline() const { return timeline_; }

  // The node a file's id names, or kNoNode.
  NodeId nodeById(std::string_view id) const;
  RequestCounters& counters() const { return counters_; }

 private:
  bool aliveLocked(NodeId node) const LUMETTA_REQUIRES_SHARED(mutex_);
  const SimApp* ownerLocked(NodeId node) const LUMETTA_REQUIRES_SHARED(mutex_);
  Answer readLocked(const SimNode& node, std::string_view attribute) const
      LUMETTA_REQUIRES_SHARED(mutex_);
  std::vector<bool> reachableLocked() const LUMETTA_REQUIRES_SHARED(mutex_);

  // Fixed once loaded: read without the lock.
  const std::vector<TimelineEvent> timeline_;
  const std::optional<WallTime> wallStart_;
  mutable SharedMutex mutex_;
  DesktopModel model_ LUMETTA_GUARDED_BY(mutex_);           // its timeline moved to timeline_
  std::vector<SimApp> running_ LUMETTA_GUARDED_BY(mutex_);  // in workspace order
  std::vector<bool> destroyed_ LUMETTA_GUARDED_BY(mutex_);
  mutable RequestCounters counters_;
};

}  // namespace lumetta::sim
