// The system's own functions serve on Windows; this unit only gives the library a body.
#include "platform/winapi.h"
