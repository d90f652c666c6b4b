#include "platform/posix/Paths.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace korva::posix {
namespace {

bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string DataHome() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  std::string base;
  if (home && *home) {
    base = home;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    base = pw->pw_dir;
  } else {
    base = "/tmp";
  }
  return base + "/.local/share";
}

// mkdir -p; true when the folder exists afterwards.
bool MakeFolders(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) {
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  return false;
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  if (realpath(path.c_str(), buffer)) return buffer;
  return path;
}

// Characters Windows never allows in a name (the separators and the drive colon are handled apart).
bool IsValidName(std::string_view name) {
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"' || c == ':') {
      return false;
    }
  }
  return true;
}

// The entry of `folder` whose name equals `name` without regard to ASCII case; the smallest such
// name when there are several, so that the choice does not depend on the order on disk.
std::string FindWithoutCase(const std::string& folder, const std::string& name) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = readdir(dir.get())) {
    std::string_view candidate(entry->d_name);
    if (candidate == "." || candidate == "..") continue;
    if (IEquals(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  return best;
}

std::string JoinNative(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

DWORD MappedPath::NotFoundError() const {
  if (error != ERROR_SUCCESS) return error;
  return parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

std::string DriveCRoot(bool create) {
  std::string root;
  if (const char* configured = std::getenv("KORVA_DRIVE_C"); configured && *configured) {
    root = configured;
  } else {
    root = DataHome() + "/korvastart/drive_c";
  }
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (create ? !MakeFolders(root) : access(root.c_str(), F_OK) != 0) return {};
  return RealPath(root);
}

std::string RegistryFile() {
  if (const char* configured = std::getenv("KORVA_REGISTRY"); configured && *configured) return configured;
  return DataHome() + "/korvastart/system.reg";
}

std::string ToWindowsForm(std::string_view native) {
  std::string text(native);
  // Looking at a path must not create the drive folder.
  std::string drive = DriveCRoot(false);
  if (!drive.empty() && drive != "/" && text.compare(0, drive.size(), drive) == 0 &&
      (text.size() == drive.size() || text[drive.size()] == '/')) {
    text = "C:" + (text.size() == drive.size() ? std::string("/") : text.substr(drive.size()));
  }
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

DWORD ErrorFromErrno(int error, DWORD not_found) {
  switch (error) {
    case ENOENT:
      return not_found;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
    case EDQUOT:
      return ERROR_WRITE_FAULT;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

MappedPath MapPath(std::string_view windows_path) {
  MappedPath result;
  if (windows_path.empty()) {
    result.error = ERROR_PATH_NOT_FOUND;
    return result;
  }
  std::string text(windows_path);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  bool trailing_separator = text.back() == '/';

  std::string base;
  size_t start = 0;
  if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) {
    if (text[0] != 'C' && text[0] != 'c') {
      result.error = ERROR_PATH_NOT_FOUND;
      return result;
    }
    base = DriveCRoot();
    if (base.empty()) {
      result.error = ERROR_PATH_NOT_FOUND;
      return result;
    }
    start = 2;
  } else if (text[0] == '/') {
    base = "/";
  } else {
    char cwd[PATH_MAX];
    base = getcwd(cwd, sizeof cwd) ? cwd : "/";
  }

  std::vector<std::string> names;
  size_t pos = start;
  while (pos <= text.size()) {
    size_t end = text.find('/', pos);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(pos, end - pos);
    pos = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    if (!IsValidName(name)) {
      result.error = ERROR_INVALID_NAME;
      return result;
    }
    names.push_back(std::move(name));
  }

  std::string current = base;
  struct stat st;
  bool folder_ok = stat(current.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    bool last = i + 1 == names.size();
    if (!folder_ok) {
      current = JoinNative(current, name);
      continue;
    }
    std::string exact = JoinNative(current, name);
    std::string found;
    if (lstat(exact.c_str(), &st) == 0) {
      found = exact;
    } else if (std::string other = FindWithoutCase(current, name); !other.empty()) {
      found = JoinNative(current, other);
    }
    if (found.empty()) {
      result.parent_exists = last;
      folder_ok = false;
      current = exact;
      continue;
    }
    current = found;
    if (!last) folder_ok = stat(current.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  if (names.empty()) result.parent_exists = true;

  result.native = current;
  result.windows = ToWindowsForm(current);
  if (trailing_separator && !names.empty()) result.windows += '\\';
  if (folder_ok || names.empty()) {
    if (stat(current.c_str(), &st) == 0) {
      result.exists = true;
      result.is_directory = S_ISDIR(st.st_mode);
      if (trailing_separator && !result.is_directory) {
        result.exists = false;
        result.error = ERROR_INVALID_NAME;
      }
    } else if (lstat(current.c_str(), &st) == 0) {
      // A dangling symbolic link names nothing that can be opened.
      result.parent_exists = true;
    }
  }
  return result;
}

}  // namespace korva::posix
