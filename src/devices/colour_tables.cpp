#include "devices/colour_tables.h"

#include <algorithm>
#include <cmath>

namespace telvane::devices {

namespace {

constexpr double kLimit = 112;

bool Same(double a, double b) {
  return std::abs(a - b) < 1e-9;
}

double ComponentOf(const CardColour& colour, ColourComponent component) {
  switch (component) {
    case ColourComponent::kLuma:
      return colour.luma;
    case ColourComponent::kU:
      return colour.u;
    case ColourComponent::kV:
      return colour.v;
  }
  return 0;
}

std::uint8_t ToByte(double value, ColourComponent component) {
  const long rounded = std::lround(value);
  if (component == ColourComponent::kLuma) {
    return static_cast<std::uint8_t>(std::clamp<long>(rounded, 0, 255));
  }
  return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp<long>(rounded, -128, 127)));
}

}  // namespace

CardColour CardColourOf(config::ColourValue rgb, int scaling) {
  const double r = config::RedOf(rgb);
  const double g = config::GreenOf(rgb);
  const double b = config::BlueOf(rgb);
  double y = 0.299 * r + 0.587 * g + 0.114 * b;
  double u = (b - y) / 2;
  double v = (r - y) * 0.886 / 0.701 / 2;
  y = y * 219 / 255;
  if (std::abs(v) > kLimit) {
    u = u * kLimit / std::abs(v);
    v = std::copysign(kLimit, v);
  }
  if (std::abs(u) > kLimit) {
    v = v * kLimit / std::abs(u);
    u = std::copysign(kLimit, u);
  }
  return {scaling * y / 100 + 16, scaling * u / 100, scaling * v / 100};
}

std::array<std::uint8_t, kColourTableEntries> BuildColourTable(
    const std::array<CardColour, 8>& colours, ColourComponent component) {
  std::array<std::uint8_t, kColourTableEntries> table{};
  for (int index = 0; index < kColourTableEntries; ++index) {
    const int f = index & 3;
    const int a = (index >> 2) & 15;
    const int b = (index >> 6) & 15;
    const int c = (index >> 10) & 15;
    if (a > 7 || b > 7 || c > 7) continue;
    const double va = ComponentOf(colours[static_cast<std::size_t>(a)], component);
    const double vb = ComponentOf(colours[static_cast<std::size_t>(b)], component);
    const double vc = ComponentOf(colours[static_cast<std::size_t>(c)], component);
    double entry = va;
    if (!Same(va, vb)) {
      entry = vb + f * (va - vb) / 8;
    } else if (!Same(vb, vc)) {
      entry = vc + (vb - vc) / 2 + f * (vb - vc) / 8;
    }
    table[static_cast<std::size_t>(index)] = ToByte(entry, component);
  }
  return table;
}

std::vector<std::uint32_t> ColourTableWords(int scaling) {
  std::array<CardColour, 8> colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = CardColourOf(config::kEightColours[i], scaling);
  }
  std::vector<std::uint32_t> words;
  words.reserve(card_data::kColourTableWords);
  for (const ColourComponent component :
       {ColourComponent::kLuma, ColourComponent::kU, ColourComponent::kV}) {
    const auto table = BuildColourTable(colours, component);
    for (std::size_t i = 0; i < table.size(); i += 4) {
      words.push_back(std::uint32_t{table[i]} | std::uint32_t{table[i + 1]} << 8 |
                      std::uint32_t{table[i + 2]} << 16 | std::uint32_t{table[i + 3]} << 24);
    }
  }
  return words;
}

PromptCard::ColourTableSource MakeColourTableSource(const config::Settings& settings) {
  return [&settings] { return ColourTableWords(settings.Int(config::Key::kPcCardScaling)); };
}

}  // namespace telvane::devices
