#include "editor/edit_panels.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace telvane::editor {

std::optional<int> ParseTimerEntry(std::string_view text) {
  std::array<int, 3> fields{};
  std::size_t count = 0;
  std::size_t digits = 0;
  for (const char c : text) {
    if (c == ':') {
      if (digits == 0 || ++count == fields.size()) return std::nullopt;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 2) {
      fields[count] = fields[count] * 10 + (c - '0');
      ++digits;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  int seconds = 0;
  for (std::size_t i = 0; i <= count; ++i) {
    // Only the leading field may be as large as two digits allow.
    if (i > 0 && fields[i] >= 60) return std::nullopt;
    seconds = seconds * 60 + fields[i];
  }
  return seconds;
}

std::string TimerText(long long seconds) {
  constexpr long long kMost = 99LL * 3600 + 59 * 60 + 59;
  const long long s = std::clamp(seconds, 0LL, kMost);
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

int ClampSplit(int wanted, int client_width, int margin_width, int scroll_bar_width) {
  const int most = client_width - margin_width - scroll_bar_width - kMinTextWidth;
  return std::max(kMinStudioWidth, std::min(wanted, most));
}

}  // namespace telvane::editor
