#include "editor/edit_font_metrics.h"

#include <algorithm>

namespace telvane::editor {

RowMetrics ComputeRowMetrics(const EditFontMetrics& metrics, int extra_line_spacing) {
  RowMetrics out;
  std::array<EditFontInfo, 8> info{};
  int max_ascent = 0;
  int max_height = 0;
  for (int n = 0; n < 8; ++n) {
    info[static_cast<std::size_t>(n)] = metrics.Font(n);
    const EditFontInfo& f = info[static_cast<std::size_t>(n)];
    max_ascent = std::max(max_ascent, f.ascent);
    max_height = std::max(max_height, f.height + f.external_leading);
  }
  out.row_height = max_height + extra_line_spacing;
  for (std::size_t n = 0; n < 8; ++n) {
    out.baseline_offset[n] = max_ascent - info[n].ascent;
  }
  return out;
}

}  // namespace telvane::editor
