#pragma once

// The eight colours that colour numbers 0 to 7 name throughout the program.

#include <array>
#include <cstdint>

namespace telvane::app {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr std::array<Rgb, 8> kEightColours{{
    {0, 0, 0},        // black
    {255, 0, 0},      // red
    {0, 255, 0},      // green
    {255, 255, 0},    // yellow
    {0, 0, 255},      // blue
    {255, 0, 255},    // magenta
    {0, 255, 255},    // cyan
    {255, 255, 255},  // white
}};

}  // namespace telvane::app
