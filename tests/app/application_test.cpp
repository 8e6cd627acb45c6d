#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "shell_fixture.h"

namespace telvane::app {
namespace {

// Two lines: a story's slug line and its text.
std::string NativeScript() {
  return "QMR5\r\n11\r\nFont Selection:0\r\nFont1:Arial/64/12\r\nFont2:Arial/64/12\r\n"
         "Font3:Arial/64/12\r\nFont4:Arial/64/12\r\nFont5:Arial/64/12\r\nFont6:Arial/64/12\r\n"
         "Font7:Arial/64/12\r\nFont8:Arial/64/12\r\nIlsp:0/0/0/0/0/0/0/0\r\nColor:YES\r\n"
         "16,2057,1,,0,[1] NEWS\r\n\r\n0,8;\r\n\r\n7\r\n56,8;\r\n\r\n\r\n"
         "0,2057,Good evening.\r\n\r\n0,13;\r\n\r\n7\r\n56,13;\r\n\r\n\r\n";
}

using platform::BoxAnswer;
using platform::BoxButtons;

TEST_F(ShellTest, StartupStatesStepOncePerTickAndLoadTheCommandLineOnce) {
  dir.Write("my story.tvl", NativeScript());
  Start({dir.path() + "my", "story.tvl"});
  EXPECT_EQ(app->startup_state(), 0);
  vh.loop.Advance(50);
  EXPECT_EQ(app->startup_state(), 1);
  EXPECT_EQ(view.splash_releases, 1);
  vh.loop.Advance(50);
  EXPECT_EQ(app->startup_state(), 2);
  EXPECT_NE(view.caption.find("Telvane 32 - Prompting for Windows"), std::string::npos);
  vh.loop.Advance(100);
  EXPECT_EQ(app->startup_state(), 4);
  EXPECT_TRUE(app->startup_complete());
  EXPECT_EQ(app->script_name(), dir.path() + "my story.tvl");
  EXPECT_EQ(app->store().line_count(), 2);
  // "Telvane Started", then the path, then the reader's status text.
  const auto& entries = app->status_messages().entries();
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[2].substr(9), "Telvane Started");
  EXPECT_EQ(entries[1].substr(9), dir.path() + "my story.tvl");
  EXPECT_EQ(app->start_time(), "2026-12-11T09:30:00");
  app->store().NewScript();
  vh.loop.Advance(5000);
  EXPECT_EQ(app->store().line_count(), 1);  // loaded once only
  int started = 0;
  for (const auto& e : app->status_messages().entries())
    started += e.substr(9) == "Telvane Started";
  EXPECT_EQ(started, 1);
  EXPECT_NE(log.str().find("status: Telvane Started"), std::string::npos);
}

TEST_F(ShellTest, StateThreeWaitsForTheRunOrderWindow) {
  view.run_order_exists = false;
  Start();
  vh.loop.Advance(1000);
  EXPECT_EQ(app->startup_state(), 3);
  view.run_order_exists = true;
  vh.loop.Advance(50);
  EXPECT_EQ(app->startup_state(), 4);
}

TEST_F(ShellTest, MissingCaptionTableIsSilentIdentityOtherTablesReport) {
  std::filesystem::remove(dir.File("telvn32.cap"));
  std::filesystem::remove(dir.File("telvn32.mac"));
  Start();
  ASSERT_EQ(vh.dialogs.asked.size(), 1u);
  EXPECT_NE(vh.dialogs.asked[0].text.find(": " + dir.File("telvn32.mac")), std::string::npos);
  EXPECT_EQ(app->tables().caption, IdentityTable());
  EXPECT_EQ(app->tables().mac[65], kUnfilledEntry);
}

TEST_F(ShellTest, ConfigurationComesFromMasterConfig) {
  dir.Write("master.cfg", "[Main]\r\nMultiple Configuration=1\r\nIni File=studio.ini\r\n");
  dir.Write("studio.ini", "[Language]\r\nLanguage=B\r\n");
  dir.Write("studio.tro", "one\r\ntwo\r\n  \r\n\r\n");
  dir.Write("brackets.txt", "[]\n\n <\n");
  view.on_chooser = [](ConfigChooser& c) { c.Cancel(); };
  Start();
  EXPECT_EQ(app->config_path(), dir.File("studio.ini"));
  EXPECT_EQ(app->tpl_path(), dir.File("studio.tpl"));
  EXPECT_EQ(app->tro_list(), (std::vector<std::string>{"one", "two"}));
  // German interface from the configured language.
  MessageCatalogue german;
  ASSERT_TRUE(german.Load(dir.File("tv32msg.ger")).ok());
  EXPECT_EQ(app->MessageText(11), german.Text(11));
  EXPECT_NE(app->MainCaption().find("Prompting f\xFCr Windows : \"studio\""), std::string::npos);
}

TEST_F(ShellTest, ChooserAtStartupPicksTheConfiguration) {
  dir.Write("master.cfg", "[Main]\r\nMultiple Configuration=1\r\nIni File=telvn32.ini\r\n");
  dir.Write("late.ini", "[Language]\r\nLanguage=C\r\n");
  view.on_chooser = [&](ConfigChooser& c) {
    // The operator answers a little later, while the loop keeps running.
    vh.loop.Post([&c] {
      c.edit_text = "late";
      c.Ok();
    });
  };
  Start();
  EXPECT_EQ(app->config_path(), dir.File("late.ini"));
}

// The close decision table.
class CloseTest : public ShellTest {
 protected:
  void SetUp() override {
    Start();
    RunStartup();
    app->hooks().is_prompting = [this] { return prompting; };
    app->hooks().request_prompt_stop = [this] { ++stop_requests; };
    vh.dialogs.asked.clear();
  }
  std::string Text(int n) const { return app->MessageText(n); }

  bool prompting = false;
  int stop_requests = 0;
};

TEST_F(CloseTest, ConfirmationOkClosesCancelRefuses) {
  vh.dialogs.answers = {BoxAnswer::kCancel};
  EXPECT_FALSE(app->CloseQuery(false));
  EXPECT_EQ(view.refused_closes, 1);
  vh.dialogs.answers = {BoxAnswer::kOk};
  EXPECT_TRUE(app->CloseQuery(false));
  EXPECT_EQ(AskedTexts(), (std::vector<std::string>{Text(1423), Text(1423)}));
}

TEST_F(CloseTest, SystemShutdownAsksNothing) {
  app->store().MarkChanged(true);
  prompting = true;
  EXPECT_TRUE(app->CloseQuery(true));
  EXPECT_TRUE(vh.dialogs.asked.empty());
}

TEST_F(CloseTest, WhilePromptingOkStopsThenClosesWithoutAskingAgain) {
  prompting = true;
  vh.dialogs.answers = {BoxAnswer::kOk, BoxAnswer::kOk};
  EXPECT_FALSE(app->CloseQuery(false));
  EXPECT_EQ(stop_requests, 1);
  vh.loop.Advance(500);
  EXPECT_EQ(view.close_requests, 0);  // still prompting
  prompting = false;
  vh.loop.Advance(50);
  EXPECT_EQ(view.close_requests, 1);
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(AskedTexts(), (std::vector<std::string>{Text(1423), Text(126)}));
}

TEST_F(CloseTest, WhilePromptingCancelChangesNothing) {
  prompting = true;
  vh.dialogs.answers = {BoxAnswer::kOk, BoxAnswer::kCancel};
  EXPECT_FALSE(app->CloseQuery(false));
  EXPECT_EQ(stop_requests, 0);
  vh.loop.Advance(500);
  EXPECT_EQ(view.close_requests, 0);
}

TEST_F(CloseTest, UnsavedChanges) {
  // The save behind Yes: cancelled in its chooser, failing, or written.
  struct Case {
    BoxAnswer answer;
    std::string script_name;
    bool closes;
  };
  const Case cases[] = {{BoxAnswer::kCancel, dir.File("a.tvl"), false},
                        {BoxAnswer::kYes, "", false},
                        {BoxAnswer::kYes, "/proc/telvane/none/a.tvl", false},
                        {BoxAnswer::kYes, dir.File("a.tvl"), true},
                        {BoxAnswer::kNo, "", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script_name);
    app->settings().SetBool(config::Key::kMainTelvaneCloseConfirmation, false);
    app->settings().SetBool(config::Key::kMenuAutoSave, false);
    app->store().MarkChanged(true);
    app->files().set_current_file_name(c.script_name);
    vh.dialogs.asked.clear();
    vh.dialogs.answers = {c.answer};
    EXPECT_EQ(app->CloseQuery(false), c.closes);
    ASSERT_FALSE(vh.dialogs.asked.empty());
    EXPECT_EQ(vh.dialogs.asked[0].text, Text(11));
    EXPECT_EQ(vh.dialogs.asked[0].buttons, BoxButtons::kYesNoCancel);
  }
  EXPECT_TRUE(platform::FileExists(dir.File("a.tvl")));
}

TEST_F(CloseTest, RefusedWithinTwoHousekeepingCyclesOfAnOwnSave) {
  app->settings().SetBool(config::Key::kMainTelvaneCloseConfirmation, false);
  ASSERT_TRUE(app->SaveConfiguration().ok());
  EXPECT_FALSE(app->CloseQuery(false));
  vh.loop.Advance(500);
  EXPECT_FALSE(app->CloseQuery(false));
  vh.loop.Advance(550);
  EXPECT_EQ(app->config_save_countdown(), 0);
  EXPECT_TRUE(app->CloseQuery(false));
  EXPECT_TRUE(vh.dialogs.asked.empty());  // the stamp followed the own save
}

TEST_F(CloseTest, ConfigurationChangedElsewhere) {
  const std::string ini = app->config_path();
  for (BoxAnswer answer : {BoxAnswer::kCancel, BoxAnswer::kNo, BoxAnswer::kYes}) {
    SCOPED_TRACE(static_cast<int>(answer));
    app->settings().SetBool(config::Key::kMainTelvaneCloseConfirmation, false);
    app->settings().SetInt(config::Key::kSpeedPromptSpeed, 40);
    (void)platform::WriteFileAtomically(ini, "[Main]\r\nOther Station=1\r\n");
    std::filesystem::last_write_time(
        ini, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
    vh.dialogs.asked.clear();
    vh.dialogs.answers = {answer};
    const bool closed = app->CloseQuery(false);
    EXPECT_EQ(AskedTexts(), (std::vector<std::string>{Text(270)}));
    const std::string written = *platform::ReadWholeFile(ini);
    if (answer == BoxAnswer::kCancel) {
      EXPECT_FALSE(closed);
      EXPECT_EQ(written, "[Main]\r\nOther Station=1\r\n");
      EXPECT_EQ(app->startup_state(), 4);
      continue;
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(written.find("Prompt Speed=40") != std::string::npos, answer == BoxAnswer::kYes);
    // A new program for the next row of the table.
    app.reset();
    Start();
    RunStartup();
    vh.dialogs.asked.clear();
  }
}

TEST_F(CloseTest, WaitsForBusyWorkers) {
  app->settings().SetBool(config::Key::kMainTelvaneCloseConfirmation, false);
  app->busy().save = true;
  auto release = vh.timers.CreateTimer([this] { app->busy().save = false; });
  release->Start(3000);
  EXPECT_TRUE(app->CloseQuery(false));
  EXPECT_FALSE(app->busy().Any());
  EXPECT_EQ(app->status_messages().entries().front().substr(9), Text(959) + ": " + Text(970));
  EXPECT_EQ(view.status, "");
}

TEST_F(ShellTest, OpenScriptByName) {
  Start();
  RunStartup();
  app->AddRecentFile(dir.File("gone.tvl"));
  EXPECT_FALSE(app->OpenScriptByName(dir.File("GONE.tvl")));
  EXPECT_TRUE(app->recent_files().empty());
  EXPECT_EQ(AskedTexts().back(), app->MessageText(4));

  dir.Write("broken.tvl", "QMR5\r\n1234\r\n");
  dir.Write("news.dat", NativeScript());
  dir.Write("news.tvl", NativeScript());
  EXPECT_FALSE(app->OpenScriptByName(dir.File("broken.tvl")));
  EXPECT_EQ(app->script_name(), "");
  EXPECT_EQ(view.background, app->MessageText(113) + " " + app->MessageText(114));
  EXPECT_EQ(app->store().CheckScriptLinks().code, 0);
  EXPECT_TRUE(app->OpenScriptByName(dir.File("news.dat")));
  EXPECT_EQ(app->script_name(), dir.File("news.TVL"));
  EXPECT_EQ(view.background, app->MessageText(113) + " news.dat");
  EXPECT_TRUE(app->OpenScriptByName(dir.File("news.tvl")));
  EXPECT_EQ(app->script_name(), dir.File("news.tvl"));

  app->busy().transfer = true;
  vh.dialogs.asked.clear();
  EXPECT_FALSE(app->OpenScriptByName(dir.File("news.tvl")));
  EXPECT_EQ(AskedTexts(), (std::vector<std::string>{app->MessageText(873)}));
}

TEST_F(ShellTest, StatusMessagesRefreshTheOpenListOnceASecond) {
  Start();
  app->SetMessageListOpen(true);
  view.list_refreshes.clear();
  app->ShowStatusMessage("one");
  vh.loop.Advance(500);
  app->ShowStatusMessage("two");
  vh.loop.Advance(900);
  EXPECT_TRUE(view.list_refreshes.empty());
  vh.loop.Advance(200);
  EXPECT_EQ(view.list_refreshes,
            (std::vector<std::size_t>{app->status_messages().entries().size()}));
  EXPECT_EQ(view.status, "two");
}

TEST_F(ShellTest, StatusLineTurnsRedWhileTheScriptIsLocked) {
  Start();
  app->settings().SetBool(config::Key::kScriptMultiUser, true);
  app->SetScriptFileLocked(true);
  app->ShowStatusMessage("locked");
  EXPECT_EQ(view.status_background, 0x0000FFu);
  app->SetScriptFileLocked(false);
  app->ShowStatusMessage("free");
  EXPECT_EQ(view.status_background,
            static_cast<std::uint32_t>(app->settings().Int(config::Key::kColorsMessageB)));
}

TEST_F(ShellTest, SaveMessageListKeepsOneEntryPerLine) {
  Start();
  app->ShowStatusMessage("first");
  app->ShowStatusMessage("second");
  ASSERT_TRUE(app->SaveMessageList(dir.File("messages.txt")).ok());
  EXPECT_EQ(*platform::ReadWholeFile(dir.File("messages.txt")),
            "09:30:00 second\r\n09:30:00 first\r\n");
}

TEST_F(ShellTest, UncheckingSaveSetupOnExitWritesThatKeyAlone) {
  dir.Write("telvn32.ini", "; station notes\r\n[Menu]\r\nAuto Save=1\r\nInsert=0\r\n");
  Start();
  app->SetSaveSetupOnExit(false);
  const std::string written = *platform::ReadWholeFile(dir.File("telvn32.ini"));
  EXPECT_NE(written.find("; station notes"), std::string::npos);
  EXPECT_NE(written.find("Auto Save=0"), std::string::npos);
  EXPECT_NE(written.find("Insert=0"), std::string::npos);
  EXPECT_EQ(app->config_save_countdown(), 2);
}

}  // namespace
}  // namespace telvane::app

namespace telvane::app {
namespace {

TEST_F(ShellTest, ReplacingAChangedScriptAsksAndCanSaveFirst) {
  Start();
  RunStartup();
  app->store().MarkChanged(true);
  // Yes, then the save chooser is cancelled: message 3 asks again; Cancel keeps the script.
  vh.dialogs.answers = {BoxAnswer::kYes, BoxAnswer::kCancel};
  EXPECT_FALSE(app->FileNew());
  EXPECT_EQ(AskedTexts(), (std::vector<std::string>{app->MessageText(11), app->MessageText(3)}));
  // Yes, and a file is chosen: the script is saved, then replaced.
  vh.dialogs.asked.clear();
  vh.dialogs.answers = {BoxAnswer::kYes};
  vh.dialogs.files = {dir.File("kept.tvl")};
  EXPECT_TRUE(app->FileNew());
  EXPECT_TRUE(platform::FileExists(dir.File("kept.tvl")));
  EXPECT_TRUE(app->store().IsOnlyLine(app->store().first_line()));
}

TEST_F(ShellTest, SaveStoryWritesTheStoryFileAfterConfirmation) {
  dir.Write("news.tvl", NativeScript());
  Start();
  RunStartup();
  ASSERT_TRUE(app->OpenScriptByName(dir.File("news.tvl")));
  app->settings().SetText(config::Key::kConstantsDefaultDir, dir.path() + "stories");
  vh.dialogs.asked.clear();
  vh.dialogs.answers = {BoxAnswer::kCancel};
  EXPECT_FALSE(app->SaveStory(app->store().last_line(), false));
  EXPECT_EQ(app->status_messages().entries().front().substr(9), app->MessageText(930));
  vh.dialogs.answers = {BoxAnswer::kOk};
  ASSERT_TRUE(app->SaveStory(app->store().last_line(), false));
  vh.loop.WaitUntil([&] { return !app->files().save_in_progress(); }, 10000);
  EXPECT_EQ(vh.dialogs.asked[1].text,
            app->MessageText(686) + " 1 " + app->MessageText(687) + " " + dir.path() + "stories/");
  EXPECT_TRUE(platform::FileExists(dir.File("stories/Q1")));
  EXPECT_NE(app->store().first_line()->flags2 & store::line_state::kStorySaved, 0u);
  // Remote saves need their folder.
  vh.dialogs.asked.clear();
  EXPECT_FALSE(app->SaveStory(app->store().first_line(), true));
  EXPECT_EQ(AskedTexts(), (std::vector<std::string>{app->MessageText(174)}));
}

}  // namespace
}  // namespace telvane::app

namespace telvane::app {
namespace {

TEST_F(ShellTest, SaveScriptAsTakesTypeExtensionAndCloakedChoice) {
  dir.Write("news.tvl", NativeScript());
  Start();
  RunStartup();
  ASSERT_TRUE(app->OpenScriptByName(dir.File("news.tvl")));
  app->store().last_line()->flags |= store::line_flag::kCloaked;
  // Old version 3 chosen for a ".txt" name: the extension question's Yes makes it ".TVL".
  vh.dialogs.files = {dir.File("old.txt")};
  vh.dialogs.filter_indexes = {6};
  vh.dialogs.save_cloaked = {false};
  vh.dialogs.asked.clear();
  vh.dialogs.answers = {BoxAnswer::kYes};
  ASSERT_TRUE(app->SaveScriptAs());
  vh.loop.WaitUntil([&] { return !app->files().save_in_progress(); }, 10000);
  EXPECT_EQ(vh.dialogs.asked[0].text, app->MessageText(518) + " .TVL " + app->MessageText(519));
  const auto written = platform::ReadWholeFile(dir.File("old.TVL"));
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(written->rfind("QMR3\r\n", 0), 0u);
  EXPECT_EQ(written->find("Good evening"), std::string::npos);  // the cloaked line stayed out
  EXPECT_FALSE(app->settings().Bool(config::Key::kMenuFileSaveCloaked));
  EXPECT_EQ(app->script_name(), dir.File("old.tvl"));
  EXPECT_EQ(app->recent_files().front(), dir.File("old.TVL"));
}

}  // namespace
}  // namespace telvane::app

namespace telvane::app {
namespace {

TEST_F(ShellTest, ShowingAStoryPutsItsSlugLineAtTheTop) {
  dir.Write("news.tvl", NativeScript());
  Start();
  RunStartup();
  ASSERT_TRUE(app->OpenScriptByName(dir.File("news.tvl")));
  store::r_object* story = app->store().first_line()->story;
  ASSERT_NE(story, nullptr);
  app->store().caret_column = 5;
  app->ShowStoryInEditor(story);
  EXPECT_EQ(app->store().top_line().get(), story->line);
  EXPECT_EQ(app->store().current_line().get(), story->line);
  EXPECT_EQ(app->store().caret_column, 0);
  app->ShowStoryInEditor(app->store().run_end());  // RunEnd has no story to show
  EXPECT_EQ(app->store().top_line().get(), story->line);
}

}  // namespace
}  // namespace telvane::app

namespace telvane::app {
namespace {

// The picture adjustments reach the soft card's set-up block at once, re-wrap the script for
// the new width, and change nothing under the configuration lock.
TEST_F(ShellTest, PictureAdjustmentsGoToTheCardAndRewrapTheScript) {
  Start();
  RunStartup();
  ASSERT_NE(app->prompt_output(), nullptr);
  devices::SoftCard* card = app->prompt_output()->soft_card();
  ASSERT_NE(card, nullptr);
  ASSERT_EQ(card->set_up().size(), 59u);
  const std::uint32_t end_before = card->set_up()[3];
  const int blank_before = app->store().options().prompt_blank;

  EXPECT_EQ(app->AdjustPicture(devices::PictureAdjustment::kCueLeft),
            devices::AdjustmentOutcome::kChanged);
  EXPECT_EQ(app->settings().Int(config::Key::kPciWidthAdjustment), 1);
  EXPECT_EQ(card->set_up()[3], end_before + 1);
  EXPECT_EQ(app->store().options().prompt_blank, blank_before + 2);
  vh.loop.Advance(600);
  EXPECT_EQ(app->store().CheckScriptLinks().code, 0);

  app->settings().SetBool(config::Key::kMainConfigurationLock, true);
  EXPECT_EQ(app->AdjustPicture(devices::PictureAdjustment::kLeftIncrease),
            devices::AdjustmentOutcome::kRefused);
  EXPECT_EQ(app->settings().Int(config::Key::kPromptLeftBlank), 12);
}

}  // namespace
}  // namespace telvane::app
