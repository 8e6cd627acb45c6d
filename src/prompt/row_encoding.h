#pragma once

// Raster rows as the card takes them: one 32-bit run word per run of equal pixels.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace telvane::prompt {

// Byte value of the raster to the card's colour number 0 to 7.
using CardColourMap = std::array<std::uint8_t, 256>;

// Drawn through the raster's own fill: eight one-pixel rectangles in colours 0 to 7, each
// resulting byte value recorded with its colour number; every other value maps to 0.
CardColourMap BuildCardColourMap();

namespace run_word {
inline constexpr std::uint32_t kFirst = 5;
inline constexpr std::uint32_t kLater = 6;
inline constexpr int kMaxRun = 255;
}  // namespace run_word

// Appends the run words of one row, left to right, and yields how many.
int EncodeRow(std::span<const std::uint8_t> row, const CardColourMap& map,
              std::vector<std::uint32_t>& words);

}  // namespace telvane::prompt
