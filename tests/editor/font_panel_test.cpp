#include "editor/font_panel.h"

#include <optional>
#include <string>

#include "editor/editor_fixture.h"

namespace telvane::editor::testing {
namespace {

namespace sb = store::style_bit;

TEST(FontPanelParse, FontNumberIsOneToEightOnly) {
  const std::pair<const char*, std::optional<int>> cases[] = {{"1", 0},
                                                              {"8", 7},
                                                              {"0", std::nullopt},
                                                              {"9", std::nullopt},
                                                              {"", std::nullopt},
                                                              {"12", std::nullopt},
                                                              {" 1", std::nullopt},
                                                              {"a", std::nullopt},
                                                              {"-1", std::nullopt}};
  for (const auto& [typed, font] : cases) EXPECT_EQ(ParseFontNumber(typed), font) << typed;
}

TEST(FontPanelParse, SizesKeepToTheirDigitsAndRange) {
  struct Case {
    const char* typed;
    std::size_t digits;
    std::optional<int> size;
  };
  const Case cases[] = {{"12", 2, 12},
                        {"8", 2, 8},
                        {"40", 2, 40},
                        {"7", 2, std::nullopt},
                        {"41", 2, std::nullopt},
                        {"008", 2, std::nullopt},
                        {"", 2, std::nullopt},
                        {"1a", 2, std::nullopt},
                        {"200", 3, 200},
                        {"201", 3, std::nullopt},
                        {"1000", 3, std::nullopt}};
  for (const Case& c : cases) {
    const bool edit = c.digits == 2;
    EXPECT_EQ(ParseSize(c.typed, c.digits, edit ? kMinEditSize : kMinPromptSize,
                        edit ? kMaxEditSize : kMaxPromptSize),
              c.size)
        << c.typed;
  }
}

class FontPanelTest : public EditorTest {
 protected:
  config::Settings settings = config::Settings::Defaults(96);
  FontPanel panel{store, settings};
};

TEST_F(FontPanelTest, FontNumberSetsTheTypingFontAndRefusesTheRest) {
  store.typing().style = sb::kBold;
  EXPECT_EQ(panel.ChooseFontNumber("3"), FontChange::kTypingFont);
  EXPECT_EQ(store.typing().font, 2);
  EXPECT_EQ(store.typing().style, (2 << sb::kFontShift) | sb::kBold);
  EXPECT_EQ(panel.FontNumberText(), "3");
  // A ninth font would wrap round to font 1; it is refused and nothing changes.
  for (const char* typed : {"9", "0", "x"}) {
    EXPECT_EQ(panel.ChooseFontNumber(typed), FontChange::kRefused);
    EXPECT_EQ(store.typing().font, 2);
  }
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(FontPanelTest, FontNumberSetsTheSelectedText) {
  e_object* line = AddLine("abcd");
  line->sel_start = 1;
  line->sel_end = 3;
  EXPECT_EQ(panel.ChooseFontNumber("5"), FontChange::kTypingFont);
  EXPECT_EQ(line->style_a, std::string("\0\x40\x40\0", 4));
  EXPECT_EQ(store.typing().font, 4);
}

TEST_F(FontPanelTest, FaceAndSizesGoToTheShownFont) {
  ASSERT_EQ(panel.ChooseFontNumber("2"), FontChange::kTypingFont);
  const config::PromptFontSetting before = settings.PromptFont(1);
  EXPECT_EQ(panel.SetEditSize("41"), FontChange::kRefused);
  EXPECT_EQ(panel.SetPromptSize("15"), FontChange::kRefused);
  EXPECT_EQ(panel.SetFace(""), FontChange::kRefused);
  EXPECT_EQ(settings.PromptFont(1), before);
  EXPECT_EQ(panel.SetEditSize(std::to_string(before.edit_size)), FontChange::kNone);

  EXPECT_EQ(panel.SetEditSize("20"), FontChange::kEditFont);
  EXPECT_EQ(panel.SetPromptSize("100"), FontChange::kPromptFont);
  EXPECT_EQ(panel.SetFace("DejaVu Serif"), FontChange::kEditFont);
  EXPECT_EQ(settings.PromptFont(1).edit_size, 20);
  EXPECT_EQ(settings.PromptFont(1).prompt_size, 100);
  EXPECT_EQ(settings.PromptFont(1).name, "DejaVu Serif");
  EXPECT_EQ(settings.PromptFont(0), settings.DefaultPromptFont(0));
}

}  // namespace
}  // namespace telvane::editor::testing
