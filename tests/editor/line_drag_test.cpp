// The left margin: a press selects a whole line, a drag extends the selection by lines and
// scrolls the window when it leaves it, a right click names the line's story.

#include <string>
#include <vector>

#include "editor/editor_fixture.h"

namespace telvane::editor::testing {
namespace {

class LineDragTest : public EditorTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 8; ++i) lines.push_back(AddLine(i == 3 ? "" : "line " + std::to_string(i)));
    model.SetVisibleRows(3);
  }
  // The selected lines' indexes, each checked to be selected whole.
  std::vector<int> Selected() const {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
      const e_object* l = lines[static_cast<std::size_t>(i)];
      if (l->sel_end == 0) continue;
      out.push_back(i);
      EXPECT_EQ(l->sel_start, 0);
      EXPECT_EQ(l->sel_end, store::IsEmptyLine(*l) ? 255 : static_cast<int>(TextOf(l).size()));
    }
    return out;
  }
  std::vector<e_object*> lines;
};

TEST_F(LineDragTest, DragExtendsByWholeLinesBothWays) {
  store.top_line() = lines[2];
  model.SelectLineAt(1);
  EXPECT_EQ(Selected(), (std::vector<int>{3}));
  model.DragLinesTo(2);
  EXPECT_EQ(Selected(), (std::vector<int>{3, 4}));
  EXPECT_EQ(model.current_line(), lines[4]);
  // Back above the anchor: the lines below it are no longer selected.
  model.DragLinesTo(0);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
  model.EndLineDrag();
  model.DragLinesTo(2);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
}

TEST_F(LineDragTest, DragBeyondTheWindowScrollsOneRowATick) {
  store.top_line() = lines[2];
  model.SelectLineAt(0);
  model.DragLinesTo(3);
  EXPECT_EQ(model.top_line(), lines[3]);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5}));
  for (int tick = 0; tick < 5; ++tick) model.DragLinesTo(model.visible_rows());
  // It stops at the end of the script with the last line in the last row.
  EXPECT_EQ(model.top_line(), lines[5]);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(model.caret_row(), 2);
  for (int tick = 0; tick < 9; ++tick) model.DragLinesTo(-1);
  EXPECT_EQ(model.top_line(), lines[0]);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(model.caret_row(), 0);
}

TEST_F(LineDragTest, DragSurvivesTheAnchorBeingDeleted) {
  model.SelectLineAt(1);
  store.DeleteLine(lines[1]);
  lines.erase(lines.begin() + 1);
  model.DragLinesTo(2);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
}

TEST_F(EditorTest, StoryAtRowIsTheStoryOfTheLine) {
  AddLine("before the first story");
  e_object* slug = AddSlug("1 Headlines");
  AddLine("body");
  EXPECT_EQ(model.StoryAtRow(0), nullptr);
  EXPECT_EQ(model.StoryAtRow(1), slug->story);
  EXPECT_EQ(model.StoryAtRow(2), slug->story);
  // Below the last line the press is on the last line.
  EXPECT_EQ(model.StoryAtRow(9), slug->story);
}

}  // namespace
}  // namespace telvane::editor::testing
