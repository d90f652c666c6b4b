// Collecting a component's texts, turning the rows into Words, and translating them back gives
// every target its text again, for every kind.
#include <gtest/gtest.h>

#include <random>

#include "MLangWindow.h"
#include "multilang/MemoryEditingTable.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Kinds.h"
#include "toolkit/StdCtrls.h"

namespace {

// What a component is filled with.
class Contents {
 public:
  virtual ~Contents() = default;
  virtual int Count() = 0;  // of items, columns, nodes, ...
  virtual std::string Text() = 0;
  virtual std::string Hint() = 0;  // empty: none
  virtual int Pick(int n) = 0;     // 0 to n - 1
};

class FixedContents : public Contents {
 public:
  int Count() override { return 3; }
  std::string Text() override { return "text " + std::to_string(++n_); }
  std::string Hint() override { return "hint " + std::to_string(++n_); }
  int Pick(int n) override { return n - 1; }

 private:
  int n_ = 0;
};

// Random counts, texts that are often empty, hints present or not.
class RandomContents : public Contents {
 public:
  explicit RandomContents(unsigned seed) : random_(seed) {}
  int Count() override { return Pick(5); }
  std::string Text() override {
    std::string text(static_cast<size_t>(Pick(4) == 0 ? 0 : 1 + Pick(6)), ' ');
    for (char& ch : text) ch = "abcXYZ 0=|\""[Pick(11)];
    return text;
  }
  std::string Hint() override { return Pick(2) ? Text() : std::string(); }
  int Pick(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

 private:
  std::mt19937 random_;
};

// Every target is set to this before translating, so one that is not translated back shows.
const std::string kCleared = "#cleared#";

void Fill(TStrings& list, Contents& c) {
  for (int n = c.Count(); n > 0; --n) list.Add(c.Text());
}
void Blank(TStrings& list) {
  for (int i = 0; i < list.Count(); ++i) list.Put(i, kCleared);
}
void Blank(TCollection& items, const char* property) {
  for (int i = 0; i < items.Count(); ++i) WriteStringProperty(items.Item(i), property, kCleared);
}
void Append(Lines& out, const TStrings& list) {
  const Lines lines = list.ToVector();
  out.insert(out.end(), lines.begin(), lines.end());
}
void Append(Lines& out, const TCollection& items, const char* property) {
  for (int i = 0; i < items.Count(); ++i) out.push_back(ReadStringProperty(items.Item(i), property));
}
TStrings& StringsOf(const TComponent* c, const char* property) {
  return *static_cast<TStrings*>(ReadObjectProperty(c, property));
}

// A component without a caption or text of its own.
class TPictureStandIn : public TGraphicControl {
  KORVA_CLASS(TPictureStandIn, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
};
KORVA_IMPLEMENT_CLASS(TPictureStandIn, TGraphicControl) {}

struct Kind {
  std::string name;
  // Creates the component on `owner` and fills its texts and items, and its hint if it has one.
  std::function<TComponent*(TComponent* owner, Contents& c)> make;
  // Sets every target but the hint to kCleared, keeping counts, selection and sort order.
  std::function<void(TComponent*)> clear;
  // Every target but the hint, and what must survive besides.
  std::function<Lines(const TComponent*)> targets;
};

template <class K>
K* Make(TComponent* owner, Contents& c) {
  auto* k = new K(owner);
  if (HasProperty(k, "Hint")) WriteStringProperty(k, "Hint", c.Hint());
  return k;
}

// Kinds whose records are the strings of one list.
template <class K>
Kind StringsKind(const char* name, const char* p) {
  return {name,
          [p](TComponent* o, Contents& c) -> TComponent* {
            K* k = Make<K>(o, c);
            Fill(StringsOf(k, p), c);
            return k;
          },
          [p](TComponent* k) { Blank(StringsOf(k, p)); },
          [p](const TComponent* k) {
            Lines t;
            Append(t, StringsOf(k, p));
            return t;
          }};
}

// Kinds whose records are one text each of some properties.
template <class K>
Kind TextsKind(const char* name, std::vector<const char*> ps) {
  return {name,
          [ps](TComponent* o, Contents& c) -> TComponent* {
            K* k = Make<K>(o, c);
            for (const char* p : ps) WriteStringProperty(k, p, c.Text());
            return k;
          },
          [ps](TComponent* k) {
            for (const char* p : ps) WriteStringProperty(k, p, kCleared);
          },
          [ps](const TComponent* k) {
            Lines t;
            for (const char* p : ps) t.push_back(ReadStringProperty(k, p));
            return t;
          }};
}

// Combo boxes: items and a selection the translation must keep.
template <class K>
Kind ComboKind(const char* name) {
  return {name,
          [](TComponent* o, Contents& c) -> TComponent* {
            K* k = Make<K>(o, c);
            Fill(*k->Items(), c);
            if (HasProperty(k, "Text")) WriteStringProperty(k, "Text", c.Text());
            k->SetItemIndex(c.Pick(k->Items()->Count() + 1) - 1);
            return k;
          },
          [](TComponent* k) {
            auto* combo = static_cast<K*>(k);
            const int index = combo->ItemIndex();
            Blank(*combo->Items());
            combo->SetItemIndex(index);
          },
          [](const TComponent* k) {
            auto* combo = static_cast<const K*>(k);
            Lines t = combo->Items()->ToVector();
            t.push_back("index " + std::to_string(combo->ItemIndex()));
            t.push_back(combo->Text());
            return t;
          }};
}

template <class K>
Kind CaptionAndItemsKind(const char* name) {
  return {name,
          [](TComponent* o, Contents& c) -> TComponent* {
            K* k = Make<K>(o, c);
            k->SetCaption(c.Text());
            Fill(*k->Items(), c);
            return k;
          },
          [](TComponent* k) {
            static_cast<K*>(k)->SetCaption(kCleared);
            Blank(*static_cast<K*>(k)->Items());
          },
          [](const TComponent* k) {
            Lines t{static_cast<const K*>(k)->Caption()};
            Append(t, *static_cast<const K*>(k)->Items());
            return t;
          }};
}

const std::vector<Kind>& AllKinds() {
  static const std::vector<Kind> kinds = {
      StringsKind<TListBox>("TListBox", "Items"),
      {"TLabeledEdit",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TLabeledEdit>(o, c);
         k->EditLabel()->SetCaption(c.Text());
         k->SetText(c.Text());
         return k;
       },
       [](TComponent* k) { static_cast<TLabeledEdit*>(k)->EditLabel()->SetCaption(kCleared); },
       [](const TComponent* k) {
         auto* e = static_cast<const TLabeledEdit*>(k);
         return Lines{e->EditLabel()->Caption(), e->Text()};
       }},
      {"TComboBoxEx",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TComboBoxEx>(o, c);
         for (int n = c.Count(); n > 0; --n) k->ItemsEx()->AddItem(c.Text());
         k->SetText(c.Text());
         k->SetItemIndex(c.Pick(k->ItemsEx()->Count() + 1) - 1);
         return k;
       },
       [](TComponent* k) {
         auto* combo = static_cast<TComboBoxEx*>(k);
         const int index = combo->ItemIndex();
         Blank(*combo->ItemsEx(), "Caption");
         combo->SetText(kCleared);
         combo->SetItemIndex(index);
       },
       [](const TComponent* k) {
         auto* combo = static_cast<const TComboBoxEx*>(k);
         Lines t{combo->Text(), "index " + std::to_string(combo->ItemIndex())};
         Append(t, *combo->ItemsEx(), "Caption");
         return t;
       }},
      StringsKind<TDBListBox>("TDBListBox", "Items"),
      CaptionAndItemsKind<TDBRadioGroup>("TDBRadioGroup"),
      {"TDBGrid",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TDBGrid>(o, c);
         for (int n = c.Count(); n > 0; --n) {
           TColumn* column = k->Columns()->AddColumn("FIELD" + std::to_string(n));
           if (c.Pick(2)) column->Title()->SetCaption(c.Text());  // else the field's name shows
         }
         return k;
       },
       [](TComponent* k) {
         for (int i = 0; i < static_cast<TDBGrid*>(k)->Columns()->Count(); ++i)
           static_cast<TDBGrid*>(k)->Columns()->Item(i)->Title()->SetCaption(kCleared);
       },
       [](const TComponent* k) {
         Lines t;
         for (int i = 0; i < static_cast<const TDBGrid*>(k)->Columns()->Count(); ++i)
           t.push_back(static_cast<const TDBGrid*>(k)->Columns()->Item(i)->Title()->Caption());
         return t;
       }},
      ComboKind<TDBComboBox>("TDBComboBox"),
      {"TField",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TField>(o, c);
         k->SetFieldName("FIELD");
         k->SetDisplayLabel(c.Text());  // empty: the field name shows
         return k;
       },
       [](TComponent* k) { static_cast<TField*>(k)->SetDisplayLabel(kCleared); },
       [](const TComponent* k) { return Lines{static_cast<const TField*>(k)->DisplayLabel()}; }},
      {"TDBNavigator",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TDBNavigator>(o, c);
         Fill(*k->Hints(), c);
         return k;
       },
       [](TComponent* k) { Blank(*static_cast<TDBNavigator*>(k)->Hints()); },
       [](const TComponent* k) {
         Lines t;
         for (int b = 0; b < kNavigatorButtons; ++b)
           t.push_back(static_cast<const TDBNavigator*>(k)->ButtonHint(static_cast<TNavigateBtn>(b)));
         return t;
       }},
      TextsKind<TForm>("TForm", {"Caption"}),
      CaptionAndItemsKind<TRadioGroup>("TRadioGroup"),
      {"TMemo",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TMemo>(o, c);
         k->SetReadOnly(true);
         Fill(*k->Lines(), c);
         return k;
       },
       [](TComponent* k) { Blank(*static_cast<TMemo*>(k)->Lines()); },
       [](const TComponent* k) { return static_cast<const TMemo*>(k)->Lines()->ToVector(); }},
      {"TValueListEditor",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TValueListEditor>(o, c);
         for (int n = c.Count(); n > 0; --n) k->Strings()->Add(c.Text() + "=" + c.Text());
         return k;
       },
       [](TComponent* k) { Blank(*static_cast<TValueListEditor*>(k)->Strings()); },
       [](const TComponent* k) {
         auto* e = static_cast<const TValueListEditor*>(k);
         Lines t = e->Strings()->ToVector();
         t.push_back("rows " + std::to_string(e->RowCount()));
         return t;
       }},
      StringsKind<THeader>("THeader", "Sections"),
      StringsKind<TTabSet>("TTabSet", "Tabs"),
      StringsKind<TTabbedNotebook>("TTabbedNotebook", "Pages"),
      StringsKind<TNotebook>("TNotebook", "Pages"),
      StringsKind<TTabControl>("TTabControl", "Tabs"),
      {"TTreeView",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TTreeView>(o, c);
         for (int n = c.Count(); n > 0; --n) {
           TTreeNode* node = k->Items()->AddChild(nullptr, c.Text());
           for (int m = c.Count() / 2; m > 0; --m) k->Items()->AddChild(node, c.Text());
         }
         k->SetSortType(c.Pick(2) ? stText : stNone);
         return k;
       },
       [](TComponent* k) {
         auto* tree = static_cast<TTreeView*>(k);
         const TSortType sort = tree->SortType();
         tree->SetSortType(stNone);
         for (TTreeNode* node : tree->Items()->DepthFirst()) node->SetText(kCleared);
         tree->SetSortType(sort);
       },
       [](const TComponent* k) {
         auto* tree = static_cast<const TTreeView*>(k);
         Lines t{"sort " + std::to_string(tree->SortType())};
         for (const TTreeNode* node : tree->Items()->DepthFirst())
           t.push_back(std::to_string(node->Level()) + ":" + node->Text());
         return t;
       }},
      {"TListView",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TListView>(o, c);
         for (int n = c.Count(); n > 0; --n) k->Columns()->AddColumn(c.Text());
         for (int n = c.Count(); n > 0; --n) Fill(*k->Items()->Add(c.Text())->SubItems(), c);
         k->SetSortType(c.Pick(2) ? stText : stNone);
         return k;
       },
       [](TComponent* k) {
         auto* view = static_cast<TListView*>(k);
         const TSortType sort = view->SortType();
         view->SetSortType(stNone);
         Blank(*view->Columns(), "Caption");
         for (int i = 0; i < view->Items()->Count(); ++i) {
           view->Items()->Item(i)->SetCaption(kCleared);
           Blank(*view->Items()->Item(i)->SubItems());
         }
         view->SetSortType(sort);
       },
       [](const TComponent* k) {
         auto* view = static_cast<const TListView*>(k);
         Lines t{"sort " + std::to_string(view->SortType())};
         Append(t, *view->Columns(), "Caption");
         for (int i = 0; i < view->Items()->Count(); ++i) {
           t.push_back("item " + view->Items()->Item(i)->Caption());
           Append(t, *view->Items()->Item(i)->SubItems());
         }
         return t;
       }},
      {"TStatusBar",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TStatusBar>(o, c);
         k->SetSimpleText(c.Text());
         for (int n = c.Count(); n > 0; --n) k->Panels()->AddPanel(c.Text());
         return k;
       },
       [](TComponent* k) {
         static_cast<TStatusBar*>(k)->SetSimpleText(kCleared);
         Blank(*static_cast<TStatusBar*>(k)->Panels(), "Text");
       },
       [](const TComponent* k) {
         Lines t{static_cast<const TStatusBar*>(k)->SimpleText()};
         Append(t, *static_cast<const TStatusBar*>(k)->Panels(), "Text");
         return t;
       }},
      {"THeaderControl",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<THeaderControl>(o, c);
         for (int n = c.Count(); n > 0; --n) k->Sections()->AddSection(c.Text());
         return k;
       },
       [](TComponent* k) { Blank(*static_cast<THeaderControl*>(k)->Sections(), "Text"); },
       [](const TComponent* k) {
         Lines t;
         Append(t, *static_cast<const THeaderControl*>(k)->Sections(), "Text");
         return t;
       }},
      ComboKind<TComboBox>("TComboBox"),
      TextsKind<TFilterComboBox>("TFilterComboBox", {"Filter"}),
      TextsKind<TOpenDialog>("TOpenDialog", {"Title", "Filter"}),
      TextsKind<TSaveDialog>("TSaveDialog", {"Title", "Filter"}),
      TextsKind<TMenuItem>("TMenuItem", {"Caption"}),
      TextsKind<TLabel>("TLabel", {"Caption"}),
      TextsKind<TButton>("TButton", {"Caption"}),
      TextsKind<TPanel>("TPanel", {"Caption"}),
      {"TEdit read-only",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TEdit>(o, c);
         k->SetReadOnly(true);
         k->SetText(c.Text());
         return k;
       },
       [](TComponent* k) { static_cast<TEdit*>(k)->SetText(kCleared); },
       [](const TComponent* k) { return Lines{static_cast<const TEdit*>(k)->Text()}; }},
      TextsKind<TPictureStandIn>("picture", {}),
      // Not translated: only the hint goes through the table.
      {"TEdit editable",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TEdit>(o, c);
         k->SetText(c.Text());
         return k;
       },
       [](TComponent*) {}, [](const TComponent* k) { return Lines{static_cast<const TEdit*>(k)->Text()}; }},
      {"TButton with an action",
       [](TComponent* o, Contents& c) -> TComponent* {
         auto* k = Make<TButton>(o, c);
         k->SetCaption(c.Text());
         k->SetAction(o);  // any component will do as the action
         return k;
       },
       [](TComponent*) {},
       [](const TComponent* k) { return Lines{static_cast<const TButton*>(k)->Caption()}; }},
  };
  return kinds;
}

// A component that has a hint but got none must come back without one; one whose hint is not
// written back shows kCleared.
void ClearHint(TComponent* k) {
  if (HasProperty(k, "Hint")) WriteStringProperty(k, "Hint", kCleared);
}
Lines HintOf(const TComponent* k) {
  return HasProperty(k, "Hint") ? Lines{"hint " + ReadStringProperty(k, "Hint")} : Lines{};
}

// Places `kinds` on one window in order, collects them for `active`, clears them, switches the
// window to `active` and expects every target back. An empty hint is put back as it was, since
// an empty hint never clears one.
void RoundTrip(const std::vector<const Kind*>& kinds, Contents& contents, int active) {
  MLangWindow w(3, active);
  std::vector<TComponent*> components;
  for (const Kind* kind : kinds) {
    components.push_back(kind->make(&w.form, contents));
    components.back()->SetName("C" + std::to_string(components.size()));
  }
  MemoryEditingTable table(4);
  std::vector<Lines> expected;
  for (TComponent* c : components) {
    w.ml->CollectComponent(c, table.RowCount() - 1, &table);
    Lines t = kinds[expected.size()]->targets(c);
    const Lines hint = HintOf(c);
    t.insert(t.end(), hint.begin(), hint.end());
    expected.push_back(t);
  }
  table.AppendWords(*w.ml->Words(), 3);
  std::vector<std::string> emptyHints;
  for (size_t i = 0; i < components.size(); ++i) {
    kinds[i]->clear(components[i]);
    const bool noHint = HasProperty(components[i], "Hint") && expected[i].back() == "hint ";
    if (!noHint) ClearHint(components[i]);
  }
  w.ml->SetActiveLanguage(static_cast<std::uint8_t>(active));
  for (size_t i = 0; i < components.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "component " << i << ", " << kinds[i]->name);
    Lines t = kinds[i]->targets(components[i]);
    const Lines hint = HintOf(components[i]);
    t.insert(t.end(), hint.begin(), hint.end());
    EXPECT_EQ(t, expected[i]);
  }
}

TEST(RoundTrip, EveryKindGetsItsTextsItemsAndHintBack) {
  for (const Kind& kind : AllKinds()) {
    SCOPED_TRACE(kind.name);
    FixedContents contents;
    const Kind label = TextsKind<TLabel>("TLabel after it", {"Caption"});
    RoundTrip({&kind, &label}, contents, 1);
  }
}

TEST(RoundTrip, RandomWindowsOfRandomKindsComeBackWhole) {
  const auto& kinds = AllKinds();
  RandomContents contents(20240611);
  for (int window = 0; window < 250; ++window) {
    std::vector<const Kind*> chosen;
    for (int n = 0; n < 12; ++n)
      chosen.push_back(&kinds[static_cast<size_t>(contents.Pick(static_cast<int>(kinds.size())))]);
    RoundTrip(chosen, contents, contents.Pick(3));
    if (HasFailure()) {
      ADD_FAILURE() << "window " << window;
      return;
    }
  }
}

}  // namespace
