#pragma once

// The slug dialogue: the operator types the identifier of the story that the current line
// starts. Its logic is editor::SlugDialog; this is its window.

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <functional>

#include "editor/slug_dialog.h"

namespace telvane::ui {

class TSlugForm : public QDialog {
  Q_OBJECT

 public:
  // caption and label are catalogue messages 496 and 497.
  TSlugForm(editor::SlugDialog& dialog, const QString& caption, const QString& label,
            QPoint position, QWidget* parent = nullptr);

  // Opens with the next proposal; a second request while open does nothing.
  void OpenForCurrentLine();
  // With presenters enabled, a new story puts its presenter's name in front of window's
  // caption; presenter_name gives the name of presenter 1..15.
  void SetCaptionWindow(QWidget* window, std::function<QString(int)> presenter_name);
  void accept() override;
  void reject() override;

 private:
  editor::SlugDialog& dialog_;
  QLineEdit* slug_data_ = nullptr;
  QPointer<QWidget> caption_window_;
  std::function<QString(int)> presenter_name_;
};

}  // namespace telvane::ui
