// The texts of the picture errors, in one place.
#pragma once

namespace picture_messages {
inline constexpr const char* kUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* kCannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr const char* kInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* kStreamRead = "Stream read error";
inline constexpr const char* kJpegError = "JPEG error #%d";
}  // namespace picture_messages
