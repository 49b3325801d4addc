#include <cmath>
#include <limits>

#include <QTest>

#include "app/utils/bicim.h"
#include "remote/tablo/bellektablo.h"

using namespace Qt::StringLiterals;

class BicimTesti final : public QObject
{
    Q_OBJECT

    const QLocale turkce {QLocale::Turkish, QLocale::Turkey};

private slots:
    void desenler_data()
    {
        QTest::addColumn<QString>("desen");
        QTest::addColumn<double>("deger");
        QTest::addColumn<QString>("beklenen");

        const QString para = ParaBicimi.toString();
        const QString yuvarlama = YuvarlamaBicimi.toString();
        const QString ikiHane = u"#,###,##00.00"_s;
        QTest::newRow("para, grup") << para << 1234567.891 << u"1.234.567,89"_s;
        QTest::newRow("para, küsurat") << para << 1234.5 << u"1.234,50"_s;
        QTest::newRow("para, sıfırın altı") << para << 0.5 << u"0,50"_s;
        QTest::newRow("para, sıfır") << para << 0.0 << u"0,00"_s;
        QTest::newRow("para, eksi") << para << -1234.567 << u"-1.234,57"_s;
        QTest::newRow("para, eksi sıfıra yuvarlanır") << para << -0.004 << u"0,00"_s;
        QTest::newRow("para, taşan yuvarlama") << para << 999999.996 << u"1.000.000,00"_s;
        QTest::newRow("para, yedi haneden uzun")
            << para << 123456789012.0 << u"123.456.789.012,00"_s;
        QTest::newRow("para, 2.675 yarının altında saklanır") << para << 2.675 << u"2,67"_s;
        QTest::newRow("para, 2.345 yarının üstünde saklanır") << para << 2.345 << u"2,35"_s;
        QTest::newRow("para, tam yarı uzağa") << para << 0.125 << u"0,13"_s;
        QTest::newRow("para, eksi tam yarı uzağa") << para << -2.5 / 4 << u"-0,63"_s;
        QTest::newRow("yuvarlama, baştaki sıfır yok") << yuvarlama << 0.5 << u",50"_s;
        QTest::newRow("yuvarlama, grup") << yuvarlama << 1234.5 << u"1.234,50"_s;
        QTest::newRow("yuvarlama, sıfır") << yuvarlama << 0.0 << u",00"_s;
        QTest::newRow("iki hane, tek basamak") << ikiHane << 5.0 << u"05,00"_s;
        QTest::newRow("iki hane, grup") << ikiHane << 12345.0 << u"12.345,00"_s;
        QTest::newRow("gruplamasız") << u"0.00"_s << 1234.5 << u"1234,50"_s;
        QTest::newRow("isteğe bağlı ondalık") << u"0.##"_s << 2.5 << u"2,5"_s;
        QTest::newRow("ondalık kalmayınca ayırıcı yok") << u"0.##"_s << 2.0 << u"2"_s;
        QTest::newRow("ondalıksız yuvarlama") << u"#,##0"_s << 2.5 << u"3"_s;
        QTest::newRow("yalnız # ve sıfır") << u"#"_s << 0.0 << QString();
        QTest::newRow("metin ekleri") << u"#,##0.00 'TL'"_s << 1500.0 << u"1.500,00 TL"_s;
        QTest::newRow("eksi bölüm") << u"0.00;(0.00)"_s << -3.5 << u"(3,50)"_s;
        QTest::newRow("sıfır bölümü") << u"0.00;-0.00;'yok'"_s << 0.0 << u"yok"_s;
        QTest::newRow("boş eksi bölüm ilkini kullanır") << u"0.00;;'yok'"_s << -1.0 << u"-1,00"_s;
        QTest::newRow("tırnak içinde noktalı virgül") << u"0 'a;b'"_s << 7.0 << u"7 a;b"_s;
        QTest::newRow("ondalık yeri yok") << u".00"_s << 12.5 << u"12,50"_s;
        QTest::newRow("genel") << QString() << 1234.5 << u"1234,5"_s;
        QTest::newRow("genel, ikili gürültü") << QString() << 0.1 + 0.2 << u"0,3"_s;
        QTest::newRow("genel, tamsayı") << QString() << 42.0 << u"42"_s;
        QTest::newRow("genel, eksi") << QString() << -0.25 << u"-0,25"_s;
        QTest::newRow("genel, büyük") << QString() << 1e20 << u"1E20"_s;
        QTest::newRow("genel, küçük") << QString() << 1.5e-7 << u"1,5E-7"_s;
        QTest::newRow("genel, 15 hane") << QString() << 123456789012345.0 << u"123456789012345"_s;
        QTest::newRow("NaN") << para << std::numeric_limits<double>::quiet_NaN() << u"NAN"_s;
        QTest::newRow("eksi sonsuz")
            << para << -std::numeric_limits<double>::infinity() << u"-INF"_s;
    }

    void desenler()
    {
        QFETCH(QString, desen);
        QFETCH(double, deger);
        QFETCH(QString, beklenen);
        QCOMPARE(SayiBicimle(deger, desen, turkce), beklenen);
    }

    void ayiricilarYereldenGelir()
    {
        QCOMPARE(SayiBicimle(1234567.891, ParaBicimi, QLocale::c()), u"1,234,567.89"_s);
        QLocale::setDefault(turkce);
        QCOMPARE(SayiBicimi(ParaBicimi).uygula(1234.5), u"1.234,50"_s);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(SayiBicimi(ParaBicimi).uygula(1234.5), u"1,234.50"_s);
    }

    void yuvarlama_data()
    {
        QTest::addColumn<double>("deger");
        QTest::addColumn<double>("beklenen");
        QTest::newRow("2.345 yarının üstünde saklanır") << 2.345 << 2.35;
        QTest::newRow("2.355 yarının altında saklanır") << 2.355 << 2.35;
        QTest::newRow("2.675 yarının altında saklanır") << 2.675 << 2.67;
        QTest::newRow("0.5 kalır") << 0.5 << 0.5;
        QTest::newRow("eksi") << -1234.567 << -1234.57;
        QTest::newRow("tam yarı uzağa") << 0.125 << 0.13;
        QTest::newRow("eksi tam yarı uzağa") << -0.125 << -0.13;
        QTest::newRow("1.005 yarının altında") << 1.005 << 1.0;
        QTest::newRow("taşma") << 9.999 << 10.0;
        QTest::newRow("grup ayırıcısı atılır") << 1234567.891 << 1234567.89;
        QTest::newRow("sıfır") << 0.0 << 0.0;
        QTest::newRow("büyük") << 1e17 << 1e17;
    }

    void yuvarlama()
    {
        QFETCH(double, deger);
        QFETCH(double, beklenen);
        QCOMPARE(IkiHaneyeYuvarla(deger), beklenen);
        // The process locale must not change the result.
        QLocale::setDefault(turkce);
        QCOMPARE(IkiHaneyeYuvarla(deger), beklenen);
        QLocale::setDefault(QLocale::c());
    }

    void yuvarlamaSonluOlmayaniBirakir()
    {
        QVERIFY(std::isnan(IkiHaneyeYuvarla(std::nan(""))));
        QCOMPARE(IkiHaneyeYuvarla(std::numeric_limits<double>::infinity()),
                 std::numeric_limits<double>::infinity());
    }

    void okuma_data()
    {
        QTest::addColumn<QString>("metin");
        QTest::addColumn<bool>("gecerli");
        QTest::addColumn<double>("beklenen");
        QTest::newRow("para") << u"1.234.567,89"_s << true << 1234567.89;
        QTest::newRow("baştaki ayırıcı") << u",50"_s << true << 0.5;
        QTest::newRow("eksi baştaki ayırıcı") << u"-,50"_s << true << -0.5;
        QTest::newRow("boşluklar") << u"  12,5 "_s << true << 12.5;
        QTest::newRow("üs") << u"1,5E-7"_s << true << 1.5e-7;
        QTest::newRow("boş") << QString() << false << 0.0;
        QTest::newRow("yalnız ayırıcı") << u","_s << false << 0.0;
        QTest::newRow("iki ondalık ayırıcı") << u"1,2,3"_s << false << 0.0;
        QTest::newRow("harf") << u"12a"_s << false << 0.0;
        QTest::newRow("eksik üs") << u"1E"_s << false << 0.0;
    }

    void okuma()
    {
        QFETCH(QString, metin);
        QFETCH(bool, gecerli);
        QFETCH(double, beklenen);
        const auto deger = SayiOku(metin, turkce);
        QCOMPARE(deger.has_value(), gecerli);
        if (gecerli)
            QCOMPARE(*deger, beklenen);
    }

    void bicimVeOkumaGidipGelir()
    {
        for (const double d : {0.5, -1234.57, 1234567.89, 0.01, 99999999.99}) {
            QCOMPARE(SayiOku(SayiBicimle(d, ParaBicimi, turkce), turkce), d);
            QCOMPARE(SayiOku(SayiBicimle(d, YuvarlamaBicimi, turkce), turkce), d);
        }
    }

    void paraBicimiYalnizDoubleAlanlara()
    {
        BellekTablo t;
        auto kolon = [](const QString &ad, DbxTipi tip, const QString &bicim = {}) {
            KolonTanimi k;
            k.ad = ad;
            k.tip = tip;
            k.gorunumBicimi = bicim;
            return k;
        };
        QVERIFY(t.yenidenTanimla({kolon(u"FIYAT"_s, DbxTipi::Double),
                                  kolon(u"KUR"_s, DbxTipi::Currency), kolon(u"BCD"_s, DbxTipi::Bcd),
                                  kolon(u"ADET"_s, DbxTipi::Int32),
                                  kolon(u"ADI"_s, DbxTipi::WideString),
                                  kolon(u"ISKONTO"_s, DbxTipi::Double, u"0.0"_s)}));
        ParaBicimiUygula(t);
        QCOMPARE(t.kolon(0).gorunumBicimi, ParaBicimi.toString());
        QVERIFY(t.kolon(1).gorunumBicimi.isEmpty());
        QVERIFY(t.kolon(2).gorunumBicimi.isEmpty());
        QVERIFY(t.kolon(3).gorunumBicimi.isEmpty());
        QVERIFY(t.kolon(4).gorunumBicimi.isEmpty());
        QCOMPARE(t.kolon(5).gorunumBicimi, ParaBicimi.toString());
    }
};

QTEST_APPLESS_MAIN(BicimTesti)
#include "tst_bicim.moc"
