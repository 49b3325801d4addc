#pragma once

#include <initializer_list>
#include <utility>

#include <QDateTime>
#include <QString>
#include <QStringView>

#include "remote/tablo/bellektablo.h"

// Builds a table result row by row: the columns are declared once, then every
// row gives one value per column, in column order.
//
//     TabloYapici t({{u"SIRANO"_s, DbxTipi::Int32}, {u"ADI"_s, DbxTipi::WideString}});
//     t.tamsayi(1).metin(u"ANADOLU KARGO");
//     return t.bitir();
class TabloYapici
{
public:
    TabloYapici(std::initializer_list<std::pair<QString, DbxTipi>> kolonlar);

    TabloYapici &tamsayi(qint64 deger);
    TabloYapici &ondalik(double deger);
    TabloYapici &metin(QStringView deger);
    TabloYapici &zaman(const QDateTime &deger);
    TabloYapici &bos();

    // The finished table; a row left half-written is a programming error
    // (std::logic_error).
    BellekTablo bitir();

private:
    void ilerle(bool eklendi);

    BellekTablo tablo_;
    int kolon_ = 0;
};
