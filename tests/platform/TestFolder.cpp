#include "TestFolder.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "platform/winapi.h"

namespace korva::test {
namespace {

std::filesystem::path Relative(std::string_view relative) {
  std::string text(relative);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(text);
}

int ProcessId() {
#if defined(_WIN32)
  return static_cast<int>(GetCurrentProcessId());
#else
  return static_cast<int>(getpid());
#endif
}

}  // namespace

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  native_ = std::filesystem::temp_directory_path() /
            ("korva-test-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(native_);
  std::filesystem::create_directories(native_);
#if !defined(_WIN32)
  std::filesystem::create_directories(native_ / "drive_c");
  setenv("KORVA_DRIVE_C", (native_ / "drive_c").c_str(), 1);
  setenv("KORVA_REGISTRY", (native_ / "system.reg").c_str(), 1);
#endif
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(native_, ignored);
}

std::string TestFolder::Path(std::string_view relative) const {
  std::string text = native_.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  if (!relative.empty()) text += "\\" + std::string(relative);
  return text;
}

void TestFolder::Write(std::string_view relative, std::string_view bytes) const {
  std::filesystem::path file = native_ / Relative(relative);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> TestFolder::Read(std::string_view relative) const {
  std::ifstream in(native_ / Relative(relative), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void TestFolder::MakeFolder(std::string_view relative) const {
  std::filesystem::create_directories(native_ / Relative(relative));
}

bool RunningUnderWine() {
#if defined(_WIN32)
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace korva::test
