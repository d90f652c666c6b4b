#include "multilang/MLang.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Errors.h"
#include "foundation/StringList.h"
#include "foundation/Text.h"
#include "multilang/EditingTable.h"
#include "toolkit/Forms.h"
#include "toolkit/Kinds.h"

KORVA_IMPLEMENT_CLASS(TMultiLang, TBaseMultiLang) {}

void RegisterMultiLangClasses() {
  RegisterClass(TMultiLang::StaticClass());
}

namespace {

// Property names the engine reaches by name.
namespace prop {
constexpr std::string_view Caption = "Caption";
constexpr std::string_view Columns = "Columns";
constexpr std::string_view DisplayLabel = "DisplayLabel";
constexpr std::string_view EditLabel = "EditLabel";
constexpr std::string_view Filter = "Filter";
constexpr std::string_view Hint = "Hint";
constexpr std::string_view Hints = "Hints";
constexpr std::string_view ItemIndex = "ItemIndex";
constexpr std::string_view Items = "Items";
constexpr std::string_view ItemsEx = "ItemsEx";
constexpr std::string_view Lines = "Lines";
constexpr std::string_view Pages = "Pages";
constexpr std::string_view Panels = "Panels";
constexpr std::string_view Sections = "Sections";
constexpr std::string_view SimpleText = "SimpleText";
constexpr std::string_view SortType = "SortType";
constexpr std::string_view Strings = "Strings";
constexpr std::string_view SubItems = "SubItems";
constexpr std::string_view Tabs = "Tabs";
constexpr std::string_view Text = "Text";
constexpr std::string_view Title = "Title";
}  // namespace prop

constexpr std::string_view kFormKey = "%Form%";
constexpr std::string_view kContinuationKey = "\"";
constexpr std::string_view kHintKey = "\".Hint";
constexpr std::string_view kHintKeyLowerCase = "\".hint";

// Assertions name this unit and the lines below, so that reports stay comparable.
constexpr const char* kUnitName = "MLang";
constexpr int kNegativeCursorAssertLine = 2128;
constexpr int kMissingTableAssertLine = 4521;

void SetTextIfPublished(TObject* object, std::string_view property, const std::string& text) {
  if (HasProperty(object, property)) WriteStringProperty(object, property, text);
}

std::string GetTextIfPublished(const TObject* object, std::string_view property) {
  return HasProperty(object, property) ? ReadStringProperty(object, property) : std::string();
}

TStrings& StringsOf(const TObject* object, std::string_view property) {
  return As<TStrings>(ReadObjectProperty(object, property));
}

TCollection& CollectionOf(const TObject* object, std::string_view property) {
  return As<TCollection>(ReadObjectProperty(object, property));
}

// The nodes of a large tree lie scattered in memory. A walk through them in depth-first order asks
// for each node a few places ahead of the one in hand, so that it does not wait for memory node by
// node and its time per node stays the same however large the tree. (Always inlined: GCC takes a
// function that only prefetches for one without effects and drops the calls.)
[[gnu::always_inline]] inline void FetchAhead(const std::vector<TTreeNode*>& order, size_t at) {
  constexpr size_t kAhead = 16;
  if (at + kAhead >= order.size()) return;
  const char* node = reinterpret_cast<const char*>(order[at + kAhead]);
  __builtin_prefetch(node);
  __builtin_prefetch(node + 64);  // a node spans two cache lines
}

// Runs `apply` with the list's change notifications held back, so its control refreshes once
// after all its strings were replaced, however many there are; also when `apply` fails. (No
// destructor does this: a notification may fail, and a destructor must not.)
template <class List, class Apply>
void WithUpdatesHeld(List& list, Apply apply) {
  list.BeginUpdate();
  try {
    apply();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Translating: reads records at a working cursor for the active language.

class Translator {
 public:
  Translator(const TBaseMultiLang& ml, int cursor)
      : words_(*ml.Words()),
        languages_(ml.Languages()),
        active_(ml.ActiveLanguage()),
        default_(ml.DefaultLanguage()),
        defaultEnabled_(ml.DefaultEnabled()),
        cursor_(cursor) {}

  int Cursor() const { return cursor_; }
  const std::string& Text() const { return text_; }

  // The record at the cursor has its active-language line.
  bool Readable() const { return std::int64_t{cursor_} + 1 + active_ < words_.Count(); }

  // The record text rule: the active language's line, or the default language's line where that
  // one is empty and DefaultEnabled. Yields whether a record was consumed.
  bool ReadText() {
    if (!Readable()) return false;
    const std::string& text = words_.Get(cursor_ + 1 + active_);
    text_ = text.empty() && defaultEnabled_ ? words_.Get(Line(std::int64_t{cursor_} + 1 + default_)) : text;
    cursor_ = Line(std::int64_t{cursor_} + languages_ + 1);
    return true;
  }

  // A hint record at the cursor, consumed even when its text is empty; true only for a text.
  bool IsHintEntry() {
    return cursor_ < words_.Count() && AsciiLowerCase(words_.Get(cursor_)) == kHintKeyLowerCase &&
           ReadText() && !text_.empty();
  }

  // "One text": the next record, whatever its key, into the property.
  void OneText(TObject* target, std::string_view property) {
    if (ReadText()) SetTextIfPublished(target, property, text_);
  }

  // The first string from the record at the cursor whatever its key, the others from
  // continuation records; the strings without a record are emptied.
  void ApplyStrings(TStrings& list) {
    WithUpdatesHeld(list, [&] {
      ApplyStringsTo(list.Count(), [&list](int i, const std::string& text) { list.Put(i, text); });
    });
  }

  void ApplyComboExItems(TCollection& items) {
    WithUpdatesHeld(items, [&] {
      ApplyStringsTo(items.Count(), [&items](int i, const std::string& text) {
        WriteStringProperty(items.Item(i), prop::Caption, text);
      });
    });
  }

  // Targets taken one record each while the records last; the first from the record at the
  // cursor whatever its key, or only from a continuation record. Targets without a record keep
  // their texts.
  enum class First { AnyKey, ContinuationOnly };
  template <class Set>
  void ApplyTargets(int count, First first, Set set) {
    for (int i = 0; i < count; ++i) {
      if (!Readable()) return;
      if (i == 0 && first == First::ContinuationOnly && !AtContinuation()) return;
      if (ReadText()) set(i, text_);
      if (!AtContinuation()) return;
    }
  }

  void ApplyCollectionTexts(TCollection& items, std::string_view property, First first) {
    WithUpdatesHeld(items, [&] {
      ApplyTargets(items.Count(), first, [&](int i, const std::string& text) {
        WriteStringProperty(items.Item(i), property, text);
      });
    });
  }

  // The texts change with sorting off, so each node keeps the place it had when the records were
  // written; setting the sort order back sorts the tree again.
  void ApplyTreeNodes(TComponent* tree) {
    const std::int64_t sortType = ReadOrdinalProperty(tree, prop::SortType);
    WriteOrdinalProperty(tree, prop::SortType, stNone);
    // Node i in depth-first order. The order is a list of all nodes, kept until the tree's shape
    // changes, which changing texts with sorting off never does.
    const std::vector<TTreeNode*>& order = As<TTreeNodes>(ReadObjectProperty(tree, prop::Items)).DepthFirst();
    ApplyTargets(static_cast<int>(order.size()), First::AnyKey, [&](int i, const std::string& text) {
      FetchAhead(order, static_cast<size_t>(i));
      WriteStringProperty(order[static_cast<size_t>(i)], prop::Text, text);
    });
    WriteOrdinalProperty(tree, prop::SortType, sortType);
  }

  // Columns, then the items with their sub-items, sorting off while the captions change. A list
  // view without columns keeps its first item in its own record (that is how it is collected),
  // so while no record has been consumed the first item is taken from the record at the cursor
  // whatever its key; otherwise only from a continuation record.
  void ApplyListView(TComponent* view) {
    const int ownRecord = cursor_;
    ApplyCollectionTexts(CollectionOf(view, prop::Columns), prop::Caption, First::AnyKey);
    const std::int64_t sortType = ReadOrdinalProperty(view, prop::SortType);
    WriteOrdinalProperty(view, prop::SortType, stNone);
    auto& items = As<TListItems>(ReadObjectProperty(view, prop::Items));
    const First first = cursor_ == ownRecord ? First::AnyKey : First::ContinuationOnly;
    ApplyTargets(items.Count(), first, [&](int i, const std::string& text) {
      TListItem* item = items.Item(i);
      WriteStringProperty(item, prop::Caption, text);
      ApplyStrings(StringsOf(item, prop::SubItems));
    });
    WriteOrdinalProperty(view, prop::SortType, sortType);
  }

  // Reads hint lines while continuation records follow; the hints are replaced as a whole.
  void ApplyNavigatorHints(TComponent* navigator) {
    if (!Readable()) return;
    TStrings hints;
    while (true) {
      if (!ReadText()) {
        hints.Add(std::string());
        break;
      }
      hints.Add(text_);
      if (!AtContinuation()) break;
    }
    StringsOf(navigator, prop::Hints).Assign(hints);
  }

 private:
  bool AtContinuation() const { return cursor_ < words_.Count() && words_.Get(cursor_) == kContinuationKey; }

  // A line index; beyond an int it cannot exist, and Get reports it as out of bounds.
  static int Line(std::int64_t index) {
    return static_cast<int>(std::min<std::int64_t>(index, std::numeric_limits<int>::max()));
  }

  template <class Set>
  void ApplyStringsTo(int count, Set set) {
    if (!Readable() || count == 0) return;
    int i = 0;
    do {
      if (ReadText()) set(i, text_);
      ++i;
    } while (AtContinuation() && i != count);
    for (; i < count; ++i) set(i, std::string());
  }

  const TStrings& words_;
  const int languages_;
  const int active_;
  const int default_;
  const bool defaultEnabled_;
  int cursor_;
  std::string text_;
};

// ---------------------------------------------------------------------------------------------
// Collecting: writes records into an editing table for the active language.

class Collector {
 public:
  Collector(EditingTable& table, int row, int active) : table_(table), row_(row), active_(active) {}

  int Row() const { return row_; }

  // A continuation record holding `text` in the active language's column; the table grows by one
  // empty row.
  void AddRow(const std::string& text) {
    table_.SetCell(0, row_, std::string(kContinuationKey));
    table_.SetCell(active_ + 1, row_, text);
    ++row_;
    const int n = table_.RowCount();
    table_.SetRowCount(n + 1);
    for (int col = 0; col < table_.ColCount(); ++col) table_.SetCell(col, n, std::string());
  }

  void AddHint(const std::string& hint) {
    if (hint.empty()) return;
    AddRow(hint);
    table_.SetCell(0, row_ - 1, std::string(kHintKey));
  }

  void AddText(const TObject* source, std::string_view property) {
    AddRow(GetTextIfPublished(source, property));
  }

  void AddStrings(const TStrings& list) {
    for (int i = 0; i < list.Count(); ++i) AddRow(list.Get(i));
  }

  void AddCollectionTexts(const TCollection& items, std::string_view property) {
    for (int i = 0; i < items.Count(); ++i) AddRow(ReadStringProperty(items.Item(i), property));
  }

  void AddTreeNodes(const TComponent* tree) {
    const TTreeNodes& nodes = As<TTreeNodes>(ReadObjectProperty(tree, prop::Items));
    const std::vector<TTreeNode*>& order = nodes.DepthFirst();
    for (size_t i = 0; i < order.size(); ++i) {
      FetchAhead(order, i);
      AddRow(ReadStringProperty(order[i], prop::Text));
    }
  }

  void AddListView(const TComponent* view) {
    AddCollectionTexts(CollectionOf(view, prop::Columns), prop::Caption);
    const auto& items = As<TListItems>(ReadObjectProperty(view, prop::Items));
    for (int i = 0; i < items.Count(); ++i) {
      const TListItem* item = items.Item(i);
      AddRow(ReadStringProperty(item, prop::Caption));
      AddStrings(StringsOf(item, prop::SubItems));
    }
  }

  void MarkLastAs(std::string_view key) { table_.SetCell(0, row_ - 1, std::string(key)); }

 private:
  EditingTable& table_;
  int row_;
  const int active_;
};

// ---------------------------------------------------------------------------------------------
// The kind table: the first row whose kind the component is wins. Each row reads in translating
// exactly the records it writes in collecting, in the same order.

template <class K>
bool IsKind(const TObject* object) {
  return Is<K>(object);
}

struct KindRow {
  bool (*translates)(const TObject*);
  bool (*collects)(const TObject*);
  void (*translate)(Translator&, TComponent*);
  void (*collect)(Collector&, TComponent*);
};

template <class K>
constexpr KindRow Row(void (*translate)(Translator&, TComponent*), void (*collect)(Collector&, TComponent*)) {
  return {&IsKind<K>, &IsKind<K>, translate, collect};
}

// Rows whose records are the strings of one list.
template <class K, const std::string_view& Property>
constexpr KindRow StringsRow() {
  return Row<K>([](Translator& t, TComponent* c) { t.ApplyStrings(StringsOf(c, Property)); },
                [](Collector& k, TComponent* c) { k.AddStrings(StringsOf(c, Property)); });
}

// Combo boxes whose selection the replaced items would lose.
template <class K>
constexpr KindRow SelectionKeepingStringsRow() {
  return Row<K>(
      [](Translator& t, TComponent* c) {
        const std::int64_t index = ReadOrdinalProperty(c, prop::ItemIndex);
        t.ApplyStrings(StringsOf(c, prop::Items));
        WriteOrdinalProperty(c, prop::ItemIndex, index);
      },
      [](Collector& k, TComponent* c) { k.AddStrings(StringsOf(c, prop::Items)); });
}

// Rows of a caption and then the strings of Items (radio groups).
template <class K>
constexpr KindRow CaptionAndItemsRow() {
  return Row<K>(
      [](Translator& t, TComponent* c) {
        t.OneText(c, prop::Caption);
        t.ApplyStrings(StringsOf(c, prop::Items));
      },
      [](Collector& k, TComponent* c) {
        k.AddText(c, prop::Caption);
        k.AddStrings(StringsOf(c, prop::Items));
      });
}

// Rows of one text in one property.
template <class K, const std::string_view& Property>
constexpr KindRow OneTextRow() {
  return Row<K>([](Translator& t, TComponent* c) { t.OneText(c, Property); },
                [](Collector& k, TComponent* c) { k.AddText(c, Property); });
}

const KindRow kKindTable[] = {
    StringsRow<TListBox, prop::Items>(),
    Row<TLabeledEdit>(
        [](Translator& t, TComponent* c) {
          if (t.ReadText())
            SetTextIfPublished(ReadObjectProperty(c, prop::EditLabel), prop::Caption, t.Text());
        },
        [](Collector& k, TComponent* c) {
          k.AddText(ReadObjectProperty(c, prop::EditLabel), prop::Caption);
        }),
    Row<TComboBoxEx>(
        [](Translator& t, TComponent* c) {
          const std::int64_t index = ReadOrdinalProperty(c, prop::ItemIndex);
          t.OneText(c, prop::Text);
          t.ApplyComboExItems(CollectionOf(c, prop::ItemsEx));
          WriteOrdinalProperty(c, prop::ItemIndex, index);
        },
        [](Collector& k, TComponent* c) {
          k.AddText(c, prop::Text);
          k.AddCollectionTexts(CollectionOf(c, prop::ItemsEx), prop::Caption);
        }),
    StringsRow<TDBListBox, prop::Items>(),
    CaptionAndItemsRow<TDBRadioGroup>(),
    Row<TDBGrid>(
        [](Translator& t, TComponent* c) {
          TCollection& columns = CollectionOf(c, prop::Columns);
          WithUpdatesHeld(columns, [&] {
            t.ApplyTargets(
                columns.Count(), Translator::First::AnyKey, [&columns](int i, const std::string& text) {
                  WriteStringProperty(ReadObjectProperty(columns.Item(i), prop::Title), prop::Caption, text);
                });
          });
        },
        [](Collector& k, TComponent* c) {
          const TCollection& columns = CollectionOf(c, prop::Columns);
          for (int i = 0; i < columns.Count(); ++i)
            k.AddRow(ReadStringProperty(ReadObjectProperty(columns.Item(i), prop::Title), prop::Caption));
        }),
    SelectionKeepingStringsRow<TDBComboBox>(),
    OneTextRow<TField, prop::DisplayLabel>(),
    Row<TDBNavigator>([](Translator& t, TComponent* c) { t.ApplyNavigatorHints(c); },
                      [](Collector& k, TComponent* c) { k.AddStrings(StringsOf(c, prop::Hints)); }),
    // Any form translates; a form is collected as TForm.
    {&IsKind<TCustomForm>, &IsKind<TForm>, [](Translator& t, TComponent* c) { t.OneText(c, prop::Caption); },
     [](Collector& k, TComponent* c) {
       k.AddText(c, prop::Caption);
       k.MarkLastAs(kFormKey);
     }},
    CaptionAndItemsRow<TRadioGroup>(),
    StringsRow<TMemo, prop::Lines>(),
    // The editor adjusts its rows to its strings and repaints on its own.
    StringsRow<TValueListEditor, prop::Strings>(),
    StringsRow<THeader, prop::Sections>(),
    StringsRow<TTabSet, prop::Tabs>(),
    StringsRow<TTabbedNotebook, prop::Pages>(),
    StringsRow<TNotebook, prop::Pages>(),
    StringsRow<TTabControl, prop::Tabs>(),
    Row<TTreeView>([](Translator& t, TComponent* c) { t.ApplyTreeNodes(c); },
                   [](Collector& k, TComponent* c) { k.AddTreeNodes(c); }),
    Row<TListView>([](Translator& t, TComponent* c) { t.ApplyListView(c); },
                   [](Collector& k, TComponent* c) { k.AddListView(c); }),
    Row<TStatusBar>(
        [](Translator& t, TComponent* c) {
          t.OneText(c, prop::SimpleText);
          t.ApplyCollectionTexts(CollectionOf(c, prop::Panels), prop::Text,
                                 Translator::First::ContinuationOnly);
        },
        [](Collector& k, TComponent* c) {
          k.AddText(c, prop::SimpleText);
          k.AddCollectionTexts(CollectionOf(c, prop::Panels), prop::Text);
        }),
    Row<THeaderControl>(
        [](Translator& t, TComponent* c) {
          t.ApplyCollectionTexts(CollectionOf(c, prop::Sections), prop::Text, Translator::First::AnyKey);
        },
        [](Collector& k, TComponent* c) {
          k.AddCollectionTexts(CollectionOf(c, prop::Sections), prop::Text);
        }),
    SelectionKeepingStringsRow<TComboBox>(),
    OneTextRow<TFilterComboBox, prop::Filter>(),
    Row<TOpenDialog>(
        [](Translator& t, TComponent* c) {
          t.OneText(c, prop::Title);
          t.OneText(c, prop::Filter);
        },
        [](Collector& k, TComponent* c) {
          k.AddText(c, prop::Title);
          k.AddText(c, prop::Filter);
        }),
    OneTextRow<TMenuItem, prop::Caption>(),
    // Any other kind: its Caption, then its Text, as far as it has them.
    {&IsKind<TObject>, &IsKind<TObject>,
     [](Translator& t, TComponent* c) {
       if (HasProperty(c, prop::Caption)) t.OneText(c, prop::Caption);
       if (HasProperty(c, prop::Text)) t.OneText(c, prop::Text);
     },
     [](Collector& k, TComponent* c) {
       if (HasProperty(c, prop::Caption)) k.AddText(c, prop::Caption);
       if (HasProperty(c, prop::Text)) k.AddText(c, prop::Text);
     }},
};

}  // namespace

void TMultiLang::TranslateComponent(TComponent* component, int& cursor) {
  ApplyPositions(component, cursor);
  if (cursor < 0) AssertionFailure("Assertion failure", kUnitName, kNegativeCursorAssertLine);
  Translator t(*this, cursor);
  if (IsTranslatable(component)) {
    for (const KindRow& row : kKindTable) {
      if (row.translates(component)) {
        row.translate(t, component);
        break;
      }
    }
  }
  // Nothing consumed: the own record is stepped over, so the walk always moves on.
  if (t.Cursor() == cursor) t.ReadText();
  if (HasProperty(component, prop::Hint) && t.IsHintEntry())
    SetTextIfPublished(component, prop::Hint, t.Text());
  cursor = t.Cursor();
}

void TMultiLang::CollectComponent(TComponent* component, int row, EditingTable* table) {
  CapturePositions(component, row);
  if (!table) AssertionFailure("Assertion failure", kUnitName, kMissingTableAssertLine);
  Collector k(*table, row, ActiveLanguage());
  if (IsTranslatable(component)) {
    for (const KindRow& kind : kKindTable) {
      if (kind.collects(component)) {
        kind.collect(k, component);
        break;
      }
    }
  }
  if (HasProperty(component, prop::Hint)) {
    const std::string hint = ReadStringProperty(component, prop::Hint);
    // A hint needs an own record before it, even an empty one, which translating steps over.
    if (k.Row() == row && !hint.empty()) k.AddRow(std::string());
    k.AddHint(hint);
  }
  if (k.Row() == row) return;
  // The window itself keeps "%Form%": the language switch applies the window's caption only
  // from that record, while under the window's name the record would name no component the
  // window owns and be stepped over. Any other component, a form among them, goes by its name.
  table->SetCell(0, row, component == Owner() ? std::string(kFormKey) : component->Name());
}
