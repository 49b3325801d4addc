#include "remote/metotlar.h"

#include <algorithm>
#include <array>

namespace {

// Shorthand for the tables below.
constexpr Parametre metin(std::string_view ad)
{
    return {ad, Tur::Metin};
}
constexpr Parametre tamsayi(std::string_view ad)
{
    return {ad, Tur::Tamsayi};
}
constexpr Parametre ondalik(std::string_view ad)
{
    return {ad, Tur::Ondalik};
}
constexpr Parametre oturum(std::string_view ad)
{
    return {ad, Tur::Nesne, Yon::Girdi, sinif::TSonucBilgisi};
}
constexpr Parametre cikti(std::string_view ad, Tur tur)
{
    return {ad, tur, Yon::Cikti};
}

constexpr std::span<const Parametre> yok {};

constexpr Parametre p_carino[] = {tamsayi("carino")};
constexpr Parametre p_idnosu[] = {tamsayi("idnosu")};
constexpr Parametre p_stokno_boy64[] = {tamsayi("stokno"), cikti("boy", Tur::Tamsayi64)};
constexpr Parametre p_kod_bilgi[] = {metin("kod"), oturum("bilgi")};
constexpr Parametre p_cario_satici[] = {tamsayi("cario"), tamsayi("satici")};
constexpr Parametre p_size[] = {cikti("size", Tur::Tamsayi64)};
constexpr Parametre p_bil[] = {oturum("bil")};
constexpr Parametre p_bilgi[] = {oturum("bilgi")};
constexpr Parametre p_value[] = {metin("Value")};
constexpr Parametre p_bilgi_tarihler[] = {oturum("bilgi"), ondalik("tarih1"), ondalik("tarih2")};

constexpr Parametre p_StokAraTezmar[] = {metin("kod"), oturum("bilgi")};
constexpr Parametre p_TezmardeAra[] = {metin("s")};
constexpr Parametre p_SepetEkle[] = {oturum("bilgim"),   tamsayi("carino"), tamsayi("stokno"),
                                     metin("barkod"),    metin("stokadi"),  ondalik("miktar"),
                                     ondalik("kdv"),     ondalik("fiyat"),  ondalik("indirim"),
                                     tamsayi("verenid"), tamsayi("k")};
constexpr Parametre p_SepetGuncelle[] = {
    oturum("bilgim"),   tamsayi("carino"),  tamsayi("stokno"),      metin("barkod"),
    metin("stokadi"),   ondalik("miktar"),  ondalik("kdv"),         ondalik("fiyat"),
    ondalik("indirim"), tamsayi("verenid"), tamsayi("_sepetsirano")};
constexpr Parametre p_SepetSatirSil[] = {oturum("bilgi"), tamsayi("satirno"), metin("aciklamam")};
constexpr Parametre p_SepetSecimGuncelle[] = {tamsayi("sirano"), tamsayi("secim")};
constexpr Parametre p_KargolarVer[] = {tamsayi("gn")};
constexpr Parametre p_SiparisKaydet[] = {
    oturum("BB"),       tamsayi("_carino"),  tamsayi("_teslim"),   tamsayi("_kargo"),
    metin("_aciklama"), tamsayi("_verenid"), tamsayi("_kargoyeni")};
constexpr Parametre p_SiparisAyrintisi[] = {tamsayi("carino"), tamsayi("idnosu")};
constexpr Parametre p_SiparisAytintisiDip[] = {tamsayi("carino"), tamsayi("siranosu")};
constexpr Parametre p_TumSiparislerVer[] = {tamsayi("carino"), tamsayi("stokno")};
constexpr Parametre p_Bakiye[] = {
    oturum("k"),     tamsayi("stokno"), tamsayi("sepetsirano"), tamsayi("siparissirano"),
    ondalik("Adet"), ondalik("Bakiye"), metin("barkod")};
constexpr Parametre p_BakiyeFiyatDegistir[] = {
    oturum("k"),     tamsayi("stokno"), tamsayi("sepetsirano"), tamsayi("siparissirano"),
    ondalik("Adet"), ondalik("Bakiye"), metin("barkod"),        ondalik("fiyat"),
    ondalik("ind")};
constexpr Parametre p_StokAra[] = {metin("kod"), metin("carino"), tamsayi("satici")};
constexpr Parametre p_MobilStokara[] = {metin("kod"), oturum("bilgi"), tamsayi("neresi"),
                                        tamsayi("nekadar")};
constexpr Parametre p_MobilStokNoAra[] = {tamsayi("stokno"), oturum("bilgi")};
constexpr Parametre p_MobilStokaraGeri[] = {metin("kod"),
                                            oturum("bilgi"),
                                            tamsayi("neresi"),
                                            tamsayi("nekadar"),
                                            {"geri", Tur::GeriCagirma}};
constexpr Parametre p_MobilStokaraAdimli[] = {metin("kod"),
                                              oturum("bilgi"),
                                              tamsayi("neresi"),
                                              tamsayi("nekadar"),
                                              tamsayi("ilk"),
                                              tamsayi("Adet"),
                                              cikti("kalan", Tur::Mantiksal),
                                              cikti("toplam", Tur::Tamsayi)};
constexpr Parametre p_BuyukResimVer[] = {tamsayi("stokno"), cikti("boy", Tur::Tamsayi)};
constexpr Parametre p_stokno[] = {tamsayi("stokno")};
constexpr Parametre p_BuyukGetir[] = {metin("idsi")};
constexpr Parametre p_FaturaGetir[] = {tamsayi("carino"), tamsayi("idnosu")};
constexpr Parametre p_MobilCariBilgisiGetir[] = {tamsayi("sirano"), metin("_idsi")};
constexpr Parametre p_CariAra[] = {oturum("bil"), metin("aranan")};
constexpr Parametre p_CariSepetVer[] = {oturum("bil"), tamsayi("n")};
constexpr Parametre p_RaporGetir[] = {
    tamsayi("raporno"), tamsayi("bolum"),  tamsayi("idno"),   tamsayi("carino"),
    metin("saticiadi"), ondalik("tarih1"), ondalik("tarih2"), cikti("size", Tur::Tamsayi64)};
constexpr Parametre p_KurlariAl[] = {cikti("usd", Tur::Ondalik), cikti("eur", Tur::Ondalik)};
constexpr Parametre p_AcilisREklamVer[] = {tamsayi("sira")};
constexpr Parametre p_BelgeIndir[] = {tamsayi("sirano"), cikti("size", Tur::Tamsayi64),
                                      cikti("adi", Tur::Metin)};
#define DOTEZMAR_MAIL_PARAMETRELERI                                                                \
    metin("idsi"), metin("baslik"), metin("firmaadi"), metin("adres1"), metin("adres2"),           \
        metin("ilce"), metin("sehir"), metin("telefon"), metin("fax"), metin("vd"), metin("vn"),   \
        metin("yetkili"), metin("kullaniciadi"), metin("sifre"), metin("mail"),                    \
        metin("kargoambar")
constexpr Parametre p_MailGonserCari[] = {DOTEZMAR_MAIL_PARAMETRELERI};
constexpr Parametre p_MailGonserCariNormal[] = {DOTEZMAR_MAIL_PARAMETRELERI, metin("konu")};
#undef DOTEZMAR_MAIL_PARAMETRELERI
constexpr Parametre p_DSServerModuleCreate[] = {
    {"Sender", Tur::Nesne, Yon::Girdi, sinif::Herhangi}};
constexpr Parametre p_SifremiUnuttum[] = {metin("idsi"), cikti("mailvarmi", Tur::Tamsayi)};
constexpr Parametre p_CariEkstreVer2[] = {tamsayi("carino"), ondalik("TARIH1"), ondalik("TARIH2")};
constexpr Parametre p_CariEkstreVer2Baslik[] = {tamsayi("carino"), ondalik("tarih1")};
constexpr Parametre p_BalonGetir2[] = {tamsayi("carino"),
                                       cikti("sepet", Tur::Tamsayi),
                                       cikti("yenistok", Tur::Tamsayi),
                                       cikti("kampnayali", Tur::Tamsayi),
                                       cikti("duyuru", Tur::Tamsayi),
                                       cikti("Bakiye", Tur::Tamsayi),
                                       cikti("dosya", Tur::Tamsayi)};
// The session record comes after the two out-parameters here.
constexpr Parametre p_BelgeIndir2[] = {tamsayi("sirano"), cikti("size", Tur::Tamsayi64),
                                       cikti("adi", Tur::Metin), oturum("bilgi")};

using M = MetotNo;
constexpr bool cagrilmaz = false;

constexpr Metot metotlar[] = {
    {M::StokAraTezmar, "StokAraTezmar", p_StokAraTezmar, Tur::Tablo},
    {M::ResimVer5, "ResimVer5", p_stokno_boy64, Tur::Akis},
    {M::TezmarYenilerVer, "TezmarYenilerVer", p_carino, Tur::Tablo},
    {M::TezmarKampanyaliVer, "TezmarKampanyaliVer", p_cario_satici, Tur::Tablo},
    {M::TezmardeAra, "TezmardeAra", p_TezmardeAra, Tur::Tablo},

    {M::SepetVer, "SepetVer", p_carino, Tur::Tablo},
    {M::SepetEkle, "SepetEkle", p_SepetEkle, Tur::Tamsayi},
    {M::SepetGuncelle, "SepetGuncelle", p_SepetGuncelle, Tur::Tamsayi},
    {M::SepetSatirSil, "SepetSatirSil", p_SepetSatirSil, Tur::Tamsayi},
    {M::SepetHepsiniSil, "SepetHepsiniSil", p_bilgi, Tur::Tamsayi},
    {M::SepetSecimGuncelle, "SepetSecimGuncelle", p_SepetSecimGuncelle, Tur::Yok},

    {M::TeslimVer, "TeslimVer", yok, Tur::Tablo},
    {M::KargoVer, "KargoVer", yok, Tur::Tablo},
    {M::KargolarVer, "KargolarVer", p_KargolarVer, Tur::Tablo},
    {M::SiparisKaydet, "SiparisKaydet", p_SiparisKaydet, Tur::Mantiksal},

    {M::OncekiSiparisler2, "OncekiSiparisler2", p_carino, Tur::Tablo},
    {M::SiparisAyrintisi, "SiparisAyrintisi", p_SiparisAyrintisi, Tur::Tablo},
    {M::SiparisAytintisiDip, "SiparisAytintisiDip", p_SiparisAytintisiDip, Tur::Nesne,
     sinif::TSiparisDipAyrinti},
    {M::TumSiparislerVer, "TumSiparislerVer", p_TumSiparislerVer, Tur::Tablo},

    {M::BakiyelerVer, "BakiyelerVer", p_carino, Tur::Tablo},
    {M::BakiyeDuzenle, "BakiyeDuzenle", p_Bakiye, Tur::Tamsayi},
    {M::BakiyeDegistir, "BakiyeDegistir", p_Bakiye, Tur::Tamsayi},
    {M::BakiyeFiyatDegistir, "BakiyeFiyatDegistir", p_BakiyeFiyatDegistir, Tur::Tamsayi},

    {M::StokAra, "StokAra", p_StokAra, Tur::Tablo, {}, cagrilmaz},
    {M::StokAraDolvan, "StokAraDolvan", p_kod_bilgi, Tur::Tablo, {}, cagrilmaz},
    {M::Relvos, "Relvos", p_kod_bilgi, Tur::Tablo, {}, cagrilmaz},
    {M::MobilStokara, "MobilStokara", p_MobilStokara, Tur::Nesne, sinif::TMobilStoklar, cagrilmaz},
    {M::MobilStokNoAra, "MobilStokNoAra", p_MobilStokNoAra, Tur::Nesne, sinif::TMobilStok,
     cagrilmaz},
    {M::MobilStokaraGeri, "MobilStokaraGeri", p_MobilStokaraGeri, Tur::Tamsayi, {}, cagrilmaz},
    {M::MobilStokaraAdimli, "MobilStokaraAdimli", p_MobilStokaraAdimli, Tur::Nesne,
     sinif::TMobilStoklar, cagrilmaz},
    {M::DepartmanlariGetir, "DepartmanlariGetir", yok, Tur::Tablo, {}, cagrilmaz},
    {M::YenilerVer, "YenilerVer", p_carino, Tur::Tablo, {}, cagrilmaz},
    {M::YenilerVerMobile, "YenilerVerMobile", p_carino, Tur::Tablo, {}, cagrilmaz},
    {M::KampanyaliVer, "KampanyaliVer", p_cario_satici, Tur::Tablo, {}, cagrilmaz},
    {M::KampanyaliVermMobil, "KampanyaliVermMobil", p_cario_satici, Tur::Tablo, {}, cagrilmaz},
    {M::ResimVer6, "ResimVer6", p_stokno_boy64, Tur::JsonDizi, {}, cagrilmaz},
    {M::BuyukResimVer, "BuyukResimVer", p_BuyukResimVer, Tur::Metin, {}, cagrilmaz},
    {M::KucukResimVer, "KucukResimVer", p_stokno, Tur::Metin, {}, cagrilmaz},
    {M::HttpResimVer, "HttpResimVer", p_stokno, Tur::Akis, {}, cagrilmaz},
    {M::SepetMobilVer, "SepetMobilVer", p_carino, Tur::Nesne, sinif::TMobilSepetler, cagrilmaz},
    {M::MobilSiparisKaydet, "MobilSiparisKaydet", p_idnosu, Tur::Tamsayi, {}, cagrilmaz},
    {M::OncekiSiparisler, "OncekiSiparisler", p_carino, Tur::Tablo, {}, cagrilmaz},
    {M::Oncekiler, "Oncekiler", p_carino, Tur::Tablo, {}, cagrilmaz},

    {M::BuyukGetir, "BuyukGetir", p_BuyukGetir, Tur::Nesne, sinif::TSonucBilgisi},

    {M::CariEkstreVer, "CariEkstreVer", p_carino, Tur::Tablo},
    {M::FaturaGetir, "FaturaGetir", p_FaturaGetir, Tur::Tablo},
    {M::FaturaAltGetir, "FaturaAltGetir", p_idnosu, Tur::Tablo},
    {M::Tahsilat, "Tahsilat", p_idnosu, Tur::Tablo},
    {M::CariDurumVer, "CariDurumVer", p_carino, Tur::Metin},
    {M::MobilCariBilgisiGetir, "MobilCariBilgisiGetir", p_MobilCariBilgisiGetir, Tur::Nesne,
     sinif::TMobilCariBilgisi},

    {M::CariAra, "CariAra", p_CariAra, Tur::Tablo},
    {M::CariSepetVer, "CariSepetVer", p_CariSepetVer, Tur::Tablo},
    {M::SepetSayisi, "SepetSayisi", p_bil, Tur::Tamsayi},
    {M::TusSonuclariVer, "TusSonuclariVer", p_bil, Tur::Nesne, sinif::TTusSonuclari},
    {M::RaporGetir, "RaporGetir", p_RaporGetir, Tur::Akis},

    {M::KayanYaziGetir, "KayanYaziGetir", yok, Tur::Metin},
    {M::BannerResimVer, "BannerResimVer", p_size, Tur::Akis},
    {M::KurlariAl, "KurlariAl", p_KurlariAl, Tur::Tamsayi},
    {M::BalonGetir, "BalonGetir", p_bil, Tur::Tablo},
    {M::AcilisReklamAdet, "AcilisReklamAdet", yok, Tur::Tamsayi},
    {M::AcilisREklamVer, "AcilisREklamVer", p_AcilisREklamVer, Tur::Nesne, sinif::TAcilisEkran},
    {M::AcilisEkranlarVer, "AcilisEkranlarVer", yok, Tur::Nesne, sinif::TAcilisEkranlar},

    {M::DosyaListesi2, "DosyaListesi2", yok, Tur::Tablo},
    {M::BelgeIndir, "BelgeIndir", p_BelgeIndir, Tur::Akis},

    {M::MailGonserCari, "MailGonserCari", p_MailGonserCari, Tur::Tamsayi},
    {M::MailGonserCariNormal, "MailGonserCariNormal", p_MailGonserCariNormal, Tur::Tamsayi},

    {M::DSServerModuleCreate,
     "DSServerModuleCreate",
     p_DSServerModuleCreate,
     Tur::Yok,
     {},
     cagrilmaz},
    {M::EchoString, "EchoString", p_value, Tur::Metin, {}, cagrilmaz},
    {M::ReverseString, "ReverseString", p_value, Tur::Metin, {}, cagrilmaz},
    {M::SifremiUnuttum, "SifremiUnuttum", p_SifremiUnuttum, Tur::Mantiksal, {}, cagrilmaz},
    {M::CikisGonder, "CikisGonder", p_bilgi, Tur::Yok, {}, cagrilmaz},
    {M::CariEkstreVer2, "CariEkstreVer2", p_CariEkstreVer2, Tur::Tablo, {}, cagrilmaz},
    {M::CariEkstreVer2Baslik,
     "CariEkstreVer2Baslik",
     p_CariEkstreVer2Baslik,
     Tur::Tablo,
     {},
     cagrilmaz},
    {M::RaporAlinanSiparisler,
     "RaporAlinanSiparisler",
     p_bilgi_tarihler,
     Tur::Tablo,
     {},
     cagrilmaz},
    {M::RaporEnCokSatilanStoklar,
     "RaporEnCokSatilanStoklar",
     p_bilgi_tarihler,
     Tur::Tablo,
     {},
     cagrilmaz},
    {M::DuyuruVer, "DuyuruVer", yok, Tur::Tablo, {}, cagrilmaz},
    {M::DuyuruVer2, "DuyuruVer2", yok, Tur::Tablo, {}, cagrilmaz},
    {M::BalonGetir2, "BalonGetir2", p_BalonGetir2, Tur::Tamsayi, {}, cagrilmaz},
    {M::AcilisEkranlarVer2, "AcilisEkranlarVer2", yok, Tur::Nesne, sinif::TAcilisEkranlariki,
     cagrilmaz},
    {M::AcilisEkranlariVerData, "AcilisEkranlariVerData", yok, Tur::Tablo, {}, cagrilmaz},
    {M::DosyaListesi, "DosyaListesi", yok, Tur::Tablo, {}, cagrilmaz},
    {M::DosyaIndir, "DosyaIndir", p_size, Tur::Akis, {}, cagrilmaz},
    {M::BelgeIndir2, "BelgeIndir2", p_BelgeIndir2, Tur::Akis, {}, cagrilmaz},
    {M::SarvepaVer, "SarvepaVer", yok, Tur::Akis, {}, cagrilmaz},
};

static_assert(std::size(metotlar) == static_cast<std::size_t>(MetotNo::Sayi));

#define DOTEZMAR_METOT_ADI(ad) #ad,
constexpr std::string_view metotAdlari[] = {DOTEZMAR_METOTLAR(DOTEZMAR_METOT_ADI)};
#undef DOTEZMAR_METOT_ADI

constexpr bool sirasiDogru()
{
    for (std::size_t i = 0; i < std::size(metotlar); ++i) {
        if (static_cast<std::size_t>(metotlar[i].no) != i || metotlar[i].ad != metotAdlari[i])
            return false;
    }
    return true;
}
static_assert(sirasiDogru(), "the method table must follow DOTEZMAR_METOTLAR");

// A stream out-parameter never occurs, and every object parameter names its class.
constexpr bool parametrelerTutarli()
{
    for (const Metot &m : metotlar) {
        for (const Parametre &p : m.parametreler) {
            if (p.tur == Tur::Yok || (p.tur == Tur::Nesne) == p.sinif.empty())
                return false;
        }
        if ((m.sonuc == Tur::Nesne) == m.sonucSinifi.empty())
            return false;
    }
    return true;
}
static_assert(parametrelerTutarli());

char kucukHarf(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

int Metot::girdiSayisi() const
{
    return static_cast<int>(std::count_if(parametreler.begin(), parametreler.end(),
                                          [](const Parametre &p) { return p.yon == Yon::Girdi; }));
}

int Metot::ciktiSayisi() const
{
    return static_cast<int>(parametreler.size()) - girdiSayisi() + (sonuc == Tur::Yok ? 0 : 1);
}

Parametre Metot::cikti(int i) const
{
    for (const Parametre &p : parametreler) {
        if (p.yon == Yon::Cikti && i-- == 0)
            return p;
    }
    return {"result", sonuc, Yon::Cikti, sonucSinifi};
}

bool Metot::yalnizAkisDoner() const
{
    return sonuc == Tur::Akis && ciktiSayisi() == 1;
}

bool Metot::akisDoner() const
{
    return sonuc == Tur::Akis && ciktiSayisi() > 1;
}

std::span<const Metot> tumMetotlar()
{
    return metotlar;
}

const Metot &metot(MetotNo no)
{
    return metotlar[static_cast<std::size_t>(no)];
}

const Metot *metotBul(std::string_view ad)
{
    for (const Metot &m : metotlar) {
        if (m.ad.size() == ad.size() &&
            std::equal(ad.begin(), ad.end(), m.ad.begin(),
                       [](char a, char b) { return kucukHarf(a) == kucukHarf(b); }))
            return &m;
    }
    return nullptr;
}

int dbxKodu(Tur tur)
{
    switch (tur) {
    case Tur::Yok:
        return 0;
    case Tur::Metin:
        return 26;
    case Tur::Tamsayi:
        return 6;
    case Tur::Tamsayi64:
        return 18;
    case Tur::Ondalik:
        return 7;
    case Tur::Mantiksal:
        return 4;
    case Tur::Nesne:
    case Tur::JsonDizi:
        return 37;
    case Tur::Tablo:
        return 23;
    case Tur::Akis:
        return 33;
    case Tur::GeriCagirma:
        return 38;
    }
    return 0;
}

std::string_view turAdi(Tur tur)
{
    switch (tur) {
    case Tur::Yok:
        return "yok";
    case Tur::Metin:
        return "metin";
    case Tur::Tamsayi:
        return "tamsayı";
    case Tur::Tamsayi64:
        return "64 bit tamsayı";
    case Tur::Ondalik:
        return "ondalık";
    case Tur::Mantiksal:
        return "mantıksal";
    case Tur::Nesne:
        return "nesne";
    case Tur::Tablo:
        return "tablo";
    case Tur::Akis:
        return "akış";
    case Tur::JsonDizi:
        return "JSON dizi";
    case Tur::GeriCagirma:
        return "geri çağırma";
    }
    return {};
}
