// The validation monitor behind --watch: a timestamped log of the target
// applications' accessibility notifications, the elements they come from, and
// what the classifier concludes after each. It rescans only at start, on a
// target's launch or termination and after notifications; with label sampling
// it also reads the known mode buttons' labels ten times a second.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "diagnostics/monitor_observer.h"
#include "platform/platform.h"

namespace lumetta {

class ValidationMonitor {
 public:
  struct Binding {
    Pid pid;
    Element window;
    std::int64_t index;  // the window's number for this session
    std::vector<Element> buttons;
    std::string sampledSignature;
  };
  struct Subscription {
    Element element;
    std::string kind;  // what the element is; not part of the identity
    AXNotification name;
  };

  ValidationMonitor(const Platform& platform, std::ostream& out, bool sampleLabels);
  ~ValidationMonitor();
  ValidationMonitor(const ValidationMonitor&) = delete;
  ValidationMonitor& operator=(const ValidationMonitor&) = delete;

  // Follows the monitor from before `start` on; it must outlive the monitor.
  void setObserver(MonitorObserver* observer) { observer_ = observer; }

  // Main thread only (checked), as are the notifications and timers it
  // listens to.
  void start();
  void stop();

  // How many windows hold a session number: those of the running targets
  // seen so far. Main thread.
  std::size_t numberedWindows() const;

 private:
  struct Discovery;  // what one discovery builds: snapshot entries and bindings

  void emit(const std::string& text);
  void discover(const std::string& reason);
  void scheduleDiscovery(const std::string& reason);
  void notification(const Element& element, AXNotification name);
  void workspaceEvent(const Notification& notification);
  void sampleLabels();
  std::string popupSignature(const Element& button);
  std::string buttonSignatures(const std::vector<Element>& buttons);
  std::int64_t windowNumber(Pid pid, const Element& window);
  void forgetGoneProcesses(const std::vector<RunningApplication>& targets);
  void forgetClosedWindows(Pid pid, const std::vector<Element>& listed);
  void ensureObserver(Pid pid);
  void discoverApplication(const RunningApplication& app, Discovery& found);
  void discoverWindow(const RunningApplication& app, const Element& application,
                      const Element& window, std::vector<Subscription>& desired, Discovery& found);
  void reconcile(Pid pid, std::vector<Subscription> desired);
  void reportDiscovery(const std::string& reason, Uptime began, const Discovery& found);

  Platform platform_;
  std::ostream& out_;
  std::map<Pid, std::unique_ptr<Observer>> observers_;
  std::map<Pid, std::vector<Subscription>> subscriptions_;
  std::vector<Binding> bindings_;
  std::vector<Registration> workspaceTokens_;
  std::unique_ptr<Timer> sampleTimer_;
  bool rescanScheduled_ = false;
  bool stopped_ = false;
  std::string lastSnapshot_;
  // Session window numbers by process and window. A process's entries go with
  // it (its windows cannot come back); numbers are never handed out twice.
  std::unordered_map<Pid, std::unordered_map<Element, std::int64_t, ElementHash>> windowNumbers_;
  std::int64_t nextWindowReference_ = 1;
  const Uptime startTime_;
  const bool sampleLabels_;
  std::shared_ptr<WorkItem> pendingDiscovery_;  // cancelled when the monitor goes
  MonitorObserver* observer_ = nullptr;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta
