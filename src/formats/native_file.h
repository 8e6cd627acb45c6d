#pragma once

// Reading a native file into the store and writing the store as one.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "formats/native_format.h"
#include "store/script_store.h"

namespace telvane::formats {

struct NativeReadSetup {
  // The current font table; taken over from the file when the fonts match, or when the
  // configuration is not locked and the script was empty before the load.
  FontTable* fonts = nullptr;
  bool configuration_lock = false;
  bool script_was_empty = false;
  bool read_only = false;  // a read-only open does not claim the stories it reads
  std::int32_t default_keyboard_layout = store::kEnglishUk;
  char default_colour = store::colour_bit::kDefault;
  // The operator's answer to "the file's fonts differ": true goes on with the current fonts.
  std::function<bool()> keep_fonts_and_continue = [] { return false; };
  // Called every 100 records so that prompting goes on during a long load.
  std::function<void()> keep_prompt_alive;
};

enum class NativeReadError {
  kNone,
  kBadHeader,  // wrong magic or header count: nothing was read
  kBadRecord,  // a record was malformed: the lines before it stay
  kAborted,    // the operator stopped at the font question
};

struct NativeReadResult {
  NativeReadError error = NativeReadError::kNone;
  bool corrected = false;       // fields took their fallbacks
  bool fonts_differed = false;  // the file was made with other fonts
  std::string open_story_id;    // the last story read, unless read-only
  int records = 0;
};

// Reads data (the whole file) after the insertion line, which the caller appended; version is
// 1 to 5, or 4 to 6 with unicode. On success the insertion line left after the last record
// is removed when empty (not for version 1, whose readers always kept it).
NativeReadResult ReadNativeFile(std::string_view data, int version, bool unicode,
                                store::ScriptStore& store, store::e_object* insertion,
                                const NativeReadSetup& setup);

struct NativeWriteSetup {
  int version = kNewestVersion;
  bool save_cloaked = true;
  bool story_only = false;  // from the first line up to the next story's first line
  bool presenter_enabled = false;
};

std::string WriteNativeFile(const store::ScriptStore& store, const store::e_object* first,
                            const FontTable& fonts, const NativeWriteSetup& setup);

// The first four bytes of a UTF-16 native file of variant 4, 5 or 6.
inline constexpr std::string_view kUnicodeMagic4 = "\xE1\xE0\xE3\xE2";
inline constexpr std::string_view kUnicodeMagic5 = "\xE1\xE0\xE4\xE2";
inline constexpr std::string_view kUnicodeMagic6 = "\xE1\xE0\xE5\xE2";

}  // namespace telvane::formats
