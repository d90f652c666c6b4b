// Text layout with the results of the desktop's DrawTextA: alignment, single lines, breaking at
// word boundaries, end ellipsis and the ampersand prefix. Pure: it only asks the font for widths.
//
// The results it reproduces:
// - Single line (DT_SINGLELINE): line breaks in the text start no new line; DT_VCENTER and
//   DT_BOTTOM place the line within the rectangle.
// - Word break (DT_WORDBREAK): lines break at blanks to fit the width and at every line break of
//   the text; lines run from the top, vertical placement has no effect. A left-aligned line keeps
//   the blanks that fit after its last word; a centred or right-aligned one drops one of them. A
//   word wider than the rectangle stands alone on its line, starts at the left edge and is cut
//   at the right edge by whatever bounds the drawing.
// - End ellipsis (DT_END_ELLIPSIS): the line that ends the text, when too wide, is shortened
//   until it and "..." fit; only "..." remains when nothing else does.
// - Prefix (unless DT_NOPREFIX): "&x" draws x underlined, "&&" draws one ampersand, an ampersand
//   that ends the text is drawn. Of several marked characters on one line the last is underlined.
// - DT_EXTERNALLEADING adds the font's external leading to the line height; lines are never
//   clipped to the rectangle (the caller's bounds clip).
// - Tabs (DT_EXPANDTABS): a tab moves on to the next tab stop, every eight average character
//   widths from the start of the line; without the flag a tab is drawn as a character.
// Texts are UTF-8: lines are only ever cut between characters.
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

// The pieces of a laid-out line between its tabs, with their offsets from the start of the line
// (DT_EXPANDTABS): [begin, end) of the line's text drawn at x.
struct TextRun {
  size_t begin;
  size_t end;
  int x;
};
std::vector<TextRun> TabRuns(std::string_view line, const FontMetrics& metrics);

// Removes ampersand prefixes: "&x" keeps x and marks it, "&&" keeps one ampersand, a final
// ampersand stays. `underline` receives the index of the last marked character (npos: none).
std::string StripPrefix(std::string_view text, size_t* underline);
