#include "editor/slug_dialog.h"

#include <array>
#include <optional>
#include <string>

#include "editor/editor_fixture.h"

namespace telvane::editor::testing {
namespace {

namespace lf = store::line_flag;

class SlugDialogTest : public EditorTest {
 protected:
  SlugDialog dialog{store, run_order};
};

TEST_F(SlugDialogTest, IdentifierOnTheLastLineMakesAStoryAndANewLine) {
  e_object* line = AddLine("Weather");
  Caret(line, 0);
  ASSERT_EQ(dialog.Open(), "1");
  EXPECT_EQ(dialog.Open(), std::nullopt);
  EXPECT_TRUE(dialog.Ok("12"));
  EXPECT_FALSE(dialog.is_open());
  EXPECT_TRUE(IsSlugLine(*line));
  EXPECT_EQ(TextOf(line), "12 Weather");
  ASSERT_NE(line->story, nullptr);
  EXPECT_EQ(line->story->story_id, "12");
  EXPECT_EQ(line->story->line, line);
  EXPECT_EQ(store.line_count(), 2);
  EXPECT_EQ(TextOf(line->next), "");
  EXPECT_EQ(model.caret_column(), 10);
  EXPECT_EQ(dialog.Open(), "13");
  dialog.Cancel();
  EXPECT_EQ(dialog.last_slug_number(), 12);
}

TEST_F(SlugDialogTest, DuplicateIdentifiersAsk) {
  struct Case {
    const char* typed;
    std::uint32_t other_status;
    bool confirm;
    bool asked;
    bool made;
  };
  const Case cases[] = {
      {"S12", 0, false, true, false}, {"12", 0, false, true, false},
      {"s12", 0, true, true, true},   {"S12", 2, false, false, true},  // PNEW does not count
      {"S12", 5, false, false, true},                                  // nor TEMP
      {"S", 0, false, false, true},  // a lone S is the identifier itself
  };
  for (const Case& c : cases) {
    store.NewScript();
    notices.shown.clear();
    notices.confirm = c.confirm;
    e_object* other = store.first_line();
    other->text_a = "12 Other";
    other->style_a = std::string(8, '\0');
    other->colour_a = std::string(8, store::colour_bit::kDefault);
    other->flags |= lf::kSlugLine | lf::kHardReturn | c.other_status;
    store.CreateStoryEntry(other);
    e_object* line = store.InsertLine(other, true);
    Caret(line, 0);
    dialog.Open();
    const bool closed = dialog.Ok(c.typed);
    EXPECT_EQ(closed, c.made) << c.typed;
    EXPECT_EQ(notices.shown == std::vector<int>{slug_message::kDuplicate}, c.asked) << c.typed;
    EXPECT_EQ(IsSlugLine(*line), c.made) << c.typed;
    EXPECT_EQ(StoryCount(), c.made ? 2 : 1) << c.typed;
    if (!closed) dialog.Cancel();
  }
}

TEST_F(SlugDialogTest, LongAndBlankIdentifiers) {
  e_object* line = AddLine("");
  Caret(line, 0);
  dialog.Open();
  EXPECT_FALSE(dialog.Ok("    "));
  EXPECT_TRUE(dialog.is_open());
  EXPECT_FALSE(IsSlugLine(*line));
  EXPECT_TRUE(notices.shown.empty());
  EXPECT_TRUE(dialog.Ok("123456789"));
  EXPECT_EQ(notices.shown, std::vector<int>{slug_message::kTooLongBefore});
  EXPECT_EQ(line->story->story_id, "12345678");
  EXPECT_EQ(dialog.last_slug_number(), 12345678);
}

TEST_F(SlugDialogTest, OverflowNeverJoinsTheNextStorysSlugLine) {
  std::string words;
  for (int i = 0; i < 14; ++i) words += "abcdefg ";
  e_object* line = AddLine("", lf::kHardReturn);
  store::StyledText text = Plain(words + "xyz");
  store::FitSegment(store, *line, text, store::Segment::kA, 0);
  store::FitSegment(store, *line, text, store::Segment::kB, 0);
  ASSERT_TRUE(text.empty());
  e_object* next = AddSlug("[2] Next");
  Caret(line, 0);
  dialog.Open();
  ASSERT_TRUE(dialog.Ok("12345678"));
  EXPECT_EQ(TextOf(next), "[2] Next");
  EXPECT_EQ(TextOf(line->next), "abcdefg xyz");
  EXPECT_EQ(line->next->next, next);
}

TEST(PresenterCaption, NameGoesInFrontOnce) {
  const std::array<std::array<const char*, 3>, 5> cases = {{
      {"Script", "Anna", "Anna:: Script"},
      {"Bob:: Script", "Anna", "Anna:: Script"},
      {"Bob:: Script", "", "Script"},
      {"Script", "", "Script"},
      {"Bob:: Script: news.tvl", "Anna", "Anna:: Script: news.tvl"},
  }};
  for (const auto& [caption, name, expected] : cases) {
    EXPECT_EQ(PresenterCaption(caption, name), expected) << caption << " / " << name;
  }
}

TEST_F(SlugDialogTest, NewStoryTakesTheCurrentPresenterWhenEnabled) {
  for (const bool enabled : {true, false}) {
    store.NewScript();
    e_object* line = store.first_line();
    line->presenter = 2;
    store.typing().presenter = 3;
    Caret(line, 0);
    dialog.SetPresenterMode(enabled);
    dialog.Open();
    ASSERT_TRUE(dialog.Ok("5"));
    ASSERT_NE(line->story, nullptr);
    EXPECT_EQ(dialog.made_presenter(), enabled ? std::optional<int>(3) : std::nullopt);
    if (enabled) {
      EXPECT_EQ(line->story->story_presenter, 3);
    }
  }
}

}  // namespace
}  // namespace telvane::editor::testing
