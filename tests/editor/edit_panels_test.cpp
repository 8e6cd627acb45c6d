#include "editor/edit_panels.h"

#include <gtest/gtest.h>

#include <optional>

namespace telvane::editor {
namespace {

TEST(EditPanels, TimerEntry) {
  const std::pair<const char*, std::optional<int>> cases[] = {{"10", 10},
                                                              {"1:30", 90},
                                                              {"01:02:03", 3723},
                                                              {"99:59:59", 359999},
                                                              {"90", 90},
                                                              {"1:60", std::nullopt},
                                                              {"1:2:60", std::nullopt},
                                                              {"", std::nullopt},
                                                              {":", std::nullopt},
                                                              {"1:", std::nullopt},
                                                              {"123", std::nullopt},
                                                              {"1:2:3:4", std::nullopt},
                                                              {"1a", std::nullopt}};
  for (const auto& [typed, seconds] : cases) EXPECT_EQ(ParseTimerEntry(typed), seconds) << typed;
}

TEST(EditPanels, TimerTextIsCapped) {
  EXPECT_EQ(TimerText(0), "00:00:00");
  EXPECT_EQ(TimerText(3723), "01:02:03");
  EXPECT_EQ(TimerText(100LL * 3600), "99:59:59");
  EXPECT_EQ(TimerText(-5), "00:00:00");
}

TEST(EditPanels, SplitStaysInsideTheWindow) {
  // 500 wide, margin 21, scroll bar 15: the text keeps at least 40 pixels.
  EXPECT_EQ(ClampSplit(200, 500, 21, 15), 200);
  EXPECT_EQ(ClampSplit(-30, 500, 21, 15), kMinStudioWidth);
  EXPECT_EQ(ClampSplit(480, 500, 21, 15), 500 - 21 - 15 - kMinTextWidth);
  // Too narrow for both: the column keeps its least width.
  EXPECT_EQ(ClampSplit(100, 50, 21, 15), kMinStudioWidth);
}

}  // namespace
}  // namespace telvane::editor
