#pragma once

// The editor window's optional panels (captions, macros, background message and timer) and
// its split between the studio-instruction column and the text: the arithmetic they need and
// what they ask of the rest of the program.

#include <optional>
#include <string>
#include <string_view>

namespace telvane::editor {

inline constexpr int kMacroButtons = 12;

// What the panels start elsewhere. Every call does nothing until its subsystem is attached.
class EditPanelHooks {
 public:
  virtual ~EditPanelHooks() = default;
  // A macro button: macro 0..11.
  virtual void PlayMacro(int /*macro*/) {}
  // The background message entry: the band's message; empty clears it.
  virtual void SetBackgroundMessage(const std::string& /*text*/) {}
  // The background timer button with the entry's duration.
  virtual void StartBackgroundTimer(int /*seconds*/) {}
  // The font strip's return and ENPS refresh buttons.
  virtual void ReturnPressed() {}
  virtual void EnpsRefresh() {}
};

// The timer entry: "ss", "mm:ss" or "hh:mm:ss" with up to two digits a field (hours up to
// 99, minutes and seconds below 60 after the first field). Anything else is refused.
std::optional<int> ParseTimerEntry(std::string_view text);
// "hh:mm:ss", capped at 99:59:59; negative is 00:00:00.
std::string TimerText(long long seconds);

// The four pictures the timer button cycles through while it counts.
inline int TimerPicture(long long remaining_seconds) {
  return static_cast<int>(((remaining_seconds % 4) + 4) % 4);
}

// Where the split between the studio column and the text may lie: at least kMinStudioWidth
// from the left, and leaving at least kMinTextWidth of text beside the margin.
inline constexpr int kMinStudioWidth = 20;
inline constexpr int kMinTextWidth = 40;
int ClampSplit(int wanted, int client_width, int margin_width, int scroll_bar_width);

}  // namespace telvane::editor
