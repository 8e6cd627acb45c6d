// The editor window under the offscreen platform: typed keys reach the store, rows are drawn.

#include "editor/ui/edit_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>

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

}  // namespace
}  // namespace telvane::ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
