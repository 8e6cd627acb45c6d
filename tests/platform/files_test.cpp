#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "support/write_limit.h"

namespace telvane::platform {
namespace {

TEST(Files, AtomicWriteReplacesAndKeepsTheMode) {
  testing::TempDir dir;
  const std::string path = dir.File("a.ini");
  dir.Write("a.ini", "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
  EXPECT_EQ(*ReadWholeFile(path), "new");
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Nothing but the file itself is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(Files, FailedWriteKeepsThePreviousFile) {
  testing::TempDir dir;
  dir.Write("a.ini", "old");
  Status s;
  {
    testing::WriteLimit limit(10);
    s = WriteFileAtomically(dir.File("a.ini"), std::string(100, 'n'));
  }
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(*ReadWholeFile(dir.File("a.ini")), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(Files, ReadRefusesMissingAndOversizedFiles) {
  testing::TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.File("none")).ok());
  dir.Write("big", std::string(100, 'x'));
  EXPECT_FALSE(ReadWholeFile(dir.File("big"), 99).ok());
  EXPECT_EQ(ReadWholeFile(dir.File("big"), 100)->size(), 100u);
}

TEST(Files, PathPieces) {
  struct Case {
    const char* path;
    const char* ext;
    const char* replaced;
  };
  for (const Case& c :
       {Case{"/d/news.txt", ".TVL", "/d/news.TVL"}, Case{"/d/news", ".TVL", "/d/news.TVL"},
        Case{"/d.x/news", ".tpl", "/d.x/news.tpl"}, Case{"a.b.ini", ".tro", "a.b.tro"}}) {
    EXPECT_EQ(ReplaceExtension(c.path, c.ext), c.replaced);
  }
  EXPECT_EQ(BaseName("/opt/telvane/master.cfg"), "master.cfg");
  EXPECT_EQ(DirectoryOf("/opt/telvane/telvane"), "/opt/telvane/");
  EXPECT_EQ(DirectoryOf("telvane"), "");
}

TEST(Files, WriteStampFollowsTheFile) {
  testing::TempDir dir;
  EXPECT_EQ(FileWriteStamp(dir.File("none")), 0);
  dir.Write("a", "x");
  const auto first = FileWriteStamp(dir.File("a"));
  EXPECT_GT(first, 0);
  std::filesystem::last_write_time(
      dir.File("a"), std::filesystem::last_write_time(dir.File("a")) + std::chrono::seconds(5));
  EXPECT_EQ(FileWriteStamp(dir.File("a")) - first, 5 * 10000000LL);
}

}  // namespace
}  // namespace telvane::platform
