// Environment variables with Windows names: looked up without regard to letter case.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/winapi.h"

extern char** environ;

namespace {

bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The exact name first, then the first name in the environment that differs only in case.
const char* FindVariable(std::string_view name) {
  std::string exact(name);
  if (const char* value = std::getenv(exact.c_str())) return value;
  for (char** entry = environ; entry && *entry; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals && IEquals(std::string_view(*entry, static_cast<size_t>(equals - *entry)), name)) {
      return equals + 1;
    }
  }
  return nullptr;
}

// Every Windows session has TEMP and TMP; on Linux the temporary folder is TMPDIR, else /tmp.
const char* TemporaryFolder(std::string_view name) {
  if (!IEquals(name, "temp") && !IEquals(name, "tmp")) return nullptr;
  if (const char* other = FindVariable(IEquals(name, "temp") ? "tmp" : "temp")) return other;
  if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir && *tmpdir) return tmpdir;
  return "/tmp";
}

}  // namespace

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char* value = *name ? FindVariable(name) : nullptr;
  if (!value && *name) value = TemporaryFolder(name);
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  size_t length = std::strlen(value);
  if (!buffer || size <= length) return static_cast<DWORD>(length + 1);  // buffer left untouched
  std::memcpy(buffer, value, length + 1);
  return static_cast<DWORD>(length);
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
  if (!name || !*name || std::strchr(name, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // One variable per name without regard to case, as on Windows.
  std::vector<std::string> doomed;
  for (char** entry = environ; entry && *entry; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals && IEquals(std::string_view(*entry, static_cast<size_t>(equals - *entry)), name)) {
      doomed.emplace_back(*entry, static_cast<size_t>(equals - *entry));
    }
  }
  for (const std::string& old : doomed) unsetenv(old.c_str());
  if (value && setenv(name, value, 1) != 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}
