#include "runorder/run_order.h"

namespace telvane::runorder {

RunOrder::RunOrder(store::ScriptStore& store, RunOrderObserver& observer, RunOrderDialogs& dialogs)
    : store_(store), observer_(observer), dialogs_(dialogs) {
  store_.AddEntryWatcher(this);
  EntriesReplaced();
}

RunOrder::~RunOrder() {
  store_.RemoveEntryWatcher(this);
}

void RunOrder::EntriesReplaced() {
  selected_first_ = selected_last_ = store_.run_end();
  air_story_ = pinned_air_ = pending_start_ = nullptr;
  undo_ = {};
  top_row_ = 1;
  exchange_pending_ = false;
}

void RunOrder::BeforeEntryRemoved(r_object& entry) {
  observer_.EntryRemoved(entry);
  if (air_story_ == &entry) {
    air_story_ = nullptr;
  }
  if (pinned_air_ == &entry) {
    pinned_air_ = nullptr;
  }
  if (pending_start_ == &entry) {
    pending_start_ = nullptr;
  }
  if (undo_.first == &entry || undo_.last == &entry || undo_.following == &entry ||
      undo_.selected_first == &entry || undo_.selected_last == &entry) {
    undo_ = {};
  }
  // The selection moves on to the next entry, or back when the removed one was the last.
  r_object* on =
      entry.next == store_.run_end() && entry.prev != store_.run_head() ? entry.prev : entry.next;
  if (selected_first_ == &entry && selected_last_ == &entry) {
    selected_first_ = selected_last_ = on;
  } else if (selected_first_ == &entry) {
    selected_first_ = entry.next;
  } else if (selected_last_ == &entry) {
    selected_last_ = entry.prev;
  }
}

int RunOrder::RowOf(const r_object* entry) const {
  int row = 1;
  for (const r_object* e = first_story(); e != nullptr && e != store_.run_tail(); e = e->next) {
    if (e == entry) {
      return row;
    }
    ++row;
  }
  return 0;
}

r_object* RunOrder::EntryAtRow(int row) const {
  r_object* e = first_story();
  for (int r = 1; r < row && e != run_end(); ++r) {
    e = e->next;
  }
  return row < 1 ? first_story() : e;
}

int RunOrder::story_count() const {
  return RowOf(run_end()) - 1;
}

std::vector<r_object*> RunOrder::Stories() const {
  std::vector<r_object*> out;
  for (r_object* e = first_story(); e != run_end(); e = e->next) {
    out.push_back(e);
  }
  return out;
}

void RunOrder::Select(r_object* first, r_object* last) {
  selected_first_ = first;
  selected_last_ = last == nullptr ? first : last;
  if (RowOf(selected_last_) < RowOf(selected_first_)) {
    std::swap(selected_first_, selected_last_);
  }
  observer_.SelectionChanged(selected_first_, selected_last_);
}

void RunOrder::SelectRows(int top, int bottom) {
  Select(EntryAtRow(top), EntryAtRow(bottom));
}

std::vector<r_object*> RunOrder::SelectedEntries() const {
  std::vector<r_object*> out;
  if (selected_first_ == nullptr) {
    return out;
  }
  for (r_object* e = selected_first_; e != nullptr && e != store_.run_tail(); e = e->next) {
    out.push_back(e);
    if (e == selected_last_) {
      return out;
    }
  }
  // The last selected entry is no longer below the first: the first alone stays selected.
  return {selected_first_};
}

r_object* RunOrder::CreateStoryEntry(e_object* slug_line) {
  r_object* entry = store_.CreateStoryEntry(slug_line);
  if (entry == nullptr) {
    return nullptr;
  }
  ParseSlugInto(store_, *entry, options_);
  entry->story_presenter = static_cast<std::int32_t>(
      (slug_line->flags & store::line_flag::kPresenterMask) >> store::line_flag::kPresenterShift);
  if (entry->story_presenter == 0) {
    entry->story_presenter = slug_line->presenter;
  }
  observer_.RunOrderChanged();
  return entry;
}

void RunOrder::RemoveStoryEntry(r_object* entry) {
  if (entry == nullptr || entry == run_end() || entry == run_head() || entry == store_.run_tail()) {
    return;
  }
  store_.RemoveStoryEntry(entry);
  observer_.RunOrderChanged();
}

r_object* RunOrder::StoryOfLine(const e_object* line) const {
  if (line == nullptr || store::IsMargin(*line)) {
    return nullptr;
  }
  for (const e_object* l = line; l != nullptr && !store::IsMargin(*l); l = l->prev) {
    if (store::IsSlugLine(*l)) {
      return l->story;
    }
  }
  return nullptr;
}

void RunOrder::Unlink(r_object* e) {
  e->prev->next = e->next;
  e->next->prev = e->prev;
}

void RunOrder::LinkBefore(r_object* e, r_object* t) {
  e->next = t;
  e->prev = t->prev;
  t->prev->next = e;
  t->prev = e;
}

namespace {

bool IsStory(const store::ScriptStore& store, const r_object* e) {
  return e != nullptr && e != store.run_end() && e != store.run_head() && e != store.run_tail() &&
         e->line != nullptr;
}

}  // namespace

void RunOrder::MoveStoryBefore(r_object* s, r_object* t) {
  if (!IsStory(store_, s) || s == t || s->next == t || t == nullptr || t == run_head() ||
      t == store_.run_tail()) {
    return;
  }
  e_object* first = s->line;
  e_object* last = LastLineOfStory(store_, first);
  Unlink(s);
  LinkBefore(s, t);
  e_object* after = t == run_end() ? store_.last_line() : t->line->prev;
  if (after == last) {
    return;
  }
  store_.MoveLines(first, last, after);
}

void RunOrder::MoveStoryAfter(r_object* s, r_object* t) {
  if (!IsStory(store_, s) || !IsStory(store_, t) || s == t || t->next == s) {
    return;
  }
  e_object* first = s->line;
  e_object* last = LastLineOfStory(store_, first);
  Unlink(s);
  LinkBefore(s, t->next);
  // Cut first: t's story may end where s began.
  store_.MoveLines(first, last, store_.edit_head());
  store_.MoveLines(first, last, LastLineOfStory(store_, t->line));
}

void RunOrder::InheritStatus(r_object* s) {
  if (!IsStory(store_, s) || StatusOf(*s) == StoryStatus::kTemp) {
    return;
  }
  if (s->prev == run_head()) {
    SetStatus(s, StoryStatus::kNone);
    return;
  }
  const StoryStatus p = StatusOf(*s->prev);
  if (p == StoryStatus::kTemp) {
    return;
  }
  if ((options_.multi_run && s->second_id != s->prev->second_id) || p == StoryStatus::kNew ||
      p == StoryStatus::kPnew || p == StoryStatus::kRep) {
    SetStatus(s, StoryStatus::kNone);
    return;
  }
  SetStatus(s, p);
}

void RunOrder::SetStatus(r_object* entry, StoryStatus status) {
  if (IsStory(store_, entry)) {
    SetStoryStatus(store_, entry->line, status);
  }
}

void RunOrder::TakeNeighbourProgram(r_object* s) {
  if (!options_.avstar_multi_run) {
    return;
  }
  const r_object* n = s->prev != run_head() ? s->prev : s->next;
  if (IsStory(store_, n)) {
    s->program = n->program;
  }
}

void RunOrder::RecordUndo(r_object* first, r_object* last, r_object* following) {
  undo_ = {first, last, following, top_row_, selected_first_, selected_last_};
}

void RunOrder::Changed() {
  store_.MarkChanged(true);
  observer_.RunOrderChanged();
  observer_.RefreshEditor();
  observer_.TimingChanged();
}

}  // namespace telvane::runorder
