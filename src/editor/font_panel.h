#pragma once

// The editor's font tool strip: which of the eight fonts it shows, and the typed font number,
// face and sizes checked and written into the settings.

#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "store/script_store.h"

namespace telvane::editor {

inline constexpr int kMinEditSize = 8;
inline constexpr int kMaxEditSize = 40;
inline constexpr int kMinPromptSize = 16;
inline constexpr int kMaxPromptSize = 200;

// "1" to "8" as the font 0..7; anything else is refused.
std::optional<int> ParseFontNumber(std::string_view text);
// Up to max_digits digits within [low, high]; anything else is refused.
std::optional<int> ParseSize(std::string_view text, std::size_t max_digits, int low, int high);

enum class FontChange {
  kRefused,
  kNone,
  // Only the typing font (and the selection's font bits) changed.
  kTypingFont,
  // The face or edit size: the editor measures again.
  kEditFont,
  // The prompt size: only the prompt measures again.
  kPromptFont,
};

class FontPanel {
 public:
  FontPanel(store::ScriptStore& store, config::Settings& settings)
      : store_(store), settings_(settings) {}

  // The font the strip shows, 0..7: the typing font.
  int font() const { return store_.typing().font & 7; }
  const config::PromptFontSetting& shown() const { return settings_.PromptFont(font()); }
  std::string FontNumberText() const { return std::to_string(font() + 1); }

  // The font number box: the typing font, and the selected text's font when a block is
  // selected.
  FontChange ChooseFontNumber(std::string_view text);
  FontChange SetFace(const std::string& face);
  FontChange SetEditSize(std::string_view text);
  FontChange SetPromptSize(std::string_view text);

 private:
  store::ScriptStore& store_;
  config::Settings& settings_;
};

}  // namespace telvane::editor
