#include "widgets/izgara/izgarabasligi.h"

#include <algorithm>

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
    viewport()->setMouseTracking(true);
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
    const bool suzgecli = suzgecliKolonlar_.contains(kolon);
    const bool dugmeli = dugmeler_ && (suzgecli || kolon == uzerindeki_);
    QStyleOptionHeader secenek;
    initStyleOption(&secenek);
    initStyleOptionForIndex(&secenek, kolon);
    secenek.rect = alan;
    ressam->save();
    style()->drawControl(QStyle::CE_HeaderSection, &secenek, ressam, this);
    // The caption and the sort arrow keep clear of the button.
    if (dugmeli)
        secenek.rect = alan.adjusted(0, 0, -(dugmeGenisligi + 2), 0);
    // Captions wrap at blanks; a word too wide for the column is elided, not cut.
    const int genislik = style()->subElementRect(QStyle::SE_HeaderLabel, &secenek, this).width();
    const QStringList kelimeler = secenek.text.split(u' ', Qt::SkipEmptyParts);
    const bool sigiyor = std::all_of(kelimeler.begin(), kelimeler.end(), [&](const QString &k) {
        return secenek.fontMetrics.horizontalAdvance(k) <= genislik;
    });
    if (!sigiyor) {
        secenek.textAlignment &= ~Qt::Alignment::fromInt(Qt::TextWordWrap);
        secenek.text = secenek.fontMetrics.elidedText(secenek.text, Qt::ElideRight, genislik);
    }
    style()->drawControl(QStyle::CE_Header, &secenek, ressam, this);
    ressam->restore();
    if (!dugmeli)
        return;

    const QRect dugme = dugmeAlani(alan);
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

void IzgaraBasligi::mouseMoveEvent(QMouseEvent *olay)
{
    const int kolon = logicalIndexAt(olay->position().toPoint());
    if (kolon != uzerindeki_) {
        uzerindeki_ = kolon;
        viewport()->update();
    }
    QHeaderView::mouseMoveEvent(olay);
}

bool IzgaraBasligi::viewportEvent(QEvent *olay)
{
    if (olay->type() == QEvent::Leave && uzerindeki_ >= 0) {
        uzerindeki_ = -1;
        viewport()->update();
    }
    return QHeaderView::viewportEvent(olay);
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
