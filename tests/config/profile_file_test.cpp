#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <string_view>

namespace telvane::config {
namespace {

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += '\r';
    }
    out += c;
  }
  return out;
}

// A hand-edited file: a key before any section, comments, odd case, blanks around the parts,
// quotes, a repeated key and a repeated section.
constexpr std::string_view kEdited =
    "orphan=before any section\n"
    "; comment\n"
    "[Main]\n"
    "  Top = 12  \n"
    "top=99\n"
    "# Hash=1\n"
    "Name=\"  padded  \"\n"
    "Single='quoted'\n"
    "Half=\"open\n"
    "Empty=\n"
    "Equals=a=b\n"
    "no equals sign\n"
    "[ main ]\n"
    "Late=from the repeated section\n"
    "[Colors]\n"
    "High B=-16777203\n";

TEST(ProfileFileTest, ReadsTheFirstSectionAndKeyWithoutRegardToCase) {
  struct Lookup {
    std::string_view section;
    std::string_view key;
    std::optional<std::string> value;
  };
  const Lookup lookups[] = {
      {"main", "TOP", "12"},
      {"Main", "Name", "  padded  "},
      {"Main", "Single", "quoted"},
      {"Main", "Half", "\"open"},
      {"Main", "Empty", ""},
      {"Main", "Equals", "a=b"},
      {"Main", "Late", std::nullopt},
      {"Main", "# Hash", std::nullopt},
      {"Main", "no equals sign", std::nullopt},
      {"", "orphan", std::nullopt},
      {"COLORS", "high b", "-16777203"},
      {"Missing", "Top", std::nullopt},
  };
  for (const std::string& text : {std::string(kEdited), WithCrLf(kEdited)}) {
    const ProfileFile file = ProfileFile::Parse(text);
    for (const Lookup& lookup : lookups) {
      EXPECT_EQ(file.Get(lookup.section, lookup.key), lookup.value)
          << lookup.section << " / " << lookup.key;
    }
  }
}

TEST(ProfileFileTest, KeepsAByteOrderMark) {
  const ProfileFile file = ProfileFile::Parse("\xEF\xBB\xBF[A]\nk=v\n");
  EXPECT_EQ(file.Get("A", "k"), "v");
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF[A]\r\nk=v\r\n");
}

TEST(ProfileFileTest, ParsesWholeIntegersOnly) {
  const std::pair<std::string_view, std::optional<int>> cases[] = {
      {"0", 0},
      {"+7", 7},
      {"-16777203", -16777203},
      {"0xFF00000D", -16777203},
      {"0x7fffffff", INT_MAX},
      {"$378", 0x378},
      {"-2147483648", INT_MIN},
      {"2147483648", std::nullopt},
      {"0x100000000", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"0x", std::nullopt},
      {"12abc", std::nullopt},
      {" 5", std::nullopt},
      {"1.5", std::nullopt},
      {"+-1", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseInt(text), expected) << text;
  }
}

TEST(ProfileFileTest, ParsesRealsWithEitherDecimalSeparator) {
  const std::pair<std::string_view, std::optional<double>> cases[] = {
      {"3.0", 3.0},
      {"3,5", 3.5},
      {"-1e3", -1000.0},
      {"+2.5", 2.5},
      {".5", 0.5},
      {"abc", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"", std::nullopt},
      {"1,2.3", std::nullopt},
      {"1.2.3", std::nullopt},
      {"+-1", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseReal(text), expected) << text;
  }
  for (double value : {3.0, 11.5, -0.25, 1e20, 0.1}) {
    const std::string text = FormatReal(value);
    EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;
    EXPECT_EQ(ParseReal(text), value) << text;
  }
}

TEST(ProfileFileTest, BooleansAreNonZeroIntegers) {
  const ProfileFile file = ProfileFile::Parse("[S]\none=1\ntwo=2\nminus=-1\nzero=0\nword=yes\n");
  const std::pair<std::string_view, std::optional<bool>> cases[] = {
      {"one", true},   {"two", true},          {"minus", true},
      {"zero", false}, {"word", std::nullopt}, {"missing", std::nullopt}};
  for (const auto& [key, expected] : cases) {
    for (bool def : {false, true}) {
      EXPECT_EQ(file.GetBool("S", key, def), expected.value_or(def)) << key;
    }
  }
}

TEST(ProfileFileTest, WrittenValuesReadBackUnchanged) {
  const std::string_view values[] = {
      "plain",    "",   "  lead", "trail  ",         "\tboth\t",    "\"quoted\"",
      "'single'", "\"", "a=b",    "; not a comment", "[no section]"};
  ProfileFile file;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    file.Set("S", "K" + std::to_string(i), values[i]);
  }
  const ProfileFile reread = ProfileFile::Parse(file.Serialize());
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(reread.Get("S", "K" + std::to_string(i)), std::string(values[i])) << values[i];
  }
}

TEST(ProfileFileTest, LineBreaksInAValueCannotAddLines) {
  ProfileFile file;
  file.Set("S", "K", "one\r\n[Evil]\nx=1");
  const ProfileFile reread = ProfileFile::Parse(file.Serialize());
  EXPECT_EQ(reread.Get("S", "K"), "one  [Evil] x=1");
  EXPECT_FALSE(reread.HasSection("Evil"));
}

TEST(ProfileFileTest, RewritesInPlaceKeepingWhatItDoesNotSet) {
  ProfileFile file = ProfileFile::Parse(
      "; station A\n"
      "[main]\n"
      "TOP = 12\n"
      "Unknown=kept\n"
      "\n"
      "[Other]\n"
      "x=1");
  file.Set("Main", "Top", "12");
  file.Set("MAIN", "unknown", "changed");
  file.Set("Main", "New", "added");
  file.SetInt("Fresh", "Colour", -16777203);
  EXPECT_EQ(file.Serialize(),
            "; station A\r\n"
            "[main]\r\n"
            "TOP = 12\r\n"
            "Unknown=changed\r\n"
            "New=added\r\n"
            "\r\n"
            "[Other]\r\n"
            "x=1\r\n"
            "\r\n"
            "[Fresh]\r\n"
            "Colour=-16777203\r\n");
}

TEST(ProfileFileTest, EraseSectionRemovesEveryCopy) {
  ProfileFile file =
      ProfileFile::Parse("[A]\nk=1\n[Program Font]\nP0=x\n[program font]\nP1=y\n[B]\nk=2\n");
  file.EraseSection("PROGRAM FONT");
  EXPECT_FALSE(file.HasSection("Program Font"));
  file.Set("Program Font", "P0", "z");
  EXPECT_EQ(file.Serialize(), "[A]\r\nk=1\r\n[B]\r\nk=2\r\n\r\n[Program Font]\r\nP0=z\r\n");
}

}  // namespace
}  // namespace telvane::config
