#pragma once

#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Pictures and files of the demo database, drawn and written here so that
// the demo needs no file from outside.

// A catalogue picture (JPEG) of a part of the given kind (0..n-1).
QByteArray parcaResmi(int tur, const QString &etiket);
inline constexpr int parcaResmiTurSayisi = 8;

// An announcement picture (JPEG, 600 x 400) with a title and a line.
QByteArray duyuruResmi(const QString &baslik, const QString &alt, int renk);

// The header banner: an animated GIF that loops.
QByteArray bannerGif();

// An animated GIF of the frames (all of one size), each shown gecikme
// hundredths of a second, looping for ever. Colours are reduced to a fixed
// palette of 216 colours and 40 greys.
QByteArray gifYaz(const std::vector<QImage> &kareler, int gecikme);

// Documents for download, each a real file of its kind.
QByteArray pdfBelgesi(const QString &baslik, const QStringList &satirlar);
QByteArray xlsxBelgesi(const QStringList &basliklar, const std::vector<QStringList> &satirlar);
QByteArray docxBelgesi(const QString &baslik, const QStringList &paragraflar);
QByteArray xlsXmlBelgesi(const QStringList &basliklar, const std::vector<QStringList> &satirlar);
QByteArray rtfBelgesi(const QString &baslik, const QStringList &paragraflar);
QByteArray resimBelgesi(const QString &baslik, const char *bicim); // "PNG", "BMP", "JPG"

// A ZIP archive of stored (uncompressed) entries, as the OOXML formats use.
QByteArray zipArsivi(const std::vector<std::pair<QString, QByteArray>> &girdiler);
