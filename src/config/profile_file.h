#pragma once

// A Windows profile (ini) file held in memory: sections of "key=value" lines, read with the
// platform's conventions and changed in place, so that a rewrite keeps comments, unknown keys,
// duplicates and the order of the lines it does not set.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace telvane::config {

// Orders names without regard to ASCII case, as section and key names are compared.
struct NoCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// Whole-text integer: optional sign, decimal digits, or "0x"/"$" and up to eight hex digits
// taken as a 32-bit pattern (so "0xFF00000D" is -16777203). Anything else is no number.
std::optional<int> ParseInt(std::string_view text);
// Whole-text real with '.' or ',' as decimal separator, whatever the locale; finite only.
std::optional<double> ParseReal(std::string_view text);
// The shortest text that reads back as the same real, always with a decimal point ("3.0").
std::string FormatReal(double value);

class ProfileFile {
 public:
  // Profile files are small; a larger file is not a configuration and is refused.
  static constexpr std::size_t kMaxFileBytes = std::size_t{1024} * 1024;

  ProfileFile() = default;

  // Never fails: lines that are neither a section header nor a key are kept as they are.
  static ProfileFile Parse(std::string_view bytes);
  // A missing or unreadable file is an error; the caller decides what that means.
  static Result<ProfileFile> Load(const std::string& path);

  // The first key of that name in the first section of that name.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
  int GetInt(std::string_view section, std::string_view key, int def) const;
  // Any integer other than 0 is true.
  bool GetBool(std::string_view section, std::string_view key, bool def) const;
  double GetReal(std::string_view section, std::string_view key, double def) const;

  // Changes the first such key in place, or adds it after the section's last key (and the
  // section at the end of the file). Line breaks in the value become blanks.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  void SetBool(std::string_view section, std::string_view key, bool value);
  void SetReal(std::string_view section, std::string_view key, double value);
  // Removes every section of that name with all its lines.
  void EraseSection(std::string_view section);
  bool HasSection(std::string_view section) const;

  // Lines end in CR LF.
  std::string Serialize() const;
  Status Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;   // as written, without its line end
    std::string key;    // empty for anything but a key line
    std::string value;  // unquoted
  };
  struct Section {
    bool has_header = false;  // false only for the lines before the first header
    std::string name;
    std::string header;
    std::vector<Line> lines;
    std::map<std::string, std::size_t, NoCaseLess> first_key;  // key -> index into lines
  };

  const Section* FindSection(std::string_view name) const;
  Section& FindOrAddSection(std::string_view name);
  void RebuildSectionIndex();

  std::vector<Section> sections_;
  std::map<std::string, std::size_t, NoCaseLess> first_section_;  // name -> index
  bool byte_order_mark_ = false;
};

}  // namespace telvane::config
