#include "controls/Graphic.h"

#include "controls/Bitmap.h"
#include "controls/JpegImage.h"
#include "controls/PictureFile.h"
#include "controls/PictureMessages.h"
#include "foundation/Errors.h"

KORVA_IMPLEMENT_CLASS(TGraphic, TPersistent) {}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadPictureFile(fileName);
  LoadFromBytes(bytes);
}

void TGraphic::ReadData(std::span<const std::uint8_t> data) {
  if (data.size() < 4) throw EReadError(picture_messages::kStreamRead);
  const std::uint64_t count = std::uint64_t(data[0]) | (std::uint64_t(data[1]) << 8) |
                              (std::uint64_t(data[2]) << 16) | (std::uint64_t(data[3]) << 24);
  if (count > data.size() - 4) throw EReadError(picture_messages::kStreamRead);
  LoadFromBytes(data.subspan(4, static_cast<std::size_t>(count)));
}

void TFileFormatsList::Add(std::string extension, std::string className, GraphicFactory create) {
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  entries_.push_back({std::move(extension), std::move(className), create});
}

namespace {

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

const FileFormat* TFileFormatsList::FindExt(std::string_view extension) const {
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
    if (SameAsciiText(entry->extension, extension)) return &*entry;
  return nullptr;
}

const FileFormat* TFileFormatsList::FindClassName(std::string_view className) const {
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
    if (entry->className == className) return &*entry;
  return nullptr;
}

TFileFormatsList& FileFormats() {
  static TFileFormatsList formats = [] {
    TFileFormatsList list;
    list.Add("bmp", "TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); });
    list.Add("jpeg", "TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); });
    list.Add("jpg", "TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); });
    return list;
  }();
  return formats;
}

std::string ExtractFileExt(std::string_view fileName) {
  const std::size_t stop = fileName.find_last_of(".\\/:");
  if (stop == std::string_view::npos || fileName[stop] != '.') return {};
  return std::string(fileName.substr(stop + 1));
}
