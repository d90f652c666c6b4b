// Any bytes as a registry file: reading must not crash, and a value that was set reads back.
#include <cstdint>
#include <string>

#include "platform/posix/RegistryText.h"

using namespace korva::posix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const char* key = "HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom";
  RegistryKeyExists(text, key);
  RegistryGetValue(text, key, "AutoRun");
  RegistryValue one{REG_DWORD, std::string("\1\0\0\0", 4)};
  if (auto updated = RegistrySetValue(text, key, "Autorun", one)) {
    auto value = RegistryGetValue(*updated, key, "AutoRun");
    if (!value || value->type != REG_DWORD || value->data != one.data) __builtin_trap();
  }
  return 0;
}
