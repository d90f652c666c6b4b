// The sample installer on the medium: it only shows that it was started.
#include <QApplication>

#include "SampleProgram.h"

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication app(qtArgc, argv);
  Announce("ZEP KORVA\u00AEplus Setup", "Sample installer started.");
  return 0;
}
