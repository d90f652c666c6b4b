// Device-independent bitmap files ("BM" files): the uncompressed 8- and 24-bit kinds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/Raster.h"

// A bitmap as the file describes it. The pixels always hold resolved colours; for 8 bits per
// pixel the colour table says which colours the file could use.
struct DibImage {
  int bitsPerPixel = 24;
  std::vector<RgbPixel> colorTable;
  RgbImage pixels;
};

// Reads a complete BMP file. Every header field is checked against `size` before anything is
// allocated. Throws EInvalidGraphic "Bitmap image is not valid" for a file that is not a BMP or
// not one of the supported kinds, and EReadError "Stream read error" when the data ends before
// what its headers promise.
DibImage ReadBmpFile(const std::uint8_t* data, std::size_t size);

// Writes a BMP file: 14-byte file header, 40-byte information header, the colour table for 8 bits
// per pixel, then the rows bottom-up, each padded to 4 bytes. For 8 bits per pixel each colour is
// stored as the index of the nearest table entry.
std::vector<std::uint8_t> WriteBmpFile(const DibImage& image);
