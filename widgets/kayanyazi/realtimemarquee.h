#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QBasicTimer>
#include <QImage>
#include <QRecursiveMutex>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include "widgets/html/simplehtml.h"

// A news ticker: items of plain text, HTML or owner-painted pictures scroll
// across the control, each followed by a gap and the last by the (usually
// larger) loop gap. Every item is rendered once into a bitmap; a tick scrolls
// the pixels already on screen by Step and paints only the uncovered strip.
// docs/kayanyazi.md tells how the tick is driven and why.

enum class TMarqueeStyle
{
    msText,
    msHTML,
    msOwnerDraw
};
enum class TMarqueeTextStyle
{
    msText,
    msHTML
};
enum class TMarqueeAlignment
{
    maCenter,
    maLeftOrTop,
    maRightOrBottom
};
enum class TMarqueeOrientation
{
    moHorizontal,
    moVertical
};
using TPercent = quint8; // 0..100

class TRealTimeMarquee;
class TMarqueeCollection;

// One scrolling item.
class TMarqueeItem : public std::enable_shared_from_this<TMarqueeItem>
{
public:
    TMarqueeItem(const TMarqueeItem &) = delete;
    TMarqueeItem &operator=(const TMarqueeItem &) = delete;

    TRealTimeMarquee *Marquee() const;
    int Index() const;
    // The text, or the class name when the text is empty.
    QString DisplayName() const;

    const QString &Text() const { return fText; }
    void setText(const QString &text);
    TMarqueeStyle Style() const { return fStyle; }
    void setStyle(TMarqueeStyle style);
    TMarqueeAlignment Alignment() const { return fAlignment; }
    void setAlignment(TMarqueeAlignment alignment);
    int Tag() const { return fTag; }
    void setTag(int tag) { fTag = tag; }
    // Copies Text and Style.
    void Assign(const TMarqueeItem &kaynak);

    // Whether the item is among those on screen.
    bool Showing() const;
    bool Prepared() const { return fPrepared; }
    // Size of the rendered item; renders it first when needed.
    QSize Size();
    const QImage &Bitmap() const { return fBitmap; }
    const TSimpleLinks *Links() const { return fLinks.get(); }

    void Draw(QPainter &p, int x, int y);
    // The link at (x, y) in bitmap coordinates of a rendered HTML item.
    bool GetLinkAt(int x, int y, QString &link) const;
    void Unprepare();
    void Prepare();

private:
    friend class TMarqueeCollection;
    friend class TRealTimeMarquee;
    explicit TMarqueeItem(TMarqueeCollection *collection);

    void PrepareText();
    void PrepareHTML();
    void PrepareOwnerDraw();
    void Changed();

    TMarqueeCollection *fCollection;
    QString fText;
    TMarqueeAlignment fAlignment = TMarqueeAlignment::maCenter;
    TMarqueeStyle fStyle = TMarqueeStyle::msText;
    bool fPrepared = false;
    bool fPreparing = false;
    unsigned fRevision = 0; // moves on with every Unprepare
    QImage fBitmap;
    std::unique_ptr<TSimpleLinks> fLinks;
    QSize fSize {0, 0};
    int fTag = 0;
};

// The items of a marquee, in scrolling order.
class TMarqueeCollection
{
public:
    explicit TMarqueeCollection(TRealTimeMarquee *marquee);
    ~TMarqueeCollection();
    TMarqueeCollection(const TMarqueeCollection &) = delete;
    TMarqueeCollection &operator=(const TMarqueeCollection &) = delete;

    TRealTimeMarquee *Marquee() const { return fMarquee; }
    int Count() const { return int(fItems.size()); }
    TMarqueeItem *Items(int index) const { return fItems[size_t(index)].get(); }
    TMarqueeItem *operator[](int index) const { return Items(index); }

    TMarqueeItem *Add();
    // An index outside 0..Count is brought to the nearest end.
    TMarqueeItem *Insert(int index);
    // An index outside the list changes nothing.
    void Delete(int index);
    void Clear();
    // Holds the marquee's lock until EndUpdate: no tick runs during a bulk change.
    void BeginUpdate();
    void EndUpdate();
    void LoadFromStrings(const QStringList &strings, TMarqueeTextStyle textStyle);
    void SaveToStrings(QStringList &strings) const;
    void UnprepareItems();

private:
    friend class TMarqueeItem;
    friend class TRealTimeMarquee;

    // item: one item changed; nullptr: the list itself changed.
    void Update(TMarqueeItem *item);

    TRealTimeMarquee *fMarquee;
    // Shared so that an item being rendered outlives its removal from the list.
    std::vector<std::shared_ptr<TMarqueeItem>> fItems;
    int fUpdateCount = 0;
};

class TRealTimeMarquee : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRealTimeMarquee)

public:
    using TNotifyEvent = std::function<void(TRealTimeMarquee *sender)>;
    using TLinkEvent = std::function<void(TRealTimeMarquee *sender, const QString &link)>;
    using TImageEvent =
        std::function<void(TRealTimeMarquee *sender, const QString &uri, QImage &image)>;
    using TDrawItemEvent =
        std::function<void(TRealTimeMarquee *sender, TMarqueeItem *item, QImage &bitmap)>;

    // Bounds of the timer period, in milliseconds.
    static constexpr unsigned EnKisaAralik = 1;
    static constexpr unsigned EnUzunAralik = 1000000;
    // Largest side of an item's bitmap, and largest bitmap, in pixels; an item
    // beyond them is cut off.
    static constexpr int EnBuyukOgeKenari = 65536;
    static constexpr qint64 EnBuyukOgeAlani = qint64(1) << 24;

    explicit TRealTimeMarquee(QWidget *parent = nullptr);
    ~TRealTimeMarquee() override;

    TMarqueeCollection &Items() { return fItems; }
    const TMarqueeCollection &Items() const { return fItems; }

    bool Active() const { return fActive; }
    void setActive(bool active);
    unsigned Interval() const { return fInterval; }
    void setInterval(unsigned ms);
    quint8 Step() const { return fStep; }
    void setStep(quint8 step);
    TPercent Spacing() const { return fSpacing; }
    void setSpacing(int percent);
    TPercent LoopSpacing() const { return fLoopSpacing; }
    void setLoopSpacing(int percent);
    unsigned NumLoops() const { return fNumLoops; }
    void setNumLoops(unsigned loops) { fNumLoops = loops; }
    TMarqueeOrientation Orientation() const { return fOrientation; }
    void setOrientation(TMarqueeOrientation orientation);
    // The background; the text takes the palette's window text colour.
    QColor Color() const;
    void setColor(const QColor &color);

    unsigned VisibleCount() const { return fVisibleCount; }
    unsigned LoopCount() const { return fLoopsEnded; }
    const QString &ActiveLink() const { return fActiveLink; }
    bool MouseIsInside() const { return fMouseIsInside; }
    bool TimerPending() const { return fTimer.isActive(); }

    // The scroll position: the oldest (first to leave) and newest (last to
    // enter) item on screen, and how far their leading edges have travelled.
    int OldestIndex() const { return fOldestIndex; }
    int NewestIndex() const { return fNewestIndex; }
    int OldestOffset() const { return fOldestOffset; }
    int NewestOffset() const { return fNewestOffset; }
    // The gaps in pixels: Spacing and LoopSpacing per cent of the client extent.
    int GapBetweenItems() const;
    int GapBetweenLoops() const;

    void setOnWrap(TNotifyEvent e) { fOnWrap = std::move(e); }
    void setOnLink(TLinkEvent e) { fOnLink = std::move(e); }
    void setOnImage(TImageEvent e) { fOnImage = std::move(e); }
    void setOnDrawItem(TDrawItemEvent e) { fOnDrawItem = std::move(e); }
    void setOnMouseEnter(TNotifyEvent e) { fOnMouseEnter = std::move(e); }
    void setOnMouseLeave(TNotifyEvent e) { fOnMouseLeave = std::move(e); }
    void setOnClick(TNotifyEvent e) { fOnClick = std::move(e); }

    void Lock() { fCS.lock(); }
    void Unlock() { fCS.unlock(); }
    // Scrolling starts again with item 0 at the entry edge.
    void Reset();
    // Repaints the whole control and re-evaluates the link under the pointer.
    void Invalidate();

    // The timer's callback: one tick while a tick is pending.
    void TimerTick();
    // One tick of the scroll model, pending timer or not (tests drive it).
    void BirAdimKaydir();
    // Fills r with the background and paints the items that fall into it.
    void DrawItems(QPainter &p, const QRect &r);
    void UpdateVisibleItems();
    bool LinkAt(QPoint nokta, QString &link);

    // Whether a link may be opened by a click: web and mail addresses, and
    // local documents that exist and are not programs.
    static bool AcilabilirBaglanti(const QString &link, QUrl *adres = nullptr);

protected:
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DoWrap();
    virtual void DoLink(const QString &link);
    virtual void DoImage(const QString &uri, QImage &image);
    virtual void DoDrawItem(TMarqueeItem *item, QImage &bitmap);

    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void changeEvent(QEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void timerEvent(QTimerEvent *e) override;

private:
    friend class TMarqueeItem;
    friend class TMarqueeCollection;

    enum class AdimSonucu
    {
        Surdu,
        Atlandi,
        KontrolYok
    };

    AdimSonucu Adim();
    bool Yatay() const { return fOrientation == TMarqueeOrientation::moHorizontal; }
    bool SagdanSola() const { return layoutDirection() == Qt::RightToLeft; }
    int IstemciUzunlugu() const { return Yatay() ? width() : height(); }
    int OgeUzunlugu(int index) const;
    int SonrakiBosluk(int index) const;
    // Sets Spacing or LoopSpacing (0..100) and places the items on screen again.
    void BoslukAyarla(TPercent &alan, int percent);
    bool OgeGorunuyor(int index) const;
    void OgeDegisti(TMarqueeItem *item);
    void KoleksiyonDegisti();
    void UpdateTimer();
    void StartTimer();
    void StopTimer();
    void ImleciYenile();
    void HazirlaVeYenile();
    // Renders the item unless it is; false when the control went away meanwhile.
    bool OgeyiHazirla(int index);
    // Places the items on screen as they are drawn, newest first, within r;
    // yer returns true to stop the walk.
    template<typename Yer> void OgeleriYerlestir(const QRect &r, bool hazirla, Yer yer);

    QRecursiveMutex fCS;
    TMarqueeCollection fItems {this};
    bool fActive = false;
    unsigned fInterval = 10;
    quint8 fStep = 1;
    TPercent fSpacing = 100;
    TPercent fLoopSpacing = 100;
    unsigned fNumLoops = 0;
    TMarqueeOrientation fOrientation = TMarqueeOrientation::moHorizontal;
    unsigned fVisibleCount = 0;
    QBasicTimer fTimer;
    int fOldestIndex = 0;
    int fNewestIndex = 0;
    int fOldestOffset = 0;
    int fNewestOffset = 0;
    unsigned fLoopsStarted = 0;
    unsigned fLoopsEnded = 0;
    QString fActiveLink;
    bool fMouseIsInside = false;
    QPoint fFareKonumu;
    bool fBasildi = false;
    bool fElImleci = false;
    bool fBoyaniyor = false; // inside paintEvent: nothing is rendered there
    bool fHazirlamaBekliyor = false; // a render after a paint is queued
    unsigned fListeSurumu = 0; // moves on with every change of the list

    TNotifyEvent fOnWrap;
    TLinkEvent fOnLink;
    TImageEvent fOnImage;
    TDrawItemEvent fOnDrawItem;
    TNotifyEvent fOnMouseEnter;
    TNotifyEvent fOnMouseLeave;
    TNotifyEvent fOnClick;
};
