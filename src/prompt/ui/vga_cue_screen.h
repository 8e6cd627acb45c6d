#pragma once

// The VGA cue marker screen: a window without content, kept hidden beside the VGA control screen.

#include <QWidget>

namespace telvane::ui {

class TVgaCueScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TVgaCueScreen(QWidget* parent = nullptr);
};

}  // namespace telvane::ui
