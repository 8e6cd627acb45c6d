#include "runorder/run_grid_model.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>

#include "run_order_fixture.h"

namespace telvane::runorder {
namespace {

namespace gc = grid_colour;
using store::e_object;

class RunGridTest : public testing::RunOrderTest {
 protected:
  RunGridModel& Grid() {
    if (!grid_) grid_.emplace(run, options);
    grid_->Refresh();
    return *grid_;
  }
  // Presses on row's column, moves the pointer over each row in turn and releases.
  bool Drag(int row, int column, const std::vector<int>& path) {
    RunGridModel& g = Grid();
    g.Press(row, column);
    for (const int r : path) g.MoveTo(r, 1, 20);
    return g.Release();
  }
  GridOptions options;
  std::optional<RunGridModel> grid_;
};

TEST_F(RunGridTest, RowsAreHeaderStoriesAndRunEnd) {
  EXPECT_EQ(Grid().RowCount(10), 2);
  EXPECT_EQ(Grid().EntryAt(1), store.run_end());
  Build({"1", "2"});
  EXPECT_EQ(Grid().RowCount(10), 4);
  EXPECT_EQ(Grid().EntryAt(3), store.run_end());
  EXPECT_EQ(Grid().EntryAt(4), nullptr);
  run.options().run_order_prompt_track = true;
  EXPECT_EQ(Grid().RowCount(10), 14);
}

TEST_F(RunGridTest, IdentifierCellTexts) {
  AddStory("1234");
  AddStory("1230");
  r_object* none = AddStory("9");
  const store::StyledText plain = store::testing::Plain("no identifier");
  none->line->text_a = plain.text;
  none->line->style_a = plain.style;
  none->line->colour_a = plain.colour;
  EXPECT_EQ(Grid().DataCell(1, 0).text, "1234");
  EXPECT_EQ(Grid().DataCell(3, 0).text, "????????");
  options.ap_newscenter = true;
  grid_.reset();
  EXPECT_EQ(Grid().DataCell(1, 0).text, "123.4");
  EXPECT_EQ(Grid().DataCell(2, 0).text, "123");
  run.options().avstar_multi_run = true;
  run.Stories()[0]->program = 1;
  EXPECT_EQ(Grid().DataCell(1, 0).text, "2 : 123.4");
  EXPECT_EQ(Grid().HeaderCell(0).prefix_message, grid_message::kAvidProgramHeader);
}

TEST_F(RunGridTest, OtherCellTexts) {
  Build({"1", "2/4"});
  r_object* one = Story("1");
  one->second_id = "EVE";
  one->line->style_a[0] = static_cast<char>(2 << store::style_bit::kFontShift);
  EXPECT_EQ(Grid().DataCell(1, 1), (Cell{"EVE", 0, 0, true}));
  EXPECT_EQ(Grid().DataCell(1, 4).message, 0);
  EXPECT_EQ(Grid().DataCell(2, 4).message, StatusMessage(StoryStatus::kDrop));
  EXPECT_EQ(Grid().DataCell(1, 5).text, "3");
  EXPECT_EQ(Grid().DataCell(1, 6).text, "SLUG 1");
  one->newsroom_mark = 1;
  EXPECT_EQ(Grid().DataCell(1, 1).message, grid_message::kNewsroomMarked);
  EXPECT_EQ(Grid().DataCell(1, 4), (Cell{"", 0, 0, true}));
  one->line->flags2 |= store::line_state::kOnAir;
  EXPECT_EQ(Grid().DataCell(1, 4).text, "AIR");
}

TEST_F(RunGridTest, PresenterTipNamesThePresenterOfTheFontNumber) {
  Build({"1", "2"});
  Story("2")->line->style_a[0] = static_cast<char>(7 << store::style_bit::kFontShift);
  options.presenters[0].name = "ANNA";
  EXPECT_EQ(Grid().PresenterTip(1), std::nullopt);
  options.presenters_enabled = true;
  grid_.reset();
  EXPECT_EQ(Grid().PresenterTip(1), Cell{"ANNA"});
  EXPECT_EQ(Grid().PresenterTip(2)->message, grid_message::kFontEightPresenter);
  EXPECT_EQ(Grid().PresenterTip(3), std::nullopt);
}

TEST_F(RunGridTest, ColourPrecedence) {
  Build({"1", "2", "3"});
  r_object* two = Story("2");
  run.Select(Story("1"));
  const CellColours run_colours{options.run_b, options.run_f};
  const CellColours on_air{gc::kRed, gc::kWhite};
  struct Case {
    const char* name;
    std::function<void()> set;
    int column;
    CellColours expected;
  };
  const Case cases[] = {
      {"plain", [] {}, 6, run_colours},
      {"on air", [&] { two->line->flags2 |= store::line_state::kOnAir; }, 6, on_air},
      {"cloaked beats on air",
       [&] {
         two->line->flags2 |= store::line_state::kOnAir;
         SetCloaked(store, *two, true);
       },
       6,
       {options.cloak_b, options.cloak_f}},
      {"inactive beats cloaked",
       [&] {
         SetCloaked(store, *two, true);
         SetInactive(store, *two, true);
       },
       6,
       {gc::kWhite, gc::kSilver}},
      {"newsroom mark in column 1", [&] { two->newsroom_mark = 1; }, 1, {gc::kPurple, gc::kYellow}},
      {"saved story in column 4",
       [&] { two->line->flags2 |= store::line_state::kStorySaved; },
       4,
       {gc::kYellow, gc::kBlack}},
      {"on air beats saved",
       [&] { two->line->flags2 |= store::line_state::kStorySaved | store::line_state::kOnAir; }, 4,
       on_air},
  };
  for (const Case& c : cases) {
    for (r_object* e : run.Stories()) {
      SetCloaked(store, *e, false);
      SetInactive(store, *e, false);
      e->line->flags2 &= ~(store::line_state::kOnAir | store::line_state::kStorySaved);
      e->newsroom_mark = 0;
    }
    c.set();
    EXPECT_EQ(Grid().Colours(2, c.column, false), c.expected) << c.name;
  }
}

TEST_F(RunGridTest, SelectedColoursAndSelectedCells) {
  Build({"1", "2", "3"});
  run.SelectRows(1, 2);
  RunGridModel& g = Grid();
  EXPECT_TRUE(g.CellSelected(2, 0));
  EXPECT_FALSE(g.CellSelected(2, 6));  // only the top-left cell for the wide columns
  EXPECT_EQ(g.Colours(1, 6, true), (CellColours{options.high_b, options.high_f}));
  EXPECT_EQ(g.Colours(1, 6, false), (CellColours{gc::kSilver, gc::kBlack}));
  g.set_remote_air(Story("1"));
  EXPECT_EQ(g.Colours(1, 6, false), (CellColours{gc::kRed, gc::kWhite}));
  EXPECT_EQ(g.Colours(3, 6, false), (CellColours{options.run_b, options.run_f}));
  SetInactive(store, *Story("1"), true);
  EXPECT_EQ(g.Colours(1, 6, true), (CellColours{gc::kSilver, gc::kGrey}));
}

TEST_F(RunGridTest, PressAndMoveInAnotherColumnSelectsARange) {
  Build({"1", "2", "3"});
  EXPECT_FALSE(Drag(3, 2, {2, 1}));
  EXPECT_EQ(run.SelectedStory(), Story("1"));
  EXPECT_EQ(run.selected_last(), Story("3"));
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(RunGridTest, BlockDragDownStopsAboveRunEnd) {
  Build({"1", "2", "3", "4", "5"});
  run.SelectRows(1, 3);
  EXPECT_TRUE(Drag(2, 0, {3, 4, 5, 6, 7}));
  EXPECT_EQ(Order(), (std::vector<std::string>{"4", "5", "1", "2", "3"}));
  EXPECT_EQ(run.SelectedStory(), Story("1"));
  EXPECT_EQ(run.selected_last(), Story("3"));
  EXPECT_TRUE(store.script_changed());
  ExpectConsistent();
  Drag(1, 6, {});  // a plain click keeps the undo of the drag
  run.UndoLastMove();
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST_F(RunGridTest, BlockDragUpStopsAtTheTop) {
  Build({"1", "2", "3", "4"});
  run.SelectRows(3, 4);
  EXPECT_TRUE(Drag(3, 0, {1}));
  EXPECT_EQ(Order(), (std::vector<std::string>{"3", "4", "1", "2"}));
  ExpectConsistent();
}

struct ReleaseCase {
  const char* name;
  std::vector<std::string> build;
  int row;
  std::vector<int> path;
  std::vector<std::string> order;
};

class StatusesOnRelease : public RunGridTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(StatusesOnRelease, TakenFromTheStoryAbove) {
  const ReleaseCase& c = GetParam();
  Build(c.build);
  EXPECT_TRUE(Drag(c.row, 6, c.path));
  EXPECT_EQ(Order(), c.order);
  ExpectConsistent();
}

INSTANTIATE_TEST_SUITE_P(
    RunGrid, StatusesOnRelease,
    ::testing::Values(
        ReleaseCase{"dropped story among none", {"1", "2", "3/4"}, 3, {2}, {"1", "3", "2"}},
        ReleaseCase{"never PNEW below a PNEW story", {"1/2", "2", "3"}, 3, {2}, {"1/2", "3", "2"}},
        ReleaseCase{"TEMP keeps its status", {"1", "2/5"}, 2, {1}, {"2/5", "1"}},
        ReleaseCase{"below DROP becomes DROP", {"1", "2/4", "3"}, 1, {2}, {"2/4", "1/4", "3"}}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST_F(RunGridTest, DragRefusedWhileTheRunOrderIsLockedOrDownloading) {
  Build({"1", "2", "3"});
  run.options().disable_enps_editing = true;
  run.guards().newsroom_link_running = true;
  EXPECT_FALSE(Drag(1, 6, {2, 3}));
  run.guards().newsroom_link_running = false;
  run.guards().host_download = true;
  Grid().Press(1, 6);
  EXPECT_EQ(Grid().MoveTo(2, 1, 20).message, message::kBlockMoveDownload);
  EXPECT_FALSE(Grid().Release());
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(RunGridTest, RightClickOnStatusClearsRepOnly) {
  Build({"1/1", "2/3"});
  Grid().RightClick(1, 4);
  EXPECT_EQ(run.SelectedStory(), Story("1"));
  Grid().RightClick(2, 4);
  EXPECT_EQ(Order(), (std::vector<std::string>{"1/1", "2"}));
}

TEST_F(RunGridTest, DoubleClickByColumn) {
  Build({"1", "2/4"});
  using Kind = GridRequest::Kind;
  EXPECT_EQ(Grid().DoubleClick(1, 6).kind, Kind::kShowInEditor);
  EXPECT_EQ(Grid().DoubleClick(1, 4).kind, Kind::kStartPrompt);
  EXPECT_EQ(Grid().DoubleClick(2, 4).kind, Kind::kNone);
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Grid().DoubleClick(3, 6).kind, Kind::kNone);
}

TEST_F(RunGridTest, TypedIdentifierAndEnter) {
  Build({"7", "012", "3"});
  run.Select(Story("7"));
  RunGridModel& g = Grid();
  for (const char c : std::string("1x")) g.TypeCharacter(c);
  g.Backspace();
  g.TypeCharacter('2');
  EXPECT_EQ(g.typed_id(), "12");
  const GridRequest found = g.Enter();
  EXPECT_EQ(found.kind, GridRequest::Kind::kShowInEditor);
  EXPECT_EQ(found.entry, Story("012"));
  EXPECT_EQ(g.typed_id(), "");
  g.TypeCharacter('9');
  EXPECT_EQ(g.Enter().kind, GridRequest::Kind::kNotFound);
  g.ClearTypedId();
  EXPECT_EQ(g.Enter().entry, Story("7"));
}

TEST_F(RunGridTest, DroppedFileStoryMovesBeforeTheRowUnderTheDrop) {
  Build({"1", "2", "3"});
  Grid().PlaceAppendedStory(2);
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "3", "2"}));
  Grid().PlaceAppendedStory(0);
  EXPECT_EQ(Order(), (std::vector<std::string>{"2", "1", "3"}));
  EXPECT_TRUE(store.script_changed());
  ExpectConsistent();
}

TEST_F(RunGridTest, IdentifierAndSlugKeepTheirStyleAndColourBytes) {
  r_object* one = AddStory("12");
  e_object* slug = one->line;
  // "[12] SLUG 12": the identifier bold, "SLUG" inverse, the last "12" red with "Color Sel".
  constexpr char kBold = store::style_bit::kBold;
  constexpr char kInverse = store::style_bit::kInverse;
  slug->style_a = std::string(1, '\0') + kBold + kBold + std::string(2, '\0') +
                  std::string(4, kInverse) + std::string(3, '\0');
  slug->colour_a[10] = slug->colour_a[11] = static_cast<char>(0x38 | 1);
  const Cell id = Grid().DataCell(1, 0);
  EXPECT_EQ(id.text, "12");
  EXPECT_EQ(id.style, std::string(2, kBold));
  const Cell text = Grid().DataCell(1, 6);
  EXPECT_EQ(text.text, "SLUG 12");
  const CellColours base{gc::kWhite, gc::kBlack};
  const std::vector<CellRun> plain = CellRuns(text, base, false);
  ASSERT_EQ(plain.size(), 3u);  // "SLUG", " ", "12"
  EXPECT_EQ(plain[0], (CellRun{"SLUG", false, false, false, {gc::kBlack, gc::kWhite}, true}));
  EXPECT_EQ(plain[2].colours, base);
  EXPECT_EQ(CellRuns(text, base, true)[2].colours, (CellColours{gc::kWhite, gc::kRed}));
  EXPECT_TRUE(CellRuns(id, base, false)[0].bold);
  EXPECT_EQ(CellRuns(Cell{"AIR"}, base, true),
            (std::vector<CellRun>{{"AIR", false, false, false, base, false}}));
}

TEST(RunGridButtons, LaidOutLeftToRightSkippingHiddenOnes) {
  const struct {
    std::vector<bool> shown;
    int ppi;
    std::vector<int> lefts;
  } cases[] = {
      {{true, true, true}, 96, {1, 25, 49}},
      {{true, true, true}, 120, {4, 34, 64}},
      {{true, false, true}, 96, {1, -1, 25}},
  };
  for (const auto& c : cases) EXPECT_EQ(RunButtonLefts(c.shown, c.ppi), c.lefts) << c.ppi;
  EXPECT_EQ(RunButtonWidth(120), 30);
  EXPECT_EQ(RunButtonWidth(96), 24);
}

TEST_F(RunGridTest, StatusDoubleClickCuesTheRemoteClientOrWaitsWhileBusy) {
  Build({"1", "2"});
  EXPECT_EQ(RemoteCueMessage({"5", "2"}, *Story("2")), "&&I2\r");
  EXPECT_EQ(RemoteCueMessage({"5"}, *Story("2")), std::nullopt);
  run.guards().saving = true;
  EXPECT_EQ(Grid().DoubleClick(2, 4).kind, GridRequest::Kind::kNone);
  EXPECT_EQ(run.TakePendingStart(), Story("2"));
  EXPECT_EQ(run.TakePendingStart(), nullptr);
}

TEST_F(RunGridTest, DroppedTextJoinsTheStoryUnderTheDrop) {
  Build({"1", "2/4", "3"});
  EXPECT_FALSE(Grid().ReceiveText(4, "on RunEnd"));
  EXPECT_FALSE(Grid().ReceiveText(2, "\r\n"));
  ASSERT_TRUE(Grid().ReceiveText(2, "first words here\r\nsecond\tpart "));
  const e_object* body = Story("2")->line->next;
  ASSERT_EQ(body->next->text_a, "first words here");
  const e_object* second = body->next->next;
  EXPECT_EQ(second->text_a, "second part ");
  EXPECT_EQ(second->next, Story("3")->line);
  EXPECT_EQ(StatusOf(*Story("2")), StoryStatus::kDrop);
  EXPECT_EQ(second->flags & store::line_flag::kStatusMask, 4u);
  EXPECT_TRUE(store::HasFlag(*second, store::line_flag::kHardReturn));
  // "body 2" counts one word (its last character is never examined), the others three and two.
  EXPECT_EQ(Story("2")->length, 6u);
  EXPECT_TRUE(store.script_changed());
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST(RunGridSnap, HeightSettlesOnWholeRows) {
  const struct {
    int client, row, panel, expected;
  } cases[] = {{218, 21, 28, 217},
               {228, 21, 28, 238},
               {239, 21, 28, 238},
               {238, 21, 28, 238},
               {40, 21, 28, 70}};
  for (const auto& c : cases) {
    EXPECT_EQ(SnapHeight(c.client, c.row, c.panel), c.expected) << c.client;
  }
}

}  // namespace
}  // namespace telvane::runorder
