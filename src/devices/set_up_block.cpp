#include "devices/set_up_block.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace telvane::devices {

namespace {

using config::Key;

constexpr int kLowestCue = 36;
constexpr int kCueStep = 20;
constexpr int kAdjustmentMax = 99;
constexpr std::uint32_t kTenBits = 0x3FF;

int ColourNumber(int value) {
  return std::clamp(value, 0, 7);
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

int UserCueValue(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return 0;
  const std::string_view digits = Trim(line.substr(colon + 1));
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size()) return 0;
  // Each value is one byte of a marker line; anything else would spill into its neighbour.
  return std::clamp(value, 0, 255);
}

}  // namespace

CardGeometry MakeGeometry(bool is_625, bool cue_left, int width_adjustment) {
  CardGeometry g;
  g.is_625 = is_625;
  g.cue_left = cue_left;
  g.width_adjustment = width_adjustment;
  if (is_625) {
    g.horizontal_start = cue_left ? 64 : 20;
    g.cue_column = cue_left ? 36 : 700;
    g.lines_per_field = 309;
    g.highest_cue_line = 508;
  } else {
    g.horizontal_start = cue_left ? 70 : 24;
    g.cue_column = cue_left ? 38 : 702;
    g.lines_per_field = 259;
    g.highest_cue_line = 427;
  }
  return g;
}

CardGeometry GeometryOf(const config::Settings& settings) {
  return MakeGeometry(settings.Bool(Key::kPcCard625), settings.Bool(Key::kPciCueLeft),
                      settings.Int(Key::kPciWidthAdjustment));
}

int PreviewCueTop(const CardGeometry& geometry, int cue) {
  return cue * 175 / (geometry.is_625 ? 560 : 470);
}

int BandTop(const CardGeometry& geometry, bool at_top, int band_height, int message_adjustment) {
  if (at_top) return message_adjustment + (geometry.is_625 ? 20 : 15);
  return geometry.lines_per_field - band_height - message_adjustment;
}

CueShape ParseUserCue(std::string_view text) {
  CueShape shape{};
  std::vector<int> values;
  std::size_t at = 0;
  bool heading = true;
  while (at < text.size() && values.size() < 2 * kCueShapeWords) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (heading) {
      heading = false;
      continue;
    }
    values.push_back(UserCueValue(line));
  }
  for (std::size_t i = 0; i < values.size(); i += 2) {
    const int second = i + 1 < values.size() ? values[i + 1] : 0;
    shape[i / 2] = static_cast<std::uint16_t>(values[i] * 256 + second);
  }
  return shape;
}

CueShape LoadUserCue(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return CueShape{};
  std::ostringstream text;
  text << in.rdbuf();
  return ParseUserCue(text.str());
}

CueShape CueShapeOf(int style, bool is_625, const CueShape& user_cue) {
  CueShape shape{};
  switch (style) {
    case 0:
      std::fill_n(shape.begin(), is_625 ? 34 : 29, std::uint16_t{0x1818});
      break;
    case 1:
      if (is_625) {
        shape = {0x0202, 0x0304, 0x0405, 0x0606, 0x0708, 0x0809, 0x0A0A, 0x0B0C, 0x0C0D,
                 0x0E0E, 0x0F10, 0x1011, 0x1212, 0x1314, 0x1415, 0x1616, 0x1718, 0x1819,
                 0x1918, 0x1817, 0x1616, 0x1514, 0x1413, 0x1212, 0x1110, 0x100F, 0x0E0E,
                 0x0D0C, 0x0C0B, 0x0A0A, 0x0908, 0x0807, 0x0606, 0x0504, 0x0403, 0x0202};
      } else {
        shape = {0x0102, 0x0304, 0x0506, 0x0708, 0x090A, 0x0B0C, 0x0D0E, 0x0F10, 0x1112,
                 0x1314, 0x1516, 0x1718, 0x191A, 0x1A19, 0x1817, 0x1615, 0x1413, 0x1211,
                 0x100F, 0x0E0D, 0x0C0B, 0x0A09, 0x0807, 0x0605, 0x0403, 0x0101};
      }
      break;
    case 2:
      shape = user_cue;
      break;
    default:
      break;
  }
  return shape;
}

std::vector<std::uint32_t> BuildSetUpBlock(const config::Settings& settings,
                                           const CueShape& user_cue, const SetUpState& state) {
  const CardGeometry g = GeometryOf(settings);
  const int w = g.width_adjustment;
  const auto word = [](int value) { return static_cast<std::uint32_t>(value); };
  std::vector<std::uint32_t> block(card_data::kSetUpWords, 0);
  block[0] = std::uint32_t{CardCommand::kSetUp} << 16;
  // With the cue on the right the start may fall below zero; the card counts in 10 bits.
  block[1] = g.cue_left ? word(g.horizontal_start + w) : word(g.horizontal_start - w) & kTenBits;
  block[2] = 0;
  block[3] = word(g.horizontal_start + card_data::kRowPixels + (g.cue_left ? w : -w));
  block[4] = word(g.lines_per_field);
  const bool hidden = state.cue_hidden || !settings.Bool(Key::kPcCardCueEnabled);
  block[5] = hidden ? word(g.highest_cue_line + 128)
                    : word(settings.Int(Key::kPcCardCue) + (g.is_625 ? 44 : 34));
  block[6] = g.is_625 ? 0 : 1;
  block[7] = settings.Bool(Key::kPcCardSmooth) ? 1 : 0;
  block[8] = settings.Bool(Key::kPcCardPcFast) ? 1 : 0;
  block[9] = settings.Bool(Key::kPcCardPcBlack) ? 0 : 1;
  block[10] = word(ColourNumber(settings.Int(Key::kPciCueColour)));
  block[11] = !state.prompting && settings.Bool(Key::kPcCardColourBars) ? 1 : 0;
  block[12] = word(ColourNumber(settings.Int(Key::kPciBackgroundColour)));
  block[13] = settings.Bool(Key::kPcCardColourOutputEnabled) ? 1 : 0;
  block[14] = word(state.band.left);
  block[15] = word(state.band.top);
  block[16] = word(state.band.left + state.band.width);
  block[17] = word(state.band.top + state.band.height);
  block[18] = word(state.band.second_limit);
  block[19] = word(g.cue_column + (g.cue_left ? w : -w));
  block[20] = g.cue_left ? 0 : 1;
  const CueShape shape = CueShapeOf(settings.Int(Key::kPciCueStyle), g.is_625, user_cue);
  std::copy(shape.begin(), shape.end(), block.begin() + 23);
  return block;
}

PromptCard::SetUpSource MakeSetUpSource(const config::Settings& settings, CueShape user_cue,
                                        std::function<bool()> prompting,
                                        std::function<BandRect()> band) {
  return [&settings, user_cue, prompting = std::move(prompting),
          band = std::move(band)](bool cue_hidden) {
    SetUpState state;
    state.prompting = prompting ? prompting() : false;
    state.cue_hidden = cue_hidden;
    if (band) state.band = band();
    return BuildSetUpBlock(settings, user_cue, state);
  };
}

int CueUp(int cue, const CardGeometry& geometry) {
  return cue > kLowestCue ? cue - kCueStep : geometry.highest_cue_line;
}

int CueDown(int cue, const CardGeometry& geometry) {
  return cue < geometry.highest_cue_line ? cue + kCueStep : kLowestCue;
}

int CueFromPreviewDrag(int marker_top, const CardGeometry& geometry) {
  return std::clamp(marker_top, 1, 159) * (geometry.is_625 ? 560 : 470) / 175;
}

AdjustmentOutcome AdjustPicture(config::Settings& settings, PictureAdjustment adjustment) {
  if (settings.Bool(Key::kMainConfigurationLock)) return AdjustmentOutcome::kRefused;
  Key key = Key::kPromptLeftBlank;
  int step = 1;
  switch (adjustment) {
    case PictureAdjustment::kLeftIncrease:
      break;
    case PictureAdjustment::kLeftDecrease:
      step = -1;
      break;
    case PictureAdjustment::kRightIncrease:
      key = Key::kPromptRightBlank;
      break;
    case PictureAdjustment::kRightDecrease:
      key = Key::kPromptRightBlank;
      step = -1;
      break;
    case PictureAdjustment::kCueLeft:
      key = Key::kPciWidthAdjustment;
      break;
    case PictureAdjustment::kCueRight:
      key = Key::kPciWidthAdjustment;
      step = -1;
      break;
  }
  const int before = settings.Int(key);
  const int after = std::clamp(before + step, 0, kAdjustmentMax);
  if (after == before) return AdjustmentOutcome::kUnchanged;
  settings.SetInt(key, after);
  return AdjustmentOutcome::kChanged;
}

AdjustmentView AdjustmentViewOf(const config::Settings& settings) {
  AdjustmentView view;
  view.width = card_data::kRowPixels - settings.Int(Key::kPciWidthAdjustment);
  view.left_blank = settings.Int(Key::kPromptLeftBlank);
  view.right_blank = settings.Int(Key::kPromptRightBlank);
  view.message_adjustment = settings.Int(Key::kPciMessageAdjustment);
  if (!settings.Bool(Key::kPciCueLeft)) std::swap(view.raise_label, view.lower_label);
  return view;
}

}  // namespace telvane::devices
