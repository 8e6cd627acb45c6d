#include "prompt/idle_page.h"

#include <gtest/gtest.h>

#include "config/settings_keys.h"
#include "prompt/prompt_page.h"

namespace telvane::prompt {
namespace {

using config::Key;

// The rows and columns that hold the text colour.
struct Ink {
  int first_row = -1;
  int last_row = -1;
  int left = kRowBytes;
  int right = -1;
};

Ink InkOf(const std::vector<std::uint8_t>& page, int colour) {
  Ink ink;
  for (int row = 0; row < kPageRows; ++row) {
    for (int x = 0; x < kRowBytes; ++x) {
      if (page[static_cast<std::size_t>(row) * kRowBytes + x] != colour) continue;
      if (ink.first_row < 0) ink.first_row = row;
      ink.last_row = row;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
    }
  }
  return ink;
}

TEST(IdlePage, TheStationLinesStandCentredBelowAnEmptyFirstLine) {
  config::Settings settings = config::Settings::Defaults(96);
  FontFaces faces;
  const IdlePageLook look = IdlePageLookFrom(settings);
  ASSERT_EQ(look.lines[0], "");
  const std::vector<std::uint8_t> page = DrawIdlePage(faces, look);
  ASSERT_EQ(page.size(), static_cast<std::size_t>(kRowBytes) * kPageRows);
  const int height = faces.Metrics("Times New Roman", true, false, 74).height;
  const Ink ink = InkOf(page, look.foreground);
  // The first line is empty, so the ink begins one text height below row 140.
  EXPECT_GE(ink.first_row, 140 + height);
  EXPECT_LT(ink.last_row, 140 + 3 * height);
  EXPECT_NEAR((ink.left + ink.right) / 2, kRowBytes / 2, 12);

  PreviewImage preview(222, 150);
  DrawIdlePreview(faces, look, preview);
  EXPECT_NE(std::count(preview.pixels.begin(), preview.pixels.end(), look.foreground), 0);
}

TEST(IdlePage, BlackAndInverseLooks) {
  const struct {
    const char* what;
    bool pc_black;
    bool inverse;
    bool colour_output;
    int foreground;
    int background;
  } cases[] = {
      {"plain", false, false, false, 7, 0},
      {"inverse video", false, true, false, 0, 7},
      {"colour output swaps a plain pair", false, true, true, 0, 7},
      {"PC Black", true, false, false, 7, 0},
  };
  for (const auto& c : cases) {
    config::Settings settings = config::Settings::Defaults(96);
    settings.SetBool(Key::kPcCardPcBlack, c.pc_black);
    settings.SetBool(Key::kPcCardInverse, c.inverse);
    settings.SetBool(Key::kPcCardColourOutputEnabled, c.colour_output);
    settings.SetText(Key::kDefaultPromptLine1, "NEWS AT TEN");
    const IdlePageLook look = IdlePageLookFrom(settings);
    EXPECT_EQ(look.foreground, c.foreground) << c.what;
    EXPECT_EQ(look.background, c.background) << c.what;
    FontFaces faces;
    const std::vector<std::uint8_t> page = DrawIdlePage(faces, look);
    if (c.pc_black) {
      EXPECT_EQ(std::count(page.begin(), page.end(), 0), static_cast<long>(page.size()));
    } else {
      // "NEWS AT TEN" is the first line now: the ink starts at row 140.
      EXPECT_NEAR(InkOf(page, look.foreground).first_row, 140, 20) << c.what;
    }
  }
}

}  // namespace
}  // namespace telvane::prompt
