// Picture files written by our own code: JPEG through libjpeg, BMP, PNG and the icon file.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

void WriteJpeg(const QImage& image, const QString& path, int quality = 90);
void WriteBmp24(const QImage& image, const QString& path);
// 8 bits per pixel with a full 256-entry colour table made from the picture's own colours.
void WriteBmp8(const QImage& image, const QString& path);
void WritePng(const QImage& image, const QString& path);
// One icon file holding every image at 32 bits per pixel with its transparency mask.
void WriteIco(const std::vector<QImage>& images, const QString& path);
