#include "controls/Picture.h"

#include "controls/Bitmap.h"
#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

KORVA_IMPLEMENT_CLASS(TPicture, TPersistent) {
  c.Binary("Data", &TPicture::ReadData);
}

TPicture::TPicture() = default;

TPicture::~TPicture() {
  if (graphic_) graphic_->OnChange = nullptr;
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

void TPicture::Replace(std::unique_ptr<TGraphic> graphic) {
  if (graphic_) graphic_->OnChange = nullptr;
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this] { Changed(); };
  Changed();
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string extension = ExtractFileExt(fileName);
  const FileFormat* format = FileFormats().FindExt(extension);
  if (!format) throw EInvalidGraphic(Format(picture_messages::kUnknownExtension, extension.c_str()));
  std::unique_ptr<TGraphic> graphic = format->create();
  graphic->LoadFromFile(fileName);
  Replace(std::move(graphic));
}

void TPicture::ReadData(std::span<const std::uint8_t> data) {
  if (data.empty()) throw EReadError(picture_messages::kStreamRead);
  const std::size_t nameLength = data[0];
  if (data.size() - 1 < nameLength) throw EReadError(picture_messages::kStreamRead);
  const std::string_view className(reinterpret_cast<const char*>(data.data() + 1), nameLength);
  std::unique_ptr<TGraphic> graphic;
  if (const FileFormat* format = FileFormats().FindClassName(className)) {
    graphic = format->create();
    graphic->ReadData(data.subspan(1 + nameLength));
  }
  Replace(std::move(graphic));
}

TBitmap* TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return bitmap;
  Replace(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::Assign(const TPicture* other) {
  if (other == this) return;
  Replace(other && other->graphic_ ? other->graphic_->Clone() : nullptr);
}
