#pragma once

// "Move Run Order Block": the selected stories move after a destination story.

#include <QDialog>
#include <functional>

class QLineEdit;

namespace telvane::runorder {
class RunOrder;
}

namespace telvane::ui {

class TBlockMoveDlg : public QDialog {
  Q_OBJECT

 public:
  TBlockMoveDlg(runorder::RunOrder& run_order, const std::function<QString(int)>& message,
                QWidget* parent = nullptr);
  void accept() override;

 private:
  runorder::RunOrder& run_;
  QLineEdit* story_ = nullptr;
  QLineEdit* program_ = nullptr;
};

}  // namespace telvane::ui
