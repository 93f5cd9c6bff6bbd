// expect: no viable conversion from returned value of type
// libc++'s system clock counts microseconds: a time point plus nanoseconds is
// no longer one of its time points.
#include <chrono>

std::chrono::system_clock::time_point later(std::chrono::system_clock::time_point time) {
  return time + std::chrono::nanoseconds(1);
}
