#pragma once

// "Update Prog ID": a new programme ID for the selected stories.

#include <QDialog>
#include <functional>

class QLineEdit;

namespace telvane::runorder {
class RunOrder;
}

namespace telvane::ui {

class TChangeIDDlg : public QDialog {
  Q_OBJECT

 public:
  TChangeIDDlg(runorder::RunOrder& run_order, const std::function<QString(int)>& message,
               QWidget* parent = nullptr);
  void accept() override;

 private:
  runorder::RunOrder& run_;
  QLineEdit* id_ = nullptr;
};

}  // namespace telvane::ui
