#include <functional>
#include <string>

#include "editor/editor_fixture.h"
#include "store/code_pages.h"

namespace telvane::editor::testing {
namespace {

namespace lf = store::line_flag;

std::string Words(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "abcd ";
  return s;
}

// 24 five-character words fill both segments of a line exactly.
TEST_F(EditorTest, TypingAtTheEndOfAFullLineMovesTheWordDown) {
  AddParagraph(Words(24) + "next more");
  e_object* first = store.first_line();
  ASSERT_EQ(TextOf(first), Words(24));
  Caret(first, 119);
  Type("efgh");
  EXPECT_EQ(TextOf(first), Words(23));
  EXPECT_EQ(TextOf(first->next), "abcdefgh next more");
  EXPECT_EQ(model.current_line(), first->next);
  EXPECT_EQ(model.caret_column(), 8);
  EXPECT_EQ(model.caret_row(), 1);
}

TEST_F(EditorTest, InsertAndOverwrite) {
  struct Case {
    bool insert;
    int column;
    std::string typed, expected;
  };
  const Case cases[] = {{true, 1, "x", "axbc"},
                        {false, 1, "x", "axc"},
                        {false, 3, "xy", "abcxy"},
                        {true, 0, "z", "zabc"}};
  for (const Case& c : cases) {
    store.NewScript();
    e_object* line = store.first_line();
    line->text_a = "abc";
    line->style_a = std::string(3, '\0');
    line->colour_a = std::string(3, store::colour_bit::kDefault);
    if (model.insert_mode() != c.insert) Press(Key::kInsert);
    Caret(line, c.column);
    Type(c.typed);
    EXPECT_EQ(TextOf(line), c.expected) << c.typed << " at " << c.column;
    EXPECT_EQ(model.caret_column(), c.column + static_cast<int>(c.typed.size()));
    EXPECT_TRUE(line->style_a.size() == line->text_a.size() &&
                line->colour_a.size() == line->text_a.size());
  }
}

TEST_F(EditorTest, TypingOptions) {
  EditorOptions o;
  o.smart_quote = true;
  o.force_uppercase = true;
  model.SetOptions(o);
  e_object* line = AddLine("");
  Caret(line, 0);
  Type("\"a\" 'b'");
  EXPECT_EQ(TextOf(line),
            "\x93"
            "A\x94 \x91"
            "B\x92");
}

TEST_F(EditorTest, DotSpaceStartsANewLineAfterASentenceEnd) {
  struct Case {
    int space_count;
    std::string text;
    int column;
    bool new_line;
  };
  const Case cases[] = {
      {1, "End.", 4, true},  {0, "End.", 4, true},  // a count below 1 counts as 1
      {2, "End. ", 5, true}, {2, "End.", 4, false},
      {3, " ", 1, false},  // fewer characters than the count: nothing read before column 0
      {1, "", 0, false},
  };
  for (const Case& c : cases) {
    store.NewScript();
    EditorOptions o;
    o.dot_space = true;
    o.space_count = c.space_count;
    model.SetOptions(o);
    e_object* line = store.first_line();
    line->text_a = c.text;
    line->style_a = std::string(c.text.size(), '\0');
    line->colour_a = std::string(c.text.size(), store::colour_bit::kDefault);
    Caret(line, c.column);
    Type(" ");
    EXPECT_EQ(store.line_count() > 1, c.new_line) << c.space_count << " '" << c.text << "'";
  }
}

TEST_F(EditorTest, EnterAtTheEndOfAContinuingLineOnlySetsAHardReturn) {
  AddParagraph(Words(24) + "next more");
  e_object* first = store.first_line();
  const int lines = store.line_count();
  Caret(first, 120);
  Press(Key::kEnter);
  EXPECT_EQ(store.line_count(), lines);
  EXPECT_TRUE(HasFlag(*first, lf::kHardReturn));
  EXPECT_EQ(model.current_line(), first->next);
  EXPECT_EQ(model.caret_column(), 0);
}

TEST_F(EditorTest, EnterInsideALineSplitsIt) {
  e_object* line = AddLine("hello world", lf::kPageBreak);
  Caret(line, 6);
  Press(Key::kEnter);
  EXPECT_EQ(TextOf(line), "hello ");
  EXPECT_EQ(line->flags & (lf::kHardReturn | lf::kPageBreak), lf::kHardReturn);
  ASSERT_EQ(model.current_line(), line->next);
  EXPECT_EQ(TextOf(line->next), "world");
  EXPECT_TRUE(HasFlag(*line->next, lf::kPageBreak));
  EXPECT_EQ(model.caret_column(), 0);
}

TEST_F(EditorTest, EnterAtColumnZeroOfASlugLineMovesTheStoryDown) {
  AddLine("intro", lf::kHardReturn);
  e_object* slug = AddSlug("[12] Story");
  slug->flags |= lf::kHardReturn;
  AddLine("body");
  store::r_object* entry = slug->story;
  Caret(slug, 0);
  Press(Key::kEnter);
  e_object* moved = slug->next;
  EXPECT_EQ(TextOf(slug), "");
  EXPECT_FALSE(IsSlugLine(*slug));
  EXPECT_EQ(slug->story, nullptr);
  EXPECT_TRUE(IsSlugLine(*moved));
  EXPECT_EQ(TextOf(moved), "[12] Story");
  EXPECT_EQ(moved->story, entry);
  EXPECT_EQ(entry->line, moved);
  EXPECT_EQ(model.current_line(), moved);
  EXPECT_EQ(StoryCount(), 1);
}

TEST_F(EditorTest, StudioMarkAfterTheCaretGoesIntoTheNewLowerLine) {
  e_object* line = AddLine("one two three four", lf::kStudioMark);
  line->studio_text = "CAM 2";
  line->colour_a[12] = static_cast<char>(line->colour_a[12] | store::colour_bit::kStudioMark);
  Caret(line, 4);
  Press(Key::kEnter);
  e_object* lower = line->next;
  EXPECT_EQ(TextOf(line), "one ");
  EXPECT_FALSE(HasFlag(*line, lf::kStudioMark));
  EXPECT_EQ(line->studio_text, "");
  EXPECT_EQ(TextOf(lower), "two three four");
  EXPECT_TRUE(HasFlag(*lower, lf::kStudioMark));
  EXPECT_EQ(lower->studio_text, "CAM 2");
}

TEST_F(EditorTest, BackspaceAtColumnZeroOfTheFirstLineChangesNothing) {
  e_object* line = AddLine("first");
  AddLine("second");
  Caret(line, 0);
  Press(Key::kBackspace);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"first", "second"}));
  EXPECT_FALSE(store.script_changed());
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(EditorTest, BackspaceDeletesAndJoins) {
  e_object* first = AddLine("one ", lf::kHardReturn);
  e_object* second = AddLine("two", lf::kPageBreak);
  Caret(second, 2);
  Press(Key::kBackspace);
  EXPECT_EQ(TextOf(second), "to");
  Caret(second, 0);
  Press(Key::kBackspace);
  EXPECT_EQ(Texts(), std::vector<std::string>{"one to"});
  EXPECT_EQ(model.current_line(), first);
  EXPECT_EQ(model.caret_column(), 4);
  // The joined line ends where the lower one ended.
  EXPECT_EQ(first->flags & (lf::kHardReturn | lf::kPageBreak), lf::kPageBreak);
  Caret(first, 6);
  Press(Key::kBackspace, true);
  EXPECT_EQ(TextOf(first), "one ");
}

TEST_F(EditorTest, BackspaceOfASlugLineIntoTextEndsItsStory) {
  AddLine("intro", lf::kHardReturn);
  e_object* slug = AddSlug("[12] Story");
  Caret(slug, 0);
  Press(Key::kBackspace);
  EXPECT_EQ(Texts(), std::vector<std::string>{"intro[12] Story"});
  EXPECT_FALSE(IsSlugLine(*store.first_line()));
  EXPECT_EQ(StoryCount(), 0);
}

TEST_F(EditorTest, BackspaceOfASlugLineUnderAnEmptyLineMovesItUp) {
  AddLine("");
  e_object* slug = AddSlug("[12] Story");
  Caret(slug, 0);
  Press(Key::kBackspace);
  EXPECT_EQ(store.first_line(), slug);
  EXPECT_EQ(StoryCount(), 1);
  EXPECT_EQ(slug->story->line, slug);
}

TEST_F(EditorTest, BackspaceIntoAnEmptySlugLineEndsThatStory) {
  AddSlug("");
  e_object* body = AddLine("body");
  Caret(body, 0);
  Press(Key::kBackspace);
  EXPECT_EQ(Texts(), std::vector<std::string>{"body"});
  EXPECT_EQ(StoryCount(), 0);
}

TEST_F(EditorTest, DeleteKey) {
  AddParagraph(Words(24) + "next");
  e_object* first = store.first_line();
  Caret(first, 0);
  Press(Key::kDelete);
  EXPECT_EQ(TextOf(first).substr(0, 4), "bcd ");
  // At the end of a line whose paragraph continues the caret only moves on.
  const std::string before = TextOf(first);
  Caret(first, static_cast<int>(before.size()));
  Press(Key::kDelete);
  EXPECT_EQ(TextOf(first), before);
  EXPECT_EQ(model.current_line(), first->next);
  EXPECT_EQ(model.caret_column(), 0);
}

TEST_F(EditorTest, DeleteWholeLine) {
  AddLine("intro", lf::kHardReturn);
  e_object* slug = AddSlug("[1] A");
  e_object* body = AddLine("body");
  Caret(slug, 2);
  model.DeleteWholeLine();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"intro", "body"}));
  EXPECT_EQ(StoryCount(), 0);
  EXPECT_EQ(model.current_line(), body);
  model.DeleteWholeLine();
  model.DeleteWholeLine();
  // The only line is emptied, not removed.
  EXPECT_EQ(Texts(), std::vector<std::string>{""});
  EXPECT_EQ(store.line_count(), 1);
  EXPECT_EQ(model.caret_column(), 0);
}

TEST_F(EditorTest, RefusedEditsLeaveTheStoreUnchanged) {
  struct Case {
    const char* name;
    bool disabled;
    std::uint32_t flags;
    std::function<void(EditorModel&)> act;
    std::vector<int> shown;
  };
  const std::vector<Case> cases = {
      {"type while polling", true, 0, [](EditorModel& m) { m.KeyPress('x'); }, {725}},
      {"backspace while polling",
       true,
       0,
       [](EditorModel& m) { m.KeyDown({Key::kBackspace}); },
       {725}},
      {"delete while polling", true, 0, [](EditorModel& m) { m.KeyDown({Key::kDelete}); }, {725}},
      {"soft hyphen while polling",
       true,
       0,
       [](EditorModel& m) {
         m.KeyDown({Key::kMinus, true});
       },
       {725}},
      {"type on a hard blank line",
       false,
       lf::kHardBlank,
       [](EditorModel& m) { m.KeyPress('x'); },
       {309}},
      {"soft hyphen on a hard blank line",
       false,
       lf::kHardBlank,
       [](EditorModel& m) {
         m.KeyDown({Key::kMinus, true});
       },
       {309}},
      {"backspace on a hard blank line",
       false,
       lf::kHardBlank,
       [](EditorModel& m) { m.KeyDown({Key::kBackspace}); },
       {}},
  };
  for (const Case& c : cases) {
    store.NewScript();
    notices.shown.clear();
    e_object* line = store.first_line();
    line->text_a = "ab";
    line->style_a = std::string(2, '\0');
    line->colour_a = std::string(2, store::colour_bit::kDefault);
    line->flags |= c.flags;
    EditorOptions o;
    o.editing_disabled = c.disabled;
    model.SetOptions(o);
    Caret(line, 1);
    c.act(model);
    EXPECT_EQ(TextOf(store.first_line()), "ab") << c.name;
    EXPECT_EQ(store.line_count(), 1) << c.name;
    EXPECT_EQ(notices.shown, c.shown) << c.name;
  }
}

TEST_F(EditorTest, OnAirStoryIsProtectedWhilePrompting) {
  EditorOptions o;
  o.disable_on_air_edit = true;
  model.SetOptions(o);
  e_object* slug1 = AddSlug("[1] A");
  slug1->flags |= lf::kHardReturn;
  e_object* body1 = AddLine("on air", lf::kHardReturn);
  e_object* slug2 = AddSlug("[2] B");
  slug2->flags |= lf::kHardReturn;
  e_object* body2 = AddLine("next");
  store.set_prompting(true);
  prompt.on_air = slug1->story;

  Caret(body1, 0);
  Type("x");
  Press(Key::kBackspace);
  Press(Key::kDelete);
  EXPECT_EQ(TextOf(body1), "on air");
  EXPECT_EQ(notices.shown, std::vector<int>{289});
  EXPECT_EQ(prompt.remembered, 0);

  Caret(body2, 0);
  Type("x");
  EXPECT_EQ(TextOf(body2), "xnext");
  EXPECT_EQ(prompt.remembered, 1);
  EXPECT_EQ(prompt.changed, 1);
}

TEST_F(EditorTest, UnicodeIsStoredInTheLinesCharacterSet) {
  e_object* line = AddLine("");
  Caret(line, 0);
  model.TypeUnicode(U'\u20AC');
  EXPECT_EQ(TextOf(line), "\x80");
  model.TypeUnicode(U'\u0416');
  EXPECT_EQ(TextOf(line), "\x80");
  EXPECT_FALSE(model.TakeStatusText().empty());
}

TEST_F(EditorTest, CaretKeys) {
  e_object* first = AddLine("one  two three", lf::kHardReturn);
  e_object* second = AddLine("four", lf::kHardReturn);
  struct Case {
    e_object* line;
    int column;
    KeyEvent key;
    e_object* to_line;
    int to_column;
  };
  const Case cases[] = {
      {first, 9, {Key::kLeft, true}, first, 5},   {first, 0, {Key::kRight, true}, first, 5},
      {first, 5, {Key::kRight, true}, first, 9},  {first, 14, {Key::kRight, true}, second, 0},
      {second, 0, {Key::kLeft, true}, first, 14}, {second, 0, {Key::kLeft}, first, 14},
      {first, 14, {Key::kRight}, second, 0},      {first, 12, {Key::kDown}, second, 4},
      {second, 3, {Key::kUp}, first, 3},          {second, 3, {Key::kHome}, second, 0},
      {second, 3, {Key::kHome, true}, first, 0},  {first, 3, {Key::kEnd, true}, second, 4},
      {first, 0, {Key::kUp}, first, 0},
  };
  for (const Case& c : cases) {
    Caret(c.line, c.column);
    model.KeyDown(c.key);
    EXPECT_EQ(model.current_line(), c.to_line) << c.column;
    EXPECT_EQ(model.caret_column(), c.to_column) << c.column;
  }
}

TEST_F(EditorTest, CaretRowFollowsTheCaretOutOfTheWindow) {
  for (int i = 0; i < 10; ++i) AddLine("line " + std::to_string(i), lf::kHardReturn);
  model.SetVisibleRows(3);
  Caret(store.first_line(), 0);
  store.top_line() = store.first_line();
  for (int i = 0; i < 4; ++i) Press(Key::kDown);
  EXPECT_EQ(model.caret_row(), 2);
  EXPECT_EQ(TextOf(model.top_line()), "line 2");
  Press(Key::kPageUp);
  EXPECT_EQ(TextOf(model.current_line()), "line 1");
  EXPECT_EQ(model.top_line(), model.current_line());
  EXPECT_EQ(model.caret_row(), 0);
}

TEST_F(EditorTest, ReformatTextBreaksAtSentenceEnds) {
  struct Case {
    int space_count;
    std::string text;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {1, "One. Two! Three", {"One.", "Two! Three"}},
      {0, "One. Two", {"One.", "Two"}},
      {2, "One. Two.  Three", {"One. Two.", "Three"}},
      {1, "Trailing. ", {"Trailing. "}},
  };
  for (const Case& c : cases) {
    store.NewScript();
    EditorOptions o;
    o.dot_space = true;
    o.space_count = c.space_count;
    model.SetOptions(o);
    e_object* line = store.first_line();
    store::LayOutText(store, line, Plain(c.text), 0);
    line->flags |= lf::kPageBreak;
    model.ReformatText();
    EXPECT_EQ(Texts(), c.lines) << c.text;
    EXPECT_TRUE(HasFlag(*store.last_line(), lf::kPageBreak)) << c.text;
    if (c.lines.size() > 1) {
      EXPECT_EQ(store.first_line()->flags & (lf::kHardReturn | lf::kPageBreak), lf::kHardReturn);
    }
  }
}

TEST_F(EditorTest, StudioTyping) {
  e_object* line = AddLine("text", lf::kHardReturn);
  AddLine("more");
  Caret(line, 0);
  model.SetStudioTyping(true);
  Type("CAM 1 WIDE");
  EXPECT_EQ(line->studio_text, "CAM 1 WIDE");
  EXPECT_EQ(TextOf(line), "text");
  Press(Key::kLeft, true);
  EXPECT_EQ(model.caret_column(), 6);
  Press(Key::kBackspace);
  Press(Key::kEnter);
  EXPECT_EQ(line->studio_text, "CAM 1");
  EXPECT_EQ(line->next->studio_text, "WIDE");
  EXPECT_EQ(model.current_line(), line->next);
  // Delete Whole Line in the column clears the instruction and pulls the ones below up.
  Caret(line, 0);
  model.DeleteWholeLine();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"text", "more"}));
  EXPECT_EQ(line->studio_text, "WIDE");
  EXPECT_EQ(line->next->studio_text, "");
}

TEST_F(EditorTest, ASpaceTypedJoinsTheWordToThePreviousLine) {
  std::string words;
  for (int i = 0; i < 24; ++i) words += "abcd ";
  AddParagraph(words + "abcdef gh");
  e_object* first = store.first_line();
  ASSERT_EQ(TextOf(first->next), "abcdef gh");
  Caret(first->next, 1);
  Type(" ");
  EXPECT_EQ(Texts(), (std::vector<std::string>{words + "a ", "bcdef gh"}));
  EXPECT_EQ(model.current_line(), first);
  EXPECT_EQ(model.caret_column(), 122);
}

// Random keys over a script of stories: the chain, the run order and the parallel strings
// stay sound after every one.
TEST_F(EditorTest, PanEuropeanMarksTextTypedWithRightToLeftKeyboards) {
  struct Case {
    bool pan_european;
    int language;
    bool marked;
  };
  // Arabic (Saudi Arabia), Hebrew, English (UK); without the option the mark stays as it was.
  const Case cases[] = {{true, 0x0401, true},
                        {true, 0x040D, true},
                        {true, 0x0809, false},
                        {false, 0x0401, false},
                        {false, 0x0809, false}};
  for (const Case& c : cases) {
    store.NewScript();
    EditorOptions options;
    options.pan_european = c.pan_european;
    model.SetOptions(options);
    store.typing().keyboard_language = c.language;
    store.typing().colour = static_cast<std::uint8_t>(store::colour_bit::kDefault);
    Type("ab");
    const e_object* line = store.first_line();
    ASSERT_EQ(line->colour_a.size(), 2u);
    for (const char colour : line->colour_a) {
      EXPECT_EQ((colour & 0x40) != 0, c.marked) << c.language;
      EXPECT_EQ(colour & 0x3F, store::colour_bit::kDefault & 0x3F);
    }
  }
}

class CountingRunOrderEdits : public StoreRunOrderEdits {
 public:
  using StoreRunOrderEdits::StoreRunOrderEdits;
  void StoryNumberEdited(store::r_object& entry) override { edited.push_back(&entry); }
  std::vector<const store::r_object*> edited;
};

TEST_F(EditorTest, RemoveNumberOnPromptTakesTheBracketedIdentifier) {
  struct Case {
    bool remove_number;
    bool truncated;
    int column;
    bool backspace;
    std::string text, id;
    bool told;
  };
  const Case cases[] = {
      {true, true, 2, false, "[1x2] News", "1x2", true},
      {true, true, 3, true, "[1] News", "1", true},
      {true, true, 9, false, "[12] Newsx", "12", false},
      {true, true, 1, false, "[x12] News", "x12", true},
      // Without the option, or on a slug line shown in full, the identifier stays.
      {false, true, 2, false, "[1x2] News", "12", false},
      {true, false, 2, false, "[1x2] News", "12", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    store.NewScript();
    store.options().inverse_slug = true;
    store.options().truncate_slugline = c.truncated;
    CountingRunOrderEdits edits(store);
    EditorModel editor(store, edits, prompt);
    EditorOptions options;
    options.remove_number_on_prompt = c.remove_number;
    editor.SetOptions(options);
    e_object* slug = store.first_line();
    const store::StyledText t = Plain("[12] News");
    slug->text_a = t.text;
    slug->style_a = t.style;
    slug->colour_a = t.colour;
    slug->flags |= lf::kSlugLine | lf::kHardReturn;
    store::r_object* entry = store.CreateStoryEntry(slug);
    entry->story_id = "12";
    Caret(slug, c.column);
    if (c.backspace) {
      editor.KeyDown({Key::kBackspace});
    } else {
      editor.KeyPress('x');
    }
    EXPECT_EQ(TextOf(slug), c.text);
    EXPECT_EQ(entry->story_id, c.id);
    EXPECT_EQ(edits.edited, c.told ? std::vector<const store::r_object*>{entry}
                                   : std::vector<const store::r_object*>{});
  }
}

// The identifier keeps to eight characters however many are typed between the brackets.
TEST_F(EditorTest, BracketedIdentifierKeepsEightCharacters) {
  store.options().truncate_slugline = true;
  EditorOptions options;
  options.remove_number_on_prompt = true;
  model.SetOptions(options);
  e_object* slug = AddLine("[1] News", lf::kSlugLine | lf::kHardReturn);
  store.CreateStoryEntry(slug);
  Caret(slug, 2);
  Type("23456789");
  EXPECT_EQ(TextOf(slug), "[123456789] News");
  EXPECT_EQ(slug->story->story_id, "12345678");
}

class RandomEditingTest : public EditorTest {
 protected:
  void RunRandomKeys(std::uint32_t seed) {
    AddSlug("[1] One")->flags |= store::line_flag::kHardReturn;
    AddParagraph(
        "The first story has a paragraph that runs over more than one line of the "
        "prompt, so that typing reflows it both ways.");
    AddSlug("[2] Two")->flags |= store::line_flag::kHardReturn;
    AddLine("short");
    model.SetVisibleRows(4);
    Caret(store.first_line(), 0);
    auto next = [&seed](std::uint32_t n) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 16) % n;
    };
    const Key keys[] = {Key::kBackspace, Key::kDelete, Key::kLeft, Key::kRight,  Key::kUp,
                        Key::kDown,      Key::kHome,   Key::kEnd,  Key::kPageUp, Key::kPageDown};
    for (int step = 0; step < 3000; ++step) {
      const std::uint32_t pick = next(20);
      if (pick < 8) {
        model.KeyPress(static_cast<std::uint8_t>(pick < 2 ? ' ' : 'a' + next(26)));
      } else if (pick == 8) {
        model.KeyPress(13);
      } else if (pick == 9 && next(8) == 0) {
        model.DeleteWholeLine();
      } else {
        model.KeyDown({keys[next(std::size(keys))], next(4) == 0, false});
      }
      ASSERT_EQ(store.CheckScriptLinks().code, 0) << "step " << step;
      const e_object* line = model.current_line();
      ASSERT_TRUE(IsReal(line)) << "step " << step;
      ASSERT_LE(model.caret_column(), static_cast<int>(store::TextLength(*line))) << step;
      ASSERT_GE(model.caret_row(), 0) << "step " << step << " pick " << pick;
      ASSERT_LT(model.caret_row(), model.visible_rows());
      for (const e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
        ASSERT_EQ(l->style_a.size(), l->text_a.size()) << step;
        ASSERT_EQ(l->colour_b.size(), l->text_b.size()) << step;
        ASSERT_TRUE(!IsSlugLine(*l) || l->story == nullptr || l->story->line == l) << step;
        ASSERT_TRUE(l->story == nullptr || l->story->story_id.size() <= 8) << step;
      }
    }
  }
};

TEST_F(RandomEditingTest, KeepsTheScriptSound) {
  for (const bool truncated_slugs : {false, true}) {
    SCOPED_TRACE(truncated_slugs ? "truncated slug lines" : "full slug lines");
    store.NewScript();
    store.options().truncate_slugline = truncated_slugs;
    // Truncated slug lines also take their bracketed identifiers as they are typed.
    EditorOptions options;
    options.remove_number_on_prompt = truncated_slugs;
    model.SetOptions(options);
    RunRandomKeys(truncated_slugs ? 77u : 12345u);
  }
}

}  // namespace
}  // namespace telvane::editor::testing
