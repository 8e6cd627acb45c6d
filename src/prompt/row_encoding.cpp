#include "prompt/row_encoding.h"

#include <algorithm>

#include "prompt/pixel_view.h"

namespace telvane::prompt {

CardColourMap BuildCardColourMap() {
  std::array<std::uint8_t, 8> pixels{};
  const PixelView view{pixels.data(), 8, 1, 8};
  for (int n = 0; n < 8; ++n) {
    view.Fill(n, 0, n + 1, 1, static_cast<std::uint8_t>(n));
  }
  CardColourMap map{};
  for (int n = 0; n < 8; ++n) {
    map[pixels[n]] = static_cast<std::uint8_t>(n);
  }
  return map;
}

int EncodeRow(std::span<const std::uint8_t> row, const CardColourMap& map,
              std::vector<std::uint32_t>& words) {
  const std::size_t before = words.size();
  std::size_t i = 0;
  while (i < row.size()) {
    const std::uint8_t value = row[i];
    std::size_t end = i + 1;
    while (end < row.size() && row[end] == value) ++end;
    std::size_t left = end - i;
    while (left > 0) {
      const auto length = static_cast<std::uint32_t>(
          std::min<std::size_t>(left, static_cast<std::size_t>(run_word::kMaxRun)));
      const std::uint32_t mark = words.size() == before ? run_word::kFirst : run_word::kLater;
      words.push_back(map[value] | (length << 8) | (mark << 16));
      left -= length;
    }
    i = end;
  }
  return static_cast<int>(words.size() - before);
}

}  // namespace telvane::prompt
