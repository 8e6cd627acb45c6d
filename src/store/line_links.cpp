// The ring of continuous prompting and line positions counted from the chain's start, the form
// in which the master/slave link and remote prompting exchange positions.

#include "store/script_store.h"

namespace telvane::store {

void ScriptStore::SetContinuousLinks() {
  if (prompting_ && options_.continuous_prompt_mode) {
    edit_head_->prev = edit_tail_;
    edit_tail_->next = edit_head_;
  } else {
    edit_head_->prev = saved_head_prev_;
    edit_tail_->next = saved_tail_next_;
  }
}

int ScriptStore::LineIndexOf(const e_object* line) const {
  const e_object* stop = options_.continuous_prompt_mode ? edit_head_ : chain_first_;
  int index = 0;
  for (; line != nullptr && line != stop; line = line->prev) {
    if (line == chain_first_) {
      return 0;
    }
    ++index;
  }
  return line == nullptr ? 0 : index;
}

e_object* ScriptStore::LineAtIndex(long long n) const {
  e_object* line = options_.continuous_prompt_mode ? edit_head_ : chain_first_;
  if (n <= 0) {
    return line;
  }
  if (edit_tail_->next == edit_head_ && options_.continuous_prompt_mode) {
    // A peer's number may go round the ring any number of times; once round is enough.
    long long ring = 0;
    for (const e_object* l = edit_head_; ring == 0 || l != edit_head_; l = l->next) {
      ++ring;
    }
    n %= ring;
  }
  for (; n > 0 && line != chain_last_; --n) {
    line = line->next;
  }
  return line;
}

}  // namespace telvane::store
