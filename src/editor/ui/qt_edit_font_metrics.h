#pragma once

// The editor's font metrics from Qt: the eight prompt fonts by face name at their edit sizes.

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <optional>

#include "config/settings.h"
#include "editor/edit_font_metrics.h"

namespace telvane::ui {

class QtEditFontMetrics : public editor::EditFontMetrics {
 public:
  explicit QtEditFontMetrics(const config::Settings& settings);

  editor::EditFontInfo Font(int font) const override;
  int TextWidth(int font, std::uint8_t style_bits, std::string_view bytes,
                int charset) const override;

  // Font 0..7 with the style bits (bold, italic, underline) of a style byte.
  QFont StyledFont(int font, std::uint8_t style_bits) const;
  int EditSize(int font) const { return sizes_[static_cast<std::size_t>(font & 7)]; }

 private:
  const QFontMetrics& MetricsOf(int font, std::uint8_t style_bits) const;

  std::array<QFont, 8> fonts_;
  std::array<int, 8> sizes_{};
  // One per font and style combination, made on first use.
  mutable std::array<std::optional<QFontMetrics>, 64> metrics_;
};

// Bytes of a character set as text to draw.
QString BytesToQString(std::string_view bytes, int charset);

}  // namespace telvane::ui
