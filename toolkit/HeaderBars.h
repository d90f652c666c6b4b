// Bars of captions: the sectioned headers above columns and the status bar.
#pragma once

#include <memory>

#include "foundation/StringList.h"
#include "toolkit/Collections.h"
#include "toolkit/Controls.h"

// The older header: its sections are a plain list of names.
class THeader : public TWinControl {
  KORVA_CLASS(THeader, TWinControl)
 public:
  explicit THeader(TComponent* owner);

  TStrings* Sections() const { return sections_.get(); }
  void SetSections(const TStrings* sections);

 private:
  std::unique_ptr<TStrings> sections_ = std::make_unique<TStrings>();
};

class THeaderSection : public TCollectionItem {
  KORVA_CLASS(THeaderSection, TCollectionItem)
 public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class THeaderSections : public TTypedCollection<THeaderSection> {
  KORVA_CLASS(THeaderSections, TCollection)
 public:
  THeaderSection* AddSection(const std::string& text);
};

class THeaderControl : public TWinControl {
  KORVA_CLASS(THeaderControl, TWinControl)
 public:
  explicit THeaderControl(TComponent* owner);
  THeaderSections* Sections() const { return sections_.get(); }

 private:
  std::unique_ptr<THeaderSections> sections_ = std::make_unique<THeaderSections>();
};

class TStatusPanel : public TCollectionItem {
  KORVA_CLASS(TStatusPanel, TCollectionItem)
 public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TStatusPanels : public TTypedCollection<TStatusPanel> {
  KORVA_CLASS(TStatusPanels, TCollection)
 public:
  TStatusPanel* AddPanel(const std::string& text);
};

// Shows either its panels or, with SimplePanel, the one SimpleText across the whole bar.
class TStatusBar : public TWinControl {
  KORVA_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* owner);

  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool value);
  TStatusPanels* Panels() const { return panels_.get(); }

 private:
  std::string simpleText_;
  bool simplePanel_ = false;
  std::unique_ptr<TStatusPanels> panels_ = std::make_unique<TStatusPanels>();
};
