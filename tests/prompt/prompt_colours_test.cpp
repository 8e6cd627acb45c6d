#include "prompt/prompt_colours.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "prompt_script.h"

namespace telvane::prompt {
namespace {

using store::e_object;

constexpr std::uint8_t kInverseText = store::style_bit::kInverse;
constexpr std::uint8_t kBlackOnWhite = 0x38;
constexpr std::uint8_t kRedOnBlue = 1 | 4 << 3;

RenderOptions WithPresenter3() {
  RenderOptions o;
  o.colour_output = true;
  o.presenter_colours = true;
  o.presenters[2] = PresenterLook{false, 2, 7, 7, 3, 4};
  return o;
}

TEST(PromptColours, Rules) {
  struct Case {
    const char* name;
    RenderOptions options;
    std::function<void(e_object&)> line;
    std::uint8_t style;
    std::uint8_t colour;
    int background;
    RunColours run;
  };
  RenderOptions colour;
  colour.colour_output = true;
  RenderOptions video;
  video.inverse_video = true;
  RenderOptions plain_slug;
  plain_slug.inverse_slug = false;
  RenderOptions no_presenter = WithPresenter3();
  RenderOptions inverse_presenter = WithPresenter3();
  inverse_presenter.presenters[2].inverse = true;
  RenderOptions mono_presenter = inverse_presenter;
  mono_presenter.colour_output = false;

  const auto ordinary = [](e_object&) {};
  const auto slug = [](e_object& l) { l.flags |= store::line_flag::kSlugLine; };
  const auto presenter3 = [](e_object& l) { l.presenter = 3; };
  const auto presenter3_slug = [](e_object& l) {
    l.presenter = 3;
    l.flags |= store::line_flag::kSlugLine;
  };
  const auto line_colour = [](int c) { return [c](e_object& l) { l.line_colour = c; }; };
  const auto mos = [](e_object& l) { l.flags2 |= store::line_state::kMosEvent; };
  const auto timing = [](e_object& l) {
    l.text_a = "// cue now";
    l.flags2 |= store::line_state::kTimingLine;
  };

  const std::vector<Case> cases = {
      {"monochrome text", {}, ordinary, 0, kBlackOnWhite, 0, {7, 0}},
      {"monochrome slug line", {}, slug, 0, kBlackOnWhite, 7, {0, 7}},
      {"monochrome inverse run", {}, ordinary, kInverseText, kBlackOnWhite, 0, {0, 7}},
      {"monochrome ignores the colour byte", {}, ordinary, 0, kRedOnBlue, 0, {7, 0}},
      {"slug line without Inverse Slug", plain_slug, slug, 0, kBlackOnWhite, 0, {7, 0}},
      {"line with a MOS event", {}, mos, 0, kBlackOnWhite, 7, {0, 7}},
      {"timing line with a blank", {}, timing, 0, kBlackOnWhite, 7, {0, 7}},
      {"global inverse video", video, ordinary, 0, kBlackOnWhite, 7, {0, 7}},
      {"global inverse video, slug line", video, slug, 0, kBlackOnWhite, 0, {7, 0}},
      {"colour text", colour, ordinary, 0, kBlackOnWhite, 0, {7, 0}},
      {"colour slug line", colour, slug, 0, kBlackOnWhite, 7, {0, 7}},
      {"colour slug line with a line colour",
       colour,
       [](e_object& l) {
         l.flags |= store::line_flag::kSlugLine;
         l.line_colour = 2;
       },
       0,
       kBlackOnWhite,
       2,
       {0, 7}},
      {"coloured characters", colour, ordinary, 0, kRedOnBlue, 0, {1, 4}},
      {"coloured inverse run", colour, ordinary, kInverseText, kRedOnBlue, 0, {4, 1}},
      {"default inverse run stays black on white",
       colour,
       ordinary,
       kInverseText,
       kBlackOnWhite,
       0,
       {0, 7}},
      {"line colour 0 turns black into white", colour, line_colour(0), 0, kBlackOnWhite, 7, {0, 7}},
      {"presenter text", WithPresenter3(), presenter3, 0, kRedOnBlue, 0, {2, 7}},
      {"presenter slug line", WithPresenter3(), presenter3_slug, 0, kBlackOnWhite, 4, {3, 4}},
      {"presenter colours without a presenter", no_presenter, ordinary, 0, kRedOnBlue, 0, {7, 0}},
      {"inverse presenter swaps", inverse_presenter, presenter3, 0, kBlackOnWhite, 7, {2, 7}},
      {"inverse presenter, monochrome", mono_presenter, presenter3, 0, kBlackOnWhite, 7, {0, 7}},
      {"inverse presenter, monochrome slug line",
       mono_presenter,
       presenter3_slug,
       0,
       kBlackOnWhite,
       0,
       {7, 0}},
  };
  for (const Case& c : cases) {
    e_object line;
    line.text_a = "Text";
    c.line(line);
    const LineLook look = LookOf(line, c.options);
    EXPECT_EQ(SegmentBackground(look, c.options), c.background) << c.name;
    const RunColours run = ColoursOfRun(look, c.style, c.colour, c.options);
    EXPECT_EQ(run.text, c.run.text) << c.name;
    EXPECT_EQ(run.background, c.run.background) << c.name;
  }
}

TEST(PromptColours, PresenterOfTheStoryOutranksTheLine) {
  testing::PromptScript script;
  e_object* slug = script.AddSlug("[1] Story");
  slug->story->story_presenter = 3;
  e_object* text = script.Add("Text");
  text->presenter = 1;
  RenderOptions o = WithPresenter3();
  EXPECT_EQ(LookOf(*text, o).presenter, &o.presenters[2]);
  o.presenter_colours = false;
  EXPECT_EQ(LookOf(*text, o).presenter, nullptr);
}

}  // namespace
}  // namespace telvane::prompt
