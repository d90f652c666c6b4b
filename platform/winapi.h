// The Windows calls the system makes, under their Windows names and signatures. On Windows these are the
// system's own declarations; on Linux the posix backend provides the same calls.
#pragma once

#if defined(_WIN32)
// windows.h must come first: the others rely on its types.
#include <windows.h>

#include <dbt.h>
#include <objbase.h>
#include <shellapi.h>
#else
#include "platform/posix/winapi_posix.h"
#endif
