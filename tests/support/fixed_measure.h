#pragma once

// A measure where every character of font n is 10 * (n + 1) pixels wide, so that line breaks
// are easy to predict without fonts. Header only: fuzz targets use it too.

#include <array>
#include <string_view>

#include "store/line_record.h"
#include "store/store_options.h"

namespace telvane::testing {

class FixedMeasure : public store::SegmentMeasure {
 public:
  store::PromptFit MeasurePromptFit(std::string_view text, std::string_view style, int /*charset*/,
                                    int max_width) const override {
    int total = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      total += 10 * (1 + store::FontOfStyle(i < style.size() ? style[i] : 0));
      if (total > max_width) return {true, i};
    }
    return {false, text.size()};
  }
  int RowHeight(int font) const override { return heights[static_cast<std::size_t>(font & 7)]; }
  std::array<int, 8> heights{98, 40, 50, 60, 70, 80, 90, 120};
};

}  // namespace telvane::testing
