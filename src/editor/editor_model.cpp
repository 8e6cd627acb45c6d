#include "editor/editor_model.h"

#include <algorithm>
#include <utility>

#include "editor/set_line_text.h"
#include "store/code_pages.h"
#include "store/line_fit.h"
#include "store/studio_marks.h"

namespace telvane::editor {

namespace {

using store::e_object;
using store::StyledText;
namespace lf = store::line_flag;

constexpr std::uint32_t kEndFlags = lf::kHardReturn | lf::kPageBreak;
constexpr std::uint8_t kSoftHyphen = 173;
constexpr std::uint8_t kHardHyphen = 150;
// Colour bit of text typed with an Arabic or Hebrew keyboard.
constexpr std::uint8_t kRightToLeftTyped = 0x40;
constexpr int kLangArabic = 1;
constexpr int kLangHebrew = 13;

int Length(const e_object* line) {
  return static_cast<int>(store::TextLength(*line));
}

bool Printable(std::uint8_t c) {
  return (c >= 32 && c <= 126) || c >= 128;
}

int CodePageOf(const e_object& line) {
  return store::CodePageOfCharset(store::CharsetOf(line));
}

}  // namespace

EditorOptions EditorOptionsFrom(const config::Settings& s) {
  using config::Key;
  EditorOptions o;
  o.force_uppercase = s.Bool(Key::kMenuForceUppercase);
  o.smart_quote = s.Bool(Key::kScriptSmartQuote);
  o.dot_space = s.Bool(Key::kScriptDotSpace);
  o.dot_space_data = s.Text(Key::kScriptDotSpaceData);
  o.space_count = s.Int(Key::kScriptSpaceCount);
  o.pan_european = s.Bool(Key::kLanguagePanEuropean);
  o.remove_number_on_prompt = s.Bool(Key::kScriptRemoveNumberOnPrompt);
  o.disable_on_air_edit = s.Bool(Key::kScriptDisableOnAirEdit);
  return o;
}

EditorModel::EditorModel(store::ScriptStore& store, RunOrderEdits& run_order,
                         PromptEditHooks& prompt)
    : store_(store), run_order_(run_order), prompt_(prompt) {}

void EditorModel::SetVisibleRows(int rows) {
  visible_rows_ = std::max(rows, 1);
  FollowCaret();
}

Damage EditorModel::TakeDamage() {
  return std::exchange(damage_, {});
}

std::string EditorModel::TakeStatusText() {
  return std::exchange(status_text_, {});
}

void EditorModel::AddDamage(int first, int last) {
  if (damage_.empty()) {
    damage_ = {first, last};
  } else {
    damage_.first_row = std::min(damage_.first_row, first);
    damage_.last_row = std::max(damage_.last_row, last);
  }
}

bool EditorModel::IsReal(const e_object* line) const {
  return line != nullptr && !IsMargin(*line) && line != store_.edit_head() &&
         line != store_.edit_tail();
}

int EditorModel::RowOf(const e_object* line) const {
  int row = 0;
  for (const e_object* at = top_line(); IsReal(at) && row <= visible_rows_; at = at->next, ++row) {
    if (at == line) return row;
  }
  return -1;
}

void EditorModel::FollowCaret() {
  e_object* current = current_line();
  if (RowOf(current) >= 0 && RowOf(current) < visible_rows_) {
    store_.caret_row = RowOf(current);
    return;
  }
  // Above the window: the caret line becomes the top line; below it: the last row.
  e_object* top = current;
  int row = 0;
  bool above = false;
  for (const e_object* at = current; IsReal(at) && row < visible_rows_; at = at->next, ++row) {
    if (at == top_line()) {
      above = true;
      break;
    }
  }
  if (!above) {
    for (row = 0; row + 1 < visible_rows_ && IsReal(top->prev); ++row) top = top->prev;
  } else {
    row = 0;
  }
  store_.top_line() = top;
  store_.caret_row = row;
  AddDamage(0, Damage::kToBottom);
}

void EditorModel::MoveCaretTo(e_object* line, int column) {
  if (!IsReal(line)) return;
  store_.current_line() = line;
  const int limit = studio_typing_ ? static_cast<int>(line->studio_text.size()) : Length(line);
  store_.caret_column = std::clamp(column, 0, limit);
  FollowCaret();
}

bool EditorModel::OnAirProtected() {
  if (!options_.disable_on_air_edit || !store_.prompting()) return false;
  const store::r_object* on_air = prompt_.OnAirStory();
  return on_air != nullptr && store_.StoryStartOf(current_line())->story == on_air;
}

bool EditorModel::MayEdit(bool show_on_air) {
  if (options_.editing_disabled) {
    store_.notices().Information(refusal::kEditingDisabled);
    return false;
  }
  if (OnAirProtected()) {
    if (show_on_air) store_.notices().Information(refusal::kOnAirProtected);
    return false;
  }
  return true;
}

void EditorModel::AfterEdit(e_object* first_changed, bool lines_changed) {
  const int row = std::max(RowOf(first_changed), 0);
  FollowCaret();
  AddDamage(row, lines_changed ? Damage::kToBottom : RowOf(current_line()));
  store_.MarkChanged(true);
  if (store_.prompting()) prompt_.FeedChanged();
}

void EditorModel::KeyPress(std::uint8_t byte) {
  if (options_.editing_disabled) {
    store_.notices().Information(refusal::kEditingDisabled);
    return;
  }
  e_object* line = current_line();
  if (HasFlag(*line, lf::kHardBlank) && byte != 13 && byte != 8) {
    store_.notices().Information(refusal::kHardBlankLine);
    return;
  }
  if (OnAirProtected()) {
    store_.notices().Information(refusal::kOnAirProtected);
    return;
  }
  if (store_.prompting()) prompt_.RememberFeed();
  if (options_.force_uppercase) byte = store::ToUpperByte(byte, CodePageOf(*line));
  MarkTypingLanguage();
  if (byte == ' ' && options_.dot_space && !IsSlugLine(*line)) {
    // A sentence end followed by the set number of spaces starts a new line.
    const int count = SpaceCount();
    const std::string text = line->text_a + line->text_b;
    const int col = std::min(store_.caret_column, static_cast<int>(text.size()));
    if (col >= count &&
        std::all_of(text.begin() + col - count + 1, text.begin() + col,
                    [](char c) { return c == ' '; }) &&
        options_.dot_space_data.find(text[static_cast<std::size_t>(col - count)]) !=
            std::string::npos) {
      byte = 13;
    }
  }
  if (studio_typing_) {
    if (byte == 13) {
      StudioEnter();
    } else if (Printable(byte)) {
      StudioType(byte);
    }
  } else if (byte == 13) {
    Enter();
  } else if (Printable(byte)) {
    TypeByte(byte);
  }
}

void EditorModel::MarkTypingLanguage() {
  if (!options_.pan_european) return;
  store::TypingState& typing = store_.typing();
  // The primary language is the low ten bits of the layout's language identifier.
  const int primary = typing.keyboard_language & 0x3FF;
  if (primary == kLangArabic || primary == kLangHebrew) {
    typing.colour |= kRightToLeftTyped;
  } else {
    typing.colour &= static_cast<std::uint8_t>(~kRightToLeftTyped);
  }
}

CaretPlace EditorModel::Reflow(e_object* line, StyledText text, int caret, bool typed_break) {
  const CaretPlace place = SetLineText(store_, line, std::move(text), caret, typed_break);
  if (options_.remove_number_on_prompt && IsSlugLine(*place.line) &&
      TakeBracketedStoryId(store_, *place.line, place.column)) {
    run_order_.StoryNumberEdited(*place.line->story);
  }
  return place;
}

void EditorModel::SetStudioTyping(bool on) {
  studio_typing_ = on;
  const e_object* line = current_line();
  const int length = static_cast<int>(on ? line->studio_text.size() : store::TextLength(*line));
  store_.caret_column = std::clamp(store_.caret_column, 0, length);
  AddDamage(store_.caret_row, store_.caret_row);
}

void EditorModel::StudioType(std::uint8_t byte) {
  e_object* line = current_line();
  std::string& si = line->studio_text;
  auto col =
      static_cast<std::size_t>(std::clamp(store_.caret_column, 0, static_cast<int>(si.size())));
  if (col < si.size() && si.find_first_not_of(' ', col) == std::string::npos) si.resize(col);
  if (insert_mode_ || col >= si.size()) {
    si.insert(col, 1, static_cast<char>(byte));
  } else {
    si[col] = static_cast<char>(byte);
  }
  store_.caret_column = static_cast<int>(col) + 1;
  AfterEdit(line, false);
}

void EditorModel::StudioEnter() {
  e_object* line = current_line();
  if (line->next == store_.edit_tail() && store_.InsertLine(line, true) == nullptr) return;
  e_object* next = line->next;
  if (!IsSlugLine(*line) && !line->studio_text.empty() && next->studio_text.empty()) {
    const auto col = std::min(static_cast<std::size_t>(std::max(store_.caret_column, 0)),
                              line->studio_text.size());
    std::string rest = line->studio_text.substr(col);
    line->studio_text.resize(col);
    store::TrimTrailingSpaces(line->studio_text);
    store::TrimLeadingSpaces(rest);
    next->studio_text = std::move(rest);
  }
  store_.current_line() = next;
  store_.caret_column = 0;
  AfterEdit(line, true);
}

void EditorModel::StudioErase(bool before_caret) {
  e_object* line = current_line();
  std::string& si = line->studio_text;
  const int col = std::clamp(store_.caret_column, 0, static_cast<int>(si.size()));
  const int at = before_caret ? col - 1 : col;
  if (at < 0 || at >= static_cast<int>(si.size())) return;
  si.erase(static_cast<std::size_t>(at), 1);
  store_.caret_column = at;
  AfterEdit(line, false);
}

void EditorModel::StudioHorizontal(bool forward, bool word) {
  const std::string& si = current_line()->studio_text;
  const int col = std::clamp(store_.caret_column, 0, static_cast<int>(si.size()));
  if (word) {
    store_.caret_column = forward ? WordRight(si, col) : WordLeft(si, col);
  } else {
    store_.caret_column = std::clamp(col + (forward ? 1 : -1), 0, static_cast<int>(si.size()));
  }
}

void EditorModel::ReformatText() {
  if (!options_.dot_space || !MayEdit(true)) return;
  if (store_.IsOnlyLine(store_.first_line()) && store::IsEmptyLine(*store_.first_line())) return;
  const std::size_t count = static_cast<std::size_t>(SpaceCount());
  for (e_object* line = store_.first_line(); IsReal(line);) {
    StyledText text = store_.GetLineText(line);
    std::size_t end = std::string::npos;
    for (std::size_t i = 0; i + count + 1 < text.size() && end == std::string::npos; ++i) {
      if (options_.dot_space_data.find(text.text[i]) != std::string::npos &&
          text.text.compare(i + 1, count, std::string(count, ' ')) == 0) {
        end = i;
      }
    }
    if (end == std::string::npos) {
      line = line->next;
      continue;
    }
    StyledText head = text.take_front(end + 1);
    text.erase(0, count);
    e_object* last = store::LayOutText(store_, line, std::move(head), 0);
    e_object* rest = InsertContinuation(store_, last);
    if (rest == nullptr) break;
    last->flags |= lf::kHardReturn;
    store::LayOutText(store_, rest, std::move(text), 0);
    line = rest;
  }
  store_.caret_column = std::min(store_.caret_column, Length(current_line()));
  AfterEdit(top_line(), true);
}

void EditorModel::TypeUnicode(char32_t unicode) {
  if (unicode == '\r' || unicode == '\n') {
    KeyPress(13);
    return;
  }
  const std::optional<std::uint8_t> byte =
      store::UnicodeToByte(unicode, CodePageOf(*current_line()));
  if (!byte || !Printable(*byte)) {
    status_text_ = "The character set of this line has no such character";
    return;
  }
  KeyPress(*byte);
}

void EditorModel::TypeByte(std::uint8_t byte) {
  e_object* line = current_line();
  StyledText text = store_.GetLineText(line);
  const auto col = static_cast<std::size_t>(std::clamp(store_.caret_column, 0, Length(line)));
  char c = static_cast<char>(byte);
  if (options_.smart_quote && (c == '"' || c == '\'')) {
    const bool opening = col == 0 || text.text[col - 1] == ' ';
    c = static_cast<char>(c == '"' ? (opening ? 147 : 148) : (opening ? 145 : 146));
  }
  const store::TypingState& typing = store_.typing();
  if (insert_mode_ || col >= text.size()) {
    text.text.insert(col, 1, c);
    text.style.insert(col, 1, static_cast<char>(typing.style));
    text.colour.insert(col, 1, static_cast<char>(typing.colour));
  } else {
    text.text[col] = c;
    text.style[col] = static_cast<char>(typing.style);
    text.colour[col] = static_cast<char>(typing.colour);
  }
  // Without stories there is no saved-story mark to clear, and no walk to the script's top.
  if (store_.run_head()->next != store_.run_end()) {
    e_object* slug = store_.StoryStartOf(line);
    if (IsSlugLine(*slug)) slug->flags2 &= ~store::line_state::kStorySaved;
  }
  const int before = store_.line_count();
  const bool typed_break = c == ' ' || c == '-';
  e_object* first = typed_break && IsReal(line->prev) ? line->prev : line;
  const CaretPlace place = Reflow(line, std::move(text), static_cast<int>(col) + 1, typed_break);
  store_.current_line() = place.line;
  store_.caret_column = place.column;
  AfterEdit(first, before != store_.line_count());
}

void EditorModel::Enter() {
  e_object* line = current_line();
  const bool split = store_.caret_column < Length(line) || HasFlag(*line, lf::kHardReturn) ||
                     HasFlag(*line, lf::kHardBlank) || line->next == store_.edit_tail() ||
                     ((line->flags ^ line->next->flags) & lf::kRightToLeft) != 0;
  if (split) {
    SplitLine();
  } else {
    line->flags |= lf::kHardReturn;
    store_.current_line() = line->next;
    store_.caret_column = 0;
    AfterEdit(line, false);
  }
  e_object* current = current_line();
  current->flags =
      (current->flags & ~lf::kEmptyStyleMask) |
      (static_cast<std::uint32_t>(store_.typing().style & 0xF) << lf::kEmptyStyleShift);
}

void EditorModel::SplitLine() {
  e_object* line = current_line();
  if (HasFlag(*line, lf::kHardBlank)) {
    e_object* above = store_.InsertLine(line, false);
    if (above == nullptr) return;
    const bool was_top = top_line() == line;
    store_.current_line() = above;
    if (was_top) store_.top_line() = above;
    AfterEdit(above, true);
    return;
  }
  const auto col = static_cast<std::size_t>(std::clamp(store_.caret_column, 0, Length(line)));
  StyledText right = store_.GetLineText(line);
  StyledText left = right.take_front(col);
  bool mark_after = false;
  if (HasFlag(*line, lf::kStudioMark)) {
    mark_after = std::any_of(right.colour.begin(), right.colour.end(),
                             [](char c) { return (c & store::colour_bit::kStudioMark) != 0; });
  }
  store::FitSegment(store_, *line, left, store::Segment::kA, 0);
  store::FitSegment(store_, *line, left, store::Segment::kB, 0);
  const std::uint32_t end_flags = line->flags & kEndFlags;
  line->flags = (line->flags & ~(kEndFlags | lf::kEmptyStyleMask)) | lf::kHardReturn;

  e_object* next = store_.InsertLine(line, true);
  if (next == nullptr) return;
  store::KeepStudioColumnOnInsert(store_, *next);
  next->flags = (next->flags & ~lf::kStatusMask) | (line->flags & lf::kStatusMask);
  if (HasFlag(*line, lf::kPresenterInstruction)) {
    if (col != 0) {
      store_.typing().style &= static_cast<std::uint8_t>(~store::style_bit::kInverse);
    } else {
      next->flags |= 0x80400;
      line->flags &= ~lf::kPresenterInstruction;
    }
  }
  if (HasFlag(*line, lf::kPackage)) next->flags |= 0xA0200;
  if (IsSlugLine(*line) && col == 0 && line->story != nullptr) {
    run_order_.MoveStory(*line->story, *next);
  }
  store::FitSegment(store_, *next, right, store::Segment::kA, 0);
  store::FitSegment(store_, *next, right, store::Segment::kB, 0);
  next->flags |= end_flags;
  if (mark_after) {
    next->flags |= lf::kStudioMark;
    next->studio_text = std::exchange(line->studio_text, {});
    line->flags &= ~lf::kStudioMark;
  }
  const CaretPlace place = SetLineText(store_, next, store_.GetLineText(next), 0, false);
  store_.current_line() = place.line;
  store_.caret_column = 0;
  AfterEdit(line, true);
}

void EditorModel::Backspace(bool ctrl) {
  e_object* line = current_line();
  if (studio_typing_) {
    if (MayEdit(false)) StudioErase(true);
    return;
  }
  if (!MayEdit(false) || HasFlag(*line, lf::kHardBlank)) return;
  const int col = std::clamp(store_.caret_column, 0, Length(line));
  if (ctrl && col == 0) return;
  if (store_.prompting()) prompt_.RememberFeed();
  const int before = store_.line_count();
  StyledText text = store_.GetLineText(line);
  if (col > 0) {
    int from = ctrl ? WordLeft(text.text, col) : col - 1;
    text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(col - from));
    if (ctrl && from == 0 && !text.empty() && text.text.front() == ' ') text.erase(0, 1);
    const CaretPlace place = Reflow(line, std::move(text), from, false);
    store_.current_line() = place.line;
    store_.caret_column = place.column;
    AfterEdit(IsReal(line->prev) ? line->prev : line, before != store_.line_count());
    return;
  }
  e_object* prev = line->prev;
  if (!IsReal(prev)) return;
  if (store::IsEmptyLine(*prev)) {
    // An empty line above goes; a story it began ends first so the run order stays whole.
    if (IsSlugLine(*prev) && prev->story != nullptr) run_order_.RemoveStory(*prev->story);
    store::KeepStudioColumnOnDelete(store_, *prev);
    const bool was_top = top_line() == prev;
    store_.DeleteLine(prev);
    if (was_top) store_.top_line() = line;
    store_.current_line() = line;
    store_.caret_column = 0;
    AfterEdit(line, true);
    return;
  }
  StyledText joined = store_.GetLineText(prev);
  const int caret = static_cast<int>(joined.size());
  joined.append(text);
  if (IsSlugLine(*line) && line->story != nullptr) run_order_.RemoveStory(*line->story);
  prev->flags = (prev->flags & ~kEndFlags) | (line->flags & kEndFlags);
  if (prev->studio_text.empty()) prev->studio_text = line->studio_text;
  const bool was_top = top_line() == line;
  store_.current_line() = prev;
  store_.DeleteLine(line);
  if (was_top) store_.top_line() = prev;
  const CaretPlace place = Reflow(prev, std::move(joined), caret, false);
  store_.current_line() = place.line;
  store_.caret_column = place.column;
  AfterEdit(prev, true);
}

void EditorModel::Delete() {
  e_object* line = current_line();
  if (!MayEdit(false)) return;
  if (studio_typing_) {
    StudioErase(false);
    return;
  }
  const int col = std::clamp(store_.caret_column, 0, Length(line));
  const int length = Length(line);
  if (col < length || col == 0 || HasFlag(*line, kEndFlags | lf::kHardBlank)) {
    if (col >= length) return;
    if (store_.prompting()) prompt_.RememberFeed();
    const int before = store_.line_count();
    StyledText text = store_.GetLineText(line);
    text.erase(static_cast<std::size_t>(col), 1);
    const CaretPlace place = Reflow(line, std::move(text), col, false);
    store_.current_line() = place.line;
    store_.caret_column = place.column;
    AfterEdit(line, before != store_.line_count());
  } else if (IsReal(line->next)) {
    MoveCaretTo(line->next, 0);
  }
}

void EditorModel::DeleteWholeLine() {
  if (!MayEdit(true)) return;
  e_object* line = current_line();
  if (store_.prompting()) prompt_.RememberFeed();
  if (IsSlugLine(*line) && line->story != nullptr) run_order_.RemoveStory(*line->story);
  if (store_.IsOnlyLine(line)) {
    const std::string studio = line->studio_text;
    store_.DeleteLine(line);
    line->flags2 = 0;
    line->sel_start = 0;
    line->sel_end = 0;
    if (store_.typing().right_to_left) line->flags |= lf::kRightToLeft;
    line->studio_text = store_.options().studio_instructions ? studio : std::string();
    store_.caret_column = 0;
    AfterEdit(line, false);
    return;
  }
  if (studio_typing_) {
    // The line stays; the instructions below move up one row.
    line->studio_text.clear();
    store::KeepStudioColumnOnInsert(store_, *line);
    store_.caret_column = 0;
    AfterEdit(line, true);
    return;
  }
  e_object* replacement = IsReal(line->next) ? line->next : line->prev;
  if (top_line() == line) store_.top_line() = replacement;
  store_.current_line() = replacement;
  store::KeepStudioColumnOnDelete(store_, *line);
  store_.DeleteLine(line);
  store_.caret_column = std::min(store_.caret_column, Length(replacement));
  AfterEdit(top_line(), true);
}

int EditorModel::WordLeft(const std::string& text, int column) const {
  int at = std::min(column, static_cast<int>(text.size()));
  while (at > 0 && text[static_cast<std::size_t>(at - 1)] == ' ') --at;
  while (at > 0 && text[static_cast<std::size_t>(at - 1)] != ' ') --at;
  return at;
}

int EditorModel::WordRight(const std::string& text, int column) const {
  const int size = static_cast<int>(text.size());
  int at = column;
  while (at < size && text[static_cast<std::size_t>(at)] != ' ') ++at;
  while (at < size && text[static_cast<std::size_t>(at)] == ' ') ++at;
  return at;
}

void EditorModel::Horizontal(bool forward, bool word) {
  e_object* line = current_line();
  const int col = std::clamp(store_.caret_column, 0, Length(line));
  const std::string text = line->text_a + line->text_b;
  if (forward) {
    if (col >= Length(line)) {
      if (IsReal(line->next)) MoveCaretTo(line->next, 0);
    } else {
      MoveCaretTo(line, word ? WordRight(text, col) : col + 1);
    }
  } else if (col == 0) {
    if (IsReal(line->prev)) MoveCaretTo(line->prev, Length(line->prev));
  } else {
    MoveCaretTo(line, word ? WordLeft(text, col) : col - 1);
  }
}

void EditorModel::MoveLines(int count) {
  e_object* line = current_line();
  for (; count > 0 && IsReal(line->next); --count) line = line->next;
  for (; count < 0 && IsReal(line->prev); ++count) line = line->prev;
  MoveCaretTo(line, store_.caret_column);
}

void EditorModel::PageStory(bool forward) {
  e_object* line = current_line();
  e_object* found = nullptr;
  for (e_object* at = forward ? line->next : line->prev; IsReal(at);
       at = forward ? at->next : at->prev) {
    if (IsSlugLine(*at)) {
      found = at;
      break;
    }
  }
  if (found == nullptr) found = forward ? store_.last_line() : store_.first_line();
  store_.top_line() = found;
  store_.current_line() = found;
  store_.caret_column = 0;
  store_.caret_row = 0;
  AddDamage(0, Damage::kToBottom);
}

void EditorModel::KeyDown(const KeyEvent& e) {
  const bool rtl = HasFlag(*current_line(), lf::kRightToLeft);
  switch (e.key) {
    case Key::kBackspace:
      Backspace(e.ctrl);
      break;
    case Key::kDelete:
      if (!e.ctrl && !e.shift) Delete();
      break;
    case Key::kEnter:
      KeyPress(13);
      break;
    case Key::kLeft:
    case Key::kRight:
      if (e.shift) break;
      if (studio_typing_) {
        StudioHorizontal(e.key == Key::kRight, e.ctrl);
      } else {
        Horizontal((e.key == Key::kRight) != rtl, e.ctrl);
      }
      break;
    case Key::kUp:
    case Key::kDown: {
      const int step = e.key == Key::kDown ? 1 : -1;
      if (e.shift) break;
      if (e.ctrl) {
        e_object* top = step > 0 ? top_line()->next : top_line()->prev;
        if (IsReal(top)) {
          store_.top_line() = top;
          AddDamage(0, Damage::kToBottom);
          // The caret line stays unless it would leave the window; then it keeps to the edge.
          const int row = RowOf(current_line());
          if (row < 0 || row >= visible_rows_) {
            MoveCaretTo(step > 0 ? top : current_line()->prev, store_.caret_column);
          } else {
            store_.caret_row = row;
          }
        }
      } else {
        MoveLines(step);
      }
      break;
    }
    case Key::kHome:
      if (e.ctrl) {
        MoveCaretTo(store_.first_line(), 0);
      } else if (!e.shift) {
        MoveCaretTo(current_line(), 0);
      }
      break;
    case Key::kEnd:
      if (e.ctrl) MoveCaretTo(store_.last_line(), Length(store_.last_line()));
      break;
    case Key::kPageUp:
    case Key::kPageDown: {
      const bool down = e.key == Key::kPageDown;
      if (e.shift) {
        PageStory(down);
      } else if (e.ctrl) {
        e_object* at = top_line();
        for (int r = 0; down && r + 1 < visible_rows_ && IsReal(at->next); ++r) at = at->next;
        MoveCaretTo(at, store_.caret_column);
      } else {
        MoveLines(down ? visible_rows_ : -visible_rows_);
      }
      break;
    }
    case Key::kInsert:
      ToggleInsert();
      break;
    case Key::kMinus:
      if (!e.ctrl) break;
      if (options_.editing_disabled) {
        store_.notices().Information(refusal::kEditingDisabled);
      } else if (HasFlag(*current_line(), lf::kHardBlank)) {
        store_.notices().Information(refusal::kHardBlankLine);
      } else if (!OnAirProtected()) {
        TypeByte(e.shift ? kHardHyphen : kSoftHyphen);
      }
      break;
  }
}

void EditorModel::PlaceCaret(int row, int column) {
  e_object* line = top_line();
  for (int r = 0; r < row && IsReal(line->next); ++r) line = line->next;
  MoveCaretTo(line, column);
}

e_object* EditorModel::LineAt(int row) const {
  e_object* line = top_line();
  for (int r = 0; r < row && IsReal(line->next); ++r) line = line->next;
  return line;
}

namespace {

void SelectWholeLines(store::ScriptStore& store, e_object* first, e_object* last) {
  bool inside = false;
  for (e_object* at = store.first_line(); at != store.edit_tail(); at = at->next) {
    if (at == first) inside = true;
    at->sel_start = 0;
    at->sel_end = !inside ? 0 : store::IsEmptyLine(*at) ? 255 : Length(at);
    if (at == last) inside = false;
  }
}

}  // namespace

void EditorModel::SelectLineAt(int row) {
  e_object* line = LineAt(row);
  SelectWholeLines(store_, line, line);
  drag_anchor_ = line;
  MoveCaretTo(line, 0);
  AddDamage(0, Damage::kToBottom);
}

void EditorModel::DragLinesTo(int row) {
  e_object* anchor = drag_anchor_.get();
  if (!IsReal(anchor)) return;
  if (row < 0) {
    if (IsReal(top_line()->prev)) store_.top_line() = top_line()->prev;
    row = 0;
  } else if (row >= visible_rows_) {
    row = visible_rows_ - 1;
    // Only a full window has lines below it to scroll into.
    const e_object* last = LineAt(row);
    if (RowOf(last) == row && IsReal(last->next)) store_.top_line() = top_line()->next;
  }
  e_object* line = LineAt(row);
  bool below = false;
  for (const e_object* at = anchor; IsReal(at); at = at->next) {
    if (at == line) {
      below = true;
      break;
    }
  }
  if (below) {
    SelectWholeLines(store_, anchor, line);
  } else {
    SelectWholeLines(store_, line, anchor);
  }
  MoveCaretTo(line, 0);
  AddDamage(0, Damage::kToBottom);
}

store::r_object* EditorModel::StoryAtRow(int row) const {
  e_object* slug = store_.StoryStartOf(LineAt(row));
  return slug != nullptr && IsSlugLine(*slug) ? slug->story : nullptr;
}

void EditorModel::Wheel(int steps) {
  for (; steps > 0; --steps) {
    if (IsReal(top_line()->next)) store_.top_line() = top_line()->next;
    if (IsReal(current_line()->next)) store_.current_line() = current_line()->next;
  }
  for (; steps < 0; ++steps) {
    if (IsReal(top_line()->prev)) store_.top_line() = top_line()->prev;
    if (IsReal(current_line()->prev)) store_.current_line() = current_line()->prev;
  }
  store_.caret_column = std::min(store_.caret_column, Length(current_line()));
  FollowCaret();
  AddDamage(0, Damage::kToBottom);
}

void EditorModel::ScrollToIndex(long long index) {
  e_object* line = store_.first_line();
  for (long long i = 0; i < index && IsReal(line->next); ++i) line = line->next;
  if (!IsReal(line)) return;
  store_.top_line() = line;
  AddDamage(0, Damage::kToBottom);
  const int row = RowOf(current_line());
  if (row >= 0 && row < visible_rows_) {
    store_.caret_row = row;
  } else {
    store_.current_line() = line;
    store_.caret_column = std::min(store_.caret_column, Length(line));
    store_.caret_row = 0;
  }
}

}  // namespace telvane::editor
