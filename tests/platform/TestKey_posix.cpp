#include <cstdlib>
#include <fstream>

#include "TestKey.h"

namespace korva::test {

TestKey::TestKey() {
  std::ofstream(std::getenv("KORVA_REGISTRY"), std::ios::binary | std::ios::trunc)
      << "REGEDIT4\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom]\r\n"
         "\"AutoRun\"=dword:00000000\r\n"
         "\"Name\"=\"text\"\r\n"
         "\"Bin\"=hex:01,02,03\r\n";
}

TestKey::~TestKey() = default;  // the test folder goes, and the file with it

}  // namespace korva::test
