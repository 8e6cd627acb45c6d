#include "store/line_refs.h"

#include <utility>

namespace telvane::store {

LineRef::LineRef(LineRefs& registry, OnDelete on_delete, OnNewScript on_new_script, e_object* line)
    : registry_(&registry), on_delete_(on_delete), on_new_script_(on_new_script), line_(line) {
  Link();
}

LineRef::~LineRef() {
  Unlink();
}

LineRef::LineRef(const LineRef& other)
    : registry_(other.registry_),
      on_delete_(other.on_delete_),
      on_new_script_(other.on_new_script_),
      line_(other.line_) {
  Link();
}

LineRef& LineRef::operator=(const LineRef& other) {
  if (this != &other) {
    Unlink();
    registry_ = other.registry_;
    on_delete_ = other.on_delete_;
    on_new_script_ = other.on_new_script_;
    line_ = other.line_;
    Link();
  }
  return *this;
}

void LineRef::Link() {
  if (registry_ == nullptr) {
    return;
  }
  next_ = registry_->first_;
  if (next_ != nullptr) {
    next_->prev_ = this;
  }
  registry_->first_ = this;
}

void LineRef::Unlink() {
  if (registry_ == nullptr) {
    return;
  }
  (prev_ != nullptr ? prev_->next_ : registry_->first_) = next_;
  if (next_ != nullptr) {
    next_->prev_ = prev_;
  }
  prev_ = next_ = nullptr;
  registry_ = nullptr;
}

LineRefs::~LineRefs() {
  while (first_ != nullptr) {
    first_->Unlink();
  }
}

void LineRefs::SetPromptedTest(std::function<bool(const e_object&)> is_prompted) {
  is_prompted_ = std::move(is_prompted);
}

void LineRefs::BeforeDelete(const e_object* line, e_object* edit_head, e_object* edit_tail) {
  const bool last = line->next == edit_tail;
  e_object* follow = last ? line->prev : line->next;
  e_object* prompted = nullptr;
  bool prompted_found = false;
  for (LineRef* ref = first_; ref != nullptr; ref = ref->next_) {
    if (ref->line_ != line) {
      continue;
    }
    switch (ref->on_delete_) {
      case OnDelete::kFollow:
        ref->line_ = follow;
        break;
      case OnDelete::kPrevious:
        ref->line_ = line->prev;
        break;
      case OnDelete::kClear:
        ref->line_ = nullptr;
        break;
      case OnDelete::kPrompted:
        if (!prompted_found) {
          const auto accepted = [&](const e_object* l) {
            return l == edit_tail || l == edit_head || !is_prompted_ || is_prompted_(*l);
          };
          prompted = last ? line->prev : line->next;
          while (!accepted(prompted)) {
            prompted = last ? prompted->prev : prompted->next;
          }
          prompted_found = true;
        }
        ref->line_ = prompted;
        break;
    }
  }
}

void LineRefs::Reset(e_object* first_line) {
  for (LineRef* ref = first_; ref != nullptr; ref = ref->next_) {
    ref->line_ = ref->on_new_script_ == OnNewScript::kFirstLine ? first_line : nullptr;
  }
}

}  // namespace telvane::store
