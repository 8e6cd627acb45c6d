#pragma once

// The script commands of telvane-tool: dump, check and convert.

#include <ostream>
#include <string>
#include <vector>

namespace telvane::formats {

// args: the words after the command name. Exit status 0, 1 on a failure, 2 on wrong usage.
int RunDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace telvane::formats
