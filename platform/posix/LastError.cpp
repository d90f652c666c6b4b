#include "platform/winapi.h"

namespace {
// Each thread has its own last error, as on Windows.
thread_local DWORD last_error = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() {
  return last_error;
}

void SetLastError(DWORD code) {
  last_error = code;
}
