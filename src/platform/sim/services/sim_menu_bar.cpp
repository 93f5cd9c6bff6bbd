#include "platform/sim/services/sim_menu_bar.h"

namespace lumetta::sim {

Registration SimMenuBarExtra::install(const StatusItemConfiguration& configuration,
                                      std::function<void()> opened, std::function<void()> closed) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  statusItem_ = configuration;
  return shown_.add([opened = std::move(opened), closed = std::move(closed)](bool open) {
    const std::function<void()>& callback = open ? opened : closed;
    if (callback) callback();
  });
}

void SimMenuBarExtra::setContent(ViewNode root) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  content_ = std::move(root);
}

void SimMenuBarExtra::open() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!statusItem_ || open_) return;
  open_ = true;
  shown_.notify(true);
}

void SimMenuBarExtra::close() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!open_) return;
  open_ = false;
  shown_.notify(false);
}

}  // namespace lumetta::sim
