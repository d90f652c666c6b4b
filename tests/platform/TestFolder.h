// A fresh folder for one test, named with Windows path texts. On Linux it also becomes drive C:
// and holds the registry file, so no test reaches the user's own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korva::test {

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Native() const { return native_; }
  // The folder as a Windows path text (backslashes), with `relative` appended after a backslash.
  std::string Path(std::string_view relative = {}) const;
  // Creates the file (and its folders) with exactly these bytes.
  void Write(std::string_view relative, std::string_view bytes) const;
  std::optional<std::string> Read(std::string_view relative) const;
  void MakeFolder(std::string_view relative) const;

 private:
  std::filesystem::path native_;
};

// True when the Windows build runs under Wine rather than on Windows.
bool RunningUnderWine();

}  // namespace korva::test
