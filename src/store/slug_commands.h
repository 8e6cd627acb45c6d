#pragma once

// Slug lines made from bracketed text, and a slug line made ordinary again.

#include "store/script_store.h"

namespace telvane::store {

// Every ordinary line whose text starts with the open bracket and has a close bracket after
// it becomes a slug line with its own story entry. Yields the number of lines changed.
int InsertSlugLines(ScriptStore& store);

// Create Slug Line: asks before making a slug line ordinary; for an ordinary line opens the
// slug dialogue.
void CreateSlugLine(ScriptStore& store);

}  // namespace telvane::store
