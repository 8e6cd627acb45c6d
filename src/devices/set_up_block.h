#pragma once

// The card's picture: where the 668-pixel raster and the cue marker lie on the line, the
// 59-word set-up block that tells the card so, and the operator's adjustments of cue and
// picture position.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "devices/prompt_card.h"

namespace telvane::devices {

struct CardGeometry {
  bool is_625 = true;
  bool cue_left = true;
  int width_adjustment = 0;
  int horizontal_start = 64;
  int cue_column = 36;
  int lines_per_field = 309;
  int highest_cue_line = 508;
};

CardGeometry MakeGeometry(bool is_625, bool cue_left, int width_adjustment);
// From "625", "Cue Left" and "Width Adjustment".
CardGeometry GeometryOf(const config::Settings& settings);

// The preview's cue marker, in pixels from the top of the preview.
int PreviewCueTop(const CardGeometry& geometry, int cue);

// The background band in card coordinates, as the band's layout gives them: pixels across
// the line, field lines down.
struct BandRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int second_limit = 0;  // the band's second vertical limit, word 18
};

// The band's top for a band at the top or the bottom of the picture.
int BandTop(const CardGeometry& geometry, bool at_top, int band_height, int message_adjustment);

// One word per marker line, two bytes each; a word 0 ends the shape.
inline constexpr int kCueShapeWords = 36;
using CueShape = std::array<std::uint16_t, kCueShapeWords>;

// "usercue.txt": the first line is a heading; then lines in pairs, each read after its first
// ':' as a decimal number, give the words first * 256 + second.
CueShape ParseUserCue(std::string_view text);
// A missing or unreadable file gives the empty shape, as the program starts without one.
CueShape LoadUserCue(const std::string& path);

// "Cue Style" 0 (a bar), 1 (a wedge) or 2 (the user's shape); other styles draw no marker.
CueShape CueShapeOf(int style, bool is_625, const CueShape& user_cue);

struct SetUpState {
  bool prompting = false;
  bool cue_hidden = false;  // hidden on request, as after a blank
  BandRect band;
};

// The whole block, the command word first (without the blank and lamp bits, which the card
// interface adds to every command word).
std::vector<std::uint32_t> BuildSetUpBlock(const config::Settings& settings,
                                           const CueShape& user_cue, const SetUpState& state);

// For PromptCard::SetSetUpSource. The settings are read at each send; prompting and band
// are asked for then too. The user cue is the table read at start-up.
PromptCard::SetUpSource MakeSetUpSource(const config::Settings& settings, CueShape user_cue,
                                        std::function<bool()> prompting,
                                        std::function<BandRect()> band);

// Cue marker up and down by 20 lines, wrapping at 36 and the highest cue line.
int CueUp(int cue, const CardGeometry& geometry);
int CueDown(int cue, const CardGeometry& geometry);
// The cue line for a marker dragged in the preview to marker_top pixels from its top.
int CueFromPreviewDrag(int marker_top, const CardGeometry& geometry);

enum class PictureAdjustment {
  kLeftIncrease,
  kLeftDecrease,
  kRightIncrease,
  kRightDecrease,
  kCueLeft,   // raises the width adjustment
  kCueRight,  // lowers it
};

enum class AdjustmentOutcome { kRefused, kUnchanged, kChanged };

// One step of a picture adjustment within 0 to 99, refused under "Configuration Lock". On
// kChanged the caller re-sends the set-up block and re-wraps the script.
AdjustmentOutcome AdjustPicture(config::Settings& settings, PictureAdjustment adjustment);

// What the adjustment window shows.
struct AdjustmentView {
  int width = 668;  // 668 less the width adjustment
  int left_blank = 0;
  int right_blank = 0;
  int message_adjustment = 0;
  std::string raise_label = "+";  // the arrow that raises the width adjustment
  std::string lower_label = "-";
};
AdjustmentView AdjustmentViewOf(const config::Settings& settings);

}  // namespace telvane::devices
