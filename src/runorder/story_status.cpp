#include "runorder/story_status.h"

namespace telvane::runorder {

using store::e_object;
using store::line_flag::kStatusMask;

StoryStatus StatusOf(const store::r_object& entry) {
  if (entry.line == nullptr) {
    return StoryStatus::kNone;
  }
  const auto code = entry.line->flags & kStatusMask;
  return code <= 5 ? static_cast<StoryStatus>(code) : StoryStatus::kNone;
}

std::string_view StatusName(StoryStatus status) {
  switch (status) {
    case StoryStatus::kNew:
      return "NEW ";
    case StoryStatus::kPnew:
      return "PNEW";
    case StoryStatus::kRep:
      return "REP ";
    case StoryStatus::kDrop:
      return "DROP";
    case StoryStatus::kTemp:
      return "TEMP";
    case StoryStatus::kNone:
      break;
  }
  return "    ";
}

int StatusMessage(StoryStatus status) {
  switch (status) {
    case StoryStatus::kNew:
      return 593;
    case StoryStatus::kPnew:
      return 595;
    case StoryStatus::kRep:
      return 591;
    case StoryStatus::kDrop:
      return 594;
    case StoryStatus::kTemp:
      return 592;
    case StoryStatus::kNone:
      break;
  }
  return 0;
}

e_object* LastLineOfStory(const store::ScriptStore& store, e_object* slug) {
  e_object* last = slug;
  while (last->next != store.edit_tail() && !store::IsSlugLine(*last->next)) {
    last = last->next;
  }
  return last;
}

namespace {

template <typename F>
void ForEachLine(const store::ScriptStore& store, e_object* slug, F&& f) {
  if (slug == nullptr) {
    return;
  }
  e_object* last = LastLineOfStory(store, slug);
  for (e_object* l = slug;; l = l->next) {
    f(*l);
    if (l == last) {
      break;
    }
  }
}

}  // namespace

void SetStoryStatus(store::ScriptStore& store, e_object* slug, StoryStatus status,
                    bool leave_story) {
  if (slug == nullptr) {
    return;
  }
  bool caret_inside = false;
  ForEachLine(store, slug, [&](e_object& l) {
    l.flags = (l.flags & ~kStatusMask) | static_cast<std::uint32_t>(status);
    caret_inside |= &l == store.current_line().get();
  });
  if (leave_story && status == StoryStatus::kTemp && caret_inside) {
    const store::r_object* end = store.run_end();
    // RunEnd stands for the place after the last story: the line after that story's lines.
    e_object* after = end->prev->line != nullptr ? LastLineOfStory(store, end->prev->line)->next
                                                 : store.first_line();
    store.current_line() = after == store.edit_tail() ? store.last_line() : after;
    store.caret_column = 0;
  }
}

bool IsOnAir(const store::r_object& entry) {
  return entry.line != nullptr && (entry.line->flags2 & store::line_state::kOnAir) != 0;
}

bool IsInactive(const store::r_object& entry) {
  return entry.line != nullptr && (entry.line->flags2 & store::line_state::kOutOfTotals) != 0;
}

void SetInactive(store::ScriptStore& store, store::r_object& entry, bool inactive) {
  ForEachLine(store, entry.line, [&](e_object& l) {
    l.flags2 = inactive ? l.flags2 | store::line_state::kOutOfTotals
                        : l.flags2 & ~store::line_state::kOutOfTotals;
  });
}

void SetCloaked(store::ScriptStore& store, store::r_object& entry, bool cloaked) {
  ForEachLine(store, entry.line, [&](e_object& l) {
    l.flags =
        cloaked ? l.flags | store::line_flag::kCloaked : l.flags & ~store::line_flag::kCloaked;
  });
}

bool IsCloaked(const store::r_object& entry) {
  return entry.line != nullptr && store::HasFlag(*entry.line, store::line_flag::kCloaked);
}

}  // namespace telvane::runorder
