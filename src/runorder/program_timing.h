#pragma once

// The programme timing window's model: one row for every slug line, timing line and line
// directly after a timing line, with their times; the remaining time fed by the prompt
// position; the countdown of the inserts the prompt passed; and the programme timer's start
// and current values, their difference from the run time and the two progress gauges.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runorder/insert_countdown.h"
#include "runorder/run_grid_model.h"
#include "runorder/run_times.h"

namespace telvane::runorder {

struct ClockTime {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

long long SecondsOf(const ClockTime& time);
// Limited to 0 .. 99:59:59.
ClockTime ClockOf(long long seconds);
// "mm:ss" or "hh:mm:ss" read back into seconds; none for any other text.
std::optional<long long> ParseClockText(std::string_view text);

struct ProgramTimingOptions {
  TimingOptions timing;
  RunOrderOptions ids;         // the slug brackets around the identifiers
  bool ap_newscenter = false;  // "AP NewsCenter Remote Script" (Main)
  bool prompt_track = false;   // "Run Order Prompt Track" (Run Order)
  int track_offset = 1;        // "Run Order Track Offset" (Run Order)
  Rgb run_b = grid_colour::kWhite, run_f = grid_colour::kBlack;
  Rgb high_b = 0xD77800, high_f = grid_colour::kWhite;
  ClockTime timer_start{0, 0, 30};  // "Timerst Hrs", "Timerst Mins", "Timerst Secs" (Clock)
};

ProgramTimingOptions ProgramTimingOptionsFrom(const config::Settings& settings);

inline constexpr int kTimingColumns = 9;

// Catalogue numbers of the window: its caption, the hints of its buttons and panels, and the
// status texts beside the difference.
namespace timing_message {
inline constexpr int kCaption = 561;
inline constexpr int kTimingCloak = 562;
inline constexpr int kTimingUncloak = 563;
inline constexpr int kStart = 570;
inline constexpr int kStop = 571;
inline constexpr int kPause = 572;
inline constexpr int kTimerPanel = 573;
inline constexpr int kRunTimePanel = 574;
inline constexpr int kDifferencePanel = 575;
inline constexpr int kAutoLoad = 576;
inline constexpr int kAbort = 577;
inline constexpr int kEqualHint = 1229;
inline constexpr int kOverHint = 1230;
inline constexpr int kUnderHint = 1231;
inline constexpr int kEqual = 1232;
inline constexpr int kOver = 1233;
inline constexpr int kUnder = 1234;
}  // namespace timing_message

// What the panels and gauges show.
struct TimingDisplays {
  std::string timer;       // the timer's current value, "hh:mm:ss"
  std::string run_time;    // the run time panel, "hh:mm:ss"
  std::string difference;  // |run time - timer|, "hh:mm:ss"
  int status_message = timing_message::kEqual;
  int difference_hint = timing_message::kEqualHint;
  int progress_max = 0;  // both gauges
  int timer_progress = 0;
  int prompt_progress = 0;
};

class ProgramTiming {
 public:
  ProgramTiming(store::ScriptStore& store, ProgramTimingOptions options);

  const ProgramTimingOptions& options() const { return options_; }
  void set_options(ProgramTimingOptions options);

  // --- Rows ---
  void Rebuild();
  // The rows plus the header and an empty last row; with prompt tracking and at least one
  // row, visible_rows more so that the last rows scroll to the top.
  int RowCount(int visible_rows) const;
  int line_rows() const { return static_cast<int>(rows_.size()); }
  // The line of row (1-based); null for the header and beyond.
  store::e_object* LineAt(int row) const;
  Cell HeaderCell(int column) const;
  Cell DataCell(int row, int column) const;
  static CellColours HeaderColours() { return {grid_colour::kTeal, grid_colour::kYellow}; }
  CellColours Colours(int row, int column, bool selected, bool window_active) const;
  // With prompt tracking: the top row that keeps the AIR story's slug row track_offset rows
  // below the top.
  std::optional<int> TrackedTopRow(const store::r_object* air) const;

  // --- The run time ---
  // The prompt reached line: the remaining time from it, with the inserts still counting.
  void ShowRemainingTime(store::e_object& line);
  const std::string& run_time_text() const { return run_time_; }

  // --- Inserts ---
  // The prompt passed a timing line.
  void InsertPassed(store::e_object& line);
  // One second of the insert timer.
  void InsertSecond();
  const InsertCountdown& countdown() const { return countdown_; }
  // Whether the one-second insert timer runs now.
  bool insert_timer_on() const { return insert_timer_on_; }

  // --- The programme timer ---
  // Start, or stop when running; presses within 500 ms of the last one are ignored. True when
  // the press counted.
  bool StartPressed(std::int64_t now_ms);
  bool timer_running() const { return running_; }
  bool paused() const { return paused_; }
  void TogglePause();
  // Drops the insert counting down and empties the queue.
  void Abort();
  // The run time becomes the timer's start and current value.
  void AutoLoad();
  // One second of the programme timer.
  void TimerSecond();
  const ClockTime& timer_start() const { return timer_start_; }
  const ClockTime& timer_current() const { return timer_current_; }

  // --- Timing cloak ---
  bool CanTimingCloak(int row) const;
  // Toggles flag 0x2000 of the row's timing line; its story is counted again and the script
  // marked changed. Yields the line, null when the row is no timing row.
  store::e_object* ToggleTimingCloak(int row);

  TimingDisplays Displays(bool prompting) const;

  // A new script: the queue, the offset and the insert timer start again from nothing.
  void Reset();

 private:
  enum class Kind { kSlug, kTiming, kAfterTiming };
  struct Row {
    store::LineRef line;
    Kind kind;
  };
  const Row* RowAt(int row) const;
  void UpdateRunTime();
  std::string Short(double units) const;

  store::ScriptStore& store_;
  ProgramTimingOptions options_;
  std::vector<Row> rows_;
  InsertCountdown countdown_;
  store::LineRef last_line_;
  std::string run_time_ = "00:00:00";
  bool insert_timer_on_ = false;
  bool running_ = false;
  bool paused_ = false;
  std::optional<std::int64_t> last_press_;
  int progress_max_ = 0;
  ClockTime timer_start_;
  ClockTime timer_current_;
};

}  // namespace telvane::runorder
