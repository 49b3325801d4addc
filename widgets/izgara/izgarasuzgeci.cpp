#include "widgets/izgara/izgarasuzgeci.h"

#include <algorithm>

#include "widgets/izgara/izgaramodeli.h"

IzgaraSuzgeci::IzgaraSuzgeci(IzgaraModeli *model, QObject *ust)
    : QSortFilterProxyModel(ust)
    , model_(model)
{
    setSourceModel(model);
    // A load re-sorts in one pass; a single edit moves only its own row.
    setDynamicSortFilter(true);
}

void IzgaraSuzgeci::yenidenSuz()
{
    // One layout change rather than a removal or insertion signal for every
    // run of rows: over 100,000 rows the views would relayout thousands of times.
    invalidate();
}

void IzgaraSuzgeci::suzgecAyarla(int kolon, const QSet<QString> &izinliMetinler)
{
    suzgecler_.insert(kolon, izinliMetinler);
    yenidenSuz();
    emit suzgecDegisti();
}

void IzgaraSuzgeci::suzgeciKaldir(int kolon)
{
    if (suzgecler_.remove(kolon) == 0)
        return;
    yenidenSuz();
    emit suzgecDegisti();
}

void IzgaraSuzgeci::tumSuzgecleriKaldir()
{
    if (suzgecler_.isEmpty())
        return;
    suzgecler_.clear();
    yenidenSuz();
    emit suzgecDegisti();
}

bool IzgaraSuzgeci::satirGecer(int kaynakSatir, int haricKolon) const
{
    for (auto it = suzgecler_.cbegin(); it != suzgecler_.cend(); ++it) {
        if (it.key() != haricKolon &&
            !it.value().contains(model_->hucreMetni(kaynakSatir, it.key())))
            return false;
    }
    return true;
}

bool IzgaraSuzgeci::filterAcceptsRow(int kaynakSatir, const QModelIndex &) const
{
    return suzgecler_.isEmpty() || satirGecer(kaynakSatir, -1);
}

bool IzgaraSuzgeci::lessThan(const QModelIndex &sol, const QModelIndex &sag) const
{
    return model_->karsilastir(sol.row(), sag.row(), sol.column()) < 0;
}

QList<IzgaraSuzgeci::Deger> IzgaraSuzgeci::degerler(int kolon) const
{
    struct Sayim
    {
        int ornekSatir;
        int adet;
    };
    QHash<QString, Sayim> sayimlar;
    const int satirSayisi = model_->rowCount();
    for (int s = 0; s < satirSayisi; ++s) {
        if (!satirGecer(s, kolon))
            continue;
        auto it = sayimlar.find(model_->hucreMetni(s, kolon));
        if (it == sayimlar.end())
            sayimlar.insert(model_->hucreMetni(s, kolon), {s, 1});
        else
            ++it->adet;
    }
    QList<std::pair<QString, Sayim>> sirali;
    sirali.reserve(sayimlar.size());
    for (auto it = sayimlar.cbegin(); it != sayimlar.cend(); ++it)
        sirali.append({it.key(), it.value()});
    std::sort(sirali.begin(), sirali.end(), [this, kolon](const auto &a, const auto &b) {
        const int k = model_->karsilastir(a.second.ornekSatir, b.second.ornekSatir, kolon);
        return k != 0 ? k < 0 : a.first < b.first;
    });

    const auto izinli = suzgecler_.constFind(kolon);
    QList<Deger> sonuc;
    sonuc.reserve(sirali.size());
    for (const auto &[metin, sayim] : sirali) {
        const bool secili = izinli == suzgecler_.cend() || izinli->contains(metin);
        sonuc.append({metin, sayim.adet, secili});
    }
    return sonuc;
}
