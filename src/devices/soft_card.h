#pragma once

// The soft prompt card: takes the words the scroll engine sends, scrolls the rows it holds at
// the speed it is given, and answers with the card's events. No I/O and no clock of its own:
// words come in through Receive, time through OnTick, events go out through TakeEvents.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devices/card_protocol.h"
#include "platform/result.h"
#include "prompt/png_image.h"

namespace telvane::devices {

using CardRow = std::array<std::uint8_t, card_data::kRowPixels>;  // colour numbers 0 to 7

// Speed value 4 to 60 (32 stop) to signed rows per second. Speeds 29 to 35 stand still, so
// that a controller resting near its centre does not creep; beyond them the rate r (1 to 25,
// speed - 35 forward, 29 - speed backward) runs from a crawl of 8 rows per second, about one
// text line in ten seconds, rising by a fifth with every step to about 636 rows per second,
// a skim of seven text lines a second. Equal steps feel equal to the presenter that way.
// Thousandths of a row, so the curve is exact integers.
std::int64_t MilliRowsPerSecond(int speed);

// What the set-up block says about the picture. Horizontal places are card pixels of a
// picture line kPictureWidth wide; the band's vertical places are field lines.
struct CardPicture {
  int raster_left = 50;  // centred until a set-up block places it
  int cue_column = 0;
  bool cue_right = false;
  int cue_colour = 7;
  int background_colour = 0;
  bool picture_on = true;  // off with "PC Black"
  bool colour_bars = false;
  bool colour_output = true;
  bool smooth = true;
  bool fast = false;
  int band_left = 0;
  int band_top = 0;
  int band_right = 0;
  int band_bottom = 0;
  // One word per pair of picture rows, up to the first word 0: the high byte is the marker's
  // width on the upper row, the low byte on the lower row.
  std::vector<std::uint16_t> cue_shape;
};

class SoftCard {
 public:
  enum class Lines { k625, k525 };
  static constexpr int kPictureWidth = 768;

  struct Counters {
    std::int64_t rows_received = 0;  // rows of pages and fills
    std::int64_t pages = 0;
    std::int64_t fills = 0;
    std::int64_t stalls = 0;   // times the field reached the end of the rows it holds
    std::int64_t refused = 0;  // malformed blocks and words thrown away
  };

  enum class HandKey { kTop, kPreviousStory, kNextStory, kFunction, kBlank };

  explicit SoftCard(Lines lines = Lines::k625);

  // Any split of the engine's word stream. A malformed command or block is refused whole (the
  // rows the card holds stay as they were) and reported; the card then reads on from the next
  // command word.
  Status Receive(std::span<const std::uint32_t> words);

  // Scrolls to now_ms and asks for rows as the field nears an end of what it holds.
  void OnTick(std::int64_t now_ms);
  // The same in microseconds, for a display that steps by a frame period.
  void OnTickMicroseconds(std::int64_t now_us);

  // Hand controller: the card runs at the reported speed at once and reports it with 'U'.
  void HandSpeed(int speed);
  void HandPress(HandKey key);

  // Events since the last call, as the bytes the card sends.
  std::vector<std::uint8_t> TakeEvents();

  // The field the presenter sees: 576 rows (625-line) or 480 (525-line) from FieldTop.
  int VisibleRows() const;
  // Colour numbers of one row of the field; black while blanked or where no row is held.
  const CardRow& VisibleRow(int index) const;
  // Where the top of the field lies among the rows held (row 0 is the top of the page).
  double FieldTop() const { return static_cast<double>(top_micro_) / kMicro; }
  // The cue marker's row in the field; nothing while hidden or before any set-up block.
  std::optional<int> CueRow() const { return cue_row_; }
  // The field top counted from the first row of the current page, so that fills, which
  // drop rows at the far end, do not move it; in millionths of a row.
  std::int64_t ContentTopMicro() const { return first_row_ * kMicro + top_micro_; }

  const CardPicture& picture() const { return picture_; }
  // The eight colours as the colour tables give them (grey without colour output); the
  // eight-colour table until tables arrive.
  std::array<prompt::Rgb, 8> Palette() const;
  // One line of the picture in colour numbers: the static parts (border, band, cue marker,
  // colour bars) of picture row picture_row, the text of the held row content_row (counted
  // as ContentTopMicro counts). out holds kPictureWidth pixels.
  void ComposeLine(int picture_row, std::int64_t content_row, std::span<std::uint8_t> out) const;
  // The whole field at card resolution, VisibleRows lines of kPictureWidth.
  std::vector<std::uint8_t> ComposePicture() const;

  int speed() const { return speed_; }
  bool held() const { return held_; }
  bool slug_paused() const { return slug_paused_; }
  bool blanked() const { return blank_bit_ || black_; }
  bool lamp() const { return lamp_; }
  bool initialised() const { return initialised_; }
  int rows_held() const { return static_cast<int>(rows_.size()); }
  const std::vector<CardRow>& band() const { return band_; }
  const std::vector<std::uint8_t>& colour_tables() const { return colour_tables_; }
  const std::vector<std::uint32_t>& set_up() const { return set_up_; }
  const Counters& counters() const { return counters_; }
  const std::string& last_error() const { return last_error_; }

 private:
  static constexpr std::int64_t kMicro = 1'000'000;

  enum class Block { kNone, kRows, kBand, kSetUp, kColourTables };
  enum class Direction { kForward, kBackward };

  Status TakeWord(std::uint32_t word);
  Status TakeCommand(std::uint32_t word);
  Status TakeRowWord(std::uint32_t word);
  Status Refuse(std::string message);
  void StartRows(std::uint8_t code, int rows);
  void FinishRows();
  Status FinishSetUp();
  void ApplySpeedArgument(std::uint16_t argument);
  void Emit(CardEvent event);
  void RequestRows(Direction direction);
  std::int64_t MaxTopMicro() const;
  void ComposeBand(int picture_row, std::span<std::uint8_t> out) const;
  void ComposeCue(int picture_row, std::span<std::uint8_t> out) const;

  Lines lines_;
  std::vector<std::uint8_t> events_;
  Counters counters_;
  std::string last_error_;

  // The block being read.
  Block block_ = Block::kNone;
  std::uint8_t block_code_ = 0;
  int block_rows_ = 0;
  int row_pixels_ = 0;
  bool skipping_ = false;
  CardRow row_{};
  std::vector<CardRow> staged_;
  std::vector<std::uint32_t> staged_words_;

  // What the card holds and shows.
  std::deque<CardRow> rows_;
  std::vector<CardRow> band_;
  std::vector<std::uint8_t> colour_tables_;
  std::vector<std::uint32_t> set_up_;
  std::optional<int> cue_row_;
  CardPicture picture_;
  std::int64_t top_micro_ = 0;
  std::int64_t first_row_ = 0;  // rows dropped from, less rows added at, the top of the page
  std::int64_t nano_remainder_ = 0;

  int speed_ = 32;
  bool held_ = false;
  bool slug_paused_ = false;
  bool blank_bit_ = false;
  bool black_ = false;
  bool lamp_ = false;
  bool initialised_ = false;
  bool stalled_ = false;
  std::optional<Direction> request_;  // rows asked for and not yet arrived
  Direction direction_ = Direction::kForward;
  std::optional<std::int64_t> last_tick_;
};

}  // namespace telvane::devices
