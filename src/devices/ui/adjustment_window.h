#pragma once

// The picture adjustment window: the raster width and the blanks after each adjustment,
// closing by itself a few seconds after the last one.

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "devices/set_up_block.h"

namespace telvane::ui {

class TAdjustmentWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kShowMs = 3000;

  explicit TAdjustmentWindow(QWidget* parent = nullptr);
  // Opens the window, or refreshes it, and starts its time again.
  void Show(const devices::AdjustmentView& view);

 private:
  QLabel* width_ = nullptr;
  QLabel* left_ = nullptr;
  QLabel* right_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* arrows_ = nullptr;
  QTimer close_timer_;
};

}  // namespace telvane::ui
