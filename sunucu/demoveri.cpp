#include "sunucu/demoveri.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <map>
#include <set>

#include <QTime>

#include "sunucu/demoicerik.h"
#include "sunucu/hesaplar.h"
#include "sunucu/katalog.h"

using namespace Qt::StringLiterals;

namespace {

// A small generator of our own (splitmix64): the standard distributions
// differ between libraries, and the same seed must give the same data
// everywhere.
class Rastgele
{
public:
    explicit Rastgele(std::uint64_t tohum)
        : durum_(tohum)
    {
    }
    std::uint64_t sonraki()
    {
        std::uint64_t z = (durum_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // An integer in [enAz, enCok].
    int aralik(int enAz, int enCok)
    {
        return enAz + static_cast<int>(sonraki() % static_cast<std::uint64_t>(enCok - enAz + 1));
    }
    double kesir() { return static_cast<double>(sonraki() >> 11) / 9007199254740992.0; }
    bool olasilik(double p) { return kesir() < p; }
    template<class T, size_t N>
    const T &sec(const T (&dizi)[N])
    {
        return dizi[sonraki() % N];
    }
    template<class T>
    const T &sec(const std::vector<T> &dizi)
    {
        return dizi[sonraki() % dizi.size()];
    }
    QString rakamlar(int n)
    {
        QString s(n, Qt::Uninitialized);
        for (QChar &c : s)
            c = QChar(u'0' + static_cast<char16_t>(sonraki() % 10));
        return s;
    }

private:
    std::uint64_t durum_;
};

std::uint64_t karistir(std::uint64_t a, std::uint64_t b)
{
    Rastgele r(a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull));
    return r.sonraki();
}

double yuvarla2(double d)
{
    return std::round(d * 100.0) / 100.0;
}

// --- fictional catalogue content ---

struct AltGrup
{
    const char16_t *ad;
    int resim;
    const char16_t *ekler[3];
};
struct AnaGrup
{
    const char16_t *ad;
    const char16_t *kod;
    const char16_t *departman;
    std::vector<AltGrup> altlar;
};

const std::vector<AnaGrup> &gruplar()
{
    static const std::vector<AnaGrup> g = {
        {u"FREN SİSTEMİ", u"FR", u"MEKANİK",
         {{u"FREN DİSKİ", 0, {u"ÖN HAVALI", u"ARKA", u"ÖN 280MM"}},
          {u"FREN BALATASI", 3, {u"ÖN TAKIM", u"ARKA TAKIM", u"ÖN FİŞLİ"}},
          {u"FREN KALİPERİ", 0, {u"ÖN SOL", u"ÖN SAĞ", u"ARKA SOL"}}}},
        {u"FİLTRE", u"FL", u"BAKIM",
         {{u"YAĞ FİLTRESİ", 1, {u"", u"KARTUŞ", u"UZUN"}},
          {u"HAVA FİLTRESİ", 1, {u"", u"YUVARLAK", u"PANEL"}},
          {u"POLEN FİLTRESİ", 1, {u"", u"KARBONLU", u""}},
          {u"YAKIT FİLTRESİ", 1, {u"DİZEL", u"BENZİNLİ", u""}}}},
        {u"ATEŞLEME", u"AT", u"ELEKTRİK",
         {{u"BUJİ", 2, {u"İRİDYUM", u"PLATİN", u"NİKEL"}},
          {u"ATEŞLEME BOBİNİ", 2, {u"", u"KALEM TİP", u""}}}},
        {u"SÜSPANSİYON", u"SS", u"MEKANİK",
         {{u"AMORTİSÖR", 4, {u"ÖN GAZLI", u"ARKA GAZLI", u"ÖN YAĞLI"}},
          {u"ROTİL", 4, {u"ALT SOL", u"ALT SAĞ", u""}},
          {u"SALINCAK", 4, {u"ÖN SOL", u"ÖN SAĞ", u"KOMPLE"}}}},
        {u"MOTOR", u"MT", u"MEKANİK",
         {{u"TRİGER SETİ", 6, {u"", u"DEVİRDAİMLİ", u""}},
          {u"V KAYIŞI", 6, {u"6PK", u"5PK", u"4PK"}},
          {u"SU POMPASI", 6, {u"", u"CONTALI", u""}}}},
        {u"AYDINLATMA", u"AY", u"ELEKTRİK",
         {{u"FAR AMPULÜ", 5, {u"H7 12V 55W", u"H4 12V 60/55W", u"H1 12V 55W"}},
          {u"STOP LAMBASI", 5, {u"SOL", u"SAĞ", u"ÜÇÜNCÜ"}}}},
        {u"KAROSER", u"KR", u"AKSESUAR",
         {{u"SİLECEK SÜPÜRGESİ", 7, {u"600MM", u"450MM", u"ARKA"}},
          {u"AYNA CAMI", 7, {u"SOL ISITMALI", u"SAĞ ISITMALI", u"SOL"}}}},
    };
    return g;
}

struct AracMarkasi
{
    const char16_t *ad;
    std::vector<const char16_t *> modeller;
    int oemBicimi;
};
const std::vector<AracMarkasi> &araclar()
{
    static const std::vector<AracMarkasi> a = {
        {u"RENAULT", {u"CLIO III", u"MEGANE II", u"FLUENCE", u"KANGOO"}, 0},
        {u"FIAT", {u"DOBLO", u"LINEA", u"EGEA", u"PALIO"}, 1},
        {u"FORD", {u"FOCUS II", u"FIESTA", u"TRANSIT CONNECT", u"MONDEO"}, 2},
        {u"VOLKSWAGEN", {u"GOLF VI", u"PASSAT B6", u"POLO", u"CADDY"}, 3},
        {u"TOYOTA", {u"COROLLA", u"YARIS", u"AURIS"}, 4},
        {u"HYUNDAI", {u"ACCENT ERA", u"I20", u"GETZ"}, 4},
        {u"OPEL", {u"ASTRA H", u"CORSA D", u"VECTRA C"}, 5},
        {u"PEUGEOT", {u"301", u"PARTNER", u"206"}, 6},
        {u"DACIA", {u"DUSTER", u"LOGAN", u"SANDERO"}, 0},
    };
    return a;
}

// Part brands (fictional) with the way each writes its own codes.
struct Uretici
{
    const char16_t *ad;
    int kodBicimi;
};
const Uretici ureticiler[] = {{u"DORUK", 0}, {u"ANKA", 1}, {u"ÇELİKPARÇA", 2}, {u"MAVİFREN", 1},
                              {u"ODAK", 3}, {u"TEKNOSER", 0}, {u"YILDIZOTO", 2}, {u"KARTALPRO", 3},
                              {u"EGEFİLTRE", 1}, {u"SÜRAT", 2}};

// Digits in groups joined by one separator: "7701 208 265", "51712-1C000".
QString gruplu(Rastgele &r, std::initializer_list<int> uzunluklar, QChar ayirici)
{
    QString s;
    for (const int n : uzunluklar) {
        if (!s.isEmpty() && !ayirici.isNull())
            s += ayirici;
        s += r.rakamlar(n);
    }
    return s;
}

QChar rastgeleAyirici(Rastgele &r)
{
    const char16_t ayiricilar[] = {u' ', u'-', u'.', 0};
    return QChar(r.sec(ayiricilar));
}

QString oemNumarasi(Rastgele &r, int bicim)
{
    switch (bicim) {
    case 0:
        return gruplu(r, {2, 2, 3, 3}, rastgeleAyirici(r));
    case 1:
        return r.rakamlar(8);
    case 2:
        return gruplu(r, {1, 3, 3}, rastgeleAyirici(r));
    case 3: {
        const char16_t harfler[] = u"ABCDEFGHJK";
        return r.rakamlar(1) + QChar(harfler[r.aralik(0, 9)]) + r.rakamlar(1) + u' ' + r.rakamlar(3)
                + u' ' + r.rakamlar(3) + (r.olasilik(0.5) ? u" A"_s : QString());
    }
    case 4:
        return r.rakamlar(5) + u'-' + r.rakamlar(5);
    case 5:
        return gruplu(r, {2, 3, 3}, rastgeleAyirici(r));
    default:
        return r.rakamlar(4) + u'.' + r.rakamlar(2);
    }
}

QString ureticiKodu(Rastgele &r, int bicim)
{
    switch (bicim) {
    case 0:
        return gruplu(r, {1, 3, 3, 3}, u' ');
    case 1:
        return r.rakamlar(2) + u'.' + r.rakamlar(4) + u'-' + r.rakamlar(4) + u'.' + r.rakamlar(1);
    case 2:
        return u"DF-"_s + r.rakamlar(4);
    default:
        return r.rakamlar(8);
    }
}

// Everything about one catalogue item, made from the seed and its number
// alone, so that each table's pass can make it again.
struct Kalem
{
    int stokno = 0;
    QString finishkod, adi, digeradi, ureticikodu, uretici, oemno, dpkod, pkod, ozelkod, birim;
    QString marka, model, anagrup, altgrup, departman, doviz, maliyetDoviz;
    double kdv = 18, listeFiyati = 0, fiyat = 0, maliyet = 0, kalan = 0;
    double kampanyaFiyati = 0, eskiFiyat = 0;
    int durum = 0, yeni = 0, kampanya = 0, resimNo = 0;
    QStringList oemler;
    QStringList barkodlar;
};

constexpr double usdKuru = 32.45;
constexpr double eurKuru = 35.12;

Kalem kalemUret(std::uint64_t tohum, int stokno)
{
    Rastgele r(karistir(tohum, static_cast<std::uint64_t>(stokno)));
    Kalem k;
    k.stokno = stokno;
    const AnaGrup &ana = r.sec(gruplar());
    const AltGrup &alt = r.sec(ana.altlar);
    const AracMarkasi &arac = r.sec(araclar());
    const Uretici &ur = r.sec(ureticiler);
    k.anagrup = QString::fromUtf16(ana.ad);
    k.altgrup = QString::fromUtf16(alt.ad);
    k.departman = QString::fromUtf16(ana.departman);
    k.marka = QString::fromUtf16(arac.ad);
    k.model = QString::fromUtf16(r.sec(arac.modeller));
    k.uretici = QString::fromUtf16(ur.ad);
    const QString ek = QString::fromUtf16(alt.ekler[r.aralik(0, 2)]);
    k.adi = QString(k.altgrup + (ek.isEmpty() ? QString() : u' ' + ek) + u' ' + k.marka + u' ' + k.model);
    k.digeradi = k.uretici + u' ' + k.altgrup;
    // Our own code, written the several ways the catalogue grew up with.
    const QString no = QString::number(10000 + stokno);
    switch (r.aralik(0, 3)) {
    case 0:
        k.finishkod = QString::fromUtf16(ana.kod) + u'-' + no;
        break;
    case 1:
        k.finishkod = QString::fromUtf16(ana.kod) + u'.' + no;
        break;
    case 2:
        k.finishkod = QString::fromUtf16(ana.kod) + u' ' + no;
        break;
    default:
        k.finishkod = QString::fromUtf16(ana.kod) + no + u"/A"_s;
    }
    k.ureticikodu = ureticiKodu(r, ur.kodBicimi);
    k.oemno = oemNumarasi(r, arac.oemBicimi);
    const int oemSayisi = r.aralik(1, 4);
    for (int i = 0; i < oemSayisi; ++i)
        k.oemler << oemNumarasi(r, r.sec(araclar()).oemBicimi);
    k.dpkod = u"D"_s + r.rakamlar(5);
    k.pkod = u"P"_s + r.rakamlar(4);
    k.ozelkod = QString::fromUtf16(ana.kod) + QString::number(r.aralik(1, 9));
    k.birim = alt.resim == 3 || alt.resim == 7 ? u"TAKIM"_s : u"ADET"_s;
    const int kdvler[] = {18, 18, 18, 18, 8, 20};
    k.kdv = r.sec(kdvler);

    k.fiyat = yuvarla2(std::exp(std::log(40.0) + r.kesir() * (std::log(12000.0) - std::log(40.0))));
    const int dovizSecimi = r.aralik(0, 9);
    k.doviz = dovizSecimi < 6 ? u"TL"_s : dovizSecimi < 9 ? u"EUR"_s : u"USD"_s;
    k.listeFiyati = k.doviz == u"TL" ? k.fiyat : yuvarla2(k.fiyat / (k.doviz == u"EUR" ? eurKuru : usdKuru));
    k.maliyetDoviz = k.doviz == u"TL" ? u"TL"_s : k.doviz == u"EUR" ? u"€"_s : u"$"_s;
    k.maliyet = yuvarla2(k.listeFiyati * (0.55 + 0.15 * r.kesir()) * 1.18);

    // Stock status: the first six items carry one status each, so every
    // status is there whatever the size.
    const int durumlar[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 2, 2, 3, 3, 4, 5, 5};
    k.durum = stokno <= 6 ? stokno - 1 : r.sec(durumlar);
    k.kalan = k.durum == 1 ? r.aralik(1, 400) : 0;
    k.yeni = r.olasilik(0.02) || stokno % 97 == 0 ? 1 : 0;
    if (r.olasilik(0.03) || stokno % 89 == 0) {
        k.kampanya = r.aralik(1, 3);
        k.eskiFiyat = k.fiyat;
        k.kampanyaFiyati = yuvarla2(k.fiyat * (0.7 + 0.2 * r.kesir()));
    }
    k.resimNo = r.olasilik(0.7) ? alt.resim + 1 : 0;

    k.barkodlar << ean13(u"8691"_s + QString::number(stokno).rightJustified(8, u'0'));
    if (r.olasilik(0.1))
        k.barkodlar << ean13(u"405"_s + QString::number(stokno).rightJustified(9, u'0'));
    return k;
}

// Hands the items 1..n to isle in order. They are made in batches on a
// second thread while isle writes the batch before; an item depends on the
// seed and its number alone, so the thread changes nothing in what is made.
template<class Isle> void kalemleriSiraylaUret(std::uint64_t tohum, int n, Isle &&isle)
{
    constexpr int parca = 4096;
    const auto uret = [tohum, n](int bas) {
        std::vector<Kalem> kalemler;
        kalemler.reserve(parca);
        for (int s = bas; s < bas + parca && s <= n; ++s)
            kalemler.push_back(kalemUret(tohum, s));
        return kalemler;
    };
    std::future<std::vector<Kalem>> sonraki = std::async(std::launch::async, uret, 1);
    for (int bas = 1; bas <= n; bas += parca) {
        const std::vector<Kalem> bu = sonraki.get();
        if (bas + parca <= n)
            sonraki = std::async(std::launch::async, uret, bas + parca);
        for (const Kalem &k : bu)
            isle(k);
    }
}

// --- accounts and people ---

const char16_t *const soyadlar[] = {u"YILMAZ", u"KAYA", u"DEMİR", u"ŞAHİN", u"ÇELİK", u"YILDIZ",
                                    u"YILDIRIM", u"ÖZTÜRK", u"AYDIN", u"ÖZDEMİR", u"ARSLAN", u"DOĞAN",
                                    u"KILIÇ", u"ASLAN", u"ÇETİN", u"KARA", u"KOÇ", u"KURT", u"ÖZKAN",
                                    u"ŞİMŞEK", u"POLAT", u"ERDOĞAN", u"GÜNEŞ", u"AKSOY"};
const char16_t *const adlar[] = {u"AHMET", u"MEHMET", u"MUSTAFA", u"AYŞE", u"FATMA", u"EMİNE",
                                 u"ALİ", u"HÜSEYİN", u"HASAN", u"ZEYNEP", u"ELİF", u"MURAT",
                                 u"ÖMER", u"SELİN", u"CAN", u"BURAK", u"DERYA", u"SERKAN"};
struct Sehir
{
    const char16_t *il;
    const char16_t *ilceler[3];
    const char16_t *alan;
};
const Sehir sehirler[] = {
    {u"İSTANBUL", {u"İKİTELLİ", u"BAYRAMPAŞA", u"KARTAL"}, u"212"},
    {u"ANKARA", {u"OSTİM", u"SİTELER", u"ETİMESGUT"}, u"312"},
    {u"İZMİR", {u"BORNOVA", u"GAZİEMİR", u"KARŞIYAKA"}, u"232"},
    {u"BURSA", {u"NİLÜFER", u"OSMANGAZİ", u"YILDIRIM"}, u"224"},
    {u"KONYA", {u"KARATAY", u"SELÇUKLU", u"MERAM"}, u"332"},
    {u"ADANA", {u"SEYHAN", u"YÜREĞİR", u"ÇUKUROVA"}, u"322"},
    {u"KAYSERİ", {u"MELİKGAZİ", u"KOCASİNAN", u"TALAS"}, u"352"},
    {u"SAMSUN", {u"İLKADIM", u"ATAKUM", u"CANİK"}, u"362"},
};
const char16_t *const firmaEkleri[] = {u"OTO YEDEK PARÇA LTD. ŞTİ.", u"OTOMOTİV SAN. TİC. A.Ş.",
                                       u"OTO SANAYİ", u"YEDEK PARÇA TİC. LTD. ŞTİ.", u"OTO MARKET"};

} // namespace

std::span<const DemoHesabi> demoHesaplari()
{
    static const DemoHesabi hesaplar[] = {
        {u"DEMO-BAYI-0"_s, u"BAYI0"_s, u"DEMO0"_s, 0, u"120.34.0001"_s, u"bayi, tip 0"_s},
        {u"DEMO-BAYI-3"_s, u"BAYI3"_s, u"DEMO3"_s, 3, u"120.06.0002"_s, u"bayi, tip 3"_s},
        {u"DEMO-BAYI-4"_s, u"BAYI4"_s, u"DEMO4"_s, 4, u"120.35.0003"_s, u"bayi, tip 4 (kampanya sekmesi yok)"_s},
        {u"DEMO-BDM"_s, u"BDM"_s, u"DEMOBDM"_s, 0, u"BDM.34.001"_s, u"BDM hesabı: personel görünümü, maliyet fiyatı"_s},
        {u"DEMO-TEMSILCI-1"_s, u"TEMSILCI1"_s, u"DEMO1"_s, 1, u"100.00.001"_s, u"satış temsilcisi, tip 1"_s},
        {u"DEMO-TEMSILCI-2"_s, u"TEMSILCI2"_s, u"DEMO2"_s, 2, u"100.00.001"_s, u"satış temsilcisi, tip 2 (fiyat değiştirir)"_s},
    };
    return hesaplar;
}

QString ean13(const QString &ilkOnIkiHane)
{
    int toplam = 0;
    for (int i = 0; i < 12; ++i)
        toplam += (ilkOnIkiHane[i].unicode() - u'0') * (i % 2 ? 3 : 1);
    return ilkOnIkiHane + QChar(u'0' + static_cast<char16_t>((10 - toplam % 10) % 10));
}

bool ean13Gecerli(const QString &barkod)
{
    if (barkod.size() != 13)
        return false;
    for (const QChar c : barkod) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return ean13(barkod.left(12)) == barkod;
}

QString aramaAnahtari(const QString &kod)
{
    QString s;
    s.reserve(kod.size());
    for (const QChar c : kod.toUpper()) {
        if (c.isLetterOrNumber())
            s += c;
    }
    return s;
}

namespace {

class Uretec
{
public:
    Uretec(Veritabani &vt, const DemoAyarlari &a, const std::function<void(const QString &)> &ilerleme)
        : vt_(vt)
        , a_(a)
        , r_(karistir(a.tohum, 0xD0E2))
        , ilerleme_(ilerleme)
    {
    }

    void uret()
    {
        adim(u"sabit tablolar"_s);
        sabitler();
        adim(u"resimler"_s);
        resimler();
        adim(u"katalog (%1 kalem)"_s.arg(a_.stokSayisi));
        katalog();
        adim(u"cariler, temsilciler, kullanıcılar"_s);
        cariler();
        adim(u"sepetler"_s);
        sepetler();
        adim(u"siparişler, teslimatlar, faturalar, tahsilatlar"_s);
        siparisler();
        adim(u"belgeler, duyurular, haber satırı, afiş"_s);
        icerik();
        // The search index, in the same load: its rows are written as fast
        // as the catalogue's, and the database is never without it.
        adim(u"katalog arama dizini"_s);
        katalogDiziniKur(vt_);
        vt_.kimlikSayaclariniDuzelt();
        // The indexes are made once the rows are in, then the whole is
        // committed.
        adim(u"dizinler ve kayıt"_s);
    }

private:
    void adim(const QString &ad)
    {
        if (ilerleme_)
            ilerleme_(ad);
    }

    // Writes rows into one table through the fast path.
    class Tablo
    {
    public:
        Tablo(Veritabani &vt, const char *ad, std::vector<std::string> kolonlar)
            : yazici_(vt.topluYazici(ad, kolonlar))
        {
        }
        void operator()(std::vector<VtDeger> satir) { yazici_->ekle(satir); }
        void bitir() { yazici_->bitir(); }

    private:
        std::unique_ptr<VtTopluYazici> yazici_;
    };

    // A wall-clock time as the store keeps it. Written out directly: a
    // QDateTime in local time would consult the time zone on every call.
    QString tarih(int gunOnce, int saniye = 0)
    {
        return gun(gunOnce) + u' ' +
            QTime::fromMSecsSinceStartOfDay(saniye * 1000).toString(u"hh:mm:ss"_s);
    }
    // Days are few and written often: each is formatted once.
    QString gun(int gunOnce)
    {
        auto [yer, yeni] = gunMetinleri_.try_emplace(gunOnce);
        if (yeni)
            yer->second = a_.bugun.addDays(-gunOnce).toString(u"yyyy-MM-dd"_s);
        return yer->second;
    }
    int mesaiSaniyesi() { return r_.aralik(8 * 3600, 18 * 3600); }

    void sabitler()
    {
        vt_.degistir("INSERT INTO ayarlar (ad, deger) VALUES ('istemci_surumu', ?) "
                     "ON CONFLICT (ad) DO NOTHING",
                     QString::number(varsayilanIstemciSurumu));
        const std::pair<int, QString> durumlar[] = {{2, u"ALINDI"_s}, {3, u"ONAYLANDI"_s}, {4, u"GÖRÜLDÜ"_s},
                                                    {5, u"PARÇALI HAZIRLANDI"_s}, {6, u"HAZIRLANDI"_s},
                                                    {7, u"SEVK EDİLDİ"_s}};
        for (const auto &[no, ad] : durumlar)
            vt_.degistir("INSERT INTO siparis_durumlari (numara, adi) VALUES (?, ?)", qint64(no), ad);
        const QString teslimler[] = {u"DEPODAN TESLİM"_s, u"KARGO İLE GÖNDERİM"_s, u"SERVİS ARACI İLE"_s};
        for (int i = 0; i < 3; ++i)
            vt_.degistir("INSERT INTO teslim_secenekleri (numara, adi, sira) VALUES (?, ?, ?)",
                         qint64(i + 1), teslimler[i], qint64(i));
        const QString turler[] = {u"ALICI ÖDEMELİ"_s, u"GÖNDERİCİ ÖDEMELİ"_s, u"ANLAŞMALI KARGO"_s};
        for (int i = 0; i < 3; ++i)
            vt_.degistir("INSERT INTO kargo_turleri (numara, adi, sira) VALUES (?, ?, ?)",
                         qint64(i + 1), turler[i], qint64(i));
        const std::tuple<int, QString, QString> firmalar[] = {
            {1, u"ANADOLU KARGO"_s, u""_s},
            {1, u"MARMARA EKSPRES"_s, u"Cumartesi teslimat yapılmaz."_s},
            {2, u"ANADOLU KARGO"_s, u""_s},
            {2, u"KARAYOLU NAKLİYAT"_s, u"Desi başına ek ücret alınır."_s},
            {3, u"EGE AMBAR"_s, u"Yalnızca Ege bölgesine gönderim yapar."_s},
            {3, u"ANADOLU KARGO"_s, u"Anlaşmalı fiyat uygulanır."_s},
        };
        for (const auto &[tur, ad, uyari] : firmalar)
            vt_.degistir("INSERT INTO kargo_firmalari (kargo_turu, adi, uyari) VALUES (?, ?, ?)",
                         qint64(tur), ad, uyari);
        for (int g = 30; g >= 0; --g) {
            const double oynama = std::sin((a_.tohum % 7 + g) * 0.7) * 0.15;
            vt_.degistir("INSERT INTO kurlar (tarih, usd, eur) VALUES (?, ?, ?)", gun(g),
                         yuvarla2((usdKuru - g * 0.01 + oynama) * 100) / 100,
                         yuvarla2((eurKuru - g * 0.012 + oynama) * 100) / 100);
        }
    }

    void resimler()
    {
        const QString etiketler[] = {u"FREN DİSKİ"_s, u"FİLTRE"_s, u"BUJİ"_s, u"BALATA"_s,
                                     u"AMORTİSÖR"_s, u"AMPUL"_s, u"KAYIŞ"_s, u"SİLECEK"_s};
        for (int i = 0; i < parcaResmiTurSayisi; ++i)
            vt_.degistir("INSERT INTO resimler (resim_no, veri) VALUES (?, ?)", qint64(i + 1),
                         parcaResmi(i, etiketler[i]));
    }

    void katalog()
    {
        // One pass: each item is made once and goes into every table it has
        // rows in. The writers take turns on the connection. The search
        // index is built from the stored catalogue at the end, as for any
        // catalogue.
        Tablo stoklar(vt_, "stoklar", {"stokno",        "finishkod",   "adi",
                                       "digeradi",      "ureticikodu", "uretici",
                                       "oemno",         "dpkod",       "pkod",
                                       "ozelkod",       "birim",       "marka",
                                       "model",         "anagrup",     "altgrup",
                                       "departman",     "kdv",         "doviz",
                                       "liste_fiyati",  "fiyat",       "maliyet",
                                       "maliyet_doviz", "kalan",       "durum",
                                       "yeni",          "kampanya",    "kampanya_fiyati",
                                       "eski_fiyat",    "resim_no"});
        Tablo oemler(vt_, "stok_oemleri", {"stokno", "sira", "oemno"});
        Tablo barkodlar(vt_, "barkodlar", {"stokno", "barkod"});
        Tablo tedarik(vt_, "tedarikci_siparisleri",
                      {"stokno", "tarih", "beklenen_tarih", "miktar", "gelen"});
        // The distributor's own price list: original parts by OEM number.
        Tablo fiyatListesi(vt_, "fiyat_listesi", {"kod", "aciklama", "fiyat", "kdv", "anahtar"});

        kalemleriSiraylaUret(a_.tohum, a_.stokSayisi, [&](const Kalem &k) {
            const qint64 s = k.stokno;
            stoklar({s,
                     k.finishkod,
                     k.adi,
                     k.digeradi,
                     k.ureticikodu,
                     k.uretici,
                     k.oemno,
                     k.dpkod,
                     k.pkod,
                     k.ozelkod,
                     k.birim,
                     k.marka,
                     k.model,
                     k.anagrup,
                     k.altgrup,
                     k.departman,
                     k.kdv,
                     k.doviz,
                     k.listeFiyati,
                     k.fiyat,
                     k.maliyet,
                     k.maliyetDoviz,
                     k.kalan,
                     qint64(k.durum),
                     qint64(k.yeni),
                     qint64(k.kampanya),
                     k.kampanyaFiyati,
                     k.eskiFiyat,
                     k.resimNo ? VtDeger(qint64(k.resimNo)) : VtDeger {}});
            for (int i = 0; i < k.oemler.size(); ++i)
                oemler({s, qint64(i + 1), k.oemler[i]});
            for (const QString &b : k.barkodlar)
                barkodlar({s, b});
            // Orders with suppliers: for what is on the way or being
            // procured, and a few others.
            if (k.durum == 3 || k.durum == 5 || r_.olasilik(0.02)) {
                const double miktar = r_.aralik(2, 50) * 5;
                tedarik({s, tarih(r_.aralik(3, 40), mesaiSaniyesi()), gun(-r_.aralik(2, 30)),
                         miktar, r_.olasilik(0.3) ? miktar / 5 : 0.0});
            }
            if (s % 2 == 1)
                fiyatListesi({k.oemno, QString(k.altgrup + u" ORJİNAL " + k.marka + u' ' + k.model),
                              yuvarla2(k.fiyat * 1.6), k.kdv, aramaAnahtari(k.oemno)});
        });
        for (Tablo *t : {&stoklar, &oemler, &barkodlar, &tedarik, &fiyatListesi})
            t->bitir();
    }

    struct Cari
    {
        int carino;
        QString kod, adi;
        double indirim;
        int saticiNo;
    };

    void cariler()
    {
        // Representatives.
        saticiSayisi_ = 8;
        for (int i = 1; i <= saticiSayisi_; ++i) {
            const QString ad = QString(QString::fromUtf16(r_.sec(adlar)) + u' ' + QString::fromUtf16(r_.sec(soyadlar)));
            vt_.degistir("INSERT INTO saticilar (satici_no, adi, telefon, mail) VALUES (?, ?, ?, ?)",
                         qint64(i), ad, u"0532 "_s + r_.rakamlar(3) + u' ' + r_.rakamlar(4),
                         u"temsilci%1@dorukotomotiv.example"_s.arg(i));
        }

        Tablo t(vt_, "cariler",
                {"carino", "carikod", "cariadi", "yetkili", "ozelkod", "anagrup", "altgrup", "adres1",
                 "adres2", "ilce", "il", "tel1", "tel2", "fax1", "gsm", "email", "vergidairesi",
                 "vergino", "kod1", "indirim", "vade", "vadekontrolgun", "satici_no"});
        const auto ekle = [&](const QString &kod, const QString &ad, double indirim, int satici) {
            const int no = static_cast<int>(cariListesi_.size()) + 1;
            const Sehir &sh = r_.sec(sehirler);
            const QString ilce = QString::fromUtf16(sh.ilceler[r_.aralik(0, 2)]);
            const QString alan = QString::fromUtf16(sh.alan);
            const QString yetkili = QString(QString::fromUtf16(r_.sec(adlar)) + u' ' + QString::fromUtf16(r_.sec(soyadlar)));
            t({qint64(no), kod, ad, yetkili, u"B"_s + QString::number(r_.aralik(1, 3)),
               u"BAYİ"_s, r_.olasilik(0.5) ? u"A GRUBU"_s : u"B GRUBU"_s,
               u"%1 SANAYİ SİTESİ %2. BLOK NO:%3"_s.arg(ilce).arg(r_.aralik(1, 20)).arg(r_.aralik(1, 90)),
               r_.olasilik(0.4) ? u"KAT:%1"_s.arg(r_.aralik(1, 3)) : QString(), ilce,
               QString::fromUtf16(sh.il), u"0%1 %2 %3"_s.arg(alan, r_.rakamlar(3), r_.rakamlar(4)),
               r_.olasilik(0.5) ? u"0%1 %2 %3"_s.arg(alan, r_.rakamlar(3), r_.rakamlar(4)) : QString(),
               u"0%1 %2 %3"_s.arg(alan, r_.rakamlar(3), r_.rakamlar(4)),
               u"05%1 %2 %3"_s.arg(r_.rakamlar(2), r_.rakamlar(3), r_.rakamlar(4)),
               u"muhasebe%1@bayi.example"_s.arg(no), QString(ilce + u" V.D."), r_.rakamlar(10),
               u"K"_s + QString::number(r_.aralik(1, 5)), indirim, qint64(r_.sec({30, 45, 60, 90})),
               qint64(r_.aralik(0, 10)), qint64(satici)});
            cariListesi_.push_back({no, kod, ad, indirim, satici});
            return no;
        };
        // The distributor's home account for its own staff, then the demo
        // accounts, then the dealers.
        std::map<QString, int> demoCari;
        demoCari[u"100.00.001"_s] = ekle(u"100.00.001"_s, u"DORUK OTOMOTİV MERKEZ"_s, 0, 1);
        for (const DemoHesabi &h : demoHesaplari()) {
            if (demoCari.count(h.carikod))
                continue;
            const QString ad = h.carikod.contains(u"BDM"_s) ? u"BÖLGE DEPO MÜDÜRLÜĞÜ İSTANBUL"_s
                                                             : QString(u"DEMO " + QString::fromUtf16(r_.sec(soyadlar)) + u' ' + QString::fromUtf16(r_.sec(firmaEkleri)));
            demoCari[h.carikod] = ekle(h.carikod, ad, h.carikod.contains(u"BDM"_s) ? 0.0 : 12.5, 1);
        }
        const int bayiSayisi = std::max(40, a_.stokSayisi / 250);
        for (int i = 0; i < bayiSayisi; ++i) {
            const Sehir &sh = r_.sec(sehirler);
            Q_UNUSED(sh);
            ekle(u"120.%1.%2"_s.arg(r_.aralik(1, 81), 2, 10, QChar(u'0')).arg(i + 10, 4, 10, QChar(u'0')),
                 QString(QString::fromUtf16(r_.sec(soyadlar)) + u' ' + QString::fromUtf16(r_.sec(firmaEkleri))),
                 r_.sec({0.0, 5.0, 7.5, 10.0, 12.5, 15.0}), r_.aralik(1, saticiSayisi_));
        }
        t.bitir();

        // Discounts per part brand for some accounts.
        Tablo ind(vt_, "cari_indirimleri", {"carino", "uretici", "oran"});
        for (const Cari &c : cariListesi_) {
            if (c.carino == 1 || !r_.olasilik(0.4))
                continue;
            std::set<QString> secilen;
            for (int i = r_.aralik(1, 3); i > 0; --i)
                secilen.insert(QString::fromUtf16(r_.sec(ureticiler).ad));
            for (const QString &u : secilen)
                ind({qint64(c.carino), u, c.indirim + r_.sec({2.5, 5.0, 7.5})});
        }
        ind.bitir();

        // Users and their computers: the demo logins first.
        Tablo k(vt_, "kullanicilar", {"sirano", "adi", "sifre", "mail", "carino", "musteri_tipi", "aktif", "satici_no"});
        Tablo b(vt_, "bilgisayarlar", {"bilgisayar_id", "kullanici_no", "kayit_tarihi", "aciklama"});
        int no = 0;
        for (const DemoHesabi &h : demoHesaplari()) {
            ++no;
            const bool temsilci = h.musteriTipi == 1 || h.musteriTipi == 2;
            k({qint64(no), h.kullanici, h.sifre, h.kullanici.toLower() + u"@demo.example", qint64(demoCari[h.carikod]),
               qint64(h.musteriTipi), qint64(1), temsilci ? VtDeger(qint64(h.musteriTipi)) : VtDeger{}});
            b({h.bilgisayarId, qint64(no), tarih(200), u"tanıtım hesabı"_s});
            if (!temsilci)
                demoKullanicilari_.push_back({no, demoCari[h.carikod]});
            kullanicilar_.push_back({no, demoCari[h.carikod]});
        }
        const char16_t harfler[] = u"ABCDEFGHJKLMNPRSTUVYZ0123456789";
        for (const Cari &c : cariListesi_) {
            if (c.carino == 1 || std::any_of(demoKullanicilari_.begin(), demoKullanicilari_.end(),
                                              [&](const auto &d) { return d.second == c.carino; }))
                continue;
            ++no;
            const int tip = r_.sec({0, 0, 0, 3, 4});
            k({qint64(no), u"B%1"_s.arg(c.carino), u"S"_s + r_.rakamlar(5), u"b%1@bayi.example"_s.arg(c.carino),
               qint64(c.carino), qint64(tip), qint64(r_.olasilik(0.95) ? 1 : 0), VtDeger{}});
            QString id;
            for (int i = 0; i < 12; ++i)
                id += QChar(harfler[r_.aralik(0, 29)]);
            b({id, qint64(no), tarih(r_.aralik(30, 900)), QString()});
            kullanicilar_.push_back({no, c.carino});
        }
        k.bitir();
        b.bitir();
    }

    // Fills a line's price from the item, as a basket would.
    struct Fiyat
    {
        double birim, indirim;
    };
    Fiyat fiyatla(const Kalem &k, const Cari &c)
    {
        if (k.kampanya > 0)
            return {k.kampanyaFiyati, 0};
        return {k.fiyat, c.indirim};
    }

    void sepetler()
    {
        Tablo t(vt_, "sepet", {"carino", "stokno", "barkod", "stokadi", "miktar", "birimfiyat",
                               "indirimorani1", "kdv", "kampanya", "verenid", "tarih", "sec"});
        for (const auto &kc : kullanicilar_) {
            const int kullanici = kc.first, carino = kc.second;
            const bool demo = std::any_of(demoKullanicilari_.begin(), demoKullanicilari_.end(),
                                          [&](const auto &d) { return d.first == kullanici; });
            if (!demo && !r_.olasilik(0.15))
                continue;
            if (carino == 1)
                continue;
            const Cari &c = cariListesi_[static_cast<size_t>(carino - 1)];
            std::set<int> kalemler;
            for (int i = r_.aralik(2, 6); i > 0; --i)
                kalemler.insert(r_.aralik(1, a_.stokSayisi));
            bool ilk = true;
            for (const int s : kalemler) {
                const Kalem k = kalemUret(a_.tohum, s);
                const Fiyat f = fiyatla(k, c);
                // One line left out of the order, to show the selection.
                const bool secili = !(demo && ilk && c.kod == u"120.06.0002");
                t({qint64(carino), qint64(s), k.barkodlar.first(), k.adi, double(r_.aralik(1, 10)), f.birim,
                   f.indirim, k.kdv, qint64(k.kampanya), qint64(kullanici), tarih(r_.aralik(0, 5), mesaiSaniyesi()),
                   qint64(secili ? 1 : 0)});
                ilk = false;
            }
        }
        t.bitir();
    }

    void siparisler()
    {
        Tablo sip(vt_, "siparisler", {"idno", "carino", "verenid", "tarih", "teslim_no", "kargo_turu",
                                      "kargo_firma", "durum", "verenin_notu", "alan_notu", "satici_notu"});
        Tablo sat(vt_, "siparis_satirlari",
                  {"sirano", "idno", "stokno", "barkod", "stokadi", "miktar", "teslimedilen", "kalan",
                   "birimfiyat", "ilkfiyat", "indirimorani1", "kdv", "kampanya", "verenid"});
        struct Teslim
        {
            int satir;
            int gunOnce;
            double miktar;
        };
        std::vector<Teslim> teslimler;
        struct Faturalik
        {
            int idno, carino, gunOnce;
            std::vector<std::tuple<int, double, double, double, double>> satirlar; // stokno, miktar, fiyat, indirim, kdv
        };
        std::vector<Faturalik> faturaliklar;

        const QString notlar[] = {u""_s, u"Acil gönderilmesini rica ederiz."_s, u"Eksikler sonra gelsin."_s,
                                  u"Faturayı şirket adına kesiniz."_s, u""_s};
        const QString alanNotlari[] = {u""_s, u"Stokta olanlar bugün çıkar."_s, u"Eksik kalemler tedarikte."_s, u""_s};
        int idno = 0, satirNo = 0;
        const auto siparisYaz = [&](int kullanici, int carino, int gunOnce, int durum) {
            const Cari &c = cariListesi_[static_cast<size_t>(carino - 1)];
            ++idno;
            const int kargoTuru = r_.aralik(1, 3);
            sip({qint64(idno), qint64(carino), qint64(kullanici), tarih(gunOnce, mesaiSaniyesi()),
                 qint64(r_.aralik(1, 3)), qint64(kargoTuru), qint64((kargoTuru - 1) * 2 + r_.aralik(1, 2)),
                 qint64(durum), r_.sec(notlar), durum >= 3 ? r_.sec(alanNotlari) : QString(),
                 r_.olasilik(0.3) ? u"Müşteri ile görüşüldü, vade 60 gün."_s : QString()});
            Faturalik fat{idno, carino, std::max(0, gunOnce - 2), {}};
            for (int i = r_.aralik(1, 8); i > 0; --i) {
                const int s = r_.aralik(1, a_.stokSayisi);
                const Kalem k = kalemUret(a_.tohum, s);
                const Fiyat f = fiyatla(k, c);
                const double miktar = r_.aralik(1, 12);
                double teslim = 0, kalan = miktar;
                if (durum == 7) {
                    // Shipped: most lines whole, some partly (an open balance
                    // stays), some balances cancelled.
                    teslim = r_.olasilik(0.75) ? miktar : std::floor(miktar * r_.kesir());
                    kalan = miktar - teslim;
                    if (kalan > 0 && r_.olasilik(0.3))
                        kalan = 0;
                } else if (durum == 5) {
                    teslim = r_.olasilik(0.5) ? std::floor(miktar / 2) : 0;
                    kalan = miktar - teslim;
                }
                ++satirNo;
                sat({qint64(satirNo), qint64(idno), qint64(s), k.barkodlar.first(), k.adi, miktar, teslim, kalan,
                     f.birim, k.fiyat, f.indirim, k.kdv, qint64(k.kampanya), qint64(kullanici)});
                if (teslim > 0) {
                    if (teslim >= 2 && r_.olasilik(0.4)) {
                        const double ilk = std::floor(teslim / 2);
                        teslimler.push_back({satirNo, std::max(0, gunOnce - 1), ilk});
                        teslimler.push_back({satirNo, std::max(0, gunOnce - 3), teslim - ilk});
                    } else {
                        teslimler.push_back({satirNo, std::max(0, gunOnce - 1), teslim});
                    }
                    fat.satirlar.emplace_back(s, teslim, f.birim, f.indirim, k.kdv);
                }
            }
            if (!fat.satirlar.empty())
                faturaliklar.push_back(std::move(fat));
        };
        // The demo dealers: every state, recent first.
        for (const auto &[kullanici, carino] : demoKullanicilari_) {
            for (int i = 0; i < 24; ++i) {
                const int durum = 2 + i % 6;
                const int gunOnce = durum <= 4 ? r_.aralik(0, 6) : r_.aralik(7, 360);
                siparisYaz(kullanici, carino, gunOnce, durum);
            }
        }
        const int siparisSayisi = std::max(300, a_.stokSayisi / 15);
        for (int i = 0; i < siparisSayisi; ++i) {
            const auto &[kullanici, carino] = r_.sec(kullanicilar_);
            if (carino == 1)
                continue;
            const int gunOnce = r_.aralik(0, 365);
            const int durum = gunOnce < 3 ? r_.aralik(2, 4) : gunOnce < 10 ? r_.aralik(4, 7) : 7;
            siparisYaz(kullanici, carino, gunOnce, durum);
        }
        sip.bitir();
        sat.bitir();

        Tablo tes(vt_, "teslimatlar", {"satir", "tarih", "miktar", "irsaliye_no"});
        for (const Teslim &t : teslimler)
            tes({qint64(t.satir), tarih(t.gunOnce, mesaiSaniyesi()), t.miktar, u"IRS"_s + r_.rakamlar(7)});
        tes.bitir();

        hareketler(faturaliklar);
    }

    template<class Faturalik>
    void hareketler(const std::vector<Faturalik> &faturaliklar)
    {
        // Statement movements: an opening balance, an invoice for every
        // delivery, collections and payments between them.
        struct Hareket
        {
            int carino, gunOnce;
            QString tur, evrak;
            double borc, alacak;
            QString aciklama;
            int fatura; // index into faturaliklar, or -1
        };
        std::vector<Hareket> liste;
        std::map<int, double> borclar;
        for (const Cari &c : cariListesi_) {
            if (c.carino == 1)
                continue;
            const double devir = yuvarla2(r_.aralik(0, 40000) + r_.kesir());
            liste.push_back({c.carino, 366, u"Devir"_s, u"DVR-%1"_s.arg(c.carino), devir, 0, u"Açılış bakiyesi"_s, -1});
            borclar[c.carino] += devir;
        }
        std::vector<std::array<double, 5>> toplamlar(faturaliklar.size());
        for (size_t i = 0; i < faturaliklar.size(); ++i) {
            const auto &f = faturaliklar[i];
            double toplam = 0, indirim = 0, kdv = 0;
            for (const auto &[s, miktar, fiyat, oran, kdvOrani] : f.satirlar) {
                const double tutar = yuvarla2(miktar * fiyat);
                const double ind = yuvarla2(tutar * oran / 100);
                toplam += tutar;
                indirim += ind;
                kdv += yuvarla2((tutar - ind) * kdvOrani / 100);
            }
            const double matrah = yuvarla2(toplam - indirim);
            toplamlar[i] = {yuvarla2(toplam), yuvarla2(indirim), matrah, yuvarla2(kdv), yuvarla2(matrah + kdv)};
            liste.push_back({f.carino, f.gunOnce, u"Satış Faturası"_s, u"DRK%1"_s.arg(2024000000 + f.idno),
                             toplamlar[i][4], 0, u"Sipariş %1"_s.arg(f.idno), static_cast<int>(i)});
            borclar[f.carino] += toplamlar[i][4];
        }
        for (auto &[carino, borc] : borclar) {
            for (int g = 350; g > 0 && borc > 100; g -= r_.aralik(20, 45)) {
                const double tutar = yuvarla2(borc * (0.2 + 0.3 * r_.kesir()));
                liste.push_back({carino, g, u"Tahsilat"_s, u"THS-%1"_s.arg(r_.rakamlar(6)), 0, tutar,
                                 u"Tahsilat makbuzu"_s, -1});
                borc -= tutar;
            }
            if (r_.olasilik(0.2))
                liste.push_back({carino, r_.aralik(1, 300), u"Tediye"_s, u"TDY-%1"_s.arg(r_.rakamlar(6)),
                                 yuvarla2(r_.aralik(100, 3000)), 0, u"İade ödemesi"_s, -1});
            if (r_.olasilik(0.25))
                liste.push_back({carino, r_.aralik(1, 300), u"Satış İade Faturası"_s,
                                 u"IAD-%1"_s.arg(r_.rakamlar(6)), 0, yuvarla2(r_.aralik(50, 2000)),
                                 u"Hatalı parça iadesi"_s, -1});
        }
        std::stable_sort(liste.begin(), liste.end(), [](const Hareket &a, const Hareket &b) {
            return a.carino != b.carino ? a.carino < b.carino : a.gunOnce > b.gunOnce;
        });

        Tablo h(vt_, "cari_hareketler", {"idno", "carino", "tarih", "turadi", "evrak", "borc", "alacak", "aciklama"});
        std::vector<std::pair<int, int>> faturaNolari; // hareket idno, fatura index
        std::vector<std::pair<int, double>> tahsilatNolari;
        int no = 0;
        for (const Hareket &x : liste) {
            ++no;
            h({qint64(no), qint64(x.carino), gun(x.gunOnce), x.tur, x.evrak, x.borc, x.alacak, x.aciklama});
            if (x.fatura >= 0)
                faturaNolari.emplace_back(no, x.fatura);
            else if (x.tur == u"Tahsilat" || x.tur == u"Tediye")
                tahsilatNolari.emplace_back(no, x.borc + x.alacak);
            gunler_[no] = x.gunOnce;
        }
        h.bitir();

        Tablo f(vt_, "faturalar", {"idno", "evrakno", "tarih", "tipi", "satici_adi", "vade", "irsaliye_no",
                                   "irsaliye_tarihi", "irsaliye_tipi", "siparis_evrakno", "siparis_tarihi",
                                   "toplam", "toplamindirim", "matrah", "kdvtutar", "kdvdahil"});
        for (const auto &[hareket, i] : faturaNolari) {
            const auto &fa = faturaliklar[static_cast<size_t>(i)];
            const auto &t = toplamlar[static_cast<size_t>(i)];
            const int g = gunler_[hareket];
            f({qint64(hareket), u"DRK%1"_s.arg(2024000000 + fa.idno), tarih(g, mesaiSaniyesi()),
               u"TOPTAN SATIŞ FATURASI"_s, u"TEMSİLCİ %1"_s.arg(cariListesi_[size_t(fa.carino - 1)].saticiNo),
               qint64(r_.sec({30, 60, 90})), u"IRS"_s + r_.rakamlar(7), gun(g), u"SEVK İRSALİYESİ"_s,
               u"SIP-%1"_s.arg(fa.idno), gun(g + 2), t[0], t[1], t[2], t[3], t[4]});
        }
        f.bitir();
        Tablo fs(vt_, "fatura_satirlari", {"idno", "stokno", "miktar", "birimfiyat", "indirim1", "kdv"});
        for (const auto &[hareket, i] : faturaNolari) {
            for (const auto &[s, miktar, fiyat, oran, kdv] : faturaliklar[size_t(i)].satirlar)
                fs({qint64(hareket), qint64(s), miktar, fiyat, oran, kdv});
        }
        fs.bitir();

        Tablo th(vt_, "tahsilatlar", {"idno", "tarih", "turu", "cins", "vade", "tutar", "aciklama", "evrakno", "ref", "saat"});
        for (const auto &ht : tahsilatNolari) {
            const int hareket = ht.first;
            const double tutar = ht.second;
            const int g = gunler_[hareket];
            const bool iki = tutar > 1000 && r_.olasilik(0.4);
            const double ilk = iki ? yuvarla2(tutar * 0.6) : tutar;
            const auto satir = [&](double t) {
                const int cins = r_.aralik(0, 2);
                const QString cinsler[] = {u"NAKİT"_s, u"KREDİ KARTI"_s, u"ÇEK"_s};
                th({qint64(hareket), gun(g), cins == 2 ? u"Çek Girişi"_s : u"Kasa Tahsilat"_s, cinsler[cins],
                    cins == 2 ? VtDeger(gun(g - r_.aralik(30, 120))) : VtDeger(gun(g)), t, u"Cari tahsilat"_s,
                    u"MKB"_s + r_.rakamlar(6), cins == 1 ? u"POS-"_s + r_.rakamlar(8) : QString(),
                    QTime(0, 0).addSecs(mesaiSaniyesi()).toString(u"hh:mm"_s)});
            };
            satir(ilk);
            if (iki)
                satir(yuvarla2(tutar - ilk));
        }
        th.bitir();
    }

    void icerik()
    {
        // Documents of every kind the client knows an icon for.
        const Kalem ornek = kalemUret(a_.tohum, 1);
        std::vector<QStringList> fiyatSatirlari;
        for (int s = 1; s <= std::min(200, a_.stokSayisi); ++s) {
            const Kalem k = kalemUret(a_.tohum, s);
            fiyatSatirlari.push_back({k.finishkod, k.adi, k.uretici, QString::number(k.fiyat, 'f', 2),
                                      QString::number(k.kdv)});
        }
        const QStringList basliklar{u"KOD"_s, u"AÇIKLAMA"_s, u"MARKA"_s, u"FİYAT (TL)"_s, u"KDV %"_s};
        QStringList katalogSatirlari;
        for (const QStringList &s : fiyatSatirlari)
            katalogSatirlari << u"%1  %2  %3 TL"_s.arg(s[0], s[1], s[3]);
        const QStringList kurallar{u"İade edilecek parça ambalajında ve kullanılmamış olmalıdır."_s,
                                   u"İade talebi fatura tarihinden itibaren 15 gün içinde yapılır."_s,
                                   u"Hatalı gönderimlerde kargo ücreti firmamızca karşılanır."_s};
        struct Belge
        {
            QString aciklama, yol, ad;
            QByteArray icerik;
        };
        const std::vector<Belge> belgeler = {
            {u"2024 Fiyat Listesi"_s, u"belgeler/fiyat-listesi-2024.xlsx"_s, u"Fiyat Listesi 2024.xlsx"_s,
             xlsxBelgesi(basliklar, fiyatSatirlari)},
            {u"Ürün Kataloğu"_s, u"belgeler/urun-katalogu.PDF"_s, u"Ürün Kataloğu.pdf"_s,
             pdfBelgesi(u"DORUK OTOMOTİV ÜRÜN KATALOĞU"_s, katalogSatirlari)},
            {u"Kampanya Afişi"_s, u"belgeler/kampanya-afisi.jpg"_s, u"Kampanya Afişi.jpg"_s,
             resimBelgesi(u"BAHAR KAMPANYASI"_s, "JPG")},
            {u"Logo"_s, u"belgeler/logo.png"_s, u"Doruk Logo.png"_s, resimBelgesi(u"DORUK OTOMOTİV"_s, "PNG")},
            {u"Depo Yerleşim Planı"_s, u"belgeler/depo-plani.bmp"_s, u"Depo Planı.bmp"_s,
             resimBelgesi(u"DEPO YERLEŞİM PLANI"_s, "BMP")},
            {u"Eski Fiyat Listesi (Excel 2003)"_s, u"belgeler/eski-fiyat-listesi.xls"_s, u"Eski Fiyat Listesi.xls"_s,
             xlsXmlBelgesi(basliklar, fiyatSatirlari)},
            {u"Bayi Başvuru Formu"_s, u"belgeler/bayi-basvuru-formu.docx"_s, u"Bayi Başvuru Formu.docx"_s,
             docxBelgesi(u"Bayi Başvuru Formu"_s, {u"Firma adı:"_s, u"Adres:"_s, u"Vergi dairesi / no:"_s,
                                                  u"Yetkili:"_s, u"Telefon:"_s})},
            {u"İade Prosedürü"_s, u"belgeler/iade-proseduru.doc"_s, u"İade Prosedürü.doc"_s,
             rtfBelgesi(u"İade Prosedürü"_s, kurallar)},
            {u"Kurulum Notları"_s, u"belgeler/kurulum-notlari.txt"_s, u"Kurulum Notları.txt"_s,
             u"Sipariş programı kurulum notları\r\n\r\nProgram ilk açılışta bilgisayar kimliğinizi "
             "sunucuya gönderir. Kimliğiniz kayıtlı değilse kayıt formu açılır.\r\n"_s.toUtf8()},
        };
        Tablo d(vt_, "dosyalar", {"aciklama", "dosyayol", "adi", "icerik", "sira"});
        for (size_t i = 0; i < belgeler.size(); ++i)
            d({belgeler[i].aciklama, belgeler[i].yol, belgeler[i].ad, belgeler[i].icerik, qint64(i)});
        d.bitir();

        const std::tuple<QString, QString, QString> ekranlar[] = {
            {u"KAMPANYA"_s, u"Seçili ürünlerde %30'a varan indirim"_s, u"#KAMPANYA#"_s},
            {u"YENİ ÜRÜNLER"_s, u"Kataloğa bu ay eklenen parçalar"_s, u"#YENİ#"_s},
            {u"FREN DİSKLERİ"_s, u"Tüm markalarda stoktan teslim"_s, u"FREN DISKI"_s},
            {u"FİLTRE HAFTASI"_s, u"Bakım setlerinde ek indirim"_s, u"FILTRE"_s},
        };
        Tablo e(vt_, "acilis_ekranlari", {"baslik", "arama", "resim", "sira"});
        int renk = 0;
        for (const auto &[baslik, alt, arama] : ekranlar) {
            e({baslik, arama, duyuruResmi(baslik, alt, renk), qint64(renk)});
            ++renk;
        }
        e.bitir();
        vt_.degistir("INSERT INTO duyurular (tarih, baslik, metin) VALUES (?, ?, ?)", tarih(3, 9 * 3600),
                     u"Bayram tatili"_s, u"Bayram süresince depomuz kapalı olacaktır."_s);
        vt_.degistir("INSERT INTO duyurular (tarih, baslik, metin) VALUES (?, ?, ?)", tarih(10, 9 * 3600),
                     u"Yeni kargo anlaşması"_s, u"Anlaşmalı kargo ile gönderimlerde indirim başladı."_s);

        vt_.degistir("INSERT INTO icerikler (ad, metin) VALUES ('kayan_yazi', ?)",
                     u"<b>DORUK OTOMOTİV</b> &nbsp; Kampanyalı ürünlerde <font color=\"#C00000\"><b>%30'a varan indirim</b></font> "
                     "&nbsp;|&nbsp; Saat 15:00'e kadar verilen siparişler <i>aynı gün</i> kargoda "
                     "&nbsp;|&nbsp; Örnek kalem: %1 %2"_s.arg(ornek.finishkod, ornek.adi.toHtmlEscaped()));
        vt_.degistir("INSERT INTO icerikler (ad, metin, veri) VALUES ('banner', '', ?)", bannerGif());
    }

    Veritabani &vt_;
    const DemoAyarlari &a_;
    Rastgele r_;
    const std::function<void(const QString &)> &ilerleme_;
    int saticiSayisi_ = 0;
    std::vector<Cari> cariListesi_; // carino - 1
    std::vector<std::pair<int, int>> kullanicilar_; // user, account
    std::vector<std::pair<int, int>> demoKullanicilari_; // demo dealers: user, account
    std::map<int, int> gunler_; // statement movement -> days ago
    std::map<int, QString> gunMetinleri_; // days ago -> "yyyy-MM-dd"
};

} // namespace

void demoVeriUret(Veritabani &vt, const DemoAyarlari &ayarlar,
                  const std::function<void(const QString &)> &ilerleme)
{
    if (ayarlar.stokSayisi < demoEnAzStok)
        throw DemoVeriHatasi("en az " + std::to_string(demoEnAzStok) + " kalem gerekir");
    if (vtTamsayi(vt.tekDeger("SELECT COUNT(*) FROM cariler")) > 0)
        throw DemoVeriHatasi("veritabanı boş değil: tanıtım verisi yalnızca boş bir veritabanına yazılır");
    vt.topluYukle([&] { Uretec(vt, ayarlar, ilerleme).uret(); });
}
