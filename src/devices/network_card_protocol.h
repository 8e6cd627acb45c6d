#pragma once

// The network card's framing, both ways over one TCP connection. Every write of the card
// interface travels as one frame, so the display's card sees the same write boundaries as a
// card on the bus would:
//
//   'T' 'V' kind 0  length (4 bytes, low byte first)  payload
//
// kind 1: command and data words, four bytes each, low byte first (program to display);
// kind 2: the card's event bytes (display to program);
// kind 3: a words frame has been taken, empty (display to program), so the program can
//         bound what is on its way.
// A frame that breaks these rules ends the connection: the stream cannot be trusted after it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "platform/result.h"

namespace telvane::devices::netcard {

inline constexpr std::size_t kHeaderBytes = 8;
// Well above the largest write the engine makes (a page in one write, every pixel its own
// run, is under 2.5 MB).
inline constexpr std::size_t kMaxPayloadBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxEventBytes = 4096;

enum class FrameKind : std::uint8_t { kWords = 1, kEvents = 2, kTaken = 3 };

struct Frame {
  FrameKind kind = FrameKind::kWords;
  std::vector<std::uint8_t> payload;
};

std::vector<std::uint8_t> EncodeWords(std::span<const std::uint32_t> words);
std::vector<std::uint8_t> EncodeEvents(std::span<const std::uint8_t> events);
std::vector<std::uint8_t> EncodeTaken();

std::vector<std::uint32_t> WordsOf(std::span<const std::uint8_t> payload);

// Reads frames from any split of the stream. Which kinds it accepts depends on the side.
class FrameReader {
 public:
  enum class Side { kDisplay, kProgram };  // the side that reads
  explicit FrameReader(Side side) : side_(side) {}

  // Consumes what arrived. An error is final: the caller drops the connection with it.
  Status Receive(std::span<const std::uint8_t> bytes);
  bool HasFrame() const { return !frames_.empty(); }
  Frame TakeFrame();
  // Bytes held for a frame not yet complete.
  std::size_t buffered() const { return buffer_.size(); }

 private:
  Status CheckHeader() const;

  Side side_;
  std::vector<std::uint8_t> buffer_;
  std::deque<Frame> frames_;
  std::string error_;
};

}  // namespace telvane::devices::netcard
