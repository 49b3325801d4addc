// Decoding a large table reply: a 100,000-row, 35-column stock list as the
// server sends it (non-ASCII escaped as \uXXXX, dates as strings), read into
// a BellekTablo, against simdjson's own parse of the same bytes in the same
// run: with a parser whose memory is already in use (the best case) and with
// a new parser (what a reply of this size gets). Prints the medians, their
// ratios, and the page faults per run: on a machine where touching new memory
// is slow they, not the parsing, set the pace.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <simdjson.h>
#include <string>
#include <sys/resource.h>

#include "remote/cagri.h"
#include "remote/jsonic.h"
#include "remote/jsonyazici.h"
#include "remote/tablojson.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int satirSayisi = 100000;

KolonTanimi kolon(const char *ad, DbxTipi tip, int boyut = 0)
{
    KolonTanimi k;
    k.ad = QString::fromLatin1(ad);
    k.tip = tip;
    k.boyut = boyut;
    return k;
}

// A stock list like the one the catalogue search returns.
std::string stokCevabi()
{
    const QList<KolonTanimi> kolonlar = {
        kolon("STOK_STOKNO", DbxTipi::Int32),
        kolon("KOD", DbxTipi::WideString, 30),
        kolon("ADI", DbxTipi::WideString, 80),
        kolon("BARKOD", DbxTipi::WideString, 20),
        kolon("OEMNO", DbxTipi::WideString, 60),
        kolon("URETICIKOD", DbxTipi::WideString, 30),
        kolon("MARKA", DbxTipi::WideString, 30),
        kolon("MODEL", DbxTipi::WideString, 40),
        kolon("ANAGRUP", DbxTipi::WideString, 30),
        kolon("ALTGRUP", DbxTipi::WideString, 30),
        kolon("DEPARTMAN", DbxTipi::WideString, 30),
        kolon("BIRIM", DbxTipi::WideString, 10),
        kolon("RENK", DbxTipi::WideString, 20),
        kolon("BEDEN", DbxTipi::WideString, 10),
        kolon("OZELKOD", DbxTipi::WideString, 20),
        kolon("PKOD", DbxTipi::WideString, 20),
        kolon("DPKOD", DbxTipi::WideString, 20),
        kolon("KUR", DbxTipi::WideString, 5),
        kolon("LISTEFIYATI", DbxTipi::Double),
        kolon("NETFIYAT", DbxTipi::Double),
        kolon("KDV", DbxTipi::Double),
        kolon("ISK1", DbxTipi::Double),
        kolon("ISK2", DbxTipi::Double),
        kolon("ISK3", DbxTipi::Double),
        kolon("ISK4", DbxTipi::Double),
        kolon("KDVLIFIYAT", DbxTipi::Double),
        kolon("KALAN", DbxTipi::Double),
        kolon("KAMPANYALIFIYAT", DbxTipi::Double),
        kolon("VERILENSIPARIS", DbxTipi::Double),
        kolon("ALINANSIPARIS", DbxTipi::Double),
        kolon("DURUM", DbxTipi::Int32),
        kolon("YENI", DbxTipi::Int32),
        kolon("KAMPANYALI", DbxTipi::Int32),
        kolon("RESIMVAR", DbxTipi::Int32),
        kolon("GUNCELLEME", DbxTipi::DateTime),
    };
    static const QStringList markalar = {u"BOSCH"_s,     u"VALEO"_s, u"MANN-FILTER"_s,
                                         u"SACHS"_s,     u"FEBİ"_s,  u"DELPHI"_s,
                                         u"LEMFÖRDER"_s, u"TRW"_s,   u"MAHLE"_s};
    static const QStringList parcalar = {u"Fren Balatası Ön"_s,   u"Yağ Filtresi"_s,
                                         u"Amortisör Arka Sağ"_s, u"Debriyaj Seti"_s,
                                         u"Rot Başı Sol"_s,       u"Buji Takımı"_s,
                                         u"Hava Filtresi"_s,      u"Triger Kayışı Seti"_s,
                                         u"Salıncak Burcu"_s,     u"Far Ampulü H7 12V 55W"_s};
    static const QStringList modeller = {u"FIAT DOBLO 1.3 MJET 2010-"_s,
                                         u"RENAULT CLIO IV 1.5 DCI"_s, u"FORD FOCUS III 1.6 TDCİ"_s,
                                         u"VW PASSAT B7 2.0 TDI"_s, u"TOYOTA COROLLA 1.33 VVT-İ"_s};
    static const QStringList gruplar = {u"FREN SİSTEMİ"_s, u"FİLTRE"_s,   u"SÜSPANSİYON"_s,
                                        u"MOTOR"_s,        u"ELEKTRİK"_s, u"ŞANZIMAN"_s};

    BellekTablo t;
    t.yenidenTanimla(kolonlar);
    t.satirAyir(satirSayisi);
    std::mt19937 r(20240301);
    auto sec = [&](const QStringList &l) { return l[int(r() % l.size())]; };
    auto fiyat = [&] { return double(r() % 500000) / 100.0 + 1; };
    for (int i = 0; i < satirSayisi; ++i) {
        int k = 0;
        t.ekleTamsayi(k++, 100000 + i);
        t.ekleMetin(k++, u"%1-%2/%3"_s.arg(r() % 900 + 100).arg(r() % 90000 + 10000).arg(r() % 9));
        t.ekleMetin(k++, QString(sec(parcalar) + u' ' + sec(markalar)));
        t.ekleMetin(k++, u"869%1"_s.arg(qulonglong(r() % 1000000000), 10, 10, QChar(u'0')));
        t.ekleMetin(k++, u"%1 %2, %3"_s.arg(r() % 99999999).arg(r() % 999999).arg(r() % 99999));
        t.ekleMetin(k++, u"0 986 %1 %2"_s.arg(r() % 999).arg(r() % 999));
        t.ekleMetin(k++, sec(markalar));
        t.ekleMetin(k++, sec(modeller));
        t.ekleMetin(k++, sec(gruplar));
        t.ekleMetin(k++, sec(gruplar));
        t.ekleMetin(k++, u"YEDEK PARÇA"_s);
        t.ekleMetin(k++, u"ADET"_s);
        t.ekleMetin(k++, r() % 4 ? QString() : u"SİYAH"_s);
        t.ekleMetin(k++, QString());
        t.ekleMetin(k++, u"Ö%1"_s.arg(r() % 50));
        t.ekleMetin(k++, u"P%1"_s.arg(r() % 1000));
        t.ekleMetin(k++, u"D%1"_s.arg(r() % 1000));
        t.ekleMetin(k++, r() % 3 ? u"TL"_s : u"EURO"_s);
        const double liste = fiyat();
        t.ekleOndalik(k++, liste);
        t.ekleOndalik(k++, liste * 0.65);
        t.ekleOndalik(k++, 20);
        t.ekleOndalik(k++, 25);
        t.ekleOndalik(k++, 10);
        t.ekleOndalik(k++, r() % 2 ? 5 : 0);
        t.ekleOndalik(k++, 0);
        t.ekleOndalik(k++, liste * 0.65 * 1.2);
        t.ekleOndalik(k++, double(r() % 300));
        t.ekleOndalik(k++, r() % 10 ? 0 : liste * 0.5);
        t.ekleOndalik(k++, double(r() % 20));
        t.ekleOndalik(k++, double(r() % 20));
        t.ekleTamsayi(k++, r() % 6);
        t.ekleTamsayi(k++, r() % 10 == 0);
        t.ekleTamsayi(k++, r() % 10 == 0);
        t.ekleTamsayi(k++, r() % 2);
        t.ekleZaman(k++, QDate(2023, 1, 1).addDays(r() % 600),
                    QTime(int(r() % 24), int(r() % 60), int(r() % 60), int(r() % 1000)));
    }
    t.doldurmayiBitir();
    JsonYazici y(64 << 20);
    y.nesneBasla().anahtar("result").diziBasla();
    tabloYaz(y, t);
    y.diziBitir().nesneBitir();
    return y.al();
}

const std::string &cevap()
{
    static const std::string c = stokCevabi();
    return c;
}

// The reply as the client holds it: padding after the text, nothing copied.
const simdjson::padded_string &dolgulu()
{
    static const simdjson::padded_string d(cevap());
    return d;
}

// Page faults (new memory touched) per run, as a counter.
class SayfaSayaci
{
public:
    explicit SayfaSayaci(benchmark::State &durum)
        : durum_(durum)
        , bas_(simdi())
    {
    }
    ~SayfaSayaci()
    {
        durum_.counters["sayfa"] =
            benchmark::Counter(double(simdi() - bas_), benchmark::Counter::kAvgIterations);
    }

private:
    static long simdi()
    {
        rusage r {};
        getrusage(RUSAGE_SELF, &r);
        return r.ru_minflt;
    }
    benchmark::State &durum_;
    long bas_;
};

void HamAyristirma(benchmark::State &durum)
{
    simdjson::dom::parser ayristirici;
    simdjson::dom::element kok;
    if (ayristirici.parse(dolgulu()).get(kok) != simdjson::SUCCESS)
        durum.SkipWithError("parse failed");
    SayfaSayaci sayac(durum);
    for (auto _ : durum) {
        if (ayristirici.parse(dolgulu()).get(kok) != simdjson::SUCCESS)
            durum.SkipWithError("parse failed");
        benchmark::DoNotOptimize(kok);
    }
    durum.SetBytesProcessed(int64_t(durum.iterations()) * int64_t(cevap().size()));
}

void YeniAyristiriciylaAyristirma(benchmark::State &durum)
{
    SayfaSayaci sayac(durum);
    for (auto _ : durum) {
        simdjson::dom::parser ayristirici;
        simdjson::dom::element kok;
        if (ayristirici.parse(dolgulu()).get(kok) != simdjson::SUCCESS)
            durum.SkipWithError("parse failed");
        benchmark::DoNotOptimize(kok);
    }
    durum.SetBytesProcessed(int64_t(durum.iterations()) * int64_t(cevap().size()));
}

void TabloyaCozme(benchmark::State &durum)
{
    const Metot &m = metot(MetotNo::StokAraTezmar);
    qsizetype satir = 0;
    SayfaSayaci sayac(durum);
    for (auto _ : durum) {
        std::vector<Deger> c = jsonic::dolguluCevapOku(m, dolgulu());
        satir = std::get<BellekTablo>(c[0]).satirSayisi();
        benchmark::DoNotOptimize(c);
    }
    if (satir != satirSayisi)
        durum.SkipWithError("wrong row count");
    durum.SetBytesProcessed(int64_t(durum.iterations()) * int64_t(cevap().size()));
}

BENCHMARK(HamAyristirma)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(YeniAyristiriciylaAyristirma)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(TabloyaCozme)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Prints the two medians and their ratio after the usual report.
class OranRaporu final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &kosular) override
    {
        for (const Run &k : kosular) {
            if (k.aggregate_name == "median")
                medyanlar_[k.run_name.function_name] = k.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(kosular);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double ham = medyanlar_["HamAyristirma"];
        const double yeni = medyanlar_["YeniAyristiriciylaAyristirma"];
        const double coz = medyanlar_["TabloyaCozme"];
        std::printf("\nreply: %.1f MB, %d rows x 35 columns\n", double(cevap().size()) / 1e6,
                    satirSayisi);
        std::printf("simdjson parse, parser in use (median):  %7.1f ms\n", ham);
        std::printf("simdjson parse, new parser (median):     %7.1f ms\n", yeni);
        std::printf("decode into BellekTablo (median):        %7.1f ms\n", coz);
        if (ham > 0 && yeni > 0) {
            std::printf("ratio to the parse with a parser in use: %.2fx (target: within 3x)\n",
                        coz / ham);
            std::printf("ratio to the parse with a new parser:    %.2fx\n", coz / yeni);
        }
    }

private:
    std::map<std::string, double> medyanlar_;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("simdjson implementation: %s\n",
                simdjson::get_active_implementation()->name().c_str());
    cevap();
    OranRaporu rapor;
    benchmark::RunSpecifiedBenchmarks(&rapor);
    benchmark::Shutdown();
    return 0;
}
