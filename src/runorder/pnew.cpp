// Pending new versions (PNEW): exchanging one in for the story it replaces, and deleting them.

#include "runorder/run_order.h"

namespace telvane::runorder {

r_object* RunOrder::FindLastPnew() const {
  for (r_object* e = run_end()->prev; e != run_head(); e = e->prev) {
    if (StatusOf(*e) == StoryStatus::kPnew) {
      return e;
    }
  }
  return nullptr;
}

void RunOrder::ExchangePnew(const ExchangeChoices& choices) {
  if (guards_.newsroom_transfer || guards_.prompt_updating) {
    exchange_pending_ = true;
    pending_choices_ = choices;
    return;
  }
  DoExchange(choices);
}

void RunOrder::RunPendingExchange() {
  if (!exchange_pending_ || guards_.newsroom_transfer || guards_.prompt_updating) {
    return;
  }
  exchange_pending_ = false;
  DoExchange(pending_choices_);
}

namespace {

std::string MosKey(const r_object& e) {
  return e.remote_key + '\x07' + e.load_id;
}

}  // namespace

void RunOrder::DoExchange(const ExchangeChoices& choices) {
  r_object* pnew = FindLastPnew();
  if (pnew == nullptr) {
    if (choices.show_messages) {
      Info({message::kNoPnew});
    }
    return;
  }
  r_object* old = run_end();
  if (options_.mos_remote_script || guards_.exchange_by_load_id) {
    for (r_object* e = first_story(); e != run_end(); e = e->next) {
      const bool same =
          options_.mos_remote_script ? MosKey(*e) == MosKey(*pnew) : e->load_id == pnew->load_id;
      if (e != pnew && same) {
        old = e;
        break;
      }
    }
  } else {
    old = FindStory(store_, pnew->story_id, pnew->second_id, options_.multi_run);
  }
  // The PNEW story may be the first match of its own identifier: it replaces nothing then.
  if (old == run_end() || old == pnew) {
    if (choices.show_messages) {
      Info({message::kNoPnewMatch});
    }
    return;
  }
  observer_.FreezePrompt();
  const bool was_on_air = IsOnAir(*old) || air_story_ == old;
  SetStatus(pnew, StoryStatus::kRep);
  if (selected_first_ == old) {
    selected_first_ = pnew;
  }
  if (selected_last_ == old) {
    selected_last_ = pnew;
  }
  observer_.ReferencesMoved(*old, *pnew);
  MoveStoryBefore(pnew, old);
  old->line->flags2 &= ~store::line_state::kOnAir;
  if (air_story_ == old) {
    air_story_ = nullptr;
  }
  if (was_on_air) {
    observer_.PromptResumeOn(pnew->line);
  }
  if (StoryOfLine(store_.current_line().get()) == old) {
    store_.current_line() = pnew->line;
    store_.caret_column = 0;
  }
  DeleteStoryLines(old);
  Select(selected_first_, selected_last_);
  Changed();
  if (Prompting() && !choices.from_prompt && choices.restart_prompt) {
    if (was_on_air) {
      observer_.PromptRestartOn(pnew);
    } else {
      observer_.PromptRebuild();
    }
  }
  if (choices.report) {
    dialogs_.StatusMessage({message::kStory, pnew->story_id, message::kReport183,
                            message::kReport182, message::kReport185, message::kReport184});
  }
  observer_.ReleasePrompt();
}

void RunOrder::DeleteStoryLines(r_object* entry) {
  if (entry == nullptr || entry == run_end() || entry->line == nullptr) {
    return;
  }
  e_object* line = entry->line;
  const e_object* last = LastLineOfStory(store_, line);
  int count = 1;
  for (const e_object* l = line; l != last; l = l->next) {
    ++count;
  }
  for (int i = 0; i < count; ++i) {
    line = store_.DeleteLine(line);
  }
  observer_.RunOrderChanged();
}

void RunOrder::DeletePnewBefore(r_object* entry) {
  if (entry == nullptr) {
    return;
  }
  bool any = false;
  for (r_object* e = entry->prev; e != run_head() && StatusOf(*e) == StoryStatus::kPnew;) {
    r_object* prev = e->prev;
    DeleteStoryLines(e);
    any = true;
    e = prev;
  }
  if (any) {
    Changed();
  }
}

void RunOrder::DeletePnewWithId(std::string_view id) {
  bool any = false;
  for (r_object* e = first_story(); e != run_end();) {
    r_object* next = e->next;
    if (StatusOf(*e) == StoryStatus::kPnew && e->story_id == id) {
      DeleteStoryLines(e);
      any = true;
    }
    e = next;
  }
  if (any) {
    Changed();
  }
}

}  // namespace telvane::runorder
