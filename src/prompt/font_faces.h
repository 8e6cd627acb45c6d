#pragma once

// Font files found by face name through fontconfig and opened once with FreeType. Sizes are in
// pixels; the prompt layer turns points into pixels at 96 per inch.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace telvane::prompt {

struct FaceMetrics {
  int ascent = 0;
  int descent = 0;
  // Ascent plus descent.
  int height = 0;
  // The font's line gap beyond its height.
  int external_leading = 0;
};

// Advance widths in pixels of the 256 bytes of one code page.
using CharWidths = std::array<int, 256>;

class FontFaces {
 public:
  FontFaces();
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // Zero metrics when no font file can be opened for the name.
  FaceMetrics Metrics(const std::string& name, bool bold, bool italic, int pixels);
  CharWidths Widths(const std::string& name, bool bold, bool italic, int pixels, int code_page);
  // The file fontconfig chose for the name, empty when none.
  std::string FileOf(const std::string& name, bool bold, bool italic);

 private:
  struct Face;
  Face* Find(const std::string& name, bool bold, bool italic);

  struct Library;
  std::unique_ptr<Library> library_;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<Face>> faces_;
};

}  // namespace telvane::prompt
