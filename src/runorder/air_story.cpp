// The story on air: marking it, finding it, and the Show Top, Last and Air Story commands.

#include "runorder/run_order.h"

namespace telvane::runorder {

void RunOrder::ClearAirStory() {
  for (r_object* e = first_story(); e != run_end(); e = e->next) {
    if (e->line != nullptr) e->line->flags2 &= ~store::line_state::kOnAir;
  }
  const bool had = air_story_ != nullptr;
  air_story_ = nullptr;
  if (had) observer_.AirStoryChanged(nullptr, true);
  observer_.TimingChanged();
  observer_.RunOrderChanged();
}

void RunOrder::SetAirStory(r_object* entry) {
  if (entry == nullptr || entry == run_end() || entry->line == nullptr ||
      IsPendingOrSetAside(StatusOf(*entry))) {
    observer_.TimingChanged();
    return;
  }
  const bool story_changed = air_story_ != entry;
  for (r_object* e = first_story(); e != run_end(); e = e->next) {
    if (e != entry) {
      e->line->flags2 &= ~store::line_state::kOnAir;
    }
  }
  entry->line->flags2 |= store::line_state::kOnAir;
  air_story_ = entry;
  if (options_.background_auto_slug && story_changed) {
    observer_.BackgroundMessage(SlugText(*entry, options_, options_.remove_number_on_prompt));
  }
  observer_.AirStoryChanged(entry, story_changed);
  if (options_.pnew_on_button_start) {
    const r_object* pnew = FindLastPnew();
    if (pnew != nullptr && PaddedId(pnew->story_id) != PaddedId(entry->story_id)) {
      ExchangePnew(
          {.show_messages = false, .restart_prompt = true, .report = true, .from_prompt = true});
    }
  }
  if (options_.run_order_prompt_track && air_story_ != nullptr) {
    const int row = RowOf(air_story_) - options_.run_order_track_offset;
    top_row_ = row < 1 ? 1 : row;
    observer_.ScrollRowToTop(top_row_);
  }
  observer_.TimingChanged();
  observer_.RunOrderChanged();
}

RunOrder::AirFind RunOrder::FindAirStory() const {
  if (pinned_air_ != nullptr) {
    return {pinned_air_, RowOf(pinned_air_)};
  }
  int row = 1;
  for (r_object* e = first_story(); e != run_end(); e = e->next, ++row) {
    if (IsOnAir(*e)) {
      return {e, row};
    }
  }
  return {};
}

void RunOrder::ShowTopStory() {
  if (empty()) {
    return;
  }
  r_object* story = first_story();
  if (options_.multi_run) {
    for (r_object* e = first_story(); e != run_end(); e = e->next) {
      if (!IsInactive(*e)) {
        story = e;
        break;
      }
    }
  }
  Select(story);
  top_row_ = RowOf(story);
  observer_.ScrollRowToTop(top_row_);
}

void RunOrder::ShowLastStory() {
  for (r_object* e = run_end()->prev; e != run_head(); e = e->prev) {
    const StoryStatus s = StatusOf(*e);
    if (s == StoryStatus::kDrop || s == StoryStatus::kTemp ||
        (options_.multi_run && IsInactive(*e))) {
      continue;
    }
    Select(e);
    top_row_ = RowOf(e);
    observer_.ScrollRowToTop(top_row_);
    return;
  }
}

void RunOrder::ShowAirStory() {
  if (!Prompting()) {
    Info({message::kNoAirStory});
    return;
  }
  const AirFind air = FindAirStory();
  if (air.entry == nullptr) {
    return;
  }
  Select(air.entry);
  top_row_ = air.row;
  observer_.ScrollRowToTop(top_row_);
}

}  // namespace telvane::runorder
