// Resequence: a selection sort of the run order by identifier (and programme with "Multi Run").

#include "runorder/run_order.h"

namespace telvane::runorder {

void RunOrder::Resequence() {
  if (empty()) {
    return;
  }
  if (Prompting()) {
    if (dialogs_.Confirm({message::kResequenceWhilePrompting}, Buttons::kOkCancel)) {
      observer_.PromptStopRequested();
    }
    return;
  }
  if (guards_.host_download) {
    Info({message::kResequenceDownload});
    return;
  }
  observer_.FreezePrompt();
  ResequenceRange(first_story(), false);
  Changed();
  observer_.PromptRebuild();
  observer_.ProgrammeListChanged();
  observer_.ReleasePrompt();
}

void RunOrder::ResequenceProgramme(r_object* start) {
  if (start == nullptr || start == run_end() || Prompting() || guards_.host_download) {
    return;
  }
  observer_.FreezePrompt();
  ResequenceRange(start, true);
  Changed();
  observer_.ProgrammeListChanged();
  observer_.ReleasePrompt();
}

void RunOrder::ResequenceRange(r_object* start, bool one_programme) {
  const bool decimal = options_.decimal_story_numbers;
  const bool multi = options_.multi_run;
  const std::string programme = start->second_id;
  const auto in_range = [&](const r_object* e) {
    return e != run_end() && (!one_programme || e->second_id == programme);
  };
  r_object* p = start;
  while (in_range(p)) {
    r_object* candidate = p;
    for (r_object* e = p->next; in_range(e); e = e->next) {
      const StoryStatus s = StatusOf(*e);
      if (one_programme ? (s == StoryStatus::kDrop || s == StoryStatus::kTemp)
                        : IsPendingOrSetAside(s)) {
        continue;
      }
      if (multi && !candidate->second_id.empty()) {
        if (e->second_id != candidate->second_id) {
          if (StoryIdLess(e->second_id, candidate->second_id, decimal, multi)) {
            candidate = e;
          }
        } else if (StoryIdLess(e->story_id, candidate->story_id, decimal, multi)) {
          candidate = e;
        }
      } else if (StoryIdLess(e->story_id, candidate->story_id, decimal, multi)) {
        candidate = e;
      }
    }
    if (candidate == p) {
      p = p->next;
    } else {
      MoveStoryBefore(candidate, p);
    }
  }
}

}  // namespace telvane::runorder
