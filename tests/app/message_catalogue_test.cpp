#include "app/message_catalogue.h"

#include <gtest/gtest.h>

namespace telvane::app {
namespace {

TEST(MessageCatalogue, ParsesNumberedLinesAfterTheHeading) {
  MessageCatalogue c;
  c.Parse(
      "12=heading that looks like an entry\r\n"
      "1=First\r\n"
      "12=a=b = c\r\n"
      "0=zero\n"
      "1740=last\n"
      "1741=beyond\n"
      "no equals sign\n"
      "x1=not a number\n"
      "99999999999999999999=overflow\n"
      " 7 =padded number\n"
      "5=old\n"
      "5=new\n"
      "6=");
  EXPECT_EQ(c.Text(1), "First");
  EXPECT_EQ(c.Text(12), "a=b = c");
  EXPECT_EQ(c.Text(0), "");
  EXPECT_EQ(c.Text(1740), "last");
  EXPECT_EQ(c.Text(1741), "");
  EXPECT_EQ(c.Text(-3), "");
  EXPECT_EQ(c.Text(7), "padded number");
  EXPECT_EQ(c.Text(5), "new");
  EXPECT_EQ(c.Text(6), "");
  EXPECT_EQ(c.Text(2), "");
}

TEST(MessageCatalogue, ParseReplacesEarlierLanguage) {
  MessageCatalogue c;
  c.Parse("h\n1=one\n2=two\n");
  c.Parse("h\n2=zwei\n");
  EXPECT_EQ(c.Text(1), "");
  EXPECT_EQ(c.Text(2), "zwei");
}

TEST(MessageCatalogue, LanguageLetterSelectsFile) {
  EXPECT_EQ(CatalogueFileForLanguage('B'), "tv32msg.ger");
  EXPECT_EQ(CatalogueFileForLanguage('C'), "tv32msg.fre");
  EXPECT_EQ(CatalogueFileForLanguage('A'), "telvn32.msg");
  EXPECT_EQ(CatalogueFileForLanguage('b'), "telvn32.msg");
}

TEST(MessageCatalogue, ShippedCataloguesFillEveryCitedNumber) {
  for (const char* file : {"telvn32.msg", "tv32msg.ger", "tv32msg.fre"}) {
    MessageCatalogue c;
    ASSERT_TRUE(c.Load(std::string(TELVANE_DATA_DIR) + "/" + file).ok()) << file;
    for (int n : {4, 11, 113, 114, 126, 191, 242, 270, 873, 959, 970, 1228, 1423, 1477, 1718}) {
      EXPECT_FALSE(c.Text(n).empty()) << file << " " << n;
    }
  }
}

}  // namespace
}  // namespace telvane::app
