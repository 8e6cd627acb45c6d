#include "store/slug_commands.h"

#include "store/line_fit.h"

namespace telvane::store {

int InsertSlugLines(ScriptStore& store) {
  const StoreOptions& o = store.options();
  int changed = 0;
  for (e_object* line = store.first_line(); line != store.edit_tail(); line = line->next) {
    if (IsSlugLine(*line) || line->text_a.empty() || line->text_a[0] != o.slug_open_bracket) {
      continue;
    }
    const std::size_t close = line->text_a.find(o.slug_close_bracket, 1);
    if (close == std::string::npos) {
      continue;
    }
    line->text_a[close] = ' ';
    line->text_a.erase(0, 1);
    line->style_a.erase(0, 1);
    line->colour_a.erase(0, 1);
    line->flags |= line_flag::kSlugLine;
    if (o.cloak_all_sluglines) {
      line->flags |= line_flag::kCloaked;
    }
    store.CreateStoryEntry(line);
    ++changed;
  }
  if (changed > 0) {
    store.MarkChanged(true);
    store.notices().RunOrderChanged();
    store.notices().Redraw();
  }
  return changed;
}

void CreateSlugLine(ScriptStore& store) {
  e_object* line = store.current_line().get();
  if (!IsSlugLine(*line)) {
    store.notices().OpenSlugDialog();
    return;
  }
  if (!store.notices().Confirm(message::kRemoveSlugLine)) {
    return;
  }
  line->flags &= ~line_flag::kSlugLine;
  if (line->story != nullptr) {
    store.RemoveStoryEntry(line->story);
  }
  const StoreOptions& o = store.options();
  if (!(o.inverse_slug && (o.truncate_slugline || o.limit_slugline))) {
    RefitLine(store, line);
  }
  store.MarkChanged(true);
  store.notices().RunOrderChanged();
  store.notices().Redraw();
}

}  // namespace telvane::store
