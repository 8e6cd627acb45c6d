#include "devices/soft_card.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace telvane::devices {

namespace {

// The visible field is the active picture, one prompt row per picture line: 576 lines of
// 625-line output, 480 of 525-line. A new page puts its first row at the top of the field and
// the set-up block's cue line counts from there (word 5 less 44 or 34 lines of blanking).
// Each word of the cue shape serves the two interlaced lines of one field line, so with the
// usual cue line 3 the marker covers rows 3 to 70 (3 to 60 on 525 lines) and the start line,
// which the engine sends 70 or 60 rows down the page, begins where the marker ends.
constexpr int kVisibleRows625 = 576;
constexpr int kVisibleRows525 = 480;
constexpr int kCueBase625 = 44;
constexpr int kCueBase525 = 34;
// The band counts field lines from the start of the field, whose picture begins at field
// line 22 (625-line) or 17 (525-line); a field line is two picture rows.
constexpr int kFieldStart625 = 22;
constexpr int kFieldStart525 = 17;

// The field top may lie anywhere in the first 896 - field rows of the page. Rows are asked
// for, 128 at a time, when the field comes within 96 rows of either end of the page: three
// service ticks of the fastest skim. The two thresholds lie at least a fill apart, so a fill
// never sets off a request the other way.
constexpr int kAskMargin = 96;

constexpr int kMaxBandRows = kVisibleRows625;

constexpr int kSpeedStop = 32;
constexpr int kSpeedMin = 4;
constexpr int kSpeedMax = 60;
constexpr std::uint16_t kSpeedJump = 1;  // a story jump is coming; the card keeps its speed

constexpr CardRow kBlackRow{};

bool IsRunWord(std::uint32_t word) {
  const std::uint32_t mark = (word >> 16) & 0xFF;
  return (word & 0xFF000000U) == 0 && (mark == 5 || mark == 6);
}

}  // namespace

std::int64_t MilliRowsPerSecond(int speed) {
  int rate = 0;
  if (speed >= 36) rate = std::min(speed, kSpeedMax) - 35;
  if (speed <= 28) rate = 29 - std::max(speed, kSpeedMin);
  if (rate == 0) return 0;
  std::int64_t milli_rows = 8000;
  for (int r = 1; r < rate; ++r) milli_rows = milli_rows * 6 / 5;
  return speed > kSpeedStop ? milli_rows : -milli_rows;
}

SoftCard::SoftCard(Lines lines) : lines_(lines) {}

int SoftCard::VisibleRows() const {
  return lines_ == Lines::k625 ? kVisibleRows625 : kVisibleRows525;
}

const CardRow& SoftCard::VisibleRow(int index) const {
  const std::int64_t row = top_micro_ / kMicro + index;
  if (blanked() || index < 0 || index >= VisibleRows() || row >= rows_held()) return kBlackRow;
  return rows_[static_cast<std::size_t>(row)];
}

std::vector<std::uint8_t> SoftCard::TakeEvents() {
  std::vector<std::uint8_t> taken;
  taken.swap(events_);
  return taken;
}

void SoftCard::Emit(CardEvent event) {
  event.AppendTo(events_);
}

Status SoftCard::Receive(std::span<const std::uint32_t> words) {
  Status first;
  for (const std::uint32_t word : words) {
    Status status = TakeWord(word);
    if (!status && first) first = std::move(status);
  }
  return first;
}

Status SoftCard::Refuse(std::string message) {
  ++counters_.refused;
  last_error_ = message;
  // Rows asked for and refused are asked for again; a broken band is not shown at all.
  if (block_ == Block::kRows) request_.reset();
  if (block_ == Block::kBand) band_.clear();
  block_ = Block::kNone;
  row_pixels_ = 0;
  skipping_ = true;
  staged_.clear();
  staged_words_.clear();
  return Error{std::move(message)};
}

Status SoftCard::TakeWord(std::uint32_t word) {
  switch (block_) {
    case Block::kSetUp:
      staged_words_.push_back(word);
      if (std::ssize(staged_words_) == card_data::kSetUpWords) return FinishSetUp();
      return {};
    case Block::kColourTables:
      for (int shift = 0; shift < 32; shift += 8) {
        colour_tables_.push_back(static_cast<std::uint8_t>(word >> shift));
      }
      if (std::ssize(colour_tables_) == std::ptrdiff_t{4} * card_data::kColourTableWords) {
        block_ = Block::kNone;
      }
      return {};
    case Block::kRows:
    case Block::kBand:
      if (IsRunWord(word)) return TakeRowWord(word);
      if (block_ == Block::kBand && row_pixels_ == 0) {
        block_ = Block::kNone;
        return TakeCommand(word);
      }
      {
        Status refused =
            Refuse(row_pixels_ > 0 ? "row ends after " + std::to_string(row_pixels_) + " pixels"
                                   : "rows end after " + std::to_string(staged_.size()) + " of " +
                                         std::to_string(block_rows_));
        // The word that cut the rows short is read as the next command; a refusal of it is
        // counted on its own.
        static_cast<void>(TakeCommand(word));
        return refused;
      }
    case Block::kNone:
      return TakeCommand(word);
  }
  return {};
}

Status SoftCard::TakeRowWord(std::uint32_t word) {
  const std::uint32_t mark = (word >> 16) & 0xFF;
  const int length = static_cast<int>((word >> 8) & 0xFF);
  const auto colour = static_cast<std::uint8_t>(word & 0xFF);
  if ((row_pixels_ == 0) != (mark == 5)) {
    return Refuse(row_pixels_ == 0 ? "row does not start with a first-run mark"
                                   : "row ends after " + std::to_string(row_pixels_) + " pixels");
  }
  if (length < 1 || colour > 7) return Refuse("run length 0 or colour above 7");
  if (row_pixels_ + length > card_data::kRowPixels) return Refuse("row longer than 668 pixels");
  std::fill_n(row_.begin() + row_pixels_, length, colour);
  row_pixels_ += length;
  if (row_pixels_ < card_data::kRowPixels) return {};
  row_pixels_ = 0;
  if (block_ == Block::kBand) {
    if (std::ssize(band_) == kMaxBandRows) return Refuse("background band too tall");
    band_.push_back(row_);
    return {};
  }
  staged_.push_back(row_);
  if (std::ssize(staged_) == block_rows_) FinishRows();
  return {};
}

Status SoftCard::TakeCommand(std::uint32_t word) {
  // After a refusal the rest of the broken block is passed over quietly.
  if (IsRunWord(word)) return skipping_ ? Status{} : Refuse("row data without a command");
  skipping_ = false;
  const std::optional<CardCommand> command = CardCommand::Decode(word);
  if (!command) return Refuse("command word with unknown high bits");

  const auto bad_argument = [&] {
    return Refuse("command " + std::to_string(command->code) + " with argument " +
                  std::to_string(command->argument));
  };
  const std::uint16_t argument = command->argument;
  const bool speed_argument =
      argument == 0 || argument == kSpeedJump || (argument >= kSpeedMin && argument <= kSpeedMax);
  switch (command->code) {
    case CardCommand::kRefreshPage:
    case CardCommand::kNewPage:
    case CardCommand::kRowsBelow:
    case CardCommand::kRowsAbove:
    case CardCommand::kSpeed:
      if (!speed_argument) return bad_argument();
      break;
    case CardCommand::kHold:
      if (argument > CardCommand::kSlugPause) return bad_argument();
      break;
    case CardCommand::kNoOp:
    case CardCommand::kColourTables:
    case CardCommand::kBand:
    case CardCommand::kBlack:
    case CardCommand::kSetUp:
    case CardCommand::kApplyCue:
    case CardCommand::kInitialise:
    case CardCommand::kProbe:
      if (argument != 0) return bad_argument();
      break;
    default:
      return Refuse("unknown command " + std::to_string(command->code));
  }

  // Every word carries the blank and lamp state; black from 0x0A lasts until a word comes
  // without the blank bit.
  blank_bit_ = command->blank;
  lamp_ = command->lamp;
  if (!command->blank && command->code != CardCommand::kBlack) black_ = false;

  switch (command->code) {
    case CardCommand::kRefreshPage:
    case CardCommand::kNewPage:
      ApplySpeedArgument(argument);
      StartRows(command->code, card_data::kPageRows);
      break;
    case CardCommand::kRowsBelow:
    case CardCommand::kRowsAbove:
      ApplySpeedArgument(argument);
      StartRows(command->code, card_data::kFillRows);
      break;
    case CardCommand::kSpeed:
      ApplySpeedArgument(argument);
      break;
    case CardCommand::kHold:
      if (argument == CardCommand::kSlugPause) {
        slug_paused_ = true;
      } else {
        held_ = argument == CardCommand::kHoldOn;
        if (!held_) slug_paused_ = false;
        Emit({CardEvent::kHoldDone});
      }
      break;
    case CardCommand::kColourTables:
      colour_tables_.clear();
      block_ = Block::kColourTables;
      break;
    case CardCommand::kBand:
      band_.clear();
      row_pixels_ = 0;
      block_ = Block::kBand;
      break;
    case CardCommand::kBlack:
      black_ = true;
      Emit({CardEvent::kAck});
      break;
    case CardCommand::kSetUp:
      staged_words_.assign(1, word);
      block_ = Block::kSetUp;
      break;
    case CardCommand::kApplyCue:
      Emit({CardEvent::kAck});
      break;
    case CardCommand::kInitialise:
      initialised_ = true;
      Emit({CardEvent::kInitialised});
      break;
    default:
      break;
  }
  return {};
}

void SoftCard::ApplySpeedArgument(std::uint16_t argument) {
  if (argument < kSpeedMin) return;
  speed_ = argument;
  slug_paused_ = false;
}

void SoftCard::StartRows(std::uint8_t code, int rows) {
  block_ = Block::kRows;
  block_code_ = code;
  block_rows_ = rows;
  row_pixels_ = 0;
  staged_.clear();
}

void SoftCard::FinishRows() {
  block_ = Block::kNone;
  counters_.rows_received += std::ssize(staged_);
  const std::int64_t fill = std::ssize(staged_) * kMicro;
  switch (block_code_) {
    case CardCommand::kNewPage:
      rows_.assign(staged_.begin(), staged_.end());
      top_micro_ = 0;
      first_row_ = 0;
      direction_ = Direction::kForward;
      request_.reset();
      slug_paused_ = false;
      ++counters_.pages;
      // The engine waits for this before it releases the card into the new page.
      Emit({CardEvent::kAck});
      break;
    case CardCommand::kRefreshPage:
      rows_.assign(staged_.begin(), staged_.end());
      ++counters_.pages;
      break;
    case CardCommand::kRowsBelow:
      rows_.insert(rows_.end(), staged_.begin(), staged_.end());
      while (rows_held() > card_data::kPageRows) {
        rows_.pop_front();
        ++first_row_;
      }
      top_micro_ = std::max<std::int64_t>(0, top_micro_ - fill);
      request_.reset();
      ++counters_.fills;
      break;
    case CardCommand::kRowsAbove:
      rows_.insert(rows_.begin(), staged_.begin(), staged_.end());
      first_row_ -= std::ssize(staged_);
      while (rows_held() > card_data::kPageRows) rows_.pop_back();
      top_micro_ = std::min(top_micro_ + fill, MaxTopMicro());
      request_.reset();
      ++counters_.fills;
      break;
    default:
      break;
  }
  staged_.clear();
  stalled_ = false;
  Emit({CardEvent::kDone});
}

Status SoftCard::FinishSetUp() {
  block_ = Block::kNone;
  const std::uint32_t lines_per_field = staged_words_[4];
  const std::uint32_t is_525 = staged_words_[6];
  if (!((lines_per_field == 309 && is_525 == 0) || (lines_per_field == 259 && is_525 == 1))) {
    return Refuse("set-up block with " + std::to_string(lines_per_field) + " lines per field");
  }
  lines_ = is_525 != 0 ? Lines::k525 : Lines::k625;
  const std::vector<std::uint32_t>& w = staged_words_;
  const auto number = [](std::uint32_t word) { return static_cast<int>(word & 0xFFFF); };
  const auto colour = [](std::uint32_t word) { return static_cast<int>(std::min(word, 7U)); };
  const auto cue =
      static_cast<std::int64_t>(w[5]) - (lines_ == Lines::k625 ? kCueBase625 : kCueBase525);
  cue_row_.reset();
  if (cue >= 0 && cue < VisibleRows()) cue_row_ = static_cast<int>(cue);
  CardPicture picture;
  // A start that fell below zero was sent in 10 bits.
  const int start = static_cast<int>(w[1] & 0x3FF);
  picture.raster_left = start >= 512 ? start - 1024 : start;
  picture.cue_column = number(w[19]);
  picture.cue_right = w[20] != 0;
  picture.smooth = w[7] != 0;
  picture.fast = w[8] != 0;
  picture.picture_on = w[9] != 0;
  picture.cue_colour = colour(w[10]);
  picture.colour_bars = w[11] != 0;
  picture.background_colour = colour(w[12]);
  picture.colour_output = w[13] != 0;
  picture.band_left = number(w[14]);
  picture.band_top = number(w[15]);
  picture.band_right = number(w[16]);
  picture.band_bottom = number(w[17]);
  for (std::size_t i = 23; i < w.size() && w[i] != 0; ++i) {
    picture.cue_shape.push_back(static_cast<std::uint16_t>(w[i]));
  }
  picture_ = std::move(picture);
  set_up_ = std::move(staged_words_);
  staged_words_.clear();
  top_micro_ = std::min(top_micro_, MaxTopMicro());
  Emit({CardEvent::kAck});
  return {};
}

std::int64_t SoftCard::MaxTopMicro() const {
  return std::max<std::int64_t>(0, rows_held() - VisibleRows()) * kMicro;
}

void SoftCard::HandSpeed(int speed) {
  speed_ = std::clamp(speed, kSpeedMin, kSpeedMax);
  slug_paused_ = false;
  Emit({CardEvent::kSpeed, static_cast<std::uint8_t>(speed_)});
}

void SoftCard::HandPress(HandKey key) {
  switch (key) {
    case HandKey::kTop:
      Emit({CardEvent::kTop});
      break;
    case HandKey::kPreviousStory:
      Emit({CardEvent::kPreviousStory});
      break;
    case HandKey::kNextStory:
      Emit({CardEvent::kNextStory});
      break;
    case HandKey::kFunction:
      Emit({CardEvent::kFunction});
      break;
    case HandKey::kBlank:
      Emit({CardEvent::kBlankKey});
      break;
  }
}

void SoftCard::RequestRows(Direction direction) {
  if (request_) return;
  if (direction == Direction::kForward) {
    Emit({direction_ == Direction::kBackward ? CardEvent::kForward : CardEvent::kNext});
  } else {
    Emit({direction_ == Direction::kForward ? CardEvent::kBackward : CardEvent::kNext});
  }
  direction_ = direction;
  request_ = direction;
}

void SoftCard::OnTick(std::int64_t now_ms) {
  OnTickMicroseconds(now_ms * 1000);
}

void SoftCard::OnTickMicroseconds(std::int64_t now_us) {
  const std::int64_t elapsed = last_tick_ ? std::max<std::int64_t>(0, now_us - *last_tick_) : 0;
  last_tick_ = now_us;
  // The field stands still while held, paused at a slug line or blanked: nobody reads a black
  // screen, and the text should be where it was when the picture comes back.
  if (held_ || slug_paused_ || blanked() || rows_.empty()) return;
  const std::int64_t rate = MilliRowsPerSecond(speed_);
  if (rate == 0) return;

  // Milli-rows per second times microseconds is nano-rows; what falls short of a micro-row
  // is carried, so that steps of any length add up to the same travel.
  const std::int64_t nano = rate * elapsed + nano_remainder_;
  const std::int64_t step = nano / 1000;
  nano_remainder_ = nano - step * 1000;
  const std::int64_t wanted = top_micro_ + step;
  const std::int64_t limit = MaxTopMicro();
  const bool full_page = rows_held() == card_data::kPageRows;
  if ((wanted > limit || wanted < 0) && full_page && !stalled_) {
    stalled_ = true;
    ++counters_.stalls;
  }
  top_micro_ = std::clamp<std::int64_t>(wanted, 0, limit);

  if (!full_page) return;
  const std::int64_t top_row = top_micro_ / kMicro;
  if (rate > 0 && top_row >= card_data::kPageRows - VisibleRows() - kAskMargin) {
    RequestRows(Direction::kForward);
  } else if (rate < 0 && top_row < kAskMargin) {
    RequestRows(Direction::kBackward);
  }
}

}  // namespace telvane::devices

namespace telvane::devices {

std::array<prompt::Rgb, 8> SoftCard::Palette() const {
  constexpr std::size_t kTable = 16384;
  if (colour_tables_.size() != 3 * kTable) return prompt::kEightColours;
  std::array<prompt::Rgb, 8> palette{};
  for (std::size_t c = 0; c < palette.size(); ++c) {
    // The entry of a colour against itself holds the colour's own value.
    const std::size_t index = c << 2 | c << 6 | c << 10;
    const double y = (colour_tables_[index] - 16) * 255.0 / 219.0;
    const double u =
        picture_.colour_output ? static_cast<std::int8_t>(colour_tables_[kTable + index]) : 0;
    const double v =
        picture_.colour_output ? static_cast<std::int8_t>(colour_tables_[2 * kTable + index]) : 0;
    const double b = y + 2 * u;
    const double r = y + 2 * v * 0.701 / 0.886;
    const double g = (y - 0.299 * r - 0.114 * b) / 0.587;
    const auto byte = [](double value) {
      return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
    };
    palette[c] = {byte(r), byte(g), byte(b)};
  }
  return palette;
}

void SoftCard::ComposeLine(int picture_row, std::int64_t content_row,
                           std::span<std::uint8_t> out) const {
  const std::span<std::uint8_t> line = out.first(kPictureWidth);
  if (!picture_.picture_on) {
    std::fill(line.begin(), line.end(), std::uint8_t{0});
    return;
  }
  if (picture_.colour_bars) {
    // White, yellow, cyan, green, magenta, red, blue, black.
    constexpr std::array<std::uint8_t, 8> kBars{7, 3, 6, 2, 5, 1, 4, 0};
    for (int x = 0; x < kPictureWidth; ++x) {
      line[static_cast<std::size_t>(x)] = kBars[static_cast<std::size_t>(x * 8 / kPictureWidth)];
    }
    return;
  }
  std::fill(line.begin(), line.end(),
            blanked() ? std::uint8_t{0} : static_cast<std::uint8_t>(picture_.background_colour));
  const std::int64_t held = content_row - first_row_;
  if (!blanked() && held >= 0 && held < rows_held()) {
    const CardRow& row = rows_[static_cast<std::size_t>(held)];
    const int from = std::max(0, -picture_.raster_left);
    const int to = std::min(card_data::kRowPixels, kPictureWidth - picture_.raster_left);
    if (from < to) {
      std::copy(row.begin() + from, row.begin() + to, line.begin() + picture_.raster_left + from);
    }
  }
  ComposeBand(picture_row, line);
  ComposeCue(picture_row, line);
}

void SoftCard::ComposeBand(int picture_row, std::span<std::uint8_t> out) const {
  if (band_.empty()) return;
  const int field_start = lines_ == Lines::k625 ? kFieldStart625 : kFieldStart525;
  const int first = 2 * (picture_.band_top - field_start);
  const int rows = std::min<int>(std::ssize(band_), 2 * (picture_.band_bottom - picture_.band_top));
  const int index = picture_row - first;
  if (index < 0 || index >= rows) return;
  const CardRow& row = band_[static_cast<std::size_t>(index)];
  const int left = std::max(0, picture_.band_left);
  const int right =
      std::min({kPictureWidth, picture_.band_right, picture_.band_left + card_data::kRowPixels});
  for (int x = left; x < right; ++x) {
    out[static_cast<std::size_t>(x)] = row[static_cast<std::size_t>(x - picture_.band_left)];
  }
}

void SoftCard::ComposeCue(int picture_row, std::span<std::uint8_t> out) const {
  if (!cue_row_ || picture_.cue_shape.empty()) return;
  const int index = picture_row - *cue_row_;
  if (index < 0 || index >= 2 * std::ssize(picture_.cue_shape)) return;
  const std::uint16_t word = picture_.cue_shape[static_cast<std::size_t>(index / 2)];
  const int width = index % 2 == 0 ? word >> 8 : word & 0xFF;
  // On the right the marker points the other way, toward the text.
  int widest = 0;
  for (const std::uint16_t w : picture_.cue_shape) widest = std::max({widest, w >> 8, w & 0xFF});
  const int left = picture_.cue_right ? picture_.cue_column + widest - width : picture_.cue_column;
  const auto colour = static_cast<std::uint8_t>(picture_.cue_colour);
  for (int x = std::max(0, left); x < std::min(kPictureWidth, left + width); ++x) {
    out[static_cast<std::size_t>(x)] = colour;
  }
}

std::vector<std::uint8_t> SoftCard::ComposePicture() const {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kPictureWidth) *
                                   static_cast<std::size_t>(VisibleRows()));
  const std::int64_t top = first_row_ + top_micro_ / kMicro;
  for (int row = 0; row < VisibleRows(); ++row) {
    ComposeLine(
        row, top + row,
        std::span(pixels).subspan(static_cast<std::size_t>(row) * kPictureWidth, kPictureWidth));
  }
  return pixels;
}

}  // namespace telvane::devices
