// Draws every picture into the artwork folder given on the command line.
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "Painting.h"
#include "Writers.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <artwork folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString window = root + "/window/";
  const QString medium = root + "/medium/";
  try {
    struct Face {
      Action action;
      const char* windowName;
      const char* mediumName;
    } faces[] = {{Action::Install, "face_install.jpg", "Button-Installation"},
                 {Action::CdRun, "face_cdrun.jpg", "Button-CD-Betrieb"},
                 {Action::Manual, "face_manual.jpg", "Button-Benutzerhandbuch"}};
    for (const Face& face : faces) {
      const QImage normal = PaintActionFace(face.action, Look::Normal);
      WriteJpeg(normal, window + face.windowName);
      WriteJpeg(normal, medium + "duzoravar/bmp/" + face.mediumName + "_up.jpg");
      WriteJpeg(PaintActionFace(face.action, Look::Highlighted),
                medium + "duzoravar/bmp/" + face.mediumName + "_down.jpg");
    }
    WriteJpeg(PaintFirstLanguageFlag(), window + "flag_language0.jpg");
    WriteJpeg(PaintSecondLanguageFlag(), window + "flag_language1.jpg");
    WriteBmp8(PaintThirdLanguageFlag(), window + "flag_language2.bmp");
    WriteJpeg(PaintHeader(Language::German), window + "header.jpg");
    WriteJpeg(PaintHeader(Language::German), medium + "razevuru/jpg/Header_Startfenster_de.jpg");
    WriteJpeg(PaintHeader(Language::English), medium + "razevuru/jpg/Header_Startfenster_en.jpg");
    WriteBmp24(PaintButtonBar(Look::Normal), window + "button_normal.bmp");
    WriteBmp24(PaintButtonBar(Look::Highlighted), window + "button_highlight.bmp");

    std::vector<QImage> icons;
    for (int size : {48, 32, 16}) {
      icons.push_back(PaintProgramIcon(size));
      WritePng(icons.back(), window + QString("program_icon_%1.png").arg(size));
    }
    WriteIco(icons, window + "program.ico");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
