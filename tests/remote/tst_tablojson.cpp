#include <QTest>

#include "remote/jsonyazici.h"
#include "remote/tablojson.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

KolonTanimi kolon(const QString &ad, DbxTipi tip, int boyut = 0, int altTip = 0)
{
    KolonTanimi k;
    k.ad = ad;
    k.tip = tip;
    k.boyut = boyut;
    k.altTip = altTip;
    return k;
}

std::string yaz(const BellekTablo &t, BosTabloBicimi bicim = BosTabloBicimi::Kolonlu)
{
    JsonYazici y;
    tabloYaz(y, t, bicim);
    return y.al();
}

std::string_view gorunum(const QByteArray &b)
{
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

// A descriptor with the values that matter to a reader.
QByteArray tanim(const char *ad, int tip)
{
    return "[\"" + QByteArray(ad) + "\"," + QByteArray::number(tip) +
        ",0,0,0,4,4,0,true,false,0,false,false]";
}

} // namespace

class TabloJsonTesti final : public QObject
{
    Q_OBJECT

private slots:
    void herKolonTipiGidipGelir()
    {
        BellekTablo t;
        QVERIFY(t.yenidenTanimla({
            kolon(u"STOKNO"_s, DbxTipi::Int32),
            kolon(u"ADET"_s, DbxTipi::Int16),
            kolon(u"IDNO"_s, DbxTipi::Int64),
            kolon(u"FIYAT"_s, DbxTipi::Double),
            kolon(u"TUTAR"_s, DbxTipi::Currency),
            kolon(u"AKTIF"_s, DbxTipi::Boolean),
            kolon(u"ADI"_s, DbxTipi::WideString, 60),
            kolon(u"KOD"_s, DbxTipi::AnsiString, 20, 31),
            kolon(u"TARIH"_s, DbxTipi::Date),
            kolon(u"SAAT"_s, DbxTipi::Time),
            kolon(u"ZAMAN"_s, DbxTipi::DateTime),
            kolon(u"DAMGA"_s, DbxTipi::TimeStamp),
            kolon(u"NOT"_s, DbxTipi::Blob, 0, 32),
        }));
        // A full row, a row of nulls, and a row of awkward values.
        t.ekleTamsayi(0, 42);
        t.ekleTamsayi(1, -3);
        t.ekleTamsayi(2, 9007199254740993LL);
        t.ekleOndalik(3, 1234.5678);
        t.ekleOndalik(4, 0.1);
        t.ekleMantiksal(5, true);
        t.ekleMetin(6, u"Fren balatası ÖN/ARKA \"takım\""_s);
        t.ekleMetin(7, u"AB-12"_s);
        t.ekleZaman(8, QDate(2024, 2, 29));
        t.ekleZaman(9, {}, QTime(23, 59, 58));
        t.ekleZaman(10, QDate(2017, 9, 27), QTime(7, 0));
        t.ekleZaman(11, QDate(1999, 12, 31), QTime(12, 30, 15, 5));
        t.ekleIkili(12,
                    QByteArray("\x00\x01\xFF"
                               "a",
                               4));
        for (int k = 0; k < 13; ++k)
            t.ekleBos(k);
        t.ekleTamsayi(0, -2147483647 - 1);
        t.ekleTamsayi(1, 32767);
        t.ekleTamsayi(2, 0);
        t.ekleOndalik(3, -1e20);
        t.ekleOndalik(4, 0);
        t.ekleMantiksal(5, false);
        t.ekleMetin(6, QString());
        t.ekleMetin(7, u"\t\n\x01"_s);
        t.ekleZaman(8, QDate(1, 1, 1));
        t.ekleZaman(9, {}, QTime(0, 0));
        t.ekleZaman(10, QDate(2017, 9, 27), QTime(0, 0));
        t.ekleZaman(11, QDate(9999, 12, 31), QTime(23, 59, 59, 999));
        t.ekleIkili(12, QByteArray());
        QVERIFY(t.doldurmayiBitir());

        const std::string json = yaz(t);
        QVERIFY(
            json.starts_with(R"({"table":[["STOKNO",6,0,0,0,4,4,0,true,false,0,false,false],)"));
        QVERIFY(json.find(R"("ZAMAN":["2017-09-27 07:00:00.0",null,"2017-09-27 00:00:00.0"])") !=
                std::string::npos);
        QVERIFY(json.find(R"("DAMGA":["1999-12-31 12:30:15.5",)") != std::string::npos);

        const BellekTablo geri = tabloOku(json);
        QCOMPARE(geri.kolonSayisi(), t.kolonSayisi());
        QCOMPARE(geri.satirSayisi(), 3);
        for (int k = 0; k < t.kolonSayisi(); ++k) {
            QCOMPARE(geri.kolon(k).ad, t.kolon(k).ad);
            QCOMPARE(geri.kolon(k).tip, t.kolon(k).tip);
            QCOMPARE(geri.kolon(k).boyut, t.kolon(k).boyut);
            QCOMPARE(geri.kolon(k).altTip, t.kolon(k).altTip);
            for (qsizetype r = 0; r < 3; ++r) {
                QCOMPARE(geri.bosMu(r, k), t.bosMu(r, k));
                QCOMPARE(geri.deger(r, k), t.deger(r, k));
            }
        }
    }

    void bosTabloBicimleri()
    {
        BellekTablo t;
        QVERIFY(t.yenidenTanimla({kolon(u"SIRANO"_s, DbxTipi::Int32)}));
        QVERIFY(t.doldurmayiBitir());
        QCOMPARE(yaz(t, BosTabloBicimi::Yalin), std::string(R"({"table":[]})"));
        const std::string kolonlu = yaz(t);
        QCOMPARE(kolonlu,
                 std::string(R"({"table":[["SIRANO",6,0,0,0,4,4,0,true,false,0,false,)"
                             R"(false]],"SIRANO":[]})"));

        const BellekTablo kolonlar = tabloOku(kolonlu);
        QCOMPARE(kolonlar.kolonSayisi(), 1);
        QCOMPARE(kolonlar.satirSayisi(), 0);
        QVERIFY(kolonlar.acik());
        const BellekTablo yalin = tabloOku(R"({"table":[]})");
        QCOMPARE(yalin.kolonSayisi(), 0);
        QCOMPARE(yalin.satirSayisi(), 0);
    }

    void okunanlar_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("ilkSatir"); // the first row's cells, joined with '|'
        QTest::addColumn<int>("satirSayisi");
        QTest::newRow("değerler tanımdan önce") << "{\"A\":[1,2],\"table\":[" + tanim("A", 6) +
                "," + tanim("B", 26) + "],\"B\":[\"x\",\"y\"]}"
                                                << u"1|x"_s << 2;
        QTest::newRow("tam değerli ondalık tamsayıya")
            << "{\"table\":[" + tanim("A", 6) + "],\"A\":[2.0,-0.0]}" << u"2"_s << 2;
        QTest::newRow("sayı metin kolonunda yazıldığı gibi")
            << "{\"table\":[" + tanim("A", 26) + "],\"A\":[12.50,true]}" << u"12.50"_s << 2;
        QTest::newRow("bilinmeyen anahtar")
            << "{\"table\":[" + tanim("A", 6) + "],\"A\":[7],\"B\":{\"x\":1}}" << u"7"_s << 1;
        QTest::newRow("gün sayısı tarih olarak")
            << "{\"table\":[" + tanim("A", 11) + "],\"A\":[43005.2916666667]}"
            << u"2017-09-27T07:00:00.000"_s << 1;
        QTest::newRow("metin olarak not")
            << "{\"table\":[" + tanim("A", 3) + "],\"A\":[\"metin\"]}" << u"metin"_s << 1;
        QTest::newRow("mantıksal sayı olarak")
            << "{\"table\":[" + tanim("A", 4) + "],\"A\":[1,0,null]}" << u"true"_s << 3;
    }

    void okunanlar()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, ilkSatir);
        QFETCH(int, satirSayisi);
        const BellekTablo t = tabloOku(gorunum(json));
        QCOMPARE(t.satirSayisi(), satirSayisi);
        QStringList hucreler;
        for (int k = 0; k < t.kolonSayisi(); ++k) {
            const QVariant d = t.deger(0, k);
            hucreler.append(d.typeId() == QMetaType::QDateTime
                                ? d.toDateTime().toString(Qt::ISODateWithMs)
                                : d.toString());
        }
        QCOMPARE(hucreler.join(u'|'), ilkSatir);
    }

    void okunamayanlar_data()
    {
        QTest::addColumn<QByteArray>("json");
        const QByteArray a = tanim("A", 6);
        const QByteArray b = tanim("B", 26);
        QTest::newRow("JSON değil") << QByteArray("{\"table\":[");
        QTest::newRow("nesne değil") << QByteArray("[1,2]");
        QTest::newRow("tanım yok") << QByteArray("{\"A\":[1]}");
        QTest::newRow("dizi boyları farklı")
            << "{\"table\":[" + a + "," + b + "],\"A\":[1,2],\"B\":[\"x\"]}";
        QTest::newRow("bir kolonun dizisi yok") << "{\"table\":[" + a + "," + b + "],\"A\":[1]}";
        QTest::newRow("desteklenmeyen tip") << "{\"table\":[" + tanim("A", 37) + "],\"A\":[{}]}";
        QTest::newRow("tekrarlı kolon adı") << "{\"table\":[" + a + "," + tanim("a", 6) + "]}";
        QTest::newRow("metin tamsayı kolonunda") << "{\"table\":[" + a + "],\"A\":[1,\"2\"]}";
        QTest::newRow("kesirli sayı tamsayı kolonunda") << "{\"table\":[" + a + "],\"A\":[2.5]}";
        QTest::newRow("tamsayı taşar") << "{\"table\":[" + a + "],\"A\":[2147483648]}";
        QTest::newRow("bayt 255'ten büyük")
            << "{\"table\":[" + tanim("A", 3) + "],\"A\":[[1,256]]}";
        QTest::newRow("tarih bozuk")
            << "{\"table\":[" + tanim("A", 11) + "],\"A\":[\"27.09.2017\"]}";
        QTest::newRow("değerler dizi değil") << "{\"table\":[" + a + "],\"A\":5}";
        QTest::newRow("değerler iki kez") << "{\"table\":[" + a + "],\"A\":[1],\"A\":[2]}";
        QTest::newRow("eksik tanım") << QByteArray("{\"table\":[[\"A\"]]}");
    }

    void okunamayanlar()
    {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(UzakHata, tabloOku(gorunum(json)));
    }

    void tarihlerHosgoruyleOkunur_data()
    {
        QTest::addColumn<QByteArray>("metin");
        QTest::addColumn<QDateTime>("beklenen"); // invalid: not a date
        auto z = [](int y, int a, int g, int s = 0, int d = 0, int sn = 0, int ms = 0) {
            return QDateTime(QDate(y, a, g), QTime(s, d, sn, ms), Qt::UTC);
        };
        QTest::newRow("tam") << QByteArray("2017-09-27 07:00:00.0") << z(2017, 9, 27, 7);
        QTest::newRow("milisaniye dolgusuz")
            << QByteArray("2017-09-27 07:00:00.50") << z(2017, 9, 27, 7, 0, 0, 50);
        QTest::newRow("uzun kesir")
            << QByteArray("2017-09-27 07:00:00.123456") << z(2017, 9, 27, 7, 0, 0, 123);
        QTest::newRow("gece yarısı kısa") << QByteArray("2017-09-27.0") << z(2017, 9, 27);
        QTest::newRow("yalnız tarih") << QByteArray("2017-09-27") << z(2017, 9, 27);
        QTest::newRow("saniyesiz") << QByteArray("2017-09-27 07:05") << z(2017, 9, 27, 7, 5);
        QTest::newRow("T ayracı") << QByteArray("2017-09-27T07:05:03") << z(2017, 9, 27, 7, 5, 3);
        QTest::newRow("yalnız saat") << QByteArray("07:05:03") << z(1899, 12, 30, 7, 5, 3);
        QTest::newRow("geçersiz ay") << QByteArray("2017-13-01") << QDateTime();
        QTest::newRow("geçersiz saat") << QByteArray("2017-09-27 25:00:00") << QDateTime();
        QTest::newRow("başka biçim") << QByteArray("27.09.2017") << QDateTime();
        QTest::newRow("artık") << QByteArray("2017-09-27x") << QDateTime();
        QTest::newRow("boş") << QByteArray() << QDateTime();
    }

    void tarihlerHosgoruyleOkunur()
    {
        QFETCH(QByteArray, metin);
        QFETCH(QDateTime, beklenen);
        const std::optional<QDateTime> z = tabloZamaniOku(gorunum(metin));
        QCOMPARE(z.has_value(), beklenen.isValid());
        if (z)
            QCOMPARE(*z, beklenen);
    }
};

QTEST_APPLESS_MAIN(TabloJsonTesti)
#include "tst_tablojson.moc"
