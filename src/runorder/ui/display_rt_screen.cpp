#include "runorder/ui/display_rt_screen.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "runorder/ui/rt_grid.h"

namespace telvane::ui {

using config::Key;
namespace m = runorder::timing_message;

namespace {

constexpr Key kColumnKeys[8] = {Key::kDisplayRtC0, Key::kDisplayRtC1, Key::kDisplayRtC2,
                                Key::kDisplayRtC3, Key::kDisplayRtC4, Key::kDisplayRtC5,
                                Key::kDisplayRtC6, Key::kDisplayRtC7};
// Widths a configuration gets before the window first stored its own.
constexpr std::array<int, 8> kDefaultWidths = {40, 40, 40, 150, 40, 45, 45, 45};

QLabel* Panel(const char* name, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setMinimumWidth(64);
  return panel;
}

}  // namespace

TDisplayRtScreen::TDisplayRtScreen(store::ScriptStore& store, const config::Settings& settings,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      store_(store),
      settings_(settings),
      model_(store, runorder::ProgramTimingOptionsFrom(settings)) {
  setObjectName(QStringLiteral("TDisplayRtScreen"));
  setWindowTitle(QStringLiteral("Program Timing"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* tools = new QWidget(this);
  tools->setObjectName(QStringLiteral("RtToolPanel"));
  auto* row = new QHBoxLayout(tools);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(2);
  layout->addWidget(tools);

  std::array<int, 8> widths = kDefaultWidths;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (settings.Has(kColumnKeys[i])) widths[i] = std::max(0, settings.Int(kColumnKeys[i]));
  }
  grid_ = new RtGrid(model_, widths, std::max(8, settings.Int(Key::kMainGridRowHeight)), this);
  QFont font(QString::fromStdString(settings.Text(Key::kMainGridFontName)));
  font.setPointSize(std::max(4, settings.Int(Key::kMainGridFontSize)));
  const config::FontStyle style = settings.Style(Key::kMainGridFontStyle);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  grid_->setFont(font);
  layout->addWidget(grid_, 1);

  const auto redraw = [this] {
    UpdateDisplays();
    grid_->Refresh();
  };
  cloak_btn_ = AddButton(tools, "TimingCloakBtn", m::kTimingCloak, [this, redraw] {
    store::e_object* line = model_.ToggleTimingCloak(grid_->selected_row());
    if (line == nullptr) return;
    emit StoryTextChanged(line);
    redraw();
  });
  start_btn_ = AddButton(tools, "StartBtn", m::kStart, [this, redraw] {
    const bool was_running = model_.timer_running();
    if (!model_.StartPressed(clock_.elapsed())) return;
    if (model_.timer_running()) {
      programme_timer_.start();
    } else {
      programme_timer_.stop();
    }
    if (was_running != model_.timer_running()) emit TimerModeChanged(model_.timer_running());
    redraw();
  });
  pause_btn_ = AddButton(tools, "PauseBtn", m::kPause, [this, redraw] {
    model_.TogglePause();
    redraw();
  });
  pause_btn_->setCheckable(true);
  abort_btn_ = AddButton(tools, "AbortBtn", m::kAbort, [this, redraw] {
    model_.Abort();
    redraw();
  });
  AddButton(tools, "AutoLoadBtn", m::kAutoLoad, [this, redraw] {
    model_.AutoLoad();
    const runorder::ClockTime& t = model_.timer_start();
    emit TimerStartLoaded(t.hours, t.minutes, t.seconds);
    redraw();
  });
  timer_panel_ = Panel("TimerPanel", tools);
  timer_panel_->installEventFilter(this);
  run_time_panel_ = Panel("RunTimePanel", tools);
  difference_panel_ = Panel("DifferencePanel", tools);
  status_text_ = new QLabel(tools);
  status_text_->setObjectName(QStringLiteral("StatusText"));
  for (QWidget* w : std::initializer_list<QWidget*>{timer_panel_, run_time_panel_,
                                                    difference_panel_, status_text_}) {
    row->addWidget(w);
  }
  row->addStretch(1);
  auto* gauges = new QWidget(this);
  auto* gauge_row = new QHBoxLayout(gauges);
  gauge_row->setContentsMargins(1, 0, 1, 1);
  timer_progress_ = new QProgressBar(gauges);
  timer_progress_->setObjectName(QStringLiteral("TimerProgress"));
  prompt_progress_ = new QProgressBar(gauges);
  prompt_progress_->setObjectName(QStringLiteral("PromptProgress"));
  for (QProgressBar* bar : {timer_progress_, prompt_progress_}) {
    bar->setTextVisible(false);
    bar->setFixedHeight(8);
    gauge_row->addWidget(bar);
  }
  layout->insertWidget(1, gauges);

  connect(grid_, &RtGrid::SelectionChanged, this, [this](int) { UpdateButtons(); });
  connect(grid_, &RtGrid::DoubleClicked, this, [this, redraw](int r, int column) {
    store::e_object* line = model_.LineAt(r);
    if (column == 2) {
      model_.Abort();
      emit StartPromptAt(line);
      redraw();
    } else if (column == 3) {
      emit ShowLineInEditor(line);
    }
  });
  redraw_delay_.setSingleShot(true);
  redraw_delay_.setInterval(100);
  connect(&redraw_delay_, &QTimer::timeout, this, [this, redraw] {
    model_.Rebuild();
    redraw();
  });
  insert_timer_.setInterval(1000);
  connect(&insert_timer_, &QTimer::timeout, this, [this, redraw] {
    model_.InsertSecond();
    SyncInsertTimer();
    redraw();
  });
  programme_timer_.setInterval(1000);
  connect(&programme_timer_, &QTimer::timeout, this, [this] {
    model_.TimerSecond();
    UpdateDisplays();
  });
  clock_.start();
  UpdateDisplays();
}

QToolButton* TDisplayRtScreen::AddButton(QWidget* panel, const char* name, int hint,
                                         const std::function<void()>& action) {
  auto* button = new QToolButton(panel);
  button->setObjectName(QString::fromLatin1(name));
  button->setProperty("hint", hint);
  button->setAutoRaise(true);
  connect(button, &QToolButton::clicked, this, [this, action] {
    action();
    SyncInsertTimer();
  });
  button->parentWidget()->layout()->addWidget(button);
  return button;
}

void TDisplayRtScreen::set_message_text(std::function<QString(int)> text) {
  message_text_ = std::move(text);
  grid_->set_message_text(message_text_);
  setWindowTitle(Message(m::kCaption));
  for (QToolButton* b : findChildren<QToolButton*>()) {
    b->setToolTip(Message(b->property("hint").toInt()));
    b->setText(Message(b->property("hint").toInt()).left(5));
  }
  timer_panel_->setToolTip(Message(m::kTimerPanel));
  run_time_panel_->setToolTip(Message(m::kRunTimePanel));
  UpdateDisplays();
}

QString TDisplayRtScreen::Message(int n) const {
  return message_text_ ? message_text_(n) : QString();
}

void TDisplayRtScreen::ShowRemainingTime(store::e_object* line) {
  if (line == nullptr) return;
  model_.ShowRemainingTime(*line);
  UpdateDisplays();
  if (isVisible()) grid_->viewport()->update();
}

void TDisplayRtScreen::SetOnAirStory(store::r_object* entry) {
  if (entry == nullptr || entry->line == nullptr) return;
  ShowRemainingTime(entry->line);
  if (const std::optional<int> top = model_.TrackedTopRow(entry)) grid_->SetTopRow(*top);
}

void TDisplayRtScreen::InsertPassed(store::e_object* line) {
  if (line == nullptr) return;
  model_.InsertPassed(*line);
  SyncInsertTimer();
  UpdateDisplays();
}

void TDisplayRtScreen::RequestRedraw() {
  redraw_delay_.start();
}

void TDisplayRtScreen::Repaint() {
  if (isVisible()) grid_->viewport()->update();
}

void TDisplayRtScreen::Reset() {
  model_.Reset();
  SyncInsertTimer();
  grid_->Refresh();
  UpdateDisplays();
}

void TDisplayRtScreen::SettingsChanged() {
  model_.set_options(runorder::ProgramTimingOptionsFrom(settings_));
  SyncInsertTimer();
  grid_->Refresh();
  UpdateDisplays();
}

void TDisplayRtScreen::SyncInsertTimer() {
  if (model_.insert_timer_on() && !insert_timer_.isActive()) {
    insert_timer_.start();
  } else if (!model_.insert_timer_on()) {
    insert_timer_.stop();
  }
  UpdateButtons();
}

void TDisplayRtScreen::UpdateButtons() {
  const store::e_object* line = model_.LineAt(grid_->selected_row());
  const bool cloaked = line != nullptr && store::HasFlag(*line, store::line_flag::kTimingCloaked);
  cloak_btn_->setEnabled(model_.CanTimingCloak(grid_->selected_row()));
  cloak_btn_->setToolTip(Message(cloaked ? m::kTimingUncloak : m::kTimingCloak));
  start_btn_->setToolTip(Message(model_.timer_running() ? m::kStop : m::kStart));
  abort_btn_->setEnabled(model_.timer_running());
  pause_btn_->setChecked(model_.paused());
}

void TDisplayRtScreen::UpdateDisplays() {
  const runorder::TimingDisplays d = model_.Displays(store_.prompting());
  const QString run_time = QString::fromStdString(d.run_time);
  if (run_time != last_run_time_) {
    last_run_time_ = run_time;
    emit RunTimeChanged(run_time);
  }
  timer_panel_->setText(QString::fromStdString(d.timer));
  run_time_panel_->setText(run_time);
  difference_panel_->setText(QString::fromStdString(d.difference));
  difference_panel_->setToolTip(Message(d.difference_hint));
  status_text_->setText(Message(d.status_message));
  for (QProgressBar* bar : {timer_progress_, prompt_progress_}) bar->setMaximum(d.progress_max);
  timer_progress_->setValue(std::min(d.timer_progress, d.progress_max));
  prompt_progress_->setValue(std::min(d.prompt_progress, d.progress_max));
}

void TDisplayRtScreen::RestorePlace(QSize main_window, QSize main_client) {
  const int width = settings_.Has(Key::kDisplayRtWidth) ? settings_.Int(Key::kDisplayRtWidth)
                                                        : main_client.width() / 2;
  const int height = settings_.Has(Key::kDisplayRtHeight) ? settings_.Int(Key::kDisplayRtHeight)
                                                          : main_window.height() / 2;
  setGeometry(settings_.Int(Key::kDisplayRtLeft), settings_.Int(Key::kDisplayRtTop),
              std::max(100, width), std::max(80, height));
}

void TDisplayRtScreen::ResetPlace(int pixels_per_inch) {
  if (pixels_per_inch == 120) {
    setGeometry(100, 290, 600, 400);
  } else {
    setGeometry(100, 240, 550, 250);
  }
}

void TDisplayRtScreen::SaveInto(config::Settings& settings) const {
  settings.SetInt(Key::kDisplayRtTop, geometry().top());
  settings.SetInt(Key::kDisplayRtLeft, geometry().left());
  settings.SetInt(Key::kDisplayRtWidth, geometry().width());
  settings.SetInt(Key::kDisplayRtHeight, geometry().height());
  for (std::size_t i = 0; i < grid_->widths().size(); ++i) {
    settings.SetInt(kColumnKeys[i], grid_->widths()[i]);
  }
}

bool TDisplayRtScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == timer_panel_ && event->type() == QEvent::MouseButtonRelease) {
    emit TimerPanelClicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TDisplayRtScreen::closeEvent(QCloseEvent* event) {
  // Closing only hides the window; the program keeps it while the run order lives.
  event->ignore();
  hide();
  emit Closed();
}

}  // namespace telvane::ui
