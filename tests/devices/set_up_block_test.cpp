#include "devices/set_up_block.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace telvane::devices {
namespace {

using config::Key;
using config::Settings;

Settings Defaults() {
  return Settings::Defaults(96);
}

TEST(SetUpBlock, WordsFollowTheSettings) {
  struct Case {
    const char* name;
    std::vector<std::pair<Key, int>> ints;
    std::vector<std::pair<Key, bool>> bools;
    SetUpState state;
    std::map<int, std::uint32_t> words;
  };
  const BandRect band{.left = 64, .top = 20, .width = 200, .height = 12, .second_limit = 40};
  const std::vector<Case> cases = {
      {"defaults, 625 lines, cue left",
       {},
       {},
       {},
       {{0, 0x0C0000}, {1, 64}, {2, 0},       {3, 732},     {4, 309}, {5, 47}, {6, 0},
        {7, 1},        {8, 0},  {9, 1},       {10, 7},      {11, 0},  {12, 0}, {13, 0},
        {19, 36},      {20, 0}, {23, 0x1818}, {56, 0x1818}, {57, 0},  {58, 0}}},
      {"525 lines",
       {},
       {{Key::kPcCard625, false}},
       {},
       {{1, 70}, {3, 738}, {4, 259}, {5, 37}, {6, 1}, {19, 38}, {51, 0x1818}, {52, 0}}},
      {"cue left with a width adjustment",
       {{Key::kPciWidthAdjustment, 10}},
       {},
       {},
       {{1, 74}, {3, 742}, {19, 46}}},
      {"cue right with a big width adjustment wraps in 10 bits",
       {{Key::kPciWidthAdjustment, 50}},
       {{Key::kPciCueLeft, false}},
       {},
       {{1, (20 - 50) & 0x3FF}, {3, 638}, {19, 650}, {20, 1}}},
      {"cue disabled hides the marker",
       {},
       {{Key::kPcCardCueEnabled, false}},
       {},
       {{5, 508 + 128}}},
      {"hidden on request, 525 lines",
       {},
       {{Key::kPcCard625, false}},
       {.cue_hidden = true},
       {{5, 427 + 128}}},
      {"colour bars only while not prompting",
       {},
       {{Key::kPcCardColourBars, true}},
       {.prompting = false},
       {{11, 1}}},
      {"colour bars while prompting",
       {},
       {{Key::kPcCardColourBars, true}},
       {.prompting = true},
       {{11, 0}}},
      {"flags and colours",
       {{Key::kPciCueColour, 2}, {Key::kPciBackgroundColour, 9}, {Key::kPciCueStyle, 1}},
       {{Key::kPcCardSmooth, false},
        {Key::kPcCardPcFast, true},
        {Key::kPcCardPcBlack, true},
        {Key::kPcCardColourOutputEnabled, true}},
       {},
       {{7, 0}, {8, 1}, {9, 0}, {10, 2}, {12, 7}, {13, 1}, {23, 0x0202}, {58, 0x0202}}},
      {"band", {}, {}, {.band = band}, {{14, 64}, {15, 20}, {16, 264}, {17, 32}, {18, 40}}},
  };
  for (const Case& c : cases) {
    Settings settings = Defaults();
    for (const auto& [key, value] : c.ints) settings.SetInt(key, value);
    for (const auto& [key, value] : c.bools) settings.SetBool(key, value);
    const std::vector<std::uint32_t> block = BuildSetUpBlock(settings, CueShape{}, c.state);
    ASSERT_EQ(block.size(), 59U) << c.name;
    for (const auto& [index, word] : c.words) {
      EXPECT_EQ(block[static_cast<std::size_t>(index)], word) << c.name << ", word " << index;
    }
  }
}

TEST(SetUpBlock, CueThreeSitsAtLine47On625And37On525) {
  for (const auto& [is_625, word] :
       std::vector<std::pair<bool, std::uint32_t>>{{true, 47}, {false, 37}}) {
    Settings settings = Defaults();
    settings.SetBool(Key::kPcCard625, is_625);
    settings.SetInt(Key::kPcCardCue, 3);
    // Through the source the card interface calls, with the prompting state asked at send time.
    bool prompting = false;
    const PromptCard::SetUpSource source = MakeSetUpSource(
        settings, CueShape{}, [&] { return prompting; }, nullptr);
    EXPECT_EQ(source(false)[5], word);
    settings.SetBool(Key::kPcCardColourBars, true);
    EXPECT_EQ(source(false)[11], 1U);
    prompting = true;
    EXPECT_EQ(source(false)[11], 0U);
  }
}

TEST(UserCue, PairsOfLinesMakeWordsAndValuesStayBytes) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::uint16_t> words;
  };
  const std::vector<Case> cases = {
      {"pairs", "User cue\nA: 1\nB: 2\nC:16\nD:  255 \n", {0x0102, 0x10FF}},
      {"odd number of lines ends with a low byte 0", "head\nx:3\ny:4\nz:5\n", {0x0304, 0x0500}},
      {"unreadable values are 0, CRLF lines", "head\r\nx: 7\r\nno colon\r\nz: 9x\r\n", {0x0700}},
      {"out-of-byte values are clamped", "head\nx:300\ny:-4\n", {0xFF00}},
  };
  for (const Case& c : cases) {
    const CueShape shape = ParseUserCue(c.text);
    for (std::size_t i = 0; i < shape.size(); ++i) {
      EXPECT_EQ(shape[i], i < c.words.size() ? c.words[i] : 0) << c.name << " word " << i;
    }
  }
  std::string long_file = "head\n";
  for (int i = 0; i < 100; ++i) long_file += "v:1\n";
  const CueShape full = ParseUserCue(long_file);
  EXPECT_EQ(full[35], 0x0101);

  Settings settings = Defaults();
  settings.SetInt(Key::kPciCueStyle, 2);
  const std::vector<std::uint32_t> block =
      BuildSetUpBlock(settings, ParseUserCue("head\nx:3\ny:4\nz:5\n"), {});
  EXPECT_EQ(block[23], 0x0304U);
  EXPECT_EQ(block[24], 0x0500U);
  EXPECT_EQ(LoadUserCue("/nonexistent/usercue.txt"), CueShape{});
}

TEST(CueAdjustments, StepsWrapAndDragsScale) {
  const CardGeometry g625 = MakeGeometry(true, true, 0);
  const CardGeometry g525 = MakeGeometry(false, true, 0);
  EXPECT_EQ(CueUp(57, g625), 37);
  EXPECT_EQ(CueUp(37, g625), 17);
  EXPECT_EQ(CueUp(36, g625), 508);
  EXPECT_EQ(CueUp(3, g525), 427);
  EXPECT_EQ(CueDown(3, g625), 23);
  EXPECT_EQ(CueDown(507, g625), 527);
  EXPECT_EQ(CueDown(508, g625), 36);
  EXPECT_EQ(CueDown(427, g525), 36);
  EXPECT_EQ(CueFromPreviewDrag(50, g625), 160);
  EXPECT_EQ(CueFromPreviewDrag(50, g525), 134);
  EXPECT_EQ(CueFromPreviewDrag(0, g625), 3);
  EXPECT_EQ(CueFromPreviewDrag(400, g625), 159 * 560 / 175);
  EXPECT_EQ(PreviewCueTop(g625, 160), 50);
}

TEST(PictureAdjustments, StepWithinRangeAndAreRefusedUnderTheLock) {
  Settings settings = Defaults();
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kLeftIncrease), AdjustmentOutcome::kChanged);
  EXPECT_EQ(settings.Int(Key::kPromptLeftBlank), 13);
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kRightDecrease),
            AdjustmentOutcome::kChanged);
  EXPECT_EQ(settings.Int(Key::kPromptRightBlank), 5);
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kCueRight), AdjustmentOutcome::kUnchanged);
  EXPECT_EQ(settings.Int(Key::kPciWidthAdjustment), 0);
  settings.SetInt(Key::kPciWidthAdjustment, 99);
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kCueLeft), AdjustmentOutcome::kUnchanged);
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kCueRight), AdjustmentOutcome::kChanged);
  EXPECT_EQ(settings.Int(Key::kPciWidthAdjustment), 98);

  settings.SetBool(Key::kMainConfigurationLock, true);
  EXPECT_EQ(AdjustPicture(settings, PictureAdjustment::kLeftIncrease), AdjustmentOutcome::kRefused);
  EXPECT_EQ(settings.Int(Key::kPromptLeftBlank), 13);

  const AdjustmentView left = AdjustmentViewOf(settings);
  EXPECT_EQ(left.width, 668 - 98);
  EXPECT_EQ(left.left_blank, 13);
  EXPECT_EQ(left.raise_label, "+");
  settings.SetBool(Key::kPciCueLeft, false);
  EXPECT_EQ(AdjustmentViewOf(settings).raise_label, "-");
}

TEST(BandPlace, TopOrBottomOfTheField) {
  EXPECT_EQ(BandTop(MakeGeometry(true, true, 0), true, 12, 5), 25);
  EXPECT_EQ(BandTop(MakeGeometry(false, true, 0), true, 12, 5), 20);
  EXPECT_EQ(BandTop(MakeGeometry(true, true, 0), false, 12, 5), 309 - 12 - 5);
  EXPECT_EQ(BandTop(MakeGeometry(false, true, 0), false, 12, 5), 259 - 12 - 5);
}

}  // namespace
}  // namespace telvane::devices
