#include "prompt/ui/prompt_control.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <functional>
#include <optional>
#include <utility>

#include "platform/qt/qt_host.h"

namespace telvane::ui {

namespace {

using platform::qt::ColourOf;
using platform::qt::FromCatalogue;

// The mouse speed pad: every move over it, with or without a button, is a speed.
class MousePad : public QWidget {
 public:
  MousePad(QWidget* parent, std::function<void(int y, int height)> moved)
      : QWidget(parent), moved_(std::move(moved)) {
    setMouseTracking(true);
    setAutoFillBackground(true);
  }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    moved_(static_cast<int>(event->position().y()), height());
  }

 private:
  std::function<void(int, int)> moved_;
};

std::optional<prompt::PanelKey> PanelKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      return prompt::PanelKey::kPageUp;
    case Qt::Key_PageDown:
      return prompt::PanelKey::kPageDown;
    case Qt::Key_Home:
      return prompt::PanelKey::kHome;
    case Qt::Key_End:
      return prompt::PanelKey::kEnd;
    case Qt::Key_Left:
      return prompt::PanelKey::kLeft;
    case Qt::Key_Right:
      return prompt::PanelKey::kRight;
    case Qt::Key_Up:
      return prompt::PanelKey::kUp;
    case Qt::Key_Down:
      return prompt::PanelKey::kDown;
    default:
      return std::nullopt;
  }
}

prompt::KeyModifiers ModifiersOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers m = event.modifiers();
  return prompt::ReduceModifiers(m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
                                 m.testFlag(Qt::AltModifier));
}

void SetBackground(QWidget* widget, config::ColourValue colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ColourOf(colour));
  widget->setPalette(palette);
}

void SetRect(QWidget* widget, const prompt::PanelRect& r) {
  widget->setGeometry(r.x, r.y, r.width, r.height);
}

}  // namespace

PromptControlHints PromptControlHints::From(const std::function<std::string(int)>& message_text) {
  return {message_text(503), message_text(504), message_text(505), message_text(506),
          message_text(507), message_text(508), message_text(509), message_text(542),
          message_text(543), message_text(1000)};
}

TPromptControl::TPromptControl(std::unique_ptr<prompt::SpeedPanel> panel,
                               const PromptControlHints& hints, int pixels_per_inch,
                               QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      panel_(std::move(panel)),
      pixels_per_inch_(pixels_per_inch) {
  setObjectName(QStringLiteral("TPromptControl"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Prompt Control"));
  // Keys belong to the window, not to whichever control was clicked last.
  setFocusPolicy(Qt::StrongFocus);

  const auto panel_widget = [this](const char* name) {
    auto* w = new QWidget(this);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoFillBackground(true);
    return w;
  };
  left_panel_ = panel_widget("LeftPanel");
  centre_panel_ = panel_widget("CentrePanel");
  right_panel_ = panel_widget("RightPanel");

  buttons_[0] = AddButton("TopBtn", hints.top, QStyle::SP_MediaSkipBackward, false);
  buttons_[1] = AddButton("PrevBtn", hints.previous, QStyle::SP_MediaSeekBackward, false);
  buttons_[2] = AddButton("NextBtn", hints.next, QStyle::SP_MediaSeekForward, false);
  buttons_[3] = AddButton("StopBtn", hints.stop, QStyle::SP_MediaStop, false);
  buttons_[4] = AddButton("PauseBtn", hints.pause, QStyle::SP_MediaPause, true);
  connect(buttons_[0], &QToolButton::clicked, this,
          [this] { panel_->Jump(prompt::StoryJump::kTop); });
  connect(buttons_[1], &QToolButton::clicked, this,
          [this] { panel_->Jump(prompt::StoryJump::kPrevious); });
  connect(buttons_[2], &QToolButton::clicked, this,
          [this] { panel_->Jump(prompt::StoryJump::kNext); });
  connect(buttons_[3], &QToolButton::clicked, this, [this] { panel_->Stop(); });
  connect(buttons_[4], &QToolButton::clicked, this,
          [this](bool down) { panel_->PauseToggled(down); });

  speed_bar_ = new QScrollBar(Qt::Vertical, this);
  speed_bar_->setObjectName(QStringLiteral("SpeedBar"));
  speed_bar_->setFocusPolicy(Qt::NoFocus);
  speed_bar_->setRange(prompt::kSpeedMin, prompt::kSpeedMax);
  speed_bar_->setPageStep(10);
  connect(speed_bar_, &QScrollBar::valueChanged, this,
          [this](int position) { panel_->ScrollerMoved(position); });

  mouse_pad_ = new MousePad(this, [this](int y, int h) { panel_->PadMoved(y, h); });
  mouse_pad_->setObjectName(QStringLiteral("MousePad"));

  cue_up_ = AddButton("CueUpBtn", hints.cue_up, QStyle::SP_ArrowUp, false);
  cue_down_ = AddButton("CueDownBtn", hints.cue_down, QStyle::SP_ArrowDown, false);
  connect(cue_up_, &QToolButton::clicked, this, [this] { panel_->MoveCue(true); });
  connect(cue_down_, &QToolButton::clicked, this, [this] { panel_->MoveCue(false); });

  rate_ = new QLabel(this);
  rate_->setObjectName(QStringLiteral("RatePanel"));
  rate_->setToolTip(FromCatalogue(hints.rate));
  rate_->setAlignment(Qt::AlignCenter);
  rate_->setFrameShape(QFrame::Panel);
  rate_->setFrameShadow(QFrame::Sunken);
  QFont bold = rate_->font();
  bold.setBold(true);
  rate_->setFont(bold);

  direction_ = AddButton("DirectionBtn", hints.direction, QStyle::SP_BrowserReload, true);
  latch_ = AddButton("LatchBtn", hints.latch, QStyle::SP_TitleBarShadeButton, true);
  connect(direction_, &QToolButton::clicked, this,
          [this](bool on) { panel_->DirectionToggled(on); });
  connect(latch_, &QToolButton::clicked, this, [this](bool on) { panel_->LatchToggled(on); });

  const prompt::SpeedPanelLayout natural = prompt::LayOutSpeedPanel(pixels_per_inch_, 0, 0);
  setMinimumSize(natural.min_width, natural.min_height);
  const prompt::PanelRect place = panel_->Place(pixels_per_inch_);
  move(place.x, place.y);
  resize(place.width, place.height);
  PlaceControls();

  panel_->SetChangedHandler([this] { Refresh(); });
  Refresh();
}

TPromptControl::~TPromptControl() {
  RememberPlace();
  panel_->SetChangedHandler(nullptr);
  panel_->Close();
}

QToolButton* TPromptControl::AddButton(const char* name, const std::string& hint,
                                       QStyle::StandardPixmap picture, bool toggle) {
  auto* b = new QToolButton(this);
  b->setObjectName(QString::fromLatin1(name));
  b->setToolTip(FromCatalogue(hint));
  b->setIcon(style()->standardIcon(picture));
  b->setCheckable(toggle);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

void TPromptControl::Refresh() {
  const prompt::SpeedPanel& p = *panel_;
  for (QWidget* w : {left_panel_, centre_panel_, right_panel_}) SetBackground(w, p.panel_colour());
  SetBackground(mouse_pad_, p.pad_colour());
  {
    const QSignalBlocker block(speed_bar_);
    speed_bar_->setValue(p.position());
  }
  speed_bar_->setVisible(!p.latched());
  mouse_pad_->setVisible(p.latched());
  rate_->setText(FromCatalogue(p.rate_text()));
  for (QToolButton* b : buttons_) b->setEnabled(p.buttons_enabled());
  mouse_pad_->setEnabled(p.buttons_enabled());
  buttons_[4]->setChecked(p.pause_down());
  direction_->setChecked(p.mirrored());
  latch_->setChecked(p.latched());
}

void TPromptControl::PlaceControls() {
  const prompt::SpeedPanelLayout l = prompt::LayOutSpeedPanel(pixels_per_inch_, width(), height());
  SetRect(left_panel_, l.left_panel);
  SetRect(centre_panel_, l.centre_panel);
  SetRect(right_panel_, l.right_panel);
  for (std::size_t i = 0; i < buttons_.size(); ++i) SetRect(buttons_[i], l.buttons[i]);
  SetRect(speed_bar_, l.scroller);
  SetRect(mouse_pad_, l.scroller);
  SetRect(cue_up_, l.cue_up);
  SetRect(cue_down_, l.cue_down);
  SetRect(rate_, l.rate);
  SetRect(direction_, l.direction);
  SetRect(latch_, l.latch);
}

void TPromptControl::RememberPlace() {
  panel_->RememberPlace({x(), y(), width(), height()});
}

void TPromptControl::keyPressEvent(QKeyEvent* event) {
  const auto key = PanelKeyOf(event->key());
  if (!key) {
    QWidget::keyPressEvent(event);
    return;
  }
  panel_->KeyPressed(*key, ModifiersOf(*event));
  event->accept();
}

void TPromptControl::keyReleaseEvent(QKeyEvent* event) {
  const auto key = PanelKeyOf(event->key());
  if (!key) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  // A held End repeats its release; stop once, when the key really comes up.
  if (!event->isAutoRepeat()) panel_->KeyReleased(*key, ModifiersOf(*event));
  event->accept();
}

void TPromptControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceControls();
  RememberPlace();
}

void TPromptControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  RememberPlace();
}

void TPromptControl::closeEvent(QCloseEvent* event) {
  RememberPlace();
  panel_->Close();
  emit Closed();
  event->accept();
}

}  // namespace telvane::ui
