// Folder and file tests, folder creation and long path names, run against both backends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

TEST(FileAttributes, TellFoldersFromFilesAndWhyNothingIsThere) {
  TestFolder folder;
  folder.Write("file.txt", "x");
  folder.MakeFolder("dir");

  DWORD attributes = GetFileAttributesA(folder.Path("dir").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(GetFileAttributesA(folder.Path("dir\\").c_str()), INVALID_FILE_ATTRIBUTES);

  attributes = GetFileAttributesA(folder.Path("file.txt").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);

  SetLastError(0);
  EXPECT_EQ(GetFileAttributesA(folder.Path("none.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(GetFileAttributesA(folder.Path("none\\none.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(CreateDirectory, CreatesOneLevel) {
  TestFolder folder;
  EXPECT_TRUE(CreateDirectoryA(folder.Path("one").c_str(), nullptr));
  EXPECT_TRUE(GetFileAttributesA(folder.Path("one").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(CreateDirectoryA(folder.Path("two\\").c_str(), nullptr));

  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(folder.Path("one").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  folder.Write("file", "x");
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(folder.Path("file").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(folder.Path("a\\b").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(LongPathName, OfAnExistingPathWithTheBufferRules) {
  TestFolder folder;
  folder.MakeFolder("Long Folder Name");
  std::string path = folder.Path("Long Folder Name\\");
  char buffer[MAX_PATH * 4];
  DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, length), path);

  std::strcpy(buffer, "untouched");
  EXPECT_EQ(GetLongPathNameA(path.c_str(), buffer, 4), path.size() + 1);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(GetLongPathNameA(path.c_str(), nullptr, 0), path.size() + 1);

  SetLastError(0);
  EXPECT_EQ(GetLongPathNameA(folder.Path("none").c_str(), buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(GetLongPathNameA(folder.Path("*").c_str(), buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
}

#if defined(_WIN32)
// Windows' short names have no counterpart on Linux, where the same test runs with another spelling
// of the names (PathsTest.cpp).
TEST(LongPathName, ExpandsShortNames) {
  TestFolder folder;
  folder.MakeFolder("Long Folder Name");
  std::string path = folder.Path("Long Folder Name");
  char short_path[MAX_PATH * 4], long_path[MAX_PATH * 4];
  ASSERT_GT(GetShortPathNameA(path.c_str(), short_path, sizeof short_path), 0u);
  ASSERT_NE(std::string(short_path), path);
  DWORD length = GetLongPathNameA(short_path, long_path, sizeof long_path);
  EXPECT_EQ(std::string(long_path, length), path);
}
#endif

}  // namespace
