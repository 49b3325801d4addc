#pragma once

#include <QCache>
#include <QPixmap>
#include <QStyledItemDelegate>

class IzgaraModeli;

// Draws the cells of a grid by their column's kind: text (wrapped where the
// column says), icons by code, check boxes, progress bars, buttons and
// pictures; no focus rectangle unless the grid asks for one; and the part of
// the focused cell that incremental search has matched.
class HucreCizici final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HucreCizici)

public:
    HucreCizici(IzgaraModeli *model, QObject *ust = nullptr);

    void odakCercevesiCiz(bool ciz) { odakCercevesi_ = ciz; }
    // The cell (view index) whose first n characters incremental search matched.
    void aramaVurgusu(const QModelIndex &hucre, int uzunluk);

    void paint(QPainter *ressam, const QStyleOptionViewItem &secenek,
               const QModelIndex &indeks) const override;
    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        return nullptr;
    }

signals:
    void dugmeTiklandi(const QModelIndex &indeks);

protected:
    bool editorEvent(QEvent *olay, QAbstractItemModel *model, const QStyleOptionViewItem &secenek,
                     const QModelIndex &indeks) override;

private:
    void zeminCiz(QPainter *ressam, const QStyleOptionViewItem &secenek,
                  const QModelIndex &indeks) const;
    QRect dugmeAlani(const QRect &hucre) const;
    QPixmap resim(const QModelIndex &indeks) const;

    IzgaraModeli *model_;
    bool odakCercevesi_ = false;
    QPersistentModelIndex aramaHucresi_;
    int aramaUzunlugu_ = 0;
    mutable QCache<quint64, QPixmap> resimler_ {64};
};
