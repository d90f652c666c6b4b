// The sample catalogue program on the medium: it reads the language the start window stored in
// the temporary folder, as the real catalogue does, and shows it.
#include <QApplication>
#include <string>

#include "SampleProgram.h"
#include "foundation/Errors.h"
#include "launcher/FileRoutines.h"

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication app(qtArgc, argv);
  static const char* const kNames[] = {"Deutsch", "English", "Polski"};
  std::string text;
  try {
    const int language = ReadIniInteger(GetTempDir() + "kelmor.ini", "tirbex", "lang", 0);
    const std::string name = language >= 0 && language < 3 ? kNames[language] : "unknown";
    text = "Catalogue started in language " + std::to_string(language) + " (" + name + ").";
  } catch (const Exception& error) {
    text = "Catalogue started; the language could not be read: " + error.Message();
  }
  Announce("ZEP KORVA\u00AEplus Katalog", text);
  return 0;
}
