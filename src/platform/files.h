#pragma once

// Small file helpers shared by every reader and writer.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace telvane::platform {

// Reads a whole file; fails with the system's reason. Files larger than max_bytes are refused
// so that a wrong path never pulls gigabytes into memory.
Result<std::string> ReadWholeFile(const std::string& path,
                                  std::uintmax_t max_bytes = std::uintmax_t{256} << 20);

// Writes the bytes to a temporary file beside the target and renames it into place, so the
// previous file survives any failure. An existing file's permission bits are kept.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

// Last-write time as a 64-bit count of 100 ns intervals (0 when the file is not found).
std::int64_t FileWriteStamp(const std::string& path);

// "dir/name.ext" -> "dir/name" + new_ext; a name without extension gets new_ext appended.
std::string ReplaceExtension(const std::string& path, std::string_view new_ext);

// Names compare without regard to (ASCII) case, as the stations' file systems did.
bool SameIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The last path component.
std::string BaseName(std::string_view path);

// The directory part with its trailing separator ("" when there is none).
std::string DirectoryOf(std::string_view path);

}  // namespace telvane::platform
