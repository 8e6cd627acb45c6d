#pragma once

// Studio instructions form a column beside the text that belongs to rows, except where a
// studio mark ties an instruction to the last character of a word.

#include "store/script_store.h"

namespace telvane::store {

// Place (true) or remove (false) the studio mark of the current line at the caret; nothing
// unless studio instructions are on and shown.
void SetStudioMark(ScriptStore& store, bool place);

// "si shift up" / "si shift down" at a line.
void ShiftStudioUp(ScriptStore& store, e_object& line);
void ShiftStudioDown(ScriptStore& store, e_object& line);

// Keep the column on its rows when a line has just been inserted / is about to be deleted.
void KeepStudioColumnOnInsert(ScriptStore& store, e_object& inserted);
void KeepStudioColumnOnDelete(ScriptStore& store, e_object& deleted);

}  // namespace telvane::store
