#pragma once

// Which lines the prompt shows and a place in the prompted script: a line, its segment and a
// row offset, stepped segment by segment over the prompted lines.

#include "prompt/render_options.h"
#include "store/line_record.h"
#include "store/script_store.h"

namespace telvane::prompt {

inline constexpr int kRowBytes = store::kPromptWidth;
// Segment heights come from the store; a damaged or zero height still takes a row, and no
// segment grows without bound.
inline constexpr int kMaxSegmentRows = 2048;

struct PromptPosition {
  store::e_object* line = nullptr;
  store::Segment segment = store::Segment::kA;
  // Bytes into the segment's raster, a multiple of kRowBytes.
  int offset = 0;

  int row() const { return offset / kRowBytes; }
  friend bool operator==(const PromptPosition&, const PromptPosition&) = default;
};

// The slug line of the line's story, or null for a line before the first story or a margin
// line.
const store::e_object* SlugLineOf(const store::e_object& line);

// The line's story is pending (PNEW), dropped, temporary or left out of the programme totals:
// it is not prompted and prompting cannot start in it.
bool IsStoryHeldBack(const store::e_object& line);

// Whether the line is shown on the prompt at all.
bool IsPrompted(const store::ScriptStore& store, const store::e_object& line,
                const RenderOptions& options);

// A line shows its segment B when that has text, except a slug line under "Limit Slugline".
bool ShowsSegmentB(const store::e_object& line, const RenderOptions& options);

// Rows of the segment, at least 1 and at most kMaxSegmentRows. Margin lines keep the height a
// record is made with, which may be shorter than font 0 and would cut their "..." off, so they
// take the row height of font 0, as a line inserted into the script does.
int SegmentRows(const store::ScriptStore& store, const store::e_object& line,
                store::Segment segment);

// The nearest prompted line after (or before) line; null when there is none before the end of
// the chain. In the continuous ring the search goes round at most once.
store::e_object* NextPrompted(const store::ScriptStore& store, store::e_object* line,
                              const RenderOptions& options);
store::e_object* PreviousPrompted(const store::ScriptStore& store, store::e_object* line,
                                  const RenderOptions& options);

// One segment on or back, offset 0; false, and the position unchanged, at the chain's end.
bool StepForward(const store::ScriptStore& store, PromptPosition& position,
                 const RenderOptions& options);
bool StepBack(const store::ScriptStore& store, PromptPosition& position,
              const RenderOptions& options);

// The position rows further down the prompt (up for a negative count), crossing segments;
// it stops at the first or last row of the chain.
PromptPosition StepRows(const store::ScriptStore& store, PromptPosition position, int rows,
                        const RenderOptions& options);

// After an edit: a segment B that no longer shows becomes segment A, and the offset lies on a
// row of the segment.
void ClampPosition(const store::ScriptStore& store, PromptPosition& position,
                   const RenderOptions& options);

}  // namespace telvane::prompt
