#include "controls/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

namespace {

constexpr int kPaletteColors = 236;
constexpr int kRowsPerRead = 4;

// Everything the library touches lives here, owned by the caller, so nothing in the frame that
// calls setjmp changes between the jump's setting and its use.
struct JpegSession {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  std::jmp_buf jump;
};

// The plain-data side of one decode: what goes in, and what the library reports.
struct JpegJob {
  const unsigned char* data;
  std::size_t size;
  bool headerOnly;
  bool palette;
  unsigned long long maxPixels;
  // Returns room for `bytes` bytes of rows, or nullptr; never throws.
  unsigned char* (*allocate)(void* context, std::size_t bytes) noexcept;
  void* context;

  int width;
  int height;
  int components;       // bytes per output pixel
  int colorComponents;  // colour channels behind the table, for quantised output
  int colorCount;       // entries of the colour table, 0 without one
  unsigned char colormap[3][256];
  bool cmyk;
  int rowsDone;  // rows fully written, also after an error
  int errorCode;
};

void LeaveOnError(j_common_ptr cinfo) {
  auto* session = reinterpret_cast<JpegSession*>(cinfo->client_data);
  std::longjmp(session->jump, 1);
}

// Warnings and traces are ignored; decoding goes on.
void IgnoreMessage(j_common_ptr, int) {}
void IgnoreOutput(j_common_ptr) {}

// The one place where the library runs. Its fatal errors jump back here and nothing with a
// destructor lives in the frames they leave.
void RunJpegJob(JpegSession* session, JpegJob* job) noexcept {
  jpeg_decompress_struct* cinfo = &session->cinfo;
  cinfo->err = jpeg_std_error(&session->errors);
  session->errors.error_exit = LeaveOnError;
  session->errors.emit_message = IgnoreMessage;
  session->errors.output_message = IgnoreOutput;
  if (setjmp(session->jump)) {
    job->errorCode = session->errors.msg_code;
    // The decompressor starts zeroed, so this is 0 unless scan lines were delivered.
    job->rowsDone = static_cast<int>(cinfo->output_scanline);
    jpeg_destroy_decompress(cinfo);
    return;
  }
  jpeg_create_decompress(cinfo);
  cinfo->client_data = session;
  jpeg_mem_src(cinfo, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(cinfo, TRUE);
  job->width = static_cast<int>(cinfo->image_width);
  job->height = static_cast<int>(cinfo->image_height);
  if (static_cast<unsigned long long>(cinfo->image_width) * cinfo->image_height > job->maxPixels)
    ERREXIT1(cinfo, JERR_IMAGE_TOO_BIG, 4096);
  if (job->headerOnly) {
    jpeg_destroy_decompress(cinfo);
    return;
  }

  cinfo->scale_num = 1;
  cinfo->scale_denom = 1;
  cinfo->do_block_smoothing = TRUE;
  job->cmyk = cinfo->out_color_space == JCS_CMYK;
  if (!job->cmyk && (job->palette || cinfo->out_color_space == JCS_GRAYSCALE)) {
    cinfo->quantize_colors = TRUE;
    cinfo->desired_number_of_colors = kPaletteColors;
  }
  jpeg_start_decompress(cinfo);

  job->width = static_cast<int>(cinfo->output_width);
  job->height = static_cast<int>(cinfo->output_height);
  job->components = cinfo->output_components;
  if (cinfo->quantize_colors) {
    job->colorComponents = cinfo->out_color_components;
    job->colorCount = cinfo->actual_number_of_colors;
    for (int c = 0; c < job->colorComponents && c < 3; ++c)
      for (int i = 0; i < job->colorCount && i < 256; ++i) job->colormap[c][i] = cinfo->colormap[c][i];
  }
  const std::size_t stride = std::size_t(cinfo->output_width) * std::size_t(cinfo->output_components);
  unsigned char* rows = job->allocate(job->context, stride * cinfo->output_height);
  if (rows == nullptr) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);

  JSAMPROW batch[kRowsPerRead];
  while (cinfo->output_scanline < cinfo->output_height) {
    const JDIMENSION first = cinfo->output_scanline;
    int count = 0;
    for (; count < kRowsPerRead && first + JDIMENSION(count) < cinfo->output_height; ++count)
      batch[count] = rows + stride * (first + JDIMENSION(count));
    jpeg_read_scanlines(cinfo, batch, JDIMENSION(count));
  }
  job->rowsDone = job->height;
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
}

unsigned char* AllocateRows(void* context, std::size_t bytes) noexcept {
  auto* rows = static_cast<std::vector<unsigned char>*>(context);
  try {
    rows->assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return rows->data();
}

JpegJob MakeJob(const std::uint8_t* data, std::size_t size, bool headerOnly, std::uint64_t maxPixels) {
  JpegJob job{};
  job.data = data;
  job.size = size;
  job.headerOnly = headerOnly;
  job.maxPixels = maxPixels;
  job.allocate = AllocateRows;
  return job;
}

std::vector<RgbPixel> ColorTable(const JpegJob& job) {
  std::vector<RgbPixel> table;
  table.reserve(std::size_t(job.colorCount));
  for (int i = 0; i < job.colorCount; ++i) {
    if (job.colorComponents == 1) {
      table.push_back(MakeRgbPixel(job.colormap[0][i], job.colormap[0][i], job.colormap[0][i]));
    } else {
      table.push_back(MakeRgbPixel(job.colormap[0][i], job.colormap[1][i], job.colormap[2][i]));
    }
  }
  return table;
}

// Turns the rows the library delivered into resolved pixels; the others stay black.
DibImage ToDib(const JpegJob& job, const std::vector<unsigned char>& rows) {
  DibImage image;
  image.pixels = RgbImage(job.width, job.height);
  const unsigned char* from = rows.data();
  const int rowsDone = job.rowsDone < job.height ? job.rowsDone : job.height;
  const std::size_t count = std::size_t(job.width) * std::size_t(rowsDone);
  std::vector<RgbPixel>::size_type i = 0;
  RgbPixel* to = image.pixels.IsEmpty() ? nullptr : image.pixels.Row(0);
  if (job.colorCount > 0) {
    image.bitsPerPixel = 8;
    image.colorTable = ColorTable(job);
    for (; i < count; ++i) to[i] = from[i] < image.colorTable.size() ? image.colorTable[from[i]] : 0;
  } else if (job.cmyk) {
    // Adobe writes its ink values inverted, so each stored value is already 255 minus the ink.
    for (; i < count; ++i, from += 4) {
      const unsigned k = from[3];
      to[i] = MakeRgbPixel(from[0] * k / 255, from[1] * k / 255, from[2] * k / 255);
    }
  } else {
    for (; i < count; ++i, from += 3) to[i] = MakeRgbPixel(from[0], from[1], from[2]);
  }
  return image;
}

}  // namespace

JpegSize ReadJpegHeader(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels) {
  JpegSession session;
  JpegJob job = MakeJob(data, size, true, maxPixels);
  RunJpegJob(&session, &job);
  if (job.errorCode != 0) throw EJPEG(Format(picture_messages::kJpegError, job.errorCode));
  return {job.width, job.height};
}

JpegDecodeResult DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegColorOutput output,
                            std::uint64_t maxPixels) {
  JpegSession session;
  std::vector<unsigned char> rows;
  JpegJob job = MakeJob(data, size, false, maxPixels);
  job.palette = output == JpegColorOutput::Palette;
  job.context = &rows;
  RunJpegJob(&session, &job);

  JpegDecodeResult result;
  result.errorCode = job.errorCode;
  if (!rows.empty()) result.image = ToDib(job, rows);
  return result;
}
