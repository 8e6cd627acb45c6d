#include "runorder/insert_countdown.h"

#include <algorithm>

#include "runorder/run_times.h"

namespace telvane::runorder {

namespace {

bool Cloaked(const store::e_object& line) {
  return store::HasFlag(line, store::line_flag::kTimingCloaked);
}

}  // namespace

InsertCountdown::InsertCountdown(double speech_rate, store::LineRefs& refs)
    : speech_rate_(ClampRate(speech_rate)) {
  ring_.reserve(kCapacity);
  for (std::size_t i = 0; i < kCapacity; ++i) ring_.emplace_back(refs);
}

double InsertCountdown::Seconds(const store::e_object& line) const {
  // Counted with timing only: a "//*" insert is hidden from story times but still runs.
  return TimingValue(line.text_a + line.text_b, speech_rate_, true) / speech_rate_;
}

bool InsertCountdown::Queued(const store::e_object& line) const {
  return std::any_of(ring_.begin(), ring_.end(),
                     [&](const Entry& e) { return e.line.get() == &line && !e.done; });
}

bool InsertCountdown::Add(store::e_object& line) {
  if (pending_ == kCapacity || Queued(line)) return false;
  Entry& e = ring_[write_];
  e.line = &line;
  e.seconds = Seconds(line);
  e.done = false;
  e.counted = !Cloaked(line);
  if (e.counted) run_time_offset_ += e.seconds;
  write_ = (write_ + 1) % kCapacity;
  ++pending_;
  return true;
}

void InsertCountdown::Discount(Entry& entry, double seconds) {
  if (entry.counted) run_time_offset_ = std::max(0.0, run_time_offset_ - seconds);
  entry.counted = false;
}

void InsertCountdown::Advance() {
  ring_[read_].done = true;
  ring_[read_].counted = false;
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
  // Inserts cloaked from timing, and lines deleted since they were passed, are skipped and
  // take their time out of the offset.
  while (pending_ > 0 &&
         (ring_[read_].line.get() == nullptr || Cloaked(*ring_[read_].line.get()))) {
    Discount(ring_[read_], ring_[read_].seconds);
    Advance();
  }
  if (pending_ == 0) return false;
  remaining_ = ring_[read_].seconds;
  counting_ = remaining_ > 0;
  if (!counting_) Advance();
  return true;
}

void InsertCountdown::Abort() {
  double offset = run_time_offset_;
  if (counting_) {
    offset -= remaining_ - 1;
    ring_[read_].counted = false;
  }
  for (const Entry& e : ring_) {
    if (!e.done && e.counted) offset -= e.seconds;
  }
  Reset();
  run_time_offset_ = std::max(0.0, offset);
}

void InsertCountdown::Reset() {
  for (Entry& e : ring_) {
    e.line = nullptr;
    e.done = true;
    e.counted = false;
  }
  read_ = write_ = pending_ = 0;
  remaining_ = 0;
  counting_ = false;
  run_time_offset_ = 0;
}

void InsertCountdown::TimingCloakChanged(const store::e_object& line) {
  for (std::size_t i = 0; i < kCapacity; ++i) {
    Entry& e = ring_[i];
    if (e.done || e.line.get() != &line) continue;
    const bool is_current = counting_ && i == read_;
    if (Cloaked(line)) {
      Discount(e, is_current ? remaining_ : e.seconds);
      if (is_current) {
        remaining_ = 0;
        counting_ = false;
        Advance();
      }
    } else if (!e.counted && !is_current) {
      e.counted = true;
      run_time_offset_ += e.seconds;
    }
  }
}

const store::e_object* InsertCountdown::current() const {
  return counting_ ? ring_[read_].line.get() : nullptr;
}

}  // namespace telvane::runorder
