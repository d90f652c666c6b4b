// Folder and file tests and folder creation on mapped paths.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/Paths.h"
#include "platform/winapi.h"

using namespace korva::posix;

namespace {

bool HasDrive(const char* path) {
  return std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

DWORD GetLongPathNameA(LPCSTR short_path, LPSTR long_path, DWORD size) {
  if (!short_path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  MappedPath path = MapPath(short_path);
  if (!path.exists) {
    SetLastError(path.NotFoundError());
    return 0;
  }
  // Every name takes its spelling on disk; the drive stays as the caller wrote it.
  std::string result = path.windows;
  if (HasDrive(short_path) && result.size() >= 2 && result[1] == ':') result.replace(0, 2, short_path, 2);
  if (!long_path || size <= result.size()) return static_cast<DWORD>(result.size() + 1);
  std::memcpy(long_path, result.c_str(), result.size() + 1);
  return static_cast<DWORD>(result.size());
}

DWORD GetFileAttributesA(LPCSTR filename) {
  if (!filename) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  MappedPath path = MapPath(filename);
  struct stat st;
  if (!path.exists || stat(path.native.c_str(), &st) != 0) {
    SetLastError(path.NotFoundError());
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  size_t slash = path.native.find_last_of('/');
  std::string name = slash == std::string::npos ? path.native : path.native.substr(slash + 1);
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

BOOL CreateDirectoryA(LPCSTR path_text, LPSECURITY_ATTRIBUTES) {
  if (!path_text) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  MappedPath path = MapPath(path_text);
  if (path.error != ERROR_SUCCESS && path.error != ERROR_INVALID_NAME) {
    SetLastError(path.error);
    return FALSE;
  }
  if (path.exists) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (path.error != ERROR_SUCCESS || !path.parent_exists) {
    SetLastError(path.NotFoundError());
    return FALSE;
  }
  if (mkdir(path.native.c_str(), 0777) != 0) {
    SetLastError(ErrorFromErrno(errno, ERROR_PATH_NOT_FOUND));
    return FALSE;
  }
  return TRUE;
}
