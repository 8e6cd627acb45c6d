#pragma once

// The reflow after every edit: a line's new text is fitted into it and into the lines of its
// paragraph, so that a paragraph's lines stay filled to the prompt width.

#include <cstddef>

#include "store/script_store.h"

namespace telvane::editor {

struct CaretPlace {
  store::e_object* line = nullptr;
  int column = 0;
};

// A new line after line that continues its paragraph: it shares the paragraph's attributes
// and takes over the hard return and page break. Null when memory ran out.
store::e_object* InsertContinuation(store::ScriptStore& store, store::e_object* line);

// text is the new full text of line; caret the caret column within it after the edit.
// just_typed_break: a space or hyphen was just typed (the line may join the previous one).
// Yields where the caret belongs in the reflowed text.
CaretPlace SetLineText(store::ScriptStore& store, store::e_object* line, store::StyledText text,
                       int caret, bool just_typed_break);

// Slug lines shown truncated with "Remove Number On Prompt": the text between the slug
// brackets (at most 8 characters kept) becomes the story's identifier; the text itself keeps
// it. Yields whether column lies inside the brackets.
bool TakeBracketedStoryId(store::ScriptStore& store, store::e_object& slug_line, int column);

}  // namespace telvane::editor
