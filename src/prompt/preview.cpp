#include "prompt/preview.h"

namespace telvane::prompt {

int PreviewRows(const store::ScriptStore& store, const store::e_object& line,
                store::Segment segment) {
  return SegmentRows(store, line, segment) * store::kPromptWidth / 2048;
}

PromptPosition DrawPreview(const PromptRenderer& renderer, PromptPosition top,
                           PreviewImage& image) {
  ClampPosition(renderer.store(), top, renderer.options());
  const PixelView view = image.View();
  int painted = 0;
  while (painted < image.height) {
    const int rows = PreviewRows(renderer.store(), *top.line, top.segment);
    renderer.DrawPreviewSegment(top, view.Band(painted, rows));
    painted += rows;
    if (!StepForward(renderer.store(), top, renderer.options())) {
      break;
    }
  }
  return top;
}

}  // namespace telvane::prompt
