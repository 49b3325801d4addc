#include <QTest>

#include <thread>

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <httplib.h>

#include "sunucu/dagitici.h"
#include "sunucu/hesaplar.h"
#include "sunucu/restsunucusu.h"
#include "sunucu/sema.h"
#include "sunucu/yontemler.h"
#include "testdeposu.h"

using namespace Qt::StringLiterals;

namespace {

// A real server on a free loopback port, stopped when it goes out of scope.
class CalisanSunucu
{
public:
    CalisanSunucu(const QString &veritabani, SunucuAyarlari ayarlar)
        : havuz_(veritabani, 4)
        , dagitici_(&havuz_)
    {
        yontemleriKaydet(dagitici_);
        ayarlar.adres = u"127.0.0.1"_s;
        ayarlar.port = 0;
        ayarlar.gunluk = false;
        sunucu_ = std::make_unique<RestSunucusu>(ayarlar, dagitici_);
        if (!sunucu_->bagla())
            qFatal("bind failed");
        is_ = std::thread([this] { sunucu_->calistir(); });
    }
    ~CalisanSunucu()
    {
        sunucu_->durdur();
        is_.join();
    }
    int port() const { return sunucu_->port(); }
    httplib::Client istemci() const
    {
        httplib::Client c("127.0.0.1", port());
        c.set_read_timeout(10, 0);
        return c;
    }

private:
    VtHavuzu havuz_;
    Dagitici dagitici_;
    std::unique_ptr<RestSunucusu> sunucu_;
    std::thread is_;
};

// A raw connection that sends what it is told and nothing more.
int hamBaglanti(int port, const std::string &gonderilen)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0)
        qFatal("connect failed");
    if (!gonderilen.empty() && ::send(s, gonderilen.data(), gonderilen.size(), 0) < 0)
        qFatal("send failed");
    return s;
}

} // namespace

class UcTesti final : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDeposu> depo_;
    std::unique_ptr<CalisanSunucu> sunucu_;

private slots:
    void initTestCase()
    {
        depo_ = std::make_unique<TestDeposu>(u"sqlite"_s);
        auto vt = veritabaniAc(depo_->adres());
        semayiGuncelle(*vt);
        vt->degistir("INSERT INTO cariler (carino, carikod, cariadi) VALUES (9, '120.01.0009', 'ÇAĞ OTO')");
        vt->degistir("INSERT INTO kullanicilar (sirano, adi, sifre, carino, musteri_tipi) VALUES (3, 'ALI', 'S1', 9, 3)");
        bilgisayarKaydet(*vt, u"ALI"_s, u"WD-1"_s);
        SunucuAyarlari a;
        a.govdeSiniri = 4096;
        a.baslikSiniri = 2048;
        sunucu_ = std::make_unique<CalisanSunucu>(depo_->adres(), a);
    }
    void cleanupTestCase() { sunucu_.reset(); }

    void istekBicimleri_data()
    {
        QTest::addColumn<QString>("fiil");
        QTest::addColumn<QString>("yol");
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<int>("durum");
        QTest::addColumn<QByteArray>("yanit");

        const QString r = u"/datasnap/rest/TServerMethods1/"_s;
        QTest::newRow("GET, value in the path") << "GET" << r + u"EchoString/%C3%87ivi%2F1/" << QByteArray() << 200
                                                << QByteArray(R"({"result":["\u00C7ivi\/1"]})");
        QTest::newRow("GET, names ignore case") << "GET" << u"/DATASNAP/Rest/tservermethods1/echostring/A"_s << QByteArray()
                                                << 200 << QByteArray(R"({"result":["A"]})");
        QTest::newRow("GET, missing input is null") << "GET" << r + u"EchoString/" << QByteArray() << 200
                                                    << QByteArray(R"({"result":[""]})");
        QTest::newRow("POST, quoted, _parameters") << "POST" << r + u"%22ReverseString%22/" << QByteArray(R"({"_parameters":["abç"]})")
                                                   << 200 << QByteArray(R"({"result":["\u00E7ba"]})");
        QTest::newRow("POST, quoted, single body value") << "POST" << r + u"%22EchoString%22/" << QByteArray(R"("x")")
                                                         << 200 << QByteArray(R"({"result":["x"]})");
        QTest::newRow("PUT, quoted: 201") << "PUT" << r + u"%22EchoString%22/p/" << QByteArray() << 201
                                          << QByteArray(R"({"result":["p"]})");
        QTest::newRow("POST without quotes gets the prefix") << "POST" << r + u"EchoString/" << QByteArray("{}") << 500
                                                             << QByteArray(R"({"error":"TServerMethods1.updateEchoString method not found in the server method list"})");
        QTest::newRow("DELETE ignores the body") << "DELETE" << r + u"%22EchoString%22/d/" << QByteArray(R"("fazla")") << 200
                                                 << QByteArray(R"({"result":["d"]})");
        QTest::newRow("too many inputs") << "GET" << r + u"EchoString/a/b/" << QByteArray() << 500
                                         << QByteArray(R"({"error":"Server method TServerMethods1.EchoString consumed only 1 input parameters out of 2."})");
        QTest::newRow("unknown method") << "GET" << r + u"Yok/" << QByteArray() << 500
                                        << QByteArray(R"({"error":"TServerMethods1.Yok method not found in the server method list"})");
        QTest::newRow("method not in service names it") << "GET" << r + u"Relvos/" << QByteArray() << 500
                                                        << QByteArray(R"({"error":"TServerMethods1.Relvos bu sunucuda hen\u00FCz hizmette de\u011Fil"})");
        QTest::newRow("platform name") << "GET" << u"/datasnap/rest/DSAdmin/GetPlatformName/"_s << QByteArray() << 200
                                       << QByteArray(R"({"result":["Linux"]})");
        QTest::newRow("close session") << "GET" << u"/datasnap/rest/CloseSession/"_s << QByteArray() << 200
                                       << QByteArray(R"({"result":[true]})");
        QTest::newRow("outside the context: 404") << "GET" << u"/index.html"_s << QByteArray() << 404
                                                  << QByteArray(R"({"error":"Bulunamad\u0131"})");
        QTest::newRow("other sub-context: 501") << "GET" << u"/datasnap/tunnel"_s << QByteArray() << 501
                                                << QByteArray(R"({"error":"Desteklenmiyor"})");
        QTest::newRow("other verb: 501") << "PATCH" << r + u"EchoString/a/" << QByteArray("{}") << 501
                                         << QByteArray(R"({"error":"Desteklenmiyor"})");
    }

    void istekBicimleri()
    {
        QFETCH(QString, fiil);
        QFETCH(QString, yol);
        QFETCH(QByteArray, govde);
        QFETCH(int, durum);
        QFETCH(QByteArray, yanit);
        httplib::Client c = sunucu_->istemci();
        const std::string y = yol.toStdString(), g = govde.toStdString(), tur = "text/plain;charset=UTF-8";
        httplib::Result r = fiil == u"GET"      ? c.Get(y)
                : fiil == u"POST"   ? c.Post(y, g, tur)
                : fiil == u"PUT"    ? c.Put(y, g, tur)
                : fiil == u"DELETE" ? c.Delete(y, g, tur)
                                    : c.Patch(y, g, tur);
        QVERIFY(r);
        QCOMPARE(r->status, durum);
        QCOMPARE(QByteArray::fromStdString(r->body), yanit);
        QVERIFY(QByteArray::fromStdString(r->get_header_value("Pragma")).startsWith("dssession="));
    }

    void buyukGetirKayitliBilgisayar()
    {
        httplib::Client c = sunucu_->istemci();
        auto r = c.Post("/datasnap/rest/TServerMethods1/%22BuyukGetir%22/", R"({"_parameters":["WD-1"]})", "text/plain");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        const auto kayit = nesneOku<TSonucBilgisi>(r->body.substr(11, r->body.size() - 13));
        QVERIFY(kayit);
        QVERIFY(kayit->Varmi());
        QCOMPARE(kayit->ADI(), u"ALI"_s);
        QCOMPARE(kayit->MusteriTipi(), 3);
        QCOMPARE(kayit->Version(), 3);

        r = c.Get("/datasnap/rest/TServerMethods1/BuyukGetir/BILINMEYEN/");
        QVERIFY(r);
        const auto yok = nesneOku<TSonucBilgisi>(r->body.substr(11, r->body.size() - 13));
        QVERIFY(yok && !yok->Varmi());
    }

    void oturumNumarasiGeriGelir()
    {
        httplib::Client c = sunucu_->istemci();
        auto r = c.Get("/datasnap/rest/TServerMethods1/EchoString/a/", {{"Pragma", "dssession=123.456.789"}});
        QVERIFY(r);
        QCOMPARE(r->get_header_value("Pragma"), std::string("dssession=123.456.789,dssessionexpires=1200000"));
        r = c.Get("/datasnap/rest/TServerMethods1/EchoString/a/?sid=42", {{"Pragma", "dssession=1"}});
        QVERIFY(r);
        QCOMPARE(r->get_header_value("Pragma"), std::string("dssession=42,dssessionexpires=1200000"));
    }

    void sinirlar()
    {
        httplib::Client c = sunucu_->istemci();
        auto r = c.Post("/datasnap/rest/TServerMethods1/%22EchoString%22/", std::string(5000, 'x'), "text/plain");
        QVERIFY(r);
        QCOMPARE(r->status, 413);
        QVERIFY(r->body.find("\"error\"") != std::string::npos);

        r = c.Get("/datasnap/rest/TServerMethods1/EchoString/a/", {{"X-Uzun", std::string(3000, 'y')}});
        QVERIFY(r);
        QCOMPARE(r->status, 431);

        // After the refusals the server still answers.
        r = c.Get("/datasnap/rest/TServerMethods1/EchoString/ok/");
        QVERIFY(r);
        QCOMPARE(r->body, std::string(R"({"result":["ok"]})"));
    }

    void yavasIstemciDigerleriniBekletmez()
    {
        // Half a request, then silence: holds one thread until its time-out.
        const int yavas = hamBaglanti(sunucu_->port(), "POST /datasnap/rest/TServerMethods1/%22EchoString%22/ HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\n{\"_par");
        QElapsedTimer sure;
        sure.start();
        httplib::Client c = sunucu_->istemci();
        auto r = c.Get("/datasnap/rest/TServerMethods1/EchoString/hizli/");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        QVERIFY2(sure.elapsed() < 2000, "a slow client held up another one");
        ::close(yavas);
    }

    void kullanilanPortReddedilir()
    {
        // A second server on a port that one already serves must fail, not
        // share the port and take some of its connections.
        VtHavuzu havuz(depo_->adres(), 1);
        Dagitici dagitici(&havuz);
        SunucuAyarlari a;
        a.adres = u"127.0.0.1"_s;
        a.port = sunucu_->port();
        a.gunluk = false;
        RestSunucusu ikinci(a, dagitici);
        QVERIFY(!ikinci.bagla());
        QVERIFY2(ikinci.hata().contains(QString::number(a.port)), qPrintable(ikinci.hata()));
        httplib::Client c = sunucu_->istemci();
        auto r = c.Get("/datasnap/rest/TServerMethods1/EchoString/hala/");
        QVERIFY(r);
        QCOMPARE(r->body, std::string(R"({"result":["hala"]})"));
    }

    void doluykenYeniBaglanti503Alir()
    {
        SunucuAyarlari a;
        a.baglantiSiniri = 1;
        a.bekleyenSiniri = 0;
        a.okumaSuresi = 3;
        CalisanSunucu dar(depo_->adres(), a);
        const int mesgul = hamBaglanti(dar.port(), ""); // takes the only thread
        QTest::qWait(200);
        httplib::Client c = dar.istemci();
        auto r = c.Get("/datasnap/rest/TServerMethods1/EchoString/a/");
        QVERIFY(r);
        QCOMPARE(r->status, 503);
        QVERIFY(r->body.find("\"error\"") != std::string::npos);
        ::close(mesgul);
        QTest::qWait(200);
        r = c.Get("/datasnap/rest/TServerMethods1/EchoString/a/");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
    }
};

QTEST_GUILESS_MAIN(UcTesti)
#include "tst_uc.moc"
