#include "PictureTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

std::string PictureDataPath(const std::string& name) {
  return std::string(KORVA_PICTURE_DATA) + "/" + name;
}

std::string ArtworkPath(const std::string& name) {
  return std::string(KORVA_ARTWORK) + "/" + name;
}

namespace {

void PutCount(std::vector<std::uint8_t>& out, std::uint32_t count) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(count >> shift));
}

}  // namespace

std::vector<std::uint8_t> StoredPicture(std::string_view className, std::string_view file,
                                        std::optional<std::uint32_t> count) {
  std::vector<std::uint8_t> data;
  data.reserve(1 + className.size() + 4 + file.size());
  data.push_back(std::uint8_t(className.size()));
  for (char c : className) data.push_back(std::uint8_t(c));
  PutCount(data, count.value_or(std::uint32_t(file.size())));
  for (char c : file) data.push_back(std::uint8_t(c));
  return data;
}

std::vector<std::uint8_t> StoredBitmap(std::string_view file) {
  std::vector<std::uint8_t> data;
  PutCount(data, std::uint32_t(file.size()));
  for (char c : file) data.push_back(std::uint8_t(c));
  return data;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RgbImage ReferenceDecode(const std::string& file, const std::string& arguments) {
  const std::string command = std::string(KORVA_DJPEG) + " " + arguments + " -pnm '" + file + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return {};
  }
  std::string output;
  char buffer[65536];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);

  // "P5" (gray) or "P6" (RGB), width, height, 255, one blank, then the samples.
  std::istringstream header(output);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  header >> magic >> width >> height >> maxValue;
  const auto start = static_cast<std::size_t>(header.tellg()) + 1;
  const int channels = magic == "P6" ? 3 : 1;
  if ((magic != "P5" && magic != "P6") || maxValue != 255 ||
      output.size() < start + std::size_t(width) * height * channels) {
    ADD_FAILURE() << "unexpected output of " << command;
    return {};
  }
  RgbImage image(width, height);
  const auto* sample = reinterpret_cast<const unsigned char*>(output.data() + start);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, sample += channels) {
      image.Set(x, y,
                channels == 3 ? MakeRgbPixel(sample[0], sample[1], sample[2])
                              : MakeRgbPixel(sample[0], sample[0], sample[0]));
    }
  }
  return image;
}
