#pragma once

// Which picture the network button shows for the selected newsroom system, and whether the
// separate ENPS button replaces it.

#include <string>

#include "config/settings.h"

namespace telvane::app {

struct NetworkButtons {
  std::string network_picture;  // empty: the network button keeps no picture
  int network_width = 26;
  bool network_visible = true;
  std::string enps_picture;
  int enps_width = 40;
  bool enps_visible = false;
};

// The systems are tested in a fixed order and the first one selected wins.
NetworkButtons NetworkButtonsFor(const config::Settings& settings);

}  // namespace telvane::app
