// The registry calls, run against both backends.
#include <gtest/gtest.h>

#include <cstring>

#include "TestFolder.h"
#include "TestKey.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;
using korva::test::TestKey;

class Registry : public testing::Test {
 protected:
  HKEY Open(REGSAM access = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TestKey::kPath, 0, access, &key), ERROR_SUCCESS);
    return key;
  }
  DWORD ReadDword(HKEY key, const char* name) {
    DWORD value = 0xdeadbeef, size = sizeof value, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    return value;
  }

  TestFolder folder_;
  TestKey key_;
};

struct OpenCase {
  const char* name;
  const char* path;
  LONG expected;
};

const OpenCase kOpenCases[] = {
    {"existing", "Software\\KorvaTest\\CdRom", ERROR_SUCCESS},
    {"without_case", "software\\korvatest\\CDROM", ERROR_SUCCESS},
    {"trailing_backslash", "Software\\KorvaTest\\CdRom\\", ERROR_SUCCESS},
    {"parent_of_a_key", "Software\\KorvaTest", ERROR_SUCCESS},
    {"missing", "Software\\KorvaTest\\Missing", ERROR_FILE_NOT_FOUND},
    {"leading_backslash", "\\Software\\KorvaTest\\CdRom", ERROR_BAD_PATHNAME},
};

class RegistryOpen : public Registry, public testing::WithParamInterface<OpenCase> {};

TEST_P(RegistryOpen, OpensOnlyExistingKeysWithoutCreatingThem) {
  const OpenCase& row = GetParam();
  HKEY key = reinterpret_cast<HKEY>(static_cast<intptr_t>(1));
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, row.path, 0, KEY_ALL_ACCESS, &key), row.expected);
  if (row.expected == ERROR_SUCCESS) {
    EXPECT_NE(key, nullptr);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  } else {
    EXPECT_EQ(key, nullptr);
  }
  // Opening never creates: the missing key is still missing.
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\KorvaTest\\Missing", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

INSTANTIATE_TEST_SUITE_P(Table, RegistryOpen, testing::ValuesIn(kOpenCases),
                         [](const testing::TestParamInfo<OpenCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Registry, QueriesValuesWithTheirTypesAndSizes) {
  HKEY key = Open();
  EXPECT_EQ(ReadDword(key, "AutoRun"), 0u);

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "autorun", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);

  char text[16];
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<LPBYTE>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 5u);
  EXPECT_STREQ(text, "text");

  BYTE small[2];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "Bin", nullptr, &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 3u);

  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<LPBYTE>(text), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, SetValueNamesCompareWithoutCase) {
  HKEY key = Open();
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExA(key, "Autorun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadDword(key, "AutoRun"), 1u);
  RegCloseKey(key);

  // A new handle sees what was written.
  key = Open(KEY_READ);
  EXPECT_EQ(ReadDword(key, "AUTORUN"), 1u);
  RegCloseKey(key);
}

TEST_F(Registry, NewValuesOfEveryKind) {
  HKEY key = Open();
  DWORD number = 0x12345678;
  const char text[] = "a \"quoted\" \\ text";
  const BYTE bytes[] = {0, 0xff, 0x10};
  ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Bytes", 0, REG_BINARY, bytes, sizeof bytes), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("dflt"), 5), ERROR_SUCCESS);

  EXPECT_EQ(ReadDword(key, "Number"), 0x12345678u);
  char buffer[64];
  DWORD type = 0, size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof text);
  EXPECT_STREQ(buffer, text);
  size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Bytes", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(std::string(buffer, size), std::string("\0\xff\x10", 3));
  size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "dflt");
  RegCloseKey(key);
}

TEST_F(Registry, ReadOnlyHandleCannotWrite) {
  HKEY key = Open(KEY_READ);
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExA(key, "AutoRun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadDword(key, "AutoRun"), 0u);
  RegCloseKey(key);
}

}  // namespace
