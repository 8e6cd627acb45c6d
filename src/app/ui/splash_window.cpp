#include "app/ui/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace telvane::ui {

TSplashWindow::TSplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TSplashWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(420, 220);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

void TSplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0, 0, 96));
  p.setPen(Qt::white);
  QFont title(QStringLiteral("Liberation Sans"), 36, QFont::Bold);
  p.setFont(title);
  p.drawText(rect().adjusted(0, 30, 0, -90), Qt::AlignCenter, QStringLiteral("Telvane 32"));
  p.setPen(QColor(255, 255, 0));
  p.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
  p.drawText(rect().adjusted(0, 110, 0, -40), Qt::AlignCenter,
             QStringLiteral("Prompting for television news"));
}

}  // namespace telvane::ui
