#include <gtest/gtest.h>

#include "store/line_markers.h"
#include "store/slug_commands.h"
#include "store/studio_marks.h"
#include "store/style_commands.h"
#include "store_fixture.h"

namespace telvane::store::testing {
namespace {

using CommandsTest = StoreTest;

std::string Styles(const e_object& l) {
  std::string out;
  for (const char c : l.style_a + l.style_b) {
    out += static_cast<char>('0' + c);
  }
  return out;
}

TEST_F(CommandsTest, BoldThenItalicOnASelectedWordKeepsTheSplit) {
  e_object* line = AddLine("one two ");
  line->text_b = "three";
  line->style_b = std::string(5, '\0');
  line->colour_b = "88888";
  line->sel_start = 4;
  line->sel_end = 7;
  ToggleStyle(store, style_bit::kBold, false);
  ToggleStyle(store, style_bit::kItalic, false);
  // The space after an italic selection leans with it.
  EXPECT_EQ(Styles(*line), "0000333200000");
  EXPECT_EQ(line->text_a.size(), 8u);
  EXPECT_EQ(line->style_b.size(), 5u);
  EXPECT_TRUE(store.script_changed());
}

TEST_F(CommandsTest, StyleWithoutSelectionChangesOnlyTheTypingStyle) {
  e_object* line = AddLine("text");
  ToggleStyle(store, style_bit::kUnderline, false);
  EXPECT_EQ(store.typing().style, style_bit::kUnderline);
  EXPECT_EQ((line->flags & line_flag::kEmptyStyleMask) >> line_flag::kEmptyStyleShift, 4u);
  EXPECT_EQ(Styles(*line), "0000");
  EXPECT_FALSE(store.script_changed());
}

TEST_F(CommandsTest, SelectionCommandsWithoutABlockSayNothingIsSelected) {
  AddLine("abc");
  SetSelectionFont(store, 3, false);
  SetSelectionColour(store, ColourMode::kText, -1);
  ForceCase(store, true);
  EXPECT_EQ(notices.shown, (std::vector<int>(3, message::kNothingSelected)));
  EXPECT_EQ(Texts(), std::vector<std::string>{"abc"});
  EXPECT_FALSE(store.script_changed());
}

TEST_F(CommandsTest, SelectedColumnsAreClampedToTheText) {
  e_object* a = AddLine("caf\xE9");
  e_object* b = AddLine("\xE0\xE1");  // Cyrillic in character set 204
  b->flags = (b->flags & ~line_flag::kCharsetMask) | (204u << line_flag::kCharsetShift);
  e_object* empty = AddLine("");
  a->sel_start = -3;
  a->sel_end = 255;
  b->sel_end = 255;
  empty->sel_end = 255;
  ForceCase(store, true);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"CAF\xC9", "\xC0\xC1", ""}));
  store.typing().fg_sel = 2;
  store.typing().lbg_sel = 4;
  SetSelectionColour(store, ColourMode::kText, 5);
  EXPECT_EQ(static_cast<std::uint8_t>(a->colour_a[0]), 2 | (5 << 3));
  SetSelectionColour(store, ColourMode::kLine, -1);
  EXPECT_EQ(empty->line_colour, 4);
  SetSelectionFont(store, 8, false);
  EXPECT_EQ(Styles(*b), std::string(2, static_cast<char>('0' + 0x70)));
  EXPECT_EQ(store.caret_column, 0);
}

TEST_F(CommandsTest, StudioMarkPlacement) {
  store.options().studio_instructions = true;
  struct Case {
    std::string text;
    int caret;
    int marked;  // -1: no mark, and no flag
  };
  const Case cases[] = {
      {"hello big world", 3, 4}, {"hello big world", 7, 8},
      {"hello big world", 6, 4}, {"hello   big", 8, 4},
      {"hello", 5, 4},           {"hello", 0, -1},
      {"   x", 2, -1},           {"hi", 9, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " @" + std::to_string(c.caret));
    store.NewScript();
    e_object* line = AddLine(c.text);
    line->flags |= line_flag::kStudioMark;
    line->colour_a[0] |= static_cast<char>(colour_bit::kStudioMark);
    store.current_line() = line;
    store.caret_column = c.caret;
    SetStudioMark(store, true);
    for (std::size_t i = 0; i < c.text.size(); ++i) {
      EXPECT_EQ((line->colour_a[i] & colour_bit::kStudioMark) != 0, static_cast<int>(i) == c.marked)
          << i;
    }
    EXPECT_EQ(HasFlag(*line, line_flag::kStudioMark), c.marked >= 0);
  }
  e_object* line = store.current_line().get();
  store.caret_column = 1;
  SetStudioMark(store, true);
  SetStudioMark(store, false);
  EXPECT_FALSE(HasFlag(*line, line_flag::kStudioMark));
  EXPECT_EQ(line->colour_a, "88");
  store.options().view_si = false;
  SetStudioMark(store, true);
  EXPECT_FALSE(HasFlag(*line, line_flag::kStudioMark));
}

class StudioColumnTest : public StoreTest {
 protected:
  void SetUp() override {
    for (const char* si : {"", "one", "two", "", "tied"}) {
      AddLine("x")->studio_text = si;
    }
  }
  std::vector<std::string> Column() const {
    std::vector<std::string> out;
    for (e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
      out.push_back(l->studio_text);
    }
    return out;
  }
  e_object* Line(int n) const {
    e_object* l = store.first_line();
    while (n-- > 0) {
      l = l->next;
    }
    return l;
  }
};

TEST_F(StudioColumnTest, ShiftsMoveTheWholeColumn) {
  ShiftStudioUp(store, *Line(1));
  EXPECT_EQ(Column(), (std::vector<std::string>{"one", "two", "", "", "tied"}));
  ShiftStudioDown(store, *Line(1));
  EXPECT_EQ(Column(), (std::vector<std::string>{"", "one", "two", "", "tied"}));
  ShiftStudioUp(store, *Line(2));  // the row above is taken: nothing moves
  EXPECT_EQ(Column(), (std::vector<std::string>{"", "one", "two", "", "tied"}));
}

TEST_F(StudioColumnTest, ColumnStaysOnItsRowsAcrossInsertAndDelete) {
  Line(4)->flags |= line_flag::kStudioMark;
  e_object* added = store.InsertLine(Line(0), true);
  KeepStudioColumnOnInsert(store, *added);
  EXPECT_EQ(Column(), (std::vector<std::string>{"", "one", "two", "", "", "tied"}));
  KeepStudioColumnOnDelete(store, *added);
  store.DeleteLine(added);
  EXPECT_EQ(Column(), (std::vector<std::string>{"", "one", "two", "", "tied"}));
}

TEST_F(CommandsTest, InsertPackageAndPresenterInstruction) {
  AddLine("text");
  e_object* empty = AddLine("");
  store.current_line() = empty;
  store.typing().style = 0x31;
  InsertPackage(store);
  EXPECT_EQ(store.current_line().get(), empty);
  EXPECT_EQ(store.line_count(), 2);
  EXPECT_TRUE(HasFlag(*empty, line_flag::kPackage));
  EXPECT_EQ((empty->flags & line_flag::kEmptyStyleMask) >> line_flag::kEmptyStyleShift, 0xAu);
  EXPECT_EQ(store.typing().style, 0x3A);

  e_object* text = store.first_line();
  store.current_line() = text;
  store.top_line() = text;
  InsertPresenterInstruction(store);
  e_object* added = store.current_line().get();
  EXPECT_EQ(added->next, text);
  EXPECT_EQ(store.top_line().get(), added);
  EXPECT_TRUE(HasFlag(*added, line_flag::kPresenterInstruction));
  EXPECT_EQ(store.typing().style, 0x38);
}

TEST_F(CommandsTest, InsertSlugLines) {
  AddLine("[12] word");
  AddLine("[no close");
  AddLine("plain");
  EXPECT_EQ(InsertSlugLines(store), 1);
  e_object* slug = store.first_line();
  EXPECT_EQ(slug->text_a, "12  word");
  EXPECT_EQ(slug->style_a.size(), slug->text_a.size());
  ASSERT_TRUE(IsSlugLine(*slug));
  EXPECT_EQ(slug->story->story_id, "12");
  EXPECT_EQ(slug->next->text_a, "[no close");
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(CommandsTest, CreateSlugLineAsksBeforeUnmaking) {
  e_object* slug = AddLine("5 story", line_flag::kSlugLine);
  store.CreateStoryEntry(slug);
  notices.confirm = false;
  CreateSlugLine(store);
  EXPECT_TRUE(IsSlugLine(*slug));
  notices.confirm = true;
  CreateSlugLine(store);
  EXPECT_FALSE(IsSlugLine(*slug));
  EXPECT_EQ(store.run_head()->next, store.run_end());
  EXPECT_EQ(notices.shown, (std::vector<int>(2, message::kRemoveSlugLine)));
  CreateSlugLine(store);
  EXPECT_EQ(notices.slug_dialogs, 1);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(CommandsTest, SlugFontChangeCarriesTextIntoFollowingLines) {
  store.options().prompt_blank = kPromptWidth - 100;
  e_object* slug = AddLine("1 aaaa bbbb cccc", line_flag::kSlugLine);
  AddLine("after");
  store.CreateStoryEntry(slug);
  SetSelectionFont(store, 3, true);  // 30 pixels a character: three fit in a segment
  std::string joined;
  for (e_object* l = slug; l->text_a != "after"; l = l->next) {
    joined += l->text_a + l->text_b;
  }
  EXPECT_EQ(joined, "1 aaaa bbbb cccc");
  EXPECT_GT(store.line_count(), 2);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(CommandsTest, HardReturnsStopJoining) {
  store.options().prompt_blank = 18;
  AddLine("one ");
  AddLine("two");
  SetHardReturns(store, true);
  RewrapParagraph(store, store.first_line());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one ", "two"}));
  SetHardReturns(store, false);
  RewrapParagraph(store, store.first_line());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one two"}));
}

TEST_F(CommandsTest, MarkerToggles) {
  e_object* a = AddLine("a");
  e_object* b = AddLine("b");
  store.current_line() = a;
  ToggleCloak(store, false, true);
  EXPECT_EQ(notices.shown, std::vector<int>{message::kEditingDisabled});
  EXPECT_FALSE(HasFlag(*a, line_flag::kCloaked));
  a->sel_end = 1;
  b->sel_end = 1;
  ToggleCloak(store, false, false);
  EXPECT_TRUE(HasFlag(*a, line_flag::kCloaked) && HasFlag(*b, line_flag::kCloaked));
  a->bookmark_name = "old";
  ToggleBookmark(store);
  EXPECT_TRUE(HasFlag(*a, line_flag::kBookmark));
  EXPECT_EQ(a->bookmark_name, "");
  SetSnapshot(store, *b, SnapshotMode::kSet);
  SetSnapshot(store, *b, SnapshotMode::kSet);
  EXPECT_TRUE(HasFlag(*b, line_flag::kSnapshot));
  SetSnapshot(store, *b, SnapshotMode::kToggle);
  EXPECT_FALSE(HasFlag(*b, line_flag::kSnapshot));
  InsertHardBlankLine(store);
  EXPECT_EQ(store.current_line()->prev, a);
  EXPECT_TRUE(HasFlag(*store.current_line().get(), line_flag::kHardBlank));
}

TEST_F(CommandsTest, RemoveMultipleSpacesKeepsAttributesAligned) {
  e_object* line = AddLine("a  b   c");
  line->style_a = std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  RemoveMultipleSpaces(store);
  EXPECT_EQ(line->text_a, "a b c");
  EXPECT_EQ(Styles(*line), "12458");
}

TEST_F(CommandsTest, TypingAttributesComeFromTheTextAtTheCaret) {
  e_object* line = AddLine("ab");
  line->style_a = std::string("\x21\x32", 2);
  line->colour_a = std::string("\x11\xAA", 2);
  line->line_colour = 3;
  store.current_line() = line;
  store.typing().font = 5;
  store.caret_column = 2;
  TakeTypingAttributes(store);
  EXPECT_EQ(store.typing().style, 0x52);
  EXPECT_EQ(store.typing().colour, 0x2A);  // never the studio mark
  EXPECT_EQ(store.typing().fg_sel, 2);
  EXPECT_EQ(store.typing().bg_sel, 5);
  EXPECT_EQ(store.typing().lbg_sel, 3);
  store.options().auto_attribute = true;
  store.caret_column = 0;
  TakeTypingAttributes(store);
  EXPECT_EQ(store.typing().style, 0x21);
}

TEST_F(CommandsTest, InputLanguageAndPresenter) {
  InputLanguageChanged(store, 177, 1037);  // Hebrew
  EXPECT_EQ(CharsetOf(*store.first_line()), 177);
  EXPECT_EQ(store.first_line()->keyboard_layout, 1037);
  EXPECT_EQ(store.typing().last_ltr_language, kEnglishUk);
  InputLanguageChanged(store, 204, 1049);
  EXPECT_EQ(store.typing().last_ltr_language, 1049);
  SelectPresenter(store, 12, 4);
  EXPECT_EQ(store.typing().font, 3);
  EXPECT_EQ((store.first_line()->flags & line_flag::kPresenterMask) >> line_flag::kPresenterShift,
            12u);
  SetRightToLeft(store, true);
  EXPECT_TRUE(HasFlag(*store.first_line(), line_flag::kRightToLeft));
  EXPECT_FALSE(store.script_changed());  // a single empty line is no change
}

}  // namespace
}  // namespace telvane::store::testing
