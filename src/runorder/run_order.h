#pragma once

// The run order model: the list of story entries from RunHead to RunEnd kept in
// script order, the selection, the AIR story, the undo record and every operation that
// reorders, drops, exchanges or marks stories. Each move takes the story's lines in the store
// with its entry. Main thread only; the RunOrder must be destroyed before its store.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runorder/run_order_observer.h"
#include "runorder/run_order_options.h"
#include "runorder/story_ids.h"
#include "runorder/story_status.h"
#include "store/script_store.h"

namespace telvane::runorder {

using store::e_object;
using store::r_object;

// UndoMove: first and last moved entry and the entry that followed the block; following is
// null after an insert, and last is then the moved story's old successor.
struct UndoMove {
  r_object* first = nullptr;
  r_object* last = nullptr;
  r_object* following = nullptr;
  int top_row = 1;
  r_object* selected_first = nullptr;
  r_object* selected_last = nullptr;
};

// What an ExchangePnew does besides the exchange.
struct ExchangeChoices {
  bool show_messages = true;
  bool restart_prompt = true;
  bool report = false;
  bool from_prompt = false;  // started by the prompt itself (SetAirStory)
};

enum class InsertResult { kDone, kSourceNotFound, kDestinationNotFound };

class RunOrder : private store::EntryWatcher {
 public:
  RunOrder(store::ScriptStore& store, RunOrderObserver& observer, RunOrderDialogs& dialogs);
  ~RunOrder() override;
  RunOrder(const RunOrder&) = delete;
  RunOrder& operator=(const RunOrder&) = delete;

  RunOrderOptions& options() { return options_; }
  RunOrderGuards& guards() { return guards_; }
  store::ScriptStore& store() { return store_; }

  // --- The list ---
  r_object* run_head() const { return store_.run_head(); }
  r_object* run_end() const { return store_.run_end(); }
  r_object* first_story() const { return store_.run_head()->next; }
  bool empty() const { return first_story() == run_end(); }
  // Row n (1-based) of the grid is the n-th entry after RunHead; RunEnd has the last row.
  int RowOf(const r_object* entry) const;
  r_object* EntryAtRow(int row) const;
  int story_count() const;
  // The stories from the first to the story before RunEnd.
  std::vector<r_object*> Stories() const;

  // --- Selection (the grid's selected rows) ---
  void Select(r_object* first, r_object* last = nullptr);
  void SelectRows(int top, int bottom);
  r_object* SelectedStory() const { return selected_first_; }
  r_object* selected_last() const { return selected_last_; }
  std::vector<r_object*> SelectedEntries() const;
  int top_row() const { return top_row_; }
  void set_top_row(int row) { top_row_ = row; }

  // --- Entries ---
  // A new entry for a slug line (flag 0x10 set by the caller), placed after the entry of the
  // nearest slug line above, identifiers parsed from the slug, presenter from the line.
  r_object* CreateStoryEntry(e_object* slug_line);
  // Unlinks and frees the entry; every reference to it moves on or is cleared.
  void RemoveStoryEntry(r_object* entry);
  // The entry of the story that holds line; null before the first story.
  r_object* StoryOfLine(const e_object* line) const;

  // --- Moves (neither changes a status) ---
  void MoveStoryBefore(r_object* s, r_object* t);
  void MoveStoryAfter(r_object* s, r_object* t);
  void InheritStatus(r_object* s);

  // --- Statuses ---
  void SetStatus(r_object* entry, StoryStatus status);
  void DropStories();
  void UndropStory(r_object* entry);
  void UndropAll();
  void ClearRepToNorm();
  void ClearRep(r_object* entry);

  // --- Pending versions ---
  void ExchangePnew(const ExchangeChoices& choices);
  // The housekeeping cycle runs a postponed exchange once the transfer has ended.
  bool exchange_pending() const { return exchange_pending_; }
  void RunPendingExchange();
  r_object* FindLastPnew() const;
  void DeletePnewBefore(r_object* entry);
  void DeletePnewWithId(std::string_view id);

  // --- Inserts and block moves ---
  InsertResult InsertStory(std::string_view source_id, std::string_view source_program,
                           std::string_view destination_id, std::string_view destination_program);
  // typed: the end panel's text ("ID" or "ID PROGRAMME"), empty for the selected story. The
  // caller clears the panel afterwards.
  void InsertAfterAir(std::string_view typed);
  void MoveBlock(std::string_view destination_id, std::string_view destination_program);
  // A grid drag: the selected block moves before target (RunEnd for the end) with the undo
  // record filled; the grid then gives the block its statuses.
  void MoveBlockBefore(r_object* target);
  const UndoMove& undo_record() const { return undo_; }
  // The grid's drags move stories one step at a time: they record the undo at the press and
  // report the change (script changed, grid, editor and timing refreshed) once at the end.
  void RecordDragUndo(r_object* first, r_object* last, r_object* following) {
    RecordUndo(first, last, following);
  }
  void GridChanged() { Changed(); }
  bool can_undo() const { return undo_.first != nullptr; }
  void UndoLastMove();

  // --- Deleting, cloaking, identifiers ---
  void DeleteStories();
  // Deletes the story with all its lines (the entry goes with its slug line).
  void DeleteStoryLines(r_object* entry);
  void CloakStories(bool cloak);
  // Every line of every selected story takes font (0..7); the stories take presenter (0 for
  // none) and their paragraphs are broken again for the new widths.
  void ChangeStoryFont(int font, int presenter);
  // The prompt starts at a story when the run order is busy no longer (a status double-click
  // while a transfer, save, download or prompt update ran); the housekeeping cycle takes it.
  void set_pending_start(r_object* entry) { pending_start_ = entry; }
  r_object* TakePendingStart() { return std::exchange(pending_start_, nullptr); }
  void Resequence();
  // The programmes window's form: from start up to the first story of another programme.
  void ResequenceProgramme(r_object* start);
  void ChangeProgramId(std::string_view id);

  // --- The AIR story ---
  void SetAirStory(r_object* entry);
  // Prompting ended: no story is on air.
  void ClearAirStory();
  r_object* air_story() const { return air_story_; }
  // A newsroom link pins the AIR entry (null to unpin).
  void PinAirStory(r_object* entry) { pinned_air_ = entry; }
  struct AirFind {
    r_object* entry = nullptr;
    int row = 0;
  };
  AirFind FindAirStory() const;
  void ShowTopStory();
  void ShowLastStory();
  void ShowAirStory();

 private:
  void BeforeEntryRemoved(r_object& entry) override;
  void EntriesReplaced() override;

  bool Locked() const { return options_.disable_enps_editing && guards_.newsroom_link_running; }
  bool Prompting() const { return store_.prompting(); }
  void Info(const MessagePieces& text) { dialogs_.Information(text); }
  void Changed();
  void Unlink(r_object* e);
  void LinkBefore(r_object* e, r_object* t);
  void SpliceBlock(r_object* first, r_object* last, r_object* after);
  void TakeNeighbourProgram(r_object* s);
  void RecordUndo(r_object* first, r_object* last, r_object* following);
  void MoveBlockAfter(const std::vector<r_object*>& block, r_object* destination);
  void ResequenceRange(r_object* start, bool one_programme);
  void DoExchange(const ExchangeChoices& choices);

  store::ScriptStore& store_;
  RunOrderObserver& observer_;
  RunOrderDialogs& dialogs_;
  RunOrderOptions options_;
  RunOrderGuards guards_;
  r_object* selected_first_ = nullptr;
  r_object* selected_last_ = nullptr;
  int top_row_ = 1;
  r_object* air_story_ = nullptr;
  r_object* pinned_air_ = nullptr;
  UndoMove undo_;
  bool exchange_pending_ = false;
  ExchangeChoices pending_choices_;
  r_object* pending_start_ = nullptr;
};

}  // namespace telvane::runorder
