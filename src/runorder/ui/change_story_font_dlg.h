#pragma once

// "Change Story Font": the selected stories take one of the eight prompt fonts, or a presenter
// and the presenter's font. A single instance that keeps its place between showings.

#include <QDialog>
#include <functional>

#include "runorder/story_font.h"

class QListWidget;

namespace telvane::ui {

class TChangeStoryFontDlg : public QDialog {
  Q_OBJECT

 public:
  TChangeStoryFontDlg(runorder::RunOrder& run_order, const config::Settings& settings,
                      const std::function<QString(int)>& message, QWidget* parent = nullptr);

  // The entries are read again when the fonts or presenters changed meanwhile.
  void Reload();
  // A release on a story's font cell applies the chosen entry, when there is one.
  bool ApplyPending();
  // Update: the chosen entry goes to every selected story (message 788 without one).
  void Update();

 signals:
  void Information(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  runorder::RunOrder& run_;
  const config::Settings& settings_;
  std::function<QString(int)> message_;
  runorder::StoryFontList shown_;
  QListWidget* list_ = nullptr;
};

}  // namespace telvane::ui
