// A two-column grid of key=value lines.
#pragma once

#include <memory>

#include "foundation/StringList.h"
#include "toolkit/Controls.h"

enum TDisplayOption : unsigned {
  doColumnTitles = 1u << 0,
  doAutoColResize = 1u << 1,
  doKeyColFixed = 1u << 2
};
using TDisplayOptions = unsigned;

class TValueListEditor : public TWinControl {
  KORVA_CLASS(TValueListEditor, TWinControl)
 public:
  explicit TValueListEditor(TComponent* owner);

  // Whole "key=value" lines, one per row below the title row.
  TStrings* Strings() const { return strings_.get(); }
  void SetStrings(const TStrings* strings);
  TStrings* TitleCaptions() const { return titleCaptions_.get(); }
  void SetTitleCaptions(const TStrings* captions);
  TDisplayOptions DisplayOptions() const { return displayOptions_; }
  void SetDisplayOptions(TDisplayOptions value);

  // The title row (with doColumnTitles) and one row per line; an editor without lines still
  // shows one empty row.
  int RowCount() const { return rowCount_; }
  int FixedRows() const { return (displayOptions_ & doColumnTitles) ? 1 : 0; }
  // The key and value of a line (text before and after its first "=").
  std::string Key(int line) const;
  std::string Value(int line) const;

 private:
  void StringsChanged();
  std::unique_ptr<TStrings> strings_ = std::make_unique<TStrings>();
  std::unique_ptr<TStrings> titleCaptions_ = std::make_unique<TStrings>(TStrings{"Key", "Value"});
  TDisplayOptions displayOptions_ = doColumnTitles | doAutoColResize | doKeyColFixed;
  int rowCount_ = 2;
};
