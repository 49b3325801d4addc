#pragma once

#include <QString>
#include <QStringView>

class BellekTablo;

// The text every grid shows for a cell, in the process locale: numbers in
// their display pattern ("#,###,##0.00") or the general format, dates as
// dd.MM.yyyy (with the time when there is one), texts as they are.

QString sayiMetni(double deger, QStringView bicim);
QString hucreMetni(const BellekTablo &tablo, qsizetype satir, int kolon, QStringView bicim);
