// What the presenter sees of the soft card: the picture the set-up block lays out, the
// colours of its tables, and the frames of a display scrolling it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "devices/colour_tables.h"
#include "devices/presenter_frame.h"
#include "devices/set_up_block.h"
#include "devices/soft_card.h"
#include "prompt/row_encoding.h"

namespace telvane::devices {
namespace {

using config::Key;
using Words = std::vector<std::uint32_t>;

constexpr int kWidth = SoftCard::kPictureWidth;

std::uint32_t Command(std::uint8_t code, std::uint16_t argument = 0) {
  return CardCommand{code, argument, false, false}.Encode();
}

// Row tag: colour 1 for tag / 250 + 1 pixels, colour 2 for tag % 250 + 1, then black, so
// rows differ from their neighbours.
void AppendRow(int tag, Words& words) {
  std::vector<std::uint8_t> row(card_data::kRowPixels, 0);
  const int first = tag / 250 + 1;
  std::fill_n(row.begin(), first, std::uint8_t{1});
  std::fill_n(row.begin() + first, tag % 250 + 1, std::uint8_t{2});
  prompt::EncodeRow(row, prompt::BuildCardColourMap(), words);
}

Words Rows(std::uint32_t command, int first_tag, int count) {
  Words words{command};
  for (int i = 0; i < count; ++i) AppendRow(first_tag + i, words);
  return words;
}

Words SolidRows(std::uint32_t command, std::uint8_t colour, int count) {
  Words words{command};
  const std::vector<std::uint8_t> row(card_data::kRowPixels, colour);
  for (int i = 0; i < count; ++i) prompt::EncodeRow(row, prompt::BuildCardColourMap(), words);
  return words;
}

Words ColourTables(int scaling) {
  Words words = ColourTableWords(scaling);
  words.insert(words.begin(), Command(CardCommand::kColourTables));
  return words;
}

struct Picture {
  std::vector<std::uint8_t> pixels;
  std::uint8_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
  }
};

Picture Compose(const config::Settings& settings, const SetUpState& state,
                const Words& extra = {}) {
  SoftCard card;
  EXPECT_TRUE(card.Receive(BuildSetUpBlock(settings, CueShape{}, state)).ok());
  EXPECT_TRUE(card.Receive(SolidRows(Command(CardCommand::kNewPage), 7, 896)).ok());
  EXPECT_TRUE(card.Receive(extra).ok());
  return {card.ComposePicture()};
}

TEST(SoftCardPicture, SetUpBlockPlacesRasterCueAndBand) {
  config::Settings settings = config::Settings::Defaults(96);
  settings.SetInt(Key::kPciCueColour, 2);
  settings.SetInt(Key::kPciBackgroundColour, 4);

  // Cue on the left: raster from 64, a bar 24 wide at 36 over rows 3 to 70.
  const Picture left = Compose(settings, {});
  EXPECT_EQ(left.at(63, 200), 4);
  EXPECT_EQ(left.at(64, 200), 7);
  EXPECT_EQ(left.at(731, 200), 7);
  EXPECT_EQ(left.at(732, 200), 4);
  EXPECT_EQ(left.at(36, 3), 2);
  EXPECT_EQ(left.at(59, 70), 2);
  EXPECT_EQ(left.at(60, 3), 4);
  EXPECT_EQ(left.at(36, 2), 4);
  EXPECT_EQ(left.at(36, 71), 4);

  // Hidden on request: no marker.
  EXPECT_EQ(Compose(settings, {.cue_hidden = true}).at(36, 3), 4);

  // Cue on the right with a width adjustment beyond the start: the raster starts left of the
  // picture and the marker sits at 700 - 50.
  settings.SetBool(Key::kPciCueLeft, false);
  settings.SetInt(Key::kPciWidthAdjustment, 50);
  const Picture right = Compose(settings, {});
  EXPECT_EQ(right.at(0, 200), 7);
  EXPECT_EQ(right.at(637, 200), 7);
  EXPECT_EQ(right.at(638, 200), 4);
  EXPECT_EQ(right.at(650, 10), 2);
  EXPECT_EQ(right.at(673, 10), 2);
  EXPECT_EQ(right.at(674, 10), 4);

  // A band of 20 rows at field line 30 (picture row 16), 100 pixels wide from 200.
  settings.SetBool(Key::kPciCueLeft, true);
  settings.SetInt(Key::kPciWidthAdjustment, 0);
  const BandRect band{.left = 200, .top = 30, .width = 100, .height = 10};
  const Picture banded =
      Compose(settings, {.band = band}, SolidRows(Command(CardCommand::kBand), 5, 20));
  EXPECT_EQ(banded.at(200, 16), 5);
  EXPECT_EQ(banded.at(299, 35), 5);
  EXPECT_EQ(banded.at(300, 16), 7);
  EXPECT_EQ(banded.at(200, 15), 7);
  EXPECT_EQ(banded.at(200, 36), 7);
}

TEST(SoftCardPicture, BarsBlackAndColoursFromTheTables) {
  config::Settings settings = config::Settings::Defaults(96);
  settings.SetBool(Key::kPcCardColourBars, true);
  const Picture bars = Compose(settings, {});
  EXPECT_EQ(bars.at(0, 300), 7);
  EXPECT_EQ(bars.at(kWidth / 8, 300), 3);
  EXPECT_EQ(bars.at(kWidth - 1, 300), 0);
  EXPECT_EQ(Compose(settings, {.prompting = true}).at(0, 300), 0);

  settings.SetBool(Key::kPcCardColourBars, false);
  settings.SetBool(Key::kPcCardPcBlack, true);
  const Picture black = Compose(settings, {});
  EXPECT_TRUE(std::all_of(black.pixels.begin(), black.pixels.end(), [](auto p) { return p == 0; }));

  // The palette comes back from the tables as the eight colours, within rounding; without
  // colour output it is grey.
  for (const bool colour : {true, false}) {
    settings.SetBool(Key::kPcCardColourOutputEnabled, colour);
    SoftCard card;
    ASSERT_TRUE(card.Receive(ColourTables(100)).ok());
    ASSERT_TRUE(card.Receive(BuildSetUpBlock(settings, CueShape{}, {})).ok());
    const auto palette = card.Palette();
    for (std::size_t c = 0; c < 8; ++c) {
      const prompt::Rgb& got = palette[c];
      if (colour) {
        for (std::size_t i = 0; i < 3; ++i) {
          EXPECT_NEAR(got[i], prompt::kEightColours[c][i], 3) << c << " " << i;
        }
      } else {
        EXPECT_EQ(got[0], got[1]) << c;
        EXPECT_EQ(got[1], got[2]) << c;
      }
    }
  }
}

// A display scrolling the card at a steady frame step, the rows supplied as the card asks.
TEST(PresenterFrames, SteadySpeedMovesByWholeScreenLinesEvenly) {
  constexpr int kHeight = 720;
  constexpr std::int64_t kFrameUs = 16'667;
  for (const int speed : {48, 54, 60}) {
    SCOPED_TRACE(speed);
    SoftCard card;
    ASSERT_TRUE(card.Receive(Rows(Command(CardCommand::kNewPage, static_cast<std::uint16_t>(speed)),
                                  0, 896))
                    .ok());
    static_cast<void>(card.TakeEvents());
    int next_tag = 896;
    PresenterFramer framer;
    PresenterFrame previous;
    PresenterFrame frame;
    std::vector<std::int64_t> advances;
    std::int64_t now = 0;
    for (int n = 0; n < 400; ++n) {
      card.OnTickMicroseconds(now += kFrameUs);
      for (const std::uint8_t event : card.TakeEvents()) {
        if (event == CardEvent::kNext) {
          ASSERT_TRUE(card.Receive(Rows(Command(CardCommand::kRowsBelow), next_tag, 128)).ok());
          next_tag += 128;
        }
      }
      static_cast<void>(card.TakeEvents());
      previous = frame;
      framer.Compose(card, kHeight, frame);
      if (n == 0) continue;
      advances.push_back(frame.advance);
      // Every screen line shows what the line advance below it showed a frame earlier.
      for (int y = 200; y + frame.advance < kHeight; y += 41) {
        const auto line = [](const PresenterFrame& f, std::int64_t at) {
          return std::vector<std::uint8_t>(f.pixels.begin() + at * f.width,
                                           f.pixels.begin() + (at + 1) * f.width);
        };
        ASSERT_EQ(line(frame, y), line(previous, y + frame.advance)) << "frame " << n << " y " << y;
      }
    }
    const auto [low, high] = std::minmax_element(advances.begin(), advances.end());
    EXPECT_GT(*low, 0);
    EXPECT_LE(*high - *low, 1);
    EXPECT_EQ(card.counters().stalls, 0);
    EXPECT_GT(next_tag, 896);
  }
}

}  // namespace
}  // namespace telvane::devices
