#include "runorder/ui/change_id_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "runorder/run_order.h"
#include "store/code_pages.h"

namespace telvane::ui {

TChangeIDDlg::TChangeIDDlg(runorder::RunOrder& run_order,
                           const std::function<QString(int)>& message, QWidget* parent)
    : QDialog(parent), run_(run_order) {
  setObjectName(QStringLiteral("TChangeIDDlg"));
  setWindowTitle(message(427));
  auto* form = new QFormLayout(this);
  id_ = new QLineEdit(this);
  id_->setObjectName(QStringLiteral("IdEdit"));
  id_->setMaxLength(8);
  form->addRow(message(428) + QStringLiteral(" :"), id_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void TChangeIDDlg::accept() {
  run_.ChangeProgramId(store::Utf8ToCodePage(id_->text().toStdString(), store::kDefaultCodePage));
  QDialog::accept();
}

}  // namespace telvane::ui
