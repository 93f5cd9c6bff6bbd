#include "platform/sim/sim_menu_bar.h"

namespace lumetta::sim {

void SimMenuBarExtra::install(const StatusItemConfiguration& configuration,
                              std::function<void()> opened, std::function<void()> closed) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  statusItem_ = configuration;
  opened_ = std::move(opened);
  closed_ = std::move(closed);
}

void SimMenuBarExtra::setContent(ViewNode root) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  content_ = std::move(root);
}

void SimMenuBarExtra::open() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!statusItem_ || open_) return;
  open_ = true;
  if (opened_) opened_();
}

void SimMenuBarExtra::close() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!open_) return;
  open_ = false;
  if (closed_) closed_();
}

}  // namespace lumetta::sim
