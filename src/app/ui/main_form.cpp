#include "app/ui/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

#include "app/network_button.h"
#include "app/ui/config_chooser_window.h"
#include "app/ui/message_list_window.h"
#include "app/ui/splash_window.h"
#include "prompt/speed_panel.h"
#include "prompt/ui/prompt_control.h"
#include "editor/ui/edit_screen.h"
#include "platform/qt/qt_host.h"

namespace telvane::ui {

using platform::qt::ColourOf;
using platform::qt::FromCatalogue;

TMainForm::TMainForm(app::Application& app) : app_(app) {
  setObjectName(QStringLiteral("TMainForm"));
  app_.SetView(this);
  app_.CreateMainWindow();

  mdi_area_ = new QMdiArea(this);
  mdi_area_->setObjectName(QStringLiteral("ClientArea"));
  mdi_area_->setBackground(QColor(128, 128, 128));
  setCentralWidget(mdi_area_);
  BuildMenus();
  BuildToolPanel();
  BuildStatusBar();
  setWindowTitle(FromCatalogue(app_.MainCaption()));
  const auto& s = app_.settings();
  resize(std::max(640, s.Int(config::Key::kMainWidth)),
         std::max(455, s.Int(config::Key::kMainHeight)));
  move(s.Int(config::Key::kMainLeft), s.Int(config::Key::kMainTop));
}

TMainForm::~TMainForm() {
  app_.SetView(nullptr);
  app_.Destroy();
}

void TMainForm::BuildMenus() {
  const auto text = [this](int n) { return FromCatalogue(app_.MessageText(n)); };
  // The menu bar in its order; the items of each menu are the commands' own.
  QMenu* file = menuBar()->addMenu(text(46));
  file->setObjectName(QStringLiteral("MainFileItem"));
  QMenu* edit = menuBar()->addMenu(text(47));
  edit->setObjectName(QStringLiteral("MainEditItem"));
  menuBar()->addMenu(text(76))->setObjectName(QStringLiteral("MainInsertItem"));
  menuBar()->addMenu(text(48))->setObjectName(QStringLiteral("MainRunOrderItem"));
  menuBar()->addMenu(text(475))->setObjectName(QStringLiteral("MainProgramItem"));
  QMenu* prompt = menuBar()->addMenu(text(49));
  prompt->setObjectName(QStringLiteral("MainPromptItem"));
  QMenu* view = menuBar()->addMenu(text(50));
  view->setObjectName(QStringLiteral("MainViewItem"));
  QMenu* options = menuBar()->addMenu(text(51));
  options->setObjectName(QStringLiteral("MainOptionsItem"));
  menuBar()->addMenu(text(52))->setObjectName(QStringLiteral("MainWindowItem"));
  menuBar()->addMenu(text(865))->setObjectName(QStringLiteral("MainPresenterItem"));
  menuBar()->addMenu(text(53))->setObjectName(QStringLiteral("MainHelpItem"));

  // The File menu's script commands, in menu order.
  const auto item = [&](const char* name, int caption, QKeySequence keys,
                        std::function<void()> action) {
    QAction* a = file->addAction(text(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, std::move(action));
    return a;
  };
  item("FileNewItem", 54, QKeySequence(Qt::CTRL | Qt::Key_N), [this] { app_.FileNew(); });
  item("FileOpenItem", 55, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { app_.FileOpen(false); });
  item("FileAppendItem", 56, QKeySequence(Qt::CTRL | Qt::Key_E), [this] { app_.FileOpen(true); });
  file->addSeparator();
  item("FileSaveScriptItem", 58, QKeySequence(Qt::CTRL | Qt::Key_S),
       [this] { (void)app_.SaveScriptCommand(); });
  item("FileSaveScriptAsItem", 59, {}, [this] { app_.SaveScriptAs(); });
  item("FileSaveStoryItem", 60, {},
       [this] { app_.SaveStory(app_.store().current_line().get(), false); });
  item("FileSaveStoryAsItem", 61, {},
       [this] { app_.SaveStoryAs(app_.store().current_line().get()); });
  item("FileSaveAllStoriesItem", 1101, {},
       [this] { app_.SaveAllStories(nullptr, nullptr, false); });
  item("FileSaveStoryRemoteItem", 498, QKeySequence(Qt::CTRL | Qt::Key_T),
       [this] { app_.SaveStory(app_.store().current_line().get(), true); });
  item("FileSaveAllStoriesRemoteItem", 684, {},
       [this] { app_.SaveAllStories(nullptr, nullptr, true); });
  file->addSeparator();

  QAction* load_config = file->addAction(text(1162));
  load_config->setObjectName(QStringLiteral("FileLoadLocalConfigurationItem"));
  connect(load_config, &QAction::triggered, this, [this] {
    const auto& s = app_.settings();
    if (auto path = app_.dialogs().ChooseOpenFile(app_.MessageText(1163),
                                                  s.Text(config::Key::kMainConfigurationDirectory),
                                                  "INI Files (*.ini)|*.ini")) {
      (void)app_.LoadConfigCopy(*path);
    }
  });
  QAction* save_config = file->addAction(text(1161));
  save_config->setObjectName(QStringLiteral("FileSaveLocalConfigurationAsItem"));
  connect(save_config, &QAction::triggered, this, [this] {
    const auto& s = app_.settings();
    if (auto path =
            app_.dialogs().ChooseSaveFile(app_.MessageText(677),
                                          s.Text(config::Key::kMainConfigurationDirectory) + "/" +
                                              s.Text(config::Key::kMainConfigurationFilename),
                                          "INI Files (*.ini)|*.ini")) {
      (void)app_.SaveConfigCopy(*path);
    }
  });

  QAction* exit = file->addAction(text(67));
  exit->setObjectName(QStringLiteral("FileExitItem"));
  connect(exit, &QAction::triggered, this, &QWidget::close);

  windows_paste_item_ = edit->addAction(text(129));
  windows_paste_item_->setObjectName(QStringLiteral("EditWinPasteItem"));
  windows_paste_item_->setEnabled(false);

  message_list_item_ = view->addAction(text(224));
  message_list_item_->setObjectName(QStringLiteral("ViewMessageListItem"));
  message_list_item_->setCheckable(true);
  connect(message_list_item_, &QAction::toggled, this, &TMainForm::ToggleMessageList);
  prompt_control_item_ = view->addAction(text(98));
  prompt_control_item_->setObjectName(QStringLiteral("ViewSpeedControlItem"));
  prompt_control_item_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  prompt_control_item_->setCheckable(true);
  connect(prompt_control_item_, &QAction::toggled, this, &TMainForm::TogglePromptControl);

  save_setup_exit_item_ = options->addAction(text(105));
  save_setup_exit_item_->setObjectName(QStringLiteral("OptionsSaveSetupExitItem"));
  save_setup_exit_item_->setCheckable(true);
  save_setup_exit_item_->setChecked(app_.save_setup_on_exit());
  connect(save_setup_exit_item_, &QAction::toggled, this,
          [this](bool on) { app_.SetSaveSetupOnExit(on); });

  multiple_configuration_item_ = options->addAction(text(676));
  multiple_configuration_item_->setObjectName(QStringLiteral("OptionsMultipleConfigurationItem"));
  multiple_configuration_item_->setCheckable(true);
  multiple_configuration_item_->setChecked(app_.master_config().multiple_configuration);

  QAction* save_as = options->addAction(QStringLiteral("Save Configuration &As"));
  save_as->setObjectName(QStringLiteral("OptionsSaveConfigurationAsItem"));
  connect(save_as, &QAction::triggered, this, [this] {
    if (!app_.master_config().multiple_configuration) {
      (void)app_.SaveConfiguration();
      return;
    }
    app::ConfigChooser chooser = app_.MakeConfigChooser(app::ChooserMode::kSave);
    OpenConfigChooser(chooser);
    app_.WaitFor([&] { return chooser.closed(); });
  });

  delete_configuration_item_ = options->addAction(text(680));
  delete_configuration_item_->setObjectName(QStringLiteral("OptionsDeleteConfigurationItem"));
  delete_configuration_item_->setVisible(app_.master_config().multiple_configuration);
  connect(delete_configuration_item_, &QAction::triggered, this, [this] {
    app::ConfigChooser chooser = app_.MakeConfigChooser(app::ChooserMode::kDelete);
    OpenConfigChooser(chooser);
    app_.WaitFor([&] { return chooser.closed(); });
  });
  connect(multiple_configuration_item_, &QAction::toggled, this, [this](bool on) {
    app_.SetMultipleConfiguration(on);
    delete_configuration_item_->setVisible(on);
  });
  BuildPromptMenu(prompt);
}

void TMainForm::BuildPromptMenu(QMenu* prompt) {
  const auto text = [this](int n) { return FromCatalogue(app_.MessageText(n)); };
  const auto item = [&](const char* name, int caption, QKeySequence keys,
                        std::function<void()> action) {
    QAction* a = prompt->addAction(text(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, std::move(action));
    return a;
  };
  prompt_on_item_ = item("PromptOnItem", 89, {}, [this] {
    if (!app_.engine().prompting()) app_.engine().RequestStart(prompt::StartKind::kChosen);
    SetPrompting(app_.engine().prompting() || app_.engine().start_requested());
  });
  prompt_on_item_->setCheckable(true);
  // 28. F9 only when the configuration allows it.
  if (app_.settings().Bool(config::Key::kShortcutF9ShortcutEnabled)) {
    prompt_on_item_->setShortcut(QKeySequence(Qt::Key_F9));
  }
  prompt_off_item_ = item("PromptOffItem", 90, QKeySequence(Qt::CTRL | Qt::Key_F9),
                          [this] { app_.engine().RequestStop(); });
  prompt_off_item_->setCheckable(true);
  prompt_off_item_->setChecked(true);
  restart_item_ = item("PromptRestartItem", 112, {}, [this] { RestartPrompt(); });
  restart_item_->setEnabled(false);
  item("ResetPromptCardItem", 190, {}, [this] {
    if (app_.prompt_output() != nullptr) app_.prompt_output()->Reset();
  });
  blank_item_ = item("PromptBlankScreenItem", 974, QKeySequence(Qt::SHIFT | Qt::Key_F9),
                     [this] { app_.engine().SetBlank(!app_.engine().blanked()); });
  blank_item_->setCheckable(true);
  blank_item_->setEnabled(false);
}

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
      app_.settings().SetBool(config::Key::kSpeedControl, false);
      const QSignalBlocker block_item(prompt_control_item_);
      const QSignalBlocker block_button(control_btn_);
      prompt_control_item_->setChecked(false);
      control_btn_->setChecked(false);
      control_btn_->setToolTip(FromCatalogue(app_.MessageText(31)));
    });
    app_.settings().SetBool(config::Key::kSpeedControl, true);
    prompt_control_->show();
  } else if (!show && prompt_control_) {
    prompt_control_->close();
  }
  const QSignalBlocker block_item(prompt_control_item_);
  const QSignalBlocker block_button(control_btn_);
  prompt_control_item_->setChecked(show);
  control_btn_->setChecked(show);
  control_btn_->setToolTip(FromCatalogue(app_.MessageText(show ? 138 : 31)));
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
  prompt_on_item_->setChecked(prompting);
  prompt_off_item_->setChecked(!prompting);
  restart_item_->setEnabled(prompting);
  restart_btn_->setEnabled(prompting);
  const bool blank = prompting && app_.settings().Bool(config::Key::kMainCutToBlackEnabled);
  blank_item_->setEnabled(blank);
  prompt_black_btn_->setEnabled(blank);
  prompt_btn_->setChecked(prompting);
  prompt_btn_->setToolTip(FromCatalogue(app_.MessageText(prompting ? 14 : 13)));
  QPalette palette = prompt_btn_->palette();
  palette.setColor(QPalette::ButtonText, prompting ? Qt::red : Qt::black);
  prompt_btn_->setPalette(palette);
  if (!prompting) SetBlanked(false);
}

void TMainForm::SetBlanked(bool blanked) {
  blank_item_->setChecked(blanked);
  prompt_black_btn_->setChecked(blanked);
}

void TMainForm::BuildToolPanel() {
  tool_panel_ = addToolBar(QStringLiteral("MainToolPanel"));
  tool_panel_->setObjectName(QStringLiteral("MainToolPanel"));
  tool_panel_->setMovable(false);
  tool_panel_->setFixedHeight(31);
  tool_panel_->setVisible(app_.settings().Bool(config::Key::kMenuMainPanel));
  const int width = app_.host_facts().pixels_per_inch >= 120 ? 30 : 24;
  const auto button = [&](const char* name, const std::string& picture, int button_width) {
    auto* b = new QToolButton(tool_panel_);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setFixedSize(button_width, 26);
    if (!picture.empty()) {
      const QPixmap pixmap(QString::fromStdString(app_.paths().File(picture)));
      b->setIcon(QIcon(pixmap));
      b->setIconSize(pixmap.size());
    }
    tool_panel_->addWidget(b);
    return b;
  };
  // 14. The blank-screen button and the newsroom system's network button; the prompt
  //     buttons beside them.
  control_btn_ = button("ControlBtn", "", width);
  control_btn_->setText(QStringLiteral("C"));
  control_btn_->setCheckable(true);
  control_btn_->setToolTip(FromCatalogue(app_.MessageText(31)));
  connect(control_btn_, &QToolButton::toggled, this, &TMainForm::TogglePromptControl);
  prompt_black_btn_ = button("PromptBlackBtn", "pblack.bmp", width);
  prompt_black_btn_->setCheckable(true);
  prompt_black_btn_->setEnabled(false);
  prompt_black_btn_->setToolTip(FromCatalogue(app_.MessageText(955)));
  connect(prompt_black_btn_, &QToolButton::clicked, this,
          [this](bool down) { app_.engine().SetBlank(down); SetBlanked(app_.engine().blanked()); });
  restart_btn_ = button("RestartBtn", "", width);
  restart_btn_->setText(QStringLiteral("R"));
  restart_btn_->setToolTip(FromCatalogue(app_.MessageText(30)));
  restart_btn_->setEnabled(false);
  connect(restart_btn_, &QToolButton::clicked, this, [this] { RestartPrompt(); });
  prompt_btn_ = button("PromptBtn", "", 2 * width);
  prompt_btn_->setText(FromCatalogue(app_.MessageText(49)).remove(QLatin1Char('&')));
  prompt_btn_->setCheckable(true);
  prompt_btn_->setToolTip(FromCatalogue(app_.MessageText(13)));
  connect(prompt_btn_, &QToolButton::clicked, this, [this] {
    app_.TogglePrompt();
    SetPrompting(app_.engine().prompting() || app_.engine().start_requested());
  });
  const app::NetworkButtons network = app::NetworkButtonsFor(app_.settings());
  button("NetworkBtn", network.network_picture, network.network_width)
      ->setVisible(network.network_visible);
  button("EnpsBtn", network.enps_picture, network.enps_width)->setVisible(network.enps_visible);
}

void TMainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setFixedHeight(25);
  bar->setSizeGripEnabled(false);
  status_line_ = new QLabel(bar);
  status_line_->setObjectName(QStringLiteral("StatusLine"));
  status_line_->setToolTip(FromCatalogue(app_.MessageText(384)));
  status_line_->setAutoFillBackground(true);
  status_line_->setFrameShape(QFrame::Panel);
  status_line_->setFrameShadow(QFrame::Sunken);
  status_line_->installEventFilter(this);
  bar->addWidget(status_line_, 1);
  read_only_panel_ = new QLabel(bar);
  read_only_panel_->setObjectName(QStringLiteral("ReadOnlyPanel"));
  read_only_panel_->setToolTip(FromCatalogue(app_.MessageText(123)));
  read_only_panel_->setFixedWidth(app_.host_facts().pixels_per_inch >= 120 ? 24 : 20);
  read_only_panel_->setAlignment(Qt::AlignCenter);
  read_only_panel_->setStyleSheet(
      QStringLiteral("color: red; font-family: Arial; font-weight: bold;"));
  bar->addPermanentWidget(read_only_panel_);
  const auto& s = app_.settings();
  SetStatusText("", static_cast<std::uint32_t>(s.Int(config::Key::kColorsMessageB)),
                static_cast<std::uint32_t>(s.Int(config::Key::kColorsMessageF)));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == status_line_ && event->type() == QEvent::MouseButtonPress) {
    message_list_item_->toggle();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* TMainForm::AddChild(QWidget* child, const QSize& size, const QPoint& position) {
  QMdiSubWindow* sub = mdi_area_->addSubWindow(child);
  sub->setObjectName(child->objectName() + QStringLiteral("Frame"));
  sub->setWindowTitle(child->windowTitle());
  sub->resize(size);
  sub->move(position);
  sub->show();
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
  for (QWidget* w : {run_screen_.data(), static_cast<QWidget*>(edit_screen_.data())}) {
    if (w == nullptr) continue;
    for (QMdiSubWindow* sub : mdi_area_->subWindowList()) {
      if (sub->widget() == w) mdi_area_->setActiveSubWindow(sub);
    }
  }
}

void TMainForm::RestoreAfterRefusedClose() {}

void TMainForm::SetReadOnlyPanel(std::string_view text) {
  read_only_panel_->setText(FromCatalogue(text));
}

void TMainForm::SetWindowsPasteEnabled(bool enabled) {
  windows_paste_item_->setEnabled(enabled);
}

void TMainForm::SetBackgroundMessage(std::string_view text) {
  if (edit_screen_) edit_screen_->SetBackgroundMessage(FromCatalogue(text));
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
