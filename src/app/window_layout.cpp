#include "app/window_layout.h"

#include <algorithm>
#include <array>

namespace telvane::app {

namespace {

constexpr int kGapInGroup = 2;
constexpr int kFirstButtonLeft = 2;
constexpr int kButtonTop = 2;
constexpr int kButtonHeight = 26;

constexpr std::array<ToolButtonDef, 21> kButtons{{
    {"OpenBtn", 6, ButtonKind::kPush, false},
    {"SaveBtn", 33, ButtonKind::kPush, false},
    {"LocalCutBtn", 34, ButtonKind::kPush, false},
    {"LocalCopyBtn", 35, ButtonKind::kPush, false},
    {"LocalPasteBtn", 36, ButtonKind::kPush, false},
    {"WindowsPasteBtn", 37, ButtonKind::kPush, false},
    {"ZapBtn", 459, ButtonKind::kPush, false},
    {"ControlBtn", 31, ButtonKind::kToggle, false},
    {"PromptBlackBtn", 955, ButtonKind::kToggle, true},
    {"RestartBtn", 30, ButtonKind::kPush, false},
    {"PromptTrackBtn", 9, ButtonKind::kToggle, false},
    {"PromptBtn", 13, ButtonKind::kToggle, false},
    {"SlugBtn", 148, ButtonKind::kPush, true},
    {"BookmarkBtn", 149, ButtonKind::kPush, false},
    {"ColorBtn", 492, ButtonKind::kToggle, false},
    {"BoldBtn", 38, ButtonKind::kToggle, true},
    {"ItalicsBtn", 39, ButtonKind::kToggle, false},
    {"UnderlineBtn", 40, ButtonKind::kToggle, false},
    {"InverseBtn", 41, ButtonKind::kToggle, false},
    {"ForceUppercaseBtn", 42, ButtonKind::kToggle, true},
    {"HardReturnsBtn", 43, ButtonKind::kToggle, false},
}};

bool HighResolution(int pixels_per_inch) {
  return pixels_per_inch >= 120;
}

}  // namespace

std::span<const ToolButtonDef> MainToolButtons() {
  return kButtons;
}

int ToolButtonWidth(int pixels_per_inch) {
  return HighResolution(pixels_per_inch) ? 30 : 24;
}

std::vector<ToolButtonPlace> LayOutToolButtons(
    int pixels_per_inch, const std::function<int(std::string_view)>& width_of) {
  const int group_gap = HighResolution(pixels_per_inch) ? 2 : 5;
  std::vector<ToolButtonPlace> places;
  int x = kFirstButtonLeft;
  bool first = true;
  const auto place = [&](std::string_view name, bool group_start) {
    const int width = width_of(name);
    if (width <= 0) return;
    if (!first) x += group_start ? group_gap : kGapInGroup;
    places.push_back({name, {x, kButtonTop, width, kButtonHeight}});
    x += width;
    first = false;
  };
  for (const ToolButtonDef& b : kButtons) place(b.name, b.group_start);
  // The network button and the ENPS button take the same place; one of them is shown.
  place("NetworkBtn", false);
  place("EnpsBtn", false);
  return places;
}

StatusLayout LayOutStatusBar(int bar_width, int pixels_per_inch, const StatusPanels& shown) {
  const bool high = HighResolution(pixels_per_inch);
  StatusLayout l;
  const auto full = [](int x, int width) { return PanelRect{x, 0, width, kStatusBarHeight}; };
  l.run_order_end = full(0, high ? 64 : 56);

  int left = bar_width;
  const auto next = [&](int width) {
    left -= 1 + width;
    return full(left, width);
  };
  l.read_only = next(high ? 24 : 20);
  if (shown.usb_battery) l.usb_battery = next(high ? 50 : 40);
  l.edit_changed = next(high ? 120 : 80);
  const int label = high ? 86 : 74;
  const int data = high ? 110 : 82;
  l.run_time = next(label + data + 1);
  l.run_time_label = {0, 0, label, kStatusBarHeight};
  l.run_time_data = {label + 1, 0, data, kStatusBarHeight};
  const int insert = shown.german ? (high ? 150 : 100) : (high ? 120 : 86);
  l.insert = next(insert);
  if (shown.master_slave) l.master_slave = next(26);
  l.nexus = next(26);
  if (shown.closed_caption) l.closed_caption = next(high ? 90 : 80);

  const int status_left = l.run_order_end.x + l.run_order_end.width + 1;
  l.status_line = full(status_left, std::max(0, left - 1 - status_left));
  return l;
}

PanelRect DefaultMainWindowPlace(int screen_width, int screen_height) {
  const bool side_by_side = screen_width >= 2 * screen_height;
  return {0, 0, side_by_side ? screen_width / 2 : screen_width, screen_height - 28};
}

PanelRect DefaultRunOrderPlace(int pixels_per_inch) {
  return HighResolution(pixels_per_inch) ? PanelRect{0, 1, 372, 450} : PanelRect{0, 1, 298, 360};
}

PanelRect DefaultEditorPlace(int pixels_per_inch) {
  return HighResolution(pixels_per_inch) ? PanelRect{375, 0, 650, 375}
                                         : PanelRect{300, 0, 520, 300};
}

PanelRect DefaultPreviewPlace(int pixels_per_inch) {
  return HighResolution(pixels_per_inch) ? PanelRect{375, 375, 288, 188}
                                         : PanelRect{300, 300, 230, 150};
}

PanelRect DefaultMessageListPlace(int pixels_per_inch) {
  return HighResolution(pixels_per_inch) ? PanelRect{520, 390, 500, 300}
                                         : PanelRect{400, 300, 400, 240};
}

}  // namespace telvane::app
