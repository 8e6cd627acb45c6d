#pragma once

// The shell's side of the prompt: what the scroll engine and the prompt output tell the
// operator reaches the status line, the boxes and the windows that show the prompt.

#include <functional>
#include <string>
#include <string_view>

#include "devices/prompt_output.h"
#include "editor/edit_hooks.h"
#include "prompt/scroll_engine.h"
#include "runorder/run_order.h"

namespace telvane::app {

class Application;

// What the windows do when the prompt changes; each defaults to nothing.
struct PromptWindows {
  std::function<void(bool prompting)> prompting_changed = [](bool) {};
  std::function<void()> preview_changed = [] {};
  std::function<void()> preview_black = [] {};
  std::function<void(const store::e_object*, bool prompting)> prompt_line = [](auto, bool) {};
  std::function<void(store::e_object*)> show_line = [](store::e_object*) {};
  std::function<void(bool blanked)> blank_changed = [](bool) {};
  // The prompt output opened; the soft card when it runs in this program, else null.
  std::function<void(devices::SoftCard*)> output_opened = [](devices::SoftCard*) {};
};

class PromptLink : public prompt::ScrollEngineView, public devices::OutputReporter {
 public:
  explicit PromptLink(Application& app) : app_(app) {}
  PromptWindows& windows() { return windows_; }

  // ScrollEngineView
  void PromptingChanged(bool prompting) override { windows_.prompting_changed(prompting); }
  void PreviewChanged() override { windows_.preview_changed(); }
  void PreviewBlack() override { windows_.preview_black(); }
  void PromptLineChanged(const store::e_object* line, bool prompting) override {
    windows_.prompt_line(line, prompting);
  }
  void ShowLineInEditor(store::e_object* line) override { windows_.show_line(line); }
  void BlankChanged(bool blanked) override { windows_.blank_changed(blanked); }
  void StatusMessage(std::string_view text) override;
  void Information(std::string_view text) override;
  std::string MessageText(int number) const override;

  // OutputReporter
  void ShowStatus(const std::string& text) override { StatusMessage(text); }
  void ShowMessage(int catalogue_number, platform::BoxKind kind) override;

 private:
  Application& app_;
  PromptWindows windows_;
};

// The editor's edits while prompting: the feed is remembered before an edit the card shows
// and the page re-sent after it.
class EditorPromptHooks : public editor::PromptEditHooks {
 public:
  EditorPromptHooks(prompt::ScrollEngine& engine, store::ScriptStore& store,
                    runorder::RunOrder& run_order)
      : engine_(engine), store_(store), run_order_(run_order) {}
  const store::r_object* OnAirStory() const override { return run_order_.air_story(); }
  void RememberFeed() override {
    if (engine_.UpdateNeeded(store_.current_line().get())) engine_.RememberFeed();
  }
  void FeedChanged() override { engine_.EditDone(); }

 private:
  prompt::ScrollEngine& engine_;
  store::ScriptStore& store_;
  runorder::RunOrder& run_order_;
};

}  // namespace telvane::app
