#pragma once

// The eight prompt fonts: their metrics at prompt size, the prompt row height of each, the
// per-style character widths, and the measuring that breaks script lines into prompt rows.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "prompt/font_faces.h"
#include "store/store_options.h"

namespace telvane::prompt {

inline constexpr int kPromptFonts = 8;
inline constexpr int kPixelsPerInch = 96;
inline constexpr int kMinimumRowHeight = 10;

struct PromptFont {
  std::string name = "Arial";
  int prompt_size = 64;
  int edit_size = 12;
  // Extra rows below each line ("F1 Gap" to "F8 Gap").
  int gap = 0;
};

// Pixels of a size in points at 96 per inch, rounded: 64 points are 85 pixels.
int PointsToPixels(int points);

// Everything drawing needs of one font in one style, character set and size.
struct StyleFace {
  CharWidths widths{};
  FaceMetrics metrics;
  std::array<GlyphBitmap, 256> glyphs;
};

// How large a text is drawn: full size for the card, one third for the preview.
enum class PromptScale { kFull, kPreview };

class PromptFontTable : public store::SegmentMeasure {
 public:
  PromptFontTable();

  // Replaces the fonts and refreshes their metrics.
  void SetFonts(const std::array<PromptFont, kPromptFonts>& fonts);
  const PromptFont& font(int n) const { return fonts_[Index(n)]; }
  // Recomputes ascent and row height of all eight fonts.
  void RefreshMetrics();

  int Ascent(int font) const { return ascent_[Index(font)]; }
  int RowHeight(int font) const override { return row_height_[Index(font)]; }

  // "Air Margin": above 0, texts break after this many characters instead of by width.
  void set_air_margin(int characters) { air_margin_ = characters; }
  int air_margin() const { return air_margin_; }

  store::PromptFit MeasurePromptFit(std::string_view text, std::string_view style, int charset,
                                    int max_width) const override;

  // Width in pixels of a styled text in the line's character set.
  int TextWidth(std::string_view text, std::string_view style, int charset,
                PromptScale scale = PromptScale::kFull) const;
  // Widths of the 256 bytes of a character set in the font and style of a style byte; cached,
  // so measuring never reopens a face.
  const CharWidths& Widths(std::uint8_t style, int charset, PromptScale scale) const;
  // Widths, metrics and the glyphs of all 256 bytes; rasterised once and cached.
  const StyleFace& Face(std::uint8_t style, int charset, PromptScale scale) const;
  // The pixel size of a font at a scale.
  int Pixels(int font, PromptScale scale) const;
  // The file the font's face was found in.
  std::string FileOf(int font, std::uint8_t style) const;

 private:
  static int Index(int n) { return n & (kPromptFonts - 1); }

  std::array<PromptFont, kPromptFonts> fonts_;
  std::array<int, kPromptFonts> ascent_{};
  std::array<int, kPromptFonts> row_height_{};
  int air_margin_ = 0;
  mutable FontFaces faces_;
  // (font, bold, italic, code page, pixels) to widths.
  mutable std::map<std::tuple<int, bool, bool, int, int>, CharWidths> widths_;
  mutable std::map<std::tuple<int, bool, bool, int, int>, std::unique_ptr<StyleFace>> styles_;
};

}  // namespace telvane::prompt
