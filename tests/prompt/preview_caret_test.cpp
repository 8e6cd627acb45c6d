#include "prompt/preview_caret.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "prompt/preview.h"
#include "prompt_script.h"

namespace telvane::prompt {
namespace {

using store::e_object;
using store::Segment;

constexpr int kPreviewWidth = 222;
constexpr int kPreviewHeight = 300;

int Width(const PromptRenderer& renderer, const std::string& text) {
  return renderer.fonts().TextWidth(text, std::string(text.size(), '\0'), store::kDefaultCharset,
                                    PromptScale::kPreview);
}

PreviewFrame FrameAt(e_object* line, int height = kPreviewHeight, Segment segment = Segment::kA) {
  return {{line, segment, 0}, kPreviewWidth, height};
}

int Rows(const PromptRenderer& renderer, const e_object* line, Segment segment = Segment::kA) {
  return PreviewRows(renderer.store(), *line, segment);
}

TEST(PreviewCaret, StandsAtTheMeasuredPrefixAndSpansTheSegmentInset) {
  testing::PromptScript script;
  e_object* first = script.Add("Good evening", "and welcome");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const PreviewFrame frame = FrameAt(first);
  const int left = renderer.PreviewLayout(frame.top, kPreviewWidth).left;
  ASSERT_EQ(left, 6 + kPreviewCuePanel);
  const int rows_a = Rows(renderer, first);
  const int rows_b = Rows(renderer, first, Segment::kB);

  int previous = -1;
  for (int column = 0; column <= 12; ++column) {
    const auto caret = CaretInPreview(renderer, frame, {first, column});
    ASSERT_TRUE(caret.has_value()) << column;
    EXPECT_EQ(caret->x, left + Width(renderer, std::string("Good evening").substr(0, column)));
    EXPECT_GT(caret->x, previous) << column;
    EXPECT_EQ(caret->top, 2);
    EXPECT_EQ(caret->bottom, rows_a - 2);
    previous = caret->x;
  }
  // Past segment A the caret goes on in segment B, in B's band.
  const auto in_b = CaretInPreview(renderer, frame, {first, 12 + 3});
  ASSERT_TRUE(in_b.has_value());
  EXPECT_EQ(*in_b, (PreviewCaret{left + Width(renderer, "and"), rows_a + 2, rows_a + rows_b - 2}));
  // A segment cut by the image's bottom edge keeps the caret inside the image.
  const auto cut = CaretInPreview(renderer, FrameAt(first, rows_a + 5), {first, 14});
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->bottom, rows_a + 5);
}

// The caret's x and the drawing share one origin: at column 0 and at the end of the text the
// caret stands at the edges of the drawn ink, whatever the placement options.
TEST(PreviewCaret, MeetsTheDrawnTextUnderEveryPlacement) {
  const std::vector<std::pair<const char*, std::function<void(RenderOptions&)>>> placements = {
      {"left", [](RenderOptions&) {}},
      {"centred", [](RenderOptions& o) { o.centre_justify = true; }},
      {"centred, cue panel right, wider blanks",
       [](RenderOptions& o) {
         o.centre_justify = true;
         o.cue_left = false;
         o.left_blank = 40;
         o.width_adjustment = 8;
       }},
  };
  for (const auto& [name, setup] : placements) {
    testing::PromptScript script;
    e_object* line = script.Add("HIM");
    RenderOptions o;
    setup(o);
    const PromptRenderer renderer(script.store(), script.fonts(), o);
    const PreviewFrame frame = FrameAt(line);
    PreviewImage image(kPreviewWidth, kPreviewHeight);
    DrawPreview(renderer, frame.top, image);
    int first = kPreviewWidth;
    int last = -1;
    for (int y = 0; y < Rows(renderer, line); ++y) {
      for (int x = 0; x < kPreviewWidth; ++x) {
        if (image.pixels[static_cast<std::size_t>(y) * kPreviewWidth + x] != 0) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
      }
    }
    const auto start = CaretInPreview(renderer, frame, {line, 0});
    const auto end = CaretInPreview(renderer, frame, {line, 3});
    ASSERT_TRUE(start && end) << name;
    // Within the side bearings of "H" and "M" at a third of the size.
    EXPECT_NEAR(start->x, first, 3) << name;
    EXPECT_NEAR(end->x, last + 1, 3) << name;
  }
}

TEST(PreviewCaret, NothingWhenItsSegmentIsNotInView) {
  testing::PromptScript script;
  e_object* first = script.Add("First line");
  e_object* second = script.Add("Second line");
  e_object* third = script.Add("Third line", "goes on");
  e_object* hidden = script.AddSlug("[2] Hidden slug");
  RenderOptions o;
  o.remove_sluglines = true;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const int one_band = Rows(renderer, first);
  const struct {
    const char* name;
    PreviewFrame frame;
    CaretPlace caret;
  } cases[] = {
      {"a line above the top", FrameAt(second), {first, 0}},
      {"a line below the bottom", FrameAt(first, one_band), {second, 0}},
      {"segment B below the bottom", FrameAt(third, one_band), {third, 12}},
      {"a line the prompt leaves out", FrameAt(first), {hidden, 0}},
      {"no caret line", FrameAt(first), {nullptr, 0}},
      {"an empty image", FrameAt(first, 0), {first, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(CaretInPreview(renderer, c.frame, c.caret).has_value()) << c.name;
  }
  // The same segment B is found once the image reaches it.
  EXPECT_TRUE(CaretInPreview(renderer, FrameAt(third), {third, 12}).has_value());
}

TEST(PreviewClick, MapsBackToTheCaretsColumn) {
  testing::PromptScript script;
  script.Add("Opening");
  e_object* line = script.Add("Wide Wall ", "of sound   ");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const PreviewFrame frame = FrameAt(script.store().first_line());
  const auto click_at = [&](const PreviewCaret& caret, int dx) {
    return PlaceAtPreviewPoint(renderer, frame, caret.x + dx, (caret.top + caret.bottom) / 2);
  };
  // Column 10, after the blank that ends segment A, is not drawn: the caret there stands where
  // column 9 does, and a click reaches column 10 at the start of segment B.
  EXPECT_EQ(CaretInPreview(renderer, frame, {line, 10}),
            CaretInPreview(renderer, frame, {line, 9}));
  for (const int column : {0, 1, 4, 5, 9, 11, 14, 18}) {
    const auto caret = CaretInPreview(renderer, frame, {line, column});
    ASSERT_TRUE(caret.has_value()) << column;
    for (const int dx : {0, -1, 1}) {
      EXPECT_EQ(click_at(*caret, dx), (CaretPlace{line, column})) << column << " " << dx;
    }
  }
  // Trailing blanks of B are not drawn: every column past the text stands at its end, and a
  // click there gives the end of the shown text.
  const auto end = CaretInPreview(renderer, frame, {line, 18});
  for (const int column : {19, 21, 40}) {
    EXPECT_EQ(CaretInPreview(renderer, frame, {line, column}), end) << column;
  }
  EXPECT_EQ(click_at(*end, 30), (CaretPlace{line, 18}));
  // Left of segment B's text is its first column.
  EXPECT_EQ(PlaceAtPreviewPoint(renderer, frame, 0, end->top), (CaretPlace{line, 10}));
}

TEST(PreviewClick, MarginLinesGoToTheNearestRealLine) {
  testing::PromptScript script;
  e_object* first = script.Add("Top of the script");
  e_object* last = script.Add("The end", "of it");
  const RenderOptions o;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const store::ScriptStore& store = script.store();
  const int rows = Rows(renderer, first);
  const int below_last = 3 * rows + rows / 2;
  const struct {
    const char* name;
    PreviewFrame frame;
    int y;
    CaretPlace expected;
  } cases[] = {
      {"a head margin line", FrameAt(store.chain_first()), rows / 2, {first, 0}},
      {"the margin line just above the script", FrameAt(store.edit_head()), rows / 2, {first, 0}},
      {"a tail margin line", FrameAt(last), below_last, {last, 12}},
      {"below the end of the chain", FrameAt(store.chain_last(), 3000), 2900, {last, 12}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceAtPreviewPoint(renderer, c.frame, 100, c.y), c.expected) << c.name;
  }
  EXPECT_FALSE(PlaceAtPreviewPoint(renderer, FrameAt(first, 0), 10, 0).has_value());
}

TEST(PreviewClick, SlugNumberCutKeepsRawColumns) {
  // With "Inverse Slug" off the preview cuts the slug number out of the text.
  testing::PromptScript script;
  e_object* slug = script.AddSlug("AB[12]CD");
  RenderOptions o;
  o.inverse_slug = false;
  const PromptRenderer renderer(script.store(), script.fonts(), o);
  const PreviewFrame frame = FrameAt(slug);
  const int left = renderer.PreviewLayout(frame.top, kPreviewWidth).left;
  const int y = Rows(renderer, slug) / 2;
  const struct {
    int raw;
    const char* before;
  } carets[] = {{0, ""}, {2, "AB"}, {4, "AB"}, {6, "AB"}, {7, "ABC"}, {8, "ABCD"}};
  for (const auto& c : carets) {
    const auto caret = CaretInPreview(renderer, frame, {slug, c.raw});
    ASSERT_TRUE(caret.has_value()) << c.raw;
    EXPECT_EQ(caret->x, left + Width(renderer, c.before)) << c.raw;
  }
  const struct {
    const char* before;
    int raw;
  } clicks[] = {{"A", 1}, {"AB", 6}, {"ABC", 7}, {"ABCD", 8}};
  for (const auto& c : clicks) {
    EXPECT_EQ(PlaceAtPreviewPoint(renderer, frame, left + Width(renderer, c.before), y),
              (CaretPlace{slug, c.raw}))
        << c.before;
  }
  // Without the cut the brackets are drawn and every column is its own.
  o.inverse_slug = true;
  const auto uncut = CaretInPreview(renderer, frame, {slug, 7});
  ASSERT_TRUE(uncut.has_value());
  EXPECT_EQ(uncut->x, left + Width(renderer, "AB[12]C"));
}

}  // namespace
}  // namespace telvane::prompt
