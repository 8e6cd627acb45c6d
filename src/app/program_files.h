#pragma once

// The program directory and the data files that live in it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace telvane::app {

// Checked in this order before any window opens; the first missing one stops the program.
inline constexpr std::array<std::string_view, 39> kRequiredFiles{
    "telvn32.hlp",  "telvn32.msg",  "tv32msg.ger",  "tv32msg.fre", "master.cfg",   "telvn32.pr0",
    "telvn32.pr1",  "telvn32.tpl",  "telvn32.hst",  "telvn32.dwp", "telvn32.asc",  "telvn32.mac",
    "dvmode.bmp",   "nexus.bmp",    "avid.bmp",     "mos.bmp",     "nepras.bmp",   "dalet.bmp",
    "maxmedia.bmp", "cea.bmp",      "newsmake.bmp", "enps.bmp",    "os2000.bmp",   "telnet.bmp",
    "tt.bmp",       "ps.bmp",       "apnews.bmp",   "newstar.bmp", "telvn32.tro",  "gerital.bmp",
    "gerinvl.bmp",  "pblack.bmp",   "dropdown.bmp", "dropup.bmp",  "btstart0.bmp", "btstart1.bmp",
    "btstart2.bmp", "btstart3.bmp", "btstart4.bmp"};

// The bare name of the first required file missing from dir (which ends in a separator).
std::optional<std::string> FirstMissingRequiredFile(const std::string& dir);

// The directory of the running executable, with its trailing separator.
std::string ProgramDirectoryOf(std::string_view executable_path);

// Full paths of the data files, built once from the program directory.
struct ProgramPaths {
  explicit ProgramPaths(std::string program_dir);
  std::string File(std::string_view name) const { return dir + std::string(name); }

  std::string dir;
  std::string help;
  std::string master_config;
  std::string caption_table;
  std::string host_table;
  std::string dwp_table;
  std::string mac_table;
  std::string dos_table;
  std::string char_map_bmf;
  std::string char_map_bmc;
  std::string card_motion;
  std::string user_cue;
  std::string newstar_list;
  std::string brackets_list;
  std::string breaks_list;
  std::string programs_list;
  std::string ncs_ids;
  std::string ftp_list;
  // Macro files "stmac0".."stmac11" and "scmac0".."scmac11".
  std::string StudioMacro(int n) const { return File("stmac" + std::to_string(n)); }
  std::string ScriptMacro(int n) const { return File("scmac" + std::to_string(n)); }
};

}  // namespace telvane::app
