#pragma once

// A script store holding one file, for the commands of telvane-tool: the fonts and settings of
// a fresh configuration, reports to standard error, no one to answer questions.

#include <deque>
#include <functional>
#include <ostream>
#include <string>

#include "config/settings.h"
#include "formats/script_files.h"
#include "formats/store_settings.h"
#include "platform/host.h"
#include "prompt/prompt_fonts.h"
#include "store/script_store.h"

namespace telvane::formats {

// Reports go to standard error; questions take their first answer, as no one is there.
class ToolOperator : public FileOperator {
 public:
  explicit ToolOperator(std::ostream& err) : err_(err) {}
  void ShowStatusMessage(std::string_view) override {}
  platform::BoxAnswer Ask(std::string_view text, platform::BoxKind kind,
                          platform::BoxButtons buttons) override;
  const std::string& MessageText(int n) const override;
  void SetReadOnlyPanel(std::string_view) override {}
  void SetScriptFileLocked(bool) override {}
  void ScriptSaved(const std::string&) override {}

 private:
  std::ostream& err_;
  mutable std::deque<std::string> texts_;
};

// Work posted to the main thread runs at once: the tool has no other thread waiting.
class ToolLoop : public platform::EventLoop {
 public:
  void Post(std::function<void()> work) override { work(); }
  bool WaitUntil(const std::function<bool()>& condition, platform::Milliseconds) override {
    return condition();
  }
};

class LoadedScript {
 public:
  explicit LoadedScript(std::ostream& err) : op_(err) {
    store_.options() = StoreOptionsFrom(settings_);
    files_.on_fonts_changed = [this] { fonts_.SetFonts(PromptFontsFrom(settings_)); };
    store_.NewScript();
  }
  bool Read(const std::string& path) { return files_.ReadScriptFile(path); }
  store::ScriptStore& store() { return store_; }
  config::Settings& settings() { return settings_; }
  const prompt::PromptFontTable& fonts() const { return fonts_; }

 private:
  ToolOperator op_;
  ToolLoop loop_;
  config::Settings settings_ = config::Settings::Defaults(96);
  prompt::PromptFontTable fonts_;
  store::StoreNotices notices_;
  store::ScriptStore store_{fonts_, notices_};
  ScriptFiles files_{store_, settings_, op_, loop_};
};

}  // namespace telvane::formats
