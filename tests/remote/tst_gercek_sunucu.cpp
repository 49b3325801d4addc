// Calls through the proxy against the real application server: the program
// dotezmar-sunucu on a loopback port, over a fresh demo database.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "remote/kurulum.h"
#include "remote/proxim.h"
#include "remote/uzakhata.h"
#include "testsunucusu.h"

using namespace Qt::StringLiterals;

class GercekSunucuTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(klasor_.isValid());
        const QString vt = klasor_.filePath(u"demo.sqlite"_s);
        QProcess demo;
        demo.start(program(), {u"demo-veri"_s, u"--veritabani"_s, vt, u"--stok"_s, u"300"_s});
        QVERIFY(demo.waitForFinished(120000));
        QVERIFY2(demo.exitCode() == 0, demo.readAllStandardError().constData());

        port_ = TestSunucusu::bosPort();
        sunucu_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sunucu_.start(
            program(),
            {u"--dinle"_s, u"127.0.0.1:%1"_s.arg(port_), u"--veritabani"_s, vt, u"--sessiz"_s});
        QVERIFY(sunucu_.waitForStarted());

        KurulumDegerleri k = KurulumDegerleri::varsayilan();
        k.sunucuAdresi = u"127.0.0.1"_s;
        k.port = QString::number(port_);
        k.baglantiZamanAsimiMs = 2000;
        KurulumAyarla(k);
        bagc_.kurulumAdresiniYaz();
        // The server needs a moment to listen: BaglantiKur waits for it.
        QVERIFY(BaglantiKur(bagc_, 0));
    }

    void cleanupTestCase()
    {
        bagc_.Close();
        sunucu_.terminate();
        sunucu_.waitForFinished(10000);
    }

    void metinlerIkiYondeBozulmadanGecer()
    {
        TServerMethods1Client proxy(bagc_);
        const QString metin = u"Çağrı/İĞÜŞÖ \"tırnak\" \\ters\\ \t\n "_s + QString::fromUtf8("😀");
        QCOMPARE(proxy.EchoString(metin), metin);
        QCOMPARE(proxy.ReverseString(u"Fren/ÖN"_s), u"NÖ/nerF"_s);
    }

    void girisKaydi_data()
    {
        QTest::addColumn<QString>("kimlik");
        QTest::addColumn<bool>("varmi");
        QTest::addColumn<QString>("adi");
        QTest::addColumn<QString>("sifre");
        QTest::addColumn<int>("musteriTipi");
        QTest::newRow("bayi") << u"DEMO-BAYI-0"_s << true << u"BAYI0"_s << u"DEMO0"_s << 0;
        QTest::newRow("temsilci") << u"DEMO-TEMSILCI-2"_s << true << u"TEMSILCI2"_s << u"DEMO2"_s
                                  << 2;
        QTest::newRow("bilinmeyen")
            << u"KAYITSIZ-BILGISAYAR"_s << false << QString() << QString() << -1;
    }

    void girisKaydi()
    {
        QFETCH(QString, kimlik);
        QFETCH(bool, varmi);
        QFETCH(QString, adi);
        QFETCH(QString, sifre);
        QFETCH(int, musteriTipi);
        // A background load: its own clone, opened with BaglantiKur.
        const auto klon = bagc_.CloneConnection();
        QVERIFY(BaglantiKur(*klon, 0));
        TServerMethods1Client proxy(*klon);
        const TSonucBilgisi kayit = nesneVeyaBos(proxy.BuyukGetir(kimlik));
        klon->Close();
        QCOMPARE(kayit.Varmi(), varmi);
        if (!varmi)
            return;
        QCOMPARE(kayit.ADI(), adi);
        QCOMPARE(kayit.SIFRE(), sifre);
        QCOMPARE(kayit.MusteriTipi(), musteriTipi);
        QCOMPARE(kayit.Version(), 3);
        QCOMPARE(kayit.AKTIF(), 1);
        QVERIFY(kayit.CARINO() > 0);
    }

    void cariBilgisiNesneOlarakGelir()
    {
        TServerMethods1Client proxy(bagc_);
        const std::optional<TMobilCariBilgisi> cari =
            proxy.MobilCariBilgisiGetir(0, u"DEMO-BAYI-0"_s);
        QVERIFY(cari.has_value());
        QCOMPARE(cari->CARIKOD(), u"120.34.0001"_s);
        QVERIFY(!cari->CARIADI().isEmpty());
    }

    void sunucununSinirlariHataOlarakGelir()
    {
        TServerMethods1Client proxy(bagc_);
        // A request body beyond the server's limit.
        try {
            proxy.EchoString(QString(3 << 20, u'x'));
            QFAIL("the server took a body beyond its limit");
        } catch (const UzakHata &h) {
            QCOMPARE(h.tur(), UzakHata::Tur::Sunucu);
        }
        // The connection serves the next call as before.
        QCOMPARE(proxy.EchoString(u"tekrar"_s), u"tekrar"_s);
    }

private:
    static QString program() { return QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI); }

    QTemporaryDir klasor_;
    QProcess sunucu_;
    int port_ = 0;
    SunucuBaglantisi bagc_;
};

QTEST_GUILESS_MAIN(GercekSunucuTesti)
#include "tst_gercek_sunucu.moc"
