#include "runorder/program_timing.h"

#include <gtest/gtest.h>

#include "run_order_fixture.h"

namespace telvane::runorder {
namespace {

namespace gc = grid_colour;
namespace m = timing_message;

// Story 1: its body, a 30-second insert (90 units at 3.0) and three words after it; story 2:
// its body. Rows: slug 1, the insert, the line after it, slug 2.
class ProgramTimingTest : public testing::RunOrderTest {
 protected:
  void SetUp() override {
    AddStory("1");
    vt = Append("//VT 0:30 pictures");
    vt->flags2 |= store::line_state::kTimingLine;
    Append("after the clip ");
    AddStory("2");
    RecountAllStories(store, options.timing);
    timing.emplace(store, options);
  }
  ProgramTimingOptions options;
  e_object* vt = nullptr;
  std::optional<ProgramTiming> timing;
};

TEST_F(ProgramTimingTest, RowsShowStoriesInsertsAndTheirTimes) {
  Story("2")->line->flags2 |= store::line_state::kOnAir;
  EXPECT_EQ(timing->RowCount(10), 6);
  const struct {
    int row;
    int column;
    const char* text;
  } cases[] = {
      {1, 0, "1"},     {1, 2, ""},      {1, 3, "SLUG 1"},         {1, 5, "00:01"}, {1, 6, "00:30"},
      {1, 7, "00:31"}, {1, 8, "00:00"}, {2, 3, "0:30 pictures"},  {2, 4, "VT"},    {2, 6, "00:30"},
      {2, 7, ""},      {2, 8, "00:30"}, {3, 3, "after the clip"}, {3, 8, "00:31"}, {4, 0, "2"},
      {4, 2, "AIR"},   {4, 8, "00:32"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(timing->DataCell(c.row, c.column).text, c.text) << c.row << "," << c.column;
  }
  EXPECT_EQ(timing->HeaderCell(3).message, 579);
  EXPECT_EQ(timing->Colours(4, 2, false, false), (CellColours{gc::kRed, gc::kWhite}));
  EXPECT_EQ(timing->Colours(4, 3, true, true), (CellColours{options.high_b, options.high_f}));
  EXPECT_EQ(timing->TrackedTopRow(Story("2")), std::nullopt);
  options.prompt_track = true;
  timing->set_options(options);
  EXPECT_EQ(timing->TrackedTopRow(Story("2")), 3);
  EXPECT_EQ(timing->RowCount(10), 16);
}

TEST_F(ProgramTimingTest, InsertsCountDownInTheRunTimeAgainstTheTimer) {
  timing->ShowRemainingTime(*Story("1")->line->next);  // 95 units: 31.7 seconds
  EXPECT_EQ(timing->run_time_text(), "00:00:32");
  EXPECT_TRUE(timing->StartPressed(1000));
  EXPECT_FALSE(timing->StartPressed(1300));  // within the hold-off
  EXPECT_TRUE(timing->insert_timer_on());
  timing->InsertPassed(*vt);
  EXPECT_EQ(timing->run_time_text(), "00:01:02");
  timing->InsertSecond();  // loads the insert
  timing->InsertSecond();
  EXPECT_EQ(timing->run_time_text(), "00:01:01");
  EXPECT_EQ(timing->DataCell(2, 7).text, "00:29");
  EXPECT_EQ(timing->Colours(2, 7, false, false), (CellColours{gc::kBlack, 0x00FF00}));

  timing->TimerSecond();  // the timer started at its 30-second start value
  TimingDisplays d = timing->Displays(true);
  EXPECT_EQ(d.timer, "00:00:29");
  EXPECT_EQ(d.progress_max, 30);
  EXPECT_EQ(d.timer_progress, 1);
  EXPECT_EQ(d.prompt_progress, 0);  // never below 0
  EXPECT_EQ(d.status_message, m::kOver);
  EXPECT_EQ(d.difference_hint, m::kOverHint);
  EXPECT_EQ(d.difference, "00:00:32");
  timing->AutoLoad();
  EXPECT_EQ(timing->Displays(true).status_message, m::kEqual);
  EXPECT_EQ(timing->timer_start(), (ClockTime{0, 1, 1}));

  timing->TogglePause();
  EXPECT_FALSE(timing->insert_timer_on());
  timing->TimerSecond();
  EXPECT_EQ(timing->timer_current(), (ClockTime{0, 1, 1}));
  timing->Abort();  // one second of the insert stays in the offset
  EXPECT_EQ(timing->run_time_text(), "00:00:33");
  EXPECT_EQ(timing->Displays(false).status_message, m::kUnder);
  EXPECT_TRUE(timing->StartPressed(2000));
  EXPECT_FALSE(timing->timer_running());
  EXPECT_EQ(timing->Displays(true).timer_progress, 0);
}

TEST_F(ProgramTimingTest, TimingCloakTakesAnInsertOutOfItsStory) {
  EXPECT_EQ(timing->ToggleTimingCloak(1), nullptr);  // slug rows have none
  EXPECT_EQ(timing->ToggleTimingCloak(2), vt);
  EXPECT_EQ(Story("1")->length, 4u);
  EXPECT_TRUE(store.script_changed());
  EXPECT_EQ(timing->Colours(2, 3, false, false), (CellColours{gc::kWhite, gc::kSilver}));
  timing->ToggleTimingCloak(2);
  EXPECT_EQ(Story("1")->length, 94u);
}

TEST(ProgramTimingClock, TextsReadBack) {
  const struct {
    const char* text;
    std::optional<long long> seconds;
  } cases[] = {{"01:30", 90},         {"01:00:00", 3600},        {"5", std::nullopt},
               {"a:b", std::nullopt}, {"1:2:3:4", std::nullopt}, {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseClockText(c.text), c.seconds) << c.text;
  EXPECT_EQ(ClockOf(400000), (ClockTime{99, 59, 59}));
}

}  // namespace
}  // namespace telvane::runorder
