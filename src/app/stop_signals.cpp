#include "app/stop_signals.h"

#include <csignal>

namespace lumetta {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t received = 0;

extern "C" void requestStop(int signal) {
  if (received == 0) received = signal;
}

}  // namespace

void installStopSignals() {
  for (const int signal : kStopSignals) {
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
}

int stopSignal() { return received; }

void restoreDefaultSignals() {
  for (const int signal : kStopSignals) {
    struct sigaction now {};
    if (::sigaction(signal, nullptr, &now) == 0 && now.sa_handler == requestStop) {
      std::signal(signal, SIG_DFL);
    }
  }
  if (received != 0) std::raise(received);
}

const char* stopReason(int signal) {
  switch (signal) {
    case SIGINT: return "interrupted (SIGINT)";
    case SIGHUP: return "terminated (SIGHUP)";
    default: return "terminated (SIGTERM)";
  }
}

}  // namespace lumetta
