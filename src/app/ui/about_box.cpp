#include "app/ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace telvane::ui {

TAboutBox::TAboutBox(const QString& text, const QString& picture_path, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(QStringLiteral("About Telvane 32"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout();
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("AboutPicture"));
  picture->setPixmap(QPixmap(picture_path));
  row->addWidget(picture, 0, Qt::AlignTop);
  auto* label = new QLabel(text, this);
  label->setObjectName(QStringLiteral("AboutText"));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(label, 1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace telvane::ui
