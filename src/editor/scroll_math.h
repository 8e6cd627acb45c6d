#pragma once

// Scroll bar and horizontal scroll arithmetic of the editor. Products of a line index and a
// scroll range overflow 32 bits on long scripts, so they are taken in 64 bits.

namespace telvane::editor {

// The vertical scroll position of the line at index (0 = first real line).
int ScrollPositionOf(long long index, long long line_count, int maximum);

// The line index that a thumb position stands for, within 0..line_count - 1.
long long IndexAtScrollPosition(int position, int maximum, long long line_count);

// The horizontal offset that shows caret_x (pixels from the text's start), moved by half the
// visible width at a time. A window too narrow to show anything keeps its offset.
int HorizontalOffsetFor(int caret_x, int offset, int visible_width);

}  // namespace telvane::editor
