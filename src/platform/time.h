// Time as types. A Duration is a length of time; an Uptime is a point on the
// monotonic uptime clock. They do not convert into each other or into plain
// numbers: a point plus a duration is a point, the difference of two points is
// a duration, and numbers come in and out only through named functions that
// say their unit. Wall-clock time (WallTime, clock.h) is a third type.
#pragma once

#include <compare>
#include <limits>

namespace lumetta {

class Duration {
 public:
  constexpr Duration() = default;
  static constexpr Duration seconds(double seconds) { return Duration(seconds); }
  static constexpr Duration milliseconds(double milliseconds) {
    return Duration(milliseconds / 1000);
  }
  static constexpr Duration zero() { return Duration(); }

  constexpr double inSeconds() const { return seconds_; }
  constexpr double inMilliseconds() const { return seconds_ * 1000; }
  constexpr bool isPositive() const { return seconds_ > 0; }

  constexpr Duration operator-() const { return Duration(-seconds_); }
  constexpr Duration& operator+=(Duration other) {
    seconds_ += other.seconds_;
    return *this;
  }
  constexpr Duration& operator-=(Duration other) {
    seconds_ -= other.seconds_;
    return *this;
  }
  friend constexpr Duration operator+(Duration a, Duration b) { return a += b; }
  friend constexpr Duration operator-(Duration a, Duration b) { return a -= b; }
  friend constexpr Duration operator*(Duration a, double factor) {
    return Duration(a.seconds_ * factor);
  }
  friend constexpr Duration operator*(double factor, Duration a) { return a * factor; }
  friend constexpr Duration operator/(Duration a, double divisor) {
    return Duration(a.seconds_ / divisor);
  }
  // How many times `b` fits into `a`.
  friend constexpr double operator/(Duration a, Duration b) { return a.seconds_ / b.seconds_; }
  friend constexpr auto operator<=>(Duration, Duration) = default;

 private:
  constexpr explicit Duration(double seconds) : seconds_(seconds) {}
  double seconds_ = 0;
};

// A point on the monotonic uptime clock. never() lies after every other
// point: a timer set to fire then is parked, and work due then never runs.
class Uptime {
 public:
  constexpr Uptime() = default;
  // The clock's zero: boot on macOS, the start of the simulated desktop.
  static constexpr Uptime origin() { return Uptime(); }
  static constexpr Uptime never() { return Uptime(std::numeric_limits<double>::infinity()); }

  constexpr bool isNever() const { return *this == never(); }
  // How far after the clock's zero this point lies.
  constexpr Duration sinceOrigin() const { return Duration::seconds(seconds_); }

  constexpr Uptime& operator+=(Duration d) {
    seconds_ += d.inSeconds();
    return *this;
  }
  constexpr Uptime& operator-=(Duration d) {
    seconds_ -= d.inSeconds();
    return *this;
  }
  friend constexpr Uptime operator+(Uptime t, Duration d) { return t += d; }
  friend constexpr Uptime operator+(Duration d, Uptime t) { return t += d; }
  friend constexpr Uptime operator-(Uptime t, Duration d) { return t -= d; }
  friend constexpr Duration operator-(Uptime a, Uptime b) {
    return Duration::seconds(a.seconds_ - b.seconds_);
  }
  friend constexpr auto operator<=>(Uptime, Uptime) = default;

 private:
  constexpr explicit Uptime(double seconds) : seconds_(seconds) {}
  double seconds_ = 0;
};

}  // namespace lumetta
