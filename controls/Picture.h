// The picture holder: at most one graphic, loaded from a file or from a window description.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "controls/Graphic.h"

class TBitmap;

class TPicture : public TPersistent {
  KORVA_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return graphic_.get(); }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Picks the kind by the file name's extension. On any failure the holder keeps its graphic and
  // the error goes on: EInvalidGraphic "Unknown picture file extension (.%s)", EFOpenError, or the
  // kind's own reading error.
  void LoadFromFile(const std::string& fileName);
  // The stored form of a window description: the kind's class name (length byte, then the name),
  // then the kind's own stored data. An unknown class name leaves the holder empty.
  void ReadData(std::span<const std::uint8_t> data);
  // The holder as a bitmap: any other graphic, or none, is replaced by a new empty bitmap.
  TBitmap* Bitmap();
  // Takes a copy of the other holder's graphic (none for null).
  void Assign(const TPicture* other);

  // Told whenever the graphic is replaced or changes.
  std::function<void()> OnChange;

 private:
  void Replace(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};
