#pragma once

// A PNG of colour-number pixels through a palette, for pages written by telvane-tool.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace telvane::prompt {

using Rgb = std::array<std::uint8_t, 3>;

// The eight-colour table: black, red, green, yellow, blue, magenta, cyan, white.
inline constexpr std::array<Rgb, 8> kEightColours = {{{0, 0, 0},
                                                      {255, 0, 0},
                                                      {0, 255, 0},
                                                      {255, 255, 0},
                                                      {0, 0, 255},
                                                      {255, 0, 255},
                                                      {0, 255, 255},
                                                      {255, 255, 255}}};

// An 8-bit palette PNG of width * height pixels, each an index into palette; empty when
// the sizes do not match or compression failed.
std::string EncodePalettePng(int width, int height, std::span<const std::uint8_t> pixels,
                             std::span<const Rgb> palette);

}  // namespace telvane::prompt
