#pragma once

// "master.cfg": whether several configurations are in use, and which one the program loads.

#include <string>
#include <string_view>

#include "platform/result.h"

namespace telvane::config {

inline constexpr std::string_view kDefaultConfigName = "telvn32.ini";

struct MasterConfig {
  bool multiple_configuration = false;
  std::string ini_file = std::string(kDefaultConfigName);

  // The configuration file's name in the program directory: the default one unless several
  // configurations are in use and "Ini File" names a plain file.
  std::string ConfigName() const;
};

// A missing or unreadable file gives the defaults.
MasterConfig ReadMasterConfig(const std::string& path);
// Rewrites both keys, keeping whatever else the file holds.
Status WriteMasterConfig(const std::string& path, const MasterConfig& master);

// A configuration name is a plain file name: not empty, no separator, no "..".
bool IsPlainConfigName(std::string_view name);

}  // namespace telvane::config
