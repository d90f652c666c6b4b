#include "foundation/Text.h"

#include "foundation/Errors.h"

namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a number whose two's-complement form has `bits` bits. Decimal values must lie in the signed
// range; hexadecimal ones may spell every bit pattern ("$FFFFFFFF" is -1 in 32 bits).
bool ParseInteger(std::string_view text, unsigned bits, std::int64_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return false;
  const std::uint64_t signBit = std::uint64_t{1} << (bits - 1);
  const std::uint64_t limit = base == 16 ? signBit - 1 + signBit : (negative ? signBit : signBit - 1);
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return false;
    if (magnitude > (limit - static_cast<unsigned>(digit)) / base) return false;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
  }
  // Two's-complement wrap within `bits`, then sign extension.
  const std::uint64_t mask = (signBit << 1) - 1;  // all ones for 64 bits
  const std::uint64_t pattern = (negative ? ~magnitude + 1 : magnitude) & mask;
  value = static_cast<std::int64_t>((pattern & signBit) ? (pattern | ~mask) : pattern);
  return true;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

std::string IntToStr(std::int64_t value) {
  return std::to_string(value);
}

bool TryStrToInt(std::string_view text, std::int32_t& value) noexcept {
  std::int64_t wide = 0;
  if (!ParseInteger(text, 32, wide)) return false;
  value = static_cast<std::int32_t>(wide);
  return true;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value) noexcept {
  return ParseInteger(text, 64, value);
}

std::int32_t StrToInt(std::string_view text) {
  std::int32_t value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError(
        Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
  return value;
}
