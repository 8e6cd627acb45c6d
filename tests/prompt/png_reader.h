#pragma once

// Reads back the palette PNGs the prompt writes: one image, 8-bit indices, filter 0 rows.

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace telvane::prompt::testing {

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

inline std::uint32_t Read32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(
      static_cast<std::uint8_t>(s[at]) << 24 | static_cast<std::uint8_t>(s[at + 1]) << 16 |
      static_cast<std::uint8_t>(s[at + 2]) << 8 | static_cast<std::uint8_t>(s[at + 3]));
}

inline std::optional<IndexedImage> DecodePalettePng(const std::string& png) {
  if (png.size() < 8 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return std::nullopt;
  IndexedImage image;
  std::string packed;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = Read32(png, at);
    if (at + 12 + length > png.size()) return std::nullopt;
    const std::string type = png.substr(at + 4, 4);
    const std::string data = png.substr(at + 8, length);
    if (type == "IHDR") {
      image.width = static_cast<int>(Read32(data, 0));
      image.height = static_cast<int>(Read32(data, 4));
      if (data[8] != 8 || data[9] != 3) return std::nullopt;
    } else if (type == "IDAT") {
      packed += data;
    }
    at += 12 + length;
  }
  const std::size_t stride = static_cast<std::size_t>(image.width) + 1;
  std::vector<std::uint8_t> raw(stride * image.height);
  uLongf raw_size = raw.size();
  if (uncompress(raw.data(), &raw_size, reinterpret_cast<const Bytef*>(packed.data()),
                 packed.size()) != Z_OK ||
      raw_size != raw.size()) {
    return std::nullopt;
  }
  for (int y = 0; y < image.height; ++y) {
    if (raw[y * stride] != 0) return std::nullopt;
    image.pixels.insert(image.pixels.end(), raw.begin() + y * stride + 1,
                        raw.begin() + (y + 1) * stride);
  }
  return image;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace telvane::prompt::testing
