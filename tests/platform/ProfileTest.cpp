// Reading and writing profile files, run against both backends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  const char* fallback;
  DWORD size;
  std::string expected;
  // Wine gives another result, and its own conformance tests mark it as differing from Windows.
  bool wine_differs = false;
};

const std::string kLongValue(3000, 'x');

const ReadCase kReadCases[] = {
    {"crlf", "[s]\r\nk=v\r\n", "s", "k", "d", 100, "v"},
    {"lf", "[s]\nk=v\n", "s", "k", "d", 100, "v"},
    {"cr_only", "[s]\rk=v\r", "s", "k", "d", 100, "v"},
    {"no_final_line_break", "[s]\r\nk=v", "s", "k", "d", 100, "v"},
    {"names_without_case", "[SeCtIoN]\r\nKeY=v\r\n", "section", "KEY", "d", 100, "v"},
    {"blanks_around_names_and_values", "[ s ]\r\n  k \t=  a b  \r\n", "s", "k", "d", 100, "a b"},
    {"blanks_around_the_asked_names", "[s]\r\nk=v\r\n", "  s ", " k  ", "d", 100, "v"},
    {"surrounding_quotes_removed", "[s]\r\nk=\"a b\"\r\n", "s", "k", "d", 100, "a b"},
    {"lone_quote_kept", "[s]\r\nk=\"a\r\n", "s", "k", "d", 100, "\"a"},
    {"comment_line", "[s]\r\n;k=x\r\nk=v\r\n", "s", "k", "d", 100, "v"},
    {"first_duplicate_wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "d", 100, "1"},
    {"lines_before_first_section_ignored", "k=x\r\n[s]\r\nk=v\r\n", "t", "k", "d", 100, "d"},
    {"key_of_next_section_not_seen", "[s]\r\n[t]\r\nk=v\r\n", "s", "k", "d", 100, "d"},
    {"missing_section", "[s]\r\nk=v\r\n", "t", "k", "d", 100, "d"},
    {"missing_key", "[s]\r\nk=v\r\n", "s", "j", "d", 100, "d"},
    {"line_without_equals", "[s]\r\nk\r\n", "s", "k", "d", 100, "d"},
    {"empty_value", "[s]\r\nk=\r\n", "s", "k", "d", 100, ""},
    {"empty_key_name", "[s]\r\n=v\r\n", "s", "", "d", 100, "v"},
    {"empty_key_name_without_such_line", "[s]\r\nk=v\r\n", "s", "", "d", 100, "d"},
    {"empty_section_name", "k=x\r\n[]\r\nk=v\r\n", "", "k", "d", 100, "v", true},
    {"default_loses_trailing_blanks", "", "s", "k", "d e  ", 100, "d e"},
    {"default_null_is_empty", "", "s", "k", nullptr, 100, ""},
    {"value_cut_to_buffer", "[s]\r\nk=value\r\n", "s", "k", "d", 4, "val"},
    {"buffer_of_one", "[s]\r\nk=value\r\n", "s", "k", "d", 1, ""},
    {"line_longer_than_2047", "[s]\r\nk=" + kLongValue + "\r\n", "s", "k", "d", 2048, std::string(2047, 'x')},
    {"utf8_byte_order_mark", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", 100, "v"},
    {"value_ends_at_nul", std::string("[s]\r\nk=a\0b\r\n", 11), "s", "k", "d", 100, "a"},
    {"binary_junk_around", "\x01\x02\x7f junk\r\n[s]\r\n\x80\x81=\xfe\r\nk=v\r\n\x03", "s", "k", "d", 100,
     "v"},
    {"section_header_with_trailing_text", "[s] ; note\r\nk=v\r\n", "s", "k", "d", 100, "v"},
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheValueOrTheDefault) {
  const ReadCase& row = GetParam();
  if (row.wine_differs && korva::test::RunningUnderWine()) GTEST_SKIP() << "Wine differs from Windows here";
  TestFolder folder;
  folder.Write("p.ini", row.content);
  char buffer[4096];
  std::memset(buffer, '#', sizeof buffer);
  DWORD length = GetPrivateProfileStringA(row.section, row.key, row.fallback, buffer, row.size,
                                          folder.Path("p.ini").c_str());
  EXPECT_EQ(std::string(buffer), row.expected);
  EXPECT_EQ(length, row.expected.size());
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileRead, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ProfileRead, MissingFileGivesTheDefault) {
  TestFolder folder;
  char buffer[16];
  EXPECT_EQ(
      GetPrivateProfileStringA("s", "k", "dflt", buffer, sizeof buffer, folder.Path("none.ini").c_str()), 4u);
  EXPECT_STREQ(buffer, "dflt");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer, sizeof buffer,
                                     folder.Path("nofolder\\none.ini").c_str()),
            4u);
}

TEST(ProfileRead, ZeroSizedBufferIsLeftAlone) {
  TestFolder folder;
  folder.Write("p.ini", "[s]\r\nk=v\r\n");
  char buffer[8] = "kumquat";
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buffer, 0, folder.Path("p.ini").c_str()), 0u);
  EXPECT_STREQ(buffer, "kumquat");
}

TEST(ProfileRead, NullSectionOrKeyListsNames) {
  TestFolder folder;
  folder.Write("p.ini", "[a]\r\nx=1\r\nnovalue\r\ny=2\r\n[b]\r\n");
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, "k", "d", buffer, sizeof buffer, folder.Path("p.ini").c_str()),
            4u);
  EXPECT_EQ(std::string(buffer, 5), std::string("a\0b\0\0", 5));
  EXPECT_EQ(GetPrivateProfileStringA("a", nullptr, "d", buffer, sizeof buffer, folder.Path("p.ini").c_str()),
            4u);
  EXPECT_EQ(std::string(buffer, 5), std::string("x\0y\0\0", 5));
}

// Each step writes, then the whole file is compared. The files are built by the calls themselves,
// in the CR LF form Windows writes.
struct WriteStep {
  const char* section;
  const char* key;
  const char* value;
  const char* expected;
};

TEST(ProfileWrite, CreatesEditsAndDeletesInPlace) {
  TestFolder folder;
  std::string file = folder.Path("w.ini");
  const WriteStep steps[] = {
      {"App1", "key1", "string1", "[App1]\r\nkey1=string1\r\n"},
      {"App1", "key2", "string2", "[App1]\r\nkey1=string1\r\nkey2=string2\r\n"},
      {"App2", "key3", "string3", "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey3=string3\r\n"},
      {"app1", "KEY1", "new", "[App1]\r\nkey1=new\r\nkey2=string2\r\n[App2]\r\nkey3=string3\r\n"},
      {"App1", "key4", "", "[App1]\r\nkey1=new\r\nkey2=string2\r\nkey4=\r\n[App2]\r\nkey3=string3\r\n"},
      {"App1", "key2", nullptr, "[App1]\r\nkey1=new\r\nkey4=\r\n[App2]\r\nkey3=string3\r\n"},
      {"App1", "key2", nullptr, "[App1]\r\nkey1=new\r\nkey4=\r\n[App2]\r\nkey3=string3\r\n"},
      {"App1", nullptr, "ignored", "[App2]\r\nkey3=string3\r\n"},
      {"App2", "key3", nullptr, "[App2]\r\n"},
  };
  for (const WriteStep& step : steps) {
    SCOPED_TRACE(std::string(step.section) + "/" + (step.key ? step.key : "(null)"));
    EXPECT_TRUE(WritePrivateProfileStringA(step.section, step.key, step.value, file.c_str()));
    EXPECT_EQ(folder.Read("w.ini").value_or("(missing)"), step.expected);
  }
}

TEST(ProfileWrite, WhatWasWrittenReadsBack) {
  TestFolder folder;
  std::string file = folder.Path("r.ini");
  ASSERT_TRUE(WritePrivateProfileStringA("tirbex", "lang", "-1", file.c_str()));
  char buffer[16];
  EXPECT_EQ(GetPrivateProfileStringA("TIRBEX", "Lang", "", buffer, sizeof buffer, file.c_str()), 2u);
  EXPECT_STREQ(buffer, "-1");
}

TEST(ProfileWrite, FailuresAndTheFlushCall) {
  TestFolder folder;
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", folder.Path("missing\\w.ini").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", folder.Path("w.ini").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(folder.Read("w.ini").has_value());

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", ""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  // Flushing the cache reports zero and creates nothing.
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, folder.Path("w.ini").c_str()));
  EXPECT_FALSE(folder.Read("w.ini").has_value());
}

TEST(ProfileWrite, FolderInPlaceOfTheFileFails) {
  TestFolder folder;
  folder.MakeFolder("dir.ini");
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", folder.Path("dir.ini").c_str()));
}

}  // namespace
