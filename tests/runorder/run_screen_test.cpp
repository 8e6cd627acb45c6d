// The run order window under the offscreen platform: a drag in RunGrid moves the story's lines
// in the store, and the grid draws what the model computes.

#include "runorder/ui/run_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include "run_order_fixture.h"
#include "runorder/run_times.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/insert_dlg.h"
#include "runorder/ui/rt_grid.h"
#include "runorder/ui/run_grid.h"

namespace telvane::ui {
namespace {

class RunScreenTest : public runorder::testing::RunOrderTest {
 protected:
  void Mouse(QEvent::Type type, int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    RunGrid* grid = screen->grid();
    const QPointF at = QRectF(grid->CellRect(row, column)).center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &event);
  }
  std::vector<std::string> Bodies() const {
    std::vector<std::string> out;
    for (store::e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
      if (!store::IsSlugLine(*l)) out.push_back(l->text_a);
    }
    return out;
  }
  void Open() {
    screen.emplace(run, store, settings);
    screen->set_message_text([](int n) { return QString::number(n); });
    screen->resize(400, 300);
    screen->show();
  }
  config::Settings settings = config::Settings::Defaults(96);
  std::optional<TRunScreen> screen;
};

TEST_F(RunScreenTest, DraggingAStoryMovesItsLines) {
  Build({"1", "2", "3"});
  Open();
  Mouse(QEvent::MouseButtonPress, 1, 6);
  Mouse(QEvent::MouseMove, 2, 6);
  Mouse(QEvent::MouseMove, 3, 6);
  Mouse(QEvent::MouseButtonRelease, 3, 6);
  EXPECT_EQ(Order(), (std::vector<std::string>{"2", "3", "1"}));
  EXPECT_EQ(Bodies(), (std::vector<std::string>{"body 2", "body 3", "body 1"}));
  EXPECT_TRUE(store.script_changed());
  ExpectConsistent();
}

TEST_F(RunScreenTest, DrawsTheHeaderAndTheSelectedRow) {
  Build({"1", "2"});
  Open();
  run.Select(Story("2"));
  screen->Refresh();
  QImage image(screen->grid()->viewport()->size(), QImage::Format_RGB32);
  screen->grid()->viewport()->render(&image);
  const QPoint header = screen->grid()->CellRect(0, 6).center();
  EXPECT_EQ(image.pixelColor(header.x(), header.y() + 6), QColor(0, 128, 128));
  const QRect selected = screen->grid()->CellRect(2, 6);
  EXPECT_EQ(image.pixelColor(selected.right() - 2, selected.top() + 2), QColor(192, 192, 192));
  const QRect plain = screen->grid()->CellRect(1, 6);
  EXPECT_EQ(image.pixelColor(plain.right() - 2, plain.top() + 2), QColor(255, 255, 255));
}

TEST_F(RunScreenTest, HeightSettlesOnWholeRows) {
  Build({"1", "2", "3"});
  Open();
  screen->resize(400, 307);
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
  const int rows_area = screen->height() - screen->grid()->y() - 2 * screen->grid()->frameWidth();
  EXPECT_EQ(rows_area % screen->grid()->row_height(), 0) << screen->height();
  EXPECT_NEAR(screen->height(), 307, screen->grid()->row_height() / 2 + 1);
}

TEST_F(RunScreenTest, QuillboxDropReachesTheStoryUnderThePointer) {
  Build({"1", "2"});
  Open();
  store::e_object* slug = nullptr;
  std::string received;
  screen->set_drop_handlers(nullptr, [&](store::e_object* line, const std::string& text) {
    slug = line;
    received = text;
  });
  const auto drop = [&](const QByteArray& record, int row) {
    QMimeData data;
    data.setData(QStringLiteral("Quillbox"), record);
    const QPointF at = QRectF(screen->grid()->CellRect(row, 6)).center();
    // A drop goes to the target that accepted the drag's entry.
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(screen->grid()->viewport(), &enter);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(screen->grid()->viewport(), &event);
  };
  QByteArray record(520, '\0');
  record[0] = 'H';
  record[2] = 'i';
  drop(record.left(100), 2);  // a short record is refused
  EXPECT_EQ(slug, nullptr);
  drop(record, 3);  // RunEnd takes no text
  EXPECT_EQ(slug, nullptr);
  drop(record, 2);
  EXPECT_EQ(slug, Story("2")->line);
  EXPECT_EQ(received, "Hi");
  // Without a receiver the run order inserts the text into the story itself.
  screen->set_drop_handlers(nullptr, nullptr);
  drop(record, 1);
  EXPECT_EQ(Story("1")->line->next->next->text_a, "Hi");
  EXPECT_EQ(Story("1")->line->next->next->next, Story("2")->line);
  EXPECT_TRUE(store.script_changed());
}

TEST_F(RunScreenTest, InsertDialogMovesTheSourceAfterTheSelectedStory) {
  Build({"1", "2", "3"});
  Open();
  run.Select(Story("1"));
  screen->Refresh();
  screen->findChild<QToolButton*>(QStringLiteral("RunInsertBtn"))->click();
  auto* dialog = screen->findChild<TInsertDlg*>();
  ASSERT_NE(dialog, nullptr);
  auto* destination = dialog->findChild<QLineEdit*>(QStringLiteral("DestinationStoryEdit"));
  EXPECT_EQ(destination->text(), QStringLiteral("1"));
  dialog->findChild<QLineEdit*>(QStringLiteral("SourceStoryEdit"))->setText(QStringLiteral("9"));
  dialog->accept();
  EXPECT_TRUE(dialog->isVisible());  // an unknown source keeps the dialog open
  dialog->findChild<QLineEdit*>(QStringLiteral("SourceStoryEdit"))->setText(QStringLiteral("3"));
  dialog->accept();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Order(), (std::vector<std::string>{"1", "3", "2"}));
  ExpectConsistent();
}

TEST_F(RunScreenTest, PromptTrackKeepsTheAirStoryNearTheTop) {
  Build({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"});
  run.options().run_order_prompt_track = true;
  run.options().run_order_track_offset = 2;
  Open();
  run.PinAirStory(Story("9"));
  screen->AirStoryChanged();
  EXPECT_EQ(screen->grid()->top_row(), 7);
  run.PinAirStory(Story("1"));
  screen->AirStoryChanged();
  EXPECT_EQ(screen->grid()->top_row(), 1);
}

TEST_F(RunScreenTest, TimingWindowShowsTheOnAirStoryAndTheRunTimeLeft) {
  AddStory("1");
  store::e_object* vt = Append("//VT 0:30 pictures");
  vt->flags2 |= store::line_state::kTimingLine;
  AddStory("2");
  runorder::RecountAllStories(store, runorder::TimingOptionsFrom(settings));
  Story("1")->line->flags2 |= store::line_state::kOnAir;
  Open();
  TDisplayRtScreen* timing = screen->timing_screen();
  ASSERT_NE(timing, nullptr);
  QString shown_run_time;
  QObject::connect(timing, &TDisplayRtScreen::RunTimeChanged,
                   [&](const QString& text) { shown_run_time = text; });
  timing->resize(700, 300);
  timing->show();
  timing->SetOnAirStory(Story("1"));
  // Story 1: "body 1" and the insert, 91 units; story 2 one more: 92 units at 3.0.
  EXPECT_EQ(shown_run_time, QStringLiteral("00:00:31"));
  EXPECT_EQ(timing->findChild<QLabel*>(QStringLiteral("RunTimePanel"))->text(), shown_run_time);
  RtGrid* grid = timing->grid();
  EXPECT_EQ(grid->CellText(0, 3), QStringLiteral("579"));
  EXPECT_EQ(grid->CellText(1, 2), QStringLiteral("AIR"));
  EXPECT_EQ(grid->CellText(1, 3), QStringLiteral("SLUG 1"));
  EXPECT_EQ(grid->CellText(1, 6), QStringLiteral("00:30"));
  EXPECT_EQ(grid->CellText(2, 4), QStringLiteral("VT"));
  EXPECT_EQ(grid->CellText(3, 0), QStringLiteral("2"));
  QImage image(grid->viewport()->size(), QImage::Format_RGB32);
  grid->viewport()->render(&image);
  const QRect air = grid->CellRect(1, 2);
  EXPECT_EQ(image.pixelColor(air.left() + 2, air.top() + 2), QColor(255, 0, 0));
  EXPECT_FALSE(timing->close());
  EXPECT_FALSE(timing->isVisible());
}

TEST_F(RunScreenTest, RestrictedModeClosesTheGapAndRemoteSavesNameTheSelection) {
  Build({"1", "2"});
  Open();
  auto* pnew = screen->findChild<QToolButton*>(QStringLiteral("RunPnewBtn"));
  auto* drop = screen->findChild<QToolButton*>(QStringLiteral("RunDropBtn"));
  const int drop_left = drop->x();
  EXPECT_EQ(drop_left, pnew->x() + 24);
  screen->SetRestrictedMode(true);
  EXPECT_TRUE(pnew->isHidden());
  EXPECT_EQ(drop->x(), drop_left - 24);
  screen->SetPixelsPerInch(120);
  EXPECT_EQ(screen->findChild<QToolButton*>(QStringLiteral("RunTopBtn"))->geometry(),
            QRect(4, 0, 30, 25));
  store::r_object* saved = nullptr;
  QObject::connect(screen.operator->(), &TRunScreen::SaveStoryRemote,
                   [&](store::r_object* entry) { saved = entry; });
  run.Select(Story("2"));
  screen->findChild<QToolButton*>(QStringLiteral("SaveStoryRemoteBtn"))->click();
  EXPECT_EQ(saved, Story("2"));
}

TEST_F(RunScreenTest, ButtonsDoNothingWithoutStoriesAndClosingHides) {
  Open();
  for (QToolButton* b : screen->findChildren<QToolButton*>()) b->click();
  EXPECT_TRUE(run.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(screen->close());
}

}  // namespace
}  // namespace telvane::ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
