#include "app/ui/config_chooser_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_host.h"

namespace telvane::ui {

using platform::qt::FromCatalogue;

TConfigChooserWindow::TConfigChooserWindow(app::ConfigChooser& chooser, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), chooser_(chooser) {
  setObjectName(QStringLiteral("TConfigChooserWindow"));
  setWindowTitle(FromCatalogue(chooser_.Title()));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ConfigList"));
  layout->addWidget(list_);
  layout->addWidget(new QLabel(FromCatalogue(chooser_.Label()), this));
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("ConfigEdit"));
  layout->addWidget(edit_);
  auto* buttons = new QHBoxLayout();
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  Fill();

  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    chooser_.Click(static_cast<std::size_t>(row));
    edit_->setText(QString::fromStdString(chooser_.edit_text));
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, &TConfigChooserWindow::Ok);
  connect(edit_, &QLineEdit::returnPressed, this, &TConfigChooserWindow::Ok);
  connect(ok, &QPushButton::clicked, this, &TConfigChooserWindow::Ok);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void TConfigChooserWindow::Fill() {
  list_->clear();
  for (const std::string& name : chooser_.entries()) list_->addItem(QString::fromStdString(name));
  edit_->setText(QString::fromStdString(chooser_.edit_text));
}

void TConfigChooserWindow::Ok() {
  chooser_.edit_text = edit_->text().toStdString();
  chooser_.Ok();
  if (chooser_.closed()) {
    close();
  } else {
    Fill();
  }
}

void TConfigChooserWindow::closeEvent(QCloseEvent* event) {
  if (!chooser_.closed()) chooser_.Cancel();
  event->accept();
}

}  // namespace telvane::ui
