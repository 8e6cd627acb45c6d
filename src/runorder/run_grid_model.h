#pragma once

// What the run order grid shows and does: its rows (header, one per story, RunEnd), each
// cell's text and colours, the selection, and the decisions of clicks, drags and typed keys,
// which it carries out through the RunOrder's operations. The window only paints and
// forwards input.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "runorder/run_order.h"
#include "runorder/run_times.h"

namespace telvane::runorder {

// A colour as the configuration stores it: red in the low byte, blue in the third.
using Rgb = std::uint32_t;

namespace grid_colour {
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kSilver = 0xC0C0C0;
inline constexpr Rgb kGrey = 0x808080;
inline constexpr Rgb kRed = 0x0000FF;
inline constexpr Rgb kYellow = 0x00FFFF;
inline constexpr Rgb kPurple = 0x800080;
inline constexpr Rgb kMaroon = 0x000080;
inline constexpr Rgb kTeal = 0x808000;
inline constexpr Rgb kBlue = 0xFF0000;
}  // namespace grid_colour

struct CellColours {
  Rgb background = grid_colour::kWhite;
  Rgb text = grid_colour::kBlack;
  friend bool operator==(const CellColours&, const CellColours&) = default;
};

inline constexpr int kGridColumns = 7;

struct GridOptions {
  TimingOptions timing;
  Rgb run_b = grid_colour::kWhite, run_f = grid_colour::kBlack;
  Rgb cloak_b = grid_colour::kSilver, cloak_f = grid_colour::kYellow;
  Rgb high_b = 0xD77800, high_f = grid_colour::kWhite;
  bool display_run_times = true;            // "Display Run Times" (Run Order)
  bool display_accumulation_times = false;  // "Display Accumulation Times" (Run Order)
  bool presenter_displayed = false;         // "Presenter Displayed" (Run Order)
  bool presenters_enabled = false;          // "Enabled" (Presenter)
  bool presenter_colours = false;           // "Display Colours" (Presenter)
  bool ap_newscenter = false;               // "AP NewsCenter Remote Script" (Main)
  bool force_slug_to_font_number = false;   // "Force Slug To Font Number" (Main)
  bool avid_glyph = false;                  // "Avid Glyph" (Main)
  bool page_number_header = false;          // "Nexus Page Number" with a host-feed script
  bool nepras = false;                      // "NEPRAS Remote Script" (Main)
  bool colour_selection = false;            // "Color Sel" (Menu)
  struct Presenter {
    std::string name;
    CellColours colours;
  };
  std::array<Presenter, config::Settings::kPresenters> presenters{};
};

GridOptions GridOptionsFrom(const config::Settings& settings);

// One cell's content: literal text, or a catalogue message when message is not 0, after
// prefix_message and " : " when that is not 0. Text taken from the script keeps its style and
// colour bytes (one each per byte of text); other text has none.
struct Cell {
  std::string text;
  int message = 0;
  int prefix_message = 0;
  bool centred = false;
  int charset = store::kDefaultCharset;
  std::string style;
  std::string colour;
  friend bool operator==(const Cell&, const Cell&) = default;
};

// A stretch of a cell's text with one style and colour, drawn as the editor draws it.
struct CellRun {
  std::string bytes;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  CellColours colours;
  bool opaque = false;  // fills its own background over the cell's
  friend bool operator==(const CellRun&, const CellRun&) = default;
};

// The runs of a cell's literal text over the cell's colours: inverse text swaps them, and
// with "Color Sel" the colour bytes give the text and background colours.
std::vector<CellRun> CellRuns(const Cell& cell, CellColours base, bool colour_selection);

// The tool panel's buttons from left to right: each as wide as RunButtonWidth, the first at
// 4 (120 dots per inch) or 1, hidden ones taking no room. Yields each button's left edge,
// -1 for a hidden one.
int RunButtonWidth(int pixels_per_inch);
std::vector<int> RunButtonLefts(const std::vector<bool>& shown, int pixels_per_inch);

// "&&I", the story's 1-based place in the remote control client's story list and a carriage
// return; none when its identifier is not in the list.
std::optional<std::string> RemoteCueMessage(const std::vector<std::string>& story_list,
                                            const store::r_object& entry);

// Catalogue numbers the grid shows.
namespace grid_message {
inline constexpr int kStoryHeader = 155;
inline constexpr int kProgramHeader = 156;
inline constexpr int kRunTimeHeader = 157;
inline constexpr int kStatusHeader = 158;
inline constexpr int kSlugHeader = 159;
inline constexpr int kNewsroomMarked = 740;
inline constexpr int kAccumulatedHeader = 747;
inline constexpr int kPageHeader = 758;
inline constexpr int kFontHeader = 785;
inline constexpr int kNoFont = 790;
inline constexpr int kPresenterHeader = 860;
inline constexpr int kAvidProgramHeader = 1113;
inline constexpr int kRunTime = 487;
inline constexpr int kFontEightPresenter = 871;
}  // namespace grid_message

// What a step of a drag asks of the window: scroll one row and repeat the step on the
// scroll timer while the pointer stays beyond the visible rows.
struct DragStep {
  int scroll = 0;  // -1 up, +1 down
  bool ended = false;
  int message = 0;  // shown when the drag was refused
};

// What a key or double-click asks of the window beyond the run order's own operations.
struct GridRequest {
  enum class Kind { kNone, kShowInEditor, kStartPrompt, kNotFound, kProgramIdDialog, kFontDialog };
  Kind kind = Kind::kNone;
  store::r_object* entry = nullptr;
  std::string text;  // kNotFound: the identifier typed
};

class RunGridModel {
 public:
  RunGridModel(RunOrder& run, GridOptions options);

  const GridOptions& options() const { return options_; }
  void set_options(GridOptions options);
  // Re-reads the story list and the accumulated times after the run order changed.
  void Refresh();
  // The editor changed the text of line: its story is recounted and the accumulated times
  // after it follow. Yields the story, null for a line above the first story.
  store::r_object* StoryEdited(const store::e_object& line);

  // The stories plus the header and RunEnd rows; with "Run Order Prompt Track" and at least
  // one story, visible_rows more so that the last stories scroll to the top.
  int RowCount(int visible_rows) const;
  // The entry of a row: null for the header and beyond RunEnd, RunEnd on its row.
  store::r_object* EntryAt(int row) const;
  int RowOf(const store::r_object* entry) const;
  int story_count() const { return static_cast<int>(stories_.size()); }

  Cell HeaderCell(int column) const;
  Cell DataCell(int row, int column) const;
  static CellColours HeaderColours() { return {grid_colour::kTeal, grid_colour::kYellow}; }
  CellColours Colours(int row, int column, bool window_active) const;
  bool CellSelected(int row, int column) const;
  // The programme separator bar across the top edge of the row.
  bool SeparatorAbove(int row) const;

  // The presenter tip shown where the button is released over a font cell: the name of the
  // presenter numbered as the story's font (a message for font 8); none unless presenters
  // are enabled and column 5 shows font numbers.
  std::optional<Cell> PresenterTip(int row) const;

  // The remote station's AIR story (null for none).
  void set_remote_air(const store::r_object* entry) { remote_air_ = entry; }

  // --- Mouse ---
  void Press(int row, int column);
  // The pointer is over row; top_row and visible_rows describe the visible area.
  DragStep MoveTo(int row, int top_row, int visible_rows);
  // Ends the drag; true when stories moved.
  bool Release();
  bool dragging() const { return drag_.active; }
  void RightClick(int row, int column);
  GridRequest DoubleClick(int row, int column);

  // --- Keys ---
  const std::string& typed_id() const { return typed_id_; }
  void ClearTypedId() { typed_id_.clear(); }
  void TypeCharacter(char c);
  void Backspace();
  GridRequest Enter();

  // A file dropped on row was read and appended its story at the end: the story moves
  // before the row's story (the first story for the header row), and the script is changed.
  void PlaceAppendedStory(int row);

  // A "Quillbox" text dropped on row: it joins the row's story (none for RunEnd and beyond),
  // the story is recounted and the script changed. True when text was inserted.
  bool ReceiveText(int row, std::string_view text);

  // The grid's total run time of the selection (the Time button), empty with no stories.
  std::string SelectionRunTime() const;

 private:
  // kRange: a press in another column extends the selection as the pointer moves.
  enum class DragKind { kNone, kBlock, kStory, kRange };
  struct Drag {
    DragKind kind = DragKind::kNone;
    bool active = false;
    bool moved = false;
    int last_row = 0;
    store::r_object* first = nullptr;
    store::r_object* last = nullptr;
  };

  bool KeysAllowed() const;
  bool Locked() const;
  void StepBlock(int row, int top_row, int visible_rows, DragStep& step);
  void StepStory(int row, int top_row, int visible_rows, DragStep& step);
  void AfterMove(store::r_object* target);
  CellColours NotSelectedColours(const store::r_object& e, int column) const;
  CellColours SelectedColours(const store::r_object& e, int column, bool window_active) const;
  std::optional<CellColours> PresenterColours(const store::r_object& e) const;
  bool OnAir(const store::r_object& e) const;

  RunOrder& run_;
  GridOptions options_;
  std::vector<store::r_object*> stories_;
  RunTimeline timeline_;
  const store::r_object* remote_air_ = nullptr;
  Drag drag_;
  std::string typed_id_;
};

// The client height that shows whole rows of row_height below panel pixels of tool panel and
// frame: rounded to the nearest whole row, at least two rows.
int SnapHeight(int client_height, int row_height, int panel);

}  // namespace telvane::runorder
