#pragma once

// The countdown of timed inserts while prompting: each timing line the prompt passes joins a
// ring of 32 entries and adds its duration to the run-time offset; a one-second tick counts
// the insert at the read index down and then loads the next one.

#include <array>
#include <cstddef>

#include "store/line_record.h"

namespace telvane::runorder {

class InsertCountdown {
 public:
  static constexpr std::size_t kCapacity = 32;

  explicit InsertCountdown(double speech_rate);

  // The prompt passed a timing line. False when it is queued already or the ring is full
  // (a full ring keeps its entries rather than overwriting one that still counts).
  bool Add(const store::e_object& line);
  // One second of the insert timer; false when the timer should stop (nothing left to count).
  bool Tick();
  // Drops the current insert and empties the queue; the offset keeps what the other passed
  // inserts added.
  void Abort();
  // Empties the queue and the offset (a new script).
  void Reset();
  // The line is about to be freed.
  void LineRemoved(const store::e_object& line);

  double run_time_offset() const { return run_time_offset_; }
  double remaining() const { return remaining_; }
  // The line counting down now, null when none.
  const store::e_object* current() const;

 private:
  struct Entry {
    const store::e_object* line = nullptr;
    bool done = true;
  };
  double Seconds(const store::e_object& line) const;
  void Advance();

  double speech_rate_;
  std::array<Entry, kCapacity> ring_{};
  std::size_t read_ = 0;
  std::size_t write_ = 0;
  std::size_t pending_ = 0;
  double remaining_ = 0;
  bool counting_ = false;
  double run_time_offset_ = 0;
};

}  // namespace telvane::runorder
