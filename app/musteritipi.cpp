#include "app/musteritipi.h"

#include "remote/baglantiu.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

MusteriTipiKurallari::MusteriTipiKurallari(int musteriTipi, const QString &cariKod)
    : personel_(musteriTipi == 1 || musteriTipi == 2 ||
                cariKod.contains(u"BDM"_s, Qt::CaseSensitive))
    , sepetDurumuGizli_(musteriTipi == 3)
    , kampanyaGizli_(musteriTipi == 4)
{
}

MusteriTipiKurallari::MusteriTipiKurallari(const TSonucBilgisi &oturum)
    : MusteriTipiKurallari(oturum.MusteriTipi(), oturum.carikod())
{
}

QList<KolonKurali> MusteriTipiKurallari::kolonlar(MusteriListesi liste) const
{
    QList<KolonKurali> sonuc;
    auto goster = [&sonuc](std::initializer_list<QString> alanlar) {
        for (const QString &a : alanlar)
            sonuc.append({a, true});
    };
    switch (liste) {
    case MusteriListesi::Stok:
        if (personel_)
            goster({u"KALAN"_s, u"MALIYET"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s});
        if (kampanyaGizli_)
            sonuc.append({u"K"_s, false});
        break;
    case MusteriListesi::Yeniler:
    case MusteriListesi::Kampanya:
        if (personel_)
            goster({u"KALAN"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s});
        break;
    case MusteriListesi::Sepet:
        if (personel_)
            goster({u"KALAN"_s});
        if (sepetDurumuGizli_)
            sonuc.append({u"DURUM"_s, false});
        break;
    }
    return sonuc;
}

void MusteriTipiKurallari::uygula(MusteriListesi liste, VeriIzgarasi &izgara) const
{
    for (const KolonKurali &k : kolonlar(liste)) {
        izgara.kolonuGoster(k.alan, k.gorunur);
        izgara.secicideGoster(k.alan, k.gorunur);
    }
}
