// Helpers shared by the picture tests: fixture files and the reference decoder's output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Raster.h"

std::string PictureDataPath(const std::string& name);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Runs the system's djpeg on `file` with `arguments` and returns the image it writes as PNM.
RgbImage ReferenceDecode(const std::string& file, const std::string& arguments);
