// The registry calls over a REGEDIT4 text file (see platform/README.md).
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "platform/posix/Paths.h"
#include "platform/posix/RegistryText.h"
#include "platform/posix/TextFile.h"
#include "platform/winapi.h"

using namespace korva::posix;

namespace {

struct OpenKey {
  std::string path;  // full path, "HKEY_LOCAL_MACHINE\..."
  REGSAM access;
};

std::mutex handles_mutex;
std::set<OpenKey*> handles;

constexpr REGSAM kWriteAccess =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

const char* RootName(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (key == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (key == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (key == HKEY_USERS) return "HKEY_USERS";
  return nullptr;
}

// The path and access of a handle: a root key, or one opened here.
bool Describe(HKEY key, std::string* path, REGSAM* access) {
  if (const char* root = RootName(key)) {
    *path = root;
    *access = KEY_ALL_ACCESS;
    return true;
  }
  std::lock_guard<std::mutex> lock(handles_mutex);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (!handles.count(open)) return false;
  *path = open->path;
  *access = open->access;
  return true;
}

LONG ReadRegistry(std::string* text) {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::string> content = ReadWholeFile(RegistryFile(), &error);
  if (!content) return error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : static_cast<LONG>(error);
  if (!RegistryTextIsValid(*content)) return ERROR_BADDB;
  *text = std::move(*content);
  return ERROR_SUCCESS;
}

// Writing replaces the file, so both the file and its folder must be writable.
bool RegistryWritable() {
  std::string file = RegistryFile();
  size_t slash = file.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : file.substr(0, slash));
  return access(file.c_str(), W_OK) == 0 && access(folder.c_str(), W_OK) == 0;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD, REGSAM desired, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  std::string base;
  REGSAM base_access;
  if (!Describe(key, &base, &base_access)) return ERROR_INVALID_HANDLE;
  std::string sub = sub_key ? sub_key : "";
  if (sub.empty() && RootName(key)) {
    *result = key;
    return ERROR_SUCCESS;
  }
  // Windows takes a subkey path that begins with a backslash for a bad path name.
  if (!sub.empty() && sub[0] == '\\') {
    *result = nullptr;
    return ERROR_BAD_PATHNAME;
  }
  while (!sub.empty() && sub.back() == '\\') sub.pop_back();
  std::string path = sub.empty() ? base : base + "\\" + sub;

  std::string text;
  LONG status = ReadRegistry(&text);
  if (status == ERROR_SUCCESS && !RegistryKeyExists(text, path)) status = ERROR_FILE_NOT_FOUND;
  if (status == ERROR_SUCCESS && (desired & kWriteAccess) && !RegistryWritable())
    status = ERROR_ACCESS_DENIED;
  if (status != ERROR_SUCCESS) {
    *result = nullptr;
    return status;
  }
  auto* open = new OpenKey{path, desired};
  std::lock_guard<std::mutex> lock(handles_mutex);
  handles.insert(open);
  *result = reinterpret_cast<HKEY>(open);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD data_size) {
  std::string path;
  REGSAM access;
  if (!Describe(key, &path, &access)) return ERROR_INVALID_HANDLE;
  if (reserved || (data && !data_size)) return ERROR_INVALID_PARAMETER;
  if (!(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  std::string text;
  if (LONG status = ReadRegistry(&text); status != ERROR_SUCCESS) {
    return status == ERROR_FILE_NOT_FOUND ? ERROR_KEY_DELETED : status;
  }
  if (!RootName(key) && !RegistryKeyExists(text, path)) return ERROR_KEY_DELETED;
  std::optional<RegistryValue> value = RegistryGetValue(text, path, value_name ? value_name : "");
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  auto size = static_cast<DWORD>(value->data.size());
  if (data) {
    if (*data_size < size) {
      *data_size = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->data.data(), size);
  }
  if (data_size) *data_size = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD data_size) {
  std::string path;
  REGSAM access;
  if (!Describe(key, &path, &access)) return ERROR_INVALID_HANDLE;
  (void)reserved;
  if (!(access & KEY_SET_VALUE) || RootName(key)) return ERROR_ACCESS_DENIED;
  if (!data && data_size) return ERROR_NOACCESS;
  RegistryValue value{type, std::string(reinterpret_cast<const char*>(data), data ? data_size : 0)};
  LONG status = ERROR_SUCCESS;
  DWORD error = EditFileAtomically(RegistryFile(), [&](const std::optional<std::string>& old) {
    std::optional<std::string> updated;
    if (!old) {
      status = ERROR_KEY_DELETED;
    } else if (!RegistryTextIsValid(*old)) {
      status = ERROR_BADDB;
    } else if (!(updated = RegistrySetValue(*old, path, value_name ? value_name : "", value))) {
      status = ERROR_KEY_DELETED;
    }
    return updated;
  });
  if (error != ERROR_SUCCESS) return static_cast<LONG>(error);
  return status;
}

LONG RegCloseKey(HKEY key) {
  if (RootName(key)) return ERROR_SUCCESS;
  std::lock_guard<std::mutex> lock(handles_mutex);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (!handles.erase(open)) return ERROR_INVALID_HANDLE;
  delete open;
  return ERROR_SUCCESS;
}
