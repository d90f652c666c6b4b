// What every picture kind offers, and the registry that picks a kind by file-name extension or
// by class name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Component.h"
#include "toolkit/Graphics.h"

class TGraphic : public TPersistent {
  KORVA_CLASS(TGraphic, TPersistent)
 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // False unless set; what it means is up to the kind.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Draws the whole picture scaled into `rect`, each direction on its own.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Takes a complete picture file; no bytes at all make an empty picture.
  virtual void LoadFromBytes(std::span<const std::uint8_t> bytes) = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  void LoadFromFile(const std::string& fileName);
  // The stored form: a count L (4 bytes, little-endian), then L bytes of a picture file.
  void ReadData(std::span<const std::uint8_t> data);

  // Told whenever the picture changes.
  std::function<void()> OnChange;

 protected:
  void Changed();

 private:
  bool transparent_ = false;
};

using GraphicFactory = std::unique_ptr<TGraphic> (*)();

struct FileFormat {
  std::string extension;  // lower case, without the full stop
  std::string className;
  GraphicFactory create;
};

class TFileFormatsList {
 public:
  void Add(std::string extension, std::string className, GraphicFactory create);
  // The last registered entry first; extensions compare without regard to ASCII case.
  const FileFormat* FindExt(std::string_view extension) const;
  // The last registered entry first; class names compare exactly.
  const FileFormat* FindClassName(std::string_view className) const;
  const std::vector<FileFormat>& Entries() const { return entries_; }

 private:
  std::vector<FileFormat> entries_;
};

// The registry: "bmp", then "jpeg" and "jpg". Icons and metafiles are not registered, so their
// extensions fail like any other unknown one.
TFileFormatsList& FileFormats();

// The characters after the last full stop, or none when a folder separator or a drive colon
// follows that full stop.
std::string ExtractFileExt(std::string_view fileName);
