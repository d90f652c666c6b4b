// JPEG decoding through the system's libjpeg (interface version 62) with the fixed settings all
// pictures of the program use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/BmpFile.h"

// Largest pixel count a JPEG may claim: 16 megapixels (4096 × 4096), about two hundred times the
// largest picture on a medium. A file claiming more fails like the library's own size check.
inline constexpr std::uint64_t kMaxJpegPixels = std::uint64_t(4096) * 4096;

// Most scans a JPEG may have: real files have about a dozen, and each scan of a damaged file can
// cost a pass over the whole image (some 30 ms at the pixel limit). A file with more fails like
// one that claims too many pixels.
inline constexpr int kMaxJpegScans = 100;

// How colour images come out: 24 bits per pixel, or quantised to a 236-colour table for displays
// of 8 bits per pixel or fewer. Grayscale images are always quantised.
enum class JpegColorOutput { TrueColor, Palette };

struct JpegSize {
  int width = 0;
  int height = 0;
};

// Reads the header only. Throws EJPEG "JPEG error #%d" with the library's message code.
JpegSize ReadJpegHeader(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels = kMaxJpegPixels);

struct JpegDecodeResult {
  // The decoded picture; rows the decoder did not reach before an error stay black. Empty when
  // the error came before any output existed.
  DibImage image;
  // The library's message code of a fatal error, 0 when the whole image was decoded.
  int errorCode = 0;
};

// Decodes the whole image at full size with block smoothing on and the library's defaults for
// everything else. Never throws for damaged data: the error code reports it.
JpegDecodeResult DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegColorOutput output,
                            std::uint64_t maxPixels = kMaxJpegPixels);
