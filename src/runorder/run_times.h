#pragma once

// Reading units and times: how long a line, a story and a stretch of the run order take to
// read at the reading rate, and the texts of the time columns.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/settings.h"
#include "store/script_store.h"

namespace telvane::runorder {

inline constexpr double kMinSpeechRate = 0.1;
inline constexpr double kMaxSpeechRate = 9.9;

// "Speech Rate" read as digit, separator, digit, limited to 0.1 .. 9.9.
double SpeechRate(std::string_view text);
// A presenter's rate limited in the same way, so that no rate divides by zero.
double ClampRate(double rate);

struct TimingOptions {
  double speech_rate = 3.0;
  bool character_count = false;      // "Character Count" (Constants)
  bool inverse_slug = true;          // "Inverse Slug" (Script)
  bool studio_instructions = false;  // "Studio Instructions" (Main)
  bool multi_run = false;            // "Multi Run" (Menu)
  bool presenters_enabled = false;   // "Enabled" (Presenter)
  std::array<double, config::Settings::kPresenters> presenter_rates{};
};

TimingOptions TimingOptionsFrom(const config::Settings& settings);

// The duration of an instruction such as "//VT 1:30" in units at rate; 0 when the text is no
// instruction. Unless timing_only, an instruction written "//*" counts nothing.
std::uint32_t TimingValue(std::string_view text, double rate, bool timing_only);

// Reading units of one line.
std::uint32_t LineUnits(const store::e_object& line, const TimingOptions& options,
                        bool honour_exclusion, bool timing_only);

// The part of LineUnits (honour exclusion on) that comes from an instruction: the line's own
// when it is a timing line, its studio instruction's otherwise.
std::uint32_t InsertUnits(const store::e_object& line, const TimingOptions& options);

// The units of the story that begins at entry's slug line.
std::uint32_t StoryLength(const store::ScriptStore& store, const store::r_object& entry,
                          const TimingOptions& options);
// After an edit of line: recomputes and stores the length of the story holding it only.
// Returns that story's entry, null for a line above the first story.
store::r_object* UpdateStoryLength(const store::ScriptStore& store, const store::e_object& line,
                                   const TimingOptions& options);
// Stores StoryLength into every entry; returns the total of the active stories.
std::uint64_t RecountAllStories(store::ScriptStore& store, const TimingOptions& options);

enum class DurationForm { kShort, kHoursWhenNeeded, kAlwaysHours };
std::string FormatDuration(double seconds, DurationForm form);

// The rate a story is read at: its presenter's when presenters are enabled, else the setting.
double StoryRate(const store::r_object& entry, const TimingOptions& options);
// Column 2: the story's length at its rate, minutes and seconds.
std::string StoryTime(const store::r_object& entry, const TimingOptions& options);

// Column 3 for every story: the accumulated length from the first story down to each (with
// "Multi Run" only stories of the same programme ID) at the setting's rate, empty for PNEW,
// DROP and TEMP stories. Kept up to date story by story: an edit in one story recounts that
// story and touches only the accumulated times after it.
class RunTimeline {
 public:
  void Rebuild(const std::vector<store::r_object*>& stories, const TimingOptions& options);
  // The text of entry's story changed: its length is counted again and the stories after it
  // (of its programme with "Multi Run") take the difference. False when entry is not one of
  // the stories the timeline was built from; nothing changes then.
  bool StoryEdited(const store::ScriptStore& store, store::r_object& entry,
                   const TimingOptions& options);
  // Column 3 of the story at index (0 for the first story).
  const std::string& Text(std::size_t index) const { return texts_[index]; }
  std::size_t size() const { return stories_.size(); }

 private:
  std::string TextAt(std::size_t index, double rate) const;

  std::vector<store::r_object*> stories_;
  std::unordered_map<const store::r_object*, std::size_t> index_;
  std::vector<std::uint64_t> totals_;
  std::vector<std::string> texts_;
  bool multi_run_ = false;
  double rate_ = 3.0;
};

// The summed length of the stories from first to last (inclusive, stopping at run_end) in
// the hours-when-needed form.
std::string RunTimeOf(const store::r_object* first, const store::r_object* last,
                      const store::r_object* run_end, const TimingOptions& options);

// The programme timing window's column 8 at a line: the stories above it (same programme ID
// with "Multi Run") and its own story up to the end of the stretch the line begins.
std::string LineAccumulatedTime(const store::ScriptStore& store, const store::e_object& line,
                                const TimingOptions& options);

// Seconds left to read from line: the rest of its story (its length brought up to date first)
// and the following stories up to the first PNEW, TEMP or DROP one, inactive stories (and with
// "AP NewsCenter Remote Script" identifiers beginning with "Z") skipped; plus offset.
double RemainingSeconds(const store::ScriptStore& store, const store::e_object& line,
                        const TimingOptions& options, bool ap_newscenter, double offset);

}  // namespace telvane::runorder
