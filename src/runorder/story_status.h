#pragma once

// Story statuses (bits 0..2 of the slug line's flags) and the story marks (the slug line's
// flags2: on air, inactive, saved; flag 0x40 on every line: cloaked).

#include <string_view>

#include "store/script_store.h"

namespace telvane::runorder {

enum class StoryStatus { kNone = 0, kNew = 1, kPnew = 2, kRep = 3, kDrop = 4, kTemp = 5 };

// The status of an entry's story; none for RunEnd. Codes 6 and 7 read as none.
StoryStatus StatusOf(const store::r_object& entry);
// The printed run order's four-character name ("NEW ", "PNEW", "REP ", "DROP", "TEMP", or
// four blanks for none).
std::string_view StatusName(StoryStatus status);
// The catalogue message of the grid's status cell; 0 for none (an empty cell).
int StatusMessage(StoryStatus status);

// The last line of the story that begins at slug (the line before the next slug line, or the
// last real line).
store::e_object* LastLineOfStory(const store::ScriptStore& store, store::e_object* slug);

// Writes the code into bits 0..2 of every line of the story from slug. With leave_story, a
// current line inside the story moves to the first line after the last story (so that the
// caret leaves a TEMP story).
void SetStoryStatus(store::ScriptStore& store, store::e_object* slug, StoryStatus status,
                    bool leave_story = false);

bool IsOnAir(const store::r_object& entry);
bool IsInactive(const store::r_object& entry);
// Sets or clears the inactive mark on every line of the story.
void SetInactive(store::ScriptStore& store, store::r_object& entry, bool inactive);
// Sets or clears flag 0x40 on every line of the story.
void SetCloaked(store::ScriptStore& store, store::r_object& entry, bool cloaked);
bool IsCloaked(const store::r_object& entry);

// A story that is PNEW, DROP or TEMP: never the AIR story, never a resequence candidate.
inline bool IsPendingOrSetAside(StoryStatus s) {
  return s == StoryStatus::kPnew || s == StoryStatus::kDrop || s == StoryStatus::kTemp;
}

}  // namespace telvane::runorder
