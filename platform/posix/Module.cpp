#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/Paths.h"
#include "platform/winapi.h"

DWORD GetModuleFileNameA(HMODULE module, LPSTR filename, DWORD size) {
  if (module != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  char real[PATH_MAX];
  if (!realpath("/proc/self/exe", real)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  std::string path = korva::posix::ToWindowsForm(real);
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
  SetLastError(ERROR_SUCCESS);  // as Windows does since XP SP3
  return static_cast<DWORD>(path.size());
}
