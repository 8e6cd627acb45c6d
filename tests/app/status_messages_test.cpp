#include "app/status_messages.h"

#include <gtest/gtest.h>

#include <sstream>

namespace telvane::app {
namespace {

TEST(StatusMessages, NewestFirstAndNeverMoreThan250) {
  StatusMessages list;
  for (int i = 1; i <= 251; ++i) list.Add({2026, 1, 1, 9, 5, i % 60}, "m" + std::to_string(i));
  ASSERT_EQ(list.entries().size(), 250u);
  EXPECT_EQ(list.entries().front(), "09:05:11 m251");
  EXPECT_EQ(list.entries().back(), "09:05:02 m2");  // m1, the oldest, went
}

TEST(OperatorLog, WritesTimeAndUtf8) {
  std::ostringstream out;
  OperatorLog log(&out);
  log.Write({2026, 1, 1, 7, 8, 9}, "status",
            "Pr\xFC"
            "fen");
  EXPECT_EQ(out.str(),
            "07:08:09 status: Pr\xC3\xBC"
            "fen\n");
}

}  // namespace
}  // namespace telvane::app
