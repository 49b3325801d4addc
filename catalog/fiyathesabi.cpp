#include "catalog/fiyathesabi.h"

#include "app/utils/bicim.h"
#include "remote/baglantiu.h"
#include "remote/tablo/bellektablo.h"

using namespace Qt::StringLiterals;

namespace {

// A field of the table's current row, by name (0 / empty when missing).
double sayi(const BellekTablo &t, QStringView alan)
{
    return t.sayi(t.gecerliSatir(), t.kolonIndeksi(alan));
}

QString metin(const BellekTablo &t, QStringView alan)
{
    return t.metin(t.gecerliSatir(), t.kolonIndeksi(alan));
}

double kdvli(double fiyat, double kdv)
{
    return IkiHaneyeYuvarla(fiyat * (1 + kdv / 100));
}

QString indirimEtiketi(const BellekTablo &t, const QLocale &yerel)
{
    return u"İndirim:  % "_s + SayiBicimle(sayi(t, u"INDIRIM"), ParaBicimi, yerel);
}

} // namespace

std::optional<double> MaliyetFiyati(const QString &maliyet, Kurlar kurlar, const QLocale &yerel)
{
    double kur = 1.0;
    if (maliyet.contains(u'$'))
        kur = kurlar.usd;
    if (maliyet.contains(u'€'))
        kur = kurlar.eur;
    QString s = maliyet;
    s.remove(u' ');
    s.replace(u'.', yerel.decimalPoint());
    s.remove(u"TL"_s);
    s.remove(u'$');
    s.remove(u'€');
    const std::optional<double> sayi = SayiOku(s, yerel);
    if (!sayi)
        return std::nullopt;
    return IkiHaneyeYuvarla(*sayi / 1.18 * kur);
}

std::optional<EditorDegerleri> EditorDegerleriniHesapla(const BellekTablo &t, SatirKaynagi nereden,
                                                        bool bdm, Kurlar kurlar,
                                                        const QLocale &yerel)
{
    EditorDegerleri d;
    d.barkod = metin(t, u"BARKOD");
    d.marka = metin(t, u"MARKA");
    d.finishkod = metin(t, u"FINISHKOD");
    d.model = metin(t, u"MODEL");
    d.kdvoran = sayi(t, u"KDV");

    if (nereden == SatirKaynagi::SepetSatiri) {
        d.stokno = static_cast<int>(sayi(t, u"STOKNO"));
        d.adi = metin(t, u"STOKADI");
        d.birimfiyat = sayi(t, u"BIRIMFIYAT");
        d.indirimEtiketi = u"İndirim:"_s;
        d.indoran = sayi(t, u"INDIRIMORANI1");
        d.indtutar = sayi(t, u"NETBIRIMFIYAT");
        d.kdvdahiltutar = kdvli(d.indtutar, d.kdvoran);
        // The opening amount of an existing line is from the gross price.
        d.kdvlifiyat = kdvli(d.birimfiyat, d.kdvoran);
        d.adet = static_cast<int>(sayi(t, u"MIKTAR"));
        return d;
    }

    const bool kampanyali = sayi(t, u"K") > 0;
    d.stokno = static_cast<int>(sayi(t, u"STOK_STOKNO"));
    d.adi = metin(t, u"ADI");
    d.birimfiyat = sayi(t, u"FIYAT");
    d.indoran = sayi(t, u"INDIRIM");
    d.indtutar = sayi(t, u"NETFIYAT");
    d.kdvdahiltutar = sayi(t, u"KDVDAHIL");
    d.kdvlifiyat = sayi(t, u"KDVDAHIL");
    d.adet = 1;
    switch (nereden) {
    case SatirKaynagi::Stok:
        d.indirimEtiketi = kampanyali ? u"Kampanyalı"_s : indirimEtiketi(t, yerel);
        if (kampanyali)
            d.indoran = 0;
        break;
    case SatirKaynagi::Yeniler:
        d.indirimEtiketi = kampanyali ? u"Kampanyalı"_s : indirimEtiketi(t, yerel);
        if (!kampanyali)
            d.kdvdahiltutar = kdvli(d.indtutar, d.kdvoran);
        break;
    case SatirKaynagi::Kampanya:
        d.indirimEtiketi = u"İndirim:"_s;
        d.kdvdahiltutar = kdvli(d.indtutar, d.kdvoran);
        break;
    case SatirKaynagi::SepetSatiri:
        break;
    }

    // A "BDM" account orders at cost; the rate box keeps its value and is
    // sent with the line.
    if (bdm && nereden != SatirKaynagi::Yeniler) {
        const std::optional<double> maliyet = MaliyetFiyati(metin(t, u"MALIYET"), kurlar, yerel);
        if (!maliyet)
            return std::nullopt;
        d.birimfiyat = *maliyet;
        d.kdvdahiltutar = kdvli(*maliyet, d.kdvoran);
        d.kdvlifiyat = d.kdvdahiltutar;
        d.indirimEtiketi = u"İndirim:  % 0"_s;
        d.indtutar = *maliyet;
    }
    return d;
}

SatirHesabi SatirHesapla(double birimfiyat, double indoran, double kdvoran, int adet)
{
    double p = birimfiyat;
    if (indoran > 0.0001)
        p = p - IkiHaneyeYuvarla(p * indoran / 100);
    SatirHesabi h;
    h.indtutar = p;
    h.kdvdahiltutar = IkiHaneyeYuvarla((kdvoran / 100 + 1) * h.indtutar);
    h.geneltutar = IkiHaneyeYuvarla(h.kdvdahiltutar * adet);
    return h;
}

double AcilisTutari(int adet, double kdvlifiyat)
{
    return IkiHaneyeYuvarla(adet * kdvlifiyat);
}

SepetToplami SepetToplamlariniHesapla(const BellekTablo &sepet)
{
    const int sec = sepet.kolonIndeksi(u"SEC");
    const int tutar = sepet.kolonIndeksi(u"TUTAR");
    const int indirim = sepet.kolonIndeksi(u"INDIRIMTUTAR");
    SepetToplami s;
    for (qsizetype i = 0; i < sepet.satirSayisi(); ++i) {
        if (sepet.tamsayi(i, sec) != 1)
            continue;
        s.toplam = IkiHaneyeYuvarla(s.toplam + sepet.sayi(i, tutar));
        s.indirim = IkiHaneyeYuvarla(s.indirim + sepet.sayi(i, indirim));
    }
    s.araToplam = IkiHaneyeYuvarla(s.toplam - s.indirim);
    s.vergi = IkiHaneyeYuvarla(s.araToplam * 1.18) - s.araToplam;
    s.genelToplam = IkiHaneyeYuvarla(s.araToplam + s.vergi);
    return s;
}

bool SecimVarmi(const BellekTablo &sepet)
{
    if (!sepet.acik() || sepet.bos())
        return false;
    const int sec = sepet.kolonIndeksi(u"SEC");
    return sepet.ara(sec, 1) >= 0;
}

QString SiparisOzeti(const TSonucBilgisi &oturum, const QString &teslim, const QString &kargoTuru,
                     const QString &tutar, const QString &kargoFirmasi, const QString &aciklama)
{
    return QStringList{
            u"Kullanıcı: "_s + oturum.ADI(),
            u"Cari     : "_s + oturum.CariAdi(),
            u"Teslim   : "_s + teslim,
            u"Kargo    : "_s + kargoTuru,
            u"Tutar    : "_s + tutar,
            u"Kargo    : "_s + kargoFirmasi,
            u"Açıklama : "_s + aciklama,
    }
            .join(u"\r\n"_s);
}
