#include "power/overlay_activity_gate.h"

namespace lumetta {

OverlayActivityGate::OverlayActivityGate(RunLoop& runLoop, NotificationCenter& center,
                                         WindowServer& windowServer,
                                         std::function<void(bool)> changed,
                                         std::function<bool()> displayAwake,
                                         std::optional<bool> onConsole)
    : runLoop_(runLoop),
      center_(center),
      changed_(std::move(changed)),
      displayAwake_(displayAwake ? std::move(displayAwake)
                                 : [&windowServer] { return hasAwakeDisplay(windowServer); }) {
  // The session dictionary is asked only when the caller does not say.
  const bool console = onConsole ? *onConsole : sessionOnConsole(windowServer);
  const bool awake = displayAwake_();
  state_ = {false, !awake, !console};

  const std::pair<WorkspaceNotification, OverlayPowerEvent> events[] = {
      {WorkspaceNotification::willSleep, OverlayPowerEvent::systemSleep},
      {WorkspaceNotification::didWake, OverlayPowerEvent::systemWake},
      {WorkspaceNotification::screensDidSleep, OverlayPowerEvent::displaysSleep},
      {WorkspaceNotification::screensDidWake, OverlayPowerEvent::displaysWake},
      {WorkspaceNotification::sessionDidResignActive, OverlayPowerEvent::sessionLeave},
      {WorkspaceNotification::sessionDidBecomeActive, OverlayPowerEvent::sessionEnter},
  };
  // The registrations die with the gate, so `this` never outlives it.
  for (auto [name, event] : events) {
    tokens_.push_back(
        center_.addObserver(name, [this, event = event](const Notification&) { receive(event); }));
  }
  scheduleResume();
}

OverlayActivityGate::~OverlayActivityGate() { stop(); }

void OverlayActivityGate::receive(OverlayPowerEvent event) {
  if (resume_) resume_->cancel();
  {
    MutexLock guard(lock_);
    if (stopped_) return;
    state_.receive(event);
    active_ = false;
    ++generation_;
  }
  changed_(false);
  scheduleResume();
}

void OverlayActivityGate::scheduleResume() {
  Token generation;
  {
    MutexLock guard(lock_);
    if (!state_.permitsWork() || stopped_) return;
    generation = generation_;
  }
  resume_ = std::make_shared<WorkItem>([this, generation] { resumeIfCurrent(generation); });
  runLoop_.postAfter(kResumeDelay, resume_);
}

void OverlayActivityGate::resumeIfCurrent(Token generation) {
  const bool awake = displayAwake_();
  {
    MutexLock guard(lock_);
    if (stopped_ || generation_ != generation || !state_.permitsWork() || !awake) return;
    active_ = true;
  }
  changed_(true);
}

std::optional<OverlayActivityGate::Token> OverlayActivityGate::beginWork() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (displayAwake_()) {
    MutexLock guard(lock_);
    if (active_ && !stopped_) return generation_;
    return std::nullopt;
  }
  bool displaysSleeping;
  {
    MutexLock guard(lock_);
    displaysSleeping = state_.displaysSleeping;
  }
  // Notice dark displays before any notification says so.
  if (!displaysSleeping) receive(OverlayPowerEvent::displaysSleep);
  return std::nullopt;
}

bool OverlayActivityGate::isCurrent(Token token) {
  MutexLock guard(lock_);
  return active_ && !stopped_ && generation_ == token;
}

void OverlayActivityGate::stop() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (resume_) resume_->cancel();
  resume_.reset();
  {
    MutexLock guard(lock_);
    active_ = false;
    stopped_ = true;
    ++generation_;
  }
  tokens_.clear();
}

bool OverlayActivityGate::hasAwakeDisplay(WindowServer& windowServer) {
  auto displays = windowServer.onlineDisplays();
  if (!displays || displays->empty()) return false;
  for (DisplayID display : *displays) {
    if (!windowServer.displayIsAsleep(display)) return true;
  }
  return false;
}

bool OverlayActivityGate::sessionOnConsole(WindowServer& windowServer) {
  auto session = windowServer.copySessionDictionary();
  const auto* dictionary = session ? session->get<RawDictionary>() : nullptr;
  const RawValue* onConsole = dictionary ? find(*dictionary, "kCGSSessionOnConsoleKey") : nullptr;
  const bool* flag = onConsole ? onConsole->get<bool>() : nullptr;
  return flag && *flag;
}

}  // namespace lumetta
