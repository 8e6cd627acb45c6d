#include "devices/ui/presenter_display.h"

#include <QKeyEvent>
#include <QPainter>
#include <cmath>

#include "platform/files.h"
#include "prompt/png_image.h"

namespace telvane::ui {

namespace {

using HandKey = devices::SoftCard::HandKey;

}  // namespace

const char* PresenterDisplayKeys() {
  return "keys (a hand controller):\n"
         "  Down, Page Down    next story\n"
         "  Up, Page Up        previous story\n"
         "  Home               top of the script\n"
         "  F                  function button\n"
         "  B                  blank screen\n"
         "  Right, +           speed up (forward)\n"
         "  Left, -            speed down (toward backward)\n"
         "  P                  write the screenshot (with --screenshot)\n"
         "  Escape, Ctrl+Q     quit\n";
}

TPresenterDisplay::TPresenterDisplay(devices::SoftCard& card, devices::DisplayLink* link,
                                     Options options, QWidget* parent)
    : QWidget(parent), card_(card), link_(link), options_(options) {
  setObjectName(QStringLiteral("TPresenterDisplay"));
  setWindowTitle(QStringLiteral("Telvane Presenter Display"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::BlankCursor);
  const double hz = options_.refresh_hz > 1 ? options_.refresh_hz : 60;
  frame_us_ = std::llround(1e6 / hz);
  frame_timer_.setTimerType(Qt::PreciseTimer);
  frame_timer_.setInterval(static_cast<int>(std::lround(1000 / hz)));
  connect(&frame_timer_, &QTimer::timeout, this, [this] { Frame(); });
  frame_timer_.start();
}

void TPresenterDisplay::Frame() {
  now_us_ = options_.clock_us ? options_.clock_us() : now_us_ + frame_us_;
  card_.OnTickMicroseconds(now_us_);
  if (link_ != nullptr) {
    link_->FlushEvents();
    link_->ReleaseClosed();
  }
  framer_.Compose(card_, std::max(1, height()), frame_);
  ++frames_;
  if (options_.frame_log != nullptr) {
    *options_.frame_log << frames_ << ' ' << frame_.advance << ' ' << frame_.position << ' '
                        << card_.speed() << '\n'
                        << std::flush;
  }
  update();
}

void TPresenterDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.pixels.empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  image_ = QImage(frame_.pixels.data(), frame_.width, frame_.height, frame_.width,
                  QImage::Format_Indexed8);
  QList<QRgb> colours;
  for (const prompt::Rgb& c : frame_.palette) colours.push_back(qRgb(c[0], c[1], c[2]));
  image_.setColorTable(colours);
  QTransform transform;
  if (options_.mirror_horizontal) transform.translate(width(), 0).scale(-1, 1);
  if (options_.mirror_vertical) transform.translate(0, height()).scale(1, -1);
  painter.setTransform(transform);
  // Lines map one to one; only the width is scaled, and it never moves.
  painter.drawImage(QRect(0, 0, width(), frame_.height), image_);
}

void TPresenterDisplay::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_PageDown:
      card_.HandPress(HandKey::kNextStory);
      break;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
      card_.HandPress(HandKey::kPreviousStory);
      break;
    case Qt::Key_Home:
      card_.HandPress(HandKey::kTop);
      break;
    case Qt::Key_F:
      card_.HandPress(HandKey::kFunction);
      break;
    case Qt::Key_B:
      card_.HandPress(HandKey::kBlank);
      break;
    case Qt::Key_Right:
    case Qt::Key_Plus:
      card_.HandSpeed(devices::StepHandSpeed(card_.speed(), true));
      break;
    case Qt::Key_Left:
    case Qt::Key_Minus:
      card_.HandSpeed(devices::StepHandSpeed(card_.speed(), false));
      break;
    case Qt::Key_P:
      emit ScreenshotRequested();
      return;
    case Qt::Key_Escape:
      emit QuitRequested();
      return;
    case Qt::Key_Q:
      if (event->modifiers() & Qt::ControlModifier) {
        emit QuitRequested();
        return;
      }
      QWidget::keyPressEvent(event);
      return;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  if (link_ != nullptr) link_->FlushEvents();
}

bool TPresenterDisplay::WriteScreenshot(const std::string& path) const {
  devices::PresenterFramer framer;
  devices::PresenterFrame field;
  framer.Compose(card_, card_.VisibleRows(), field);
  const std::string png =
      prompt::EncodePalettePng(field.width, field.height, field.pixels, field.palette);
  return !png.empty() && platform::WriteFileAtomically(path, png).ok();
}

}  // namespace telvane::ui
