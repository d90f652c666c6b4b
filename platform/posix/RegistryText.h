// The REGEDIT4 text that holds the registry on Linux. Pure functions on the bytes of the file; a
// change rewrites only the lines of the value it changes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/winapi.h"

namespace korva::posix {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::string data;
};

// The file begins with "REGEDIT4" (or the version 5 header); anything else is a corrupt database.
bool RegistryTextIsValid(std::string_view text);

// Whether the key exists: a section names it or a key below it. `key` is the full path, such as
// "HKEY_LOCAL_MACHINE\System\ControlSet001"; names compare without regard to ASCII case.
bool RegistryKeyExists(std::string_view text, std::string_view key);

// A value of a key (the empty name is the key's default value); the last one written counts, as
// when the file is imported. Lines that cannot be read are skipped.
std::optional<RegistryValue> RegistryGetValue(std::string_view text, std::string_view key,
                                              std::string_view name);

// The text with the value set; nullopt when the key does not exist or the text is not valid.
std::optional<std::string> RegistrySetValue(std::string_view text, std::string_view key,
                                            std::string_view name, const RegistryValue& value);

}  // namespace korva::posix
