// Line-by-line reading of the settings texts (profiles and the registry file): line ends as
// Windows accepts them, an optional UTF-8 byte-order mark, names compared without regard to
// ASCII case.
#pragma once

#include <string_view>
#include <vector>

namespace korva::posix {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct Line {
  size_t begin;        // first byte of the line
  size_t content_end;  // first byte of the line end (or of the next line when there is none)
  size_t end;          // first byte of the next line
};

// Splits at CR LF, LF and a lone CR, after a leading byte-order mark.
inline std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t pos = text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
  while (pos < text.size()) {
    const size_t stop = text.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos) {
      lines.push_back({pos, text.size(), text.size()});
      break;
    }
    size_t next = stop + 1;
    if (text[stop] == '\r' && next < text.size() && text[next] == '\n') ++next;
    lines.push_back({pos, stop, next});
    pos = next;
  }
  return lines;
}

inline char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace korva::posix
