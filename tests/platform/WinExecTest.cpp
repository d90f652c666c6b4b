// Starting programs, run against both backends with a small program of ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

// The marker program lies beside this test program.
std::filesystem::path MarkerProgram() {
  char self[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string text(self, length);
  std::string folder = text.substr(0, text.find_last_of('\\') + 1);
  std::string name = "korva_test_marker";
  if (text.size() > 4 && text.substr(text.size() - 4) == ".exe") name += ".exe";
#if !defined(_WIN32)
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
#endif
  return std::filesystem::path(folder + name);
}

class WinExecTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(MarkerProgram())) << MarkerProgram();
    // The marker writes with the C++ library, which takes the system's own path form.
    SetEnvironmentVariableA("KORVA_MARKER", (folder_.Native() / "marker.txt").string().c_str());
    SetEnvironmentVariableA("KORVA_MARKER_GO", nullptr);
  }
  void TearDown() override { SetEnvironmentVariableA("KORVA_MARKER", nullptr); }

  void Place(const std::string& relative) {
    std::string name = relative;
    for (char& c : name) {
      if (c == '\\') c = '/';
    }
    std::filesystem::path target = folder_.Native() / std::filesystem::path(name);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(MarkerProgram(), target, std::filesystem::copy_options::overwrite_existing);
  }

  // The marker's lines once `lines` of them are there (or whatever came within 20 seconds).
  std::string WaitForMarker(size_t lines = 1) {
    std::string content;
    for (int i = 0; i < 200; ++i) {
      content = folder_.Read("marker.txt").value_or("");
      if (static_cast<size_t>(std::count(content.begin(), content.end(), '\n')) >= lines) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return content;
  }

  TestFolder folder_;
};

TEST_F(WinExecTest, QuotedPathWithBlanksStartsExactlyThatProgram) {
  Place("Program Files\\x\\setup.exe");
  Place("Program.exe");  // what an unquoted command line names first
  std::string program = folder_.Path("Program Files\\x\\setup.exe");

  EXPECT_GT(WinExec(("\"" + program + "\"").c_str(), SW_SHOWNORMAL), 31u);
  std::string started = WaitForMarker();
  EXPECT_NE(started.find("setup.exe"), std::string::npos) << started;
  EXPECT_EQ(started.find("Program.exe"), std::string::npos) << started;

  // Unquoted, Windows takes the text up to the first blank for the program.
  std::filesystem::remove(folder_.Native() / "marker.txt");
  EXPECT_GT(WinExec(program.c_str(), SW_SHOWNORMAL), 31u);
  started = WaitForMarker();
  EXPECT_NE(started.find("Program.exe"), std::string::npos) << started;
}

TEST_F(WinExecTest, ArgumentsAreSplitTheWindowsWay) {
  Place("run.exe");
  std::string line = "\"" + folder_.Path("run.exe") + "\" one \"two words\" th\\\"ree";
  EXPECT_GT(WinExec(line.c_str(), SW_SHOWNORMAL), 31u);
  std::string started = WaitForMarker();
  EXPECT_NE(started.find("[one] [two words] [th\"ree]"), std::string::npos) << started;
}

TEST_F(WinExecTest, ReturnsWithoutWaitingForTheProgram) {
  Place("slow.exe");
  SetEnvironmentVariableA("KORVA_MARKER_GO", folder_.Path("go").c_str());
  EXPECT_GT(WinExec(("\"" + folder_.Path("slow.exe") + "\"").c_str(), SW_SHOWNORMAL), 31u);
  // Had WinExec waited, the program would have given up waiting for this file.
  folder_.Write("go", "");
  std::string started = WaitForMarker();
  EXPECT_NE(started.find("slow.exe"), std::string::npos) << started;
  EXPECT_EQ(started.find("gave up"), std::string::npos) << started;
}

TEST_F(WinExecTest, MissingProgramGivesTheWindowsErrors) {
  EXPECT_EQ(WinExec(("\"" + folder_.Path("none.exe") + "\"").c_str(), SW_SHOWNORMAL),
            static_cast<UINT>(ERROR_FILE_NOT_FOUND));
  // The program is searched for, and a failed search is a missing file even when a folder is missing.
  EXPECT_EQ(WinExec(("\"" + folder_.Path("none\\none.exe") + "\"").c_str(), SW_SHOWNORMAL),
            static_cast<UINT>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WinExec("", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
