#include "runorder/quillbox.h"

#include <gtest/gtest.h>

namespace telvane::runorder {
namespace {

std::string Record(const std::u16string& text, std::size_t size = kQuillboxRecordSize) {
  std::string out(size, '\0');
  for (std::size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
    out[2 * i] = static_cast<char>(text[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out;
}

TEST(Quillbox, RecordIsSizeCheckedAndConverted) {
  EXPECT_EQ(QuillboxText(Record(u"H\u00e9 \u0416"), 1252), "H\xE9 ?");
  EXPECT_EQ(QuillboxText(Record(u"\xD800x"), 1252), "?x");  // a lone surrogate
  EXPECT_EQ(QuillboxText(Record(std::u16string(260, u'a')), 1252), std::string(260, 'a'));
  EXPECT_EQ(QuillboxText(Record(u"short", 519), 1252), std::nullopt);
  EXPECT_EQ(QuillboxText(Record(u"long", 521), 1252), std::nullopt);
  EXPECT_EQ(QuillboxText({}, 1252), std::nullopt);
}

}  // namespace
}  // namespace telvane::runorder
