#pragma once

#include <QHash>
#include <QWidget>

class QTableView;
class IzgaraModeli;

// The footer row under a grid: one text under each column that has a summary,
// kept in line with the header while columns are resized, moved or scrolled.
class IzgaraAltBilgisi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IzgaraAltBilgisi)

public:
    IzgaraAltBilgisi(QTableView *gorunum, IzgaraModeli *model, QWidget *ust = nullptr);

    // Texts by model column.
    void metinleriAyarla(QHash<int, QString> metinler);
    QString metin(int kolon) const { return metinler_.value(kolon); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *olay) override;

private:
    QTableView *gorunum_;
    IzgaraModeli *model_;
    QHash<int, QString> metinler_;
};
