#pragma once

// Breaking text into the prompt rows of line records: a line holds at most two rows (segments
// A and B), each as wide as the prompt raster allows in the prompt fonts.

#include "store/parallel_text.h"
#include "store/script_store.h"

namespace telvane::store {

// Moves as much of the front of remainder as fits into one segment of line. At least one
// character is always placed, so a paragraph layout always ends.
void FitSegment(ScriptStore& store, e_object& line, StyledText& remainder, Segment segment,
                int width_reduction);

// Whether the paragraph of line continues into the next line.
bool CanJoinNext(const ScriptStore& store, const e_object& line, bool test_indentation);

// Sets height_a or height_b from the fonts of the segment's style bytes.
void LineHeightFor(const ScriptStore& store, e_object& line, Segment segment, bool look_back);

// An instruction line: its text starts with "//" but not "///".
bool IsTimingLine(const ScriptStore& store, const e_object& line);
// Sets or clears the timing-line state of a line from its text and studio instruction.
void UpdateTimingBit(const ScriptStore& store, e_object& line);

// Fits text into line and, while a remainder is left, into continuation lines inserted after
// it that share the line's paragraph attributes. Yields the last line filled.
e_object* LayOutText(ScriptStore& store, e_object* line, StyledText text, int width_reduction);

// Fits the line's own text again; text that no longer fits goes on into continuation lines.
e_object* RefitLine(ScriptStore& store, e_object* line);

// Lays the paragraph that starts at first out again for the current width, reusing its lines
// and deleting those left over; yields the line after the paragraph.
e_object* RewrapParagraph(ScriptStore& store, e_object* first);

}  // namespace telvane::store
