#include "devices/soft_card.h"

#include <algorithm>
#include <utility>

namespace telvane::devices {

namespace {

// The visible field is the active picture, one prompt row per picture line: 576 lines of
// 625-line output, 480 of 525-line. A new page puts its first row at the top of the field and
// the set-up block's cue line counts from there (word 5 less 44 or 34 lines of blanking), so
// with the usual cue line 3 the marker covers rows 3 to 36 (29 rows tall on 525 lines: 3 to
// 31) and the start line, which the engine sends 70 or 60 rows down the page, stands just
// below it.
constexpr int kVisibleRows625 = 576;
constexpr int kVisibleRows525 = 480;
constexpr int kCueBase625 = 44;
constexpr int kCueBase525 = 34;
constexpr int kHighestCue625 = 508;
constexpr int kHighestCue525 = 427;

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
      direction_ = Direction::kForward;
      request_.reset();
      slug_paused_ = false;
      ++counters_.pages;
      break;
    case CardCommand::kRefreshPage:
      rows_.assign(staged_.begin(), staged_.end());
      ++counters_.pages;
      break;
    case CardCommand::kRowsBelow:
      rows_.insert(rows_.end(), staged_.begin(), staged_.end());
      while (rows_held() > card_data::kPageRows) rows_.pop_front();
      top_micro_ = std::max<std::int64_t>(0, top_micro_ - fill);
      request_.reset();
      ++counters_.fills;
      break;
    case CardCommand::kRowsAbove:
      rows_.insert(rows_.begin(), staged_.begin(), staged_.end());
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
  const bool is_625 = lines_ == Lines::k625;
  const auto cue =
      static_cast<std::int64_t>(staged_words_[5]) - (is_625 ? kCueBase625 : kCueBase525);
  const int highest = is_625 ? kHighestCue625 : kHighestCue525;
  cue_row_.reset();
  if (cue >= 0 && cue <= highest) cue_row_ = static_cast<int>(cue);
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
  const std::int64_t elapsed = last_tick_ ? std::max<std::int64_t>(0, now_ms - *last_tick_) : 0;
  last_tick_ = now_ms;
  // The field stands still while held, paused at a slug line or blanked: nobody reads a black
  // screen, and the text should be where it was when the picture comes back.
  if (held_ || slug_paused_ || blanked() || rows_.empty()) return;
  const std::int64_t rate = MilliRowsPerSecond(speed_);
  if (rate == 0) return;

  // Milli-rows per second times milliseconds is micro-rows.
  const std::int64_t wanted = top_micro_ + rate * elapsed;
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
