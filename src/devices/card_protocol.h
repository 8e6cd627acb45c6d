#pragma once

// The prompt card's exchange: 32-bit command words going out, one-character events (some with
// a trailing byte) coming back.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace telvane::devices {

// Bits 16 to 23 the code, bits 0 to 15 the argument; bits 24 and 25 carry the blank-screen
// state and the function-button lamp on every word; bits 26 to 31 are never set.
struct CardCommand {
  enum Code : std::uint8_t {
    kNoOp = 0x00,
    kRefreshPage = 0x01,  // 896 rows replace the page in place
    kNewPage = 0x02,      // 896 rows start a new page
    kRowsBelow = 0x03,    // 128 rows added below (forward)
    kRowsAbove = 0x04,    // 128 rows added above (backward)
    kColourTables = 0x07,
    kHold = 0x08,  // argument kHoldOn, kRelease or kSlugPause
    kBand = 0x09,
    kBlack = 0x0A,
    kSpeed = 0x0B,
    kSetUp = 0x0C,  // the first word of the set-up block
    kApplyCue = 0x0D,
    kInitialise = 0x0E,
    kProbe = 0x13,
  };
  static constexpr std::uint16_t kHoldOn = 0;
  static constexpr std::uint16_t kRelease = 1;
  static constexpr std::uint16_t kSlugPause = 2;
  static constexpr std::uint32_t kBlankBit = 0x1000000;
  static constexpr std::uint32_t kLampBit = 0x2000000;

  std::uint8_t code = kNoOp;
  std::uint16_t argument = 0;
  bool blank = false;
  bool lamp = false;

  std::uint32_t Encode() const;
  // Nothing when a bit above the lamp bit is set; the code itself is not checked here.
  static std::optional<CardCommand> Decode(std::uint32_t word);

  friend bool operator==(const CardCommand&, const CardCommand&) = default;
};

// Words that follow a command: rows (run words), the set-up block and the colour tables.
namespace card_data {
inline constexpr int kRowPixels = 668;
inline constexpr int kPageRows = 896;
inline constexpr int kFillRows = 128;
inline constexpr int kSetUpWords = 59;  // including its command word
inline constexpr int kColourTableWords = 3 * 4096;
}  // namespace card_data

struct CardEvent {
  enum Code : char {
    kBlankKey = '8',
    kFunction = '<',
    kAck = '>',
    kBackward = 'B',
    kDone = 'E',  // the card has taken a whole page or fill
    kForward = 'F',
    kInitialised = 'I',
    kNextStory = 'J',
    kSkip = 'K',  // two bytes follow, of no meaning to the program
    kPreviousStory = 'L',
    kNext = 'N',
    kTop = 'T',
    kSpeed = 'U',    // the hand controller's speed byte follows
    kBattery = 'V',  // the hand controller's battery byte follows (USB prompter)
    kHoldDone = 'Z',
  };

  char code = kDone;
  // The trailing byte of 'U' (speed) and 'V' (battery).
  std::uint8_t value = 0;

  void AppendTo(std::vector<std::uint8_t>& bytes) const;

  friend bool operator==(const CardEvent&, const CardEvent&) = default;
};

// Turns the card's byte stream into events, whatever the split of its reads.
class CardEventDecoder {
 public:
  void Receive(std::span<const std::uint8_t> bytes);
  // Events complete so far, oldest first; the decoder keeps an event still waiting for its
  // trailing bytes.
  std::vector<CardEvent> TakeEvents();

 private:
  std::vector<CardEvent> events_;
  std::optional<CardEvent> pending_;
  int trailing_ = 0;
};

// Bytes after the event code: 'U' and 'V' carry one, 'K' two, every other event none.
int TrailingBytes(char code);

}  // namespace telvane::devices
