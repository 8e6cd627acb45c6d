#pragma once

// One editor row as it is drawn: the line's colours, the text as shown, its runs in the edit
// fonts, the selection highlight, the studio column and the studio mark's hook.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "editor/edit_font_metrics.h"
#include "store/parallel_text.h"
#include "store/script_store.h"

namespace telvane::editor {

// Window colours as the configuration holds them: red in the low byte.
using Rgb = std::uint32_t;

struct EditorColours {
  Rgb edit_b = 0xFFFFFF, edit_f = 0;
  Rgb slug_b = 0xFFFF, slug_f = 0;
  Rgb drop_b = 65280, drop_f = 0;
  Rgb cloak_b = 12632256, cloak_f = 0xFFFF;
  Rgb mark_b = 0xFFFF00, mark_f = 0;
  Rgb no_prompt_b = 0x808000, no_prompt_f = 0xFFFF;
  Rgb no_cap_b = 0xFFFF00, no_cap_f = 255;
  Rgb high_b = 0xD77800, high_f = 0xFFFFFF;
  Rgb snapshot_b = 0x808000, snapshot_f = 0xFFFF;
  Rgb mos_event_b = 255, mos_event_f = 0xFFFF;
  Rgb overrun_error_b = 255;
};

EditorColours EditorColoursFrom(const config::Settings& settings);

// The eight-colour table (colour numbers 0..7) as window colours.
Rgb PaletteColour(int index);

struct LineColours {
  Rgb background;
  Rgb text;
};

// Background and text of a line, first match of the precedence wins.
LineColours ColoursOfLine(const store::ScriptStore& store, const store::e_object& line,
                          const EditorColours& colours);

// The line's full text as the row shows it; with hard returns shown, spaces and hard spaces
// are visible and the end marks are appended.
store::StyledText ShownText(const store::e_object& line, bool show_hard_returns, int current_font);

struct RowOptions {
  bool show_hard_returns = false;
  bool colour_selection = false;
  bool studio_column = false;
  bool all_sluglines_selected = false;
  int current_font = 0;
  // Left edge of the text area and the horizontal scroll offset, in pixels.
  int text_left = 0;
  int scroll_x = 0;
  int split_left = 0;
  int studio_scroll_x = 0;
};

struct Run {
  int x = 0;
  int width = 0;
  int font = 0;
  std::uint8_t style = 0;
  std::string bytes;
  Rgb background = 0;
  Rgb text = 0;
  bool opaque = false;
};

struct Span {
  int x = 0;
  int width = 0;
};

struct StudioCell {
  Rgb background = 0;
  Rgb text = 0;
  int x = 0;
  std::string bytes;
};

// A hook from the row's bottom left to the marked character and up beside it.
struct StudioHook {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int pen_width = 1;
};

struct RowLayout {
  Rgb fill = 0;
  std::optional<Span> highlight;
  std::vector<Run> runs;
  std::optional<StudioCell> studio;
  std::optional<StudioHook> hook;
};

class RowLayouter {
 public:
  RowLayouter(const EditFontMetrics& metrics, const EditorColours& colours)
      : metrics_(metrics), colours_(colours) {}

  // y is the row's top; font_size the edit size of font 0 (the hook's pen width).
  RowLayout Layout(const store::ScriptStore& store, const store::e_object& line,
                   const RowOptions& options, int y, int row_height, int font_size) const;

  // Width of the first column characters of the shown text, in the row's fonts.
  int ColumnX(const store::e_object& line, std::size_t column, const RowOptions& options) const;

  // The column nearest to x in the text area (x relative to where the text starts).
  int ColumnAt(const store::e_object& line, int x, const RowOptions& options) const;

 private:
  int Width(const store::StyledText& t, std::size_t from, std::size_t to, int charset) const;

  const EditFontMetrics& metrics_;
  const EditorColours& colours_;
};

}  // namespace telvane::editor
