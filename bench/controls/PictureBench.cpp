// The header banner decoded through our JPEG path and, as the floor, through a bare libjpeg
// loop with the same settings; and the header stretched onto its panel.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include <QImage>
#include <QPainter>

#include "controls/Image.h"
#include "controls/JpegCodec.h"
#include "toolkit/Raster.h"
#include "toolkit/qt/QtCanvas.h"

namespace {

const std::vector<std::uint8_t>& HeaderJpeg() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::ifstream in(KORVA_HEADER_PICTURE, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return bytes;
}

void BM_HeaderDecodeOurs(benchmark::State& state) {
  const auto& jpeg = HeaderJpeg();
  for (auto _ : state) {
    JpegDecodeResult result = DecodeJpeg(jpeg.data(), jpeg.size(), JpegColorOutput::TrueColor);
    if (result.errorCode != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(result.image.pixels.Pixels().data());
  }
}
BENCHMARK(BM_HeaderDecodeOurs)->Unit(benchmark::kMicrosecond);

// The floor: the library alone with the same settings. First argument: 1 gives every decode a
// new buffer, as a decoder that hands out pictures must; 0 reuses one, which never pays for
// fresh memory. Second argument: 3 writes plain RGB rows, 4 four bytes a pixel as our pictures
// hold them.
void BM_HeaderDecodeBareLibjpeg(benchmark::State& state) {
  const auto& jpeg = HeaderJpeg();
  const bool freshBuffer = state.range(0) != 0;
  const bool fourBytes = state.range(1) == 4;
  std::vector<unsigned char> reused;
  for (auto _ : state) {
    std::vector<unsigned char> fresh;
    std::vector<unsigned char>& rows = freshBuffer ? fresh : reused;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = cinfo.scale_denom = 1;
    cinfo.do_block_smoothing = TRUE;
    if (fourBytes) cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * cinfo.output_components;
    rows.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = rows.data() + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_HeaderDecodeBareLibjpeg)
    ->Args({1, 3})
    ->Args({0, 3})
    ->Args({1, 4})
    ->Unit(benchmark::kMicrosecond);

// The header panel is 781 × 113; the picture 780 × 112. First the software stretch alone, then
// the image control painting its decoded picture through the Qt canvas, as on screen.
void BM_HeaderStretchToPanel(benchmark::State& state) {
  const auto& jpeg = HeaderJpeg();
  const RgbImage header = DecodeJpeg(jpeg.data(), jpeg.size(), JpegColorOutput::TrueColor).image.pixels;
  RgbImage panel(781, 113);
  for (auto _ : state) {
    StretchCopy(panel, panel.Bounds(), panel.Bounds(), header);
    benchmark::DoNotOptimize(panel.Row(0));
  }
}
BENCHMARK(BM_HeaderStretchToPanel)->Unit(benchmark::kMicrosecond);

void BM_HeaderImagePaintQt(benchmark::State& state) {
  const auto& jpeg = HeaderJpeg();
  std::vector<std::uint8_t> stored{10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e'};
  for (int shift = 0; shift < 32; shift += 8) stored.push_back(std::uint8_t(jpeg.size() >> shift));
  stored.insert(stored.end(), jpeg.begin(), jpeg.end());
  TImage image(nullptr);
  image.SetBounds(0, 0, 781, 113);
  image.SetStretch(true);
  image.Picture()->ReadData(stored);
  QImage panel(781, 113, QImage::Format_RGB32);
  QPainter painter(&panel);
  QtCanvas canvas(painter);
  image.Paint(canvas);  // the first drawing decodes
  for (auto _ : state) {
    image.Paint(canvas);
    benchmark::DoNotOptimize(panel.constBits());
  }
}
BENCHMARK(BM_HeaderImagePaintQt)->Unit(benchmark::kMicrosecond);

}  // namespace
