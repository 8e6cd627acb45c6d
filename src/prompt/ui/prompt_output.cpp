#include "prompt/ui/prompt_output.h"

#include <QImage>
#include <QPainter>

#include "prompt/png_image.h"
#include "prompt/preview.h"
#include "prompt/prompt_page.h"

namespace telvane::ui {

namespace {

constexpr int kPreviewWidth = 668 / 3;

}  // namespace

TPromptOutput::TPromptOutput(const prompt::PromptRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
  setObjectName(QStringLiteral("TPromptOutput"));
  setWindowTitle(QStringLiteral("Prompt Preview"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
}

void TPromptOutput::SetBlack(bool black) {
  black_ = black;
  update();
}

void TPromptOutput::paintEvent(QPaintEvent*) {
  if (height() <= 0 || black_) return;
  prompt::PreviewImage image(kPreviewWidth, height());
  const prompt::PromptPosition top =
      top_ ? top_() : prompt::StartPosition(renderer_, renderer_.store().first_line(), 0);
  prompt::DrawPreview(renderer_, top, image);
  QImage shown(image.width, image.height, QImage::Format_RGB32);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const auto& c = prompt::kEightColours[image.pixels[static_cast<std::size_t>(y) *
                                                             static_cast<std::size_t>(image.width) +
                                                         static_cast<std::size_t>(x)] &
                                            7];
      row[x] = qRgb(c[0], c[1], c[2]);
    }
  }
  QPainter painter(this);
  painter.drawImage(0, 0, shown);
}

}  // namespace telvane::ui
