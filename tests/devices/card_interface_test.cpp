// The card interface around the soft card: colour tables, the event queue, the battery
// report and the opening of the prompt output.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "devices/battery_report.h"
#include "devices/card_event_queue.h"
#include "devices/colour_tables.h"
#include "devices/display_link.h"
#include "devices/prompt_card.h"
#include "devices/prompt_output.h"
#include "devices/set_up_block.h"
#include "support/virtual_host.h"

namespace telvane::devices {
namespace {

using config::Key;

struct Yuv {
  int luma;
  int u;
  int v;
};

std::uint8_t Entry(const std::vector<std::uint32_t>& words, int table, int index) {
  const std::uint32_t word = words[static_cast<std::size_t>(table * 4096 + index / 4)];
  return static_cast<std::uint8_t>(word >> (8 * (index % 4)));
}

int SelfIndex(int colour) {
  return colour << 2 | colour << 6 | colour << 10;
}

TEST(ColourTables, EightColoursAtScaling100And120) {
  // Black, red, green, yellow, blue, magenta, cyan, white. At 120 luma, U and V leave their
  // byte ranges and are clamped, never wrapped.
  const std::vector<std::pair<int, std::array<Yuv, 8>>> cases = {
      {100,
       {{{16, 0, 0},
         {81, -38, 112},
         {145, -75, -95},
         {210, -112, 18},
         {41, 112, -18},
         {106, 75, 95},
         {170, 38, -112},
         {235, 0, 0}}}},
      {120,
       {{{16, 0, 0},
         {95, -45, 127},
         {170, -90, -114},
         {249, -128, 22},
         {46, 127, -22},
         {125, 90, 114},
         {200, 45, -128},
         {255, 0, 0}}}},
  };
  for (const auto& [scaling, colours] : cases) {
    const std::vector<std::uint32_t> words = ColourTableWords(scaling);
    ASSERT_EQ(words.size(), 3U * 4096);
    for (int c = 0; c < 8; ++c) {
      const Yuv& want = colours[static_cast<std::size_t>(c)];
      EXPECT_EQ(Entry(words, 0, SelfIndex(c)), want.luma) << scaling << " colour " << c;
      EXPECT_EQ(static_cast<std::int8_t>(Entry(words, 1, SelfIndex(c))), want.u)
          << scaling << " colour " << c;
      EXPECT_EQ(static_cast<std::int8_t>(Entry(words, 2, SelfIndex(c))), want.v)
          << scaling << " colour " << c;
    }
  }
}

TEST(ColourTables, EdgeFractionsBlendTowardTheNeighbour) {
  const std::vector<std::uint32_t> words = ColourTableWords(100);
  const auto index = [](int f, int a, int b, int c) { return f | a << 2 | b << 6 | c << 10; };
  // a differs from b: b plus f eighths of the way to a (red 81.5 over black 16).
  EXPECT_EQ(Entry(words, 0, index(0, 1, 0, 0)), 16);
  EXPECT_EQ(Entry(words, 0, index(2, 1, 0, 0)), 32);
  // a equals b, c differs: halfway from c, plus f eighths (white 235 over black 16).
  EXPECT_EQ(Entry(words, 0, index(3, 7, 7, 0)), 208);
  EXPECT_EQ(Entry(words, 0, index(1, 7, 7, 7)), 235);
  // A colour above 7 anywhere gives 0.
  EXPECT_EQ(Entry(words, 0, index(0, 8, 7, 7)), 0);
  EXPECT_EQ(Entry(words, 0, index(0, 7, 7, 15)), 0);
  // Packed low byte first: the word of entries 0 to 3 of the luma table.
  EXPECT_EQ(words[0], 0x10101010U);
}

TEST(CardEventQueue, TwoAcknowledgementsTogetherAreQueuedOnce) {
  CardEventQueue queue;
  for (const char code : std::string(">>N>>E")) queue.Push({code});
  std::string taken;
  while (auto event = queue.Take()) taken += event->code;
  EXPECT_EQ(taken, ">N>E");
}

TEST(Battery, VoltsFromTheReadingAndTheThreshold) {
  EXPECT_DOUBLE_EQ(BatteryVolts(0), 0.34);
  EXPECT_DOUBLE_EQ(BatteryVolts(128), 7.34);
  EXPECT_DOUBLE_EQ(BatteryVolts(255), 255 * 140.0 / 2560 + 0.34);
  EXPECT_TRUE(BatteryLow(BatteryVolts(190), 11.0));
  EXPECT_FALSE(BatteryLow(BatteryVolts(200), 11.0));
}

class RecordingReporter : public OutputReporter {
 public:
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowMessage(int number, platform::BoxKind kind) override {
    messages.push_back({number, kind});
  }
  std::vector<std::string> statuses;
  std::vector<std::pair<int, platform::BoxKind>> messages;
};

class SilentCard : public CardTransport {
 public:
  explicit SilentCard(CardKind kind) : kind_(kind) {}
  CardKind kind() const override { return kind_; }
  bool ready() const override { return true; }
  bool Write(std::span<const std::uint32_t>) override { return true; }
  void Read(std::vector<std::uint8_t>&, std::size_t) override {}

 private:
  CardKind kind_;
};

struct Station {
  testing::VirtualHost vh;
  config::Settings settings = config::Settings::Defaults(96);
  PromptCard card{vh.clock, vh.loop};
  RecordingReporter reporter;
  Station() {
    card.SetSetUpSource(MakeSetUpSource(settings, CueShape{}, nullptr, nullptr));
    card.SetColourTableSource(MakeColourTableSource(settings));
  }
};

TEST(PromptOutput, HardwareIsLookedForThenTheSubstituteOpens) {
  using platform::BoxKind;
  struct Case {
    const char* name;
    bool pc_enabled;
    bool usb_enabled;
    HardwareOutputs hardware;
    std::vector<std::pair<int, BoxKind>> messages;
  };
  HardwareOutputs pci_without_reset;
  pci_without_reset.open_pci = [] { return std::make_unique<SilentCard>(CardKind::kPci); };
  const std::vector<Case> cases = {
      {"neither enabled", false, false, {}, {}},
      {"PCI card without a driver", true, true, {}, {{950, BoxKind::kError}}},
      {"USB prompter without a driver", false, true, {}, {{995, BoxKind::kWarning}}},
      {"PCI card that does not reset", true, false, pci_without_reset, {{1238, BoxKind::kWarning}}},
  };
  for (const Case& c : cases) {
    Station station;
    station.settings.SetBool(Key::kPcCardPcEnabled, c.pc_enabled);
    station.settings.SetBool(Key::kPcCardUsbEnabled, c.usb_enabled);
    PromptOutput output(station.card, station.settings, station.vh.host(), station.reporter,
                        c.hardware);
    EXPECT_TRUE(output.Open()) << c.name;
    EXPECT_EQ(station.reporter.messages, c.messages) << c.name;
    EXPECT_EQ(station.card.kind(), CardKind::kSoft) << c.name;
    ASSERT_NE(output.soft_card(), nullptr) << c.name;
    // Initialised: 'I' answered, then colour tables and the set-up block taken.
    EXPECT_TRUE(output.soft_card()->initialised()) << c.name;
    EXPECT_EQ(output.soft_card()->colour_tables().size(), 4U * 3 * 4096) << c.name;
    EXPECT_EQ(output.soft_card()->set_up().size(), 59U) << c.name;
    EXPECT_EQ(output.soft_card()->CueRow(), 3) << c.name;
  }
}

TEST(PromptOutput, NetworkCardFollowsItsDisplayAwayAndBack) {
  Station station;
  station.settings.SetInt(Key::kPresenterDisplayOutput, 1);
  station.settings.SetInt(Key::kPresenterDisplayPort, 5290);
  PromptOutput output(station.card, station.settings, station.vh.host(), station.reporter);
  std::vector<std::string> lost;
  int restored = 0;
  output.SetLinkHandlers([&](const std::string& reason) { lost.push_back(reason); },
                         [&] { ++restored; });

  // No display yet: the output is open and waits for it.
  ASSERT_TRUE(output.Open());
  EXPECT_EQ(station.card.kind(), CardKind::kNetwork);
  EXPECT_FALSE(station.card.transport()->ready());
  EXPECT_EQ(station.reporter.statuses.back(), "Presenter display not connected at 127.0.0.1:5290");

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    SoftCard display_card;
    auto display = std::make_unique<DisplayLink>(station.vh.network, display_card);
    ASSERT_TRUE(display->Listen(5290).ok());
    station.vh.loop.Advance(1000);
    EXPECT_TRUE(station.card.transport()->ready());
    EXPECT_EQ(restored, round);
    output.Service();
    // Restored only once the display has been initialised, so a page sent then is kept.
    EXPECT_EQ(restored, round + 1);
    EXPECT_TRUE(display_card.initialised());
    EXPECT_EQ(display_card.set_up().size(), 59U);
    EXPECT_EQ(station.reporter.statuses.back(), "Presenter display connected at 127.0.0.1:5290");

    display.reset();
    station.vh.loop.Advance(50);
    ASSERT_EQ(lost.size(), static_cast<std::size_t>(round + 1));
    EXPECT_FALSE(station.card.transport()->ready());
    EXPECT_FALSE(station.card.SendCommand(0));
    EXPECT_EQ(station.reporter.statuses.back().rfind("Presenter display lost: ", 0), 0U);
  }
}

}  // namespace
}  // namespace telvane::devices
