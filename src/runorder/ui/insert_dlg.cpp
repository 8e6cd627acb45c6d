#include "runorder/ui/insert_dlg.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "runorder/run_order.h"
#include "store/code_pages.h"

namespace telvane::ui {

namespace {

std::string Bytes(const QLineEdit* field) {
  return store::Utf8ToCodePage(field->text().toStdString(), store::kDefaultCodePage);
}

QString Text(const std::string& bytes) {
  return QString::fromStdString(store::CodePageToUtf8(bytes, store::kDefaultCodePage));
}

}  // namespace

TInsertDlg::TInsertDlg(runorder::RunOrder& run_order, const std::function<QString(int)>& message,
                       QWidget* parent)
    : QDialog(parent), run_(run_order) {
  setObjectName(QStringLiteral("TInsertDlg"));
  setWindowTitle(message(167));
  auto* grid = new QGridLayout(this);
  const auto field = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(8);
    edit->installEventFilter(this);
    return edit;
  };
  source_ = field("SourceStoryEdit");
  source_program_ = field("SourceIdEdit");
  destination_ = field("DestinationStoryEdit");
  destination_program_ = field("DestinationIdEdit");
  const QString id_label = message(156) + QStringLiteral(" :");
  grid->addWidget(new QLabel(message(132), this), 0, 0);
  grid->addWidget(source_, 0, 1);
  grid->addWidget(new QLabel(id_label, this), 0, 2);
  grid->addWidget(source_program_, 0, 3);
  grid->addWidget(new QLabel(message(133), this), 1, 0);
  grid->addWidget(destination_, 1, 1);
  grid->addWidget(new QLabel(id_label, this), 1, 2);
  grid->addWidget(destination_program_, 1, 3);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 2, 0, 1, 4);
  FollowSelection();
}

void TInsertDlg::FollowSelection() {
  const bool multi_run = run_.options().multi_run;
  source_program_->setEnabled(multi_run);
  destination_program_->setEnabled(multi_run);
  const store::r_object* selected = run_.SelectedStory();
  if (selected == nullptr || selected == run_.run_end()) return;
  destination_->setText(Text(selected->story_id));
  source_program_->setText(Text(selected->second_id));
  destination_program_->setText(Text(selected->second_id));
}

bool TInsertDlg::eventFilter(QObject* watched, QEvent* event) {
  // A click in a field empties it, ready for a new identifier.
  if (event->type() == QEvent::MouseButtonPress) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) edit->clear();
  }
  return QDialog::eventFilter(watched, event);
}

void TInsertDlg::accept() {
  const runorder::InsertResult result = run_.InsertStory(
      Bytes(source_), Bytes(source_program_), Bytes(destination_), Bytes(destination_program_));
  if (result == runorder::InsertResult::kDone) QDialog::accept();
}

}  // namespace telvane::ui
