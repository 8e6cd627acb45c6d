#pragma once

// A text with its style and colour bytes, one of each per character. Every edit deletes or
// inserts the same positions in all three strings so that they stay aligned.

#include <cstddef>
#include <string>

namespace telvane::store {

struct StyledText {
  std::string text;
  std::string style;
  std::string colour;

  bool empty() const { return text.empty(); }
  std::size_t size() const { return text.size(); }
  bool aligned() const { return style.size() == text.size() && colour.size() == text.size(); }
  void erase(std::size_t pos, std::size_t count);
  // Removes and yields the first count characters.
  StyledText take_front(std::size_t count);
  void append(const StyledText& other);
  void clear();
};

// The TrimParallel family.
void TrimTrailingSpaces(StyledText& t);
void RemoveAllSpaces(StyledText& t);
void CollapseDoubleSpaces(StyledText& t);
void TrimLeadingSpaces(StyledText& t);
void TrimLeadingZeros(StyledText& t);

// The text-only variants.
void TrimLeadingZeros(std::string& s);
void TrimLeadingSpaces(std::string& s);
void TrimTrailingSpaces(std::string& s);
void CollapseDoubleSpaces(std::string& s);
void TrimTrailingNonDigits(std::string& s);

}  // namespace telvane::store
