#include "toolkit/TextLayout.h"

#include <algorithm>

namespace {

constexpr std::string_view kEllipsis = "...";

struct Paragraph {
  std::string text;
  size_t underline = std::string::npos;
};

// Splits at CR, LF and CR LF.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      return lines;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

// The longest prefix of `text` not wider than `width` (at least nothing).
size_t FittingPrefix(std::string_view text, int width, const FontMetrics& m) {
  size_t lo = 0, hi = text.size();
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    if (m.TextWidth(text.substr(0, mid)) <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

// Shortens `text` so that it and the ellipsis fit `width`.
std::string WithEndEllipsis(std::string_view text, int width, const FontMetrics& m) {
  const int room = width - m.TextWidth(kEllipsis);
  const size_t keep = room > 0 ? FittingPrefix(text, room, m) : 0;
  std::string result(text.substr(0, keep));
  result += kEllipsis;
  return result;
}

struct Piece {
  size_t begin;  // into the paragraph text
  size_t end;
};

// Breaks one paragraph at blanks so each line fits `width`; a word wider than the width stands
// alone on its line (cut later).
std::vector<Piece> BreakWords(std::string_view text, int width, const FontMetrics& m) {
  std::vector<Piece> pieces;
  size_t pos = 0;
  const size_t n = text.size();
  if (n == 0) return {{0, 0}};
  while (pos < n) {
    size_t lineEnd = pos;  // end of the last word that fits
    size_t scan = pos;
    while (scan < n) {
      size_t wordEnd = scan;
      while (wordEnd < n && text[wordEnd] == ' ') ++wordEnd;
      while (wordEnd < n && text[wordEnd] != ' ') ++wordEnd;
      if (lineEnd != pos && m.TextWidth(text.substr(pos, wordEnd - pos)) > width) break;
      lineEnd = wordEnd;
      scan = wordEnd;
      if (m.TextWidth(text.substr(pos, lineEnd - pos)) > width) break;  // a single overlong word
    }
    // Trailing blanks are not drawn.
    size_t visibleEnd = lineEnd;
    while (visibleEnd > pos && text[visibleEnd - 1] == ' ') --visibleEnd;
    pieces.push_back({pos, visibleEnd});
    pos = lineEnd;
    while (pos < n && text[pos] == ' ') ++pos;
  }
  return pieces;
}

}  // namespace

std::string StripPrefix(std::string_view text, size_t* underline) {
  std::string result;
  if (underline) *underline = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 >= text.size()) break;  // a lone ampersand at the end shows nothing
      ++i;
      if (text[i] != '&' && underline && *underline == std::string::npos) *underline = result.size();
    }
    result += text[i];
  }
  return result;
}

TextLayoutResult LayoutText(std::string_view text, const TRect& rect, unsigned format, const FontMetrics& m) {
  const bool prefix = !(format & DT_NOPREFIX);
  const bool single = format & DT_SINGLELINE;
  const bool wordBreak = (format & DT_WORDBREAK) && !single;
  const bool ellipsis = format & DT_END_ELLIPSIS;
  const int lineHeight = m.LineHeight() + ((format & DT_EXTERNALLEADING) ? m.ExternalLeading() : 0);
  const int width = rect.Width();

  // Paragraphs with their prefix marks.
  std::vector<Paragraph> paragraphs;
  if (single) {
    std::string joined;
    for (char c : text)
      if (c != '\r' && c != '\n') joined += c;
    paragraphs.push_back({joined});
  } else {
    for (auto& line : SplitLines(text)) paragraphs.push_back({line});
  }
  for (auto& p : paragraphs)
    if (prefix) p.text = StripPrefix(p.text, &p.underline);

  TextLayoutResult result;
  std::vector<LaidOutLine> lines;
  for (size_t pi = 0; pi < paragraphs.size(); ++pi) {
    const Paragraph& p = paragraphs[pi];
    std::vector<Piece> pieces =
        wordBreak ? BreakWords(p.text, width, m) : std::vector<Piece>{{0, p.text.size()}};
    for (size_t k = 0; k < pieces.size(); ++k) {
      LaidOutLine line;
      line.text = p.text.substr(pieces[k].begin, pieces[k].end - pieces[k].begin);
      if (p.underline != std::string::npos && p.underline >= pieces[k].begin && p.underline < pieces[k].end)
        line.underline = p.underline - pieces[k].begin;
      const bool lastOfText = pi + 1 == paragraphs.size() && k + 1 == pieces.size();
      if (m.TextWidth(line.text) > width) {
        if (single || (ellipsis && lastOfText)) {
          if (ellipsis) line.text = WithEndEllipsis(line.text, width, m);
        } else if (wordBreak) {
          line.text.resize(FittingPrefix(line.text, width, m));  // an overlong word is cut at the edge
        }
        if (line.underline != std::string::npos && line.underline >= line.text.size())
          line.underline = std::string::npos;
      }
      line.width = m.TextWidth(line.text);
      lines.push_back(std::move(line));
    }
  }

  const int total = lineHeight * static_cast<int>(lines.size());
  int y = rect.Top;
  if (single && (format & DT_VCENTER))
    y = rect.Top + (rect.Height() - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM))
    y = rect.Bottom - lineHeight;
  int widest = 0;
  for (auto& line : lines) {
    if (format & DT_CENTER)
      line.x = rect.Left + (width - line.width) / 2;
    else if (format & DT_RIGHT)
      line.x = rect.Right - line.width;
    else
      line.x = rect.Left;
    line.y = y;
    y += lineHeight;
    widest = std::max(widest, line.width);
  }
  result.extent = {rect.Left, rect.Top,
                   rect.Left + (wordBreak ? std::min(widest, std::max(width, widest)) : widest),
                   rect.Top + total};
  result.height = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? (y - rect.Top) : total;
  result.lines = std::move(lines);
  return result;
}
