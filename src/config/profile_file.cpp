#include "config/profile_file.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

#include "platform/files.h"

namespace telvane::config {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Quotes a value that would otherwise lose its blanks or its own quotes when read back.
std::string Encode(std::string_view value) {
  const bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                        Unquote(value).size() != value.size());
  return quote ? "\"" + std::string(value) + "\"" : std::string(value);
}

// A line break in a value would end the line and let the rest pose as keys or sections.
std::string WithoutLineBreaks(std::string_view value) {
  std::string clean(value);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return clean;
}

}  // namespace

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

std::optional<int> ParseInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  if (base == 16) {
    if (magnitude > UINT32_MAX) {
      return std::nullopt;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  } else {
    if (magnitude > static_cast<std::uint64_t>(INT_MAX) + 1) {
      return std::nullopt;
    }
    value = static_cast<std::int64_t>(magnitude);
  }
  if (negative) {
    value = -value;
  }
  if (value < INT_MIN || value > INT_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<double> ParseReal(std::string_view text) {
  std::string number(text);
  if (!number.empty() && number.front() == '+') {
    number.erase(0, 1);
    if (!number.empty() && number.front() == '-') {
      return std::nullopt;
    }
  }
  // A station with a comma locale wrote its reals with a decimal comma.
  if (number.find('.') == std::string::npos) {
    std::replace(number.begin(), number.end(), ',', '.');
  }
  double value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value);
  if (number.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string FormatReal(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos) {
    text += ".0";
  }
  return text;
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
  ProfileFile file;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    file.byte_order_mark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  file.sections_.emplace_back();
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    std::string_view text = bytes.substr(0, newline);
    bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
    if (!text.empty() && text.back() == '\r') {
      text.remove_suffix(1);
    }
    const std::string_view trimmed = Trim(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
      Section section;
      section.has_header = true;
      section.name = std::string(Trim(trimmed.substr(1, trimmed.find(']') - 1)));
      section.header = std::string(text);
      file.first_section_.emplace(section.name, file.sections_.size());
      file.sections_.push_back(std::move(section));
      continue;
    }
    Section& section = file.sections_.back();
    Line line{std::string(text), {}, {}};
    const std::size_t equals = trimmed.find('=');
    if (section.has_header && equals != std::string_view::npos && trimmed.front() != ';' &&
        trimmed.front() != '#') {
      line.key = std::string(Trim(trimmed.substr(0, equals)));
      line.value = std::string(Unquote(Trim(trimmed.substr(equals + 1))));
      if (!line.key.empty()) {
        section.first_key.emplace(line.key, section.lines.size());
      }
    }
    section.lines.push_back(std::move(line));
  }
  return file;
}

Result<ProfileFile> ProfileFile::Load(const std::string& path) {
  auto bytes = platform::ReadWholeFile(path, kMaxFileBytes);
  if (!bytes) {
    return bytes.error();
  }
  return Parse(*bytes);
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
  const auto found = first_section_.find(name);
  return found == first_section_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) {
    return std::nullopt;
  }
  const auto line = found->first_key.find(key);
  if (line == found->first_key.end()) {
    return std::nullopt;
  }
  return found->lines[line->second].value;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
  auto value = Get(section, key);
  return value ? std::move(*value) : std::string(def);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
  const auto value = Get(section, key);
  const auto number = value ? ParseInt(*value) : std::nullopt;
  return number.value_or(def);
}

bool ProfileFile::GetBool(std::string_view section, std::string_view key, bool def) const {
  return GetInt(section, key, def ? 1 : 0) != 0;
}

double ProfileFile::GetReal(std::string_view section, std::string_view key, double def) const {
  const auto value = Get(section, key);
  const auto number = value ? ParseReal(*value) : std::nullopt;
  return number.value_or(def);
}

ProfileFile::Section& ProfileFile::FindOrAddSection(std::string_view name) {
  if (const auto found = first_section_.find(name); found != first_section_.end()) {
    return sections_[found->second];
  }
  // A blank line between sections, as people write them.
  const auto last_with_lines =
      std::find_if(sections_.rbegin(), sections_.rend(),
                   [](const Section& s) { return !s.lines.empty() || s.has_header; });
  if (last_with_lines != sections_.rend() &&
      (last_with_lines->lines.empty() || !Trim(last_with_lines->lines.back().text).empty())) {
    last_with_lines->lines.push_back(Line{});
  }
  Section section;
  section.has_header = true;
  section.name = std::string(name);
  section.header = "[" + section.name + "]";
  first_section_.emplace(section.name, sections_.size());
  sections_.push_back(std::move(section));
  return sections_.back();
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string clean = WithoutLineBreaks(value);
  Section& target = FindOrAddSection(section);
  if (const auto found = target.first_key.find(key); found != target.first_key.end()) {
    Line& line = target.lines[found->second];
    if (line.value != clean) {
      line.text = line.key + "=" + Encode(clean);
      line.value = std::move(clean);
    }
    return;
  }
  const auto last_key = std::find_if(target.lines.rbegin(), target.lines.rend(),
                                     [](const Line& line) { return !line.key.empty(); });
  const std::size_t at = static_cast<std::size_t>(target.lines.rend() - last_key);
  for (auto& entry : target.first_key) {
    if (entry.second >= at) {
      ++entry.second;
    }
  }
  Line line{std::string(key) + "=" + Encode(clean), std::string(key), std::move(clean)};
  target.first_key.emplace(line.key, at);
  target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileFile::SetInt(std::string_view section, std::string_view key, int value) {
  Set(section, key, std::to_string(value));
}

void ProfileFile::SetBool(std::string_view section, std::string_view key, bool value) {
  Set(section, key, value ? "1" : "0");
}

void ProfileFile::SetReal(std::string_view section, std::string_view key, double value) {
  Set(section, key, FormatReal(value));
}

void ProfileFile::EraseSection(std::string_view section) {
  std::erase_if(sections_,
                [&](const Section& s) { return s.has_header && EqualNoCase(s.name, section); });
  RebuildSectionIndex();
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

void ProfileFile::RebuildSectionIndex() {
  first_section_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (sections_[i].has_header) {
      first_section_.emplace(sections_[i].name, i);
    }
  }
}

std::string ProfileFile::Serialize() const {
  std::string bytes;
  if (byte_order_mark_) {
    bytes += kByteOrderMark;
  }
  for (const Section& section : sections_) {
    if (section.has_header) {
      bytes += section.header;
      bytes += kLineEnd;
    }
    for (const Line& line : section.lines) {
      bytes += line.text;
      bytes += kLineEnd;
    }
  }
  return bytes;
}

Status ProfileFile::Save(const std::string& path) const {
  return platform::WriteFileAtomically(path, Serialize());
}

}  // namespace telvane::config
