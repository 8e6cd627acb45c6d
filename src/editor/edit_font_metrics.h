#pragma once

// The editor draws every row in the edit sizes of the eight prompt fonts. Layout needs only
// these measurements, so it is computed and tested without a window.

#include <array>
#include <cstdint>
#include <string_view>

namespace telvane::editor {

struct EditFontInfo {
  int ascent = 0;
  // Ascent plus descent.
  int height = 0;
  int external_leading = 0;
};

class EditFontMetrics {
 public:
  virtual ~EditFontMetrics() = default;
  // Font 0..7 at its edit size, no style.
  virtual EditFontInfo Font(int font) const = 0;
  // Width in pixels of bytes of the character set, in font 0..7 with the style bits
  // (bold, italic, underline) of a style byte.
  virtual int TextWidth(int font, std::uint8_t style_bits, std::string_view bytes,
                        int charset) const = 0;
};

struct RowMetrics {
  int row_height = 0;
  // Pixels below the row's top at which a run of font n starts, so that all fonts share a
  // baseline.
  std::array<int, 8> baseline_offset{};
};

RowMetrics ComputeRowMetrics(const EditFontMetrics& metrics, int extra_line_spacing);

}  // namespace telvane::editor
