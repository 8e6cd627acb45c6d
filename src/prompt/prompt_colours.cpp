#include "prompt/prompt_colours.h"

#include "prompt/prompt_position.h"

namespace telvane::prompt {

namespace {

using store::colour_bit::kBackgroundMask;
using store::colour_bit::kBackgroundShift;
using store::colour_bit::kTextMask;

// Black and white trade places; other colours stay.
int Swap(int colour) {
  return colour == kBlack ? kWhite : colour == kWhite ? kBlack : colour;
}

RunColours Swap(RunColours c) {
  if (c.text == kWhite && c.background == kBlack) return {kBlack, kWhite};
  if (c.text == kBlack && c.background == kWhite) return {kWhite, kBlack};
  return c;
}

bool PresenterInverse(const LineLook& look) {
  return look.presenter != nullptr && look.presenter->inverse;
}

int PresenterOf(const store::e_object& line) {
  const store::e_object* slug = SlugLineOf(line);
  if (slug != nullptr && slug->story != nullptr && slug->story->story_presenter != 0) {
    return slug->story->story_presenter;
  }
  return line.presenter;
}

}  // namespace

LineLook LookOf(const store::e_object& line, const RenderOptions& options) {
  LineLook look;
  look.line_colour = line.line_colour & 7;
  const bool timed =
      (line.flags2 & store::line_state::kTimingLine) != 0 && line.text_a.starts_with("//") &&
      (line.text_a.find(' ') != std::string::npos || line.text_b.find(' ') != std::string::npos);
  const bool mos_event = (line.flags2 & store::line_state::kMosEvent) != 0;
  const bool inverse_slug = store::IsSlugLine(line) && options.inverse_slug &&
                            (!options.colour_output || look.line_colour == kWhite);
  look.inverse_line = timed || mos_event || inverse_slug;
  const int presenter = PresenterOf(line);
  if (options.presenter_colours && presenter >= 1 && presenter <= kPresenterCount) {
    look.presenter = &options.presenters[presenter - 1];
  }
  return look;
}

int SegmentBackground(const LineLook& look, const RenderOptions& options) {
  const bool same = PresenterInverse(look) == options.inverse_video;
  if (!options.colour_output) {
    return look.inverse_line == same ? kWhite : kBlack;
  }
  int background;
  if (look.inverse_line) {
    background =
        look.presenter != nullptr ? look.presenter->slug_background : options.slug_background;
  } else {
    if (!options.presenter_colours) {
      background = look.line_colour;
    } else {
      background = look.presenter != nullptr ? look.presenter->line_background : kWhite;
    }
    if (look.line_colour == kWhite && background == kWhite) {
      background = kBlack;
    } else if (look.line_colour == kBlack && background == kBlack) {
      background = kWhite;
    }
  }
  return same ? background : Swap(background);
}

RunColours ColoursOfRun(const LineLook& look, std::uint8_t style, std::uint8_t colour,
                        const RenderOptions& options) {
  const bool same = PresenterInverse(look) == options.inverse_video;
  const bool inverse_text = (style & store::style_bit::kInverse) != 0;
  if (!options.colour_output) {
    const bool shown_inverse = inverse_text || look.inverse_line;
    const RunColours normal{kWhite, kBlack};
    const RunColours inverse{kBlack, kWhite};
    return shown_inverse == same ? inverse : normal;
  }
  const int foreground = colour & kTextMask;
  const int background = (colour & kBackgroundMask) >> kBackgroundShift;
  RunColours c;
  if (inverse_text) {
    c = foreground == kBlack && background == kWhite ? RunColours{kBlack, kWhite}
                                                     : RunColours{background, foreground};
  } else if (look.inverse_line) {
    c = look.presenter != nullptr
            ? RunColours{look.presenter->slug_foreground, look.presenter->slug_background}
            : RunColours{options.slug_foreground, options.slug_background};
  } else {
    if (!options.presenter_colours) {
      c = {foreground, background};
    } else {
      c = look.presenter != nullptr
              ? RunColours{look.presenter->text_foreground, look.presenter->text_background}
              : RunColours{kBlack, kWhite};
    }
    if (look.line_colour == kWhite) {
      c = Swap(c);
    }
  }
  return same ? c : Swap(c);
}

}  // namespace telvane::prompt
