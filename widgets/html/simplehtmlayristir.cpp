// The tree of TSimpleHTML and the parser that builds it. Nothing here paints:
// the parser runs without a window (and under the fuzzer).
#include <algorithm>
#include <array>

#include "widgets/html/simplehtml.h"

using namespace Qt::StringLiterals;

namespace {

struct AdliReferans
{
    QStringView ad;
    char16_t karakter;
};

// The named references the markup knows, compared with regard to case.
constexpr std::array<AdliReferans, 60> adliReferanslar {{
    {u"nbsp", 0x00A0},   {u"copy", 0x00A9},   {u"reg", 0x00AE},    {u"trade", 0x2122},
    {u"sup1", 0x00B9},   {u"sup2", 0x00B2},   {u"sup3", 0x00B3},   {u"quot", 0x0022},
    {u"amp", 0x0026},    {u"lt", 0x003C},     {u"gt", 0x003E},     {u"ndash", 0x2013},
    {u"mdash", 0x2014},  {u"lsquo", 0x2018},  {u"rsquo", 0x2019},  {u"ldquo", 0x201C},
    {u"rdquo", 0x201D},  {u"bull", 0x2022},   {u"dagger", 0x2020}, {u"Dagger", 0x2021},
    {u"prime", 0x2032},  {u"Prime", 0x2033},  {u"lsaquo", 0x2039}, {u"rsaquo", 0x203A},
    {u"tilde", 0x02DC},  {u"circ", 0x02C6},   {u"spades", 0x2660}, {u"clubs", 0x2663},
    {u"hearts", 0x2665}, {u"diams", 0x2666},  {u"loz", 0x25CA},    {u"larr", 0x2190},
    {u"rarr", 0x2192},   {u"uarr", 0x2191},   {u"darr", 0x2193},   {u"harr", 0x2194},
    {u"not", 0x00AC},    {u"frac14", 0x00BC}, {u"frac12", 0x00BD}, {u"frac34", 0x00BE},
    {u"plusmn", 0x00B1}, {u"laquo", 0x00AB},  {u"raquo", 0x00BB},  {u"deg", 0x00B0},
    {u"ordf", 0x00AA},   {u"ordm", 0x00BA},   {u"iexcl", 0x00A1},  {u"iquest", 0x00BF},
    {u"euro", 0x20AC},   {u"cent", 0x00A2},   {u"pound", 0x00A3},  {u"yen", 0x00A5},
    {u"curren", 0x00A4}, {u"sect", 0x00A7},   {u"para", 0x00B6},   {u"macr", 0x00AF},
    {u"middot", 0x00B7}, {u"micro", 0x00B5},  {u"times", 0x00D7},  {u"divide", 0x00F7},
}};

// No reference is longer than this; longer runs up to a semicolon are plain text.
constexpr qsizetype enUzunReferans = 32;

bool harfVeyaRakam(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool bosluk(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

QChar HtmlKarakterReferansi(QStringView ad)
{
    if (ad.startsWith(u'#')) {
        const QStringView rakamlar = ad.mid(1);
        if (rakamlar.isEmpty())
            return {};
        unsigned kod = 0;
        for (const QChar c : rakamlar) {
            if (c < u'0' || c > u'9')
                return {};
            kod = (kod * 10 + unsigned(c.unicode() - u'0')) & 0xFFFFu; // kept to 16 bits
        }
        return kod == 0 ? QChar() : QChar(char16_t(kod));
    }
    for (const auto &r : adliReferanslar) {
        if (r.ad == ad)
            return QChar(r.karakter);
    }
    return {};
}

// Builds the tree of a document in one pass over the text. An error stops the
// pass where it is found; what was built so far stays.
class HtmlAyristirici
{
public:
    HtmlAyristirici(TSimpleHTML &belge, QStringView metin)
        : fKok(belge)
        , fAcik(&belge)
        , fMetin(metin)
    {
    }

    bool Ayristir()
    {
        while (fKonum < fMetin.size()) {
            const QChar c = fMetin[fKonum];
            if (c == u'&') {
                ReferansOku(fBekleyen, false);
            } else if (c == u'<') {
                BekleyeniYerlestir();
                if (!EtiketOku())
                    return false;
            } else {
                fBekleyen += c;
                ++fKonum;
            }
        }
        if (fAcik != &fKok)
            return false;
        BekleyeniYerlestir();
        return true;
    }

private:
    // At an ampersand: the referenced character when a known reference up to a
    // semicolon follows, else the ampersand itself (or nothing, in an attribute
    // value, where an unknown reference is dropped whole).
    void ReferansOku(QString &hedef, bool degerIcinde, qsizetype son = -1)
    {
        if (son < 0)
            son = fMetin.size();
        const qsizetype noktaliVirgul = SonrakiNoktaliVirgul(fKonum + 1);
        if (noktaliVirgul >= 0 && noktaliVirgul < son &&
            noktaliVirgul - fKonum - 1 <= enUzunReferans) {
            const QChar k =
                HtmlKarakterReferansi(fMetin.sliced(fKonum + 1, noktaliVirgul - fKonum - 1));
            if (!k.isNull() || degerIcinde) {
                if (!k.isNull())
                    hedef += k;
                fKonum = noktaliVirgul + 1;
                return;
            }
        }
        hedef += u'&';
        ++fKonum;
    }

    // The first semicolon at or after bas; remembered, so that text full of
    // ampersands is still read in one pass.
    qsizetype SonrakiNoktaliVirgul(qsizetype bas)
    {
        if (fNoktaliVirgul != -2 && (fNoktaliVirgul == -1 || fNoktaliVirgul >= bas))
            return fNoktaliVirgul;
        fNoktaliVirgul = fMetin.indexOf(u';', bas);
        return fNoktaliVirgul;
    }

    void BekleyeniYerlestir()
    {
        if (fBekleyen.isEmpty())
            return;
        const bool kapanisGeliyor = fKonum + 1 < fMetin.size() && fMetin[fKonum + 1] == u'/';
        // At the end of the text the root takes the text as its own when it has no children.
        const bool sonda = fKonum >= fMetin.size();
        if (!fAcik->HasChildren() && (kapanisGeliyor || sonda))
            fAcik->fText = fBekleyen;
        else
            fAcik->AddChild(QString())->fText = fBekleyen;
        fBekleyen.clear();
    }

    QString AdOku()
    {
        const qsizetype bas = fKonum;
        while (fKonum < fMetin.size() && harfVeyaRakam(fMetin[fKonum]))
            ++fKonum;
        return fMetin.sliced(bas, fKonum - bas).toString().toUpper();
    }

    void BoslukAtla()
    {
        while (fKonum < fMetin.size() && bosluk(fMetin[fKonum]))
            ++fKonum;
    }

    bool EtiketOku()
    {
        ++fKonum; // '<'
        if (fMetin.sliced(fKonum).startsWith(u"!--"))
            return YorumAtla();
        if (fKonum < fMetin.size() && fMetin[fKonum] == u'/')
            return KapanisOku();
        return AcilisOku();
    }

    bool YorumAtla()
    {
        // The closing dashes may not be the two of the opening: "<!---->" is empty.
        const qsizetype son = fMetin.indexOf(u"-->", fKonum + 3);
        if (son < 0)
            return false;
        fKonum = son + 3;
        return true;
    }

    bool KapanisOku()
    {
        ++fKonum; // '/'
        const QString ad = AdOku();
        BoslukAtla();
        if (fKonum >= fMetin.size() || fMetin[fKonum] != u'>')
            return false;
        ++fKonum;
        if (fAcik == &fKok || ad != fAcik->TagName())
            return false;
        fAcik = fAcik->Parent();
        --fDerinlik;
        return true;
    }

    bool AcilisOku()
    {
        const QString ad = AdOku();
        if (ad.isEmpty())
            return false;
        QList<std::pair<QString, QString>> nitelikler;
        for (;;) {
            BoslukAtla();
            if (fKonum >= fMetin.size())
                return false;
            const QChar c = fMetin[fKonum];
            if (c == u'>' || c == u'/') {
                const bool kendiniKapatir = c == u'/';
                if (kendiniKapatir && (fKonum + 1 >= fMetin.size() || fMetin[fKonum + 1] != u'>'))
                    return false;
                fKonum += kendiniKapatir ? 2 : 1;
                if (!kendiniKapatir && fDerinlik >= TSimpleHTML::EnDerinIcIce)
                    return false;
                TSimpleHTMLNode *oge = fAcik->AddChild(ad);
                oge->fAttributes = std::move(nitelikler);
                if (!kendiniKapatir) {
                    fAcik = oge;
                    ++fDerinlik;
                }
                return true;
            }
            QString nitelik = AdOku();
            if (nitelik.isEmpty())
                return false;
            BoslukAtla();
            QString deger;
            if (fKonum < fMetin.size() && fMetin[fKonum] == u'=') {
                ++fKonum;
                BoslukAtla();
                if (!DegerOku(deger))
                    return false;
            }
            // Without a value, or with an empty one, an attribute is not kept;
            // a repeated name keeps its first value.
            const bool varmi = std::any_of(nitelikler.cbegin(), nitelikler.cend(),
                                           [&](const auto &n) { return n.first == nitelik; });
            if (!deger.isEmpty() && !varmi)
                nitelikler.append({std::move(nitelik), std::move(deger)});
        }
    }

    bool DegerOku(QString &deger)
    {
        if (fKonum >= fMetin.size())
            return false;
        const QChar tirnak = fMetin[fKonum];
        qsizetype son;
        if (tirnak == u'"' || tirnak == u'\'') {
            ++fKonum;
            son = fMetin.indexOf(tirnak, fKonum);
            if (son < 0)
                return false;
        } else {
            son = fKonum;
            while (son < fMetin.size() && fMetin[son] != u' ' && fMetin[son] != u'>')
                ++son;
            if (son >= fMetin.size())
                return false;
        }
        while (fKonum < son) {
            if (fMetin[fKonum] == u'&') {
                ReferansOku(deger, true, son);
            } else {
                deger += fMetin[fKonum];
                ++fKonum;
            }
        }
        if (tirnak == u'"' || tirnak == u'\'')
            ++fKonum;
        return true;
    }

    TSimpleHTML &fKok;
    TSimpleHTMLNode *fAcik;
    QStringView fMetin;
    qsizetype fKonum = 0;
    qsizetype fNoktaliVirgul = -2; // -2: not searched yet, -1: none left
    int fDerinlik = 0;
    QString fBekleyen;
};

TSimpleHTMLNode::TSimpleHTMLNode(TSimpleHTMLNode *parent, const QString &tagName)
    : fParent(parent)
    , fTagName(tagName)
{
}

TSimpleHTMLNode::~TSimpleHTMLNode() = default;

TSimpleHTML *TSimpleHTMLNode::Document()
{
    return fParent ? fParent->Document() : nullptr;
}

QString TSimpleHTMLNode::Attributes(const QString &ad) const
{
    for (const auto &[nitelik, deger] : fAttributes) {
        if (nitelik.compare(ad, Qt::CaseInsensitive) == 0)
            return deger;
    }
    return {};
}

bool TSimpleHTMLNode::HasAttribute(const QString &ad) const
{
    return std::any_of(fAttributes.cbegin(), fAttributes.cend(), [&](const auto &n) {
        return n.first.compare(ad, Qt::CaseInsensitive) == 0;
    });
}

TSimpleHTMLNode *TSimpleHTMLNode::AddChild(const QString &tagName)
{
    fChildren.push_back(std::unique_ptr<TSimpleHTMLNode>(new TSimpleHTMLNode(this, tagName)));
    return fChildren.back().get();
}

TSimpleHTML::TSimpleHTML(const QString &html)
    : TSimpleHTMLNode(nullptr, u"HTML"_s)
{
    fParsed = HtmlAyristirici(*this, html).Ayristir();
}

TSimpleHTML::~TSimpleHTML() = default;
