// The program: start-up in its fixed order, the event loop, and the exit code.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "controls/Image.h"
#include "foundation/Application.h"
#include "foundation/MessageBoxes.h"
#include "launcher/FileRoutines.h"
#include "launcher/main_korva.h"
#include "multilang/MLang.h"
#include "platform/winapi.h"
#include "toolkit/qt/QtBackend.h"

namespace {

// Module start-up: COM for the main thread, before any window exists. Its result is not
// examined and it has no matching release.
struct ModuleStartup {
  ModuleStartup() { CoInitialize(nullptr); }
} const moduleStartup;

bool EnvironmentIs(const char* name, const char* value) {
  const char* actual = std::getenv(name);
  return actual && std::string(actual) == value;
}

}  // namespace

int main(int argc, char** argv) {
  // The program takes no arguments of its own; Qt sees only the program name.
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication qt(qtArgc, argv);
  // The program icon, for the window and the application (its boxes too).
  QIcon icon;
  for (const char* size : {"16", "32", "48"})
    icon.addFile(QStringLiteral(":/icon/program_icon_%1.png").arg(size));
  QApplication::setWindowIcon(icon);

  // The application object: its title from the program file, COM once more (released at the end).
  Application().SetExeName(GetProgramFile());
  const HRESULT com = CoInitialize(nullptr);
  const bool releaseCom = com == S_OK || com == S_FALSE;

  QtToolkitBackend backend;
  SetToolkitBackend(&backend);
  QtMessageBoxes dialogs;
  StderrMessageBoxes lines;
  // Automated runs must never wait in a box.
  SetMessageBoxPresenter(EnvironmentIs("KORVA_BOXES", "stderr") ? static_cast<MessageBoxPresenter*>(&lines)
                                                                : &dialogs);
  backend.onFirstPaint = [](TCustomForm& form, QWidget& window) {
    if (const char* shot = std::getenv("KORVA_SCREENSHOT"); shot && *shot) {
      window.grab().save(QString::fromLocal8Bit(shot));
      std::printf("%s\n", shot);
      std::fflush(stdout);
    }
    if (EnvironmentIs("KORVA_EXIT_AFTER_FIRST_PAINT", "1")) form.Close();
  };

  RegisterToolkitClasses();
  RegisterControlClasses();
  RegisterMultiLangClasses();
  RegisterStartWindowClasses();

  int exitCode = 0;
  std::unique_ptr<TfrmStartKorva> window;
  try {
    window = std::make_unique<TfrmStartKorva>(nullptr);
  } catch (const std::exception& error) {
    ReportStartupError(error);
    exitCode = 1;
  }
  if (window) {
    backend.DeliverDeviceChanges(*window);
    window->Show();
    exitCode = backend.Run();
    window.reset();
  }
  SetToolkitBackend(nullptr);
  SetMessageBoxPresenter(nullptr);
  if (releaseCom) CoUninitialize();
  return exitCode;
}
