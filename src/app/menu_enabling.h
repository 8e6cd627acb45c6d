#pragma once

// Which items of the main window are enabled and shown, from the state of its windows, the
// prompt and the configuration.

#include <string_view>
#include <vector>

#include "config/settings.h"

namespace telvane::app {

struct WindowState {
  bool editor = false;     // the script editor exists
  bool run_order = false;  // the run order window is shown
  bool preview = false;    // the prompt preview exists
  bool prompting = false;
  bool cut_to_black = true;  // "Cut To Black Enabled"
  bool clipboard_text = false;
};

struct ItemState {
  std::string_view name;
  bool on;
  friend bool operator==(const ItemState&, const ItemState&) = default;
};

// Items and tool buttons whose enabling follows the windows and the prompt.
std::vector<ItemState> EnabledItems(const WindowState& state);

// The newsroom features and configuration items hidden at creation, and whether start-up
// state 2 shows them.
std::vector<ItemState> NewsroomFeatureItems(const config::Settings& settings,
                                            bool multiple_configuration);

}  // namespace telvane::app
