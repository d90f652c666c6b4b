#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/winapi.h"

DWORD GetModuleFileNameA(HMODULE module, LPSTR filename, DWORD size) {
  if (module != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  path.resize(static_cast<size_t>(n));
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  // As on Windows since Vista: a short buffer receives as much as fits, terminated, and the call
  // returns the buffer size with ERROR_INSUFFICIENT_BUFFER.
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(filename, path.data(), size - 1);
    filename[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(filename, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
