#include "widgets/kayanyazi/realtimemarquee.h"

#include <algorithm>

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

// A canvas that only measures: a tiny image with a painter, so that sizes come
// from the same font metrics the drawing on an item's bitmap uses.
class TCompatibleCanvas
{
public:
    explicit TCompatibleCanvas(const QFont &font)
        : fResim(1, 1, QImage::Format_RGB32)
        , fPainter(&fResim)
    {
        fPainter.setFont(font);
    }

    QPainter &painter() { return fPainter; }

private:
    QImage fResim;
    QPainter fPainter;
};

// What rendering an item reads from the control, taken once before rendering
// starts (an HTML item may let events run while it pauses).
struct CizimOrtami
{
    QFont font;
    QColor zemin;
    QColor yazi;
    bool yatay;
    bool sagdanSola;
    int istemciGenisligi;
    qreal dpr;
};

// Keeps a bitmap within the sizes the control renders.
QSize sinirla(QSize boy)
{
    int w = std::clamp(boy.width(), 0, TRealTimeMarquee::EnBuyukOgeKenari);
    const int h = std::clamp(boy.height(), 0, TRealTimeMarquee::EnBuyukOgeKenari);
    if (qint64(w) * h > TRealTimeMarquee::EnBuyukOgeAlani)
        w = int(TRealTimeMarquee::EnBuyukOgeAlani / h);
    return {w, h};
}

QImage yeniBitmap(QSize boy, const CizimOrtami &ortam)
{
    if (boy.isEmpty())
        return {};
    QImage bitmap(boy * ortam.dpr, QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ortam.dpr);
    bitmap.fill(ortam.zemin);
    return bitmap;
}

bool dugmeBasili()
{
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

} // namespace

// ---------------------------------------------------------------- TMarqueeItem

TMarqueeItem::TMarqueeItem(TMarqueeCollection *collection)
    : fCollection(collection)
{
}

TRealTimeMarquee *TMarqueeItem::Marquee() const
{
    return fCollection ? fCollection->Marquee() : nullptr;
}

int TMarqueeItem::Index() const
{
    if (!fCollection)
        return -1;
    const auto &ogeler = fCollection->fItems;
    const auto bulunan = std::find_if(ogeler.cbegin(), ogeler.cend(),
                                      [this](const auto &oge) { return oge.get() == this; });
    return bulunan == ogeler.cend() ? -1 : int(bulunan - ogeler.cbegin());
}

QString TMarqueeItem::DisplayName() const
{
    return fText.isEmpty() ? u"TMarqueeItem"_s : fText;
}

void TMarqueeItem::setText(const QString &text)
{
    if (text == fText)
        return;
    fText = text;
    Unprepare();
    Changed();
}

void TMarqueeItem::setStyle(TMarqueeStyle style)
{
    if (style == fStyle)
        return;
    fStyle = style;
    Unprepare();
    Changed();
}

void TMarqueeItem::setAlignment(TMarqueeAlignment alignment)
{
    if (alignment == fAlignment)
        return;
    fAlignment = alignment;
    // Across a horizontal scroll alignment only moves the bitmap; vertical text is aligned inside
    // it.
    if (const TRealTimeMarquee *m = Marquee(); m && !m->Yatay())
        Unprepare();
    Changed();
}

void TMarqueeItem::Assign(const TMarqueeItem &kaynak)
{
    setText(kaynak.Text());
    setStyle(kaynak.Style());
}

bool TMarqueeItem::Showing() const
{
    const TRealTimeMarquee *m = Marquee();
    return m && m->OgeGorunuyor(Index());
}

QSize TMarqueeItem::Size()
{
    Prepare();
    return fSize;
}

void TMarqueeItem::Draw(QPainter &p, int x, int y)
{
    Prepare();
    if (fBitmap.isNull())
        return;
    QRect hedef(QPoint(x, y), fSize);
    if (p.hasClipping())
        hedef &= p.clipBoundingRect().toAlignedRect();
    if (hedef.isEmpty())
        return;
    // Only the visible part is copied: while scrolling that is a strip of Step pixels.
    const qreal dpr = fBitmap.devicePixelRatio();
    const QRectF kaynak((hedef.x() - x) * dpr, (hedef.y() - y) * dpr, hedef.width() * dpr,
                        hedef.height() * dpr);
    p.drawImage(QRectF(hedef), fBitmap, kaynak);
}

bool TMarqueeItem::GetLinkAt(int x, int y, QString &link) const
{
    if (!fPrepared || fStyle != TMarqueeStyle::msHTML || !fLinks || fLinks->Count() == 0)
        return false;
    const int i = fLinks->IndexOfLinkAt(x, y);
    if (i < 0)
        return false;
    link = fLinks->Links(i);
    return true;
}

void TMarqueeItem::Unprepare()
{
    TRealTimeMarquee *m = Marquee();
    if (m)
        m->Lock();
    ++fRevision;
    if (fPrepared) {
        fPrepared = false;
        if (fLinks)
            fLinks->Clear();
        fBitmap = QImage();
        fSize = {0, 0};
    }
    if (m)
        m->Unlock();
}

void TMarqueeItem::Prepare()
{
    if (fPrepared || fPreparing || !Marquee())
        return;
    // The list may drop this item while an HTML pause lets events run; it
    // lives until the render ends, which is then thrown away.
    const auto tut = shared_from_this();
    const unsigned surum = fRevision;
    fPreparing = true;
    if (fLinks)
        fLinks->Clear();
    switch (fStyle) {
    case TMarqueeStyle::msText:
        PrepareText();
        break;
    case TMarqueeStyle::msHTML:
        PrepareHTML();
        break;
    case TMarqueeStyle::msOwnerDraw:
        PrepareOwnerDraw();
        break;
    }
    fPreparing = false;
    if (surum != fRevision || !Marquee()) {
        fBitmap = QImage();
        fSize = {0, 0};
        if (fLinks)
            fLinks->Clear();
        return;
    }
    fPrepared = true;
}

namespace {

CizimOrtami ortamiAl(const TRealTimeMarquee &m)
{
    return {m.font(),
            m.Color(),
            m.palette().color(QPalette::WindowText),
            m.Orientation() == TMarqueeOrientation::moHorizontal,
            m.layoutDirection() == Qt::RightToLeft,
            m.width(),
            m.devicePixelRatioF()};
}

} // namespace

void TMarqueeItem::PrepareText()
{
    const CizimOrtami ortam = ortamiAl(*Marquee());
    TCompatibleCanvas olcu(ortam.font);
    QPainter &op = olcu.painter();
    const int ortalama = op.fontMetrics().averageCharWidth();

    const int bicim = Qt::TextExpandTabs | Qt::TextDontClip |
        (ortam.yatay ? Qt::TextSingleLine : Qt::TextWordWrap);
    int hiza = Qt::AlignHCenter;
    if (!ortam.yatay && fAlignment == TMarqueeAlignment::maLeftOrTop)
        hiza = Qt::AlignLeft;
    else if (!ortam.yatay && fAlignment == TMarqueeAlignment::maRightOrBottom)
        hiza = Qt::AlignRight;
    const Qt::LayoutDirection yon = ortam.sagdanSola ? Qt::RightToLeft : Qt::LeftToRight;
    op.setLayoutDirection(yon);

    // Horizontally the line is unbounded; vertically it wraps to the client width.
    const int sinir = ortam.yatay ? 0 : std::max(1, ortam.istemciGenisligi - ortalama);
    const QRect olculen =
        op.boundingRect(QRect(0, 0, sinir, 0), bicim | Qt::AlignLeft | Qt::AlignTop, fText);
    fSize = sinirla({olculen.width() + ortalama, olculen.height()});
    fBitmap = yeniBitmap(fSize, ortam);
    if (fBitmap.isNull())
        return;
    QPainter p(&fBitmap);
    p.setFont(ortam.font);
    p.setPen(ortam.yazi);
    p.setLayoutDirection(yon);
    const int kenar = ortalama / 2;
    p.drawText(QRect(kenar, 0, fSize.width() - 2 * kenar, fSize.height()),
               bicim | hiza | Qt::AlignTop, fText);
}

void TMarqueeItem::PrepareHTML()
{
    const CizimOrtami ortam = ortamiAl(*Marquee());
    TSimpleHTML belge(fText);
    QPointer<TRealTimeMarquee> marquee(Marquee());
    belge.setOnGetImage([marquee](TSimpleHTML *, const QString &uri, QImage &resim) {
        if (marquee)
            marquee->DoImage(uri, resim);
    });

    TCompatibleCanvas olcu(ortam.font);
    const int ortalama = olcu.painter().fontMetrics().averageCharWidth();
    const QSize olculen = belge.Extend(olcu.painter());
    fSize = sinirla({olculen.width() + ortalama, olculen.height()});
    fBitmap = yeniBitmap(fSize, ortam);
    if (fBitmap.isNull())
        return;
    QPainter p(&fBitmap);
    p.setFont(ortam.font);
    p.setPen(ortam.yazi);
    p.setLayoutDirection(ortam.sagdanSola ? Qt::RightToLeft : Qt::LeftToRight);
    const int kenar = ortalama / 2;
    const QRect alan(kenar, 0, fSize.width() - 2 * kenar, fSize.height());
    belge.Draw(p, alan);
    if (!fLinks)
        fLinks = std::make_unique<TSimpleLinks>();
    belge.CollectLinks(p, alan, *fLinks);
}

void TMarqueeItem::PrepareOwnerDraw()
{
    QImage bitmap;
    Marquee()->DoDrawItem(this, bitmap);
    if (!Marquee())
        return;
    if (bitmap.isNull()) {
        fBitmap = QImage();
        fSize = {0, 0};
        return;
    }
    // Copied often: keep it in a format the screen takes without conversion.
    const auto bicim =
        bitmap.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const qreal dpr = bitmap.devicePixelRatio();
    const QSize boy = sinirla(bitmap.deviceIndependentSize().toSize());
    fBitmap = bitmap.copy(QRect(QPoint(0, 0), boy * dpr)).convertToFormat(bicim);
    fBitmap.setDevicePixelRatio(dpr);
    fSize = boy;
}

void TMarqueeItem::Changed()
{
    if (fCollection)
        fCollection->Update(this);
}

// ---------------------------------------------------------- TMarqueeCollection

TMarqueeCollection::TMarqueeCollection(TRealTimeMarquee *marquee)
    : fMarquee(marquee)
{
}

TMarqueeCollection::~TMarqueeCollection()
{
    for (const auto &oge : fItems)
        oge->fCollection = nullptr;
}

TMarqueeItem *TMarqueeCollection::Add()
{
    return Insert(Count());
}

TMarqueeItem *TMarqueeCollection::Insert(int index)
{
    TMarqueeItem *oge;
    {
        QMutexLocker kilit(&fMarquee->fCS);
        index = std::clamp(index, 0, Count());
        const auto yeni = std::shared_ptr<TMarqueeItem>(new TMarqueeItem(this));
        oge = yeni.get();
        fItems.insert(fItems.begin() + index, yeni);
    }
    Update(nullptr);
    return oge;
}

void TMarqueeCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    {
        QMutexLocker kilit(&fMarquee->fCS);
        fItems[size_t(index)]->fCollection = nullptr;
        fItems.erase(fItems.begin() + index);
    }
    Update(nullptr);
}

void TMarqueeCollection::Clear()
{
    {
        QMutexLocker kilit(&fMarquee->fCS);
        for (const auto &oge : fItems)
            oge->fCollection = nullptr;
        fItems.clear();
    }
    Update(nullptr);
}

void TMarqueeCollection::BeginUpdate()
{
    fMarquee->Lock();
    ++fUpdateCount;
}

void TMarqueeCollection::EndUpdate()
{
    if (--fUpdateCount == 0)
        Update(nullptr);
    fMarquee->Unlock();
}

void TMarqueeCollection::LoadFromStrings(const QStringList &strings, TMarqueeTextStyle textStyle)
{
    BeginUpdate();
    Clear();
    for (const QString &satir : strings) {
        TMarqueeItem *oge = Add();
        oge->setText(satir);
        oge->setStyle(textStyle == TMarqueeTextStyle::msHTML ? TMarqueeStyle::msHTML
                                                             : TMarqueeStyle::msText);
    }
    EndUpdate();
}

void TMarqueeCollection::SaveToStrings(QStringList &strings) const
{
    strings.clear();
    for (const auto &oge : fItems)
        strings << oge->Text();
}

void TMarqueeCollection::UnprepareItems()
{
    QMutexLocker kilit(&fMarquee->fCS);
    for (const auto &oge : fItems)
        oge->Unprepare();
}

void TMarqueeCollection::Update(TMarqueeItem *item)
{
    if (fUpdateCount > 0)
        return;
    if (item)
        fMarquee->OgeDegisti(item);
    else
        fMarquee->KoleksiyonDegisti();
}

// ------------------------------------------------------------ TRealTimeMarquee

TRealTimeMarquee::TRealTimeMarquee(QWidget *parent)
    : QWidget(parent)
{
    // The paint fills every pixel it is asked for: no background erase, and
    // scrolling can move the pixels already on screen.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    resize(200, 20);
}

TRealTimeMarquee::~TRealTimeMarquee()
{
    StopTimer();
}

void TRealTimeMarquee::setActive(bool active)
{
    if (active == fActive)
        return;
    fActive = active;
    UpdateTimer();
}

void TRealTimeMarquee::setInterval(unsigned ms)
{
    QMutexLocker kilit(&fCS);
    fInterval = std::clamp(ms, EnKisaAralik, EnUzunAralik);
}

void TRealTimeMarquee::setStep(quint8 step)
{
    QMutexLocker kilit(&fCS);
    fStep = step == 0 ? 1 : step;
}

void TRealTimeMarquee::setSpacing(int percent)
{
    BoslukAyarla(fSpacing, percent);
}

void TRealTimeMarquee::setLoopSpacing(int percent)
{
    BoslukAyarla(fLoopSpacing, percent);
}

void TRealTimeMarquee::BoslukAyarla(TPercent &alan, int percent)
{
    QMutexLocker kilit(&fCS);
    const auto yeni = TPercent(std::clamp(percent, 0, 100));
    if (yeni == alan)
        return;
    alan = yeni;
    if (fVisibleCount > 0) {
        UpdateVisibleItems();
        Invalidate();
    }
}

void TRealTimeMarquee::setOrientation(TMarqueeOrientation orientation)
{
    QMutexLocker kilit(&fCS);
    if (orientation == fOrientation)
        return;
    fOrientation = orientation;
    // Text is laid out for the direction it scrolls in (one line, or wrapped).
    fItems.UnprepareItems();
    Reset();
}

QColor TRealTimeMarquee::Color() const
{
    return palette().color(QPalette::Window);
}

void TRealTimeMarquee::setColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void TRealTimeMarquee::Reset()
{
    QMutexLocker kilit(&fCS);
    fVisibleCount = 0;
    fLoopsStarted = 0;
    fLoopsEnded = 0;
    Invalidate();
}

void TRealTimeMarquee::Invalidate()
{
    update();
    if (fMouseIsInside && isEnabled() && !dugmeBasili())
        QMetaObject::invokeMethod(this, &TRealTimeMarquee::ImleciYenile, Qt::QueuedConnection);
}

// --- timer

void TRealTimeMarquee::UpdateTimer()
{
    if (fActive && isVisible() && fItems.Count() > 0)
        StartTimer();
    else
        StopTimer();
}

void TRealTimeMarquee::StartTimer()
{
    QMutexLocker kilit(&fCS);
    if (!fTimer.isActive() && isVisible())
        fTimer.start(int(fInterval), Qt::PreciseTimer, this);
}

void TRealTimeMarquee::StopTimer()
{
    QMutexLocker kilit(&fCS);
    fTimer.stop();
}

void TRealTimeMarquee::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == fTimer.timerId())
        TimerTick();
    else
        QWidget::timerEvent(e);
}

void TRealTimeMarquee::TimerTick()
{
    {
        QMutexLocker kilit(&fCS);
        if (!fTimer.isActive())
            return;
        // One-shot: the next tick is armed when this one has ended, so ticks never pile up.
        fTimer.stop();
        if (fItems.Count() == 0)
            return;
    }
    if (Adim() == AdimSonucu::KontrolYok)
        return;
    if (fActive)
        StartTimer();
}

void TRealTimeMarquee::BirAdimKaydir()
{
    Adim();
}

bool TRealTimeMarquee::OgeyiHazirla(int index)
{
    if (index < 0 || index >= fItems.Count())
        return true;
    const auto oge = fItems.fItems[size_t(index)];
    if (oge->Prepared())
        return true;
    const QPointer<TRealTimeMarquee> kendisi(this);
    oge->Prepare();
    return !kendisi.isNull();
}

TRealTimeMarquee::AdimSonucu TRealTimeMarquee::Adim()
{
    // The items this tick measures are rendered before anything moves, and
    // the item about to enter too, so that a paint finds it ready: rendering
    // HTML may pause for DUR while events run (and change the list).
    {
        const int sayi = fItems.Count();
        if (sayi == 0)
            return AdimSonucu::Atlandi;
        const bool bastan = fVisibleCount == 0;
        const int eski = bastan ? 0 : std::min(fOldestIndex, sayi - 1);
        const int yeni = bastan ? 0 : std::min(fNewestIndex, sayi - 1);
        const unsigned surum = fListeSurumu;
        for (const int i : {eski, yeni, (yeni + 1) % sayi}) {
            if (!OgeyiHazirla(i))
                return AdimSonucu::KontrolYok;
        }
        if (surum != fListeSurumu || !fItems[eski]->Prepared() || !fItems[yeni]->Prepared())
            return AdimSonucu::Atlandi;
    }

    bool sarildi = false;
    {
        QMutexLocker kilit(&fCS);
        const int sayi = fItems.Count();
        const int A = IstemciUzunlugu();
        if (fVisibleCount == 0) {
            fOldestIndex = fNewestIndex = 0;
            fOldestOffset = fNewestOffset = 0;
            ++fLoopsStarted;
            fVisibleCount = 1;
        }
        fOldestOffset += fStep;
        fNewestOffset += fStep;

        // Move the pixels on screen; Qt then asks for the uncovered strip only
        // (or for everything, when a repaint is pending anyway).
        if (isVisible()) {
            if (!Yatay())
                scroll(0, -fStep);
            else if (SagdanSola())
                scroll(fStep, 0);
            else
                scroll(-fStep, 0);
        }

        // The oldest item has left completely.
        if (fOldestOffset >= A + OgeUzunlugu(fOldestIndex)) {
            fOldestOffset -= OgeUzunlugu(fOldestIndex);
            --fVisibleCount;
            if (++fOldestIndex >= sayi) {
                fOldestIndex = 0;
                sarildi = true;
                ++fLoopsEnded;
                if (fNumLoops != 0 && fLoopsEnded >= fNumLoops) {
                    fActive = false;
                    fLoopsStarted = 0;
                    fLoopsEnded = 0;
                }
                fOldestOffset -= GapBetweenLoops();
            } else {
                fOldestOffset -= GapBetweenItems();
            }
        }

        // The newest item and its gap have entered: the next item follows.
        const int giren = OgeUzunlugu(fNewestIndex) + SonrakiBosluk(fNewestIndex);
        if (fActive && fNewestOffset >= giren &&
            (fNumLoops == 0 || fLoopsStarted < fNumLoops || fNewestIndex != sayi - 1)) {
            fNewestOffset -= giren;
            if (++fNewestIndex >= sayi) {
                fNewestIndex = 0;
                ++fLoopsStarted;
            }
            ++fVisibleCount;
        }
    }

    // A link may have moved under a still pointer.
    if (fMouseIsInside && isEnabled() && !dugmeBasili())
        ImleciYenile();
    if (sarildi)
        QMetaObject::invokeMethod(
            this, [this] { DoWrap(); }, Qt::QueuedConnection);
    return AdimSonucu::Surdu;
}

// --- model

int TRealTimeMarquee::OgeUzunlugu(int index) const
{
    const QSize boy = fItems[index]->fSize; // zero while the item is not rendered
    return Yatay() ? boy.width() : boy.height();
}

int TRealTimeMarquee::SonrakiBosluk(int index) const
{
    return index == fItems.Count() - 1 ? GapBetweenLoops() : GapBetweenItems();
}

// Computed when asked, so that they always follow the current client size
// (a hidden control is resized without resize events).
int TRealTimeMarquee::GapBetweenItems() const
{
    return int((qint64(IstemciUzunlugu()) * fSpacing + 50) / 100);
}

int TRealTimeMarquee::GapBetweenLoops() const
{
    return int((qint64(IstemciUzunlugu()) * fLoopSpacing + 50) / 100);
}

bool TRealTimeMarquee::OgeGorunuyor(int index) const
{
    if (fVisibleCount == 0 || index < 0)
        return false;
    if (unsigned(fItems.Count()) < fVisibleCount)
        return true;
    if (fNewestIndex >= fOldestIndex)
        return fOldestIndex <= index && index <= fNewestIndex;
    return index >= fOldestIndex || index <= fNewestIndex;
}

void TRealTimeMarquee::UpdateVisibleItems()
{
    QMutexLocker kilit(&fCS);
    if (fVisibleCount == 0)
        return;
    fVisibleCount = 0;
    const int sayi = fItems.Count();
    if (sayi == 0)
        return;
    const int A = IstemciUzunlugu();
    fNewestIndex = std::min(fNewestIndex, sayi - 1);
    while (fNewestIndex > 0 && !fItems[fNewestIndex]->Prepared())
        --fNewestIndex;
    fOldestIndex = fNewestIndex;
    fOldestOffset = fNewestOffset;
    int G = fOldestIndex == 0 ? GapBetweenLoops() : GapBetweenItems();
    // Loops left to walk back through; a stopped control has none started,
    // and must still end the walk (items of no size would loop forever).
    qint64 L = fLoopsStarted;
    int C = fOldestOffset - OgeUzunlugu(fOldestIndex);
    while (fItems[fOldestIndex]->Prepared() && C + G < A) {
        ++fVisibleCount;
        C += OgeUzunlugu(fOldestIndex) + G;
        fOldestOffset = C;
        if (fOldestIndex == 0) {
            fOldestIndex = sayi - 1;
            G = GapBetweenLoops();
            if (--L <= 0)
                break;
        } else {
            --fOldestIndex;
            G = GapBetweenItems();
        }
    }
}

void TRealTimeMarquee::OgeDegisti(TMarqueeItem *item)
{
    QMutexLocker kilit(&fCS);
    if (item->Showing()) {
        UpdateVisibleItems();
        Invalidate();
    }
}

void TRealTimeMarquee::KoleksiyonDegisti()
{
    {
        QMutexLocker kilit(&fCS);
        ++fListeSurumu;
        if (fVisibleCount > 0) {
            UpdateVisibleItems();
            Invalidate();
        }
    }
    UpdateTimer();
}

// --- drawing

template<typename Yer>
void TRealTimeMarquee::OgeleriYerlestir(const QRect &r, bool hazirla, Yer yer)
{
    const int sayi = fItems.Count();
    if (fVisibleCount == 0 || sayi == 0 || fNewestIndex >= sayi)
        return;
    // An item not yet rendered ends the walk: its size is unknown. A paint
    // renders nothing itself (rendering HTML may pause); it asks for it later.
    const auto hazir = [&](int i) {
        if (!fItems[i]->Prepared()) {
            if (hazirla)
                fItems[i]->Prepare();
            else if (!fHazirlamaBekliyor) {
                fHazirlamaBekliyor = true;
                QMetaObject::invokeMethod(this, &TRealTimeMarquee::HazirlaVeYenile,
                                          Qt::QueuedConnection);
            }
        }
        return fItems[i]->Prepared();
    };
    const auto caprazKonum = [](TMarqueeAlignment hiza, int istemci, int oge) {
        switch (hiza) {
        case TMarqueeAlignment::maLeftOrTop:
            return 0;
        case TMarqueeAlignment::maRightOrBottom:
            return istemci - oge;
        case TMarqueeAlignment::maCenter:
            break;
        }
        return (istemci - oge) / 2;
    };

    int i = fNewestIndex;
    if (!hazir(i))
        return;
    const bool sagdanSola = Yatay() && SagdanSola();
    int konum;
    if (sagdanSola)
        konum = fNewestOffset - fItems[i]->fSize.width();
    else
        konum = (Yatay() ? width() : height()) - fNewestOffset;

    for (unsigned n = 0;;) {
        TMarqueeItem *oge = fItems[i];
        const QSize boy = oge->fSize;
        const QPoint sol = Yatay()
            ? QPoint(konum, caprazKonum(oge->Alignment(), height(), boy.height()))
            : QPoint(caprazKonum(oge->Alignment(), width(), boy.width()), konum);
        if (yer(oge, sol) || ++n >= fVisibleCount)
            return;
        const int bosluk = i == 0 ? GapBetweenLoops() : GapBetweenItems();
        const int onceki = i == 0 ? sayi - 1 : i - 1;
        if (sagdanSola) {
            konum += boy.width() + bosluk;
            if (konum > r.right() || !hazir(onceki))
                return;
        } else {
            konum -= bosluk;
            if (konum < (Yatay() ? r.left() : r.top()) || !hazir(onceki))
                return;
            konum -= Yatay() ? fItems[onceki]->fSize.width() : fItems[onceki]->fSize.height();
        }
        i = onceki;
    }
}

void TRealTimeMarquee::DrawItems(QPainter &p, const QRect &r)
{
    QMutexLocker kilit(&fCS);
    p.fillRect(r, Color());
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    OgeleriYerlestir(r, !fBoyaniyor, [&p](TMarqueeItem *oge, QPoint sol) {
        oge->Draw(p, sol.x(), sol.y());
        return false;
    });
    p.restore();
}

bool TRealTimeMarquee::LinkAt(QPoint nokta, QString &link)
{
    QMutexLocker kilit(&fCS);
    bool bulundu = false;
    OgeleriYerlestir(rect(), false, [&](TMarqueeItem *oge, QPoint sol) {
        bulundu = oge->GetLinkAt(nokta.x() - sol.x(), nokta.y() - sol.y(), link);
        return bulundu;
    });
    return bulundu;
}

void TRealTimeMarquee::HazirlaVeYenile()
{
    fHazirlamaBekliyor = false;
    const int sayi = fItems.Count();
    if (fVisibleCount == 0 || sayi == 0)
        return;
    int i = std::min(fNewestIndex, sayi - 1);
    const unsigned kac = std::min<unsigned>(fVisibleCount, unsigned(sayi));
    for (unsigned n = 0; n < kac; ++n) {
        if (!OgeyiHazirla(i))
            return;
        if (i >= fItems.Count())
            break;
        i = i == 0 ? fItems.Count() - 1 : i - 1;
    }
    update();
}

void TRealTimeMarquee::paintEvent(QPaintEvent *e)
{
    QMutexLocker kilit(&fCS);
    QPainter p(this);
    fBoyaniyor = true;
    DrawItems(p, e->rect());
    fBoyaniyor = false;
}

// --- window events

void TRealTimeMarquee::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    QMutexLocker kilit(&fCS);
    if (!Yatay())
        fItems.UnprepareItems(); // text wraps to the client width
    UpdateVisibleItems();
    Invalidate();
}

void TRealTimeMarquee::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    UpdateTimer();
}

void TRealTimeMarquee::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    StopTimer();
}

void TRealTimeMarquee::changeEvent(QEvent *e)
{
    const bool gorunumDegisti = e->type() == QEvent::FontChange ||
        e->type() == QEvent::PaletteChange || e->type() == QEvent::LayoutDirectionChange;
    if (!gorunumDegisti) {
        QWidget::changeEvent(e);
        return;
    }
    QMutexLocker kilit(&fCS);
    fItems.UnprepareItems();
    QWidget::changeEvent(e);
    UpdateVisibleItems();
    Invalidate();
}

void TRealTimeMarquee::enterEvent(QEnterEvent *e)
{
    QWidget::enterEvent(e);
    fMouseIsInside = true;
    fFareKonumu = e->position().toPoint();
    DoMouseEnter();
    ImleciYenile();
}

void TRealTimeMarquee::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    fMouseIsInside = false;
    fActiveLink.clear();
    if (fElImleci) {
        fElImleci = false;
        unsetCursor();
    }
    DoMouseLeave();
}

void TRealTimeMarquee::mouseMoveEvent(QMouseEvent *e)
{
    QWidget::mouseMoveEvent(e);
    fFareKonumu = e->position().toPoint();
    ImleciYenile();
}

void TRealTimeMarquee::mousePressEvent(QMouseEvent *e)
{
    QWidget::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        fBasildi = true;
}

void TRealTimeMarquee::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !std::exchange(fBasildi, false) ||
        !rect().contains(e->position().toPoint()))
        return;
    const QString link = fActiveLink;
    if (fOnClick)
        fOnClick(this);
    if (!link.isEmpty())
        DoLink(link);
}

void TRealTimeMarquee::ImleciYenile()
{
    if (!isEnabled() || dugmeBasili())
        return;
    fActiveLink.clear();
    QString link;
    const bool bulundu = LinkAt(fFareKonumu, link);
    if (bulundu)
        fActiveLink = link;
    if (bulundu != fElImleci) {
        fElImleci = bulundu;
        if (bulundu)
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
    }
}

// --- events

void TRealTimeMarquee::DoMouseEnter()
{
    if (fOnMouseEnter)
        fOnMouseEnter(this);
}

void TRealTimeMarquee::DoMouseLeave()
{
    if (fOnMouseLeave)
        fOnMouseLeave(this);
}

void TRealTimeMarquee::DoWrap()
{
    if (fOnWrap)
        fOnWrap(this);
}

void TRealTimeMarquee::DoLink(const QString &link)
{
    if (fOnLink) {
        fOnLink(this, link);
        return;
    }
    QUrl adres;
    if (AcilabilirBaglanti(link, &adres))
        QDesktopServices::openUrl(adres);
}

void TRealTimeMarquee::DoImage(const QString &uri, QImage &image)
{
    if (fOnImage)
        fOnImage(this, uri, image);
    else
        DosyadanResimYukle(uri, image);
}

void TRealTimeMarquee::DoDrawItem(TMarqueeItem *item, QImage &bitmap)
{
    if (fOnDrawItem)
        fOnDrawItem(this, item, bitmap);
}

bool TRealTimeMarquee::AcilabilirBaglanti(const QString &link, QUrl *adres)
{
    const QString metin = link.trimmed();
    if (metin.isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(metin);
    const QString sema = url.scheme().toLower();
    bool acilir = false;
    if (sema == u"http" || sema == u"https" || sema == u"mailto") {
        acilir = url.isValid() && (sema == u"mailto" || !url.host().isEmpty());
    } else if (url.isLocalFile()) {
        // A click on the news line never starts a program.
        const QFileInfo dosya(url.toLocalFile());
        acilir = dosya.isFile() && !dosya.isExecutable();
    }
    if (acilir && adres)
        *adres = url;
    return acilir;
}
