#include "prompt/preview_caret.h"

#include <algorithm>
#include <string_view>

#include "prompt/preview.h"

namespace telvane::prompt {

namespace {

using store::Segment;

// The caret stands clear of the segment's top and bottom rows.
constexpr int kCaretInset = 2;

struct Band {
  PromptPosition position;
  int top = 0;
  int rows = 0;
};

// The segments the preview draws, in the order and at the rows DrawPreview puts them; visit
// returns true to stop.
template <typename Visit>
void ForEachBand(const PromptRenderer& renderer, const PreviewFrame& frame, Visit visit) {
  PromptPosition at = frame.top;
  ClampPosition(renderer.store(), at, renderer.options());
  int painted = 0;
  while (painted < frame.height) {
    const Band band{at, painted, PreviewRows(renderer.store(), *at.line, at.segment)};
    if (visit(band)) return;
    painted += band.rows;
    if (!StepForward(renderer.store(), at, renderer.options())) return;
  }
}

// A raw byte column of the segment's text as an index into its shown text.
std::size_t ShownIndex(const ShownText& shown, std::size_t raw) {
  if (shown.cut_length > 0 && raw > shown.cut_at) {
    raw = raw >= shown.cut_at + shown.cut_length ? raw - shown.cut_length : shown.cut_at;
  }
  return std::min(raw, shown.text.size());
}

std::size_t RawIndex(const ShownText& shown, std::size_t index) {
  return shown.cut_length > 0 && index >= shown.cut_at ? index + shown.cut_length : index;
}

// The shown character boundary nearest to x.
std::size_t NearestBoundary(const PromptFontTable& fonts, const PreviewText& laid, int x) {
  const ShownText& shown = laid.shown;
  int pen = laid.left;
  std::size_t i = 0;
  for (; i < shown.text.size(); ++i) {
    const int width = fonts.Widths(static_cast<std::uint8_t>(shown.style[i]), shown.charset,
                                   PromptScale::kPreview)[static_cast<std::uint8_t>(shown.text[i])];
    if (2 * (x - pen) < width) break;
    pen += width;
  }
  return i;
}

}  // namespace

std::optional<PreviewCaret> CaretInPreview(const PromptRenderer& renderer,
                                           const PreviewFrame& frame, CaretPlace caret) {
  if (caret.line == nullptr) return std::nullopt;
  const store::e_object& line = *caret.line;
  const auto column = static_cast<std::size_t>(std::max(caret.column, 0));
  const std::size_t length_a = line.text_a.size();
  const bool in_b = column > length_a && ShowsSegmentB(line, renderer.options());
  const PromptPosition target{caret.line, in_b ? Segment::kB : Segment::kA, 0};
  const std::size_t raw = in_b ? column - length_a : std::min(column, length_a);

  std::optional<PreviewCaret> found;
  ForEachBand(renderer, frame, [&](const Band& band) {
    if (band.position.line != target.line || band.position.segment != target.segment) {
      return false;
    }
    const int top = band.top + kCaretInset;
    const int bottom = std::min(band.top + band.rows - kCaretInset, frame.height);
    if (bottom > top) {
      const PreviewText laid = renderer.PreviewLayout(band.position, frame.width);
      const ShownText& shown = laid.shown;
      const std::size_t index = ShownIndex(shown, raw);
      const int prefix = renderer.fonts().TextWidth(std::string_view(shown.text).substr(0, index),
                                                    std::string_view(shown.style).substr(0, index),
                                                    shown.charset, PromptScale::kPreview);
      found = PreviewCaret{laid.left + prefix, top, bottom};
    }
    return true;
  });
  return found;
}

std::optional<CaretPlace> PlaceAtPreviewPoint(const PromptRenderer& renderer,
                                              const PreviewFrame& frame, int x, int y) {
  std::optional<Band> hit;
  ForEachBand(renderer, frame, [&](const Band& band) {
    hit = band;
    return y < band.top + band.rows;
  });
  if (!hit) return std::nullopt;
  const store::ScriptStore& store = renderer.store();
  store::e_object* line = hit->position.line;
  if (store::IsHeadMargin(*line)) return CaretPlace{store.first_line(), 0};
  if (store::IsTailMargin(*line)) {
    store::e_object* last = store.last_line();
    return CaretPlace{last, static_cast<int>(store::TextLength(*last))};
  }
  const PreviewText laid = renderer.PreviewLayout(hit->position, frame.width);
  std::size_t column = RawIndex(laid.shown, NearestBoundary(renderer.fonts(), laid, x));
  if (hit->position.segment == Segment::kB) column += line->text_a.size();
  return CaretPlace{line, static_cast<int>(column)};
}

}  // namespace telvane::prompt
