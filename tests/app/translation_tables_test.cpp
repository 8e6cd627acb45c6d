#include "app/translation_tables.h"

#include <gtest/gtest.h>

namespace telvane::app {
namespace {

TEST(TranslationTable, HeadingOnlyLeavesEveryEntryLineFeed) {
  const TranslationTable t = ParseTranslationTable("Host translation table\r\n");
  for (std::uint8_t v : t) EXPECT_EQ(v, kUnfilledEntry);
}

TEST(TranslationTable, EntriesFollowLineOrderWithBoundedParsing) {
  const TranslationTable t = ParseTranslationTable(
      "heading 0:41\n"
      "0:41\n"            // entry 0
      "1 : 7f ignored\n"  // entry 1: the two characters after ':' are " 7", not hex
      "2:7f\n"            // entry 2
      "no colon\n"        // entry 3 unchanged
      "4:Z1\n"            // entry 4 non-hex
      "5:a\n"             // entry 5 short
      "6:e9:00\n");       // entry 6: first colon counts
  EXPECT_EQ(t[0], 0x41);
  EXPECT_EQ(t[1], kUnfilledEntry);
  EXPECT_EQ(t[2], 0x7F);
  EXPECT_EQ(t[3], kUnfilledEntry);
  EXPECT_EQ(t[4], kUnfilledEntry);
  EXPECT_EQ(t[5], kUnfilledEntry);
  EXPECT_EQ(t[6], 0xE9);
  EXPECT_EQ(t[7], kUnfilledEntry);
}

TEST(TranslationTable, ReadsAtMost256Entries) {
  std::string text = "heading\n";
  for (int i = 0; i < 300; ++i) text += std::to_string(i) + ":20\n";
  const TranslationTable t = ParseTranslationTable(text);
  for (std::uint8_t v : t) EXPECT_EQ(v, 0x20);
}

TEST(TranslationTable, ShippedDosTableMapsCodePage437) {
  auto t = LoadTranslationTable(std::string(TELVANE_DATA_DIR) + "/telvn32.asc");
  ASSERT_TRUE(t.ok());
  EXPECT_EQ((*t)['A'], 'A');
  EXPECT_EQ((*t)[0x81], 0xFC);  // u with diaeresis
  EXPECT_EQ((*t)[0xE1], 0xDF);  // sharp s
  auto host = LoadTranslationTable(std::string(TELVANE_DATA_DIR) + "/telvn32.hst");
  ASSERT_TRUE(host.ok());
  EXPECT_EQ(*host, IdentityTable());
}

}  // namespace
}  // namespace telvane::app
