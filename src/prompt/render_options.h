#pragma once

// The settings that decide what the prompt shows and how it looks, read once from the
// configuration so that drawing never looks a key up.

#include <array>

#include "config/settings.h"

namespace telvane::prompt {

inline constexpr int kPresenterCount = 15;

struct PresenterLook {
  bool inverse = false;
  // Colour numbers 0 to 7.
  int text_foreground = 0;
  int text_background = 7;
  int line_background = 7;
  int slug_foreground = 0;
  int slug_background = 7;
};

struct RenderOptions {
  int left_blank = 12;
  int right_blank = 6;
  int width_adjustment = 0;
  bool centre_justify = false;
  // The global inverse video of the prompt.
  bool inverse_video = false;
  bool colour_output = false;
  int slug_foreground = 0;
  int slug_background = 7;
  bool presenter_colours = false;
  std::array<PresenterLook, kPresenterCount> presenters{};
  bool inverse_slug = true;
  bool remove_number_on_prompt = false;
  bool remove_sluglines = false;
  bool remove_blank_lines = false;
  bool blank_lines_all_spaces = true;
  bool prompt_caption = false;
  bool limit_slugline = false;
  bool disable_timing_lines = false;
  bool pan_european = false;
  char slug_open_bracket = '[';
  char slug_close_bracket = ']';
  // The preview's cue panel sits left of the text.
  bool cue_left = true;

  int TotalBlank() const { return left_blank + right_blank + 2 * width_adjustment; }
};

RenderOptions RenderOptionsFrom(const config::Settings& settings);

}  // namespace telvane::prompt
