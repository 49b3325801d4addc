#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "remote/tablo/bellektablo.h"
#include "widgets/izgara/izgarakolonu.h"

// The one model of a grid: the declared columns over a BellekTablo. Display
// text is formatted here; sorting reads the raw values (karsilastir). It
// listens to the table and turns its notifications into one reset per load,
// never per-row signals during a load (the table's controls are disabled).
class IzgaraModeli final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IzgaraModeli)

public:
    enum Rol
    {
        HamDegerRolu = Qt::UserRole + 1, // the table's value (QVariant)
        TabloSatiriRolu, // the row's index in the table
    };

    explicit IzgaraModeli(QObject *ust = nullptr);
    ~IzgaraModeli() override;

    // An empty list shows every field of the table with its name as caption.
    void kolonlariAyarla(QList<IzgaraKolonu> kolonlar);
    const QList<IzgaraKolonu> &kolonlar() const { return kolonlar_; }
    const IzgaraKolonu &kolon(int i) const { return kolonlar_[i]; }
    int kolonIndeksi(QStringView alan) const;

    void tabloyaBagla(BellekTablo *tablo);
    void tabloyuAyir() { tabloyaBagla(nullptr); }
    BellekTablo *tablo() const { return tablo_; }
    // The table column shown in model column i, -1 when the table has no such field.
    int tabloKolonu(int i) const;

    QString hucreMetni(int satir, int kolon) const;
    QString bicim(int kolon) const;
    // Orders two rows by column kolon's raw values: nulls first, numbers and
    // times by value, texts by the Turkish collation.
    int karsilastir(int satirA, int satirB, int kolon) const;

    int rowCount(const QModelIndex &ust = {}) const override;
    int columnCount(const QModelIndex &ust = {}) const override;
    QVariant data(const QModelIndex &indeks, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &indeks) const override;

private:
    void tablodanHaber(const TabloDegisikligi &degisiklik);
    void kolonlariEsle();

    BellekTablo *tablo_ = nullptr;
    BellekTablo::DinleyiciNo dinleyiciNo_ = 0;
    QList<IzgaraKolonu> bildirilenKolonlar_;
    QList<IzgaraKolonu> kolonlar_;
    QList<int> tabloKolonlari_;
    int satirSayisi_ = 0;
    struct Siralayici;
    std::unique_ptr<Siralayici> siralayici_;
};
