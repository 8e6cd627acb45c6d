// The editor window under the offscreen platform: typed keys reach the store, rows are drawn.

#include "editor/ui/edit_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "editor/ui/slug_form.h"
#include "store/store_fixture.h"

namespace telvane::ui {
namespace {

namespace lf = store::line_flag;

class EditScreenTest : public store::testing::StoreTest {
 protected:
  void Key(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&screen, &press);
  }
  void Type(const QString& text) {
    for (const QChar c : text) Key(0, QString(c));
  }
  static void KeyTo(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(screen.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&screen, &event);
  }
  config::Settings settings = config::Settings::Defaults(96);
  TEditScreen screen{store, settings};
};

TEST_F(EditScreenTest, TypedKeysReachTheStore) {
  screen.resize(500, 300);
  screen.show();
  Type(QStringLiteral("Hello w\u00f6rld"));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Hello w\xF6rld"});
  for (int i = 0; i < 5; ++i) Key(Qt::Key_Left);
  Key(Qt::Key_Return);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Hello ", "w\xF6rld"}));
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Hello \xF6rld"});
  // A character that code page 1252 cannot hold is refused, not stored as something else.
  QString status;
  QObject::connect(&screen, &TEditScreen::StatusMessage, [&](const QString& s) { status = s; });
  Type(QStringLiteral("\u0416"));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Hello \xF6rld"});
  EXPECT_FALSE(status.isEmpty());
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(EditScreenTest, DrawsSlugLinesInTheirColours) {
  store::e_object* slug = AddLine("[1] Headlines", lf::kSlugLine | lf::kHardReturn);
  store.CreateStoryEntry(slug);
  store::e_object* body = AddLine("Good evening, the news.", lf::kStudioMark | lf::kHardReturn);
  body->studio_text = "CAM 2";
  body->colour_a[12] = static_cast<char>(body->colour_a[12] | store::colour_bit::kStudioMark);
  AddLine("Cloaked note", lf::kCloaked | lf::kHardReturn);
  store.options().studio_instructions = true;
  screen.resize(500, 200);
  screen.ApplySettings();
  const QImage image = screen.grab().toImage();
  const int y = screen.rows_top() + screen.row_height() / 2;
  // Slug B (yellow) behind the slug line, Edit B (white) behind the text and below it.
  EXPECT_EQ(image.pixelColor(screen.text_left() + 300, y), QColor(Qt::yellow));
  EXPECT_EQ(image.pixelColor(screen.text_left() + 300, y + screen.row_height()), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(screen.text_left() + 300, y + 2 * screen.row_height()),
            QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(image.pixelColor(screen.text_left() + 300, y + 4 * screen.row_height()),
            QColor(Qt::white));
  // The studio column left of the margin, in the editor background.
  EXPECT_GT(screen.text_left(), 150);
  EXPECT_EQ(image.pixelColor(100, y + screen.row_height()), QColor(Qt::white));
  const QString shot = qEnvironmentVariable("TELVANE_EDITOR_SHOT");
  if (!shot.isEmpty()) image.save(shot);
}

TEST_F(EditScreenTest, SlugFormMakesTheCurrentLineASlugLine) {
  store.current_line() = AddLine("Weather");
  editor::StoreRunOrderEdits run_order(store);
  editor::SlugDialog dialog(store, run_order);
  TSlugForm form(dialog, QStringLiteral("Slug"), QStringLiteral("Story number"), {100, 100});
  form.OpenForCurrentLine();
  auto* field = form.findChild<QLineEdit*>(QStringLiteral("SlugData"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text(), QStringLiteral("1"));
  field->setText(QStringLiteral("   "));
  form.accept();
  EXPECT_TRUE(form.isVisible());
  field->setText(QStringLiteral("7"));
  form.accept();
  EXPECT_FALSE(form.isVisible());
  ASSERT_NE(store.first_line()->story, nullptr);
  EXPECT_EQ(store.first_line()->story->story_id, "7");
  EXPECT_EQ(store.CheckScriptLinks().code, 0);
}

TEST_F(EditScreenTest, FontNumberBoxTakesOnlyOneToEight) {
  screen.resize(500, 300);
  screen.show();
  auto* number = screen.findChild<QLineEdit*>(QStringLiteral("EditFontNumber"));
  auto* edit_size = screen.findChild<QLineEdit*>(QStringLiteral("EditScriptSize"));
  ASSERT_NE(number, nullptr);
  ASSERT_NE(edit_size, nullptr);
  EXPECT_EQ(number->text(), QStringLiteral("1"));
  for (const char* typed : {"9", "0", "x"}) {
    number->selectAll();
    KeyTo(number, 0, QString::fromLatin1(typed));
    EXPECT_EQ(number->text(), QStringLiteral("1")) << typed;
    EXPECT_EQ(store.typing().font, 0) << typed;
  }
  number->selectAll();
  KeyTo(number, Qt::Key_4, QStringLiteral("4"));
  EXPECT_EQ(number->text(), QStringLiteral("4"));
  EXPECT_EQ(store.typing().font, 3);

  // The size boxes belong to the font shown: a refused size gives the old value back.
  int fonts = 0;
  QObject::connect(&screen, &TEditScreen::FontsChanged, [&] { ++fonts; });
  const int row_height = screen.row_height();
  edit_size->setText(QStringLiteral("99"));
  KeyTo(edit_size, Qt::Key_Return);
  EXPECT_EQ(edit_size->text(), QStringLiteral("12"));
  EXPECT_EQ(fonts, 0);
  edit_size->setText(QStringLiteral("40"));
  KeyTo(edit_size, Qt::Key_Return);
  EXPECT_EQ(settings.PromptFont(3).edit_size, 40);
  EXPECT_EQ(settings.PromptFont(0).edit_size, 12);
  EXPECT_EQ(fonts, 1);
  EXPECT_GT(screen.row_height(), row_height);
}

TEST_F(EditScreenTest, DraggingTheSplitMovesTheTextArea) {
  store.options().studio_instructions = true;
  AddLine("Good evening");
  screen.resize(500, 300);
  screen.show();
  screen.ApplySettings();
  auto* split = screen.findChild<QWidget*>(QStringLiteral("SplitPanel"));
  ASSERT_NE(split, nullptr);
  const int split_before = screen.split_left();
  const int text_before = screen.text_left();
  EXPECT_EQ(split->x(), split_before);
  const int y = screen.rows_top() + 5;
  Mouse(QEvent::MouseButtonPress, {split_before + 1, y});
  Mouse(QEvent::MouseMove, {split_before + 61, y});
  Mouse(QEvent::MouseButtonRelease, {split_before + 61, y});
  EXPECT_EQ(screen.split_left(), split_before + 60);
  EXPECT_EQ(screen.text_left(), text_before + 60);
  EXPECT_EQ(split->x(), split_before + 60);
  // Dragged beyond the right edge, some text area stays.
  Mouse(QEvent::MouseButtonPress, {screen.split_left() + 1, y});
  Mouse(QEvent::MouseMove, {2000, y});
  Mouse(QEvent::MouseButtonRelease, {2000, y});
  EXPECT_LT(screen.text_left(), 500 - 40);
  // A later press in the text does not drag the split.
  const int split_now = screen.split_left();
  Mouse(QEvent::MouseButtonPress, {screen.text_left() + 30, y});
  Mouse(QEvent::MouseMove, {screen.text_left() - 100, y});
  Mouse(QEvent::MouseButtonRelease, {screen.text_left() - 100, y});
  EXPECT_EQ(screen.split_left(), split_now);
}

TEST_F(EditScreenTest, MarginRightClickAndPromptLineMarker) {
  store::e_object* slug = AddLine("[1] Headlines", lf::kSlugLine | lf::kHardReturn);
  store.CreateStoryEntry(slug);
  store::e_object* body = AddLine("Good evening", lf::kHardReturn);
  screen.resize(500, 300);
  screen.show();
  screen.ApplySettings();
  std::vector<store::r_object*> shown;
  QObject::connect(&screen, &TEditScreen::ShowStoryInRunOrder,
                   [&](store::r_object* entry) { shown.push_back(entry); });
  const int margin_x = screen.text_left() - 5;
  Mouse(QEvent::MouseButtonPress, {margin_x, screen.rows_top() + screen.row_height() + 2},
        Qt::RightButton);
  EXPECT_EQ(shown, std::vector<store::r_object*>{slug->story});
  EXPECT_EQ(body->sel_end, 0);

  auto* marker = screen.findChild<QWidget*>(QStringLiteral("PromptLinePanel"));
  ASSERT_NE(marker, nullptr);
  screen.SetPromptLine(body, true);
  EXPECT_TRUE(marker->isVisible());
  EXPECT_EQ(marker->y(), screen.row_height());
  EXPECT_EQ(marker->palette().color(QPalette::Window), QColor(Qt::red));
  screen.SetPromptLine(body, false);
  EXPECT_EQ(marker->palette().color(QPalette::Window), QColor(Qt::yellow));
  // The marker follows its line when the line goes.
  store.DeleteLine(slug);
  screen.Redraw();
  EXPECT_TRUE(marker->isVisible());
  EXPECT_EQ(marker->y(), 0);
  screen.SetPromptLine(nullptr, false);
  EXPECT_FALSE(marker->isVisible());
}

}  // namespace
}  // namespace telvane::ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
