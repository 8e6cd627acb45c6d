// The main window's rules that need no window: recent files, File New and its questions, Zap,
// File Delete, the newsroom choice, the enabling rules and the layout arithmetic.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_menu.h"
#include "app/menu_enabling.h"
#include "app/network_button.h"
#include "app/recent_files.h"
#include "app/window_layout.h"
#include "shell_fixture.h"

namespace telvane::app {
namespace {

using config::Key;
using platform::BoxAnswer;

TEST(RecentFiles, MoveToTopKeepFourAndCaptionWithNumbers) {
  struct Case {
    std::vector<std::string> opened;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"/a.tvl", "/a.tvl"}, {"/a.tvl"}},
      {{"/a.tvl", "/b.tvl", "/c.tvl", "/a.tvl"}, {"/a.tvl", "/c.tvl", "/b.tvl"}},
      {{"/a.tvl", "/b.tvl", "/B.TVL"}, {"/B.TVL", "/a.tvl"}},
      {{"/1", "/2", "/3", "/4", "/5"}, {"/5", "/4", "/3", "/2"}},
      {{"/1", "/2", "/3", "/4", "/4"}, {"/4", "/3", "/2", "/1"}},
  };
  for (const Case& c : cases) {
    RecentFiles recent;
    for (const std::string& path : c.opened) recent.Add(path);
    EXPECT_EQ(recent.entries(), c.expected);
  }
  RecentFiles recent;
  recent.Add("/x/one.tvl");
  recent.Add("/x/two.tvl");
  EXPECT_EQ(recent.Caption(0), "&1 /x/two.tvl");
  EXPECT_EQ(recent.Caption(1), "&2 /x/one.tvl");
  EXPECT_EQ(recent.Caption(2), "");
  recent.Remove("/X/TWO.tvl");
  EXPECT_EQ(recent.entries(), std::vector<std::string>{"/x/one.tvl"});
}

std::string NativeScript() {
  return "QMR5\r\n11\r\nFont Selection:0\r\nFont1:Arial/64/12\r\nFont2:Arial/64/12\r\n"
         "Font3:Arial/64/12\r\nFont4:Arial/64/12\r\nFont5:Arial/64/12\r\nFont6:Arial/64/12\r\n"
         "Font7:Arial/64/12\r\nFont8:Arial/64/12\r\nIlsp:0/0/0/0/0/0/0/0\r\nColor:YES\r\n"
         "16,2057,1,,0,[1] NEWS\r\n\r\n0,8;\r\n\r\n7\r\n56,8;\r\n\r\n\r\n"
         "0,2057,Good evening.\r\n\r\n0,13;\r\n\r\n7\r\n56,13;\r\n\r\n\r\n";
}

TEST_F(ShellTest, OpeningByDialogListsTheFileAndAMissingRecentEntryIsDropped) {
  dir.Write("one.tvl", NativeScript());
  dir.Write("two.tvl", NativeScript());
  Start();
  RunStartup();
  vh.dialogs.files = {dir.File("one.tvl"), dir.File("two.tvl")};
  ASSERT_TRUE(app->FileOpen(false));
  ASSERT_TRUE(app->FileOpen(false));
  EXPECT_EQ(app->recent_files(),
            (std::vector<std::string>{dir.File("two.tvl"), dir.File("one.tvl")}));
  // The file's folder, without its trailing separator, is where the next dialogue starts.
  EXPECT_EQ(app->settings().Text(Key::kConstantsDefaultDir),
            dir.path().substr(0, dir.path().size() - 1));

  std::filesystem::remove(dir.File("one.tvl"));
  vh.dialogs.asked.clear();
  EXPECT_FALSE(app->OpenRecentFile(1));
  EXPECT_EQ(AskedTexts(), std::vector<std::string>{app->MessageText(4)});
  EXPECT_EQ(app->recent_files(), std::vector<std::string>{dir.File("two.tvl")});
  EXPECT_EQ(app->RecentFileCaption(0), "&1 " + dir.File("two.tvl"));
}

TEST_F(ShellTest, FileNewAsksAboutUnsavedChanges) {
  struct Case {
    std::deque<BoxAnswer> answers;
    std::deque<std::optional<std::string>> files;  // the Save Script As choices
    bool cleared;
    std::vector<int> asked;
  };
  const std::string saved = dir.File("kept.tvl");
  const Case cases[] = {
      {{BoxAnswer::kNo}, {}, true, {11}},
      {{BoxAnswer::kCancel}, {}, false, {11}},
      {{BoxAnswer::kYes}, {saved}, true, {11}},
      // The save was cancelled: Yes discards, No chooses again, Cancel keeps the script.
      {{BoxAnswer::kYes, BoxAnswer::kYes}, {std::nullopt}, true, {11, 3}},
      {{BoxAnswer::kYes, BoxAnswer::kCancel}, {std::nullopt}, false, {11, 3}},
      {{BoxAnswer::kYes, BoxAnswer::kNo}, {std::nullopt, saved}, true, {11, 3}},
  };
  dir.Write("story.tvl", NativeScript());
  Start();
  RunStartup();
  for (const Case& c : cases) {
    std::filesystem::remove(saved);
    ASSERT_TRUE(app->OpenScriptByName(dir.File("story.tvl")));
    app->store().MarkChanged(true);
    vh.dialogs.asked.clear();
    vh.dialogs.answers = c.answers;
    vh.dialogs.files = c.files;
    EXPECT_EQ(app->FileNew(), c.cleared);
    EXPECT_EQ(app->store().line_count() == 1, c.cleared);
    EXPECT_EQ(app->script_name().empty(), c.cleared);
    std::vector<std::string> expected;
    for (int n : c.asked) expected.push_back(app->MessageText(n));
    EXPECT_EQ(AskedTexts(), expected);
    if (!c.files.empty() && c.files.back()) {
      EXPECT_TRUE(std::filesystem::exists(saved)) << "the script is saved before it is cleared";
    }
  }
}

TEST_F(ShellTest, ZapAsksOnlyWhenTheScriptHasText) {
  dir.Write("story.tvl", NativeScript());
  Start();
  RunStartup();
  EXPECT_FALSE(app->Zap());
  EXPECT_TRUE(vh.dialogs.asked.empty());

  ASSERT_TRUE(app->OpenScriptByName(dir.File("story.tvl")));
  vh.dialogs.answers = {BoxAnswer::kCancel};
  EXPECT_FALSE(app->Zap());
  EXPECT_EQ(vh.dialogs.asked.back().text, app->MessageText(626) + "?");
  EXPECT_EQ(app->store().line_count(), 2);

  app->store().MarkChanged(true);
  vh.dialogs.answers = {BoxAnswer::kOk};
  EXPECT_TRUE(app->Zap());
  EXPECT_EQ(vh.dialogs.asked.back().text,
            app->MessageText(626) + " " + app->MessageText(627) + "?");
  EXPECT_EQ(app->store().line_count(), 1);
}

TEST_F(ShellTest, FileDeleteAsksAndReportsAFailure) {
  dir.Write("old.txt", "x");
  Start();
  vh.dialogs.files = {dir.File("old.txt")};
  vh.dialogs.answers = {BoxAnswer::kNo};
  EXPECT_FALSE(app->FileDelete());
  EXPECT_TRUE(std::filesystem::exists(dir.File("old.txt")));
  EXPECT_EQ(vh.dialogs.asked.back().text, app->MessageText(16) + " " + dir.File("old.txt"));

  vh.dialogs.files = {dir.File("old.txt")};
  vh.dialogs.answers = {BoxAnswer::kYes};
  EXPECT_TRUE(app->FileDelete());
  EXPECT_FALSE(std::filesystem::exists(dir.File("old.txt")));

  vh.dialogs.files = {dir.File("old.txt")};
  vh.dialogs.answers = {BoxAnswer::kYes};
  EXPECT_FALSE(app->FileDelete());
  EXPECT_EQ(vh.dialogs.asked.back().text, app->MessageText(702) + ": " + dir.File("old.txt"));
  EXPECT_EQ(vh.dialogs.asked.back().kind, platform::BoxKind::kPlain);
}

TEST_F(ShellTest, NewsroomChoiceIsRefusedWhilePollingOrDuringAnAvidTransfer) {
  Start();
  bool polling = true;
  bool transfer = false;
  app->hooks().remote_polling_on = [&] { return polling; };
  app->hooks().avid_transfer = [&] { return transfer; };
  EXPECT_FALSE(app->SelectNewsroom(NewsroomSystem::kAvid));
  EXPECT_EQ(AskedTexts(), std::vector<std::string>{app->MessageText(768)});
  EXPECT_EQ(app->newsroom(), NewsroomSystem::kDefault);
  EXPECT_TRUE(app->settings().Bool(Key::kMainDefaultRemoteScript));

  polling = false;
  EXPECT_TRUE(app->SelectNewsroom(NewsroomSystem::kAvid));
  EXPECT_EQ(app->newsroom(), NewsroomSystem::kAvid);
  EXPECT_FALSE(app->settings().Bool(Key::kMainDefaultRemoteScript));
  EXPECT_EQ(NetworkButtonsFor(app->settings()).network_width, 44);

  transfer = true;
  EXPECT_FALSE(app->SelectNewsroom(NewsroomSystem::kEnps));
  EXPECT_EQ(AskedTexts().back(), app->MessageText(997));
  EXPECT_EQ(app->newsroom(), NewsroomSystem::kAvid);

  transfer = false;
  EXPECT_TRUE(app->SelectNewsroom(NewsroomSystem::kEnps));
  const NetworkButtons enps = NetworkButtonsFor(app->settings());
  EXPECT_FALSE(enps.network_visible);
  EXPECT_TRUE(enps.enps_visible);
  EXPECT_EQ(app->settings().Text(Key::kConstantsRemoteMask), "*.dat");
  EXPECT_TRUE(app->SelectNewsroom(NewsroomSystem::kNepras));
  EXPECT_EQ(app->settings().Text(Key::kConstantsRemoteMask), "Q*");
  EXPECT_EQ(app->settings().Text(Key::kConstantsRunOrderFilename), "telvane.txt");
  EXPECT_FALSE(app->settings().Bool(Key::kMainEnpsRemoteScript));
}

TEST(StatusBarLayout, RightPanelsFromTheEdgeAndTheStatusLineTakesTheRest) {
  struct Case {
    int ppi;
    StatusPanels shown;
    int read_only, edit_changed, run_time, insert, end_panel;
  };
  const Case cases[] = {
      {96, {}, 20, 80, 74 + 82 + 1, 86, 56},
      {120, {}, 24, 120, 86 + 110 + 1, 120, 64},
      {96, {true, false, false, false}, 20, 80, 157, 100, 56},
      {120, {true, false, false, false}, 24, 120, 197, 150, 64},
  };
  for (const Case& c : cases) {
    for (const int width : {640, 1000}) {
      const StatusLayout l = LayOutStatusBar(width, c.ppi, c.shown);
      EXPECT_EQ(l.read_only, (PanelRect{width - 1 - c.read_only, 0, c.read_only, 25}));
      EXPECT_EQ(l.edit_changed.width, c.edit_changed);
      EXPECT_EQ(l.edit_changed.x + l.edit_changed.width + 1, l.read_only.x);
      EXPECT_EQ(l.run_time.width, c.run_time);
      EXPECT_EQ(l.run_time.x + l.run_time.width + 1, l.edit_changed.x);
      EXPECT_EQ(l.insert.width, c.insert);
      EXPECT_EQ(l.nexus.width, 26);
      EXPECT_EQ(l.nexus.x + 27, l.insert.x);
      EXPECT_EQ(l.run_order_end.width, c.end_panel);
      EXPECT_EQ(l.status_line.x, c.end_panel + 1);
      EXPECT_EQ(l.status_line.x + l.status_line.width + 1, l.nexus.x);
      EXPECT_EQ(l.master_slave.width, 0);
      EXPECT_EQ(l.usb_battery.width, 0);
    }
  }
  // Shown panels take their places in the row: the battery beside the read-only panel, the
  // master/slave lights after the insert panel, the caption panel leftmost.
  const StatusLayout all = LayOutStatusBar(800, 96, {false, true, true, true});
  EXPECT_EQ(all.usb_battery, (PanelRect{800 - 21 - 41, 0, 40, 25}));
  EXPECT_EQ(all.master_slave.x + 27, all.insert.x);
  EXPECT_EQ(all.nexus.x + 27, all.master_slave.x);
  EXPECT_EQ(all.closed_caption.x + 81, all.nexus.x);
  EXPECT_EQ(all.status_line.x + all.status_line.width + 1, all.closed_caption.x);
}

TEST(ToolPanelLayout, GroupsAndWidthsFollowTheResolution) {
  for (const int ppi : {96, 120}) {
    const int width = ToolButtonWidth(ppi);
    const int gap = ppi == 120 ? 2 : 5;
    const auto places = LayOutToolButtons(ppi, [&](std::string_view name) {
      if (name == "EnpsBtn" || name == "ColorBtn") return 0;  // hidden: no room
      return name == "NetworkBtn" ? 44 : width;
    });
    ASSERT_EQ(places.size(), 21u);
    EXPECT_EQ(places[0].name, "OpenBtn");
    EXPECT_EQ(places[0].rect.x, 2);
    EXPECT_EQ(places[1].rect.x, 2 + width + 2);
    // ControlBtn ends the first group; PromptBlackBtn starts the second after the group gap.
    EXPECT_EQ(places[8].name, "PromptBlackBtn");
    EXPECT_EQ(places[8].rect.x, places[7].rect.x + width + gap);
    EXPECT_EQ(places[13].name, "BookmarkBtn");
    EXPECT_EQ(places[14].name, "BoldBtn");
    EXPECT_EQ(places[14].rect.x, places[13].rect.x + width + gap);
    EXPECT_EQ(places.back().name, "NetworkBtn");
    EXPECT_EQ(places.back().rect.width, 44);
    EXPECT_EQ(places.back().rect.x, places[19].rect.x + width + 2);
  }
}

TEST(MenuEnabling, FollowsTheWindowsAndThePrompt) {
  const auto on = [](const WindowState& s, std::string_view name) {
    for (const ItemState& item : EnabledItems(s)) {
      if (item.name == name) return item.on;
    }
    ADD_FAILURE() << name;
    return false;
  };
  WindowState none;
  EXPECT_FALSE(on(none, "FileSaveScriptItem"));
  EXPECT_FALSE(on(none, "SaveBtn"));
  EXPECT_TRUE(on(none, "HelpRestoreEditFormItem"));
  WindowState editor;
  editor.editor = true;
  EXPECT_TRUE(on(editor, "FileSaveStoryAsItem"));
  EXPECT_FALSE(on(editor, "HelpRestoreEditFormItem"));
  EXPECT_FALSE(on(editor, "PromptRestartItem"));
  editor.prompting = true;
  EXPECT_TRUE(on(editor, "RestartBtn"));
  EXPECT_TRUE(on(editor, "PromptBlackBtn"));
  editor.cut_to_black = false;
  EXPECT_FALSE(on(editor, "PromptBlankScreenItem"));
}

TEST(MenuItems, ColourCaptionsTakeTheirLettersInAssignmentOrder) {
  MessageCatalogue catalogue;
  catalogue.Parse("heading\n150=Run Order\n210=Background\n211=Foreground\n216=Cloaked\n");
  const auto caption = [&](std::string_view name) {
    const auto items = ColourItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].name == name) return ColourItemCaption(i, catalogue);
    }
    return std::string("missing");
  };
  EXPECT_EQ(caption("DefaultColorItem"), "&A Default");
  EXPECT_EQ(caption("RunOrderBackgroundItem"), "&B Run Order Background");
  EXPECT_EQ(caption("CloakedForegroundItem"), "&K Cloaked Foreground");
  EXPECT_EQ(caption("OverrunErrorBackgroundItem"), "&Y Overrun Error");
  EXPECT_EQ(caption("SpellErrorBackgroundItem"), "&Z Spell Error");
  EXPECT_EQ(caption("MosEventForegroundItem"), "&1 MOS Event Foreground");
  EXPECT_EQ(caption("VgaCuePanelBackgroundItem"), "VGA Cue Panel Background");
}

}  // namespace
}  // namespace telvane::app
