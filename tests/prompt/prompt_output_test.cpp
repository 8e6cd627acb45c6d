// The prompt preview under the offscreen platform: a click while prompting places the editor's
// caret, keys go on to the editor, and the caret is drawn inverted over the text.

#include "prompt/ui/prompt_output.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <vector>

#include "prompt/preview.h"
#include "prompt_script.h"

namespace telvane::ui {
namespace {

using prompt::CaretPlace;
using store::e_object;

class PromptOutputTest : public ::testing::Test {
 protected:
  PromptOutputTest() {
    first = script.Add("First line");
    second = script.Add("Second line");
    output.resize(260, 300);
    output.SetPromptingSource([this] { return prompting; });
    output.SetCaretSource([this] { return caret; });
    output.SetCaretPlacer([this](e_object* line, int column) { placed.push_back({line, column}); });
    QObject::connect(&output, &TPromptOutput::EditorFocusWanted, [this] { ++focus_wanted; });
  }

  void Click(int x, int y) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&output, &press);
  }
  int Rows() { return prompt::PreviewRows(script.store(), *first, store::Segment::kA); }

  prompt::testing::PromptScript script;
  e_object* first;
  e_object* second;
  prompt::RenderOptions options;
  const prompt::PromptRenderer renderer{script.store(), script.fonts(), options};
  TPromptOutput output{renderer};
  bool prompting = true;
  CaretPlace caret;
  std::vector<CaretPlace> placed;
  int focus_wanted = 0;
};

TEST_F(PromptOutputTest, ClickWhilePromptingPlacesTheEditorsCaret) {
  // Left of the text on the second line: its first column.
  Click(2, Rows() + Rows() / 2);
  EXPECT_EQ(placed, (std::vector<CaretPlace>{{second, 0}}));
  EXPECT_EQ(focus_wanted, 1);
  // Far right of the first line: its end.
  Click(250, Rows() / 2);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[1], (CaretPlace{first, 10}));

  // Not prompting, or blanked: the caret stays where it is.
  prompting = false;
  Click(2, Rows() / 2);
  prompting = true;
  output.SetBlack(true);
  Click(2, Rows() / 2);
  EXPECT_EQ(placed.size(), 2u);
  EXPECT_EQ(focus_wanted, 3);
}

TEST_F(PromptOutputTest, KeysGoToTheEditor) {
  std::vector<int> keys;
  QObject::connect(&output, &TPromptOutput::KeyForEditor,
                   [&keys](QKeyEvent* event) { keys.push_back(event->key()); });
  QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(&output, &a);
  QApplication::sendEvent(&output, &left);
  EXPECT_EQ(keys, (std::vector<int>{Qt::Key_A, Qt::Key_Left}));
}

TEST_F(PromptOutputTest, FocusedCaretIsAnInvertedLineWhilePrompting) {
  // Black text on white: a caret drawn in plain white would not show.
  options.inverse_video = true;
  caret = {second, 3};
  output.show();
  output.activateWindow();
  output.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(output.hasFocus());

  const auto shown = output.CaretShown();
  const auto expected = prompt::CaretInPreview(
      renderer, {{script.store().first_line(), store::Segment::kA, 0}, 668 / 3, output.height()},
      caret);
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown, expected);
  const QImage with_caret = output.grab().toImage();
  prompting = false;
  EXPECT_FALSE(output.CaretShown().has_value());
  const QImage without = output.grab().toImage();

  for (int y = 0; y < output.height(); ++y) {
    const QRgb plain = without.pixel(shown->x, y) & 0xFFFFFF;
    const QRgb drawn = with_caret.pixel(shown->x, y) & 0xFFFFFF;
    if (y >= shown->top && y < shown->bottom) {
      EXPECT_EQ(drawn, plain ^ 0xFFFFFF) << y;
    } else {
      EXPECT_EQ(drawn, plain) << y;
    }
  }
  // Only that one column changes.
  EXPECT_EQ(with_caret.pixel(shown->x + 1, shown->top), without.pixel(shown->x + 1, shown->top));

  output.clearFocus();
  prompting = true;
  EXPECT_FALSE(output.CaretShown().has_value());
}

}  // namespace
}  // namespace telvane::ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
