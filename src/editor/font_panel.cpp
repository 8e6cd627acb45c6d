#include "editor/font_panel.h"

#include "store/style_commands.h"

namespace telvane::editor {

std::optional<int> ParseFontNumber(std::string_view text) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '8') return std::nullopt;
  return text[0] - '1';
}

std::optional<int> ParseSize(std::string_view text, std::size_t max_digits, int low, int high) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

FontChange FontPanel::ChooseFontNumber(std::string_view text) {
  const std::optional<int> font = ParseFontNumber(text);
  if (!font) return FontChange::kRefused;
  if (store_.SelectedRange()) {
    store::SetSelectionFont(store_, *font + 1, false);
  } else {
    store::TypingState& typing = store_.typing();
    typing.font = *font;
    typing.style = static_cast<std::uint8_t>((typing.style & ~store::style_bit::kFontMask) |
                                             (*font << store::style_bit::kFontShift));
  }
  return FontChange::kTypingFont;
}

FontChange FontPanel::SetFace(const std::string& face) {
  if (face.empty()) return FontChange::kRefused;
  config::PromptFontSetting f = shown();
  if (f.name == face) return FontChange::kNone;
  f.name = face;
  settings_.SetPromptFont(font(), std::move(f));
  return FontChange::kEditFont;
}

FontChange FontPanel::SetEditSize(std::string_view text) {
  const std::optional<int> size = ParseSize(text, 2, kMinEditSize, kMaxEditSize);
  if (!size) return FontChange::kRefused;
  config::PromptFontSetting f = shown();
  if (f.edit_size == *size) return FontChange::kNone;
  f.edit_size = *size;
  settings_.SetPromptFont(font(), std::move(f));
  return FontChange::kEditFont;
}

FontChange FontPanel::SetPromptSize(std::string_view text) {
  const std::optional<int> size = ParseSize(text, 3, kMinPromptSize, kMaxPromptSize);
  if (!size) return FontChange::kRefused;
  config::PromptFontSetting f = shown();
  if (f.prompt_size == *size) return FontChange::kNone;
  f.prompt_size = *size;
  settings_.SetPromptFont(font(), std::move(f));
  return FontChange::kPromptFont;
}

}  // namespace telvane::editor
