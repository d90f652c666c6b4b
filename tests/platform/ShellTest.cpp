// ShellExecuteA and WinExec on Linux: the desktop's opener is a recording script here, and no child
// stays behind as a zombie.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "TestFolder.h"
#include "platform/winapi.h"

namespace {

using korva::test::TestFolder;

class Shell : public testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("opener.sh",
                  "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$KORVA_RECORD.tmp\"\n"
                  "mv \"$KORVA_RECORD.tmp\" \"$KORVA_RECORD\"\n");
    chmod((folder_.Native() / "opener.sh").c_str(), 0755);
    setenv("KORVA_OPENER", (folder_.Native() / "opener.sh").c_str(), 1);
    setenv("KORVA_RECORD", (folder_.Native() / "record").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("KORVA_OPENER");
    unsetenv("KORVA_RECORD");
  }

  // What the opener was given, once it has run.
  std::string Recorded() {
    for (int i = 0; i < 200; ++i) {
      if (auto text = folder_.Read("record")) return *text;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "(opener never ran)";
  }

  intptr_t Open(const std::string& file, const char* parameters = "", const char* verb = nullptr) {
    return reinterpret_cast<intptr_t>(
        ShellExecuteA(nullptr, verb, file.c_str(), parameters, nullptr, SW_SHOWNORMAL));
  }

  static bool NoChildLeft() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

  TestFolder folder_;
};

TEST_F(Shell, OpensAnExistingDocumentWithItsLinuxPathAsOneArgument) {
  folder_.Write("Hand Buch;$(x).pdf", "%PDF");
  EXPECT_GT(Open(folder_.Path("HAND BUCH;$(x).PDF")), 32);
  EXPECT_EQ(Recorded(), "[" + (folder_.Native() / "Hand Buch;$(x).pdf").string() + "]");
  EXPECT_TRUE(NoChildLeft());
}

TEST_F(Shell, BareWebHostOpensAsHttpAddress) {
  EXPECT_GT(Open("www.example.org"), 32);
  EXPECT_EQ(Recorded(), "[http://www.example.org]");
}

TEST_F(Shell, LongParametersArriveWhole) {
  folder_.Write("doc.pdf", "");
  std::string parameter(300, 'p');
  EXPECT_GT(Open(folder_.Path("doc.pdf"), parameter.c_str()), 32);
  EXPECT_EQ(Recorded(), "[" + (folder_.Native() / "doc.pdf").string() + "][" + parameter + "]");
}

TEST_F(Shell, FailuresGiveTheShellsCodes) {
  EXPECT_EQ(Open(folder_.Path("none.pdf")), SE_ERR_FNF);
  EXPECT_EQ(Open(folder_.Path("none\\none.pdf")), SE_ERR_PNF);
  folder_.Write("doc.pdf", "");
  EXPECT_EQ(Open(folder_.Path("doc.pdf"), "", "print"), SE_ERR_NOASSOC);
  setenv("KORVA_OPENER", (folder_.Native() / "no-opener").c_str(), 1);
  EXPECT_EQ(Open(folder_.Path("doc.pdf")), SE_ERR_NOASSOC);
  EXPECT_FALSE(folder_.Read("record").has_value());
  EXPECT_TRUE(NoChildLeft());
}

TEST_F(Shell, WinExecLeavesNoZombieAndRunsNoShell) {
  // A file that is no program, and a script without "#!": a shell would run both.
  folder_.Write("plain.txt", "touch \"$KORVA_RECORD\"\n");
  chmod((folder_.Native() / "plain.txt").c_str(), 0755);
  EXPECT_EQ(WinExec(("\"" + folder_.Path("plain.txt") + "\"").c_str(), SW_SHOWNORMAL),
            static_cast<UINT>(ERROR_BAD_FORMAT));
  folder_.Write("noexec", "#!/bin/sh\n");
  EXPECT_EQ(WinExec(folder_.Path("noexec").c_str(), SW_SHOWNORMAL), static_cast<UINT>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(WinExec(folder_.Path("").c_str(), SW_SHOWNORMAL), static_cast<UINT>(ERROR_ACCESS_DENIED));

  EXPECT_GT(WinExec(("\"" + (folder_.Native() / "opener.sh").string() + "\" a").c_str(), SW_SHOWNORMAL), 31u);
  EXPECT_EQ(Recorded(), "[a]");
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
