#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "toolkit/TextLayout.h"

namespace {

constexpr size_t kNone = std::string::npos;

// The colour button's two formats, before the placement flags.
constexpr unsigned kSingle = DT_SINGLELINE | DT_END_ELLIPSIS | DT_EXTERNALLEADING | DT_NOCLIP;
constexpr unsigned kBreak = DT_WORDBREAK | DT_END_ELLIPSIS | DT_EXTERNALLEADING | DT_NOCLIP;

struct Line {
  int x, y;
  std::string text;
  size_t underline = kNone;
};

struct Case {
  const char* what;
  std::string text;
  TRect rect;
  unsigned format;
  std::vector<Line> lines;
  int height;
};

// Fixed metrics: letters 10 px, blank 5, full stop 4; text height 16, line height 19 with the
// external leading.
const Case kCases[] = {
    // Single line, placed in a 120 x 25 button.
    {"centred both ways", "Exit", {0, 0, 120, 25}, kSingle | DT_CENTER | DT_VCENTER, {{40, 4, "Exit"}}, 23},
    {"left and top", "Exit", {0, 0, 120, 25}, kSingle | DT_LEFT | DT_TOP, {{0, 0, "Exit"}}, 19},
    {"right", "Exit", {0, 0, 120, 25}, kSingle | DT_RIGHT, {{80, 0, "Exit"}}, 19},
    {"offset rectangle", "ab", {10, 20, 51, 40}, kSingle | DT_CENTER | DT_VCENTER, {{20, 22, "ab"}}, 21},
    {"too wide: cut with an ellipsis that fits",
     "abcdefghijklmnop",
     {0, 0, 120, 25},
     kSingle | DT_CENTER | DT_VCENTER,
     {{4, 4, "abcdefghij..."}},
     23},
    {"exactly as wide: no ellipsis", "abcdefghijkl", {0, 0, 120, 25}, kSingle, {{0, 0, "abcdefghijkl"}}, 19},
    {"not even the ellipsis fits", "abc", {0, 0, 5, 25}, kSingle | DT_CENTER, {{-3, 0, "..."}}, 19},
    {"line breaks start no line", "ab\r\ncd\ne", {0, 0, 120, 25}, kSingle, {{0, 0, "abcde"}}, 19},
    {"unexpanded tabs stay as they are", "a\tb", {0, 0, 120, 25}, kSingle, {{0, 0, "a\tb"}}, 19},
    {"UTF-8 cut between characters",
     "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3"
     "\xBC",
     {0, 0, 120, 25},
     kSingle,
     {{0, 0, "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C..."}},
     19},
    // Prefixes.
    {"ampersand underlines the next letter", "&Exit", {0, 0, 120, 25}, kSingle, {{0, 0, "Exit", 0}}, 19},
    {"two ampersands draw one", "A&&B", {0, 0, 120, 25}, kSingle, {{0, 0, "A&B"}}, 19},
    {"a final ampersand is drawn", "AB&", {0, 0, 120, 25}, kSingle, {{0, 0, "AB&"}}, 19},
    {"the last marked letter wins", "&a&b", {0, 0, 120, 25}, kSingle, {{0, 0, "ab", 1}}, 19},
    {"no prefix processing", "&a", {0, 0, 120, 25}, kSingle | DT_NOPREFIX, {{0, 0, "&a"}}, 19},
    {"a mark cut off by the ellipsis leaves the one before",
     "&abcdefghijklmn&op",
     {0, 0, 120, 25},
     kSingle,
     {{0, 0, "abcdefghij...", 0}},
     19},
    {"a mark before a line break marks nothing", "ab&\r\ncd", {0, 0, 120, 25}, kSingle, {{0, 0, "abcd"}}, 19},
    // Word break in a 100 px wide rectangle: lines from the top whatever the vertical placement.
    {"centred lines drop the blank they break at",
     "Beenden und schliessen",
     {0, 0, 100, 60},
     kBreak | DT_CENTER | DT_VCENTER,
     {{15, 0, "Beenden"}, {35, 19, "und"}, {0, 38, "schliessen"}},
     57},
    {"left lines keep the blank that fits",
     "Beenden und",
     {0, 0, 100, 60},
     kBreak | DT_LEFT,
     {{0, 0, "Beenden "}, {0, 19, "und"}},
     38},
    {"right lines",
     "Beenden und",
     {0, 0, 100, 60},
     kBreak | DT_RIGHT,
     {{30, 0, "Beenden"}, {70, 19, "und"}},
     38},
    {"an overlong word is cut at the right edge",
     "abcdefghijklmno xy",
     {0, 0, 100, 60},
     kBreak | DT_CENTER,
     {{0, 0, "abcdefghijklmno"}, {40, 19, "xy"}},
     38},
    {"an overlong last word ends with an ellipsis",
     "xy abcdefghijklmno",
     {0, 0, 100, 60},
     kBreak | DT_CENTER,
     {{40, 0, "xy"}, {4, 19, "abcdefgh..."}},
     38},
    {"a final line break keeps the last word last",
     "abcdefghijklmno\r\n",
     {0, 0, 100, 60},
     kBreak,
     {{0, 0, "abcdefgh..."}},
     19},
    {"a word overlong before a line break is only cut",
     "abcdefghijklmno\nx",
     {0, 0, 100, 60},
     kBreak,
     {{0, 0, "abcdefghijklmno"}, {0, 19, "x"}},
     38},
    {"every line break of the text",
     "a\r\n\r\nb\n\rc\r\rd",
     {0, 0, 100, 60},
     kBreak,
     {{0, 0, "a"}, {0, 19, ""}, {0, 38, "b"}, {0, 57, "c"}, {0, 76, ""}, {0, 95, "d"}},
     114},
    {"marks follow their line", "ab &cd", {0, 0, 30, 60}, kBreak, {{0, 0, "ab "}, {0, 19, "cd", 0}}, 38},
    {"without external leading",
     "a\nb",
     {0, 0, 100, 60},
     DT_WORDBREAK | DT_NOCLIP,
     {{0, 0, "a"}, {0, 16, "b"}},
     32},
    {"clipped: the line reaching the bottom is the last",
     "a\nb\nc",
     {0, 0, 100, 20},
     DT_WORDBREAK,
     {{0, 0, "a"}, {0, 16, "b"}},
     32},
    {"empty text draws nothing", "", {0, 0, 120, 25}, kSingle | DT_VCENTER, {}, 19},
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.what;
}

class TextLayoutCases : public ::testing::TestWithParam<Case> {};

TEST_P(TextLayoutCases, GiveTheDesktopsResults) {
  const Case& c = GetParam();
  FixedFontMetrics metrics;
  const TextLayoutResult result = LayoutText(c.text, c.rect, c.format, metrics);
  ASSERT_EQ(result.lines.size(), c.lines.size()) << c.what;
  for (size_t i = 0; i < c.lines.size(); ++i) {
    const LaidOutLine& got = result.lines[i];
    const Line& want = c.lines[i];
    EXPECT_EQ(got.text, want.text) << c.what << ", line " << i;
    EXPECT_EQ(got.x, want.x) << c.what << ", line " << i;
    EXPECT_EQ(got.y, want.y) << c.what << ", line " << i;
    EXPECT_EQ(got.underline, want.underline) << c.what << ", line " << i;
    EXPECT_EQ(got.width, metrics.TextWidth(got.text)) << c.what << ", line " << i;
  }
  EXPECT_EQ(result.height, c.height) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Formats, TextLayoutCases, ::testing::ValuesIn(kCases));

TEST(TextLayout, MeasuresWhatItWouldDraw) {
  FixedFontMetrics metrics;
  const auto wrapped =
      LayoutText("Beenden und schliessen", {5, 7, 105, 7}, DT_WORDBREAK | DT_CALCRECT, metrics);
  EXPECT_EQ(wrapped.extent, (TRect{5, 7, 105, 7 + 48}));
  const auto empty = LayoutText("", {5, 7, 105, 7}, DT_SINGLELINE | DT_CALCRECT, metrics);
  EXPECT_EQ(empty.extent, (TRect{5, 7, 5, 7 + 16}));
}

TEST(TextLayout, LongTextWithNoRoomEndsAndStaysCheap) {
  // Every word overflows a rectangle of no width: one line per word, the last with "...".
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "word ";
  text += "end";
  FixedFontMetrics metrics;
  const auto result = LayoutText(text, {0, 0, 0, 0}, DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOCLIP, metrics);
  ASSERT_EQ(result.lines.size(), 2001u);
  EXPECT_EQ(result.lines.front().text, "word");
  EXPECT_EQ(result.lines.back().text, "...");
}

// Tab stops every 40 pixels from the start of the line.
TEST(TextLayout, ExpandedTabsMoveOnToTheNextStop) {
  FixedFontMetrics metrics;
  const struct {
    const char* text;
    unsigned format;
    int x;
    int width;
    std::string drawn;
  } cases[] = {
      {"a\tb", DT_SINGLELINE, 0, 50, "a\tb"},
      {"a\tb", DT_SINGLELINE | DT_CENTER, 35, 50, "a\tb"},
      {"abcd\tb", DT_SINGLELINE, 0, 90, "abcd\tb"},  // 40 is a stop: on to 80
      {"a\t\tb", DT_SINGLELINE, 0, 90, "a\t\tb"},    // two tabs, two stops
      {"abc\tdefghijkl", DT_SINGLELINE | DT_END_ELLIPSIS, 0, 112, "abc\tdefghi..."},  // cut to fit 120
  };
  for (const auto& c : cases) {
    const auto result = LayoutText(c.text, {0, 0, 120, 25}, c.format | DT_EXPANDTABS, metrics);
    ASSERT_EQ(result.lines.size(), 1u) << c.text;
    EXPECT_EQ(result.lines[0].x, c.x) << c.text;
    EXPECT_EQ(result.lines[0].width, c.width) << c.text;
    EXPECT_EQ(result.lines[0].text, c.drawn) << c.text;
  }

  // Drawn as the pieces between the tabs, the mark staying with its piece.
  RecordingCanvas canvas;
  TRect rect{10, 0, 200, 25};
  canvas.DrawText("a\t&bc\t\td", rect, DT_SINGLELINE | DT_EXPANDTABS);
  ASSERT_EQ(canvas.texts.size(), 3u);
  EXPECT_EQ(canvas.texts[0].x, 10);
  EXPECT_EQ(canvas.texts[0].text, "a");
  EXPECT_EQ(canvas.texts[1].x, 50);
  EXPECT_EQ(canvas.texts[1].text, "bc");
  EXPECT_EQ(canvas.texts[1].underline, 0u);
  EXPECT_EQ(canvas.texts[2].x, 130);
  EXPECT_EQ(canvas.texts[2].text, "d");
}

TEST(TextLayout, StripPrefixKeepsTheLastMark) {
  size_t underline = 0;
  EXPECT_EQ(StripPrefix("&File &Edit&&", &underline), "File Edit&");
  EXPECT_EQ(underline, 5u);
  EXPECT_EQ(StripPrefix("plain&", &underline), "plain&");
  EXPECT_EQ(underline, kNone);
}

}  // namespace
