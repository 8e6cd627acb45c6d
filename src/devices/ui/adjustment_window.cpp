#include "devices/ui/adjustment_window.h"

#include <QFormLayout>

namespace telvane::ui {

TAdjustmentWindow::TAdjustmentWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("TAdjustmentWindow"));
  setWindowTitle(QStringLiteral("Adjustment"));
  auto* layout = new QFormLayout(this);
  const auto row = [&](const char* name, const QString& caption) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    layout->addRow(caption, label);
    return label;
  };
  width_ = row("AdjustWidth", QStringLiteral("Width"));
  left_ = row("AdjustLeftBlank", QStringLiteral("Left blank"));
  right_ = row("AdjustRightBlank", QStringLiteral("Right blank"));
  message_ = row("AdjustMessage", QStringLiteral("Message"));
  arrows_ = row("AdjustArrows", QStringLiteral("Cue Left / Cue Right"));
  close_timer_.setSingleShot(true);
  connect(&close_timer_, &QTimer::timeout, this, &QWidget::close);
}

void TAdjustmentWindow::Show(const devices::AdjustmentView& view) {
  width_->setText(QString::number(view.width));
  left_->setText(QString::number(view.left_blank));
  right_->setText(QString::number(view.right_blank));
  message_->setText(QString::number(view.message_adjustment));
  arrows_->setText(QString::fromStdString(view.raise_label + " / " + view.lower_label));
  show();
  raise();
  close_timer_.start(kShowMs);
}

}  // namespace telvane::ui
