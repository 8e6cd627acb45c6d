#pragma once

// The newsroom system of Options > Newsroom: exactly one is selected. It decides the network
// button's picture, width and hint, the hints of the two link lights and the remote input
// file mask.

#include <span>
#include <string_view>

#include "config/settings.h"

namespace telvane::app {

enum class NewsroomSystem {
  kDefault,
  kAvid,
  kEnps,
  kNexus,
  kNewsmaker,
  kApNews,
  kNewstar,
  kDalet,
  kCea,
  kMos,
  kNepras,
  kOs2000,
  kMaxiMedia,
};

struct NewsroomDef {
  NewsroomSystem system;
  std::string_view item;  // the Options > Newsroom item
  config::Key key;        // the "... Remote Script" flag that selects it
  std::string_view picture;
  int width;           // the network button's (or for ENPS and OS2000 the ENPS button's)
  bool enps_button;    // the ENPS button replaces the network button
  int hint;            // the button's hint
  int listening_hint;  // the two lights of the Nexus panel; 0 for none
  int connected_hint;
  bool sets_mask;  // the remote input mask and file name follow the system
  std::string_view mask;
  bool sets_file_name;
  std::string_view file_name;
};

// In the order of the Newsroom submenu.
std::span<const NewsroomDef> NewsroomSystems();
const NewsroomDef& DefinitionOf(NewsroomSystem system);
// The selected system: the first one flagged, in the order the main window tests them at
// creation; Default when none is.
NewsroomSystem SelectedNewsroom(const config::Settings& settings);
// Clears every system flag, sets the chosen one's, and the remote input mask and file name.
void ApplyNewsroom(config::Settings& settings, NewsroomSystem system);

}  // namespace telvane::app
