#include "app/network_button.h"

#include <gtest/gtest.h>

namespace telvane::app {
namespace {

using config::Key;

TEST(NetworkButton, FirstSelectedSystemInOrderWins) {
  struct Case {
    std::vector<Key> selected;
    const char* picture;
    int width;
    bool network_visible;
    const char* enps_picture;
  };
  const Case cases[] = {
      {{}, "", 26, true, ""},
      {{Key::kMainMosRemoteScript}, "mos.bmp", 44, true, ""},
      {{Key::kMainDaletRemoteScript, Key::kMainNexusRemoteScript}, "nexus.bmp", 26, true, ""},
      {{Key::kMainBasysRemoteScript}, "avid.bmp", 44, true, ""},
      {{Key::kMainNeprasRemoteScript}, "nepras.bmp", 24, true, ""},
      {{Key::kMainEnpsRemoteScript}, "", 26, false, "enps.bmp"},
      {{Key::kMainOs2000RemoteScript}, "", 26, false, "os2000.bmp"},
  };
  for (const Case& c : cases) {
    config::Settings s = config::Settings::Defaults(96);
    for (Key k : c.selected) s.SetBool(k, true);
    const NetworkButtons b = NetworkButtonsFor(s);
    EXPECT_EQ(b.network_picture, c.picture);
    EXPECT_EQ(b.network_width, c.width);
    EXPECT_EQ(b.network_visible, c.network_visible);
    EXPECT_EQ(b.enps_picture, c.enps_picture);
    EXPECT_EQ(b.enps_visible, !c.network_visible);
  }
}

}  // namespace
}  // namespace telvane::app
