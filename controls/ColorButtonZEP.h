// A push button that draws all of itself: a picture stretched over the whole button and the
// caption on top, in a normal look and a highlighted look while the pointer is over it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/Bitmap.h"
#include "toolkit/Controls.h"

// Vertical placement of the button's caption (DrawText has no bottom placement for it).
enum class TLayout : std::uint8_t { tlTop, tlCenter };

class TColorButtonZEP : public TCustomControl {
  KORVA_CLASS(TColorButtonZEP, TCustomControl)
 public:
  static constexpr TColor kDefaultColor2 = 9946499;  // red 131, green 197, blue 151

  explicit TColorButtonZEP(TComponent* owner);
  ~TColorButtonZEP() override;

  // True from a mouse-enter notification until the next mouse-leave: the highlighted look.
  bool MouseOver() const { return mouseOver_; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TLayout Layout() const { return layout_; }
  void SetLayout(TLayout value);
  bool SingleLine() const { return singleLine_; }
  void SetSingleLine(bool value);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  // Kept with the button for its users; the button itself never reads these files.
  const std::string& FileNameOver() const { return fileNameOver_; }
  void SetFileNameOver(const std::string& value);
  const std::string& FileNameNotOver() const { return fileNameNotOver_; }
  void SetFileNameNotOver(const std::string& value);
  TColor Color1() const { return color1_; }
  void SetColor1(TColor value);
  TColor Color2() const { return color2_; }
  void SetColor2(TColor value);
  // The button's own pictures. Setting one copies the given picture (null empties it); the
  // caller keeps its own.
  TBitmap* Bitmap1() const { return bitmap1_.get(); }
  void SetBitmap1(TBitmap* value);
  TBitmap* Bitmap2() const { return bitmap2_.get(); }
  void SetBitmap2(TBitmap* value);

  // The DrawText format of the caption.
  unsigned TextFormat() const;
  void Paint(TCanvas& canvas) override;

  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override;
  void Dispatch(TMessage& message) override;

 protected:
  void FocusEnter() override;
  void FocusExit() override;

 private:
  void CopyPicture(TBitmap& own, const TBitmap* value);

  bool mouseOver_ = false;
  TAlignment alignment_ = taCenter;
  TLayout layout_ = TLayout::tlCenter;
  bool singleLine_ = true;
  std::string fileNameOver_;
  std::string fileNameNotOver_;
  TColor color1_ = clWhite;
  TColor color2_ = kDefaultColor2;
  std::unique_ptr<TBitmap> bitmap1_ = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> bitmap2_ = std::make_unique<TBitmap>();
};
