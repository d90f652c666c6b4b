// How Windows path texts name files on Linux.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

std::string LongPath(const std::string& path) {
  char buffer[4096];
  DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return length ? std::string(buffer, length) : "(error " + std::to_string(GetLastError()) + ")";
}

struct PathCase {
  const char* name;
  const char* asked;     // below the test folder
  const char* expected;  // its long form below the test folder, or "(error N)"
};

const PathCase kPathCases[] = {
    {"exact", "\\duzoravar\\duzoravar.exe", "\\duzoravar\\duzoravar.exe"},
    {"case_of_folder", "\\DUZORAVAR\\duzoravar.exe", "\\duzoravar\\duzoravar.exe"},
    {"case_of_every_name", "\\Duzoravar\\BMP\\", "\\duzoravar\\bmp\\"},
    {"forward_slashes", "/duzoravar/bmp", "\\duzoravar\\bmp"},
    {"doubled_separators", "\\\\duzoravar\\\\\\bmp", "\\duzoravar\\bmp"},
    {"dot_and_dot_dot", "\\duzoravar\\.\\bmp\\..\\duzoravar.exe", "\\duzoravar\\duzoravar.exe"},
    {"exact_name_preferred", "\\Data", "\\Data"},
    {"first_of_several_spellings", "\\DATA", "\\Data"},
    {"missing_file", "\\duzoravar\\none.exe", "(error 2)"},
    {"missing_folder", "\\none\\duzoravar.exe", "(error 3)"},
    {"file_used_as_folder", "\\duzoravar\\duzoravar.exe\\x", "(error 3)"},
    {"file_with_trailing_separator", "\\duzoravar\\duzoravar.exe\\", "(error 123)"},
    {"wildcard", "\\duzoravar\\*.exe", "(error 123)"},
};

class Paths : public testing::TestWithParam<PathCase> {};

TEST_P(Paths, ResolveNamesWithoutCaseAndKeepTheirSpellingOnDisk) {
  TestFolder folder;
  folder.Write("duzoravar/duzoravar.exe", "");
  folder.MakeFolder("duzoravar/bmp");
  folder.MakeFolder("Data");
  folder.MakeFolder("data");
  std::string expected = GetParam().expected;
  if (expected[0] != '(') expected = folder.Path() + expected;
  EXPECT_EQ(LongPath(folder.Path() + GetParam().asked), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Paths, testing::ValuesIn(kPathCases),
                         [](const testing::TestParamInfo<PathCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DriveC, IsTheConfiguredFolderAndOtherDrivesNameNothing) {
  TestFolder folder;  // drive C: is its "drive_c"
  folder.MakeFolder("drive_c/Temp");
  EXPECT_EQ(LongPath("C:\\temp"), "C:\\Temp");
  EXPECT_EQ(LongPath("c:\\TEMP\\"), "c:\\Temp\\");
  EXPECT_EQ(LongPath("c:\\"), "c:\\");
  EXPECT_TRUE(CreateDirectoryA("C:\\temp\\new", nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Native() / "drive_c/Temp/new"));

  SetLastError(0);
  EXPECT_EQ(GetFileAttributesA("D:\\temp"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(CreateDirectoryA("D:\\temp", nullptr));
}

TEST(DriveC, MissingDriveFolderIsCreatedAndAnImpossibleOneFails) {
  TestFolder folder;
  setenv("KORVA_DRIVE_C", (folder.Native() / "later/drive").c_str(), 1);
  EXPECT_TRUE(CreateDirectoryA("C:\\temp", nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Native() / "later/drive/temp"));

  folder.Write("file", "");
  setenv("KORVA_DRIVE_C", (folder.Native() / "file/drive").c_str(), 1);
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA("C:\\temp", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(ModuleFileName, BeginsWithCWhenTheProgramLiesOnDriveC) {
  TestFolder folder;
  char real[PATH_MAX];
  ASSERT_TRUE(realpath("/proc/self/exe", real));
  std::string program(real);
  setenv("KORVA_DRIVE_C", program.substr(0, program.find_last_of('/')).c_str(), 1);
  char path[4096];
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  EXPECT_EQ(std::string(path), "C:\\" + program.substr(program.find_last_of('/') + 1));

  setenv("KORVA_DRIVE_C", (folder.Native() / "drive_c").c_str(), 1);
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  std::string windows = program;
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  EXPECT_EQ(std::string(path), windows);
}

// Windows always has a temporary folder; on Linux it is TMPDIR, else /tmp, unless TEMP or TMP is set.
TEST(TemporaryFolder, SuppliedTheLinuxWayWhereNoTempIsSet) {
  struct Saved {
    const char* name;
    std::string value;
    bool set;
  } saved[] = {{"TEMP", "", false}, {"temp", "", false}, {"TMP", "", false}, {"TMPDIR", "", false}};
  for (Saved& s : saved) {
    if (const char* v = std::getenv(s.name)) s.value = v, s.set = true;
    unsetenv(s.name);
  }
  char buffer[256];
  auto temp = [&] {
    DWORD length = GetEnvironmentVariableA("temp", buffer, sizeof buffer);
    return std::string(buffer, length);
  };
  EXPECT_EQ(temp(), "/tmp");
  setenv("TMPDIR", "/var/tmp/x", 1);
  EXPECT_EQ(temp(), "/var/tmp/x");
  setenv("TMP", "/from/tmp", 1);
  EXPECT_EQ(temp(), "/from/tmp");
  setenv("TEMP", "/from/temp", 1);
  EXPECT_EQ(temp(), "/from/temp");
  for (Saved& s : saved) {
    if (s.set) {
      setenv(s.name, s.value.c_str(), 1);
    } else {
      unsetenv(s.name);
    }
  }
}

}  // namespace
