// Translating and collecting a list box and a tree view of N items: the time per item should not
// grow with N (100,000 items at most 12 times the time of 10,000). Translating switches between
// two languages whose texts sort differently, so a sorted tree is sorted again every time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "multilang/MLang.h"
#include "multilang/MemoryEditingTable.h"
#include "toolkit/Forms.h"
#include "toolkit/Kinds.h"

namespace {

// A window with three languages, language 1 shown, and `component` filled with n items.
struct Window {
  Window() {
    ml->SetLanguages(3);
    ml->SetActiveLanguage(1);
  }
  // The records of `count` texts for the component named `name`.
  void FillWords(const std::string& name, int count) {
    TStrings& words = *ml->Words();
    words.BeginUpdate();
    for (int i = 0; i < count; ++i) {
      words.Add(i == 0 ? name : "\"");
      words.Add("de " + std::to_string(i));
      words.Add("en " + std::to_string(count - i));
      words.Add("pl " + std::to_string(i));
    }
    words.EndUpdate();
  }
  TForm form{nullptr};
  TMultiLang* ml = new TMultiLang(&form);
};

TListBox* MakeListBox(Window& w, int n) {
  auto* list = new TListBox(&w.form);
  list->SetName("List1");
  list->Items()->BeginUpdate();
  for (int i = 0; i < n; ++i) list->Items()->Add("item " + std::to_string(i));
  list->Items()->EndUpdate();
  return list;
}

// Ten nodes on every level, as deep as n needs, added depth first as a tree is usually filled;
// sorted by text.
TTreeView* MakeTree(Window& w, int n) {
  auto* tree = new TTreeView(&w.form);
  tree->SetName("Tree1");
  TTreeNodes& nodes = *tree->Items();
  int depth = 1;
  for (long capacity = 10, level = 10; capacity < n; ++depth) capacity += level *= 10;
  int made = 0;
  auto fill = [&](auto& self, TTreeNode* parent, int levels) -> void {
    for (int i = 0; i < 10 && made < n; ++i) {
      TTreeNode* node = nodes.AddChild(parent, "node " + std::to_string(n - made++));
      if (levels > 1) self(self, node, levels - 1);
    }
  };
  fill(fill, nullptr, depth);
  tree->SetSortType(stText);
  return tree;
}

void BM_TranslateListBox(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Window w;
  MakeListBox(w, n);
  w.FillWords("List1", n);
  std::uint8_t language = 1;
  for (auto _ : state) {
    language = static_cast<std::uint8_t>(3 - language);
    w.ml->SetActiveLanguage(language);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_CollectListBox(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Window w;
  TListBox* list = MakeListBox(w, n);
  // One table, emptied each time: its growth is paid once, as by a caller that keeps it.
  MemoryEditingTable table(4);
  for (auto _ : state) {
    table.SetRowCount(0);
    table.SetRowCount(1);
    w.ml->CollectComponent(list, 0, &table);
    benchmark::DoNotOptimize(table.RowCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_TranslateTree(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Window w;
  MakeTree(w, n);
  w.FillWords("Tree1", n);
  std::uint8_t language = 1;
  for (auto _ : state) {
    language = static_cast<std::uint8_t>(3 - language);
    w.ml->SetActiveLanguage(language);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_CollectTree(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Window w;
  TTreeView* tree = MakeTree(w, n);
  // One table, emptied each time: its growth is paid once, as by a caller that keeps it.
  MemoryEditingTable table(4);
  for (auto _ : state) {
    table.SetRowCount(0);
    table.SetRowCount(1);
    w.ml->CollectComponent(tree, 0, &table);
    benchmark::DoNotOptimize(table.RowCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_TranslateListBox)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectListBox)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateTree)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectTree)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
