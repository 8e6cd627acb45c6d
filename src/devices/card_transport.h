#pragma once

// One way of reaching the prompt output: command words and data out, the card's event bytes
// in. The prompt card interface sits over exactly one of these.

#include <cstdint>
#include <span>
#include <vector>

namespace telvane::devices {

enum class CardKind { kNone, kPci, kUsb, kSoft, kNetwork };

class CardTransport {
 public:
  virtual ~CardTransport() = default;
  virtual CardKind kind() const = 0;
  // Whether words can go out now; a network card whose display is away is not ready.
  virtual bool ready() const = 0;
  // One write; its boundary is kept as far as the far side can tell. False when it failed.
  virtual bool Write(std::span<const std::uint32_t> words) = 0;
  // Appends the bytes the card sent since the last call, at most max_bytes of them.
  virtual void Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) = 0;
};

}  // namespace telvane::devices
