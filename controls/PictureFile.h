// Reading a picture file whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes from start to end. The name is a Windows path text, found as the platform
// layer finds every file. Throws EFOpenError "Cannot open file \"%s\". %s" with the full path and
// the system's reason when it cannot be opened or read.
std::vector<std::uint8_t> ReadPictureFile(const std::string& fileName);
