#include "store/line_edit.h"

#include <algorithm>

namespace telvane::store {

Columns SelectedColumns(const e_object& line) {
  const std::size_t length = TextLength(line);
  const auto begin = static_cast<std::size_t>(std::clamp<long long>(line.sel_start, 0, length));
  const auto end = static_cast<std::size_t>(std::clamp<long long>(
      line.sel_end, static_cast<long long>(begin), static_cast<long long>(length)));
  return {begin, end};
}

char& StyleAt(e_object& line, std::size_t i) {
  return i < line.style_a.size() ? line.style_a[i] : line.style_b[i - line.style_a.size()];
}

char& ColourAt(e_object& line, std::size_t i) {
  return i < line.colour_a.size() ? line.colour_a[i] : line.colour_b[i - line.colour_a.size()];
}

char& TextAt(e_object& line, std::size_t i) {
  return i < line.text_a.size() ? line.text_a[i] : line.text_b[i - line.text_a.size()];
}

bool ForEachSelectedLine(ScriptStore& store, const std::function<void(e_object&)>& visit) {
  const auto selection = store.SelectedRange();
  if (!selection) {
    return false;
  }
  for (e_object* line = selection->first;; line = line->next) {
    visit(*line);
    if (line == selection->last) {
      return true;
    }
  }
}

void ForEachSlugLine(ScriptStore& store, const std::function<void(e_object&)>& visit) {
  for (r_object* entry = store.run_head()->next; entry != store.run_end() && entry != nullptr;
       entry = entry->next) {
    if (entry->line != nullptr) {
      visit(*entry->line);
    }
  }
}

}  // namespace telvane::store
