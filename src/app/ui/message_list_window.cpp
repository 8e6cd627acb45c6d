#include "app/ui/message_list_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_host.h"

namespace telvane::ui {

using platform::qt::FromCatalogue;

TMessageListForm::TMessageListForm(app::Application& app, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), app_(app) {
  setObjectName(QStringLiteral("TMessageListForm"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(FromCatalogue(app_.MessageText(242)));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("MessageList"));
  layout->addWidget(list_);
  auto* buttons = new QHBoxLayout();
  const auto add = [&](const char* name, const char* caption, int hint,
                       void (TMessageListForm::*slot)()) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(FromCatalogue(app_.MessageText(hint)));
    connect(button, &QPushButton::clicked, this, slot);
    buttons->addWidget(button);
  };
  add("SaveBtn", "Save", 377, &TMessageListForm::Save);
  add("PrintBtn", "Print", 778, &TMessageListForm::Print);
  add("ClearBtn", "Clear", 378, &TMessageListForm::Clear);
  layout->addLayout(buttons);
  // The configuration remembers the place, for this run and the next.
  const auto& s = app_.settings();
  setGeometry(s.Int(config::Key::kMessageBoxLeft), s.Int(config::Key::kMessageBoxTop),
              std::max(200, s.Int(config::Key::kMessageBoxWidth)),
              std::max(200, s.Int(config::Key::kMessageBoxHeight)));
  ShowEntries(app_.status_messages().entries());
}

void TMessageListForm::ShowEntries(const std::deque<std::string>& entries) {
  list_->clear();
  for (const std::string& entry : entries) list_->addItem(FromCatalogue(entry));
}

void TMessageListForm::closeEvent(QCloseEvent* event) {
  const QRect place = geometry();
  auto& s = app_.settings();
  s.SetInt(config::Key::kMessageBoxLeft, place.x());
  s.SetInt(config::Key::kMessageBoxTop, place.y());
  s.SetInt(config::Key::kMessageBoxWidth, place.width());
  s.SetInt(config::Key::kMessageBoxHeight, place.height());
  emit Closed();
  event->accept();
}

void TMessageListForm::Save() {
  if (app_.status_messages().entries().empty()) {
    app_.Ask(app_.MessageText(779), platform::BoxKind::kInformation, platform::BoxButtons::kOk);
    return;
  }
  auto path = app_.dialogs().ChooseSaveFile(app_.MessageText(377),
                                            app_.settings().Text(config::Key::kConstantsDefaultDir),
                                            "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
  if (path) (void)app_.SaveMessageList(*path);
}

void TMessageListForm::Print() {
  const auto& entries = app_.status_messages().entries();
  if (entries.empty()) {
    app_.Ask(app_.MessageText(779), platform::BoxKind::kInformation, platform::BoxButtons::kOk);
    return;
  }
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter(&printer);
  painter.setFont(QFont(QStringLiteral("Arial"), 12));
  const int step = painter.fontMetrics().boundingRect(QLatin1Char('M')).height() * 6 / 5;
  const int page_height = painter.viewport().height();
  int y = 20;
  for (const std::string& entry : entries) {
    if (page_height - y < 2 * step) {
      printer.newPage();
      y = 20;
    }
    painter.drawText(50, y + painter.fontMetrics().ascent(), FromCatalogue(entry));
    y += step;
  }
}

void TMessageListForm::Clear() {
  app_.status_messages().Clear();
  list_->clear();
}

}  // namespace telvane::ui
