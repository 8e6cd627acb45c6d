#pragma once

// The page the prompt card shows while nothing is prompted: the station's three lines in large
// type, or black; and the same lines small in the preview.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"
#include "prompt/font_faces.h"
#include "prompt/preview.h"

namespace telvane::prompt {

struct IdlePageLook {
  // Code page 1252 text, leading blanks kept for the card (the preview drops them).
  std::array<std::string, 3> lines;
  // "PC Black" or "Colour Bars": the page is black and no text is drawn.
  bool black = false;
  int foreground = 7;  // colour numbers
  int background = 0;
  int width_adjustment = 0;
  bool cue_left = true;
};

IdlePageLook IdlePageLookFrom(const config::Settings& settings);

// 896 rows of 668 colour numbers.
std::vector<std::uint8_t> DrawIdlePage(FontFaces& faces, const IdlePageLook& look);
// The preview's idle page, over the preview background already in the image.
void DrawIdlePreview(FontFaces& faces, const IdlePageLook& look, PreviewImage& image);

}  // namespace telvane::prompt
