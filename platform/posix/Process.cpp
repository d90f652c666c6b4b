// WinExec and ShellExecuteA: programs started detached, with no shell in between.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/CommandLine.h"
#include "platform/posix/Paths.h"
#include "platform/winapi.h"

using namespace korva::posix;

namespace {

#ifndef CLOSE_RANGE_CLOEXEC
constexpr unsigned kCloseRangeCloexec = 1u << 2;
#else
constexpr unsigned kCloseRangeCloexec = CLOSE_RANGE_CLOEXEC;
#endif

// Starts `program` with `arguments` as a grandchild that belongs to no one: the child in between
// ends at once and is reaped here, so no zombie is left and nothing waits for the program. Returns
// 0 or the errno of the failed start, which a pipe closed on exec carries back.
int StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& folder) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const char* path = program.c_str();
  const char* work = folder.empty() ? nullptr : folder.c_str();

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  pid_t child = fork();
  if (child < 0) {
    int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (child == 0) {
    // Only async-signal-safe calls from here on: the parent may have other threads.
    close(report[0]);
    pid_t grandchild = fork();
    if (grandchild != 0) {
      if (grandchild < 0) {
        int error = errno;
        ssize_t ignored = write(report[1], &error, sizeof error);
        (void)ignored;
      }
      _exit(0);
    }
    setsid();
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    syscall(SYS_close_range, 3u, ~0u, kCloseRangeCloexec);
    int error = 0;
    if (work && chdir(work) != 0) {
      error = errno;
    } else {
      execv(path, argv.data());
      error = errno;
    }
    ssize_t ignored = write(report[1], &error, sizeof error);
    (void)ignored;
    _exit(127);
  }
  close(report[1]);
  int status;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

bool HasExtension(const std::string& path) {
  size_t dot = path.find_last_of('.');
  size_t separator = path.find_last_of("\\/");
  return dot != std::string::npos && (separator == std::string::npos || dot > separator);
}

// The program a Windows command line starts: the first candidate that names a file, tried as
// written and, without an extension, with ".exe" added.
bool ChooseProgram(std::string_view command_line, std::string* program, std::string* arguments, UINT* error) {
  std::vector<ProgramCandidate> candidates = ProgramCandidates(command_line);
  if (candidates.empty()) {
    *error = ERROR_FILE_NOT_FOUND;
    return false;
  }
  for (const ProgramCandidate& candidate : candidates) {
    std::vector<std::string> names{candidate.program};
    if (!HasExtension(candidate.program)) names.push_back(candidate.program + ".exe");
    for (const std::string& name : names) {
      MappedPath path = MapPath(name);
      if (path.exists) {
        *program = path.native;
        *arguments = candidate.arguments;
        return true;
      }
    }
  }
  // Windows searches for the program and reports a failed search as a missing file, whichever
  // part of the path is missing.
  *error = ERROR_FILE_NOT_FOUND;
  return false;
}

bool IEqualsPrefix(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// "http:", "mailto:" and the like; a single letter before the colon is a drive.
bool HasUrlScheme(std::string_view text) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    char c = text[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// The desktop's opener: KORVA_OPENER when set, else xdg-open found on PATH.
std::string FindOpener() {
  if (const char* configured = std::getenv("KORVA_OPENER"); configured && *configured) return configured;
  const char* search = std::getenv("PATH");
  std::string folders = search && *search ? search : "/usr/local/bin:/usr/bin:/bin";
  size_t pos = 0;
  while (pos <= folders.size()) {
    size_t end = folders.find(':', pos);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(pos, end - pos);
    pos = end + 1;
    if (folder.empty()) continue;
    std::string candidate = folder + "/xdg-open";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

HINSTANCE ShellResult(INT code) {
  return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(code));
}

}  // namespace

UINT WinExec(LPCSTR command_line, UINT) {
  if (!command_line) return ERROR_FILE_NOT_FOUND;
  std::string program, rest;
  UINT error = 0;
  if (!ChooseProgram(command_line, &program, &rest, &error)) return error;
  std::vector<std::string> argv{program};
  for (std::string& argument : SplitArguments(rest)) argv.push_back(std::move(argument));
  switch (StartDetached(program, argv, {})) {
    case 0:
      return 33;  // Windows reports success with a number above 31
    case ENOENT:
    case ENOTDIR:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case ENOMEM:
    case EAGAIN:
    case E2BIG:
      return 0;  // out of system resources
    default:
      return ERROR_BAD_FORMAT;
  }
}

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT) {
  // Only the default action exists here; other verbs have no handler.
  if (operation && *operation && (std::strlen(operation) != 4 || !IEqualsPrefix(operation, "open"))) {
    return ShellResult(SE_ERR_NOASSOC);
  }
  if (!file || !*file) return ShellResult(SE_ERR_FNF);

  std::string target;
  MappedPath path = MapPath(file);
  if (path.exists) {
    target = path.native;
  } else if (IEqualsPrefix(file, "www.")) {
    target = std::string("http://") + file;  // as the Windows shell opens a bare web host
  } else if (HasUrlScheme(file)) {
    target = file;
  } else {
    return ShellResult(path.NotFoundError() == ERROR_PATH_NOT_FOUND ? SE_ERR_PNF : SE_ERR_FNF);
  }

  std::string folder;
  if (directory && *directory) {
    MappedPath dir = MapPath(directory);
    if (!dir.exists || !dir.is_directory) return ShellResult(SE_ERR_PNF);
    folder = dir.native;
  }
  std::string opener = FindOpener();
  if (opener.empty()) return ShellResult(SE_ERR_NOASSOC);
  std::vector<std::string> argv{opener, target};
  for (std::string& argument : SplitArguments(parameters ? parameters : ""))
    argv.push_back(std::move(argument));
  switch (StartDetached(opener, argv, folder)) {
    case 0:
      return ShellResult(42);  // above 32 means success
    case ENOENT:
    case ENOEXEC:
      return ShellResult(SE_ERR_NOASSOC);
    case ENOMEM:
    case EAGAIN:
    case E2BIG:
      return ShellResult(SE_ERR_OOM);
    default:
      return ShellResult(SE_ERR_ACCESSDENIED);
  }
}
