#pragma once

// Time that moves only when its owner steps it: for runs that must not wait in real time (the
// tool's prompt simulation, tests), deterministic to the millisecond.

#include <functional>
#include <map>
#include <memory>

#include "platform/host.h"

namespace telvane::platform {

class SteppedTimers;

class SteppedClock : public Clock {
 public:
  Milliseconds Now() const override { return now_; }
  LocalTime LocalNow() const override;
  void Set(Milliseconds now) { now_ = now; }
  // Local time of day at Now() == 0.
  LocalTime start{2026, 12, 11, 9, 30, 0};

 private:
  Milliseconds now_ = 0;
};

class SteppedTimers : public Timers {
 public:
  explicit SteppedTimers(SteppedClock& clock) : clock_(clock) {}
  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) override;

  // The earliest due time of an active timer, or -1.
  Milliseconds NextDue() const;
  // Runs the timers due at or before the current time, earliest first.
  void RunDue();

 private:
  friend class SteppedTimer;
  struct Entry {
    std::function<void()> on_tick;
    Milliseconds interval = 0;
    Milliseconds due = 0;
    bool active = false;
  };
  SteppedClock& clock_;
  std::map<int, Entry> entries_;
  int next_id_ = 1;
};

}  // namespace telvane::platform
