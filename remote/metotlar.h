#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Every remote method of the server class TServerMethods1, declared once:
// name, parameters in order (name, kind, in or out, class for objects) and
// result kind. The client's proxy builds its requests and reads its replies
// from this list; the server binds arguments and shapes replies from it.

// The kind of a parameter or a result as it travels.
enum class Tur : std::uint8_t
{
    Yok, // no result (a procedure)
    Metin, // string
    Tamsayi, // signed 32-bit integer
    Tamsayi64, // signed 64-bit integer (stream sizes)
    Ondalik, // double; dates travel as the day-count double
    Mantiksal, // Boolean
    Nesne, // an object in the JSON object form, or null
    Tablo, // a table result
    Akis, // a binary stream
    JsonDizi, // a JSON array
    GeriCagirma, // a callback value
};

enum class Yon : std::uint8_t
{
    Girdi,
    Cikti,
};

struct Parametre
{
    std::string_view ad;
    Tur tur;
    Yon yon = Yon::Girdi;
    std::string_view sinif = {}; // wire type name of an object ("baglantiu.TSonucBilgisi")
};

// Wire type names of the classes that travel as objects.
namespace sinif {
inline constexpr std::string_view TSonucBilgisi = "baglantiu.TSonucBilgisi";
inline constexpr std::string_view TSiparisDipAyrinti = "baglantiu.TSiparisDipAyrinti";
inline constexpr std::string_view TTusSonuclari = "baglantiu.TTusSonuclari";
inline constexpr std::string_view TMobilStok = "mobilstokunit.TMobilStok";
inline constexpr std::string_view TMobilStoklar = "mobilstokunit.TMobilStoklar";
inline constexpr std::string_view TMobilSepet = "mobilstokunit.TMobilSepet";
inline constexpr std::string_view TMobilSepetler = "mobilstokunit.TMobilSepetler";
inline constexpr std::string_view TMobilCariBilgisi = "mobilstokunit.TMobilCariBilgisi";
inline constexpr std::string_view TAcilisEkran = "mobilstokunit.TAcilisEkran";
inline constexpr std::string_view TAcilisEkranlar = "mobilstokunit.TAcilisEkranlar";
inline constexpr std::string_view TAcilisEkranlariki = "mobilstokunit.TAcilisEkranlariki";
// An object parameter that takes any class (DSServerModuleCreate's Sender).
inline constexpr std::string_view Herhangi = "System.TObject";
} // namespace sinif

// The methods, in the order of the list. MetotNo indexes tumMetotlar().
#define DOTEZMAR_METOTLAR(M)                                                                       \
    /* catalogue */                                                                                \
    M(StokAraTezmar)                                                                               \
    M(ResimVer5)                                                                                   \
    M(TezmarYenilerVer)                                                                            \
    M(TezmarKampanyaliVer)                                                                         \
    M(TezmardeAra)                                                                                 \
    /* basket */                                                                                   \
    M(SepetVer)                                                                                    \
    M(SepetEkle)                                                                                   \
    M(SepetGuncelle)                                                                               \
    M(SepetSatirSil)                                                                               \
    M(SepetHepsiniSil)                                                                             \
    M(SepetSecimGuncelle)                                                                          \
    /* order submission */                                                                         \
    M(TeslimVer)                                                                                   \
    M(KargoVer)                                                                                    \
    M(KargolarVer)                                                                                 \
    M(SiparisKaydet)                                                                               \
    /* order history */                                                                            \
    M(OncekiSiparisler2)                                                                           \
    M(SiparisAyrintisi)                                                                            \
    M(SiparisAytintisiDip)                                                                         \
    M(TumSiparislerVer)                                                                            \
    /* open order balances */                                                                      \
    M(BakiyelerVer)                                                                                \
    M(BakiyeDuzenle)                                                                               \
    M(BakiyeDegistir)                                                                              \
    M(BakiyeFiyatDegistir)                                                                         \
    /* catalogue and basket methods the client does not call */                                    \
    M(StokAra)                                                                                     \
    M(StokAraDolvan)                                                                               \
    M(Relvos)                                                                                      \
    M(MobilStokara)                                                                                \
    M(MobilStokNoAra)                                                                              \
    M(MobilStokaraGeri)                                                                            \
    M(MobilStokaraAdimli)                                                                          \
    M(DepartmanlariGetir)                                                                          \
    M(YenilerVer)                                                                                  \
    M(YenilerVerMobile)                                                                            \
    M(KampanyaliVer)                                                                               \
    M(KampanyaliVermMobil)                                                                         \
    M(ResimVer6)                                                                                   \
    M(BuyukResimVer)                                                                               \
    M(KucukResimVer)                                                                               \
    M(HttpResimVer)                                                                                \
    M(SepetMobilVer)                                                                               \
    M(MobilSiparisKaydet)                                                                          \
    M(OncekiSiparisler)                                                                            \
    M(Oncekiler)                                                                                   \
    /* login */                                                                                    \
    M(BuyukGetir)                                                                                  \
    /* customer account */                                                                         \
    M(CariEkstreVer)                                                                               \
    M(FaturaGetir)                                                                                 \
    M(FaturaAltGetir)                                                                              \
    M(Tahsilat)                                                                                    \
    M(CariDurumVer)                                                                                \
    M(MobilCariBilgisiGetir)                                                                       \
    /* customer selection and reports */                                                           \
    M(CariAra)                                                                                     \
    M(CariSepetVer)                                                                                \
    M(SepetSayisi)                                                                                 \
    M(TusSonuclariVer)                                                                             \
    M(RaporGetir)                                                                                  \
    /* start-up content */                                                                         \
    M(KayanYaziGetir)                                                                              \
    M(BannerResimVer)                                                                              \
    M(KurlariAl)                                                                                   \
    M(BalonGetir)                                                                                  \
    M(AcilisReklamAdet)                                                                            \
    M(AcilisREklamVer)                                                                             \
    M(AcilisEkranlarVer)                                                                           \
    /* documents */                                                                                \
    M(DosyaListesi2)                                                                               \
    M(BelgeIndir)                                                                                  \
    /* request mails */                                                                            \
    M(MailGonserCari)                                                                              \
    M(MailGonserCariNormal)                                                                        \
    /* account, content and file methods the client does not call */                               \
    M(DSServerModuleCreate)                                                                        \
    M(EchoString)                                                                                  \
    M(ReverseString)                                                                               \
    M(SifremiUnuttum)                                                                              \
    M(CikisGonder)                                                                                 \
    M(CariEkstreVer2)                                                                              \
    M(CariEkstreVer2Baslik)                                                                        \
    M(RaporAlinanSiparisler)                                                                       \
    M(RaporEnCokSatilanStoklar)                                                                    \
    M(DuyuruVer)                                                                                   \
    M(DuyuruVer2)                                                                                  \
    M(BalonGetir2)                                                                                 \
    M(AcilisEkranlarVer2)                                                                          \
    M(AcilisEkranlariVerData)                                                                      \
    M(DosyaListesi)                                                                                \
    M(DosyaIndir)                                                                                  \
    M(BelgeIndir2)                                                                                 \
    M(SarvepaVer)

#define DOTEZMAR_METOT_NO(ad) ad,
enum class MetotNo : int
{
    DOTEZMAR_METOTLAR(DOTEZMAR_METOT_NO) Sayi
};
#undef DOTEZMAR_METOT_NO

struct Metot
{
    MetotNo no;
    std::string_view ad; // exact name: "StokAraTezmar"
    std::span<const Parametre> parametreler; // inputs and out-parameters, in declaration order
    Tur sonuc;
    std::string_view sonucSinifi = {}; // wire type name when the result is an object
    bool istemciCagirir = true; // false for the methods the client carries but never calls

    int girdiSayisi() const;
    // Out-parameters and the result: the length of the reply's "result" array.
    int ciktiSayisi() const;
    // The reply's "result" array in order: the out-parameters, then the result.
    // Index i of the array is described by cikti(i).
    Parametre cikti(int i) const;
    // The only output is a stream: the reply's body is the raw bytes.
    bool yalnizAkisDoner() const;
    // An output is a stream beside other outputs: it travels as a byte array.
    bool akisDoner() const;
};

// Every method, in MetotNo order.
std::span<const Metot> tumMetotlar();
const Metot &metot(MetotNo no);
// The method of that name, compared case-insensitively as the server does; null when none.
const Metot *metotBul(std::string_view ad);

// DBX data type code of a kind (the code a server's method metadata reports).
int dbxKodu(Tur tur);
std::string_view turAdi(Tur tur);
