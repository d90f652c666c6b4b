// Reading and replacing whole files the way settings files need: a reader sees either the old or
// the new content, writers of one file take turns, and no symbolic link is followed on write.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/winapi.h"

namespace korva::posix {

// The content of a regular file, following symbolic links; nullopt with a Windows error code in
// `*error` when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, DWORD* error);

// Replaces `path` by what `edit` makes of its present content (nullopt when the file does not yet
// exist); when `edit` returns nullopt the file is left as it was. The file is locked against other
// editors across the read and the write, the new content goes to a new file that is then renamed
// over the old one, and a symbolic link at `path` is refused. Returns ERROR_SUCCESS or the Windows
// error code.
using FileEdit = std::function<std::optional<std::string>(const std::optional<std::string>& old)>;
DWORD EditFileAtomically(const std::string& path, const FileEdit& edit);

}  // namespace korva::posix
