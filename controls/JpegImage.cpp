#include "controls/JpegImage.h"

#include "controls/JpegCodec.h"
#include "controls/PictureMessages.h"
#include "foundation/Errors.h"
#include "toolkit/Backend.h"

KORVA_IMPLEMENT_CLASS(TJPEGImage, TGraphic) {}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  JpegSize size;
  if (!bytes.empty()) size = ReadJpegHeader(bytes.data(), bytes.size());
  data_.assign(bytes.begin(), bytes.end());
  width_ = size.width;
  height_ = size.height;
  bitmap_.reset();
  Changed();
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
  int errorCode = 0;
  if (!bitmap_ && !data_.empty()) {
    const JpegColorOutput output = ScreenDepth() > 8 ? JpegColorOutput::TrueColor : JpegColorOutput::Palette;
    JpegDecodeResult decoded = DecodeJpeg(data_.data(), data_.size(), output);
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->SetImage(std::move(decoded.image));
    errorCode = decoded.errorCode;
  }
  if (bitmap_) bitmap_->Draw(canvas, rect);
  if (errorCode != 0) throw EJPEG(Format(picture_messages::kJpegError, errorCode));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->data_ = data_;
  copy->width_ = width_;
  copy->height_ = height_;
  if (bitmap_) {
    copy->bitmap_ = std::make_unique<TBitmap>();
    copy->bitmap_->Assign(*bitmap_);
  }
  copy->SetTransparent(Transparent());
  return copy;
}
