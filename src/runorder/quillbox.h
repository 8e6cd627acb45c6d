#pragma once

// The "Quillbox" drop record: 520 bytes holding up to 260 UTF-16 characters (little endian,
// ended by a 0 character or the record's end).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace telvane::runorder {

inline constexpr std::size_t kQuillboxRecordSize = 520;

// The record's characters as 8-bit text of the code page; none for a record of another size.
std::optional<std::string> QuillboxText(std::string_view record, int code_page);

}  // namespace telvane::runorder
