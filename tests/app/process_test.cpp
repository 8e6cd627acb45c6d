// Whole-program behaviour: one copy per session, and the data file check before any window.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/single_instance.h"
#include "child_process.h"
#include "support/temp_dir.h"

namespace telvane::app {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(SingleInstance, SecondProcessSeesTheLockUntilTheFirstEnds) {
  testing::TempDir runtime;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    SingleInstanceLock lock("test", runtime.path());
    char c = lock.held_elsewhere() ? 'n' : 'y';
    (void)::write(ready[1], &c, 1);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  EXPECT_TRUE(SingleInstanceLock("test", runtime.path()).held_elsewhere());
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  // The kernel released the dead holder's lock.
  EXPECT_FALSE(SingleInstanceLock("test", runtime.path()).held_elsewhere());
}

#ifdef TELVANE_HAS_UI
// A copy of the program directory: the program reads its data beside its executable.
class ProgramDir {
 public:
  ProgramDir() {
    for (const auto& e : fs::directory_iterator(TELVANE_BIN_DIR)) {
      const std::string name = e.path().filename().string();
      if (name == "telvane" || (e.is_regular_file() && name.find('.') != std::string::npos)) {
        fs::copy_file(e.path(), dir.File(name));
      }
    }
    fs::permissions(dir.File("telvane"), fs::perms::owner_all);
  }
  std::string Program() const { return dir.File("telvane"); }
  testing::TempDir dir;
  testing::TempDir runtime;
  std::map<std::string, std::string> Env() const {
    return {{"QT_QPA_PLATFORM", "offscreen"}, {"XDG_RUNTIME_DIR", runtime.path()}};
  }
};

TEST(Program, MissingRequiredFileIsReportedByName) {
  ProgramDir p;
  fs::remove(p.dir.File("telvn32.tro"));
  testing::ChildProcess child(p.Program(), {}, p.Env());
  EXPECT_TRUE(child.WaitForOutput("File Not Found : telvn32.tro", 60s)) << child.output();
  EXPECT_EQ(child.output().find("Telvane Started"), std::string::npos);
}

TEST(Program, SecondCopyEndsAtOnceAndSilently) {
  ProgramDir p;
  testing::ChildProcess first(p.Program(), {}, p.Env());
  ASSERT_TRUE(first.WaitForOutput("Telvane Started", 60s)) << first.output();
  testing::ChildProcess second(p.Program(), {}, p.Env());
  EXPECT_EQ(second.WaitForExit(30s), 0);
  EXPECT_EQ(second.output(), "");
  EXPECT_FALSE(first.WaitForExit(0ms).has_value());
}
#endif

}  // namespace
}  // namespace telvane::app
