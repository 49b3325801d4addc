#include <atomic>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMutex>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "app/arkaplan.h"
#include "app/mesajkutusu.h"
#include "remote/sunucubaglantisi.h"
#include "remote/tablo/bellektablo.h"
#include "tests/app/mesajizleyici.h"

using namespace Qt::StringLiterals;

namespace {

BellekTablo tekSatirlik(const QString &deger)
{
    BellekTablo t;
    KolonTanimi k;
    k.ad = u"AD"_s;
    k.tip = DbxTipi::WideString;
    t.yenidenTanimla({k});
    t.satirEkle();
    t.yaz(0, deger);
    t.kaydet();
    return t;
}

} // namespace

class ArkaPlanTesti final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        MesajSesiCaliciKur([](const QString &) {});
    }

    void govdeIscideBitisArayuzde()
    {
        QObject baglam;
        MesajIzleyici mesajlar;
        QThread *arayuz = QThread::currentThread();
        QThread *govdeninIsParcacigi = nullptr;
        QThread *bitisinIsParcacigi = nullptr;
        bool hazirlandi = false;
        bool govdeHazirligiGordu = false;
        int gelen = 0;
        bool bitti = false;

        ArkaPlandaCalistir(
            &baglam, [&] { hazirlandi = true; },
            [&](ArkaPlanGorevi &) {
                govdeninIsParcacigi = QThread::currentThread();
                govdeHazirligiGordu = hazirlandi;
                return 42;
            },
            [&](const ArkaPlanGorevi &g, int sonuc) {
                bitisinIsParcacigi = QThread::currentThread();
                QVERIFY(!g.hata);
                gelen = sonuc;
                bitti = true;
            });
        QVERIFY(hazirlandi); // the prepare step ran before the call returned
        QTRY_VERIFY(bitti);
        QVERIFY(govdeninIsParcacigi && govdeninIsParcacigi != arayuz);
        QVERIFY(govdeHazirligiGordu);
        QCOMPARE(bitisinIsParcacigi, arayuz);
        QCOMPARE(gelen, 42);
        QTest::qWait(50);
        QVERIFY(mesajlar.gorulenler.isEmpty());
    }

    void basarisizGorevMesajiBirKezGosterir_data()
    {
        QTest::addColumn<bool>("firlatir");
        QTest::newRow("bağlantı kurulamadı") << false;
        QTest::newRow("çağrı hata fırlattı") << true;
    }

    void basarisizGorevMesajiBirKezGosterir()
    {
        QFETCH(bool, firlatir);
        QObject baglam;
        MesajIzleyici mesajlar;
        bool bitti = false;
        bool bitisteHata = false;
        qsizetype satirSayisi = -1;
        QString hataMetni;
        ArkaPlandaCalistir(
            &baglam, {},
            [firlatir](ArkaPlanGorevi &g) {
                BellekTablo yarim = tekSatirlik(u"yarım"_s);
                if (firlatir)
                    throw std::runtime_error("sunucu yanıt vermedi");
                g.hata = true;
                return BellekTablo();
            },
            [&](const ArkaPlanGorevi &g, BellekTablo sonuc) {
                bitisteHata = g.hata;
                hataMetni = g.hataMetni;
                satirSayisi = sonuc.satirSayisi();
                bitti = true;
            });
        QTRY_VERIFY(bitti);
        QTRY_COMPARE(mesajlar.gorulenler.size(), 1);
        QTest::qWait(50);
        QCOMPARE(mesajlar.gorulenler,
                 QStringList {u"Hata: Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s});
        QVERIFY(bitisteHata);
        QCOMPARE(satirSayisi, 0); // never a half-filled result
        QCOMPARE(hataMetni, firlatir ? u"sunucu yanıt vermedi"_s : QString());
    }

    // Two loads of one tab: whichever ends first, only the newer one finishes.
    void sekmedeEnYeniYuklemeKazanir_data()
    {
        QTest::addColumn<bool>("eskiSonraBiter");
        QTest::newRow("eski yükleme sonra biter") << true;
        QTest::newRow("eski yükleme önce biter") << false;
    }

    void sekmedeEnYeniYuklemeKazanir()
    {
        QFETCH(bool, eskiSonraBiter);
        QObject pencere;
        MesajIzleyici mesajlar;
        YuklemeSirasi sira;
        BellekTablo tablo;
        QSemaphore eskiBekle, yeniBekle;
        // A failing check must not leave a body waiting forever.
        const auto birak = qScopeGuard([&] {
            eskiBekle.release(2);
            yeniBekle.release(2);
        });
        QStringList bitisler;
        bool eskiGovdeEskidiginiGordu = false;
        int hazirlik = 0;

        auto yukle = [&](const QString &ad, QSemaphore &bekle, bool *eskidiGordu) {
            SekmeYukle(
                sira, &pencere, [&] { ++hazirlik; },
                [&bekle, ad, eskidiGordu](ArkaPlanGorevi &g) {
                    bekle.acquire();
                    if (eskidiGordu)
                        *eskidiGordu = g.eskidi();
                    g.hata = true; // a dropped load must not show its message either
                    return tekSatirlik(ad);
                },
                [&](const ArkaPlanGorevi &, BellekTablo sonuc) {
                    bitisler << sonuc.metin(0, 0);
                    tablo = std::move(sonuc);
                });
        };
        yukle(u"eski"_s, eskiBekle, &eskiGovdeEskidiginiGordu);
        yukle(u"yeni"_s, yeniBekle, nullptr);
        QCOMPARE(hazirlik, 2);
        QVERIFY(sira.suruyor());

        if (eskiSonraBiter) {
            yeniBekle.release();
            QTRY_COMPARE(bitisler, QStringList {u"yeni"_s});
            eskiBekle.release();
        } else {
            eskiBekle.release();
            QTest::qWait(100);
            QVERIFY(bitisler.isEmpty());
            yeniBekle.release();
        }
        QTRY_VERIFY(!sira.suruyor());
        QTRY_COMPARE(mesajlar.gorulenler.size(), 1);
        QTest::qWait(50);
        QCOMPARE(bitisler, QStringList {u"yeni"_s});
        QCOMPARE(tablo.metin(0, 0), u"yeni"_s);
        QVERIFY(eskiGovdeEskidiginiGordu);
        QCOMPARE(mesajlar.gorulenler.size(), 1);
    }

    // A task's connection is a copy of the main one as it was when the task started.
    void gorevAnaBaglantininKopyasiniKullanir()
    {
        QObject baglam;
        SunucuBaglantisi ana;
        ana.setHostName(u"127.0.0.1"_s);
        ana.setPort(u"1"_s);
        ArkaPlanAnaBaglantisi(&ana);
        const auto geriAl = qScopeGuard([] { ArkaPlanAnaBaglantisi(nullptr); });
        QSemaphore bekle;
        const auto birak = qScopeGuard([&] { bekle.release(2); });
        QString host, port;
        bool bitti = false;
        ArkaPlandaCalistir(
            &baglam, {},
            [&](ArkaPlanGorevi &g) {
                bekle.acquire();
                host = g.baglanti().HostName();
                port = g.baglanti().Port();
            },
            [&](const ArkaPlanGorevi &) { bitti = true; });
        ana.setHostName(u"sonradan.ornek"_s); // after the start: the task does not see it
        bekle.release();
        QTRY_VERIFY(bitti);
        QCOMPARE(host, u"127.0.0.1"_s);
        QCOMPARE(port, u"1"_s);
    }

    // BaglantiKur's own message, reported from a body, is shown on the UI thread, and the body
    // goes on only after the user has closed it.
    void baglantiMesajiGovdeyiBekletir()
    {
        BaglantiMesajiKancasiniKur();
        beklemeKancasiKur([](std::chrono::milliseconds) {});
        const auto geriAl = qScopeGuard([] { beklemeKancasiKur({}); });

        QObject baglam;
        std::atomic<bool> govdeDevamEtti = false;
        bool acikkenDevamEtmisti = true;
        QThread *gosterenIsParcacigi = nullptr;
        MesajIzleyici mesajlar([&](QDialog *d) {
            if (mesajlar.gorulenler.size() == 1) {
                // The hook's message: the body must still be waiting while it is open.
                gosterenIsParcacigi = QThread::currentThread();
                QTest::qWait(100);
                acikkenDevamEtmisti = govdeDevamEtti;
            }
            d->done(MesajSonucu::Tamam);
        });

        bool bitti = false;
        bool bitisteHata = false;
        ArkaPlandaCalistir(
            &baglam, {},
            [&](ArkaPlanGorevi &g) {
                SunucuBaglantisi kapali;
                kapali.setHostName(u"127.0.0.1"_s);
                kapali.setPort(u"1"_s); // nothing listens there
                g.hata = !BaglantiKur(kapali, 1);
                govdeDevamEtti = true;
            },
            [&](const ArkaPlanGorevi &g) {
                bitisteHata = g.hata;
                bitti = true;
            });
        QTRY_VERIFY(bitti);
        QTRY_COMPARE(mesajlar.gorulenler.size(), 2); // the hook's, then the task's own
        QCOMPARE(gosterenIsParcacigi, QThread::currentThread());
        QVERIFY(!acikkenDevamEtmisti);
        QVERIFY(govdeDevamEtti);
        QVERIFY(bitisteHata);
        QCOMPARE(mesajlar.gorulenler,
                 QStringList(2, u"Hata: Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s));
    }

    void baglamGidinceBitisCalismaz()
    {
        MesajIzleyici mesajlar;
        auto *baglam = new QObject;
        QSemaphore bekle;
        const auto birak = qScopeGuard([&] { bekle.release(2); });
        bool bitti = false;
        bool govdeBitti = false;
        ArkaPlandaCalistir(
            baglam, {},
            [&](ArkaPlanGorevi &g) {
                bekle.acquire();
                g.hata = true;
                govdeBitti = true;
            },
            [&](const ArkaPlanGorevi &) { bitti = true; });
        delete baglam;
        bekle.release();
        QTRY_VERIFY(govdeBitti);
        QTest::qWait(100);
        QVERIFY(!bitti);
        QVERIFY(mesajlar.gorulenler.isEmpty());
    }
};

QTEST_MAIN(ArkaPlanTesti)
#include "tst_arkaplan.moc"
