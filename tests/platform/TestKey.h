// A registry key made for one test below HKEY_LOCAL_MACHINE, removed again afterwards. On Linux it
// is written to the registry file of the test folder, on Windows through the registry itself.
#pragma once

#include <string>

namespace korva::test {

// "Software\KorvaTest\CdRom" with the values AutoRun (REG_DWORD 0), Name (REG_SZ "text") and
// Bin (REG_BINARY 01 02 03).
class TestKey {
 public:
  TestKey();
  ~TestKey();
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  static constexpr const char* kPath = "Software\\KorvaTest\\CdRom";
};

}  // namespace korva::test
