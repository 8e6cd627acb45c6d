#pragma once

// The prompt preview: the presenter's prompt at one third of its size. Its drawing arrives
// with the prompt page layout.

#include <QWidget>

namespace telvane::ui {

class TPromptOutput : public QWidget {
  Q_OBJECT

 public:
  explicit TPromptOutput(QWidget* parent = nullptr);
};

}  // namespace telvane::ui
