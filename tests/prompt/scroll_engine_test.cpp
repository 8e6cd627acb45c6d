#include "prompt/scroll_engine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "devices/card_event_queue.h"
#include "editor/editor_model.h"
#include "formats/loaded_script.h"
#include "prompt/prompt_page.h"
#include "prompt/prompt_simulation.h"

namespace telvane::prompt {
namespace {

using devices::CardCommand;
using devices::CardEvent;

constexpr std::uint32_t Word(std::uint8_t code, std::uint16_t argument = 0) {
  return (std::uint32_t{code} << 16) | argument;
}

// The demo script prompted on the soft card, with the whole prompted script rendered once as
// one strip of rows, so that what went to the card can be checked row for row.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    EXPECT_TRUE(script_.Read(std::string(TELVANE_SOURCE_DIR) + "/examples/demo.tvl"));
    sim_ = std::make_unique<PromptSimulation>(script_.store(), script_.settings(), script_.fonts());
    PromptPosition top{store().chain_first(), store::Segment::kA, 0};
    while (StepBack(store(), top, options())) {
    }
    origin_ = top;
    // Every segment's rows in order, ending with the last segment once.
    PromptPosition at = origin_;
    LineRaster raster;
    do {
      starts_.push_back({at.line, at.segment, static_cast<int>(strip_.size())});
      const int rows = sim_->renderer().RenderSegment(at, raster);
      for (int r = 0; r < rows; ++r) strip_.emplace_back(raster.Row(r), raster.Row(r) + kRowBytes);
    } while (StepForward(store(), at, options()));
    map_ = BuildCardColourMap();
  }

  store::ScriptStore& store() { return script_.store(); }
  const RenderOptions& options() { return sim_->render_options(); }
  ScrollEngine& engine() { return sim_->engine(); }

  int RowOf(const PromptPosition& p) const {
    for (const auto& s : starts_) {
      if (s.line == p.line && s.segment == p.segment) return s.row + p.row();
    }
    ADD_FAILURE() << "position not in the strip";
    return -1;
  }

  // The words that encode rows [first, first + count) of the strip.
  std::vector<std::uint32_t> Encoded(int first, int count) const {
    std::vector<std::uint32_t> words;
    for (int r = first; r < first + count; ++r) EncodeRow(strip_[r], map_, words);
    return words;
  }

  // The data words that followed the last command with this code in what was sent.
  std::vector<std::uint32_t> DataAfter(std::uint8_t code) const {
    const auto& sent = sim_->sent();
    for (std::size_t i = sent.size(); i-- > 0;) {
      const std::uint32_t w = sent[i];
      if (((w >> 16) & 0xFF) == code && (w >> 16) < 0x100) {
        std::vector<std::uint32_t> data;
        for (std::size_t j = i + 1; j < sent.size(); ++j) {
          const std::uint32_t mark = (sent[j] >> 16) & 0xFF;
          if (mark != 5 && mark != 6) break;
          data.push_back(sent[j]);
        }
        return data;
      }
    }
    return {};
  }

  bool SentWord(std::uint32_t word) const {
    return std::find(sim_->sent().begin(), sim_->sent().end(), word) != sim_->sent().end();
  }

  store::e_object* StoryLine(const std::string& id) {
    for (store::r_object* r = store().run_head()->next; r != store().run_end(); r = r->next) {
      if (r->story_id == id) return r->line;
    }
    return nullptr;
  }

  void StartAt(const std::string& id, int speed) {
    sim_->panel().set_speed(speed);
    engine().RequestStart(StartKind::kRestartStory, StoryLine(id));
    sim_->Run(200);
    ASSERT_TRUE(engine().prompting());
  }

  std::ostringstream err_;
  formats::LoadedScript script_{err_};
  std::unique_ptr<PromptSimulation> sim_;
  PromptPosition origin_;
  struct Start {
    const store::e_object* line;
    store::Segment segment;
    int row;
  };
  std::vector<Start> starts_;
  std::vector<std::vector<std::uint8_t>> strip_;
  CardColourMap map_{};
};

TEST_F(EngineTest, StartPutsTheStartLineSeventyRowsDownTheFirstPage) {
  sim_->panel().set_speed(kSpeedStop);
  engine().RequestStart(StartKind::kFirstStory);
  sim_->Tick();
  ASSERT_TRUE(engine().prompting());
  const int start = RowOf({StoryLine("1"), store::Segment::kA, 0});
  EXPECT_EQ(DataAfter(CardCommand::kNewPage), Encoded(start - 70, kPageRows));
  EXPECT_EQ(RowOf(engine().feed()), start - 70 + kPageRows);
  EXPECT_EQ(sim_->card().counters().refused, 0) << sim_->card().last_error();
  // The handshake: '>' releases, the release's 'Z' sends the panel's speed.
  sim_->Run(300);
  EXPECT_TRUE(SentWord(Word(CardCommand::kHold, CardCommand::kRelease)));
  EXPECT_TRUE(SentWord(Word(CardCommand::kSpeed, kSpeedStop)));
  EXPECT_FALSE(engine().card_busy());
  EXPECT_EQ(sim_->run_order().air_story()->story_id, "1");
}

TEST_F(EngineTest, RowRequestsSendTheNeighbouringRowsInBothDirections) {
  StartAt("3", 60);
  // Forward: each fill is the 128 rows just below what the card held.
  int bottom = RowOf(engine().feed());
  for (int fills = 0; fills < 3;) {
    sim_->ClearSent();
    sim_->Tick();
    if (DataAfter(CardCommand::kRowsBelow).empty()) continue;
    EXPECT_EQ(DataAfter(CardCommand::kRowsBelow), Encoded(bottom, kFillRows));
    bottom += kFillRows;
    ++fills;
  }
  // Backward: 'B' sends the rows just above the page, 'N' the rows above those.
  int top = bottom - kPageRows;
  engine().SetSpeed(4, false);
  for (int fills = 0; fills < 3;) {
    sim_->ClearSent();
    sim_->Tick();
    if (DataAfter(CardCommand::kRowsAbove).empty()) continue;
    EXPECT_EQ(DataAfter(CardCommand::kRowsAbove), Encoded(top - kFillRows, kFillRows));
    EXPECT_FALSE(engine().going_forward());
    top -= kFillRows;
    ++fills;
  }
  // Forward again: 'F' sends the rows just below the page the card now holds.
  engine().SetSpeed(60, false);
  for (;;) {
    sim_->ClearSent();
    sim_->Tick();
    if (DataAfter(CardCommand::kRowsBelow).empty()) continue;
    EXPECT_EQ(DataAfter(CardCommand::kRowsBelow), Encoded(top + kPageRows, kFillRows));
    break;
  }
  EXPECT_EQ(sim_->card().counters().stalls, 0);
  EXPECT_EQ(sim_->card().counters().refused, 0) << sim_->card().last_error();
}

TEST_F(EngineTest, OnAirStoryWalksEveryStoryInOrderWithoutAStall) {
  StartAt("1", 60);
  sim_->Run(40'000);
  std::vector<std::string> on_air;
  for (const auto& change : sim_->air_changes()) {
    if (change.entry != nullptr) on_air.push_back(change.entry->story_id);
  }
  std::vector<std::string> stories;
  for (const store::r_object* r = store().run_head()->next; r != store().run_end(); r = r->next) {
    stories.push_back(r->story_id);
  }
  EXPECT_EQ(on_air, stories);
  EXPECT_EQ(sim_->card().counters().stalls, 0);
}

TEST_F(EngineTest, EditsOnTheCardAreResentInPlaceAndEditsFarAboveAreNot) {
  StartAt("5", 45);
  sim_->Run(3000);
  const std::string on_air = sim_->run_order().air_story()->story_id;
  const std::int64_t pages = sim_->card().counters().pages;

  store::e_object* far_above = StoryLine("1")->next;
  EXPECT_FALSE(engine().UpdateNeeded(far_above));

  store::e_object* visible = const_cast<store::e_object*>(engine().on_air_line());
  ASSERT_TRUE(engine().UpdateNeeded(visible));
  const int field_top_before = static_cast<int>(sim_->card().FieldTop());
  engine().RememberFeed();
  visible->text_a += "X";
  engine().EditDone();
  sim_->ClearSent();
  sim_->Run(ScrollEngine::kUpdateMs + PromptSimulation::kTickMs);
  EXPECT_EQ(sim_->card().counters().pages, pages + 1);
  EXPECT_FALSE(DataAfter(CardCommand::kRefreshPage).empty());
  EXPECT_TRUE(DataAfter(CardCommand::kNewPage).empty());
  EXPECT_EQ(sim_->run_order().air_story()->story_id, on_air);
  // The refresh replaced the rows in place: the field did not jump.
  EXPECT_NEAR(sim_->card().FieldTop(), field_top_before, 16);
}

TEST_F(EngineTest, StoryJumpWhileBlankedSendsANewPageAndStaysBlank) {
  StartAt("2", 45);
  engine().SetBlank(true);
  sim_->Run(300);
  ASSERT_TRUE(sim_->card().blanked());
  sim_->ClearSent();
  engine().JumpToLine(StoryLine("6"));
  sim_->Run(300);
  EXPECT_TRUE(SentWord(Word(CardCommand::kNewPage) | CardCommand::kBlankBit));
  EXPECT_TRUE(sim_->card().blanked());
  sim_->Run(2000);
  EXPECT_TRUE(sim_->card().blanked());
  // Unblanked, the picture comes back on story 6.
  engine().SetBlank(false);
  sim_->Run(500);
  EXPECT_FALSE(sim_->card().blanked());
  EXPECT_EQ(sim_->run_order().air_story()->story_id, "6");
}

TEST_F(EngineTest, StopDuringAHoldWaitsForTheCardsAnswer) {
  StartAt("2", 45);
  // The card misses the hold word of a story jump: no 'Z' comes.
  bool swallow = true;
  sim_->card_filter = [&](std::span<const std::uint32_t> words) {
    return !(swallow && words.size() == 1 &&
             (words[0] & 0xFFFFFF) == Word(CardCommand::kHold, CardCommand::kHoldOn));
  };
  engine().RequestJump(StoryJump::kNext);
  sim_->Run(100);
  engine().RequestStop();
  sim_->ClearSent();
  sim_->Run(2000);
  EXPECT_TRUE(engine().prompting());
  EXPECT_FALSE(SentWord(Word(CardCommand::kNewPage)));
  // The answer arrives: the stop goes through and the idle page follows.
  swallow = false;
  const std::uint32_t hold = Word(CardCommand::kHold, CardCommand::kHoldOn);
  ASSERT_TRUE(sim_->card().Receive(std::span<const std::uint32_t>(&hold, 1)));
  sim_->Run(200);
  EXPECT_FALSE(engine().prompting());
  EXPECT_TRUE(SentWord(Word(CardCommand::kNewPage)));
  EXPECT_EQ(sim_->run_order().air_story(), nullptr);
  // The card shows the idle page: the station's lines below row 140.
  int lit = 0;
  for (int row = 140; row < sim_->card().VisibleRows(); ++row) {
    for (const std::uint8_t pixel : sim_->card().VisibleRow(row)) lit += pixel != 0 ? 1 : 0;
  }
  EXPECT_GT(lit, 1000);
}

TEST_F(EngineTest, ASilentCardTimesOutAndCanStillBeStopped) {
  StartAt("2", 45);
  sim_->card_filter = [](std::span<const std::uint32_t>) { return false; };
  engine().RequestStop();
  sim_->Run(ScrollEngine::kCardTimeoutMs - 500);
  EXPECT_TRUE(engine().prompting());
  sim_->Run(1000);
  EXPECT_FALSE(engine().prompting());
  EXPECT_EQ(engine().counters().timeouts, 1);
  EXPECT_NE(std::find(sim_->messages().begin(), sim_->messages().end(), "message 204"),
            sim_->messages().end());
}

TEST_F(EngineTest, ALostDisplayStopsPromptingAtOnce) {
  StartAt("2", 45);
  sim_->card_filter = [](std::span<const std::uint32_t>) { return false; };
  engine().CardLost();
  sim_->Run(100);
  EXPECT_FALSE(engine().prompting());
  EXPECT_EQ(sim_->run_order().air_story(), nullptr);
}

TEST_F(EngineTest, HeldOperationsNeverReplaceAPendingStop) {
  StartAt("2", 45);
  sim_->card_filter = [](std::span<const std::uint32_t>) { return false; };
  engine().RequestStop();
  engine().RequestHeldOperation(HeldOp::kSetUp);
  engine().RequestJump(StoryJump::kNext);
  sim_->Run(200);
  EXPECT_EQ(engine().held_operation(), HeldOp::kStop);
}

TEST_F(EngineTest, StartingOnAHeldBackStoryIsRefusedWithAMessage) {
  store::e_object* slug = StoryLine("4");
  slug->flags = (slug->flags & ~store::line_flag::kStatusMask) | 2;  // DROP
  engine().RequestStart(StartKind::kRestartStory, slug);
  sim_->Run(100);
  EXPECT_FALSE(engine().prompting());
  ASSERT_FALSE(sim_->messages().empty());
  EXPECT_EQ(sim_->messages().back(), "message 141");
}

// A story jump takes effect once the card is held: rows the card asks for meanwhile, and a
// re-send that falls due, still come from where the card is.
TEST_F(EngineTest, AJumpLandsOnItsTargetWhateverArrivesBeforeTheHold) {
  for (int delay = 0; delay < 1000; delay += 100) {
    sim_ = std::make_unique<PromptSimulation>(script_.store(), script_.settings(), script_.fonts());
    StartAt("3", 60);
    sim_->Run(1000 + delay);
    store::e_object* target = StoryLine("7");
    const int expect = RowOf(StartPosition(sim_->renderer(), target, 70));
    sim_->ClearSent();
    engine().JumpToLine(target);
    sim_->Run(400);
    EXPECT_EQ(DataAfter(CardCommand::kNewPage), Encoded(expect, kPageRows)) << delay;
  }
  // A re-send due while the jump waits.
  StartAt("5", 45);
  sim_->Run(3000);
  store::e_object* visible = const_cast<store::e_object*>(engine().on_air_line());
  engine().RememberFeed();
  visible->text_a += "X";
  engine().EditDone();
  sim_->Run(ScrollEngine::kUpdateMs - 50);
  store::e_object* target = StoryLine("9");
  const int expect = RowOf(StartPosition(sim_->renderer(), target, 70));
  sim_->ClearSent();
  engine().JumpToLine(target);
  sim_->Run(600);
  EXPECT_EQ(DataAfter(CardCommand::kNewPage), Encoded(expect, kPageRows));
  EXPECT_EQ(sim_->run_order().air_story()->story_id, "9");
}

TEST_F(EngineTest, ReleasesAreAnsweredBeforeTheNextHold) {
  // The start's release is answered late: no hold goes out before its 'Z', so that 'Z'
  // cannot be taken for a hold's, and the jump asked for after it works.
  sim_->panel().set_speed(45);
  const std::uint32_t release = Word(CardCommand::kHold, CardCommand::kRelease);
  bool swallowed = false;
  sim_->card_filter = [&](std::span<const std::uint32_t> words) {
    if (words.size() == 1 && (words[0] & 0xFFFFFF) == release && !swallowed) {
      swallowed = true;
      return false;
    }
    return true;
  };
  engine().RequestStart(StartKind::kRestartStory, StoryLine("2"));
  for (int i = 0; i < 20 && !swallowed; ++i) sim_->Tick();
  ASSERT_TRUE(swallowed);
  sim_->ClearSent();
  engine().RequestJump(StoryJump::kNext);
  sim_->Run(500);
  EXPECT_EQ(engine().hold_state(), 5);
  EXPECT_FALSE(SentWord(Word(CardCommand::kHold, CardCommand::kHoldOn)));
  ASSERT_TRUE(sim_->card().Receive(std::span<const std::uint32_t>(&release, 1)));
  sim_->Run(200);
  EXPECT_EQ(engine().hold_state(), 0);
  EXPECT_FALSE(sim_->card().held());
  engine().RequestJump(StoryJump::kNext);
  sim_->Run(1000);
  EXPECT_EQ(sim_->run_order().air_story()->story_id, "3");
  EXPECT_FALSE(sim_->card().held());

  // A stop while a release is on its way holds the card before the idle page.
  engine().JumpToLine(StoryLine("5"));
  for (int i = 0; i < 40 && engine().hold_state() != 5; ++i) sim_->Tick();
  ASSERT_EQ(engine().hold_state(), 5);
  engine().RequestStop();
  sim_->Run(1000);
  EXPECT_FALSE(engine().prompting());
  const double top = sim_->card().FieldTop();
  sim_->Run(1000);
  EXPECT_EQ(sim_->card().FieldTop(), top);
}

TEST_F(EngineTest, AHandControllerWithoutASpeedDoesNotSetOne) {
  StartAt("2", 45);
  sim_->prompt_card().queue().Push({CardEvent::kSpeed, 0});
  sim_->Run(100);
  EXPECT_EQ(engine().speed(), 45);
  sim_->ClearSent();
  engine().JumpToLine(StoryLine("5"));
  sim_->Run(500);
  EXPECT_FALSE(SentWord(Word(CardCommand::kSpeed, 4)));
}

TEST_F(EngineTest, DroppingTheStoryOnAirMovesThePromptOn) {
  StartAt("5", 30);
  sim_->Run(500);
  ASSERT_EQ(sim_->run_order().air_story()->story_id, "5");
  store::e_object* slug = StoryLine("5");
  engine().RememberFeed();
  slug->flags = (slug->flags & ~store::line_flag::kStatusMask) | 2;  // DROP
  engine().EditDone();
  sim_->Run(1000);
  EXPECT_EQ(sim_->run_order().air_story()->story_id, "6");
}

// "Disable On Air Edit": the editor refuses to type into the story the card shows, and
// types into the others, which the engine then re-sends when they are on the card.
TEST_F(EngineTest, OnAirStoryIsProtectedFromEditsWhenAsked) {
  class OnAir : public editor::PromptEditHooks {
   public:
    OnAir(ScrollEngine& engine, runorder::RunOrder& run_order)
        : engine_(engine), run_order_(run_order) {}
    const store::r_object* OnAirStory() const override { return run_order_.air_story(); }
    void RememberFeed() override { engine_.RememberFeed(); }
    void FeedChanged() override { engine_.EditDone(); }

   private:
    ScrollEngine& engine_;
    runorder::RunOrder& run_order_;
  } hooks(engine(), sim_->run_order());
  editor::StoreRunOrderEdits entries(store());
  editor::EditorModel model(store(), entries, hooks);
  editor::EditorOptions options;
  options.disable_on_air_edit = true;
  model.SetOptions(options);

  StartAt("4", 45);
  ASSERT_EQ(sim_->run_order().air_story()->story_id, "4");
  store::e_object* on_air = StoryLine("4")->next;
  const std::string before = on_air->text_a;
  model.PlaceCaret(0, 0);
  store().current_line() = on_air;
  model.KeyPress('Z');
  EXPECT_EQ(on_air->text_a, before);

  store::e_object* other = StoryLine("7")->next;
  store().current_line() = other;
  store().caret_column = 0;
  model.KeyPress('Z');
  EXPECT_EQ(other->text_a.front(), 'Z');
}

TEST(CardEventQueueTest, SevenRowRequestsInARowCollapse) {
  const struct {
    std::string arrived;
    std::string left;
  } cases[] = {
      {"NNNNNN", "NNNNNN"},      // six are still a backlog worth filling
      {"NNNNNNN", ""},           // seven are dropped
      {">NNNNNNN", ">"},         // an awaited answer at the front stays
      {"N>NNNNNN", ""},          // a '>' among them goes with them
      {"NNNJNNNN", "NNNJNNNN"},  // another event between them stops the scan
      {"NNNNNNNN", "N"},         // the eighth is a new request
      {">>Z>>", ">Z>"},          // no second '>' in a row
  };
  for (const auto& c : cases) {
    devices::CardEventQueue queue;
    for (char code : c.arrived) queue.Push({code});
    std::string left;
    while (auto event = queue.Take()) left += event->code;
    EXPECT_EQ(left, c.left) << c.arrived;
  }
}

}  // namespace
}  // namespace telvane::prompt
