#include "prompt/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "store/code_pages.h"

namespace telvane::prompt {

struct FontFaces::Library {
  FT_Library ft = nullptr;
  Library() {
    if (FT_Init_FreeType(&ft) != 0) {
      ft = nullptr;
    }
  }
  ~Library() {
    if (ft != nullptr) {
      FT_Done_FreeType(ft);
    }
  }
};

struct FontFaces::Face {
  std::string file;
  FT_Face face = nullptr;
  ~Face() {
    if (face != nullptr) {
      FT_Done_Face(face);
    }
  }
  bool SetPixels(int pixels) const {
    return face != nullptr && pixels > 0 &&
           FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) == 0;
  }
};

namespace {

// The file and face index fontconfig matches to a family name and style.
std::pair<std::string, int> MatchFile(const std::string& name, bool bold, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::pair<std::string, int> found{"", 0};
  if (match != nullptr) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      found.first = reinterpret_cast<const char*>(file);
    }
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) {
      found.second = index;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return found;
}

int Ceil26(FT_Pos v) {
  return static_cast<int>((v + 63) >> 6);
}

}  // namespace

FontFaces::FontFaces() : library_(std::make_unique<Library>()) {}

FontFaces::~FontFaces() = default;

FontFaces::Face* FontFaces::Find(const std::string& name, bool bold, bool italic) {
  auto& slot = faces_[{name, bold, italic}];
  if (!slot) {
    slot = std::make_unique<Face>();
    const auto [file, index] = MatchFile(name, bold, italic);
    slot->file = file;
    if (library_->ft != nullptr && !file.empty() &&
        FT_New_Face(library_->ft, file.c_str(), index, &slot->face) != 0) {
      slot->face = nullptr;
    }
  }
  return slot.get();
}

std::string FontFaces::FileOf(const std::string& name, bool bold, bool italic) {
  return Find(name, bold, italic)->file;
}

FaceMetrics FontFaces::Metrics(const std::string& name, bool bold, bool italic, int pixels) {
  const Face* face = Find(name, bold, italic);
  FaceMetrics m;
  if (!face->SetPixels(pixels)) {
    return m;
  }
  const FT_Size_Metrics& sm = face->face->size->metrics;
  m.ascent = Ceil26(sm.ascender);
  m.descent = Ceil26(-sm.descender);
  m.height = m.ascent + m.descent;
  m.external_leading = std::max(0, static_cast<int>((sm.height + 32) >> 6) - m.height);
  const FT_Face f = face->face;
  if (FT_IS_SCALABLE(f)) {
    m.underline_offset =
        static_cast<int>((-FT_MulFix(f->underline_position, sm.y_scale) + 32) >> 6);
    m.underline_thickness =
        std::max(1, static_cast<int>((FT_MulFix(f->underline_thickness, sm.y_scale) + 32) >> 6));
  }
  return m;
}

CharWidths FontFaces::Widths(const std::string& name, bool bold, bool italic, int pixels,
                             int code_page) {
  CharWidths widths{};
  const Face* face = Find(name, bold, italic);
  if (!face->SetPixels(pixels)) {
    return widths;
  }
  for (int b = 0; b < 256; ++b) {
    const char32_t u = store::ByteToUnicode(static_cast<std::uint8_t>(b), code_page);
    if (FT_Load_Char(face->face, u, FT_LOAD_DEFAULT) == 0) {
      widths[b] = static_cast<int>((face->face->glyph->advance.x + 32) >> 6);
    }
  }
  return widths;
}

GlyphBitmap FontFaces::Glyph(const std::string& name, bool bold, bool italic, int pixels,
                             char32_t c) {
  GlyphBitmap glyph;
  const Face* face = Find(name, bold, italic);
  if (!face->SetPixels(pixels) ||
      FT_Load_Char(face->face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
    return glyph;
  }
  const FT_GlyphSlot slot = face->face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
    return glyph;
  }
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.mask.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
  for (int y = 0; y < glyph.rows; ++y) {
    const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      glyph.mask[static_cast<std::size_t>(y) * glyph.width + x] =
          (bits[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
  return glyph;
}

void DrawGlyph(const GlyphBitmap& g, const PixelView& view, int pen, int baseline,
               std::uint8_t colour) {
  const int x0 = pen + g.left;
  const int y0 = baseline - g.top;
  const int cx0 = std::max(0, -x0);
  const int cx1 = std::min(g.width, view.width - x0);
  const int cy0 = std::max(0, -y0);
  const int cy1 = std::min(g.rows, view.height - y0);
  for (int y = cy0; y < cy1; ++y) {
    const std::uint8_t* mask = g.mask.data() + static_cast<std::ptrdiff_t>(y) * g.width;
    std::uint8_t* row = view.pixels + static_cast<std::ptrdiff_t>(y0 + y) * view.stride + x0;
    for (int x = cx0; x < cx1; ++x) {
      if (mask[x] != 0) row[x] = colour;
    }
  }
}

}  // namespace telvane::prompt
