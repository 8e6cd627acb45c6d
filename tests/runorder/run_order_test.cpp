#include "runorder/run_order.h"

#include <gtest/gtest.h>

#include <random>

#include "formats/native_file.h"
#include "run_order_fixture.h"

namespace telvane::runorder::testing {
namespace {

using Ids = std::vector<std::string>;

TEST_F(RunOrderTest, EntriesFollowTheScriptAndRunEndStaysLast) {
  Build({"1", "2", "3"});
  EXPECT_EQ(Order(), (Ids{"1", "2", "3"}));
  EXPECT_EQ(run.RowOf(store.run_end()), 4);
  EXPECT_EQ(run.EntryAtRow(2)->story_id, "2");
  EXPECT_EQ(run.StoryOfLine(Story("2")->line->next), Story("2"));
  EXPECT_EQ(run.StoryOfLine(store.first_line()), Story("1"));
  ExpectConsistent();
}

// The table of transitions: start statuses, the operation, the statuses after it.
struct Transition {
  const char* name;
  Ids before;
  int top_row;
  int bottom_row;
  void (*op)(RunOrder&);
  Ids after;
};

TEST_F(RunOrderTest, StatusTransitions) {
  const Transition table[] = {
      {"drop none", {"1", "2", "3"}, 1, 1, [](RunOrder& r) { r.DropStories(); }, {"2", "3", "1/4"}},
      {"drop NEW", {"1/1", "2"}, 1, 1, [](RunOrder& r) { r.DropStories(); }, {"2", "1/4"}},
      {"drop REP", {"1/3", "2"}, 1, 1, [](RunOrder& r) { r.DropStories(); }, {"2", "1/4"}},
      {"TEMP not dropped", {"1/5", "2"}, 1, 1, [](RunOrder& r) { r.DropStories(); }, {"1/5", "2"}},
      {"DROP not dropped again",
       {"1/4", "2"},
       1,
       1,
       [](RunOrder& r) { r.DropStories(); },
       {"1/4", "2"}},
      {"undrop all",
       {"1", "2/4", "3/4"},
       1,
       1,
       [](RunOrder& r) { r.UndropAll(); },
       {"1", "2", "3"}},
      {"clear REP",
       {"1/3", "2/3", "3/1"},
       1,
       1,
       [](RunOrder& r) { r.ClearRepToNorm(); },
       {"1", "2", "3/1"}},
      {"exchange", {"1", "2", "1/2"}, 1, 1, [](RunOrder& r) { r.ExchangePnew({}); }, {"1/3", "2"}},
      {"insert among dropped",
       {"7/1", "3", "8/4", "9/4"},
       1,
       1,
       [](RunOrder& r) { (void)r.InsertStory("7", "", "8", ""); },
       {"3", "8/4", "7/4", "9/4"}},
      {"insert before dropped",
       {"7/4", "3", "8/4"},
       1,
       1,
       [](RunOrder& r) { (void)r.InsertStory("7", "", "3", ""); },
       {"3", "7", "8/4"}},
      {"insert after NEW",
       {"7/4", "3/1"},
       1,
       1,
       [](RunOrder& r) { (void)r.InsertStory("7", "", "3", ""); },
       {"3/1", "7"}},
      {"insert after TEMP keeps",
       {"7/4", "3/5"},
       1,
       1,
       [](RunOrder& r) { (void)r.InsertStory("7", "", "3", ""); },
       {"3/5", "7/4"}},
      {"TEMP inserted stays TEMP",
       {"7/5", "3/4"},
       1,
       1,
       [](RunOrder& r) { (void)r.InsertStory("7", "", "3", ""); },
       {"3/4", "7/5"}},
  };
  for (const Transition& t : table) {
    SCOPED_TRACE(t.name);
    store.NewScript();
    ResetLines();
    Build(t.before);
    run.SelectRows(t.top_row, t.bottom_row);
    t.op(run);
    EXPECT_EQ(Order(), t.after);
    ExpectConsistent();
  }
}

TEST_F(RunOrderTest, InsertFirstBecomesNone) {
  Build({"1", "2/4"});
  // Already after 1: nothing moves, and 2 takes the status of the normal story above it.
  ASSERT_EQ(run.InsertStory("2", "", "1", ""), InsertResult::kDone);
  EXPECT_EQ(Order(), (Ids{"1", "2"}));
  SetStoryStatus(store, Story("2")->line, StoryStatus::kDrop);
  run.MoveStoryBefore(Story("2"), Story("1"));
  run.InheritStatus(Story("2"));
  EXPECT_EQ(Order(), (Ids{"2", "1"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, DropBeforeTwoTempStoriesAndNotAgain) {
  Build({"1", "2", "3", "4/5", "5/5"});
  run.SelectRows(3, 3);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"1", "2", "3/4", "4/5", "5/5"}));
  run.SelectRows(1, 1);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"2", "3/4", "1/4", "4/5", "5/5"}));
  run.SelectRows(3, 3);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"2", "3/4", "1/4", "4/5", "5/5"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, DropThreeSelectedRows) {
  Build({"1", "2", "3", "4", "5"});
  run.SelectRows(2, 4);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"1", "5", "2/4", "3/4", "4/4"}));
  EXPECT_EQ(run.SelectedStory()->story_id, "5");
  ExpectConsistent();
}

TEST_F(RunOrderTest, SkippedStoryAtTheTopDoesNotStopTheDrop) {
  Build({"1/5", "2", "3", "4"});
  run.SelectRows(1, 3);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"1/5", "4", "2/4", "3/4"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, DropRefusals) {
  Build({"1", "2"});
  run.options().disable_enps_editing = true;
  run.guards().newsroom_link_running = true;
  run.SelectRows(1, 1);
  run.DropStories();
  run.guards().newsroom_link_running = false;
  store.set_prompting(true);
  run.SetAirStory(Story("1"));
  run.DropStories();
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{725, 479}));
  EXPECT_EQ(Order(), (Ids{"1", "2"}));
  run.options().auto_delete_on_air = true;
  dialogs.answer = false;
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"1", "2"}));
  dialogs.answer = true;
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"2", "1/4"}));
  EXPECT_EQ(run.air_story(), nullptr);
  EXPECT_FALSE(IsOnAir(*Story("1")));
  EXPECT_TRUE((observer.log.back() == testing::Told{"air", nullptr}) || observer.Told("jump"));
  ExpectConsistent();
}

TEST_F(RunOrderTest, MultiRunDropStaysInItsProgramme) {
  run.options().multi_run = true;
  AddStory("1", "AM");
  AddStory("2", "AM");
  AddStory("3", "AM/4");
  AddStory("1", "PM");
  run.SelectRows(1, 1);
  run.DropStories();
  EXPECT_EQ(Order(), (Ids{"2", "1/4", "3", "1"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, TwoPnewStoriesWithOneIdentifier) {
  Build({"4", "5", "6", "5/2", "5/2"});
  r_object* first_pnew = run.Stories()[3];
  r_object* last_pnew = run.Stories()[4];
  run.ExchangePnew({});
  EXPECT_EQ(Order(), (Ids{"4", "5/3", "6", "5/2"}));
  EXPECT_EQ(run.Stories()[1], last_pnew);
  run.ExchangePnew({});
  EXPECT_EQ(Order(), (Ids{"4", "5/3", "6"}));
  EXPECT_EQ(run.Stories()[1], first_pnew);
  ExpectConsistent();
}

TEST_F(RunOrderTest, ExchangeStopsWhenThereIsNothingToExchange) {
  Build({"1", "2/2"});
  run.ExchangePnew({});
  EXPECT_EQ(Order(), (Ids{"1", "2/2"}));
  store.NewScript();
  ResetLines();
  Build({"1"});
  run.ExchangePnew({});
  run.ExchangePnew({.show_messages = false});
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{207, 206}));
  EXPECT_EQ(Order(), (Ids{"1"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, ExchangingTheAirStoryKeepsPrompting) {
  Build({"1", "2", "3", "2/2"});
  store.set_prompting(true);
  run.SetAirStory(Story("2"));
  r_object* pnew = run.Stories()[3];
  run.Select(Story("2"));
  run.ExchangePnew({.show_messages = true, .restart_prompt = true, .report = true});
  EXPECT_EQ(Order(), (Ids{"1", "2/3", "3"}));
  EXPECT_TRUE(observer.Told("resume"));
  EXPECT_EQ(observer.log.back(), (testing::Told{"restart", pnew}));
  EXPECT_EQ(run.SelectedStory(), pnew);
  ASSERT_EQ(dialogs.status.size(), 1u);
  EXPECT_EQ(std::get<std::string>(dialogs.status[0][1]), "2");
  EXPECT_EQ(observer.frozen, 0);
  ExpectConsistent();
}

TEST_F(RunOrderTest, ExchangeWaitsForATransfer) {
  Build({"1", "1/2"});
  run.guards().newsroom_transfer = true;
  run.ExchangePnew({});
  EXPECT_TRUE(run.exchange_pending());
  EXPECT_EQ(Order(), (Ids{"1", "1/2"}));
  run.guards().newsroom_transfer = false;
  run.RunPendingExchange();
  EXPECT_EQ(Order(), (Ids{"1/3"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, PnewOnButtonStartExchangesWhenTheAirStoryChanges) {
  Build({"1", "2", "2/2"});
  store.set_prompting(true);
  run.SetAirStory(Story("1"));
  EXPECT_EQ(Order(), (Ids{"1", "2/3"}));
  EXPECT_TRUE(IsOnAir(*Story("1")));
  EXPECT_FALSE(observer.Told("restart"));
  ExpectConsistent();
}

TEST_F(RunOrderTest, AirStoryRules) {
  Build({"1", "2/4", "3"});
  run.options().background_auto_slug = true;
  run.SetAirStory(Story("2"));
  EXPECT_EQ(run.FindAirStory().entry, nullptr);
  run.SetAirStory(Story("3"));
  EXPECT_EQ(run.FindAirStory().row, 3);
  EXPECT_EQ(observer.background, "[3] SLUG 3");
  run.SetAirStory(Story("1"));
  EXPECT_FALSE(IsOnAir(*Story("3")));
  run.PinAirStory(Story("3"));
  EXPECT_EQ(run.FindAirStory().entry, Story("3"));
  run.ShowAirStory();
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{171}));
  run.InsertAfterAir("");
  EXPECT_EQ(dialogs.Numbers().size(), 1u);
}

TEST_F(RunOrderTest, InsertAfterAirMovesTheTypedOrSelectedStory) {
  Build({"1", "2", "3", "4/4"});
  run.InsertAfterAir("");
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{171}));
  store.set_prompting(true);
  run.SetAirStory(Story("1"));
  run.InsertAfterAir("3");
  EXPECT_EQ(Order(), (Ids{"1", "3", "2", "4/4"}));
  run.Select(Story("4"));
  run.InsertAfterAir("");
  EXPECT_EQ(Order(), (Ids{"1", "4", "3", "2"}));
  run.InsertAfterAir("9");
  EXPECT_EQ(dialogs.shown.back(), (MessagePieces{180, std::string("9"), 19}));
  run.SelectRows(3, 4);
  run.InsertAfterAir("");
  EXPECT_EQ(Order(), (Ids{"1", "3", "2", "4"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, InsertReportsWhatItCouldNotFind) {
  Build({"1", "2"});
  EXPECT_EQ(run.InsertStory("9", "", "1", ""), InsertResult::kSourceNotFound);
  EXPECT_EQ(run.InsertStory("1", "", "9", ""), InsertResult::kDestinationNotFound);
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{134, 135}));
}

TEST_F(RunOrderTest, UndoAfterAnInsert) {
  Build({"1", "2", "3", "4"});
  ASSERT_EQ(run.InsertStory("1", "", "3", ""), InsertResult::kDone);
  EXPECT_EQ(Order(), (Ids{"2", "3", "1", "4"}));
  EXPECT_TRUE(run.can_undo());
  run.UndoLastMove();
  EXPECT_EQ(Order(), (Ids{"1", "2", "3", "4"}));
  EXPECT_FALSE(run.can_undo());
  ExpectConsistent();
  ASSERT_EQ(run.InsertStory("4", "", "1", ""), InsertResult::kDone);
  run.UndoLastMove();
  EXPECT_EQ(Order(), (Ids{"1", "2", "3", "4"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, UndoAfterDraggingTheLastTwoToTheTop) {
  Build({"1", "2", "3", "4"});
  run.set_top_row(2);
  run.SelectRows(3, 4);
  run.MoveBlockBefore(Story("1"));
  EXPECT_EQ(Order(), (Ids{"3", "4", "1", "2"}));
  EXPECT_EQ(store.first_line()->text_a, "[3] SLUG 3");
  ExpectConsistent();
  run.set_top_row(1);
  run.UndoLastMove();
  EXPECT_EQ(Order(), (Ids{"1", "2", "3", "4"}));
  EXPECT_EQ(store.last_line()->text_a, "body 4");
  EXPECT_EQ(observer.top_row, 2);
  EXPECT_EQ(run.SelectedStory(), Story("3"));
  ExpectConsistent();
}

TEST_F(RunOrderTest, BlockMoveAndItsUndo) {
  Build({"1", "2", "3", "4"});
  run.SelectRows(3, 5);  // RunEnd in the selection ends the block at the story before it
  run.MoveBlock("1", "");
  EXPECT_EQ(Order(), (Ids{"1", "3", "4", "2"}));
  EXPECT_EQ(run.SelectedStory(), Story("3"));
  ExpectConsistent();
  run.UndoLastMove();
  EXPECT_EQ(Order(), (Ids{"1", "2", "3", "4"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, BlockMoveRefusals) {
  Build({"1", "2", "3"});
  run.SelectRows(1, 1);
  run.MoveBlock("3", "");
  run.SelectRows(1, 2);
  run.MoveBlock("2", "");
  run.MoveBlock("9", "");
  run.guards().host_download = true;
  run.MoveBlock("3", "");
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{20, 170, 135, 1041}));
  EXPECT_EQ(Order(), (Ids{"1", "2", "3"}));
}

TEST_F(RunOrderTest, RunEndIsNeverMovedDroppedOrDeleted) {
  Build({"1", "2"});
  r_object* end = store.run_end();
  run.MoveStoryBefore(end, Story("1"));
  run.MoveStoryAfter(end, Story("1"));
  run.MoveStoryAfter(Story("1"), end);
  run.RemoveStoryEntry(end);
  run.Select(end);
  run.DropStories();
  run.DeleteStories();
  run.CloakStories(true);
  run.SetStatus(end, StoryStatus::kDrop);
  EXPECT_EQ(Order(), (Ids{"1", "2"}));
  EXPECT_EQ(store.run_end(), end);
  EXPECT_TRUE(dialogs.shown.empty());
  ExpectConsistent();
}

TEST_F(RunOrderTest, RemovingAnEntryClearsEveryReferenceToIt) {
  Build({"1", "2", "3"});
  store.set_prompting(true);
  run.SetAirStory(Story("2"));
  ASSERT_EQ(run.InsertStory("2", "", "3", ""), InsertResult::kDone);
  run.Select(Story("2"));
  r_object* two = Story("2");
  EXPECT_EQ(run.air_story(), two);
  store.DeleteLine(two->line);
  EXPECT_EQ(run.air_story(), nullptr);
  EXPECT_FALSE(run.can_undo());
  EXPECT_EQ(run.SelectedStory(), Story("3"));
  EXPECT_EQ(observer.removed, (std::vector<const r_object*>{two}));
  store.NewScript();
  EXPECT_EQ(run.SelectedStory(), store.run_end());
}

TEST_F(RunOrderTest, DeleteStoriesAsksAndDeletesWithTheirLines) {
  Build({"1", "2", "3"});
  Story("2")->second_id = "AM";
  run.Select(Story("2"));
  dialogs.answer = false;
  run.DeleteStories();
  EXPECT_EQ(dialogs.shown[0],
            (MessagePieces{17, std::string("2"), std::string("id AM"), std::string("?")}));
  dialogs.answer = true;
  run.DeleteStories();
  EXPECT_EQ(Order(), (Ids{"1", "3"}));
  dialogs.answer = false;
  run.SelectRows(1, 2);
  run.DeleteStories();
  EXPECT_EQ(dialogs.Numbers().back(), 23);
  dialogs.answer = true;
  run.SelectRows(2, 2);
  run.DeleteStories();
  EXPECT_EQ(Order(), (Ids{"1"}));
  EXPECT_EQ(run.SelectedStory()->story_id, "1");
  run.SelectRows(1, 2);
  run.DeleteStories();
  EXPECT_TRUE(run.empty());
  EXPECT_EQ(store.current_line().get(), store.first_line());
  ExpectConsistent();
}

TEST_F(RunOrderTest, CloakAndUncloakEveryLineOfTheSelectedStories) {
  Build({"1", "2", "3"});
  run.SelectRows(2, 4);
  run.CloakStories(true);
  EXPECT_FALSE(IsCloaked(*Story("1")));
  EXPECT_TRUE(IsCloaked(*Story("2")));
  EXPECT_TRUE(store::HasFlag(*Story("3")->line->next, store::line_flag::kCloaked));
  run.CloakStories(false);
  EXPECT_FALSE(store::HasFlag(*Story("3")->line->next, store::line_flag::kCloaked));
  EXPECT_TRUE(store.script_changed());
}

TEST_F(RunOrderTest, ChangeProgramIdFollowsAnInactiveProgramme) {
  Build({"1", "2", "3"});
  Story("3")->second_id = "PM";
  SetInactive(store, *Story("3"), true);
  run.SelectRows(1, 2);
  run.ChangeProgramId(" pm ");
  EXPECT_EQ(Story("1")->second_id, "PM");
  EXPECT_TRUE(IsInactive(*Story("2")));
  EXPECT_TRUE(store::HasFlag(*Story("2")->line, store::line_flag::kSlugLine));
}

struct ResequenceCase {
  const char* name;
  Ids before;
  std::vector<std::string> programmes;
  bool decimal;
  bool multi_run;
  Ids after;
};

TEST_F(RunOrderTest, ResequenceTable) {
  const ResequenceCase table[] = {
      // The algorithm puts A (00000000A) after the empty identifier and before 9.
      {"letters", {"10", "9", "9A", "A", ""}, {}, false, false, {"", "A", "9", "9A", "10"}},
      {"numbers", {"3", "1", "2"}, {}, false, false, {"1", "2", "3"}},
      {"decimal", {"1.5", "1.10", "A7", "AB"}, {}, true, false, {"AB", "1.10", "1.5", "A7"}},
      {"set aside stay", {"3", "1/4", "2", "0/5"}, {}, false, false, {"2", "3", "1/4", "0/5"}},
      {"equal keys keep order", {"2", "1", "1"}, {}, false, false, {"1", "1", "2"}},
      {"multi run",
       {"2", "1", "1", "3"},
       {"PM", "PM", "AM", "AM"},
       false,
       true,
       {"1", "3", "1", "2"}},
      {"decimal ignored with multi run", {"1.10", "1.5"}, {"A", "A"}, true, true, {"1.5", "1.10"}},
  };
  for (const ResequenceCase& c : table) {
    SCOPED_TRACE(c.name);
    store.NewScript();
    ResetLines();
    run.options().decimal_story_numbers = c.decimal;
    run.options().multi_run = c.multi_run;
    for (std::size_t i = 0; i < c.before.size(); ++i) {
      AddStory(c.before[i], i < c.programmes.size() ? c.programmes[i] : "");
    }
    run.Resequence();
    EXPECT_EQ(Order(), c.after);
    if (std::string(c.name) == "multi run") {
      EXPECT_EQ(run.Stories()[0]->second_id, "AM");
    }
    ExpectConsistent();
  }
}

TEST_F(RunOrderTest, ResequenceWhilePromptingAsksToStop) {
  Build({"2", "1"});
  store.set_prompting(true);
  run.Resequence();
  EXPECT_EQ(Order(), (Ids{"2", "1"}));
  EXPECT_TRUE(observer.Told("stop"));
  store.set_prompting(false);
  run.guards().host_download = true;
  run.Resequence();
  EXPECT_EQ(dialogs.Numbers(), (std::vector<int>{2, 653}));
}

TEST_F(RunOrderTest, DeletePnewHelpers) {
  Build({"1", "5/2", "6/2", "2", "5/2"});
  run.DeletePnewBefore(Story("2"));
  EXPECT_EQ(Order(), (Ids{"1", "2", "5/2"}));
  run.DeletePnewWithId("5");
  EXPECT_EQ(Order(), (Ids{"1", "2"}));
  ExpectConsistent();
}

TEST_F(RunOrderTest, ShowStories) {
  Build({"1", "2", "3/4"});
  run.options().multi_run = true;
  SetInactive(store, *Story("1"), true);
  run.ShowTopStory();
  EXPECT_EQ(run.SelectedStory(), Story("2"));
  run.options().multi_run = false;
  run.ShowLastStory();
  EXPECT_EQ(run.SelectedStory(), Story("2"));
  EXPECT_EQ(observer.top_row, 2);
}

TEST_F(RunOrderTest, RandomOperationsKeepTheLinksAndTheOrder) {
  Build({"1", "2", "3", "4/1", "5/2", "6", "7/5", "8/3", "9", "5"});
  std::mt19937 rng(6);
  store.set_prompting(true);
  run.options().auto_delete_on_air = true;
  for (int step = 0; step < 400; ++step) {
    const int rows = run.story_count() + 1;
    std::uniform_int_distribution<int> row(1, rows);
    const int a = row(rng);
    const int b = row(rng);
    run.SelectRows(std::min(a, b), std::max(a, b));
    r_object* s = run.EntryAtRow(a);
    r_object* t = run.EntryAtRow(b);
    switch (std::uniform_int_distribution<int>(0, 12)(rng)) {
      case 0:
        run.MoveStoryBefore(s, t);
        break;
      case 1:
        run.MoveStoryAfter(s, t);
        break;
      case 2:
        run.DropStories();
        break;
      case 3:
        run.UndropAll();
        break;
      case 4:
        run.ExchangePnew({});
        break;
      case 5:
        (void)run.InsertStory(s->story_id, "", t->story_id, "");
        break;
      case 6:
        run.MoveBlock(t->story_id, "");
        break;
      case 7:
        run.UndoLastMove();
        break;
      case 8:
        run.SetAirStory(s);
        break;
      case 9:
        store.set_prompting(false);
        run.Resequence();
        store.set_prompting(true);
        break;
      case 10:
        if (run.story_count() > 4) run.DeleteStories();
        break;
      case 11:
        if (s != store.run_end()) SetStoryStatus(store, s->line, StoryStatus::kPnew);
        break;
      default:
        run.InsertAfterAir("");
        break;
    }
    ExpectConsistent();
    if (::testing::Test::HasFailure()) {
      FAIL() << "after step " << step;
    }
  }
}

TEST_F(RunOrderTest, NativeFileRunOrderSurvivesDropMoveResequenceUndoAndSave) {
  Build({"3", "1", "2", "5", "4"});
  const std::string original = formats::WriteNativeFile(store, store.first_line(), {}, {});

  telvane::testing::FixedMeasure measure2;
  store::StoreNotices notices2;
  store::ScriptStore loaded{measure2, notices2};
  RecordingObserver observer2;
  ScriptedDialogs dialogs2;
  RunOrder run2{loaded, observer2, dialogs2};
  formats::FontTable fonts;
  formats::NativeReadSetup setup;
  setup.fonts = &fonts;
  setup.script_was_empty = true;
  ASSERT_EQ(formats::ReadNativeFile(original, formats::kNewestVersion, false, loaded,
                                    loaded.first_line(), setup)
                .error,
            formats::NativeReadError::kNone);
  const auto order = [&](const store::ScriptStore& st) {
    Ids out;
    for (r_object* e = st.run_head()->next; e != st.run_end(); e = e->next) {
      const auto s = static_cast<int>(StatusOf(*e));
      out.push_back(e->story_id + (s == 0 ? "" : "/" + std::to_string(s)));
    }
    return out;
  };
  EXPECT_EQ(order(loaded), (Ids{"3", "1", "2", "5", "4"}));
  run2.SelectRows(2, 2);
  run2.DropStories();
  EXPECT_EQ(order(loaded), (Ids{"3", "2", "5", "4", "1/4"}));
  ASSERT_EQ(run2.InsertStory("4", "", "3", ""), InsertResult::kDone);
  EXPECT_EQ(order(loaded), (Ids{"3", "4", "2", "5", "1/4"}));
  run2.Resequence();
  EXPECT_EQ(order(loaded), (Ids{"2", "3", "4", "5", "1/4"}));
  run2.SelectRows(1, 2);
  run2.MoveBlock("5", "");
  EXPECT_EQ(order(loaded), (Ids{"4", "5", "2", "3", "1/4"}));
  run2.UndoLastMove();
  EXPECT_EQ(order(loaded), (Ids{"2", "3", "4", "5", "1/4"}));
  EXPECT_EQ(loaded.CheckScriptLinks().code, 0);

  const std::string saved = formats::WriteNativeFile(loaded, loaded.first_line(), {}, {});
  store::ScriptStore again{measure2, notices2};
  ASSERT_EQ(formats::ReadNativeFile(saved, formats::kNewestVersion, false, again,
                                    again.first_line(), setup)
                .error,
            formats::NativeReadError::kNone);
  EXPECT_EQ(order(again), (Ids{"2", "3", "4", "5", "1/4"}));
  EXPECT_EQ(again.CheckScriptLinks().code, 0);
  EXPECT_EQ(formats::WriteNativeFile(again, again.first_line(), {}, {}), saved);
}

}  // namespace
}  // namespace telvane::runorder::testing
