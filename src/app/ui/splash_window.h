#pragma once

// The splash: an image only, shown while the windows are made.

#include <QWidget>

namespace telvane::ui {

class TSplashWindow : public QWidget {
  Q_OBJECT

 public:
  TSplashWindow();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace telvane::ui
