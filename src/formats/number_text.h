#pragma once

// Decimal fields of the native records: the whole text must be the number.

#include <charconv>
#include <optional>
#include <string_view>

namespace telvane::formats {

template <typename T>
std::optional<T> NumberOf(std::string_view text) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace telvane::formats
