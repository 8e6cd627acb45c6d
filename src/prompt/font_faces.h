#pragma once

// Font files found by face name through fontconfig and opened once with FreeType. Sizes are in
// pixels; the prompt layer turns points into pixels at 96 per inch.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "prompt/pixel_view.h"

namespace telvane::prompt {

struct FaceMetrics {
  int ascent = 0;
  int descent = 0;
  // Ascent plus descent.
  int height = 0;
  // The font's line gap beyond its height.
  int external_leading = 0;
  // Top row of the underline below the baseline, and its thickness; both in pixels.
  int underline_offset = 0;
  int underline_thickness = 1;
};

// One glyph drawn without anti-aliasing: the prompt raster holds colour numbers, so a pixel is
// either text or background.
struct GlyphBitmap {
  // From the pen to the first column, and from the first row up to the baseline.
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  // width * rows bytes, 1 where the glyph covers the pixel.
  std::vector<std::uint8_t> mask;
};

// Draws the glyph's pixels in colour with the pen at x and the baseline at y, clipped to the
// view.
void DrawGlyph(const GlyphBitmap& glyph, const PixelView& view, int pen, int baseline,
               std::uint8_t colour);

// Advance widths in pixels of the 256 bytes of one code page.
using CharWidths = std::array<int, 256>;

class FontFaces {
 public:
  FontFaces();
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // Zero metrics when no font file can be opened for the name.
  FaceMetrics Metrics(const std::string& name, bool bold, bool italic, int pixels);
  CharWidths Widths(const std::string& name, bool bold, bool italic, int pixels, int code_page);
  // An empty bitmap when the face or the character is missing.
  GlyphBitmap Glyph(const std::string& name, bool bold, bool italic, int pixels, char32_t c);
  // The file fontconfig chose for the name, empty when none.
  std::string FileOf(const std::string& name, bool bold, bool italic);

 private:
  struct Face;
  Face* Find(const std::string& name, bool bold, bool italic);

  struct Library;
  std::unique_ptr<Library> library_;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<Face>> faces_;
};

}  // namespace telvane::prompt
