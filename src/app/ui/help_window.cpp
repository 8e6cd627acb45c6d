#include "app/ui/help_window.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace telvane::ui {

THelpForm::THelpForm(const QString& help_path, const QString& topic, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("THelpForm"));
  setWindowTitle(QStringLiteral("Telvane 32 Help"));
  resize(640, 480);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("HelpText"));
  text_->setReadOnly(true);
  QFont fixed(QStringLiteral("DejaVu Sans Mono"));
  fixed.setStyleHint(QFont::Monospace);
  text_->setFont(fixed);
  layout->addWidget(text_);
  QFile file(help_path);
  // The help is bounded: a file far larger than any help text is not a help file.
  constexpr qint64 kLimit = 4 << 20;
  if (file.open(QIODevice::ReadOnly) && file.size() <= kLimit) {
    text_->setPlainText(QString::fromUtf8(file.readAll()));
  } else {
    text_->setPlainText(QStringLiteral("The help file cannot be read: ") + help_path);
  }
  if (!text_->find(topic)) text_->moveCursor(QTextCursor::Start);
}

}  // namespace telvane::ui
