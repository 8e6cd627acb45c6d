#include "store/studio_marks.h"

#include "store/line_edit.h"

namespace telvane::store {

namespace {

bool Marked(const e_object& line) {
  return HasFlag(line, line_flag::kStudioMark);
}

// A line the column can flow through: it has an instruction not tied to a word.
bool Flows(const ScriptStore& store, const e_object* line) {
  return !IsMargin(*line) && line != store.edit_head() && !line->studio_text.empty() &&
         !Marked(*line);
}

}  // namespace

void SetStudioMark(ScriptStore& store, bool place) {
  if (!store.options().studio_instructions || !store.options().view_si) {
    return;
  }
  e_object& line = *store.current_line().get();
  const std::size_t length = TextLength(line);
  for (std::size_t i = 0; i < length; ++i) {
    ColourAt(line, i) &= static_cast<char>(~colour_bit::kStudioMark);
  }
  line.flags &= ~line_flag::kStudioMark;
  const auto c = static_cast<std::size_t>(std::max(store.caret_column, 0));
  if (place && c >= 1 && c <= length) {
    std::size_t at = c - 1;
    bool found = true;
    if (TextAt(line, at) == ' ') {
      while (at > 0 && TextAt(line, at) == ' ') {
        --at;
      }
      found = TextAt(line, at) != ' ';
    } else {
      while (at + 1 < length && TextAt(line, at + 1) != ' ') {
        ++at;
      }
    }
    if (found) {
      ColourAt(line, at) |= static_cast<char>(colour_bit::kStudioMark);
      line.flags |= line_flag::kStudioMark;
    }
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void ShiftStudioUp(ScriptStore& store, e_object& line) {
  if (&line == store.first_line() || line.studio_text.empty() || !line.prev->studio_text.empty()) {
    return;
  }
  e_object* at = line.prev;
  e_object* last = nullptr;
  for (;;) {
    at->studio_text = at->next->studio_text;
    e_object* below = at->next;
    if (Marked(*below) || !Flows(store, below->next)) {
      last = below;
      break;
    }
    at = below;
  }
  if (!Marked(*last)) {
    last->studio_text.clear();
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void ShiftStudioDown(ScriptStore& store, e_object& line) {
  if (&line == store.last_line() || line.studio_text.empty() || !line.next->studio_text.empty()) {
    return;
  }
  e_object* at = line.next;
  e_object* last = nullptr;
  for (;;) {
    at->studio_text = at->prev->studio_text;
    e_object* above = at->prev;
    if (Marked(*above) || !Flows(store, above->prev)) {
      last = above;
      break;
    }
    at = above;
  }
  if (!Marked(*last)) {
    last->studio_text.clear();
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void KeepStudioColumnOnInsert(ScriptStore& store, e_object& inserted) {
  e_object* at = &inserted;
  while (Flows(store, at->next)) {
    at->studio_text = at->next->studio_text;
    at = at->next;
  }
  if (!Marked(*at)) {
    at->studio_text.clear();
  }
}

void KeepStudioColumnOnDelete(ScriptStore& store, e_object& deleted) {
  e_object* end = &deleted;
  while (end != store.edit_tail() && Flows(store, end)) {
    end = end->next;
  }
  // A marked line keeps the instruction tied to its word; the column stops above it.
  if (end == store.edit_tail() || Marked(*end)) {
    end = end->prev;
  }
  for (e_object* at = end; at != &deleted; at = at->prev) {
    at->studio_text = at->prev->studio_text;
  }
}

}  // namespace telvane::store
