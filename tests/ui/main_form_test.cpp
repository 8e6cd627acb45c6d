// The main window under the offscreen platform: frame, status line, MDI children.

#include "app/ui/main_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <filesystem>

#include "app/application.h"
#include "editor/ui/edit_screen.h"
#include "prompt/ui/prompt_output.h"
#include "runorder/ui/run_screen.h"
#include "support/temp_dir.h"
#include "support/virtual_host.h"

namespace telvane::ui {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    for (const auto& entry : std::filesystem::directory_iterator(TELVANE_DATA_DIR)) {
      std::filesystem::copy_file(entry.path(), dir.File(entry.path().filename().string()));
    }
  }
  testing::TempDir dir;
  testing::VirtualHost vh;
};

TEST_F(MainFormTest, HoldsThePermanentChildrenWithTheirCaptions) {
  app::Application app(vh.host(), dir.path(), {}, nullptr);
  TMainForm form(app);
  form.AddChild(new TPromptOutput(app.renderer()), {250, 300}, {0, 0});
  auto* run = new TRunScreen(app.run_order(), app.store(), app.settings());
  form.AddChild(run, {400, 300}, {260, 0});
  form.SetRunScreen(run);
  auto* edit = new TEditScreen(app.store(), app.settings());
  form.AddChild(edit, {600, 300}, {0, 310});
  form.SetEditScreen(edit);
  app.StartStartupTimer();
  form.show();
  vh.loop.WaitUntil([&] { return app.startup_state() == 4; }, 1000);

  QStringList captions;
  for (QMdiSubWindow* sub : form.mdi_area()->subWindowList()) captions << sub->windowTitle();
  EXPECT_EQ(captions, (QStringList{"Prompt Preview", "Run Order", "Script"}));
  EXPECT_TRUE(form.windowTitle().contains("Telvane 32 - Prompting for Windows"));
  EXPECT_EQ(form.menuBar()->actions().size(), 11);
  EXPECT_EQ(form.menuBar()->actions().first()->text().toStdString(), app.MessageText(46));
  EXPECT_EQ(form.status_line()->text(), QStringLiteral("Telvane Started"));

  // A click on the status line opens the message list with that entry.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.status_line(), &press);
  auto* list = form.findChild<QListWidget*>(QStringLiteral("MessageList"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 1);
  EXPECT_TRUE(list->item(0)->text().endsWith(QStringLiteral("Telvane Started")));
}

TEST_F(MainFormTest, CloseBoxRunsTheCloseQuery) {
  app::Application app(vh.host(), dir.path(), {}, nullptr);
  TMainForm form(app);
  form.show();
  vh.dialogs.answers = {platform::BoxAnswer::kCancel};
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  vh.dialogs.answers = {platform::BoxAnswer::kOk};
  EXPECT_TRUE(form.close());
  ASSERT_EQ(vh.dialogs.asked.size(), 2u);
  EXPECT_EQ(vh.dialogs.asked[0].text, app.MessageText(1423));
}

}  // namespace
}  // namespace telvane::ui
