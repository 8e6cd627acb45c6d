#include "editor/edit_hooks.h"

namespace telvane::editor {

store::r_object* StoreRunOrderEdits::CreateStory(store::e_object& slug_line) {
  slug_line.flags |= store::line_flag::kSlugLine;
  store::r_object* entry = store_.CreateStoryEntry(&slug_line);
  store_.notices().RunOrderChanged();
  return entry;
}

void StoreRunOrderEdits::RemoveStory(store::r_object& entry) {
  store::e_object* line = entry.line;
  store_.RemoveStoryEntry(&entry);
  if (line != nullptr) {
    line->flags &= ~store::line_flag::kSlugLine;
    line->story = nullptr;
  }
  store_.notices().RunOrderChanged();
}

void StoreRunOrderEdits::MoveStory(store::r_object& entry, store::e_object& to) {
  store::e_object* from = entry.line;
  if (from != nullptr) {
    from->flags &= ~store::line_flag::kSlugLine;
    from->story = nullptr;
  }
  to.flags |= store::line_flag::kSlugLine;
  to.story = &entry;
  entry.line = &to;
  store_.notices().RunOrderChanged();
}

void StoreRunOrderEdits::StoryNumberEdited(store::r_object& /*entry*/) {
  store_.notices().RunOrderChanged();
}

}  // namespace telvane::editor
