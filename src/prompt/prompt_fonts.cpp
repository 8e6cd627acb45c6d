#include "prompt/prompt_fonts.h"

#include <algorithm>

#include "store/code_pages.h"
#include "store/line_record.h"

namespace telvane::prompt {

namespace {

// Style codes with the bold bit (1, 3, 5, 7 and the same plus 8) and the italic bit.
bool IsBold(std::uint8_t style) {
  return (style & store::style_bit::kBold) != 0;
}
bool IsItalic(std::uint8_t style) {
  return (style & store::style_bit::kItalic) != 0;
}

}  // namespace

int PointsToPixels(int points) {
  return (points * kPixelsPerInch + 36) / 72;
}

PromptFontTable::PromptFontTable() {
  RefreshMetrics();
}

void PromptFontTable::SetFonts(const std::array<PromptFont, kPromptFonts>& fonts) {
  fonts_ = fonts;
  widths_.clear();
  styles_.clear();
  RefreshMetrics();
}

void PromptFontTable::RefreshMetrics() {
  for (int n = 0; n < kPromptFonts; ++n) {
    const FaceMetrics m =
        faces_.Metrics(fonts_[n].name, false, false, Pixels(n, PromptScale::kFull));
    ascent_[n] = m.ascent;
    row_height_[n] = std::max(kMinimumRowHeight, m.height + m.external_leading + fonts_[n].gap);
  }
}

int PromptFontTable::Pixels(int font, PromptScale scale) const {
  const int points = fonts_[Index(font)].prompt_size;
  return PointsToPixels(scale == PromptScale::kFull ? points : points / 3);
}

std::string PromptFontTable::FileOf(int font, std::uint8_t style) const {
  return faces_.FileOf(fonts_[Index(font)].name, IsBold(style), IsItalic(style));
}

const CharWidths& PromptFontTable::Widths(std::uint8_t style, int charset,
                                          PromptScale scale) const {
  const int font = store::FontOfStyle(static_cast<char>(style));
  const int code_page = store::CodePageOfCharset(charset);
  const int pixels = Pixels(font, scale);
  const auto key = std::make_tuple(font, IsBold(style), IsItalic(style), code_page, pixels);
  auto it = widths_.find(key);
  if (it == widths_.end()) {
    it = widths_
             .emplace(key, faces_.Widths(fonts_[font].name, IsBold(style), IsItalic(style), pixels,
                                         code_page))
             .first;
  }
  return it->second;
}

const StyleFace& PromptFontTable::Face(std::uint8_t style, int charset, PromptScale scale) const {
  const int font = store::FontOfStyle(static_cast<char>(style));
  const int code_page = store::CodePageOfCharset(charset);
  const int pixels = Pixels(font, scale);
  const bool bold = IsBold(style);
  const bool italic = IsItalic(style);
  auto& slot = styles_[std::make_tuple(font, bold, italic, code_page, pixels)];
  if (!slot) {
    slot = std::make_unique<StyleFace>();
    const std::string& name = fonts_[font].name;
    slot->widths = Widths(style, charset, scale);
    slot->metrics = faces_.Metrics(name, bold, italic, pixels);
    for (int b = 0; b < 256; ++b) {
      slot->glyphs[b] = faces_.Glyph(name, bold, italic, pixels,
                                     store::ByteToUnicode(static_cast<std::uint8_t>(b), code_page));
    }
  }
  return *slot;
}

store::PromptFit PromptFontTable::MeasurePromptFit(std::string_view text, std::string_view style,
                                                   int charset, int max_width) const {
  if (air_margin_ > 0) {
    const auto limit = static_cast<std::size_t>(air_margin_);
    return text.size() > limit ? store::PromptFit{true, limit + 1}
                               : store::PromptFit{false, text.size() + 1};
  }
  const CharWidths* widths = nullptr;
  int last_style = -1;
  int total = 0;
  std::size_t taken = 0;
  bool overflow = false;
  while (taken < text.size() && !overflow) {
    const auto s = static_cast<std::uint8_t>(taken < style.size() ? style[taken] : 0);
    if (s != last_style) {
      widths = &Widths(s, charset, PromptScale::kFull);
      last_style = s;
    }
    total += (*widths)[static_cast<std::uint8_t>(text[taken])];
    ++taken;
    overflow = total > max_width;
  }
  return {overflow, taken >= 4 ? taken - 1 : taken};
}

int PromptFontTable::TextWidth(std::string_view text, std::string_view style, int charset,
                               PromptScale scale) const {
  int total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto s = static_cast<std::uint8_t>(i < style.size() ? style[i] : 0);
    total += Widths(s, charset, scale)[static_cast<std::uint8_t>(text[i])];
  }
  return total;
}

}  // namespace telvane::prompt
