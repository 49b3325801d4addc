#include <chrono>
#include <thread>

#include <QElapsedTimer>
#include <QTest>

#include "remote/kurulum.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "remote/uzakhata.h"
#include "testsunucusu.h"

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<SunucuBaglantisi> baglanti(int port)
{
    auto b = std::make_unique<SunucuBaglantisi>();
    b->setHostName(u"127.0.0.1"_s);
    b->setPort(QString::number(port));
    return b;
}

// A reply written in small pieces, so that every boundary of the byte
// array falls somewhere inside a piece.
void parcaParcaGonder(httplib::Response &c, std::string govde, std::size_t parca = 7)
{
    c.set_chunked_content_provider(
        "application/json", [govde, parca](std::size_t konum, httplib::DataSink &sink) {
            if (konum >= govde.size()) {
                sink.done();
                return true;
            }
            sink.write(govde.data() + konum, std::min(parca, govde.size() - konum));
            return true;
        });
}

std::string baytDizisi(int n)
{
    std::string s = "[";
    for (int i = 0; i < n; ++i) {
        if (i)
            s += ',';
        s += std::to_string(i * 7 % 256);
    }
    return s + "]";
}

QByteArray baytlar(int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(static_cast<char>(i * 7 % 256));
    return b;
}

UzakHata::Tur hataTuru(const std::function<void()> &cagri, QString *mesaj = nullptr)
{
    try {
        cagri();
    } catch (const UzakHata &h) {
        if (mesaj)
            *mesaj = h.mesaj();
        return h.tur();
    }
    return static_cast<UzakHata::Tur>(-1);
}

} // namespace

class BaglantiTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KurulumDegerleri k = KurulumDegerleri::varsayilan();
        k.baglantiZamanAsimiMs = 2000;
        k.okumaZamanAsimiMs = 1000;
        KurulumAyarla(k);
    }

    void cleanup()
    {
        beklemeKancasiKur({});
        baglantiMesajiKancasiKur({});
    }

    void cagriBicimiVeAyniOturum()
    {
        TestSunucusu s;
        s.cevap("EchoString", "{\"result\":[\"\\u00C7a\\u011Fr\\u0131\\/1\"]}");
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QCOMPARE(proxy.EchoString(u"Çağrı/1"_s), u"Çağrı/1"_s);
        QCOMPARE(proxy.EchoString(u"x"_s), u"Çağrı/1"_s);

        const auto istekler = s.istekler();
        QCOMPARE(istekler.size(), std::size_t(2));
        QCOMPARE(istekler[0].metot, std::string("EchoString"));
        QCOMPARE(istekler[0].govde,
                 std::string("{\"_parameters\":[\"\\u00C7a\\u011Fr\\u0131\\/1\"]}"));
        QCOMPARE(istekler[0].icerikTuru, std::string("text/plain;charset=UTF-8"));
        QCOMPARE(istekler[0].kabul, std::string("application/JSON"));
        // The open connection's transport session carries every call.
        QCOMPARE(istekler[1].istemciPortu, istekler[0].istemciPortu);
        QCOMPARE(s.yoklamaSayisi(), 1);
    }

    void ciktilarBildirimSirasiyla()
    {
        TestSunucusu s;
        s.cevap("KurlariAl", R"({"result":[32.5,35.25,1]})");
        s.cevap("BalonGetir2", R"({"result":[1,2,3,4,5,6,7]})");
        s.cevap("MobilStokaraAdimli",
                R"({"result":[true,40,{"type":"mobilstokunit.TMobilStoklar","id":1,"fields":)"
                R"({"FOwnsObjects":true,"FListHelper":[1],"FItems":[{"type":)"
                R"("mobilstokunit.TMobilStok","id":2,"fields":{"FStokNo":9}}]}}]})");
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);

        double usd = 0, eur = 0;
        QCOMPARE(proxy.KurlariAl(usd, eur), 1);
        QCOMPARE(usd, 32.5);
        QCOMPARE(eur, 35.25);

        int sepet = 0, yeni = 0, kamp = 0, duyuru = 0, bakiye = 0, dosya = 0;
        QCOMPARE(proxy.BalonGetir2(5, sepet, yeni, kamp, duyuru, bakiye, dosya), 7);
        QCOMPARE(QList<int>({sepet, yeni, kamp, duyuru, bakiye, dosya}),
                 QList<int>({1, 2, 3, 4, 5, 6}));

        bool kalan = false;
        int toplam = 0;
        const auto stoklar = proxy.MobilStokaraAdimli(u"A"_s, {}, 0, 10, 0, 10, kalan, toplam);
        QVERIFY(kalan);
        QCOMPARE(toplam, 40);
        QVERIFY(stoklar);
        QCOMPARE(stoklar->size(), 1);
        QCOMPARE(stoklar->at(0).StokNo(), 9);
        QCOMPARE(stoklar->at(0).Birim(), u"ADET"_s); // missing fields keep their defaults
    }

    void sunucuHatasiMetniyle_data()
    {
        QTest::addColumn<int>("durum");
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("error") << 500 << QByteArray("{\"error\":\"Stok bulunamad\\u0131\"}")
                               << u"Stok bulunamadı"_s;
        QTest::newRow("düz JSON metni")
            << 500 << QByteArray(R"("Dönüşüm hatası")") << u"Dönüşüm hatası"_s;
        QTest::newRow("HTML") << 404 << QByteArray("<html><body>Not Found</body></html>")
                              << u"Sunucu hatası (HTTP 404)"_s;
        QTest::newRow("düz metin") << 502 << QByteArray("Bad gateway\n") << u"Bad gateway"_s;
    }

    void sunucuHatasiMetniyle()
    {
        QFETCH(int, durum);
        QFETCH(QByteArray, govde);
        QFETCH(QString, mesaj);
        TestSunucusu s;
        s.metot("CariDurumVer", [&](const httplib::Request &, httplib::Response &c) {
            c.status = durum;
            c.set_content(govde.toStdString(), "text/plain");
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QString gelen;
        QCOMPARE(hataTuru([&] { proxy.CariDurumVer(1); }, &gelen), UzakHata::Tur::Sunucu);
        QCOMPARE(gelen, mesaj);
    }

    void suresiDolanOturumBirKezYenilenir()
    {
        TestSunucusu s;
        int sayac = 0;
        s.metot("SepetSayisi", [&](const httplib::Request &i, httplib::Response &c) {
            ++sayac;
            if (!i.get_header_value("Pragma").empty()) {
                c.status = 403;
                c.set_content(R"({"SessionExpired":"The specified session has expired"})",
                              "application/json");
                return;
            }
            c.set_header("Pragma", "dssession=895936.690184,dssessionexpires=1200000");
            c.set_content(R"({"result":[3]})", "application/json");
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QCOMPARE(proxy.SepetSayisi({}), 3);
        QCOMPARE(proxy.SepetSayisi({}), 3);
        const auto istekler = s.istekler();
        QCOMPARE(istekler.size(), std::size_t(3));
        QCOMPARE(istekler[1].pragma, std::string("dssession=895936.690184"));
        QVERIFY(istekler[2].pragma.empty());
    }

    void bozukCevapHataVerir_data()
    {
        QTest::addColumn<QByteArray>("govde");
        QTest::newRow("JSON değil") << QByteArray("<html>hata</html>");
        QTest::newRow("yarım JSON") << QByteArray(R"({"result":[{"table":[)");
        QTest::newRow("eksik sonuç") << QByteArray(R"({"result":[]})");
        QTest::newRow("fazla sonuç") << QByteArray(R"({"result":[{"table":[]},1]})");
        QTest::newRow("tablo değil") << QByteArray(R"({"result":["tablo"]})");
        QTest::newRow("dizi boyları farklı")
            << QByteArray(R"({"result":[{"table":[["A",6,0,0,0,4,4,0,true,false,0,false,false],)"
                          R"(["B",26,1,0,0,11,10,0,true,false,0,false,false]],)"
                          R"("A":[1,2,3],"B":["x","y"]}]})");
        QTest::newRow("tipe uymayan değer")
            << QByteArray(R"({"result":[{"table":[["A",6,0,0,0,4,4,0,true,false,0,false,false]],)"
                          R"("A":[1,"iki"]}]})");
    }

    void bozukCevapHataVerir()
    {
        QFETCH(QByteArray, govde);
        TestSunucusu s;
        s.cevap("SepetVer", govde.toStdString());
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);

        BellekTablo sepet;
        KolonTanimi sirano;
        sirano.ad = u"SIRANO"_s;
        sirano.tip = DbxTipi::Int32;
        sepet.yenidenTanimla({sirano});
        sepet.ekleTamsayi(0, 7);
        QVERIFY(sepet.doldurmayiBitir());
        QCOMPARE(hataTuru([&] { sepet = proxy.SepetVer(1); }), UzakHata::Tur::Cevap);
        // The table the caller had is as it was.
        QCOMPARE(sepet.satirSayisi(), 1);
        QCOMPARE(sepet.tamsayi(0, 0), 7);
    }

    void beklenmeyenNesneTipi()
    {
        TestSunucusu s;
        s.cevap("BuyukGetir",
                R"({"result":[{"type":"mobilstokunit.TMobilStok","id":1,"fields":{}}]})");
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QString mesaj;
        QCOMPARE(hataTuru([&] { proxy.BuyukGetir(u"X"_s); }, &mesaj), UzakHata::Tur::Cevap);
        QVERIFY2(mesaj.contains(u"mobilstokunit.TMobilStok"_s), qPrintable(mesaj));
    }

    void bosNesneBosNesneyeDoner()
    {
        TestSunucusu s;
        s.cevap("BuyukGetir", R"({"result":[null]})");
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        const std::optional<TSonucBilgisi> sonuc = proxy.BuyukGetir(u"X"_s);
        QVERIFY(!sonuc);
        TSonucBilgisi sbilgi;
        sbilgi.setADI(u"ESKİ"_s);
        sbilgi.Kopyala(nesneVeyaBos(sonuc));
        QVERIFY(sbilgi.ADI().isEmpty());
        QCOMPARE(sbilgi.MusteriTipi(), 1);
    }

    void kesikGovde()
    {
        TestSunucusu s;
        s.metot("KayanYaziGetir", [](const httplib::Request &, httplib::Response &c) {
            c.set_content_provider(1000, "application/json",
                                   [](std::size_t, std::size_t, httplib::DataSink &sink) {
                                       sink.write("{\"result\":[\"yar", 14);
                                       return false; // the connection drops here
                                   });
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QCOMPARE(hataTuru([&] { proxy.KayanYaziGetir(); }), UzakHata::Tur::Baglanti);
    }

    void cevabinOrtasindaZamanAsimi()
    {
        TestSunucusu s;
        s.metot("KayanYaziGetir", [&s](const httplib::Request &, httplib::Response &c) {
            c.set_chunked_content_provider(
                "application/json", [&s](std::size_t konum, httplib::DataSink &sink) {
                    if (konum == 0) {
                        sink.write("{\"result\":[\"yar", 14);
                        return true;
                    }
                    // Then nothing, until the test ends.
                    for (int i = 0; i < 300 && s.calisiyor(); ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    return false;
                });
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QElapsedTimer sure;
        sure.start();
        QCOMPARE(hataTuru([&] { proxy.KayanYaziGetir(); }), UzakHata::Tur::Baglanti);
        QVERIFY2(sure.elapsed() < 10000, "the read time-out did not end the call");
    }

    void akisUzunlukKurali_data()
    {
        QTest::addColumn<int>("gelen");
        QTest::addColumn<int>("bildirilen");
        QTest::addColumn<bool>("kabul");
        QTest::addColumn<QList<int>>("ilerleme");
        QTest::newRow("2500 bayt") << 2500 << 2500 << true << QList<int> {40, 81, 100};
        QTest::newRow("2048 bayt") << 2048 << 2048 << true << QList<int> {50, 100, 100};
        QTest::newRow("bildirilenden kısa") << 2500 << 3000 << false << QList<int> {34, 68, 83};
        QTest::newRow("bildirilenden uzun") << 2500 << 2000 << false << QList<int> {51, 100, 100};
        QTest::newRow("boyut sıfır") << 0 << 0 << false << QList<int> {};
        QTest::newRow("boyut sıfır, bayt var") << 10 << 0 << false << QList<int> {};
    }

    void akisUzunlukKurali()
    {
        QFETCH(int, gelen);
        QFETCH(int, bildirilen);
        QFETCH(bool, kabul);
        QFETCH(QList<int>, ilerleme);
        TestSunucusu s;
        const std::string govde = R"({"result":[)" + std::to_string(bildirilen) +
            ",\"fatura \\u00C7.pdf\"," + baytDizisi(gelen) + "]}";
        s.metot("BelgeIndir", [&](const httplib::Request &, httplib::Response &c) {
            parcaParcaGonder(c, govde);
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        qint64 boyut = -1;
        QString adi;
        QList<int> yuzdeler;
        const QByteArray icerik =
            proxy.BelgeIndir(4, boyut, adi, [&](int yuzde) { yuzdeler.append(yuzde); });
        QCOMPARE(boyut, qint64(bildirilen));
        QCOMPARE(adi, u"fatura Ç.pdf"_s);
        QCOMPARE(yuzdeler, ilerleme);
        QCOMPARE(icerik, kabul ? baytlar(gelen) : QByteArray());
    }

    void tekAkisHamGovdedir()
    {
        TestSunucusu s;
        std::string ham;
        for (int i = 0; i < 600; ++i)
            ham += static_cast<char>(i % 256);
        s.metot("HttpResimVer", [&](const httplib::Request &, httplib::Response &c) {
            c.set_content(ham, "image/jpeg");
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QCOMPARE(proxy.HttpResimVer(3), QByteArray(ham.data(), qsizetype(ham.size())));
    }

    void yonlendirmeIzlenir()
    {
        TestSunucusu s;
        s.metot("TezmardeAra", [](const httplib::Request &, httplib::Response &c) {
            c.set_redirect("/datasnap/rest/TServerMethods1/%22EchoString%22/", 307);
        });
        s.metot("EchoString", [](const httplib::Request &i, httplib::Response &c) {
            // The body comes along with the redirected POST.
            c.set_content(i.body == R"({"_parameters":["FREN"]})" ? R"({"result":[{"table":[]}]})"
                                                                  : R"({"error":"body lost"})",
                          "application/json");
        });
        auto b = baglanti(s.port());
        QVERIFY(BaglantiKur(*b, 0));
        TServerMethods1Client proxy(*b);
        QCOMPARE(proxy.TezmardeAra(u"FREN"_s).kolonSayisi(), 0);
    }

    void sunucuYokkenOnBirDeneme_data()
    {
        QTest::addColumn<int>("mesajGoster");
        QTest::newRow("mesajlı") << 1;
        QTest::newRow("sessiz") << 0;
    }

    void sunucuYokkenOnBirDeneme()
    {
        QFETCH(int, mesajGoster);
        QList<std::chrono::milliseconds> beklemeler;
        beklemeKancasiKur([&](std::chrono::milliseconds sure) { beklemeler.append(sure); });
        QStringList mesajlar;
        baglantiMesajiKancasiKur([&](const QString &m) { mesajlar.append(m); });

        auto b = baglanti(TestSunucusu::bosPort());
        QVERIFY(!BaglantiKur(*b, mesajGoster));
        QVERIFY(!b->Connected());
        QCOMPARE(beklemeler.size(), 11);
        QVERIFY(std::all_of(beklemeler.begin(), beklemeler.end(),
                            [](auto s) { return s == std::chrono::milliseconds(500); }));
        QCOMPARE(mesajlar,
                 mesajGoster == 1
                     ? QStringList {u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s}
                     : QStringList {});
        QCOMPARE(hataTuru([&] { TServerMethods1Client proxy(*b); }), UzakHata::Tur::Baglanti);
    }

    void besinciDenemedeKabul()
    {
        const int port = TestSunucusu::bosPort();
        std::unique_ptr<TestSunucusu> s;
        int beklemeler = 0;
        beklemeKancasiKur([&](std::chrono::milliseconds) {
            if (++beklemeler == 4) {
                s = std::make_unique<TestSunucusu>(port);
                s->cevap("AcilisReklamAdet", R"({"result":[5]})");
            }
        });
        QStringList mesajlar;
        baglantiMesajiKancasiKur([&](const QString &m) { mesajlar.append(m); });
        auto b = baglanti(port);
        QVERIFY(BaglantiKur(*b, 1));
        QCOMPARE(beklemeler, 4);
        QVERIFY(mesajlar.isEmpty());
        TServerMethods1Client proxy(*b);
        QCOMPARE(proxy.AcilisReklamAdet(), 5);
    }

    void agGecidiHizmetDisiysaAcilmaz()
    {
        TestSunucusu s;
        s.yoklama([](const httplib::Request &, httplib::Response &c) { c.status = 503; });
        beklemeKancasiKur([](std::chrono::milliseconds) {});
        auto b = baglanti(s.port());
        QVERIFY(!BaglantiKur(*b, 0));
        QCOMPARE(s.yoklamaSayisi(), 11);
    }

    void kapaliBaglantidaVekilKurulamaz()
    {
        SunucuBaglantisi b;
        QString mesaj;
        QCOMPARE(hataTuru([&] { TServerMethods1Client proxy(b); }, &mesaj),
                 UzakHata::Tur::Baglanti);
        QCOMPARE(mesaj, u"Connection cannot be nil.  Make sure the connection has been opened."_s);
    }

    void klonParametreleriOAnkiHaliyleAlir()
    {
        TestSunucusu s;
        auto b = baglanti(s.port());
        const auto kapaliKlon = b->CloneConnection();
        QVERIFY(!kapaliKlon->Connected());
        QVERIFY(BaglantiKur(*b, 0));
        const auto klon = b->CloneConnection();
        QVERIFY(klon->Connected());
        b->setHostName(u"baska.sunucu"_s);
        QCOMPARE(klon->HostName(), u"127.0.0.1"_s);
        QCOMPARE(klon->Port(), QString::number(s.port()));
        QCOMPARE(klon->parametre(u"DatasnapContext"), u"datasnap/"_s);
        QCOMPARE(klon->parametre(u"Filters"), u"{}"_s);
        QCOMPARE(klon->ConnectionName(), u"DataSnapCONNECTION"_s);

        // The server has gone: the clone of the open connection stays closed.
        s.durdur();
        b->setHostName(u"127.0.0.1"_s);
        const auto yetim = b->CloneConnection();
        QVERIFY(!yetim->Connected());
    }
};

QTEST_GUILESS_MAIN(BaglantiTesti)
#include "tst_baglanti.moc"
