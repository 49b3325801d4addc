#include "widgets/izgara/izgaraaltbilgisi.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include "widgets/izgara/izgaramodeli.h"

IzgaraAltBilgisi::IzgaraAltBilgisi(QTableView *gorunum, IzgaraModeli *model, QWidget *ust)
    : QWidget(ust)
    , gorunum_(gorunum)
    , model_(model)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QHeaderView *baslik = gorunum->horizontalHeader();
    auto yenile = [this] { update(); };
    connect(baslik, &QHeaderView::sectionResized, this, yenile);
    connect(baslik, &QHeaderView::sectionMoved, this, yenile);
    connect(baslik, &QHeaderView::geometriesChanged, this, yenile);
    connect(gorunum->horizontalScrollBar(), &QScrollBar::valueChanged, this, yenile);
}

void IzgaraAltBilgisi::metinleriAyarla(QHash<int, QString> metinler)
{
    if (metinler == metinler_)
        return;
    metinler_ = std::move(metinler);
    update();
}

QSize IzgaraAltBilgisi::sizeHint() const
{
    return {100, fontMetrics().height() + 10};
}

void IzgaraAltBilgisi::paintEvent(QPaintEvent *)
{
    QPainter ressam(this);
    ressam.fillRect(rect(), palette().color(QPalette::Window));
    ressam.setPen(palette().color(QPalette::Mid));
    ressam.drawLine(rect().topLeft(), rect().topRight());

    const QHeaderView *baslik = gorunum_->horizontalHeader();
    // The footer starts where the view does; cells start inside its frame.
    const int sol = gorunum_->viewport()->geometry().left() + gorunum_->geometry().left() - x();
    ressam.setClipRect(QRect(sol, 0, gorunum_->viewport()->width(), height()));
    ressam.setPen(palette().color(QPalette::WindowText));
    for (auto it = metinler_.cbegin(); it != metinler_.cend(); ++it) {
        const int kolon = it.key();
        if (kolon < 0 || kolon >= model_->columnCount() || baslik->isSectionHidden(kolon))
            continue;
        const QRect hucre(sol + baslik->sectionViewportPosition(kolon), 1,
                          baslik->sectionSize(kolon), height() - 1);
        const Qt::Alignment hizalama = model_->kolon(kolon).hizalama;
        ressam.drawText(hucre.adjusted(4, 0, -4, 0),
                        int((hizalama & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter),
                        fontMetrics().elidedText(it.value(), Qt::ElideRight, hucre.width() - 8));
    }
}
