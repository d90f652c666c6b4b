#include "toolkit/StdCtrls.h"

#include <memory>

#include "toolkit/Backend.h"
#include "toolkit/TextLayout.h"

KORVA_IMPLEMENT_CLASS(TLabel, TGraphicControl) {
  c.Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, AlignmentNames());
  c.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  c.String("Caption", &TLabel::Caption, &TLabel::SetCaption);
  c.Integer("Color", &TLabel::Color, &TLabel::SetColor, ColorIdents());
  c.Object("Font", &TLabel::Font, &TLabel::SetFont);
  c.Enum("Layout", &TLabel::Layout, &TLabel::SetLayout, TextLayoutNames());
  c.Bool("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor);
  c.Bool("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont);
  c.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  c.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  c.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
  c.Event("OnClick", &TLabel::OnClick);
  c.Event("OnDblClick", &TLabel::OnDblClick);
  c.Event("OnMouseDown", &TLabel::OnMouseDown);
  c.Event("OnMouseEnter", &TLabel::OnMouseEnter);
  c.Event("OnMouseLeave", &TLabel::OnMouseLeave);
  c.Event("OnMouseUp", &TLabel::OnMouseUp);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::Changed() {
  Invalidate();
}

void TLabel::MeasureChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::LoadCompleted() {
  TGraphicControl::LoadCompleted();
  AdjustBounds();
}

// An auto-sized label takes the size of its caption as drawn: a line for every line of the text,
// or with word wrap the lines its present width breaks the text into. It keeps its left edge, a
// right-aligned one its right edge. An empty caption keeps the height of one line. While the
// label is being read from a description, and where nothing can measure text, it keeps its size.
void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading() || Destroying()) return;
  const ToolkitBackend* backend = CurrentToolkitBackend();
  const std::unique_ptr<FontMetrics> metrics = backend ? backend->MeasureFont(*Font()) : nullptr;
  if (!metrics) return;
  const std::string caption = Caption().empty() ? " " : Caption();
  const TRect extent =
      LayoutText(caption, {0, 0, wordWrap_ ? Width() : 0, 0}, TextFormat() | DT_CALCRECT, *metrics).extent;
  const int left = alignment_ == taRightJustify ? Left() + Width() - extent.Width() : Left();
  SetBounds(left, Top(), extent.Width(), extent.Height());
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed();
}

void TLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Changed();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  MeasureChanged();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  MeasureChanged();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  MeasureChanged();
}

void TLabel::TextChanged() {
  MeasureChanged();
}
void TLabel::FontChanged() {
  MeasureChanged();
}

unsigned TLabel::TextFormat() const {
  static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0u) | kAlign[alignment_] |
         (showAccelChar_ ? 0u : DT_NOPREFIX);
}

void TLabel::Paint(TCanvas& canvas) {
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush().Color = Color();
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(client);
  }
  canvas.Brush().Style = bsClear;
  canvas.Font().Assign(*Font());
  const unsigned format = TextFormat();
  // Vertical placement: measure the text block, then move it down within the label.
  TRect measured = client;
  canvas.DrawText(Caption(), measured, format | DT_CALCRECT);
  int dy = 0;
  if (layout_ == tlCenter)
    dy = (client.Height() - measured.Bottom) / 2;
  else if (layout_ == tlBottom)
    dy = client.Height() - measured.Bottom;
  TRect rect = client.Offset(0, dy);
  canvas.DrawText(Caption(), rect, format);
}
