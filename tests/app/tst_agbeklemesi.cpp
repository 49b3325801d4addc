#include <chrono>
#include <thread>

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QTimer>

#include "app/arkaplan.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "remote/uzakhata.h"
#include "tests/remote/testsunucusu.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// While the UI thread waits for the server, the window must keep living: its
// timers (the tickers, repaints) run, and the call still brings its answer.
class AgBeklemesiTesti final : public QObject
{
    Q_OBJECT

private slots:
    void init() { AgBeklemesiKancalariniKur(); }

    void cleanup()
    {
        agBeklerkenKancasiKur({});
        beklemeKancasiKur({});
    }

    void yavasCagriBoyuncaZamanlayicilarCalisir()
    {
        TestSunucusu sunucu;
        sunucu.metot("EchoString", [](const httplib::Request &, httplib::Response &c) {
            std::this_thread::sleep_for(400ms);
            c.set_content(R"({"result":["ge\u00e7"]})", "application/json");
        });
        SunucuBaglantisi bagc;
        bagc.setHostName(u"127.0.0.1"_s);
        bagc.setPort(QString::number(sunucu.port()));
        QVERIFY(BaglantiKur(bagc, 0));

        int tik = 0;
        QTimer zamanlayici;
        connect(&zamanlayici, &QTimer::timeout, this, [&tik] { ++tik; });
        zamanlayici.start(20);

        TServerMethods1Client proxy(bagc);
        QCOMPARE(proxy.EchoString(u"geç"_s), u"geç"_s);
        // Blocking, the timer could not have fired at all during the 400 ms.
        QVERIFY2(tik >= 5, qPrintable(u"timer fired %1 times"_s.arg(tik)));

        // The kept connection serves the next call too.
        QCOMPARE(proxy.EchoString(u"geç"_s), u"geç"_s);
    }

    // What the timers start during a call must not break into it: a second
    // call on the same connection is refused, a finished background load waits
    // until the call is over.
    void cagriBoyuncaBaskaIsAraGiremez()
    {
        TestSunucusu sunucu;
        sunucu.metot("EchoString", [](const httplib::Request &, httplib::Response &c) {
            std::this_thread::sleep_for(300ms);
            c.set_content(R"({"result":["bir"]})", "application/json");
        });
        SunucuBaglantisi bagc;
        bagc.setHostName(u"127.0.0.1"_s);
        bagc.setPort(QString::number(sunucu.port()));
        QVERIFY(BaglantiKur(bagc, 0));
        TServerMethods1Client proxy(bagc);

        QStringList sira;
        QObject baglam;
        arkaPlanCalistir(
            &baglam, nullptr, {}, [](ArkaPlanGorevi &) {},
            [&sira](ArkaPlanGorevi &) { sira << u"yukleme bitti"_s; });
        QString icHata;
        QTimer::singleShot(50, this, [&] {
            try {
                proxy.EchoString(u"iki"_s);
            } catch (const UzakHata &h) {
                icHata = h.mesaj();
            }
        });

        QCOMPARE(proxy.EchoString(u"bir"_s), u"bir"_s);
        sira << u"cagri bitti"_s;
        QVERIFY2(icHata.contains(u"bekliyor"_s), qPrintable(icHata));
        QTRY_COMPARE(sira, (QStringList {u"cagri bitti"_s, u"yukleme bitti"_s}));
    }

    void denemelerArasindaPencereYasarVeImlecMesgulGorunur()
    {
        int tik = 0;
        bool imlecMesguldu = false;
        QTimer zamanlayici;
        connect(&zamanlayici, &QTimer::timeout, this, [&] {
            ++tik;
            imlecMesguldu = imlecMesguldu ||
                (QApplication::overrideCursor() &&
                 QApplication::overrideCursor()->shape() == Qt::BusyCursor);
        });
        zamanlayici.start(20);

        SunucuBaglantisi kapali;
        kapali.setHostName(u"127.0.0.1"_s);
        kapali.setPort(QString::number(TestSunucusu::bosPort()));
        // Eleven refused attempts, each followed by the half-second pause.
        QVERIFY(!BaglantiKur(kapali, 0));
        QVERIFY2(tik >= 100, qPrintable(u"timer fired %1 times"_s.arg(tik)));
        QVERIFY(imlecMesguldu);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(AgBeklemesiTesti)
#include "tst_agbeklemesi.moc"
