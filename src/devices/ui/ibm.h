#pragma once

// The prompt card interface form: a hidden window that owns the card's device handles.

#include <QWidget>

namespace telvane::ui {

class TIbm : public QWidget {
  Q_OBJECT

 public:
  explicit TIbm(QWidget* parent = nullptr);
};

}  // namespace telvane::ui
