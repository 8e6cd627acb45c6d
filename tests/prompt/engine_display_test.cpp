// The scroll engine prompting the demo script on a real telvane-display process over loopback
// TCP, on real time: start, fills, a story jump, stop, and a display that goes away.

#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTcpServer>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings_keys.h"
#include "devices/colour_tables.h"
#include "devices/prompt_output.h"
#include "devices/set_up_block.h"
#include "formats/loaded_script.h"
#include "platform/qt/qt_host.h"
#include "prompt/prompt_simulation.h"
#include "prompt/scroll_engine.h"
#include "runorder/run_order.h"

namespace telvane::prompt {
namespace {

using config::Key;

class Reporter : public devices::OutputReporter {
 public:
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowMessage(int number, platform::BoxKind) override { messages.push_back(number); }
  std::vector<std::string> statuses;
  std::vector<int> messages;
};

class Air : public runorder::RunOrderObserver {
 public:
  void AirStoryChanged(store::r_object* entry, bool changed) override {
    if (changed && entry != nullptr) stories.push_back(entry->story_id);
  }
  std::vector<std::string> stories;
};

TEST(EngineOnDisplay, PromptsTheDemoOverTheNetworkCard) {
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  const std::uint16_t port = probe.serverPort();
  probe.close();
  QProcess display;
  display.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  display.start(QStringLiteral(TELVANE_BIN_DIR "/telvane-display"),
                {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port),
                 QStringLiteral("--windowed")});
  ASSERT_TRUE(display.waitForStarted(10000));

  platform::qt::QtHost qt;
  platform::Host& host = qt.host();
  std::ostringstream err;
  formats::LoadedScript script(err);
  ASSERT_TRUE(script.Read(std::string(TELVANE_SOURCE_DIR) + "/examples/demo.tvl"));
  config::Settings& settings = script.settings();
  settings.SetInt(Key::kPresenterDisplayOutput, 1);
  settings.SetInt(Key::kPresenterDisplayPort, port);

  Air air;
  runorder::RunOrderDialogs dialogs;
  runorder::RunOrder run_order(script.store(), air, dialogs);
  const RenderOptions options = RenderOptionsFrom(settings);
  const PromptRenderer renderer(script.store(), script.fonts(), options);
  devices::PromptCard card(host.clock, host.loop);
  Reporter reporter;
  ScrollEngineView view;
  ScrollEngine engine(script.store(), run_order, renderer, card, host.clock, host.timers, view);
  engine.options() = EngineOptionsFrom(settings);
  FixedSpeedPanel panel(60);
  engine.SetSpeedPanel(&panel);
  card.SetSetUpSource(devices::MakeSetUpSource(
      settings, devices::CueShape{}, [&] { return engine.prompting(); },
      [] { return devices::BandRect{}; }));
  card.SetColourTableSource(devices::MakeColourTableSource(settings));
  devices::PromptOutput output(card, settings, host, reporter);
  output.SetLinkHandlers([&](const std::string&) { engine.CardLost(); }, [] {});

  // The display takes a moment to listen; the output connects when it does.
  ASSERT_TRUE(output.Open());
  const auto service = host.timers.CreateTimer([&] {
    output.Service();
    engine.ServiceCycle();
  });
  service->Start(50);
  ASSERT_TRUE(host.loop.WaitUntil([&] { return card.transport()->ready(); }, 10000));
  host.loop.WaitUntil([] { return false; }, 300);

  engine.RequestStart(StartKind::kFirstStory);
  ASSERT_TRUE(host.loop.WaitUntil([&] { return engine.counters().fills >= 3; }, 15000))
      << "fills " << engine.counters().fills;
  EXPECT_TRUE(engine.prompting());
  ASSERT_FALSE(air.stories.empty());
  EXPECT_EQ(air.stories.front(), "1");

  store::e_object* story6 = runorder::FindStory(script.store(), "6", "", false)->line;
  engine.JumpToLine(story6);
  EXPECT_TRUE(host.loop.WaitUntil(
      [&] { return run_order.air_story() != nullptr && run_order.air_story()->story_id == "6"; },
      5000));

  engine.RequestStop();
  EXPECT_TRUE(host.loop.WaitUntil([&] { return !engine.prompting(); }, 5000));

  // Prompting again, then the display goes away: prompting stops at once.
  engine.RequestStart(StartKind::kFirstStory);
  ASSERT_TRUE(host.loop.WaitUntil([&] { return engine.prompting(); }, 5000));
  display.kill();
  display.waitForFinished(5000);
  EXPECT_TRUE(host.loop.WaitUntil([&] { return !engine.prompting(); }, 5000));
  EXPECT_FALSE(reporter.statuses.empty());
  service->Stop();
}

}  // namespace
}  // namespace telvane::prompt

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
