#include "formats/file_detection.h"

#include <array>
#include <cctype>

#include "platform/files.h"

namespace telvane::formats {

namespace {

constexpr std::string_view kCompoundSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool Starts(std::string_view head, std::string_view bytes) {
  return head.substr(0, 4) == bytes;
}

struct Rule {
  std::string_view bytes;
  FileFormat format;
};

// Exact four-byte tests in table order after the compound-document test.
constexpr std::array<Rule, 20> kExact{{
    {"QMR1", kNativeV1},
    {"\xFF"
     "WPC",
     kWordPerfect},
    {"\x7F\x20\x57\x53", kFormat3},
    {std::string_view("\x1D\x7D\x00\x00", 4), kFormat4},
    {std::string_view("\x31\xBE\x00\x00", 4), kWrite},
    {std::string_view("\x41\xA5\x2E\x00", 4), kWordForWindows1},
    {std::string_view("\x48\xA5\x2E\x00", 4), kWordForWindows1},
    {std::string_view("\x9B\xA5\x21\x00", 4), kWordForWindows1},
    {std::string_view("\xDB\xA5\x2D\x00", 4), kWordForWindows1},
    {std::string_view("\x32\xBE\x00\x00", 4), kWrite2},
    {"{\\rt", kRtf},
    {"[ver", kFormat11},
    {"QMR2", kNativeV2},
    {"OLIT", kFormat13},
    {"<VER", kFormat14},
    {"\x01\xFE\x55\x47", kWordForWindows2},
    {"qqb*", kFormat16},
    {"QMR3", kNativeV3},
    {"QMR4", kNativeV4},
    {std::string_view("\xFE\x37\x00\x23", 4), kFormat19},
}};

}  // namespace

FileFormat DetectFileFormat(std::string_view head) {
  if (head.substr(0, 8) == kCompoundSignature) return kOleDocument;
  for (const Rule& rule : kExact) {
    if (Starts(head, rule.bytes)) return rule.format;
  }
  if (Starts(head, "|Sto")) return kFormat20;
  if (Starts(head, "QMR5")) return kNativeV5;
  if (platform::StartsWithIgnoringCase(head, "<NSM") ||
      platform::StartsWithIgnoringCase(head, "<HEA"))
    return kNsmlStory;
  if (!head.empty() && head[0] == '\x02') return kNewstarStory;
  if (platform::StartsWithIgnoringCase(head, "<ORD")) return kNsmlRunOrder;
  if (Starts(head, "[Scr")) return kPagewrangler;
  if (Starts(head, "<mos")) return kMosStory;
  if (Starts(head, "\xE1\xE0\xE3\xE2")) return kUnicodeV4;
  if (Starts(head, "\xE1\xE0\xE4\xE2")) return kUnicodeV5;
  if (Starts(head, "\xE1\xE0\xE5\xE2")) return kUnicodeV6;
  return kPlainText;
}

int NativeVersionOf(FileFormat format) {
  switch (format) {
    case kNativeV1:
      return 1;
    case kNativeV2:
      return 2;
    case kNativeV3:
      return 3;
    case kNativeV4:
    case kUnicodeV4:
      return 4;
    case kNativeV5:
    case kUnicodeV5:
      return 5;
    case kUnicodeV6:
      return 6;
    default:
      return 0;
  }
}

bool IsUnicodeNative(FileFormat format) {
  return format == kUnicodeV4 || format == kUnicodeV5 || format == kUnicodeV6;
}

int FormatMessage(FileFormat format) {
  switch (format) {
    case kOleDocument:
      return 405;
    case kNativeV1:
      return 407;
    case kFormat3:
      return 401;
    case kFormat4:
      return 402;
    case kWrite:
      return 403;
    case kWordForWindows1:
      return 404;
    case kRtf:
      return 408;
    case kFormat11:
      return 409;
    case kNativeV2:
      return 410;
    case kFormat13:
      return 411;
    case kFormat14:
      return 412;
    case kWordForWindows2:
      return 737;
    case kFormat16:
      return 654;
    case kNativeV3:
      return 381;
    case kNativeV4:
      return 741;
    case kFormat19:
      return 769;
    case kFormat20:
      return 801;
    case kNativeV5:
      return 856;
    case kNsmlStory:
      return 413;
    case kNewstarStory:
      return 1003;
    case kPagewrangler:
      return 1074;
    case kMosStory:
      return 1123;
    case kUnicodeV4:
      return 1210;
    case kUnicodeV5:
      return 1581;
    case kUnicodeV6:
      return 1597;
    case kPlainText:
      return 406;
    default:
      return 0;
  }
}

bool FormatMessageAfterReading(FileFormat format) {
  switch (format) {
    case kNativeV4:
    case kNativeV5:
    case kNsmlStory:
    case kNewstarStory:
    case kPagewrangler:
    case kMosStory:
    case kUnicodeV4:
    case kUnicodeV5:
    case kUnicodeV6:
      return true;
    default:
      return false;
  }
}

}  // namespace telvane::formats
