#include "platform/stepped_time.h"

#include <algorithm>

namespace telvane::platform {

LocalTime SteppedClock::LocalNow() const {
  LocalTime t = start;
  const std::int64_t seconds = t.hour * 3600 + t.minute * 60 + t.second + now_ / 1000;
  t.hour = static_cast<int>((seconds / 3600) % 24);
  t.minute = static_cast<int>((seconds / 60) % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

class SteppedTimer : public Timer {
 public:
  SteppedTimer(SteppedTimers& owner, int id) : owner_(owner), id_(id) {}
  ~SteppedTimer() override { owner_.entries_.erase(id_); }
  void Start(Milliseconds interval) override {
    auto& e = owner_.entries_[id_];
    e.interval = std::max<Milliseconds>(interval, 1);
    e.due = owner_.clock_.Now() + e.interval;
    e.active = true;
  }
  void Stop() override { owner_.entries_[id_].active = false; }
  bool IsActive() const override { return owner_.entries_.at(id_).active; }
  Milliseconds Interval() const override { return owner_.entries_.at(id_).interval; }

 private:
  SteppedTimers& owner_;
  int id_;
};

std::unique_ptr<Timer> SteppedTimers::CreateTimer(std::function<void()> on_tick) {
  const int id = next_id_++;
  entries_[id].on_tick = std::move(on_tick);
  return std::make_unique<SteppedTimer>(*this, id);
}

Milliseconds SteppedTimers::NextDue() const {
  Milliseconds best = -1;
  for (const auto& [id, e] : entries_) {
    if (e.active && (best < 0 || e.due < best)) best = e.due;
  }
  return best;
}

void SteppedTimers::RunDue() {
  for (;;) {
    int due_id = 0;
    Milliseconds due = 0;
    for (const auto& [id, e] : entries_) {
      if (e.active && e.due <= clock_.Now() && (due_id == 0 || e.due < due)) {
        due_id = id;
        due = e.due;
      }
    }
    if (due_id == 0) return;
    auto& e = entries_[due_id];
    e.due += e.interval;
    // Copy: the handler may destroy or restart its own timer.
    auto tick = e.on_tick;
    tick();
  }
}

}  // namespace telvane::platform
