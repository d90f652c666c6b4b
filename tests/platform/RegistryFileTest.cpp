// The registry file of the Linux backend: missing and damaged files, and edits that keep every
// other line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

constexpr const char* kKey = "Software\\KorvaTest\\CdRom";

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(KORVA_FIXTURES) + "/registry/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

LONG QueryDword(HKEY key, const char* name, DWORD* value) {
  DWORD type = 0, size = sizeof *value;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
  if (status == ERROR_SUCCESS && (type != REG_DWORD || size != 4)) return ERROR_INVALID_DATA;
  return status;
}

TEST(RegistryFile, MissingFileMeansMissingKeys) {
  TestFolder folder;
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\ControlSet001\\Services\\CdRom", 0, KEY_ALL_ACCESS, &key),
      ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(folder.Read("system.reg").has_value());
}

TEST(RegistryFile, SettingAValueChangesOnlyItsLines) {
  TestFolder folder;
  const std::string before =
      "REGEDIT4\n"
      "\n"
      "; kept\n"
      "[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom]\n"
      "\"Bin\"=hex:01,02,\\\n"
      "  03\n"
      "\"AutoRun\"=dword:00000000\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
      "\"AutoRun\"=dword:00000007\n";
  folder.Write("system.reg", before);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD one = 1;
  const BYTE bytes[] = {9, 8};
  ASSERT_EQ(RegSetValueExA(key, "Autorun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "bin", 0, REG_BINARY, bytes, 2), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("a\"b\\c"), 6),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(folder.Read("system.reg"),
            "REGEDIT4\n"
            "\n"
            "; kept\n"
            "[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom]\n"
            "\"bin\"=hex:09,08\n"
            "\"Autorun\"=dword:00000001\n"
            "\"Text\"=\"a\\\"b\\\\c\"\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
            "\"AutoRun\"=dword:00000007\n");
}

TEST(RegistryFile, KeyKnownOnlyThroughASubkeyGetsItsOwnSection) {
  TestFolder folder;
  folder.Write("system.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom\\Deeper]\r\n");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD one = 1, value = 0;
  ASSERT_EQ(RegSetValueExA(key, "AutoRun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_SUCCESS);
  EXPECT_EQ(QueryDword(key, "AutoRun", &value), ERROR_SUCCESS);
  EXPECT_EQ(value, 1u);
  RegCloseKey(key);
}

TEST(RegistryFile, HandlesAndRootsBehaveAsOnWindows) {
  TestFolder folder;
  folder.Write("system.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom]\r\n");
  HKEY root = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &root), ERROR_SUCCESS);
  EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  HKEY bogus = reinterpret_cast<HKEY>(static_cast<intptr_t>(0x1234));
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(bogus, "x", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(bogus), ERROR_INVALID_HANDLE);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
  HKEY child;
  EXPECT_EQ(RegOpenKeyExA(key, "KorvaTest\\CdRom", 0, KEY_READ, &child), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST(RegistryFile, ValueOfAKeyRemovedMeanwhile) {
  TestFolder folder;
  folder.Write("system.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KorvaTest\\CdRom]\r\n");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  folder.Write("system.reg", "REGEDIT4\r\n");
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExA(key, "AutoRun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_KEY_DELETED);
  EXPECT_EQ(folder.Read("system.reg"), "REGEDIT4\r\n");
  RegCloseKey(key);
}

struct DamagedRegistry {
  const char* name;
  LONG open;    // RegOpenKeyExA of the key
  LONG query;   // reading AutoRun as a 32-bit number
  DWORD value;  // when it reads
};

const DamagedRegistry kDamagedRegistries[] = {
    {"no_header.reg", ERROR_BADDB, 0, 0},
    {"wrong_header.reg", ERROR_BADDB, 0, 0},
    {"bad_dword_digits.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"dword_of_nine_digits.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"unterminated_name.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"odd_hex_digits.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"continuation_at_end.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"nul_bytes.reg", ERROR_SUCCESS, ERROR_SUCCESS, 1},
    {"line_of_5000.reg", ERROR_SUCCESS, ERROR_SUCCESS, 1},
    {"lf_without_final_break.reg", ERROR_SUCCESS, ERROR_SUCCESS, 1},
    {"binary_junk.reg", ERROR_SUCCESS, ERROR_SUCCESS, 1},
    {"value_deleted.reg", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, 0},
    {"string_in_place_of_dword.reg", ERROR_SUCCESS, ERROR_INVALID_DATA, 0},
    {"key_not_closed.reg", ERROR_FILE_NOT_FOUND, 0, 0},
    {"key_deleted.reg", ERROR_FILE_NOT_FOUND, 0, 0},
};

class RegistryDamaged : public testing::TestWithParam<DamagedRegistry> {};

TEST_P(RegistryDamaged, ClearResultsAndNoLostLine) {
  const DamagedRegistry& row = GetParam();
  TestFolder folder;
  const std::string before = ReadFixture(row.name);
  folder.Write("system.reg", before);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key), row.open);
  if (row.open != ERROR_SUCCESS) return;
  DWORD value = 0xdeadbeef;
  EXPECT_EQ(QueryDword(key, "AutoRun", &value), row.query);
  if (row.query == ERROR_SUCCESS) {
    EXPECT_EQ(value, row.value);
  }

  // A new value goes in without taking anything of the file away.
  DWORD seven = 7;
  ASSERT_EQ(RegSetValueExA(key, "Added", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), 4),
            ERROR_SUCCESS);
  std::string after = folder.Read("system.reg").value_or("");
  size_t prefix = 0;
  while (prefix < before.size() && before[prefix] == after[prefix]) ++prefix;
  EXPECT_EQ(after.substr(after.size() - (before.size() - prefix)), before.substr(prefix));
  EXPECT_EQ(QueryDword(key, "Added", &value), ERROR_SUCCESS);
  EXPECT_EQ(value, 7u);
  RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RegistryDamaged, testing::ValuesIn(kDamagedRegistries),
                         [](const testing::TestParamInfo<DamagedRegistry>& info) {
                           std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
