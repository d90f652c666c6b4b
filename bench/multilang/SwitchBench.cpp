// The language switch on a form of N labels with one record each, against the floor of writing the
// same captions by name on labels already in hand, and with per-language positions switched on.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/multilang/Ratio.h"
#include "foundation/Component.h"
#include "foundation/MessageBoxes.h"
#include "multilang/MLBase.h"

namespace {

class TBenchFont : public TPersistent {
  KORVA_CLASS(TBenchFont, TPersistent)
 public:
  std::string Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int Charset() const { return charset_; }
  void SetCharset(int v) { charset_ = v; }

 private:
  std::string name_ = "MS Sans Serif";
  int charset_ = 1;
};
KORVA_IMPLEMENT_CLASS(TBenchFont, TPersistent) {
  c.String("Name", &TBenchFont::Name, &TBenchFont::SetName);
  c.Integer("Charset", &TBenchFont::Charset, &TBenchFont::SetCharset);
}

class TBenchControl : public TComponent {
  KORVA_CLASS(TBenchControl, TComponent)
 public:
  using TComponent::TComponent;
  int Left() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  int Top() const { return top_; }
  void SetTop(int v) { top_ = v; }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int Height() const { return height_; }
  void SetHeight(int v) { height_ = v; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  std::string Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }

 private:
  int left_ = 8, top_ = 16, width_ = 120, height_ = 24;
  std::string caption_, hint_;
};
KORVA_IMPLEMENT_CLASS(TBenchControl, TComponent) {
  c.Integer("Left", &TBenchControl::Left, &TBenchControl::SetLeft);
  c.Integer("Top", &TBenchControl::Top, &TBenchControl::SetTop);
  c.Integer("Width", &TBenchControl::Width, &TBenchControl::SetWidth);
  c.Integer("Height", &TBenchControl::Height, &TBenchControl::SetHeight);
  c.String("Caption", &TBenchControl::Caption, &TBenchControl::SetCaption);
  c.String("Hint", &TBenchControl::Hint, &TBenchControl::SetHint);
}

class TBenchForm : public TBenchControl {
  KORVA_CLASS(TBenchForm, TBenchControl)
 public:
  using TBenchControl::TBenchControl;
  TBenchFont* Font() const { return font_.get(); }

 private:
  std::unique_ptr<TBenchFont> font_ = std::make_unique<TBenchFont>();
};
KORVA_IMPLEMENT_CLASS(TBenchForm, TBenchControl) {
  c.Object("Font", &TBenchForm::Font);
}

// The path a one-text component takes: its position, the translatable test, its caption by name,
// the hint test.
class TBenchMultiLang : public TBaseMultiLang {
  KORVA_CLASS(TBenchMultiLang, TBaseMultiLang)
 public:
  using TBaseMultiLang::TBaseMultiLang;
  void TranslateComponent(TComponent* component, int& cursor) override {
    ApplyPositions(component, cursor);
    if (cursor + 1 + ActiveLanguage() >= Words()->Count()) return;
    const std::string text = RecordText(cursor);
    if (IsTranslatable(component)) SetTextIfPublished(component, "Caption", text);
    cursor += Languages() + 1;
    if (cursor < Words()->Count() && Words()->Get(cursor) == "\".Hint" && HasProperty(component, "Hint"))
      cursor += Languages() + 1;
  }
  void CollectComponent(TComponent*, int, EditingTable*) override {}
};
KORVA_IMPLEMENT_CLASS(TBenchMultiLang, TBaseMultiLang) {}

struct BenchWindow {
  explicit BenchWindow(int n, TSwitchPositions mode) {
    ml = new TBenchMultiLang(&form);
    for (int i = 0; i < n; ++i) {
      // Named before it joins the form: the owner's name check would make building quadratic.
      auto* label = new TBenchControl(nullptr);
      label->SetName("Label" + std::to_string(i));
      form.InsertComponent(label);
      labels.push_back(label);
      for (const std::string& line :
           {label->Name(), "Text " + std::to_string(i), "Tekst " + std::to_string(i)})
        ml->Words()->Add(line);
    }
    ml->SetSwitchPositions(mode);
    ml->SetActiveLanguage(0);  // the first switch fills the per-language lists
  }
  TBenchForm form{nullptr};
  TBenchMultiLang* ml;
  std::vector<TBenchControl*> labels;
};

void Switch(BenchWindow& window, std::uint8_t language) {
  window.ml->SetActiveLanguage(language);
}

// The floor: the same captions written by name on the labels in hand.
void WriteCaptions(BenchWindow& window, std::uint8_t language) {
  const TStrings& words = *window.ml->Words();
  for (size_t i = 0; i < window.labels.size(); ++i)
    WriteStringProperty(window.labels[i], "Caption", words.Get(static_cast<int>(3 * i + 1) + language));
}

void BM_Switch(benchmark::State& state) {
  BenchWindow window(static_cast<int>(state.range(0)), spNone);
  std::uint8_t language = 0;
  for (auto _ : state) Switch(window, language ^= 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WriteCaptions(benchmark::State& state) {
  BenchWindow window(static_cast<int>(state.range(0)), spNone);
  std::uint8_t language = 0;
  for (auto _ : state) WriteCaptions(window, language ^= 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SwitchControlsOnly(benchmark::State& state) {
  BenchWindow window(static_cast<int>(state.range(0)), spControlsOnly);
  std::uint8_t language = 0;
  for (auto _ : state) Switch(window, language ^= 1);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The switch against the floor, on the same form.
void BM_SwitchOverFloor(benchmark::State& state) {
  BenchWindow window(static_cast<int>(state.range(0)), spNone);
  Ratio(
      state, [&](std::uint8_t l) { Switch(window, l); }, [&](std::uint8_t l) { WriteCaptions(window, l); });
}

// Positions of the controls switched along against none.
void BM_ControlsOnlyOverNone(benchmark::State& state) {
  BenchWindow positioned(static_cast<int>(state.range(0)), spControlsOnly);
  BenchWindow plain(static_cast<int>(state.range(0)), spNone);
  Ratio(
      state, [&](std::uint8_t l) { Switch(positioned, l); }, [&](std::uint8_t l) { Switch(plain, l); }, 5);
}

// Ten times the labels against the one size, for linear growth.
void BM_TenTimesTheLabels(benchmark::State& state) {
  BenchWindow large(static_cast<int>(state.range(0)) * 10, spNone);
  BenchWindow small(static_cast<int>(state.range(0)), spNone);
  Ratio(
      state, [&](std::uint8_t l) { Switch(large, l); }, [&](std::uint8_t l) { Switch(small, l); }, 5);
}

BENCHMARK(BM_Switch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCaptions)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchControlsOnly)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchOverFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ControlsOnlyOverNone)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenTimesTheLabels)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
