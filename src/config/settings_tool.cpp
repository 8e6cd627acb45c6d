#include "config/settings_tool.h"

#include <string_view>
#include <utility>

#include "config/master_config.h"
#include "config/profile_file.h"
#include "config/settings.h"
#include "platform/files.h"

namespace telvane::config {

std::string SelectedConfigName(const std::string& program_dir) {
  return ReadMasterConfig(program_dir + "master.cfg").ConfigName();
}

int RunSettingsCommand(const std::vector<std::string>& args, const std::string& program_dir,
                       std::ostream& out, std::ostream& err) {
  if (args.size() > 1) {
    err << "usage: telvane-tool settings [FILE]\n";
    return 2;
  }
  const std::string path =
      args.empty() ? program_dir + SelectedConfigName(program_dir) : args.front();
  ProfileFile file;
  if (!args.empty() || platform::FileExists(path)) {
    auto loaded = ProfileFile::Load(path);
    if (!loaded) {
      err << loaded.error().message << '\n';
      return 1;
    }
    file = std::move(*loaded);
  }
  Settings settings = Settings::Load(file, kToolPixelsPerInch);
  VersionInfo version = SystemVersion(program_dir);
  version.pixels_per_inch = kToolPixelsPerInch;
  settings.SetVersion(std::move(version));
  settings.SaveInto(file);
  out << file.Serialize();
  return 0;
}

}  // namespace telvane::config
