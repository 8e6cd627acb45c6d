#pragma once

// The soft card in this process: words go straight to it, and each read first lets it scroll
// to the host clock's time.

#include "devices/card_transport.h"
#include "devices/soft_card.h"
#include "platform/host.h"

namespace telvane::devices {

class SoftCardTransport : public CardTransport {
 public:
  SoftCardTransport(SoftCard& card, const platform::Clock& clock) : card_(card), clock_(clock) {}

  CardKind kind() const override { return CardKind::kSoft; }
  bool ready() const override { return true; }
  bool Write(std::span<const std::uint32_t> words) override;
  void Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) override;

 private:
  SoftCard& card_;
  const platform::Clock& clock_;
  std::vector<std::uint8_t> pending_;
};

}  // namespace telvane::devices
