#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include "remote/baglantiu.h"
#include "remote/cagri.h"
#include "remote/mobilstokunit.h"
#include "remote/sunucubaglantisi.h"
#include "remote/tablo/bellektablo.h"

// A callback value through which a server could call back during a call. The
// HTTP transport has no channel for it: it travels as null.
using TDBXCallback = std::function<QJsonValue(const QJsonValue &)>;

// An object a method returned, or an empty object of its class when the
// server sent none: for callers that copy the result with Kopyala.
template<class T> T nesneVeyaBos(std::optional<T> nesne)
{
    return nesne ? std::move(*nesne) : T {};
}

// The client of the server class TServerMethods1: one method per remote
// method, with its name, parameters in order and result kind. Out-parameters
// are reference arguments. Everything is a value: a session record passed in
// is a copy, and tables, objects and streams returned belong to the caller,
// so nothing a call returned depends on the proxy or the connection.
//
// A method's command is prepared on its first call and reused by later calls
// on the same proxy. A failed call throws UzakHata. A proxy uses its
// connection and must not outlive it; both belong to one thread.
class TServerMethods1Client final
{
public:
    // Throws UzakHata "Connection cannot be nil.  Make sure the connection has
    // been opened." when the connection is not open.
    explicit TServerMethods1Client(SunucuBaglantisi &ADBXConnection);
    // AInstanceOwner is kept for the callers that pass it; with values there
    // is nothing left for the proxy to own.
    TServerMethods1Client(SunucuBaglantisi &ADBXConnection, bool AInstanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client &) = delete;
    TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

    // --- Catalogue ---
    BellekTablo StokAraTezmar(const QString &kod, TSonucBilgisi bilgi);
    // Streams: the content when its length matched the announced size (boy),
    // otherwise empty; ilerleme hears the percent after every 1024-byte block.
    QByteArray ResimVer5(int stokno, qint64 &boy, const AkisIlerlemesi &ilerleme = {});
    BellekTablo TezmarYenilerVer(int carino);
    BellekTablo TezmarKampanyaliVer(int cario, int satici);
    BellekTablo TezmardeAra(const QString &s);

    // --- Basket ---
    BellekTablo SepetVer(int carino);
    int SepetEkle(TSonucBilgisi bilgim, int carino, int stokno, const QString &barkod,
                  const QString &stokadi, double miktar, double kdv, double fiyat, double indirim,
                  int verenid, int k);
    int SepetGuncelle(TSonucBilgisi bilgim, int carino, int stokno, const QString &barkod,
                      const QString &stokadi, double miktar, double kdv, double fiyat,
                      double indirim, int verenid, int _sepetsirano);
    int SepetSatirSil(TSonucBilgisi bilgi, int satirno, const QString &aciklamam);
    int SepetHepsiniSil(TSonucBilgisi bilgi);
    void SepetSecimGuncelle(int sirano, int secim);

    // --- Order submission ---
    BellekTablo TeslimVer();
    BellekTablo KargoVer();
    BellekTablo KargolarVer(int gn);
    bool SiparisKaydet(TSonucBilgisi BB, int _carino, int _teslim, int _kargo,
                       const QString &_aciklama, int _verenid, int _kargoyeni);

    // --- Order history ---
    BellekTablo OncekiSiparisler2(int carino);
    BellekTablo SiparisAyrintisi(int carino, int idnosu);
    std::optional<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    BellekTablo TumSiparislerVer(int carino, int stokno);

    // --- Open order balances ---
    BellekTablo BakiyelerVer(int carino);
    int BakiyeDuzenle(TSonucBilgisi k, int stokno, int sepetsirano, int siparissirano, double Adet,
                      double Bakiye, const QString &barkod);
    int BakiyeDegistir(TSonucBilgisi k, int stokno, int sepetsirano, int siparissirano, double Adet,
                       double Bakiye, const QString &barkod);
    int BakiyeFiyatDegistir(TSonucBilgisi k, int stokno, int sepetsirano, int siparissirano,
                            double Adet, double Bakiye, const QString &barkod, double fiyat,
                            double ind);

    // --- Catalogue and basket methods the client does not call ---
    BellekTablo StokAra(const QString &kod, const QString &carino, int satici);
    BellekTablo StokAraDolvan(const QString &kod, TSonucBilgisi bilgi);
    BellekTablo Relvos(const QString &kod, TSonucBilgisi bilgi);
    std::optional<TMobilStoklar> MobilStokara(const QString &kod, TSonucBilgisi bilgi, int neresi,
                                              int nekadar);
    std::optional<TMobilStok> MobilStokNoAra(int stokno, TSonucBilgisi bilgi);
    int MobilStokaraGeri(const QString &kod, TSonucBilgisi bilgi, int neresi, int nekadar,
                         const TDBXCallback &geri);
    std::optional<TMobilStoklar> MobilStokaraAdimli(const QString &kod, TSonucBilgisi bilgi,
                                                    int neresi, int nekadar, int ilk, int Adet,
                                                    bool &kalan, int &toplam);
    BellekTablo DepartmanlariGetir();
    BellekTablo YenilerVer(int carino);
    BellekTablo YenilerVerMobile(int carino);
    BellekTablo KampanyaliVer(int cario, int satici);
    BellekTablo KampanyaliVermMobil(int cario, int satici);
    QJsonArray ResimVer6(int stokno, qint64 &boy);
    QString BuyukResimVer(int stokno, int &boy);
    QString KucukResimVer(int stokno);
    // The stream is the only output: the reply's body as it came.
    QByteArray HttpResimVer(int stokno);
    std::optional<TMobilSepetler> SepetMobilVer(int carino);
    int MobilSiparisKaydet(int idnosu);
    BellekTablo OncekiSiparisler(int carino);
    BellekTablo Oncekiler(int carino);

    // --- Login ---
    std::optional<TSonucBilgisi> BuyukGetir(const QString &idsi);

    // --- Customer account ---
    BellekTablo CariEkstreVer(int carino);
    BellekTablo FaturaGetir(int carino, int idnosu);
    BellekTablo FaturaAltGetir(int idnosu);
    BellekTablo Tahsilat(int idnosu);
    QString CariDurumVer(int carino);
    std::optional<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString &_idsi);

    // --- Customer selection and reports ---
    BellekTablo CariAra(TSonucBilgisi bil, const QString &aranan);
    BellekTablo CariSepetVer(TSonucBilgisi bil, int n);
    int SepetSayisi(TSonucBilgisi bil);
    std::optional<TTusSonuclari> TusSonuclariVer(TSonucBilgisi bil);
    QByteArray RaporGetir(int raporno, int bolum, int idno, int carino, const QString &saticiadi,
                          double tarih1, double tarih2, qint64 &size,
                          const AkisIlerlemesi &ilerleme = {});

    // --- Start-up content ---
    QString KayanYaziGetir();
    QByteArray BannerResimVer(qint64 &size, const AkisIlerlemesi &ilerleme = {});
    int KurlariAl(double &usd, double &eur);
    BellekTablo BalonGetir(TSonucBilgisi bil);
    int AcilisReklamAdet();
    std::optional<TAcilisEkran> AcilisREklamVer(int sira);
    std::optional<TAcilisEkranlar> AcilisEkranlarVer();

    // --- Documents ---
    BellekTablo DosyaListesi2();
    QByteArray BelgeIndir(int sirano, qint64 &size, QString &adi,
                          const AkisIlerlemesi &ilerleme = {});

    // --- Request mails ---
    int MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                       const QString &adres1, const QString &adres2, const QString &ilce,
                       const QString &sehir, const QString &telefon, const QString &fax,
                       const QString &vd, const QString &vn, const QString &yetkili,
                       const QString &kullaniciadi, const QString &sifre, const QString &mail,
                       const QString &kargoambar);
    int MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                             const QString &adres1, const QString &adres2, const QString &ilce,
                             const QString &sehir, const QString &telefon, const QString &fax,
                             const QString &vd, const QString &vn, const QString &yetkili,
                             const QString &kullaniciadi, const QString &sifre, const QString &mail,
                             const QString &kargoambar, const QString &konu);

    // --- Account, content and file methods the client does not call ---
    void DSServerModuleCreate(std::optional<Nesne> Sender);
    QString EchoString(const QString &Value);
    QString ReverseString(const QString &Value);
    bool SifremiUnuttum(const QString &idsi, int &mailvarmi);
    void CikisGonder(TSonucBilgisi bilgi);
    BellekTablo CariEkstreVer2(int carino, double TARIH1, double TARIH2);
    BellekTablo CariEkstreVer2Baslik(int carino, double tarih1);
    BellekTablo RaporAlinanSiparisler(TSonucBilgisi bilgi, double tarih1, double tarih2);
    BellekTablo RaporEnCokSatilanStoklar(TSonucBilgisi bilgi, double tarih1, double tarih2);
    BellekTablo DuyuruVer();
    BellekTablo DuyuruVer2();
    int BalonGetir2(int carino, int &sepet, int &yenistok, int &kampnayali, int &duyuru,
                    int &Bakiye, int &dosya);
    std::optional<TAcilisEkranlariki> AcilisEkranlarVer2();
    BellekTablo AcilisEkranlariVerData();
    BellekTablo DosyaListesi();
    QByteArray DosyaIndir(qint64 &size, const AkisIlerlemesi &ilerleme = {});
    QByteArray BelgeIndir2(int sirano, qint64 &size, QString &adi, TSonucBilgisi bilgi,
                           const AkisIlerlemesi &ilerleme = {});
    QByteArray SarvepaVer();

private:
    struct Komut;
    std::vector<Deger> cagir(MetotNo no, std::vector<Deger> girdiler,
                             const AkisIlerlemesi &ilerleme = {});

    SunucuBaglantisi &baglanti_;
    // One command slot per method, made on the method's first call.
    std::array<std::unique_ptr<Komut>, static_cast<std::size_t>(MetotNo::Sayi)> komutlar_;
};
