#include "app/program_files.h"

#include "platform/files.h"

namespace telvane::app {

std::optional<std::string> FirstMissingRequiredFile(const std::string& dir) {
  for (std::string_view name : kRequiredFiles) {
    if (!platform::FileExists(dir + std::string(name))) return std::string(name);
  }
  return std::nullopt;
}

std::string ProgramDirectoryOf(std::string_view executable_path) {
  return platform::DirectoryOf(executable_path);
}

ProgramPaths::ProgramPaths(std::string program_dir)
    : dir(std::move(program_dir)),
      help(File("telvn32.hlp")),
      master_config(File("master.cfg")),
      caption_table(File("telvn32.cap")),
      host_table(File("telvn32.hst")),
      dwp_table(File("telvn32.dwp")),
      mac_table(File("telvn32.mac")),
      dos_table(File("telvn32.asc")),
      char_map_bmf(File("telvn32.bmf")),
      char_map_bmc(File("telvn32.bmc")),
      card_motion(File("pc_card.mot")),
      user_cue(File("usercue.txt")),
      newstar_list(File("newstar.txt")),
      brackets_list(File("brackets.txt")),
      breaks_list(File("breaks.txt")),
      programs_list(File("programs.txt")),
      ncs_ids(File("ncsid.txt")),
      ftp_list(File("ftp.txt")) {}

}  // namespace telvane::app
