// What the Linux profile files add to Windows' behaviour: lines kept byte for byte, damaged files,
// atomic and locked writes, and no symbolic link followed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(KORVA_FIXTURES) + "/profile/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string Get(const std::string& file, const char* section, const char* key) {
  char buffer[2048];
  GetPrivateProfileStringA(section, key, "(default)", buffer, sizeof buffer, file.c_str());
  return buffer;
}

// `after` is `before` with one run of bytes put in somewhere: nothing of `before` was lost or moved.
testing::AssertionResult OnlyInserted(const std::string& before, const std::string& after) {
  size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  if (prefix + suffix >= before.size()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "bytes " << prefix << " to " << before.size() - suffix << " changed";
}

TEST(ProfileFile, EditsKeepOtherLinesByteForByte) {
  TestFolder folder;
  const std::string before =
      "; settings\n"
      "  junk before any section \x01\x02\n"
      "[tirbex]\n"
      "  lang = 3  ; old\n"
      "\n"
      "[Other]\r\n"
      "x=\"quoted\"\r";
  folder.Write("p.ini", before);
  std::string file = folder.Path("p.ini");

  ASSERT_TRUE(WritePrivateProfileStringA("TIRBEX", "Lang", "1", file.c_str()));
  EXPECT_EQ(folder.Read("p.ini"),
            "; settings\n"
            "  junk before any section \x01\x02\n"
            "[tirbex]\n"
            "lang=1\n"
            "\n"
            "[Other]\r\n"
            "x=\"quoted\"\r");

  ASSERT_TRUE(WritePrivateProfileStringA("tirbex", "new", "2", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("other", "y", "3", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("third", "z", "4", file.c_str()));
  EXPECT_EQ(folder.Read("p.ini"),
            "; settings\n"
            "  junk before any section \x01\x02\n"
            "[tirbex]\n"
            "lang=1\n"
            "new=2\r\n"
            "\n"
            "[Other]\r\n"
            "x=\"quoted\"\r"
            "y=3\r\n"
            "[third]\r\n"
            "z=4\r\n");
}

struct DamagedFile {
  const char* name;
  const char* lang;  // what "lang" in [tirbex] reads as
};

const DamagedFile kDamagedFiles[] = {
    {"binary_junk.ini", "1"},
    {"nul_in_key.ini", "1"},
    {"nul_in_value.ini", "1"},
    {"line_of_5000.ini", "1"},
    {"no_final_line_break.ini", "1"},
    {"utf8_byte_order_mark.ini", "1"},
    {"utf16le_byte_order_mark.ini", "1"},
    {"utf16be_byte_order_mark.ini", "1"},
    {"utf16_odd_length.ini", "1"},
    {"unclosed_section.ini", "1"},
    {"mixed_line_ends.ini", "1"},
    {"empty.ini", "(default)"},
    {"only_line_breaks.ini", "(default)"},
    {"section_twice.ini", "1"},
};

class ProfileDamaged : public testing::TestWithParam<DamagedFile> {};

TEST_P(ProfileDamaged, ReadsClearlyAndLosesNothingOnTheNextWrite) {
  TestFolder folder;
  const std::string before = ReadFixture(GetParam().name);
  folder.Write("p.ini", before);
  std::string file = folder.Path("p.ini");
  EXPECT_EQ(Get(file, "tirbex", "lang"), GetParam().lang);

  ASSERT_TRUE(WritePrivateProfileStringA("tirbex", "zz", "added", file.c_str()));
  EXPECT_TRUE(OnlyInserted(before, folder.Read("p.ini").value_or("")));
  EXPECT_EQ(Get(file, "tirbex", "zz"), "added");
  EXPECT_EQ(Get(file, "tirbex", "lang"), GetParam().lang);

  ASSERT_TRUE(WritePrivateProfileStringA("tirbex", "lang", "2", file.c_str()));
  EXPECT_EQ(Get(file, "tirbex", "lang"), "2");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ProfileDamaged, testing::ValuesIn(kDamagedFiles),
                         [](const testing::TestParamInfo<DamagedFile>& info) {
                           std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });

TEST(ProfileFile, SymbolicLinkIsNotWrittenThrough) {
  TestFolder folder;
  folder.Write("target.ini", "[s]\r\nk=1\r\n");
  std::filesystem::create_symlink(folder.Native() / "target.ini", folder.Native() / "link.ini");
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "2", folder.Path("link.ini").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(folder.Read("target.ini"), "[s]\r\nk=1\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Native() / "link.ini"));
}

TEST(ProfileFile, KeepsThePermissionsAndLeavesNoTemporaryFile) {
  TestFolder folder;
  folder.Write("p.ini", "[s]\r\nk=1\r\n");
  chmod((folder.Native() / "p.ini").c_str(), 0640);
  ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", folder.Path("p.ini").c_str()));
  struct stat st;
  ASSERT_EQ(stat((folder.Native() / "p.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Native())) ++entries;
  EXPECT_EQ(entries, 2u);  // p.ini and drive_c
}

// Two programs write 500 keys each into one file at the same time while this one keeps reading it:
// no key is lost, and no reader ever sees a half-written file.
TEST(ProfileFile, TwoWritersLoseNothingAndReadersSeeWholeFiles) {
  TestFolder folder;
  std::string file = folder.Path("shared.ini");
  constexpr int kKeys = 500;
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      for (int i = 0; i < kKeys; ++i) {
        std::string key = std::string(1, static_cast<char>('a' + w)) + std::to_string(i);
        if (!WritePrivateProfileStringA("shared", key.c_str(), std::to_string(i).c_str(), file.c_str()))
          _exit(1);
      }
      _exit(0);
    }
  }
  int torn = 0;
  for (;;) {
    int status;
    bool running = false;
    for (pid_t writer : writers) running |= waitpid(writer, &status, WNOHANG) == 0;
    std::string snapshot = folder.Read("shared.ini").value_or("");
    if (!snapshot.empty() &&
        (snapshot.rfind("[shared]\r\n", 0) != 0 || snapshot.substr(snapshot.size() - 2) != "\r\n")) {
      ++torn;
    }
    if (!running) break;
  }
  for (pid_t writer : writers) {
    int status = 0;
    waitpid(writer, &status, 0);
  }
  EXPECT_EQ(torn, 0);
  int found = 0;
  for (int w = 0; w < 2; ++w) {
    for (int i = 0; i < kKeys; ++i) {
      std::string key = std::string(1, static_cast<char>('a' + w)) + std::to_string(i);
      found += Get(file, "shared", key.c_str()) == std::to_string(i);
    }
  }
  EXPECT_EQ(found, 2 * kKeys);
}

}  // namespace
