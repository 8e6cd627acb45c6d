#include "runorder/ui/block_move_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "runorder/run_order.h"
#include "store/code_pages.h"

namespace telvane::ui {

namespace {

std::string Bytes(const QLineEdit* field) {
  return store::Utf8ToCodePage(field->text().toStdString(), store::kDefaultCodePage);
}

}  // namespace

TBlockMoveDlg::TBlockMoveDlg(runorder::RunOrder& run_order,
                             const std::function<QString(int)>& message, QWidget* parent)
    : QDialog(parent), run_(run_order) {
  setObjectName(QStringLiteral("TBlockMoveDlg"));
  setWindowTitle(message(166));
  auto* form = new QFormLayout(this);
  story_ = new QLineEdit(this);
  story_->setObjectName(QStringLiteral("DestinationStoryEdit"));
  program_ = new QLineEdit(this);
  program_->setObjectName(QStringLiteral("DestinationIdEdit"));
  for (QLineEdit* field : {story_, program_}) field->setMaxLength(8);
  program_->setEnabled(run_.options().multi_run);
  form->addRow(message(133), story_);
  form->addRow(message(156) + QStringLiteral(" :"), program_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void TBlockMoveDlg::accept() {
  run_.MoveBlock(Bytes(story_), Bytes(program_));
  QDialog::accept();
}

}  // namespace telvane::ui
