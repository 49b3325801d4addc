#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "app/utils/bicim.h"
#include "remote/tablo/bellektablo.h"
#include "tests/izgara/ornekler.h"
#include "widgets/izgara/agirlik.h"
#include "widgets/izgara/izgaramodeli.h"
#include "widgets/izgara/izgarasuzgeci.h"
#include "widgets/izgara/kolonsecici.h"
#include "widgets/izgara/suzgecpenceresi.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DbxTipi)
Q_DECLARE_METATYPE(KolonTuru)

namespace {

// The basket's grid, shown on the screen.
struct AcikSepet
{
    Sepet sepet;
    VeriIzgarasi izgara;
    explicit AcikSepet(int genislik = 800)
    {
        izgara.kolonlariAyarla(Sepet::kolonlar());
        izgara.tabloyaBagla(&sepet.tablo);
        izgara.resize(genislik, 300);
        izgara.show();
    }
    bool gorundu() { return QTest::qWaitForWindowExposed(&izgara); }
};

IzgaraAyarlari altBilgili()
{
    IzgaraAyarlari a;
    a.altBilgi = true;
    return a;
}

QStringList sutun(const VeriIzgarasi &izgara, QStringView alan)
{
    QStringList sonuc;
    for (int s = 0; s < izgara.gorunenSatirSayisi(); ++s)
        sonuc.append(izgara.hucreMetni(s, izgara.kolonIndeksi(alan)));
    return sonuc;
}

// The stock list's columns: field, shown at start, weight, offered in the chooser.
QList<IzgaraKolonu> stokKolonlari()
{
    const struct
    {
        const char16_t *alan;
        bool gorunur;
        int agirlik;
        bool secicide;
    } tablo[] = {
        {u"BARKOD", true, 2, true},
        {u"FINISHKOD", true, 2, true},
        {u"OEM1", false, 2, false},
        {u"OEM2", false, 2, false},
        {u"OEM3", false, 2, false},
        {u"ADI", true, 3, true},
        {u"OEM4", false, 2, false},
        {u"STOK_STOKNO", false, 1, false},
        {u"URETICIKODU", false, 2, true},
        {u"BARKOD_BARKODNO", false, 1, false},
        {u"DIGERADI", false, 3, true},
        {u"DPKOD", false, 2, false},
        {u"OEMNO", false, 2, true},
        {u"BIRIM", false, 1, true},
        {u"MARKA", true, 2, true},
        {u"MODEL", true, 2, true},
        {u"ANAGRUP", true, 2, true},
        {u"OZELKOD", true, 2, true},
        {u"KALAN", false, 1, false},
        {u"PKOD", false, 1, false},
        {u"KDV", false, 1, true},
        {u"ALINANSIPARIS", false, 1, false},
        {u"VERILENSIPARIS", false, 1, false},
        {u"LISTEFIYATI", true, 2, true},
        {u"MALIYET", false, 1, false},
        {u"FIYAT", true, 2, true},
        {u"Y", true, 1, true},
        {u"K", true, 1, true},
        {u"INDIRIM", true, 1, true},
        {u"NETFIYAT", true, 2, true},
        {u"KDVDAHIL", true, 2, true},
        {u"DURUM", true, 1, true},
    };
    QList<IzgaraKolonu> kolonlar;
    for (const auto &k : tablo)
        kolonlar.append(
            kolon(QString::fromUtf16(k.alan)).seciciye(k.secicide).agirlikla(k.agirlik));
    for (qsizetype i = 0; i < kolonlar.size(); ++i)
        kolonlar[i].gorunur = tablo[i].gorunur;
    return kolonlar;
}

// The new-products grid as shown at start (weights 2+2+3+1+2+2+2+2+2+2+1+2+2 = 25),
// with a few hidden columns around them.
QList<IzgaraKolonu> yeniUrunKolonlari()
{
    const struct
    {
        const char16_t *alan;
        bool gorunur;
        int agirlik;
    } tablo[] = {
        {u"OEM1", false, 2},   {u"BARKOD", true, 2},       {u"FINISHKOD", true, 2},
        {u"ADI", true, 3},     {u"STOK_STOKNO", false, 1}, {u"BIRIM", true, 1},
        {u"MARKA", true, 2},   {u"MODEL", true, 2},        {u"ANAGRUP", true, 2},
        {u"OZELKOD", true, 2}, {u"LISTEFIYATI", true, 2},  {u"FIYAT", true, 2},
        {u"INDIRIM", true, 1}, {u"NETFIYAT", true, 2},     {u"KDVDAHIL", true, 2},
    };
    QList<IzgaraKolonu> kolonlar;
    for (const auto &k : tablo) {
        IzgaraKolonu yeni = kolon(QString::fromUtf16(k.alan)).agirlikla(k.agirlik);
        yeni.gorunur = k.gorunur;
        kolonlar.append(yeni);
    }
    return kolonlar;
}

// Types text into a widget, Turkish letters included (QTest::keyClicks sends Latin-1 only).
void yaz(QWidget *hedef, const QString &metin)
{
    for (const QChar c : metin)
        QTest::sendKeyEvent(QTest::Click, hedef, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class VeriIzgarasiTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

    void hucreMetinleri_data()
    {
        QTest::addColumn<DbxTipi>("tip");
        QTest::addColumn<QVariant>("deger");
        QTest::addColumn<QString>("bicim");
        QTest::addColumn<QString>("metin");

        QTest::newRow("tam sayı") << DbxTipi::Int32 << QVariant(1234567) << QString()
                                  << u"1234567"_s;
        QTest::newRow("Int64") << DbxTipi::Int64 << QVariant(-9007199254740993LL) << QString()
                               << u"-9007199254740993"_s;
        QTest::newRow("para biçimi") << DbxTipi::Double << QVariant(1234567.891)
                                     << ParaBicimi.toString() << u"1.234.567,89"_s;
        QTest::newRow("para biçimi küçük")
            << DbxTipi::Double << QVariant(0.5) << ParaBicimi.toString() << u"0,50"_s;
        QTest::newRow("genel biçim")
            << DbxTipi::Double << QVariant(0.1 + 0.2) << QString() << u"0,3"_s;
        QTest::newRow("tam sayı biçimli")
            << DbxTipi::Int32 << QVariant(1500) << u"#,##0"_s << u"1.500"_s;
        QTest::newRow("tarih") << DbxTipi::Date << QVariant(QDate(2023, 2, 8)) << QString()
                               << u"08.02.2023"_s;
        QTest::newRow("zaman damgası")
            << DbxTipi::TimeStamp << QVariant(QDateTime(QDate(2017, 9, 27), QTime(7, 5, 9)))
            << QString() << u"27.09.2017 07:05:09"_s;
        QTest::newRow("gece yarısı")
            << DbxTipi::DateTime << QVariant(QDateTime(QDate(2017, 9, 27), QTime(0, 0)))
            << QString() << u"27.09.2017"_s;
        QTest::newRow("saat") << DbxTipi::Time << QVariant(QTime(23, 59, 1)) << QString()
                              << u"23:59:01"_s;
        QTest::newRow("mantıksal") << DbxTipi::Boolean << QVariant(true) << QString() << u"Evet"_s;
        QTest::newRow("metin") << DbxTipi::WideString << QVariant(u"Ön Fren Diski İĞÜ"_s)
                               << QString() << u"Ön Fren Diski İĞÜ"_s;
        QTest::newRow("null") << DbxTipi::Double << QVariant() << ParaBicimi.toString()
                              << QString();
    }

    // The model shows every type as the user reads it, in the Turkish locale.
    void hucreMetinleri()
    {
        QFETCH(DbxTipi, tip);
        QFETCH(QVariant, deger);
        QFETCH(QString, bicim);
        QFETCH(QString, metin);

        BellekTablo tablo;
        KolonTanimi k = KolonTanimi(u"A"_s, tip);
        k.gorunumBicimi = bicim;
        tablo.yenidenTanimla({k});
        tablo.satirEkle();
        QVERIFY(tablo.yaz(0, deger));
        tablo.kaydet();

        IzgaraModeli model;
        model.tabloyaBagla(&tablo);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.columnCount(), 1);
        QCOMPARE(model.data(model.index(0, 0)).toString(), metin);
        QCOMPARE(model.data(model.index(0, 0), IzgaraModeli::HamDegerRolu), tablo.deger(0, 0));
    }

    void ikonVeOnayKutusuKolonlari()
    {
        BellekTablo tablo;
        tablo.yenidenTanimla(
            {KolonTanimi(u"DURUM"_s, DbxTipi::Int32), KolonTanimi(u"SEC"_s, DbxTipi::Int32)});
        for (int i : {0, 1, 7}) {
            tablo.ekleTamsayi(0, i);
            tablo.ekleTamsayi(1, i == 1);
        }
        tablo.doldurmayiBitir();
        const QIcon var = renkliIkon(Qt::green);
        IzgaraModeli model;
        model.kolonlariAyarla(
            {kolon(u"DURUM"_s)
                 .ikonlu({{0, renkliIkon(Qt::red)}, {1, var}}, {{0, u"Yok"_s}, {1, u"Var"_s}}),
             kolon(u"SEC"_s, u"Seç"_s).turunde(KolonTuru::OnayKutusu)});
        model.tabloyaBagla(&tablo);

        QCOMPARE(model.data(model.index(1, 0), Qt::DecorationRole).value<QIcon>().cacheKey(),
                 var.cacheKey());
        QVERIFY(model.data(model.index(1, 0)).toString().isEmpty()); // an icon, no text
        QCOMPARE(model.data(model.index(1, 0), Qt::ToolTipRole).toString(), u"Var"_s);
        // A code without an icon of its own shows none.
        QVERIFY(model.data(model.index(2, 0), Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(model.data(model.index(1, 1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(model.data(model.index(0, 1), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Seç"_s);
    }

    // The money format set after the load reaches the grid without a reset.
    void bicimYuklemedenSonraUygulanir()
    {
        BellekTablo tablo;
        tablo.yenidenTanimla(
            {KolonTanimi(u"FIYAT"_s, DbxTipi::Double), KolonTanimi(u"K"_s, DbxTipi::Currency)});
        tablo.ekleOndalik(0, 1234.5);
        tablo.ekleOndalik(1, 1234.5);
        tablo.doldurmayiBitir();
        VeriIzgarasi izgara;
        izgara.tabloyaBagla(&tablo);
        QSignalSpy sifirlama(izgara.model(), &QAbstractItemModel::modelReset);
        QCOMPARE(izgara.hucreMetni(0, 0), u"1234,5"_s);
        ParaBicimiUygula(tablo);
        QCOMPARE(izgara.hucreMetni(0, 0), u"1.234,50"_s);
        QCOMPARE(izgara.hucreMetni(0, 1), u"1234,5"_s); // currency fields keep theirs
        QCOMPARE(sifirlama.size(), 0);
    }

    void suzgecAltBilgiyiDegistirir()
    {
        Sepet sepet;
        VeriIzgarasi izgara;
        izgara.ayarlariUygula(altBilgili());
        izgara.kolonlariAyarla(Sepet::kolonlar());
        izgara.tabloyaBagla(&sepet.tablo);
        QCOMPARE(izgara.altBilgiMetni(u"STOKADI"), u"5"_s);
        QCOMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"26"_s);
        QCOMPARE(izgara.altBilgiMetni(u"NETTUTAR"), u"3.345,00"_s);

        QSignalSpy degisti(&izgara, &VeriIzgarasi::suzgecDegisti);
        izgara.suzgecAyarla(u"MARKA", {u"Bosch"_s});
        QCOMPARE(degisti.size(), 1);
        QCOMPARE(izgara.gorunenSatirSayisi(), 2);
        QCOMPARE(izgara.altBilgiMetni(u"STOKADI"), u"2"_s);
        QCOMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"11"_s);
        QCOMPARE(izgara.altBilgiMetni(u"NETTUTAR"), u"1.235,00"_s);

        // Filters on two columns both apply.
        izgara.suzgecAyarla(u"MIKTAR", {u"9"_s, u"10"_s});
        QCOMPARE(sutun(izgara, u"STOKADI"), QStringList {u"Conta"_s});
        QCOMPARE(izgara.altBilgiMetni(u"NETTUTAR"), u"0,50"_s);

        izgara.suzgeciTemizle();
        QCOMPARE(izgara.gorunenSatirSayisi(), 5);
        QCOMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"26"_s);
    }

    // A screen derives its own footer values from the sums, after every filter.
    void altBilgiKancasiToplamlardanTuretir()
    {
        BellekTablo ekstre;
        ekstre.yenidenTanimla(
            {KolonTanimi(u"TURADI"_s, DbxTipi::WideString), KolonTanimi(u"BORC"_s, DbxTipi::Double),
             KolonTanimi(u"ALACAK"_s, DbxTipi::Double), KolonTanimi(u"BAKIYE"_s, DbxTipi::Double),
             KolonTanimi(u"D"_s, DbxTipi::WideString)});
        for (const auto &[tur, borc, alacak] : {std::tuple {u"Fatura"_s, 100.0, 0.0},
                                                {u"Tahsilat"_s, 0.0, 30.0},
                                                {u"Tahsilat"_s, 0.0, 70.0}}) {
            ekstre.ekleMetin(0, tur);
            ekstre.ekleOndalik(1, borc);
            ekstre.ekleOndalik(2, alacak);
            ekstre.ekleBos(3);
            ekstre.ekleBos(4);
        }
        ekstre.doldurmayiBitir();

        VeriIzgarasi izgara;
        izgara.ayarlariUygula(altBilgili());
        izgara.kolonlariAyarla({kolon(u"TURADI"_s),
                                kolon(u"BORC"_s).sayi().altta(AltToplam::Toplam),
                                kolon(u"ALACAK"_s).sayi().altta(AltToplam::Toplam),
                                kolon(u"BAKIYE"_s).sayi(), kolon(u"D"_s)});
        int cagri = 0;
        izgara.altBilgiKancasiAyarla([&cagri](AltBilgi &a) {
            ++cagri;
            const double d = a.toplamlar.value(u"BORC"_s) - a.toplamlar.value(u"ALACAK"_s);
            a.metinler[u"BAKIYE"_s] = QString::number(d);
            a.metinler[u"D"_s] = d > 0 ? u"B"_s : (d < 0 ? u"A"_s : u" "_s);
        });
        izgara.tabloyaBagla(&ekstre);
        QCOMPARE(izgara.altBilgiMetni(u"BAKIYE"), u"0"_s);
        QCOMPARE(izgara.altBilgiMetni(u"D"), u" "_s);

        const int onceki = cagri;
        izgara.suzgecAyarla(u"TURADI", {u"Tahsilat"_s});
        QVERIFY(cagri > onceki);
        QCOMPARE(izgara.altBilgiMetni(u"BAKIYE"), u"-100"_s);
        QCOMPARE(izgara.altBilgiMetni(u"D"), u"A"_s);
        QCOMPARE(izgara.altBilgiMetni(u"ALACAK"), u"100"_s);
    }

    void seciciYalnizIsaretliKolonlariSunar()
    {
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(stokKolonlari());
        const QStringList beklenen {
            u"BARKOD"_s,  u"FINISHKOD"_s, u"ADI"_s,         u"URETICIKODU"_s, u"DIGERADI"_s,
            u"OEMNO"_s,   u"BIRIM"_s,     u"MARKA"_s,       u"MODEL"_s,       u"ANAGRUP"_s,
            u"OZELKOD"_s, u"KDV"_s,       u"LISTEFIYATI"_s, u"FIYAT"_s,       u"Y"_s,
            u"K"_s,       u"INDIRIM"_s,   u"NETFIYAT"_s,    u"KDVDAHIL"_s,    u"DURUM"_s};
        QCOMPARE(izgara.seciciKolonlari(), beklenen);

        izgara.kolonSeciciyiAc();
        KolonSecici *secici = izgara.kolonSecici();
        QVERIFY(secici);
        QCOMPARE(secici->liste()->count(), beklenen.size());

        // Staff: KALAN switched on and into the chooser at run time.
        izgara.kolonuGoster(u"KALAN", true);
        izgara.secicideGoster(u"KALAN", true);
        QVERIFY(izgara.seciciKolonlari().contains(u"KALAN"_s));
        QCOMPARE(secici->liste()->count(), beklenen.size() + 1);

        // Unticking a column in the chooser hides it; the screen hears of it.
        QSignalSpy degisti(&izgara, &VeriIzgarasi::kolonlarDegisti);
        QListWidgetItem *adi = secici->liste()->findItems(u"ADI"_s, Qt::MatchExactly).value(0);
        QVERIFY(adi);
        QCOMPARE(adi->checkState(), Qt::Checked);
        adi->setCheckState(Qt::Unchecked);
        QVERIFY(!izgara.kolonGorunurMu(u"ADI"));
        QCOMPARE(degisti.size(), 1);
        // Never-shown columns are not in the list.
        QVERIFY(secici->liste()->findItems(u"OEM1"_s, Qt::MatchExactly).isEmpty());
    }

    void stokIzgarasiAgirlikla()
    {
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(stokKolonlari());
        izgara.resize(1200, 400);
        const int pay = izgara.yatayKaydirmaCubuguYuksekligi() + 10;
        izgara.kolonGenislikleriniAyarla(pay);

        int toplam = 0;
        for (const int k : izgara.gorunurKolonlar())
            toplam += izgara.model()->kolon(k).agirlik;
        // The fifteen columns shown at start, with the weights the stock list gives each.
        QCOMPARE(izgara.gorunurKolonlar().size(), 15);
        QCOMPARE(toplam, 27);
        const int birim = (1200 - pay) / toplam;
        for (const int k : izgara.gorunurKolonlar()) {
            const IzgaraKolonu &kolon = izgara.model()->kolon(k);
            QCOMPARE(izgara.kolonGenisligi(kolon.alan), kolon.agirlik * birim);
        }
    }

    void yeniUrunlerIzgarasiEsikIleBoyutlanir()
    {
        BellekTablo tablo;
        QList<KolonTanimi> tanimlar;
        for (const IzgaraKolonu &k : yeniUrunKolonlari())
            tanimlar.append(KolonTanimi(k.alan, DbxTipi::WideString));
        tablo.yenidenTanimla(tanimlar);
        for (int i = 0; i < tanimlar.size(); ++i)
            tablo.ekleMetin(i, i == 3 ? u"Çok uzun bir stok açıklaması ile"_s : u"x"_s);
        tablo.doldurmayiBitir();

        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(yeniUrunKolonlari());
        izgara.tabloyaBagla(&tablo);
        izgara.resize(1000, 400);

        izgara.kolonGenislikleriniAyarla(30, 1152, 1153);
        QCOMPARE(izgara.kolonGenisligi(u"ADI"), 114);
        QCOMPARE(izgara.kolonGenisligi(u"BARKOD"), 76);
        QCOMPARE(izgara.kolonGenisligi(u"BIRIM"), 38);

        // On a screen of 1152 pixels or less the columns fit their content.
        izgara.kolonGenislikleriniAyarla(30, 1152, 1152);
        const int adi = izgara.kolonGenisligi(u"ADI");
        QVERIFY(adi >
                izgara.fontMetrics().horizontalAdvance(u"Çok uzun bir stok açıklaması ile"_s));
        QVERIFY(izgara.kolonGenisligi(u"BIRIM") < adi);
    }

    void agirliklarSifirsaGenislikKullanilabilirKalir()
    {
        QVERIFY(agirlikGenislikleri({0, 0}, 900).isEmpty());
        QCOMPARE(agirlikGenislikleri({1, 2}, -50), (QList<int> {0, 0}));
        QCOMPARE(agirlikGenislikleri({2, 3, 0}, 999), (QList<int> {398, 597, 0}));

        Sepet sepet;
        VeriIzgarasi izgara;
        QList<IzgaraKolonu> kolonlar = Sepet::kolonlar();
        for (IzgaraKolonu &k : kolonlar)
            k.agirlik = 0;
        kolonlar[0].genislik = 3;
        izgara.kolonlariAyarla(kolonlar);
        izgara.tabloyaBagla(&sepet.tablo);
        izgara.resize(800, 300);
        izgara.agirligaGoreBoyutlandir(770);
        for (const int k : izgara.gorunurKolonlar()) {
            const int genislik = izgara.kolonGenisligi(izgara.kolonAlani(k));
            const int baslik =
                izgara.fontMetrics().horizontalAdvance(izgara.model()->kolon(k).gorunenBaslik());
            QVERIFY2(genislik > baslik, qPrintable(izgara.kolonAlani(k)));
        }
        QVERIFY(izgara.kolonGenisligi(u"STOKADI") >
                izgara.fontMetrics().horizontalAdvance(u"Şanzıman yağı"_s));
    }

    void artimliArama()
    {
        AcikSepet acik;
        QVERIFY(acik.gorundu());
        VeriIzgarasi &izgara = acik.izgara;
        QTableView *g = izgara.gorunum();
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, izgara.kolonIndeksi(u"STOKADI")));

        yaz(g, u"şa"_s);
        QCOMPARE(izgara.odakliSatir(), 3);
        yaz(g, u"f"_s); // "şaf" matches nothing: the grid stays
        QCOMPARE(izgara.odakliSatir(), 3);
        QTest::keyClick(g, Qt::Key_Backspace);
        QTest::keyClick(g, Qt::Key_Backspace);
        QCOMPARE(izgara.odakliSatir(), 3); // "ş" still matches the focused row

        // A new search from another column, case-insensitively.
        QTest::keyClick(g, Qt::Key_Escape);
        g->setCurrentIndex(g->model()->index(0, izgara.kolonIndeksi(u"NETTUTAR")));
        yaz(g, u"99"_s);
        QCOMPARE(izgara.odakliSatir(), 1);
        QCOMPARE(izgara.odakliAlan(), u"NETTUTAR"_s);
        QTest::keyClick(g, Qt::Key_Escape);
        g->setCurrentIndex(g->model()->index(0, izgara.kolonIndeksi(u"STOKADI")));
        yaz(g, u"fil"_s);
        QCOMPARE(izgara.odakliSatir(), 4);
    }

    void siralamaHamDegereGore_data()
    {
        QTest::addColumn<QString>("alan");
        QTest::addColumn<QStringList>("sirali");

        QTest::newRow("sayılar değerine göre")
            << u"MIKTAR"_s << QStringList {u"1"_s, u"2"_s, u"4"_s, u"9"_s, u"10"_s};
        QTest::newRow("Türkçe harf sırası") << u"STOKADI"_s
                                            << QStringList {u"Conta"_s, u"Çamurluk"_s, u"filtre"_s,
                                                            u"Fren balatası"_s, u"Şanzıman yağı"_s};
        QTest::newRow("biçimli tutarlar")
            << u"NETTUTAR"_s
            << QStringList {u"0,50"_s, u"10,01"_s, u"99,99"_s, u"1.234,50"_s, u"2.000,00"_s};
    }

    void siralamaHamDegereGore()
    {
        QFETCH(QString, alan);
        QFETCH(QStringList, sirali);
        AcikSepet acik;
        QVERIFY(acik.gorundu());
        VeriIzgarasi &izgara = acik.izgara;

        // A click on the header's caption (not its filter button) sorts.
        QHeaderView *baslik = izgara.gorunum()->horizontalHeader();
        const int kolon = izgara.kolonIndeksi(alan);
        const QPoint yer(baslik->sectionViewportPosition(kolon) + 8, baslik->height() / 2);
        QTest::mouseClick(baslik->viewport(), Qt::LeftButton, {}, yer);
        QCOMPARE(sutun(izgara, alan), sirali);

        // With sorting off the rows stay in the table's order.
        IzgaraAyarlari ayar;
        ayar.siralanabilir = false;
        izgara.ayarlariUygula(ayar);
        QTest::mouseClick(baslik->viewport(), Qt::LeftButton, {}, yer);
        for (int s = 0; s < izgara.gorunenSatirSayisi(); ++s)
            QCOMPARE(izgara.tabloSatiri(s), s);
    }

    void enterCiftTiklamaIleAyniSinyaliVerir()
    {
        AcikSepet acik;
        QVERIFY(acik.gorundu());
        VeriIzgarasi &izgara = acik.izgara;
        QSignalSpy etkin(&izgara, &VeriIzgarasi::etkinlestirildi);
        QTableView *g = izgara.gorunum();
        g->setFocus();

        QTest::keyClick(g, Qt::Key_End);
        QTest::keyClick(g, Qt::Key_Return);
        QTest::keyClick(g, Qt::Key_Home);
        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_Enter);
        const QRect hucre = g->visualRect(g->model()->index(2, 0));
        // A real double-click starts with a press: the view acts only on a row it saw pressed.
        QTest::mousePress(g->viewport(), Qt::LeftButton, {}, hucre.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, hucre.center());
        QCOMPARE(etkin.size(), 3);
        QCOMPARE(etkin[0][0].value<qsizetype>(), 4);
        QCOMPARE(etkin[1][0].value<qsizetype>(), 1);
        QCOMPARE(etkin[2][0].value<qsizetype>(), 2);
    }

    void kopyalaGorunurKolonlariSekmeyleAyirir()
    {
        AcikSepet acik;
        QVERIFY(acik.gorundu());
        VeriIzgarasi &izgara = acik.izgara;
        QTableView *g = izgara.gorunum();
        // The user moved "Net Tutar" to the front; the copy follows what is shown.
        g->horizontalHeader()->moveSection(2, 0);
        g->setFocus();
        g->selectionModel()->select(g->model()->index(3, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        g->selectionModel()->select(g->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 u"1.234,50\tFren balatası\t2\tVar\n2.000,00\tŞanzıman yağı\t1\tVar"_s);
    }

    // A background load writes the table with its controls disabled while the
    // grid is detached: the grid hears one reset and repaints once.
    void yuklemeBirKezSifirlar()
    {
        Sepet sepet;
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(Sepet::kolonlar());
        izgara.ayarlariUygula(altBilgili());
        izgara.tabloyaBagla(&sepet.tablo);
        QSignalSpy sifirlama(izgara.model(), &QAbstractItemModel::modelReset);
        QSignalSpy degisim(izgara.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy ekleme(izgara.model(), &QAbstractItemModel::rowsInserted);

        izgara.guncellemeyiBaslat();
        izgara.tabloyuAyir();
        QCOMPARE(izgara.gorunenSatirSayisi(), 0);
        sepet.tablo.kontrolleriKapat();
        sepet.tablo.bosalt();
        for (int i = 0; i < 1000; ++i) {
            sepet.tablo.satirEkle();
            sepet.tablo.yaz(u"STOKADI", u"Parça %1"_s.arg(i));
            sepet.tablo.yaz(u"MIKTAR", 1);
            sepet.tablo.kaydet();
        }
        sepet.tablo.kontrolleriAc();
        izgara.tabloyaBagla(&sepet.tablo);
        izgara.guncellemeyiBitir();

        QCOMPARE(izgara.gorunenSatirSayisi(), 1000);
        QCOMPARE(degisim.size(), 0);
        QCOMPARE(ekleme.size(), 0);
        QCOMPARE(sifirlama.size(), 2); // detach and attach, nothing per row
        QCOMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"1000"_s);

        // With the controls enabled a single edit updates its row and the footer.
        sepet.tablo.satiraGit(5);
        sepet.tablo.duzenle();
        sepet.tablo.yaz(u"MIKTAR", 11);
        sepet.tablo.kaydet();
        QCOMPARE(degisim.size(), 1);
        QTRY_COMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"1010"_s);
    }

    void yokolanTabloIzgarayiBosaltir()
    {
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(Sepet::kolonlar());
        {
            Sepet sepet;
            izgara.tabloyaBagla(&sepet.tablo);
            QCOMPARE(izgara.gorunenSatirSayisi(), 5);
        }
        QCOMPARE(izgara.tablo(), nullptr);
        QCOMPARE(izgara.gorunenSatirSayisi(), 0);
        QCOMPARE(izgara.model()->columnCount(), 5); // the declared columns stay
    }

    // The header's filter button opens the value list; unticking a value filters.
    void basliktakiSuzgecDugmesi()
    {
        AcikSepet acik(900);
        VeriIzgarasi &izgara = acik.izgara;
        izgara.ayarlariUygula(altBilgili());
        izgara.kolonuGoster(u"MARKA", true);
        QVERIFY(acik.gorundu());

        auto *baslik = izgara.gorunum()->horizontalHeader();
        const int kolon = izgara.kolonIndeksi(u"MARKA");
        const int x = baslik->sectionViewportPosition(kolon) + baslik->sectionSize(kolon) - 9;
        QTest::mouseClick(baslik->viewport(), Qt::LeftButton, {}, QPoint(x, baslik->height() / 2));
        SuzgecPenceresi *pencere = izgara.acikSuzgecPenceresi();
        QVERIFY(pencere);
        QCOMPARE(pencere->kolon(), kolon);
        QStringList degerler;
        for (int i = 1; i < pencere->liste()->count(); ++i)
            degerler.append(pencere->liste()->item(i)->text());
        QCOMPARE(degerler, (QStringList {u"Bosch"_s, u"Castrol"_s, u"Valeo"_s}));
        QCOMPARE(izgara.gorunenSatirSayisi(), 5); // the click did not sort or filter

        QVERIFY(pencere->isaretle(u"Valeo"_s, false));
        pencere->uygula();
        QCOMPARE(izgara.gorunenSatirSayisi(), 3);
        QCOMPARE(izgara.altBilgiMetni(u"MIKTAR"), u"12"_s);
        QVERIFY(izgara.suzgecVarMi());

        // The next list shows the unticked value unticked; clearing shows every row.
        izgara.suzgecPenceresiniAc(kolon);
        pencere = izgara.acikSuzgecPenceresi();
        QCOMPARE(pencere->liste()->findItems(u"Valeo"_s, Qt::MatchExactly).value(0)->checkState(),
                 Qt::Unchecked);
        pencere->temizle();
        QCOMPARE(izgara.gorunenSatirSayisi(), 5);
        QVERIFY(!izgara.suzgecVarMi());
    }

    // A button cell reports its row and field; a picture cell shows the picture
    // its bytes hold.
    void dugmeVeResimHucreleri()
    {
        QImage kirmizi(8, 8, QImage::Format_RGB32);
        kirmizi.fill(Qt::red);
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        kirmizi.save(&tampon, "PNG");

        BellekTablo tablo;
        tablo.yenidenTanimla(
            {KolonTanimi(u"RESIM"_s, DbxTipi::Blob), KolonTanimi(u"ADI"_s, DbxTipi::WideString)});
        for (int i = 0; i < 3; ++i) {
            tablo.ekleIkili(0, i == 1 ? png : QByteArray("bozuk"));
            tablo.ekleMetin(1, u"Parça %1"_s.arg(i));
        }
        tablo.doldurmayiBitir();
        VeriIzgarasi izgara;
        IzgaraAyarlari ayar;
        ayar.satirYuksekligi = 40;
        izgara.ayarlariUygula(ayar);
        izgara.kolonlariAyarla({kolon(u"RESIM"_s).turunde(KolonTuru::Resim).genislikle(60),
                                kolon(u"ADI"_s).dugme(u"Sepete Ekle"_s).genislikle(120)});
        izgara.tabloyaBagla(&tablo);
        izgara.resize(400, 300);
        izgara.show();
        QVERIFY(QTest::qWaitForWindowExposed(&izgara));
        QTableView *g = izgara.gorunum();

        QSignalSpy dugme(&izgara, &VeriIzgarasi::dugmeTiklandi);
        const QRect hucre = g->visualRect(g->model()->index(2, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, hucre.center());
        QCOMPARE(dugme.size(), 1);
        QCOMPARE(dugme[0][0].value<qsizetype>(), 2);
        QCOMPARE(dugme[0][1].toString(), u"ADI"_s);

        const QImage goruntu = g->viewport()->grab().toImage();
        const QPoint orta = g->visualRect(g->model()->index(1, 0)).center();
        QCOMPARE(goruntu.pixelColor(orta), QColor(Qt::red));
        // Bytes that are no picture draw nothing, and nothing breaks.
        const QPoint bozuk = g->visualRect(g->model()->index(0, 0)).center();
        QVERIFY(goruntu.pixelColor(bozuk) != QColor(Qt::red));
    }

    void suzgecListesiDigerSuzgecleriIzler()
    {
        Sepet sepet;
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(Sepet::kolonlar());
        izgara.tabloyaBagla(&sepet.tablo);
        izgara.suzgecAyarla(u"MARKA", {u"Valeo"_s});
        const auto miktarlar = izgara.suzgec()->degerler(izgara.kolonIndeksi(u"MIKTAR"));
        QCOMPARE(miktarlar.size(), 2);
        QCOMPARE(miktarlar[0].metin, u"4"_s);
        QCOMPARE(miktarlar[1].metin, u"10"_s);
        // Its own filter does not narrow a column's list, but marks what passes.
        const auto markalar = izgara.suzgec()->degerler(izgara.kolonIndeksi(u"MARKA"));
        QCOMPARE(markalar.size(), 3);
        QCOMPARE(markalar[0].secili, false);
        QCOMPARE(markalar[2].secili, true);
        QCOMPARE(markalar[0].adet, 2);
    }
};

QTEST_MAIN(VeriIzgarasiTesti)
#include "tst_veriizgarasi.moc"
