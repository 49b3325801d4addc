#include "sunucu/siparisyontemleri.h"

#include "sunucu/dagitici.h"
#include "sunucu/katalog.h"
#include "sunucu/sepet.h"

using namespace Qt::StringLiterals;

namespace {

QString metotAdi(const Cagri &c)
{
    return QString::fromLatin1(c.metot().ad.data(), qsizetype(c.metot().ad.size()));
}

// The session record a method needs to know who acts.
TSonucBilgisi oturum(const Cagri &c, std::string_view ad)
{
    std::optional<TSonucBilgisi> bilgi = c.nesne<TSonucBilgisi>(ad);
    if (!bilgi)
        throw MetotHatasi(metotAdi(c) + u": oturum bilgisi gönderilmedi"_s);
    return std::move(*bilgi);
}

int tamsayi(const Cagri &c, std::string_view ad)
{
    return static_cast<int>(c.tamsayi(ad));
}

void StokAraTezmar(Cagri &c)
{
    c.sonucYaz(stokAra(c.vt(), c.metin("kod"), oturum(c, "bilgi")));
}

void ResimVer5(Cagri &c)
{
    QByteArray resim = stokResmi(c.vt(), tamsayi(c, "stokno"));
    c.ciktiYaz("boy", qint64(resim.size()));
    c.sonucYaz(std::move(resim));
}

void SepetVer(Cagri &c)
{
    c.sonucYaz(sepetVer(c.vt(), tamsayi(c, "carino")));
}

SepetSatiri satir(const Cagri &c)
{
    SepetSatiri s;
    s.carino = tamsayi(c, "carino");
    s.stokno = tamsayi(c, "stokno");
    s.barkod = c.metin("barkod");
    s.stokadi = c.metin("stokadi");
    s.miktar = c.ondalik("miktar");
    s.kdv = c.ondalik("kdv");
    s.fiyat = c.ondalik("fiyat");
    s.indirim = c.ondalik("indirim");
    s.verenid = tamsayi(c, "verenid");
    return s;
}

void SepetEkle(Cagri &c)
{
    oturum(c, "bilgim");
    SepetSatiri s = satir(c);
    s.kampanya = tamsayi(c, "k");
    c.sonucYaz(qint64(sepetEkle(c.vt(), s)));
}

void SepetGuncelle(Cagri &c)
{
    oturum(c, "bilgim");
    c.sonucYaz(qint64(sepetGuncelle(c.vt(), satir(c), tamsayi(c, "_sepetsirano"))));
}

void SepetSatirSil(Cagri &c)
{
    const TSonucBilgisi bilgi = oturum(c, "bilgi");
    c.sonucYaz(qint64(sepetSatirSil(c.vt(), bilgi.CARINO(), tamsayi(c, "satirno"))));
}

void SepetHepsiniSil(Cagri &c)
{
    const TSonucBilgisi bilgi = oturum(c, "bilgi");
    sepetHepsiniSil(c.vt(), bilgi.CARINO());
    c.sonucYaz(qint64(1));
}

void SepetSecimGuncelle(Cagri &c)
{
    sepetSecimGuncelle(c.vt(), tamsayi(c, "sirano"), tamsayi(c, "secim"));
}

void TeslimVer(Cagri &c)
{
    c.sonucYaz(teslimSecenekleri(c.vt()));
}

void KargoVer(Cagri &c)
{
    c.sonucYaz(kargoTurleri(c.vt()));
}

void KargolarVer(Cagri &c)
{
    c.sonucYaz(kargoFirmalari(c.vt(), tamsayi(c, "gn")));
}

void SiparisKaydet(Cagri &c)
{
    oturum(c, "BB");
    SiparisIstegi i;
    i.carino = tamsayi(c, "_carino");
    i.teslim = tamsayi(c, "_teslim");
    i.kargoTuru = tamsayi(c, "_kargo");
    i.aciklama = c.metin("_aciklama");
    i.verenid = tamsayi(c, "_verenid");
    i.kargoFirma = tamsayi(c, "_kargoyeni");
    c.sonucYaz(siparisKaydet(c.vt(), i));
}

} // namespace

void siparisYontemleriniKaydet(Dagitici &d)
{
    d.kaydet(MetotNo::StokAraTezmar, StokAraTezmar);
    d.kaydet(MetotNo::ResimVer5, ResimVer5);
    d.kaydet(MetotNo::SepetVer, SepetVer);
    d.kaydet(MetotNo::SepetEkle, SepetEkle);
    d.kaydet(MetotNo::SepetGuncelle, SepetGuncelle);
    d.kaydet(MetotNo::SepetSatirSil, SepetSatirSil);
    d.kaydet(MetotNo::SepetHepsiniSil, SepetHepsiniSil);
    d.kaydet(MetotNo::SepetSecimGuncelle, SepetSecimGuncelle);
    d.kaydet(MetotNo::TeslimVer, TeslimVer);
    d.kaydet(MetotNo::KargoVer, KargoVer);
    d.kaydet(MetotNo::KargolarVer, KargolarVer);
    d.kaydet(MetotNo::SiparisKaydet, SiparisKaydet);
}
