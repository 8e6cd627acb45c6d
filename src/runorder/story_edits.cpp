// Deleting and cloaking the selected stories and changing their programme ID.

#include "runorder/run_order.h"

namespace telvane::runorder {

void RunOrder::DeleteStories() {
  std::vector<r_object*> selected = SelectedEntries();
  std::erase(selected, run_end());
  if (empty() || selected.empty()) {
    return;
  }
  if (Locked()) {
    Info({message::kRunOrderLocked});
    return;
  }
  if (guards_.host_download) {
    Info({message::kDeleteDownload});
    return;
  }
  MessagePieces question;
  if (selected.size() == 1) {
    question = {message::kDeleteStory, selected.front()->story_id};
    if (!selected.front()->second_id.empty()) {
      question.emplace_back("id " + selected.front()->second_id);
    }
    question.emplace_back("?");
  } else {
    question = {message::kDeleteStories};
  }
  if (!dialogs_.Confirm(question, Buttons::kYesCancel)) {
    return;
  }
  observer_.FreezePrompt();
  const int top_row = RowOf(selected.front());
  for (r_object* story : selected) {
    if (options_.mos_remote_script && observer_.DeleteThroughMos(*story)) {
      continue;
    }
    DeleteStoryLines(story);
  }
  if (empty()) {
    store_.current_line() = store_.first_line();
    store_.caret_column = 0;
    Select(run_end());
  } else {
    r_object* at = EntryAtRow(top_row);
    if (at == run_end() && at->prev != run_head()) {
      at = at->prev;
    }
    Select(at);
    observer_.ShowInEditor(at);
  }
  if (options_.multi_run) {
    observer_.ProgrammeListChanged();
  }
  Changed();
  observer_.ReleasePrompt();
}

void RunOrder::CloakStories(bool cloak) {
  std::vector<r_object*> selected = SelectedEntries();
  std::erase(selected, run_end());
  if (empty() || selected.empty()) {
    return;
  }
  for (r_object* story : selected) {
    SetCloaked(store_, *story, cloak);
  }
  Changed();
  observer_.PromptRebuild();
}

void RunOrder::ChangeProgramId(std::string_view id) {
  const std::string program = TrimUpper(id);
  bool changed = false;
  for (r_object* story : SelectedEntries()) {
    if (story == run_end()) {
      continue;
    }
    if (story->second_id != program) {
      story->second_id = program;
      changed = true;
    }
    for (r_object* e = first_story(); e != run_end(); e = e->next) {
      if (e != story && e->second_id == program && IsInactive(*e)) {
        SetInactive(store_, *story, true);
        break;
      }
    }
  }
  if (changed) {
    Changed();
    observer_.ProgrammeListChanged();
  }
}

}  // namespace telvane::runorder
