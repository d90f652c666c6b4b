// Small text helpers shared by every layer: ASCII case rules and number texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Compares without regard to ASCII letter case; other bytes compare exactly.
bool SameText(std::string_view a, std::string_view b) noexcept;
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);

// Plain decimal digits with a leading minus sign when negative.
std::string IntToStr(std::int64_t value);

// Decimal with an optional sign, or hexadecimal after "$" (also "x", "X", "0x", "0X"),
// leading blanks skipped; the whole rest must be digits and the value must fit.
// Returns false when the text is no such number.
bool TryStrToInt(std::string_view text, std::int32_t& value) noexcept;
bool TryStrToInt64(std::string_view text, std::int64_t& value) noexcept;

// As TryStrToInt, failing with EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
