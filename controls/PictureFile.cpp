// Linux: the name is mapped the way the platform layer maps every Windows path text.
#include "controls/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "controls/PictureMessages.h"
#include "foundation/Errors.h"
#include "platform/posix/Paths.h"

namespace {

[[noreturn]] void CannotOpen(const std::string& fullPath, int error) {
  throw EFOpenError(Format(picture_messages::kCannotOpenFile, fullPath.c_str(), std::strerror(error)));
}

}  // namespace

std::vector<std::uint8_t> ReadPictureFile(const std::string& fileName) {
  const korva::posix::MappedPath path = korva::posix::MapPath(fileName);
  const std::string fullPath = path.windows.empty() ? fileName : path.windows;
  if (path.native.empty()) CannotOpen(fullPath, ENOENT);
  // Writers are not shut out as on Windows; a picture is read in one go.
  const int fd = ::open(path.native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotOpen(fullPath, errno);
  // Only plain files: a folder or a device is no picture, and a pipe could block for ever.
  struct stat info {};
  const bool statFailed = ::fstat(fd, &info) != 0;
  if (statFailed || !S_ISREG(info.st_mode)) {
    const int error = statFailed ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    CannotOpen(fullPath, error);
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
      CannotOpen(fullPath, error);
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return bytes;
}
