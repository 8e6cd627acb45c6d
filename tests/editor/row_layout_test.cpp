#include "editor/row_layout.h"

#include <string>

#include "editor/edit_font_metrics.h"
#include "store/store_fixture.h"

namespace telvane::editor {
namespace {

namespace lf = store::line_flag;
using store::e_object;

// Characters of font n are 5 * (n + 1) pixels wide; bold adds one pixel per character.
class FixedEditMetrics : public EditFontMetrics {
 public:
  EditFontInfo Font(int font) const override { return {10 + font, 14 + font, font == 7 ? 4 : 1}; }
  int TextWidth(int font, std::uint8_t style_bits, std::string_view bytes,
                int /*charset*/) const override {
    return static_cast<int>(bytes.size()) * (5 * (font + 1) + ((style_bits & 1) != 0 ? 1 : 0));
  }
};

class RowLayoutTest : public store::testing::StoreTest {
 protected:
  EditorColours colours;
  FixedEditMetrics metrics;
  RowLayouter layouter{metrics, colours};
};

TEST_F(RowLayoutTest, RowMetricsShareOneBaseline) {
  const RowMetrics m = ComputeRowMetrics(metrics, 2);
  EXPECT_EQ(m.row_height, 21 + 4 + 2);
  EXPECT_EQ(m.baseline_offset[0], 7);
  EXPECT_EQ(m.baseline_offset[7], 0);
}

TEST_F(RowLayoutTest, LineColourPrecedence) {
  colours.drop_b = 1;
  colours.cloak_b = 2;
  colours.snapshot_b = 3;
  colours.slug_b = 4;
  colours.mark_b = 5;
  colours.mos_event_b = 6;
  colours.no_prompt_b = 7;
  colours.no_cap_b = 8;
  colours.edit_b = 9;
  struct Case {
    std::uint32_t flags;
    std::string text;
    bool mos_cue;
    Rgb background;
  };
  const Case cases[] = {
      {4 | lf::kCloaked | lf::kSlugLine, "x", false, 1},
      {lf::kCloaked | lf::kSnapshot | lf::kSlugLine | lf::kBookmark, "x", true, 2},
      {lf::kSnapshot | lf::kSlugLine, "x", false, 3},
      {lf::kSlugLine | lf::kBookmark | lf::kPackage, "x", true, 4},
      {lf::kBookmark | lf::kPackage, "x", true, 5},
      {lf::kPackage | lf::kPresenterInstruction, "x", true, 6},
      {lf::kPackage | lf::kPresenterInstruction, "// timing", false, 7},
      {lf::kPresenterInstruction, "x", false, 8},
      {0, "// 1:00", false, 8},
      {0, "/// not timing", false, 9},
      {5, "x", false, 9},
  };
  for (const Case& c : cases) {
    e_object* line = AddLine(c.text, c.flags);
    if (c.mos_cue) line->mos_cue_a = "cue";
    EXPECT_EQ(ColoursOfLine(store, *line, colours).background, c.background)
        << std::hex << c.flags << " " << c.text;
  }
}

TEST_F(RowLayoutTest, ShownTextWithHardReturns) {
  e_object* line = AddLine("a b", lf::kHardReturn | lf::kPageBreak | lf::kHardBlank);
  line->text_a[1] = static_cast<char>(160);
  line->text_a += ' ';
  line->style_a = std::string("\x00\x00\x00\x29", 4);
  line->colour_a = "888:";
  const store::StyledText shown = ShownText(*line, true, 3);
  EXPECT_EQ(shown.text,
            "a\xB0"
            "b\xB7\x87\xB6\xA7");
  // The marks take the last character's colour and font, without its style bits.
  EXPECT_EQ(shown.colour.substr(4), ":::");
  EXPECT_EQ(shown.style.substr(4), std::string(3, '\x20'));
  EXPECT_EQ(ShownText(*line, false, 3).text,
            "a\xA0"
            "b ");

  e_object* empty = AddLine("", lf::kHardReturn);
  const store::StyledText mark = ShownText(*empty, true, 2);
  EXPECT_EQ(mark.text, "\xB6");
  EXPECT_EQ(mark.colour, "\x38");
  EXPECT_EQ(mark.style, "\x20");
}

TEST_F(RowLayoutTest, RunsCaretXAndHighlight) {
  e_object* line = AddLine("abcdef");
  // Two characters of font 1 bold, then a colour change that only differs in the studio mark
  // bit (no new run), then a new colour.
  line->style_a = std::string("\x00\x00\x11\x11\x00\x00", 6);
  line->colour_a = std::string("88\x38\xB8\x39\x39", 6);
  RowOptions o;
  o.text_left = 21;
  o.scroll_x = 4;
  EXPECT_EQ(layouter.ColumnX(*line, 0, o), 0);
  EXPECT_EQ(layouter.ColumnX(*line, 3, o), 5 + 5 + 11);
  EXPECT_EQ(layouter.ColumnX(*line, 99, o), 10 + 22 + 10);

  RowLayout row = layouter.Layout(store, *line, o, 0, 20, 12);
  ASSERT_EQ(row.runs.size(), 3u);
  EXPECT_EQ(row.runs[0].x, 21 + 2 - 4);
  EXPECT_EQ(row.runs[0].bytes, "ab");
  EXPECT_EQ(row.runs[1].bytes, "cd");
  EXPECT_EQ(row.runs[1].font, 1);
  EXPECT_EQ(row.runs[1].x, 19 + 10);
  EXPECT_EQ(row.runs[2].x, 29 + 22);
  EXPECT_FALSE(row.highlight);

  line->sel_start = 2;
  line->sel_end = 4;
  row = layouter.Layout(store, *line, o, 0, 20, 12);
  ASSERT_TRUE(row.highlight);
  EXPECT_EQ(row.highlight->x, 29);
  EXPECT_EQ(row.highlight->width, 22);

  // From column 0 the highlight starts 2 pixels left of the text.
  line->sel_start = 0;
  row = layouter.Layout(store, *line, o, 0, 20, 12);
  EXPECT_EQ(row.highlight->x, 17);
  EXPECT_EQ(row.highlight->width, 2 + 10 + 22);

  e_object* empty = AddLine("");
  empty->sel_start = 0;
  empty->sel_end = 255;
  row = layouter.Layout(store, *empty, o, 0, 20, 12);
  ASSERT_TRUE(row.highlight);
  EXPECT_EQ(row.highlight->width, 2 + 20);
}

TEST_F(RowLayoutTest, RunColoursAndOpacity) {
  colours.edit_b = 0xEEEEEE;
  colours.edit_f = 0x111111;
  e_object* line = AddLine("ab");
  line->style_a = std::string("\x08\x00", 2);
  line->colour_a = std::string("\x0C\x0C", 2);  // text colour 4 on background 1
  RowOptions o;
  RowLayout row = layouter.Layout(store, *line, o, 0, 20, 12);
  ASSERT_EQ(row.runs.size(), 2u);
  // Inverse without colour selection: the editor colours exchanged, opaque.
  EXPECT_EQ(row.runs[0].background, colours.edit_f);
  EXPECT_EQ(row.runs[0].text, colours.edit_b);
  EXPECT_TRUE(row.runs[0].opaque);
  EXPECT_EQ(row.runs[1].background, colours.edit_b);
  EXPECT_FALSE(row.runs[1].opaque);

  o.colour_selection = true;
  row = layouter.Layout(store, *line, o, 0, 20, 12);
  EXPECT_EQ(row.runs[0].background, PaletteColour(4));
  EXPECT_EQ(row.runs[0].text, PaletteColour(1));
  EXPECT_EQ(row.runs[1].background, PaletteColour(1));
  EXPECT_EQ(row.runs[1].text, PaletteColour(4));
  EXPECT_TRUE(row.runs[1].opaque);

  // A slug line draws every run in its line colours; a highlighted row is never opaque.
  line->flags |= lf::kSlugLine;
  line->sel_end = 1;
  row = layouter.Layout(store, *line, o, 0, 20, 12);
  EXPECT_EQ(row.runs[1].background, colours.slug_b);
  EXPECT_FALSE(row.runs[1].opaque);
}

TEST_F(RowLayoutTest, StudioMarkHookPointsAtTheMarkedWord) {
  e_object* line = AddLine("one two three", lf::kStudioMark);
  line->colour_a[12] = static_cast<char>(line->colour_a[12] | store::colour_bit::kStudioMark);
  RowOptions o;
  o.text_left = 100;
  o.split_left = 90;
  RowLayout row = layouter.Layout(store, *line, o, 40, 20, 14);
  ASSERT_TRUE(row.hook);
  EXPECT_EQ(row.hook->x0, 100);
  EXPECT_EQ(row.hook->y0, 57);
  EXPECT_EQ(row.hook->x1, 102 + 13 * 5);
  EXPECT_EQ(row.hook->x2, row.hook->x1 + 6);
  EXPECT_EQ(row.hook->y2, 43);
  EXPECT_EQ(row.hook->pen_width, 2);
  // Scrolled so far that the mark lies left of the text: the hook runs to the split.
  o.scroll_x = 200;
  row = layouter.Layout(store, *line, o, 40, 20, 12);
  EXPECT_EQ(row.hook->x1, 90);
  EXPECT_EQ(row.hook->pen_width, 1);
}

}  // namespace
}  // namespace telvane::editor
