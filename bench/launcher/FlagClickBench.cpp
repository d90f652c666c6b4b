// A click on a flag to the repainted window, in-process: the language switch, storing the
// language, loading the header of the language, and painting the whole window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "controls/Image.h"
#include "foundation/Application.h"
#include "launcher/main_korva.h"
#include "multilang/MLang.h"
#include "toolkit/qt/QtBackend.h"

namespace {

void FlagClickToRepaint(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "flag_click_bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string temp = (std::filesystem::temp_directory_path() / "korva-bench-temp").string();
  std::filesystem::create_directories(temp);
  setenv("TEMP", temp.c_str(), 1);
  static QApplication app(argc, argv);
  QtToolkitBackend backend;
  SetToolkitBackend(&backend);
  RegisterToolkitClasses();
  RegisterControlClasses();
  RegisterMultiLangClasses();
  RegisterStartWindowClasses();
  Application().SetExeName("korvastart");
  auto window = std::make_unique<TfrmStartKorva>(nullptr);
  window->Show();
  QWidget* widget = WidgetOf(*window);
  widget->repaint();
  bool english = false;
  for (auto _ : state) {
    english = !english;
    if (english) window->Image3Click(window->Image3);
    else window->Image1Click(window->Image1);
    widget->repaint();  // paints the window and its child windows now
  }
  window.reset();
  SetToolkitBackend(nullptr);
}
BENCHMARK(FlagClickToRepaint)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
