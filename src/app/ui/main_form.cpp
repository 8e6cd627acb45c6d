#include "app/ui/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "app/menu_enabling.h"
#include "app/network_button.h"
#include "app/newsroom.h"
#include "app/ui/config_chooser_window.h"
#include "app/ui/message_list_window.h"
#include "app/ui/splash_window.h"
#include "app/window_layout.h"
#include "editor/ui/edit_screen.h"
#include "editor/ui/slug_form.h"
#include "platform/qt/qt_host.h"
#include "prompt/speed_panel.h"
#include "prompt/ui/prompt_control.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/run_screen.h"

namespace telvane::ui {

using config::Key;
using platform::qt::ColourOf;
using platform::qt::FromCatalogue;

namespace {

QLabel* Panel(QWidget* parent, const char* name, const QString& hint) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setToolTip(hint);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  return panel;
}

void Place(QWidget* widget, const app::PanelRect& r) {
  widget->setVisible(r.width > 0);
  if (r.width > 0) widget->setGeometry(r.x, r.y, r.width, r.height);
}

bool German(const config::Settings& s) {
  const std::string& language = s.Text(Key::kLanguageLanguage);
  return !language.empty() && language[0] == 'B';
}

}  // namespace

TMainForm::TMainForm(app::Application& app) : app_(app) {
  setObjectName(QStringLiteral("TMainForm"));
  app_.SetView(this);
  app_.CreateMainWindow();

  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tool_panel_ = new QWidget(client);
  tool_panel_->setObjectName(QStringLiteral("MainToolPanel"));
  tool_panel_->setFixedHeight(app::kToolPanelHeight);
  layout->addWidget(tool_panel_);
  mdi_area_ = new QMdiArea(client);
  mdi_area_->setObjectName(QStringLiteral("ClientArea"));
  mdi_area_->setBackground(QColor(128, 128, 128));
  layout->addWidget(mdi_area_, 1);
  status_panel_ = new QWidget(client);
  status_panel_->setObjectName(QStringLiteral("StatusBar"));
  status_panel_->setFixedHeight(app::kStatusBarHeight);
  layout->addWidget(status_panel_);
  setCentralWidget(client);

  BuildToolPanel();
  BuildStatusBar();
  BuildMenus();
  // 28.
  tool_panel_->setVisible(app_.settings().Bool(Key::kMenuMainPanel));
  ShowInsertMode(app_.insert_mode());
  setWindowTitle(FromCatalogue(app_.MainCaption()));
  const auto& s = app_.settings();
  resize(std::max(640, s.Int(Key::kMainWidth)), std::max(455, s.Int(Key::kMainHeight)));
  move(s.Int(Key::kMainLeft), s.Int(Key::kMainTop));
  connect(mdi_area_, &QMdiArea::subWindowActivated, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
}

TMainForm::~TMainForm() {
  // The children go after this window's members: nothing they do may reach back here.
  mdi_area_->disconnect(this);
  if (edit_screen_) edit_screen_->disconnect(this);
  if (run_screen_ && run_screen_->timing_screen()) {
    run_screen_->timing_screen()->removeEventFilter(this);
  }
  app_.SetView(nullptr);
  app_.Destroy();
}

QString TMainForm::Text(int message) const {
  return FromCatalogue(app_.MessageText(message));
}

QAction* TMainForm::Item(const QString& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

void TMainForm::SetRunScreen(TRunScreen* run_screen) {
  run_screen_ = run_screen;
  connect(run_screen, &TRunScreen::TypedIdChanged, this,
          [this](const QString& text) { run_order_end_panel_->setText(text); });
  if (TDisplayRtScreen* timing = run_screen->timing_screen()) {
    connect(timing, &TDisplayRtScreen::RunTimeChanged, this, [this](const QString& text) {
      run_time_text_ = text;
      if (!run_time_shows_clock_) run_time_data_panel_->setText(text);
    });
    // The timing window keeps View > Program Timing in step when the operator closes it.
    timing->installEventFilter(this);
  }
  UpdateEnabling();
}

void TMainForm::SetEditScreen(TEditScreen* edit_screen) {
  edit_screen_ = edit_screen;
  edit_screen->SetFontPanelVisible(app_.settings().Bool(Key::kMenuFontPanel));
  if (edit_screen->model().insert_mode() != app_.insert_mode()) edit_screen->model().ToggleInsert();
  connect(edit_screen, &QObject::destroyed, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
}

void TMainForm::SetItemEnabled(const char* name, bool enabled) {
  const QString key = QString::fromLatin1(name);
  // A command whose subsystem is missing stays disabled whatever the rules say.
  if (QAction* item = Item(key)) {
    item->setEnabled(enabled && !item->property("missing").isValid());
  }
  if (const auto it = buttons_.find(key); it != buttons_.end()) {
    it->second->setEnabled(enabled && !it->second->property("missing").isValid());
  }
}

void TMainForm::UpdateEnabling() {
  app::WindowState state;
  state.editor = !edit_screen_.isNull();
  state.run_order = run_screen_ && run_screen_->isVisible();
  state.preview = !preview_.isNull();
  state.prompting = app_.engine().prompting();
  state.cut_to_black = app_.settings().Bool(Key::kMainCutToBlackEnabled);
  state.clipboard_text = Item(QStringLiteral("EditWinPasteItem")) != nullptr &&
                         Item(QStringLiteral("EditWinPasteItem"))->property("clipboard").toBool();
  for (const app::ItemState& item : app::EnabledItems(state)) {
    SetItemEnabled(std::string(item.name).c_str(), item.on);
  }
}

// --- Tool panel ---

void TMainForm::BuildToolPanel() {
  const auto& s = app_.settings();
  const bool german = German(s);
  const auto picture = [this](QToolButton* b, const char* file) {
    const QPixmap pixmap(QString::fromStdString(app_.paths().File(file)));
    b->setIcon(QIcon(pixmap));
    b->setIconSize(pixmap.size());
  };
  for (const app::ToolButtonDef& def : app::MainToolButtons()) {
    auto* b = new QToolButton(tool_panel_);
    const QString name = QString::fromLatin1(def.name.data(), static_cast<int>(def.name.size()));
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setCheckable(def.kind == app::ButtonKind::kToggle);
    b->setToolTip(Text(def.hint));
    buttons_[name] = b;
  }
  for (const char* name : {"NetworkBtn", "EnpsBtn", "LtoRBtn", "RtoLBtn"}) {
    auto* b = new QToolButton(tool_panel_);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    buttons_[QString::fromLatin1(name)] = b;
  }
  buttons_[QStringLiteral("NetworkBtn")]->setCheckable(true);
  buttons_[QStringLiteral("EnpsBtn")]->setCheckable(true);
  // 18. The direction buttons are always hidden.
  buttons_[QStringLiteral("LtoRBtn")]->setToolTip(Text(44));
  buttons_[QStringLiteral("RtoLBtn")]->setToolTip(Text(45));
  buttons_[QStringLiteral("LtoRBtn")]->hide();
  buttons_[QStringLiteral("RtoLBtn")]->hide();

  const auto text = [this](const char* name, const QString& caption) {
    buttons_[QString::fromLatin1(name)]->setText(caption);
  };
  QStyle* style = QApplication::style();
  buttons_[QStringLiteral("OpenBtn")]->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
  buttons_[QStringLiteral("SaveBtn")]->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
  text("LocalCutBtn", QStringLiteral("X"));
  text("LocalCopyBtn", QStringLiteral("Cp"));
  text("LocalPasteBtn", QStringLiteral("Ps"));
  text("WindowsPasteBtn", QStringLiteral("W"));
  buttons_[QStringLiteral("ZapBtn")]->setIcon(style->standardIcon(QStyle::SP_TrashIcon));
  text("ControlBtn", QStringLiteral("C"));
  // 14.
  picture(buttons_[QStringLiteral("PromptBlackBtn")], "pblack.bmp");
  buttons_[QStringLiteral("RestartBtn")]->setIcon(style->standardIcon(QStyle::SP_BrowserReload));
  text("PromptTrackBtn", QStringLiteral("T"));
  picture(buttons_[QStringLiteral("PromptBtn")], "btstart0.bmp");
  text("SlugBtn", QStringLiteral("S"));
  text("BookmarkBtn", QStringLiteral("M"));
  text("ColorBtn", QStringLiteral("Co"));
  // 19. The German interface's bold is "F", its italics and inverse have pictures.
  text("BoldBtn", german ? QStringLiteral("F") : QStringLiteral("B"));
  if (german) {
    picture(buttons_[QStringLiteral("ItalicsBtn")], "gerital.bmp");
    picture(buttons_[QStringLiteral("InverseBtn")], "gerinvl.bmp");
  } else {
    text("ItalicsBtn", QStringLiteral("I"));
    text("InverseBtn", QStringLiteral("V"));
  }
  text("UnderlineBtn", QStringLiteral("U"));
  text("ForceUppercaseBtn", QStringLiteral("A"));
  text("HardReturnsBtn", QStringLiteral("\u00B6"));
  QFont bold = buttons_[QStringLiteral("BoldBtn")]->font();
  bold.setBold(true);
  buttons_[QStringLiteral("BoldBtn")]->setFont(bold);

  control_btn_ = buttons_[QStringLiteral("ControlBtn")];
  prompt_btn_ = buttons_[QStringLiteral("PromptBtn")];
  connect(control_btn_, &QToolButton::toggled, this, &TMainForm::TogglePromptControl);
  connect(buttons_[QStringLiteral("PromptBlackBtn")], &QToolButton::clicked, this,
          [this](bool down) {
            app_.engine().SetBlank(down);
            SetBlanked(app_.engine().blanked());
          });
  connect(buttons_[QStringLiteral("RestartBtn")], &QToolButton::clicked, this,
          [this] { RestartPrompt(); });
  connect(prompt_btn_, &QToolButton::clicked, this, [this] {
    app_.TogglePrompt();
    SetPrompting(app_.engine().prompting() || app_.engine().start_requested());
  });
  connect(buttons_[QStringLiteral("ZapBtn")], &QToolButton::clicked, this, [this] { app_.Zap(); });
  connect(buttons_[QStringLiteral("NetworkBtn")], &QToolButton::clicked, this, [this] {
    // Without a newsroom system the button only says so and comes up again.
    buttons_[QStringLiteral("NetworkBtn")]->setChecked(false);
    app_.Ask(app_.MessageText(1084), platform::BoxKind::kInformation, platform::BoxButtons::kOk);
  });
  for (const char* name : {"LocalCutBtn", "LocalCopyBtn", "LocalPasteBtn"}) {
    buttons_[QString::fromLatin1(name)]->setProperty("missing", QStringLiteral("local clipboard"));
    buttons_[QString::fromLatin1(name)]->setEnabled(false);
  }
  buttons_[QStringLiteral("WindowsPasteBtn")]->setProperty("missing",
                                                           QStringLiteral("clipboard import"));
  buttons_[QStringLiteral("ColorBtn")]->setProperty("missing",
                                                    QStringLiteral("colour selection window"));
  buttons_[QStringLiteral("EnpsBtn")]->setProperty("missing", QStringLiteral("ENPS link"));
  for (const char* name : {"WindowsPasteBtn", "ColorBtn", "EnpsBtn"}) {
    buttons_[QString::fromLatin1(name)]->setEnabled(false);
  }
  ApplyNetworkButtons();
}

void TMainForm::ApplyNetworkButtons() {
  const app::NewsroomDef& system = app::DefinitionOf(app_.newsroom());
  const app::NetworkButtons look = app::NetworkButtonsFor(app_.settings());
  QToolButton* network = buttons_[QStringLiteral("NetworkBtn")];
  QToolButton* enps = buttons_[QStringLiteral("EnpsBtn")];
  const QString picture = QString::fromStdString(
      app_.paths().File(look.network_picture.empty() ? "telnet.bmp" : look.network_picture));
  network->setIcon(QIcon(QPixmap(picture)));
  network->setIconSize(QPixmap(picture).size());
  network->setProperty("own_width", look.network_width);
  network->setVisible(look.network_visible);
  network->setChecked(false);
  enps->setIcon(QIcon(QPixmap(QString::fromStdString(app_.paths().File(
      look.enps_picture.empty() ? std::string("enps.bmp") : look.enps_picture)))));
  enps->setProperty("own_width", look.enps_width);
  enps->setVisible(look.enps_visible);
  (system.enps_button ? enps : network)->setToolTip(Text(system.hint));
  // The links of the other systems come with their own subsystems: until then their button
  // stays up and disabled, and only Default's answers.
  const bool works = app_.newsroom() == app::NewsroomSystem::kDefault;
  network->setProperty("missing", works ? QVariant() : QVariant(QStringLiteral("newsroom links")));
  network->setEnabled(works);
  LayOutToolPanel();
}

void TMainForm::LayOutToolPanel() {
  const int ppi = app_.host_facts().pixels_per_inch;
  const int standard = app::ToolButtonWidth(ppi);
  const auto width_of = [&](std::string_view name) {
    const auto it = buttons_.find(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
    if (it == buttons_.end() ||
        (it->second->isHidden() && it->second->testAttribute(Qt::WA_WState_ExplicitShowHide)))
      return 0;
    const QVariant own = it->second->property("own_width");
    return own.isValid() ? own.toInt() : standard;
  };
  for (const app::ToolButtonPlace& place : app::LayOutToolButtons(ppi, width_of)) {
    QToolButton* b =
        buttons_[QString::fromLatin1(place.name.data(), static_cast<int>(place.name.size()))];
    b->setGeometry(place.rect.x, place.rect.y, place.rect.width, place.rect.height);
  }
}

// --- Status bar ---

void TMainForm::BuildStatusBar() {
  run_order_end_panel_ = Panel(status_panel_, "RunOrderEndPanel", Text(772));
  status_line_ = Panel(status_panel_, "StatusLine", Text(384));
  status_line_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  status_line_->setAutoFillBackground(true);
  status_line_->installEventFilter(this);
  closed_caption_panel_ = Panel(status_panel_, "ClosedCaptionStatusPanel", Text(793));
  nexus_panel_ = new QWidget(status_panel_);
  nexus_panel_->setObjectName(QStringLiteral("NexusPanel"));
  nexus_listening_panel_ = Panel(nexus_panel_, "NexusListeningPanel", QString());
  nexus_connected_panel_ = Panel(nexus_panel_, "NexusConnectedPanel", QString());
  nexus_listening_panel_->setGeometry(1, 6, 11, 13);
  nexus_connected_panel_->setGeometry(14, 6, 11, 13);
  master_slave_panel_ = new QWidget(status_panel_);
  master_slave_panel_->setObjectName(QStringLiteral("MasterSlavePanel"));
  Panel(master_slave_panel_, "ClientConnectedPanel", Text(1029))->setGeometry(1, 6, 11, 13);
  Panel(master_slave_panel_, "ServerConnectedPanel", Text(1030))->setGeometry(14, 6, 11, 13);
  insert_panel_ = Panel(status_panel_, "InsertPanel", Text(385));
  insert_panel_->installEventFilter(this);
  run_time_back_panel_ = new QWidget(status_panel_);
  run_time_back_panel_->setObjectName(QStringLiteral("RTBackPanel"));
  run_time_back_panel_->setToolTip(Text(369));
  run_time_panel_ = Panel(run_time_back_panel_, "RunTimePanel", Text(369));
  run_time_panel_->setText(QStringLiteral(" ") + Text(122));
  run_time_data_panel_ = Panel(run_time_back_panel_, "RunTimeDataPanel", Text(369));
  run_time_data_panel_->setText(run_time_text_);
  run_time_back_panel_->installEventFilter(this);
  run_time_panel_->installEventFilter(this);
  run_time_data_panel_->installEventFilter(this);
  edit_changed_panel_ = Panel(status_panel_, "EditChangedPanel", Text(22));
  usb_battery_panel_ = Panel(status_panel_, "UsbBatteryPanel", Text(1236));
  read_only_panel_ = Panel(status_panel_, "ReadOnlyPanel", Text(123));
  read_only_panel_->setStyleSheet(
      QStringLiteral("color: red; font-family: Arial; font-weight: bold;"));
  status_panel_->installEventFilter(this);
  const auto& s = app_.settings();
  SetStatusText("", static_cast<std::uint32_t>(s.Int(Key::kColorsMessageB)),
                static_cast<std::uint32_t>(s.Int(Key::kColorsMessageF)));
  NewsroomChanged();
}

void TMainForm::LayOutStatusBar() {
  if (app_.closing()) return;
  const auto& s = app_.settings();
  app::StatusPanels shown;
  shown.german = German(s);
  // The USB controller and the caption line are not there on this station.
  shown.usb_battery = false;
  shown.closed_caption = false;
  shown.master_slave = s.Bool(Key::kConstantsMasterSlave);
  const app::StatusLayout l =
      app::LayOutStatusBar(status_panel_->width(), app_.host_facts().pixels_per_inch, shown);
  Place(run_order_end_panel_, l.run_order_end);
  Place(status_line_, l.status_line);
  Place(closed_caption_panel_, l.closed_caption);
  Place(nexus_panel_, l.nexus);
  Place(master_slave_panel_, l.master_slave);
  Place(insert_panel_, l.insert);
  Place(run_time_back_panel_, l.run_time);
  Place(run_time_panel_, l.run_time_label);
  Place(run_time_data_panel_, l.run_time_data);
  Place(edit_changed_panel_, l.edit_changed);
  Place(usb_battery_panel_, l.usb_battery);
  Place(read_only_panel_, l.read_only);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == status_panel_ && event->type() == QEvent::Resize) {
    LayOutStatusBar();
  } else if (event->type() == QEvent::MouseButtonPress) {
    if (watched == status_line_) {
      message_list_item_->toggle();
      return true;
    }
    if (watched == insert_panel_) {
      Item(QStringLiteral("EditInsertItem"))->trigger();
      return true;
    }
    if (watched == run_time_back_panel_ || watched == run_time_panel_ ||
        watched == run_time_data_panel_) {
      run_time_shows_clock_ = !run_time_shows_clock_;
      run_time_panel_->setText(QStringLiteral(" ") + Text(run_time_shows_clock_ ? 430 : 122));
      if (!run_time_shows_clock_) run_time_data_panel_->setText(run_time_text_);
      return true;
    }
  } else if (run_screen_ && watched == run_screen_->timing_screen() &&
             (event->type() == QEvent::Hide || event->type() == QEvent::Show)) {
    QAction* item = Item(QStringLiteral("ViewDisplayRtItem"));
    const QSignalBlocker block(item);
    item->setChecked(event->type() == QEvent::Show);
    app_.settings().SetBool(Key::kMenuTiming, event->type() == QEvent::Show);
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowTimeOfDay(std::string_view time) {
  if (run_time_shows_clock_) run_time_data_panel_->setText(FromCatalogue(time));
}

void TMainForm::ShowInsertMode(bool insert) {
  insert_panel_->setText(insert ? Text(76).remove(QLatin1Char('&')) : QStringLiteral("Overtype"));
  if (edit_screen_ && edit_screen_->model().insert_mode() != insert) {
    edit_screen_->model().ToggleInsert();
  }
}

void TMainForm::SetEditChanged(bool changed) {
  edit_changed_panel_->setText(changed ? Text(22) : QString());
}

void TMainForm::NewsroomChanged() {
  const app::NewsroomDef& system = app::DefinitionOf(app_.newsroom());
  nexus_listening_panel_->setToolTip(system.listening_hint != 0 ? Text(system.listening_hint)
                                                                : QString());
  nexus_connected_panel_->setToolTip(system.connected_hint != 0 ? Text(system.connected_hint)
                                                                : QString());
  if (!items_.empty()) {
    CheckNewsroomItem();
    ApplyNetworkButtons();
  }
}

// --- The prompt ---

void TMainForm::TogglePromptControl(bool show) {
  const auto text = [this](int n) { return app_.MessageText(n); };
  if (show && !prompt_control_) {
    auto panel = std::make_unique<prompt::SpeedPanel>(app_.engine(), app_.settings(),
                                                      prompt::SpeedPanelTexts::From(text));
    prompt_control_ = new TPromptControl(std::move(panel), PromptControlHints::From(text),
                                         app_.host_facts().pixels_per_inch, this);
    app_.engine().SetSpeedPanel(&prompt_control_->panel());
    connect(prompt_control_, &TPromptControl::Closed, this, [this] {
      app_.engine().SetSpeedPanel(nullptr);
      app_.settings().SetBool(Key::kSpeedControl, false);
      const QSignalBlocker block_item(prompt_control_item_);
      const QSignalBlocker block_button(control_btn_);
      prompt_control_item_->setChecked(false);
      control_btn_->setChecked(false);
      control_btn_->setToolTip(Text(31));
    });
    app_.settings().SetBool(Key::kSpeedControl, true);
    prompt_control_->show();
  } else if (!show && prompt_control_) {
    prompt_control_->close();
  }
  const QSignalBlocker block_item(prompt_control_item_);
  const QSignalBlocker block_button(control_btn_);
  prompt_control_item_->setChecked(show);
  control_btn_->setChecked(show);
  control_btn_->setToolTip(Text(show ? 138 : 31));
}

void TMainForm::RestartPrompt() {
  // The run order's chosen story, else the top of the script.
  const store::r_object* chosen = app_.run_order().SelectedStory();
  store::e_object* line = chosen != nullptr && chosen != app_.run_order().run_end()
                              ? chosen->line
                              : app_.store().first_line();
  app_.engine().JumpToLine(line);
}

void TMainForm::SetPrompting(bool prompting) {
  QAction* on = Item(QStringLiteral("PromptOnItem"));
  QAction* off = Item(QStringLiteral("PromptOffItem"));
  on->setChecked(prompting);
  off->setChecked(!prompting);
  UpdateEnabling();
  prompt_btn_->setChecked(prompting);
  prompt_btn_->setToolTip(Text(prompting ? 14 : 13));
  QPalette palette = prompt_btn_->palette();
  palette.setColor(QPalette::ButtonText, prompting ? Qt::red : Qt::black);
  prompt_btn_->setPalette(palette);
  if (!prompting) SetBlanked(false);
}

void TMainForm::SetBlanked(bool blanked) {
  Item(QStringLiteral("PromptBlankScreenItem"))->setChecked(blanked);
  buttons_[QStringLiteral("PromptBlackBtn")]->setChecked(blanked);
}

// --- app::ShellView ---

QMdiSubWindow* TMainForm::AddChild(QWidget* child, const QSize& size, const QPoint& position) {
  QMdiSubWindow* sub = mdi_area_->addSubWindow(child);
  sub->setObjectName(child->objectName() + QStringLiteral("Frame"));
  sub->setWindowTitle(child->windowTitle());
  sub->resize(size);
  sub->move(position);
  sub->show();
  UpdateEnabling();
  return sub;
}

void TMainForm::SetStatusText(std::string_view text, std::uint32_t background,
                              std::uint32_t foreground) {
  if (status_line_ == nullptr) return;
  QPalette palette = status_line_->palette();
  palette.setColor(QPalette::Window, ColourOf(background));
  palette.setColor(QPalette::WindowText, ColourOf(foreground));
  status_line_->setPalette(palette);
  status_line_->setText(FromCatalogue(text));
}

void TMainForm::SetMainCaption(std::string_view caption) {
  setWindowTitle(FromCatalogue(caption));
}

void TMainForm::RefreshMessageList(const std::deque<std::string>& entries) {
  if (message_list_) message_list_->ShowEntries(entries);
}

void TMainForm::ToggleMessageList(bool show) {
  if (show && !message_list_) {
    message_list_ = new TMessageListForm(app_, this);
    connect(message_list_, &TMessageListForm::Closed, this,
            [this] { message_list_item_->setChecked(false); });
    message_list_->show();
  } else if (!show && message_list_) {
    message_list_->close();
  }
  app_.SetMessageListOpen(show);
}

void TMainForm::OpenConfigChooser(app::ConfigChooser& chooser) {
  auto* window = new TConfigChooserWindow(chooser, isVisible() ? this : nullptr);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

void TMainForm::ReleaseSplash() {
  if (splash_) splash_->close();
}

void TMainForm::FocusRunOrderGrid() {
  if (run_screen_) run_screen_->setFocus();
}

void TMainForm::BringWorkWindowsToFront() {
  BringToFront(run_screen_);
  BringToFront(edit_screen_);
}

void TMainForm::RestoreAfterRefusedClose() {
  SetItemEnabled("HelpRestoreEditFormItem", edit_screen_.isNull());
  SetItemEnabled("HelpRestoreRunOrderFormItem", !run_screen_ || !run_screen_->isVisible());
}

void TMainForm::SetReadOnlyPanel(std::string_view text) {
  read_only_panel_->setText(FromCatalogue(text));
}

void TMainForm::SetWindowsPasteEnabled(bool enabled) {
  // Remembered for the enabling rules; the paste itself comes with the clipboard import.
  if (QAction* item = Item(QStringLiteral("EditWinPasteItem"))) {
    item->setProperty("clipboard", enabled);
  }
  UpdateEnabling();
}

void TMainForm::SetBackgroundMessage(std::string_view text) {
  if (edit_screen_) edit_screen_->SetBackgroundMessage(FromCatalogue(text));
}

void TMainForm::OpenSlugDialog() {
  if (slug_dialog_ == nullptr) return;
  if (!slug_form_) {
    slug_form_ = new TSlugForm(*slug_dialog_, Text(496), Text(497), QPoint(200, 200), this);
    slug_form_->setObjectName(QStringLiteral("TSlugForm"));
  }
  slug_dialog_->SetPresenterMode(app_.settings().Bool(Key::kPresenterEnabled));
  if (edit_screen_) {
    QWidget* caption_window = edit_screen_->parentWidget() != nullptr ? edit_screen_->parentWidget()
                                                                      : edit_screen_.data();
    slug_form_->SetCaptionWindow(
        caption_window, [this](int n) { return FromCatalogue(app_.settings().Presenter(n).name); });
  }
  slug_form_->OpenForCurrentLine();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (app_.CloseQuery(false)) {
    if (message_list_) message_list_->close();
    // The panel talks to the engine and the settings as it closes: it goes first.
    if (prompt_control_) prompt_control_->close();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace telvane::ui
