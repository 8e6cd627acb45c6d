#pragma once

// Every setting of the program: one value per key of the configuration file, filled from the
// file with a default for anything missing or unreadable, and written back in a fixed order.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/profile_file.h"
#include "config/settings_keys.h"
#include "platform/result.h"

namespace telvane::config {

struct FontStyle {
  bool bold = false;
  bool italic = false;
  friend bool operator==(FontStyle, FontStyle) = default;
};

// The file's style codes: 0 regular, 1 italic, 2 bold, 3 bold italic.
FontStyle FontStyleFromCode(int code);
int FontStyleCode(FontStyle style);

// One of the eight prompt fonts, or of the eight default fonts.
struct PromptFontSetting {
  std::string name = "Arial";
  int edit_size = 12;    // points, 8 to 40
  int prompt_size = 64;  // points, 16 to 200
  friend bool operator==(const PromptFontSetting&, const PromptFontSetting&) = default;
};

struct PresenterSetting {
  std::string name;
  int font = 1;              // font number 1 to 8
  double speech_rate = 3.0;  // words per second
  bool inverse = false;
  // Colour numbers 0 to 7 of the eight-colour table.
  int text_foreground = 0;
  int text_background = 7;
  int line_background = 7;
  int slug_foreground = 0;
  int slug_background = 7;
  friend bool operator==(const PresenterSetting&, const PresenterSetting&) = default;
};

// A programme of the multiple run order and the prompt font its stories take.
struct ProgramFont {
  std::string programme;
  std::string font;
  friend bool operator==(const ProgramFont&, const ProgramFont&) = default;
};

// The facts of this system that save records in section "Version" for support.
struct VersionInfo {
  int pci_firmware_version = 0;
  int platform_id = 0;
  int major_version = 0;
  int minor_version = 0;
  int build = 0;
  std::string csd_version;
  std::int64_t memory = 0;  // physical memory in bytes
  std::string program_dir;
  int screen_width = 0;
  int screen_height = 0;
  int pixels_per_inch = 0;
  std::string usb_driver;
};

// The running kernel's release and version and the physical memory; the caller adds the
// screen, the card and the controller.
VersionInfo SystemVersion(std::string program_dir);

class Settings {
 public:
  static constexpr int kPromptFonts = 8;
  static constexpr int kPresenters = 15;
  static constexpr int kCustomColours = 16;
  static constexpr int kFastTexts = 4;

  // pixels_per_inch is the main window's; some defaults differ at 120.
  static Settings Defaults(int pixels_per_inch);
  static Settings Load(const ProfileFile& file, int pixels_per_inch);
  // Writes every key in its order; other lines of the file stay.
  void SaveInto(ProfileFile& file) const;
  // Writes one plain key as SaveInto writes it.
  void SaveKeyInto(Key key, ProfileFile& file) const;

  bool Bool(Key key) const;
  int Int(Key key) const;  // integer keys and the code of style keys
  const std::string& Text(Key key) const;
  double Real(Key key) const;
  FontStyle Style(Key key) const;
  // False only for a window's key (W in the key table) that neither the file nor the window
  // has given yet; Int gives 0 for it.
  bool Has(Key key) const;

  void SetBool(Key key, bool value);
  void SetInt(Key key, int value);
  void SetText(Key key, std::string value);
  void SetReal(Key key, double value);
  void SetStyle(Key key, FontStyle style);

  // Fonts 0 to 7.
  const PromptFontSetting& PromptFont(int n) const;
  void SetPromptFont(int n, PromptFontSetting font);
  const PromptFontSetting& DefaultPromptFont(int n) const;
  void SetDefaultPromptFont(int n, PromptFontSetting font);
  // Presenters 1 to 15.
  const PresenterSetting& Presenter(int n) const;
  void SetPresenter(int n, PresenterSetting presenter);
  // The colour dialogue's custom colours 0 to 15 ("ColorA" to "ColorP"), six hex digits each.
  const std::string& CustomColour(int n) const;
  void SetCustomColour(int n, std::string hex);
  const std::vector<ProgramFont>& ProgramFonts() const { return program_fonts_; }
  void SetProgramFonts(std::vector<ProgramFont> fonts);
  // Fast texts 1 to 4.
  const std::string& FastText(int n) const;
  void SetFastText(int n, std::string text);

  const VersionInfo& Version() const { return version_; }
  void SetVersion(VersionInfo version) { version_ = std::move(version); }

 private:
  struct Slot {
    int number = 0;
    double real = 0;
    std::string text;
    bool known = true;
  };

  Settings() = default;
  const Slot& SlotOf(Key key, KeyType type) const;
  Slot& SlotOf(Key key, KeyType type);

  std::array<Slot, kKeyCount> slots_;
  std::array<PromptFontSetting, kPromptFonts> prompt_fonts_;
  std::array<PromptFontSetting, kPromptFonts> default_prompt_fonts_;
  std::array<PresenterSetting, kPresenters> presenters_;
  std::array<std::string, kCustomColours> custom_colours_;
  std::vector<ProgramFont> program_fonts_;
  std::array<std::string, kFastTexts> fast_texts_;
  VersionInfo version_;
};

// A missing file gives every default; a file that exists but cannot be read is an error.
Result<Settings> LoadSettingsFile(const std::string& path, int pixels_per_inch);
// Writes the settings over base (the file as it was loaded, so that its comments and unknown
// keys stay), or into a new file when base is null; the file is replaced in one step.
Status SaveSettingsFile(const Settings& settings, const std::string& path, const ProfileFile* base);
// Writes one key into the file at path at once, keeping everything else in it (the save-on-exit
// flag alone). A file that exists but cannot be read is left alone and reported.
Status SaveSettingIntoFile(const Settings& settings, Key key, const std::string& path);

}  // namespace telvane::config
