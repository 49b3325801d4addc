// From a stock search to painted rows, on a large demo catalogue, split into
// where the time goes:
//   server    the search itself and its reply written as JSON (in process)
//   transfer  the HTTP round trip beyond that (loopback)
//   decode    the reply read into a BellekTablo, with the money format
//   display   the grid bound to the rows, columns sized, one full paint
// and the whole road through the client's own proxy for comparison.
//
//   bench_stokarama [--veritabani FILE] [--stok N] [--tekrar N]
//
// Without --veritabani a demo database of N items (1,000,000 by default) is
// made next to the program once and kept. Prints medians of --tekrar runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <httplib.h>

#include "app/utils/bicim.h"
#include "catalog/stoklistesi.h"
#include "remote/cagri.h"
#include "remote/kurulum.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "sunucu/dagitici.h"
#include "sunucu/katalog.h"
#include "sunucu/restsunucusu.h"
#include "sunucu/sema.h"
#include "sunucu/yontemler.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;
using Saat = std::chrono::steady_clock;

namespace {

double ms(Saat::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double medyan(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template<class F>
double sure(F &&f)
{
    const auto bas = Saat::now();
    f();
    return ms(Saat::now() - bas);
}

QString demoVeritabani(int stok)
{
    const QString yol = QDir(QCoreApplication::applicationDirPath())
                                .filePath(u"bench-katalog-%1.sqlite"_s.arg(stok));
    if (QFileInfo::exists(yol))
        return yol;
    std::fprintf(stderr, "%d kalemlik tanıtım veritabanı yapılıyor: %s\n", stok, qPrintable(yol));
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI),
            {u"demo-veri"_s, u"--veritabani"_s, yol, u"--stok"_s, QString::number(stok)});
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        qFatal("demo-veri failed");
    return yol;
}

// One search of each size: a code, a narrow description, a wide one.
struct Arama
{
    const char *ad;
    QString metin;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication uygulama(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QCommandLineParser p;
    p.addOptions({{u"veritabani"_s, u"SQLite file"_s, u"DOSYA"_s},
                  {u"stok"_s, u"items of the demo catalogue"_s, u"N"_s, u"1000000"_s},
                  {u"tekrar"_s, u"runs per figure"_s, u"N"_s, u"7"_s}});
    p.process(uygulama);
    const int tekrar = std::max(1, p.value(u"tekrar"_s).toInt());
    const QString veritabani = p.isSet(u"veritabani"_s) ? p.value(u"veritabani"_s)
                                                        : demoVeritabani(p.value(u"stok"_s).toInt());
    {
        auto vt = veritabaniAc(veritabani);
        semayiGuncelle(*vt);
        if (katalogDiziniEksik(*vt)) {
            const double t = sure([&] { katalogDiziniKur(*vt); });
            std::printf("arama dizini kuruldu: %.1f s\n", t / 1000);
        }
    }

    VtHavuzu havuz(veritabani, 4);
    Dagitici dagitici(&havuz);
    yontemleriKaydet(dagitici);
    SunucuAyarlari ayarlar;
    ayarlar.port = 0;
    ayarlar.gunluk = false;
    RestSunucusu sunucu(ayarlar, dagitici);
    if (!sunucu.bagla())
        qFatal("bind failed");
    std::thread is([&] { sunucu.calistir(); });
    KurulumDegerleri k = KurulumDegerleri::varsayilan();
    k.sunucuAdresi = u"127.0.0.1"_s;
    k.port = QString::number(sunucu.port());
    KurulumAyarla(k);

    // The demo dealer of type 0.
    TSonucBilgisi bilgi;
    {
        auto vt = veritabaniAc(veritabani);
        VtKomutu &kul = vt->sorgula("SELECT sirano, carino FROM kullanicilar WHERE adi = 'BAYI0'");
        if (!kul.sonraki())
            qFatal("no demo dealer BAYI0 in the database");
        bilgi.setSirano(int(kul.tamsayi(0)));
        bilgi.setCARINO(int(kul.tamsayi(1)));
        while (kul.sonraki()) { }
    }

    const std::vector<Arama> aramalar = {
            {"code prefix", u"FR-1001"_s},
            {"narrow words", u"FREN BALATASI ON TAKIM CLIO"_s},
            {"middle words", u"BALATASI RENAULT"_s},
            {"wide words", u"FREN BALATASI"_s},
            {"one word", u"FILTRESI"_s},
    };

    const Metot &metot = ::metot(MetotNo::StokAraTezmar);
    std::string yol = cagriYolu(metot);
    std::printf("\n%-14s %7s %9s %9s %9s %9s %9s | %9s %9s\n", "search", "rows", "server", "transfer",
                "decode", "display", "sum", "proxy+dsp", "reply KB");
    for (const Arama &a : aramalar) {
        std::vector<double> sunucuS, aktarimS, cozS, gosterS, vekilS;
        qsizetype satir = 0;
        std::size_t bayt = 0;
        for (int i = 0; i < tekrar; ++i) {
            // Server: the search and its JSON reply.
            double sunucuda = 0;
            {
                auto vt = havuz.al();
                std::string govde;
                sunucuda = sure([&] {
                    Deger d(stokAra(*vt, a.metin, bilgi));
                    govde = cevapYaz(metot, std::span<const Deger>(&d, 1));
                });
            }
            // The HTTP round trip with the same request.
            const std::vector<Deger> girdiler {a.metin, Deger(Nesne(bilgi))};
            const std::string istek = istekGovdesi(metot, girdiler);
            httplib::Client c("127.0.0.1", sunucu.port());
            c.set_read_timeout(120, 0);
            std::string cevap;
            const double http = sure([&] {
                auto r = c.Post(yol, istek, "application/json");
                if (!r || r->status != 200)
                    qFatal("search request failed");
                cevap = r->body;
            });
            BellekTablo tablo;
            const double coz = sure([&] {
                std::vector<Deger> ciktilar = cevapOku(metot, cevap);
                tablo = std::get<BellekTablo>(std::move(ciktilar.back()));
                ParaBicimiUygula(tablo);
            });
            satir = tablo.satirSayisi();
            bayt = cevap.size();

            // Display: a fresh grid at the stock list's size, bound, sized, painted.
            VeriIzgarasi izgara;
            izgara.kolonlariAyarla(StokKolonlari());
            izgara.resize(1600, 800);
            izgara.show();
            QCoreApplication::processEvents();
            const double goster = sure([&] {
                izgara.guncellemeyiBaslat();
                izgara.tabloyaBagla(&tablo);
                izgara.guncellemeyiBitir();
                izgara.kolonGenislikleriniAyarla(izgara.yatayKaydirmaCubuguYuksekligi() + 10);
                (void)izgara.grab();
            });

            // The same road through the client's proxy and connection.
            SunucuBaglantisi bagc;
            bagc.kurulumAdresiniYaz();
            bagc.Open();
            BellekTablo vekilden;
            const double vekil = sure([&] {
                TServerMethods1Client proxy(bagc);
                vekilden = proxy.StokAraTezmar(a.metin, bilgi);
                ParaBicimiUygula(vekilden);
            });
            bagc.Close();

            sunucuS.push_back(sunucuda);
            aktarimS.push_back(std::max(0.0, http - sunucuda));
            cozS.push_back(coz);
            gosterS.push_back(goster);
            vekilS.push_back(vekil + goster);
        }
        const double toplam = medyan(sunucuS) + medyan(aktarimS) + medyan(cozS) + medyan(gosterS);
        std::printf("%-14s %7lld %8.1fms %8.1fms %8.1fms %8.1fms %8.1fms | %8.1fms %9.0f\n", a.ad,
                    static_cast<long long>(satir), medyan(sunucuS), medyan(aktarimS), medyan(cozS),
                    medyan(gosterS), toplam, medyan(vekilS), bayt / 1024.0);
        std::fflush(stdout);
    }
    sunucu.durdur();
    is.join();
    return 0;
}
