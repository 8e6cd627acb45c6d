#include "store/script_store.h"

#include <algorithm>
#include <new>

namespace telvane::store {

namespace {

constexpr char kMarginText[] = "...";
const std::string kMarginStyle(3, '\0');
constexpr char kMarginColour[] = "888";

void LinkAfter(e_object* anchor, e_object* line) {
  line->prev = anchor;
  line->next = anchor->next;
  anchor->next->prev = line;
  anchor->next = line;
}

void LinkBefore(e_object* anchor, e_object* line) {
  line->next = anchor;
  line->prev = anchor->prev;
  anchor->prev->next = line;
  anchor->prev = line;
}

// Identifier characters of a slug: non-blanks up to a comma or blank, at most 8 kept.
std::string ReadIdentifier(const std::string& text, std::size_t& pos) {
  std::string id;
  while (pos < text.size() && text[pos] != ' ' && text[pos] != ',') {
    if (id.size() < 8) {
      id += text[pos];
    }
    ++pos;
  }
  return id;
}

}  // namespace

ScriptStore::ScriptStore(const SegmentMeasure& measure, StoreNotices& notices)
    : measure_(measure), notices_(notices) {
  NewScript();
}

ScriptStore::~ScriptStore() {
  FreeAll();
}

e_object* ScriptStore::NewLine() const {
  auto* line = new e_object;
  line->flags = static_cast<std::uint32_t>(kDefaultCharset) << line_flag::kCharsetShift;
  line->keyboard_layout = typing_.keyboard_language;
  return line;
}

e_object* ScriptStore::NewMarginLine(std::uint32_t margin, bool with_segment_b) const {
  e_object* line = NewLine();
  line->text_a = kMarginText;
  line->style_a = kMarginStyle;
  line->colour_a = kMarginColour;
  if (with_segment_b) {
    line->text_b = kMarginText;
    line->style_b = kMarginStyle;
    line->colour_b = kMarginColour;
  }
  line->flags2 = margin;
  return line;
}

std::uint32_t ScriptStore::DefaultLineFlags() const {
  std::uint32_t flags = typing_.default_line_flags;
  if (typing_.right_to_left) {
    flags |= line_flag::kRightToLeft;
  }
  if (options_.presenter_mode) {
    flags = (flags & ~line_flag::kPresenterMask) |
            (static_cast<std::uint32_t>(typing_.presenter & 0xF) << line_flag::kPresenterShift);
  }
  return flags;
}

void ScriptStore::NewScript() {
  FreeAll();
  typing_.charset = kDefaultCharset;
  typing_.default_line_flags = static_cast<std::uint32_t>(kDefaultCharset)
                               << line_flag::kCharsetShift;
  typing_.keyboard_language = typing_.last_ltr_language;

  chain_first_ = NewMarginLine(line_state::kHeadMargin, true);
  e_object* last = chain_first_;
  for (int i = 0; i < kMarginLines; ++i) {
    e_object* line = NewMarginLine(line_state::kHeadMargin, true);
    line->prev = last;
    last->next = line;
    last = line;
  }
  e_object* first = last;
  ClearLineText(*first);
  first->line_colour = static_cast<std::uint8_t>(typing_.lbg_sel);
  first->flags2 = 0;
  first->flags = DefaultLineFlags();
  edit_head_ = first->prev;
  edit_head_->text_b.clear();
  edit_head_->style_b.clear();
  edit_head_->colour_b.clear();

  edit_tail_ = NewMarginLine(line_state::kTailMargin, false);
  edit_tail_->prev = first;
  first->next = edit_tail_;
  last = edit_tail_;
  for (int i = 0; i < kMarginLines; ++i) {
    e_object* line = NewMarginLine(line_state::kTailMargin, true);
    line->prev = last;
    last->next = line;
    last = line;
  }
  chain_last_ = last;
  chain_last_->next = chain_last_;

  saved_head_prev_ = edit_head_->prev;
  saved_tail_next_ = edit_tail_->next;
  refs_.Reset(first);
  caret_column = 0;
  caret_row = 0;
  line_count_ = 1;

  run_head_ = new r_object;
  run_end_ = new r_object;
  run_tail_ = new r_object;
  run_head_->next = run_end_;
  run_end_->prev = run_head_;
  run_end_->next = run_tail_;
  run_tail_->prev = run_end_;
  NotifyEntriesReplaced();
}

void ScriptStore::NotifyEntriesReplaced() {
  const std::vector<EntryWatcher*> watchers = entry_watchers_;
  for (EntryWatcher* w : watchers) {
    w->EntriesReplaced();
  }
}

void ScriptStore::AddEntryWatcher(EntryWatcher* watcher) {
  if (std::find(entry_watchers_.begin(), entry_watchers_.end(), watcher) == entry_watchers_.end()) {
    entry_watchers_.push_back(watcher);
  }
}

void ScriptStore::RemoveEntryWatcher(EntryWatcher* watcher) {
  std::erase(entry_watchers_, watcher);
}

void ScriptStore::MoveLines(e_object* first, e_object* last, e_object* after) {
  if (first == nullptr || last == nullptr || after == nullptr || after == last ||
      after->next == first) {
    return;
  }
  first->prev->next = last->next;
  last->next->prev = first->prev;
  first->prev = after;
  last->next = after->next;
  after->next->prev = last;
  after->next = first;
}

e_object* ScriptStore::InsertLine(e_object* line, bool after) {
  e_object* added = nullptr;
  try {
    added = NewLine();
  } catch (const std::bad_alloc&) {
    notices_.Error(message::kOutOfMemory);
    return nullptr;
  }
  std::uint32_t flags = line->flags & line_flag::kCharsetMask;
  if (typing_.right_to_left) {
    flags |= line_flag::kRightToLeft;
  }
  if (typing_.package) {
    flags |= line_flag::kPackage;
  }
  if (typing_.presenter_instruction) {
    flags |= line_flag::kPresenterInstruction;
  }
  if (typing_.cloaked) {
    flags |= line_flag::kCloaked;
  }
  if (options_.presenter_mode) {
    flags |= static_cast<std::uint32_t>(typing_.presenter & 0xF) << line_flag::kPresenterShift;
  }
  added->flags = flags;
  added->height_a = added->height_b = measure_.RowHeight(0);
  added->presenter = line->presenter;
  if (after) {
    LinkAfter(line, added);
  } else {
    LinkBefore(line, added);
  }
  added->line_colour = added->prev == edit_head_ ? static_cast<std::uint8_t>(typing_.lbg_sel)
                                                 : added->prev->line_colour;
  ++line_count_;
  return added;
}

e_object* ScriptStore::DeleteLine(e_object* line) {
  if (IsSlugLine(*line) && line->story != nullptr) {
    RemoveStoryEntry(line->story);
    notices_.RunOrderChanged();
  }
  if (IsOnlyLine(line)) {
    ClearLineText(*line);
    line->flags = DefaultLineFlags();
    line->flags2 = 0;
    line->story = nullptr;
    return line;
  }
  refs_.BeforeDelete(line, edit_head_, edit_tail_);
  e_object* replacement = line->next == edit_tail_ ? line->prev : line->next;
  line->prev->next = line->next;
  line->next->prev = line->prev;
  delete line;
  --line_count_;
  return replacement;
}

void ScriptStore::FreeAll() {
  if (chain_first_ != nullptr) {
    edit_head_->prev = saved_head_prev_;
    edit_tail_->next = saved_tail_next_;
    e_object* line = chain_last_;
    while (line != nullptr) {
      e_object* prev = line->prev;
      delete line;
      line = prev;
    }
  }
  r_object* entry = run_tail_;
  while (entry != nullptr) {
    r_object* prev = entry->prev;
    delete entry;
    entry = prev;
  }
  chain_first_ = chain_last_ = edit_head_ = edit_tail_ = nullptr;
  saved_head_prev_ = saved_tail_next_ = nullptr;
  run_head_ = run_end_ = run_tail_ = nullptr;
  refs_.Reset(nullptr);
  line_count_ = 0;
}

void ScriptStore::FreeScriptStore() {
  FreeAll();
  NotifyEntriesReplaced();
}

r_object* ScriptStore::CreateStoryEntry(e_object* slug_line) {
  if (slug_line->story != nullptr) {
    return slug_line->story;
  }
  r_object* entry = nullptr;
  try {
    entry = new r_object;
  } catch (const std::bad_alloc&) {
    notices_.Error(message::kOutOfMemory);
    return nullptr;
  }
  r_object* after = run_head_;
  for (const e_object* l = slug_line->prev; l != nullptr && !IsMargin(*l); l = l->prev) {
    if (IsSlugLine(*l) && l->story != nullptr) {
      after = l->story;
      break;
    }
  }
  entry->prev = after;
  entry->next = after->next;
  after->next->prev = entry;
  after->next = entry;
  entry->line = slug_line;
  slug_line->story = entry;

  const std::string text = slug_line->text_a + slug_line->text_b;
  std::size_t pos = text.find_first_not_of(' ');
  pos = pos == std::string::npos ? text.size() : pos;
  entry->story_id = ReadIdentifier(text, pos);
  if (pos < text.size() && text[pos] == ',') {
    ++pos;
    entry->second_id = ReadIdentifier(text, pos);
    std::transform(entry->second_id.begin(), entry->second_id.end(), entry->second_id.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  }
  return entry;
}

void ScriptStore::RemoveStoryEntry(r_object* entry) {
  if (entry == nullptr || entry == run_end_ || entry == run_head_ || entry == run_tail_) {
    return;
  }
  const std::vector<EntryWatcher*> watchers = entry_watchers_;
  for (EntryWatcher* w : watchers) {
    w->BeforeEntryRemoved(*entry);
  }
  entry->prev->next = entry->next;
  entry->next->prev = entry->prev;
  if (entry->line != nullptr && entry->line->story == entry) {
    entry->line->story = nullptr;
  }
  delete entry;
}

StyledText ScriptStore::GetLineText(const e_object* line) const {
  if (line == nullptr || IsEmptyLine(*line)) {
    return {};
  }
  return {line->text_a + line->text_b, line->style_a + line->style_b,
          line->colour_a + line->colour_b};
}

e_object* ScriptStore::StoryStartOf(e_object* line) const {
  if (line == nullptr || IsTailMargin(*line)) {
    return line;
  }
  if (IsHeadMargin(*line)) {
    return first_line();
  }
  while (!IsSlugLine(*line) && line != first_line() && line->prev != nullptr &&
         !IsMargin(*line->prev)) {
    line = line->prev;
  }
  return line;
}

std::optional<Selection> ScriptStore::SelectedRange() const {
  e_object* first = first_line();
  while (first != edit_tail_ && first->sel_end == 0) {
    first = first->next;
  }
  if (first == edit_tail_) {
    return std::nullopt;
  }
  e_object* last = first;
  while (last->next != edit_tail_ && last->next->sel_end > 0) {
    last = last->next;
  }
  return Selection{first, last};
}

void ScriptStore::MarkChanged(bool changed) {
  script_changed_ = changed;
  notices_.ChangedPanel(changed);
}

}  // namespace telvane::store
