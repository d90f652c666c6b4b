#include "launcher/FileRoutines.h"

#include <vector>

#include "controls/Bitmap.h"
#include "controls/Image.h"
#include "foundation/Errors.h"
#include "foundation/Text.h"

bool DebugMode = false;

namespace {

// The settings-file object of each call: made for it, and when released it asks the platform to
// flush its cached copy of the file.
class SettingsFile {
 public:
  explicit SettingsFile(const std::string& path) : path_(path) {}
  ~SettingsFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  std::string ReadString(const std::string& section, const std::string& key) const {
    char value[2048];  // values are read as at most 2047 characters
    DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, path_.c_str());
    return std::string(value, length);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) const {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
  }

 private:
  std::string path_;
};

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The long form of a path, whole however long it is; the path itself when the platform cannot
// give one.
std::string LongForm(const std::string& path) {
  std::vector<char> buffer(260);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD length = GetLongPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return path;
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length);
  }
  return path;
}

}  // namespace

std::int32_t ReadIniInteger(const std::string& file, const std::string& section, const std::string& key,
                            std::int32_t default_value) {
  SettingsFile settings(file);
  std::string text = settings.ReadString(section, key);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  std::int32_t value;
  return TryStrToInt(text, value) ? value : default_value;
}

void WriteIniInteger(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t value) {
  bool written;
  {
    SettingsFile settings(file);
    written = settings.WriteString(section, key, IntToStr(value));
  }
  if (!written) throw EInOutError(Format("Unable to write to %s", file.c_str()));
}

std::string GetProgramFile() {
  // Grown until the whole path fits: a cut path would name another folder.
  std::vector<char> buffer(MAX_PATH);
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size() || buffer.size() >= (1u << 20)) break;
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data(), length);
}

std::string GetProgramDir() {
  const std::string path = GetProgramFile();
  size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string GetTempDir() {
  char variable[128] = {};
  DWORD length = GetEnvironmentVariableA("temp", variable, sizeof variable);
  // A value that does not fit leaves nothing usable in the buffer: such a value names no folder
  // here, rather than a cut or stale text naming some other one.
  std::string text = length > 0 && length < sizeof variable ? std::string(variable) : std::string();
  std::string candidate = LongForm(text + "\\");
  if (!text.empty() && IsFolder(text)) return candidate;
  if (IsFolder("c:\\temp")) return "c:\\temp\\";
  if (CreateDirectoryA("C:\\temp", nullptr)) return "c:\\temp\\";
  throw EInOutError("Cannot create c:\\temp");
}

void OpenFileIfExists(const std::string& path, const std::string& parameters) {
  if (!IsFile(path)) return;
  // Passed whole: a path cut to a fixed buffer would name another file.
  ShellExecuteA(nullptr, nullptr, path.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void LoadPictureOrBlank(TImage* image, const std::string& path) {
  if (IsFile(path)) {
    image->Picture()->LoadFromFile(path);
    return;
  }
  TBitmap* bitmap = image->Picture()->Bitmap();
  bitmap->Canvas().Rectangle(TRect{0, 0, image->Width(), image->Height()});
}

UINT StartProgram(const std::string& path) {
  return WinExec(("\"" + path + "\"").c_str(), SW_SHOWNORMAL);
}
