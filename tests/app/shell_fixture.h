#pragma once

// An Application on the virtual host, in a temporary program directory made from the
// shipped data, with a view that records what the shell asked of its windows.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/shell_view.h"
#include "support/temp_dir.h"
#include "support/virtual_host.h"

namespace telvane::app {

class RecordingView : public ShellView {
 public:
  void SetStatusText(std::string_view text, std::uint32_t background, std::uint32_t) override {
    status = std::string(text);
    status_background = background;
  }
  void SetMainCaption(std::string_view c) override { caption = std::string(c); }
  void RefreshMessageList(const std::deque<std::string>& entries) override {
    list_refreshes.push_back(entries.size());
  }
  void OpenConfigChooser(ConfigChooser& chooser) override {
    if (on_chooser) on_chooser(chooser);
  }
  void ReleaseSplash() override { ++splash_releases; }
  bool RunOrderWindowExists() const override { return run_order_exists; }
  bool EditorExists() const override { return true; }
  void FocusRunOrderGrid() override {}
  void BringWorkWindowsToFront() override {}
  void RestoreAfterRefusedClose() override { ++refused_closes; }
  void CloseMainWindow() override {
    ++close_requests;
    if (app != nullptr) closed = app->CloseQuery(false);
  }
  void SetWindowsPasteEnabled(bool enabled) override { windows_paste = enabled; }
  void SetBusy(bool b) override { busy = b; }
  void SetReadOnlyPanel(std::string_view text) override { read_only = std::string(text); }
  void SetBackgroundMessage(std::string_view text) override { background = std::string(text); }

  Application* app = nullptr;
  std::function<void(ConfigChooser&)> on_chooser;
  bool run_order_exists = true;
  std::string status;
  std::uint32_t status_background = 0;
  std::string caption;
  std::string background;
  std::vector<std::size_t> list_refreshes;
  int splash_releases = 0;
  int refused_closes = 0;
  int close_requests = 0;
  bool closed = false;
  bool windows_paste = false;
  bool busy = false;
  std::string read_only;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest();
  // Makes the application over the program directory; creation runs at once.
  void Start(std::vector<std::string> arguments = {});
  // Ticks the 50 ms timer until the start-up states are done.
  void RunStartup();
  std::vector<std::string> AskedTexts() const;

  testing::TempDir dir;
  testing::VirtualHost vh;
  RecordingView view;
  std::ostringstream log;
  std::unique_ptr<Application> app;
};

}  // namespace telvane::app
