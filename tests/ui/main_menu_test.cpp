// The main window's menus, tool buttons and status bar under the offscreen platform.

#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <filesystem>
#include <map>
#include <set>

#include "app/application.h"
#include "app/ui/main_form.h"
#include "editor/ui/edit_screen.h"
#include "platform/qt/qt_host.h"
#include "prompt/ui/prompt_output.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/run_screen.h"
#include "support/temp_dir.h"
#include "support/virtual_host.h"

namespace telvane::ui {
namespace {

using platform::BoxAnswer;
using platform::qt::FromCatalogue;

// The keys of the menu items as the operator knows them.
const std::map<QString, QString>& ExpectedKeys() {
  static const std::map<QString, QString> keys = {
      {"FileNewItem", "Ctrl+N"},
      {"FileOpenItem", "Ctrl+O"},
      {"FileAppendItem", "Ctrl+E"},
      {"FileSaveScriptItem", "Ctrl+S"},
      {"FileSaveStoryRemoteItem", "Ctrl+T"},
      {"FilePrintStoryItem", "F7"},
      {"FilePrintScriptItem", "Ctrl+F7"},
      {"FilePrintRunOrderItem", "Shift+F7"},
      {"EditUndoItem", "Ctrl+Z"},
      {"EditCutItem", "Ctrl+X"},
      {"EditCopyItem", "Ctrl+C"},
      {"EditPasteItem", "Ctrl+V"},
      {"EditDeleteItem", "Ctrl+Del"},
      {"EditSelectSentenceItem", "Ctrl+J"},
      {"EditSelectParagraphItem", "Ctrl+K"},
      {"EditSelectStoryItem", "Ctrl+L"},
      {"EditSelectProgramItem", "Ctrl+M"},
      {"EditSelectAllItem", "Ctrl+A"},
      {"EditSelectAllSluglinesItem", "Ctrl+Shift+S"},
      {"EditFindItem", "Ctrl+F"},
      {"EditReplaceItem", "Ctrl+H"},
      {"EditInsertItem", "Ins"},
      {"EditReformatItem", "Ctrl+F3"},
      {"EditCreateSlugItem", "Ctrl+F5"},
      {"EditCloakLineItem", "Ctrl+F10"},
      {"EditSnapshotLineItem", "F6"},
      {"EditNonCaptionItem", "Ctrl+F11"},
      {"EditDeleteLineItem", "Ctrl+Y"},
      {"ShiftFocusItem", "F3"},
      {"EscapeItem", "Esc"},
      {"GridsUpItem", "Ctrl+Shift+A"},
      {"GridsNarrowerItem", "Ctrl+Shift+B"},
      {"MosEventTriggerItem", "F10"},
      {"PciCueLeftItem", "Ctrl+Shift+Left"},
      {"PciCueRightItem", "Ctrl+Shift+Right"},
      {"LeftMarginIncreaseItem", "Ctrl+Shift+C"},
      {"LeftMarginDecreaseItem", "Ctrl+Shift+D"},
      {"RightMarginIncreaseItem", "Ctrl+Shift+E"},
      {"RightMarginDecreaseItem", "Ctrl+Shift+F"},
      {"BackgroundMessageIncreaseItem", "Ctrl+Shift+G"},
      {"BackgroundMessageDecreaseItem", "Ctrl+Shift+H"},
      {"Macro0Item", "Ctrl+1"},
      {"Macro1SaveItem", "Ctrl+2"},
      {"Macro2Item", "Ctrl+3"},
      {"Macro3Item", "Ctrl+4"},
      {"Macro4Item", "Ctrl+5"},
      {"Macro5Item", "Ctrl+6"},
      {"Macro6Item", "Ctrl+7"},
      {"Macro7Item", "Ctrl+8"},
      {"Macro8Item", "Ctrl+9"},
      {"Macro9Item", "Ctrl+0"},
      {"Macro10Item", "Ctrl+-"},
      {"Macro11Item", "Ctrl+="},
      {"RunTrackOffsetUpItem", "Ctrl+Shift+J"},
      {"RunTrackOffsetDownItem", "Ctrl+Shift+K"},
      {"SiShiftUpItem", "Ctrl+Shift+1"},
      {"SiShiftDownItem", "Ctrl+Shift+2"},
      {"CompleteNewLineItem", "Ctrl+Return"},
      {"InsertSlugLinesItem", "Shift+F2"},
      {"InsertPageBreakItem", "Ctrl+P"},
      {"InsertHardReturnItem", "Ctrl+G"},
      {"InsertHardSpaceItem", "Ctrl+Shift+Space"},
      {"InsertHardBlankItem", "Ctrl+Shift+Return"},
      {"InsertHardHyphenItem", "Ctrl+Shift+-"},
      {"InsertPresenterInstructionItem", "Ctrl+Shift+Q"},
      {"InsertPackageTextItem", "Ctrl+Shift+N"},
      {"InsertStudioMarkItem", "Ctrl+/"},
      {"RemoveStudioMarkItem", "Ctrl+Shift+/"},
      {"DropStoryItem", "F5"},
      {"InsertAfterOnAirItem", "End"},
      {"PromptOnItem", "F9"},
      {"PromptOffItem", "Ctrl+F9"},
      {"PromptTrackOnItem", "F8"},
      {"PromptTrackOffItem", "Ctrl+F8"},
      {"PromptInverseItem", "Ctrl+Shift+I"},
      {"ClosedCaptionAccessItem", "F12"},
      {"PromptBlankScreenItem", "Shift+F9"},
      {"ViewMaxPreviewItem", "Ctrl+Q"},
      {"ViewSpeedControlItem", "Ctrl+R"},
      {"ViewMarkedLineItem", "Ctrl+B"},
      {"ViewRemoteInputDirectoryItem", "Shift+F3"},
      {"ViewProgramNamesItem", "Shift+F4"},
      {"OptionsBoldItem", "Ctrl+D"},
      {"OptionsItalicsItem", "Ctrl+I"},
      {"OptionsUnderlineItem", "Ctrl+U"},
      {"OptionsInverseItem", "Ctrl+W"},
      {"OptionsCloakAllSluglinesItem", "Ctrl+Shift+L"},
      {"OptionsConfigurationItem", "Shift+F5"},
      {"OptionsMasterSlaveModeItem", "F11"},
      {"HelpRestoreEditFormItem", "Ctrl+F1"},
      {"HelpRestoreRunOrderFormItem", "Ctrl+F2"},
      {"HelpResetSerialPortsItem", "Ctrl+F12"},
      {"HelpSetDefaultColorsItem", "Shift+F8"},
  };
  return keys;
}

std::string NativeScript() {
  return "QMR5\r\n11\r\nFont Selection:0\r\nFont1:Arial/64/12\r\nFont2:Arial/64/12\r\n"
         "Font3:Arial/64/12\r\nFont4:Arial/64/12\r\nFont5:Arial/64/12\r\nFont6:Arial/64/12\r\n"
         "Font7:Arial/64/12\r\nFont8:Arial/64/12\r\nIlsp:0/0/0/0/0/0/0/0\r\nColor:YES\r\n"
         "16,2057,1,,0,[1] NEWS\r\n\r\n0,8;\r\n\r\n7\r\n56,8;\r\n\r\n\r\n"
         "0,2057,Good evening.\r\n\r\n0,13;\r\n\r\n7\r\n56,13;\r\n\r\n\r\n";
}

class MainMenuTest : public ::testing::Test {
 protected:
  MainMenuTest() {
    for (const auto& entry : std::filesystem::directory_iterator(TELVANE_DATA_DIR)) {
      std::filesystem::copy_file(entry.path(), dir.File(entry.path().filename().string()));
    }
    dir.Write("story.tvl", NativeScript());
  }
  // The main window with its permanent children, through the start-up states.
  void Start() {
    app = std::make_unique<app::Application>(vh.host(), dir.path(), std::vector<std::string>{},
                                             nullptr);
    form = std::make_unique<TMainForm>(*app);
    auto* preview = new TPromptOutput(app->renderer());
    form->AddChild(preview, {250, 200}, {0, 0});
    form->SetPreview(preview);
    run = new TRunScreen(app->run_order(), app->store(), app->settings());
    form->AddChild(run, {400, 300}, {260, 0});
    form->SetRunScreen(run);
    edit = new TEditScreen(app->store(), app->settings());
    form->AddChild(edit, {600, 300}, {0, 310});
    form->SetEditScreen(edit);
    app->prompt_windows().prompting_changed = [this](bool on) { form->SetPrompting(on); };
    app->StartStartupTimer();
    form->resize(1000, 700);
    form->show();
    vh.loop.WaitUntil([&] { return app->startup_state() == 4; }, 1000);
  }
  QAction* Item(const char* name) { return form->Item(QString::fromLatin1(name)); }
  std::map<QString, bool> EnabledItems() {
    std::map<QString, bool> enabled;
    for (const app::MenuItemDef& def : app::MainMenuItems()) {
      const QString name = QString::fromLatin1(def.name.data(), static_cast<int>(def.name.size()));
      enabled[name] = form->Item(name)->isEnabled();
    }
    for (const char* name : {"SaveBtn", "RestartBtn", "PromptBlackBtn", "LocalCutBtn", "ZapBtn"}) {
      enabled[QString::fromLatin1(name)] =
          form->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled();
    }
    return enabled;
  }

  testing::TempDir dir;
  testing::VirtualHost vh;
  std::unique_ptr<app::Application> app;
  std::unique_ptr<TMainForm> form;
  TRunScreen* run = nullptr;
  TEditScreen* edit = nullptr;
};

TEST_F(MainMenuTest, EveryItemHasItsCaptionKeysAndPlace) {
  Start();
  const auto menus = form->menuBar()->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(app::MainMenus().size()));
  for (qsizetype i = 0; i < menus.size(); ++i) {
    const app::MenuDef& def = app::MainMenus()[static_cast<std::size_t>(i)];
    EXPECT_EQ(menus[i]->objectName().toStdString(), def.name);
    EXPECT_EQ(menus[i]->text(), FromCatalogue(app->MessageText(def.message)));
  }
  std::map<QString, qsizetype> last_place;
  for (const app::MenuItemDef& def : app::MainMenuItems()) {
    const QString name = QString::fromLatin1(def.name.data(), static_cast<int>(def.name.size()));
    SCOPED_TRACE(name.toStdString());
    QAction* item = form->Item(name);
    ASSERT_NE(item, nullptr);
    // Captions: the catalogue's text, the design's where the catalogue has none.
    if (name == "FunctionTenSecondTimerItem") {
      EXPECT_EQ(item->text(), QStringLiteral("10 ") + FromCatalogue(app->MessageText(1325)));
    } else if (name == "OptionsSaveConfigurationAsItem") {
      EXPECT_EQ(item->text(), FromCatalogue(app->MessageText(177)));
    } else if (!name.startsWith(QStringLiteral("File")) || name.size() > 5) {
      const std::string& text = app->MessageText(def.message);
      EXPECT_EQ(item->text(), def.message > 0 && !text.empty()
                                  ? FromCatalogue(text)
                                  : QString::fromLatin1(def.caption.data(),
                                                        static_cast<int>(def.caption.size())));
    }
    const auto keys = ExpectedKeys().find(name);
    EXPECT_EQ(item->shortcut(), keys == ExpectedKeys().end()
                                    ? QKeySequence()
                                    : QKeySequence::fromString(keys->second));
    EXPECT_EQ(item->isCheckable(), def.checkable());
    // Hidden items are on the window, where their keys work, and in no menu.
    const QString parent =
        QString::fromLatin1(def.parent.data(), static_cast<int>(def.parent.size()));
    auto* menu = form->findChild<QMenu*>(parent);
    ASSERT_NE(menu, nullptr);
    if (def.hidden()) {
      EXPECT_FALSE(menu->actions().contains(item));
      EXPECT_TRUE(form->actions().contains(item));
    } else {
      const qsizetype place = menu->actions().indexOf(item);
      EXPECT_GT(place, last_place.try_emplace(parent, -1).first->second);
      last_place[parent] = place;
    }
    // Nothing pretends: an item works, or it is disabled with its missing subsystem named.
    if (!def.missing.empty()) {
      EXPECT_FALSE(item->isEnabled());
    } else if (!def.submenu()) {
      EXPECT_TRUE(item->property("wired").toBool());
    }
  }
  auto* colours = form->findChild<QMenu*>(QStringLiteral("OptionsColorItem"));
  ASSERT_EQ(colours->actions().size(), static_cast<qsizetype>(app::ColourItems().size()));
  EXPECT_EQ(colours->actions()[1]->text(), QStringLiteral("&B ") +
                                               FromCatalogue(app->MessageText(150)) + " " +
                                               FromCatalogue(app->MessageText(210)));
  EXPECT_FALSE(form->findChild<QAction*>(QStringLiteral("MosEventBackgroundItem"))->isVisible());
}

TEST_F(MainMenuTest, EnablingWithAndWithoutAScriptAndWhilePrompting) {
  Start();
  const std::map<QString, bool> empty = EnabledItems();
  EXPECT_TRUE(empty.at("FileSaveScriptItem"));
  EXPECT_TRUE(empty.at("SaveBtn"));
  EXPECT_FALSE(empty.at("PromptRestartItem"));
  EXPECT_FALSE(empty.at("RestartBtn"));
  EXPECT_FALSE(empty.at("PromptBlankScreenItem"));
  EXPECT_FALSE(empty.at("HelpRestoreEditFormItem"));
  EXPECT_FALSE(empty.at("LocalCutBtn"));
  EXPECT_FALSE(empty.at("EditCutItem"));

  ASSERT_TRUE(app->OpenScriptByName(dir.File("story.tvl")));
  EXPECT_EQ(EnabledItems(), empty) << "a script changes no item's enabling";

  app->engine().RequestStart(prompt::StartKind::kFirstStory);
  vh.loop.WaitUntil([&] { return app->engine().prompting(); }, 5000);
  ASSERT_TRUE(app->engine().prompting());
  std::map<QString, bool> prompting = EnabledItems();
  for (const char* name :
       {"PromptRestartItem", "RestartBtn", "PromptBlankScreenItem", "PromptBlackBtn"}) {
    EXPECT_TRUE(prompting.at(name)) << name;
    prompting[name] = false;
  }
  EXPECT_EQ(prompting, empty) << "only the prompt's own items follow it";
  EXPECT_TRUE(Item("PromptOnItem")->isChecked());
  EXPECT_FALSE(Item("PromptOffItem")->isChecked());

  // The editor closed: Restore Edit Form is enabled; the factory makes a new one.
  int made = 0;
  form->SetEditorFactory([&] {
    ++made;
    auto* editor = new TEditScreen(app->store(), app->settings());
    form->AddChild(editor, {600, 300}, {0, 310});
    form->SetEditScreen(editor);
  });
  for (QMdiSubWindow* sub : form->mdi_area()->subWindowList()) {
    if (sub->widget() == edit) delete sub;
  }
  EXPECT_TRUE(Item("HelpRestoreEditFormItem")->isEnabled());
  Item("HelpRestoreEditFormItem")->trigger();
  EXPECT_EQ(made, 1);
  EXPECT_FALSE(Item("HelpRestoreEditFormItem")->isEnabled());
}

TEST_F(MainMenuTest, NoShortcutCollidesWithAnotherOrWithTheEditorsKeys) {
  Start();
  std::map<QKeySequence, QString> taken;
  for (QAction* action : form->findChildren<QAction*>()) {
    // The MDI frames' own menus are the toolkit's.
    if (action->shortcut().isEmpty() || action->objectName().isEmpty()) continue;
    const auto [it, fresh] = taken.emplace(action->shortcut(), action->objectName());
    EXPECT_TRUE(fresh) << action->objectName().toStdString() << " and " << it->second.toStdString()
                       << " on " << action->shortcut().toString().toStdString();
  }
  // The keys the editor handles itself. A menu item on one of them must carry the editor's
  // own command, or stay disabled so the key reaches the editor.
  const std::map<QString, QString> shared = {{"Ins", "EditInsertItem"},
                                             {"Ctrl+Y", "EditDeleteLineItem"},
                                             {"Ctrl+Shift+-", "InsertHardHyphenItem"}};
  for (const char* key :
       {"Backspace",   "Ctrl+Backspace", "Del",        "Shift+Del",    "PgUp",      "PgDown",
        "Ctrl+PgUp",   "Ctrl+PgDown",    "Shift+PgUp", "Shift+PgDown", "Home",      "Ctrl+Home",
        "Shift+Home",  "Ctrl+End",       "Shift+End",  "Left",         "Right",     "Up",
        "Down",        "Ctrl+Left",      "Ctrl+Right", "Ctrl+Up",      "Ctrl+Down", "Shift+Left",
        "Shift+Right", "Shift+Up",       "Shift+Down", "Return",       "Ins",       "Ctrl+Y",
        "Ctrl+-",      "Ctrl+Shift+-"}) {
    const auto it = taken.find(QKeySequence::fromString(QString::fromLatin1(key)));
    if (it == taken.end()) continue;
    SCOPED_TRACE(key);
    const auto same = shared.find(QString::fromLatin1(key));
    if (same != shared.end()) {
      EXPECT_EQ(it->second, same->second);
    } else {
      EXPECT_FALSE(form->Item(it->second)->isEnabled()) << it->second.toStdString();
    }
  }
}

TEST_F(MainMenuTest, F9StartsPromptingOnlyWhenConfigured) {
  dir.Write("telvn32.ini", "[Shortcut]\r\nF9 Shortcut Enabled=0\r\n");
  Start();
  EXPECT_TRUE(Item("PromptOnItem")->shortcut().isEmpty());
  EXPECT_EQ(Item("PromptOffItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F9")));
}

TEST_F(MainMenuTest, StatusBarLayoutAtBothResolutions) {
  for (const int ppi : {96, 120}) {
    SCOPED_TRACE(ppi);
    vh.host().facts.pixels_per_inch = ppi;
    Start();
    auto* bar = form->findChild<QWidget*>(QStringLiteral("StatusBar"));
    const auto panel = [&](const char* name) {
      return form->findChild<QWidget*>(QString::fromLatin1(name))->geometry();
    };
    for (const int width : {900, 1200}) {
      form->resize(width, 700);
      QApplication::processEvents();
      EXPECT_EQ(panel("ReadOnlyPanel").right(), bar->width() - 2);
      EXPECT_EQ(panel("ReadOnlyPanel").width(), ppi == 120 ? 24 : 20);
      EXPECT_EQ(panel("InsertPanel").width(), ppi == 120 ? 120 : 86);
      EXPECT_EQ(panel("RTBackPanel").width(), ppi == 120 ? 197 : 157);
      EXPECT_EQ(panel("StatusLine").right() + 2, panel("NexusPanel").left());
      EXPECT_EQ(panel("StatusLine").left(), ppi == 120 ? 65 : 57);
    }
    EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("OpenBtn"))->width(),
              ppi == 120 ? 30 : 24);
    EXPECT_FALSE(form->findChild<QWidget*>(QStringLiteral("MasterSlavePanel"))->isVisible());
    form.reset();
    app.reset();
  }
}

TEST_F(MainMenuTest, NewsroomChoiceRefusedWhilePolling) {
  Start();
  bool polling = true;
  app->hooks().remote_polling_on = [&] { return polling; };
  Item("NewsroomEnpsItem")->trigger();
  ASSERT_FALSE(vh.dialogs.asked.empty());
  EXPECT_EQ(vh.dialogs.asked.back().text, app->MessageText(768));
  EXPECT_TRUE(Item("NewsroomDefaultItem")->isChecked());
  EXPECT_FALSE(Item("NewsroomEnpsItem")->isChecked());
  auto* network = form->findChild<QToolButton*>(QStringLiteral("NetworkBtn"));
  auto* enps = form->findChild<QToolButton*>(QStringLiteral("EnpsBtn"));
  EXPECT_TRUE(network->isVisible());
  EXPECT_FALSE(enps->isVisible());

  polling = false;
  Item("NewsroomEnpsItem")->trigger();
  EXPECT_TRUE(Item("NewsroomEnpsItem")->isChecked());
  EXPECT_FALSE(Item("NewsroomDefaultItem")->isChecked());
  EXPECT_FALSE(network->isVisible());
  EXPECT_TRUE(enps->isVisible());
  EXPECT_EQ(enps->toolTip(), FromCatalogue(app->MessageText(693)));
  EXPECT_EQ(enps->x(), network->x());

  Item("NewsroomDaletItem")->trigger();
  EXPECT_TRUE(network->isVisible());
  EXPECT_EQ(network->width(), 34);
  EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("NexusListeningPanel"))->toolTip(),
            FromCatalogue(app->MessageText(1057)));
}

TEST_F(MainMenuTest, RecentFilesTimingWindowAndInsertState) {
  Start();
  EXPECT_FALSE(Item("File1")->isVisible());
  vh.dialogs.files = {dir.File("story.tvl")};
  Item("FileOpenItem")->trigger();
  EXPECT_TRUE(Item("File1")->isVisible());
  EXPECT_EQ(Item("File1")->text(),
            QStringLiteral("&1 ") + QString::fromStdString(dir.File("story.tvl")));
  EXPECT_FALSE(Item("File2")->isVisible());

  Item("ViewDisplayRtItem")->trigger();
  EXPECT_TRUE(run->timing_screen()->isVisible());
  EXPECT_TRUE(app->settings().Bool(config::Key::kMenuTiming));
  run->timing_screen()->close();
  EXPECT_FALSE(Item("ViewDisplayRtItem")->isChecked());
  EXPECT_FALSE(app->settings().Bool(config::Key::kMenuTiming));

  auto* insert = form->findChild<QLabel*>(QStringLiteral("InsertPanel"));
  const QString insert_text = insert->text();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(insert, &press);
  EXPECT_FALSE(edit->model().insert_mode());
  EXPECT_NE(insert->text(), insert_text);
  Item("EditInsertItem")->trigger();
  EXPECT_TRUE(edit->model().insert_mode());
  EXPECT_EQ(insert->text(), insert_text);
}

TEST_F(MainMenuTest, AboutShowsTheVersionAndTheLinkDiagnostic) {
  Start();
  const std::string about = app->AboutText();
  EXPECT_NE(about.find("Version "), std::string::npos);
  EXPECT_NE(about.find("Diagnostic Test : Pass"), std::string::npos);
}

}  // namespace
}  // namespace telvane::ui
