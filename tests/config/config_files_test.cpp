// The configuration's files: loading and saving them, copies to and from files the operator
// chose, and the program directory's list files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_copies.h"
#include "config/list_file.h"
#include "config/settings.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace telvane::config {
namespace {

constexpr int kPpi = 96;

std::string Read(const std::string& path) {
  return platform::ReadWholeFile(path).value();
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A file that exists but is refused: larger than any configuration (sparse, so it costs
// nothing).
std::string OversizedFile(const testing::TempDir& dir) {
  std::string path = dir.File("huge.ini");
  dir.Write("huge.ini", "");
  std::filesystem::resize_file(path, ProfileFile::kMaxFileBytes + 1);
  return path;
}

std::string Saved(const Settings& settings) {
  ProfileFile file;
  settings.SaveInto(file);
  return file.Serialize();
}

TEST(SettingsFileTest, MissingFileGivesDefaultsAndAnUnreadableOneAnError) {
  const testing::TempDir dir;
  const auto missing = LoadSettingsFile(dir.File("telvn32.ini"), kPpi);
  ASSERT_TRUE(missing);
  EXPECT_EQ(Saved(*missing), Saved(Settings::Defaults(kPpi)));

  EXPECT_FALSE(LoadSettingsFile(OversizedFile(dir), kPpi));
  EXPECT_FALSE(ProfileFile::Load(dir.File("telvn32.ini")));
}

TEST(SettingsFileTest, OneKeyIsWrittenAloneKeepingTheRest) {
  const testing::TempDir dir;
  Settings settings = Settings::Defaults(kPpi);
  settings.SetBool(Key::kMenuAutoSave, false);

  dir.Write("kept.ini", "[Menu]\nAuto Save=1\n[Main]\nTop=5\n; note\n");
  ASSERT_TRUE(SaveSettingIntoFile(settings, Key::kMenuAutoSave, dir.File("kept.ini")));
  EXPECT_EQ(Read(dir.File("kept.ini")), "[Menu]\r\nAuto Save=0\r\n[Main]\r\nTop=5\r\n; note\r\n");

  ASSERT_TRUE(SaveSettingIntoFile(settings, Key::kMenuAutoSave, dir.File("new.ini")));
  EXPECT_EQ(Read(dir.File("new.ini")), "[Menu]\r\nAuto Save=0\r\n");

  const std::string huge = OversizedFile(dir);
  EXPECT_FALSE(SaveSettingIntoFile(settings, Key::kMenuAutoSave, huge));
  EXPECT_EQ(std::filesystem::file_size(huge), ProfileFile::kMaxFileBytes + 1);
}

TEST(ConfigCopiesTest, SaveAsGivesTheFileAnIniExtension) {
  const std::pair<std::string, std::string> names[] = {
      {"/c/station.txt", "/c/station.ini"},
      {"/c/station", "/c/station.ini"},
      {"/c/station.INI", "/c/station.ini"},
      {"/c/v1.2/station", "/c/v1.2/station.ini"},
  };
  for (const auto& [chosen, written] : names) {
    EXPECT_EQ(IniPathFor(chosen), written);
  }
}

TEST(ConfigCopiesTest, SaveAsWritesTheIniFileAndRecordsWhereItWent) {
  const testing::TempDir dir;
  Settings settings = Settings::Defaults(kPpi);
  settings.SetInt(Key::kSpeedPromptSpeed, 40);

  const auto written = SaveConfigAs(settings, dir.File("studio b.txt"), nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, dir.File("studio b.ini"));
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"studio b.ini"});
  EXPECT_EQ(settings.Text(Key::kMainConfigurationDirectory), dir.path());
  EXPECT_EQ(settings.Text(Key::kMainConfigurationFilename), "studio b.ini");

  const auto copy = LoadSettingsFile(*written, kPpi);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Int(Key::kSpeedPromptSpeed), 40);
  EXPECT_EQ(copy->Text(Key::kMainConfigurationFilename), "studio b.ini");
}

TEST(ConfigCopiesTest, FailedSaveAsKeepsTheSettings) {
  const testing::TempDir dir;
  Settings settings = Settings::Defaults(kPpi);
  const std::string before = Saved(settings);
  EXPECT_FALSE(SaveConfigAs(settings, dir.File("no such dir/station.ini"), nullptr));
  EXPECT_EQ(Saved(settings), before);
}

TEST(ConfigCopiesTest, LoadConfigTakesTheFileOrKeepsEverySetting) {
  const testing::TempDir dir;
  Settings settings = Settings::Defaults(kPpi);
  settings.SetInt(Key::kSpeedPromptSpeed, 50);
  settings.SetVersion({.program_dir = "/opt/telvane/"});
  const std::string before = Saved(settings);

  EXPECT_FALSE(LoadConfig(settings, dir.File("gone.ini"), kPpi));
  EXPECT_FALSE(LoadConfig(settings, OversizedFile(dir), kPpi));
  EXPECT_EQ(Saved(settings), before);

  dir.Write("other.ini", "[Speed]\nPrompt Speed=20\n");
  ASSERT_TRUE(LoadConfig(settings, dir.File("other.ini"), kPpi));
  EXPECT_EQ(settings.Int(Key::kSpeedPromptSpeed), 20);
  EXPECT_EQ(settings.Text(Key::kMainConfigurationDirectory), dir.path());
  EXPECT_EQ(settings.Text(Key::kMainConfigurationFilename), "other.ini");
  EXPECT_EQ(settings.Version().program_dir, "/opt/telvane/");
}

TEST(ListFileTest, WrittenOnlyWhenReadOrChanged) {
  const testing::TempDir dir;
  dir.Write("breaks.txt", "WEATHER\r\nSPORT\n");

  auto read = ListFile::Load(dir.File("breaks.txt"));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->lines(), (std::vector<std::string>{"WEATHER", "SPORT"}));
  ASSERT_TRUE(read->SaveIfNeeded(dir.File("breaks.txt")));
  EXPECT_EQ(Read(dir.File("breaks.txt")), "WEATHER\r\nSPORT\r\n");

  auto missing = ListFile::Load(dir.File("newstar.txt"));
  ASSERT_TRUE(missing);
  ASSERT_TRUE(missing->SaveIfNeeded(dir.File("newstar.txt")));
  EXPECT_FALSE(platform::FileExists(dir.File("newstar.txt")));
  missing->SetLines({"NOTE"});
  ASSERT_TRUE(missing->SaveIfNeeded(dir.File("newstar.txt")));
  EXPECT_EQ(Read(dir.File("newstar.txt")), "NOTE\r\n");

  // A list whose file could not be read stays empty and leaves that file alone.
  const std::string huge = dir.File("brackets.txt");
  dir.Write("brackets.txt", "");
  std::filesystem::resize_file(huge, ListFile::kMaxFileBytes + 1);
  EXPECT_FALSE(ListFile::Load(huge));
  ASSERT_TRUE(ListFile().SaveIfNeeded(huge));
  EXPECT_EQ(std::filesystem::file_size(huge), ListFile::kMaxFileBytes + 1);
}

}  // namespace
}  // namespace telvane::config
