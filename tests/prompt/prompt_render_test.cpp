#include "prompt/prompt_render.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

#include "platform/files.h"
#include "png_reader.h"
#include "prompt/png_image.h"
#include "prompt/preview.h"
#include "prompt/prompt_page.h"
#include "prompt_script.h"

namespace telvane::prompt {
namespace {

using store::e_object;
using store::Segment;

constexpr int kWidth = 668;

std::vector<std::uint8_t> Render(const PromptRenderer& renderer, e_object* line,
                                 Segment segment = Segment::kA) {
  LineRaster raster;
  const int rows = renderer.RenderSegment({line, segment, 0}, raster);
  return {raster.Row(0), raster.Row(rows)};
}

// Columns of the first and last pixel of a row band that differ from the background.
std::pair<int, int> InkColumns(const std::vector<std::uint8_t>& pixels, int width,
                               std::uint8_t background) {
  int first = width;
  int last = -1;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] != background) {
      const int x = static_cast<int>(i % width);
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  return {first, last};
}

TEST(RenderSegment, GoldenLiberationSans) {
  testing::PromptScript script;
  e_object* line = script.Add("Ag News at Six");
  // "News" bold underlined, "at" inverse, "Six" italic in font 1.
  for (int i = 3; i < 7; ++i)
    line->style_a[i] = store::style_bit::kBold | store::style_bit::kUnderline;
  line->style_a[8] = line->style_a[9] = store::style_bit::kInverse;
  for (int i = 11; i < 14; ++i) line->style_a[i] = 0x10 | store::style_bit::kItalic;
  const RenderOptions options;
  const PromptRenderer renderer(script.store(), script.fonts(), options);
  const std::vector<std::uint8_t> pixels = Render(renderer, line);
  const int rows = static_cast<int>(pixels.size()) / kWidth;
  ASSERT_EQ(rows, script.fonts().RowHeight(0));
  ASSERT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p < 8; }));

  const std::string golden =
      TELVANE_SOURCE_DIR "/tests/fixtures/prompt/segment_liberation_sans.png";
  if (std::getenv("TELVANE_WRITE_GOLDEN") != nullptr) {
    ASSERT_TRUE(platform::WriteFileAtomically(
        golden, EncodePalettePng(kWidth, rows, pixels, kEightColours)));
  }
  const auto expected = testing::DecodePalettePng(testing::ReadFile(golden));
  ASSERT_TRUE(expected.has_value()) << golden;
  EXPECT_EQ(expected->width, kWidth);
  EXPECT_EQ(expected->height, rows);
  EXPECT_TRUE(expected->pixels == pixels) << "the raster differs from " << golden;
}

// Pairs of segments that must come out pixel for pixel the same.
TEST(RenderSegment, PlacementEquivalences) {
  struct Case {
    const char* name;
    std::string text;
    std::function<void(RenderOptions&, e_object&)> setup;
    std::string same_text;
    std::function<void(RenderOptions&, e_object&)> same_setup;
  };
  const std::string too_wide(40, 'W');
  const auto centre = [](RenderOptions& o, e_object&) { o.centre_justify = true; };
  const auto slug_cut = [](RenderOptions& o, e_object& l) {
    o.centre_justify = true;
    o.remove_number_on_prompt = true;
    l.flags |= store::line_flag::kSlugLine;
  };
  const auto slug_centred = [](RenderOptions& o, e_object& l) {
    o.centre_justify = true;
    l.flags |= store::line_flag::kSlugLine;
  };
  const std::vector<Case> cases = {
      {"a text too wide to centre starts at x = 0", too_wide, centre, too_wide,
       [](RenderOptions& o, e_object&) { o.left_blank = 0; }},
      {"trailing blanks do not shift a centred line", "News   ", centre, "News", centre},
      {"a slug line is centred on its text after the number cut", "[12] NEWS", slug_cut, " NEWS",
       slug_centred},
      {"the cut needs both brackets in order", "]12[ NEWS", slug_cut, "]12[ NEWS", slug_centred},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> rasters[2];
    for (int k = 0; k < 2; ++k) {
      testing::PromptScript script;
      e_object* line = script.Add(k == 0 ? c.text : c.same_text);
      RenderOptions o;
      (k == 0 ? c.setup : c.same_setup)(o, *line);
      const PromptRenderer renderer(script.store(), script.fonts(), o);
      rasters[k] = Render(renderer, line);
    }
    EXPECT_TRUE(rasters[0] == rasters[1]) << c.name;
  }
}

TEST(RenderSegment, CentredTextSitsInTheMiddleOfTheBlanks) {
  testing::PromptScript script;
  e_object* line = script.Add("News");
  RenderOptions o;
  o.centre_justify = true;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const int width = renderer.TextWidth({line, Segment::kA, 0}, PromptScale::kFull);
  const auto [first, last] = InkColumns(Render(renderer, line), kWidth, 0);
  const int x = 12 + (kWidth - 18 - width) / 2;
  // Within the side bearings of "N" and "s".
  EXPECT_NEAR(first, x, 10);
  EXPECT_NEAR(last, x + width, 10);
}

TEST(RenderSegment, PanEuropeanDrawsInTheLinesOwnCharacterSet) {
  testing::PromptScript script;
  // 0xC4 is "Д" in the Cyrillic set 204 and "Ä" in the default set.
  e_object* line = script.Add("\xC4");
  line->flags =
      (line->flags & ~store::line_flag::kCharsetMask) | (204u << store::line_flag::kCharsetShift);
  std::vector<std::uint8_t> rasters[2];
  for (const bool pan : {false, true}) {
    RenderOptions o;
    o.pan_european = pan;
    const PromptRenderer renderer(script.store(), script.fonts(), o);
    EXPECT_EQ(renderer.TextOf({line, Segment::kA, 0}, PromptScale::kFull).charset, pan ? 204 : 1);
    rasters[pan] = Render(renderer, line);
  }
  EXPECT_FALSE(rasters[0] == rasters[1]);
}

TEST(RenderSegment, EmptySegmentIsABandOfItsBackground) {
  testing::PromptScript script;
  e_object* slug = script.AddSlug("");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const std::vector<std::uint8_t> pixels = Render(renderer, slug);
  EXPECT_EQ(pixels.size(), static_cast<std::size_t>(kWidth) * slug->height_a);
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p == 7; }));
}

TEST(RenderSegment, TallSegmentsAreDrawnWholeAndRunsClippedAtTheRightEdge) {
  testing::PromptScript script;
  script.fonts().SetFonts(testing::LiberationFonts(200, 300));
  e_object* line = script.Add("Wide words that run far beyond the right edge");
  line->height_a = script.fonts().RowHeight(0);
  ASSERT_GT(line->height_a, LineRaster::kRows);
  RenderOptions o;
  o.left_blank = 600;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const std::vector<std::uint8_t> pixels = Render(renderer, line);
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(kWidth) * line->height_a);
  const auto [first, last] = InkColumns(pixels, kWidth, 0);
  EXPECT_GE(first, 600);
  EXPECT_EQ(last, kWidth - 1);
}

TEST(PromptPage, StartAtTheFirstStoryShowsTheMarginRowsAbove) {
  testing::PromptScript script;
  e_object* slug = script.AddSlug("[1] First story");
  script.Add("Text of the story");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  PromptPosition feed = StartPosition(renderer, slug, 70);
  EXPECT_TRUE(store::IsHeadMargin(*feed.line));
  LineRaster raster;
  std::vector<std::uint8_t> page;
  FeedRows(renderer, raster, feed, kPageRows, page);
  ASSERT_EQ(page.size(), static_cast<std::size_t>(kWidth) * kPageRows);
  const auto row = [&](int r) {
    return std::vector<std::uint8_t>(page.begin() + r * kWidth, page.begin() + (r + 1) * kWidth);
  };
  // The slug line's white band begins exactly 70 rows down; "..." is drawn above it.
  EXPECT_EQ(row(69)[kWidth - 1], 0);
  EXPECT_EQ(row(70)[kWidth - 1], 7);
  std::vector<std::uint8_t> above(page.begin(), page.begin() + 70 * kWidth);
  EXPECT_NE(InkColumns(above, kWidth, 0).second, -1);
}

TEST(PromptPage, FillsContinueWhereThePageEnded) {
  testing::PromptScript script;
  script.AddSlug("[1] Story");
  for (int i = 0; i < 12; ++i) script.Add("Line " + std::to_string(i), "and more");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  LineRaster raster;
  PromptPosition whole = StartPosition(renderer, script.store().first_line(), 70);
  PromptPosition parts = whole;
  std::vector<std::uint8_t> one;
  std::vector<std::uint8_t> pieces;
  FeedRows(renderer, raster, whole, kPageRows + kFillRows, one);
  FeedRows(renderer, raster, parts, kPageRows, pieces);
  FeedRows(renderer, raster, parts, kFillRows, pieces);
  EXPECT_TRUE(one == pieces);
  EXPECT_EQ(whole, parts);
}

TEST(Preview, BandsAtAThirdWithSmallerText) {
  testing::PromptScript script;
  e_object* slug = script.AddSlug("[1] Story");
  e_object* text = script.Add("Some text");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const PromptPosition at_slug{slug, Segment::kA, 0};
  const PromptPosition at_text{text, Segment::kA, 0};
  const int full = renderer.TextWidth(at_text, PromptScale::kFull);
  const int third = renderer.TextWidth(at_text, PromptScale::kPreview);
  EXPECT_NEAR(third, full / 3, full / 20);

  PreviewImage image(222, 292);
  DrawPreview(renderer, at_slug, image);
  const int band = PreviewRows(script.store(), *slug, Segment::kA);
  EXPECT_EQ(band, slug->height_a * 668 / 2048);
  // The slug band is white across the whole width, the text band below is black.
  EXPECT_EQ(image.pixels[static_cast<std::size_t>(band - 1) * 222 + 221], 7);
  EXPECT_EQ(image.pixels[static_cast<std::size_t>(band) * 222 + 221], 0);
  std::vector<std::uint8_t> text_band(image.pixels.begin() + band * 222,
                                      image.pixels.begin() + 2 * band * 222);
  const auto [first, last] = InkColumns(text_band, 222, 0);
  EXPECT_GE(first, 6 + kPreviewCuePanel);
  EXPECT_NEAR(last - first, third, 6);
}

}  // namespace
}  // namespace telvane::prompt
