#pragma once

// Help > Contents: the shipped help file, opened at a topic.

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace telvane::ui {

class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // A topic the file does not name opens the file at its top.
  THelpForm(const QString& help_path, const QString& topic, QWidget* parent = nullptr);

 private:
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace telvane::ui
