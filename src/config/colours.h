#pragma once

// Colours as the configuration stores them: 0x00BBGGRR, red in the low byte; values with
// the top byte set name one of the operating system's colours instead.

#include <array>
#include <cstdint>

namespace telvane::config {

using ColourValue = std::uint32_t;

// Colour numbers 0 to 7: black, red, green, yellow, blue, magenta, cyan, white.
inline constexpr std::array<ColourValue, 8> kEightColours{0x000000, 0x0000FF, 0x00FF00, 0x00FFFF,
                                                          0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

constexpr ColourValue ColourNumber(int index) {
  return kEightColours[static_cast<std::size_t>(index & 7)];
}

constexpr bool IsSystemColour(ColourValue value) {
  return (value & 0xFF000000u) != 0;
}

// A stored colour, or stand_in where it names a system colour the core cannot know.
constexpr ColourValue ResolveColour(int stored, ColourValue stand_in) {
  const auto value = static_cast<ColourValue>(stored);
  return IsSystemColour(value) ? stand_in : value;
}

constexpr std::uint8_t RedOf(ColourValue v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
constexpr std::uint8_t GreenOf(ColourValue v) {
  return static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(ColourValue v) {
  return static_cast<std::uint8_t>((v >> 16) & 0xFF);
}

}  // namespace telvane::config
