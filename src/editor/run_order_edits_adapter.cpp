#include "editor/run_order_edits_adapter.h"

namespace telvane::editor {

namespace lf = store::line_flag;

store::r_object* RunOrderEditsAdapter::CreateStory(store::e_object& slug_line) {
  slug_line.flags |= lf::kSlugLine;
  store::r_object* entry = run_.CreateStoryEntry(&slug_line);
  // A slug line without an entry would break the script's links.
  if (entry == nullptr) slug_line.flags &= ~lf::kSlugLine;
  return entry;
}

void RunOrderEditsAdapter::RemoveStory(store::r_object& entry) {
  store::e_object* line = entry.line;
  run_.RemoveStoryEntry(&entry);
  if (line != nullptr) {
    line->flags &= ~lf::kSlugLine;
    line->story = nullptr;
  }
}

void RunOrderEditsAdapter::MoveStory(store::r_object& entry, store::e_object& to) {
  store::e_object* from = entry.line;
  if (from != nullptr) {
    from->flags &= ~lf::kSlugLine;
    from->story = nullptr;
  }
  to.flags |= lf::kSlugLine;
  to.story = &entry;
  entry.line = &to;
  run_.GridChanged();
}

void RunOrderEditsAdapter::StoryNumberEdited(store::r_object& /*entry*/) {
  run_.GridChanged();
}

}  // namespace telvane::editor
