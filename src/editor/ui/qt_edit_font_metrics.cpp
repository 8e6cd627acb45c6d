#include "editor/ui/qt_edit_font_metrics.h"

#include "store/code_pages.h"

namespace telvane::ui {

QtEditFontMetrics::QtEditFontMetrics(const config::Settings& settings) {
  for (int n = 0; n < 8; ++n) {
    const config::PromptFontSetting& font = settings.PromptFont(n);
    QFont f(QString::fromStdString(font.name));
    f.setPointSize(font.edit_size > 0 ? font.edit_size : 12);
    fonts_[static_cast<std::size_t>(n)] = f;
    sizes_[static_cast<std::size_t>(n)] = f.pointSize();
  }
}

QFont QtEditFontMetrics::StyledFont(int font, std::uint8_t style_bits) const {
  QFont f = fonts_[static_cast<std::size_t>(font & 7)];
  f.setBold((style_bits & 0x1) != 0);
  f.setItalic((style_bits & 0x2) != 0);
  f.setUnderline((style_bits & 0x4) != 0);
  return f;
}

const QFontMetrics& QtEditFontMetrics::MetricsOf(int font, std::uint8_t style_bits) const {
  std::optional<QFontMetrics>& slot =
      metrics_[static_cast<std::size_t>(((font & 7) << 3) | (style_bits & 7))];
  if (!slot) slot.emplace(StyledFont(font, style_bits));
  return *slot;
}

editor::EditFontInfo QtEditFontMetrics::Font(int font) const {
  const QFontMetrics& m = MetricsOf(font, 0);
  return {m.ascent(), m.height(), m.leading()};
}

int QtEditFontMetrics::TextWidth(int font, std::uint8_t style_bits, std::string_view bytes,
                                 int charset) const {
  return MetricsOf(font, style_bits).horizontalAdvance(BytesToQString(bytes, charset));
}

QString BytesToQString(std::string_view bytes, int charset) {
  return QString::fromStdString(store::CodePageToUtf8(bytes, store::CodePageOfCharset(charset)));
}

}  // namespace telvane::ui
