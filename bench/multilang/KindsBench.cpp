// Translating and collecting a list box and a tree view of N items: the time per item should not
// grow with N (100,000 items at most 12 times the time of 10,000). Translating switches between
// two languages whose texts sort differently, so a sorted tree is sorted again every time. Also
// freeing a window of many controls.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/multilang/Ratio.h"
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

// A list box or a tree of n items in a window, with its records, translated between languages 1
// and 2 or collected for language 1.
struct Bench {
  Bench(int n, bool tree) {
    component = tree ? static_cast<TComponent*>(MakeTree(w, n)) : MakeListBox(w, n);
    w.FillWords(component->Name(), n);
  }
  void Translate(std::uint8_t language) { w.ml->SetActiveLanguage(static_cast<std::uint8_t>(1 + language)); }
  // One table, emptied each time: its growth is paid once, as by a caller that keeps it.
  void Collect() {
    table.SetRowCount(0);
    table.SetRowCount(1);
    w.ml->CollectComponent(component, 0, &table);
    benchmark::DoNotOptimize(table.RowCount());
  }
  Window w;
  TComponent* component;
  MemoryEditingTable table{4};
};

void BM_Translate(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)), state.range(1) != 0);
  std::uint8_t language = 0;
  for (auto _ : state) b.Translate(language ^= 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Collect(benchmark::State& state) {
  Bench b(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) b.Collect();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The growth the goal limits: 100,000 items against 10,000, both sides in turn in each iteration.
void BM_TranslateTenfold(benchmark::State& state) {
  Bench large(100000, state.range(0) != 0), small(10000, state.range(0) != 0);
  Ratio(
      state, [&](std::uint8_t l) { large.Translate(l); }, [&](std::uint8_t l) { small.Translate(l); }, 5);
}

void BM_CollectTenfold(benchmark::State& state) {
  Bench large(100000, state.range(0) != 0), small(10000, state.range(0) != 0);
  Ratio(
      state, [&](std::uint8_t) { large.Collect(); }, [&](std::uint8_t) { small.Collect(); }, 5);
}

// Freeing a window of n labels, as at the end of every run: linear like building it.
void BM_FreeWindow(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto* form = new TForm(nullptr);
    for (int i = 0; i < state.range(0); ++i) (new TLabel(form))->SetParent(form);
    state.ResumeTiming();
    delete form;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Second argument (first for the ratios): 0 for the list box, 1 for the tree.
BENCHMARK(BM_Translate)
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->ArgNames({"n", "tree"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Collect)
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->ArgNames({"n", "tree"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateTenfold)->Arg(0)->Arg(1)->ArgName("tree")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectTenfold)->Arg(0)->Arg(1)->ArgName("tree")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
