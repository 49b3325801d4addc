#include "sunucu/tabloyapici.h"

#include <stdexcept>

TabloYapici::TabloYapici(std::initializer_list<std::pair<QString, DbxTipi>> kolonlar)
{
    QList<KolonTanimi> tanimlar;
    for (const auto &[ad, tip] : kolonlar) {
        KolonTanimi k;
        k.ad = ad;
        k.tip = tip;
        k.boyut = depolamaTuru(tip) == Depolama::Metin ? 255 : 0;
        tanimlar.append(k);
    }
    if (!tablo_.yenidenTanimla(tanimlar))
        throw std::logic_error("table columns must have unique, non-empty names");
}

void TabloYapici::ilerle(bool eklendi)
{
    if (!eklendi)
        throw std::logic_error("a value does not fit its table column");
    kolon_ = (kolon_ + 1) % tablo_.kolonSayisi();
}

TabloYapici &TabloYapici::tamsayi(qint64 deger)
{
    ilerle(tablo_.ekleTamsayi(kolon_, deger));
    return *this;
}

TabloYapici &TabloYapici::ondalik(double deger)
{
    ilerle(tablo_.ekleOndalik(kolon_, deger));
    return *this;
}

TabloYapici &TabloYapici::metin(QStringView deger)
{
    ilerle(tablo_.ekleMetin(kolon_, deger));
    return *this;
}

TabloYapici &TabloYapici::zaman(const QDateTime &deger)
{
    if (!deger.isValid())
        return bos();
    ilerle(tablo_.ekleZaman(kolon_, deger.date(), deger.time()));
    return *this;
}

TabloYapici &TabloYapici::bos()
{
    tablo_.ekleBos(kolon_);
    ilerle(true);
    return *this;
}

BellekTablo TabloYapici::bitir()
{
    if (kolon_ != 0 || !tablo_.doldurmayiBitir())
        throw std::logic_error("a table row was left half-written");
    return std::move(tablo_);
}
