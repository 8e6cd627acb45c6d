#pragma once

// The card's events in arrival order, with the two rules that keep a backlog from piling up:
// no second '>' in a row, and seven 'N' with nothing else between them collapse.

#include <cstddef>
#include <deque>
#include <optional>

#include "devices/card_protocol.h"

namespace telvane::devices {

class CardEventQueue {
 public:
  // A queue that a misbehaving card floods stops growing here; the oldest events are of no use
  // by the time that many have arrived.
  static constexpr std::size_t kMaxEvents = 4096;

  void Push(const CardEvent& event);
  std::optional<CardEvent> Take();
  // Takes the first queued event with the given code, leaving the others in order.
  std::optional<CardEvent> TakeFirst(char code);
  void Clear() { events_.clear(); }
  bool empty() const { return events_.empty(); }
  std::size_t size() const { return events_.size(); }

 private:
  void CollapseRowRequests();

  std::deque<CardEvent> events_;
};

}  // namespace telvane::devices
