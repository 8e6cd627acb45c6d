#include "runorder/story_font.h"

#include <gtest/gtest.h>

#include "run_order_fixture.h"

namespace telvane::runorder {
namespace {

class StoryFontTest : public testing::RunOrderTest {
 protected:
  // The font numbers (1..8) of every character of the story, line by line.
  std::vector<std::string> Fonts(const std::string& id) {
    std::vector<std::string> out;
    const r_object* e = Story(id);
    for (const e_object* l = e->line;
         l != store.edit_tail() && (l == e->line || !store::IsSlugLine(*l)); l = l->next) {
      std::string fonts;
      for (const char c : l->style_a + l->style_b)
        fonts += static_cast<char>('1' + store::FontOfStyle(c));
      out.push_back(fonts);
    }
    return out;
  }
  config::Settings settings = config::Settings::Defaults(96);
};

TEST_F(StoryFontTest, ListsFontsOrPresenters) {
  settings.SetPromptFont(1, {"Times New Roman", 14, 72});
  const StoryFontList fonts = StoryFontEntries(settings);
  ASSERT_EQ(fonts.entries.size(), 8u);
  EXPECT_FALSE(fonts.presenters);
  EXPECT_EQ(fonts.entries[1], "2 Times New Roman 72 14");
  settings.SetBool(config::Key::kPresenterEnabled, true);
  config::PresenterSetting anna;
  anna.name = "Anna";
  settings.SetPresenter(3, anna);
  const StoryFontList presenters = StoryFontEntries(settings);
  ASSERT_EQ(presenters.entries.size(), 15u);
  EXPECT_EQ(presenters.entries[2], "3 Anna");
}

TEST_F(StoryFontTest, UpdateSetsEverySelectedStoryAndRefusesWithoutAChoice) {
  Build({"1", "2", "3"});
  run.SelectRows(1, 2);
  EXPECT_EQ(ApplyStoryFontChoice(run, settings, 0), kNoStoryFontChosen);
  EXPECT_EQ(ApplyStoryFontChoice(run, settings, 3), 0);
  EXPECT_EQ(Fonts("1"), (std::vector<std::string>{"3333333333", "333333"}));
  EXPECT_EQ(Fonts("2")[1], "333333");
  EXPECT_EQ(Fonts("3")[1], "111111");
  EXPECT_TRUE(store.script_changed());

  settings.SetBool(config::Key::kPresenterEnabled, true);
  config::PresenterSetting bob;
  bob.font = 5;
  settings.SetPresenter(2, bob);
  run.Select(Story("3"));
  EXPECT_EQ(ApplyStoryFontChoice(run, settings, 2), 0);
  EXPECT_EQ(Story("3")->story_presenter, 2);
  EXPECT_EQ(Story("3")->line->next->presenter, 2);
  EXPECT_EQ(Fonts("3")[1], "555555");
  EXPECT_EQ(Story("1")->story_presenter, 0);
  ExpectConsistent();
}

}  // namespace
}  // namespace telvane::runorder
