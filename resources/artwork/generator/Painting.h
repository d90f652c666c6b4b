// Every picture of the start window and its medium, drawn from shapes and text.
#pragma once

#include <QImage>

enum class Action { Install, CdRun, Manual };
enum class Look { Normal, Highlighted };
enum class Language { German, English };

QImage PaintActionFace(Action action, Look look);  // 222 × 65
QImage PaintFirstLanguageFlag();                   // 136 × 85
QImage PaintSecondLanguageFlag();                  // 142 × 91
QImage PaintThirdLanguageFlag();                   // 70 × 35
QImage PaintHeader(Language language);             // 780 × 112
QImage PaintButtonBar(Look look);                  // 224 × 55
QImage PaintProgramIcon(int size);                 // size × size, with alpha
