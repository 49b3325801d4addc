#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTest>

#include "sunucu/demoicerik.h"
#include "sunucu/demoveri.h"
#include "sunucu/hesaplar.h"
#include "sunucu/sema.h"
#include "testdeposu.h"

using namespace Qt::StringLiterals;

namespace {

const QDate gun(2024, 6, 15);

// Every row of the tables that carry the generated content, in key order.
QByteArray ozet(Veritabani &vt)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char *sql : {"SELECT * FROM stoklar ORDER BY stokno", "SELECT * FROM stok_oemleri ORDER BY stokno, sira",
                            "SELECT * FROM barkodlar ORDER BY barkodno", "SELECT * FROM cariler ORDER BY carino",
                            "SELECT * FROM kullanicilar ORDER BY sirano", "SELECT * FROM siparis_satirlari ORDER BY sirano",
                            "SELECT * FROM cari_hareketler ORDER BY idno", "SELECT * FROM sepet ORDER BY sirano",
                            "SELECT * FROM dosyalar ORDER BY sirano"}) {
        VtKomutu &k = vt.sorgula(sql);
        while (k.sonraki()) {
            for (int i = 0; i < k.kolonSayisi(); ++i) {
                const VtDeger d = k.deger(i);
                h.addData(std::holds_alternative<QByteArray>(d) ? std::get<QByteArray>(d) : vtMetin(d).toUtf8());
                h.addData("|");
            }
        }
    }
    return h.result().toHex();
}

std::unique_ptr<Veritabani> uret(const QString &adres, std::uint64_t tohum, int stokSayisi = 400)
{
    auto vt = veritabaniAc(adres);
    semayiGuncelle(*vt);
    demoVeriUret(*vt, {tohum, stokSayisi, gun});
    return vt;
}

// The catalogue rows of the items up to enCok, in key order.
QByteArray katalogOzeti(Veritabani &vt, int enCok)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char *sql :
         {"SELECT * FROM stoklar WHERE stokno <= ? ORDER BY stokno",
          "SELECT * FROM stok_oemleri WHERE stokno <= ? ORDER BY stokno, sira",
          "SELECT stokno, barkod FROM barkodlar WHERE stokno <= ? ORDER BY barkodno",
          "SELECT stokno, tarih, beklenen_tarih, miktar, gelen FROM tedarikci_siparisleri "
          "WHERE stokno <= ? ORDER BY sirano"}) {
        VtKomutu &k = vt.sorgula(sql, qint64(enCok));
        while (k.sonraki()) {
            for (int i = 0; i < k.kolonSayisi(); ++i) {
                h.addData(vtMetin(k.deger(i)).toUtf8());
                h.addData("|");
            }
        }
    }
    return h.result().toHex();
}

std::vector<qint64> tamsayilar(Veritabani &vt, const char *sql)
{
    std::vector<qint64> v;
    VtKomutu &k = vt.sorgula(sql);
    while (k.sonraki())
        v.push_back(k.tamsayi(0));
    return v;
}

} // namespace

class DemoVeriTesti final : public QObject
{
    Q_OBJECT

private slots:
    void ean13KontrolHanesi_data()
    {
        QTest::addColumn<QString>("ilkOnIki");
        QTest::addColumn<QString>("barkod");
        QTest::newRow("check digit 7") << u"400638133393"_s << u"4006381333931"_s;
        QTest::newRow("check digit 0") << u"869000000000"_s << u"8690000000005"_s;
        QTest::newRow("turkish prefix") << u"869123456789"_s << u"8691234567890"_s;
    }
    void ean13KontrolHanesi()
    {
        QFETCH(QString, ilkOnIki);
        QFETCH(QString, barkod);
        QCOMPARE(ean13(ilkOnIki), barkod);
        QVERIFY(ean13Gecerli(barkod));
        QString bozuk = barkod;
        bozuk[5] = QChar(u'0' + (bozuk[5].unicode() - u'0' + 1) % 10);
        QVERIFY(!ean13Gecerli(bozuk));
        QVERIFY(!ean13Gecerli(barkod.left(12)));
        QVERIFY(!ean13Gecerli(barkod.left(12) + u'X'));
    }

    void aramaAnahtariAyiricilariAtar()
    {
        QCOMPARE(aramaAnahtari(u"0 986-494.104"_s), u"0986494104"_s);
        QCOMPARE(aramaAnahtari(u"fr-10423/a"_s), u"FR10423A"_s);
        QCOMPARE(aramaAnahtari(u"1K0 615 301 AA"_s), aramaAnahtari(u"1k0615301aa"_s));
    }

    void ayniTohumAyniVeri()
    {
        TEST_DEPOSU(a, u"sqlite"_s);
        TEST_DEPOSU(b, u"sqlite"_s);
        TEST_DEPOSU(c, u"sqlite"_s);
        const QByteArray ilk = ozet(*uret(a.adres(), 7));
        QCOMPARE(ozet(*uret(b.adres(), 7)), ilk);
        QVERIFY(ozet(*uret(c.adres(), 8)) != ilk);
    }

    void herDepodaAyniVeri()
    {
        // The bulk paths differ (prepared inserts, COPY): the data must not.
        TEST_DEPOSU(sqlite, u"sqlite"_s);
        TEST_DEPOSU(pg, u"postgresql"_s);
        QCOMPARE(ozet(*uret(pg.adres(), 5)), ozet(*uret(sqlite.adres(), 5)));
    }

    void kalemBoyudanBagimsiz()
    {
        // An item is made from the seed and its number alone, in batches on
        // another thread: the same items whatever the catalogue's size, the
        // batches' borders included.
        TEST_DEPOSU(a, u"sqlite"_s);
        TEST_DEPOSU(b, u"sqlite"_s);
        const QByteArray kucuk = katalogOzeti(*uret(a.adres(), 11, 4500), 4500);
        QCOMPARE(katalogOzeti(*uret(b.adres(), 11, 9000), 4500), kucuk);
    }

    void yuklemeSaglamVeritabaniBirakir()
    {
        TEST_DEPOSU(bos, u"sqlite"_s);
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto yeni = veritabaniAc(bos.adres());
        semayiGuncelle(*yeni);
        auto vt = uret(depo.adres(), 2);
        // References are not checked while loading: every one must hold.
        VtKomutu &kopuk = vt->sorgula("PRAGMA foreign_key_check");
        QVERIFY2(!kopuk.sonraki(), qPrintable(kopuk.metin(0)));
        QCOMPARE(vtMetin(vt->tekDeger("PRAGMA integrity_check")), u"ok"_s);
        // Every index is back, and the file serves as before.
        const char *dizinler = "SELECT group_concat(name || ':' || sql, ';') FROM "
                               "(SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql "
                               "IS NOT NULL ORDER BY name)";
        QCOMPARE(vtMetin(vt->tekDeger(dizinler)), vtMetin(yeni->tekDeger(dizinler)));
        QCOMPARE(vtMetin(vt->tekDeger("PRAGMA journal_mode")), u"wal"_s);
        QCOMPARE(vtTamsayi(vt->tekDeger("PRAGMA foreign_keys")), qint64(1));
        // Times are wall-clock times of a working day.
        VtKomutu &t = vt->sorgula("SELECT tarih FROM siparisler");
        const QRegularExpression bicim(u"^\\d{4}-\\d{2}-\\d{2} (0[89]|1[0-8]):\\d{2}:\\d{2}$"_s);
        int sayi = 0;
        while (t.sonraki()) {
            QVERIFY2(bicim.match(t.metin(0)).hasMatch(), qPrintable(t.metin(0)));
            ++sayi;
        }
        QVERIFY(sayi > 0);
    }

    void icerikTamVeGecerli()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = uret(depo.adres(), 1);

        QCOMPARE(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM stoklar")), qint64(400));
        VtKomutu &b = vt->sorgula("SELECT barkod FROM barkodlar");
        int barkodSayisi = 0;
        while (b.sonraki()) {
            QVERIFY2(ean13Gecerli(b.metin(0)), qPrintable(b.metin(0)));
            ++barkodSayisi;
        }
        QVERIFY(barkodSayisi >= 400);

        QCOMPARE(tamsayilar(*vt, "SELECT DISTINCT durum FROM stoklar ORDER BY durum"), (std::vector<qint64>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(tamsayilar(*vt, "SELECT DISTINCT durum FROM siparisler ORDER BY durum"), (std::vector<qint64>{2, 3, 4, 5, 6, 7}));
        QCOMPARE(tamsayilar(*vt, "SELECT DISTINCT musteri_tipi FROM kullanicilar ORDER BY musteri_tipi"),
                 (std::vector<qint64>{0, 1, 2, 3, 4}));
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")) > 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM stoklar WHERE kampanya > 0 AND kampanya_fiyati < fiyat")) > 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT MIN(n) FROM (SELECT COUNT(*) AS n FROM stok_oemleri GROUP BY stokno) x")) >= 1);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM stok_oemleri GROUP BY stokno) x")) > 1);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM cariler WHERE carikod LIKE '%BDM%'")) == 1);
        // Partial deliveries: delivered, but something still open.
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM siparis_satirlari WHERE teslimedilen > 0 AND kalan > 0")) > 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM siparis_satirlari s WHERE teslimedilen <> "
                                       "(SELECT COALESCE(SUM(miktar), 0) FROM teslimatlar t WHERE t.satir = s.sirano)")) == 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM faturalar")) > 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM tahsilatlar")) > 0);
        QVERIFY(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM sepet WHERE sec = 1")) > 0);

        // Documents: one of each file kind the client draws.
        QStringList uzantilar;
        VtKomutu &d = vt->sorgula("SELECT dosyayol, icerik FROM dosyalar ORDER BY sirano");
        while (d.sonraki()) {
            uzantilar << d.metin(0).section(u'.', -1).toUpper();
            QVERIFY(!d.ikili(1).isEmpty());
        }
        for (const QString &u : {u"PDF"_s, u"XLSX"_s, u"XLS"_s, u"JPG"_s, u"PNG"_s, u"BMP"_s, u"DOCX"_s, u"DOC"_s, u"TXT"_s})
            QVERIFY2(uzantilar.contains(u), qPrintable(u));
        QVERIFY(vtMetin(vt->tekDeger("SELECT metin FROM icerikler WHERE ad = 'kayan_yazi'")).contains(u"<b>"_s));
        const QByteArray banner = std::get<QByteArray>(vt->tekDeger("SELECT veri FROM icerikler WHERE ad = 'banner'"));
        QVERIFY(banner.startsWith("GIF89a") && banner.contains("NETSCAPE2.0") && banner.endsWith('\x3B'));
        const QByteArray ekran = std::get<QByteArray>(vt->tekDeger("SELECT resim FROM acilis_ekranlari WHERE arama = '#YENİ#'"));
        QVERIFY(QImage::fromData(ekran, "JPG").size() == QSize(600, 400));
    }

    void demoHesaplariGirebilir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = uret(depo.adres(), 3);
        for (const DemoHesabi &h : demoHesaplari()) {
            const TSonucBilgisi k = oturumKaydi(*vt, h.bilgisayarId);
            QVERIFY2(k.Varmi(), qPrintable(h.bilgisayarId));
            QCOMPARE(k.ADI(), h.kullanici);
            QCOMPARE(k.SIFRE(), h.sifre);
            // The login form upper-cases what is typed.
            QCOMPARE(k.ADI(), k.ADI().toUpper());
            QCOMPARE(k.SIFRE(), k.SIFRE().toUpper());
            QCOMPARE(k.MusteriTipi(), h.musteriTipi);
            QCOMPARE(k.carikod(), h.carikod);
            QCOMPARE(k.AKTIF(), 1);
            QCOMPARE(k.Version(), 3);
        }
        // A second run would mix two demos: refused, nothing written.
        const qint64 once = vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM stoklar"));
        QVERIFY_THROWS_EXCEPTION(DemoVeriHatasi, demoVeriUret(*vt, {3, 400, gun}));
        QCOMPARE(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM stoklar")), once);
    }

    void gifVeZipOkunur()
    {
        QImage kare(16, 8, QImage::Format_RGB32);
        kare.fill(QColor(255, 0, 0));
        const QByteArray gif = gifYaz({kare, kare}, 10);
        const QImage okunan = QImage::fromData(gif, "GIF");
        QCOMPARE(okunan.size(), QSize(16, 8));
        QCOMPARE(QColor(okunan.pixel(3, 3)), QColor(255, 0, 0));

        const QByteArray zip = zipArsivi({{u"a.txt"_s, "merhaba"}});
        QVERIFY(zip.startsWith("PK\x03\x04"));
        // CRC-32 of "merhaba", little-endian, at offset 14.
        QCOMPARE(zip.mid(14, 4).toHex(), QByteArray("0df9df76"));
        QVERIFY(zip.contains("a.txtmerhaba"));
        QVERIFY(zip.contains("PK\x05\x06"));
    }
};

QTEST_MAIN(DemoVeriTesti)
#include "tst_demoveri.moc"
