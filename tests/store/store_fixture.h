#pragma once

// A store over a measure where every character of font n is 10 * (n + 1) pixels wide, so
// that breaks are easy to predict, and notices that record what was shown.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "store/line_fit.h"
#include "store/script_store.h"
#include "support/fixed_measure.h"

namespace telvane::store::testing {

using FixedMeasure = telvane::testing::FixedMeasure;

class RecordingNotices : public StoreNotices {
 public:
  void Information(int message) override { shown.push_back(message); }
  void Error(int message) override { shown.push_back(message); }
  bool Confirm(int message) override {
    shown.push_back(message);
    return confirm;
  }
  void OpenSlugDialog() override { ++slug_dialogs; }
  std::vector<int> shown;
  bool confirm = true;
  int slug_dialogs = 0;
};

inline StyledText Plain(const std::string& text, char style = 0) {
  return {text, std::string(text.size(), style), std::string(text.size(), colour_bit::kDefault)};
}

class StoreTest : public ::testing::Test {
 protected:
  // Appends a line with text after the last real line (the first call fills the empty line).
  e_object* AddLine(const std::string& text, std::uint32_t flags = 0) {
    e_object* line = used_ ? store.InsertLine(store.last_line(), true) : store.first_line();
    used_ = true;
    StyledText t = Plain(text);
    line->text_a = t.text;
    line->style_a = t.style;
    line->colour_a = t.colour;
    line->flags |= flags;
    return line;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
      out.push_back(l->text_a + l->text_b);
    }
    return out;
  }

  FixedMeasure measure;
  RecordingNotices notices;
  ScriptStore store{measure, notices};

 private:
  bool used_ = false;
};

}  // namespace telvane::store::testing
