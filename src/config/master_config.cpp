#include "config/master_config.h"

#include "config/profile_file.h"

namespace telvane::config {

bool IsPlainConfigName(std::string_view name) {
  return !name.empty() && name != "." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find("..") == std::string_view::npos;
}

std::string MasterConfig::ConfigName() const {
  return multiple_configuration && IsPlainConfigName(ini_file) ? ini_file
                                                               : std::string(kDefaultConfigName);
}

MasterConfig ReadMasterConfig(const std::string& path) {
  MasterConfig master;
  if (auto file = ProfileFile::Load(path)) {
    master.multiple_configuration = file->GetBool("Main", "Multiple Configuration", false);
    master.ini_file = file->GetString("Main", "Ini File", kDefaultConfigName);
  }
  return master;
}

Status WriteMasterConfig(const std::string& path, const MasterConfig& master) {
  ProfileFile file;
  if (auto existing = ProfileFile::Load(path)) file = std::move(*existing);
  file.SetBool("Main", "Multiple Configuration", master.multiple_configuration);
  file.Set("Main", "Ini File", master.ini_file);
  return file.Save(path);
}

}  // namespace telvane::config
