#include "devices/soft_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "devices/card_protocol.h"
#include "prompt/row_encoding.h"

namespace telvane::devices {
namespace {

using Words = std::vector<std::uint32_t>;
using Bytes = std::vector<std::uint8_t>;

constexpr int kTickMs = 50;

std::uint32_t Command(std::uint8_t code, std::uint16_t argument = 0, bool blank = false,
                      bool lamp = false) {
  return CardCommand{code, argument, blank, lamp}.Encode();
}

// A row that carries a number: runs of colour 1 and colour 2 whose lengths spell it, then
// black, so the field shows which row of the stream lies where.
void AppendRow(int tag, Words& words) {
  std::vector<std::uint8_t> row(card_data::kRowPixels, 0);
  const int first = tag / 250 + 1;
  std::fill_n(row.begin(), first, std::uint8_t{1});
  std::fill_n(row.begin() + first, tag % 250 + 1, std::uint8_t{2});
  prompt::EncodeRow(row, prompt::BuildCardColourMap(), words);
}

int TagOf(const CardRow& row) {
  const auto first = std::find_if(row.begin(), row.end(), [](auto c) { return c != 1; });
  const auto second = std::find_if(first, row.end(), [](auto c) { return c != 2; });
  if (first == row.begin() || second == first) return -1;
  return static_cast<int>(first - row.begin() - 1) * 250 + static_cast<int>(second - first) - 1;
}

Words Rows(std::uint32_t command, int first_tag, int count) {
  Words words{command};
  for (int i = 0; i < count; ++i) AppendRow(first_tag + i, words);
  return words;
}

Words Page(int first_tag, std::uint16_t speed = 0) {
  return Rows(Command(CardCommand::kNewPage, speed), first_tag, card_data::kPageRows);
}

Words SetUpBlock(bool is_625, std::uint32_t cue_word) {
  Words words(card_data::kSetUpWords, 0);
  words[0] = Command(CardCommand::kSetUp);
  words[4] = is_625 ? 309 : 259;
  words[5] = cue_word;
  words[6] = is_625 ? 0 : 1;
  return words;
}

Words Join(std::initializer_list<Words> parts) {
  Words all;
  for (const Words& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string Events(SoftCard& card) {
  const Bytes bytes = card.TakeEvents();
  return {bytes.begin(), bytes.end()};
}

// Ticks until the card sends something or the limit passes; the time it reached.
std::int64_t TickUntilEvent(SoftCard& card, std::int64_t& now, std::string& events,
                            std::int64_t limit_ms = 60'000) {
  for (const std::int64_t end = now + limit_ms; now < end && events.empty();) {
    now += kTickMs;
    card.OnTick(now);
    events = Events(card);
  }
  return now;
}

TEST(CardCommand, WordsCarryCodeArgumentBlankAndLamp) {
  struct Case {
    CardCommand command;
    std::uint32_t word;
  };
  const std::vector<Case> cases = {
      {{CardCommand::kNoOp, 0, false, false}, 0x000000},
      {{CardCommand::kNewPage, 45, false, false}, 0x02002D},
      {{CardCommand::kHold, CardCommand::kSlugPause, true, false}, 0x1080002},
      {{CardCommand::kSpeed, 60, true, true}, 0x30B003C},
      {{CardCommand::kProbe, 0, false, true}, 0x2130000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.command.Encode(), c.word) << std::hex << c.word;
    EXPECT_EQ(CardCommand::Decode(c.word), c.command) << std::hex << c.word;
  }
  EXPECT_FALSE(CardCommand::Decode(0x4000000));
  EXPECT_FALSE(CardCommand::Decode(0x80020000));
}

TEST(CardEventDecoder, TrailingBytesSurviveAnySplit) {
  Bytes stream;
  for (const CardEvent& e :
       std::vector<CardEvent>{{'N'}, {'U', 45}, {'>'}, {'K', 9}, {'V', 200}, {'Z'}}) {
    e.AppendTo(stream);
  }
  const std::vector<CardEvent> expected = {{'N'}, {'U', 45}, {'>'}, {'K', 9}, {'V', 200}, {'Z'}};
  for (std::size_t split = 0; split <= stream.size(); ++split) {
    CardEventDecoder decoder;
    decoder.Receive(std::span(stream).first(split));
    std::vector<CardEvent> events = decoder.TakeEvents();
    decoder.Receive(std::span(stream).subspan(split));
    const std::vector<CardEvent> rest = decoder.TakeEvents();
    events.insert(events.end(), rest.begin(), rest.end());
    EXPECT_EQ(events, expected) << "split at " << split;
  }
}

TEST(SpeedCurve, StillAroundStopAndSymmetricFromCrawlToSkim) {
  for (int speed = 29; speed <= 35; ++speed) EXPECT_EQ(MilliRowsPerSecond(speed), 0) << speed;
  EXPECT_EQ(MilliRowsPerSecond(36), 8000);
  EXPECT_EQ(MilliRowsPerSecond(28), -8000);
  for (int rate = 1; rate <= 25; ++rate) {
    EXPECT_EQ(MilliRowsPerSecond(35 + rate), -MilliRowsPerSecond(29 - rate)) << rate;
    if (rate > 1) {
      EXPECT_GT(MilliRowsPerSecond(35 + rate), MilliRowsPerSecond(34 + rate));
    }
  }
  EXPECT_GT(MilliRowsPerSecond(60), 600'000);
  EXPECT_EQ(MilliRowsPerSecond(75), MilliRowsPerSecond(60));
  EXPECT_EQ(MilliRowsPerSecond(0), MilliRowsPerSecond(4));
}

// What an engine sends to start: initialise, colour tables, set-up, a page, a fill, the
// speed, a band, hold and release.
Words StartExchange() {
  Words colour_tables(1 + card_data::kColourTableWords, 0x01020304);
  colour_tables[0] = Command(CardCommand::kColourTables);
  return Join({{Command(CardCommand::kInitialise)},
               colour_tables,
               SetUpBlock(true, 47),
               Page(0),
               Rows(Command(CardCommand::kRowsBelow), 896, card_data::kFillRows),
               {Command(CardCommand::kSpeed, 40)},
               Rows(Command(CardCommand::kBand), 1500, 20),
               {Command(CardCommand::kHold), Command(CardCommand::kHold, CardCommand::kRelease)}});
}

TEST(SoftCardFraming, WholeAndInPiecesGiveTheSameCard) {
  const Words exchange = StartExchange();
  SoftCard whole;
  ASSERT_TRUE(whole.Receive(exchange).ok()) << whole.last_error();
  EXPECT_EQ(Events(whole), "I>>EEZZ");
  EXPECT_EQ(whole.counters().rows_received, 1024);
  EXPECT_EQ(whole.rows_held(), card_data::kPageRows);
  EXPECT_EQ(TagOf(whole.VisibleRow(0)), 128);
  EXPECT_EQ(whole.band().size(), 20U);
  EXPECT_EQ(whole.colour_tables().size(), 4U * card_data::kColourTableWords);
  EXPECT_EQ(whole.speed(), 40);
  EXPECT_FALSE(whole.held());

  std::mt19937 random(8);
  for (int run = 0; run < 6; ++run) {
    SoftCard pieces;
    std::string events;
    for (std::size_t at = 0; at < exchange.size();) {
      const std::size_t size = std::min<std::size_t>(
          exchange.size() - at, std::uniform_int_distribution<std::size_t>(0, 700)(random));
      ASSERT_TRUE(pieces.Receive(std::span(exchange).subspan(at, size)).ok());
      events += Events(pieces);
      at += size;
    }
    EXPECT_EQ(events, "I>>EEZZ") << run;
    EXPECT_EQ(pieces.counters().rows_received, 1024) << run;
    EXPECT_EQ(pieces.band().size(), 20U) << run;
    for (int row = 0; row < pieces.VisibleRows(); row += 37) {
      EXPECT_EQ(pieces.VisibleRow(row), whole.VisibleRow(row)) << run << " row " << row;
    }
  }
}

TEST(SoftCardFraming, MalformedBlocksAreRefusedAndThePageKept) {
  const auto row_with = [](std::initializer_list<std::uint32_t> runs) {
    Words words{Command(CardCommand::kRowsBelow)};
    words.insert(words.end(), runs);
    return words;
  };
  struct Case {
    const char* name;
    Words words;
  };
  Words short_fill = Rows(Command(CardCommand::kRowsBelow), 2000, 100);
  const std::vector<Case> cases = {
      {"run length 0", row_with({0x050007, 0x06FF07, 0x069E07})},
      {"colour above 7", row_with({0x05FF08, 0x06FF07, 0x069E07})},
      {"row starts with a later mark", row_with({0x06FF01, 0x06FF07, 0x069E07})},
      {"row of 667 pixels then a new row", row_with({0x05FF01, 0x06FF01, 0x069D01, 0x05FF01})},
      {"row over 668 pixels", row_with({0x05FF01, 0x06FF01, 0x06FF01})},
      {"fill cut short by a command", Join({short_fill, {Command(CardCommand::kNoOp)}})},
      {"rows without a command", Rows(0x05FF01, 0, 3)},
      {"unknown command", {Command(0x11)}},
      {"speed out of range", {Command(CardCommand::kSpeed, 61)}},
      {"hold with an unknown argument", {Command(CardCommand::kHold, 3)}},
      {"argument on a plain command", {Command(CardCommand::kInitialise, 1)}},
      {"bits above the lamp", {0x8000000}},
      {"set-up with a wrong line count",
       [] {
         Words words = SetUpBlock(true, 47);
         words[4] = 300;
         return words;
       }()},
  };
  for (const Case& c : cases) {
    SoftCard card;
    ASSERT_TRUE(card.Receive(Page(0)).ok());
    Events(card);
    const Status status = card.Receive(c.words);
    EXPECT_FALSE(status.ok()) << c.name;
    EXPECT_GE(card.counters().refused, 1) << c.name;
    EXPECT_EQ(card.counters().rows_received, card_data::kPageRows) << c.name;
    EXPECT_EQ(TagOf(card.VisibleRow(0)), 0) << c.name;
    EXPECT_EQ(Events(card), "") << c.name;
    // The card reads on: the next command is answered.
    EXPECT_TRUE(card.Receive(Words{Command(CardCommand::kInitialise)}).ok()) << c.name;
    EXPECT_EQ(Events(card), "I") << c.name;
  }
}

TEST(SoftCardScroll, AsksForRowsAsTheFieldNearsEitherEnd) {
  SoftCard card;
  ASSERT_TRUE(card.Receive(Join({SetUpBlock(true, 47), Page(1000, 45)})).ok());
  Events(card);
  std::int64_t now = 0;
  card.OnTick(now);
  const double per_tick = MilliRowsPerSecond(45) * kTickMs / 1e6;

  // Forward: 'N' once the top is 224 rows down the page, and only once until rows arrive.
  std::string events;
  TickUntilEvent(card, now, events);
  EXPECT_EQ(events, "N");
  EXPECT_GE(card.FieldTop(), 224);
  EXPECT_LT(card.FieldTop(), 224 + per_tick);
  for (int i = 0; i < 10; ++i) card.OnTick(now += kTickMs);
  EXPECT_EQ(Events(card), "");
  const int shown = TagOf(card.VisibleRow(0));
  ASSERT_TRUE(card.Receive(Rows(Command(CardCommand::kRowsBelow), 1896, 128)).ok());
  EXPECT_EQ(Events(card), "E");
  EXPECT_EQ(TagOf(card.VisibleRow(0)), shown);
  EXPECT_EQ(TagOf(card.VisibleRow(card.VisibleRows() - 1)), shown + card.VisibleRows() - 1);

  // Backward: 'B' first, then 'N' for further rows above; forward again starts with 'F'.
  ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kSpeed, 4)}).ok());
  const std::vector<std::pair<std::string, std::uint32_t>> turns = {
      {"B", Command(CardCommand::kRowsAbove)}, {"N", Command(CardCommand::kRowsAbove)}};
  int above = 1000 + 128;
  for (const auto& [wanted, fill] : turns) {
    events.clear();
    TickUntilEvent(card, now, events);
    EXPECT_EQ(events, wanted);
    EXPECT_LT(card.FieldTop(), 96);
    above -= 128;
    const int top = TagOf(card.VisibleRow(0));
    ASSERT_TRUE(card.Receive(Rows(fill, above, 128)).ok());
    EXPECT_EQ(Events(card), "E");
    EXPECT_EQ(TagOf(card.VisibleRow(0)), top);
  }
  ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kSpeed, 60)}).ok());
  events.clear();
  TickUntilEvent(card, now, events);
  EXPECT_EQ(events, "F");
  EXPECT_EQ(card.counters().stalls, 0);
}

TEST(SoftCardScroll, CountsAStallOncePerStarvation) {
  SoftCard card;
  ASSERT_TRUE(card.Receive(Page(0, 60)).ok());
  Events(card);
  std::int64_t now = 0;
  card.OnTick(now);
  for (int round = 1; round <= 2; ++round) {
    std::string events;
    TickUntilEvent(card, now, events);
    ASSERT_EQ(events, "N");
    for (int i = 0; i < 40; ++i) card.OnTick(now += kTickMs);
    EXPECT_EQ(card.counters().stalls, round);
    EXPECT_EQ(card.FieldTop(), card_data::kPageRows - card.VisibleRows());
    // Rows that arrive broken are refused and asked for again.
    Words broken = Rows(Command(CardCommand::kRowsBelow), 0, 128);
    broken.pop_back();
    EXPECT_FALSE(card.Receive(Join({broken, {Command(CardCommand::kNoOp)}})).ok());
    card.OnTick(now += kTickMs);
    EXPECT_EQ(Events(card), "N");
    ASSERT_TRUE(card.Receive(Rows(Command(CardCommand::kRowsBelow), 0, 128)).ok());
    Events(card);
  }
}

TEST(SoftCardState, HoldBlankAndSlugPauseStopTheField) {
  struct Case {
    const char* name;
    Words stop;
    std::string answer;
    bool black;
    Words resume;
    std::string resume_answer;
  };
  const std::vector<Case> cases = {
      {"hold and release",
       {Command(CardCommand::kHold)},
       "Z",
       false,
       {Command(CardCommand::kHold, CardCommand::kRelease)},
       "Z"},
      {"pause at a slug line, the speed resumes",
       {Command(CardCommand::kHold, CardCommand::kSlugPause)},
       "",
       false,
       {Command(CardCommand::kSpeed, 45)},
       ""},
      {"pause at a slug line, a release resumes",
       {Command(CardCommand::kHold, CardCommand::kSlugPause)},
       "",
       false,
       {Command(CardCommand::kHold, CardCommand::kRelease)},
       "Z"},
      {"black, then a story jump stays black until a word without the blank bit",
       Join({{Command(CardCommand::kBlack, 0, true)},
             Rows(Command(CardCommand::kNewPage, 0, true), 100, card_data::kPageRows)}),
       ">>E",
       true,
       {Command(CardCommand::kNoOp)},
       ""},
  };
  for (const Case& c : cases) {
    SoftCard card;
    ASSERT_TRUE(card.Receive(Page(0, 45)).ok());
    Events(card);
    std::int64_t now = 0;
    card.OnTick(now);
    card.OnTick(now += 1000);
    ASSERT_TRUE(card.Receive(c.stop).ok()) << c.name;
    EXPECT_EQ(Events(card), c.answer) << c.name;
    EXPECT_EQ(card.blanked(), c.black) << c.name;
    if (c.black) {
      EXPECT_EQ(card.VisibleRow(0), CardRow{}) << c.name;
    }
    const double top = card.FieldTop();
    for (int i = 0; i < 100; ++i) card.OnTick(now += kTickMs);
    EXPECT_EQ(card.FieldTop(), top) << c.name;
    EXPECT_EQ(Events(card), "") << c.name;

    ASSERT_TRUE(card.Receive(c.resume).ok()) << c.name;
    EXPECT_EQ(Events(card), c.resume_answer) << c.name;
    EXPECT_FALSE(card.blanked()) << c.name;
    EXPECT_EQ(TagOf(card.VisibleRow(0)), c.black ? 100 : static_cast<int>(top)) << c.name;
    card.OnTick(now += 1000);
    EXPECT_GT(card.FieldTop(), top + 40) << c.name;
  }
}

TEST(SoftCardState, LampFollowsEveryWord) {
  SoftCard card;
  ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kNoOp, 0, false, true)}).ok());
  EXPECT_TRUE(card.lamp());
  ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kSpeed, 40)}).ok());
  EXPECT_FALSE(card.lamp());
}

TEST(SoftCardState, SetUpPlacesTheCueMarkerAboveTheStartLine) {
  struct Case {
    bool is_625;
    std::uint32_t cue_word;
    std::optional<int> cue_row;
    int visible;
    int start_offset;
  };
  const std::vector<Case> cases = {
      {true, 3 + 44, 3, 576, 70},
      {false, 3 + 34, 3, 480, 60},
      {true, 508 + 128, std::nullopt, 576, 70},
      {false, 427 + 128, std::nullopt, 480, 60},
  };
  for (const Case& c : cases) {
    // Built for the other standard: the set-up block decides.
    SoftCard card(c.is_625 ? SoftCard::Lines::k525 : SoftCard::Lines::k625);
    ASSERT_TRUE(card.Receive(Join({SetUpBlock(c.is_625, c.cue_word), Page(0)})).ok());
    EXPECT_EQ(Events(card), ">>E");
    EXPECT_EQ(card.CueRow(), c.cue_row) << c.cue_word;
    EXPECT_EQ(card.VisibleRows(), c.visible);
    // The row the engine sends the start line on is in the field from the first moment.
    EXPECT_EQ(TagOf(card.VisibleRow(c.start_offset)), c.start_offset);
  }
}

TEST(SoftCardState, CueAndInitialiseAreAnswered) {
  SoftCard card;
  ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kApplyCue), Command(CardCommand::kProbe),
                                 Command(CardCommand::kInitialise)})
                  .ok());
  EXPECT_EQ(Events(card), ">I");
  EXPECT_TRUE(card.initialised());
}

TEST(SoftCardHand, SpeedReportsAreClampedAndKeysReported) {
  const std::vector<std::pair<int, int>> speeds = {{0, 4},   {3, 4},   {4, 4},   {45, 45},
                                                   {60, 60}, {61, 60}, {255, 60}};
  for (const auto& [given, reported] : speeds) {
    SoftCard card;
    ASSERT_TRUE(card.Receive(Words{Command(CardCommand::kHold, CardCommand::kSlugPause)}).ok());
    card.HandSpeed(given);
    EXPECT_EQ(card.TakeEvents(), (Bytes{'U', static_cast<std::uint8_t>(reported)})) << given;
    EXPECT_EQ(card.speed(), reported) << given;
    EXPECT_FALSE(card.slug_paused()) << given;
  }
  SoftCard card;
  for (const auto key :
       {SoftCard::HandKey::kTop, SoftCard::HandKey::kPreviousStory, SoftCard::HandKey::kNextStory,
        SoftCard::HandKey::kFunction, SoftCard::HandKey::kBlank}) {
    card.HandPress(key);
  }
  EXPECT_EQ(Events(card), "TLJ<8");
}

}  // namespace
}  // namespace telvane::devices
