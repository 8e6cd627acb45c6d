// The main window's menus: built from the item tables, each item wired to the command that
// carries it out.

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

#include "app/main_menu.h"
#include "app/menu_enabling.h"
#include "app/newsroom.h"
#include "app/ui/about_box.h"
#include "app/ui/help_window.h"
#include "app/ui/main_form.h"
#include "app/ui/message_list_window.h"
#include "app/window_layout.h"
#include "devices/ui/adjustment_window.h"
#include "editor/ui/edit_screen.h"
#include "editor/ui/slug_form.h"
#include "platform/qt/qt_host.h"
#include "prompt/ui/prompt_control.h"
#include "runorder/run_grid_model.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/run_grid.h"
#include "runorder/ui/run_screen.h"
#include "store/code_pages.h"
#include "store/line_markers.h"
#include "store/slug_commands.h"
#include "store/studio_marks.h"
#include "store/style_commands.h"

namespace telvane::ui {

using config::Key;
using platform::qt::FromCatalogue;

namespace {

QString Name(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

}  // namespace

void TMainForm::BuildMenus() {
  const app::MessageCatalogue& catalogue = app_.catalogue();
  for (const app::MenuDef& def : app::MainMenus()) {
    QMenu* menu =
        menuBar()->addMenu(FromCatalogue(app::CaptionOf(def.caption, def.message, catalogue)));
    menu->setObjectName(Name(def.name));
    menu->menuAction()->setObjectName(Name(def.name));
    menus_[Name(def.name)] = menu;
    items_[Name(def.name)] = menu->menuAction();
  }
  DefineCommands();
  const auto& s = app_.settings();
  for (const app::MenuItemDef& def : app::MainMenuItems()) {
    QMenu* parent = menus_.at(Name(def.parent));
    std::string caption = app::CaptionOf(def.caption, def.message, catalogue);
    if (def.name == "FunctionTenSecondTimerItem") caption = app::TimerFunctionCaption(s, catalogue);
    if (def.name == "OptionsSaveConfigurationAsItem") {
      caption = app::CaptionOf(def.caption, app_.master_config().multiple_configuration ? 679 : 177,
                               catalogue);
    }
    if ((def.flags & app::item_flag::kSeparator) != 0 && !def.hidden()) parent->addSeparator();
    QAction* action = nullptr;
    if (def.submenu()) {
      QMenu* sub = parent->addMenu(FromCatalogue(caption));
      sub->setObjectName(Name(def.name));
      menus_[Name(def.name)] = sub;
      action = sub->menuAction();
    } else if (def.hidden()) {
      // Never in a menu, but on the window, so its keys still work.
      action = new QAction(FromCatalogue(caption), this);
      addAction(action);
    } else {
      action = parent->addAction(FromCatalogue(caption));
    }
    action->setObjectName(Name(def.name));
    action->setProperty("hidden", def.hidden());
    action->setCheckable(def.checkable());
    if (!def.keys.empty()) {
      action->setShortcut(QKeySequence::fromString(Name(def.keys), QKeySequence::PortableText));
    }
    items_[Name(def.name)] = action;
    if (!def.missing.empty()) {
      action->setProperty("missing", Name(def.missing));
      action->setEnabled(false);
      continue;
    }
    if (const auto it = commands_.find(Name(def.name)); it != commands_.end()) {
      connect(action, &QAction::triggered, this, it->second);
      action->setProperty("wired", true);
    }
    if (def.name == "OptionsColorItem") {
      const auto colours = app::ColourItems();
      for (std::size_t i = 0; i < colours.size(); ++i) {
        QAction* colour = menus_.at(Name(def.name))
                              ->addAction(FromCatalogue(app::ColourItemCaption(i, catalogue)));
        colour->setObjectName(Name(colours[i].name));
        colour->setVisible(!colours[i].hidden);
        colour->setProperty("wired", true);
        items_[Name(colours[i].name)] = colour;
        connect(colour, &QAction::triggered, this, [this, i] { ChooseColour(i); });
      }
    }
  }
  // 28. F9 only when the configuration allows it.
  if (!s.Bool(Key::kShortcutF9ShortcutEnabled))
    Item(QStringLiteral("PromptOnItem"))->setShortcut({});
  Item(QStringLiteral("PromptOffItem"))->setChecked(true);
  for (int n = 0; n <= config::Settings::kPresenters; ++n) {
    Item(QString::fromStdString(app::PresenterItemName(n)))
        ->setText(FromCatalogue(app::PresenterCaption(n, catalogue)));
  }
  SelectFunction(s.Int(Key::kPcCardFunctionCommand));
  Item(QString::fromStdString(app::PresenterItemName(
           std::clamp(s.Int(Key::kPresenterSelected), 0, config::Settings::kPresenters))))
      ->setChecked(true);
  CheckNewsroomItem();
  // State 2 shows the newsroom features; until then they are hidden.
  for (const app::ItemState& feature :
       app::NewsroomFeatureItems(s, app_.master_config().multiple_configuration)) {
    if (feature.name != "OptionsDeleteConfigurationItem")
      Item(Name(feature.name))->setVisible(false);
  }
  Item(QStringLiteral("OptionsDeleteConfigurationItem"))
      ->setVisible(app_.master_config().multiple_configuration);
  message_list_item_ = Item(QStringLiteral("ViewMessageListItem"));
  prompt_control_item_ = Item(QStringLiteral("ViewSpeedControlItem"));
  BindToggles();
  RecentFilesChanged();
}

void TMainForm::BindToggles() {
  const auto toggled = [this](const char* name, std::function<void(bool)> action) {
    QAction* item = Item(QString::fromLatin1(name));
    connect(item, &QAction::toggled, this, std::move(action));
    item->setProperty("wired", true);
  };
  const auto settings_changed = [this](bool) {
    app_.SettingsChanged();
    if (edit_screen_) edit_screen_->ApplySettings();
    if (run_screen_) run_screen_->SettingsChanged();
    ScriptChanged();
  };
  toggled("ViewHardReturnsItem", [this](bool on) {
    if (edit_screen_) edit_screen_->SetShowHardReturns(on);
    const QSignalBlocker block(buttons_[QStringLiteral("HardReturnsBtn")]);
    buttons_[QStringLiteral("HardReturnsBtn")]->setChecked(on);
  });
  toggled("ViewMaxPreviewItem", [this](bool on) {
    if (!preview_ || preview_->parentWidget() == nullptr) return;
    QWidget* frame = preview_->parentWidget();
    if (on) {
      preview_place_before_max_ = frame->geometry();
      frame->setGeometry(frame->x(), 0, frame->width(), mdi_area_->viewport()->height());
    } else if (preview_place_before_max_.isValid()) {
      frame->setGeometry(preview_place_before_max_);
    }
  });
  toggled("ViewSpeedControlItem", [this](bool on) { TogglePromptControl(on); });
  toggled("ViewMessageListItem", [this](bool on) { ToggleMessageList(on); });
  BindSetting("ViewMainToolPanelItem", Key::kMenuMainPanel,
              [this](bool on) { tool_panel_->setVisible(on); });
  BindSetting("ViewRunOrderToolPanelItem", Key::kMenuRunOrderPanel, [this](bool on) {
    if (!run_screen_) return;
    if (auto* panel = run_screen_->findChild<QWidget*>(QStringLiteral("RunOrderToolPanel"))) {
      panel->setVisible(on);
    }
  });
  BindSetting("ViewFontToolPanelItem", Key::kMenuFontPanel, [this](bool on) {
    if (edit_screen_) edit_screen_->SetFontPanelVisible(on);
  });
  BindSetting("ViewDisplayRtItem", Key::kMenuTiming, [this](bool on) {
    if (run_screen_) run_screen_->timing_screen()->setVisible(on);
  });
  BindSetting("ViewStudioInstructionsItem", Key::kMainStudioInstructions, settings_changed);
  BindSetting("ViewUsbBatteryVoltageItem", Key::kMenuUsbBatteryVoltage,
              [this](bool) { LayOutStatusBar(); });
  BindSetting("OptionsCloakAllSluglinesItem", Key::kMenuAllSluglinesCloaked, nullptr);
  BindSetting("CentreJustifyItem", Key::kMenuCentreJustify, settings_changed);
  BindSetting("RemoveBlankLinesItem", Key::kMenuRemoveBlanks, settings_changed);
  BindSetting("PromptInverseItem", Key::kPcCardInverse, settings_changed);
  BindSetting("DisplayRunTimesItem", Key::kRunOrderDisplayRunTimes, settings_changed);
  BindSetting("DisplayAccumulationTimesItem", Key::kRunOrderDisplayAccumulationTimes,
              settings_changed);
  BindSetting("RunOrderPromptTrackItem", Key::kRunOrderRunOrderPromptTrack, settings_changed);

  QAction* save_setup = Item(QStringLiteral("OptionsSaveSetupExitItem"));
  save_setup->setChecked(app_.save_setup_on_exit());
  toggled("OptionsSaveSetupExitItem", [this](bool on) { app_.SetSaveSetupOnExit(on); });
  QAction* multiple = Item(QStringLiteral("OptionsMultipleConfigurationItem"));
  multiple->setChecked(app_.master_config().multiple_configuration);
  toggled("OptionsMultipleConfigurationItem", [this](bool on) {
    app_.SetMultipleConfiguration(on);
    Item(QStringLiteral("OptionsDeleteConfigurationItem"))->setVisible(on);
  });
  const bool tracking = app_.settings().Bool(Key::kPromptPromptTrackActive);
  Item(QStringLiteral("PromptTrackOnItem"))->setChecked(tracking);
  Item(QStringLiteral("PromptTrackOffItem"))->setChecked(!tracking);

  // The tool buttons that stand for menu items.
  const auto click = [this](const char* button, const char* item) {
    connect(buttons_[QString::fromLatin1(button)], &QToolButton::clicked, this,
            [this, item] { Item(QString::fromLatin1(item))->trigger(); });
  };
  click("OpenBtn", "FileOpenItem");
  click("SaveBtn", "FileSaveScriptItem");
  click("SlugBtn", "EditCreateSlugItem");
  click("BookmarkBtn", "EditMarkLineItem");
  click("BoldBtn", "OptionsBoldItem");
  click("ItalicsBtn", "OptionsItalicsItem");
  click("UnderlineBtn", "OptionsUnderlineItem");
  click("InverseBtn", "OptionsInverseItem");
  connect(buttons_[QStringLiteral("HardReturnsBtn")], &QToolButton::toggled, this,
          [this](bool on) { Item(QStringLiteral("ViewHardReturnsItem"))->setChecked(on); });
  connect(buttons_[QStringLiteral("PromptTrackBtn")], &QToolButton::clicked, this,
          [this](bool on) { SetPromptTracking(on); });
  buttons_[QStringLiteral("PromptTrackBtn")]->setChecked(tracking);
  QToolButton* upper = buttons_[QStringLiteral("ForceUppercaseBtn")];
  upper->setChecked(app_.settings().Bool(Key::kMenuForceUppercase));
  connect(upper, &QToolButton::toggled, this, [this](bool on) {
    app_.settings().SetBool(Key::kMenuForceUppercase, on);
    if (edit_screen_) edit_screen_->ApplySettings();
  });
}

void TMainForm::ShowNewsroomFeatures() {
  for (const app::ItemState& feature :
       app::NewsroomFeatureItems(app_.settings(), app_.master_config().multiple_configuration)) {
    Item(Name(feature.name))->setVisible(feature.on);
  }
  CheckNewsroomItem();
}

void TMainForm::RecentFilesChanged() {
  for (std::size_t i = 0; i < app::RecentFiles::kLimit; ++i) {
    QAction* item = Item(QStringLiteral("File%1").arg(i + 1));
    if (item == nullptr) return;
    const std::string caption = app_.RecentFileCaption(i);
    item->setVisible(!caption.empty());
    item->setText(FromCatalogue(caption));
  }
}

void TMainForm::ScriptChanged() {
  app_.hooks().refresh_script_windows();
}

void TMainForm::BindSetting(const char* item, Key key, std::function<void(bool)> after) {
  QAction* action = Item(QString::fromLatin1(item));
  action->setChecked(app_.settings().Bool(key));
  connect(action, &QAction::toggled, this, [this, key, after = std::move(after)](bool on) {
    app_.settings().SetBool(key, on);
    if (after) after(on);
  });
  action->setProperty("wired", true);
}

void TMainForm::DefineCommands() {
  DefineFileCommands();
  DefineEditCommands();
  DefineRunOrderCommands();
  DefinePromptCommands();
  DefineViewCommands();
  DefineOptionsCommands();
  DefineWindowCommands();
}

void TMainForm::DefineFileCommands() {
  auto& c = commands_;
  c[QStringLiteral("FileNewItem")] = [this] { app_.FileNew(); };
  c[QStringLiteral("FileOpenItem")] = [this] { app_.FileOpen(false); };
  c[QStringLiteral("FileAppendItem")] = [this] { app_.FileOpen(true); };
  c[QStringLiteral("FileLoadLocalConfigurationItem")] = [this] {
    const auto& s = app_.settings();
    if (auto path = app_.dialogs().ChooseOpenFile(app_.MessageText(1163),
                                                  s.Text(Key::kMainConfigurationDirectory),
                                                  "INI Files (*.ini)|*.ini")) {
      (void)app_.LoadConfigCopy(*path);
    }
  };
  c[QStringLiteral("FileDeleteItem")] = [this] { app_.FileDelete(); };
  c[QStringLiteral("FileSaveScriptItem")] = [this] { (void)app_.SaveScriptCommand(); };
  c[QStringLiteral("FileSaveScriptAsItem")] = [this] { app_.SaveScriptAs(); };
  c[QStringLiteral("FileSaveStoryItem")] = [this] {
    app_.SaveStory(app_.store().current_line().get(), false);
  };
  c[QStringLiteral("FileSaveStoryAsItem")] = [this] {
    app_.SaveStoryAs(app_.store().current_line().get());
  };
  c[QStringLiteral("FileSaveAllStoriesItem")] = [this] {
    app_.SaveAllStories(nullptr, nullptr, false);
  };
  c[QStringLiteral("FileSaveStoryRemoteItem")] = [this] {
    app_.SaveStory(app_.store().current_line().get(), true);
  };
  c[QStringLiteral("FileSaveAllStoriesRemoteItem")] = [this] {
    app_.SaveAllStories(nullptr, nullptr, true);
  };
  c[QStringLiteral("FileSaveLocalConfigurationAsItem")] = [this] {
    const auto& s = app_.settings();
    if (auto path = app_.dialogs().ChooseSaveFile(app_.MessageText(677),
                                                  s.Text(Key::kMainConfigurationDirectory) + "/" +
                                                      s.Text(Key::kMainConfigurationFilename),
                                                  "INI Files (*.ini)|*.ini")) {
      (void)app_.SaveConfigCopy(*path);
    }
  };
  c[QStringLiteral("FileExitItem")] = [this] { close(); };
  for (std::size_t i = 0; i < app::RecentFiles::kLimit; ++i) {
    c[QStringLiteral("File%1").arg(i + 1)] = [this, i] { app_.OpenRecentFile(i); };
  }
}

void TMainForm::DefineEditCommands() {
  auto& c = commands_;
  store::ScriptStore& store = app_.store();
  // A store command on the caret line, then the windows redraw.
  const auto on_store = [this](std::function<void()> command) {
    return [this, command = std::move(command)] {
      command();
      ScriptChanged();
    };
  };
  const auto on_line = [this, &store](void (*command)(store::ScriptStore&, store::e_object&)) {
    return [this, &store, command] {
      if (store::e_object* line = store.current_line().get()) command(store, *line);
      ScriptChanged();
    };
  };
  c[QStringLiteral("EditInsertItem")] = [this] { app_.ToggleInsertMode(); };
  c[QStringLiteral("EditReformatItem")] = [this] {
    if (edit_screen_) edit_screen_->model().ReformatText();
    ScriptChanged();
  };
  c[QStringLiteral("EditCreateSlugItem")] = on_store([&store] { store::CreateSlugLine(store); });
  c[QStringLiteral("EditCloakLineItem")] = on_store([this, &store] {
    store::ToggleCloak(store, app_.settings().Bool(Key::kMenuAllSluglinesCloaked), false);
  });
  c[QStringLiteral("EditMarkLineItem")] = on_store([&store] { store::ToggleBookmark(store); });
  c[QStringLiteral("EditSnapshotLineItem")] =
      on_line([](store::ScriptStore& s, store::e_object& l) {
        store::SetSnapshot(s, l, store::SnapshotMode::kToggle);
      });
  c[QStringLiteral("EditNonCaptionItem")] = on_store([&store] { store::ToggleNonCaption(store); });
  c[QStringLiteral("EditPresenterInstructionItem")] =
      on_store([&store] { store::TogglePresenterInstruction(store); });
  c[QStringLiteral("EditPackageTextItem")] =
      on_store([&store] { store::TogglePackageText(store); });
  c[QStringLiteral("EditDeleteLineItem")] = [this] {
    if (edit_screen_) edit_screen_->model().DeleteWholeLine();
    ScriptChanged();
  };
  c[QStringLiteral("EditSetHardReturnsItem")] =
      on_store([&store] { store::SetHardReturns(store, true); });
  c[QStringLiteral("EditClearHardReturnsItem")] =
      on_store([&store] { store::SetHardReturns(store, false); });
  c[QStringLiteral("EditForceUppercaseItem")] =
      on_store([&store] { store::ForceCase(store, true); });
  c[QStringLiteral("EditForceLowercaseItem")] =
      on_store([&store] { store::ForceCase(store, false); });
  c[QStringLiteral("EditRemoveMultipleSpacesItem")] =
      on_store([&store] { store::RemoveMultipleSpaces(store); });
  c[QStringLiteral("ShiftFocusItem")] = [this] { ShiftFocus(); };
  c[QStringLiteral("EscapeItem")] = [this] { Escape(); };
  // The picture adjustments move the raster on the presenter's screen a pixel at a time and
  // show what they did.
  const auto adjust = [this](devices::PictureAdjustment adjustment) {
    return [this, adjustment] {
      if (app_.AdjustPicture(adjustment) == devices::AdjustmentOutcome::kRefused) return;
      if (!adjustment_window_) adjustment_window_ = new TAdjustmentWindow(this);
      adjustment_window_->Show(devices::AdjustmentViewOf(app_.settings()));
    };
  };
  using devices::PictureAdjustment;
  c[QStringLiteral("PciCueLeftItem")] = adjust(PictureAdjustment::kCueLeft);
  c[QStringLiteral("PciCueRightItem")] = adjust(PictureAdjustment::kCueRight);
  c[QStringLiteral("LeftMarginIncreaseItem")] = adjust(PictureAdjustment::kLeftIncrease);
  c[QStringLiteral("LeftMarginDecreaseItem")] = adjust(PictureAdjustment::kLeftDecrease);
  c[QStringLiteral("RightMarginIncreaseItem")] = adjust(PictureAdjustment::kRightIncrease);
  c[QStringLiteral("RightMarginDecreaseItem")] = adjust(PictureAdjustment::kRightDecrease);
  const auto track_offset = [this](int step) {
    return [this, step] {
      auto& s = app_.settings();
      s.SetInt(Key::kRunOrderRunOrderTrackOffset,
               std::clamp(s.Int(Key::kRunOrderRunOrderTrackOffset) + step, 0, 30));
      app_.SettingsChanged();
      if (run_screen_) run_screen_->SettingsChanged();
    };
  };
  c[QStringLiteral("RunTrackOffsetUpItem")] = track_offset(1);
  c[QStringLiteral("RunTrackOffsetDownItem")] = track_offset(-1);
  c[QStringLiteral("SiShiftUpItem")] = on_line(&store::ShiftStudioUp);
  c[QStringLiteral("SiShiftDownItem")] = on_line(&store::ShiftStudioDown);

  c[QStringLiteral("InsertSlugLinesItem")] = on_store([&store] { store::InsertSlugLines(store); });
  c[QStringLiteral("InsertPageBreakItem")] = on_store([&store] { store::InsertPageBreak(store); });
  c[QStringLiteral("InsertHardReturnItem")] =
      on_store([&store] { store::InsertHardReturn(store); });
  c[QStringLiteral("InsertHardSpaceItem")] =
      on_store([&store] { store::TypeCharacter(store, store::kHardSpace); });
  c[QStringLiteral("InsertHardBlankItem")] =
      on_store([&store] { store::InsertHardBlankLine(store); });
  c[QStringLiteral("InsertHardHyphenItem")] =
      on_store([&store] { store::TypeCharacter(store, store::kHardHyphen); });
  c[QStringLiteral("InsertPresenterInstructionItem")] =
      on_store([&store] { store::InsertPresenterInstruction(store); });
  c[QStringLiteral("InsertPackageTextItem")] = on_store([&store] { store::InsertPackage(store); });
  c[QStringLiteral("InsertStudioMarkItem")] =
      on_store([&store] { store::SetStudioMark(store, true); });
  c[QStringLiteral("RemoveStudioMarkItem")] =
      on_store([&store] { store::SetStudioMark(store, false); });
}

void TMainForm::ClickRunOrderButton(const char* name) {
  if (!run_screen_) return;
  if (auto* button = run_screen_->findChild<QAbstractButton*>(QString::fromLatin1(name))) {
    button->click();
  }
}

void TMainForm::DefineRunOrderCommands() {
  auto& c = commands_;
  runorder::RunOrder& run = app_.run_order();
  // The run order's commands act on its selected stories, and only when there are some.
  const auto on_run = [this, &run](std::function<void()> command) {
    return [this, &run, command = std::move(command)] {
      if (!run.empty()) command();
      ScriptChanged();
    };
  };
  c[QStringLiteral("DropStoryItem")] = on_run([&run] { run.DropStories(); });
  c[QStringLiteral("UndropAllItem")] = on_run([&run] { run.UndropAll(); });
  c[QStringLiteral("RunOrderUndoLastMoveItem")] = on_run([&run] { run.UndoLastMove(); });
  c[QStringLiteral("ShowTopStoryItem")] = on_run([&run] { run.ShowTopStory(); });
  c[QStringLiteral("ShowLastStoryItem")] = on_run([&run] { run.ShowLastStory(); });
  c[QStringLiteral("ShowAirStoryItem")] = on_run([&run] { run.ShowAirStory(); });
  c[QStringLiteral("InsertStoryItem")] = [this] { ClickRunOrderButton("RunInsertBtn"); };
  c[QStringLiteral("InsertAfterOnAirItem")] = on_run([this, &run] {
    run.InsertAfterAir(
        store::Utf8ToCodePage(run_order_end_panel_->text().toStdString(), store::kDefaultCodePage));
    run_order_end_panel_->clear();
  });
  c[QStringLiteral("ExchangePnewItem")] = on_run([&run] {
    run.ExchangePnew({true, true, false, false});
  });
  c[QStringLiteral("MoveStoryBlockItem")] = [this] { ClickRunOrderButton("RunBlockMoveBtn"); };
  c[QStringLiteral("DeleteStoryItem")] = on_run([&run] { run.DeleteStories(); });
  c[QStringLiteral("CloakStoryItem")] = on_run([&run] { run.CloakStories(true); });
  c[QStringLiteral("UnCloakStoryItem")] = on_run([&run] { run.CloakStories(false); });
  c[QStringLiteral("ResequenceRunOrderItem")] = on_run([&run] { run.Resequence(); });
  c[QStringLiteral("ClearRepItem")] = on_run([&run] { run.ClearRepToNorm(); });
  c[QStringLiteral("ChangeProgramIdItem")] = [this] {
    // The grid's own request opens the run order's change-ID dialogue.
    if (run_screen_ && !app_.run_order().empty()) {
      runorder::GridRequest request;
      request.kind = runorder::GridRequest::Kind::kProgramIdDialog;
      emit run_screen_->grid()->Request(request);
    }
  };
  c[QStringLiteral("ChangeStoryFontItem")] = [this] {
    if (run_screen_) run_screen_->OpenStoryFontDialog();
  };
  c[QStringLiteral("CalculateRunTimeItem")] = [this] { ClickRunOrderButton("RunTimeBtn"); };
  c[QStringLiteral("RunOrderConfigurationItem")] = [this] {
    if (run_screen_) run_screen_->OpenConfiguration();
  };
}

void TMainForm::DefinePromptCommands() {
  auto& c = commands_;
  c[QStringLiteral("PromptOnItem")] = [this] {
    if (!app_.engine().prompting()) app_.engine().RequestStart(prompt::StartKind::kChosen);
    SetPrompting(app_.engine().prompting() || app_.engine().start_requested());
  };
  c[QStringLiteral("PromptOffItem")] = [this] {
    app_.engine().RequestStop();
    SetPrompting(app_.engine().prompting() && !app_.engine().stop_requested());
  };
  c[QStringLiteral("PromptRestartItem")] = [this] { RestartPrompt(); };
  c[QStringLiteral("PromptTrackOnItem")] = [this] { SetPromptTracking(true); };
  c[QStringLiteral("PromptTrackOffItem")] = [this] { SetPromptTracking(false); };
  c[QStringLiteral("ResetPromptCardItem")] = [this] {
    if (app_.prompt_output() != nullptr) app_.prompt_output()->Reset();
  };
  c[QStringLiteral("PromptBlankScreenItem")] = [this] {
    app_.engine().SetBlank(!app_.engine().blanked());
    SetBlanked(app_.engine().blanked());
  };
}

void TMainForm::SetPromptTracking(bool on) {
  app_.settings().SetBool(Key::kPromptPromptTrackActive, on);
  app_.SettingsChanged();
  Item(QStringLiteral("PromptTrackOnItem"))->setChecked(on);
  Item(QStringLiteral("PromptTrackOffItem"))->setChecked(!on);
  buttons_[QStringLiteral("PromptTrackBtn")]->setChecked(on);
}

void TMainForm::DefineViewCommands() {
  auto& c = commands_;
  const auto story_step = [this](editor::Key key) {
    return [this, key] {
      if (edit_screen_) edit_screen_->model().KeyDown({key, false, true});
      ScriptChanged();
    };
  };
  c[QStringLiteral("ViewNextStoryItem")] = story_step(editor::Key::kPageDown);
  c[QStringLiteral("ViewPreviousStoryItem")] = story_step(editor::Key::kPageUp);
  c[QStringLiteral("ViewFontNamesItem")] = [this] { ShowFontNames(false); };
  c[QStringLiteral("ViewDefaultFontNamesItem")] = [this] { ShowFontNames(true); };
}

void TMainForm::ShowFontNames(bool defaults) {
  const auto& s = app_.settings();
  std::string text;
  for (int n = 0; n < 8; ++n) {
    const config::PromptFontSetting& f = defaults ? s.DefaultPromptFont(n) : s.PromptFont(n);
    text += "Font " + std::to_string(n + 1) + ": " + f.name + " " + std::to_string(f.prompt_size) +
            "/" + std::to_string(f.edit_size) + "\n";
  }
  app_.Ask(text, platform::BoxKind::kInformation, platform::BoxButtons::kOk);
}

void TMainForm::DefineOptionsCommands() {
  auto& c = commands_;
  store::ScriptStore& store = app_.store();
  const auto style = [this, &store](std::uint8_t bit) {
    return [this, &store, bit] {
      store::ToggleStyle(store, bit, app_.settings().Bool(Key::kMenuAllSluglinesCloaked));
      ScriptChanged();
    };
  };
  c[QStringLiteral("OptionsBoldItem")] = style(store::style_bit::kBold);
  c[QStringLiteral("OptionsItalicsItem")] = style(store::style_bit::kItalic);
  c[QStringLiteral("OptionsUnderlineItem")] = style(store::style_bit::kUnderline);
  c[QStringLiteral("OptionsInverseItem")] = style(store::style_bit::kInverse);
  c[QStringLiteral("OptionsLeftToRightItem")] = [this, &store] {
    store::SetRightToLeft(store, false);
    ScriptChanged();
  };
  c[QStringLiteral("OptionsRightToLeftItem")] = [this, &store] {
    store::SetRightToLeft(store, true);
    ScriptChanged();
  };
  c[QStringLiteral("OptionsSaveConfigurationAsItem")] = [this] {
    if (!app_.master_config().multiple_configuration) {
      (void)app_.SaveConfiguration();
      return;
    }
    app::ConfigChooser chooser = app_.MakeConfigChooser(app::ChooserMode::kSave);
    OpenConfigChooser(chooser);
    app_.WaitFor([&] { return chooser.closed(); });
  };
  c[QStringLiteral("OptionsDeleteConfigurationItem")] = [this] {
    app::ConfigChooser chooser = app_.MakeConfigChooser(app::ChooserMode::kDelete);
    OpenConfigChooser(chooser);
    app_.WaitFor([&] { return chooser.closed(); });
  };
  c[QStringLiteral("SetDefaultFontsItem")] = [this] {
    auto& s = app_.settings();
    for (int n = 0; n < 8; ++n) s.SetPromptFont(n, s.DefaultPromptFont(n));
    app_.SettingsChanged();
    if (edit_screen_) edit_screen_->ApplySettings();
    ScriptChanged();
  };
  for (int n = 0; n < 8; ++n) {
    c[QStringLiteral("FontsFont%1Item").arg(n + 1)] = [this, n] { ChoosePromptFont(n); };
  }
  c[QStringLiteral("SetStudioInstructionsFontItem")] = [this] {
    auto& s = app_.settings();
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok,
                             QFont(QString::fromStdString(s.Text(Key::kMainStudioFontName)),
                                   s.Int(Key::kMainStudioFontSize)),
                             this);
    if (!ok) return;
    s.SetText(Key::kMainStudioFontName, chosen.family().toStdString());
    s.SetInt(Key::kMainStudioFontSize, chosen.pointSize());
    app_.SettingsChanged();
    if (edit_screen_) edit_screen_->ApplySettings();
    ScriptChanged();
  };
  for (const app::NewsroomDef& system : app::NewsroomSystems()) {
    c[Name(system.item)] = [this, chosen = system.system] {
      app_.SelectNewsroom(chosen);
      CheckNewsroomItem();
    };
  }
  for (const app::FunctionItemDef& function : app::FunctionItems()) {
    c[Name(function.name)] = [this, code = function.code] { SelectFunction(code); };
  }
  for (int n = 0; n <= config::Settings::kPresenters; ++n) {
    c[QString::fromStdString(app::PresenterItemName(n))] = [this, n] { SelectPresenter(n); };
  }
  c[QStringLiteral("HelpContentsItem")] = [this] {
    if (!help_form_) {
      help_form_ = new THelpForm(QString::fromStdString(app_.paths().help),
                                 QStringLiteral("Title_Heading"), this);
    }
    help_form_->show();
    help_form_->raise();
  };
  c[QStringLiteral("HelpAboutItem")] = [this] {
    TAboutBox about(FromCatalogue(app_.AboutText()),
                    QString::fromStdString(app_.paths().File("dvmode.bmp")), this);
    about.exec();
  };
  c[QStringLiteral("HelpRestoreEditFormItem")] = [this] {
    if (!edit_screen_ && make_editor_) make_editor_();
    UpdateEnabling();
  };
  c[QStringLiteral("HelpRestoreRunOrderFormItem")] = [this] {
    if (run_screen_) {
      if (QWidget* frame = run_screen_->parentWidget()) frame->show();
      run_screen_->show();
      BringToFront(run_screen_);
    }
    UpdateEnabling();
  };
  c[QStringLiteral("HelpSetDefaultColorsItem")] = [this] {
    const config::Settings defaults = config::Settings::Defaults(app_.host_facts().pixels_per_inch);
    for (const app::ColourItemDef& colour : app::ColourItems()) {
      app_.settings().SetInt(colour.key, defaults.Int(colour.key));
    }
    app_.SettingsChanged();
    if (edit_screen_) edit_screen_->ApplySettings();
    if (run_screen_) run_screen_->SettingsChanged();
    ScriptChanged();
  };
}

void TMainForm::ChoosePromptFont(int n) {
  auto& s = app_.settings();
  config::PromptFontSetting font = s.PromptFont(n);
  bool ok = false;
  const QFont chosen =
      QFontDialog::getFont(&ok, QFont(QString::fromStdString(font.name), font.prompt_size), this);
  if (!ok) return;
  font.name = chosen.family().toStdString();
  font.prompt_size = std::clamp(chosen.pointSize(), 16, 200);
  s.SetPromptFont(n, font);
  app_.SettingsChanged();
  if (edit_screen_) edit_screen_->ApplySettings();
  ScriptChanged();
}

void TMainForm::ChooseColour(std::size_t index) {
  const app::ColourItemDef& item = app::ColourItems()[index];
  auto& s = app_.settings();
  if (item.restores_defaults) {
    commands_.at(QStringLiteral("HelpSetDefaultColorsItem"))();
    return;
  }
  const QColor chosen = QColorDialog::getColor(
      platform::qt::ColourOf(static_cast<std::uint32_t>(s.Int(item.key))), this);
  if (!chosen.isValid()) return;
  // Settings hold colours as 0x00BBGGRR.
  s.SetInt(item.key, chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
  app_.SettingsChanged();
  if (edit_screen_) edit_screen_->ApplySettings();
  if (run_screen_) run_screen_->SettingsChanged();
  ScriptChanged();
}

void TMainForm::SelectPresenter(int n) {
  auto& s = app_.settings();
  s.SetInt(Key::kPresenterSelected, n);
  store::SelectPresenter(app_.store(), n, n == 0 ? 0 : s.Presenter(n).font);
  for (int i = 0; i <= config::Settings::kPresenters; ++i) {
    Item(QString::fromStdString(app::PresenterItemName(i)))->setChecked(i == n);
  }
  ScriptChanged();
}

void TMainForm::SelectFunction(int code) {
  app_.settings().SetInt(Key::kPcCardFunctionCommand, code);
  app_.SettingsChanged();
  for (const app::FunctionItemDef& function : app::FunctionItems()) {
    Item(Name(function.name))->setChecked(function.code == code);
  }
}

void TMainForm::CheckNewsroomItem() {
  const app::NewsroomSystem selected = app_.newsroom();
  for (const app::NewsroomDef& system : app::NewsroomSystems()) {
    QAction* item = Item(Name(system.item));
    if (item == nullptr) return;
    item->setChecked(system.system == selected);
  }
  // The MOS item is hidden unless the configuration selects MOS.
  Item(QStringLiteral("NewsroomMosItem"))->setVisible(selected == app::NewsroomSystem::kMos);
}

void TMainForm::DefineWindowCommands() {
  auto& c = commands_;
  c[QStringLiteral("WindowDefaultItem")] = [this] { DefaultLayout(); };
  c[QStringLiteral("WindowScriptItem")] = [this] {
    focus_window_ = 0;
    BringToFront(edit_screen_);
  };
  c[QStringLiteral("WindowRunOrderItem")] = [this] {
    focus_window_ = 2;
    BringToFront(run_screen_);
  };
  c[QStringLiteral("WindowPromptPreviewItem")] = [this] { BringToFront(preview_); };
  c[QStringLiteral("WindowPromptControlItem")] = [this] {
    if (!prompt_control_) return;
    focus_window_ = 1;
    prompt_control_->raise();
    prompt_control_->activateWindow();
  };
  c[QStringLiteral("WindowMessageListItem")] = [this] {
    if (!message_list_) message_list_item_->setChecked(true);
    if (message_list_) message_list_->raise();
  };
  c[QStringLiteral("WindowDisplayRtItem")] = [this] {
    if (run_screen_ && run_screen_->timing_screen()->isVisible()) {
      run_screen_->timing_screen()->raise();
    }
  };
}

void TMainForm::BringToFront(QWidget* window) {
  if (window == nullptr) return;
  for (QMdiSubWindow* sub : mdi_area_->subWindowList()) {
    if (sub->widget() == window) {
      mdi_area_->setActiveSubWindow(sub);
      window->setFocus();
      return;
    }
  }
  window->raise();
  window->setFocus();
}

void TMainForm::ShiftFocus() {
  // The editor and the run order alternate; the open control panel comes between them.
  const int windows = prompt_control_ ? 3 : 2;
  focus_window_ = (focus_window_ + (windows == 3 ? 1 : 2)) % 3;
  if (focus_window_ == 1 && !prompt_control_) focus_window_ = 2;
  if (focus_window_ == 0) {
    BringToFront(edit_screen_);
  } else if (focus_window_ == 1) {
    prompt_control_->activateWindow();
    prompt_control_->setFocus();
  } else if (run_screen_) {
    BringToFront(run_screen_);
    run_screen_->grid()->setFocus();
  }
}

void TMainForm::Escape() {
  app_.ClearStatusLine();
  run_order_end_panel_->clear();
  if (slug_form_ && slug_form_->isVisible()) slug_form_->reject();
}

void TMainForm::DefaultLayout() {
  if (!edit_screen_ && make_editor_) make_editor_();
  if (run_screen_) {
    if (QWidget* frame = run_screen_->parentWidget()) frame->show();
    run_screen_->show();
  }
  const platform::SystemFacts& facts = app_.host_facts();
  const app::PanelRect main = app::DefaultMainWindowPlace(facts.screen_width, facts.screen_height);
  setGeometry(main.x, main.y, main.width, main.height);
  const int ppi = facts.pixels_per_inch;
  const auto place = [&](QWidget* window, app::PanelRect r) {
    if (window == nullptr) return;
    QWidget* frame = window->parentWidget() != nullptr ? window->parentWidget() : window;
    frame->setGeometry(r.x, r.y, r.width, r.height);
  };
  place(run_screen_, app::DefaultRunOrderPlace(ppi));
  place(edit_screen_, app::DefaultEditorPlace(ppi));
  place(preview_, app::DefaultPreviewPlace(ppi));
  if (run_screen_) run_screen_->timing_screen()->ResetPlace(ppi);
  if (message_list_) {
    const app::PanelRect r = app::DefaultMessageListPlace(ppi);
    message_list_->setGeometry(r.x, r.y, r.width, r.height);
  }
  for (QWidget* window : {preview_.data(), static_cast<QWidget*>(run_screen_.data()),
                          static_cast<QWidget*>(edit_screen_.data())}) {
    BringToFront(window);
  }
  if (message_list_) message_list_->raise();
  if (prompt_control_) prompt_control_->raise();
  UpdateEnabling();
}

}  // namespace telvane::ui
