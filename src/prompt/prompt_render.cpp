#include "prompt/prompt_render.h"

#include <algorithm>
#include <array>

namespace telvane::prompt {

namespace {

using store::Segment;

// Bit 7 of style and colour bytes marks things the prompt does not show.
constexpr std::uint8_t kShownBits = 0x7F;
constexpr char kDefaultStyle = 0;

std::uint8_t Byte(const std::string& s, std::size_t i) {
  return static_cast<std::uint8_t>(s[i]);
}

int FontIndex(std::uint8_t style) {
  return store::FontOfStyle(static_cast<char>(style));
}

// The regular face of the font that a style byte selects.
std::uint8_t RegularOf(std::uint8_t style) {
  return style & store::style_bit::kFontMask;
}

void CutSlugNumber(ShownText& t, char open, char close) {
  const std::size_t from = t.text.find(open);
  if (from == std::string::npos) return;
  const std::size_t to = t.text.find(close, from + 1);
  if (to == std::string::npos) return;
  const std::size_t n = to - from + 1;
  t.cut_at = from;
  t.cut_length = n;
  t.text.erase(from, n);
  t.style.erase(from, n);
  t.colour.erase(from, n);
}

void TrimTrailingBlanks(ShownText& t) {
  if (t.text.size() <= 1) return;
  const std::size_t end = t.text.find_last_not_of(' ') + 1;
  t.text.resize(end);
  t.style.resize(end);
  t.colour.resize(end);
}


}  // namespace

PixelView LineRaster::Top(int rows) {
  if (rows > rows_) {
    pixels_.resize(static_cast<std::size_t>(kWidth) * rows);
    rows_ = rows;
  }
  return {pixels_.data(), kWidth, std::max(rows, 0), kWidth};
}

ShownText PromptRenderer::TextOf(const PromptPosition& position, PromptScale scale) const {
  const store::e_object& line = *position.line;
  const bool a = position.segment == Segment::kA;
  ShownText t{a ? line.text_a : line.text_b, a ? line.style_a : line.style_b,
              a ? line.colour_a : line.colour_b,
              options_.pan_european ? store::CharsetOf(line) : store::kDefaultCharset};
  t.style.resize(t.text.size(), kDefaultStyle);
  t.colour.resize(t.text.size(), store::colour_bit::kDefault);
  const bool cut = options_.remove_number_on_prompt ||
                   (scale == PromptScale::kPreview && !options_.inverse_slug);
  if (store::IsSlugLine(line) && cut) {
    CutSlugNumber(t, options_.slug_open_bracket, options_.slug_close_bracket);
  }
  TrimTrailingBlanks(t);
  return t;
}

int PromptRenderer::TextWidth(const PromptPosition& position, PromptScale scale) const {
  const ShownText t = TextOf(position, scale);
  return fonts_.TextWidth(t.text, t.style, t.charset, scale);
}

int PromptRenderer::RenderSegment(const PromptPosition& position, LineRaster& raster) const {
  const int rows = SegmentRows(store_, *position.line, position.segment);
  const PixelView view = raster.Top(rows);
  const ShownText shown = TextOf(position, PromptScale::kFull);
  const LineLook look = LookOf(*position.line, options_);
  view.Fill(0, 0, view.width, view.height,
            static_cast<std::uint8_t>(SegmentBackground(look, options_)));
  int x = options_.left_blank;
  if (options_.centre_justify) {
    const int width = fonts_.TextWidth(shown.text, shown.style, shown.charset);
    x = std::max(0, options_.left_blank + (view.width - options_.TotalBlank() - width) / 2);
  }
  DrawText(shown, look, PromptScale::kFull, view, x);
  return rows;
}

PreviewText PromptRenderer::PreviewLayout(const PromptPosition& position, int band_width) const {
  PreviewText laid{TextOf(position, PromptScale::kPreview), options_.left_blank / 2};
  const ShownText& shown = laid.shown;
  if (options_.centre_justify) {
    const int full_width = fonts_.TextWidth(shown.text, shown.style, shown.charset);
    laid.left = std::max(
        0,
        (band_width + 2 * options_.width_adjustment - options_.TotalBlank() - full_width / 3) / 2 +
            options_.left_blank / 2);
  }
  if (options_.cue_left) {
    laid.left += kPreviewCuePanel;
  }
  return laid;
}

void PromptRenderer::DrawPreviewSegment(const PromptPosition& position,
                                        const PixelView& band) const {
  const PreviewText laid = PreviewLayout(position, band.width);
  const LineLook look = LookOf(*position.line, options_);
  band.Fill(0, 0, band.width, band.height,
            static_cast<std::uint8_t>(SegmentBackground(look, options_)));
  DrawText(laid.shown, look, PromptScale::kPreview, band, laid.left);
}

void PromptRenderer::DrawText(const ShownText& shown, const LineLook& look, PromptScale scale,
                              const PixelView& view, int x) const {
  const std::size_t n = shown.text.size();
  // Every font's text shares the baseline of the tallest ascent among the fonts used.
  std::array<bool, kPromptFonts> used{};
  int top_ascent = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int font = FontIndex(Byte(shown.style, i));
    if (!used[font]) {
      used[font] = true;
      top_ascent = std::max(top_ascent, fonts_.Ascent(font));
    }
  }
  const int divisor = scale == PromptScale::kFull ? 1 : 3;
  std::size_t i = 0;
  while (i < n) {
    const std::uint8_t style = Byte(shown.style, i) & kShownBits;
    const std::uint8_t colour = Byte(shown.colour, i) & kShownBits;
    std::size_t end = i + 1;
    while (end < n && (Byte(shown.style, end) & kShownBits) == style &&
           (Byte(shown.colour, end) & kShownBits) == colour) {
      ++end;
    }
    const int font = FontIndex(style);
    const StyleFace& face = fonts_.Face(style, shown.charset, scale);
    const int ascent = fonts_.Face(RegularOf(style), shown.charset, scale).metrics.ascent;
    const int top = (top_ascent - fonts_.Ascent(font)) / divisor;
    const int baseline = top + ascent;
    int width = 0;
    for (std::size_t k = i; k < end; ++k) {
      width += face.widths[Byte(shown.text, k)];
    }
    const RunColours c = ColoursOfRun(look, style, colour, options_);
    const auto text = static_cast<std::uint8_t>(c.text);
    view.Fill(x, top, x + width, top + face.metrics.height,
              static_cast<std::uint8_t>(c.background));
    int pen = x;
    for (std::size_t k = i; k < end; ++k) {
      const std::uint8_t b = Byte(shown.text, k);
      DrawGlyph(face.glyphs[b], view, pen, baseline, text);
      pen += face.widths[b];
    }
    if ((style & store::style_bit::kUnderline) != 0) {
      const int y = baseline + face.metrics.underline_offset;
      view.Fill(x, y, x + width, y + face.metrics.underline_thickness, text);
    }
    x += width;
    i = end;
  }
}

}  // namespace telvane::prompt
