// Helpers shared by the picture tests: fixture files and the reference decoder's output.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Raster.h"

std::string PictureDataPath(const std::string& name);
std::string ArtworkPath(const std::string& name);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// The stored forms of a window description: a picture with its class name, or a colour button's
// bitmap without one. `count` defaults to the file's size.
std::vector<std::uint8_t> StoredPicture(std::string_view className, std::string_view file,
                                        std::optional<std::uint32_t> count = std::nullopt);
std::vector<std::uint8_t> StoredBitmap(std::string_view file);

// Runs the system's djpeg on `file` with `arguments` and returns the image it writes as PNM.
RgbImage ReferenceDecode(const std::string& file, const std::string& arguments);
