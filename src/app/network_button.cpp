#include "app/network_button.h"

#include <array>

namespace telvane::app {

using config::Key;

NetworkButtons NetworkButtonsFor(const config::Settings& s) {
  struct System {
    Key key;
    const char* picture;
    int width;
  };
  // The Avid system's selection is kept under its older name in the configuration.
  constexpr std::array<System, 10> kSystems{{{Key::kMainNexusRemoteScript, "nexus.bmp", 26},
                                             {Key::kMainBasysRemoteScript, "avid.bmp", 44},
                                             {Key::kMainApNewscenterRemoteScript, "apnews.bmp", 26},
                                             {Key::kMainNewsmakerRemoteScript, "newsmake.bmp", 26},
                                             {Key::kMainNewstarRemoteScript, "newstar.bmp", 30},
                                             {Key::kMainMaximediaRemoteScript, "maxmedia.bmp", 26},
                                             {Key::kMainDaletRemoteScript, "dalet.bmp", 34},
                                             {Key::kMainCeaRemoteScript, "cea.bmp", 26},
                                             {Key::kMainMosRemoteScript, "mos.bmp", 44},
                                             {Key::kMainNeprasRemoteScript, "nepras.bmp", 24}}};
  NetworkButtons b;
  if (s.Bool(Key::kMainEnpsRemoteScript) || s.Bool(Key::kMainOs2000RemoteScript)) {
    const bool os2000 = !s.Bool(Key::kMainEnpsRemoteScript);
    b.network_visible = false;
    b.enps_visible = true;
    b.enps_picture = os2000 ? "os2000.bmp" : "enps.bmp";
    b.enps_width = os2000 ? 44 : 40;
  }
  for (const System& system : kSystems) {
    if (!s.Bool(system.key)) continue;
    b.network_picture = system.picture;
    b.network_width = system.width;
    b.network_visible = true;
    b.enps_visible = false;
    return b;
  }
  return b;
}

}  // namespace telvane::app
