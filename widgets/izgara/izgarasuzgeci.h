#pragma once

#include <QHash>
#include <QSet>
#include <QSortFilterProxyModel>

class IzgaraModeli;

// Sorting and the header filters of a grid. A filter keeps the rows whose
// text in a column is one of the ticked values, as spreadsheet users know it;
// the filters of several columns all apply.
class IzgaraSuzgeci final : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IzgaraSuzgeci)

public:
    struct Deger
    {
        QString metin; // as the cell shows it; empty for blank cells
        int adet = 0; // rows with this text
        bool secili = true; // passes the column's filter now
    };

    explicit IzgaraSuzgeci(IzgaraModeli *model, QObject *ust = nullptr);

    void suzgecAyarla(int kolon, const QSet<QString> &izinliMetinler);
    void suzgeciKaldir(int kolon);
    void tumSuzgecleriKaldir();
    bool suzgecliMi(int kolon) const { return suzgecler_.contains(kolon); }
    bool suzgecVarMi() const { return !suzgecler_.isEmpty(); }

    // The distinct texts of a column among the rows the other columns'
    // filters let through, in the column's sort order.
    QList<Deger> degerler(int kolon) const;

signals:
    void suzgecDegisti();

protected:
    bool filterAcceptsRow(int kaynakSatir, const QModelIndex &ust) const override;
    bool lessThan(const QModelIndex &sol, const QModelIndex &sag) const override;

private:
    bool satirGecer(int kaynakSatir, int haricKolon) const;
    void yenidenSuz();

    IzgaraModeli *model_;
    QHash<int, QSet<QString>> suzgecler_;
};
