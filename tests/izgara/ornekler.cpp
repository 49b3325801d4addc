#include "tests/izgara/ornekler.h"

#include <QPixmap>

#include "app/utils/bicim.h"

using namespace Qt::StringLiterals;

QIcon renkliIkon(Qt::GlobalColor renk)
{
    QPixmap p(24, 24);
    p.fill(renk);
    return QIcon(p);
}

Sepet::Sepet()
{
    tablo.yenidenTanimla({{u"STOKADI"_s, DbxTipi::WideString},
                          {u"MIKTAR"_s, DbxTipi::Int32},
                          {u"NETTUTAR"_s, DbxTipi::Double},
                          {u"MARKA"_s, DbxTipi::WideString},
                          {u"DURUM"_s, DbxTipi::Int32},
                          {u"TARIH"_s, DbxTipi::Date}});
    const struct
    {
        const char16_t *ad;
        int miktar;
        double tutar;
        const char16_t *marka;
        int durum;
    } satirlar[] = {
        {u"Fren balatası", 2, 1234.5, u"Bosch", 1},
        {u"Çamurluk", 10, 99.99, u"Valeo", 0},
        {u"Conta", 9, 0.5, u"Bosch", 3},
        {u"Şanzıman yağı", 1, 2000, u"Castrol", 1},
        {u"filtre", 4, 10.01, u"Valeo", 5},
    };
    int gun = 1;
    for (const auto &s : satirlar) {
        tablo.ekleMetin(0, QStringView(s.ad));
        tablo.ekleTamsayi(1, s.miktar);
        tablo.ekleOndalik(2, s.tutar);
        tablo.ekleMetin(3, QStringView(s.marka));
        tablo.ekleTamsayi(4, s.durum);
        tablo.ekleZaman(5, QDate(2024, 3, gun++));
    }
    tablo.doldurmayiBitir();
    ParaBicimiUygula(tablo);
}

QList<IzgaraKolonu> Sepet::kolonlar()
{
    return {
        kolon(u"STOKADI"_s, u"Stok Açıklama"_s).seciciye().agirlikla(3).altta(AltToplam::Sayi),
        kolon(u"MIKTAR"_s, u"Miktar"_s).sayi().altta(AltToplam::Toplam),
        kolon(u"NETTUTAR"_s, u"Net Tutar"_s).sayi().altta(AltToplam::Toplam),
        kolon(u"MARKA"_s, u"Marka"_s).gizli().seciciye(),
        kolon(u"DURUM"_s, u"Durum"_s)
            .ikonlu({{0, renkliIkon(Qt::red)}, {1, renkliIkon(Qt::green)}},
                    {{0, u"Yok"_s}, {1, u"Var"_s}, {3, u"Yolda"_s}}),
    };
}
