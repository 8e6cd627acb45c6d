#include "runorder/insert_countdown.h"

#include <algorithm>

#include "runorder/run_times.h"

namespace telvane::runorder {

InsertCountdown::InsertCountdown(double speech_rate) : speech_rate_(ClampRate(speech_rate)) {}

double InsertCountdown::Seconds(const store::e_object& line) const {
  // Counted with timing only: a "//*" insert is hidden from story times but still runs.
  return TimingValue(line.text_a + line.text_b, speech_rate_, true) / speech_rate_;
}

bool InsertCountdown::Add(const store::e_object& line) {
  if (pending_ == kCapacity) return false;
  for (const Entry& e : ring_) {
    if (e.line == &line && !e.done) return false;
  }
  ring_[write_] = {&line, false};
  write_ = (write_ + 1) % kCapacity;
  ++pending_;
  run_time_offset_ += Seconds(line);
  return true;
}

void InsertCountdown::Advance() {
  ring_[read_].done = true;
  read_ = (read_ + 1) % kCapacity;
  --pending_;
}

bool InsertCountdown::Tick() {
  if (counting_) {
    remaining_ -= 1;
    run_time_offset_ = std::max(0.0, run_time_offset_ - 1);
    // A fractional duration never lands on 0 exactly.
    if (remaining_ <= 0) {
      remaining_ = 0;
      counting_ = false;
      Advance();
    }
    return true;
  }
  // Inserts cloaked from timing, and lines deleted since they were passed, are skipped.
  while (pending_ > 0 && (ring_[read_].line == nullptr ||
                          store::HasFlag(*ring_[read_].line, store::line_flag::kTimingCloaked))) {
    Advance();
  }
  if (pending_ == 0) return false;
  remaining_ = Seconds(*ring_[read_].line);
  counting_ = remaining_ > 0;
  if (!counting_) Advance();
  return true;
}

void InsertCountdown::Abort() {
  double offset = run_time_offset_;
  if (counting_) offset = std::max(0.0, offset - remaining_ + 1);
  Reset();
  run_time_offset_ = offset;
}

void InsertCountdown::Reset() {
  *this = InsertCountdown(speech_rate_);
}

void InsertCountdown::LineRemoved(const store::e_object& line) {
  for (Entry& e : ring_) {
    if (e.line == &line) e.line = nullptr;
  }
}

const store::e_object* InsertCountdown::current() const {
  return counting_ ? ring_[read_].line : nullptr;
}

}  // namespace telvane::runorder
