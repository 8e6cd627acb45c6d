#include "config/settings.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>

#include "platform/files.h"

namespace telvane::config {

namespace {

constexpr int kHighResolution = 120;  // pixels per inch of the alternative defaults
constexpr int kEditSizeMin = 8;
constexpr int kEditSizeMax = 40;
constexpr int kPromptSizeMin = 16;
constexpr int kPromptSizeMax = 200;
constexpr int kLastFontNumber = 8;
constexpr int kLastColourNumber = 7;
constexpr int kLastStyleCode = 3;
// A station has a handful of programmes; a damaged file must not list them without end.
constexpr int kMaxProgramFonts = 1000;

struct FontSections {
  std::string_view font;
  std::string_view edit_size;
  std::string_view prompt_size;
};
constexpr FontSections kPromptFontSections{"Font", "Edit Size", "Prompt Size"};
constexpr FontSections kDefaultFontSections{"Def Font", "Def Edit Size", "Def Prompt Size"};

constexpr std::string_view kPresenterSection = "Presenter";
constexpr std::string_view kCustomColourSection = "Custom Colors";
constexpr std::string_view kProgramFontSection = "Program Font";
constexpr std::string_view kFastSection = "Fast";
constexpr std::string_view kVersionSection = "Version";

struct PresenterColour {
  std::string_view prefix;
  int PresenterSetting::*member;
};
constexpr PresenterColour kPresenterColours[] = {{"PTF", &PresenterSetting::text_foreground},
                                                 {"PTB", &PresenterSetting::text_background},
                                                 {"PLB", &PresenterSetting::line_background},
                                                 {"PSF", &PresenterSetting::slug_foreground},
                                                 {"PSB", &PresenterSetting::slug_background}};

using PromptFonts = std::array<PromptFontSetting, Settings::kPromptFonts>;
using Presenters = std::array<PresenterSetting, Settings::kPresenters>;

std::string Numbered(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

std::string CustomColourKey(int n) {
  return "Color" + std::string(1, static_cast<char>('A' + n));
}

int InRangeOr(int value, int low, int high, int fallback) {
  return value >= low && value <= high ? value : fallback;
}

bool IsHexColour(std::string_view text) {
  return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

void LoadPromptFonts(const ProfileFile& file, const FontSections& sections, PromptFonts& fonts) {
  const PromptFontSetting standard;
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    const std::string key = Numbered("F", n);
    PromptFontSetting& font = fonts[static_cast<std::size_t>(n)];
    font.name = file.GetString(sections.font, key, standard.name);
    font.edit_size = InRangeOr(file.GetInt(sections.edit_size, key, standard.edit_size),
                               kEditSizeMin, kEditSizeMax, standard.edit_size);
    font.prompt_size = InRangeOr(file.GetInt(sections.prompt_size, key, standard.prompt_size),
                                 kPromptSizeMin, kPromptSizeMax, standard.prompt_size);
  }
}

void SavePromptFonts(ProfileFile& file, const FontSections& sections, const PromptFonts& fonts) {
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    file.Set(sections.font, Numbered("F", n), fonts[static_cast<std::size_t>(n)].name);
  }
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    file.SetInt(sections.edit_size, Numbered("F", n), fonts[static_cast<std::size_t>(n)].edit_size);
  }
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    file.SetInt(sections.prompt_size, Numbered("F", n),
                fonts[static_cast<std::size_t>(n)].prompt_size);
  }
}

void LoadPresenters(const ProfileFile& file, Presenters& presenters) {
  const PresenterSetting standard;
  for (int n = 1; n <= Settings::kPresenters; ++n) {
    PresenterSetting& presenter = presenters[static_cast<std::size_t>(n - 1)];
    presenter.name = file.GetString(kPresenterSection, Numbered("PN", n), presenter.name);
    // A font or colour number outside the table would index past it.
    presenter.font = InRangeOr(file.GetInt(kPresenterSection, Numbered("PF", n), standard.font), 1,
                               kLastFontNumber, standard.font);
    presenter.speech_rate =
        file.GetReal(kPresenterSection, Numbered("PSR", n), standard.speech_rate);
    presenter.inverse = file.GetBool(kPresenterSection, Numbered("PI", n), standard.inverse);
    for (const PresenterColour& colour : kPresenterColours) {
      const int fallback = standard.*colour.member;
      presenter.*colour.member =
          InRangeOr(file.GetInt(kPresenterSection, Numbered(colour.prefix, n), fallback), 0,
                    kLastColourNumber, fallback);
    }
  }
}

void SavePresenters(ProfileFile& file, const Presenters& presenters) {
  for (int n = 1; n <= Settings::kPresenters; ++n) {
    const PresenterSetting& presenter = presenters[static_cast<std::size_t>(n - 1)];
    file.Set(kPresenterSection, Numbered("PN", n), presenter.name);
    file.SetInt(kPresenterSection, Numbered("PF", n), presenter.font);
    file.SetReal(kPresenterSection, Numbered("PSR", n), presenter.speech_rate);
    file.SetBool(kPresenterSection, Numbered("PI", n), presenter.inverse);
    for (const PresenterColour& colour : kPresenterColours) {
      file.SetInt(kPresenterSection, Numbered(colour.prefix, n), presenter.*colour.member);
    }
  }
}

std::vector<ProgramFont> LoadProgramFonts(const ProfileFile& file) {
  std::vector<ProgramFont> fonts;
  for (int n = 0; n < kMaxProgramFonts; ++n) {
    std::string programme = file.GetString(kProgramFontSection, Numbered("P", n), "");
    if (programme.empty()) {
      break;
    }
    std::string font = file.GetString(kProgramFontSection, Numbered("F", n), "");
    if (!font.empty()) {
      fonts.push_back({std::move(programme), std::move(font)});
    }
  }
  return fonts;
}

// The section is written afresh, so pairs of a longer earlier list never come back. Only
// complete pairs are written: an empty name would end the list for the next load.
void SaveProgramFonts(ProfileFile& file, const std::vector<ProgramFont>& fonts) {
  file.EraseSection(kProgramFontSection);
  int n = 0;
  for (const ProgramFont& font : fonts) {
    if (font.programme.empty() || font.font.empty()) {
      continue;
    }
    file.Set(kProgramFontSection, Numbered("P", n), font.programme);
    file.Set(kProgramFontSection, Numbered("F", n), font.font);
    ++n;
  }
}

void SaveVersion(ProfileFile& file, const VersionInfo& version) {
  file.SetInt(kVersionSection, "PCI Firmware Version", version.pci_firmware_version);
  file.SetInt(kVersionSection, "Platform ID", version.platform_id);
  file.SetInt(kVersionSection, "Major Version", version.major_version);
  file.SetInt(kVersionSection, "Minor Version", version.minor_version);
  file.SetInt(kVersionSection, "Build", version.build);
  file.Set(kVersionSection, "CSD Version", version.csd_version);
  file.Set(kVersionSection, "Memory", std::to_string(version.memory));
  file.Set(kVersionSection, "Telvane Directory", version.program_dir);
  file.SetInt(kVersionSection, "Screen Width", version.screen_width);
  file.SetInt(kVersionSection, "Screen Height", version.screen_height);
  file.SetInt(kVersionSection, "Pixels Per Inch", version.pixels_per_inch);
  file.Set(kVersionSection, "USB Driver", version.usb_driver);
}

}  // namespace

FontStyle FontStyleFromCode(int code) {
  switch (code) {
    case 1:
      return {.bold = false, .italic = true};
    case 2:
      return {.bold = true, .italic = false};
    case 3:
      return {.bold = true, .italic = true};
    default:
      return {};
  }
}

int FontStyleCode(FontStyle style) {
  if (style.bold) {
    return style.italic ? 3 : 2;
  }
  return style.italic ? 1 : 0;
}

VersionInfo SystemVersion(std::string program_dir) {
  VersionInfo info;
  info.program_dir = std::move(program_dir);
  utsname system{};
  if (::uname(&system) == 0) {
    // "6.1.0-18-amd64": major, minor and build are the leading numbers.
    std::string_view release = system.release;
    for (int* part : {&info.major_version, &info.minor_version, &info.build}) {
      const auto [end, error] =
          std::from_chars(release.data(), release.data() + release.size(), *part);
      if (error != std::errc()) {
        break;
      }
      release.remove_prefix(static_cast<std::size_t>(end - release.data()));
      if (release.empty() || release.front() != '.') {
        break;
      }
      release.remove_prefix(1);
    }
    info.csd_version = system.version;
  }
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long page_size = ::sysconf(_SC_PAGESIZE);
  if (pages > 0 && page_size > 0) {
    info.memory = static_cast<std::int64_t>(pages) * page_size;
  }
  return info;
}

Settings Settings::Defaults(int pixels_per_inch) {
  Settings settings;
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const KeySpec& key_spec = kKeySpecs[i];
    Slot& slot = settings.slots_[i];
    slot.number = pixels_per_inch == kHighResolution ? key_spec.number_at_120 : key_spec.number;
    slot.real = key_spec.real;
    slot.text = std::string(key_spec.text);
    slot.known = key_spec.has_default;
  }
  for (int n = 1; n <= kPresenters; ++n) {
    settings.presenters_[static_cast<std::size_t>(n - 1)].name = Numbered("Presenter", n);
  }
  settings.custom_colours_.fill("000000");
  return settings;
}

Settings Settings::Load(const ProfileFile& file, int pixels_per_inch) {
  Settings settings = Defaults(pixels_per_inch);
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const KeySpec& key_spec = kKeySpecs[i];
    const auto value = file.Get(key_spec.section, key_spec.name);
    if (!value) {
      continue;
    }
    Slot& slot = settings.slots_[i];
    const auto number = ParseInt(*value);
    switch (key_spec.type) {
      case KeyType::kBool:
        if (number) {
          slot.number = *number != 0 ? 1 : 0;
        }
        break;
      case KeyType::kInt:
        if (number) {
          slot.number = *number;
          slot.known = true;
        }
        break;
      case KeyType::kStyle:
        slot.number = InRangeOr(number.value_or(slot.number), 0, kLastStyleCode, slot.number);
        break;
      case KeyType::kText:
        slot.text = *value;
        break;
      case KeyType::kReal:
        // Unlike every other key, an unreadable real reads as 0 rather than its default.
        slot.real = ParseReal(*value).value_or(0.0);
        break;
    }
  }
  std::string& language = settings.SlotOf(Key::kLanguageLanguage, KeyType::kText).text;
  language = language.empty() ? std::string("A") : language.substr(0, 1);
  if (settings.Bool(Key::kTelvaneInternalDoNotEditOnAirUpdateOffset)) {
    settings.SetInt(Key::kMainOnAirUpdateOffset, 0);
  }

  LoadPromptFonts(file, kPromptFontSections, settings.prompt_fonts_);
  LoadPromptFonts(file, kDefaultFontSections, settings.default_prompt_fonts_);
  LoadPresenters(file, settings.presenters_);
  for (int n = 0; n < kCustomColours; ++n) {
    std::string colour = file.GetString(kCustomColourSection, CustomColourKey(n), "000000");
    if (IsHexColour(colour)) {
      settings.custom_colours_[static_cast<std::size_t>(n)] = std::move(colour);
    }
  }
  settings.program_fonts_ = LoadProgramFonts(file);
  for (int n = 1; n <= kFastTexts; ++n) {
    settings.fast_texts_[static_cast<std::size_t>(n - 1)] =
        file.GetString(kFastSection, Numbered("F", n), "");
  }
  return settings;
}

void Settings::SaveKeyInto(Key key, ProfileFile& file) const {
  const KeySpec& key_spec = SpecOf(key);
  const Slot& slot = slots_[IndexOf(key)];
  if (!slot.known) {
    return;
  }
  switch (key_spec.type) {
    case KeyType::kBool: {
      // The parallel-port card is never switched on by a configuration.
      const bool always_off = key == Key::kPcCardLpt1Enabled || key == Key::kPcCardLpt2Enabled;
      file.SetBool(key_spec.section, key_spec.name, slot.number != 0 && !always_off);
      break;
    }
    case KeyType::kInt:
    case KeyType::kStyle:
      file.SetInt(key_spec.section, key_spec.name, slot.number);
      break;
    case KeyType::kText:
      file.Set(key_spec.section, key_spec.name, slot.text);
      break;
    case KeyType::kReal:
      file.SetReal(key_spec.section, key_spec.name, slot.real);
      break;
  }
}

void Settings::SaveInto(ProfileFile& file) const {
  SavePromptFonts(file, kPromptFontSections, prompt_fonts_);
  SavePromptFonts(file, kDefaultFontSections, default_prompt_fonts_);
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    SaveKeyInto(static_cast<Key>(i), file);
  }
  SavePresenters(file, presenters_);
  for (int n = 0; n < kCustomColours; ++n) {
    file.Set(kCustomColourSection, CustomColourKey(n),
             custom_colours_[static_cast<std::size_t>(n)]);
  }
  for (int n = 1; n <= kFastTexts; ++n) {
    file.Set(kFastSection, Numbered("F", n), fast_texts_[static_cast<std::size_t>(n - 1)]);
  }
  SaveVersion(file, version_);
  // Last, because it is erased and added again: an unchanged file is then rewritten byte for
  // byte.
  SaveProgramFonts(file, program_fonts_);
}

const Settings::Slot& Settings::SlotOf(Key key, [[maybe_unused]] KeyType type) const {
  assert(SpecOf(key).type == type ||
         (type == KeyType::kInt && SpecOf(key).type == KeyType::kStyle));
  return slots_[IndexOf(key)];
}

Settings::Slot& Settings::SlotOf(Key key, KeyType type) {
  return const_cast<Slot&>(std::as_const(*this).SlotOf(key, type));
}

bool Settings::Bool(Key key) const {
  return SlotOf(key, KeyType::kBool).number != 0;
}
int Settings::Int(Key key) const {
  return SlotOf(key, KeyType::kInt).number;
}
const std::string& Settings::Text(Key key) const {
  return SlotOf(key, KeyType::kText).text;
}
double Settings::Real(Key key) const {
  return SlotOf(key, KeyType::kReal).real;
}
FontStyle Settings::Style(Key key) const {
  return FontStyleFromCode(SlotOf(key, KeyType::kStyle).number);
}
bool Settings::Has(Key key) const {
  return slots_[IndexOf(key)].known;
}

void Settings::SetBool(Key key, bool value) {
  SlotOf(key, KeyType::kBool).number = value ? 1 : 0;
}

void Settings::SetInt(Key key, int value) {
  Slot& slot = SlotOf(key, KeyType::kInt);
  slot.number = value;
  slot.known = true;
}

void Settings::SetText(Key key, std::string value) {
  SlotOf(key, KeyType::kText).text = std::move(value);
}

void Settings::SetReal(Key key, double value) {
  SlotOf(key, KeyType::kReal).real = value;
}

void Settings::SetStyle(Key key, FontStyle style) {
  SlotOf(key, KeyType::kStyle).number = FontStyleCode(style);
}

const PromptFontSetting& Settings::PromptFont(int n) const {
  assert(n >= 0 && n < kPromptFonts);
  return prompt_fonts_[static_cast<std::size_t>(n)];
}

void Settings::SetPromptFont(int n, PromptFontSetting font) {
  assert(n >= 0 && n < kPromptFonts);
  prompt_fonts_[static_cast<std::size_t>(n)] = std::move(font);
}

const PromptFontSetting& Settings::DefaultPromptFont(int n) const {
  assert(n >= 0 && n < kPromptFonts);
  return default_prompt_fonts_[static_cast<std::size_t>(n)];
}

void Settings::SetDefaultPromptFont(int n, PromptFontSetting font) {
  assert(n >= 0 && n < kPromptFonts);
  default_prompt_fonts_[static_cast<std::size_t>(n)] = std::move(font);
}

const PresenterSetting& Settings::Presenter(int n) const {
  assert(n >= 1 && n <= kPresenters);
  return presenters_[static_cast<std::size_t>(n - 1)];
}

void Settings::SetPresenter(int n, PresenterSetting presenter) {
  assert(n >= 1 && n <= kPresenters);
  presenters_[static_cast<std::size_t>(n - 1)] = std::move(presenter);
}

const std::string& Settings::CustomColour(int n) const {
  assert(n >= 0 && n < kCustomColours);
  return custom_colours_[static_cast<std::size_t>(n)];
}

void Settings::SetCustomColour(int n, std::string hex) {
  assert(n >= 0 && n < kCustomColours);
  custom_colours_[static_cast<std::size_t>(n)] = std::move(hex);
}

void Settings::SetProgramFonts(std::vector<ProgramFont> fonts) {
  program_fonts_ = std::move(fonts);
}

const std::string& Settings::FastText(int n) const {
  assert(n >= 1 && n <= kFastTexts);
  return fast_texts_[static_cast<std::size_t>(n - 1)];
}

void Settings::SetFastText(int n, std::string text) {
  assert(n >= 1 && n <= kFastTexts);
  fast_texts_[static_cast<std::size_t>(n - 1)] = std::move(text);
}

Result<Settings> LoadSettingsFile(const std::string& path, int pixels_per_inch) {
  if (!platform::FileExists(path)) {
    return Settings::Defaults(pixels_per_inch);
  }
  auto file = ProfileFile::Load(path);
  if (!file) {
    return file.error();
  }
  return Settings::Load(*file, pixels_per_inch);
}

Status SaveSettingsFile(const Settings& settings, const std::string& path,
                        const ProfileFile* base) {
  ProfileFile file = base != nullptr ? *base : ProfileFile();
  settings.SaveInto(file);
  return file.Save(path);
}

Status SaveSettingIntoFile(const Settings& settings, Key key, const std::string& path) {
  ProfileFile file;
  if (platform::FileExists(path)) {
    auto loaded = ProfileFile::Load(path);
    if (!loaded) {
      return loaded.error();
    }
    file = std::move(*loaded);
  }
  settings.SaveKeyInto(key, file);
  return file.Save(path);
}

}  // namespace telvane::config
