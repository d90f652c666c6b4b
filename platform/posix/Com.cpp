// COM has nothing to do on Linux; the calls keep Windows' counting so that callers see the same
// results (S_OK for the first initialisation on a thread, S_FALSE for each further one).
#include "platform/winapi.h"

namespace {
thread_local int initialisations = 0;
}  // namespace

HRESULT CoInitialize(LPVOID) {
  return initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (initialisations > 0) --initialisations;
}
