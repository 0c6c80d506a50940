// Pixel-exact expectations that read as pictures: a region of a canvas is
// turned into rows of letters, one letter per colour of a legend ('?' for a
// colour the legend does not name), so a test states what it expects as a
// small drawing.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/Canvas.h"
#include "platform/Geometry.h"

namespace tandrel::test {

class Legend {
 public:
  Legend(std::initializer_list<std::pair<char, TColor>> entries) : entries_(entries) {}
  char LetterOf(TColor rgb) const {
    for (const auto& [letter, color] : entries_) {
      if (color == rgb) return letter;
    }
    return '?';
  }

 private:
  std::vector<std::pair<char, TColor>> entries_;
};

// Rows of the region, joined by newlines (with a leading one, so that a
// failure message lines the picture up).
inline std::string Picture(const TCanvas& canvas, const TRect& region, const Legend& legend) {
  std::string rows;
  for (int y = region.top; y < region.bottom; ++y) {
    rows += '\n';
    for (int x = region.left; x < region.right; ++x) rows += legend.LetterOf(canvas.Pixels(x, y));
  }
  return rows;
}

// The expected picture written as one string per row.
inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string joined;
  for (const char* row : rows) {
    joined += '\n';
    joined += row;
  }
  return joined;
}

}  // namespace tandrel::test
