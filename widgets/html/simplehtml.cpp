// Styling, measuring, drawing and link collection of TSimpleHTML.
#include "widgets/html/simplehtml.h"

#include <algorithm>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Bounds that keep markup from outside within sizes a painter can handle.
constexpr int enKucukPunto = 1;
constexpr int enBuyukPunto = 500;
constexpr int enBuyukResimKenari = 32767;
constexpr qint64 enUzunSatir = 1 << 24;

int satirToplami(int a, int b)
{
    return int(std::min<qint64>(qint64(a) + b, enUzunSatir));
}

// Font size in points; a font given in pixels is converted with the device's resolution.
int punto(const QPainter &p)
{
    const QFont &f = p.font();
    if (f.pointSizeF() > 0)
        return qRound(f.pointSizeF());
    const int dpi = p.device() ? p.device()->logicalDpiY() : 96;
    return qRound(f.pixelSize() * 72.0 / dpi);
}

void puntoAyarla(QPainter &p, int yeni)
{
    QFont f = p.font();
    f.setPointSize(std::clamp(yeni, enKucukPunto, enBuyukPunto));
    p.setFont(f);
}

// Percentage of a size, multiply then divide, rounded to the nearest.
int yuzde(int deger, int oran)
{
    return int((qint64(deger) * oran + 50) / 100);
}

// A number attribute; unreadable gives 0, and sizes stay within what can be drawn.
int sayiNiteligi(const QString &deger)
{
    bool tamam = false;
    const int n = deger.trimmed().toInt(&tamam);
    return tamam ? std::clamp(n, 0, enBuyukResimKenari) : 0;
}

bool sagdanSola(const THtmlTuvali &t)
{
    return t.painter.layoutDirection() == Qt::RightToLeft;
}

// Moves the running edge of r past a node of the given width.
void kenariIlerlet(QRect &r, int genislik, bool rtl)
{
    if (rtl)
        r.setRight(r.right() - genislik);
    else
        r.setLeft(r.left() + genislik);
}

// Pauses without freezing the window: on the UI thread the events go on
// being handled meanwhile; any other thread just sleeps.
void bekle(std::chrono::milliseconds sure)
{
    if (sure.count() <= 0)
        return;
    const QCoreApplication *uygulama = QCoreApplication::instance();
    if (uygulama && QThread::currentThread() == uygulama->thread()) {
        QEventLoop dongu;
        QTimer::singleShot(sure, &dongu, &QEventLoop::quit);
        dongu.exec();
    } else {
        QThread::msleep(static_cast<unsigned long>(sure.count()));
    }
}

} // namespace

QColor HtmlRengi(const QString &deger)
{
    if (deger.startsWith(u'#')) {
        const QStringView onaltilik = QStringView(deger).mid(1);
        const bool rakamlar = std::all_of(onaltilik.begin(), onaltilik.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        });
        if (!rakamlar || (onaltilik.size() != 6 && onaltilik.size() != 3))
            return {};
        const uint n = onaltilik.toUInt(nullptr, 16);
        if (onaltilik.size() == 6)
            return QColor((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
        return QColor(((n >> 8) & 0xF) * 17, ((n >> 4) & 0xF) * 17, (n & 0xF) * 17);
    }
    const bool ad = !deger.isEmpty() && std::all_of(deger.begin(), deger.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
    // "transparent" is a name Qt knows but not a colour anyone could read.
    if (!ad || deger.compare(u"transparent"_s, Qt::CaseInsensitive) == 0)
        return {};
    return QColor::fromString(deger.toLower());
}

void DosyadanResimYukle(const QString &uri, QImage &resim)
{
    if (!uri.isEmpty() && QFileInfo(uri).isFile())
        resim.load(uri); // an unreadable file leaves the picture empty
}

TCanvasRecall::TCanvasRecall(THtmlTuvali &tuval)
    : fTuval(tuval)
    , fFont(tuval.painter.font())
    , fPen(tuval.painter.pen())
    , fBrush(tuval.painter.brush())
    , fBackground(tuval.painter.background())
    , fBackgroundMode(tuval.painter.backgroundMode())
    , fCompositionMode(tuval.painter.compositionMode())
    , fYon(tuval.painter.layoutDirection())
    , fKonum(tuval.konum)
{
}

TCanvasRecall::~TCanvasRecall()
{
    QPainter &p = fTuval.painter;
    p.setFont(fFont);
    p.setPen(fPen);
    p.setBrush(fBrush);
    p.setBackground(fBackground);
    p.setBackgroundMode(fBackgroundMode);
    p.setCompositionMode(fCompositionMode);
    p.setLayoutDirection(fYon);
    fTuval.konum = fKonum;
}

void TSimpleLinks::Add(const QString &link, const QRect &alan)
{
    fBaglantilar.emplace_back(link, QRegion(alan));
}

void TSimpleLinks::Add(const QString &link, QRegion alan)
{
    fBaglantilar.emplace_back(link, std::move(alan));
}

void TSimpleLinks::Clear()
{
    fBaglantilar.clear();
}

int TSimpleLinks::IndexOfLinkAt(int x, int y) const
{
    for (size_t i = 0; i < fBaglantilar.size(); ++i) {
        if (fBaglantilar[i].second.contains(QPoint(x, y)))
            return int(i);
    }
    return -1;
}

void TSimpleHTMLNode::ApplyStyle(THtmlTuvali &tuval) const
{
    QPainter &p = tuval.painter;
    if (HasAttribute(u"DIR"_s)) {
        const QString yon = Attributes(u"DIR"_s);
        if (yon.compare(u"RTL"_s, Qt::CaseInsensitive) == 0)
            p.setLayoutDirection(Qt::RightToLeft);
        else if (yon.compare(u"LTR"_s, Qt::CaseInsensitive) == 0)
            p.setLayoutDirection(Qt::LeftToRight);
    }

    const auto yaziTipi = [&p](auto degistir) {
        QFont f = p.font();
        degistir(f);
        p.setFont(f);
    };
    if (fTagName == u"FONT") {
        if (HasAttribute(u"FACE"_s)) {
            const QString ad = Attributes(u"FACE"_s);
            yaziTipi([&](QFont &f) { f.setFamilies({ad}); });
        }
        if (HasAttribute(u"SIZE"_s)) {
            const QString boy = Attributes(u"SIZE"_s).trimmed();
            bool tamam = false;
            if (boy.startsWith(u'+') || boy.startsWith(u'-')) {
                const int fark = boy.toInt(&tamam);
                puntoAyarla(p, punto(p) + (tamam ? fark : 0));
            } else {
                const int yeni = boy.toInt(&tamam);
                if (tamam)
                    puntoAyarla(p, yeni);
            }
        }
        if (const QColor renk = HtmlRengi(Attributes(u"COLOR"_s)); renk.isValid())
            p.setPen(renk);
        if (const QColor zemin = HtmlRengi(Attributes(u"BGCOLOR"_s)); zemin.isValid()) {
            p.setBackground(zemin);
            p.setBackgroundMode(Qt::OpaqueMode);
        }
    } else if (fTagName == u"B" || fTagName == u"STRONG") {
        yaziTipi([](QFont &f) { f.setBold(true); });
    } else if (fTagName == u"I") {
        yaziTipi([](QFont &f) { f.setItalic(true); });
    } else if (fTagName == u"U") {
        yaziTipi([](QFont &f) { f.setUnderline(true); });
    } else if (fTagName == u"S" || fTagName == u"STRIKE") {
        yaziTipi([](QFont &f) { f.setStrikeOut(true); });
    } else if (fTagName == u"SUP") {
        puntoAyarla(p, yuzde(punto(p), 70));
        tuval.konum = THtmlTuvali::Konum::Ust;
    } else if (fTagName == u"SUB") {
        puntoAyarla(p, yuzde(punto(p), 70));
        tuval.konum = THtmlTuvali::Konum::Alt;
    } else if (fTagName == u"SMALL") {
        puntoAyarla(p, yuzde(punto(p), 75));
    } else if (fTagName == u"BIG") {
        puntoAyarla(p, yuzde(punto(p), 125));
    }
}

QSize TSimpleHTMLNode::ResimBoyu(QSize resim) const
{
    const int w = HasAttribute(u"WIDTH"_s) ? sayiNiteligi(Attributes(u"WIDTH"_s)) : resim.width();
    const int h =
        HasAttribute(u"HEIGHT"_s) ? sayiNiteligi(Attributes(u"HEIGHT"_s)) : resim.height();
    return {std::min(w, enBuyukResimKenari), std::min(h, enBuyukResimKenari)};
}

QSize TSimpleHTMLNode::Extend(QPainter &canvas)
{
    THtmlTuvali tuval {canvas};
    return Extend(tuval);
}

QSize TSimpleHTMLNode::Extend(THtmlTuvali &tuval)
{
    TCanvasRecall geri(tuval);
    ApplyStyle(tuval);
    if (HasChildren()) {
        QSize toplam(0, 0);
        for (const auto &cocuk : fChildren) {
            const QSize boy = cocuk->Extend(tuval);
            toplam.setWidth(satirToplami(toplam.width(), boy.width()));
            toplam.setHeight(std::max(toplam.height(), boy.height()));
        }
        return toplam;
    }
    if (fTagName == u"IMG") {
        TSimpleHTML *belge = Document();
        const QSize boy = ResimBoyu(belge ? belge->Resim(Attributes(u"SRC"_s)).size() : QSize());
        return {boy.width() + 2 * sayiNiteligi(Attributes(u"HSPACE"_s)),
                boy.height() + 2 * sayiNiteligi(Attributes(u"VSPACE"_s))};
    }
    if (fText.isEmpty())
        return {0, 0};
    const QSize boy = tuval.painter.fontMetrics().size(Qt::TextSingleLine, fText);
    return {int(std::min<qint64>(boy.width(), enUzunSatir)), boy.height()};
}

void TSimpleHTMLNode::Draw(QPainter &canvas, QRect r)
{
    THtmlTuvali tuval {canvas};
    Draw(tuval, r);
}

void TSimpleHTMLNode::Draw(THtmlTuvali &tuval, QRect r)
{
    if (fTagName == u"DUR") {
        if (TSimpleHTML *belge = Document())
            bekle(belge->DurSuresi());
    }
    TCanvasRecall geri(tuval);
    ApplyStyle(tuval);
    QPainter &p = tuval.painter;
    if (HasChildren()) {
        const bool rtl = sagdanSola(tuval);
        for (const auto &cocuk : fChildren) {
            const int genislik = cocuk->Extend(tuval).width();
            cocuk->Draw(tuval, r);
            kenariIlerlet(r, genislik, rtl);
        }
    } else if (fTagName == u"IMG") {
        ResimCiz(tuval, r);
    } else if (!fText.isEmpty()) {
        int hiza = Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignAbsolute;
        hiza |= sagdanSola(tuval) ? Qt::AlignRight : Qt::AlignLeft;
        switch (tuval.konum) {
        case THtmlTuvali::Konum::Ust:
            hiza |= Qt::AlignTop;
            break;
        case THtmlTuvali::Konum::Alt:
            hiza |= Qt::AlignBottom;
            break;
        case THtmlTuvali::Konum::Satir:
            hiza |= Qt::AlignVCenter;
            break;
        }
        p.drawText(r, hiza, fText);
    }
}

void TSimpleHTMLNode::ResimCiz(THtmlTuvali &tuval, QRect &r)
{
    TSimpleHTML *belge = Document();
    if (!belge)
        return;
    const QImage &resim = belge->Resim(Attributes(u"SRC"_s));
    const QSize boy = ResimBoyu(resim.size());
    const int hs = sayiNiteligi(Attributes(u"HSPACE"_s));
    const int vs = sayiNiteligi(Attributes(u"VSPACE"_s));
    // QRect's right and bottom are inclusive; the arithmetic below uses the edges past them.
    const int sag = r.right() + 1;
    const int alt = r.bottom() + 1;
    const int x = sagdanSola(tuval) ? sag - boy.width() - hs : r.left() + hs;
    int y = (r.top() + alt - boy.height()) / 2;
    if (tuval.konum == THtmlTuvali::Konum::Ust)
        y = r.top() + vs;
    else if (tuval.konum == THtmlTuvali::Konum::Alt)
        y = alt - boy.height() - vs;
    if (!resim.isNull() && !boy.isEmpty())
        tuval.painter.drawImage(QRect(QPoint(x, y), boy), resim);
}

int TSimpleHTMLNode::CollectLinks(THtmlTuvali &tuval, QRect &r, TSimpleLinks &links)
{
    const bool rtl = sagdanSola(tuval);
    if (fTagName == u"A" && HasAttribute(u"HREF"_s)) {
        const QSize boy = Extend(tuval);
        int ust = r.top() + (r.height() - boy.height()) / 2;
        if (tuval.konum == THtmlTuvali::Konum::Ust)
            ust = r.top();
        else if (tuval.konum == THtmlTuvali::Konum::Alt)
            ust = r.bottom() + 1 - boy.height();
        const int sol = rtl ? r.right() + 1 - boy.width() : r.left();
        links.Add(Attributes(u"HREF"_s), QRect(sol, ust, boy.width(), boy.height()));
        kenariIlerlet(r, boy.width(), rtl);
        return 1;
    }
    if (!HasChildren()) {
        kenariIlerlet(r, Extend(tuval).width(), rtl);
        return 0;
    }
    TCanvasRecall geri(tuval);
    ApplyStyle(tuval);
    QRect ic = r;
    int bulunan = 0;
    for (const auto &cocuk : fChildren)
        bulunan += cocuk->CollectLinks(tuval, ic, links);
    // The children moved their own edge (this element may read the other way);
    // the caller's edge moves by the same amount in the caller's direction.
    const int genislik = (ic.left() - r.left()) + (r.right() - ic.right());
    kenariIlerlet(r, genislik, rtl);
    return bulunan;
}

int TSimpleHTML::CollectLinks(QPainter &canvas, QRect r, TSimpleLinks &links)
{
    THtmlTuvali tuval {canvas};
    return TSimpleHTMLNode::CollectLinks(tuval, r, links);
}

const QImage &TSimpleHTML::Resim(const QString &kaynak)
{
    if (const auto bulunan = fImages.constFind(kaynak); bulunan != fImages.cend())
        return *bulunan;
    QImage resim;
    if (fOnGetImage)
        fOnGetImage(this, kaynak, resim);
    else
        DosyadanResimYukle(kaynak, resim);
    return *fImages.insert(kaynak, resim);
}
