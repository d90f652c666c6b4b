#include "controls/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

namespace {

[[noreturn]] void CannotOpen(const std::string& fileName, int error) {
  std::error_code ignored;
  const std::string full = std::filesystem::absolute(fileName, ignored).string();
  throw EFOpenError(Format(picture_messages::kCannotOpenFile, full.empty() ? fileName.c_str() : full.c_str(),
                           std::strerror(error)));
}

}  // namespace

std::vector<std::uint8_t> ReadPictureFile(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotOpen(fileName, errno);
  // Only plain files: a folder or a device is no picture, and a pipe could block for ever.
  struct stat info {};
  const bool statFailed = ::fstat(fd, &info) != 0;
  if (statFailed || !S_ISREG(info.st_mode)) {
    const int error = statFailed ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    CannotOpen(fileName, error);
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      CannotOpen(fileName, error);
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return bytes;
}
