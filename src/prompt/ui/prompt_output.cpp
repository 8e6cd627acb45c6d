#include "prompt/ui/prompt_output.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "prompt/png_image.h"
#include "prompt/preview.h"
#include "prompt/prompt_page.h"

namespace telvane::ui {

namespace {

constexpr int kPreviewWidth = 668 / 3;
constexpr int kBlinkMs = 500;

}  // namespace

TPromptOutput::TPromptOutput(const prompt::PromptRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
  setObjectName(QStringLiteral("TPromptOutput"));
  setWindowTitle(QStringLiteral("Prompt Preview"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  // Focus from a click or from activating the window, so the caret can show.
  setFocusPolicy(Qt::StrongFocus);
  blink_.setInterval(kBlinkMs);
  connect(&blink_, &QTimer::timeout, this, [this] {
    caret_on_ = !caret_on_;
    if (Prompting()) update();
  });
}

prompt::PreviewFrame TPromptOutput::Frame() const {
  const prompt::PromptPosition top =
      top_ ? top_() : prompt::StartPosition(renderer_, renderer_.store().first_line(), 0);
  return {top, kPreviewWidth, height()};
}

std::optional<prompt::PreviewCaret> TPromptOutput::CaretShown() const {
  if (!caret_on_ || !hasFocus() || black_ || !caret_ || !Prompting() || height() <= 0) {
    return std::nullopt;
  }
  const auto caret = prompt::CaretInPreview(renderer_, Frame(), caret_());
  // Text past the image's right edge is not drawn, so neither is a caret there.
  if (!caret || caret->x < 0 || caret->x >= kPreviewWidth) return std::nullopt;
  return caret;
}

void TPromptOutput::RestartBlink() {
  caret_on_ = true;
  blink_.start();
  update();
}

void TPromptOutput::focusInEvent(QFocusEvent* event) {
  RestartBlink();
  QWidget::focusInEvent(event);
}

void TPromptOutput::focusOutEvent(QFocusEvent* event) {
  blink_.stop();
  caret_on_ = false;
  update();
  QWidget::focusOutEvent(event);
}

void TPromptOutput::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !Prompting()) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (!black_ && placer_) {
    const QPoint at = event->position().toPoint();
    if (const auto place = prompt::PlaceAtPreviewPoint(renderer_, Frame(), at.x(), at.y())) {
      placer_(place->line, place->column);
    }
  }
  emit EditorFocusWanted();
}

void TPromptOutput::keyPressEvent(QKeyEvent* event) {
  emit KeyForEditor(event);
  // The caret moves with the key; show it there at once.
  if (hasFocus()) RestartBlink();
}

void TPromptOutput::SetBlack(bool black) {
  black_ = black;
  update();
}

void TPromptOutput::paintEvent(QPaintEvent*) {
  if (height() <= 0 || black_) return;
  const prompt::PreviewFrame frame = Frame();
  prompt::PreviewImage image(frame.width, frame.height);
  if (const std::optional<prompt::IdlePageLook> idle = idle_ ? idle_() : std::nullopt) {
    std::fill(image.pixels.begin(), image.pixels.end(),
              static_cast<std::uint8_t>(idle->black ? 0 : idle->background));
    prompt::DrawIdlePreview(idle_faces_, *idle, image);
  } else {
    prompt::DrawPreview(renderer_, frame.top, image);
  }
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
  if (const auto caret = CaretShown()) {
    // Inverting keeps the caret visible on any colour of text or background.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret->x, caret->top, 1, caret->bottom - caret->top, Qt::white);
  }
}

}  // namespace telvane::ui
