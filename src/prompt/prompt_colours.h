#pragma once

// The colours of a prompt segment and of its runs: colour output on or off, presenters,
// inverse lines and inverse runs.

#include <cstdint>

#include "prompt/render_options.h"
#include "store/line_record.h"

namespace telvane::prompt {

inline constexpr int kBlack = 0;
inline constexpr int kWhite = 7;

// What of a line decides its colours.
struct LineLook {
  // Slug lines shown inverse, timing lines with a blank, lines with a MOS event.
  bool inverse_line = false;
  int line_colour = store::kNoLineColour;
  // The segment's presenter while presenter colours are on, else null.
  const PresenterLook* presenter = nullptr;
};

struct RunColours {
  int text = kWhite;
  int background = kBlack;
  friend bool operator==(const RunColours&, const RunColours&) = default;
};

LineLook LookOf(const store::e_object& line, const RenderOptions& options);

int SegmentBackground(const LineLook& look, const RenderOptions& options);

// Colours of a run from its style and colour bytes.
RunColours ColoursOfRun(const LineLook& look, std::uint8_t style, std::uint8_t colour,
                        const RenderOptions& options);

}  // namespace telvane::prompt
