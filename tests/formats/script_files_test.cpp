#include "formats/script_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "formats/native_file.h"
#include "platform/files.h"
#include "support/fixed_measure.h"
#include "support/temp_dir.h"
#include "support/virtual_host.h"
#include "support/write_limit.h"

namespace telvane::formats {
namespace {

using platform::BoxAnswer;

using testing::FixedMeasure;

class RecordingOperator : public FileOperator {
 public:
  void ShowStatusMessage(std::string_view text) override { status.emplace_back(text); }
  BoxAnswer Ask(std::string_view text, platform::BoxKind, platform::BoxButtons) override {
    asked.emplace_back(text);
    if (answers.empty()) return BoxAnswer::kOk;
    const BoxAnswer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  const std::string& MessageText(int n) const override {
    texts.push_back("#" + std::to_string(n));
    return texts.back();
  }
  void SetReadOnlyPanel(std::string_view text) override { read_only_panel = std::string(text); }
  void SetScriptFileLocked(bool on) override { locked = on; }
  void ScriptSaved(const std::string& path) override { saved.push_back(path); }

  std::vector<std::string> status;
  std::vector<std::string> asked;
  std::vector<BoxAnswer> answers;
  mutable std::deque<std::string> texts;
  std::vector<std::string> saved;
  std::string read_only_panel;
  bool locked = false;
};

// A native script of three stories, written the way any station writes it.
std::string DemoFile() {
  std::string text = WriteFontHeader(5, FontTable{});
  for (int id : {1, 2, 3}) {
    const std::string slug = "[" + std::to_string(id) + "] STORY";
    text += "16,2057," + std::to_string(id) + ",,0," + slug + "\r\n\r\n0," +
            std::to_string(slug.size()) + ";\r\n\r\n7\r\n56," + std::to_string(slug.size()) +
            ";\r\n\r\n\r\n";
    text += "0,2057,Body text\r\n\r\n0,9;\r\n\r\n7\r\n56,9;\r\n\r\n\r\n";
  }
  return text;
}

class ScriptFilesTest : public ::testing::Test {
 protected:
  ScriptFilesTest() { store.NewScript(); }
  void Settle() {
    ASSERT_TRUE(vh.loop.WaitForWorkers([&] { return !files.save_in_progress(); },
                                       std::chrono::seconds(20)));
  }

  testing::TempDir dir;
  testing::VirtualHost vh;
  FixedMeasure measure;
  store::StoreNotices notices;
  store::ScriptStore store{measure, notices};
  config::Settings settings = config::Settings::Defaults(96);
  RecordingOperator op;
  ScriptFiles files{store, settings, op, vh.loop};
};

TEST_F(ScriptFilesTest, ReadsANativeFileAndSavesItBack) {
  dir.Write("show.tvl", DemoFile());
  ASSERT_TRUE(files.ReadScriptFile(dir.File("show.tvl")));
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
  EXPECT_EQ(store.line_count(), 6);
  EXPECT_EQ(files.open_story_id(), "3");
  EXPECT_EQ(op.status, (std::vector<std::string>{"#399 #856"}));
  EXPECT_FALSE(files.holds_file());

  files.set_current_file_name(dir.File("copy.tvl"));
  ASSERT_TRUE(files.SaveScript());
  EXPECT_TRUE(files.save_in_progress());
  Settle();
  EXPECT_EQ(files.save_error_code(), 0);
  EXPECT_EQ(*platform::ReadWholeFile(dir.File("copy.tvl")), DemoFile());
  EXPECT_EQ(op.saved, (std::vector<std::string>{dir.File("copy.tvl")}));
}

TEST_F(ScriptFilesTest, AppendAddsAfterTheLastLine) {
  dir.Write("show.tvl", DemoFile());
  ASSERT_TRUE(files.ReadScriptFile(dir.File("show.tvl")));
  ASSERT_TRUE(files.ReadScriptFile(dir.File("show.tvl")));
  EXPECT_EQ(store.line_count(), 12);
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(ScriptFilesTest, RefusesProgramsAndMissingFiles) {
  for (const char* name : {"tool.EXE", "driver.sys", "x.Com"}) {
    dir.Write(name, "QMR5");
    EXPECT_FALSE(files.ReadScriptFile(dir.File(name)));
    EXPECT_TRUE(files.load_abort());
  }
  EXPECT_FALSE(files.ReadScriptFile(dir.File("absent.tvl")));
  EXPECT_EQ(op.asked, (std::vector<std::string>(4, "#191")));
  EXPECT_TRUE(store.IsOnlyLine(store.first_line()));
}

TEST_F(ScriptFilesTest, UnreadableFormatsReportFailure) {
  dir.Write("doc.rtf", "{\\rtf1 hello}");
  EXPECT_FALSE(files.ReadScriptFile(dir.File("doc.rtf")));
  EXPECT_EQ(op.status.back(), "#399 #408");
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(ScriptFilesTest, MultiUserHoldsTheFileAgainstOtherStations) {
  settings.SetBool(config::Key::kScriptMultiUser, true);
  dir.Write("show.tvl", DemoFile());
  const std::string path = dir.File("show.tvl");
  ASSERT_TRUE(files.ReadScriptFile(path));
  EXPECT_TRUE(files.holds_file());
  EXPECT_TRUE(op.locked);
  const auto other_station_writes = [&] {
    const pid_t child = ::fork();
    if (child == 0) {
      ::_exit(SharedFile::Open(path, Access::kReadWrite, Share::kReadOnly).ok() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WEXITSTATUS(status) == 0;
  };
  EXPECT_FALSE(other_station_writes());
  files.set_current_file_name(path);
  ASSERT_TRUE(files.SaveScript());
  Settle();
  EXPECT_EQ(files.save_error_code(), 0);
  EXPECT_TRUE(files.holds_file());  // held again after the save
  EXPECT_FALSE(other_station_writes());
}

TEST_F(ScriptFilesTest, AFailedSaveKeepsThePreviousFile) {
  dir.Write("show.tvl", DemoFile());
  ASSERT_TRUE(files.ReadScriptFile(dir.File("show.tvl")));
  store.first_line()->text_a = "[1] CHANGED";
  files.set_current_file_name(dir.File("show.tvl"));
  {
    // The disk fills up part way through the new copy.
    testing::WriteLimit limit(200);
    ASSERT_TRUE(files.SaveScript());
    Settle();
  }
  EXPECT_EQ(files.save_error_code(), kCannotReplace);
  EXPECT_EQ(op.asked.back(), "#807");
  EXPECT_EQ(*platform::ReadWholeFile(dir.File("show.tvl")), DemoFile());
}

TEST_F(ScriptFilesTest, SaveIntoAMissingFolderCreatesIt) {
  SaveRequest request;
  request.path = dir.File("a/b/Q12");
  request.mode = SaveMode::kStory;
  request.first = store.first_line();
  request.story_only = true;
  ASSERT_TRUE(files.StartSave(request));
  Settle();
  EXPECT_EQ(files.save_error_code(), 0);
  EXPECT_TRUE(platform::FileExists(dir.File("a/b/Q12")));
  EXPECT_EQ(files.open_story_id(), "12");
  EXPECT_NE(store.first_line()->flags2 & store::line_state::kStorySaved, 0u);
}

TEST_F(ScriptFilesTest, BusyOwnerAndRunningSaveRefuse) {
  files.busy_owner() = 2;
  SaveRequest request;
  request.path = dir.File("x.tvl");
  ASSERT_TRUE(files.StartSave(request));
  EXPECT_FALSE(files.StartSave(request));
  EXPECT_EQ(op.asked.back(), "#976");
  Settle();
  EXPECT_EQ(op.asked.back(), "#887");
  EXPECT_FALSE(platform::FileExists(dir.File("x.tvl")));
}

TEST(StoryFileName, RejectsNamesThatLeaveTheFolder) {
  EXPECT_EQ(StoryFileName("12A"), "Q12A");
  for (const char* bad : {"", "../x", "a/b", "..", "a\\b"})
    EXPECT_EQ(StoryFileName(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace telvane::formats
