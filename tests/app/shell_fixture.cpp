#include "shell_fixture.h"

#include <filesystem>

namespace telvane::app {

ShellTest::ShellTest() {
  for (const auto& entry : std::filesystem::directory_iterator(TELVANE_DATA_DIR)) {
    std::filesystem::copy_file(entry.path(), dir.File(entry.path().filename().string()));
  }
}

void ShellTest::Start(std::vector<std::string> arguments) {
  app = std::make_unique<Application>(vh.host(), dir.path(), std::move(arguments), &log);
  view.app = app.get();
  app->SetView(&view);
  app->CreateMainWindow();
  app->StartStartupTimer();
}

void ShellTest::RunStartup() {
  vh.loop.WaitUntil([&] { return app->startup_state() == 4; }, 1000);
}

std::vector<std::string> ShellTest::AskedTexts() const {
  std::vector<std::string> texts;
  for (const auto& a : vh.dialogs.asked) texts.push_back(a.text);
  return texts;
}

}  // namespace telvane::app
