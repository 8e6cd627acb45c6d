#pragma once

// The card's colour tables: the eight colours as luma and colour difference, and the three
// 16384-entry tables through which the card turns colour numbers and the fraction of an edge
// into picture values.

#include <array>
#include <cstdint>
#include <vector>

#include "config/colours.h"
#include "config/settings.h"
#include "devices/prompt_card.h"

namespace telvane::devices {

// One colour in the card's terms, before rounding: luma 16 (black) to 235 (white) at
// "Scaling" 100, and U and V within -112 to 112 at that scaling.
struct CardColour {
  double luma = 0;
  double u = 0;
  double v = 0;
};

CardColour CardColourOf(config::ColourValue rgb, int scaling);

inline constexpr int kColourTableEntries = 16384;
enum class ColourComponent { kLuma, kU, kV };

// One table, indexed by fraction (bits 0 and 1) and colours a, b, c (bits 2 to 5, 6 to 9,
// 10 to 13). Luma entries are unsigned bytes; U and V are signed bytes (two's complement).
// Values beyond a byte's range, as a "Scaling" above 100 gives, are clamped to it.
std::array<std::uint8_t, kColourTableEntries> BuildColourTable(
    const std::array<CardColour, 8>& colours, ColourComponent component);

// The three tables, luma, U and V, each as 4096 words of four entries, the first entry in the
// low byte.
std::vector<std::uint32_t> ColourTableWords(int scaling);

// For PromptCard::SetColourTableSource; "Scaling" is read at each send.
PromptCard::ColourTableSource MakeColourTableSource(const config::Settings& settings);

}  // namespace telvane::devices
