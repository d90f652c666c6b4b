#include "platform/posix/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>
#include <thread>

#include "platform/posix/Paths.h"

namespace korva::posix {
namespace {

// How long a writer waits for others before it gives up.
constexpr auto kLockPatience = std::chrono::seconds(10);

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  void reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

bool ReadAll(int fd, std::string* out) {
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    out->append(buffer, static_cast<size_t>(n));
  }
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Polls rather than blocks, so that a stuck or hostile lock holder cannot hang the program. The
// pauses stay short: a writer in a tight loop frees the lock only for moments.
bool LockBefore(int fd, std::chrono::steady_clock::time_point deadline) {
  auto pause = std::chrono::microseconds(50);
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(1000));
  }
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, DWORD* error) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    *error = ErrorFromErrno(errno, ERROR_FILE_NOT_FOUND);
    return std::nullopt;
  }
  struct stat st;
  if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    *error = ERROR_ACCESS_DENIED;
    return std::nullopt;
  }
  std::string content;
  if (!ReadAll(fd.get(), &content)) {
    *error = ERROR_READ_FAULT;
    return std::nullopt;
  }
  return content;
}

DWORD EditFileAtomically(const std::string& path, const FileEdit& edit) {
  // The lock lives on the file itself. Another writer may replace the file while we wait for it,
  // so after locking we check that the name still leads to the locked file, and start again if not.
  auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  while (std::chrono::steady_clock::now() <= deadline) {
    bool created = false;
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0 && errno == ENOENT) {
      fd.reset(open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
      if (fd.get() < 0 && errno == EEXIST) continue;
      created = fd.get() >= 0;
    }
    if (fd.get() < 0) return ErrorFromErrno(errno, ERROR_PATH_NOT_FOUND);

    struct stat locked;
    if (fstat(fd.get(), &locked) != 0 || !S_ISREG(locked.st_mode)) return ERROR_ACCESS_DENIED;
    if (!created && access(path.c_str(), W_OK) != 0) return ERROR_ACCESS_DENIED;
    if (!LockBefore(fd.get(), deadline)) return ERROR_SHARING_VIOLATION;
    struct stat now;
    if (lstat(path.c_str(), &now) != 0 || now.st_dev != locked.st_dev || now.st_ino != locked.st_ino)
      continue;

    std::string old;
    if (!ReadAll(fd.get(), &old)) return ERROR_READ_FAULT;
    // A file we created just now for the lock counts as missing.
    std::optional<std::string> before;
    if (!created) before = old;
    std::optional<std::string> edited = edit(before);
    if (!edited) {
      if (created) unlink(path.c_str());
      return ERROR_SUCCESS;
    }
    const std::string& updated = *edited;
    if (!created && updated == old) return ERROR_SUCCESS;

    std::string folder = FolderOf(path);
    std::mt19937_64 random(std::random_device{}() ^ static_cast<uint64_t>(getpid()));
    std::string temp;
    FileDescriptor out;
    for (int tries = 0; tries < 100 && out.get() < 0; ++tries) {
      temp = folder + "/." + NameOf(path) + "." + std::to_string(random() % 1000000000);
      out.reset(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
      if (out.get() < 0 && errno != EEXIST) return ErrorFromErrno(errno, ERROR_PATH_NOT_FOUND);
    }
    if (out.get() < 0) return ERROR_ACCESS_DENIED;
    bool ok = WriteAll(out.get(), updated) && fchmod(out.get(), locked.st_mode & 07777) == 0 &&
              fsync(out.get()) == 0;
    out.reset();
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
      int saved = errno;
      unlink(temp.c_str());
      if (created) unlink(path.c_str());
      return ok ? ErrorFromErrno(saved, ERROR_PATH_NOT_FOUND) : ERROR_WRITE_FAULT;
    }
    FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) fsync(dir.get());
    return ERROR_SUCCESS;
  }
  return ERROR_SHARING_VIOLATION;
}

}  // namespace korva::posix
