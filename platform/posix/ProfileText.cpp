#include "platform/posix/ProfileText.h"

#include <cstdint>

#include "platform/posix/TextLines.h"

namespace korva::posix {
namespace {

constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

enum class Kind { kBlank, kComment, kSection, kKey };

struct Parsed {
  Kind kind = Kind::kBlank;
  std::string_view name;   // section or key name, trimmed
  bool has_value = false;  // a key line with "="
  std::string_view value;  // trimmed
};

Parsed ParseLine(std::string_view line) {
  Parsed parsed;
  std::string_view text = TrimBlanks(line);
  if (text.empty()) return parsed;
  if (text[0] == ';') {
    parsed.kind = Kind::kComment;
    return parsed;
  }
  if (text[0] == '[') {
    size_t close = text.rfind(']');
    if (close != std::string_view::npos) {
      parsed.kind = Kind::kSection;
      parsed.name = TrimBlanks(text.substr(1, close - 1));
      return parsed;
    }
  }
  parsed.kind = Kind::kKey;
  size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    parsed.name = text;
  } else {
    parsed.name = TrimBlanks(text.substr(0, equals));
    parsed.has_value = true;
    parsed.value = TrimBlanks(text.substr(equals + 1));
  }
  return parsed;
}

struct Located {
  std::vector<Line> lines;
  std::vector<Parsed> parsed;
  size_t section = SIZE_MAX;  // index of the header line of the first matching section
  size_t section_end = 0;     // index of the first line after that section
  size_t key = SIZE_MAX;      // index of the first matching key line inside it
};

Located Locate(std::string_view text, std::string_view section, std::string_view key) {
  Located found;
  found.lines = SplitLines(text);
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  for (const Line& line : found.lines) {
    found.parsed.push_back(ParseLine(text.substr(line.begin, line.content_end - line.begin)));
  }
  for (size_t i = 0; i < found.parsed.size(); ++i) {
    if (found.parsed[i].kind == Kind::kSection && IEquals(found.parsed[i].name, section)) {
      found.section = i;
      break;
    }
  }
  if (found.section == SIZE_MAX) return found;
  size_t i = found.section + 1;
  for (; i < found.parsed.size() && found.parsed[i].kind != Kind::kSection; ++i) {
    if (found.key == SIZE_MAX && found.parsed[i].kind == Kind::kKey && IEquals(found.parsed[i].name, key)) {
      found.key = i;
    }
  }
  found.section_end = i;
  return found;
}

bool EndsWithLineEnd(std::string_view text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::string> ProfileFind(std::string_view text, std::string_view section,
                                       std::string_view key) {
  Located found = Locate(text, section, key);
  if (found.key == SIZE_MAX || !found.parsed[found.key].has_value) return std::nullopt;
  return std::string(found.parsed[found.key].value);
}

std::vector<std::string> ProfileSectionNames(std::string_view text) {
  std::vector<std::string> names;
  for (const Line& line : SplitLines(text)) {
    Parsed parsed = ParseLine(text.substr(line.begin, line.content_end - line.begin));
    if (parsed.kind == Kind::kSection && !parsed.name.empty()) names.emplace_back(parsed.name);
  }
  return names;
}

std::vector<std::string> ProfileKeyNames(std::string_view text, std::string_view section) {
  std::vector<std::string> names;
  Located found = Locate(text, section, {});
  if (found.section == SIZE_MAX) return names;
  for (size_t i = found.section + 1; i < found.section_end; ++i) {
    const Parsed& parsed = found.parsed[i];
    if (parsed.kind == Kind::kKey && parsed.has_value && !parsed.name.empty())
      names.emplace_back(parsed.name);
  }
  return names;
}

std::string ProfileWrite(std::string_view text, std::string_view section, const char* key,
                         const char* value) {
  section = TrimBlanks(section);
  Located found = Locate(text, section, key ? std::string_view(key) : std::string_view());
  std::string out;
  auto keep = [&](size_t from, size_t to) { out.append(text.substr(from, to - from)); };

  if (!key) {  // delete the section with all its lines
    if (found.section == SIZE_MAX) return std::string(text);
    size_t cut_begin = found.lines[found.section].begin;
    size_t cut_end =
        found.section_end < found.lines.size() ? found.lines[found.section_end].begin : text.size();
    keep(0, cut_begin);
    keep(cut_end, text.size());
    return out;
  }
  if (!value) {  // delete the key's line
    if (found.key == SIZE_MAX) return std::string(text);
    keep(0, found.lines[found.key].begin);
    keep(found.lines[found.key].end, text.size());
    return out;
  }
  std::string entry = std::string(TrimBlanks(key)) + "=" + value;
  if (found.key != SIZE_MAX) {  // replace the value, keeping the name as the file spells it
    const Line& line = found.lines[found.key];
    keep(0, line.begin);
    out.append(found.parsed[found.key].name);
    out += '=';
    out += value;
    keep(line.content_end, text.size());
    return out;
  }
  if (found.section != SIZE_MAX) {  // add the key after the section's last line that is not blank
    size_t last = found.section;
    for (size_t i = found.section + 1; i < found.section_end; ++i) {
      if (found.parsed[i].kind != Kind::kBlank) last = i;
    }
    const Line& line = found.lines[last];
    keep(0, line.end);
    if (line.end == line.content_end) out.append(kNewLine);
    out.append(entry).append(kNewLine);
    keep(line.end, text.size());
    return out;
  }
  out.assign(text);
  if (!out.empty() && !EndsWithLineEnd(out) && out != kUtf8Bom) out.append(kNewLine);
  out.append("[").append(section).append("]").append(kNewLine);
  out.append(entry).append(kNewLine);
  return out;
}

std::string DecodeProfileFile(std::string_view bytes, TextEncoding* encoding) {
  *encoding = TextEncoding();
  if (bytes.size() < 2) return std::string(bytes);
  bool little;
  if (bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    little = true;
  } else if (bytes[0] == '\xFE' && bytes[1] == '\xFF') {
    little = false;
  } else {
    return std::string(bytes);
  }
  encoding->kind = little ? TextEncoding::kUtf16Le : TextEncoding::kUtf16Be;
  if (bytes.size() % 2) {
    encoding->odd_tail.assign(1, bytes.back());
    bytes.remove_suffix(1);
  }
  std::string out;
  size_t pos = 2;
  auto unit_at = [&](size_t at) -> uint32_t {
    auto lo = static_cast<unsigned char>(bytes[at + (little ? 0 : 1)]);
    auto hi = static_cast<unsigned char>(bytes[at + (little ? 1 : 0)]);
    return static_cast<uint32_t>(lo | (hi << 8));
  };
  while (pos + 1 < bytes.size()) {
    uint32_t unit = unit_at(pos);
    pos += 2;
    if (unit >= 0xD800 && unit < 0xDC00 && pos + 1 < bytes.size()) {
      uint32_t next = unit_at(pos);
      if (next >= 0xDC00 && next < 0xE000) {
        pos += 2;
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        continue;
      }
    }
    AppendUtf8(out, unit);  // lone surrogates are kept as three bytes, so nothing is lost
  }
  return out;
}

std::string EncodeProfileFile(std::string_view text, const TextEncoding& encoding) {
  if (encoding.kind == TextEncoding::kBytes) return std::string(text);
  bool little = encoding.kind == TextEncoding::kUtf16Le;
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  auto put = [&](uint32_t unit) {
    char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
    out += little ? lo : hi;
    out += little ? hi : lo;
  };
  size_t pos = 0;
  while (pos < text.size()) {
    auto lead = static_cast<unsigned char>(text[pos]);
    uint32_t code;
    size_t length;
    if (lead < 0x80) {
      code = lead, length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F, length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F, length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07, length = 4;
    } else {
      code = 0xFFFD, length = 1;  // bytes that were never UTF-8 (written by a caller)
    }
    if (pos + length > text.size()) length = 1, code = 0xFFFD;
    for (size_t i = 1; i < length && code != 0xFFFD; ++i) {
      auto next = static_cast<unsigned char>(text[pos + i]);
      if ((next & 0xC0) != 0x80) {
        code = 0xFFFD, length = 1;
        break;
      }
      code = (code << 6) | (next & 0x3F);
    }
    pos += length;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out + encoding.odd_tail;
}

}  // namespace korva::posix
