// Controls that show a row of named tabs or pages: tab sets, tab controls and notebooks.
#pragma once

#include <memory>

#include "foundation/StringList.h"
#include "toolkit/Controls.h"

// A windowed control with a list of names, one of which is selected. The selection stays while
// its index exists, so renaming the tabs keeps the page the user is on.
class TNamedTabsControl : public TWinControl {
  KORVA_CLASS(TNamedTabsControl, TWinControl)
 public:
  explicit TNamedTabsControl(TComponent* owner);

  TStrings* Names() const { return names_.get(); }
  void SetNames(const TStrings* names);
  int Selected() const { return selected_; }
  void SetSelected(int index);
  // The selected name, or empty; setting it selects the first name that equals it
  // without regard to ASCII case (an unknown name changes nothing).
  std::string SelectedName() const;
  void SetSelectedName(const std::string& name);

  TNotifyEvent OnChange;

 private:
  std::unique_ptr<TStrings> names_ = std::make_unique<TStrings>();
  int selected_ = -1;
};

class TTabSet : public TNamedTabsControl {
  KORVA_CLASS(TTabSet, TNamedTabsControl)
 public:
  explicit TTabSet(TComponent* owner);
  TStrings* Tabs() const { return Names(); }
};

class TTabControl : public TNamedTabsControl {
  KORVA_CLASS(TTabControl, TNamedTabsControl)
 public:
  explicit TTabControl(TComponent* owner);
  TStrings* Tabs() const { return Names(); }
};

// Pages without tabs of their own; the page names choose the page shown.
class TNotebook : public TNamedTabsControl {
  KORVA_CLASS(TNotebook, TNamedTabsControl)
 public:
  explicit TNotebook(TComponent* owner);
  TStrings* Pages() const { return Names(); }
};

// Pages with a row of tabs that show the page names.
class TTabbedNotebook : public TNamedTabsControl {
  KORVA_CLASS(TTabbedNotebook, TNamedTabsControl)
 public:
  explicit TTabbedNotebook(TComponent* owner);
  TStrings* Pages() const { return Names(); }
};
