// The multi-language component placed on a window. It knows, kind by kind, where a component
// keeps its texts: TranslateComponent applies a component's records of Words for the active
// language, CollectComponent writes the same records into an editing table.
//
// The records of one component are its own record (key: its name), continuation records
// (key `"`) and at most one hint record (key `".Hint`). How many records a kind has and what
// each one holds is the kind table in MLang.cpp; translating and collecting read it alike.
#pragma once

#include "multilang/MLBase.h"

class TMultiLang : public TBaseMultiLang {
  KORVA_CLASS(TMultiLang, TBaseMultiLang)
 public:
  using TBaseMultiLang::TBaseMultiLang;

  // Applies the records starting at the key line `cursor` to `component` and leaves `cursor` at
  // the first record it did not consume. An error from a property setter ends the call with
  // `cursor` unchanged.
  void TranslateComponent(TComponent* component, int& cursor) override;
  // Writes the texts of `component` for the active language into `table`, its own record at
  // `row`, one row per record, growing the table by one row per record.
  void CollectComponent(TComponent* component, int row, EditingTable* table) override;
};

// Registers TMultiLang with the description reader.
void RegisterMultiLangClasses();
