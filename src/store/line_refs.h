#pragma once

// Every reference to a line held outside the chain (caret, top line, anchors, find position,
// prompt positions, undelete records, the readers' append point) is a LineRef registered with
// the store's LineRefs, which moves it on or clears it before the line it names is freed.

#include <functional>

#include "store/line_record.h"

namespace telvane::store {

// Where a reference goes when its line is deleted.
enum class OnDelete {
  kFollow,    // to the next line, or the previous one when the next is EditTail
  kPrevious,  // to the previous line (undelete records)
  kPrompted,  // to the nearest prompted line forward, backward from the last line
  kClear,     // to null
};

// Where a reference goes when a new script replaces the chain.
enum class OnNewScript { kFirstLine, kClear };

class LineRefs;

class LineRef {
 public:
  LineRef(LineRefs& registry, OnDelete on_delete, OnNewScript on_new_script,
          e_object* line = nullptr);
  ~LineRef();
  LineRef(const LineRef& other);
  LineRef& operator=(const LineRef& other);

  e_object* get() const { return line_; }
  e_object* operator->() const { return line_; }
  explicit operator bool() const { return line_ != nullptr; }
  LineRef& operator=(e_object* line) {
    line_ = line;
    return *this;
  }
  OnDelete on_delete() const { return on_delete_; }
  OnNewScript on_new_script() const { return on_new_script_; }

 private:
  friend class LineRefs;
  void Link();
  void Unlink();

  LineRefs* registry_;
  OnDelete on_delete_;
  OnNewScript on_new_script_;
  e_object* line_;
  LineRef* prev_ = nullptr;
  LineRef* next_ = nullptr;
};

class LineRefs {
 public:
  LineRefs() = default;
  // References outliving the registry are detached and keep their last line.
  ~LineRefs();
  LineRefs(const LineRefs&) = delete;
  LineRefs& operator=(const LineRefs&) = delete;

  // The prompt layer's test for a prompted line; every line counts as prompted until set.
  void SetPromptedTest(std::function<bool(const e_object&)> is_prompted);

  // Moves every reference to line, which is about to be unlinked and freed.
  void BeforeDelete(const e_object* line, e_object* edit_head, e_object* edit_tail);
  // Points every reference at the first line of a new script, or clears it.
  void Reset(e_object* first_line);

  template <typename F>
  void ForEach(F&& visit) const {
    for (const LineRef* ref = first_; ref != nullptr; ref = ref->next_) {
      visit(*ref);
    }
  }

 private:
  friend class LineRef;
  LineRef* first_ = nullptr;
  std::function<bool(const e_object&)> is_prompted_;
};

}  // namespace telvane::store
