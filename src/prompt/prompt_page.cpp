#include "prompt/prompt_page.h"

#include <algorithm>

namespace telvane::prompt {

void FeedRows(const PromptRenderer& renderer, LineRaster& raster, PromptPosition& feed, int rows,
              std::vector<std::uint8_t>& out) {
  ClampPosition(renderer.store(), feed, renderer.options());
  int left = rows;
  while (left > 0) {
    const int height = renderer.RenderSegment(feed, raster);
    const int from = feed.row();
    const int take = std::min(left, height - from);
    out.insert(out.end(), raster.Row(from), raster.Row(from + take));
    left -= take;
    if (from + take < height) {
      feed.offset = (from + take) * kRowBytes;
    } else if (!StepForward(renderer.store(), feed, renderer.options())) {
      feed.offset = 0;
    }
  }
}

PromptPosition StartPosition(const PromptRenderer& renderer, store::e_object* line,
                             int start_offset_rows) {
  const store::ScriptStore& store = renderer.store();
  const RenderOptions& options = renderer.options();
  if (!IsPrompted(store, *line, options)) {
    if (store::e_object* next = NextPrompted(store, line, options)) {
      line = next;
    }
  }
  PromptPosition position{line, store::Segment::kA, 0};
  int passed = 0;
  while (passed < start_offset_rows) {
    if (!StepBack(store, position, options)) {
      return position;
    }
    passed += SegmentRows(store, *position.line, position.segment);
  }
  position.offset = (passed - start_offset_rows) * kRowBytes;
  return position;
}

}  // namespace telvane::prompt
