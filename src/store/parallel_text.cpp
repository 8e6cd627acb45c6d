#include "store/parallel_text.h"

#include <algorithm>

namespace telvane::store {

void StyledText::erase(std::size_t pos, std::size_t count) {
  text.erase(pos, count);
  style.erase(pos, count);
  colour.erase(pos, count);
}

StyledText StyledText::take_front(std::size_t count) {
  count = std::min(count, text.size());
  StyledText front{text.substr(0, count), style.substr(0, count), colour.substr(0, count)};
  erase(0, count);
  return front;
}

void StyledText::append(const StyledText& other) {
  text += other.text;
  style += other.style;
  colour += other.colour;
}

void StyledText::clear() {
  text.clear();
  style.clear();
  colour.clear();
}

void TrimTrailingSpaces(StyledText& t) {
  const std::size_t end = t.text.find_last_not_of(' ');
  const std::size_t keep = end == std::string::npos ? 0 : end + 1;
  t.erase(keep, t.text.size() - keep);
}

void RemoveAllSpaces(StyledText& t) {
  for (std::size_t i = t.text.size(); i-- > 0;) {
    if (t.text[i] == ' ') {
      t.erase(i, 1);
    }
  }
}

void CollapseDoubleSpaces(StyledText& t) {
  for (std::size_t i = t.text.size(); t.text.size() > 1 && i-- > 1;) {
    if (t.text[i] == ' ' && t.text[i - 1] == ' ') {
      t.erase(i, 1);
    }
  }
}

void TrimLeadingSpaces(StyledText& t) {
  t.erase(0, std::min(t.text.find_first_not_of(' '), t.text.size()));
}

void TrimLeadingZeros(StyledText& t) {
  std::size_t n = 0;
  while (t.text.size() - n > 1 && t.text[n] == '0') {
    ++n;
  }
  t.erase(0, n);
}

void TrimLeadingZeros(std::string& s) {
  std::size_t n = 0;
  while (s.size() - n > 1 && s[n] == '0') {
    ++n;
  }
  s.erase(0, n);
}

void TrimLeadingSpaces(std::string& s) {
  s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
}

void TrimTrailingSpaces(std::string& s) {
  const std::size_t end = s.find_last_not_of(' ');
  s.erase(end == std::string::npos ? 0 : end + 1);
}

void CollapseDoubleSpaces(std::string& s) {
  for (std::size_t i = s.size(); s.size() > 1 && i-- > 1;) {
    if (s[i] == ' ' && s[i - 1] == ' ') {
      s.erase(i, 1);
    }
  }
}

void TrimTrailingNonDigits(std::string& s) {
  const std::size_t end = s.find_last_of("0123456789");
  s.erase(end == std::string::npos ? 0 : end + 1);
}

}  // namespace telvane::store
