#pragma once

// The run order window: created once at start-up, it lives until the program ends. Its grid
// arrives with the run order screen.

#include <QWidget>

namespace telvane::ui {

class TRunScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TRunScreen(QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace telvane::ui
