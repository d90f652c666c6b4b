#include "controls/JpegCodec.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <jpeglib.h>
// jpeglib.h must come first.
#include <jerror.h>

#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

namespace {

// Colour rows are written straight into our pixel words as blue, green, red, spare.
static_assert(std::endian::native == std::endian::little);

constexpr int kPaletteColors = 236;
constexpr int kRowsPerRead = 4;

// Everything the library touches lives here, owned by the caller, so nothing in the frame that
// calls setjmp changes between the jump's setting and its use.
struct JpegSession {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
};

// How the rows come out of the library.
enum class RowLayout {
  Pixels,   // 4 bytes a pixel, laid out as our 0x00RRGGBB words: written straight into the picture
  Indexes,  // 1 byte a pixel, an index into the colour table
  Cmyk,     // 4 bytes a pixel, converted afterwards
};

// The plain-data side of one decode: what goes in, and what the library reports.
struct JpegJob {
  const unsigned char* data;
  std::size_t size;
  bool headerOnly;
  bool palette;
  unsigned long long maxPixels;
  // Returns the first row of room for height rows of `stride` bytes, or nullptr; never throws.
  unsigned char* (*allocate)(void* context, const JpegJob& job) noexcept;
  void* context;

  int width;
  int height;
  RowLayout layout;
  std::size_t stride;
  int colorComponents;  // colour channels behind the table, for quantised output
  int colorCount;       // entries of the colour table, 0 without one
  unsigned char colormap[3][256];
  int rowsDone;  // rows fully written, also after an error
  int errorCode;
};

void LeaveOnError(j_common_ptr cinfo) {
  auto* session = reinterpret_cast<JpegSession*>(cinfo->client_data);
  std::longjmp(session->jump, 1);
}

// Each scan of a progressive file walks the whole image again, and the library accepts repeated
// scans with only a warning: a few bytes per scan could keep it busy for minutes. Real files have
// a dozen scans; more than kMaxJpegScans fails like an image that is too big.
void LimitScans(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxJpegScans) ERREXIT1(cinfo, JERR_IMAGE_TOO_BIG, kMaxJpegScans);
}

// Blue, green, red and a spare byte become a pixel word with the top byte zero.
void CopyWithoutSpareBytes(RgbPixel* to, const unsigned char* from, std::size_t count) noexcept {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    RgbPixel words[4];
    std::memcpy(words, from + 4 * i, sizeof words);
    to[i] = words[0] & 0x00FFFFFF;
    to[i + 1] = words[1] & 0x00FFFFFF;
    to[i + 2] = words[2] & 0x00FFFFFF;
    to[i + 3] = words[3] & 0x00FFFFFF;
  }
  for (; i < count; ++i) {
    RgbPixel word;
    std::memcpy(&word, from + 4 * i, sizeof word);
    to[i] = word & 0x00FFFFFF;
  }
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
  session->progress.progress_monitor = LimitScans;
  cinfo->progress = &session->progress;
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
  if (cinfo->out_color_space == JCS_CMYK) {
    job->layout = RowLayout::Cmyk;
  } else if (job->palette || cinfo->out_color_space == JCS_GRAYSCALE) {
    job->layout = RowLayout::Indexes;
    cinfo->quantize_colors = TRUE;
    cinfo->desired_number_of_colors = kPaletteColors;
  } else {
    // The same colours as plain RGB output, in the byte order of our pixel words.
    job->layout = RowLayout::Pixels;
    cinfo->out_color_space = JCS_EXT_BGRX;
  }
  jpeg_start_decompress(cinfo);

  job->width = static_cast<int>(cinfo->output_width);
  job->height = static_cast<int>(cinfo->output_height);
  job->stride = std::size_t(cinfo->output_width) * std::size_t(cinfo->output_components);
  if (cinfo->quantize_colors) {
    job->colorComponents = cinfo->out_color_components;
    job->colorCount = cinfo->actual_number_of_colors;
    for (int c = 0; c < job->colorComponents && c < 3; ++c)
      for (int i = 0; i < job->colorCount && i < 256; ++i) job->colormap[c][i] = cinfo->colormap[c][i];
  }
  unsigned char* rows = job->allocate(job->context, *job);
  if (rows == nullptr) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);

  // Colour rows pass through a few scratch rows from the library's pool, still in the cache when
  // they are copied into the picture without the spare byte the library fills.
  const bool scratch = job->layout == RowLayout::Pixels;
  JSAMPARRAY scratchRows =
      scratch ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                            JDIMENSION(job->stride), kRowsPerRead)
              : nullptr;
  JSAMPROW batch[kRowsPerRead];
  while (cinfo->output_scanline < cinfo->output_height) {
    const JDIMENSION first = cinfo->output_scanline;
    int count = 0;
    for (; count < kRowsPerRead && first + JDIMENSION(count) < cinfo->output_height; ++count)
      batch[count] = scratch ? scratchRows[count] : rows + job->stride * (first + JDIMENSION(count));
    const JDIMENSION done = jpeg_read_scanlines(cinfo, batch, JDIMENSION(count));
    if (scratch) {
      for (JDIMENSION r = 0; r < done; ++r)
        CopyWithoutSpareBytes(reinterpret_cast<RgbPixel*>(rows + job->stride * (first + r)), batch[r],
                              cinfo->output_width);
    }
  }
  job->rowsDone = job->height;
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
}

// Where the rows go: the picture's own pixels, or a buffer converted afterwards.
struct DecodeTarget {
  RgbImage pixels;
  std::vector<unsigned char> buffer;
};

unsigned char* AllocateRows(void* context, const JpegJob& job) noexcept {
  auto* target = static_cast<DecodeTarget*>(context);
  try {
    // Every pixel gets written: by the library, or as black for rows an error left undecoded.
    target->pixels = RgbImage::Uninitialized(job.width, job.height);
    if (target->pixels.IsEmpty()) return nullptr;
    if (job.layout == RowLayout::Pixels) return reinterpret_cast<unsigned char*>(target->pixels.Row(0));
    target->buffer.assign(job.stride * std::size_t(job.height), 0);
    return target->buffer.data();
  } catch (const std::exception&) {
    target->pixels = RgbImage();
    return nullptr;
  }
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

// Turns what the library delivered into the picture; rows it did not reach stay black.
DibImage ToDib(const JpegJob& job, DecodeTarget& target) {
  DibImage image;
  image.pixels = std::move(target.pixels);
  if (image.pixels.IsEmpty()) return image;
  const int rowsDone = job.rowsDone < job.height ? job.rowsDone : job.height;
  const std::size_t count = std::size_t(job.width) * std::size_t(rowsDone);
  const std::size_t total = std::size_t(job.width) * std::size_t(job.height);
  RgbPixel* to = image.pixels.Row(0);
  const unsigned char* from = target.buffer.data();
  switch (job.layout) {
    case RowLayout::Pixels:
      break;
    case RowLayout::Indexes:
      image.bitsPerPixel = 8;
      image.colorTable = ColorTable(job);
      for (std::size_t i = 0; i < count; ++i)
        to[i] = from[i] < image.colorTable.size() ? image.colorTable[from[i]] : 0;
      break;
    case RowLayout::Cmyk:
      // Adobe writes its ink values inverted, so each stored value is already 255 minus the ink.
      for (std::size_t i = 0; i < count; ++i, from += 4) {
        const unsigned k = from[3];
        to[i] = MakeRgbPixel(from[0] * k / 255, from[1] * k / 255, from[2] * k / 255);
      }
      break;
  }
  // Rows past an error may hold what the library was still writing, or nothing yet.
  std::fill(to + count, to + total, RgbPixel(0));
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
  DecodeTarget target;
  JpegJob job = MakeJob(data, size, false, maxPixels);
  job.palette = output == JpegColorOutput::Palette;
  job.context = &target;
  RunJpegJob(&session, &job);

  JpegDecodeResult result;
  result.errorCode = job.errorCode;
  result.image = ToDib(job, target);
  return result;
}
