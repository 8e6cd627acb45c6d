#pragma once

// The editor's caret in the prompt preview, and the way back: a click in the preview to the
// line and column of the script under the pointer.

#include <optional>

#include "prompt/prompt_position.h"
#include "prompt/prompt_render.h"

namespace telvane::prompt {

// The preview image as it is drawn: from its top position down, width by height pixels.
struct PreviewFrame {
  PromptPosition top;
  int width = 0;
  int height = 0;
};

// A caret place in the editor's terms: a line and a byte column over text_a then text_b.
struct CaretPlace {
  store::e_object* line = nullptr;
  int column = 0;
  friend bool operator==(const CaretPlace&, const CaretPlace&) = default;
};

// The caret's vertical line in the preview image: column x, rows top to bottom - 1.
struct PreviewCaret {
  int x = 0;
  int top = 0;
  int bottom = 0;
  friend bool operator==(const PreviewCaret&, const PreviewCaret&) = default;
};

// Where the caret is drawn; nothing when its segment is not in the preview. A column past
// segment A lies in segment B when the line shows B, otherwise at the end of A.
std::optional<PreviewCaret> CaretInPreview(const PromptRenderer& renderer,
                                           const PreviewFrame& frame, CaretPlace caret);

// The place at the character boundary nearest to (x, y) of the preview image. A click on a
// head margin line goes to the start of the first real line, on a tail margin line to the end
// of the last; below the last segment drawn counts as that segment. Nothing for an empty
// frame.
std::optional<CaretPlace> PlaceAtPreviewPoint(const PromptRenderer& renderer,
                                              const PreviewFrame& frame, int x, int y);

}  // namespace telvane::prompt
