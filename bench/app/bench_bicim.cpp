// The cost of one money cell ("#,###,##0.00") against Qt's own fixed-point formatting (which
// groups but rounds half to even on the decimal text), and of two-decimal rounding.
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include <QLocale>

#include "app/utils/bicim.h"

namespace {

std::vector<double> fiyatlar()
{
    std::mt19937_64 uretec(42);
    std::lognormal_distribution<double> dagilim(4.0, 2.0);
    std::vector<double> d(4096);
    for (double &x : d)
        x = dagilim(uretec);
    return d;
}

const QLocale turkce(QLocale::Turkish, QLocale::Turkey);

void ParaBicimiIle(benchmark::State &durum)
{
    const auto d = fiyatlar();
    const SayiBicimi bicim(ParaBicimi);
    std::size_t i = 0;
    for (auto _ : durum)
        benchmark::DoNotOptimize(bicim.uygula(d[i++ % d.size()], turkce));
    durum.SetItemsProcessed(durum.iterations());
}
BENCHMARK(ParaBicimiIle);

void QLocaleIle(benchmark::State &durum)
{
    const auto d = fiyatlar();
    std::size_t i = 0;
    for (auto _ : durum)
        benchmark::DoNotOptimize(turkce.toString(d[i++ % d.size()], 'f', 2));
    durum.SetItemsProcessed(durum.iterations());
}
BENCHMARK(QLocaleIle);

void GenelBicim(benchmark::State &durum)
{
    const auto d = fiyatlar();
    const SayiBicimi bicim;
    std::size_t i = 0;
    for (auto _ : durum)
        benchmark::DoNotOptimize(bicim.uygula(d[i++ % d.size()], turkce));
    durum.SetItemsProcessed(durum.iterations());
}
BENCHMARK(GenelBicim);

void IkiHaneyeYuvarlama(benchmark::State &durum)
{
    const auto d = fiyatlar();
    std::size_t i = 0;
    for (auto _ : durum)
        benchmark::DoNotOptimize(IkiHaneyeYuvarla(d[i++ % d.size()]));
    durum.SetItemsProcessed(durum.iterations());
}
BENCHMARK(IkiHaneyeYuvarlama);

} // namespace

BENCHMARK_MAIN();
