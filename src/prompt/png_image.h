#pragma once

// A PNG of colour-number pixels through a palette, for pages written by telvane-tool.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "config/colours.h"

namespace telvane::prompt {

using Rgb = std::array<std::uint8_t, 3>;

// The eight-colour table as palette entries.
inline constexpr std::array<Rgb, 8> kEightColours = [] {
  std::array<Rgb, 8> palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const config::ColourValue c = config::kEightColours[i];
    palette[i] = {config::RedOf(c), config::GreenOf(c), config::BlueOf(c)};
  }
  return palette;
}();

// An 8-bit palette PNG of width * height pixels, each an index into palette; empty when
// the sizes do not match or compression failed.
std::string EncodePalettePng(int width, int height, std::span<const std::uint8_t> pixels,
                             std::span<const Rgb> palette);

}  // namespace telvane::prompt
