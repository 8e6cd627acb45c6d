#pragma once

// "Change Story Font": the list the dialogue offers (the eight prompt fonts, or the fifteen
// presenters when the presenter feature is on) and what choosing an entry does to the
// selected stories.

#include <string>
#include <vector>

#include "config/settings.h"
#include "runorder/run_order.h"

namespace telvane::runorder {

inline constexpr int kStoryFontCaption = 786;
inline constexpr int kStoryFontLabel = 787;
inline constexpr int kNoStoryFontChosen = 788;

struct StoryFontList {
  bool presenters = false;
  // "1 Arial 64 12" (number, name, prompt size, edit size) or "1 Anna" (number, name).
  std::vector<std::string> entries;
  friend bool operator==(const StoryFontList&, const StoryFontList&) = default;
};

StoryFontList StoryFontEntries(const config::Settings& settings);

// Update with entry choice (1-based; 0 when none is chosen) of the list: every selected story
// takes the font, or the presenter and the presenter's font. Yields the message to show
// instead (kNoStoryFontChosen), 0 when the choice was applied.
int ApplyStoryFontChoice(RunOrder& run, const config::Settings& settings, int choice);

}  // namespace telvane::runorder
