#pragma once

// Which reader a file needs, from its first bytes.

#include <string_view>

namespace telvane::formats {

// The codes of the detection table, tested in order: the first match wins.
enum FileFormat : int {
  kPlainText = 0,
  kNativeV1 = 1,
  kWordPerfect = 2,
  kFormat3 = 3,
  kFormat4 = 4,
  kWrite = 5,
  kWordForWindows1 = 6,
  kOleDocument = 7,
  kWrite2 = 9,
  kRtf = 10,
  kFormat11 = 11,
  kNativeV2 = 12,
  kFormat13 = 13,
  kFormat14 = 14,
  kWordForWindows2 = 15,
  kFormat16 = 16,
  kNativeV3 = 17,
  kNativeV4 = 18,
  kFormat19 = 19,
  kFormat20 = 20,
  kNativeV5 = 21,
  kNsmlStory = 22,
  kNewstarStory = 23,
  kNsmlRunOrder = 24,
  kPagewrangler = 25,
  kMosStory = 26,
  kUnicodeV4 = 27,
  kUnicodeV5 = 28,
  kUnicodeV6 = 29,
};

// head: the first bytes of the file (eight are enough to recognise a compound document).
FileFormat DetectFileFormat(std::string_view head);

// The native version (1 to 5) a code reads, or for the UTF-16 variants 4 to 6; 0 otherwise.
int NativeVersionOf(FileFormat format);
bool IsUnicodeNative(FileFormat format);

// The catalogue text shown before (or after) reading: 0 when the format has none.
int FormatMessage(FileFormat format);
bool FormatMessageAfterReading(FileFormat format);

}  // namespace telvane::formats
