#pragma once

// One displayed frame of the presenter's picture at the screen's height: the soft card's
// field, line by line, with the text placed by a whole number of screen lines. The text moves
// by whole screen lines and every screen line shows a fixed place of the script, so a steady
// speed gives an even motion without rows that flicker in height.

#include <array>
#include <cstdint>
#include <vector>

#include "devices/soft_card.h"

namespace telvane::devices {

struct PresenterFrame {
  int width = SoftCard::kPictureWidth;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // colour numbers, width * height
  std::array<prompt::Rgb, 8> palette{};
  // Screen lines the text has travelled, and since the frame before.
  std::int64_t position = 0;
  std::int64_t advance = 0;
};

class PresenterFramer {
 public:
  // height: the screen lines the field fills (the field's own rows for a screenshot).
  void Compose(const SoftCard& card, int height, PresenterFrame& frame);

 private:
  std::int64_t last_position_ = 0;
  bool first_ = true;
};

}  // namespace telvane::devices
