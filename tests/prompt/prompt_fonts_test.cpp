#include "prompt/prompt_fonts.h"

#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <string>

namespace telvane::prompt {
namespace {

std::array<PromptFont, kPromptFonts> Fonts(const std::string& name, int size, int gap = 0) {
  std::array<PromptFont, kPromptFonts> fonts;
  for (PromptFont& f : fonts) {
    f.name = name;
    f.prompt_size = size;
    f.gap = gap;
  }
  return fonts;
}

TEST(PromptFonts, LiberationSansAt64PointsHasFreeTypesMetrics) {
  PromptFontTable table;
  table.SetFonts(Fonts("Liberation Sans", 64));
  ASSERT_EQ(PointsToPixels(64), 85);
  const std::string file = table.FileOf(0, 0);
  ASSERT_NE(file.find("LiberationSans-Regular"), std::string::npos) << file;

  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&lib), 0);
  ASSERT_EQ(FT_New_Face(lib, file.c_str(), 0, &face), 0);
  ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 85), 0);
  const FT_Size_Metrics& m = face->size->metrics;
  const int ascent = static_cast<int>((m.ascender + 63) / 64);
  const int descent = static_cast<int>((-m.descender + 63) / 64);
  const int line = static_cast<int>((m.height + 32) / 64);
  ASSERT_EQ(FT_Load_Char(face, 'W', FT_LOAD_DEFAULT), 0);
  const int w_advance = static_cast<int>((face->glyph->advance.x + 32) / 64);
  FT_Done_Face(face);
  FT_Done_FreeType(lib);

  EXPECT_EQ(table.Ascent(0), ascent);
  EXPECT_EQ(table.RowHeight(0), std::max(line, ascent + descent));
  // The metrics of the face that stands in for Arial: 77 rows above the baseline, 98 a line.
  EXPECT_EQ(ascent, 77);
  EXPECT_EQ(table.RowHeight(0), 98);
  EXPECT_EQ(table.TextWidth("WW", std::string(2, '\0'), 1), 2 * w_advance);
}

TEST(PromptFonts, ArialIsFoundThroughItsMetricTwin) {
  PromptFontTable table;
  EXPECT_NE(table.FileOf(0, 0).find("Liberation"), std::string::npos);
  EXPECT_NE(table.FileOf(0, 0x03).find("BoldItalic"), std::string::npos);
}

TEST(PromptFonts, GapAndMinimumRowHeight) {
  PromptFontTable table;
  table.SetFonts(Fonts("Liberation Sans", 64, 7));
  EXPECT_EQ(table.RowHeight(3), 98 + 7);
  table.SetFonts(Fonts("Liberation Sans", 3));
  EXPECT_EQ(table.RowHeight(0), kMinimumRowHeight);
  table.SetFonts(Fonts("No Such Face At All", 64));
  EXPECT_GE(table.RowHeight(0), kMinimumRowHeight);
}

TEST(PromptFonts, WidthsAreCachedPerStyleCharsetAndScale) {
  PromptFontTable table;
  const CharWidths& regular = table.Widths(0x00, 1, PromptScale::kFull);
  EXPECT_EQ(&regular, &table.Widths(0x04, 1, PromptScale::kFull));  // underline: same widths
  const CharWidths& bold = table.Widths(0x01, 1, PromptScale::kFull);
  EXPECT_NE(&regular, &bold);
  EXPECT_GT(bold['m'], 0);
  const CharWidths& preview = table.Widths(0x00, 1, PromptScale::kPreview);
  EXPECT_EQ(table.Pixels(0, PromptScale::kPreview), PointsToPixels(21));
  EXPECT_LT(preview['m'], regular['m']);
  // Byte 0xC0 is A grave in 1252 and Cyrillic A in 1251 (character set 204).
  EXPECT_GT(table.Widths(0x00, 204, PromptScale::kFull)[0xC0], 0);
}

TEST(PromptFonts, MeasurePromptFit) {
  PromptFontTable table;
  const std::string style(40, '\0');
  const int w = table.Widths(0, 1, PromptScale::kFull)['a'];
  struct Case {
    std::string text;
    int max_width;
    bool overflow;
    std::size_t count;
  };
  const Case cases[] = {
      {"aaaaaaaaaa", 10 * w, false, 9},
      {"aaaaaaaaaa", 6 * w, true, 6},  // the 7th did not fit
      {"aaaaaaaaaa", 6 * w + w - 1, true, 6},
      {"aaaaaaaaaa", 2 * w, true, 3},  // fewer than four taken: the count is not reduced
      {"aaaaaaaaaa", 0, true, 1},
  };
  for (const Case& c : cases) {
    const store::PromptFit fit = table.MeasurePromptFit(c.text, style, 1, c.max_width);
    EXPECT_EQ(fit.overflow, c.overflow) << c.max_width;
    EXPECT_EQ(fit.count, c.count) << c.max_width;
  }
  // A larger font in the same text takes more room.
  std::string mixed = style.substr(0, 10);
  std::array<PromptFont, kPromptFonts> fonts = Fonts("Liberation Sans", 64);
  fonts[1].prompt_size = 128;
  table.SetFonts(fonts);
  mixed[0] = 0x10;
  EXPECT_EQ(table.MeasurePromptFit("aaaaaaaaaa", mixed, 1, 6 * w + w / 2).count, 5u);

  table.set_air_margin(5);
  EXPECT_EQ(table.MeasurePromptFit("abcdefg", style, 1, 0).count, 6u);
  EXPECT_TRUE(table.MeasurePromptFit("abcdefg", style, 1, 0).overflow);
  EXPECT_FALSE(table.MeasurePromptFit("abc", style, 1, 0).overflow);
  EXPECT_EQ(table.MeasurePromptFit("abc", style, 1, 0).count, 4u);
}

}  // namespace
}  // namespace telvane::prompt
