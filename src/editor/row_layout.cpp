#include "editor/row_layout.h"

#include <algorithm>

#include "config/colours.h"
#include "store/line_fit.h"

namespace telvane::editor {

namespace {

using store::e_object;
using store::StyledText;
namespace lf = store::line_flag;
namespace ls = store::line_state;

constexpr std::uint8_t kStatusDrop = 4;
constexpr std::uint8_t kStatusTemp = 5;
constexpr int kTextIndent = 2;
constexpr int kLineEndBlock = 20;

std::uint32_t StatusOf(const e_object& line) {
  return line.flags & lf::kStatusMask;
}

}  // namespace

EditorColours EditorColoursFrom(const config::Settings& s) {
  using config::Key;
  EditorColours c;
  auto get = [&](Key key, Rgb fallback) { return config::ResolveColour(s.Int(key), fallback); };
  c.edit_b = get(Key::kColorsEditB, c.edit_b);
  c.edit_f = get(Key::kColorsEditF, c.edit_f);
  c.slug_b = get(Key::kColorsSlugB, c.slug_b);
  c.slug_f = get(Key::kColorsSlugF, c.slug_f);
  c.drop_b = get(Key::kColorsDropB, c.drop_b);
  c.drop_f = get(Key::kColorsDropF, c.drop_f);
  c.cloak_b = get(Key::kColorsCloakB, c.cloak_b);
  c.cloak_f = get(Key::kColorsCloakF, c.cloak_f);
  c.mark_b = get(Key::kColorsMarkB, c.mark_b);
  c.mark_f = get(Key::kColorsMarkF, c.mark_f);
  c.no_prompt_b = get(Key::kColorsNoPromptB, c.no_prompt_b);
  c.no_prompt_f = get(Key::kColorsNoPromptF, c.no_prompt_f);
  c.no_cap_b = get(Key::kColorsNoCapB, c.no_cap_b);
  c.no_cap_f = get(Key::kColorsNoCapF, c.no_cap_f);
  c.high_b = get(Key::kColorsHighB, c.high_b);
  c.high_f = get(Key::kColorsHighF, c.high_f);
  c.snapshot_b = get(Key::kColorsSnapshotB, c.snapshot_b);
  c.snapshot_f = get(Key::kColorsSnapshotF, c.snapshot_f);
  c.mos_event_b = get(Key::kColorsMosEventB, c.mos_event_b);
  c.mos_event_f = get(Key::kColorsMosEventF, c.mos_event_f);
  c.overrun_error_b = get(Key::kColorsOverrunErrorB, c.overrun_error_b);
  return c;
}

Rgb PaletteColour(int index) {
  return config::ColourNumber(index);
}

LineColours ColoursOfLine(const store::ScriptStore& store, const e_object& line,
                          const EditorColours& c) {
  if (StatusOf(line) == kStatusDrop) return {c.drop_b, c.drop_f};
  if (HasFlag(line, lf::kCloaked)) return {c.cloak_b, c.cloak_f};
  if (HasFlag(line, lf::kSnapshot)) return {c.snapshot_b, c.snapshot_f};
  if (HasFlag(line, lf::kSlugLine)) return {c.slug_b, c.slug_f};
  if (HasFlag(line, lf::kBookmark)) return {c.mark_b, c.mark_f};
  if (!line.mos_cue_a.empty() || !line.mos_cue_b.empty()) return {c.mos_event_b, c.mos_event_f};
  if (HasFlag(line, lf::kPackage)) return {c.no_prompt_b, c.no_prompt_f};
  if (store::IsTimingLine(store, line) || HasFlag(line, lf::kPresenterInstruction)) {
    return {c.no_cap_b, c.no_cap_f};
  }
  return {c.edit_b, c.edit_f};
}

StyledText ShownText(const e_object& line, bool show_hard_returns, int current_font) {
  StyledText t{line.text_a + line.text_b, line.style_a + line.style_b,
               line.colour_a + line.colour_b};
  if (!show_hard_returns) {
    return t;
  }
  for (char& ch : t.text) {
    if (ch == ' ') {
      ch = static_cast<char>(183);
    } else if (ch == static_cast<char>(160)) {
      ch = static_cast<char>(176);
    }
  }
  const char colour = t.empty() ? static_cast<char>(0x38) : t.colour.back();
  const char style = t.empty()
                         ? static_cast<char>((current_font & 7) << store::style_bit::kFontShift)
                         : static_cast<char>(t.style.back() & store::style_bit::kFontMask);
  auto mark = [&](std::uint32_t flag, unsigned char ch) {
    if (HasFlag(line, flag)) {
      t.text.push_back(static_cast<char>(ch));
      t.style.push_back(style);
      t.colour.push_back(colour);
    }
  };
  mark(lf::kHardBlank, 0x87);
  mark(lf::kHardReturn, 0xB6);
  mark(lf::kPageBreak, 0xA7);
  return t;
}

int RowLayouter::Width(const StyledText& t, std::size_t from, std::size_t to, int charset) const {
  int width = 0;
  std::size_t i = from;
  while (i < to) {
    std::size_t j = i + 1;
    while (j < to && t.style[j] == t.style[i]) ++j;
    const auto style = static_cast<std::uint8_t>(t.style[i]);
    width += metrics_.TextWidth(store::FontOfStyle(t.style[i]), style & 0x7,
                                std::string_view(t.text).substr(i, j - i), charset);
    i = j;
  }
  return width;
}

int RowLayouter::ColumnX(const e_object& line, std::size_t column,
                         const RowOptions& options) const {
  const StyledText t = ShownText(line, options.show_hard_returns, options.current_font);
  return Width(t, 0, std::min(column, t.size()), store::CharsetOf(line));
}

int RowLayouter::ColumnAt(const e_object& line, int x, const RowOptions& options) const {
  const std::size_t length = store::TextLength(line);
  const StyledText t = ShownText(line, options.show_hard_returns, options.current_font);
  int left = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const int right = left + Width(t, i, i + 1, store::CharsetOf(line));
    if (x < (left + right) / 2) return static_cast<int>(i);
    left = right;
  }
  return static_cast<int>(length);
}

RowLayout RowLayouter::Layout(const store::ScriptStore& store, const e_object& line,
                              const RowOptions& o, int y, int row_height, int font_size) const {
  RowLayout row;
  const LineColours lc = ColoursOfLine(store, line, colours_);
  row.fill = o.colour_selection && line.line_colour != store::kNoLineColour
                 ? PaletteColour(line.line_colour)
                 : lc.background;
  if ((line.flags2 & ls::kFitMark) != 0) row.fill = colours_.overrun_error_b;

  const StyledText t = ShownText(line, o.show_hard_returns, o.current_font);
  const int charset = store::CharsetOf(line);
  const int text_x = o.text_left + kTextIndent - o.scroll_x;

  if (o.all_sluglines_selected) {
    if (IsSlugLine(line)) row.highlight = Span{text_x, Width(t, 0, t.size(), charset)};
  } else if (line.sel_end > 0) {
    const auto start = static_cast<std::size_t>(std::max(line.sel_start, 0));
    const int x0 = text_x + Width(t, 0, std::min(start, t.size()), charset);
    const int left = start == 0 ? x0 - kTextIndent : x0;
    if (line.sel_end == 255) {
      row.highlight = Span{left, x0 - left + kLineEndBlock};
    } else {
      const auto end = static_cast<std::size_t>(line.sel_end);
      row.highlight = Span{left, text_x + Width(t, 0, std::min(end, t.size()), charset) - left};
    }
  }
  const bool highlighted = row.highlight.has_value();

  const std::uint32_t status = StatusOf(line);
  const bool line_coloured = HasFlag(line, lf::kSlugLine | lf::kCloaked | lf::kBookmark |
                                               lf::kPresenterInstruction | lf::kSnapshot) ||
                             status == kStatusDrop || status == kStatusTemp ||
                             store::IsTimingLine(store, line);
  int x = text_x;
  std::size_t i = 0;
  while (i < t.size()) {
    std::size_t j = i + 1;
    while (j < t.size() && t.style[j] == t.style[i] && ((t.colour[j] ^ t.colour[i]) & 0x7F) == 0) {
      ++j;
    }
    Run run;
    run.x = x;
    run.style = static_cast<std::uint8_t>(t.style[i]);
    run.font = store::FontOfStyle(t.style[i]);
    run.bytes = t.text.substr(i, j - i);
    run.width = Width(t, i, j, charset);
    const auto colour = static_cast<std::uint8_t>(t.colour[i]);
    const int fg = colour & store::colour_bit::kTextMask;
    const int bg =
        (colour & store::colour_bit::kBackgroundMask) >> store::colour_bit::kBackgroundShift;
    bool opaque_rule = false;
    if (line_coloured) {
      run.background = lc.background;
      run.text = lc.text;
      opaque_rule = true;
    } else if ((run.style & store::style_bit::kInverse) != 0) {
      if (o.colour_selection && !(fg == 0 && bg == 7)) {
        run.background = PaletteColour(fg);
        run.text = PaletteColour(bg);
      } else {
        run.background = colours_.edit_f;
        run.text = colours_.edit_b;
      }
      if (line.sel_end > 0) run.text = colours_.edit_f;
      opaque_rule = true;
    } else if ((line.flags2 & ls::kOutOfTotals) != 0) {
      run.background = 0xFFFFFF;
      run.text = 12632256;
    } else if ((line.flags2 & ls::kMosEvent) != 0) {
      run.background = colours_.mos_event_b;
      run.text = colours_.mos_event_f;
    } else if (o.colour_selection) {
      run.background = PaletteColour(bg);
      run.text = PaletteColour(fg);
      opaque_rule = true;
    } else {
      run.background = colours_.edit_b;
      run.text = colours_.edit_f;
    }
    run.opaque = opaque_rule && !highlighted;
    x += run.width;
    row.runs.push_back(std::move(run));
    i = j;
  }

  if (o.studio_column) {
    StudioCell cell;
    cell.background = (line.flags2 & ls::kDropMark) != 0 ? colours_.high_b : colours_.edit_b;
    cell.text = colours_.edit_f;
    cell.x = -o.studio_scroll_x;
    cell.bytes = line.studio_text;
    row.studio = std::move(cell);
  }

  if (HasFlag(line, lf::kStudioMark)) {
    const std::size_t marked = static_cast<std::size_t>(
        std::find_if(t.colour.begin(), t.colour.end(),
                     [](char c) { return (c & store::colour_bit::kStudioMark) != 0; }) -
        t.colour.begin());
    if (marked < t.size()) {
      StudioHook hook;
      hook.pen_width = font_size < 13 ? 1 : 2;
      int mark_x = text_x + Width(t, 0, marked + 1, charset);
      if (mark_x < o.text_left) mark_x = o.split_left;
      hook.x0 = o.text_left;
      hook.y0 = y + row_height - 3;
      hook.x1 = mark_x;
      hook.y1 = hook.y0;
      hook.x2 = mark_x + 6;
      hook.y2 = y + 3;
      row.hook = hook;
    }
  }
  return row;
}

}  // namespace telvane::editor
