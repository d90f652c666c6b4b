// The routines through which the start window reaches its files, folders and the shell, and the
// process-wide debug switch.
#pragma once

#include <cstdint>
#include <string>

#include "platform/winapi.h"

class TImage;

// False at start; the start window's show-time work sets it once.
extern bool DebugMode;

// The integer stored under `key` in `section` of a settings file: decimal, or hexadecimal after
// "$", "x", "X", "0x" or "0X", with an optional sign; `default_value` for anything else, a missing
// file, section or key included.
std::int32_t ReadIniInteger(const std::string& file, const std::string& section, const std::string& key,
                            std::int32_t default_value);

// Stores the integer as decimal text, creating the file, section and key as needed. Fails with
// EInOutError "Unable to write to %s".
void WriteIniInteger(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t value);

// The program file's full path.
std::string GetProgramFile();

// The program's own folder, ending in a backslash.
std::string GetProgramDir();

// The user's temporary folder in its long form, ending in a backslash; "c:\temp\" when the
// variable "temp" names no folder, creating that folder when it is missing. Fails with EInOutError
// "Cannot create c:\temp".
std::string GetTempDir();

// Hands an existing file (not a folder) to the shell's default action; anything else passes
// silently.
void OpenFileIfExists(const std::string& path, const std::string& parameters);

// Loads the picture file into the image by its extension when the file exists (a loading error
// goes on to the caller and leaves the picture as it was); otherwise makes the picture a bitmap
// (an empty one unless it was a bitmap already) and draws on it a rectangle the size of the image
// control with the canvas's pen and brush.
void LoadPictureOrBlank(TImage* image, const std::string& path);

// Starts the program at `path` without waiting for it. The path is quoted, so that blanks in it
// cannot make Windows start another program; the result of WinExec is passed on.
UINT StartProgram(const std::string& path);
