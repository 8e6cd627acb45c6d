#include "app/config_chooser.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_dir.h"
#include "support/virtual_host.h"

namespace telvane::app {
namespace {

using platform::BoxAnswer;

class ConfigChooserTest : public ::testing::Test {
 protected:
  ConfigChooserTest() {
    catalogue.Parse("h\n4=Not found\n517=exists, replace?\n673=Delete configuration\n674=In use\n");
    for (const char* f :
         {"telvn32.ini", "studio.ini", "STUDIO.tpl", "studio.tro", "news.INI", "notes.txt"}) {
      dir.Write(f, "");
    }
  }
  testing::TempDir dir;
  testing::ScriptedDialogs dialogs;
  MessageCatalogue catalogue;
};

TEST_F(ConfigChooserTest, ListsIniFilesWithoutExtension) {
  ConfigChooser c(ChooserMode::kChoose, dir.path(), dir.File("telvn32.ini"), catalogue, dialogs);
  EXPECT_EQ(c.entries(), (std::vector<std::string>{"news", "studio", "telvn32"}));
  EXPECT_EQ(c.edit_text, "telvn32");
  EXPECT_EQ(c.Title(), "Select Configuration");
}

TEST_F(ConfigChooserTest, ChoosingAMissingFileKeepsTheChooserOpen) {
  ConfigChooser c(ChooserMode::kChoose, dir.path(), dir.File("telvn32.ini"), catalogue, dialogs);
  c.edit_text = "  absent ";
  c.Ok();
  EXPECT_FALSE(c.closed());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, "Not found");
  c.Click(1);
  c.Ok();
  EXPECT_TRUE(c.closed());
  EXPECT_EQ(c.chosen(), dir.File("studio.ini"));
}

TEST_F(ConfigChooserTest, DeleteRefusesDefaultCurrentAndUnsafeNames) {
  ConfigChooser c(ChooserMode::kDelete, dir.path(), dir.File("news.INI"), catalogue, dialogs);
  EXPECT_EQ(c.edit_text, "");
  for (const char* name : {"telvn32", "TELVN32", "news", "../main/telvn32", "sub/x", ".."}) {
    c.edit_text = name;
    c.Ok();
  }
  EXPECT_EQ(dialogs.asked.size(), 6u);
  for (const auto& a : dialogs.asked) EXPECT_NE(a.text, "Delete configuration: ") << a.text;
  EXPECT_TRUE(platform::FileExists(dir.File("telvn32.ini")));
}

TEST_F(ConfigChooserTest, DeleteRemovesTheThreeFilesAfterConfirmation) {
  ConfigChooser c(ChooserMode::kDelete, dir.path(), dir.File("telvn32.ini"), catalogue, dialogs);
  c.edit_text = "studio";
  dialogs.answers = {BoxAnswer::kCancel};
  c.Ok();
  EXPECT_TRUE(platform::FileExists(dir.File("studio.ini")));
  dialogs.answers = {BoxAnswer::kOk};
  c.Ok();
  EXPECT_EQ(dialogs.asked.back().text, "Delete configuration: studio");
  EXPECT_FALSE(platform::FileExists(dir.File("studio.ini")));
  EXPECT_FALSE(platform::FileExists(dir.File("studio.tro")));
  EXPECT_EQ(c.entries(), (std::vector<std::string>{"news", "telvn32"}));
  EXPECT_EQ(c.edit_text, "");
}

TEST_F(ConfigChooserTest, SavingOverAnExistingFileAsksFirst) {
  std::vector<std::string> saved;
  ConfigChooser c(ChooserMode::kSave, dir.path(), dir.File("telvn32.ini"), catalogue, dialogs,
                  [&](const std::string& p) { saved.push_back(p); });
  c.edit_text = "studio";
  dialogs.answers = {BoxAnswer::kCancel};
  c.Ok();
  EXPECT_FALSE(c.closed());
  EXPECT_EQ(dialogs.asked.back().text, dir.File("studio.ini") + " exists, replace?");
  c.edit_text = "fresh";
  c.Ok();
  EXPECT_TRUE(c.closed());
  EXPECT_EQ(saved, (std::vector<std::string>{dir.File("fresh.ini")}));
}

}  // namespace
}  // namespace telvane::app
