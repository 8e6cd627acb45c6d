#pragma once

// Per-character access to a line's full text across its two segments, and the selected
// columns of a line, as the commands on the selection use them.

#include <cstddef>
#include <functional>

#include "store/script_store.h"

namespace telvane::store {

struct Columns {
  std::size_t begin;
  std::size_t end;
};

// The selected columns of a line, clamped to its text (sel_end 255 marks an empty line).
Columns SelectedColumns(const e_object& line);

char& StyleAt(e_object& line, std::size_t i);
char& ColourAt(e_object& line, std::size_t i);
char& TextAt(e_object& line, std::size_t i);

// Calls visit for every line of the selected block; false when nothing is selected.
bool ForEachSelectedLine(ScriptStore& store, const std::function<void(e_object&)>& visit);
// Calls visit for the slug line of every story entry before RunEnd.
void ForEachSlugLine(ScriptStore& store, const std::function<void(e_object&)>& visit);

}  // namespace telvane::store
