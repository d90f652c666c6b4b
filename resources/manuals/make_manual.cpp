// Writes the user manuals of the sample medium as PDF documents, one per language.
//   make_manual <language: de|en> <output.pdf>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>
#include <string>

namespace {

const char* const kGerman = R"(
<h1 style="color:#3E7A36">ZEP KORVA&reg;plus Planung 6.1</h1>
<h2>Benutzerhandbuch</h2>
<p>ZEP KORVA&reg;plus ist das Programm zur Auslegung und Planung von Armaturen. Dieses Handbuch
beschreibt den Start von der Produkt-CD.</p>
<h3>1. Das Startfenster</h3>
<p>Legen Sie die CD ein. Das Startfenster erscheint von selbst, wenn der automatische Start von
CDs eingeschaltet ist; sonst starten Sie <i>korvastart</i> im Hauptordner der CD.</p>
<ul>
<li><b>Installation</b> startet das Installationsprogramm. Das Startfenster bleibt offen.</li>
<li><b>CD Betrieb</b> startet den Katalog direkt von der CD und schlie&szlig;t das Startfenster.</li>
<li><b>Benutzerhandbuch</b> &ouml;ffnet dieses Handbuch in der gew&auml;hlten Sprache.</li>
<li>Die Flaggen w&auml;hlen die Sprache. Die Wahl gilt auch f&uuml;r den Katalog.</li>
</ul>
<h3>2. Systemvoraussetzungen</h3>
<p>Ein Bildschirm mit mindestens 800 &times; 600 Bildpunkten, 200 MB freier Speicher f&uuml;r die
Installation.</p>
<h3>3. Hilfe</h3>
<p>Aktuelle Informationen finden Sie unter www.zep-valves.example.</p>
)";

const char* const kEnglish = R"(
<h1 style="color:#3E7A36">ZEP KORVA&reg;plus Planning 6.1</h1>
<h2>User manual</h2>
<p>ZEP KORVA&reg;plus is the program for sizing and planning valves. This manual describes how to
start it from the product CD.</p>
<h3>1. The start window</h3>
<p>Insert the CD. The start window appears by itself when the automatic start of CDs is on;
otherwise start <i>korvastart</i> in the root folder of the CD.</p>
<ul>
<li><b>Installation</b> starts the installer. The start window stays open.</li>
<li><b>CD Direct run</b> starts the catalogue directly from the CD and closes the start window.</li>
<li><b>User manual</b> opens this manual in the chosen language.</li>
<li>The flags choose the language. The choice also applies to the catalogue.</li>
</ul>
<h3>2. System requirements</h3>
<p>A screen of at least 800 &times; 600 pixels, 200 MB of free disk space for the installation.</p>
<h3>3. Help</h3>
<p>Current information is available at www.zep-valves.example.</p>
)";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_manual de|en output.pdf\n");
    return 2;
  }
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  const bool german = std::string(argv[1]) == "de";
  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  writer.setTitle(german ? "ZEP KORVA Benutzerhandbuch" : "ZEP KORVA User manual");
  writer.setCreator("ZEP KORVA sample medium");
  QTextDocument document;
  document.setDefaultFont(QFont("Liberation Sans", 11));
  document.setHtml(QString::fromUtf8(german ? kGerman : kEnglish));
  document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
  document.print(&writer);
  return 0;
}
