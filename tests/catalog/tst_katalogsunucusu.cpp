// The server's side of the order: the catalogue search and its index, basket
// lines with their amounts, and order submission, on SQLite and PostgreSQL.
#include <QTest>

#include <atomic>
#include <cmath>
#include <thread>

#include "sunucu/dagitici.h"
#include "sunucu/katalog.h"
#include "sunucu/sema.h"
#include "sunucu/sepet.h"
#include "tests/catalog/katalogfiksturu.h"
#include "tests/sunucu/testdeposu.h"

using namespace Qt::StringLiterals;

namespace {

TSonucBilgisi oturum(int kullanici, int carino)
{
    TSonucBilgisi b;
    b.setSirano(kullanici);
    b.setCARINO(carino);
    return b;
}

QList<int> stoknolar(const BellekTablo &t)
{
    QList<int> l;
    const int k = t.kolonIndeksi(u"STOK_STOKNO");
    for (qsizetype s = 0; s < t.satirSayisi(); ++s)
        l << int(t.tamsayi(s, k));
    return l;
}

QVariant hucre(const BellekTablo &t, qsizetype satir, QStringView alan)
{
    return t.deger(satir, t.kolonIndeksi(alan));
}

qsizetype satiri(const BellekTablo &t, QStringView alan, int deger)
{
    return t.ara(t.kolonIndeksi(alan), deger);
}

SepetSatiri satir(int kullanici, int stokno, double miktar, double fiyat, double indirim)
{
    SepetSatiri s;
    s.carino = 1;
    s.stokno = stokno;
    s.miktar = miktar;
    s.kdv = 18;
    s.fiyat = fiyat;
    s.indirim = indirim;
    s.verenid = kullanici;
    return s;
}

SiparisIstegi istek(int kargoTuru = 2, int kargoFirma = 3)
{
    SiparisIstegi i;
    i.carino = 1;
    i.teslim = 2;
    i.kargoTuru = kargoTuru;
    i.kargoFirma = kargoFirma;
    i.aciklama = u"Acil\r\ngönderin"_s;
    i.verenid = 1;
    return i;
}

qint64 sayi(Veritabani &vt, std::string_view sql)
{
    return vtTamsayi(vt.tekDeger(sql));
}

} // namespace

class KatalogSunucusuTesti final : public QObject
{
    Q_OBJECT

private slots:
    void katlamaVeAnahtarlar()
    {
        QCOMPARE(aramaKatla(u"çağ ışık İĞNE öşü"), u"CAG ISIK IGNE OSU"_s);
        QCOMPARE(kodAnahtari(u"0 986-494.104/ş"), u"0986494104S"_s);
        QCOMPARE(aramaKelimeleri(u"  fren-balatası, FREN  ön/takım "),
                 QStringList({u"FREN"_s, u"BALATASI"_s, u"ON"_s, u"TAKIM"_s}));
    }

    void arama_data()
    {
        QTest::addColumn<QString>("tur");
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QList<int>>("beklenen");
        for (const QString &tur : {u"sqlite"_s, u"postgresql"_s}) {
            const auto satir = [&](const char *ad, const QString &metin, QList<int> beklenen) {
                QTest::addRow("%s %s", qPrintable(tur), ad) << tur << metin << beklenen;
            };
            // An OEM number with any separators; item 4's own code begins
            // with the same digits, and comes after the exact match.
            satir("oem blanks", u"0 986 494 104"_s, {1, 4});
            satir("oem dashes", u"0986-494-104"_s, {1, 4});
            satir("oem dots slash", u"0986.494/104"_s, {1, 4});
            satir("barcode", u"8691000000028"_s, {2});
            satir("second barcode", u"4050000000013"_s, {1});
            satir("code prefix", u"FR1000"_s, {1, 2});
            satir("manufacturer code", u"21.1111.2222-3"_s, {2});
            // Description words, in any case and with Turkish letters, in
            // the order of their codes; the item whose manufacturer code is
            // BALATA comes first.
            satir("words", u"fren balatası"_s, {4, 1});
            satir("word prefixes", u"BALATA"_s, {6, 4, 1});
            satir("folded words", u"YAG FILTRESI"_s, {3});
            satir("word order", u"TAKIM FREN ARKA"_s, {4});
            satir("no match", u"BALATASI OPEL"_s, {});
            satir("inactive excluded", u"ESKI"_s, {});
            satir("too short", u"  ab  "_s, {});
            satir("separators only", u"- - -"_s, {});
        }
    }
    void arama()
    {
        QFETCH(QString, tur);
        QFETCH(QString, metin);
        QFETCH(QList<int>, beklenen);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        const BellekTablo t = stokAra(*vt, metin, oturum(1, 1));
        QCOMPARE(stoknolar(t), beklenen);
        QCOMPARE(t.kolonSayisi(), 32); // an empty answer keeps its columns
    }

    void hesabinFiyatlari()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        struct Beklenen
        {
            QString kod;
            double fiyat, indirim, net, kdvDahil;
            int k;
        };
        // 100 at 10 %, VAT 18; 200 at the brand's 15 %; a campaign item at its
        // own price without discount, VAT 8.
        const Beklenen beklenenler[] = {{u"FR-10001"_s, 100, 10, 90, 106.2, 0},
                                        {u"FR.10002"_s, 200, 15, 170, 200.6, 0},
                                        {u"FL 10003"_s, 80, 0, 80, 86.4, 2}};
        for (const Beklenen &b : beklenenler) {
            const BellekTablo r = stokAra(*vt, b.kod, oturum(1, 1));
            QCOMPARE(r.satirSayisi(), 1);
            QCOMPARE(hucre(r, 0, u"FIYAT").toDouble(), b.fiyat);
            QCOMPARE(hucre(r, 0, u"INDIRIM").toDouble(), b.indirim);
            QCOMPARE(hucre(r, 0, u"NETFIYAT").toDouble(), b.net);
            QCOMPARE(hucre(r, 0, u"KDVDAHIL").toDouble(), b.kdvDahil);
            QCOMPARE(hucre(r, 0, u"K").toInt(), b.k);
        }
        const BellekTablo r = stokAra(*vt, u"FR-10001"_s, oturum(1, 1));
        QCOMPARE(hucre(r, 0, u"BARKOD").toString(), u"8691000000011"_s);
        QCOMPARE(hucre(r, 0, u"OEM1").toString(), u"0 986 494 104"_s);
        QCOMPARE(hucre(r, 0, u"OEM2").toString(), u"8671005"_s);
        QCOMPARE(hucre(r, 0, u"OEM3").toString(), QString());
        QCOMPARE(hucre(r, 0, u"KDV").toInt(), 18);
        QCOMPARE(hucre(r, 0, u"DURUM").toInt(), 1);
        QCOMPARE(hucre(r, 0, u"LISTEFIYATI").toDouble(), 100.0);
    }

    // Cost and stock figures go to staff only.
    void personelKolonlari_data()
    {
        QTest::addColumn<int>("kullanici");
        QTest::addColumn<QString>("maliyet");
        QTest::addColumn<double>("kalan");
        QTest::addColumn<double>("alinan");
        QTest::addColumn<double>("verilen");
        QTest::newRow("dealer") << 1 << QString() << 0.0 << 0.0 << 0.0;
        QTest::newRow("representative") << 2 << u"50.00 TL"_s << 7.0 << 4.0 << 15.0;
        QTest::newRow("BDM account") << 3 << u"50.00 TL"_s << 7.0 << 4.0 << 15.0;
    }
    void personelKolonlari()
    {
        QFETCH(int, kullanici);
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        const BellekTablo r = stokAra(*vt, u"FR-10001"_s, oturum(kullanici, 1));
        QTEST(hucre(r, 0, u"MALIYET").toString(), "maliyet");
        QTEST(hucre(r, 0, u"KALAN").toDouble(), "kalan");
        QTEST(hucre(r, 0, u"ALINANSIPARIS").toDouble(), "alinan");
        QTEST(hucre(r, 0, u"VERILENSIPARIS").toDouble(), "verilen");
        if (kullanici != 1) {
            const BellekTablo d = stokAra(*vt, u"FR.10002"_s, oturum(kullanici, 1));
            QCOMPARE(hucre(d, 0, u"MALIYET").toString(), u"12.50 $"_s);
        }
    }

    void bilinmeyenCariHataVerir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        QVERIFY_THROWS_EXCEPTION(MetotHatasi, stokAra(*vt, u"FREN"_s, oturum(1, 99)));
    }

    void sonucSinirli()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        vt->islem([&] {
            auto y = vt->topluYazici("stoklar", {"stokno", "finishkod", "adi"});
            for (int s = 100; s < 100 + stokAramaSiniri + 50; ++s)
                y->ekle({qint64(s), u"X%1"_s.arg(s), u"SİLECEK SÜPÜRGESİ"_s});
            y->bitir();
        });
        QVERIFY(katalogDiziniEksik(*vt) == false);
        katalogDiziniKur(*vt);
        const BellekTablo t = stokAra(*vt, u"silecek"_s, oturum(1, 1));
        QCOMPARE(t.satirSayisi(), stokAramaSiniri);
        QCOMPARE(stoknolar(t).first(), 100); // the lowest numbers, in order
    }

    void dizinEksigiAnlasilir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        QVERIFY(!katalogDiziniEksik(*vt));
        vt->yurut("DELETE FROM stok_kelimeleri; DELETE FROM stok_anahtarlari");
        QVERIFY(katalogDiziniEksik(*vt));
        QCOMPARE(stokAra(*vt, u"FREN BALATASI"_s, oturum(1, 1)).satirSayisi(), 0);
        katalogDiziniKur(*vt); // rebuilding twice gives the same index
        katalogDiziniKur(*vt);
        QCOMPARE(stoknolar(stokAra(*vt, u"FREN BALATASI"_s, oturum(1, 1))), QList<int>({4, 1}));
    }

    void resim()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        const QByteArray jpeg("\xFF\xD8\xFF\xE0 resim", 10);
        vt->degistir("INSERT INTO resimler (resim_no, veri) VALUES (1, ?)", jpeg);
        vt->yurut("UPDATE stoklar SET resim_no = 1 WHERE stokno = 2");
        QCOMPARE(stokResmi(*vt, 2), jpeg);
        QVERIFY(stokResmi(*vt, 1).isEmpty());
        QVERIFY(stokResmi(*vt, 999).isEmpty());
    }

    // --- basket ---

    void depolar_data()
    {
        QTest::addColumn<QString>("tur");
        QTest::newRow("sqlite") << u"sqlite"_s;
        QTest::newRow("postgresql") << u"postgresql"_s;
    }

    void satirTutarlari_data() { depolar_data(); }
    void satirTutarlari()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        // The representative sets his own price and rate; the amounts are the server's.
        QCOMPARE(sepetEkle(*vt, satir(2, 1, 3, 100, 10)), 1);
        const BellekTablo t = sepetVer(*vt, 1);
        QCOMPARE(t.satirSayisi(), 1);
        QCOMPARE(hucre(t, 0, u"TUTAR").toDouble(), 300.0);
        QCOMPARE(hucre(t, 0, u"INDIRIMTUTAR").toDouble(), 30.0);
        QCOMPARE(hucre(t, 0, u"NETTUTAR").toDouble(), 270.0);
        QCOMPARE(hucre(t, 0, u"NETBIRIMFIYAT").toDouble(), 90.0);
        QCOMPARE(hucre(t, 0, u"VERGITUTARI").toDouble(), 48.6);
        QCOMPARE(hucre(t, 0, u"KDV").toInt(), 18);
        QCOMPARE(hucre(t, 0, u"SEC").toInt(), 1);
        QCOMPARE(hucre(t, 0, u"STOKNO").toInt(), 1);
        QCOMPARE(hucre(t, 0, u"BARKOD").toString(), u"8691000000011"_s);
        QCOMPARE(hucre(t, 0, u"STOKADI").toString(), u"FREN BALATASI ÖN TAKIM RENAULT CLIO"_s);
        QCOMPARE(hucre(t, 0, u"VEREN").toString(), u"TEMSILCI"_s);
        QVERIFY(hucre(t, 0, u"VERILISTARIHI").toDateTime().isValid());

        // Rounding of each amount: 7 × 33.33 = 233.31, 12.5 % of it 29.16375.
        QCOMPARE(sepetEkle(*vt, satir(2, 2, 7, 33.33, 12.5)), 1);
        const BellekTablo u = sepetVer(*vt, 1);
        const qsizetype i = satiri(u, u"STOKNO", 2);
        QCOMPARE(hucre(u, i, u"TUTAR").toDouble(), 233.31);
        QCOMPARE(hucre(u, i, u"INDIRIMTUTAR").toDouble(), 29.16);
        QCOMPARE(hucre(u, i, u"NETTUTAR").toDouble(), 204.15);
        QCOMPARE(hucre(u, i, u"VERGITUTARI").toDouble(), 36.75);
    }

    // A dealer's client cannot set its own price: the account's price stands.
    void bayiFiyatiKatalogdan()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        QCOMPARE(sepetEkle(*vt, satir(1, 2, 1, 0.01, 99)), 1);
        QCOMPARE(sepetEkle(*vt, satir(1, 3, 1, 1, 50)), 1);
        const BellekTablo t = sepetVer(*vt, 1);
        QCOMPARE(hucre(t, satiri(t, u"STOKNO", 2), u"BIRIMFIYAT").toDouble(), 200.0);
        QCOMPARE(hucre(t, satiri(t, u"STOKNO", 2), u"INDIRIMORANI1").toDouble(), 15.0);
        QCOMPARE(hucre(t, satiri(t, u"STOKNO", 3), u"BIRIMFIYAT").toDouble(), 80.0);
        QCOMPARE(hucre(t, satiri(t, u"STOKNO", 3), u"INDIRIMORANI1").toDouble(), 0.0);
    }

    void ayniUrunTekSatir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        QCOMPARE(sepetEkle(*vt, satir(1, 1, 2, 100, 10)), 1);
        QCOMPARE(sepetEkle(*vt, satir(1, 1, 3, 100, 10)), 1);
        const BellekTablo t = sepetVer(*vt, 1);
        QCOMPARE(t.satirSayisi(), 1);
        QCOMPARE(hucre(t, 0, u"MIKTAR").toDouble(), 5.0);
    }

    void gecersizSatirReddedilir_data()
    {
        QTest::addColumn<int>("carino");
        QTest::addColumn<int>("stokno");
        QTest::addColumn<double>("miktar");
        QTest::addColumn<double>("indirim");
        QTest::addColumn<int>("kullanici");
        QTest::newRow("zero quantity") << 1 << 1 << 0.0 << 0.0 << 2;
        QTest::newRow("negative quantity") << 1 << 1 << -2.0 << 0.0 << 2;
        QTest::newRow("NaN quantity") << 1 << 1 << std::nan("") << 0.0 << 2;
        QTest::newRow("huge quantity") << 1 << 1 << 1e12 << 0.0 << 2;
        QTest::newRow("rate over 100") << 1 << 1 << 1.0 << 101.0 << 2;
        QTest::newRow("negative rate") << 1 << 1 << 1.0 << -1.0 << 2;
        QTest::newRow("unknown item") << 1 << 999 << 1.0 << 0.0 << 2;
        QTest::newRow("inactive item") << 1 << 5 << 1.0 << 0.0 << 2;
        QTest::newRow("unknown account") << 77 << 1 << 1.0 << 0.0 << 2;
        QTest::newRow("unknown user") << 1 << 1 << 1.0 << 0.0 << 0;
    }
    void gecersizSatirReddedilir()
    {
        QFETCH(int, carino);
        QFETCH(int, stokno);
        QFETCH(double, miktar);
        QFETCH(double, indirim);
        QFETCH(int, kullanici);
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        QCOMPARE(sepetEkle(*vt, satir(2, 2, 1, 10, 0)), 1);
        SepetSatiri s = satir(kullanici, stokno, miktar, 10, indirim);
        s.carino = carino;
        QVERIFY_THROWS_EXCEPTION(MetotHatasi, sepetEkle(*vt, s));
        // Changing the existing line with the same values is refused the same way.
        if (stokno == 1) {
            const qint64 sirano = sayi(*vt, "SELECT sirano FROM sepet");
            QVERIFY_THROWS_EXCEPTION(MetotHatasi, sepetGuncelle(*vt, s, int(sirano)));
        }
        const BellekTablo t = sepetVer(*vt, 1);
        QCOMPARE(t.satirSayisi(), 1);
        QCOMPARE(hucre(t, 0, u"MIKTAR").toDouble(), 1.0);
        QCOMPARE(hucre(t, 0, u"BIRIMFIYAT").toDouble(), 10.0);
    }

    void satirDegisirSilinirSecilir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        sepetEkle(*vt, satir(2, 1, 1, 100, 0));
        sepetEkle(*vt, satir(2, 2, 1, 200, 0));
        const BellekTablo t = sepetVer(*vt, 1);
        const int bir = hucre(t, satiri(t, u"STOKNO", 1), u"SIRANO").toInt();
        const int iki = hucre(t, satiri(t, u"STOKNO", 2), u"SIRANO").toInt();

        // The client sends stokno 0 with a change: the line keeps its item.
        SepetSatiri degisen = satir(2, 0, 4, 90, 5);
        QCOMPARE(sepetGuncelle(*vt, degisen, bir), 1);
        // Another account's line is neither changed nor deleted.
        degisen.carino = 2;
        QCOMPARE(sepetGuncelle(*vt, degisen, iki), 0);
        QCOMPARE(sepetSatirSil(*vt, 2, iki), 0);
        sepetSecimGuncelle(*vt, iki, 0);

        const BellekTablo u = sepetVer(*vt, 1);
        QCOMPARE(u.satirSayisi(), 2);
        QCOMPARE(hucre(u, satiri(u, u"SIRANO", bir), u"STOKNO").toInt(), 1);
        QCOMPARE(hucre(u, satiri(u, u"SIRANO", bir), u"MIKTAR").toDouble(), 4.0);
        QCOMPARE(hucre(u, satiri(u, u"SIRANO", bir), u"NETTUTAR").toDouble(), 342.0);
        QCOMPARE(hucre(u, satiri(u, u"SIRANO", iki), u"SEC").toInt(), 0);
        QCOMPARE(hucre(u, satiri(u, u"SIRANO", iki), u"MIKTAR").toDouble(), 1.0);

        QCOMPARE(sepetSatirSil(*vt, 1, iki), 1);
        QCOMPARE(sepetSatirSil(*vt, 1, iki), 0);
        QCOMPARE(sepetVer(*vt, 1).satirSayisi(), 1);
        QCOMPARE(sepetHepsiniSil(*vt, 1), 1);
        QCOMPARE(sepetVer(*vt, 1).satirSayisi(), 0);
        QCOMPARE(sepetVer(*vt, 1).kolonSayisi(), 50);
    }

    void teslimVeKargo()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        const BellekTablo teslim = teslimSecenekleri(*vt);
        QCOMPARE(teslim.satirSayisi(), 2);
        QCOMPARE(teslim.tamsayi(1, 0), 2);
        QCOMPARE(teslim.metin(1, 1), u"KARGO"_s);
        QCOMPARE(kargoTurleri(*vt).metin(0, 1), u"ALICI ÖDEMELİ"_s);
        const BellekTablo firmalar = kargoFirmalari(*vt, 2);
        QCOMPARE(firmalar.satirSayisi(), 2);
        QCOMPARE(hucre(firmalar, 0, u"SIRANO").toInt(), 2);
        QCOMPARE(hucre(firmalar, 0, u"ADI").toString(), u"ANADOLU KARGO"_s);
        QCOMPARE(hucre(firmalar, 0, u"UYARI").toString(), u"Desi"_s);
        QCOMPARE(kargoFirmalari(*vt, 9).satirSayisi(), 0);
    }

    // --- orders ---

    void siparisSecilenlerden_data() { depolar_data(); }
    void siparisSecilenlerden()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        sepetEkle(*vt, satir(2, 1, 3, 100, 10));
        sepetEkle(*vt, satir(2, 2, 1, 200, 0));
        sepetEkle(*vt, satir(2, 3, 2, 80, 0));
        const BellekTablo t = sepetVer(*vt, 1);
        sepetSecimGuncelle(*vt, hucre(t, satiri(t, u"STOKNO", 2), u"SIRANO").toInt(), 0);

        int idno = 0;
        QVERIFY(siparisKaydet(*vt, istek(), &idno));
        QVERIFY(idno > 1);
        VtKomutu &s = vt->sorgula("SELECT carino, verenid, teslim_no, kargo_turu, kargo_firma, durum,"
                                  " verenin_notu FROM siparisler WHERE idno = ?",
                                  qint64(idno));
        QVERIFY(s.sonraki());
        QCOMPARE(s.tamsayi(0), 1);
        QCOMPARE(s.tamsayi(2), 2);
        QCOMPARE(s.tamsayi(3), 2);
        QCOMPARE(s.tamsayi(4), 3);
        QCOMPARE(s.tamsayi(5), 2);
        QCOMPARE(s.metin(6), u"Acil\r\ngönderin"_s);
        while (s.sonraki()) { }
        VtKomutu &l = vt->sorgula("SELECT stokno, miktar, kalan, birimfiyat, indirimorani1, kdv"
                                  " FROM siparis_satirlari WHERE idno = ? ORDER BY stokno",
                                  qint64(idno));
        QVERIFY(l.sonraki());
        QCOMPARE(l.tamsayi(0), 1);
        QCOMPARE(l.ondalik(1), 3.0);
        QCOMPARE(l.ondalik(2), 3.0);
        QCOMPARE(l.ondalik(3), 100.0);
        QCOMPARE(l.ondalik(4), 10.0);
        QVERIFY(l.sonraki());
        QCOMPARE(l.tamsayi(0), 3);
        QCOMPARE(l.ondalik(5), 8.0);
        QVERIFY(!l.sonraki());

        // The unselected line stays; sending again finds nothing selected.
        const BellekTablo kalan = sepetVer(*vt, 1);
        QCOMPARE(kalan.satirSayisi(), 1);
        QCOMPARE(hucre(kalan, 0, u"STOKNO").toInt(), 2);
        QVERIFY(!siparisKaydet(*vt, istek()));
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM siparisler"), 2);
    }

    void siparisGecersizseHicbirSeyDegismez_data()
    {
        QTest::addColumn<int>("teslim");
        QTest::addColumn<int>("kargoTuru");
        QTest::addColumn<int>("kargoFirma");
        QTest::addColumn<int>("notUzunlugu");
        QTest::newRow("unknown delivery") << 9 << 2 << 3 << 5;
        QTest::newRow("carrier of another type") << 2 << 2 << 1 << 5;
        QTest::newRow("no carrier") << 2 << 2 << 0 << 5;
        QTest::newRow("unknown type") << 2 << 7 << 3 << 5;
        QTest::newRow("note too long") << 2 << 2 << 3 << siparisNotuEnCok + 1;
    }
    void siparisGecersizseHicbirSeyDegismez()
    {
        QFETCH(int, teslim);
        QFETCH(int, kargoTuru);
        QFETCH(int, kargoFirma);
        QFETCH(int, notUzunlugu);
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto vt = veritabaniAc(depo.adres());
        katalogKur(*vt);
        sepetEkle(*vt, satir(2, 1, 3, 100, 10));
        SiparisIstegi i = istek(kargoTuru, kargoFirma);
        i.teslim = teslim;
        i.aciklama = QString(notUzunlugu, u'x');
        QVERIFY_THROWS_EXCEPTION(MetotHatasi, siparisKaydet(*vt, i));
        QCOMPARE(sepetVer(*vt, 1).satirSayisi(), 1);
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM siparisler"), 1);
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM siparis_satirlari"), 1);
    }

    // Two computers of one account send at the same moment: one order,
    // every line once.
    void esZamanliGonderimTekSiparis_data() { depolar_data(); }
    void esZamanliGonderimTekSiparis()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        {
            auto vt = veritabaniAc(depo.adres());
            katalogKur(*vt);
        }
        for (int tur_ = 0; tur_ < 10; ++tur_) {
            {
                auto vt = veritabaniAc(depo.adres());
                for (int s : {1, 2, 3, 4})
                    sepetEkle(*vt, satir(2, s, s, 10, 0));
            }
            std::atomic<int> hazir {0};
            std::atomic<int> basarili {0};
            std::atomic<int> hatali {0};
            const auto gonder = [&] {
                auto vt = veritabaniAc(depo.adres());
                ++hazir;
                while (hazir < 2) { }
                try {
                    if (siparisKaydet(*vt, istek()))
                        ++basarili;
                } catch (const std::exception &) {
                    ++hatali;
                }
            };
            std::thread a(gonder), b(gonder);
            a.join();
            b.join();
            QCOMPARE(hatali.load(), 0);
            QCOMPARE(basarili.load(), 1);
        }
        auto vt = veritabaniAc(depo.adres());
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM siparisler"), 11);
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM siparis_satirlari"), 1 + 10 * 4);
        QCOMPARE(sayi(*vt, "SELECT COUNT(*) FROM sepet"), 0);
        QCOMPARE(sayi(*vt, "SELECT MAX(c) FROM (SELECT COUNT(*) AS c FROM siparis_satirlari"
                           " GROUP BY idno, stokno) x"),
                 1);
    }
};

QTEST_GUILESS_MAIN(KatalogSunucusuTesti)
#include "tst_katalogsunucusu.moc"
