// What the validation monitor lets another part of the program follow: its
// observers and registrations as the system answered them, the notifications
// it receives (before it reacts to them), and the moments it is about to read
// the target applications again.
#pragma once

#include "platform/accessibility.h"

namespace lumetta {

class MonitorObserver {
 public:
  virtual ~MonitorObserver() = default;
  virtual void observerCreated(Pid pid, AXError error) = 0;
  virtual void subscribed(const Element& element, AXNotification notification, AXError error) = 0;
  virtual void notificationArrived(const Element& element, AXNotification notification) = 0;
  // Before each scan of every target window.
  virtual void discoveryStarting() = 0;
  // Before each reading of the known mode buttons' labels.
  virtual void labelsSampling() = 0;
};

}  // namespace lumetta
