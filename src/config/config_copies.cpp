#include "config/config_copies.h"

#include <utility>

#include "platform/files.h"

namespace telvane::config {

namespace {

void RecordConfigurationPath(Settings& settings, const std::string& path) {
  settings.SetText(Key::kMainConfigurationDirectory, platform::DirectoryOf(path));
  settings.SetText(Key::kMainConfigurationFilename, platform::BaseName(path));
}

}  // namespace

std::string IniPathFor(const std::string& chosen_path) {
  return platform::ReplaceExtension(chosen_path, ".ini");
}

Result<std::string> SaveConfigAs(Settings& settings, const std::string& chosen_path,
                                 const ProfileFile* base) {
  std::string path = IniPathFor(chosen_path);
  Settings saved = settings;
  RecordConfigurationPath(saved, path);
  if (Status written = SaveSettingsFile(saved, path, base); !written) {
    return written.error();
  }
  settings = std::move(saved);
  return path;
}

Status LoadConfig(Settings& settings, const std::string& chosen_path, int pixels_per_inch) {
  auto file = ProfileFile::Load(chosen_path);
  if (!file) {
    return file.error();
  }
  Settings loaded = Settings::Load(*file, pixels_per_inch);
  RecordConfigurationPath(loaded, chosen_path);
  loaded.SetVersion(settings.Version());
  settings = std::move(loaded);
  return {};
}

}  // namespace telvane::config
