// Loads a 100,000-row × 35-column stock table the way the wire decoder does
// (column by column through the bulk fill calls, texts as UTF-8), shows it in
// the stock grid and prints: time per cell of the load, time from attaching
// the table to the end of the first paint, sorting, best fit, the Excel
// export, and memory.
// Measures and prints; asserts nothing. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTableView>
#include <QTemporaryDir>

#include "app/utils/bicim.h"
#include "remote/tablo/bellektablo.h"
#include "widgets/izgara/exceleaktar.h"
#include "widgets/izgara/izgarasuzgeci.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;
using Saat = std::chrono::steady_clock;

namespace {

constexpr int satirSayisi = 100'000;

// Joins pieces of text (GCC 12 warns falsely on chains of std::string operator+).
std::string birlestir(std::initializer_list<std::string_view> parcalar)
{
    std::string s;
    for (const std::string_view p : parcalar)
        s += p;
    return s;
}

double ms(Saat::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double ortanca(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long rssKb()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> alanlar = statm.readAll().split(' ');
    return alanlar.size() > 1 ? alanlar[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

long enYuksekRssKb()
{
    rusage r {};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

// One column as the server sends it: name, type and the values of every row.
struct Kolon
{
    const char16_t *ad;
    DbxTipi tip;
    std::vector<std::string> metinler; // UTF-8, as the decoder hands them over
    std::vector<double> sayilar;
    std::vector<bool> bos;
};

// A catalogue that reads like a spare-parts distributor's: codes, OEM numbers,
// Turkish descriptions, brands, prices with discounts and VAT.
std::vector<Kolon> katalogUret()
{
    std::mt19937 rng(20240311);
    auto sec = [&rng](const std::vector<std::string> &liste) -> const std::string & {
        return liste[std::uniform_int_distribution<size_t>(0, liste.size() - 1)(rng)];
    };
    auto sayi = [&rng](int en, int ek) { return std::uniform_int_distribution<int>(en, ek)(rng); };
    auto rakamlar = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char('0' + sayi(0, 9));
        return s;
    };
    auto kod = [&] {
        std::string s;
        for (int i = 0; i < 3; ++i)
            s += char('A' + sayi(0, 25));
        return birlestir({s, "-", rakamlar(5)});
    };
    const std::vector<std::string> parcalar {
        "Fren balatası", "Fren diski", "Yağ filtresi", "Hava filtresi",    "Polen filtresi",
        "Amortisör",     "Rotil",      "Rot başı",     "Salıncak",         "Debriyaj seti",
        "Triger seti",   "Su pompası", "Buji",         "Ateşleme bobini",  "Şanzıman yağı",
        "Motor yağı",    "Çamurluk",   "Far",          "Stop lambası",     "Silecek süpürgesi",
        "Radyatör",      "Termostat",  "Conta takımı", "Egzoz susturucusu"};
    const std::vector<std::string> yerler {"ön",     "arka",     "sağ", "sol",
                                           "ön sol", "arka sağ", "üst", "alt"};
    const std::vector<std::string> markalar {"BOSCH", "VALEO",     "SACHS",   "MANN",
                                             "FEBI",  "LEMFÖRDER", "TRW",     "NGK",
                                             "GATES", "MAHLE",     "ÇELİKER", "OTOKOÇ"};
    const std::vector<std::string> modeller {
        "DOBLO", "LINEA", "EGEA",   "FOCUS", "FIESTA",  "CLIO",    "MEGANE", "CORSA",
        "ASTRA", "GOLF",  "PASSAT", "POLO",  "TRANSIT", "CONNECT", "ŞAHİN",  "DOĞAN"};
    const std::vector<std::string> gruplar {"FREN SİSTEMİ", "FİLTRE",  "SÜSPANSİYON", "MOTOR",
                                            "ELEKTRİK",     "KAPORTA", "AYDINLATMA",  "SOĞUTMA",
                                            "DEBRİYAJ",     "YAĞLAR"};
    const std::vector<std::string> birimler {"ADET", "TAKIM", "LİTRE", "KUTU"};

    auto metin = [](const char16_t *ad, DbxTipi tip = DbxTipi::WideString) {
        return Kolon {ad, tip, {}, {}, {}};
    };
    std::vector<Kolon> k {metin(u"STOK_STOKNO", DbxTipi::Int32),
                          metin(u"BARKOD"),
                          metin(u"FINISHKOD"),
                          metin(u"OEM1"),
                          metin(u"OEM2"),
                          metin(u"OEM3"),
                          metin(u"ADI"),
                          metin(u"OEM4"),
                          metin(u"URETICIKODU"),
                          metin(u"BARKOD_BARKODNO", DbxTipi::Int32),
                          metin(u"DIGERADI"),
                          metin(u"DPKOD"),
                          metin(u"OEMNO"),
                          metin(u"BIRIM"),
                          metin(u"MARKA"),
                          metin(u"MODEL"),
                          metin(u"ANAGRUP"),
                          metin(u"OZELKOD"),
                          metin(u"KALAN", DbxTipi::Double),
                          metin(u"PKOD"),
                          metin(u"KDV", DbxTipi::Int32),
                          metin(u"ALINANSIPARIS", DbxTipi::Double),
                          metin(u"VERILENSIPARIS", DbxTipi::Double),
                          metin(u"LISTEFIYATI", DbxTipi::Double),
                          metin(u"MALIYET"),
                          metin(u"FIYAT", DbxTipi::Double),
                          metin(u"Y", DbxTipi::Int32),
                          metin(u"K", DbxTipi::Int32),
                          metin(u"INDIRIM", DbxTipi::Double),
                          metin(u"NETFIYAT", DbxTipi::Double),
                          metin(u"KDVDAHIL", DbxTipi::Double),
                          metin(u"DURUM", DbxTipi::Int32),
                          metin(u"ESKIFIYAT", DbxTipi::Double),
                          metin(u"GUNCELLEME", DbxTipi::TimeStamp),
                          metin(u"ACIKLAMA")};
    for (Kolon &kolon : k) {
        kolon.metinler.reserve(satirSayisi);
        kolon.sayilar.reserve(satirSayisi);
        kolon.bos.reserve(satirSayisi);
    }
    auto yaz = [&k](int i, std::string s) { k[i].metinler.push_back(std::move(s)); };
    auto koy = [&k](int i, double d, bool bosMu = false) {
        k[i].sayilar.push_back(d);
        k[i].bos.push_back(bosMu);
    };
    for (int r = 0; r < satirSayisi; ++r) {
        const std::string marka = sec(markalar);
        const std::string model = sec(modeller);
        const double fiyat = sayi(500, 2'500'000) / 100.0;
        const double indirim = sayi(0, 8) * 5;
        const double net = fiyat * (100 - indirim) / 100;
        koy(0, 100000 + r);
        yaz(1, birlestir({"869", rakamlar(10)}));
        yaz(2, kod());
        for (int o : {3, 4, 5})
            yaz(o, sayi(0, 2) ? birlestir({rakamlar(3), " ", rakamlar(3), " ", rakamlar(3)}) : "");
        yaz(6, birlestir({sec(parcalar), " ", sec(yerler), " ", marka, " ", model}));
        yaz(7, sayi(0, 4) ? "" : rakamlar(10));
        yaz(8, kod());
        koy(9, 500000 + r);
        yaz(10, sayi(0, 3) ? "" : birlestir({sec(parcalar), " ", model}));
        yaz(11, birlestir({"D", rakamlar(6)}));
        yaz(12, birlestir({rakamlar(4), ".", rakamlar(2)}));
        yaz(13, sec(birimler));
        yaz(14, marka);
        yaz(15, model);
        yaz(16, sec(gruplar));
        yaz(17, sayi(0, 1) ? "KMP" : "");
        koy(18, sayi(0, 500));
        yaz(19, birlestir({"P", rakamlar(5)}));
        koy(20, 18);
        koy(21, sayi(0, 40));
        koy(22, sayi(0, 40));
        koy(23, fiyat * 1.1);
        yaz(24, birlestir({std::to_string(int(fiyat * 0.7)), ",00 TL"}));
        koy(25, fiyat);
        koy(26, sayi(0, 9) == 0);
        koy(27, sayi(0, 14) == 0);
        koy(28, indirim);
        koy(29, net);
        koy(30, net * 1.18);
        koy(31, sayi(0, 5));
        koy(32, fiyat * 0.95, sayi(0, 1));
        koy(33, 0); // the time stamp is made while loading
        yaz(34, sayi(0, 5) ? "" : birlestir({"Orijinal ürün, ", sec(gruplar), " grubunda"}));
    }
    return k;
}

void yukle(BellekTablo &tablo, const std::vector<Kolon> &katalog)
{
    QList<KolonTanimi> tanimlar;
    for (const Kolon &k : katalog) {
        KolonTanimi t;
        t.ad = QString::fromUtf16(k.ad);
        t.tip = k.tip;
        tanimlar.append(t);
    }
    tablo.yenidenTanimla(tanimlar);
    tablo.satirAyir(satirSayisi);
    const QDate gun(2024, 3, 11);
    for (int c = 0; c < int(katalog.size()); ++c) {
        const Kolon &k = katalog[c];
        switch (depolamaTuru(k.tip)) {
        case Depolama::Metin:
            for (const std::string &s : k.metinler)
                tablo.ekleMetinUtf8(c, QByteArrayView(s.data(), qsizetype(s.size())));
            break;
        case Depolama::Tamsayi32:
            for (const double d : k.sayilar)
                tablo.ekleTamsayi(c, qint64(d));
            break;
        case Depolama::Ondalik:
            for (int r = 0; r < satirSayisi; ++r) {
                if (k.bos[r])
                    tablo.ekleBos(c);
                else
                    tablo.ekleOndalik(c, k.sayilar[r]);
            }
            break;
        case Depolama::Zaman:
            for (int r = 0; r < satirSayisi; ++r)
                tablo.ekleZaman(c, gun.addDays(-(r % 900)), QTime(8 + r % 10, r % 60));
            break;
        default:
            break;
        }
    }
    tablo.doldurmayiBitir();
    ParaBicimiUygula(tablo);
}

QList<IzgaraKolonu> stokKolonlari()
{
    QHash<int, QIcon> durumlar;
    for (int i = 0; i <= 5; ++i) {
        QPixmap p(24, 24);
        p.fill(QColor::fromHsv(i * 50, 200, 220));
        durumlar.insert(i, QIcon(p));
    }
    QList<IzgaraKolonu> k {
        kolon(u"BARKOD"_s, u"Barkod"_s).agirlikla(2).kaydirarak().altta(AltToplam::Sayi),
        kolon(u"FINISHKOD"_s, u"Kod"_s).agirlikla(2).kaydirarak().altta(AltToplam::Sayi),
        kolon(u"OEM1"_s, u"Oem1"_s).gizli().agirlikla(2).altta(AltToplam::Sayi),
        kolon(u"ADI"_s, u"Açıklama"_s).agirlikla(3).kaydirarak(),
        kolon(u"MARKA"_s, u"Marka"_s).agirlikla(2).kaydirarak(),
        kolon(u"MODEL"_s, u"Model"_s).agirlikla(2).kaydirarak(),
        kolon(u"ANAGRUP"_s, u"Ana Grup"_s).agirlikla(2).kaydirarak(),
        kolon(u"OZELKOD"_s, u"Özel Kod"_s).agirlikla(2).kaydirarak(),
        kolon(u"LISTEFIYATI"_s, u"Fiyatı"_s).agirlikla(2).sayi(),
        kolon(u"FIYAT"_s, u"Liste Fiyatı"_s).agirlikla(2).sayi(),
        kolon(u"Y"_s, u"Yeni"_s).ikonlu(durumlar),
        kolon(u"K"_s, u"Kampanyalı"_s).ikonlu(durumlar),
        kolon(u"INDIRIM"_s, u"İndirim Oran"_s).sayi(),
        kolon(u"NETFIYAT"_s, u"Net Fiyatı"_s).agirlikla(2).sayi(),
        kolon(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s).agirlikla(2).sayi(),
        kolon(u"DURUM"_s, u"Durum"_s).ikonlu(durumlar),
    };
    return k;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication uygulama(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    const auto uretimBasi = Saat::now();
    const std::vector<Kolon> katalog = katalogUret();
    std::printf("catalogue generated: %d rows x %zu columns in %.0f ms\n", satirSayisi,
                katalog.size(), ms(Saat::now() - uretimBasi));
    const double hucreler = double(satirSayisi) * double(katalog.size());

    // --- Load ---
    std::vector<double> yuklemeler;
    const long rssOnce = rssKb();
    long tabloKb = 0;
    for (int i = 0; i < 7; ++i) {
        BellekTablo tablo;
        const auto bas = Saat::now();
        yukle(tablo, katalog);
        yuklemeler.push_back(ms(Saat::now() - bas));
        tabloKb = std::max(tabloKb, rssKb() - rssOnce);
    }
    const double yukleme = ortanca(yuklemeler);
    std::printf("load: median %.1f ms = %.1f ns/cell (min %.1f, max %.1f ms, 7 runs)\n", yukleme,
                yukleme * 1e6 / hucreler, *std::min_element(yuklemeler.begin(), yuklemeler.end()),
                *std::max_element(yuklemeler.begin(), yuklemeler.end()));
    std::printf("table in memory: about %.1f MB (%.1f bytes/cell)\n", tabloKb / 1024.0,
                tabloKb * 1024.0 / hucreler);

    // --- First paint ---
    BellekTablo stok;
    yukle(stok, katalog);
    VeriIzgarasi izgara;
    IzgaraAyarlari ayar;
    ayar.satirYuksekligi = 40;
    ayar.baslikYuksekligi = 40;
    ayar.yazi = QFont(u"DejaVu Sans"_s);
    ayar.yazi->setPixelSize(12);
    ayar.satirRengi = QColor(224, 232, 241);
    ayar.ikinciSatirRengi = QColor(237, 245, 255);
    ayar.altBilgi = true;
    izgara.ayarlariUygula(ayar);
    izgara.kolonlariAyarla(stokKolonlari());
    izgara.resize(1600, 900);
    izgara.show();
    izgara.kolonGenislikleriniAyarla(izgara.yatayKaydirmaCubuguYuksekligi() + 10);
    (void)izgara.grab();

    std::vector<double> boyamalar;
    for (int i = 0; i < 11; ++i) {
        // As a search does: detach and begin an update, load, attach, end, paint.
        izgara.guncellemeyiBaslat();
        izgara.tabloyuAyir();
        QApplication::processEvents();
        const auto bas = Saat::now();
        izgara.tabloyaBagla(&stok);
        izgara.guncellemeyiBitir();
        const QPixmap resim = izgara.grab();
        boyamalar.push_back(ms(Saat::now() - bas));
        if (resim.isNull())
            std::printf("grab failed\n");
    }
    std::printf("attach to first paint: median %.1f ms (min %.1f, max %.1f, 11 runs)\n",
                ortanca(boyamalar), *std::min_element(boyamalar.begin(), boyamalar.end()),
                *std::max_element(boyamalar.begin(), boyamalar.end()));

    // --- Sorting, filter list, best fit ---
    auto sure = [](auto &&is) {
        std::vector<double> v;
        for (int i = 0; i < 5; ++i) {
            const auto bas = Saat::now();
            is();
            v.push_back(ms(Saat::now() - bas));
        }
        return ortanca(v);
    };
    IzgaraSuzgeci *suzgec = izgara.suzgec();
    const int adi = izgara.kolonIndeksi(u"ADI");
    const int fiyat = izgara.kolonIndeksi(u"FIYAT");
    std::printf("sort 100k rows by price: median %.1f ms\n", sure([&] {
                    suzgec->sort(fiyat, Qt::AscendingOrder);
                    suzgec->sort(-1);
                }));
    std::printf("sort 100k rows by description (Turkish collation): median %.1f ms\n", sure([&] {
                    suzgec->sort(adi, Qt::AscendingOrder);
                    suzgec->sort(-1);
                }));
    std::printf("filter value list of MARKA: median %.1f ms\n",
                sure([&] { (void)suzgec->degerler(izgara.kolonIndeksi(u"MARKA")); }));
    std::printf("filter on MARKA with footer recount: median %.1f ms\n", sure([&] {
                    izgara.suzgecAyarla(u"MARKA", {u"BOSCH"_s, u"VALEO"_s});
                    izgara.suzgeciTemizle();
                }));
    std::printf("best fit of the shown columns: median %.1f ms\n",
                sure([&] { izgara.enIyiSigdir(); }));

    QTemporaryDir klasor;
    const QString dosya = klasor.filePath(u"stok.xls"_s);
    const double aktarma = sure([&] { (void)IzgarayiXlsYaz(izgara, dosya); });
    std::printf(
        "Excel export of the 100k rows shown (16 columns, 2 sheets): median %.0f ms, %.1f MB\n",
        aktarma, QFileInfo(dosya).size() / 1048576.0);

    std::printf("peak memory (whole process, catalogue source included): %.1f MB\n",
                enYuksekRssKb() / 1024.0);
    return 0;
}
