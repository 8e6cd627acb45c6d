#pragma once

// The one prompt renderer: a segment of a line drawn at full size into the card's line raster,
// or at one third as a band of the preview. Both go through the same text drawing.

#include <cstdint>
#include <string>
#include <vector>

#include "prompt/pixel_view.h"
#include "prompt/prompt_colours.h"
#include "prompt/prompt_fonts.h"
#include "prompt/prompt_position.h"
#include "prompt/render_options.h"
#include "store/script_store.h"

namespace telvane::prompt {

// Width of the preview's cue panel when it sits left of the text.
inline constexpr int kPreviewCuePanel = 10;

// The 668-pixel-wide raster one segment is drawn into. It holds 400 rows and grows for a
// segment taller than that (a large font with a gap), so every row of a segment is drawn.
class LineRaster {
 public:
  static constexpr int kWidth = store::kPromptWidth;
  static constexpr int kRows = 400;

  LineRaster() : pixels_(static_cast<std::size_t>(kWidth) * kRows), rows_(kRows) {}

  int rows() const { return rows_; }
  const std::uint8_t* Row(int row) const {
    return pixels_.data() + static_cast<std::ptrdiff_t>(row) * kWidth;
  }
  // The top rows of the raster, grown first when it has fewer.
  PixelView Top(int rows);

 private:
  std::vector<std::uint8_t> pixels_;
  int rows_;
};

// A segment's text as the prompt shows it: trailing blanks gone, the slug number cut where
// that applies, attribute strings as long as the text.
struct ShownText {
  std::string text;
  std::string style;
  std::string colour;
  int charset = store::kDefaultCharset;
  // Where the slug-number cut took cut_length bytes out of the segment's text; shown index i
  // at or after cut_at is raw byte i + cut_length.
  std::size_t cut_at = 0;
  std::size_t cut_length = 0;
};

// A segment as the preview lays it out: its shown text and the x its first character starts at.
struct PreviewText {
  ShownText shown;
  int left = 0;
};

class PromptRenderer {
 public:
  PromptRenderer(const store::ScriptStore& store, const PromptFontTable& fonts,
                 const RenderOptions& options)
      : store_(store), fonts_(fonts), options_(options) {}

  const store::ScriptStore& store() const { return store_; }
  const PromptFontTable& fonts() const { return fonts_; }
  const RenderOptions& options() const { return options_; }

  // Draws the segment at full size into rows 0 to its height - 1; yields that height.
  int RenderSegment(const PromptPosition& position, LineRaster& raster) const;

  // Draws the segment at preview size into band, which spans the preview's client width.
  void DrawPreviewSegment(const PromptPosition& position, const PixelView& band) const;

  ShownText TextOf(const PromptPosition& position, PromptScale scale) const;
  // The segment's text at preview size in a band of band_width pixels.
  PreviewText PreviewLayout(const PromptPosition& position, int band_width) const;
  // Width of the shown text, for centring and for the preview caret.
  int TextWidth(const PromptPosition& position, PromptScale scale) const;

 private:
  void DrawText(const ShownText& shown, const LineLook& look, PromptScale scale,
                const PixelView& view, int x) const;

  const store::ScriptStore& store_;
  const PromptFontTable& fonts_;
  const RenderOptions& options_;
};

}  // namespace telvane::prompt
