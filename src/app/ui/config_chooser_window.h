#pragma once

// The configuration chooser window over its model: a list, an edit box, OK and Cancel.

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include "app/config_chooser.h"

namespace telvane::ui {

class TConfigChooserWindow : public QWidget {
  Q_OBJECT

 public:
  TConfigChooserWindow(app::ConfigChooser& chooser, QWidget* parent);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Ok();
  void Fill();

  app::ConfigChooser& chooser_;
  QListWidget* list_ = nullptr;
  QLineEdit* edit_ = nullptr;
};

}  // namespace telvane::ui
