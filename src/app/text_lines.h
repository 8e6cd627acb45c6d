#pragma once

// Line splitting for the program's small text files (CR LF or LF, a last line without end).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace telvane::app {

void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& on_line);

std::string_view TrimBlanks(std::string_view text);

// The lines of a text file; an unreadable file gives nothing.
std::vector<std::string> SplitLines(std::string_view bytes);

// Drops the empty (after trimming blanks) lines at the end of a list.
void RemoveTrailingEmptyLines(std::vector<std::string>& lines);

}  // namespace telvane::app
