// How Windows path texts name files on Linux (see platform/README.md).
#pragma once

#include <string>
#include <string_view>

#include "platform/winapi.h"

namespace korva::posix {

struct MappedPath {
  // The Linux path: every existing folder in its spelling on disk, the rest as given.
  std::string native;
  // The Windows form of `native`, with backslashes (and "C:" inside drive C).
  std::string windows;
  bool exists = false;
  bool is_directory = false;
  // Every folder above the last name exists, so that name could be created.
  bool parent_exists = false;
  // Why the text names nothing at all (ERROR_SUCCESS when it is a well-formed name).
  DWORD error = ERROR_SUCCESS;

  // The last error Windows gives for a path that does not exist.
  DWORD NotFoundError() const;
};

// Maps a Windows path text: "\" and "/" both separate, doubled separators collapse, "." and ".."
// are taken lexically, "C:" is the drive folder, and a name that does not exist exactly is
// looked up without regard to ASCII letter case.
MappedPath MapPath(std::string_view windows_path);

// The Linux folder that stands for drive C:, created when missing if `create` ("" when there is none).
std::string DriveCRoot(bool create = true);

// The REGEDIT4 file that holds HKEY_LOCAL_MACHINE.
std::string RegistryFile();

// A Linux path written the Windows way: inside drive C it begins with "C:\", elsewhere every "/"
// becomes "\".
std::string ToWindowsForm(std::string_view native);

// Maps errno of a failed file operation to the Windows error code.
DWORD ErrorFromErrno(int error, DWORD not_found);

}  // namespace korva::posix
