// Share rules between stations: two real processes, as two stations would be.

#include "formats/shared_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace telvane::formats {
namespace {

// Runs the open in a child process (another station) and returns whether it succeeded.
bool OtherStationOpens(const std::string& path, Access access, Share share) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(SharedFile::Open(path, access, share).ok() ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SharedFile, HolderKeepsOthersFromWritingButNotFromReading) {
  testing::TempDir dir;
  dir.Write("news.tvl", "QMR5");
  const std::string path = dir.File("news.tvl");
  {
    auto held = SharedFile::Open(path, Access::kReadWrite, Share::kReadOnly);
    ASSERT_TRUE(held.ok());
    EXPECT_FALSE(OtherStationOpens(path, Access::kReadWrite, Share::kReadOnly));
    EXPECT_FALSE(OtherStationOpens(path, Access::kReadWrite, Share::kReadAndWrite));
    EXPECT_FALSE(OtherStationOpens(path, Access::kRead, Share::kReadOnly));
    EXPECT_TRUE(OtherStationOpens(path, Access::kRead, Share::kReadAndWrite));
  }
  EXPECT_TRUE(OtherStationOpens(path, Access::kReadWrite, Share::kReadOnly));
}

TEST(SharedFile, ReadersThatDenyWritersShareWithEachOther) {
  testing::TempDir dir;
  dir.Write("q12", "x");
  const std::string path = dir.File("q12");
  auto reader = SharedFile::Open(path, Access::kRead, Share::kReadOnly);
  ASSERT_TRUE(reader.ok());
  EXPECT_TRUE(OtherStationOpens(path, Access::kRead, Share::kReadOnly));
  EXPECT_FALSE(OtherStationOpens(path, Access::kReadWrite, Share::kReadAndWrite));
  EXPECT_FALSE(SharedFile::Open(dir.File("missing"), Access::kRead, Share::kReadAndWrite).ok());
}

}  // namespace
}  // namespace telvane::formats
