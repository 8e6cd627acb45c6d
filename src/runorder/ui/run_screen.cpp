#include "runorder/ui/run_screen.h"

#include <QCloseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <type_traits>

#include "runorder/ui/block_move_dlg.h"
#include "runorder/ui/change_id_dlg.h"
#include "runorder/ui/change_story_font_dlg.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/insert_dlg.h"
#include "runorder/ui/run_grid.h"
#include "runorder/ui/run_order_configuration.h"

namespace telvane::ui {

using config::Key;

namespace {

constexpr int kToolPanelHeight = 25;
constexpr int kConfigurationCaption = 823;
constexpr Key kPnewButton = Key::kRunOrderPnewBtn;

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

TRunScreen::TRunScreen(runorder::RunOrder& run_order, store::ScriptStore& store,
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
  AddButton("SaveRunOrderRemoteBtn", Key::kRunOrderSaveRoRemoteBtn, 681,
            if_stories([this] { emit SaveRunOrderRemote(); }));
  AddButton("SaveStoryRemoteBtn", Key::kRunOrderSaveStoryRemoteBtn, 682, if_stories([this] {
              if (run_.SelectedStory() != run_.run_end())
                emit SaveStoryRemote(run_.SelectedStory());
            }));
  AddButton("SaveAllRemoteBtn", Key::kRunOrderSaveAllStoriesRemoteBtn, 370, if_stories([this] {
              emit SaveAllStoriesRemote(run_.SelectedStory(), run_.selected_last());
            }));
  LayOutButtons();

  timing_screen_ = new TDisplayRtScreen(store, settings, this);
  timing_screen_->hide();
  connect(timing_screen_, &TDisplayRtScreen::StoryTextChanged, this, &TRunScreen::StoryEdited);
  connect(grid_, &RunGrid::HeaderPainted, timing_screen_, &TDisplayRtScreen::Repaint);
  connect(grid_, &RunGrid::FontCellReleased, this, [this] {
    if (font_dlg_ != nullptr && font_dlg_->isVisible()) font_dlg_->ApplyPending();
  });
  connect(grid_, &RunGrid::FileStoryPlaced, this, [this] {
    if (!run_.store().prompting()) emit PositionPrompt(run_.SelectedStory());
  });
  update_font_time_.setInterval(200);
  connect(&update_font_time_, &QTimer::timeout, this, [this] {
    if (font_dlg_ == nullptr || !font_dlg_->isVisible()) {
      update_font_time_.stop();
      return;
    }
    font_dlg_->Reload();
  });

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
  button->setAutoRaise(true);
  connect(button, &QToolButton::clicked, this, std::move(action));
  buttons_.push_back({button, visible, hint, settings_.Bool(visible)});
}

void TRunScreen::LayOutButtons() {
  std::vector<bool> shown;
  for (const Button& b : buttons_)
    shown.push_back(b.visible && !(hide_pnew_ && b.key == kPnewButton));
  const std::vector<int> lefts = runorder::RunButtonLefts(shown, pixels_per_inch_);
  const int width = runorder::RunButtonWidth(pixels_per_inch_);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    QWidget* w = buttons_[i].widget;
    w->setVisible(shown[i]);
    if (shown[i]) w->setGeometry(lefts[i], 0, width, kToolPanelHeight);
  }
}

void TRunScreen::SetPixelsPerInch(int pixels_per_inch) {
  pixels_per_inch_ = pixels_per_inch;
  LayOutButtons();
}

void TRunScreen::SetRestrictedMode(bool hide_pnew) {
  hide_pnew_ = hide_pnew;
  LayOutButtons();
}

void TRunScreen::set_message_text(std::function<QString(int)> text) {
  message_text_ = std::move(text);
  grid_->set_message_text(message_text_);
  timing_screen_->set_message_text(message_text_);
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
  timing_screen_->RequestRedraw();
  if (run_.SelectedStory() != last_selected_) {
    last_selected_ = run_.SelectedStory();
    if (insert_dlg_ != nullptr && insert_dlg_->isVisible()) insert_dlg_->FollowSelection();
    if (!model_.dragging() && !run_.store().prompting() && !run_.empty()) {
      emit PositionPrompt(run_.SelectedStory());
    }
  }
}

void TRunScreen::StoryEdited(store::e_object* line) {
  if (line == nullptr) return;
  model_.StoryEdited(*line);
  grid_->viewport()->update();
  timing_screen_->RequestRedraw();
}

void TRunScreen::OpenStoryFontDialog() {
  if (font_dlg_ == nullptr) {
    font_dlg_ = new TChangeStoryFontDlg(
        run_, settings_, [this](int n) { return Message(n); }, this);
    connect(font_dlg_, &TChangeStoryFontDlg::Information, this, &TRunScreen::Information);
  }
  font_dlg_->Reload();
  font_dlg_->show();
  font_dlg_->raise();
  font_dlg_->activateWindow();
  update_font_time_.start();
}

void TRunScreen::set_remote_control(std::function<std::vector<std::string>()> story_list,
                                    std::function<void(const std::string&)> send) {
  remote_story_list_ = std::move(story_list);
  send_remote_ = std::move(send);
}

void TRunScreen::OpenConfiguration() {
  std::vector<TRunOrderConfiguration::Choice> choices;
  for (const Button& b : buttons_) {
    choices.push_back({Message(b.hint), b.visible, !(hide_pnew_ && b.key == kPnewButton)});
  }
  TRunOrderConfiguration dialog(Message(kConfigurationCaption), choices, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::vector<bool> visible = dialog.Visibility();
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].visible != visible[i]) {
      buttons_[i].visible = visible[i];
      emit ButtonVisibilityChanged(buttons_[i].key, visible[i]);
    }
  }
  LayOutButtons();
}

void TRunScreen::SettingsChanged() {
  model_.set_options(runorder::GridOptionsFrom(settings_));
  timing_screen_->SettingsChanged();
  Refresh();
}

void TRunScreen::ScrollRowToTop(int row) {
  grid_->SetTopRow(row);
}

void TRunScreen::AirStoryChanged() {
  const runorder::RunOrderOptions& o = run_.options();
  const runorder::RunOrder::AirFind air = run_.FindAirStory();
  const int row = model_.RowOf(air.entry);
  Refresh();
  if (o.run_order_prompt_track && row > 0) {
    grid_->SetTopRow(std::max(1, row - o.run_order_track_offset));
  }
  timing_screen_->SetOnAirStory(air.entry);
}

void TRunScreen::HandleRequest(const runorder::GridRequest& request) {
  using Kind = runorder::GridRequest::Kind;
  switch (request.kind) {
    case Kind::kShowInEditor:
      emit ShowInEditor(request.entry);
      break;
    case Kind::kStartPrompt:
      if (remote_story_list_ && send_remote_) {
        if (const auto cue = runorder::RemoteCueMessage(remote_story_list_(), *request.entry)) {
          send_remote_(*cue);
        }
      }
      emit StartPrompt(request.entry);
      break;
    case Kind::kProgramIdDialog:
      Open(change_id_dlg_);
      break;
    case Kind::kFontDialog:
      OpenStoryFontDialog();
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
