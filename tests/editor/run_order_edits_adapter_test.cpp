// The editor's story edits through the run order model: entries come, go and move with
// their slug lines, and the run order's own references follow.

#include "editor/run_order_edits_adapter.h"

#include <string>
#include <vector>

#include "editor/editor_model.h"
#include "editor/slug_dialog.h"
#include "runorder/run_order_fixture.h"

namespace telvane::editor {
namespace {

namespace lf = store::line_flag;
using runorder::testing::RunOrderTest;
using store::e_object;
using store::r_object;

class RunOrderEditsAdapterTest : public RunOrderTest {
 protected:
  std::string TextOf(const e_object* line) const { return line->text_a + line->text_b; }
  void Caret(e_object* line, int column) {
    store.current_line() = line;
    store.caret_column = column;
  }
  void TearDown() override { EXPECT_EQ(store.CheckScriptLinks().code, 0); }

  RunOrderEditsAdapter adapter{run};
  PromptEditHooks prompt;
  EditorModel model{store, adapter, prompt};
  SlugDialog dialog{store, adapter};
};

TEST_F(RunOrderEditsAdapterTest, SlugDialogMakesEntriesInScriptOrder) {
  Build({"1", "3"});
  e_object* weather = Append("Weather");
  e_object* sport = store.InsertLine(Story("1")->line->next, true);
  sport->text_a = "Sport";
  sport->style_a = std::string(5, '\0');
  sport->colour_a = std::string(5, store::colour_bit::kDefault);
  for (const auto& [line, id] : {std::pair{weather, "7"}, std::pair{sport, "2"}}) {
    Caret(line, 0);
    ASSERT_TRUE(dialog.Open());
    ASSERT_TRUE(dialog.Ok(id));
  }
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2", "3", "7"}));
  // The run order's own slug parsing rewrites the new slug lines.
  EXPECT_EQ(TextOf(sport), "[2] Sport");
  EXPECT_EQ(TextOf(weather), "[7] Weather");
  EXPECT_EQ(run.StoryOfLine(weather->next), Story("7"));
}

TEST_F(RunOrderEditsAdapterTest, DeletingASlugLineRemovesItsEntryAndMovesTheSelection) {
  Build({"1", "2", "3"});
  r_object* two = Story("2");
  run.Select(two);
  Caret(two->line, 0);
  model.DeleteWholeLine();
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "3"}));
  ASSERT_EQ(observer.removed.size(), 1u);
  EXPECT_EQ(observer.removed.front(), two);
  EXPECT_EQ(run.SelectedStory(), Story("3"));
  // The story's body now belongs to the story before it.
  EXPECT_EQ(run.StoryOfLine(model.current_line()), Story("1"));
}

TEST_F(RunOrderEditsAdapterTest, BackspaceJoiningASlugLineEndsItsStory) {
  Build({"1", "2"});
  e_object* slug = Story("2")->line;
  Caret(slug, 0);
  model.KeyDown({Key::kBackspace});
  EXPECT_EQ(Order(), std::vector<std::string>{"1"});
  EXPECT_FALSE(store::IsSlugLine(*model.current_line()));
}

TEST_F(RunOrderEditsAdapterTest, EnterAtTheStartOfASlugLineMovesTheStoryDown) {
  Build({"1", "2"});
  r_object* two = Story("2");
  e_object* old_slug = two->line;
  old_slug->flags |= lf::kHardReturn;
  run.Select(two);
  Caret(old_slug, 0);
  model.KeyPress(13);
  EXPECT_FALSE(store::IsSlugLine(*old_slug));
  EXPECT_EQ(old_slug->story, nullptr);
  ASSERT_EQ(two->line, old_slug->next);
  EXPECT_TRUE(store::IsSlugLine(*two->line));
  EXPECT_EQ(two->line->story, two);
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(run.SelectedStory(), two);
  EXPECT_EQ(run.StoryOfLine(old_slug), Story("1"));
  ExpectConsistent();
}

}  // namespace
}  // namespace telvane::editor
