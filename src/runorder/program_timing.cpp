#include "runorder/program_timing.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "config/colours.h"
#include "runorder/story_status.h"

namespace telvane::runorder {

using store::e_object;
using store::r_object;
namespace gc = grid_colour;

namespace {

constexpr long long kMaxClock = 359999;  // 99:59:59
constexpr std::int64_t kHoldOffMs = 500;
constexpr Rgb kGreen = 0x00FF00;
constexpr int kHeaders[kTimingColumns] = {155, 156, 158, 579, 566, 567, 568, 569, 747};

std::string Trimmed(std::string_view t) {
  const auto b = t.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return std::string(t.substr(b, t.find_last_not_of(' ') - b + 1));
}

bool IsTiming(const e_object& line) {
  return (line.flags2 & store::line_state::kTimingLine) != 0;
}

std::string FullText(const e_object& line) {
  return line.text_a + line.text_b;
}

// "//VT 1:30 pictures": the code "VT" and the text "1:30 pictures".
std::pair<std::string, std::string> Instruction(const e_object& line) {
  const std::string text = FullText(line);
  const auto blank = text.find(' ');
  const std::string code =
      text.substr(2, blank == std::string::npos ? std::string::npos : blank - 2);
  return {code, blank == std::string::npos ? std::string() : Trimmed(text.substr(blank + 1))};
}

}  // namespace

long long SecondsOf(const ClockTime& t) {
  return 3600LL * t.hours + 60LL * t.minutes + t.seconds;
}

ClockTime ClockOf(long long seconds) {
  seconds = std::clamp(seconds, 0LL, kMaxClock);
  return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60)};
}

std::optional<long long> ParseClockText(std::string_view text) {
  long long total = 0;
  int colons = 0;
  for (std::size_t start = 0;; ++colons) {
    const std::size_t colon = text.find(':', start);
    const std::string_view part = text.substr(start, colon - start);
    long long value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc() || end != part.data() + part.size() || value < 0) {
      return std::nullopt;
    }
    total = total * 60 + value;
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (colons < 1 || colons > 2) return std::nullopt;
  return total;
}

ProgramTimingOptions ProgramTimingOptionsFrom(const config::Settings& s) {
  using config::Key;
  ProgramTimingOptions o;
  o.timing = TimingOptionsFrom(s);
  o.ids = RunOrderOptionsFrom(s);
  o.ap_newscenter = s.Bool(Key::kMainApNewscenterRemoteScript);
  o.prompt_track = s.Bool(Key::kRunOrderRunOrderPromptTrack);
  o.track_offset = s.Int(Key::kRunOrderRunOrderTrackOffset);
  o.run_b = config::ResolveColour(s.Int(Key::kColorsRunB), o.run_b);
  o.run_f = config::ResolveColour(s.Int(Key::kColorsRunF), o.run_f);
  o.high_b = config::ResolveColour(s.Int(Key::kColorsHighB), o.high_b);
  o.high_f = config::ResolveColour(s.Int(Key::kColorsHighF), o.high_f);
  o.timer_start = ClockOf(3600LL * s.Int(Key::kClockTimerstHrs) +
                          60LL * s.Int(Key::kClockTimerstMins) + s.Int(Key::kClockTimerstSecs));
  return o;
}

ProgramTiming::ProgramTiming(store::ScriptStore& store, ProgramTimingOptions options)
    : store_(store),
      options_(options),
      countdown_(options_.timing.speech_rate, store.refs()),
      last_line_(store.refs(), store::OnDelete::kFollow, store::OnNewScript::kClear),
      timer_start_(options_.timer_start),
      timer_current_(options_.timer_start) {
  Rebuild();
}

void ProgramTiming::set_options(ProgramTimingOptions options) {
  const bool new_rate = options.timing.speech_rate != options_.timing.speech_rate;
  options_ = options;
  // The queued inserts were timed at the old rate: they start again at the new one.
  if (new_rate) {
    countdown_ = InsertCountdown(options_.timing.speech_rate, store_.refs());
    insert_timer_on_ = false;
  }
  Rebuild();
}

void ProgramTiming::Rebuild() {
  rows_.clear();
  bool after_timing = false;
  for (e_object* l = store_.first_line(); l != store_.edit_tail(); l = l->next) {
    if (store::IsMargin(*l)) continue;
    std::optional<Kind> kind;
    if (store::IsSlugLine(*l)) {
      kind = Kind::kSlug;
    } else if (IsTiming(*l)) {
      kind = Kind::kTiming;
    } else if (after_timing) {
      kind = Kind::kAfterTiming;
    }
    if (kind) {
      rows_.push_back(
          {store::LineRef(store_.refs(), store::OnDelete::kClear, store::OnNewScript::kClear, l),
           *kind});
    }
    after_timing = IsTiming(*l);
  }
}

int ProgramTiming::RowCount(int visible_rows) const {
  const int rows = line_rows() + 2;
  return options_.prompt_track && !rows_.empty() ? rows + visible_rows : rows;
}

const ProgramTiming::Row* ProgramTiming::RowAt(int row) const {
  if (row < 1 || row > line_rows()) return nullptr;
  const Row& r = rows_[static_cast<std::size_t>(row - 1)];
  return r.line.get() == nullptr ? nullptr : &r;
}

e_object* ProgramTiming::LineAt(int row) const {
  const Row* r = RowAt(row);
  return r == nullptr ? nullptr : r->line.get();
}

Cell ProgramTiming::HeaderCell(int column) const {
  if (column < 0 || column >= kTimingColumns) return {};
  return {{}, kHeaders[column]};
}

std::string ProgramTiming::Short(double units) const {
  return FormatDuration(units / ClampRate(options_.timing.speech_rate), DurationForm::kShort);
}

Cell ProgramTiming::DataCell(int row, int column) const {
  const Row* r = RowAt(row);
  if (r == nullptr) return {};
  const e_object& line = *r->line.get();
  const TimingOptions& o = options_.timing;
  Cell cell;
  cell.charset = store::CharsetOf(line);
  cell.centred = column != 3;
  if (column == 8) {
    cell.text = LineAccumulatedTime(store_, line, o);
    return cell;
  }
  if (r->kind == Kind::kSlug) {
    const r_object* e = line.story;
    if (e == nullptr) return cell;
    switch (column) {
      case 0:
        cell.text = e->story_id.empty() ? "??????" : e->story_id;
        break;
      case 1:
        cell.text = e->second_id;
        break;
      case 2:
        cell.text = IsOnAir(*e) ? "AIR" : Trimmed(StatusName(StatusOf(*e)));
        break;
      case 3:
        cell.text = Trimmed(SlugText(*e, options_.ids, true));
        break;
      case 5:
      case 6: {
        std::uint64_t inserts = 0;
        for (const e_object* l = line.next;
             l != store_.edit_tail() && !store::IsSlugLine(*l) && !store::IsMargin(*l);
             l = l->next) {
          inserts += InsertUnits(*l, o);
        }
        const double units =
            column == 6 ? static_cast<double>(inserts)
                        : static_cast<double>(e->length > inserts ? e->length - inserts : 0);
        cell.text = Short(units);
        break;
      }
      case 7:
        cell.text = Short(e->length);
        break;
      default:
        break;
    }
    return cell;
  }
  if (r->kind == Kind::kAfterTiming) {
    if (column == 3) cell.text = Trimmed(FullText(line));
    return cell;
  }
  switch (column) {
    case 3:
      cell.text = Instruction(line).second;
      break;
    case 4:
      cell.text = Instruction(line).first;
      break;
    case 6:
      cell.text = Short(TimingValue(FullText(line), o.speech_rate, true));
      break;
    case 7:
      if (countdown_.current() == &line) {
        cell.text = FormatDuration(countdown_.remaining(), DurationForm::kShort);
      }
      break;
    default:
      break;
  }
  return cell;
}

CellColours ProgramTiming::Colours(int row, int column, bool selected, bool window_active) const {
  const Row* r = RowAt(row);
  if (r == nullptr) return {options_.run_b, options_.run_f};
  if (selected) {
    return window_active ? CellColours{options_.high_b, options_.high_f}
                         : CellColours{gc::kSilver, gc::kBlack};
  }
  const e_object& line = *r->line.get();
  if (store::HasFlag(line, store::line_flag::kTimingCloaked)) return {gc::kWhite, gc::kSilver};
  if (column == 2 && r->kind == Kind::kSlug && line.story != nullptr && IsOnAir(*line.story)) {
    return {gc::kRed, gc::kWhite};
  }
  if (column == 7 && countdown_.current() == &line) return {gc::kBlack, kGreen};
  return {options_.run_b, options_.run_f};
}

std::optional<int> ProgramTiming::TrackedTopRow(const r_object* air) const {
  if (!options_.prompt_track || air == nullptr || air->line == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].line.get() == air->line) {
      return std::max(1, static_cast<int>(i) + 1 - options_.track_offset);
    }
  }
  return std::nullopt;
}

void ProgramTiming::ShowRemainingTime(e_object& line) {
  last_line_ = &line;
  UpdateRunTime();
}

void ProgramTiming::UpdateRunTime() {
  const double offset = countdown_.run_time_offset();
  if (last_line_.get() == nullptr || store::IsMargin(*last_line_.get())) {
    run_time_ = FormatDuration(offset, DurationForm::kAlwaysHours);
    return;
  }
  run_time_ = FormatDuration(
      RemainingSeconds(store_, *last_line_.get(), options_.timing, options_.ap_newscenter, offset),
      DurationForm::kAlwaysHours);
}

void ProgramTiming::InsertPassed(e_object& line) {
  if (!IsTiming(line) || !countdown_.Add(line)) return;
  if (running_ && !paused_) insert_timer_on_ = true;
  UpdateRunTime();
}

void ProgramTiming::InsertSecond() {
  if (!countdown_.Tick()) insert_timer_on_ = false;
  UpdateRunTime();
}

bool ProgramTiming::StartPressed(std::int64_t now_ms) {
  if (last_press_ && now_ms - *last_press_ < kHoldOffMs && now_ms >= *last_press_) return false;
  last_press_ = now_ms;
  if (running_) {
    running_ = false;
    paused_ = false;
    insert_timer_on_ = false;
    progress_max_ = 0;
    return true;
  }
  timer_current_ = timer_start_;
  paused_ = false;
  running_ = true;
  progress_max_ = static_cast<int>(SecondsOf(timer_start_));
  insert_timer_on_ = true;
  return true;
}

void ProgramTiming::TogglePause() {
  paused_ = !paused_;
  insert_timer_on_ = running_ && !paused_;
}

void ProgramTiming::Abort() {
  countdown_.Abort();
  UpdateRunTime();
}

void ProgramTiming::AutoLoad() {
  const std::optional<long long> seconds = ParseClockText(run_time_);
  if (!seconds) return;
  timer_start_ = timer_current_ = ClockOf(*seconds);
}

void ProgramTiming::TimerSecond() {
  if (!running_ || paused_) return;
  const long long left = SecondsOf(timer_current_);
  if (left > 0) timer_current_ = ClockOf(left - 1);
}

bool ProgramTiming::CanTimingCloak(int row) const {
  const Row* r = RowAt(row);
  return r != nullptr && r->kind == Kind::kTiming;
}

e_object* ProgramTiming::ToggleTimingCloak(int row) {
  if (!CanTimingCloak(row)) return nullptr;
  e_object* line = LineAt(row);
  line->flags ^= store::line_flag::kTimingCloaked;
  countdown_.TimingCloakChanged(*line);
  store_.MarkChanged(true);
  UpdateStoryLength(store_, *line, options_.timing);
  UpdateRunTime();
  return line;
}

TimingDisplays ProgramTiming::Displays(bool prompting) const {
  namespace m = timing_message;
  TimingDisplays d;
  const long long timer = SecondsOf(timer_current_);
  d.timer = FormatDuration(static_cast<double>(timer), DurationForm::kAlwaysHours);
  d.run_time = run_time_;
  d.progress_max = progress_max_;
  if (running_) d.timer_progress = std::max(0, progress_max_ - static_cast<int>(timer));
  const long long run = ParseClockText(run_time_).value_or(0);
  if (prompting) d.prompt_progress = std::max(0, progress_max_ - static_cast<int>(run));
  const long long diff = run - timer;
  if (diff < 0) {
    d.status_message = m::kUnder;
    d.difference_hint = m::kUnderHint;
  } else if (diff > 0) {
    d.status_message = m::kOver;
    d.difference_hint = m::kOverHint;
  }
  d.difference = FormatDuration(static_cast<double>(std::llabs(diff)), DurationForm::kAlwaysHours);
  return d;
}

void ProgramTiming::Reset() {
  countdown_.Reset();
  insert_timer_on_ = false;
  last_line_ = nullptr;
  run_time_ = "00:00:00";
  Rebuild();
}

}  // namespace telvane::runorder
