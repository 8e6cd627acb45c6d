#include "runorder/run_times.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "runorder/story_status.h"

namespace telvane::runorder {

using store::e_object;
using store::r_object;

namespace {

int DigitOr(char c, int fallback) {
  return c >= '0' && c <= '9' ? c - '0' : fallback;
}

std::string_view Trim(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

bool ReadWhole(std::string_view part, long long& value) {
  if (part.empty()) return false;
  const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
  return error == std::errc() && end == part.data() + part.size();
}

bool CountedCharacter(unsigned char c) {
  return !((c >= 32 && c <= 47) || (c >= 58 && c <= 64) || c == 91 || c == 92 ||
           (c >= 123 && c <= 127));
}

std::uint32_t TextUnits(std::string_view text, bool character_count) {
  std::uint32_t n = 0;
  if (character_count) {
    for (const char c : text) n += CountedCharacter(static_cast<unsigned char>(c)) ? 1 : 0;
    return n;
  }
  // The last character is never examined: a word standing alone there is not counted.
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != ' ' && (i == 0 || text[i - 1] == ' ')) ++n;
  }
  return n;
}

std::uint32_t Saturated(std::uint64_t units) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(units, UINT32_MAX));
}

std::string Two(long long n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

double SpeechRate(std::string_view text) {
  const std::string_view t = Trim(text);
  double rate = 1.0;
  if (t.size() == 1) {
    rate = t[0] >= '0' && t[0] <= '9' ? t[0] - '0' : 1.0;
  } else if (t.size() == 2) {
    rate = 10 * DigitOr(t[0], 0) + DigitOr(t[1], 0);
  } else if (t.size() >= 3) {
    rate = (10 * DigitOr(t[0], 0) + DigitOr(t[2], 0)) / 10.0;
  }
  return ClampRate(rate);
}

double ClampRate(double rate) {
  if (!std::isfinite(rate)) return kMinSpeechRate;
  return std::clamp(rate, kMinSpeechRate, kMaxSpeechRate);
}

TimingOptions TimingOptionsFrom(const config::Settings& s) {
  using config::Key;
  TimingOptions o;
  o.speech_rate = SpeechRate(s.Text(Key::kConstantsSpeechRate));
  o.character_count = s.Bool(Key::kConstantsCharacterCount);
  o.inverse_slug = s.Bool(Key::kScriptInverseSlug);
  o.studio_instructions = s.Bool(Key::kMainStudioInstructions);
  o.multi_run = s.Bool(Key::kMenuMultiRun);
  o.presenters_enabled = s.Bool(Key::kPresenterEnabled);
  for (int n = 0; n < config::Settings::kPresenters; ++n) {
    o.presenter_rates[static_cast<std::size_t>(n)] = ClampRate(s.Presenter(n + 1).speech_rate);
  }
  return o;
}

std::uint32_t TimingValue(std::string_view text, double rate, bool timing_only) {
  if (text.size() < 5 || text[1] != '/' || (!timing_only && text[2] == '*')) return 0;
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return 0;
  std::string_view rest = text.substr(blank + 1);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  const std::string_view token = rest.substr(0, rest.find(' '));
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t colon = token.find(':', start);
    parts.push_back(token.substr(start, colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  // Only the last three parts count: hours, minutes, seconds.
  if (parts.size() > 3) parts.erase(parts.begin(), parts.end() - 3);
  long long seconds = 0;
  for (const std::string_view part : parts) {
    long long value = 0;
    if (!ReadWhole(part, value) || value < 0 || value > 1'000'000) return 0;
    seconds = seconds * 60 + value;
  }
  const auto k = static_cast<long long>(std::lround(ClampRate(rate) * 10));
  return Saturated(static_cast<std::uint64_t>(seconds * k / 10));
}

namespace {

bool Uncounted(const e_object& line, const TimingOptions& o, bool honour_exclusion) {
  using namespace store::line_flag;
  return (honour_exclusion && HasFlag(line, kTimingCloaked)) ||
         (store::IsSlugLine(line) && o.inverse_slug) || HasFlag(line, kCloaked) ||
         HasFlag(line, kPresenterInstruction) || HasFlag(line, kPackage);
}

bool IsTiming(const e_object& line) {
  return (line.flags2 & store::line_state::kTimingLine) != 0;
}

std::uint32_t StudioUnits(const e_object& line, const TimingOptions& o, bool timing_only) {
  const std::string& studio = line.studio_text;
  if (o.studio_instructions && studio.size() > 4 && studio.find(' ') != std::string::npos &&
      studio.starts_with("//") && studio[2] != '/') {
    return TimingValue(studio, o.speech_rate, timing_only);
  }
  return 0;
}

}  // namespace

std::uint32_t LineUnits(const e_object& line, const TimingOptions& o, bool honour_exclusion,
                        bool timing_only) {
  if (Uncounted(line, o, honour_exclusion)) return 0;
  const std::string text = line.text_a + line.text_b;
  if (IsTiming(line)) return TimingValue(text, o.speech_rate, timing_only);
  const std::uint32_t units = StudioUnits(line, o, timing_only);
  if (timing_only) return units;
  return Saturated(std::uint64_t{units} + TextUnits(text, o.character_count));
}

std::uint32_t InsertUnits(const e_object& line, const TimingOptions& o) {
  if (Uncounted(line, o, true)) return 0;
  if (IsTiming(line)) return TimingValue(line.text_a + line.text_b, o.speech_rate, false);
  return StudioUnits(line, o, false);
}

std::uint32_t StoryLength(const store::ScriptStore& store, const r_object& entry,
                          const TimingOptions& o) {
  if (entry.line == nullptr) return 0;
  std::uint64_t units = o.inverse_slug ? 0 : LineUnits(*entry.line, o, true, false);
  for (const e_object* l = entry.line->next;
       l != store.edit_tail() && !store::IsSlugLine(*l) && !store::IsMargin(*l); l = l->next) {
    units += LineUnits(*l, o, true, false);
  }
  return Saturated(units);
}

r_object* UpdateStoryLength(const store::ScriptStore& store, const e_object& line,
                            const TimingOptions& o) {
  const e_object* l = &line;
  while (!store::IsSlugLine(*l) && l != store.first_line()) l = l->prev;
  r_object* entry = store::IsSlugLine(*l) ? l->story : nullptr;
  if (entry != nullptr) entry->length = StoryLength(store, *entry, o);
  return entry;
}

std::uint64_t RecountAllStories(store::ScriptStore& store, const TimingOptions& o) {
  std::uint64_t total = 0;
  for (r_object* e = store.run_head()->next; e != store.run_end(); e = e->next) {
    e->length = StoryLength(store, *e, o);
    if (!IsInactive(*e)) total += e->length;
  }
  return total;
}

std::string FormatDuration(double seconds, DurationForm form) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  seconds = std::min(seconds, 359999.0);
  auto h = static_cast<long long>(seconds / 3600);
  auto m = static_cast<long long>((seconds - 3600.0 * h) / 60);
  auto s = static_cast<long long>(std::nearbyint(seconds - 3600.0 * h - 60.0 * m));
  if (s == 60) {
    s = 0;
    if (m == 59) {
      m = 0;
      if (h < 99) ++h;
    } else {
      ++m;
    }
  }
  const bool hours =
      form == DurationForm::kAlwaysHours || (form == DurationForm::kHoursWhenNeeded && h != 0);
  return (hours ? Two(h) + ":" : "") + Two(m) + ":" + Two(s);
}

double StoryRate(const r_object& entry, const TimingOptions& o) {
  const int p = entry.story_presenter;
  if (o.presenters_enabled && p >= 1 && p <= config::Settings::kPresenters) {
    return ClampRate(o.presenter_rates[static_cast<std::size_t>(p - 1)]);
  }
  return ClampRate(o.speech_rate);
}

std::string StoryTime(const r_object& entry, const TimingOptions& o) {
  return FormatDuration(entry.length / StoryRate(entry, o), DurationForm::kShort);
}

void RunTimeline::Rebuild(const std::vector<r_object*>& stories, const TimingOptions& o) {
  stories_ = stories;
  multi_run_ = o.multi_run;
  rate_ = ClampRate(o.speech_rate);
  index_.clear();
  totals_.assign(stories.size(), 0);
  texts_.assign(stories.size(), std::string());
  std::uint64_t sum = 0;
  std::map<std::string, std::uint64_t> by_program;
  for (std::size_t i = 0; i < stories.size(); ++i) {
    index_[stories[i]] = i;
    std::uint64_t& total = multi_run_ ? by_program[stories[i]->second_id] : sum;
    total += stories[i]->length;
    totals_[i] = total;
    texts_[i] = TextAt(i, rate_);
  }
}

std::string RunTimeline::TextAt(std::size_t i, double rate) const {
  if (IsPendingOrSetAside(StatusOf(*stories_[i]))) return {};
  return FormatDuration(static_cast<double>(totals_[i]) / rate, DurationForm::kHoursWhenNeeded);
}

bool RunTimeline::StoryEdited(const store::ScriptStore& store, r_object& entry,
                              const TimingOptions& o) {
  const auto it = index_.find(&entry);
  if (it == index_.end()) return false;
  const std::size_t at = it->second;
  const std::uint32_t before = entry.length;
  entry.length = StoryLength(store, entry, o);
  // Unsigned arithmetic wraps back correctly whichever way the length moved.
  const std::uint64_t delta = std::uint64_t{entry.length} - before;
  totals_[at] += delta;
  texts_[at] = TextAt(at, rate_);
  if (delta == 0) return true;
  for (std::size_t i = at + 1; i < stories_.size(); ++i) {
    if (multi_run_ && stories_[i]->second_id != entry.second_id) continue;
    totals_[i] += delta;
    texts_[i] = TextAt(i, rate_);
  }
  return true;
}

std::string RunTimeOf(const r_object* first, const r_object* last, const r_object* run_end,
                      const TimingOptions& o) {
  std::uint64_t sum = 0;
  for (const r_object* e = first; e != nullptr && e != run_end; e = e->next) {
    sum += e->length;
    if (e == last) break;
  }
  return FormatDuration(static_cast<double>(sum) / ClampRate(o.speech_rate),
                        DurationForm::kHoursWhenNeeded);
}

namespace {

const e_object* SlugAbove(const store::ScriptStore& store, const e_object* l) {
  while (!store::IsSlugLine(*l) && l != store.first_line()) l = l->prev;
  return l;
}

bool EndsStretch(const store::ScriptStore& store, const e_object* l) {
  return l == store.edit_tail() || store::IsSlugLine(*l) ||
         (l->flags2 & store::line_state::kTimingLine) != 0;
}

}  // namespace

std::string LineAccumulatedTime(const store::ScriptStore& store, const e_object& line,
                                const TimingOptions& o) {
  const e_object* slug = SlugAbove(store, &line);
  const r_object* story = store::IsSlugLine(*slug) ? slug->story : nullptr;
  std::uint64_t units = 0;
  if (story != nullptr) {
    for (const r_object* e = store.run_head()->next; e != story && e != store.run_end();
         e = e->next) {
      if (!o.multi_run || e->second_id == story->second_id) units += e->length;
    }
  }
  const auto add = [&](const e_object* l) {
    if (!store::IsMargin(*l)) units += LineUnits(*l, o, true, false);
  };
  const e_object* l = slug;
  if (&line == slug) {
    add(l);
    for (l = l->next; !EndsStretch(store, l) && !store::IsMargin(*l); l = l->next) add(l);
  } else {
    for (; l != &line; l = l->next) add(l);
    add(l);
    if ((line.flags2 & store::line_state::kTimingLine) == 0) {
      for (l = l->next; !EndsStretch(store, l); l = l->next) add(l);
    }
  }
  return FormatDuration(static_cast<double>(units) / ClampRate(o.speech_rate),
                        DurationForm::kHoursWhenNeeded);
}

double RemainingSeconds(const store::ScriptStore& store, const e_object& line,
                        const TimingOptions& o, bool ap_newscenter, double offset) {
  const r_object* story = UpdateStoryLength(store, line, o);
  double seconds = 0;
  double units = 0;
  const auto add = [&](double story_units, const r_object* e) {
    if (o.presenters_enabled && e != nullptr) {
      seconds += story_units / StoryRate(*e, o);
    } else {
      units += story_units;
    }
  };
  if (story == nullptr || !IsInactive(*story)) {
    std::uint64_t left = 0;
    for (const e_object* l = &line;
         l != store.edit_tail() && !store::IsMargin(*l) && (l == &line || !store::IsSlugLine(*l));
         l = l->next) {
      const auto code = l->flags & store::line_flag::kStatusMask;
      if (code == static_cast<std::uint32_t>(StoryStatus::kTemp) ||
          code == static_cast<std::uint32_t>(StoryStatus::kDrop)) {
        break;
      }
      left += LineUnits(*l, o, true, false);
    }
    add(static_cast<double>(left), story);
  }
  const r_object* e = story == nullptr ? store.run_head()->next : story->next;
  for (; e != nullptr && e != store.run_end(); e = e->next) {
    if (IsPendingOrSetAside(StatusOf(*e))) break;
    if (IsInactive(*e) || (ap_newscenter && !e->story_id.empty() &&
                           (e->story_id[0] == 'Z' || e->story_id[0] == 'z'))) {
      continue;
    }
    add(e->length, e);
  }
  return seconds + units / ClampRate(o.speech_rate) + offset;
}

}  // namespace telvane::runorder
