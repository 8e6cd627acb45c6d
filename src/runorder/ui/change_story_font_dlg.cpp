#include "runorder/ui/change_story_font_dlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_host.h"

namespace telvane::ui {

TChangeStoryFontDlg::TChangeStoryFontDlg(runorder::RunOrder& run_order,
                                         const config::Settings& settings,
                                         const std::function<QString(int)>& message,
                                         QWidget* parent)
    : QDialog(parent), run_(run_order), settings_(settings), message_(message) {
  setObjectName(QStringLiteral("TChangeStoryFontDlg"));
  setWindowTitle(message(runorder::kStoryFontCaption));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(message(runorder::kStoryFontLabel) + QStringLiteral(" :"), this));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("FontList"));
  layout->addWidget(list_);
  auto* update = new QPushButton(QStringLiteral("Update"), this);
  update->setObjectName(QStringLiteral("UpdateBtn"));
  update->setAutoDefault(false);
  layout->addWidget(update);
  connect(update, &QPushButton::clicked, this, &TChangeStoryFontDlg::Update);
  connect(list_, &QListWidget::itemDoubleClicked, this, &TChangeStoryFontDlg::Update);
  Reload();
}

void TChangeStoryFontDlg::Reload() {
  runorder::StoryFontList now = runorder::StoryFontEntries(settings_);
  if (now == shown_) return;
  shown_ = std::move(now);
  list_->clear();
  for (const std::string& entry : shown_.entries) {
    list_->addItem(platform::qt::FromCatalogue(entry));
  }
}

bool TChangeStoryFontDlg::ApplyPending() {
  if (list_->currentRow() < 0) return false;
  Update();
  return true;
}

void TChangeStoryFontDlg::Update() {
  const int message = runorder::ApplyStoryFontChoice(run_, settings_, list_->currentRow() + 1);
  if (message != 0) emit Information(message_(message));
}

void TChangeStoryFontDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Update();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace telvane::ui
