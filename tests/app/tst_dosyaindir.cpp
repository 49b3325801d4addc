#include <chrono>
#include <mutex>
#include <thread>

#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "app/dosyaindiru.h"
#include "app/mesajkutusu.h"
#include "girisortami.h"

using namespace Qt::StringLiterals;

namespace {

const QLocale turkce(QLocale::Turkish, QLocale::Turkey);

// A setup package that records how it was started, padded to `boyut` bytes.
QByteArray kurulumBetigi(const QString &kayit, qsizetype boyut)
{
    QByteArray betik = "#!/bin/sh\necho \"$0 $*\" > '" + QFile::encodeName(kayit) + "'\nexit 0\n";
    while (betik.size() < boyut)
        betik += QByteArray(qMin<qsizetype>(99, boyut - betik.size() - 1), '#') + '\n';
    betik.truncate(boyut);
    return betik;
}

void dosyaYaz(const QString &yol, const QByteArray &icerik)
{
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(icerik);
}

QByteArray oku(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs the update dialog for version 4 to its end.
std::unique_ptr<Tdosyaindir> indir(PencereIzleyici &izleyici)
{
    auto d = Tdosyaindir::Yeni(nullptr, 4);
    izleyici.yokSay(d.get());
    // A stuck download must not hang the suite.
    QTimer::singleShot(60000, d.get(), [p = d.get()] { p->done(-1); });
    d->exec();
    return d;
}

} // namespace

class DosyaIndirTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(turkce);
        MesajSesiCaliciKur([](const QString &) {});
    }

    void ilerlemeSatirlari_data()
    {
        QTest::addColumn<qint64>("alinan");
        QTest::addColumn<qint64>("toplam");
        QTest::addColumn<QString>("kisa");
        QTest::addColumn<QString>("uzun");
        QTest::newRow("yarısı") << qint64(512 * 1024) << qint64(1024 * 1024) << u"Bilgi: %50,00"_s
                                << u"Bilgi: %50,00  İndirilen: 0,50/1,00 Mb"_s;
        QTest::newRow("yuvarlanır") << qint64(1234567) << qint64(3000000) << u"Bilgi: %41,15"_s
                                    << u"Bilgi: %41,15  İndirilen: 1,18/2,86 Mb"_s;
        QTest::newRow("binlik ayırıcısız") << qint64(1536) * 1024 * 1024 << qint64(3072) * 1024 * 1024
                                           << u"Bilgi: %50,00"_s
                                           << u"Bilgi: %50,00  İndirilen: 1536,00/3072,00 Mb"_s;
        QTest::newRow("tamamı") << qint64(100) << qint64(100) << u"Bilgi: %100,00"_s
                                << u"Bilgi: %100,00  İndirilen: 0,00/0,00 Mb"_s;
        QTest::newRow("uzunluk bilinmiyor") << qint64(4096) << qint64(0) << QString() << QString();
    }

    void ilerlemeSatirlari()
    {
        QFETCH(qint64, alinan);
        QFETCH(qint64, toplam);
        QFETCH(QString, kisa);
        QFETCH(QString, uzun);
        const auto [a, b] = IlerlemeSatirlari(alinan, toplam, turkce);
        QCOMPARE(a, kisa);
        QCOMPARE(b, uzun);
    }

    // The package from the local server: saved over the old one, made
    // executable, started with "/silent", and the program ends.
    void paketIndirilirVeBaslar()
    {
        QTemporaryDir dizin;
        const QString kayit = dizin.filePath(u"calisti.txt"_s);
        const QByteArray paket = kurulumBetigi(kayit, 2 * 1024 * 1024);
        const QString kaynak = dizin.filePath(u"paket.sh"_s);
        dosyaYaz(kaynak, paket);
        SunucuSureci sunucu({u"--guncelleme-dosyasi"_s, kaynak});
        IstemciOrtami ortam(sunucu.port(), bayiBilgisayari);
        PencereIzleyici izleyici;
        const QString hedef = ortam.belgeler() + u"/DTezmarOtomotivSetup.exe"_s;
        dosyaYaz(hedef, "eski sürüm");

        auto d = Tdosyaindir::Yeni(nullptr, 4);
        QCOMPARE(d->windowTitle(), u"Dosya İndir"_s);
        QCOMPARE(d->size(), QSize(543, 309));
        QCOMPARE(d->mesaj()->text(),
                 u"TEZMAR Otomotiv Online Sipariş Programı (Doruna) Programının\r\nYeni versiyonu "
                 "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: 4-3"_s);
        QCOMPARE(d->adres(), sunucu.adres() + u"/exe/DTezmarOtomotivSetup.exe"_s);
        QVERIFY(!d->basladi());
        d.reset();

        d = indir(izleyici);
        QCOMPARE(izleyici.gorulenler, QStringList());
        QCOMPARE(ortam.cikislar(), QList<int> {0});
        QCOMPARE(d->bilgi()->text(), u"Bilgi: %100,00  İndirilen: 2,00/2,00 Mb"_s);
        QCOMPARE(d->ilerleme()->maximum(), paket.size());
        QCOMPARE(d->ilerleme()->value(), paket.size());
        QCOMPARE(oku(hedef), paket);
        QVERIFY(QFile::permissions(hedef) & QFile::ExeOwner);
        QTRY_COMPARE(oku(kayit), QFile::encodeName(hedef) + " /silent\n");
    }

    void basarisizIndirme_data()
    {
        QTest::addColumn<bool>("sunucuVar");
        QTest::addColumn<QString>("hataParcasi");
        QTest::newRow("bağlantı yok") << false << u"Failed to connect"_s;
        QTest::newRow("sunucu 404 veriyor") << true << u"404"_s; // an error page is no package
    }

    // The error box, then the end; the old package is gone and nothing started.
    void basarisizIndirme()
    {
        QFETCH(bool, sunucuVar);
        QFETCH(QString, hataParcasi);
        std::unique_ptr<SunucuSureci> sunucu;
        if (sunucuVar)
            sunucu = std::make_unique<SunucuSureci>(); // without a package to serve
        IstemciOrtami ortam(sunucu ? sunucu->port() : BosPort(), bayiBilgisayari);
        PencereIzleyici izleyici;
        const QString hedef = ortam.belgeler() + u"/DTezmarOtomotivSetup.exe"_s;
        dosyaYaz(hedef, "eski sürüm");

        indir(izleyici);
        QCOMPARE(izleyici.gorulenler.size(), 1);
        QVERIFY2(izleyici.gorulenler[0].startsWith(u"Hata: Hata Oluştu !\r\nHata: "_s),
                 qPrintable(izleyici.gorulenler[0]));
        QVERIFY2(izleyici.gorulenler[0].contains(hataParcasi), qPrintable(izleyici.gorulenler[0]));
        QCOMPARE(ortam.cikislar(), QList<int> {0});
        QVERIFY(!QFile::exists(hedef));
        QCOMPARE(QDir(ortam.belgeler()).entryList(QDir::Files), QStringList());
    }

    // A server that redirects and sends the package in pieces of unknown
    // total length, slowly: the redirect is followed without cookies, the
    // headers are the browser's, nothing is shown as progress, and the window
    // keeps running its event loop meanwhile.
    void yonlendirmeVeBilinmeyenUzunluk()
    {
        QTemporaryDir dizin;
        const QString kayit = dizin.filePath(u"calisti.txt"_s);
        const QByteArray paket = kurulumBetigi(kayit, 10 * 1000);
        httplib::Server http;
        std::mutex kilit;
        std::vector<httplib::Headers> basliklar;
        http.Get("/exe/DTezmarOtomotivSetup.exe", [&](const httplib::Request &istek, httplib::Response &yanit) {
            {
                std::lock_guard k(kilit);
                basliklar.push_back(istek.headers);
            }
            yanit.set_header("Set-Cookie", "oturum=1; Path=/");
            yanit.set_redirect("/indir/paket");
        });
        http.Get("/indir/paket", [&](const httplib::Request &istek, httplib::Response &yanit) {
            {
                std::lock_guard k(kilit);
                basliklar.push_back(istek.headers);
            }
            yanit.set_chunked_content_provider("application/octet-stream",
                                               [&paket](size_t yer, httplib::DataSink &hedef) {
                                                   if (yer >= size_t(paket.size())) {
                                                       hedef.done();
                                                       return true;
                                                   }
                                                   std::this_thread::sleep_for(std::chrono::milliseconds(40));
                                                   hedef.write(paket.constData() + yer, 1000);
                                                   return true;
                                               });
        });
        const int port = http.bind_to_any_port("127.0.0.1");
        std::thread is([&] { http.listen_after_bind(); });
        const auto durdur = qScopeGuard([&] {
            http.stop();
            is.join();
        });

        IstemciOrtami ortam(port, bayiBilgisayari);
        PencereIzleyici izleyici;
        int tikler = 0;
        QTimer sayac;
        connect(&sayac, &QTimer::timeout, this, [&] { ++tikler; });
        sayac.start(10);
        const auto d = indir(izleyici);
        sayac.stop();

        QCOMPARE(izleyici.gorulenler, QStringList());
        QCOMPARE(ortam.cikislar(), QList<int> {0});
        QCOMPARE(oku(ortam.belgeler() + u"/DTezmarOtomotivSetup.exe"_s), paket);
        QCOMPARE(d->bilgi()->text(), QString());
        QCOMPARE(d->ilerleme()->value(), 0);
        QVERIFY2(tikler >= 10, qPrintable(QString::number(tikler))); // ~400 ms of pieces

        std::lock_guard k(kilit);
        QCOMPARE(basliklar.size(), size_t(2));
        for (const httplib::Headers &h : basliklar) {
            const auto deger = [&h](const char *ad) { return QString::fromStdString(httplib::detail::get_header_value(h, ad, 0, "")); };
            QCOMPARE(deger("User-Agent"),
                     u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                     "Chrome/60.0.3112.32 Safari/537.36"_s);
            QCOMPARE(deger("Accept"),
                     u"text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8"_s);
            QCOMPARE(deger("Accept-Language"), u"en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"_s);
            QCOMPARE(deger("Accept-Encoding"), u"gzip, deflate"_s);
            QCOMPARE(deger("Cookie"), QString());
        }
    }
};

QTEST_MAIN(DosyaIndirTesti)
#include "tst_dosyaindir.moc"
