#include "runorder/ui/run_order_configuration.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QToolButton>

namespace telvane::ui {

TRunOrderConfiguration::TRunOrderConfiguration(const QString& caption,
                                               const std::vector<Choice>& choices, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TRunOrderConfiguration"));
  setWindowTitle(caption);
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const Choice& choice : choices) {
    auto* toggle = new QToolButton(this);
    toggle->setFixedSize(16, 16);
    auto* box = new QCheckBox(choice.caption, this);
    box->setChecked(choice.visible);
    connect(toggle, &QToolButton::clicked, box, &QCheckBox::toggle);
    grid->addWidget(toggle, row, 0);
    grid->addWidget(box, row, 1);
    toggle->setVisible(choice.offered);
    box->setVisible(choice.offered);
    boxes_.push_back(box);
    ++row;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, row, 0, 1, 2);
}

std::vector<bool> TRunOrderConfiguration::Visibility() const {
  std::vector<bool> out;
  out.reserve(boxes_.size());
  for (const QCheckBox* box : boxes_) out.push_back(box->isChecked());
  return out;
}

}  // namespace telvane::ui
