#pragma once

#include <QHeaderView>

// The column header of a grid: centred captions and, when enabled, a filter
// button at the right edge of every section, drawn while the pointer is over
// the section or while the column is filtered (narrow columns keep their
// caption otherwise). A click on the button asks for the column's filter
// list; a click elsewhere sorts as usual.
class IzgaraBasligi final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IzgaraBasligi)

public:
    explicit IzgaraBasligi(QWidget *ust = nullptr);

    void suzgecDugmeleriniGoster(bool goster);
    bool suzgecDugmeleriGorunur() const { return dugmeler_; }
    // Which columns have a filter applied (their button is drawn filled).
    void suzgecliKolonlariAyarla(QList<int> kolonlar);
    // Where a section's filter button lies, in header coordinates.
    QRect dugmeAlani(int kolon) const;

signals:
    void suzgecIstendi(int kolon);

protected:
    void paintSection(QPainter *ressam, const QRect &alan, int kolon) const override;
    void mousePressEvent(QMouseEvent *olay) override;
    void mouseReleaseEvent(QMouseEvent *olay) override;
    void mouseMoveEvent(QMouseEvent *olay) override;
    bool viewportEvent(QEvent *olay) override;
    QSize sectionSizeFromContents(int kolon) const override;

private:
    QRect dugmeAlani(const QRect &bolum) const;

    bool dugmeler_ = false;
    QList<int> suzgecliKolonlar_;
    int basilanDugme_ = -1;
    int uzerindeki_ = -1; // the section under the pointer
};
