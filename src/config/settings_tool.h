#pragma once

// "telvane-tool settings [FILE]": prints a configuration exactly as save would write it, every
// key with its value or default, for support and for comparing stations.

#include <ostream>
#include <string>
#include <vector>

namespace telvane::config {

// The resolution the tool assumes for resolution-dependent defaults; it has no window.
inline constexpr int kToolPixelsPerInch = 96;

// The configuration file name that "master.cfg" of program_dir selects: "Ini File" with
// "Multiple Configuration" on, otherwise (and for a name that is not a plain file name)
// "telvn32.ini".
std::string SelectedConfigName(const std::string& program_dir);

// args are the words after "settings"; program_dir ends in a separator. Without FILE the
// configuration that "master.cfg" selects is printed (all defaults when it does not exist).
// Returns the exit code: 0 printed, 1 FILE could not be read, 2 wrong usage.
int RunSettingsCommand(const std::vector<std::string>& args, const std::string& program_dir,
                       std::ostream& out, std::ostream& err);

}  // namespace telvane::config
