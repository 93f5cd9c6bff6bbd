// The controller's status text, the diagnostics the popover shows and
// --overlays prints, published to `changed` only when it differs from what
// was published last. Main thread only (checked).
//
// Its owner says two things: that something the text shows has changed
// (`invalidate`), and that the text is due, as at the end of a pass
// (`update`). A due text that was invalidated is built once by a task on the
// main queue, however many passes ask for it before that task runs, so a
// 60 Hz pass that changes nothing costs nothing, and a notification that sets
// off several passes builds it once. `show` puts up another text (the
// permission request) at once, until the next build.
#pragma once

#include <functional>
#include <string>

#include "platform/contract_checks.h"
#include "platform/run_loop.h"
#include "platform/weak_handle.h"

namespace lumetta {

class StatusText {
 public:
  // `describe` builds the text from the owner's state.
  StatusText(RunLoop& runLoop, std::string initial, std::function<std::string()> describe,
             std::function<void()> changed)
      : runLoop_(runLoop),
        text_(std::move(initial)),
        describe_(std::move(describe)),
        changed_(std::move(changed)) {}

  const std::string& text() const { return text_; }

  // What the text shows has changed; it is built again when next due.
  void invalidate() { invalid_ = true; }
  // The text is due: built, if invalid, once the main queue gets to it.
  void update() {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    if (!invalid_ || buildPosted_) return;
    buildPosted_ = true;
    runLoop_.post([weak = weak_.handle()] {
      if (StatusText* self = weak.get()) self->build();
    });
  }
  // Builds a due text now rather than on the main queue.
  void flush() {
    if (buildPosted_) build();
  }
  // Shows `text` until the next build; a build already asked for is dropped.
  void show(std::string text) {
    buildPosted_ = false;
    invalid_ = true;
    publish(std::move(text));
  }

 private:
  void build() {
    if (!buildPosted_) return;  // dropped by `show`, or built by `flush`
    buildPosted_ = false;
    invalid_ = false;
    publish(describe_());
  }
  void publish(std::string text) {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    if (text == text_) return;
    text_ = std::move(text);
    changed_();
  }

  RunLoop& runLoop_;
  std::string text_;
  const std::function<std::string()> describe_;
  const std::function<void()> changed_;
  bool invalid_ = true;       // something shown changed since the last build
  bool buildPosted_ = false;  // a build is due on the main queue
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
  WeakHandleFactory<StatusText> weak_{this};
};

}  // namespace lumetta
