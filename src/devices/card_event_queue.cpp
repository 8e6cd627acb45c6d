#include "devices/card_event_queue.h"

#include <algorithm>

namespace telvane::devices {

void CardEventQueue::Push(const CardEvent& event) {
  if (event.code == CardEvent::kAck && !events_.empty() && events_.back().code == CardEvent::kAck) {
    return;
  }
  if (events_.size() == kMaxEvents) events_.pop_front();
  events_.push_back(event);
  if (event.code == CardEvent::kNext && events_.size() >= 7) CollapseRowRequests();
}

void CardEventQueue::CollapseRowRequests() {
  // From the front, passing over '>': seven 'N' before anything else means the card asked
  // faster than rows went out, and filling the backlog row by row would only fall further
  // behind. A '>' at the very front is an answer someone waits for and stays.
  int found = 0;
  std::size_t end = 0;
  for (std::size_t i = 0; i < events_.size(); ++i) {
    const char code = events_[i].code;
    if (code == CardEvent::kAck) continue;
    if (code != CardEvent::kNext) return;
    if (++found == 7) {
      end = i + 1;
      break;
    }
  }
  if (found < 7) return;
  const bool keep_front = events_.front().code == CardEvent::kAck;
  events_.erase(events_.begin() + (keep_front ? 1 : 0), events_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::optional<CardEvent> CardEventQueue::Take() {
  if (events_.empty()) return std::nullopt;
  CardEvent event = events_.front();
  events_.pop_front();
  return event;
}

std::optional<CardEvent> CardEventQueue::TakeFirst(char code) {
  const auto found = std::find_if(events_.begin(), events_.end(),
                                  [code](const CardEvent& event) { return event.code == code; });
  if (found == events_.end()) return std::nullopt;
  CardEvent event = *found;
  events_.erase(found);
  return event;
}

}  // namespace telvane::devices
