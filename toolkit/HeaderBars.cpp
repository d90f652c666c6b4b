#include "toolkit/HeaderBars.h"

#include "toolkit/KindSupport.h"

KORVA_IMPLEMENT_CLASS(THeader, TWinControl) {
  PublishLook(c);
  PublishClicks(c);
  c.Object("Sections", &THeader::Sections, &THeader::SetSections);
}

KORVA_IMPLEMENT_CLASS(THeaderSection, TCollectionItem) {
  c.Enum("Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment, AlignmentNames());
  c.String("Text", &THeaderSection::Text, &THeaderSection::SetText);
  c.Integer("Width", &THeaderSection::Width, &THeaderSection::SetWidth);
}

KORVA_IMPLEMENT_CLASS(THeaderSections, TCollection) {}

KORVA_IMPLEMENT_CLASS(THeaderControl, TWinControl) {
  PublishLook(c);
  PublishClicks(c);
  c.Object("Sections", &THeaderControl::Sections);
}

KORVA_IMPLEMENT_CLASS(TStatusPanel, TCollectionItem) {
  c.Enum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, AlignmentNames());
  c.String("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  c.Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

KORVA_IMPLEMENT_CLASS(TStatusPanels, TCollection) {}

KORVA_IMPLEMENT_CLASS(TStatusBar, TWinControl) {
  PublishLook(c);
  PublishClicks(c);
  c.Object("Panels", &TStatusBar::Panels);
  c.Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
  c.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
}

THeader::THeader(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 250, 25);
  sections_->OnChange = [this] { Invalidate(); };
}

void THeader::SetSections(const TStrings* sections) {
  sections ? sections_->Assign(*sections) : sections_->Clear();
}

void THeaderSection::SetText(const std::string& text) {
  AssignChanged(text_, text, [this] { Changed(); });
}

void THeaderSection::SetWidth(int width) {
  AssignChanged(width_, width < 0 ? 0 : width, [this] { Changed(); });
}

void THeaderSection::SetAlignment(TAlignment value) {
  AssignChanged(alignment_, value, [this] { Changed(); });
}

THeaderSection* THeaderSections::AddSection(const std::string& text) {
  THeaderSection* section = Add();
  section->SetText(text);
  return section;
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 250, 17);
  sections_->OnChange = [this] { Invalidate(); };
}

void TStatusPanel::SetText(const std::string& text) {
  AssignChanged(text_, text, [this] { Changed(); });
}

void TStatusPanel::SetWidth(int width) {
  AssignChanged(width_, width < 0 ? 0 : width, [this] { Changed(); });
}

void TStatusPanel::SetAlignment(TAlignment value) {
  AssignChanged(alignment_, value, [this] { Changed(); });
}

TStatusPanel* TStatusPanels::AddPanel(const std::string& text) {
  TStatusPanel* panel = Add();
  panel->SetText(text);
  return panel;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 250, 19);
  SetAlign(alBottom);
  panels_->OnChange = [this] {
    if (!simplePanel_) Invalidate();
  };
}

void TStatusBar::SetSimpleText(const std::string& text) {
  AssignChanged(simpleText_, text, [this] {
    if (simplePanel_) Invalidate();
  });
}

void TStatusBar::SetSimplePanel(bool value) {
  AssignChanged(simplePanel_, value, [this] { Invalidate(); });
}
