#pragma once

// Character styles, font numbers, colours and case of the selection, and the typing
// attributes taken from the text at the caret.

#include <cstdint>

#include "store/script_store.h"

namespace telvane::store {

// Bold, italic, underline or inverse (style_bit), on the selection, else on every slug line
// in all-sluglines mode, and always on the typing style.
void ToggleStyle(ScriptStore& store, std::uint8_t bit, bool all_sluglines);

// Font number 1..8 for the selection, or every slug line in all-sluglines mode.
void SetSelectionFont(ScriptStore& store, int font_number, bool all_sluglines);

enum class ColourMode { kText, kBackground, kLine };
// Colours the selection from the typing colour selections. edit_background_index is the
// palette index of the editor background when that is not white, else -1.
void SetSelectionColour(ScriptStore& store, ColourMode mode, int edit_background_index);

// Force Uppercase / Force Lowercase of the selected characters, in the line's code page.
void ForceCase(ScriptStore& store, bool upper);

// Collapses double spaces in every real line and fits each line again.
void RemoveMultipleSpaces(ScriptStore& store);

// Takes the typing attributes from the character before the caret (or the first one).
void TakeTypingAttributes(ScriptStore& store);

}  // namespace telvane::store
