#include "runorder/story_ids.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/settings.h"
#include "run_order_fixture.h"

namespace telvane::runorder::testing {
namespace {

struct LessCase {
  const char* a;
  const char* b;
  bool decimal;
  bool multi_run;
  bool less;
};

TEST(StoryIdLessTest, FollowsTheNumberedAlgorithm) {
  const LessCase cases[] = {
      {"2", "10", false, false, true},
      {"10", "2", false, false, false},
      {"12", "12A", false, false, true},
      {"12A", "12B", false, false, true},
      {"12A", "13", false, false, true},
      {"", "9", false, false, true},
      {"#1", "01", false, false, false},
      {"01", "#1", false, false, false},
      // Steps 1 to 3 put A1 (00000000A1) before 9, not after every numeric identifier.
      {"A1", "9", false, false, true},
      {"a", "A", false, false, false},
      {"1.10", "1.5", true, false, true},
      {"1.5", "1.10", true, false, false},
      {"A7", "8", true, false, true},
      {"AB", "1", true, false, true},
      {"1.2.3", "1.24", true, false, true},
      {"1.10", "1.5", true, true, false},
  };
  for (const LessCase& c : cases) {
    EXPECT_EQ(StoryIdLess(c.a, c.b, c.decimal, c.multi_run), c.less)
        << c.a << " < " << c.b << " decimal " << c.decimal << " multi " << c.multi_run;
  }
}

TEST(SlugParseTest, ReadsIdentifiersUpToCommaAndBlank) {
  RunOrderOptions o;
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"  12,live FIRE", "12", "LIVE"},
      {"[12,live] FIRE", "12", "LIVE"},
      {"123456789,ABCDEFGHIJ X", "12345678", "ABCDEFGH"},
      {"", "", ""},
      {"7 ,X", "7", ""},
  };
  for (const auto& [text, id, second] : cases) {
    const SlugIds ids = ParseSlug(text, o);
    EXPECT_EQ(ids.story_id, id) << text;
    EXPECT_EQ(ids.second_id, second) << text;
  }
  o.newstar_remote_script = true;
  EXPECT_EQ(ParseSlug("1,live", o).second_id, "live");
}

using SlugRewriteTest = RunOrderTest;

TEST_F(SlugRewriteTest, SlugBeginsWithTheBracketedIdentifierInItsFontAndColour) {
  e_object* line = AddLine("12 FIRE", store::line_flag::kSlugLine);
  line->style_a[0] = line->style_a[1] = 0x20;
  line->colour_a[0] = line->colour_a[1] = 0x0A;
  run.options().force_bold = true;
  r_object* entry = run.CreateStoryEntry(line);
  EXPECT_EQ(entry->story_id, "12");
  EXPECT_EQ(line->text_a + line->text_b, "[12] FIRE");
  EXPECT_EQ(line->style_a.substr(0, 4), std::string("\x21\x20\x20\x21", 4));
  EXPECT_EQ(line->colour_a.substr(0, 4), "\x0A\x0A\x0A\x0A");
  // Parsing the rewritten slug again changes nothing.
  ParseSlugInto(store, *entry, run.options());
  EXPECT_EQ(line->text_a + line->text_b, "[12] FIRE");
  EXPECT_EQ(entry->story_id, "12");
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(SlugRewriteTest, EmptyIdentifierTakesTheSelectedFontAndColour240) {
  e_object* line = AddLine("", store::line_flag::kSlugLine);
  run.options().selected_prompt_font = 2;
  run.CreateStoryEntry(line);
  EXPECT_EQ(line->text_a, "[]");
  EXPECT_EQ(line->style_a, "\x20\x20");
  EXPECT_EQ(line->colour_a, "\xF0\xF0");
}

TEST_F(SlugRewriteTest, RemoveNumberOnPromptLeavesTheText) {
  run.options().remove_number_on_prompt = true;
  e_object* line = AddLine("12 FIRE", store::line_flag::kSlugLine);
  EXPECT_EQ(run.CreateStoryEntry(line)->story_id, "12");
  EXPECT_EQ(line->text_a, "12 FIRE");
}

using FindStoryTest = RunOrderTest;

TEST_F(FindStoryTest, PaddedIdentifiersMatch) {
  Build({"5", "12", "12"});
  r_object* twelve = run.Stories()[1];
  for (const char* id : {"12", "012", "00000012", " 12 "}) {
    EXPECT_EQ(FindStory(store, id, "", false), twelve) << id;
  }
  EXPECT_EQ(FindStory(store, "13", "", false), store.run_end());
  twelve->story_id = "";
  EXPECT_EQ(FindStory(store, "", "", false), twelve);
}

TEST_F(FindStoryTest, MultiRunMatchesTheProgrammeToo) {
  AddStory("1", "AM");
  r_object* pm = AddStory("1", "PM");
  EXPECT_EQ(FindStory(store, "1", "pm", true), pm);
  EXPECT_EQ(FindStory(store, "1", "EVE", true), store.run_end());
  EXPECT_NE(FindStory(store, "1", "pm", false), pm);
}

TEST(RunOrderOptionsTest, FilledFromSettings) {
  config::Settings s = config::Settings::Defaults(96);
  EXPECT_TRUE(RunOrderOptionsFrom(s).pnew_on_button_start);
  s.SetBool(config::Key::kMenuMultiRun, true);
  s.SetBool(config::Key::kMainDecimalStoryNumbers, true);
  s.SetBool(config::Key::kMainPnewOnButtonStart, false);
  s.SetText(config::Key::kMainSlugOpenBracket, "<");
  const RunOrderOptions o = RunOrderOptionsFrom(s);
  EXPECT_TRUE(o.multi_run);
  EXPECT_TRUE(o.decimal_story_numbers);
  EXPECT_FALSE(o.pnew_on_button_start);
  EXPECT_EQ(o.slug_open_bracket, '<');
}

}  // namespace
}  // namespace telvane::runorder::testing
