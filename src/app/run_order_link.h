#pragma once

// The shell's side of the run order: what changed reaches the windows, questions reach the
// operator through the catalogue.

#include <functional>
#include <string>

#include "runorder/run_order_observer.h"

namespace telvane::app {

class Application;

class RunOrderLink : public runorder::RunOrderObserver, public runorder::RunOrderDialogs {
 public:
  explicit RunOrderLink(Application& app) : app_(app) {}

  // RunOrderObserver
  void RunOrderChanged() override;
  void RefreshEditor() override;
  void PromptJumpTo(store::r_object* entry) override;
  void PromptResumeOn(store::e_object* line) override;
  void PromptRestartOn(store::r_object* entry) override;
  void PromptRebuild() override;
  void PromptStopRequested() override;
  void PromptReposition() override;

  // RunOrderDialogs
  void Information(const runorder::MessagePieces& text) override;
  bool Confirm(const runorder::MessagePieces& text, runorder::Buttons buttons) override;
  void StatusMessage(const runorder::MessagePieces& text) override;

 private:
  std::string Join(const runorder::MessagePieces& pieces) const;
  Application& app_;
};

}  // namespace telvane::app
