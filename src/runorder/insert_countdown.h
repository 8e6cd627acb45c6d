#pragma once

// The countdown of timed inserts while prompting: each timing line the prompt passes joins a
// ring of 32 entries and adds its duration to the run-time offset; a one-second tick counts
// the insert at the read index down and then loads the next one. The offset only ever holds
// the time of inserts that are still to count down, so it never goes below 0.

#include <cstddef>
#include <vector>

#include "store/line_refs.h"

namespace telvane::runorder {

class InsertCountdown {
 public:
  static constexpr std::size_t kCapacity = 32;

  // Queued lines are held through refs, so a deleted line leaves the queue safely.
  InsertCountdown(double speech_rate, store::LineRefs& refs);

  // The prompt passed a timing line. False when it is queued already or the ring is full
  // (a full ring keeps its entries rather than overwriting one that still counts). A line
  // cloaked from timing is queued without adding to the offset.
  bool Add(store::e_object& line);
  // One second of the insert timer; false when the timer should stop (nothing left to count).
  bool Tick();
  // Drops the current insert (the offset keeps one second of it) and empties the queue,
  // taking the queued inserts' time out of the offset with them.
  void Abort();
  // Empties the queue and the offset (a new script).
  void Reset();
  // The line's timing cloak (flag 0x2000) was just toggled: a queued insert that counted
  // gives its time back (the current one stops), one that counts again adds it once more.
  void TimingCloakChanged(const store::e_object& line);

  double run_time_offset() const { return run_time_offset_; }
  double remaining() const { return remaining_; }
  // The line counting down now, null when none.
  const store::e_object* current() const;
  bool Queued(const store::e_object& line) const;

 private:
  struct Entry {
    explicit Entry(store::LineRefs& refs)
        : line(refs, store::OnDelete::kClear, store::OnNewScript::kClear) {}
    store::LineRef line;
    double seconds = 0;
    bool done = true;
    bool counted = false;  // its seconds are in the offset
  };
  double Seconds(const store::e_object& line) const;
  void Advance();
  void Discount(Entry& entry, double seconds);

  double speech_rate_;
  std::vector<Entry> ring_;
  std::size_t read_ = 0;
  std::size_t write_ = 0;
  std::size_t pending_ = 0;
  double remaining_ = 0;
  bool counting_ = false;
  double run_time_offset_ = 0;
};

}  // namespace telvane::runorder
