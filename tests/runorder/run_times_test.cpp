#include "runorder/run_times.h"

#include <gtest/gtest.h>

#include "run_order_fixture.h"

namespace telvane::runorder {
namespace {

using store::e_object;

TEST(RunTimes, SpeechRateReadsDigitSeparatorDigitWithinLimits) {
  const struct {
    const char* text;
    double rate;
  } cases[] = {{"3.0", 3.0}, {"2.5", 2.5}, {" 4 ", 4.0}, {"25", 9.9},  {"0", 0.1},
               {"x", 1.0},   {"", 1.0},    {"abc", 0.1}, {"7,25", 7.2}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SpeechRate(c.text), c.rate) << c.text;
}

TEST(RunTimes, TimingValueOfInstructions) {
  const struct {
    const char* text;
    bool timing_only;
    std::uint32_t units;
  } cases[] = {
      {"//VT 1:30 clip", false, 270}, {"//VT 90", false, 270},  {"//VT   1:00:00", false, 10800},
      {"//VT 9:0:1:30", false, 270},  {"//*VT 1:30", false, 0}, {"//*VT 1:30", true, 270},
      {"//VT 1:x", false, 0},         {"//VT1:30", false, 0},   {"//VT", false, 0},
      {"//VT -5", false, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TimingValue(c.text, 3.0, c.timing_only), c.units) << c.text;
  }
}

TEST(RunTimes, FormatDurationCarriesAndLimits) {
  using F = DurationForm;
  const struct {
    double seconds;
    F form;
    const char* text;
  } cases[] = {
      {3599.6, F::kHoursWhenNeeded, "01:00:00"},
      {3599.6, F::kShort, "00:00"},
      {400000, F::kHoursWhenNeeded, "99:59:59"},
      {59.5, F::kShort, "01:00"},
      {60.5, F::kShort, "01:00"},
      {90, F::kAlwaysHours, "00:01:30"},
      {90, F::kHoursWhenNeeded, "01:30"},
      {-5, F::kShort, "00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDuration(c.seconds, c.form), c.text) << c.seconds;
}

class LineUnitsTest : public testing::RunOrderTest {
 protected:
  std::uint32_t Units(const std::string& text, std::uint32_t flags = 0) {
    e_object line;
    line.text_a = text;
    line.flags |= flags;
    return LineUnits(line, options, true, false);
  }
  TimingOptions options;
};

TEST_F(LineUnitsTest, WordsCharactersAndExcludedLines) {
  using namespace store::line_flag;
  EXPECT_EQ(Units("a b"), 1u);  // the last character is never examined
  EXPECT_EQ(Units("a b "), 2u);
  EXPECT_EQ(Units("  one   two three!"), 3u);
  EXPECT_EQ(Units("a b ", kCloaked), 0u);
  EXPECT_EQ(Units("a b ", kSlugLine), 0u);
  EXPECT_EQ(Units("a b ", kTimingCloaked), 0u);
  options.character_count = true;
  EXPECT_EQ(Units("ab, c!]"), 4u);
}

TEST_F(LineUnitsTest, StoryLengthCountsWordsAndInsertsAndStopsAtNextSlug) {
  r_object* one = AddStory("1");
  Append("two more ");
  e_object* vt = Append("//VT 0:10 pictures");
  vt->flags2 |= store::line_state::kTimingLine;
  Append("//*VT 0:10 hidden")->flags2 |= store::line_state::kTimingLine;
  AddStory("2");
  // "body 1" counts one word, "two more " two, the insert 30, the hidden insert nothing.
  EXPECT_EQ(StoryLength(store, *one, options), 33u);
  one->length = StoryLength(store, *one, options);
  EXPECT_EQ(StoryTime(*one, options), "00:11");
}

TEST_F(LineUnitsTest, AnEditRecountsOnlyItsStory) {
  Build({"1", "2"});
  EXPECT_EQ(RecountAllStories(store, options), 2u);
  e_object* body = Story("1")->line->next;
  body->text_a = "three more words ";
  Story("2")->length = 99;
  EXPECT_EQ(UpdateStoryLength(store, *body, options), Story("1"));
  EXPECT_EQ(Story("1")->length, 3u);
  EXPECT_EQ(Story("2")->length, 99u);
  EXPECT_EQ(UpdateStoryLength(store, *Story("2")->line, options), Story("2"));
  EXPECT_EQ(Story("2")->length, 1u);
}

TEST_F(LineUnitsTest, AccumulatedTimesSkipSetAsideStoriesButCountThem) {
  Build({"1", "2/2", "3", "4/4"});
  for (r_object* e : run.Stories()) e->length = 90;
  const auto texts = [&] {
    RunTimeline timeline;
    timeline.Rebuild(run.Stories(), options);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < timeline.size(); ++i) out.push_back(timeline.Text(i));
    return out;
  };
  EXPECT_EQ(texts(), (std::vector<std::string>{"00:30", "", "01:30", ""}));
  options.multi_run = true;
  run.Stories()[2]->second_id = "B";
  EXPECT_EQ(texts(), (std::vector<std::string>{"00:30", "", "00:30", ""}));
}

TEST_F(LineUnitsTest, AnEditUpdatesTheAccumulatedTimesAfterItAsARebuildWould) {
  Build({"1", "2", "3", "4"});
  options.speech_rate = 0.1;  // ten seconds a word, so that every word shows
  RecountAllStories(store, options);
  for (const bool multi_run : {false, true}) {
    options.multi_run = multi_run;
    Story("3")->second_id = "B";
    RunTimeline timeline;
    timeline.Rebuild(run.Stories(), options);
    for (const char* text : {"many more words in it now ", "", "a b c "}) {
      e_object* body = Story("2")->line->next;
      body->text_a = text;
      body->style_a = std::string(body->text_a.size(), '\0');
      body->colour_a = std::string(body->text_a.size(), store::colour_bit::kDefault);
      ASSERT_TRUE(timeline.StoryEdited(store, *Story("2"), options));
      RunTimeline rebuilt;
      rebuilt.Rebuild(run.Stories(), options);
      for (std::size_t i = 0; i < rebuilt.size(); ++i) {
        EXPECT_EQ(timeline.Text(i), rebuilt.Text(i)) << text << " story " << i + 1;
      }
    }
  }
  RunTimeline empty;
  EXPECT_FALSE(empty.StoryEdited(store, *Story("1"), options));
}

TEST_F(LineUnitsTest, RemainingTimeStopsAtThePendingStories) {
  // Each body line "body n" counts one word; "one two three " three.
  Build({"1", "2", "3/4", "4"});
  e_object* rest = store.InsertLine(Story("1")->line->next, true);
  rest->text_a = "one two three ";
  rest->style_a = std::string(rest->text_a.size(), '\0');
  rest->colour_a = std::string(rest->text_a.size(), store::colour_bit::kDefault);
  RecountAllStories(store, options);
  const e_object& from = *Story("1")->line->next;  // "body 1" and the line after it
  EXPECT_DOUBLE_EQ(RemainingSeconds(store, from, options, false, 0), (1 + 3 + 1) / 3.0);
  EXPECT_DOUBLE_EQ(RemainingSeconds(store, from, options, false, 2), (1 + 3 + 1) / 3.0 + 2);
  SetInactive(store, *Story("2"), true);
  EXPECT_DOUBLE_EQ(RemainingSeconds(store, from, options, false, 0), 4 / 3.0);
  Story("2")->story_id = "Z2";
  SetInactive(store, *Story("2"), false);
  EXPECT_DOUBLE_EQ(RemainingSeconds(store, from, options, true, 0), 4 / 3.0);
}

TEST_F(LineUnitsTest, LineAccumulatedTimeRunsToTheNextInsert) {
  Build({"1"});
  AddStory("2");
  e_object* vt = Append("//VT 0:03 clip");
  vt->flags2 |= store::line_state::kTimingLine;
  Append("after the clip ");
  RecountAllStories(store, options);  // story 1: one word; story 2: 1 + 9 + 3
  EXPECT_EQ(LineAccumulatedTime(store, *Story("2")->line, options), "00:01");  // 2 units
  EXPECT_EQ(LineAccumulatedTime(store, *vt, options), "00:04");                // 11 units
  EXPECT_EQ(LineAccumulatedTime(store, *vt->next, options), "00:05");          // 14 units
}

TEST_F(LineUnitsTest, PresenterRateOfZeroIsClamped) {
  options.presenters_enabled = true;
  options.presenter_rates[0] = 0.0;
  r_object* one = AddStory("1");
  one->story_presenter = 1;
  one->length = 6;
  EXPECT_DOUBLE_EQ(StoryRate(*one, options), kMinSpeechRate);
  EXPECT_EQ(StoryTime(*one, options), "01:00");
}

}  // namespace
}  // namespace telvane::runorder
