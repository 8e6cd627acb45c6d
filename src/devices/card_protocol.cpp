#include "devices/card_protocol.h"

namespace telvane::devices {

std::uint32_t CardCommand::Encode() const {
  return (static_cast<std::uint32_t>(code) << 16) | argument | (blank ? kBlankBit : 0) |
         (lamp ? kLampBit : 0);
}

std::optional<CardCommand> CardCommand::Decode(std::uint32_t word) {
  if ((word & 0xFC000000U) != 0) return std::nullopt;
  CardCommand command;
  command.code = static_cast<std::uint8_t>((word >> 16) & 0xFF);
  command.argument = static_cast<std::uint16_t>(word & 0xFFFF);
  command.blank = (word & kBlankBit) != 0;
  command.lamp = (word & kLampBit) != 0;
  return command;
}

int TrailingBytes(char code) {
  switch (code) {
    case CardEvent::kSpeed:
    case CardEvent::kBattery:
      return 1;
    case CardEvent::kSkip:
      return 2;
    default:
      return 0;
  }
}

void CardEvent::AppendTo(std::vector<std::uint8_t>& bytes) const {
  bytes.push_back(static_cast<std::uint8_t>(code));
  const int trailing = TrailingBytes(code);
  for (int i = 0; i < trailing; ++i) bytes.push_back(value);
}

void CardEventDecoder::Receive(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (pending_) {
      pending_->value = byte;
      if (--trailing_ == 0) {
        events_.push_back(*pending_);
        pending_.reset();
      }
      continue;
    }
    const CardEvent event{static_cast<char>(byte), 0};
    trailing_ = TrailingBytes(event.code);
    if (trailing_ == 0) {
      events_.push_back(event);
    } else {
      pending_ = event;
    }
  }
}

std::vector<CardEvent> CardEventDecoder::TakeEvents() {
  std::vector<CardEvent> taken;
  taken.swap(events_);
  return taken;
}

}  // namespace telvane::devices
