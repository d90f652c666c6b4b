// The text of a profile (settings) file as Windows reads and edits it. Pure functions on the bytes of
// the file, so that other lines stay exactly as they were.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::posix {

// The value of `key` in `section` with the blanks around it removed; nullopt when the section or
// the key is missing or the key's line has no "=". Names compare without regard to ASCII case and
// without their surrounding blanks; the first matching section and the first matching key count.
std::optional<std::string> ProfileFind(std::string_view text, std::string_view section, std::string_view key);

// The names of all sections, in file order.
std::vector<std::string> ProfileSectionNames(std::string_view text);

// The names of the keys of `section` that have a value, in file order.
std::vector<std::string> ProfileKeyNames(std::string_view text, std::string_view section);

// The text after WritePrivateProfileString: `key` null deletes the section, `value` null deletes the
// key, otherwise the key is set, and the section and key are created when missing. New lines end in
// CR LF; every other line is kept byte for byte.
std::string ProfileWrite(std::string_view text, std::string_view section, const char* key, const char* value);

// The blanks Windows trims around names and values.
std::string_view TrimBlanks(std::string_view text);

// Profile files may be stored as UTF-16 with a byte-order mark; these convert such a file to the
// 8-bit text the functions above work on (UTF-8, lone surrogates kept) and back, losslessly.
struct TextEncoding {
  enum Kind { kBytes, kUtf16Le, kUtf16Be } kind = kBytes;
  std::string odd_tail;  // a last byte that makes no 16-bit unit; it stays last
};
std::string DecodeProfileFile(std::string_view bytes, TextEncoding* encoding);
std::string EncodeProfileFile(std::string_view text, const TextEncoding& encoding);

}  // namespace korva::posix
