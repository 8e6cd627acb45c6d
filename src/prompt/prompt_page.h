#pragma once

// Rows of the prompt as the card is fed them: segment after segment from a feed position.

#include <cstdint>
#include <vector>

#include "prompt/prompt_render.h"

namespace telvane::prompt {

inline constexpr int kPageRows = 896;
inline constexpr int kFillRows = 128;

// Appends rows (668 bytes each) from feed on, rendering each segment as it is reached, and
// leaves feed just after the last row. At the end of the chain the last segment repeats.
void FeedRows(const PromptRenderer& renderer, LineRaster& raster, PromptPosition& feed, int rows,
              std::vector<std::uint8_t>& out);

// Where a start of prompting at line sends its first row from: the first prompted line from
// line on, backed off segment by segment by start_offset rows so that the start line's first
// row lies that many rows down the page.
PromptPosition StartPosition(const PromptRenderer& renderer, store::e_object* line,
                             int start_offset_rows);

}  // namespace telvane::prompt
