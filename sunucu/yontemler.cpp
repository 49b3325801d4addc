#include "sunucu/yontemler.h"

#include <algorithm>

#include "sunucu/dagitici.h"
#include "sunucu/hesaplar.h"
#include "sunucu/siparisyontemleri.h"
#include "sunucu/postalar.h"

using namespace Qt::StringLiterals;

namespace {

void EchoString(Cagri &c)
{
    c.sonucYaz(c.metin("Value"));
}

// Reversed by characters, so a letter outside the BMP stays whole.
void ReverseString(Cagri &c)
{
    QList<uint> harfler = c.metin("Value").toUcs4();
    std::reverse(harfler.begin(), harfler.end());
    c.sonucYaz(QString::fromUcs4(reinterpret_cast<const char32_t *>(harfler.constData()),
                                 harfler.size()));
}

void BuyukGetir(Cagri &c)
{
    c.sonucYaz(Nesne(oturumKaydi(c.vt(), c.metin("idsi"))));
}

void MobilCariBilgisiGetir(Cagri &c)
{
    const std::optional<TMobilCariBilgisi> bilgi =
            cariBilgisi(c.vt(), static_cast<int>(c.tamsayi("sirano")), c.metin("_idsi"));
    if (bilgi)
        c.sonucYaz(Nesne(*bilgi));
    else
        c.sonucYaz(std::monostate {});
}

// The sixteen fields of a request form, and the mail form's message.
IstekFormu istekFormu(const Cagri &c)
{
    IstekFormu f;
    f.idsi = c.metin("idsi");
    f.baslik = c.metin("baslik");
    f.firmaadi = c.metin("firmaadi");
    f.adres1 = c.metin("adres1");
    f.adres2 = c.metin("adres2");
    f.ilce = c.metin("ilce");
    f.sehir = c.metin("sehir");
    f.telefon = c.metin("telefon");
    f.fax = c.metin("fax");
    f.vd = c.metin("vd");
    f.vn = c.metin("vn");
    f.yetkili = c.metin("yetkili");
    f.kullaniciadi = c.metin("kullaniciadi");
    f.sifre = c.metin("sifre");
    f.mail = c.metin("mail");
    f.kargoambar = c.metin("kargoambar");
    return f;
}

// Kept in the outbox (and mailed when a relay is set); the result is the
// outbox number.
void postala(Cagri &c, IstekFormu form)
{
    if (const std::optional<QString> hata = istekHatasi(form))
        throw MetotHatasi(QString::fromLatin1(c.metot().ad.data(), qsizetype(c.metot().ad.size()))
                          + u": "_s + *hata);
    c.sonucYaz(postaKaydet(c.vt(), form));
}

void MailGonserCari(Cagri &c)
{
    postala(c, istekFormu(c));
}

void MailGonserCariNormal(Cagri &c)
{
    IstekFormu form = istekFormu(c);
    form.konu = c.metin("konu");
    postala(c, std::move(form));
}

} // namespace

void yontemleriKaydet(Dagitici &d)
{
    d.kaydet(MetotNo::EchoString, EchoString);
    d.kaydet(MetotNo::ReverseString, ReverseString);
    d.kaydet(MetotNo::BuyukGetir, BuyukGetir);
    siparisYontemleriniKaydet(d);
    d.kaydet(MetotNo::MobilCariBilgisiGetir, MobilCariBilgisiGetir);
    d.kaydet(MetotNo::MailGonserCari, MailGonserCari);
    d.kaydet(MetotNo::MailGonserCariNormal, MailGonserCariNormal);
}
