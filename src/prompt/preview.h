#pragma once

// The prompt preview at one third: colour numbers in an image that the preview window shows
// through the eight-colour table.

#include <cstdint>
#include <vector>

#include "prompt/prompt_render.h"

namespace telvane::prompt {

struct PreviewImage {
  PreviewImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
  int width;
  int height;
  std::vector<std::uint8_t> pixels;

  PixelView View() { return {pixels.data(), width, height, width}; }
};

// Rows of a segment in the preview: its card rows times 668 / 2048, about one third.
int PreviewRows(const store::ScriptStore& store, const store::e_object& line,
                store::Segment segment);

// Paints segment after segment from top down until the image is full or the chain ends;
// yields the position after the last segment painted, or the last one at the chain's end.
PromptPosition DrawPreview(const PromptRenderer& renderer, PromptPosition top, PreviewImage& image);

}  // namespace telvane::prompt
