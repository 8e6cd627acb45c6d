#include "editor/ui/edit_screen.h"

#include <QVBoxLayout>

namespace telvane::ui {

TEditScreen::TEditScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TEditScreen"));
  setWindowTitle(QStringLiteral("Script"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch(1);
  background_message_ = new QLabel(this);
  background_message_->setObjectName(QStringLiteral("BackgroundMessagePanel"));
  background_message_->setVisible(false);
  layout->addWidget(background_message_);
}

void TEditScreen::SetBackgroundMessage(const QString& text) {
  background_message_->setText(text);
  background_message_->setVisible(!text.isEmpty());
}

}  // namespace telvane::ui
