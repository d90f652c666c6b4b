// GetPrivateProfileStringA and WritePrivateProfileStringA over plain text files.
#include <algorithm>
#include <cstring>

#include "platform/posix/Paths.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/TextFile.h"
#include "platform/winapi.h"

using namespace korva::posix;

namespace {

// A bare file name lives in the Windows folder, as on Windows.
MappedPath MapProfilePath(const char* filename) {
  std::string name = filename ? filename : "win.ini";
  if (name.find_first_of("\\/") == std::string::npos && name.find(':') == std::string::npos) {
    name = "C:\\windows\\" + name;
  }
  return MapPath(name);
}

// Copies a text into a buffer of `size` bytes as Windows does: cut to size - 1, always terminated.
DWORD CopyText(std::string_view text, LPSTR buffer, DWORD size) {
  size_t count = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

// Copies names as a list of terminated texts closed by one more zero. When they do not fit, the
// last one is cut, the list still ends in two zeros, and the result is size - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  size_t used = 0;
  for (const std::string& name : names) {
    std::string_view text(name.c_str());  // a name holding a zero byte ends there
    if (used + text.size() + 1 > size - 1) {
      size_t room = size - 2 > used ? size - 2 - used : 0;
      std::memcpy(buffer + used, text.data(), std::min(room, text.size()));
      buffer[size - 2] = '\0';
      buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer + used, text.data(), text.size());
    used += text.size();
    buffer[used++] = '\0';
  }
  buffer[used] = '\0';
  return static_cast<DWORD>(used);
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string TrimTrailingBlanks(const char* text) {
  std::string value = text ? text : "";
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  return value;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size,
                               LPCSTR filename) {
  if (!buffer || size == 0) return 0;
  std::string fallback = TrimTrailingBlanks(default_value);

  std::string text;
  if (filename && *filename) {
    MappedPath path = MapProfilePath(filename);
    DWORD error = ERROR_SUCCESS;
    std::optional<std::string> bytes;
    if (path.exists && !path.is_directory) bytes = ReadWholeFile(path.native, &error);
    if (bytes) {
      TextEncoding encoding;
      text = DecodeProfileFile(*bytes, &encoding);
    } else {
      SetLastError(ERROR_FILE_NOT_FOUND);
    }
  }

  if (!section) return CopyList(ProfileSectionNames(text), buffer, size);
  if (!key) {
    std::vector<std::string> keys = ProfileKeyNames(text, section);
    if (keys.empty()) return CopyText(fallback, buffer, size);
    return CopyList(keys, buffer, size);
  }
  // Empty names are names too: "" finds the section "[]" and the key of a line "=value".
  std::optional<std::string> value = ProfileFind(text, section, key);
  if (!value) return CopyText(fallback, buffer, size);
  std::string_view found = StripQuotes(*value);
  return CopyText(found.substr(0, found.find('\0')), buffer, size);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR filename) {
  // With every argument but the file null this flushes the cache of profile files, and Windows
  // reports zero for that; there is no cache here.
  if (!section && !key && !value) return FALSE;
  if (filename && !*filename) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!section) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  MappedPath path = MapProfilePath(filename);
  if (path.error != ERROR_SUCCESS || (!path.exists && !path.parent_exists)) {
    SetLastError(path.NotFoundError());
    return FALSE;
  }
  if (path.is_directory) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD error = EditFileAtomically(
      path.native, [&](const std::optional<std::string>& old) -> std::optional<std::string> {
        TextEncoding encoding;
        std::string text = old ? DecodeProfileFile(*old, &encoding) : std::string();
        return EncodeProfileFile(ProfileWrite(text, section, key, value), encoding);
      });
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
