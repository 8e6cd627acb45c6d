#pragma once

// A rectangle of one-byte colour numbers that prompt text is drawn into: the card's line
// raster or the preview image.

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace telvane::prompt {

struct PixelView {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  // Fills [x0, x1) by [y0, y1), clipped to the view.
  void Fill(int x0, int y0, int x1, int y1, std::uint8_t colour) const {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    for (int y = y0; y < y1 && x0 < x1; ++y) {
      std::memset(pixels + static_cast<std::ptrdiff_t>(y) * stride + x0, colour,
                  static_cast<std::size_t>(x1 - x0));
    }
  }

  // The rows [top, top + rows) of this view, clipped.
  PixelView Band(int top, int rows) const {
    top = std::clamp(top, 0, height);
    rows = std::clamp(rows, 0, height - top);
    return {pixels + static_cast<std::ptrdiff_t>(top) * stride, width, rows, stride};
  }
};

}  // namespace telvane::prompt
