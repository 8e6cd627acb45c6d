#include "store/style_commands.h"

#include "store/code_pages.h"
#include "store/line_edit.h"
#include "store/line_fit.h"

namespace telvane::store {

namespace {

void SetBits(char& byte, std::uint8_t mask, std::uint8_t value) {
  byte = static_cast<char>((static_cast<std::uint8_t>(byte) & ~mask) | (value & mask));
}

// Sets the style bits of every character of every slug line and lays each out again.
void StyleAllSlugLines(ScriptStore& store, std::uint8_t mask, std::uint8_t value) {
  ForEachSlugLine(store, [&](e_object& line) {
    for (std::size_t i = 0; i < TextLength(line); ++i) {
      SetBits(StyleAt(line, i), mask, value);
    }
    RefitLine(store, &line);
  });
}

}  // namespace

void ToggleStyle(ScriptStore& store, std::uint8_t bit, bool all_sluglines) {
  TypingState& typing = store.typing();
  typing.style ^= bit;
  const std::uint8_t value = typing.style & bit;
  const bool italic_on = bit == style_bit::kItalic && value != 0;
  const bool selected = ForEachSelectedLine(store, [&](e_object& line) {
    const Columns cols = SelectedColumns(line);
    for (std::size_t i = cols.begin; i < cols.end; ++i) {
      SetBits(StyleAt(line, i), bit, value);
    }
    // Italic leans into the next word's space; it takes the slant too.
    if (italic_on && cols.end > cols.begin && cols.end + 1 < TextLength(line) &&
        TextAt(line, cols.end) == ' ') {
      SetBits(StyleAt(line, cols.end), bit, value);
    }
  });
  if (!selected && all_sluglines) {
    StyleAllSlugLines(store, bit, value);
  }
  e_object* current = store.current_line().get();
  current->flags = (current->flags & ~(line_flag::kEmptyStyleMask | line_flag::kCharsetMask)) |
                   (static_cast<std::uint32_t>(typing.style & style_bit::kStyleMask)
                    << line_flag::kEmptyStyleShift) |
                   (static_cast<std::uint32_t>(typing.charset) << line_flag::kCharsetShift);
  if (selected || all_sluglines) {
    store.MarkChanged(true);
  }
  store.notices().MarkersChanged();
  store.notices().Redraw();
}

void SetSelectionFont(ScriptStore& store, int font_number, bool all_sluglines) {
  const auto font = static_cast<std::uint8_t>(((font_number - 1) & 7) << style_bit::kFontShift);
  TypingState& typing = store.typing();
  typing.font = (font_number - 1) & 7;
  typing.style = static_cast<std::uint8_t>((typing.style & ~style_bit::kFontMask) | font);
  if (all_sluglines) {
    StyleAllSlugLines(store, style_bit::kFontMask, font);
  } else if (ForEachSelectedLine(store, [&](e_object& line) {
               const Columns cols = SelectedColumns(line);
               for (std::size_t i = cols.begin; i < cols.end; ++i) {
                 SetBits(StyleAt(line, i), style_bit::kFontMask, font);
               }
             })) {
    store.current_line() = store.top_line().get();
    store.caret_column = 0;
    store.caret_row = 0;
  } else {
    store.notices().Information(message::kNothingSelected);
    return;
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void SetSelectionColour(ScriptStore& store, ColourMode mode, int edit_background_index) {
  const TypingState& typing = store.typing();
  const bool selected = ForEachSelectedLine(store, [&](e_object& line) {
    if (mode == ColourMode::kLine) {
      line.line_colour = static_cast<std::uint8_t>(typing.lbg_sel & 7);
      return;
    }
    const Columns cols = SelectedColumns(line);
    for (std::size_t i = cols.begin; i < cols.end; ++i) {
      char& colour = ColourAt(line, i);
      if (mode == ColourMode::kBackground) {
        SetBits(colour, colour_bit::kBackgroundMask,
                static_cast<std::uint8_t>(typing.bg_sel << colour_bit::kBackgroundShift));
        continue;
      }
      SetBits(colour, colour_bit::kTextMask, static_cast<std::uint8_t>(typing.fg_sel));
      if (edit_background_index >= 0) {
        SetBits(colour, colour_bit::kBackgroundMask,
                static_cast<std::uint8_t>(edit_background_index << colour_bit::kBackgroundShift));
      }
    }
  });
  if (!selected) {
    store.notices().Information(message::kNothingSelected);
    return;
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void ForceCase(ScriptStore& store, bool upper) {
  const bool selected = ForEachSelectedLine(store, [&](e_object& line) {
    const int code_page = CodePageOfCharset(CharsetOf(line));
    const Columns cols = SelectedColumns(line);
    for (std::size_t i = cols.begin; i < cols.end; ++i) {
      char& c = TextAt(line, i);
      const auto b = static_cast<std::uint8_t>(c);
      c = static_cast<char>(upper ? ToUpperByte(b, code_page) : ToLowerByte(b, code_page));
    }
  });
  if (!selected) {
    store.notices().Information(message::kNothingSelected);
    return;
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void RemoveMultipleSpaces(ScriptStore& store) {
  for (e_object* line = store.first_line(); line != store.edit_tail(); line = line->next) {
    StyledText text = store.GetLineText(line);
    CollapseDoubleSpaces(text);
    line = LayOutText(store, line, std::move(text), 0);
  }
  store.MarkChanged(true);
  store.notices().Redraw();
}

void TakeTypingAttributes(ScriptStore& store) {
  TypingState& typing = store.typing();
  const StoreOptions& options = store.options();
  e_object& line = *store.current_line().get();
  const std::uint8_t font = static_cast<std::uint8_t>(typing.font << style_bit::kFontShift);
  if (IsEmptyLine(line)) {
    typing.style = static_cast<std::uint8_t>(
        font | ((line.flags & line_flag::kEmptyStyleMask) >> line_flag::kEmptyStyleShift));
  } else {
    const std::size_t length = TextLength(line);
    const std::size_t at =
        store.caret_column <= 0 ? 0 : std::min<std::size_t>(store.caret_column, length) - 1;
    const auto style = static_cast<std::uint8_t>(StyleAt(line, at));
    // Typed text never copies the studio mark: a line holds one.
    const auto colour = static_cast<std::uint8_t>(ColourAt(line, at)) & ~colour_bit::kStudioMark;
    typing.style =
        static_cast<std::uint8_t>((style & style_bit::kStyleMask) |
                                  (options.auto_attribute ? style & style_bit::kFontMask : font));
    if (options.auto_attribute) {
      typing.font = FontOfStyle(static_cast<char>(style));
    }
    typing.colour = static_cast<std::uint8_t>(colour);
    typing.fg_sel = colour & colour_bit::kTextMask;
    typing.bg_sel = (colour & colour_bit::kBackgroundMask) >> colour_bit::kBackgroundShift;
  }
  typing.lbg_sel = line.line_colour;
  if (options.presenter_mode) {
    typing.presenter =
        static_cast<int>((line.flags & line_flag::kPresenterMask) >> line_flag::kPresenterShift);
  }
  if (options.auto_attribute && options.pan_european) {
    line.keyboard_layout = typing.keyboard_language;
  }
}

}  // namespace telvane::store
