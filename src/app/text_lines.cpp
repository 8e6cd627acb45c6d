#include "app/text_lines.h"

namespace telvane::app {

void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& on_line) {
  while (!bytes.empty()) {
    const auto nl = bytes.find('\n');
    std::string_view line = bytes.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    on_line(line);
    if (nl == std::string_view::npos) break;
    bytes.remove_prefix(nl + 1);
  }
}

std::string_view TrimBlanks(std::string_view text) {
  const auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  ForEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void RemoveTrailingEmptyLines(std::vector<std::string>& lines) {
  while (!lines.empty() && TrimBlanks(lines.back()).empty()) lines.pop_back();
}

}  // namespace telvane::app
