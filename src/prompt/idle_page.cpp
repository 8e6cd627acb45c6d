#include "prompt/idle_page.h"

#include <algorithm>

#include "config/settings_keys.h"
#include "prompt/prompt_colours.h"
#include "prompt/prompt_page.h"
#include "store/code_pages.h"

namespace telvane::prompt {

namespace {

using config::Key;

constexpr const char* kFace = "Times New Roman";
// Points at 96 pixels per inch: 56 points on the card, 16 in the preview.
constexpr int kCardPixels = 56 * 96 / 72;
constexpr int kPreviewPixels = 16 * 96 / 72;
constexpr int kCardTop = 140;
constexpr int kPreviewTop = 20;
constexpr int kRightCueShift = 10;

int WidthOf(FontFaces& faces, const std::string& text, int pixels) {
  const CharWidths widths = faces.Widths(kFace, true, false, pixels, store::kDefaultCodePage);
  int width = 0;
  for (const char c : text) width += widths[static_cast<std::uint8_t>(c)];
  return width;
}

void DrawLine(FontFaces& faces, const std::string& text, int pixels, const PixelView& view, int x,
              int top, std::uint8_t colour) {
  const FaceMetrics metrics = faces.Metrics(kFace, true, false, pixels);
  const CharWidths widths = faces.Widths(kFace, true, false, pixels, store::kDefaultCodePage);
  int pen = x;
  for (const char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    DrawGlyph(faces.Glyph(kFace, true, false, pixels,
                          store::ByteToUnicode(byte, store::kDefaultCodePage)),
              view, pen, top + metrics.ascent, colour);
    pen += widths[byte];
  }
}

}  // namespace

IdlePageLook IdlePageLookFrom(const config::Settings& s) {
  IdlePageLook look;
  look.lines = {s.Text(Key::kDefaultPromptLine1), s.Text(Key::kDefaultPromptLine2),
                s.Text(Key::kDefaultPromptLine3)};
  if (std::all_of(look.lines.begin(), look.lines.end(),
                  [](const std::string& line) { return line.empty(); })) {
    look.lines = {"", "ORVALSTONE", "+ Telvane +"};
  }
  look.black = s.Bool(Key::kPcCardPcBlack) || s.Bool(Key::kPcCardColourBars);
  const bool inverse = s.Bool(Key::kPcCardInverse) && !s.Bool(Key::kPcCardDefaultAsNormal);
  if (s.Bool(Key::kPcCardColourOutputEnabled)) {
    look.foreground = std::clamp(s.Int(Key::kPciDefaultForegroundColour), 0, 7);
    look.background = std::clamp(s.Int(Key::kPciDefaultBackgroundColour), 0, 7);
    const bool plain = (look.foreground == kWhite && look.background == kBlack) ||
                       (look.foreground == kBlack && look.background == kWhite);
    if (inverse && plain) std::swap(look.foreground, look.background);
  } else {
    look.foreground = inverse ? kBlack : kWhite;
    look.background = inverse ? kWhite : kBlack;
  }
  look.width_adjustment = s.Int(Key::kPciWidthAdjustment);
  look.cue_left = s.Bool(Key::kPciCueLeft);
  return look;
}

std::vector<std::uint8_t> DrawIdlePage(FontFaces& faces, const IdlePageLook& look) {
  std::vector<std::uint8_t> page(static_cast<std::size_t>(kRowBytes) * kPageRows,
                                 static_cast<std::uint8_t>(look.black ? kBlack : look.background));
  if (look.black) return page;
  const PixelView view{page.data(), kRowBytes, kPageRows, kRowBytes};
  const int height = faces.Metrics(kFace, true, false, kCardPixels).height;
  int top = kCardTop;
  for (const std::string& line : look.lines) {
    int x = (kRowBytes - WidthOf(faces, line, kCardPixels)) / 2;
    x = look.cue_left ? x - look.width_adjustment : x + look.width_adjustment - kRightCueShift;
    DrawLine(faces, line, kCardPixels, view, std::max(0, x), top,
             static_cast<std::uint8_t>(look.foreground));
    top += height;
  }
  return page;
}

void DrawIdlePreview(FontFaces& faces, const IdlePageLook& look, PreviewImage& image) {
  if (look.black) return;
  const int height = faces.Metrics(kFace, true, false, kPreviewPixels).height;
  int top = kPreviewTop;
  for (const std::string& line : look.lines) {
    const std::size_t first = line.find_first_not_of(' ');
    const std::string shown = first == std::string::npos ? std::string() : line.substr(first);
    DrawLine(faces, shown, kPreviewPixels, image.View(), kPreviewCuePanel, top,
             static_cast<std::uint8_t>(look.foreground));
    top += height;
  }
}

}  // namespace telvane::prompt
