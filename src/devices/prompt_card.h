#pragma once

// The prompt card as the program reaches it: command words and data out through one
// transport, the card's events read into the queue, and the waits for an answer.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "devices/card_event_queue.h"
#include "devices/card_protocol.h"
#include "devices/card_transport.h"
#include "platform/host.h"

namespace telvane::devices {

class PromptCard {
 public:
  // Words of the set-up block (59, the command word first) with the cue marker shown or
  // hidden, and the three colour tables (4096 words each, luma, U, V).
  using SetUpSource = std::function<std::vector<std::uint32_t>(bool cue_hidden)>;
  using ColourTableSource = std::function<std::vector<std::uint32_t>()>;
  // The blank-screen and lamp bits every command word carries.
  using StateBits = std::function<std::uint32_t()>;

  PromptCard(const platform::Clock& clock, platform::EventLoop& loop)
      : clock_(clock), loop_(loop) {}

  void Open(std::unique_ptr<CardTransport> transport);
  void Close();
  bool present() const { return transport_ != nullptr && transport_->kind() != CardKind::kNone; }
  CardKind kind() const { return transport_ ? transport_->kind() : CardKind::kNone; }
  CardTransport* transport() { return transport_.get(); }

  void SetSetUpSource(SetUpSource source) { set_up_source_ = std::move(source); }
  void SetColourTableSource(ColourTableSource source) { colour_source_ = std::move(source); }
  void SetStateBits(StateBits bits) { state_bits_ = std::move(bits); }
  // The USB prompter's 'V' and its byte report the hand controller's battery; with a handler
  // set they go to it instead of the queue.
  void SetBatteryHandler(std::function<void(std::uint8_t)> handler) {
    battery_handler_ = std::move(handler);
  }

  // The code and argument of a command; the state bits are added here.
  bool SendCommand(std::uint32_t word);
  // Nothing to send is a success.
  bool SendData(std::span<const std::uint32_t> words);

  // Moves what the card sent into the queue; a bounded amount per call.
  void ReadEvents();
  std::optional<CardEvent> TakeEvent();
  CardEventQueue& queue() { return queue_; }
  // Serves the event loop, reading events, until the wanted event is taken or the time is up.
  // Events that arrive meanwhile stay queued in order.
  bool WaitForEvent(char code, int timeout_ms);

  // The set-up block, answered with '>'.
  bool SendSetUp(bool cue_hidden);
  bool SendColourTables();
  // 0x0E0000 answered with 'I', then the colour tables and the set-up block.
  bool Initialise();

 private:
  // The code and argument with the blank and lamp bits of now.
  std::uint32_t WithStateBits(std::uint32_t word) const;

  const platform::Clock& clock_;
  platform::EventLoop& loop_;
  std::unique_ptr<CardTransport> transport_;
  CardEventDecoder decoder_;
  CardEventQueue queue_;
  SetUpSource set_up_source_;
  ColourTableSource colour_source_;
  StateBits state_bits_;
  std::function<void(std::uint8_t)> battery_handler_;
  std::vector<std::uint8_t> read_buffer_;
};

}  // namespace telvane::devices
