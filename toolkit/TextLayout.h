// Text layout with the results of the desktop's DrawTextA: alignment, single lines, breaking at
// word boundaries, end ellipsis and the ampersand prefix. Pure: it only asks the font for widths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Graphics.h"

struct LaidOutLine {
  int x = 0;
  int y = 0;  // top of the line
  std::string text;
  size_t underline = std::string::npos;  // index in `text` of the character to underline
  int width = 0;
};

struct TextLayoutResult {
  std::vector<LaidOutLine> lines;
  TRect extent;    // the rectangle DT_CALCRECT reports
  int height = 0;  // what DrawTextA returns
};

TextLayoutResult LayoutText(std::string_view text, const TRect& rect, unsigned format,
                            const FontMetrics& metrics);

// Removes ampersand prefixes: "&x" keeps x and marks it, "&&" keeps one ampersand.
std::string StripPrefix(std::string_view text, size_t* underline);
