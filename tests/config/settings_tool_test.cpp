#include "config/settings_tool.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "config/profile_file.h"
#include "config/settings_keys.h"
#include "support/temp_dir.h"

namespace telvane::config {
namespace {

struct ToolRun {
  int code;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args, const std::string& program_dir) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunSettingsCommand(args, program_dir, out, err);
  return {code, out.str(), err.str()};
}

TEST(SettingsToolTest, AnEmptyFilePrintsTheCompleteDefaultConfiguration) {
  const testing::TempDir dir;
  dir.Write("empty.ini", "");
  const ToolRun run = RunTool({dir.File("empty.ini")}, dir.path());
  ASSERT_EQ(run.code, 0) << run.err;

  const ProfileFile printed = ProfileFile::Parse(run.out);
  for (const KeySpec& key_spec : kKeySpecs) {
    EXPECT_EQ(printed.Get(key_spec.section, key_spec.name).has_value(), key_spec.has_default)
        << key_spec.section << " / " << key_spec.name;
  }
  EXPECT_EQ(printed.Get("Prompt Size", "F7"), "64");
  EXPECT_EQ(printed.Get("Def Font", "F0"), "Arial");
  EXPECT_EQ(printed.Get("Presenter", "PN15"), "Presenter15");
  EXPECT_EQ(printed.Get("Custom Colors", "ColorP"), "000000");
  EXPECT_EQ(printed.Get("Fast", "F4"), "");
  EXPECT_EQ(printed.Get("Version", "Telvane Directory"), dir.path());
  EXPECT_NE(run.out.find("\r\n[Main]\r\nConfiguration Lock=0\r\n"), std::string::npos);
}

TEST(SettingsToolTest, MasterCfgSelectsTheConfiguration) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, "telvn32.ini"},
      {"[Main]\nMultiple Configuration=0\nIni File=studio.ini\n", "telvn32.ini"},
      {"[Main]\nMultiple Configuration=1\nIni File=studio.ini\n", "studio.ini"},
      {"[Main]\nMultiple Configuration=1\n", "telvn32.ini"},
      {"[Main]\nMultiple Configuration=1\nIni File=../studio.ini\n", "telvn32.ini"},
      {"[Main]\nMultiple Configuration=1\nIni File=\n", "telvn32.ini"},
  };
  for (const auto& [master, selected] : cases) {
    const testing::TempDir dir;
    if (master) {
      dir.Write("master.cfg", *master);
    }
    EXPECT_EQ(SelectedConfigName(dir.path()), selected) << master.value_or("(none)");
  }

  const testing::TempDir dir;
  dir.Write("master.cfg", "[Main]\nMultiple Configuration=1\nIni File=studio.ini\n");
  dir.Write("studio.ini", "; studio\n[Menu]\nAuto Save=0\n");
  const ToolRun run = RunTool({}, dir.path());
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("; studio\r\n[Menu]\r\nAuto Save=0\r\n", 0), 0u);
}

TEST(SettingsToolTest, ReportsAFileItCannotReadAndWrongUsage) {
  const testing::TempDir dir;
  const ToolRun missing = RunTool({dir.File("gone.ini")}, dir.path());
  EXPECT_EQ(missing.code, 1);
  EXPECT_TRUE(missing.out.empty());
  EXPECT_NE(missing.err.find("gone.ini"), std::string::npos);

  EXPECT_EQ(RunTool({"a.ini", "b.ini"}, dir.path()).code, 2);
}

}  // namespace
}  // namespace telvane::config
