#include "editor/scroll_math.h"

#include <algorithm>

namespace telvane::editor {

int ScrollPositionOf(long long index, long long line_count, int maximum) {
  if (line_count <= 1 || maximum <= 0) return 0;
  const long long position = std::clamp(index, 0LL, line_count - 1) * maximum / (line_count - 1);
  return static_cast<int>(std::clamp<long long>(position, 0, maximum));
}

long long IndexAtScrollPosition(int position, int maximum, long long line_count) {
  if (maximum <= 0 || line_count <= 0) return 0;
  const long long index = line_count * std::clamp(position, 0, maximum) / maximum;
  return std::clamp(index, 0LL, line_count - 1);
}

int HorizontalOffsetFor(int caret_x, int offset, int visible_width) {
  if (visible_width < 2) return offset;
  const long long half = visible_width / 2;
  long long result = offset;
  if (caret_x < result) {
    result -= half * ((result - caret_x + half - 1) / half);
  } else if (caret_x >= result + visible_width) {
    result += half * ((caret_x - result - visible_width + half) / half);
  }
  return static_cast<int>(std::max(result, 0LL));
}

}  // namespace telvane::editor
