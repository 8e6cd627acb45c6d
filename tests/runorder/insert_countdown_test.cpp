#include "runorder/insert_countdown.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace telvane::runorder {
namespace {

using store::e_object;

class InsertCountdownTest : public ::testing::Test {
 protected:
  e_object& Line(const std::string& text, std::uint32_t flags = 0) {
    e_object& line = lines.emplace_back();
    line.text_a = text;
    line.flags |= flags;
    line.flags2 |= store::line_state::kTimingLine;
    return line;
  }
  // Ticks until the timer stops; returns the ticks taken.
  int RunDown() {
    int ticks = 0;
    while (countdown.Tick() && ticks < 1000) ++ticks;
    return ticks;
  }
  store::LineRefs refs;
  std::deque<e_object> lines;
  InsertCountdown countdown{2.5, refs};
};

TEST_F(InsertCountdownTest, FractionalInsertsEndAndTheOffsetReturnsToZero) {
  // At 2.5 units a second "//VT 0:03" is 7 units, 2.8 seconds: it never lands on 0 exactly.
  e_object& first = Line("//VT 0:03 clip");
  e_object& hidden = Line("//*VT 0:02 hidden from story times");
  EXPECT_TRUE(countdown.Add(first));
  EXPECT_FALSE(countdown.Add(first));
  EXPECT_TRUE(countdown.Add(hidden));
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 2.8 + 2.0);
  EXPECT_TRUE(countdown.Tick());
  EXPECT_EQ(countdown.current(), &first);
  // first: load and three seconds; hidden: load and two seconds; then the timer stops.
  EXPECT_EQ(RunDown(), 6);
  EXPECT_EQ(countdown.current(), nullptr);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 0.0);
}

TEST_F(InsertCountdownTest, CloakedAndDeletedInsertsAreSkippedWithoutTheirTime) {
  e_object& cloaked = Line("//VT 0:04 cloaked", store::line_flag::kTimingCloaked);
  e_object& deleted = Line("//VT 0:04 deleted");
  e_object& kept = Line("//VT 0:02 kept");
  for (e_object* l : {&cloaked, &deleted, &kept}) countdown.Add(*l);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 4.0 + 2.0);
  refs.BeforeDelete(&deleted, nullptr, nullptr);
  EXPECT_TRUE(countdown.Tick());
  EXPECT_EQ(countdown.current(), &kept);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 2.0);
  EXPECT_EQ(RunDown(), 2);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 0.0);
}

TEST_F(InsertCountdownTest, TimingCloakTakesTheInsertOutAndBackIn) {
  e_object& current = Line("//VT 0:10 running");
  e_object& queued = Line("//VT 0:04 queued");
  countdown.Add(current);
  countdown.Add(queued);
  countdown.Tick();
  countdown.Tick();  // 9 seconds of the first insert left
  queued.flags |= store::line_flag::kTimingCloaked;
  countdown.TimingCloakChanged(queued);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 9.0);
  queued.flags &= ~store::line_flag::kTimingCloaked;
  countdown.TimingCloakChanged(queued);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 13.0);
  current.flags |= store::line_flag::kTimingCloaked;
  countdown.TimingCloakChanged(current);
  EXPECT_EQ(countdown.current(), nullptr);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 4.0);
  EXPECT_EQ(RunDown(), 5);
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 0.0);
}

TEST_F(InsertCountdownTest, AFullRingRefusesInsteadOfOverwriting) {
  for (std::size_t i = 0; i < InsertCountdown::kCapacity; ++i) {
    EXPECT_TRUE(countdown.Add(Line("//VT 0:01 n" + std::to_string(i))));
  }
  EXPECT_FALSE(countdown.Add(Line("//VT 0:01 one too many")));
  EXPECT_TRUE(countdown.Tick());
  EXPECT_EQ(countdown.current(), &lines.front());
  EXPECT_EQ(RunDown(), 2 * 32 - 1);
}

TEST_F(InsertCountdownTest, AbortDropsTheCurrentInsertAndTheQueuedOnes) {
  countdown.Add(Line("//VT 0:10 long"));
  countdown.Add(Line("//VT 0:05 next"));
  countdown.Tick();
  countdown.Tick();
  // 10 s and 12 units (4.8 s), one second counted.
  EXPECT_NEAR(countdown.run_time_offset(), 13.8, 1e-9);
  countdown.Abort();
  // The current insert keeps one second; the queued one goes with the queue.
  EXPECT_NEAR(countdown.run_time_offset(), 13.8 - 9.0 + 1.0 - 4.8, 1e-9);
  EXPECT_FALSE(countdown.Tick());
  countdown.Reset();
  EXPECT_DOUBLE_EQ(countdown.run_time_offset(), 0.0);
}

}  // namespace
}  // namespace telvane::runorder
