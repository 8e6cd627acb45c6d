#include "devices/presenter_frame.h"

#include <algorithm>
#include <span>

namespace telvane::devices {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

void PresenterFramer::Compose(const SoftCard& card, int height, PresenterFrame& frame) {
  const std::int64_t rows = card.VisibleRows();
  const std::int64_t lines = std::max(1, height);
  constexpr std::int64_t kMicro = 1'000'000;
  // Nearest screen line of the field top; half a line is added before flooring.
  const std::int64_t position =
      FloorDiv(card.ContentTopMicro() * lines * 2 + rows * kMicro, 2 * rows * kMicro);
  frame.width = SoftCard::kPictureWidth;
  frame.height = static_cast<int>(lines);
  frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(lines));
  frame.palette = card.Palette();
  frame.advance = first_ ? 0 : position - last_position_;
  frame.position = position;
  first_ = false;
  last_position_ = position;
  for (std::int64_t y = 0; y < lines; ++y) {
    const auto picture_row = static_cast<int>(y * rows / lines);
    const std::int64_t content_row = FloorDiv((y + position) * rows, lines);
    card.ComposeLine(
        picture_row, content_row,
        std::span(frame.pixels)
            .subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width),
                     static_cast<std::size_t>(frame.width)));
  }
}

}  // namespace telvane::devices
