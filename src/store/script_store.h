#pragma once

// The one in-memory script: the chain of line records with its margin lines and sentinels, the
// run-order list, the caret and the typing attributes. Main thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/line_record.h"
#include "store/line_refs.h"
#include "store/parallel_text.h"
#include "store/store_options.h"

namespace telvane::store {

inline constexpr int kMarginLines = 10;
inline constexpr int kEnglishUk = 2057;

// The attributes that typed text and new lines get.
struct TypingState {
  std::uint8_t style = 0;
  std::uint8_t colour = static_cast<std::uint8_t>(colour_bit::kDefault);
  // The font number the operator chose, 0..7.
  int font = 0;
  int fg_sel = 0;
  int bg_sel = 7;
  int lbg_sel = 7;
  int charset = kDefaultCharset;
  std::uint32_t default_line_flags = static_cast<std::uint32_t>(kDefaultCharset)
                                     << line_flag::kCharsetShift;
  int keyboard_language = kEnglishUk;
  int last_ltr_language = kEnglishUk;
  bool right_to_left = false;
  bool package = false;
  bool presenter_instruction = false;
  bool cloaked = false;
  int presenter = 0;
};

struct LinkReport {
  // 0 pass; 1, 2, 16 line failures; 4, 8 run-order failures; ORed when both walks fail.
  int code = 0;
  const e_object* line = nullptr;
  const r_object* entry = nullptr;
};

struct Selection {
  e_object* first;
  e_object* last;
};

// Holders of entry references (the run order's selection, AIR story and undo record) are told
// before an entry is freed, and after a new script or the store's end freed every entry.
class EntryWatcher {
 public:
  virtual ~EntryWatcher() = default;
  virtual void BeforeEntryRemoved(r_object& entry) = 0;
  virtual void EntriesReplaced() = 0;
};

class ScriptStore {
 public:
  ScriptStore(const SegmentMeasure& measure, StoreNotices& notices);
  ~ScriptStore();
  ScriptStore(const ScriptStore&) = delete;
  ScriptStore& operator=(const ScriptStore&) = delete;

  StoreOptions& options() { return options_; }
  const StoreOptions& options() const { return options_; }
  TypingState& typing() { return typing_; }
  const TypingState& typing() const { return typing_; }
  const SegmentMeasure& measure() const { return measure_; }
  StoreNotices& notices() { return notices_; }
  LineRefs& refs() { return refs_; }

  // A detached line with the defaults of a new record.
  e_object* NewLine() const;
  // Frees the whole chain and the run order and builds the empty script.
  void NewScript();
  // Creates a line after (or before) line and yields it; null when memory ran out.
  e_object* InsertLine(e_object* line, bool after);
  // Frees line, or empties it when it is the only real line; yields the line that takes its
  // place. A slug line takes its run-order entry with it.
  e_object* DeleteLine(e_object* line);
  void FreeScriptStore();

  e_object* chain_first() const { return chain_first_; }
  e_object* chain_last() const { return chain_last_; }
  e_object* edit_head() const { return edit_head_; }
  e_object* edit_tail() const { return edit_tail_; }
  e_object* first_line() const { return edit_head_->next; }
  e_object* last_line() const { return edit_tail_->prev; }
  bool IsOnlyLine(const e_object* line) const {
    return line->prev == edit_head_ && line->next == edit_tail_;
  }

  r_object* run_head() const { return run_head_; }
  r_object* run_end() const { return run_end_; }
  r_object* run_tail() const { return run_tail_; }

  // A story entry for a slug line, placed after the entry of the nearest slug line above,
  // with the identifiers read from the slug; null when memory ran out.
  r_object* CreateStoryEntry(e_object* slug_line);
  // Unlinks and frees the entry; its slug line no longer points at it.
  void RemoveStoryEntry(r_object* entry);
  void AddEntryWatcher(EntryWatcher* watcher);
  void RemoveEntryWatcher(EntryWatcher* watcher);

  // Cuts the real lines first to last (in chain order) out of the chain and links them in
  // after the real line or EditHead after; no line is freed, so every reference stays valid.
  void MoveLines(e_object* first, e_object* last, e_object* after);

  StyledText GetLineText(const e_object* line) const;
  // The slug line of the line's story, or the first real line.
  e_object* StoryStartOf(e_object* line) const;
  std::optional<Selection> SelectedRange() const;
  void SetContinuousLinks();
  int LineIndexOf(const e_object* line) const;
  // Bounded for any n: a negative n is 0, and the ring is walked at most once round.
  e_object* LineAtIndex(long long n) const;
  LinkReport CheckScriptLinks() const;
  void MarkChanged(bool changed);

  bool prompting() const { return prompting_; }
  void set_prompting(bool on) { prompting_ = on; }
  bool script_changed() const { return script_changed_; }
  int line_count() const { return line_count_; }

  // The caret line and the editor's top line.
  LineRef& current_line() { return current_line_; }
  const LineRef& current_line() const { return current_line_; }
  LineRef& top_line() { return top_line_; }
  int caret_column = 0;
  int caret_row = 0;

 private:
  e_object* NewMarginLine(std::uint32_t margin, bool with_segment_b) const;
  void FreeAll();
  void NotifyEntriesReplaced();
  std::uint32_t DefaultLineFlags() const;

  const SegmentMeasure& measure_;
  StoreNotices& notices_;
  StoreOptions options_;
  TypingState typing_;
  LineRefs refs_;
  std::vector<EntryWatcher*> entry_watchers_;
  LineRef current_line_{refs_, OnDelete::kFollow, OnNewScript::kFirstLine};
  LineRef top_line_{refs_, OnDelete::kFollow, OnNewScript::kFirstLine};

  e_object* chain_first_ = nullptr;
  e_object* chain_last_ = nullptr;
  e_object* edit_head_ = nullptr;
  e_object* edit_tail_ = nullptr;
  e_object* saved_head_prev_ = nullptr;
  e_object* saved_tail_next_ = nullptr;
  r_object* run_head_ = nullptr;
  r_object* run_end_ = nullptr;
  r_object* run_tail_ = nullptr;
  int line_count_ = 0;
  bool script_changed_ = false;
  bool prompting_ = false;
};

// The box text of the link diagnostic.
std::string LinkReportText(const LinkReport& report);

}  // namespace telvane::store
