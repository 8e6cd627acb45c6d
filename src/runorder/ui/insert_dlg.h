#pragma once

// "Run Order Insert": a source story moves after a destination story. The destination
// follows the run order's selection while the dialog is open.

#include <QDialog>
#include <functional>

class QLineEdit;

namespace telvane::runorder {
class RunOrder;
}

namespace telvane::ui {

class TInsertDlg : public QDialog {
  Q_OBJECT

 public:
  TInsertDlg(runorder::RunOrder& run_order, const std::function<QString(int)>& message,
             QWidget* parent = nullptr);
  // The destination story and both ID fields take the selected story's.
  void FollowSelection();
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  runorder::RunOrder& run_;
  QLineEdit* source_ = nullptr;
  QLineEdit* source_program_ = nullptr;
  QLineEdit* destination_ = nullptr;
  QLineEdit* destination_program_ = nullptr;
};

}  // namespace telvane::ui
