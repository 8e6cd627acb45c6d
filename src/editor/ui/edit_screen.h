#pragma once

// The script editor window. Its drawing and editing arrive with the editor; here it is the
// permanent MDI child with its background message panel.

#include <QLabel>
#include <QWidget>

namespace telvane::ui {

class TEditScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TEditScreen(QWidget* parent = nullptr);
  void SetBackgroundMessage(const QString& text);

 private:
  QLabel* background_message_ = nullptr;
};

}  // namespace telvane::ui
