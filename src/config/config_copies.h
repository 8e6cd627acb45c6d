#pragma once

// "Save Config As" and "Load Config": copying the configuration to or from a file the operator
// chose. The dialogues that choose the file belong to the windows; these take its path.

#include <string>

#include "config/profile_file.h"
#include "config/settings.h"
#include "platform/result.h"

namespace telvane::config {

// The file "Save Config As" writes for a chosen name: its extension, or none, becomes ".ini".
std::string IniPathFor(const std::string& chosen_path);

// Saves the settings over base (or into a new file) as IniPathFor(chosen_path), in one step:
// nothing with an ".ini" name is ever left half written. On success the file's directory and
// name become "Configuration Directory" and "Configuration Filename", in the file written too,
// and its path is returned; on failure the settings are as they were.
Result<std::string> SaveConfigAs(Settings& settings, const std::string& chosen_path,
                                 const ProfileFile* base);

// Loads the settings of the chosen file; its directory and name become "Configuration
// Directory" and "Configuration Filename", and the version facts stay. When the file cannot
// be read every current setting stays and the reason is returned.
Status LoadConfig(Settings& settings, const std::string& chosen_path, int pixels_per_inch);

}  // namespace telvane::config
