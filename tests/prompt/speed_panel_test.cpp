#include "prompt/speed_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace telvane::prompt {
namespace {

using config::Key;
using Calls = std::vector<std::string>;

// Records what the panel asks; pause and speed behave as the scroll engine's do.
class FakeEngine : public SpeedEngine {
 public:
  bool prompting() const override { return prompting_; }
  bool paused() const override { return paused_; }
  int speed() const override { return speed_; }
  void SetSpeed(int speed, bool jump_variant) override {
    speed_ = speed;
    calls.push_back(jump_variant ? "speed jump" : "speed " + std::to_string(speed));
  }
  void SetPaused(bool paused) override {
    if (paused) {
      remembered_ = speed_;
      speed_ = kSpeedStop;
    } else {
      speed_ = remembered_;
    }
    paused_ = paused;
    calls.push_back(paused ? "pause on" : "pause off");
  }
  void ReleaseHeld() override { calls.push_back("release"); }
  void ClearPause() override {
    paused_ = false;
    calls.push_back("clear pause");
  }
  void RequestJump(StoryJump jump) override {
    calls.push_back(jump == StoryJump::kTop        ? "jump top"
                    : jump == StoryJump::kPrevious ? "jump previous"
                                                   : "jump next");
  }
  void StopPrompting() override { calls.push_back("stop prompting"); }
  void MoveCue(bool up) override { calls.push_back(up ? "cue up" : "cue down"); }

  bool prompting_ = false;
  bool paused_ = false;
  int speed_ = kSpeedStop;
  int remembered_ = kSpeedStop;
  Calls calls;
};

class SpeedPanelTest : public ::testing::Test {
 protected:
  SpeedPanel Open() { return SpeedPanel(engine, settings, {"STOP", "PAUSE"}); }
  // A panel open while prompting at the given speed, with the calls so far forgotten.
  SpeedPanel Prompting(int speed) {
    engine.prompting_ = true;
    engine.speed_ = speed;
    SpeedPanel panel = Open();
    engine.calls.clear();
    return panel;
  }

  config::Settings settings = config::Settings::Defaults(96);
  FakeEngine engine;
};

TEST_F(SpeedPanelTest, ScrollerGivesSpeedAndRate) {
  struct Case {
    bool mirrored;
    int position;
    int speed;
    const char* rate;
  };
  const Case cases[] = {
      {false, 32, 32, "STOP"}, {true, 32, 32, "STOP"},  {true, 4, 60, "25"},
      {true, 60, 4, "-25"},    {false, 4, 4, "-25"},    {false, 60, 60, "25"},
      {false, 29, 29, "STOP"}, {false, 35, 35, "STOP"}, {false, 36, 36, "1"},
      {false, 28, 28, "-1"},   {false, 0, 4, "-25"},    {false, 99, 60, "25"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mirrored " << c.mirrored << " at " << c.position);
    SpeedPanel panel = Prompting(kSpeedStop);
    panel.DirectionToggled(c.mirrored);
    panel.ScrollerMoved(c.position);
    EXPECT_EQ(engine.speed_, c.speed);
    EXPECT_EQ(panel.ScrollerSpeed(), c.speed);
    EXPECT_EQ(panel.rate_text(), c.rate);
  }
  for (int speed = 29; speed <= 35; ++speed) EXPECT_EQ(RateText(speed, "STOP"), "STOP");
}

TEST_F(SpeedPanelTest, PauseAndStop) {
  // The engine's remembered speed comes back; the panel does not replace it with its own.
  SpeedPanel panel = Prompting(45);
  panel.PauseToggled(true);
  EXPECT_TRUE(engine.paused_);
  EXPECT_TRUE(panel.pause_down());
  EXPECT_EQ(panel.rate_text(), "PAUSE");
  panel.KeyPressed(PanelKey::kRight, KeyModifiers::kNone);
  EXPECT_EQ(engine.calls, (Calls{"pause on", "pause off"}));
  EXPECT_EQ(engine.speed_, 45);
  EXPECT_FALSE(panel.pause_down());
  EXPECT_EQ(panel.rate_text(), "10");

  // Started without the panel, the card kept its own speed (0): resuming goes to stop, not 0.
  SpeedPanel zero = Prompting(0);
  EXPECT_EQ(zero.position(), kSpeedStop);
  zero.KeyPressed(PanelKey::kLeft, KeyModifiers::kNone);
  zero.PauseToggled(false);
  EXPECT_EQ(engine.calls, (Calls{"pause on", "pause off", "speed 32"}));
  EXPECT_EQ(engine.speed_, kSpeedStop);
  EXPECT_EQ(zero.rate_text(), "STOP");

  // Stop while paused ends the pause at stop, the scroller at 32 even when mirrored.
  SpeedPanel stopped = Prompting(50);
  stopped.DirectionToggled(true);
  stopped.PauseToggled(true);
  engine.calls.clear();
  stopped.Stop();
  EXPECT_EQ(engine.calls, (Calls{"clear pause", "speed 32"}));
  EXPECT_FALSE(engine.paused_);
  EXPECT_EQ(stopped.position(), kSpeedStop);
  EXPECT_FALSE(stopped.pause_down());
  EXPECT_EQ(stopped.rate_text(), "STOP");
}

TEST_F(SpeedPanelTest, ScrollerWhilePausedEndsThePause) {
  // Released only when a hand controller had the speed; the panel always takes control.
  for (const bool hand_had_control : {false, true}) {
    SCOPED_TRACE(hand_had_control);
    SpeedPanel panel = Prompting(40);
    if (hand_had_control) panel.HandSpeedReported(44);
    panel.PauseToggled(true);
    engine.calls.clear();
    panel.ScrollerMoved(50);
    const Calls expected = hand_had_control ? Calls{"release", "clear pause", "speed 50"}
                                            : Calls{"clear pause", "speed 50"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_TRUE(panel.has_control());
    EXPECT_FALSE(panel.pause_down());
    EXPECT_EQ(panel.rate_text(), "15");
  }
}

TEST_F(SpeedPanelTest, KeyTable) {
  struct Case {
    PanelKey key;
    KeyModifiers modifiers;
    bool prompting;
    bool paused;
    Calls calls;
  };
  using K = PanelKey;
  using M = KeyModifiers;
  const Case cases[] = {
      {K::kPageUp, M::kNone, true, false, {"speed jump", "jump previous"}},
      {K::kPageUp, M::kCtrl, true, false, {"speed jump", "jump top"}},
      {K::kPageUp, M::kShift, true, false, {}},
      {K::kPageDown, M::kNone, true, false, {"speed jump", "jump next"}},
      {K::kPageDown, M::kCtrl, true, false, {}},
      {K::kHome, M::kNone, true, false, {"speed jump", "jump top"}},
      {K::kHome, M::kShiftCtrl, true, false, {}},
      {K::kLeft, M::kNone, true, false, {"pause on"}},
      {K::kLeft, M::kNone, true, true, {}},
      {K::kRight, M::kNone, true, true, {"pause off"}},
      {K::kRight, M::kNone, true, false, {}},
      {K::kUp, M::kNone, true, false, {"speed 37"}},
      {K::kDown, M::kNone, true, false, {"speed 43"}},
      {K::kDown, M::kAlt, true, false, {}},
      {K::kEnd, M::kNone, true, false, {}},
      {K::kUp, M::kNone, false, false, {}},
      {K::kDown, M::kNone, false, false, {}},
      {K::kLeft, M::kNone, false, false, {}},
      {K::kPageUp, M::kNone, false, false, {}},
      {K::kHome, M::kNone, false, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "key " << static_cast<int>(c.key) << " modifiers "
                                      << static_cast<int>(c.modifiers) << " prompting "
                                      << c.prompting << " paused " << c.paused);
    engine.paused_ = c.paused;
    SpeedPanel panel = Prompting(40);
    panel.PromptingChanged(c.prompting);
    panel.KeyPressed(c.key, c.modifiers);
    EXPECT_EQ(engine.calls, c.calls);
  }

  // End stops on release; the step follows "Speed Increment", reverses with the direction and
  // ends at the scroller's ends.
  settings.SetInt(Key::kSpeedSpeedIncrement, 5);
  SpeedPanel panel = Prompting(40);
  panel.KeyReleased(PanelKey::kEnd, KeyModifiers::kNone);
  EXPECT_EQ(engine.calls, Calls{"speed 32"});
  panel.DirectionToggled(true);
  panel.KeyPressed(PanelKey::kUp, KeyModifiers::kNone);
  EXPECT_EQ(engine.speed_, 37);
  for (int i = 0; i < 10; ++i) panel.KeyPressed(PanelKey::kUp, KeyModifiers::kNone);
  EXPECT_EQ(panel.position(), kSpeedMin);
  EXPECT_EQ(engine.speed_, kSpeedMax);

  EXPECT_EQ(ReduceModifiers(false, false, false), KeyModifiers::kNone);
  EXPECT_EQ(ReduceModifiers(true, true, false), KeyModifiers::kShiftCtrl);
  EXPECT_EQ(ReduceModifiers(false, false, true), KeyModifiers::kAlt);
  EXPECT_EQ(ReduceModifiers(false, true, true), KeyModifiers::kOther);
}

TEST_F(SpeedPanelTest, ButtonsActOnlyWhilePrompting) {
  SpeedPanel panel = Open();
  panel.Jump(StoryJump::kNext);
  panel.Stop();
  panel.PauseToggled(true);
  panel.MoveCue(true);
  EXPECT_EQ(engine.calls, (Calls{"cue up"}));
  EXPECT_FALSE(panel.pause_down());
  EXPECT_FALSE(panel.buttons_enabled());
  EXPECT_EQ(panel.panel_colour(), SpeedPanel::kButtonFace);
  EXPECT_EQ(panel.pad_colour(), SpeedPanel::kPadIdle);

  settings.SetInt(Key::kColorsSpeedB, 0x123456);
  engine.prompting_ = true;
  panel.PromptingChanged(true);
  EXPECT_TRUE(panel.buttons_enabled());
  EXPECT_EQ(panel.panel_colour(), 0x123456u);
  EXPECT_EQ(panel.pad_colour(), SpeedPanel::kPadActive);
  panel.PauseToggled(true);
  EXPECT_TRUE(panel.pause_down());
  // Prompting ends with the pause: the button comes up and the rate shows again.
  engine.paused_ = false;
  engine.prompting_ = false;
  panel.PromptingChanged(false);
  EXPECT_FALSE(panel.pause_down());
  EXPECT_EQ(panel.rate_text(), "STOP");
  EXPECT_EQ(panel.panel_colour(), SpeedPanel::kButtonFace);
}

TEST_F(SpeedPanelTest, HandControllerSharesTheSpeed) {
  struct Case {
    const char* name;
    bool restart;  // prompting starts after the panel opened at 40
    std::vector<int> reports;
    bool panel_has_control;
    int position;
  };
  const Case cases[] = {
      {"repeats the speed the panel opened at", false, {40, 40, 40}, true, 40},
      {"repeats its first report", true, {45, 45}, true, 40},
      {"a zero first report is not a speed", true, {0, 45, 45}, true, 40},
      {"changes speed", true, {45, 50}, false, 50},
      {"changes from the opening speed", false, {20}, false, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SpeedPanel panel = Prompting(40);
    if (c.restart) panel.PromptingChanged(true);
    for (int speed : c.reports) panel.HandSpeedReported(speed);
    EXPECT_EQ(panel.has_control(), c.panel_has_control);
    EXPECT_EQ(panel.position(), c.position);
    EXPECT_EQ(engine.calls, Calls{});
  }

  // The operator takes the speed back with the scroller; a paused panel does not follow.
  SpeedPanel panel = Prompting(40);
  panel.HandSpeedReported(50);
  EXPECT_EQ(panel.rate_text(), "15");
  panel.ScrollerMoved(36);
  EXPECT_TRUE(panel.has_control());
  panel.HandSpeedReported(50);
  EXPECT_TRUE(panel.has_control());
  panel.HandSpeedReported(55);
  EXPECT_FALSE(panel.has_control());
  EXPECT_EQ(panel.position(), 55);
  panel.PauseToggled(true);
  panel.HandSpeedReported(20);
  EXPECT_EQ(panel.position(), 55);
  EXPECT_EQ(panel.rate_text(), "PAUSE");
}

TEST_F(SpeedPanelTest, MousePad) {
  struct Case {
    int y;
    int height;
    bool latched;
    bool prompting;
    Calls calls;
  };
  const Case cases[] = {
      {0, 100, true, true, {"speed 4"}},
      {50, 100, true, true, {"speed 32"}},
      {99, 100, true, true, {"speed 59"}},
      {100, 100, true, true, {"speed 60"}},
      {-20, 100, true, true, {"speed 4"}},
      {180, 100, true, true, {"speed 60"}},
      {50, 0, true, true, {}},
      {50, 100, false, true, {}},
      {50, 100, true, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "y " << c.y << " of " << c.height);
    SpeedPanel panel = Prompting(40);
    panel.LatchToggled(c.latched);
    panel.PromptingChanged(c.prompting);
    panel.PadMoved(c.y, c.height);
    EXPECT_EQ(engine.calls, c.calls);
  }
}

TEST_F(SpeedPanelTest, OpensFromTheConfigurationAndClosesCleanly) {
  settings.SetBool(Key::kSpeedSpeedReverse, true);
  settings.SetBool(Key::kSpeedScrollPanel, true);
  engine.paused_ = true;
  SpeedPanel panel = Prompting(40);
  EXPECT_TRUE(panel.mirrored());
  EXPECT_TRUE(panel.latched());
  EXPECT_EQ(panel.position(), 24);
  EXPECT_EQ(panel.ScrollerSpeed(), 40);
  EXPECT_TRUE(panel.pause_down());
  EXPECT_EQ(panel.rate_text(), "PAUSE");
  EXPECT_TRUE(panel.open());
  EXPECT_TRUE(panel.has_control());

  const SpeedPanelLayout natural = LayOutSpeedPanel(96, 0, 0);
  EXPECT_EQ(panel.Place(96), (PanelRect{0, 263, natural.min_width, natural.min_height}));
  panel.RememberPlace({10, 20, 300, 400});
  EXPECT_EQ(panel.Place(96), (PanelRect{10, 20, 300, 400}));
  panel.DirectionToggled(false);
  panel.LatchToggled(false);
  EXPECT_FALSE(settings.Bool(Key::kSpeedSpeedReverse));
  EXPECT_FALSE(settings.Bool(Key::kSpeedScrollPanel));
  config::Settings at_120 = config::Settings::Defaults(120);
  EXPECT_EQ(SpeedPanel(engine, at_120, {}).Place(120).y, 405);

  // A pause made elsewhere outlives the panel; one made here ends, leaving the prompt at stop.
  panel.Close();
  EXPECT_FALSE(panel.open());
  EXPECT_EQ(engine.calls, Calls{});
  SpeedPanel own = Prompting(40);
  engine.paused_ = false;
  own.PauseChanged(false);
  own.PauseToggled(true);
  own.Close();
  own.Close();
  EXPECT_EQ(engine.calls, (Calls{"pause on", "clear pause"}));
  EXPECT_EQ(engine.speed_, kSpeedStop);
}

TEST_F(SpeedPanelTest, LayoutAtBothResolutions) {
  struct Case {
    int pixels_per_inch;
    int scroller;
    int rate;
    int spacing;
  };
  for (const Case& c : {Case{96, 42, 64, 4}, Case{120, 48, 72, 8}}) {
    SCOPED_TRACE(c.pixels_per_inch);
    const int height = 400;
    const SpeedPanelLayout l = LayOutSpeedPanel(c.pixels_per_inch, 250, height);
    EXPECT_EQ(l.scroller.width, c.scroller);
    EXPECT_EQ(l.rate.width, c.rate);
    EXPECT_EQ(l.scroller.y, c.spacing);
    EXPECT_EQ(l.scroller.height, height - 2 * c.spacing);
    // Five buttons in a column at the left, the scroller beside them.
    for (std::size_t i = 0; i < l.buttons.size(); ++i) {
      EXPECT_EQ(l.buttons[i].x, c.spacing);
      if (i > 0) {
        EXPECT_EQ(l.buttons[i].y, l.buttons[i - 1].y + l.buttons[i - 1].height + c.spacing);
      }
    }
    EXPECT_EQ(l.scroller.x, l.buttons[0].x + l.buttons[0].width + c.spacing);
    // The right-hand column, top down: cue up, cue down, rate, direction, latch.
    const PanelRect column[] = {l.cue_up, l.cue_down, l.rate, l.direction, l.latch};
    for (std::size_t i = 0; i < std::size(column); ++i) {
      EXPECT_EQ(column[i].x, l.scroller.x + l.scroller.width + c.spacing);
      EXPECT_EQ(column[i].width, c.rate);
      if (i > 0) {
        EXPECT_EQ(column[i].y, column[i - 1].y + column[i - 1].height + c.spacing);
      }
    }
    EXPECT_EQ(l.right_panel.x + l.right_panel.width, 250);
    EXPECT_EQ(l.centre_panel.x, l.left_panel.width);
    EXPECT_EQ(l.right_panel.x, l.centre_panel.x + l.centre_panel.width);

    // The smallest area still holds both columns with their spacing.
    const SpeedPanelLayout small = LayOutSpeedPanel(c.pixels_per_inch, 10, 10);
    EXPECT_EQ(small.latch.x + small.latch.width + c.spacing, small.min_width);
    EXPECT_LE(small.latch.y + small.latch.height + c.spacing, small.min_height);
    EXPECT_LE(small.buttons[4].y + small.buttons[4].height + c.spacing, small.min_height);
    EXPECT_EQ(small.scroller.height, small.min_height - 2 * c.spacing);
  }
}

}  // namespace
}  // namespace telvane::prompt
