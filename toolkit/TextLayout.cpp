#include "toolkit/TextLayout.h"

#include <algorithm>

namespace {

constexpr std::string_view kEllipsis = "...";

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first character boundary at or after `i`.
size_t BoundaryAtOrAfter(std::string_view s, size_t i) {
  while (i < s.size() && IsContinuationByte(s[i])) ++i;
  return std::min(i, s.size());
}

// The last character boundary at or before `i`.
size_t BoundaryAtOrBefore(std::string_view s, size_t i) {
  i = std::min(i, s.size());
  while (i > 0 && i < s.size() && IsContinuationByte(s[i])) --i;
  return i;
}

// The longest prefix length k (a character boundary) for which fits(k) holds, given that fits
// holds for 0 and, once false, stays false for longer prefixes. Probes grow geometrically first,
// so a short fit in a long text costs little.
template <class Fits>
size_t LongestFitting(std::string_view s, Fits fits) {
  size_t good = 0;
  size_t bad = s.size() + 1;
  for (size_t step = 1;; step *= 2) {
    const size_t probe = BoundaryAtOrAfter(s, good + step);
    if (!fits(probe)) {
      bad = probe;
      break;
    }
    good = probe;
    if (good == s.size()) return good;
  }
  while (true) {
    size_t mid = BoundaryAtOrBefore(s, good + (bad - good) / 2);
    if (mid <= good) mid = BoundaryAtOrAfter(s, good + 1);
    if (mid >= bad) return good;
    if (fits(mid))
      good = mid;
    else
      bad = mid;
  }
}

// One line of the text between line breaks, as drawn: prefixes removed, marked characters noted.
struct Segment {
  std::string text;
  std::vector<size_t> marks;  // byte offsets of marked characters, ascending
  bool endsText = false;      // nothing but a line break follows it
};

Segment VisibleSegment(std::string_view raw, bool prefix, bool rawEndsText) {
  Segment segment;
  segment.endsText = rawEndsText;
  for (size_t i = 0; i < raw.size(); ++i) {
    // An ampersand that ends the whole text is drawn as it stands.
    if (prefix && raw[i] == '&' && !(rawEndsText && i + 1 == raw.size())) {
      ++i;
      if (i == raw.size()) break;  // it marked the line break
      if (raw[i] != '&') segment.marks.push_back(segment.text.size());
    }
    segment.text += raw[i];
  }
  return segment;
}

// Line breaks do not break a single line; they are not drawn either.
void DropLineBreaks(Segment& segment) {
  std::string kept;
  std::vector<size_t> marks;
  size_t next = 0;
  for (size_t i = 0; i < segment.text.size(); ++i) {
    const bool isBreak = segment.text[i] == '\r' || segment.text[i] == '\n';
    const bool marked = next < segment.marks.size() && segment.marks[next] == i;
    if (marked) ++next;
    if (isBreak) continue;
    if (marked) marks.push_back(kept.size());
    kept += segment.text[i];
  }
  segment.text = std::move(kept);
  segment.marks = std::move(marks);
}

// Splits at CR, LF, CR LF and LF CR. A break that ends the text starts no further line.
std::vector<std::pair<size_t, size_t>> SplitAtLineBreaks(std::string_view text) {
  std::vector<std::pair<size_t, size_t>> ranges;
  size_t start = 0;
  while (true) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      ranges.emplace_back(start, text.size());
      return ranges;
    }
    ranges.emplace_back(start, end);
    start = end + 1;
    if (start < text.size() && (text[start] == '\r' || text[start] == '\n') && text[start] != text[end])
      ++start;
    if (start == text.size()) return ranges;
  }
}

struct Piece {
  size_t begin;
  size_t end;   // drawn text is [begin, end)
  size_t next;  // where the following line starts
};

// Breaks one segment into lines of at most `width`, at blanks. Left-aligned lines keep the
// blanks that fit after their last word; other lines drop one. A word that fits on no line
// makes a line of its own, whole.
std::vector<Piece> BreakWords(std::string_view s, int width, bool leftAligned, const FontMetrics& m) {
  std::vector<Piece> pieces;
  size_t pos = 0;
  do {
    const std::string_view rest = s.substr(pos);
    const size_t fit =
        LongestFitting(rest, [&](size_t k) { return m.TextWidth(rest.substr(0, k)) <= width; });
    if (fit == rest.size()) {
      pieces.push_back({pos, s.size(), s.size()});
      break;
    }
    size_t end = std::string_view::npos;
    if (fit > 0 && rest[fit] == ' ') {
      // The last word fits just so; the blank after it does not.
      end = (!leftAligned && rest[fit - 1] == ' ') ? fit - 1 : fit;
    } else if (fit > 0) {
      const size_t blank = rest.rfind(' ', fit - 1);
      if (blank != std::string_view::npos) end = leftAligned ? blank + 1 : blank;
    }
    size_t next;
    if (end != std::string_view::npos) {
      next = end + ((end < rest.size() && rest[end] == ' ') ? 1 : 0);
    } else {
      end = std::min(rest.find(' ', fit), rest.size());
      next = end + (end < rest.size() ? 1 : 0);
    }
    pieces.push_back({pos, pos + end, pos + next});
    pos += next;
  } while (pos < s.size());
  return pieces;
}

// The longest start of `text` that fits `width` together with the ellipsis (possibly none).
size_t EllipsisCut(std::string_view text, int width, const FontMetrics& m) {
  return LongestFitting(text, [&](size_t k) {
    std::string candidate(text.substr(0, k));
    candidate += kEllipsis;
    return k == 0 || m.TextWidth(candidate) <= width;
  });
}

// Measures as the font does, but with tabs moved on to their stops.
class TabExpandingMetrics : public FontMetrics {
 public:
  explicit TabExpandingMetrics(const FontMetrics& font) : font_(font) {}
  int TextWidth(std::string_view text) const override {
    if (text.find('\t') == std::string_view::npos) return font_.TextWidth(text);
    const std::vector<TextRun> runs = TabRuns(text, font_);
    return runs.back().x +
           font_.TextWidth(text.substr(runs.back().begin, runs.back().end - runs.back().begin));
  }
  int Ascent() const override { return font_.Ascent(); }
  int Descent() const override { return font_.Descent(); }
  int ExternalLeading() const override { return font_.ExternalLeading(); }
  int AverageCharWidth() const override { return font_.AverageCharWidth(); }

 private:
  const FontMetrics& font_;
};

}  // namespace

std::vector<TextRun> TabRuns(std::string_view line, const FontMetrics& m) {
  const int stop = std::max(1, 8 * m.AverageCharWidth());
  std::vector<TextRun> runs;
  int x = 0;
  size_t begin = 0;
  while (true) {
    const size_t tab = line.find('\t', begin);
    const size_t end = tab == std::string_view::npos ? line.size() : tab;
    runs.push_back({begin, end, x});
    if (tab == std::string_view::npos) return runs;
    x += m.TextWidth(line.substr(begin, end - begin));
    x = (x / stop + 1) * stop;
    begin = tab + 1;
  }
}

std::string StripPrefix(std::string_view text, size_t* underline) {
  Segment segment = VisibleSegment(text, true, true);
  if (underline) *underline = segment.marks.empty() ? std::string::npos : segment.marks.back();
  return std::move(segment.text);
}

TextLayoutResult LayoutText(std::string_view text, const TRect& rect, unsigned format,
                            const FontMetrics& font) {
  const TabExpandingMetrics expanding(font);
  const FontMetrics& m = (format & DT_EXPANDTABS) ? static_cast<const FontMetrics&>(expanding) : font;
  const bool prefix = !(format & DT_NOPREFIX);
  const bool single = format & DT_SINGLELINE;
  const bool wordBreak = (format & DT_WORDBREAK) && !single;
  const bool ellipsis = format & DT_END_ELLIPSIS;
  const bool clipped = !(format & (DT_NOCLIP | DT_CALCRECT));
  const bool leftAligned = !(format & (DT_CENTER | DT_RIGHT));
  const int textHeight = m.LineHeight();
  const int lineHeight = textHeight + ((format & DT_EXTERNALLEADING) ? m.ExternalLeading() : 0);
  const int width = rect.Width();

  TextLayoutResult result;
  if (text.empty()) {
    result.extent = {rect.Left, rect.Top, rect.Left, rect.Top + (single ? lineHeight : 0)};
    result.height = lineHeight;
    return result;
  }

  std::vector<Segment> segments;
  if (single) {
    segments.push_back(VisibleSegment(text, prefix, true));
    DropLineBreaks(segments.back());
  } else {
    const auto ranges = SplitAtLineBreaks(text);
    for (size_t i = 0; i < ranges.size(); ++i) {
      const auto [begin, end] = ranges[i];
      segments.push_back(VisibleSegment(text.substr(begin, end - begin), prefix, end == text.size()));
      segments.back().endsText = i + 1 == ranges.size();
    }
  }

  int y = rect.Top;
  int widest = 0;
  bool lastLine = false;
  for (const Segment& segment : segments) {
    const std::vector<Piece> pieces = wordBreak
                                          ? BreakWords(segment.text, width, leftAligned, m)
                                          : std::vector<Piece>{{0, segment.text.size(), segment.text.size()}};
    for (const Piece& piece : pieces) {
      // With clipping, the line that reaches the bottom edge is the last one drawn.
      lastLine = clipped && y + lineHeight > rect.Bottom;
      const bool endsText = segment.endsText && piece.next >= segment.text.size();
      LaidOutLine line;
      line.text = segment.text.substr(piece.begin, piece.end - piece.begin);
      line.width = m.TextWidth(line.text);
      size_t kept = line.text.size();
      bool cutAtEdge = false;
      if (ellipsis && ((line.width > width && endsText) || (lastLine && !endsText))) {
        kept = EllipsisCut(line.text, width, m);
        line.text.resize(kept);
        line.text += kEllipsis;
        line.width = m.TextWidth(line.text);
      } else if (wordBreak && line.width > width) {
        cutAtEdge = true;
      }
      for (size_t mark : segment.marks)
        if (mark >= piece.begin && mark < piece.begin + kept) line.underline = mark - piece.begin;

      if (cutAtEdge)
        line.x = rect.Left;
      else if (format & DT_CENTER)
        line.x = (rect.Left + rect.Right - line.width) / 2;
      else if (format & DT_RIGHT)
        line.x = rect.Right - line.width;
      else
        line.x = rect.Left;
      if (single && (format & DT_VCENTER))
        y = rect.Top + (rect.Bottom - rect.Top) / 2 - textHeight / 2;
      else if (single && (format & DT_BOTTOM))
        y = rect.Bottom - textHeight;
      line.y = y;
      y += lineHeight;
      widest = std::max(widest, line.width);
      result.lines.push_back(std::move(line));
      if (lastLine) break;
    }
    if (lastLine) break;
  }

  result.extent = {rect.Left, rect.Top, rect.Left + widest, y};
  result.height = y - rect.Top == 0 ? 1 : y - rect.Top;
  return result;
}
