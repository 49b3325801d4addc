#include "widgets/izgara/izgarabasligi.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

namespace {
constexpr int dugmeGenisligi = 16;
}

IzgaraBasligi::IzgaraBasligi(QWidget *ust)
    : QHeaderView(Qt::Horizontal, ust)
{
    setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    setSectionsClickable(true);
    setHighlightSections(false);
}

void IzgaraBasligi::suzgecDugmeleriniGoster(bool goster)
{
    dugmeler_ = goster;
    viewport()->update();
}

void IzgaraBasligi::suzgecliKolonlariAyarla(QList<int> kolonlar)
{
    suzgecliKolonlar_ = std::move(kolonlar);
    viewport()->update();
}

QRect IzgaraBasligi::dugmeAlani(const QRect &bolum) const
{
    const int boy = std::min(dugmeGenisligi, bolum.height() - 4);
    return QRect(bolum.right() - dugmeGenisligi - 1, bolum.center().y() - boy / 2, dugmeGenisligi,
                 boy);
}

QRect IzgaraBasligi::dugmeAlani(int kolon) const
{
    if (!dugmeler_ || kolon < 0 || isSectionHidden(kolon))
        return {};
    const QRect bolum(sectionViewportPosition(kolon), 0, sectionSize(kolon), height());
    return dugmeAlani(bolum);
}

void IzgaraBasligi::paintSection(QPainter *ressam, const QRect &alan, int kolon) const
{
    if (!dugmeler_) {
        QHeaderView::paintSection(ressam, alan, kolon);
        return;
    }
    QStyleOptionHeader secenek;
    initStyleOption(&secenek);
    initStyleOptionForIndex(&secenek, kolon);
    secenek.rect = alan;
    ressam->save();
    style()->drawControl(QStyle::CE_HeaderSection, &secenek, ressam, this);
    // The caption and the sort arrow keep clear of the button.
    secenek.rect = alan.adjusted(0, 0, -(dugmeGenisligi + 2), 0);
    style()->drawControl(QStyle::CE_Header, &secenek, ressam, this);
    ressam->restore();

    const QRect dugme = dugmeAlani(alan);
    const bool suzgecli = suzgecliKolonlar_.contains(kolon);
    ressam->save();
    ressam->setRenderHint(QPainter::Antialiasing);
    // A small funnel; filled when the column is filtered.
    const QRectF h = QRectF(dugme).adjusted(3, 4, -3, -3);
    QPainterPath huni;
    huni.moveTo(h.left(), h.top());
    huni.lineTo(h.right(), h.top());
    huni.lineTo(h.center().x() + 1.5, h.top() + h.height() * 0.55);
    huni.lineTo(h.center().x() + 1.5, h.bottom());
    huni.lineTo(h.center().x() - 1.5, h.bottom() - 2);
    huni.lineTo(h.center().x() - 1.5, h.top() + h.height() * 0.55);
    huni.closeSubpath();
    const QColor renk =
        suzgecli ? palette().color(QPalette::Highlight) : palette().color(QPalette::Mid);
    ressam->setPen(QPen(renk.darker(120), 1));
    ressam->setBrush(suzgecli ? QBrush(renk) : QBrush(Qt::NoBrush));
    ressam->drawPath(huni);
    ressam->restore();
}

QSize IzgaraBasligi::sectionSizeFromContents(int kolon) const
{
    QSize boyut = QHeaderView::sectionSizeFromContents(kolon);
    if (dugmeler_)
        boyut.rwidth() += dugmeGenisligi + 4;
    return boyut;
}

void IzgaraBasligi::mousePressEvent(QMouseEvent *olay)
{
    const int kolon = logicalIndexAt(olay->position().toPoint());
    if (olay->button() == Qt::LeftButton &&
        dugmeAlani(kolon).contains(olay->position().toPoint())) {
        basilanDugme_ = kolon;
        return; // no sorting, no moving
    }
    basilanDugme_ = -1;
    QHeaderView::mousePressEvent(olay);
}

void IzgaraBasligi::mouseReleaseEvent(QMouseEvent *olay)
{
    if (basilanDugme_ >= 0) {
        const int kolon = std::exchange(basilanDugme_, -1);
        if (dugmeAlani(kolon).contains(olay->position().toPoint()))
            emit suzgecIstendi(kolon);
        return;
    }
    QHeaderView::mouseReleaseEvent(olay);
}
