#include "Writers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include <jpeglib.h>

#include "controls/BmpFile.h"

namespace {

void Save(const QString& path, const std::vector<unsigned char>& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
    throw std::runtime_error("cannot write " + path.toStdString());
}

RgbImage ToRgb(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  RgbImage rgb(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) rgb.Set(x, y, line[x] & 0xFFFFFF);
  }
  return rgb;
}

void Put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}
void Put32(std::vector<unsigned char>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

void WriteJpeg(const QImage& source, const QString& path, int quality) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);  // a failure ends this tool with the library's message
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width());
  cinfo.image_height = JDIMENSION(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // Full colour resolution keeps the thin coloured edges of flags and text clean.
  for (int c = 0; c < cinfo.num_components; ++c)
    cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  cinfo.optimize_coding = TRUE;
  cinfo.density_unit = 1;
  cinfo.X_density = cinfo.Y_density = 96;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const std::vector<unsigned char> bytes(buffer, buffer + size);
  std::free(buffer);
  Save(path, bytes);
}

void WriteBmp24(const QImage& image, const QString& path) {
  DibImage dib;
  dib.bitsPerPixel = 24;
  dib.pixels = ToRgb(image);
  Save(path, WriteBmpFile(dib));
}

void WriteBmp8(const QImage& image, const QString& path) {
  DibImage dib;
  dib.bitsPerPixel = 8;
  dib.pixels = ToRgb(image);
  // The most frequent colours, then black to fill the table up to 256 entries.
  std::map<RgbPixel, int> counts;
  for (RgbPixel pixel : dib.pixels.Pixels()) ++counts[pixel];
  std::vector<std::pair<int, RgbPixel>> byCount;
  for (auto [pixel, count] : counts) byCount.push_back({-count, pixel});
  std::sort(byCount.begin(), byCount.end());
  for (std::size_t i = 0; i < byCount.size() && i < 256; ++i) dib.colorTable.push_back(byCount[i].second);
  dib.colorTable.resize(256, 0);
  Save(path, WriteBmpFile(dib));
}

void WritePng(const QImage& image, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteIco(const std::vector<QImage>& images, const QString& path) {
  std::vector<std::vector<unsigned char>> entries;
  for (const QImage& source : images) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    std::vector<unsigned char> dib;
    Put32(dib, 40);
    Put32(dib, unsigned(size));
    Put32(dib, unsigned(size * 2));  // colour rows and mask rows
    Put16(dib, 1);
    Put16(dib, 32);
    for (int i = 0; i < 6; ++i) Put32(dib, 0);
    for (int y = size - 1; y >= 0; --y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < size; ++x) {
        dib.push_back(static_cast<unsigned char>(qBlue(line[x])));
        dib.push_back(static_cast<unsigned char>(qGreen(line[x])));
        dib.push_back(static_cast<unsigned char>(qRed(line[x])));
        dib.push_back(static_cast<unsigned char>(qAlpha(line[x])));
      }
    }
    // The mask marks fully transparent pixels, for readers that ignore the alpha bytes.
    const int maskStride = (size + 31) / 32 * 4;
    for (int y = size - 1; y >= 0; --y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      std::vector<unsigned char> row(std::size_t(maskStride), 0);
      for (int x = 0; x < size; ++x)
        if (qAlpha(line[x]) == 0) row[std::size_t(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
      dib.insert(dib.end(), row.begin(), row.end());
    }
    entries.push_back(std::move(dib));
  }

  std::vector<unsigned char> file;
  Put16(file, 0);
  Put16(file, 1);  // icon
  Put16(file, unsigned(entries.size()));
  unsigned offset = unsigned(6 + 16 * entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int size = images[i].width();
    file.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
    file.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
    file.push_back(0);  // no palette
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, unsigned(entries[i].size()));
    Put32(file, offset);
    offset += unsigned(entries[i].size());
  }
  for (const auto& entry : entries) file.insert(file.end(), entry.begin(), entry.end());
  Save(path, file);
}
