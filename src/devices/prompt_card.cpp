#include "devices/prompt_card.h"

namespace telvane::devices {

namespace {
// One read takes at most this much; the rest waits for the next cycle, so a card that
// floods the line cannot hold the main thread.
constexpr std::size_t kMaxReadBytes = 4096;
constexpr int kSetUpAnswerMs = 1000;
}  // namespace

void PromptCard::Open(std::unique_ptr<CardTransport> transport) {
  Close();
  transport_ = std::move(transport);
}

void PromptCard::Close() {
  transport_.reset();
  decoder_ = CardEventDecoder{};
  queue_.Clear();
}

std::uint32_t PromptCard::WithStateBits(std::uint32_t word) const {
  return (word & 0x00FFFFFFU) | (state_bits_ ? state_bits_() : 0);
}

bool PromptCard::SendCommand(std::uint32_t word) {
  if (!present() || !transport_->ready()) return false;
  const std::uint32_t out = WithStateBits(word);
  return transport_->Write(std::span<const std::uint32_t>(&out, 1));
}

bool PromptCard::SendData(std::span<const std::uint32_t> words) {
  if (words.empty()) return true;
  if (!present() || !transport_->ready()) return false;
  return transport_->Write(words);
}

void PromptCard::ReadEvents() {
  if (!present()) return;
  read_buffer_.clear();
  transport_->Read(read_buffer_, kMaxReadBytes);
  if (read_buffer_.empty()) return;
  decoder_.Receive(read_buffer_);
  for (const CardEvent& event : decoder_.TakeEvents()) {
    if (event.code == CardEvent::kBattery && battery_handler_) {
      battery_handler_(event.value);
    } else {
      queue_.Push(event);
    }
  }
}

std::optional<CardEvent> PromptCard::TakeEvent() {
  return queue_.Take();
}

bool PromptCard::WaitForEvent(char code, int timeout_ms) {
  bool taken = false;
  const auto poll = [&] {
    ReadEvents();
    taken = queue_.TakeFirst(code).has_value();
    return taken;
  };
  if (poll()) return true;
  if (!present()) return false;
  loop_.WaitUntil(poll, timeout_ms);
  return taken;
}

bool PromptCard::SendSetUp(bool cue_hidden) {
  if (!set_up_source_) return false;
  std::vector<std::uint32_t> words = set_up_source_(cue_hidden);
  if (words.empty()) return false;
  words[0] = WithStateBits(words[0]);
  if (!SendData(words)) return false;
  return WaitForEvent(CardEvent::kAck, kSetUpAnswerMs);
}

bool PromptCard::SendColourTables() {
  if (!colour_source_) return false;
  const std::vector<std::uint32_t> tables = colour_source_();
  if (tables.size() != 3 * 4096) return false;
  if (!SendCommand(std::uint32_t{CardCommand::kColourTables} << 16)) return false;
  const std::span<const std::uint32_t> all(tables);
  for (int table = 0; table < 3; ++table) {
    if (!SendData(all.subspan(static_cast<std::size_t>(table) * 4096, 4096))) return false;
  }
  return true;
}

bool PromptCard::Initialise() {
  if (!SendCommand(std::uint32_t{CardCommand::kInitialise} << 16)) return false;
  if (!WaitForEvent(CardEvent::kInitialised, kSetUpAnswerMs)) return false;
  if (!SendColourTables()) return false;
  return SendSetUp(false);
}

}  // namespace telvane::devices
