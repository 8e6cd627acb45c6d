// telvane-tool: the command line companion for support and scripting.

#include <iostream>
#include <string>
#include <vector>

#include "config/settings_tool.h"
#include "formats/script_tool.h"
#include "programs/program_dir.h"
#include "prompt/render_tool.h"
#include "prompt/simulate_tool.h"

namespace {

int Usage(std::ostream& out) {
  out << "usage: telvane-tool COMMAND [ARGS]\n"
         "commands:\n"
         "  settings [FILE]        print a configuration as the program writes it\n"
         "  dump --json FILE       print a script's lines as JSON\n"
         "  check FILE             check the links of a script's lines and stories\n"
         "  convert IN OUT         read IN as the program opens files, write OUT (.tvl)\n"
         "  render FILE [--story ID] [--preview] --out PAGE.png\n"
         "                         draw the first prompt page (or the preview) of a script\n"
         "  render FILE [--story ID] --encode\n"
         "                         print the run words of each row of that page\n"
         "  simulate FILE [--speed S] [--seconds T] [--start ID] [--edit-every MS]\n"
         "                         prompt a script against the soft card on a stepped\n"
         "                         clock; one line per change of the on-air story\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage(std::cerr);
  const std::string command = args.front();
  args.erase(args.begin());
  const std::string program_dir = telvane::ExecutableDirectory(argv[0]);
  if (command == "settings") {
    return telvane::config::RunSettingsCommand(args, program_dir, std::cout, std::cerr);
  }
  if (command == "dump") return telvane::formats::RunDumpCommand(args, std::cout, std::cerr);
  if (command == "check") return telvane::formats::RunCheckCommand(args, std::cout, std::cerr);
  if (command == "render") return telvane::prompt::RunRenderCommand(args, std::cout, std::cerr);
  if (command == "simulate") {
    return telvane::prompt::RunSimulateCommand(args, std::cout, std::cerr);
  }
  if (command == "convert") {
    return telvane::formats::RunConvertCommand(args, std::cout, std::cerr);
  }
  if (command == "help" || command == "--help") {
    Usage(std::cout);
    return 0;
  }
  std::cerr << "telvane-tool: unknown command '" << command << "'\n";
  return Usage(std::cerr);
}
