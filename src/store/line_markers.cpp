#include "store/line_markers.h"

#include "store/line_edit.h"
#include "store/line_fit.h"

namespace telvane::store {

namespace {

// Flags that make a line more than a place to type into.
constexpr std::uint32_t kMarkerMask = 0xFF58;

void Changed(ScriptStore& store) {
  store.MarkChanged(true);
  store.notices().Redraw();
}

void ToggleOnBlockOrCurrent(ScriptStore& store, std::uint32_t bit, bool& bookmark_touched) {
  const auto toggle = [&](e_object& line) {
    line.flags ^= bit;
    bookmark_touched |= HasFlag(line, line_flag::kBookmark);
  };
  if (!ForEachSelectedLine(store, toggle)) {
    toggle(*store.current_line().get());
  }
}

// The line a marker command starts a new line for, or the current line when it is free.
e_object* LineForInsertedMarker(ScriptStore& store) {
  e_object* current = store.current_line().get();
  const bool in_use =
      (store.line_count() > 1 && !IsEmptyLine(*current)) || (current->flags & kMarkerMask) != 0;
  if (!in_use) {
    return current;
  }
  e_object* added = store.InsertLine(current, false);
  if (added == nullptr) {
    return nullptr;
  }
  if (store.top_line().get() == current) {
    store.top_line() = added;
  }
  store.current_line() = added;
  return added;
}

}  // namespace

void InsertHardReturn(ScriptStore& store) {
  store.current_line()->flags |= line_flag::kHardReturn;
  Changed(store);
}

void InsertPageBreak(ScriptStore& store) {
  store.current_line()->flags |= line_flag::kPageBreak;
  Changed(store);
}

void SetHardReturns(ScriptStore& store, bool on) {
  for (e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
    l->flags = on ? l->flags | line_flag::kHardReturn : l->flags & ~line_flag::kHardReturn;
  }
  Changed(store);
}

void InsertHardBlankLine(ScriptStore& store) {
  store.caret_column = 0;
  e_object* line = store.current_line().get();
  if (!line->text_a.empty() || HasFlag(*line, line_flag::kHardBlank)) {
    line = store.InsertLine(line, true);
    if (line == nullptr) {
      return;
    }
    store.current_line() = line;
  }
  line->flags |= line_flag::kHardBlank;
  Changed(store);
}

void TypeCharacter(ScriptStore& store, char c) {
  e_object* line = store.current_line().get();
  StyledText text = store.GetLineText(line);
  const std::size_t at =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(store.caret_column, 0)), text.size());
  const TypingState& typing = store.typing();
  text.text.insert(at, 1, c);
  text.style.insert(at, 1, static_cast<char>(typing.style));
  text.colour.insert(at, 1, static_cast<char>(typing.colour));
  LayOutText(store, line, std::move(text), 0);
  store.caret_column = static_cast<int>(at) + 1;
  Changed(store);
}

void ToggleCloak(ScriptStore& store, bool all_sluglines, bool editing_disabled) {
  if (editing_disabled) {
    store.notices().Information(message::kEditingDisabled);
    return;
  }
  bool bookmark = false;
  if (all_sluglines) {
    ForEachSlugLine(store, [&](e_object& line) {
      line.flags ^= line_flag::kCloaked;
      bookmark |= HasFlag(line, line_flag::kBookmark);
    });
  } else {
    ToggleOnBlockOrCurrent(store, line_flag::kCloaked, bookmark);
  }
  if (bookmark) {
    store.notices().MarkersChanged();
  }
  Changed(store);
}

void ToggleNonCaption(ScriptStore& store) {
  bool bookmark = false;
  ToggleOnBlockOrCurrent(store, line_flag::kPresenterInstruction, bookmark);
  Changed(store);
}

void TogglePresenterInstruction(ScriptStore& store) {
  store.current_line()->flags ^= line_flag::kPresenterInstruction;
  Changed(store);
}

void TogglePackageText(ScriptStore& store) {
  store.current_line()->flags ^= line_flag::kPackage;
  Changed(store);
}

void ToggleBookmark(ScriptStore& store) {
  e_object* line = store.current_line().get();
  line->flags ^= line_flag::kBookmark;
  line->bookmark_name.clear();
  store.notices().MarkersChanged();
  Changed(store);
}

void SetSnapshot(ScriptStore& store, e_object& line, SnapshotMode mode) {
  switch (mode) {
    case SnapshotMode::kToggle:
      line.flags ^= line_flag::kSnapshot;
      break;
    case SnapshotMode::kSet:
      line.flags |= line_flag::kSnapshot;
      break;
    case SnapshotMode::kClear:
      line.flags &= ~line_flag::kSnapshot;
      break;
  }
  store.notices().MarkersChanged();
  Changed(store);
}

void InsertPresenterInstruction(ScriptStore& store) {
  e_object* line = LineForInsertedMarker(store);
  if (line == nullptr) {
    return;
  }
  line->flags |=
      line_flag::kPresenterInstruction | (style_bit::kInverse << line_flag::kEmptyStyleShift);
  TypingState& typing = store.typing();
  typing.style =
      static_cast<std::uint8_t>((typing.style & style_bit::kFontMask) | style_bit::kInverse);
  store.caret_column = 0;
  Changed(store);
}

void InsertPackage(ScriptStore& store) {
  e_object* line = LineForInsertedMarker(store);
  if (line == nullptr) {
    return;
  }
  line->flags &= ~(static_cast<std::uint32_t>(style_bit::kBold) << line_flag::kEmptyStyleShift);
  line->flags |=
      line_flag::kPackage | (static_cast<std::uint32_t>(style_bit::kItalic | style_bit::kInverse)
                             << line_flag::kEmptyStyleShift);
  TypingState& typing = store.typing();
  const std::uint8_t style =
      store.options().non_prompted_inverse_italics ? style_bit::kItalic | style_bit::kInverse : 0;
  typing.style = static_cast<std::uint8_t>((typing.style & style_bit::kFontMask) | style);
  store.caret_column = 0;
  Changed(store);
}

void SetRightToLeft(ScriptStore& store, bool on) {
  const auto apply = [on](e_object& line) {
    line.flags = on ? line.flags | line_flag::kRightToLeft : line.flags & ~line_flag::kRightToLeft;
  };
  if (!ForEachSelectedLine(store, apply)) {
    apply(*store.current_line().get());
  }
  store.typing().right_to_left = on;
  if (store.line_count() > 1 || !IsEmptyLine(*store.first_line())) {
    store.MarkChanged(true);
  }
  store.notices().Redraw();
}

void SelectPresenter(ScriptStore& store, int presenter, int presenter_font) {
  TypingState& typing = store.typing();
  typing.presenter = presenter & 0xF;
  if (typing.presenter >= 1) {
    typing.font = (presenter_font < 1 || presenter_font > 8 ? 1 : presenter_font) - 1;
  }
  e_object* line = store.current_line().get();
  if (IsEmptyLine(*line)) {
    line->flags = (line->flags & ~line_flag::kPresenterMask) |
                  (static_cast<std::uint32_t>(typing.presenter) << line_flag::kPresenterShift);
  }
}

void InputLanguageChanged(ScriptStore& store, int charset, int language) {
  TypingState& typing = store.typing();
  typing.charset = charset & 0xFF;
  typing.default_line_flags = static_cast<std::uint32_t>(typing.charset)
                              << line_flag::kCharsetShift;
  typing.keyboard_language = language;
  const int primary = language & 0x3FF;
  if (primary != 1 && primary != 13) {
    typing.last_ltr_language = language;
  }
  e_object* line = store.current_line().get();
  if (IsEmptyLine(*line) || CharsetOf(*line) == 0) {
    line->flags = (line->flags & ~line_flag::kCharsetMask) | typing.default_line_flags;
    line->keyboard_layout = language;
  }
}

}  // namespace telvane::store
