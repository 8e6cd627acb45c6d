// The prompt control window under the offscreen platform: keys, buttons, the scroller and the
// mouse pad reach the engine, and the window shows what the panel holds.

#include "prompt/ui/prompt_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QToolButton>
#include <sstream>
#include <string>
#include <vector>

#include "formats/loaded_script.h"
#include "prompt/prompt_simulation.h"

namespace telvane::ui {
namespace {

using config::Key;
using prompt::kSpeedStop;
using prompt::StoryJump;

class FakeEngine : public prompt::SpeedEngine {
 public:
  bool prompting() const override { return prompting_; }
  bool paused() const override { return paused_; }
  int speed() const override { return speed_; }
  void SetSpeed(int speed, bool) override { speed_ = speed; }
  void SetPaused(bool paused) override {
    if (paused) remembered_ = speed_;
    speed_ = paused ? kSpeedStop : remembered_;
    paused_ = paused;
  }
  void ReleaseHeld() override {}
  void ClearPause() override { paused_ = false; }
  void RequestJump(StoryJump jump) override { jumps.push_back(jump); }
  void StopPrompting() override {}
  void MoveCue(bool up) override { cue_moves += up ? -1 : 1; }

  bool prompting_ = true;
  bool paused_ = false;
  int speed_ = 40;
  int remembered_ = kSpeedStop;
  std::vector<StoryJump> jumps;
  int cue_moves = 0;
};

class PromptControlTest : public ::testing::Test {
 protected:
  PromptControlTest() {
    settings.SetInt(Key::kColorsSpeedB, 0x00FFFF);
    PromptControlHints hints;
    hints.pause = "Pause";
    window = new TPromptControl(std::make_unique<prompt::SpeedPanel>(
                                    engine, settings, prompt::SpeedPanelTexts{"STOP", "PAUSE"}),
                                hints, 96);
    window->show();
  }
  ~PromptControlTest() override { delete window; }

  void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(window, &release);
  }
  template <typename T>
  T* Child(const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Rate() { return Child<QLabel>("RatePanel")->text(); }

  config::Settings settings = config::Settings::Defaults(96);
  FakeEngine engine;
  QPointer<TPromptControl> window;
};

TEST_F(PromptControlTest, KeysAndButtonsSteerTheEngine) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Prompt Control"));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  auto* bar = Child<QScrollBar>("SpeedBar");
  EXPECT_EQ(bar->minimum(), 4);
  EXPECT_EQ(bar->maximum(), 60);
  EXPECT_EQ(bar->pageStep(), 10);
  EXPECT_EQ(bar->value(), 40);
  EXPECT_EQ(Rate(), QStringLiteral("5"));
  EXPECT_EQ(Child<QWidget>("LeftPanel")->palette().color(QPalette::Window), QColor(Qt::yellow));
  const QString shot = qEnvironmentVariable("TELVANE_PROMPT_CONTROL_SHOT");
  if (!shot.isEmpty()) window->grab().save(shot);

  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  EXPECT_EQ(engine.speed_, 46);
  EXPECT_EQ(bar->value(), 46);
  EXPECT_EQ(Rate(), QStringLiteral("11"));
  Press(Qt::Key_PageDown);
  Press(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(engine.jumps, (std::vector<StoryJump>{StoryJump::kNext, StoryJump::kTop}));

  Press(Qt::Key_Left);
  EXPECT_TRUE(engine.paused_);
  EXPECT_TRUE(Child<QToolButton>("PauseBtn")->isChecked());
  EXPECT_EQ(Child<QToolButton>("PauseBtn")->toolTip(), QStringLiteral("Pause"));
  EXPECT_EQ(Rate(), QStringLiteral("PAUSE"));
  Child<QToolButton>("PauseBtn")->click();
  EXPECT_FALSE(engine.paused_);
  EXPECT_EQ(engine.speed_, 46);
  Press(Qt::Key_End);
  EXPECT_EQ(engine.speed_, kSpeedStop);
  EXPECT_EQ(Rate(), QStringLiteral("STOP"));

  // The operator drags the scroller; the direction button mirrors the next change.
  Child<QToolButton>("DirectionBtn")->click();
  EXPECT_TRUE(settings.Bool(Key::kSpeedSpeedReverse));
  bar->setValue(14);
  EXPECT_EQ(engine.speed_, 50);
  Child<QToolButton>("CueUpBtn")->click();
  EXPECT_EQ(engine.cue_moves, -1);

  // Prompting ends: arrow keys do nothing and the buttons are disabled.
  engine.prompting_ = false;
  window->panel().PromptingChanged(false);
  Press(Qt::Key_Down);
  Press(Qt::Key_Home);
  EXPECT_EQ(engine.speed_, 50);
  EXPECT_EQ(engine.jumps.size(), 2u);
  EXPECT_FALSE(Child<QToolButton>("TopBtn")->isEnabled());
  EXPECT_NE(Child<QWidget>("LeftPanel")->palette().color(QPalette::Window), QColor(Qt::yellow));
}

TEST_F(PromptControlTest, LatchShowsTheMousePadInTheScrollersPlace) {
  auto* bar = Child<QScrollBar>("SpeedBar");
  auto* pad = Child<QWidget>("MousePad");
  EXPECT_FALSE(pad->isVisible());
  Child<QToolButton>("LatchBtn")->click();
  EXPECT_TRUE(settings.Bool(Key::kSpeedScrollPanel));
  EXPECT_TRUE(pad->isVisible());
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(pad->geometry(), bar->geometry());
  window->resize(window->width(), 400);
  EXPECT_EQ(pad->geometry(), bar->geometry());
  EXPECT_EQ(pad->height(), 400 - 8);

  QMouseEvent move(QEvent::MouseMove, QPointF(5, pad->height()), QPointF(), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(pad, &move);
  EXPECT_EQ(engine.speed_, 60);
  EXPECT_EQ(Rate(), QStringLiteral("25"));
}

TEST_F(PromptControlTest, ClosingTellsTheOwnerAndKeepsThePlace) {
  bool closed = false;
  QObject::connect(window, &TPromptControl::Closed, [&] { closed = true; });
  window->move(30, 50);
  window->resize(200, 300);
  Press(Qt::Key_Left);
  window->close();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(window->panel().open());
  // The pause made from the panel ends with it, the prompt left at stop.
  EXPECT_FALSE(engine.paused_);
  EXPECT_EQ(engine.speed_, kSpeedStop);
  EXPECT_EQ(settings.Int(Key::kSpeedLeft), 30);
  EXPECT_EQ(settings.Int(Key::kSpeedTop), 50);
  EXPECT_EQ(settings.Int(Key::kSpeedWidth), 200);
  EXPECT_EQ(settings.Int(Key::kSpeedHeight), 300);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

// The panel over the real engine: its keys become the speed word the soft card runs at.
TEST(PromptControlOnTheCard, ArrowKeysSendTheSpeedToTheCard) {
  std::ostringstream err;
  formats::LoadedScript script(err);
  ASSERT_TRUE(script.Read(std::string(TELVANE_SOURCE_DIR) + "/examples/demo.tvl"));
  prompt::PromptSimulation sim(script.store(), script.settings(), script.fonts());
  prompt::ScrollEngine& engine = sim.engine();
  auto* window =
      new TPromptControl(std::make_unique<prompt::SpeedPanel>(
                             engine, script.settings(), prompt::SpeedPanelTexts{"STOP", "PAUSE"}),
                         PromptControlHints{}, 96);
  window->show();
  engine.SetSpeedPanel(&window->panel());
  engine.RequestStart(prompt::StartKind::kFirstStory);
  sim.Run(500);
  ASSERT_TRUE(engine.prompting());
  EXPECT_EQ(sim.card().speed(), kSpeedStop);

  sim.ClearSent();
  for (int i = 0; i < 5; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
  }
  sim.Run(100);
  const std::uint32_t speed_word = (std::uint32_t{devices::CardCommand::kSpeed} << 16) | 47;
  EXPECT_NE(std::find(sim.sent().begin(), sim.sent().end(), speed_word), sim.sent().end());
  EXPECT_EQ(sim.card().speed(), 47);
  const double top = sim.card().FieldTop();
  sim.Run(2000);
  EXPECT_GT(sim.card().FieldTop(), top);

  window->findChild<QToolButton*>(QStringLiteral("LatchBtn"))->click();
  const QString shot = qEnvironmentVariable("TELVANE_PROMPT_CONTROL_SHOT");
  if (!shot.isEmpty()) window->grab().save(shot);
  engine.SetSpeedPanel(nullptr);
  delete window;
}

}  // namespace
}  // namespace telvane::ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
