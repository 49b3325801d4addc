#include "remote/proxim.h"

#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;
using M = MetotNo;

namespace {

Deger oturum(TSonucBilgisi bilgi)
{
    return Nesne(std::move(bilgi));
}

BellekTablo tablo(Deger &d)
{
    return std::get<BellekTablo>(std::move(d));
}

QByteArray akis(Deger &d)
{
    if (QByteArray *veri = std::get_if<QByteArray>(&d))
        return std::move(*veri);
    return {}; // the server sent no stream
}

template<class T> std::optional<T> nesne(Deger &d)
{
    if (Nesne *n = std::get_if<Nesne>(&d))
        return std::get<T>(std::move(*n));
    return std::nullopt;
}

int tamsayi(const Deger &d)
{
    return std::get<qint32>(d);
}

QString metin(Deger &d)
{
    return std::get<QString>(std::move(d));
}

} // namespace

// A prepared command: the method and its path on the server.
struct TServerMethods1Client::Komut
{
    const Metot &metot;
    std::string yol;
};

TServerMethods1Client::TServerMethods1Client(SunucuBaglantisi &ADBXConnection)
    : baglanti_(ADBXConnection)
{
    if (!baglanti_.Connected()) {
        throw UzakHata(UzakHata::Tur::Baglanti,
                       u"Connection cannot be nil.  Make sure the connection has been opened."_s);
    }
}

TServerMethods1Client::TServerMethods1Client(SunucuBaglantisi &ADBXConnection, bool AInstanceOwner)
    : TServerMethods1Client(ADBXConnection)
{
    Q_UNUSED(AInstanceOwner);
}

TServerMethods1Client::~TServerMethods1Client() = default;

std::vector<Deger> TServerMethods1Client::cagir(MetotNo no, std::vector<Deger> girdiler,
                                                const AkisIlerlemesi &ilerleme)
{
    std::unique_ptr<Komut> &komut = komutlar_[static_cast<std::size_t>(no)];
    if (!komut) {
        const Metot &m = metot(no);
        komut = std::make_unique<Komut>(Komut {m, baglanti_.komutYolu(m)});
    }
    return baglanti_.calistir(komut->metot, komut->yol, girdiler, ilerleme);
}

// --- Catalogue ---

BellekTablo TServerMethods1Client::StokAraTezmar(const QString &kod, TSonucBilgisi bilgi)
{
    return tablo(cagir(M::StokAraTezmar, {kod, oturum(std::move(bilgi))})[0]);
}

QByteArray TServerMethods1Client::ResimVer5(int stokno, qint64 &boy, const AkisIlerlemesi &ilerleme)
{
    auto c = cagir(M::ResimVer5, {stokno}, ilerleme);
    boy = std::get<qint64>(c[0]);
    return akis(c[1]);
}

BellekTablo TServerMethods1Client::TezmarYenilerVer(int carino)
{
    return tablo(cagir(M::TezmarYenilerVer, {carino})[0]);
}

BellekTablo TServerMethods1Client::TezmarKampanyaliVer(int cario, int satici)
{
    return tablo(cagir(M::TezmarKampanyaliVer, {cario, satici})[0]);
}

BellekTablo TServerMethods1Client::TezmardeAra(const QString &s)
{
    return tablo(cagir(M::TezmardeAra, {s})[0]);
}

// --- Basket ---

BellekTablo TServerMethods1Client::SepetVer(int carino)
{
    return tablo(cagir(M::SepetVer, {carino})[0]);
}

int TServerMethods1Client::SepetEkle(TSonucBilgisi bilgim, int carino, int stokno,
                                     const QString &barkod, const QString &stokadi, double miktar,
                                     double kdv, double fiyat, double indirim, int verenid, int k)
{
    return tamsayi(cagir(M::SepetEkle,
                         {oturum(std::move(bilgim)), carino, stokno, barkod, stokadi, miktar, kdv,
                          fiyat, indirim, verenid, k})[0]);
}

int TServerMethods1Client::SepetGuncelle(TSonucBilgisi bilgim, int carino, int stokno,
                                         const QString &barkod, const QString &stokadi,
                                         double miktar, double kdv, double fiyat, double indirim,
                                         int verenid, int _sepetsirano)
{
    return tamsayi(cagir(M::SepetGuncelle,
                         {oturum(std::move(bilgim)), carino, stokno, barkod, stokadi, miktar, kdv,
                          fiyat, indirim, verenid, _sepetsirano})[0]);
}

int TServerMethods1Client::SepetSatirSil(TSonucBilgisi bilgi, int satirno, const QString &aciklamam)
{
    return tamsayi(cagir(M::SepetSatirSil, {oturum(std::move(bilgi)), satirno, aciklamam})[0]);
}

int TServerMethods1Client::SepetHepsiniSil(TSonucBilgisi bilgi)
{
    return tamsayi(cagir(M::SepetHepsiniSil, {oturum(std::move(bilgi))})[0]);
}

void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim)
{
    cagir(M::SepetSecimGuncelle, {sirano, secim});
}

// --- Order submission ---

BellekTablo TServerMethods1Client::TeslimVer()
{
    return tablo(cagir(M::TeslimVer, {})[0]);
}

BellekTablo TServerMethods1Client::KargoVer()
{
    return tablo(cagir(M::KargoVer, {})[0]);
}

BellekTablo TServerMethods1Client::KargolarVer(int gn)
{
    return tablo(cagir(M::KargolarVer, {gn})[0]);
}

bool TServerMethods1Client::SiparisKaydet(TSonucBilgisi BB, int _carino, int _teslim, int _kargo,
                                          const QString &_aciklama, int _verenid, int _kargoyeni)
{
    return std::get<bool>(cagir(
        M::SiparisKaydet,
        {oturum(std::move(BB)), _carino, _teslim, _kargo, _aciklama, _verenid, _kargoyeni})[0]);
}

// --- Order history ---

BellekTablo TServerMethods1Client::OncekiSiparisler2(int carino)
{
    return tablo(cagir(M::OncekiSiparisler2, {carino})[0]);
}

BellekTablo TServerMethods1Client::SiparisAyrintisi(int carino, int idnosu)
{
    return tablo(cagir(M::SiparisAyrintisi, {carino, idnosu})[0]);
}

std::optional<TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(int carino,
                                                                             int siranosu)
{
    return nesne<TSiparisDipAyrinti>(cagir(M::SiparisAytintisiDip, {carino, siranosu})[0]);
}

BellekTablo TServerMethods1Client::TumSiparislerVer(int carino, int stokno)
{
    return tablo(cagir(M::TumSiparislerVer, {carino, stokno})[0]);
}

// --- Open order balances ---

BellekTablo TServerMethods1Client::BakiyelerVer(int carino)
{
    return tablo(cagir(M::BakiyelerVer, {carino})[0]);
}

int TServerMethods1Client::BakiyeDuzenle(TSonucBilgisi k, int stokno, int sepetsirano,
                                         int siparissirano, double Adet, double Bakiye,
                                         const QString &barkod)
{
    return tamsayi(
        cagir(M::BakiyeDuzenle,
              {oturum(std::move(k)), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod})[0]);
}

int TServerMethods1Client::BakiyeDegistir(TSonucBilgisi k, int stokno, int sepetsirano,
                                          int siparissirano, double Adet, double Bakiye,
                                          const QString &barkod)
{
    return tamsayi(
        cagir(M::BakiyeDegistir,
              {oturum(std::move(k)), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod})[0]);
}

int TServerMethods1Client::BakiyeFiyatDegistir(TSonucBilgisi k, int stokno, int sepetsirano,
                                               int siparissirano, double Adet, double Bakiye,
                                               const QString &barkod, double fiyat, double ind)
{
    return tamsayi(cagir(M::BakiyeFiyatDegistir,
                         {oturum(std::move(k)), stokno, sepetsirano, siparissirano, Adet, Bakiye,
                          barkod, fiyat, ind})[0]);
}

// --- Catalogue and basket methods the client does not call ---

BellekTablo TServerMethods1Client::StokAra(const QString &kod, const QString &carino, int satici)
{
    return tablo(cagir(M::StokAra, {kod, carino, satici})[0]);
}

BellekTablo TServerMethods1Client::StokAraDolvan(const QString &kod, TSonucBilgisi bilgi)
{
    return tablo(cagir(M::StokAraDolvan, {kod, oturum(std::move(bilgi))})[0]);
}

BellekTablo TServerMethods1Client::Relvos(const QString &kod, TSonucBilgisi bilgi)
{
    return tablo(cagir(M::Relvos, {kod, oturum(std::move(bilgi))})[0]);
}

std::optional<TMobilStoklar> TServerMethods1Client::MobilStokara(const QString &kod,
                                                                 TSonucBilgisi bilgi, int neresi,
                                                                 int nekadar)
{
    return nesne<TMobilStoklar>(
        cagir(M::MobilStokara, {kod, oturum(std::move(bilgi)), neresi, nekadar})[0]);
}

std::optional<TMobilStok> TServerMethods1Client::MobilStokNoAra(int stokno, TSonucBilgisi bilgi)
{
    return nesne<TMobilStok>(cagir(M::MobilStokNoAra, {stokno, oturum(std::move(bilgi))})[0]);
}

int TServerMethods1Client::MobilStokaraGeri(const QString &kod, TSonucBilgisi bilgi, int neresi,
                                            int nekadar, const TDBXCallback &geri)
{
    Q_UNUSED(geri); // no callback channel over HTTP: the server is told null
    return tamsayi(cagir(M::MobilStokaraGeri,
                         {kod, oturum(std::move(bilgi)), neresi, nekadar, std::monostate()})[0]);
}

std::optional<TMobilStoklar>
TServerMethods1Client::MobilStokaraAdimli(const QString &kod, TSonucBilgisi bilgi, int neresi,
                                          int nekadar, int ilk, int Adet, bool &kalan, int &toplam)
{
    auto c =
        cagir(M::MobilStokaraAdimli, {kod, oturum(std::move(bilgi)), neresi, nekadar, ilk, Adet});
    kalan = std::get<bool>(c[0]);
    toplam = tamsayi(c[1]);
    return nesne<TMobilStoklar>(c[2]);
}

BellekTablo TServerMethods1Client::DepartmanlariGetir()
{
    return tablo(cagir(M::DepartmanlariGetir, {})[0]);
}

BellekTablo TServerMethods1Client::YenilerVer(int carino)
{
    return tablo(cagir(M::YenilerVer, {carino})[0]);
}

BellekTablo TServerMethods1Client::YenilerVerMobile(int carino)
{
    return tablo(cagir(M::YenilerVerMobile, {carino})[0]);
}

BellekTablo TServerMethods1Client::KampanyaliVer(int cario, int satici)
{
    return tablo(cagir(M::KampanyaliVer, {cario, satici})[0]);
}

BellekTablo TServerMethods1Client::KampanyaliVermMobil(int cario, int satici)
{
    return tablo(cagir(M::KampanyaliVermMobil, {cario, satici})[0]);
}

QJsonArray TServerMethods1Client::ResimVer6(int stokno, qint64 &boy)
{
    auto c = cagir(M::ResimVer6, {stokno});
    boy = std::get<qint64>(c[0]);
    return std::get<QJsonArray>(std::move(c[1]));
}

QString TServerMethods1Client::BuyukResimVer(int stokno, int &boy)
{
    auto c = cagir(M::BuyukResimVer, {stokno});
    boy = tamsayi(c[0]);
    return metin(c[1]);
}

QString TServerMethods1Client::KucukResimVer(int stokno)
{
    return metin(cagir(M::KucukResimVer, {stokno})[0]);
}

QByteArray TServerMethods1Client::HttpResimVer(int stokno)
{
    return akis(cagir(M::HttpResimVer, {stokno})[0]);
}

std::optional<TMobilSepetler> TServerMethods1Client::SepetMobilVer(int carino)
{
    return nesne<TMobilSepetler>(cagir(M::SepetMobilVer, {carino})[0]);
}

int TServerMethods1Client::MobilSiparisKaydet(int idnosu)
{
    return tamsayi(cagir(M::MobilSiparisKaydet, {idnosu})[0]);
}

BellekTablo TServerMethods1Client::OncekiSiparisler(int carino)
{
    return tablo(cagir(M::OncekiSiparisler, {carino})[0]);
}

BellekTablo TServerMethods1Client::Oncekiler(int carino)
{
    return tablo(cagir(M::Oncekiler, {carino})[0]);
}

// --- Login ---

std::optional<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString &idsi)
{
    return nesne<TSonucBilgisi>(cagir(M::BuyukGetir, {idsi})[0]);
}

// --- Customer account ---

BellekTablo TServerMethods1Client::CariEkstreVer(int carino)
{
    return tablo(cagir(M::CariEkstreVer, {carino})[0]);
}

BellekTablo TServerMethods1Client::FaturaGetir(int carino, int idnosu)
{
    return tablo(cagir(M::FaturaGetir, {carino, idnosu})[0]);
}

BellekTablo TServerMethods1Client::FaturaAltGetir(int idnosu)
{
    return tablo(cagir(M::FaturaAltGetir, {idnosu})[0]);
}

BellekTablo TServerMethods1Client::Tahsilat(int idnosu)
{
    return tablo(cagir(M::Tahsilat, {idnosu})[0]);
}

QString TServerMethods1Client::CariDurumVer(int carino)
{
    return metin(cagir(M::CariDurumVer, {carino})[0]);
}

std::optional<TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(int sirano,
                                                                              const QString &_idsi)
{
    return nesne<TMobilCariBilgisi>(cagir(M::MobilCariBilgisiGetir, {sirano, _idsi})[0]);
}

// --- Customer selection and reports ---

BellekTablo TServerMethods1Client::CariAra(TSonucBilgisi bil, const QString &aranan)
{
    return tablo(cagir(M::CariAra, {oturum(std::move(bil)), aranan})[0]);
}

BellekTablo TServerMethods1Client::CariSepetVer(TSonucBilgisi bil, int n)
{
    return tablo(cagir(M::CariSepetVer, {oturum(std::move(bil)), n})[0]);
}

int TServerMethods1Client::SepetSayisi(TSonucBilgisi bil)
{
    return tamsayi(cagir(M::SepetSayisi, {oturum(std::move(bil))})[0]);
}

std::optional<TTusSonuclari> TServerMethods1Client::TusSonuclariVer(TSonucBilgisi bil)
{
    return nesne<TTusSonuclari>(cagir(M::TusSonuclariVer, {oturum(std::move(bil))})[0]);
}

QByteArray TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno, int carino,
                                             const QString &saticiadi, double tarih1, double tarih2,
                                             qint64 &size, const AkisIlerlemesi &ilerleme)
{
    auto c =
        cagir(M::RaporGetir, {raporno, bolum, idno, carino, saticiadi, tarih1, tarih2}, ilerleme);
    size = std::get<qint64>(c[0]);
    return akis(c[1]);
}

// --- Start-up content ---

QString TServerMethods1Client::KayanYaziGetir()
{
    return metin(cagir(M::KayanYaziGetir, {})[0]);
}

QByteArray TServerMethods1Client::BannerResimVer(qint64 &size, const AkisIlerlemesi &ilerleme)
{
    auto c = cagir(M::BannerResimVer, {}, ilerleme);
    size = std::get<qint64>(c[0]);
    return akis(c[1]);
}

int TServerMethods1Client::KurlariAl(double &usd, double &eur)
{
    auto c = cagir(M::KurlariAl, {});
    usd = std::get<double>(c[0]);
    eur = std::get<double>(c[1]);
    return tamsayi(c[2]);
}

BellekTablo TServerMethods1Client::BalonGetir(TSonucBilgisi bil)
{
    return tablo(cagir(M::BalonGetir, {oturum(std::move(bil))})[0]);
}

int TServerMethods1Client::AcilisReklamAdet()
{
    return tamsayi(cagir(M::AcilisReklamAdet, {})[0]);
}

std::optional<TAcilisEkran> TServerMethods1Client::AcilisREklamVer(int sira)
{
    return nesne<TAcilisEkran>(cagir(M::AcilisREklamVer, {sira})[0]);
}

std::optional<TAcilisEkranlar> TServerMethods1Client::AcilisEkranlarVer()
{
    return nesne<TAcilisEkranlar>(cagir(M::AcilisEkranlarVer, {})[0]);
}

// --- Documents ---

BellekTablo TServerMethods1Client::DosyaListesi2()
{
    return tablo(cagir(M::DosyaListesi2, {})[0]);
}

QByteArray TServerMethods1Client::BelgeIndir(int sirano, qint64 &size, QString &adi,
                                             const AkisIlerlemesi &ilerleme)
{
    auto c = cagir(M::BelgeIndir, {sirano}, ilerleme);
    size = std::get<qint64>(c[0]);
    adi = metin(c[1]);
    return akis(c[2]);
}

// --- Request mails ---

int TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik,
                                          const QString &firmaadi, const QString &adres1,
                                          const QString &adres2, const QString &ilce,
                                          const QString &sehir, const QString &telefon,
                                          const QString &fax, const QString &vd, const QString &vn,
                                          const QString &yetkili, const QString &kullaniciadi,
                                          const QString &sifre, const QString &mail,
                                          const QString &kargoambar)
{
    return tamsayi(cagir(M::MailGonserCari,
                         {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn,
                          yetkili, kullaniciadi, sifre, mail, kargoambar})[0]);
}

int TServerMethods1Client::MailGonserCariNormal(
    const QString &idsi, const QString &baslik, const QString &firmaadi, const QString &adres1,
    const QString &adres2, const QString &ilce, const QString &sehir, const QString &telefon,
    const QString &fax, const QString &vd, const QString &vn, const QString &yetkili,
    const QString &kullaniciadi, const QString &sifre, const QString &mail,
    const QString &kargoambar, const QString &konu)
{
    return tamsayi(cagir(M::MailGonserCariNormal,
                         {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn,
                          yetkili, kullaniciadi, sifre, mail, kargoambar, konu})[0]);
}

// --- Account, content and file methods the client does not call ---

void TServerMethods1Client::DSServerModuleCreate(std::optional<Nesne> Sender)
{
    cagir(M::DSServerModuleCreate, {Sender ? Deger(std::move(*Sender)) : Deger(std::monostate())});
}

QString TServerMethods1Client::EchoString(const QString &Value)
{
    return metin(cagir(M::EchoString, {Value})[0]);
}

QString TServerMethods1Client::ReverseString(const QString &Value)
{
    return metin(cagir(M::ReverseString, {Value})[0]);
}

bool TServerMethods1Client::SifremiUnuttum(const QString &idsi, int &mailvarmi)
{
    auto c = cagir(M::SifremiUnuttum, {idsi});
    mailvarmi = tamsayi(c[0]);
    return std::get<bool>(c[1]);
}

void TServerMethods1Client::CikisGonder(TSonucBilgisi bilgi)
{
    cagir(M::CikisGonder, {oturum(std::move(bilgi))});
}

BellekTablo TServerMethods1Client::CariEkstreVer2(int carino, double TARIH1, double TARIH2)
{
    return tablo(cagir(M::CariEkstreVer2, {carino, TARIH1, TARIH2})[0]);
}

BellekTablo TServerMethods1Client::CariEkstreVer2Baslik(int carino, double tarih1)
{
    return tablo(cagir(M::CariEkstreVer2Baslik, {carino, tarih1})[0]);
}

BellekTablo TServerMethods1Client::RaporAlinanSiparisler(TSonucBilgisi bilgi, double tarih1,
                                                         double tarih2)
{
    return tablo(cagir(M::RaporAlinanSiparisler, {oturum(std::move(bilgi)), tarih1, tarih2})[0]);
}

BellekTablo TServerMethods1Client::RaporEnCokSatilanStoklar(TSonucBilgisi bilgi, double tarih1,
                                                            double tarih2)
{
    return tablo(cagir(M::RaporEnCokSatilanStoklar, {oturum(std::move(bilgi)), tarih1, tarih2})[0]);
}

BellekTablo TServerMethods1Client::DuyuruVer()
{
    return tablo(cagir(M::DuyuruVer, {})[0]);
}

BellekTablo TServerMethods1Client::DuyuruVer2()
{
    return tablo(cagir(M::DuyuruVer2, {})[0]);
}

int TServerMethods1Client::BalonGetir2(int carino, int &sepet, int &yenistok, int &kampnayali,
                                       int &duyuru, int &Bakiye, int &dosya)
{
    auto c = cagir(M::BalonGetir2, {carino});
    sepet = tamsayi(c[0]);
    yenistok = tamsayi(c[1]);
    kampnayali = tamsayi(c[2]);
    duyuru = tamsayi(c[3]);
    Bakiye = tamsayi(c[4]);
    dosya = tamsayi(c[5]);
    return tamsayi(c[6]);
}

std::optional<TAcilisEkranlariki> TServerMethods1Client::AcilisEkranlarVer2()
{
    return nesne<TAcilisEkranlariki>(cagir(M::AcilisEkranlarVer2, {})[0]);
}

BellekTablo TServerMethods1Client::AcilisEkranlariVerData()
{
    return tablo(cagir(M::AcilisEkranlariVerData, {})[0]);
}

BellekTablo TServerMethods1Client::DosyaListesi()
{
    return tablo(cagir(M::DosyaListesi, {})[0]);
}

QByteArray TServerMethods1Client::DosyaIndir(qint64 &size, const AkisIlerlemesi &ilerleme)
{
    auto c = cagir(M::DosyaIndir, {}, ilerleme);
    size = std::get<qint64>(c[0]);
    return akis(c[1]);
}

QByteArray TServerMethods1Client::BelgeIndir2(int sirano, qint64 &size, QString &adi,
                                              TSonucBilgisi bilgi, const AkisIlerlemesi &ilerleme)
{
    auto c = cagir(M::BelgeIndir2, {sirano, oturum(std::move(bilgi))}, ilerleme);
    size = std::get<qint64>(c[0]);
    adi = metin(c[1]);
    return akis(c[2]);
}

QByteArray TServerMethods1Client::SarvepaVer()
{
    return akis(cagir(M::SarvepaVer, {})[0]);
}
