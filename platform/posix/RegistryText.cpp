#include "platform/posix/RegistryText.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/posix/TextLines.h"

namespace korva::posix {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Key paths compare without their trailing backslashes.
std::string_view KeyPath(std::string_view key) {
  key = Trim(key);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text with the escapes \\ and \" from the start of `text`; returns the position
// after the closing quote, or npos.
size_t ReadQuoted(std::string_view text, std::string* out) {
  if (text.empty() || text[0] != '"') return std::string_view::npos;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      *out += text[++i];
    } else if (text[i] == '"') {
      return i + 1;
    } else {
      *out += text[i];
    }
  }
  return std::string_view::npos;
}

std::optional<RegistryValue> ReadData(std::string_view data) {
  RegistryValue value;
  data = Trim(data);
  if (!data.empty() && data[0] == '"') {
    std::string text;
    size_t end = ReadQuoted(data, &text);
    if (end == std::string_view::npos || !Trim(data.substr(end)).empty()) return std::nullopt;
    value.type = REG_SZ;
    value.data = text + '\0';
    return value;
  }
  if (data.substr(0, 6) == "dword:") {
    std::string_view digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t number = 0;
    for (char c : digits) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      number = number * 16 + static_cast<uint32_t>(digit);
    }
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
    return value;
  }
  if (data.substr(0, 3) != "hex") return std::nullopt;
  data.remove_prefix(3);
  value.type = REG_BINARY;
  if (!data.empty() && data[0] == '(') {
    size_t close = data.find(')');
    if (close == std::string_view::npos || close == 1 || close > 9) return std::nullopt;
    uint32_t type = 0;
    for (char c : data.substr(1, close - 1)) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      type = type * 16 + static_cast<uint32_t>(digit);
    }
    value.type = type;
    data.remove_prefix(close + 1);
  }
  if (data.empty() || data[0] != ':') return std::nullopt;
  data.remove_prefix(1);
  size_t pos = 0;
  while (pos < data.size()) {
    while (pos < data.size() && (IsBlank(data[pos]) || data[pos] == ',')) ++pos;
    if (pos >= data.size()) break;
    int high = HexDigit(data[pos]);
    int low = pos + 1 < data.size() ? HexDigit(data[pos + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    value.data += static_cast<char>(high * 16 + low);
    pos += 2;
    if (pos < data.size() && data[pos] != ',' && !IsBlank(data[pos])) return std::nullopt;
  }
  return value;
}

struct Entry {
  enum Kind { kOther, kKey, kDeletedKey, kValue } kind = kOther;
  std::string name;  // key path or value name
  size_t first_line = 0, last_line = 0;
  std::optional<RegistryValue> value;  // nullopt for a deletion ("=-") or unreadable data
};

// One entry per logical line: a line ending in a backslash continues on the next one.
std::vector<Entry> ParseEntries(std::string_view text, const std::vector<Line>& lines) {
  std::vector<Entry> entries;
  for (size_t i = 0; i < lines.size(); ++i) {
    Entry entry;
    entry.first_line = i;
    std::string logical(text.substr(lines[i].begin, lines[i].content_end - lines[i].begin));
    while (!Trim(logical).empty() && Trim(logical).back() == '\\' && i + 1 < lines.size()) {
      std::string_view current = Trim(logical);
      logical.assign(current.substr(0, current.size() - 1));
      ++i;
      logical += Trim(text.substr(lines[i].begin, lines[i].content_end - lines[i].begin));
    }
    entry.last_line = i;
    std::string_view body = Trim(logical);
    if (body.empty() || body[0] == ';') {
      entries.push_back(std::move(entry));
      continue;
    }
    if (body[0] == '[' && body.back() == ']') {
      std::string_view name = body.substr(1, body.size() - 2);
      entry.kind = !name.empty() && name[0] == '-' ? Entry::kDeletedKey : Entry::kKey;
      entry.name = KeyPath(entry.kind == Entry::kDeletedKey ? name.substr(1) : name);
      entries.push_back(std::move(entry));
      continue;
    }
    size_t after_name;
    if (body[0] == '@') {
      after_name = 1;
    } else {
      after_name = ReadQuoted(body, &entry.name);
      if (after_name == std::string_view::npos) {
        entries.push_back(std::move(entry));
        continue;
      }
    }
    std::string_view rest = Trim(body.substr(after_name));
    if (rest.empty() || rest[0] != '=') {
      entries.push_back(std::move(entry));
      continue;
    }
    entry.kind = Entry::kValue;
    std::string_view data = Trim(rest.substr(1));
    if (data != "-") entry.value = ReadData(data);
    entries.push_back(std::move(entry));
  }
  return entries;
}

struct Found {
  std::vector<Line> lines;
  std::vector<Entry> entries;
  bool key_exists = false;
  size_t last_block_end = 0;  // index of the first entry after the last block of the key
  size_t last_block = SIZE_MAX;
  size_t value = SIZE_MAX;  // entry of the value's last occurrence
};

Found Find(std::string_view text, std::string_view key, std::string_view name) {
  Found found;
  found.lines = SplitLines(text);
  found.entries = ParseEntries(text, found.lines);
  key = KeyPath(key);
  bool inside = false;
  for (size_t i = 0; i < found.entries.size(); ++i) {
    const Entry& entry = found.entries[i];
    if (entry.kind == Entry::kKey || entry.kind == Entry::kDeletedKey) {
      if (inside) found.last_block_end = i;
      inside = entry.kind == Entry::kKey && IEquals(entry.name, key);
      if (inside) found.last_block = i;
      if (entry.kind == Entry::kKey &&
          (inside || (entry.name.size() > key.size() && entry.name[key.size()] == '\\' &&
                      IEquals(std::string_view(entry.name).substr(0, key.size()), key)))) {
        found.key_exists = true;
      }
      continue;
    }
    if (inside && entry.kind == Entry::kValue && IEquals(entry.name, name)) found.value = i;
  }
  if (inside) found.last_block_end = found.entries.size();
  return found;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string FormatValue(std::string_view name, const RegistryValue& value) {
  std::string line = name.empty() ? "@=" : "\"" + Escape(name) + "\"=";
  const std::string& data = value.data;
  bool plain_text = value.type == REG_SZ && !data.empty() && data.back() == '\0' &&
                    data.find('\0') == data.size() - 1 && data.find_first_of("\r\n") == std::string::npos;
  if (plain_text) return line + "\"" + Escape(data.substr(0, data.size() - 1)) + "\"";
  if (value.type == REG_DWORD && data.size() == 4) {
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
      number = (number << 8) | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", number);
    return line + "dword:" + digits;
  }
  char prefix[24];
  if (value.type == REG_BINARY) {
    std::snprintf(prefix, sizeof prefix, "hex:");
  } else {
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
  }
  line += prefix;
  for (size_t i = 0; i < data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
    if (i) line += ',';
    line += byte;
  }
  return line;
}

bool EndsContinued(std::string_view text, const Line& line) {
  std::string_view content = Trim(text.substr(line.begin, line.content_end - line.begin));
  return !content.empty() && content.back() == '\\';
}

}  // namespace

bool RegistryTextIsValid(std::string_view text) {
  std::vector<Line> lines = SplitLines(text);
  for (const Line& line : lines) {
    std::string_view content = Trim(text.substr(line.begin, line.content_end - line.begin));
    if (content.empty()) continue;
    return content == "REGEDIT4" || content == "Windows Registry Editor Version 5.00";
  }
  return false;
}

bool RegistryKeyExists(std::string_view text, std::string_view key) {
  if (!RegistryTextIsValid(text)) return false;
  return Find(text, key, {}).key_exists;
}

std::optional<RegistryValue> RegistryGetValue(std::string_view text, std::string_view key,
                                              std::string_view name) {
  if (!RegistryTextIsValid(text)) return std::nullopt;
  Found found = Find(text, key, name);
  if (found.value == SIZE_MAX) return std::nullopt;
  return found.entries[found.value].value;
}

std::optional<std::string> RegistrySetValue(std::string_view text, std::string_view key,
                                            std::string_view name, const RegistryValue& value) {
  if (!RegistryTextIsValid(text)) return std::nullopt;
  Found found = Find(text, key, name);
  if (!found.key_exists) return std::nullopt;
  std::string line_end = "\r\n";
  if (!found.lines.empty() && found.lines[0].end - found.lines[0].content_end == 1) {
    line_end = std::string(1, text[found.lines[0].content_end]);
  }
  std::string formatted = FormatValue(name, value);
  std::string out;
  if (found.value != SIZE_MAX) {  // replace the lines of the value that counts
    const Entry& entry = found.entries[found.value];
    const Line& first = found.lines[entry.first_line];
    const Line& last = found.lines[entry.last_line];
    out.append(text.substr(0, first.begin)).append(formatted);
    out.append(text.substr(last.content_end));
    return out;
  }
  if (found.last_block == SIZE_MAX) {  // the key exists only through keys below it
    out.assign(text);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += line_end;
    if (!found.lines.empty() && EndsContinued(text, found.lines.back())) out += line_end;
    out += line_end + "[" + std::string(KeyPath(key)) + "]" + line_end + formatted + line_end;
    return out;
  }
  size_t after = found.last_block;  // the block's last entry that is not blank
  for (size_t i = found.last_block + 1; i < found.last_block_end; ++i) {
    const Entry& entry = found.entries[i];
    const Line& line = found.lines[entry.first_line];
    if (!Trim(text.substr(line.begin, line.content_end - line.begin)).empty()) after = i;
  }
  // A file may end inside a continued line; a new line after it would be taken into it.
  if (after > found.last_block && EndsContinued(text, found.lines[found.entries[after].last_line])) --after;
  const Line& line = found.lines[found.entries[after].last_line];
  out.append(text.substr(0, line.end));
  if (line.end == line.content_end) out += line_end;
  out += formatted + line_end;
  out.append(text.substr(line.end));
  return out;
}

}  // namespace korva::posix
