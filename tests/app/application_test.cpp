#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "shell_fixture.h"

namespace telvane::app {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;

TEST_F(ShellTest, StartupStatesStepOncePerTickAndLoadTheCommandLineOnce) {
  dir.Write("my story.tvl", "x");
  std::vector<std::string> reads;
  Start({dir.path() + "my", "story.tvl"});
  app->hooks().read_script = [&](const std::string& p) {
    reads.push_back(p);
    return true;
  };
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
  EXPECT_EQ(reads, (std::vector<std::string>{dir.path() + "my story.tvl"}));
  EXPECT_EQ(app->script_name(), dir.path() + "my story.tvl");
  ASSERT_GE(app->status_messages().entries().size(), 2u);
  EXPECT_EQ(app->status_messages().entries()[1].substr(9), "Telvane Started");
  EXPECT_EQ(app->start_time(), "2026-12-11T09:30:00");
  vh.loop.Advance(5000);
  EXPECT_EQ(reads.size(), 1u);
  int started = 0;
  for (const auto& e : app->status_messages().entries()) started += e.substr(9) == "Telvane Started";
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
    app->hooks().script_changed = [this] { return changed; };
    app->hooks().save_script = [this] { return save_outcome; };
    vh.dialogs.asked.clear();
  }
  std::string Text(int n) const { return app->MessageText(n); }

  bool prompting = false;
  bool changed = false;
  int stop_requests = 0;
  SaveOutcome save_outcome = SaveOutcome::kSaved;
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
  changed = true;
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
  changed = true;
  struct Case {
    BoxAnswer answer;
    SaveOutcome outcome;
    bool closes;
  };
  const Case cases[] = {{BoxAnswer::kCancel, SaveOutcome::kSaved, false},
                        {BoxAnswer::kYes, SaveOutcome::kCancelled, false},
                        {BoxAnswer::kYes, SaveOutcome::kFailed, false},
                        {BoxAnswer::kYes, SaveOutcome::kSaved, true},
                        {BoxAnswer::kNo, SaveOutcome::kFailed, true}};
  for (const Case& c : cases) {
    app->settings().SetBool(config::Key::kMainTelvaneCloseConfirmation, false);
    app->settings().SetBool(config::Key::kMenuAutoSave, false);
    vh.dialogs.asked.clear();
    vh.dialogs.answers = {c.answer};
    save_outcome = c.outcome;
    EXPECT_EQ(app->CloseQuery(false), c.closes);
    EXPECT_EQ(AskedTexts(), (std::vector<std::string>{Text(11)}));
    EXPECT_EQ(vh.dialogs.asked[0].buttons, BoxButtons::kYesNoCancel);
  }
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
    platform::WriteFileAtomically(ini, "[Main]\r\nOther Station=1\r\n");
    std::filesystem::last_write_time(ini, std::filesystem::file_time_type::clock::now() +
                                              std::chrono::hours(1));
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
  EXPECT_EQ(app->status_messages().entries().front().substr(9),
            Text(959) + ": " + Text(970));
  EXPECT_EQ(view.status, "");
}

TEST_F(ShellTest, OpenScriptByName) {
  Start();
  RunStartup();
  app->AddRecentFile(dir.File("gone.tvl"));
  EXPECT_FALSE(app->OpenScriptByName(dir.File("GONE.tvl")));
  EXPECT_TRUE(app->recent_files().empty());
  EXPECT_EQ(AskedTexts().back(), app->MessageText(4));

  dir.Write("news.txt", "x");
  dir.Write("news.tvl", "x");
  bool readable = false;
  app->hooks().read_script = [&](const std::string&) { return readable; };
  EXPECT_FALSE(app->OpenScriptByName(dir.File("news.txt")));
  EXPECT_EQ(app->script_name(), "");
  EXPECT_EQ(view.background, app->MessageText(113) + " " + app->MessageText(114));
  readable = true;
  EXPECT_TRUE(app->OpenScriptByName(dir.File("news.txt")));
  EXPECT_EQ(app->script_name(), dir.File("news.TVL"));
  EXPECT_EQ(view.background, app->MessageText(113) + " news.txt");
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
  EXPECT_EQ(view.status_background, static_cast<std::uint32_t>(
                                        app->settings().Int(config::Key::kColorsMessageB)));
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
