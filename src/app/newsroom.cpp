#include "app/newsroom.h"

#include <algorithm>
#include <array>

namespace telvane::app {

using config::Key;
using S = NewsroomSystem;

namespace {

constexpr std::array<NewsroomDef, 13> kSystems{{
    {S::kDefault, "NewsroomDefaultItem", Key::kMainDefaultRemoteScript, "telnet.bmp", 26, false,
     553, 0, 0, true, "Q*", true, "prompt"},
    {S::kAvid, "NewsroomAvidItem", Key::kMainBasysRemoteScript, "avid.bmp", 44, false, 817, 0, 0,
     true, "", true, ""},
    {S::kEnps, "NewsroomEnpsItem", Key::kMainEnpsRemoteScript, "enps.bmp", 40, true, 693, 0, 0,
     true, "*.dat", false, ""},
    {S::kNexus, "NewsroomNewswireItem", Key::kMainNexusRemoteScript, "nexus.bmp", 26, false, 816,
     732, 733, true, "", true, ""},
    {S::kNewsmaker, "NewsroomNewsmakerItem", Key::kMainNewsmakerRemoteScript, "newsmake.bmp", 26,
     false, 903, 0, 0, true, "Q*", true, "prompt"},
    {S::kApNews, "NewsroomAPItem", Key::kMainApNewscenterRemoteScript, "apnews.bmp", 26, false, 802,
     0, 0, true, "*.dat", false, ""},
    {S::kNewstar, "NewsroomNewstarItem", Key::kMainNewstarRemoteScript, "newstar.bmp", 30, false,
     1002, 0, 0, false, "", false, ""},
    {S::kDalet, "NewsroomDaletItem", Key::kMainDaletRemoteScript, "dalet.bmp", 34, false, 1059,
     1057, 1058, true, "", true, ""},
    {S::kCea, "NewsroomCeaItem", Key::kMainCeaRemoteScript, "cea.bmp", 26, false, 1258, 1256, 1257,
     true, "", true, ""},
    {S::kMos, "NewsroomMosItem", Key::kMainMosRemoteScript, "mos.bmp", 44, false, 1125, 1126, 1127,
     true, "", true, ""},
    {S::kNepras, "NewsroomNeprasItem", Key::kMainNeprasRemoteScript, "nepras.bmp", 24, false, 1212,
     0, 0, true, "Q*", true, "telvane.txt"},
    {S::kOs2000, "NewsroomOs2000Item", Key::kMainOs2000RemoteScript, "os2000.bmp", 44, true, 1221,
     0, 0, true, "*.dat", false, ""},
    {S::kMaxiMedia, "NewsroomMaxiMediaItem", Key::kMainMaximediaRemoteScript, "maxmedia.bmp", 26,
     false, 1285, 1283, 1284, true, "", true, ""},
}};

}  // namespace

std::span<const NewsroomDef> NewsroomSystems() {
  return kSystems;
}

const NewsroomDef& DefinitionOf(NewsroomSystem system) {
  return *std::find_if(kSystems.begin(), kSystems.end(),
                       [&](const NewsroomDef& d) { return d.system == system; });
}

NewsroomSystem SelectedNewsroom(const config::Settings& settings) {
  constexpr std::array<S, 12> kTestOrder{S::kNexus,   S::kAvid,      S::kApNews, S::kNewsmaker,
                                         S::kNewstar, S::kMaxiMedia, S::kDalet,  S::kCea,
                                         S::kMos,     S::kNepras,    S::kEnps,   S::kOs2000};
  for (S system : kTestOrder) {
    if (settings.Bool(DefinitionOf(system).key)) return system;
  }
  return S::kDefault;
}

void ApplyNewsroom(config::Settings& settings, NewsroomSystem system) {
  for (const NewsroomDef& d : kSystems) settings.SetBool(d.key, d.system == system);
  const NewsroomDef& chosen = DefinitionOf(system);
  if (chosen.sets_mask) settings.SetText(Key::kConstantsRemoteMask, std::string(chosen.mask));
  if (chosen.sets_file_name) {
    settings.SetText(Key::kConstantsRunOrderFilename, std::string(chosen.file_name));
  }
}

}  // namespace telvane::app
