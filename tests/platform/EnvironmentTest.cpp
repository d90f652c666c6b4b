// Environment variables and the program's own path, run against both backends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

TEST(Environment, NamesWithoutCaseAndTheBufferRules) {
  ASSERT_TRUE(SetEnvironmentVariableA("KorvaWildName", "SomeValue"));
  char buffer[32];

  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetEnvironmentVariableA("KorvaWildName", nullptr, 0), 10u);
  EXPECT_EQ(GetLastError(), 0xdeadbeefu);

  std::strcpy(buffer, "foo");
  EXPECT_EQ(GetEnvironmentVariableA("KorvaWildName", buffer, 9), 10u);  // no room for the zero
  EXPECT_STREQ(buffer, "foo");

  EXPECT_EQ(GetEnvironmentVariableA("kORVAwILDnAME", buffer, 10), 9u);
  EXPECT_STREQ(buffer, "SomeValue");

  ASSERT_TRUE(SetEnvironmentVariableA("KORVAWILDNAME", ""));  // the same variable
  std::strcpy(buffer, "foo");
  EXPECT_EQ(GetEnvironmentVariableA("KorvaWildName", buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "");

  ASSERT_TRUE(SetEnvironmentVariableA("korvawildname", nullptr));
  std::strcpy(buffer, "foo");
  SetLastError(0);
  EXPECT_EQ(GetEnvironmentVariableA("KorvaWildName", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
  EXPECT_STREQ(buffer, "foo");

  SetLastError(0);
  EXPECT_EQ(GetEnvironmentVariableA("", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(ModuleFileName, FullPathInWindowsFormCutToTheBuffer) {
  char path[4096];
  SetLastError(0xdeadbeef);
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, sizeof path);
  std::string text(path, length);
  EXPECT_EQ(text.find('/'), std::string::npos) << text;
  EXPECT_NE(text.find("korva_platform_tests"), std::string::npos) << text;
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

  char small[6] = "#####";
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, 5), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  // Since Vista the cut text is terminated; Wine copies five characters as Windows XP did.
  if (!korva::test::RunningUnderWine()) {
    EXPECT_EQ(std::string(small), text.substr(0, 4));
  }
}

TEST(Com, SecondInitialisationOnAThreadGivesFalse) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  CoUninitialize();
}

}  // namespace
