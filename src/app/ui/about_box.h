#pragma once

// Help > About: the program's name, its version and the diagnostic of the script's links,
// beside a picture.

#include <QDialog>
#include <QString>

namespace telvane::ui {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  TAboutBox(const QString& text, const QString& picture_path, QWidget* parent = nullptr);
};

}  // namespace telvane::ui
