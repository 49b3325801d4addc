#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QColor>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

// A small HTML renderer: one line of styled text, links and inline pictures,
// laid out left to right (or right to left) and drawn on a QPainter. The
// parser lives in simplehtmlayristir.cpp and needs no painter; measuring and
// drawing live in simplehtml.cpp.

class TSimpleHTML;

// The canvas a node measures and draws on: the painter (font, pen, brush,
// background, reading direction) plus the renderer's own vertical position.
struct THtmlTuvali
{
    enum class Konum
    {
        Satir,
        Ust,
        Alt
    }; // on the line, superscript, subscript

    QPainter &painter;
    Konum konum = Konum::Satir;
};

// Saves a canvas's font, pen, brush, background, composition mode and text
// flags when created and puts them back when destroyed, so that every node's
// style ends with the node.
class TCanvasRecall
{
public:
    explicit TCanvasRecall(THtmlTuvali &tuval);
    ~TCanvasRecall();
    TCanvasRecall(const TCanvasRecall &) = delete;
    TCanvasRecall &operator=(const TCanvasRecall &) = delete;

private:
    THtmlTuvali &fTuval;
    QFont fFont;
    QPen fPen;
    QBrush fBrush;
    QBrush fBackground;
    Qt::BGMode fBackgroundMode;
    QPainter::CompositionMode fCompositionMode;
    Qt::LayoutDirection fYon;
    THtmlTuvali::Konum fKonum;
};

// The link areas found on a drawn document, in the order they were found.
class TSimpleLinks
{
public:
    int Count() const { return int(fBaglantilar.size()); }
    const QString &Links(int i) const { return fBaglantilar[size_t(i)].first; }
    const QRegion &Regions(int i) const { return fBaglantilar[size_t(i)].second; }
    QRect Bounds(int i) const { return Regions(i).boundingRect(); }

    void Add(const QString &link, const QRect &alan);
    void Add(const QString &link, QRegion alan);
    void Clear();
    // Index of the first region that holds (x, y), or -1.
    int IndexOfLinkAt(int x, int y) const;

private:
    std::vector<std::pair<QString, QRegion>> fBaglantilar;
};

// One node of the tree: an element (upper-case tag name) or a text node
// (empty tag name). An element whose only content is text keeps it in Text.
class TSimpleHTMLNode
{
public:
    virtual ~TSimpleHTMLNode();
    TSimpleHTMLNode(const TSimpleHTMLNode &) = delete;
    TSimpleHTMLNode &operator=(const TSimpleHTMLNode &) = delete;

    virtual TSimpleHTML *Document();

    TSimpleHTMLNode *Parent() const { return fParent; }
    const QString &TagName() const { return fTagName; }
    const QString &Text() const { return fText; }
    int ChildCount() const { return int(fChildren.size()); }
    TSimpleHTMLNode *Children(int i) const { return fChildren[size_t(i)].get(); }
    bool HasChildren() const { return !fChildren.empty(); }
    // Attribute names match without regard to case; absent gives an empty text.
    QString Attributes(const QString &ad) const;
    bool HasAttribute(const QString &ad) const;

    TSimpleHTMLNode *AddChild(const QString &tagName);

    // Size of the node's line with the canvas's current font.
    QSize Extend(QPainter &canvas);
    void Draw(QPainter &canvas, QRect r);

protected:
    TSimpleHTMLNode(TSimpleHTMLNode *parent, const QString &tagName);

    QSize Extend(THtmlTuvali &tuval);
    void Draw(THtmlTuvali &tuval, QRect r);
    // Walks like Draw; appends the links found and moves r's running edge.
    int CollectLinks(THtmlTuvali &tuval, QRect &r, TSimpleLinks &links);

private:
    friend class HtmlAyristirici;

    void ApplyStyle(THtmlTuvali &tuval) const;
    QSize ResimBoyu(QSize resim) const;
    void ResimCiz(THtmlTuvali &tuval, QRect &r);

    TSimpleHTMLNode *fParent;
    QString fTagName;
    QString fText;
    std::vector<std::unique_ptr<TSimpleHTMLNode>> fChildren;
    QList<std::pair<QString, QString>> fAttributes;
};

// The document and root node (tag name "HTML").
class TSimpleHTML final : public TSimpleHTMLNode
{
public:
    // Supplies the picture of an image source; Image arrives empty.
    using TGetImageEvent =
        std::function<void(TSimpleHTML *sender, const QString &uri, QImage &image)>;

    // Elements nested deeper than this stop parsing with an error: the tree is
    // walked recursively, and markup from outside must not exhaust the stack.
    static constexpr int EnDerinIcIce = 256;

    explicit TSimpleHTML(const QString &html);
    ~TSimpleHTML() override;

    TSimpleHTML *Document() override { return this; }
    bool IsValid() const { return fParsed; }

    const TGetImageEvent &OnGetImage() const { return fOnGetImage; }
    void setOnGetImage(TGetImageEvent olay) { fOnGetImage = std::move(olay); }

    // How long a DUR element pauses drawing (500 ms unless changed).
    std::chrono::milliseconds DurSuresi() const { return fDurSuresi; }
    void setDurSuresi(std::chrono::milliseconds sure) { fDurSuresi = sure; }

    int CollectLinks(QPainter &canvas, QRect r, TSimpleLinks &links);

    // The cached picture of a source, fetched the first time it is asked for.
    const QImage &Resim(const QString &kaynak);

private:
    bool fParsed = false;
    QMap<QString, QImage> fImages;
    TGetImageEvent fOnGetImage;
    std::chrono::milliseconds fDurSuresi {500};
};

// Colour values of the markup: "#RRGGBB", "#RGB" or a colour name (any case).
// Returns an invalid colour for anything else.
QColor HtmlRengi(const QString &deger);

// Loads the picture of a file when that file exists; errors leave it empty.
void DosyadanResimYukle(const QString &uri, QImage &resim);

// The character a reference names ("amp", "#65"), or a null QChar when unknown.
QChar HtmlKarakterReferansi(QStringView ad);
