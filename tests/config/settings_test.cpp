#include "config/settings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace telvane::config {
namespace {

constexpr int kPpi = 96;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lower;
}

TEST(SettingsKeysTest, IdsFollowTheNamingRuleAndKeysAreUnique) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const KeySpec& key_spec : kKeySpecs) {
    std::string id;
    bool word_start = true;
    for (char c : std::string(key_spec.section) + " " + std::string(key_spec.name)) {
      if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
        word_start = true;
        continue;
      }
      const auto byte = static_cast<unsigned char>(c);
      id += static_cast<char>(word_start ? std::toupper(byte) : std::tolower(byte));
      word_start = false;
    }
    EXPECT_EQ(key_spec.id, id);
    EXPECT_TRUE(seen.emplace(Lower(key_spec.section), Lower(key_spec.name)).second)
        << key_spec.section << " / " << key_spec.name;
  }
}

TEST(SettingsTest, EmptyFileGivesEveryDefault) {
  const Settings loaded = Settings::Load(ProfileFile::Parse(""), kPpi);
  ProfileFile from_empty;
  loaded.SaveInto(from_empty);
  ProfileFile from_defaults;
  Settings::Defaults(kPpi).SaveInto(from_defaults);
  EXPECT_EQ(from_empty.Serialize(), from_defaults.Serialize());

  EXPECT_EQ(loaded.Text(Key::kLanguageLanguage), "A");
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    EXPECT_EQ(loaded.PromptFont(n), (PromptFontSetting{"Arial", 12, 64}));
  }
  EXPECT_EQ(loaded.Int(Key::kSpeedPromptSpeed), 32);
  EXPECT_TRUE(loaded.Bool(Key::kScriptInverseSlug));
  EXPECT_TRUE(loaded.Bool(Key::kPcCard625));
  EXPECT_EQ(loaded.Int(Key::kColorsHighB), -16777203);
  EXPECT_EQ(loaded.Real(Key::kPcCardUsbBatteryThreshold), 11.0);
  EXPECT_EQ(loaded.Presenter(15).name, "Presenter15");
  EXPECT_FALSE(loaded.Has(Key::kEditTop));
}

TEST(SettingsTest, SomeDefaultsDependOnTheResolution) {
  for (const auto& [ppi, width, height] :
       {std::tuple{96, 640, 455}, std::tuple{120, 1000, 730}, std::tuple{144, 640, 455}}) {
    const Settings settings = Settings::Defaults(ppi);
    EXPECT_EQ(settings.Int(Key::kMainWidth), width) << ppi;
    EXPECT_EQ(settings.Int(Key::kMainHeight), height) << ppi;
  }
}

std::string Describe(FontStyle style) {
  return std::string(style.bold ? "bold" : "") + (style.italic ? "italic" : "");
}

TEST(SettingsTest, UnreadableOrOutOfRangeValuesFallBack) {
  struct Case {
    std::string_view file;
    std::function<std::string(const Settings&)> read;
    std::string expected;
  };
  const auto prompt_size = [](int n) {
    return [n](const Settings& s) { return std::to_string(s.PromptFont(n).prompt_size); };
  };
  const auto edit_size = [](int n) {
    return [n](const Settings& s) { return std::to_string(s.PromptFont(n).edit_size); };
  };
  const auto presenter = [](int n) { return [n](const Settings& s) { return s.Presenter(n); }; };
  const auto int_key = [](Key key) {
    return [key](const Settings& s) { return std::to_string(s.Int(key)); };
  };
  const auto style = [](const Settings& s) { return Describe(s.Style(Key::kMainGridFontStyle)); };
  const auto language = [](const Settings& s) { return s.Text(Key::kLanguageLanguage); };
  const auto on_air_offset = int_key(Key::kMainOnAirUpdateOffset);
  const auto battery = [](const Settings& s) {
    return FormatReal(s.Real(Key::kPcCardUsbBatteryThreshold));
  };
  const Case cases[] = {
      {"[Prompt Size]\nF3=250", prompt_size(3), "64"},
      {"[Prompt Size]\nF3=200", prompt_size(3), "200"},
      {"[Edit Size]\nF0=7", edit_size(0), "12"},
      {"[Edit Size]\nF0=8", edit_size(0), "8"},
      {"[Edit Size]\nF0=big", edit_size(0), "12"},
      {"[Def Prompt Size]\nF7=15",
       [](const Settings& s) { return std::to_string(s.DefaultPromptFont(7).prompt_size); }, "64"},
      {"[Presenter]\nPF1=9",
       [&](const Settings& s) { return std::to_string(presenter(1)(s).font); }, "1"},
      {"[Presenter]\nPF1=8",
       [&](const Settings& s) { return std::to_string(presenter(1)(s).font); }, "8"},
      {"[Presenter]\nPF1=0",
       [&](const Settings& s) { return std::to_string(presenter(1)(s).font); }, "1"},
      {"[Presenter]\nPTB4=8",
       [&](const Settings& s) { return std::to_string(presenter(4)(s).text_background); }, "7"},
      {"[Presenter]\nPSR5=2,5",
       [&](const Settings& s) { return FormatReal(presenter(5)(s).speech_rate); }, "2.5"},
      {"[Presenter]\nPSR5=fast",
       [&](const Settings& s) { return FormatReal(presenter(5)(s).speech_rate); }, "3.0"},
      {"[Main]\nGrid Font Style=1", style, "italic"},
      {"[Main]\nGrid Font Style=2", style, "bold"},
      {"[Main]\nGrid Font Style=3", style, "bolditalic"},
      {"[Main]\nGrid Font Style=4", style, ""},
      {"[Language]\nLanguage=German", language, "G"},
      {"[Language]\nLanguage=", language, "A"},
      {"[Main]\nOn Air Update Offset=7", on_air_offset, "0"},
      {"[Main]\nOn Air Update Offset=7\n[Telvane Internal Do Not Edit]\nOn Air Update Offset=0",
       on_air_offset, "7"},
      {"[PC Card]\nUSB Battery Threshold=11.5", battery, "11.5"},
      {"[PC Card]\nUSB Battery Threshold=low", battery, "0.0"},
      {"[Speed]\nPrompt Speed=fast", int_key(Key::kSpeedPromptSpeed), "32"},
      {"[PC Card]\n625=no",
       [](const Settings& s) { return std::to_string(s.Bool(Key::kPcCard625)); }, "1"},
      {"[Colors]\nHigh F=0xFF00000E", int_key(Key::kColorsHighF), "-16777202"},
      {"[Edit]\nTop=abc", [](const Settings& s) { return std::to_string(s.Has(Key::kEditTop)); },
       "0"},
      {"[Edit]\nTop=5", int_key(Key::kEditTop), "5"},
      {"[Custom Colors]\nColorA=FF00aa\nColorB=red",
       [](const Settings& s) { return s.CustomColour(0) + " " + s.CustomColour(1); },
       "FF00aa 000000"},
      {"[Program Font]\nP0=News\nF0=2\nP1=Sport\nF1=\nP2=Late\nF2=3\nP4=Lost\nF4=1",
       [](const Settings& s) {
         std::string listed;
         for (const ProgramFont& font : s.ProgramFonts()) {
           listed += font.programme + ":" + font.font + " ";
         }
         return listed;
       },
       "News:2 Late:3 "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.read(Settings::Load(ProfileFile::Parse(c.file), kPpi)), c.expected) << c.file;
  }
}

// A value unlike the default for every key and every repeated key, derived from the table.
Settings Unusual() {
  Settings settings = Settings::Defaults(kPpi);
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const auto key = static_cast<Key>(i);
    const KeySpec& key_spec = kKeySpecs[i];
    const int n = static_cast<int>(i);
    switch (key_spec.type) {
      case KeyType::kBool:
        settings.SetBool(key, key_spec.number == 0);
        break;
      case KeyType::kInt:
        settings.SetInt(key, key_spec.number - 1000 - n);
        break;
      case KeyType::kText:
        // Every third value has blanks round it, which must survive quoting.
        settings.SetText(
            key, n % 3 == 0 ? "  text " + std::to_string(n) + " " : "text " + std::to_string(n));
        break;
      case KeyType::kStyle:
        settings.SetInt(key, (key_spec.number + 1 + n % 3) % 4);
        break;
      case KeyType::kReal:
        settings.SetReal(key, 12.25);
        break;
    }
  }
  settings.SetText(Key::kLanguageLanguage, "B");
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    settings.SetPromptFont(n, {"Font " + std::to_string(n), 13 + n, 16 + n});
    settings.SetDefaultPromptFont(n, {"Default " + std::to_string(n), 40 - n, 200 - n});
  }
  for (int n = 1; n <= Settings::kPresenters; ++n) {
    settings.SetPresenter(n, {"Anchor " + std::to_string(n), n % 7 + 2, 1.5 + n, true, 1 + n % 7,
                              n % 7, n % 7, 1 + n % 7, n % 7});
  }
  for (int n = 0; n < Settings::kCustomColours; ++n) {
    settings.SetCustomColour(n, "ABCDE" + std::string(1, "0123456789abcdef"[n]));
  }
  settings.SetProgramFonts({{"News", "2"}, {"Sport", "3"}, {"Late", "8"}});
  for (int n = 1; n <= Settings::kFastTexts; ++n) {
    settings.SetFastText(n, "fast " + std::to_string(n));
  }
  settings.SetVersion({.pci_firmware_version = 3,
                       .major_version = 6,
                       .csd_version = "#1 SMP",
                       .memory = 8589934592,
                       .program_dir = "/opt/telvane/",
                       .screen_width = 1920,
                       .screen_height = 1080,
                       .pixels_per_inch = kPpi});
  return settings;
}

void ExpectSameValues(const Settings& actual, const Settings& expected) {
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const auto key = static_cast<Key>(i);
    const KeySpec& key_spec = kKeySpecs[i];
    SCOPED_TRACE(std::string(key_spec.section) + " / " + std::string(key_spec.name));
    switch (key_spec.type) {
      case KeyType::kBool: {
        const bool never_on = key == Key::kPcCardLpt1Enabled || key == Key::kPcCardLpt2Enabled;
        EXPECT_EQ(actual.Bool(key), expected.Bool(key) && !never_on);
        break;
      }
      case KeyType::kInt:
      case KeyType::kStyle:
        EXPECT_EQ(actual.Int(key), expected.Int(key));
        break;
      case KeyType::kText:
        EXPECT_EQ(actual.Text(key), expected.Text(key));
        break;
      case KeyType::kReal:
        EXPECT_EQ(actual.Real(key), expected.Real(key));
        break;
    }
  }
  for (int n = 0; n < Settings::kPromptFonts; ++n) {
    EXPECT_EQ(actual.PromptFont(n), expected.PromptFont(n));
    EXPECT_EQ(actual.DefaultPromptFont(n), expected.DefaultPromptFont(n));
  }
  for (int n = 1; n <= Settings::kPresenters; ++n) {
    EXPECT_EQ(actual.Presenter(n), expected.Presenter(n));
  }
  for (int n = 0; n < Settings::kCustomColours; ++n) {
    EXPECT_EQ(actual.CustomColour(n), expected.CustomColour(n));
  }
  EXPECT_EQ(actual.ProgramFonts(), expected.ProgramFonts());
  for (int n = 1; n <= Settings::kFastTexts; ++n) {
    EXPECT_EQ(actual.FastText(n), expected.FastText(n));
  }
}

TEST(SettingsTest, SaveLoadSaveKeepsEveryKeyByteForByte) {
  const testing::TempDir dir;
  const Settings original = Unusual();
  ASSERT_TRUE(SaveSettingsFile(original, dir.File("first.ini"), nullptr));

  auto base = ProfileFile::Load(dir.File("first.ini"));
  ASSERT_TRUE(base);
  Settings reloaded = Settings::Load(*base, kPpi);
  ExpectSameValues(reloaded, original);

  reloaded.SetVersion(original.Version());
  ASSERT_TRUE(SaveSettingsFile(reloaded, dir.File("second.ini"), &*base));
  EXPECT_EQ(platform::ReadWholeFile(dir.File("second.ini")).value(),
            platform::ReadWholeFile(dir.File("first.ini")).value());
}

TEST(SettingsTest, AHandEditedFileKeepsItsOwnLinesAndSettlesAfterOneSave) {
  const ProfileFile edited = ProfileFile::Parse(
      "; edited by hand\n"
      "[main]\n"
      "telvane close confirmation = 0\n"
      "Custom Thing=1\n"
      "[Menu]\n"
      "Auto Save=0\n"
      "[MENU]\n"
      "Auto Save=1\n");
  const Settings settings = Settings::Load(edited, kPpi);
  EXPECT_FALSE(settings.Bool(Key::kMainTelvaneCloseConfirmation));
  EXPECT_FALSE(settings.Bool(Key::kMenuAutoSave));

  ProfileFile once = edited;
  settings.SaveInto(once);
  const std::string saved = once.Serialize();
  EXPECT_EQ(saved.rfind("; edited by hand\r\n[main]\r\ntelvane close confirmation = 0\r\n", 0), 0u);
  EXPECT_EQ(once.Get("Main", "Custom Thing"), "1");
  EXPECT_NE(saved.find("[MENU]\r\nAuto Save=1\r\n"), std::string::npos);

  ProfileFile twice = ProfileFile::Parse(saved);
  Settings::Load(twice, kPpi).SaveInto(twice);
  EXPECT_EQ(twice.Serialize(), saved);
}

TEST(SettingsTest, WindowKeysAreWrittenOnceKnown) {
  Settings settings = Settings::Defaults(kPpi);
  ProfileFile before;
  settings.SaveInto(before);
  EXPECT_EQ(before.Get("Edit", "Top"), std::nullopt);
  EXPECT_EQ(before.Get("Edit", "Split"), "0");

  settings.SetInt(Key::kEditTop, 40);
  ProfileFile after;
  settings.SaveInto(after);
  EXPECT_EQ(after.Get("Edit", "Top"), "40");
}

TEST(SettingsTest, ProgramFontsAreWrittenAfresh) {
  ProfileFile file = ProfileFile::Parse(
      "[Program Font]\nP0=A\nF0=1\nP1=B\nF1=2\nP2=C\nF2=3\n[program font]\nP3=D\nF3=4\n");
  Settings settings = Settings::Load(file, kPpi);
  settings.SetProgramFonts({{"A", "1"}, {"", "5"}, {"E", "6"}});
  settings.SaveInto(file);
  EXPECT_EQ(Settings::Load(file, kPpi).ProgramFonts(),
            (std::vector<ProgramFont>{{"A", "1"}, {"E", "6"}}));
  EXPECT_EQ(file.Get("Program Font", "P2"), std::nullopt);
}

}  // namespace
}  // namespace telvane::config
