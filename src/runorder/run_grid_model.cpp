#include "runorder/run_grid_model.h"

#include <algorithm>

#include "config/colours.h"
#include "runorder/received_text.h"
#include "runorder/story_status.h"

namespace telvane::runorder {

using store::e_object;
using store::r_object;
namespace gc = grid_colour;

namespace {

std::string Trimmed(const std::string& t) {
  const auto b = t.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return t.substr(b, t.find_last_not_of(' ') - b + 1);
}

std::string FontNumber(char style) {
  return std::to_string(store::FontOfStyle(style) + 1);
}

void TrimBlanks(store::StyledText& t) {
  const auto last = t.text.find_last_not_of(' ');
  if (last == std::string::npos) {
    t.clear();
    return;
  }
  t.erase(last + 1, t.size() - last - 1);
  t.erase(0, t.text.find_first_not_of(' '));
}

void SetStyled(Cell& cell, store::StyledText t) {
  cell.text = std::move(t.text);
  cell.style = std::move(t.style);
  cell.colour = std::move(t.colour);
}

}  // namespace

std::vector<CellRun> CellRuns(const Cell& cell, CellColours base, bool colour_selection) {
  if (cell.style.size() != cell.text.size() || cell.colour.size() != cell.text.size()) {
    return {CellRun{cell.text, false, false, false, base, false}};
  }
  std::vector<CellRun> runs;
  for (std::size_t i = 0; i < cell.text.size();) {
    std::size_t j = i + 1;
    while (j < cell.text.size() && cell.style[j] == cell.style[i] &&
           ((cell.colour[j] ^ cell.colour[i]) & 0x7F) == 0) {
      ++j;
    }
    const auto style = static_cast<std::uint8_t>(cell.style[i]);
    const auto colour = static_cast<std::uint8_t>(cell.colour[i]);
    const int fg = colour & store::colour_bit::kTextMask;
    const int bg =
        (colour & store::colour_bit::kBackgroundMask) >> store::colour_bit::kBackgroundShift;
    CellRun run{cell.text.substr(i, j - i),
                (style & store::style_bit::kBold) != 0,
                (style & store::style_bit::kItalic) != 0,
                (style & store::style_bit::kUnderline) != 0,
                base,
                false};
    if ((style & store::style_bit::kInverse) != 0) {
      run.colours = {base.text, base.background};
      run.opaque = true;
    } else if (colour_selection && !(fg == 0 && bg == 7)) {
      run.colours.text = config::ColourNumber(fg);
      if (bg != 7) {
        run.colours.background = config::ColourNumber(bg);
        run.opaque = true;
      }
    }
    runs.push_back(std::move(run));
    i = j;
  }
  return runs;
}

int RunButtonWidth(int pixels_per_inch) {
  return pixels_per_inch == 120 ? 30 : 24;
}

std::vector<int> RunButtonLefts(const std::vector<bool>& shown, int pixels_per_inch) {
  std::vector<int> lefts;
  int x = pixels_per_inch == 120 ? 4 : 1;
  for (const bool s : shown) {
    lefts.push_back(s ? x : -1);
    if (s) x += RunButtonWidth(pixels_per_inch);
  }
  return lefts;
}

std::optional<std::string> RemoteCueMessage(const std::vector<std::string>& story_list,
                                            const r_object& entry) {
  const auto it = std::find(story_list.begin(), story_list.end(), entry.story_id);
  if (it == story_list.end()) return std::nullopt;
  return "&&I" + std::to_string(it - story_list.begin() + 1) + "\r";
}

GridOptions GridOptionsFrom(const config::Settings& s) {
  using config::Key;
  GridOptions o;
  o.timing = TimingOptionsFrom(s);
  o.run_b = config::ResolveColour(s.Int(Key::kColorsRunB), o.run_b);
  o.run_f = config::ResolveColour(s.Int(Key::kColorsRunF), o.run_f);
  o.cloak_b = config::ResolveColour(s.Int(Key::kColorsCloakB), o.cloak_b);
  o.cloak_f = config::ResolveColour(s.Int(Key::kColorsCloakF), o.cloak_f);
  o.high_b = config::ResolveColour(s.Int(Key::kColorsHighB), o.high_b);
  o.high_f = config::ResolveColour(s.Int(Key::kColorsHighF), o.high_f);
  o.display_run_times = s.Bool(Key::kRunOrderDisplayRunTimes);
  o.display_accumulation_times = s.Bool(Key::kRunOrderDisplayAccumulationTimes);
  o.presenter_displayed = s.Bool(Key::kRunOrderPresenterDisplayed);
  o.presenters_enabled = s.Bool(Key::kPresenterEnabled);
  o.presenter_colours = s.Bool(Key::kPresenterDisplayColours);
  o.ap_newscenter = s.Bool(Key::kMainApNewscenterRemoteScript);
  o.force_slug_to_font_number = s.Int(Key::kMainForceSlugToFontNumber) != 0;
  o.avid_glyph = s.Bool(Key::kMainAvidGlyph);
  o.page_number_header =
      s.Bool(Key::kMainNexusPageNumber) &&
      (s.Bool(Key::kMainNexusRemoteScript) || s.Bool(Key::kMainDaletRemoteScript) ||
       s.Bool(Key::kMainMaximediaRemoteScript) || s.Bool(Key::kMainCeaRemoteScript));
  o.nepras = s.Bool(Key::kMainNeprasRemoteScript);
  o.colour_selection = s.Bool(Key::kMenuColorSel);
  for (int n = 0; n < config::Settings::kPresenters; ++n) {
    const config::PresenterSetting& p = s.Presenter(n + 1);
    o.presenters[static_cast<std::size_t>(n)] = {
        p.name, {config::ColourNumber(p.slug_background), config::ColourNumber(p.slug_foreground)}};
  }
  return o;
}

RunGridModel::RunGridModel(RunOrder& run, GridOptions options)
    : run_(run), options_(std::move(options)) {
  Refresh();
}

void RunGridModel::set_options(GridOptions options) {
  options_ = std::move(options);
  Refresh();
}

void RunGridModel::Refresh() {
  stories_ = run_.Stories();
  timeline_.Rebuild(stories_, options_.timing);
}

r_object* RunGridModel::StoryEdited(const e_object& line) {
  r_object* entry = run_.StoryOfLine(&line);
  if (entry == nullptr) return nullptr;
  if (!timeline_.StoryEdited(run_.store(), *entry, options_.timing)) {
    entry->length = StoryLength(run_.store(), *entry, options_.timing);
    Refresh();
  }
  return entry;
}

int RunGridModel::RowCount(int visible_rows) const {
  const int rows = story_count() + 2;
  return run_.options().run_order_prompt_track && !stories_.empty() ? rows + visible_rows : rows;
}

r_object* RunGridModel::EntryAt(int row) const {
  if (row < 1 || row > story_count() + 1) return nullptr;
  return row == story_count() + 1 ? run_.run_end() : stories_[static_cast<std::size_t>(row - 1)];
}

int RunGridModel::RowOf(const r_object* entry) const {
  if (entry == run_.run_end()) return story_count() + 1;
  const auto it = std::find(stories_.begin(), stories_.end(), entry);
  return it == stories_.end() ? 0 : static_cast<int>(it - stories_.begin()) + 1;
}

Cell RunGridModel::HeaderCell(int column) const {
  namespace m = grid_message;
  switch (column) {
    case 0:
      return {{}, m::kStoryHeader, run_.options().avstar_multi_run ? m::kAvidProgramHeader : 0};
    case 1:
      return {{}, options_.page_number_header ? m::kPageHeader : m::kProgramHeader};
    case 2:
      return {{}, options_.display_run_times ? m::kRunTimeHeader : 0};
    case 3:
      return {{}, options_.display_accumulation_times ? m::kAccumulatedHeader : 0};
    case 4:
      return {{}, m::kStatusHeader};
    case 5:
      return {{},
              options_.presenters_enabled && options_.presenter_displayed ? m::kPresenterHeader
                                                                          : m::kFontHeader};
    default:
      return {{}, m::kSlugHeader};
  }
}

Cell RunGridModel::DataCell(int row, int column) const {
  const r_object* e = EntryAt(row);
  if (e == nullptr || e == run_.run_end() || e->line == nullptr) return {};
  const e_object& slug = *e->line;
  Cell cell;
  cell.charset = store::CharsetOf(slug);
  cell.centred = column != 0 && column != 6;
  switch (column) {
    case 0: {
      store::StyledText t = run_.store().GetLineText(&slug);
      const auto open = t.text.find(run_.options().slug_open_bracket);
      const auto close =
          open == std::string::npos ? open : t.text.find(run_.options().slug_close_bracket, open);
      if (close == std::string::npos) {
        cell.text = "????????";
      } else {
        t.erase(close, t.size() - close);
        t.erase(0, open + 1);
        if (options_.ap_newscenter && t.size() >= 4) {
          store::StyledText shown = t;
          shown.erase(3, shown.size() - 3);
          if (t.text[3] != '0') {
            shown.append({".", t.style.substr(3, 1), t.colour.substr(3, 1)});
            shown.append({t.text.substr(3, 1), t.style.substr(3, 1), t.colour.substr(3, 1)});
          }
          t = std::move(shown);
        }
        if (run_.options().avstar_multi_run) {
          const std::string prefix = std::to_string(e->program + 1) + " : ";
          const char style = t.empty() ? '\0' : t.style.front();
          const char colour = t.empty() ? store::colour_bit::kDefault : t.colour.front();
          store::StyledText whole{prefix, std::string(prefix.size(), style),
                                  std::string(prefix.size(), colour)};
          whole.append(t);
          t = std::move(whole);
        }
        SetStyled(cell, std::move(t));
      }
      if (close == std::string::npos && run_.options().avstar_multi_run) {
        cell.text = std::to_string(e->program + 1) + " : " + cell.text;
      }
      break;
    }
    case 1:
      if (e->newsroom_mark != 0) {
        cell.message = grid_message::kNewsroomMarked;
      } else if (!(options_.avid_glyph && options_.presenters_enabled &&
                   options_.presenter_displayed)) {
        cell.text = e->second_id;
      }
      break;
    case 2:
      if (options_.display_run_times) cell.text = StoryTime(*e, options_.timing);
      break;
    case 3:
      if (options_.display_accumulation_times) {
        cell.text = timeline_.Text(static_cast<std::size_t>(row - 1));
      }
      break;
    case 4:
      if (IsOnAir(*e)) {
        cell.text = "AIR";
      } else if (e->newsroom_mark == 0) {
        cell.message = StatusMessage(StatusOf(*e));
      }
      break;
    case 5:
      if (options_.presenters_enabled && options_.presenter_displayed &&
          options_.force_slug_to_font_number) {
        const int p = e->story_presenter;
        if (p >= 1 && p <= config::Settings::kPresenters) {
          cell.text = options_.presenters[static_cast<std::size_t>(p - 1)].name;
        }
      } else if (options_.force_slug_to_font_number) {
        for (const e_object* l = &slug; l != run_.store().edit_tail() && !store::IsMargin(*l) &&
                                        (l == &slug || !store::IsSlugLine(*l));
             l = l->next) {
          const std::string& style = l->style_a.empty() ? l->style_b : l->style_a;
          if (!style.empty()) {
            cell.text = FontNumber(style.front());
            break;
          }
        }
      } else if (store::IsEmptyLine(slug)) {
        cell.message = grid_message::kNoFont;
      } else {
        cell.text = FontNumber(slug.style_a.empty() ? slug.style_b.front() : slug.style_a.front());
      }
      break;
    default: {
      store::StyledText t = run_.store().GetLineText(&slug);
      const auto open = t.text.find(run_.options().slug_open_bracket);
      const auto close =
          open == std::string::npos ? open : t.text.find(run_.options().slug_close_bracket, open);
      if (close != std::string::npos) t.erase(open, close - open + 1);
      TrimBlanks(t);
      SetStyled(cell, std::move(t));
      break;
    }
  }
  return cell;
}

std::optional<Cell> RunGridModel::PresenterTip(int row) const {
  if (!options_.presenters_enabled || options_.presenter_displayed) return std::nullopt;
  const Cell font = DataCell(row, 5);
  if (font.text.empty()) return std::nullopt;
  const int n = std::stoi(font.text);
  if (n == 8) return Cell{{}, grid_message::kFontEightPresenter};
  return Cell{options_.presenters[static_cast<std::size_t>(n - 1)].name};
}

bool RunGridModel::OnAir(const r_object& e) const {
  return IsOnAir(e) || (&e == remote_air_ && !IsPendingOrSetAside(StatusOf(e)));
}

std::optional<CellColours> RunGridModel::PresenterColours(const r_object& e) const {
  const int p = e.story_presenter;
  if (!options_.presenters_enabled || !options_.presenter_colours || p < 1 ||
      p > config::Settings::kPresenters) {
    return std::nullopt;
  }
  return options_.presenters[static_cast<std::size_t>(p - 1)].colours;
}

CellColours RunGridModel::NotSelectedColours(const r_object& e, int column) const {
  if (IsInactive(e)) return {gc::kWhite, gc::kSilver};
  if (IsCloaked(e)) return {options_.cloak_b, options_.cloak_f};
  if (OnAir(e)) return {gc::kRed, gc::kWhite};
  if (column == 1 && e.newsroom_mark != 0) return {gc::kPurple, gc::kYellow};
  if (column == 4 && e.line != nullptr && (e.line->flags2 & store::line_state::kStorySaved) != 0) {
    return {gc::kYellow, gc::kBlack};
  }
  if (column == 5 || column == 6) {
    if (const auto p = PresenterColours(e)) return *p;
  }
  return {options_.run_b, options_.run_f};
}

CellColours RunGridModel::SelectedColours(const r_object& e, int column, bool window_active) const {
  if (IsInactive(e)) return {gc::kSilver, gc::kGrey};
  if (column == 6 && drag_.active) return {gc::kMaroon, gc::kYellow};
  if (window_active) return {options_.high_b, options_.high_f};
  if (IsCloaked(e)) return {options_.cloak_b, options_.cloak_f};
  if (&e == remote_air_) return {gc::kRed, gc::kWhite};
  if (column == 4 && e.line != nullptr && (e.line->flags2 & store::line_state::kStorySaved) != 0) {
    return {gc::kYellow, gc::kBlack};
  }
  return {gc::kSilver, gc::kBlack};
}

CellColours RunGridModel::Colours(int row, int column, bool window_active) const {
  const r_object* e = EntryAt(row);
  if (e == nullptr || e == run_.run_end() || e->line == nullptr) {
    return {options_.run_b, options_.run_f};
  }
  if ((column == 2 && !options_.display_run_times) ||
      (column == 3 && !options_.display_accumulation_times)) {
    return {options_.run_b, options_.run_f};
  }
  return CellSelected(row, column) ? SelectedColours(*e, column, window_active)
                                   : NotSelectedColours(*e, column);
}

bool RunGridModel::CellSelected(int row, int column) const {
  const int top = RowOf(run_.SelectedStory());
  if (top == 0) return false;
  if (column == 0 || column == 1 || column == 5) {
    const int bottom = std::max(top, RowOf(run_.selected_last()));
    return row >= top && row <= bottom;
  }
  return row == top;
}

bool RunGridModel::SeparatorAbove(int row) const {
  if (row < 2 || row > story_count()) return false;
  const r_object& e = *stories_[static_cast<std::size_t>(row - 1)];
  const r_object& prev = *stories_[static_cast<std::size_t>(row - 2)];
  return (run_.options().avstar_multi_run && e.program != prev.program) ||
         (run_.options().mos_remote_script && e.remote_key != prev.remote_key);
}

bool RunGridModel::Locked() const {
  return run_.options().disable_enps_editing && run_.guards().newsroom_link_running;
}

void RunGridModel::Press(int row, int column) {
  typed_id_.clear();
  drag_ = {};
  r_object* e = EntryAt(row);
  if (run_.empty() || e == nullptr) return;
  const int top = RowOf(run_.SelectedStory());
  const int bottom = std::max(top, RowOf(run_.selected_last()));
  if (column == 0 && top != 0 && row >= top && row <= bottom) {
    std::vector<r_object*> block = run_.SelectedEntries();
    std::erase(block, run_.run_end());
    if (block.empty()) return;
    drag_ = {DragKind::kBlock, false, false, row, block.front(), block.back()};
    return;
  }
  run_.Select(e);
  if (column != 0 && column != 6) {
    drag_ = {DragKind::kRange, false, false, row, e, e};
    return;
  }
  if (column == 6 && e != run_.run_end()) {
    drag_ = {DragKind::kStory, false, false, row, e, e};
  }
}

DragStep RunGridModel::MoveTo(int row, int top_row, int visible_rows) {
  DragStep step;
  if (drag_.kind == DragKind::kNone || row == drag_.last_row || row < 1) return step;
  if (drag_.kind == DragKind::kRange) {
    const int anchor = RowOf(drag_.first);
    const int end = std::min(row, story_count() + 1);
    run_.SelectRows(std::min(anchor, end), std::max(anchor, end));
    drag_.last_row = row;
    return step;
  }
  if (!drag_.active) {
    if (Locked()) return step;
    drag_.active = true;
    // Recorded when the drag starts moving, so that a plain click keeps the last undo.
    if (drag_.kind == DragKind::kBlock) {
      run_.RecordDragUndo(drag_.first, drag_.last, drag_.last->next);
    } else {
      run_.RecordDragUndo(drag_.first, drag_.first->next, nullptr);
    }
  }
  // RunEnd is no place for a story: the drag stops moving, and the release still settles
  // the stories it already moved.
  if (row >= story_count() + 1 || run_.guards().host_download) {
    drag_.kind = DragKind::kNone;
    drag_.active = false;
    step.ended = true;
  }
  if (row >= story_count() + 1) return step;
  if (run_.guards().host_download) {
    step.message = message::kBlockMoveDownload;
    return step;
  }
  if (run_.guards().newsroom_transfer) {
    run_.Select(EntryAt(row));
    return step;
  }
  if (drag_.kind == DragKind::kBlock) {
    StepBlock(row, top_row, visible_rows, step);
  } else {
    StepStory(row, top_row, visible_rows, step);
  }
  return step;
}

void RunGridModel::StepBlock(int row, int top_row, int visible_rows, DragStep& step) {
  const int first_row = RowOf(drag_.first);
  const int last_row = RowOf(drag_.last);
  if (row < drag_.last_row) {
    int n = drag_.last_row - row;
    if (top_row == first_row - 1 && top_row > 1) {
      step.scroll = -1;
      --top_row;
      n = 1;
    }
    n = std::min(n, first_row - std::max(top_row, 1));
    for (int i = 0; i < n && drag_.first->prev != run_.run_head(); ++i) {
      run_.MoveStoryAfter(drag_.first->prev, drag_.last);
      drag_.moved = true;
    }
  } else {
    int n = row - drag_.last_row;
    if (last_row >= top_row + visible_rows - 2) {
      step.scroll = 1;
      n = 1;
    }
    for (int i = 0; i < n && drag_.last->next != run_.run_end(); ++i) {
      run_.MoveStoryBefore(drag_.last->next, drag_.first);
      drag_.moved = true;
    }
  }
  AfterMove(EntryAt(row));
  drag_.last_row = row;
}

void RunGridModel::StepStory(int row, int top_row, int visible_rows, DragStep& step) {
  r_object* target = EntryAt(row);
  if (target == nullptr || target == drag_.first) return;
  if (row > drag_.last_row) {
    run_.MoveStoryAfter(drag_.first, target);
    if (row >= top_row + visible_rows - 1) step.scroll = 1;
  } else {
    run_.MoveStoryBefore(drag_.first, target);
    if (row <= top_row && row > 1) step.scroll = -1;
  }
  drag_.moved = true;
  AfterMove(target);
  drag_.last_row = row;
}

void RunGridModel::AfterMove(r_object* target) {
  Refresh();
  for (r_object* e = drag_.first;; e = e->next) {
    run_.InheritStatus(e);
    if (run_.options().avstar_multi_run && target != nullptr && target != run_.run_end()) {
      e->program = target->program;
    }
    if (e == drag_.last) break;
  }
  run_.Select(drag_.first, drag_.last);
}

bool RunGridModel::Release() {
  const Drag drag = drag_;
  drag_ = {};
  if (!drag.moved) return false;
  // Each story takes its status from the story above through the model's inheritance, so a
  // dragged story never becomes PNEW and a TEMP story keeps its status.
  for (r_object* e = drag.first;; e = e->next) {
    run_.InheritStatus(e);
    if (e == drag.last) break;
  }
  run_.Select(drag.first, drag.last);
  run_.GridChanged();
  Refresh();
  return true;
}

void RunGridModel::RightClick(int row, int column) {
  r_object* e = EntryAt(row);
  if (e == nullptr || e == run_.run_end()) return;
  if (column == 4) {
    run_.Select(e);
    run_.ClearRep(e);
  } else if (column == 5 && options_.presenters_enabled) {
    run_.Select(e);
    e->story_presenter = 0;
  }
}

GridRequest RunGridModel::DoubleClick(int row, int column) {
  typed_id_.clear();
  r_object* e = EntryAt(row);
  if (run_.empty() || e == nullptr || e == run_.run_end() || e->line == nullptr) return {};
  using Kind = GridRequest::Kind;
  switch (column) {
    case 1:
      return {Kind::kProgramIdDialog, e, {}};
    case 5:
      return {Kind::kFontDialog, e, {}};
    case 4: {
      const RunOrderGuards& g = run_.guards();
      const bool busy = g.newsroom_transfer || g.saving || g.host_download || g.prompt_updating;
      if (StatusOf(*e) == StoryStatus::kDrop) {
        if (!busy) run_.UndropStory(e);
        return {};
      }
      if (busy) {
        run_.set_pending_start(e);
        return {};
      }
      return {Kind::kStartPrompt, e, {}};
    }
    default:
      return {Kind::kShowInEditor, e, {}};
  }
}

bool RunGridModel::KeysAllowed() const {
  const r_object* s = run_.SelectedStory();
  return !drag_.active && !run_.empty() && s != nullptr && s->line != nullptr;
}

void RunGridModel::TypeCharacter(char c) {
  if (KeysAllowed() && static_cast<unsigned char>(c) >= ' ' && typed_id_.size() < 64) {
    typed_id_ += c;
  }
}

void RunGridModel::Backspace() {
  if (KeysAllowed() && !typed_id_.empty()) typed_id_.pop_back();
}

GridRequest RunGridModel::Enter() {
  if (!KeysAllowed()) return {};
  const std::string id = Trimmed(typed_id_);
  using Kind = GridRequest::Kind;
  if (id.empty()) return {Kind::kShowInEditor, run_.SelectedStory(), {}};
  r_object* found = FindStory(run_.store(), id, "", false);
  if (found == run_.run_end()) return {Kind::kNotFound, nullptr, id};
  typed_id_.clear();
  return {Kind::kShowInEditor, found, {}};
}

std::string RunGridModel::SelectionRunTime() const {
  if (run_.empty() || run_.SelectedStory() == nullptr) return {};
  return RunTimeOf(run_.SelectedStory(), run_.selected_last(), run_.run_end(), options_.timing);
}

bool RunGridModel::ReceiveText(int row, std::string_view text) {
  r_object* e = EntryAt(row);
  if (e == nullptr || e == run_.run_end() || e->line == nullptr) return false;
  const e_object* last = InsertReceivedText(run_.store(), *e, text);
  if (last == nullptr) return false;
  StoryEdited(*last);
  run_.GridChanged();
  Refresh();
  return true;
}

void RunGridModel::PlaceAppendedStory(int row) {
  Refresh();
  if (stories_.empty()) return;
  r_object* target = row < 1 ? stories_.front() : EntryAt(row);
  if (target != nullptr) run_.MoveStoryBefore(stories_.back(), target);
  run_.GridChanged();
  Refresh();
}

int SnapHeight(int client_height, int row_height, int panel) {
  if (row_height <= 0) return client_height;
  const int grid = std::max(0, client_height - panel);
  int rows = grid / row_height;
  if (grid % row_height * 2 > row_height) ++rows;
  return panel + row_height * std::max(rows, 2);
}

}  // namespace telvane::runorder
