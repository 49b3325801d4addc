#include "widgets/izgara/agirlik.h"

#include <cmath>
#include <numeric>

QList<int> agirlikGenislikleri(const QList<int> &agirliklar, int kullanilabilir)
{
    const long long toplam = std::accumulate(agirliklar.begin(), agirliklar.end(), 0LL);
    if (toplam <= 0)
        return {};
    const int birim =
        std::max(0, static_cast<int>(std::trunc(double(kullanilabilir) / double(toplam))));
    QList<int> genislikler;
    genislikler.reserve(agirliklar.size());
    for (const int agirlik : agirliklar)
        genislikler.append(std::max(0, agirlik) * birim);
    return genislikler;
}
