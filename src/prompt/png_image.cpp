#include "prompt/png_image.h"

#include <zlib.h>

#include <vector>

namespace telvane::prompt {

namespace {

void Put32(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v >> 24));
  out.push_back(static_cast<char>(v >> 16));
  out.push_back(static_cast<char>(v >> 8));
  out.push_back(static_cast<char>(v));
}

void Chunk(std::string& out, const char (&type)[5], const std::string& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  Put32(out, static_cast<std::uint32_t>(
                 crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

}  // namespace

std::string EncodePalettePng(int width, int height, std::span<const std::uint8_t> pixels,
                             std::span<const Rgb> palette) {
  if (width <= 0 || height <= 0 || palette.empty() || palette.size() > 256 ||
      pixels.size() != static_cast<std::size_t>(width) * height) {
    return {};
  }
  // Filter type 0 before each row: paletted text compresses well without prediction.
  std::vector<std::uint8_t> raw;
  raw.reserve(pixels.size() + height);
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    const auto row = pixels.subspan(static_cast<std::size_t>(y) * width, width);
    raw.insert(raw.end(), row.begin(), row.end());
  }
  uLongf packed_size = compressBound(raw.size());
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, raw.data(), raw.size(),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packed_size);

  std::string header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  // 8 bits per pixel, palette, deflate, the standard filters, no interlace.
  header += std::string{8, 3, 0, 0, 0};
  std::string plte;
  for (const Rgb& c : palette) {
    plte.append(reinterpret_cast<const char*>(c.data()), 3);
  }
  std::string out = "\x89PNG\r\n\x1a\n";
  Chunk(out, "IHDR", header);
  Chunk(out, "PLTE", plte);
  Chunk(out, "IDAT", packed);
  Chunk(out, "IEND", {});
  return out;
}

}  // namespace telvane::prompt
