#include "devices/soft_card_transport.h"

#include <algorithm>

namespace telvane::devices {

bool SoftCardTransport::Write(std::span<const std::uint32_t> words) {
  // The card refuses a malformed block itself and counts it; the write has still arrived.
  static_cast<void>(card_.Receive(words));
  return true;
}

void SoftCardTransport::Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) {
  card_.OnTick(clock_.Now());
  const std::vector<std::uint8_t> events = card_.TakeEvents();
  pending_.insert(pending_.end(), events.begin(), events.end());
  const std::size_t take = std::min(max_bytes, pending_.size());
  bytes.insert(bytes.end(), pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(take));
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(take));
}

}  // namespace telvane::devices
