// Dropping stories to the end of the run order and undropping them, and REP back to none.

#include <algorithm>

#include "runorder/run_order.h"

namespace telvane::runorder {

void RunOrder::DropStories() {
  if (empty()) {
    return;
  }
  if (Locked()) {
    Info({message::kRunOrderLocked});
    return;
  }
  // The stories are taken before any moves, so that a skipped story at the top does not keep
  // the ones below it from being dropped.
  std::vector<r_object*> selected = SelectedEntries();
  std::erase(selected, run_end());
  if (selected.empty()) {
    return;
  }
  const AirFind air = FindAirStory();
  if (Prompting() && air.entry != nullptr &&
      std::find(selected.begin(), selected.end(), air.entry) != selected.end()) {
    if (!options_.auto_delete_on_air) {
      Info({message::kAirStoryNotDropped});
      return;
    }
    if (!dialogs_.Confirm({message::kDropAirStory}, Buttons::kOkCancel)) {
      return;
    }
    air.entry->line->flags2 &= ~store::line_state::kOnAir;
    air_story_ = nullptr;
    r_object* jump = selected.back()->next;
    if (jump == run_end() || IsPendingOrSetAside(StatusOf(*jump))) {
      jump = run_end()->prev;
    }
    observer_.PromptJumpTo(jump);
    observer_.AirStoryChanged(nullptr, true);
  }
  observer_.FreezePrompt();
  const int top_row = RowOf(selected.front());
  bool changed = false;
  for (r_object* story : selected) {
    const StoryStatus status = StatusOf(*story);
    if (status == StoryStatus::kDrop || status == StoryStatus::kTemp) {
      continue;
    }
    e_object* last_line = LastLineOfStory(store_, story->line);
    if (StoryOfLine(store_.top_line().get()) == story) {
      e_object* to = story->line->prev;
      if (store::IsMargin(*to)) {
        to = last_line->next == store_.edit_tail() ? story->line : last_line->next;
      }
      store_.top_line() = to;
      store_.current_line() = to;
      store_.caret_column = 0;
    }
    r_object* destination = story;
    if (options_.multi_run) {
      for (r_object* e = story->next;
           e != run_end() && e->second_id == story->second_id &&
           !(StatusOf(*e) == StoryStatus::kDrop || StatusOf(*e) == StoryStatus::kTemp);
           e = e->next) {
        destination = e;
      }
    } else {
      destination = run_end()->prev;
      while (destination != story && StatusOf(*destination) == StoryStatus::kTemp) {
        destination = destination->prev;
      }
    }
    MoveStoryAfter(story, destination);
    SetStatus(story, StoryStatus::kDrop);
    changed = true;
  }
  SelectRows(top_row, top_row);
  if (changed) {
    Changed();
  }
  if (Prompting()) {
    observer_.PromptReposition();
  } else {
    observer_.ShowInEditor(selected_first_);
  }
  observer_.ReleasePrompt();
}

void RunOrder::UndropStory(r_object* entry) {
  if (entry == nullptr || entry == run_end() || StatusOf(*entry) != StoryStatus::kDrop) {
    return;
  }
  SetStatus(entry, StoryStatus::kNone);
  Changed();
}

void RunOrder::UndropAll() {
  bool any = false;
  for (r_object* e : Stories()) {
    if (StatusOf(*e) == StoryStatus::kDrop) {
      SetStatus(e, StoryStatus::kNone);
      any = true;
    }
  }
  if (any) {
    Changed();
  }
}

void RunOrder::ClearRepToNorm() {
  bool any = false;
  for (r_object* e : Stories()) {
    if (StatusOf(*e) == StoryStatus::kRep) {
      SetStatus(e, StoryStatus::kNone);
      any = true;
    }
  }
  if (any) {
    Changed();
  }
}

void RunOrder::ClearRep(r_object* entry) {
  if (entry != nullptr && entry != run_end() && StatusOf(*entry) == StoryStatus::kRep) {
    SetStatus(entry, StoryStatus::kNone);
    Changed();
  }
}

}  // namespace telvane::runorder
