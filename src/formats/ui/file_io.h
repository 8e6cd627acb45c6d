#pragma once

// The file input/output form: a hidden window that hosts the file workers' completion messages.

#include <QWidget>

namespace telvane::ui {

class TFileIo : public QWidget {
  Q_OBJECT

 public:
  explicit TFileIo(QWidget* parent = nullptr);
};

}  // namespace telvane::ui
