#pragma once

// The main window's layout arithmetic: the tool buttons along the top, the status bar's panels
// along the bottom, and the standard places of Window > Default.

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace telvane::app {

struct PanelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

inline constexpr int kToolPanelHeight = 31;
inline constexpr int kStatusBarHeight = 25;

// --- Tool buttons ---
enum class ButtonKind { kPush, kToggle };

struct ToolButtonDef {
  std::string_view name;
  int hint;  // the hint while up (the control and prompt buttons change theirs)
  ButtonKind kind;
  bool group_start;  // a group gap comes before it
};

// In order from the left. The network and ENPS buttons share the last place.
std::span<const ToolButtonDef> MainToolButtons();

int ToolButtonWidth(int pixels_per_inch);

struct ToolButtonPlace {
  std::string_view name;
  PanelRect rect;
};
// Places the visible buttons from 2 pixels off the left edge: 2 pixels between the buttons
// of a group, 5 between groups (2 at 120 pixels per inch). width_of gives a button's width,
// or 0 for a hidden button, which takes no room.
std::vector<ToolButtonPlace> LayOutToolButtons(
    int pixels_per_inch, const std::function<int(std::string_view)>& width_of);

// --- Status bar ---
struct StatusPanels {
  bool german = false;
  bool usb_battery = false;
  bool master_slave = false;
  bool closed_caption = false;
};

struct StatusLayout {
  PanelRect run_order_end;
  PanelRect status_line;
  PanelRect closed_caption;  // width 0 while hidden
  PanelRect nexus;
  PanelRect master_slave;  // width 0 while hidden
  PanelRect insert;
  PanelRect run_time;  // the back panel of the two below
  PanelRect run_time_label;
  PanelRect run_time_data;
  PanelRect edit_changed;
  PanelRect usb_battery;  // width 0 while hidden
  PanelRect read_only;
};

// The right-hand panels go from the right edge leftwards, 1 pixel apart, and the status line
// takes what is left after the run-order end panel, ending 1 pixel before them.
StatusLayout LayOutStatusBar(int bar_width, int pixels_per_inch, const StatusPanels& shown);

// --- Window > Default ---
// The main window at the top left, as high as the screen less 28 pixels, and as wide as the
// screen, or half as wide on two monitors side by side.
PanelRect DefaultMainWindowPlace(int screen_width, int screen_height);
// The permanent children's standard places in the client area.
PanelRect DefaultRunOrderPlace(int pixels_per_inch);
PanelRect DefaultEditorPlace(int pixels_per_inch);
PanelRect DefaultPreviewPlace(int pixels_per_inch);
// The message list's standard place, which differs between 96 and 120 pixels per inch.
PanelRect DefaultMessageListPlace(int pixels_per_inch);

}  // namespace telvane::app
