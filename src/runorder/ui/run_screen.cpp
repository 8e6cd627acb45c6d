#include "runorder/ui/run_screen.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <type_traits>

#include "runorder/ui/block_move_dlg.h"
#include "runorder/ui/change_id_dlg.h"
#include "runorder/ui/insert_dlg.h"
#include "runorder/ui/run_grid.h"
#include "runorder/ui/run_order_configuration.h"

namespace telvane::ui {

using config::Key;

namespace {

constexpr int kToolPanelHeight = 25;
constexpr int kButtonWidth = 24;
constexpr int kConfigurationCaption = 823;

}  // namespace

template <typename Dialog>
void TRunScreen::Open(Dialog*& dialog) {
  if (dialog == nullptr) {
    dialog = new Dialog(
        run_, [this](int n) { return Message(n); }, this);
  } else if (!dialog->isVisible()) {
    if constexpr (std::is_same_v<Dialog, TInsertDlg>) dialog->FollowSelection();
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

TRunScreen::TRunScreen(runorder::RunOrder& run_order, store::ScriptStore& /*store*/,
                       const config::Settings& settings, QWidget* parent)
    : QWidget(parent),
      run_(run_order),
      settings_(settings),
      model_(run_order, runorder::GridOptionsFrom(settings)) {
  setObjectName(QStringLiteral("TRunScreen"));
  setWindowTitle(QStringLiteral("Run Order"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tool_panel_ = new QWidget(this);
  tool_panel_->setObjectName(QStringLiteral("RunOrderToolPanel"));
  tool_panel_->setFixedHeight(kToolPanelHeight);
  auto* buttons = new QHBoxLayout(tool_panel_);
  buttons->setContentsMargins(1, 0, 0, 0);
  buttons->setSpacing(0);
  layout->addWidget(tool_panel_);
  grid_ = new RunGrid(run_order, model_, settings, this);
  layout->addWidget(grid_, 1);

  const auto if_stories = [this](std::function<void()> action) {
    return [this, action = std::move(action)] {
      if (!run_.empty()) action();
      Refresh();
    };
  };
  AddButton("RunTopBtn", Key::kRunOrderTopBtn, 118, if_stories([this] { run_.ShowTopStory(); }));
  AddButton("RunBottomBtn", Key::kRunOrderBottomBtn, 119,
            if_stories([this] { run_.ShowLastStory(); }));
  AddButton("RunAirBtn", Key::kRunOrderAirBtn, 120, if_stories([this] { run_.ShowAirStory(); }));
  AddButton("RunEndBtn", Key::kRunOrderEndBtn, 121,
            if_stories([this] { run_.InsertAfterAir({}); }));
  AddButton("RunInsertBtn", Key::kRunOrderInsertBtn, 131,
            if_stories([this] { Open(insert_dlg_); }));
  AddButton("RunBlockMoveBtn", Key::kRunOrderBlockMoveBtn, 166, if_stories([this] {
              if (run_.SelectedStory() == run_.selected_last()) {
                emit Information(Message(runorder::message::kBlockOfOneRow));
              } else {
                Open(block_move_dlg_);
              }
            }));
  AddButton("RunPnewBtn", Key::kRunOrderPnewBtn, 205, if_stories([this] {
              run_.ExchangePnew({true, true, false, false});
            }));
  AddButton("RunDropBtn", Key::kRunOrderDropBtn, 130, if_stories([this] { run_.DropStories(); }));
  AddButton("RunTimeBtn", Key::kRunOrderTimeBtn, 368, if_stories([this] {
              emit Information(Message(runorder::grid_message::kRunTime) + QStringLiteral(" ") +
                               QString::fromStdString(model_.SelectionRunTime()));
            }));
  buttons->addStretch(1);

  connect(grid_, &RunGrid::Request, this, &TRunScreen::HandleRequest);
  connect(grid_, &RunGrid::TypedIdChanged, this, &TRunScreen::TypedIdChanged);
  connect(grid_, &RunGrid::StatusMessage, this, &TRunScreen::StatusMessage);
  if (run_.SelectedStory() == nullptr) run_.Select(run_.run_end());
  resize_timer_.setSingleShot(true);
  resize_timer_.setInterval(100);
  connect(&resize_timer_, &QTimer::timeout, this, &TRunScreen::SnapHeight);
}

TRunScreen::~TRunScreen() {
  // The grid loses its focus while the base class deletes it; this window is gone by then.
  grid_->disconnect(this);
}

void TRunScreen::AddButton(const char* name, Key visible, int hint, std::function<void()> action) {
  auto* button = new QToolButton(tool_panel_);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedWidth(kButtonWidth);
  button->setAutoRaise(true);
  button->setVisible(settings_.Bool(visible));
  connect(button, &QToolButton::clicked, this, std::move(action));
  tool_panel_->layout()->addWidget(button);
  buttons_.push_back({button, visible, hint});
}

void TRunScreen::set_message_text(std::function<QString(int)> text) {
  message_text_ = std::move(text);
  grid_->set_message_text(message_text_);
  for (const Button& b : buttons_) {
    b.widget->setToolTip(Message(b.hint));
    static_cast<QToolButton*>(b.widget)->setText(Message(b.hint).left(1));
  }
  grid_->viewport()->update();
}

QString TRunScreen::Message(int n) const {
  return message_text_ ? message_text_(n) : QString();
}

void TRunScreen::Refresh() {
  grid_->Refresh();
  if (run_.SelectedStory() != last_selected_) {
    last_selected_ = run_.SelectedStory();
    if (insert_dlg_ != nullptr && insert_dlg_->isVisible()) insert_dlg_->FollowSelection();
  }
}

void TRunScreen::OpenConfiguration() {
  std::vector<TRunOrderConfiguration::Choice> choices;
  for (const Button& b : buttons_) choices.push_back({Message(b.hint), !b.widget->isHidden()});
  TRunOrderConfiguration dialog(Message(kConfigurationCaption), choices, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::vector<bool> visible = dialog.Visibility();
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].widget->isHidden() == visible[i]) {
      buttons_[i].widget->setVisible(visible[i]);
      emit ButtonVisibilityChanged(buttons_[i].key, visible[i]);
    }
  }
}

void TRunScreen::SettingsChanged() {
  model_.set_options(runorder::GridOptionsFrom(settings_));
  Refresh();
}

void TRunScreen::ScrollRowToTop(int row) {
  grid_->SetTopRow(row);
}

void TRunScreen::AirStoryChanged() {
  const runorder::RunOrderOptions& o = run_.options();
  if (!o.run_order_prompt_track) {
    Refresh();
    return;
  }
  const int row = model_.RowOf(run_.FindAirStory().entry);
  Refresh();
  if (row > 0) grid_->SetTopRow(std::max(1, row - o.run_order_track_offset));
}

void TRunScreen::HandleRequest(const runorder::GridRequest& request) {
  using Kind = runorder::GridRequest::Kind;
  switch (request.kind) {
    case Kind::kShowInEditor:
      emit ShowInEditor(request.entry);
      break;
    case Kind::kStartPrompt:
      emit StartPrompt(request.entry);
      break;
    case Kind::kProgramIdDialog:
      Open(change_id_dlg_);
      break;
    case Kind::kFontDialog:
      emit OpenStoryFontDialog();
      break;
    case Kind::kNotFound: {
      const QString text = Message(runorder::message::kStory) + QStringLiteral(" ") +
                           Message(runorder::message::kNotFoundEnd);
      if (model_.options().nepras) {
        emit StatusMessage(text);
      } else {
        emit Information(text);
      }
      break;
    }
    case Kind::kNone:
      break;
  }
}

void TRunScreen::set_drop_handlers(
    std::function<bool(const std::string&)> read_file,
    std::function<void(store::e_object*, const std::string&)> receive_text) {
  grid_->set_drop_handlers(std::move(read_file), std::move(receive_text));
}

void TRunScreen::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (snapping_) {
    snapping_ = false;
    return;
  }
  resize_timer_.start();
}

void TRunScreen::SnapHeight() {
  const int panel =
      (tool_panel_->isVisible() ? tool_panel_->height() : 0) + 2 * grid_->frameWidth();
  const int snapped = runorder::SnapHeight(height(), grid_->row_height(), panel);
  if (snapped == height()) return;
  snapping_ = true;
  // Inside the main window the frame around the run order takes the new height.
  QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
  frame->resize(frame->width(), frame->height() + snapped - height());
}

void TRunScreen::closeEvent(QCloseEvent* event) {
  // Closing only hides the run order; the program keeps it for its whole run.
  event->ignore();
  if (parentWidget() != nullptr) parentWidget()->hide();
}

}  // namespace telvane::ui
