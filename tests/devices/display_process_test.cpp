// The network card against a real telvane-display process over loopback TCP: initialisation,
// scrolling at three speeds with its frame log, a display that goes away and one that comes
// back on the same port.

#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTcpServer>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings.h"
#include "devices/colour_tables.h"
#include "devices/network_card_transport.h"
#include "devices/prompt_card.h"
#include "devices/set_up_block.h"
#include "platform/qt/qt_host.h"
#include "prompt/row_encoding.h"
#include "support/temp_dir.h"

namespace telvane::devices {
namespace {

using Words = std::vector<std::uint32_t>;

std::uint16_t FreePort() {
  QTcpServer probe;
  EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  return probe.serverPort();
}

Words Rows(int first_tag, int count) {
  Words words;
  for (int i = 0; i < count; ++i) {
    std::vector<std::uint8_t> row(card_data::kRowPixels, 0);
    const int tag = first_tag + i;
    std::fill_n(row.begin(), tag % 600 + 1, static_cast<std::uint8_t>(1 + tag % 7));
    prompt::EncodeRow(row, prompt::BuildCardColourMap(), words);
  }
  return words;
}

class Display {
 public:
  Display(std::uint16_t port, const std::string& dir) {
    frame_log = dir + "frames.txt";
    screenshot = dir + "field.png";
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(TELVANE_BIN_DIR "/telvane-display"),
                   {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port),
                    QStringLiteral("--windowed"), QStringLiteral("--frame-log"),
                    QString::fromStdString(frame_log), QStringLiteral("--screenshot"),
                    QString::fromStdString(screenshot)});
    EXPECT_TRUE(process_.waitForStarted(10000));
  }
  ~Display() { Stop(); }
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) process_.kill();
    process_.waitForFinished(5000);
  }
  int exit_code() const { return process_.exitCode(); }

  std::string frame_log;
  std::string screenshot;

 private:
  QProcess process_;
};

struct FrameLine {
  std::int64_t advance;
  int speed;
};

std::vector<FrameLine> ReadFrameLog(const std::string& path) {
  std::vector<FrameLine> lines;
  std::ifstream in(path);
  std::int64_t frame = 0;
  std::int64_t advance = 0;
  std::int64_t position = 0;
  int speed = 0;
  while (in >> frame >> advance >> position >> speed) lines.push_back({advance, speed});
  return lines;
}

TEST(PresenterDisplayProcess, ScrollsEvenlyAndTheCardFollowsItAwayAndBack) {
  platform::qt::QtHost qt;
  platform::Host& host = qt.host();
  testing::TempDir dir;
  const std::uint16_t port = FreePort();
  auto display = std::make_unique<Display>(port, dir.path());

  config::Settings settings = config::Settings::Defaults(96);
  PromptCard card(host.clock, host.loop);
  card.SetSetUpSource(MakeSetUpSource(settings, CueShape{}, nullptr, nullptr));
  card.SetColourTableSource(MakeColourTableSource(settings));
  NetworkCardTransport::Options options;
  options.port = port;
  options.retry_ms = 200;
  auto owned = std::make_unique<NetworkCardTransport>(host.network, host.timers, options);
  NetworkCardTransport* transport = owned.get();
  std::vector<std::string> lost;
  int up = 0;
  transport->SetHandlers({.on_link_up = [&] { ++up; },
                          .on_link_lost = [&](const std::string& r) { lost.push_back(r); }});
  card.Open(std::move(owned));

  ASSERT_TRUE(host.loop.WaitUntil([&] { return transport->ready(); }, 15000));
  ASSERT_TRUE(card.Initialise());

  // A page, then the speeds in turn, with rows sent whenever the card asks.
  int next_tag = 0;
  ASSERT_TRUE(card.SendCommand(std::uint32_t{CardCommand::kNewPage} << 16));
  ASSERT_TRUE(card.SendData(Rows(next_tag, card_data::kPageRows)));
  next_tag += card_data::kPageRows;
  ASSERT_TRUE(card.WaitForEvent(CardEvent::kAck, 2000));
  for (const int speed : {48, 54, 60}) {
    ASSERT_TRUE(card.SendCommand(std::uint32_t{CardCommand::kSpeed} << 16 |
                                 static_cast<std::uint32_t>(speed)));
    const platform::Milliseconds end = host.clock.Now() + 1500;
    while (host.clock.Now() < end) {
      host.loop.WaitUntil([] { return false; }, 5);
      card.ReadEvents();
      while (const auto event = card.TakeEvent()) {
        if (event->code != CardEvent::kNext) continue;
        ASSERT_TRUE(card.SendCommand(std::uint32_t{CardCommand::kRowsBelow} << 16));
        ASSERT_TRUE(card.SendData(Rows(next_tag, card_data::kFillRows)));
        next_tag += card_data::kFillRows;
      }
    }
  }
  EXPECT_GT(next_tag, card_data::kPageRows);

  // The display goes away: the card hears of it once and is no longer ready.
  display->Stop();
  EXPECT_EQ(display->exit_code(), 0);
  ASSERT_TRUE(host.loop.WaitUntil([&] { return !lost.empty(); }, 10000));
  EXPECT_FALSE(transport->ready());
  EXPECT_FALSE(card.SendCommand(0));

  // Each speed's frames advance evenly, never standing still for want of rows.
  std::map<int, std::vector<std::int64_t>> by_speed;
  const std::vector<FrameLine> frames = ReadFrameLog(display->frame_log);
  for (std::size_t i = 2; i < frames.size(); ++i) {
    // The frames either side of a change of speed belong to neither.
    if (frames[i].speed != frames[i - 1].speed || frames[i].speed != frames[i - 2].speed) continue;
    by_speed[frames[i].speed].push_back(frames[i].advance);
  }
  for (const int speed : {48, 54, 60}) {
    SCOPED_TRACE(speed);
    const std::vector<std::int64_t>& advances = by_speed[speed];
    ASSERT_GT(advances.size(), 10U);
    const auto [low, high] = std::minmax_element(advances.begin(), advances.end());
    EXPECT_GT(*low, 0);
    EXPECT_LE(*high - *low, 1);
  }
  std::ifstream png(display->screenshot, std::ios::binary);
  std::string signature(8, '\0');
  png.read(signature.data(), 8);
  EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");

  // A display back on the same port: the card connects again and initialises it.
  display = std::make_unique<Display>(port, dir.path());
  ASSERT_TRUE(host.loop.WaitUntil([&] { return transport->ready(); }, 15000));
  EXPECT_EQ(up, 2);
  EXPECT_TRUE(card.Initialise());
  EXPECT_EQ(lost.size(), 1U);
}

}  // namespace
}  // namespace telvane::devices

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
