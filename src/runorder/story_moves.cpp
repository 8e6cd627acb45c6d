// Inserting a story after another, inserting after the AIR story, block moves and their undo.

#include <algorithm>

#include "runorder/run_order.h"

namespace telvane::runorder {

InsertResult RunOrder::InsertStory(std::string_view source_id, std::string_view source_program,
                                   std::string_view destination_id,
                                   std::string_view destination_program) {
  r_object* source = FindStory(store_, source_id, source_program, options_.multi_run);
  if (source == run_end()) {
    Info({message::kSourceNotFound});
    return InsertResult::kSourceNotFound;
  }
  r_object* destination =
      FindStory(store_, destination_id, destination_program, options_.multi_run);
  if (destination == run_end()) {
    Info({message::kDestinationNotFound});
    return InsertResult::kDestinationNotFound;
  }
  observer_.FreezePrompt();
  RecordUndo(source, source->next, nullptr);
  MoveStoryAfter(source, destination);
  InheritStatus(source);
  TakeNeighbourProgram(source);
  Select(source);
  observer_.ShowInEditor(source);
  Changed();
  observer_.ReleasePrompt();
  return InsertResult::kDone;
}

void RunOrder::InsertAfterAir(std::string_view typed) {
  const AirFind air = FindAirStory();
  if ((!Prompting() && pinned_air_ == nullptr) || air.entry == nullptr) {
    Info({message::kNoAirStory});
    return;
  }
  if (options_.multi_run && selected_first_ != run_end() && IsInactive(*selected_first_)) {
    Info({message::kInactiveStory});
    return;
  }
  std::vector<r_object*> block = SelectedEntries();
  if (!block.empty() && block.back() == run_end()) {
    block.pop_back();
  }
  if (block.size() > 1) {
    if (guards_.host_download) {
      Info({message::kBlockMoveDownload});
      return;
    }
    MoveBlockAfter(block, air.entry);
    return;
  }
  r_object* story = selected_first_;
  const std::string text = TrimUpper(typed);
  if (!text.empty()) {
    const auto blank = text.find(' ');
    const std::string id = text.substr(0, blank);
    std::string program =
        blank == std::string::npos ? std::string() : TrimUpper(text.substr(blank + 1));
    if (program.empty() && options_.multi_run) {
      program = air.entry->second_id;
    }
    story = FindStory(store_, id, program, options_.multi_run);
    if (story == run_end()) {
      Info({message::kStory, id, message::kNotFoundEnd});
      return;
    }
  }
  if (story == nullptr || story == run_end() || story == air.entry) {
    return;
  }
  observer_.FreezePrompt();
  RecordUndo(story, story->next, nullptr);
  MoveStoryAfter(story, air.entry);
  SetStatus(story, StoryStatus::kNone);
  if (options_.avstar_multi_run) {
    story->program = air.entry->program;
  }
  Select(story);
  Changed();
  observer_.ReleasePrompt();
}

void RunOrder::SpliceBlock(r_object* first, r_object* last, r_object* after) {
  e_object* first_line = first->line;
  e_object* last_line = LastLineOfStory(store_, last->line);
  // Entries.
  first->prev->next = last->next;
  last->next->prev = first->prev;
  first->prev = after;
  last->next = after->next;
  after->next->prev = last;
  after->next = first;
  // Lines: cut to the front first, then put before the story that now follows the block.
  store_.MoveLines(first_line, last_line, store_.edit_head());
  e_object* anchor = last->next == run_end() ? store_.last_line() : last->next->line->prev;
  store_.MoveLines(first_line, last_line, anchor);
}

void RunOrder::MoveBlockBefore(r_object* target) {
  std::vector<r_object*> block = SelectedEntries();
  std::erase(block, run_end());
  if (block.empty() || target == nullptr || target == run_head() ||
      std::find(block.begin(), block.end(), target) != block.end()) {
    return;
  }
  observer_.FreezePrompt();
  RecordUndo(block.front(), block.back(), block.back()->next);
  if (block.back()->next != target) {
    SpliceBlock(block.front(), block.back(), target->prev);
  }
  Select(block.front(), block.back());
  Changed();
  observer_.ReleasePrompt();
}

void RunOrder::MoveBlockAfter(const std::vector<r_object*>& block, r_object* destination) {
  if (std::find(block.begin(), block.end(), destination) != block.end()) {
    Info({message::kDestinationInBlock});
    return;
  }
  observer_.FreezePrompt();
  RecordUndo(block.front(), block.back(), block.back()->next);
  if (block.front()->prev != destination) {
    SpliceBlock(block.front(), block.back(), destination);
    for (r_object* s : block) {
      InheritStatus(s);
      TakeNeighbourProgram(s);
    }
  }
  Select(block.front(), block.back());
  Changed();
  observer_.ReleasePrompt();
}

void RunOrder::MoveBlock(std::string_view destination_id, std::string_view destination_program) {
  if (guards_.host_download) {
    Info({message::kBlockMoveDownload});
    return;
  }
  std::vector<r_object*> block = SelectedEntries();
  if (block.size() < 2) {
    Info({message::kBlockOfOneRow});
    return;
  }
  if (block.back() == run_end()) {
    block.pop_back();
  }
  if (block.empty()) {
    return;
  }
  r_object* destination =
      FindStory(store_, destination_id, destination_program, options_.multi_run);
  if (destination == run_end()) {
    Info({message::kDestinationNotFound});
    return;
  }
  MoveBlockAfter(block, destination);
}

void RunOrder::UndoLastMove() {
  if (!can_undo()) {
    return;
  }
  const UndoMove record = undo_;
  observer_.FreezePrompt();
  if (record.following != nullptr) {
    std::vector<r_object*> block;
    for (r_object* e = record.first; e != run_end() && e != nullptr; e = e->next) {
      block.push_back(e);
      if (e == record.last) {
        break;
      }
    }
    if (!block.empty() && block.back() == record.last) {
      for (r_object* s : block) {
        MoveStoryBefore(s, record.following);
      }
    }
  } else {
    MoveStoryBefore(record.first, record.last);
  }
  top_row_ = record.top_row;
  observer_.ScrollRowToTop(top_row_);
  Select(record.selected_first != nullptr ? record.selected_first : run_end(),
         record.selected_last);
  undo_ = {};
  Changed();
  observer_.ReleasePrompt();
}

}  // namespace telvane::runorder
