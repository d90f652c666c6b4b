#include "TestKey.h"
#include "platform/winapi.h"

namespace korva::test {

TestKey::TestKey() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KorvaTest");
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  DWORD zero = 0;
  const BYTE bin[] = {1, 2, 3};
  RegSetValueExA(key, "AutoRun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("text"), 5);
  RegSetValueExA(key, "Bin", 0, REG_BINARY, bin, sizeof bin);
  RegCloseKey(key);
}

TestKey::~TestKey() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KorvaTest");
}

}  // namespace korva::test
