#pragma once

// The VGA control screen: a window without content, kept hidden; the VGA output draws into it.

#include <QWidget>

namespace telvane::ui {

class TVgaControlScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TVgaControlScreen(QWidget* parent = nullptr);
};

}  // namespace telvane::ui
