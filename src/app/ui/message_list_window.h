#pragma once

// The message list: every status message of this run, newest first, to read, save, print
// or clear.

#include <QListWidget>
#include <QWidget>
#include <deque>
#include <string>

#include "app/application.h"

namespace telvane::ui {

class TMessageListForm : public QWidget {
  Q_OBJECT

 public:
  TMessageListForm(app::Application& app, QWidget* parent);
  void ShowEntries(const std::deque<std::string>& entries);

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Save();
  void Print();
  void Clear();

  app::Application& app_;
  QListWidget* list_ = nullptr;
};

}  // namespace telvane::ui
