// The built-in check of the renderer request bookkeeping, run by --self-test.
#include "renderer/self_tests.h"

#include <chrono>

#include "renderer/renderer_accessibility_requests.h"
#include "support/check.h"

namespace lumetta {

bool rendererAccessibilitySelfTest(std::ostream& out) {
  // A setter that always fails: the worst case for repeated activation.
  int activations = 0;
  auto activate = [&activations] {
    ++activations;
    return axerr::notImplemented;
  };
  const WallTime d1{std::chrono::seconds{100}};
  const WallTime d2{std::chrono::seconds{200}};

  SelfCheck check(out);
  RendererAccessibilityRequests requests;

  requests.request(1, d1, activate);
  check.expect("renderer activation begins without a saved opt-in", activations == 1);

  for (int i = 0; i < 10; ++i) requests.request(1, d1, activate);
  check.expect("renderer setter error does not cause repeated activation", activations == 1);

  requests.request(2, d1, activate);
  check.expect("renderer activation is independent per process", activations == 2);

  requests.request(1, d2, activate);
  check.expect("reused PID with new launch date activates again", activations == 3);

  requests.retain({1});
  requests.request(1, d2, activate);
  check.expect("active process remains deduplicated after pruning", activations == 3);

  requests.request(2, d1, activate);
  check.expect("removed process activates when discovered again", activations == 4);

  requests.request(3, std::nullopt, activate);
  requests.request(3, std::nullopt, activate);
  check.expect("unavailable launch date still deduplicates activation", activations == 5);

  RendererAccessibilityRequests restarted;
  restarted.request(1, d2, activate);
  check.expect("Lumetta restart requests activation for existing ChatGPT", activations == 6);

  return check.passed();
}

}  // namespace lumetta
