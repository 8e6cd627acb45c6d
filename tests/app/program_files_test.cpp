#include "app/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace telvane::app {
namespace {

TEST(RequiredFiles, FirstMissingInTableOrder) {
  testing::TempDir dir;
  for (std::string_view name : kRequiredFiles) dir.Write(std::string(name), "x");
  EXPECT_EQ(FirstMissingRequiredFile(dir.path()), std::nullopt);

  std::filesystem::remove(dir.File("telvn32.tro"));
  EXPECT_EQ(FirstMissingRequiredFile(dir.path()), "telvn32.tro");
  std::filesystem::remove(dir.File("btstart4.bmp"));
  EXPECT_EQ(FirstMissingRequiredFile(dir.path()), "telvn32.tro");
  std::filesystem::remove(dir.File("telvn32.hlp"));
  EXPECT_EQ(FirstMissingRequiredFile(dir.path()), "telvn32.hlp");
}

TEST(RequiredFiles, ShippedDataHasEveryOne) {
  EXPECT_EQ(FirstMissingRequiredFile(std::string(TELVANE_DATA_DIR) + "/"), std::nullopt);
}

}  // namespace
}  // namespace telvane::app
