#include "editor/ui/slug_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace telvane::ui {

TSlugForm::TSlugForm(editor::SlugDialog& dialog, const QString& caption, const QString& label,
                     QPoint position, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), dialog_(dialog) {
  setObjectName(QStringLiteral("TSlugForm"));
  setWindowTitle(caption);
  move(position);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(label, this));
  slug_data_ = new QLineEdit(this);
  slug_data_->setObjectName(QStringLiteral("SlugData"));
  // Identifiers are plain ASCII, the same bytes in every character set.
  slug_data_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ -~]*")), this));
  layout->addWidget(slug_data_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TSlugForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TSlugForm::reject);
}

void TSlugForm::OpenForCurrentLine() {
  const std::optional<std::string> proposal = dialog_.Open();
  if (!proposal) return;
  slug_data_->setText(QString::fromStdString(*proposal));
  slug_data_->selectAll();
  show();
  raise();
  slug_data_->setFocus();
}

void TSlugForm::SetCaptionWindow(QWidget* window, std::function<QString(int)> presenter_name) {
  caption_window_ = window;
  presenter_name_ = std::move(presenter_name);
}

void TSlugForm::accept() {
  // The duplicate question must be able to come in front of the dialogue.
  setWindowFlag(Qt::WindowStaysOnTopHint, false);
  const bool closed = dialog_.Ok(slug_data_->text().toStdString());
  if (closed) {
    const std::optional<int> presenter = dialog_.made_presenter();
    if (presenter && caption_window_ != nullptr) {
      const QString name =
          *presenter > 0 && presenter_name_ ? presenter_name_(*presenter) : QString();
      caption_window_->setWindowTitle(QString::fromStdString(editor::PresenterCaption(
          caption_window_->windowTitle().toStdString(), name.toStdString())));
    }
    QDialog::accept();
    return;
  }
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  show();
}

void TSlugForm::reject() {
  if (dialog_.is_open()) dialog_.Cancel();
  QDialog::reject();
}

}  // namespace telvane::ui
