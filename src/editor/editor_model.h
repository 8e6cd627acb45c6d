#pragma once

// The editing model behind the editor window: keys and mouse in, store changes and the view
// state out. The window only draws what it is told changed.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "config/settings.h"
#include "editor/edit_hooks.h"
#include "editor/set_line_text.h"
#include "store/script_store.h"

namespace telvane::editor {

enum class Key {
  kBackspace,
  kDelete,
  kEnter,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kPageUp,
  kPageDown,
  kInsert,
  kMinus,
};

struct KeyEvent {
  Key key;
  bool ctrl = false;
  bool shift = false;
};

struct EditorOptions {
  bool force_uppercase = false;
  bool smart_quote = false;
  bool dot_space = false;
  std::string dot_space_data = ".";
  int space_count = 1;
  bool disable_on_air_edit = false;
  // "Pan European": text typed with an Arabic or Hebrew keyboard is marked.
  bool pan_european = false;
  // "Remove Number On Prompt": a truncated slug line's bracketed identifier is the story's.
  bool remove_number_on_prompt = false;
  // A newsroom link runs and "Disable Editing While Polling" is on.
  bool editing_disabled = false;
};

EditorOptions EditorOptionsFrom(const config::Settings& settings);

// Message numbers of the refusals.
namespace refusal {
inline constexpr int kEditingDisabled = 725;
inline constexpr int kHardBlankLine = 309;
inline constexpr int kOnAirProtected = 289;
}  // namespace refusal

// Rows relative to the top line; last_row kToBottom when lines were added or removed.
struct Damage {
  static constexpr int kNone = -1;
  static constexpr int kToBottom = INT_MAX;
  int first_row = kNone;
  int last_row = kNone;
  bool empty() const { return first_row == kNone; }
};

class EditorModel {
 public:
  EditorModel(store::ScriptStore& store, RunOrderEdits& run_order, PromptEditHooks& prompt);

  void SetOptions(EditorOptions options) { options_ = std::move(options); }
  const EditorOptions& options() const { return options_; }
  void SetVisibleRows(int rows);
  int visible_rows() const { return visible_rows_; }
  bool insert_mode() const { return insert_mode_; }

  void KeyDown(const KeyEvent& event);
  // A character byte of the line's code page, or 13 for Enter.
  void KeyPress(std::uint8_t byte);
  // A character from the input method: stored as a byte of the line's character set, or
  // refused with a status text when that set has no such character.
  void TypeUnicode(char32_t unicode);
  void DeleteWholeLine();
  void ToggleInsert() { insert_mode_ = !insert_mode_; }
  // Reformat Text: with "Dot Space" on, every sentence end followed by the set spaces ends
  // its line with a hard return and the rest goes on in a new line.
  void ReformatText();
  // Typing goes into the studio-instruction column instead of the text.
  void SetStudioTyping(bool on);
  bool studio_typing() const { return studio_typing_; }

  // A press in the text at a row (0 at the top) and column.
  void PlaceCaret(int row, int column);
  // The caret on a line and column, the window following it (a click in the prompt preview).
  void MoveCaretTo(store::e_object* line, int column);
  // A press in the left margin: the whole line is selected and a drag by lines starts.
  void SelectLineAt(int row);
  // The drag reached row; above or below the window the window scrolls one row towards it.
  void DragLinesTo(int row);
  void EndLineDrag() { drag_anchor_ = nullptr; }
  bool dragging_lines() const { return static_cast<bool>(drag_anchor_); }
  // The story of the line at row (its slug line's entry), or null before the first story.
  store::r_object* StoryAtRow(int row) const;
  // Positive steps move down.
  void Wheel(int steps);
  // The top line becomes the line at index (0 = first real line).
  void ScrollToIndex(long long index);

  store::e_object* top_line() const { return store_.top_line().get(); }
  store::e_object* current_line() const { return store_.current_line().get(); }
  int caret_row() const { return store_.caret_row; }
  int caret_column() const { return store_.caret_column; }
  // The rows changed since the last call.
  Damage TakeDamage();
  // A refusal that goes to the status line rather than a box; empty when none.
  std::string TakeStatusText();

 private:
  bool MayEdit(bool show_on_air);
  bool OnAirProtected();
  void TypeByte(std::uint8_t byte);
  void MarkTypingLanguage();
  CaretPlace Reflow(store::e_object* line, store::StyledText text, int caret, bool typed_break);
  store::e_object* LineAt(int row) const;
  void StudioType(std::uint8_t byte);
  void StudioEnter();
  void StudioErase(bool before_caret);
  void StudioHorizontal(bool forward, bool word);
  int SpaceCount() const { return std::max(options_.space_count, 1); }
  void Enter();
  void SplitLine();
  void Backspace(bool ctrl);
  void Delete();
  void MoveLines(int count);
  void Horizontal(bool forward, bool word);
  int WordLeft(const std::string& text, int column) const;
  int WordRight(const std::string& text, int column) const;
  void PageStory(bool forward);
  void AfterEdit(store::e_object* first_changed, bool lines_changed);
  void FollowCaret();
  int RowOf(const store::e_object* line) const;
  void AddDamage(int first, int last);
  bool IsReal(const store::e_object* line) const;

  store::ScriptStore& store_;
  RunOrderEdits& run_order_;
  PromptEditHooks& prompt_;
  EditorOptions options_;
  int visible_rows_ = 20;
  bool insert_mode_ = true;
  bool studio_typing_ = false;
  Damage damage_;
  std::string status_text_;
  store::LineRef drag_anchor_{store_.refs(), store::OnDelete::kFollow, store::OnNewScript::kClear};
};

}  // namespace telvane::editor
