#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "widgets/html/simplehtml.h"

using namespace Qt::StringLiterals;

namespace {

// The tree as one line: text nodes quoted, elements as NAME(attributes){own text}[children].
QString agacYazisi(const TSimpleHTMLNode &n, const QStringList &nitelikler = {})
{
    if (n.TagName().isEmpty())
        return u'"' + n.Text() + u'"';
    QString s = n.TagName();
    QStringList bulunan;
    for (const QString &ad : nitelikler) {
        if (n.HasAttribute(ad))
            bulunan << ad.toUpper() + u'=' + n.Attributes(ad);
    }
    if (!bulunan.isEmpty())
        s += u'(' + bulunan.join(u',') + u')';
    if (!n.Text().isEmpty())
        s += u'{' + n.Text() + u'}';
    if (n.HasChildren()) {
        QStringList cocuklar;
        for (int i = 0; i < n.ChildCount(); ++i)
            cocuklar << agacYazisi(*n.Children(i), nitelikler);
        s += u'[' + cocuklar.join(u' ') + u']';
    }
    return s;
}

QFont tabanYaziTipi(int punto = 10)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPointSize(punto);
    return f;
}

QImage beyazResim(int w, int h)
{
    QImage resim(w, h, QImage::Format_RGB32);
    resim.fill(Qt::white);
    return resim;
}

QSize olc(TSimpleHTMLNode &belge, const QFont &f = tabanYaziTipi())
{
    QImage resim = beyazResim(1, 1);
    QPainter p(&resim);
    p.setFont(f);
    return belge.Extend(p);
}

QSize metinBoyu(const QString &metin, const QFont &f)
{
    QImage resim = beyazResim(1, 1);
    QPainter p(&resim);
    p.setFont(f);
    return p.fontMetrics().size(Qt::TextSingleLine, metin);
}

QImage ciz(TSimpleHTML &belge, QSize boy, Qt::LayoutDirection yon = Qt::LeftToRight)
{
    QImage resim = beyazResim(boy.width(), boy.height());
    QPainter p(&resim);
    p.setFont(tabanYaziTipi(20));
    p.setLayoutDirection(yon);
    belge.Draw(p, resim.rect());
    return resim;
}

// The columns (or rows) that hold a pixel of the given colour, as [first, last];
// {-1, -1} when none.
std::pair<int, int> renkAraligi(const QImage &resim, QColor renk, Qt::Orientation yon)
{
    const bool sutun = yon == Qt::Horizontal;
    const int n = sutun ? resim.width() : resim.height();
    const int m = sutun ? resim.height() : resim.width();
    std::pair<int, int> aralik {-1, -1};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < m; ++j) {
            if (resim.pixelColor(sutun ? i : j, sutun ? j : i) == renk) {
                if (aralik.first < 0)
                    aralik.first = i;
                aralik.second = i;
                break;
            }
        }
    }
    return aralik;
}

std::pair<int, int> renkSutunlari(const QImage &resim, QColor renk)
{
    return renkAraligi(resim, renk, Qt::Horizontal);
}

std::pair<int, int> renkSatirlari(const QImage &resim, QColor renk)
{
    return renkAraligi(resim, renk, Qt::Vertical);
}

} // namespace

class SimpleHtmlTesti final : public QObject
{
    Q_OBJECT

private slots:
    void agac_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("agac");
        QTest::addColumn<bool>("gecerli");

        QTest::newRow("kalın, düz, italik")
            << u"<b>Kalın</b> düz metin <i>italik</i>"_s
            << u"HTML[B{Kalın} \" düz metin \" I{italik}]"_s << true;
        QTest::newRow("yalnız metin kökün kendi metni") << u"düz"_s << u"HTML{düz}"_s << true;
        QTest::newRow("çocuklu öğede son metin düğüm olur")
            << u"<b><i>a</i>b</b>"_s << u"HTML[B[I{a} \"b\"]]"_s << true;
        QTest::newRow("amp") << u"a &amp; b"_s << u"HTML{a & b}"_s << true;
        QTest::newRow("AMP büyük harfle olduğu gibi") << u"&AMP;"_s << u"HTML{&AMP;}"_s << true;
        QTest::newRow("onlu referans") << u"&#65;&#305;"_s << u"HTML{Aı}"_s << true;
        QTest::newRow("16 bite kırpılır") << u"&#65601;"_s << u"HTML{A}"_s << true;
        QTest::newRow("sıfır bilinmez") << u"&#0;"_s << u"HTML{&#0;}"_s << true;
        QTest::newRow("onaltılık desteklenmez") << u"&#x41;"_s << u"HTML{&#x41;}"_s << true;
        QTest::newRow("noktalı virgülsüz ve") << u"a & b"_s << u"HTML{a & b}"_s << true;
        // An ampersand whose reference is unknown leaves a later tag a tag.
        QTest::newRow("bilinmeyen referanstan sonra etiket")
            << u"a & <b>b</b>;"_s << u"HTML[\"a & \" B{b} \";\"]"_s << true;
        QTest::newRow("yorum") << u"a<!-- <b>x</b> -- -->b"_s << u"HTML[\"a\" \"b\"]"_s << true;
        QTest::newRow("boş yorum") << u"<!---->x"_s << u"HTML{x}"_s << true;
        QTest::newRow("açılış tireleri kapanış sayılmaz") << u"<!-->x"_s << u"HTML"_s << false;
        QTest::newRow("kapanmamış yorum") << u"a<!-- x"_s << u"HTML[\"a\"]"_s << false;
        QTest::newRow("kapanışta boşluklar") << u"<b>x</b \r\n\t>"_s << u"HTML[B{x}]"_s << true;
        QTest::newRow("kendini kapatan") << u"<br/>a"_s << u"HTML[BR \"a\"]"_s << true;
        QTest::newRow("küçük harf ad büyütülür")
            << u"<Font>x</fONT>"_s << u"HTML[FONT{x}]"_s << true;
        QTest::newRow("kapanmamış B öncesini tutar")
            << u"Önce <b>kalın"_s << u"HTML[\"Önce \" B]"_s << false;
        QTest::newRow("yanlış kapanış") << u"<b>x</i>y"_s << u"HTML[B{x}]"_s << false;
        QTest::newRow("kökü kapatmak") << u"x</html>"_s << u"HTML{x}"_s << false;
        QTest::newRow("boş etiket adı") << u"a<>b"_s << u"HTML[\"a\"]"_s << false;
        QTest::newRow("adsız nitelik") << u"<b =x>y</b>"_s << u"HTML"_s << false;
        QTest::newRow("etiket içinde metin biter") << u"<b"_s << u"HTML"_s << false;
        QTest::newRow("tırnak kapanmaz") << u"<a href=\"x>y</a>"_s << u"HTML"_s << false;
        QTest::newRow("eğik çizgiden sonra > yok") << u"<br/ x>"_s << u"HTML"_s << false;
    }

    void agac()
    {
        QFETCH(QString, html);
        const TSimpleHTML belge(html);
        QFETCH(QString, agac);
        QFETCH(bool, gecerli);
        QCOMPARE(agacYazisi(belge), agac);
        QCOMPARE(belge.IsValid(), gecerli);
    }

    void nitelikler_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("agac");

        QTest::newRow("üç tırnak biçimi") << u"<font color=\"red\" size='+2' face=Arial>x</font>"_s
                                          << u"HTML[FONT(COLOR=red,SIZE=+2,FACE=Arial){x}]"_s;
        QTest::newRow("eşittir çevresinde boşluk")
            << u"<font color = red >x</font>"_s << u"HTML[FONT(COLOR=red){x}]"_s;
        QTest::newRow("ad büyük küçük harf ayırmaz")
            << u"<a HrEf=x>y</a>"_s << u"HTML[A(HREF=x){y}]"_s;
        QTest::newRow("tırnaksız değerde eğik çizgi")
            << u"<a href=http://x/y/>z</a>"_s << u"HTML[A(HREF=http://x/y/){z}]"_s;
        QTest::newRow("değerde bilinmeyen referans silinir")
            << u"<a href=\"a&foo;b&amp;c&#65;\">x</a>"_s << u"HTML[A(HREF=ab&cA){x}]"_s;
        QTest::newRow("değersiz ve boş değerli tutulmaz")
            << u"<a href title=\"\" dir>x</a>"_s << u"HTML[A{x}]"_s;
        QTest::newRow("tekrarlanan adın ilk değeri")
            << u"<a href=1 href=2>x</a>"_s << u"HTML[A(HREF=1){x}]"_s;
    }

    void nitelikler()
    {
        QFETCH(QString, html);
        const TSimpleHTML belge(html);
        QFETCH(QString, agac);
        QVERIFY(belge.IsValid());
        QCOMPARE(
            agacYazisi(belge, {u"href"_s, u"COLOR"_s, u"size"_s, u"face"_s, u"title"_s, u"dir"_s}),
            agac);
    }

    void derinIcIceHataVerirAmaYigitiTuketmez()
    {
        QString html;
        for (int i = 0; i < 100000; ++i)
            html += u"<b>"_s;
        TSimpleHTML belge(html + u"x"_s);
        QVERIFY(!belge.IsValid());
        int derinlik = 0;
        const TSimpleHTMLNode *n = &belge;
        while (n->HasChildren()) {
            n = n->Children(0);
            ++derinlik;
        }
        QCOMPARE(derinlik, TSimpleHTML::EnDerinIcIce);
        QVERIFY(olc(belge).isEmpty());
    }

    void karakterReferanslari_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("karakter");

        QTest::newRow("amp") << u"amp"_s << u"&"_s;
        QTest::newRow("AMP") << u"AMP"_s << QString();
        QTest::newRow("dagger") << u"dagger"_s << u"\u2020"_s;
        QTest::newRow("Dagger") << u"Dagger"_s << u"\u2021"_s;
        QTest::newRow("euro") << u"euro"_s << u"€"_s;
        QTest::newRow("nbsp") << u"nbsp"_s << u"\u00A0"_s;
        QTest::newRow("divide") << u"divide"_s << u"÷"_s;
        QTest::newRow("frac34") << u"frac34"_s << u"¾"_s;
        QTest::newRow("apos yok") << u"apos"_s << QString();
        QTest::newRow("#65") << u"#65"_s << u"A"_s;
        QTest::newRow("# boş") << u"#"_s << QString();
        QTest::newRow("#6a") << u"#6a"_s << QString();
        QTest::newRow("#-65") << u"#-65"_s << QString();
        QTest::newRow("#65536") << u"#65536"_s << QString();
    }

    void karakterReferanslari()
    {
        QFETCH(QString, ad);
        QFETCH(QString, karakter);
        const QChar k = HtmlKarakterReferansi(ad);
        QCOMPARE(k.isNull() ? QString() : QString(k), karakter);
    }

    void renkler_data()
    {
        QTest::addColumn<QString>("deger");
        QTest::addColumn<QColor>("renk");

        QTest::newRow("#00F") << u"#00F"_s << QColor(0, 0, 255);
        QTest::newRow("#F80") << u"#F80"_s << QColor(255, 136, 0);
        QTest::newRow("#1a2B3c") << u"#1a2B3c"_s << QColor(0x1A, 0x2B, 0x3C);
        QTest::newRow("navy") << u"navy"_s << QColor(0, 0, 128);
        QTest::newRow("NAVY") << u"NAVY"_s << QColor(0, 0, 128);
        QTest::newRow("NaVy") << u"NaVy"_s << QColor(0, 0, 128);
        // The sixteen colour names of HTML 4.
        QTest::newRow("black") << u"black"_s << QColor(0, 0, 0);
        QTest::newRow("silver") << u"silver"_s << QColor(192, 192, 192);
        QTest::newRow("gray") << u"gray"_s << QColor(128, 128, 128);
        QTest::newRow("white") << u"white"_s << QColor(255, 255, 255);
        QTest::newRow("maroon") << u"maroon"_s << QColor(128, 0, 0);
        QTest::newRow("red") << u"red"_s << QColor(255, 0, 0);
        QTest::newRow("purple") << u"purple"_s << QColor(128, 0, 128);
        QTest::newRow("fuchsia") << u"fuchsia"_s << QColor(255, 0, 255);
        QTest::newRow("green") << u"green"_s << QColor(0, 128, 0);
        QTest::newRow("lime") << u"lime"_s << QColor(0, 255, 0);
        QTest::newRow("olive") << u"olive"_s << QColor(128, 128, 0);
        QTest::newRow("yellow") << u"yellow"_s << QColor(255, 255, 0);
        QTest::newRow("teal") << u"teal"_s << QColor(0, 128, 128);
        QTest::newRow("blue") << u"Blue"_s << QColor(0, 0, 255);
        QTest::newRow("aqua") << u"AQUA"_s << QColor(0, 255, 255);
        // Unreadable values.
        QTest::newRow("#12345") << u"#12345"_s << QColor();
        QTest::newRow("#GGG") << u"#GGG"_s << QColor();
        QTest::newRow("#+FF") << u"#+FF"_s << QColor();
        QTest::newRow("#FFFFFFFF") << u"#FFFFFFFF"_s << QColor();
        QTest::newRow("boş") << QString() << QColor();
        QTest::newRow("bilinmeyen ad") << u"gökmavi"_s << QColor();
        QTest::newRow("rgb()") << u"rgb(1,2,3)"_s << QColor();
        QTest::newRow("transparent") << u"transparent"_s << QColor();
    }

    void renkler()
    {
        QFETCH(QString, deger);
        QFETCH(QColor, renk);
        QCOMPARE(HtmlRengi(deger), renk);
    }

    void yaziBoyu_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("punto");

        QTest::newRow("SIZE +2 on 10") << u"<font size=+2>Boyut</font>"_s << 12;
        QTest::newRow("SIZE 8") << u"<font size=8>Boyut</font>"_s << 8;
        QTest::newRow("SIZE -3") << u"<font size=\"-3\">Boyut</font>"_s << 7;
        QTest::newRow("okunmaz sayı tutar") << u"<font size=x>Boyut</font>"_s << 10;
        QTest::newRow("okunmaz fark 0 ekler") << u"<font size=+x>Boyut</font>"_s << 10;
        QTest::newRow("en az 1 punto") << u"<font size=-40>Boyut</font>"_s << 1;
        QTest::newRow("SUP yüzde 70") << u"<sup>Boyut</sup>"_s << 7;
        QTest::newRow("SUB yüzde 70") << u"<sub>Boyut</sub>"_s << 7;
        QTest::newRow("SMALL yüzde 75 yuvarlanır") << u"<small>Boyut</small>"_s << 8;
        QTest::newRow("BIG yüzde 125 yuvarlanır") << u"<big>Boyut</big>"_s << 13;
        QTest::newRow("iç içe biriktirir") << u"<font size=+2><big>Boyut</big></font>"_s << 15;
        QTest::newRow("SIZE yalnız FONT'ta") << u"<b size=20><i>Boyut</i></b>"_s << -1;
    }

    void yaziBoyu()
    {
        QFETCH(QString, html);
        QFETCH(int, punto);
        TSimpleHTML belge(html);
        QFont beklenen = tabanYaziTipi(punto > 0 ? punto : 10);
        if (punto < 0) {
            beklenen.setBold(true);
            beklenen.setItalic(true);
        }
        QCOMPARE(olc(belge), metinBoyu(u"Boyut"_s, beklenen));
    }

    void pikselBoyuYaziTipindeBoyutPuntoylaDegisir()
    {
        // A font given in pixels (the ticker's 24-pixel Arial) is 18 points at 96 dpi.
        QFont f(u"DejaVu Sans"_s);
        f.setPixelSize(24);
        TSimpleHTML belge(u"<font size=+2>Boyut</font>"_s);
        QCOMPARE(olc(belge, f), metinBoyu(u"Boyut"_s, tabanYaziTipi(20)));
    }

    void kalinDuzItalikBirSatirda()
    {
        TSimpleHTML belge(u"<b>Kalın</b> düz metin <i>italik</i>"_s);
        const QImage cizilen = ciz(belge, {600, 40});

        QFont kalin = tabanYaziTipi(20), duz = kalin, italik = kalin;
        kalin.setBold(true);
        italik.setItalic(true);
        QImage beklenen = beyazResim(600, 40);
        QPainter p(&beklenen);
        QRect r = beklenen.rect();
        const int hiza = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
        for (const auto &[metin, yazi] :
             {std::pair {u"Kalın"_s, kalin}, std::pair {u" düz metin "_s, duz},
              std::pair {u"italik"_s, italik}}) {
            p.setFont(yazi);
            p.drawText(r, hiza, metin);
            r.setLeft(r.left() + p.fontMetrics().size(Qt::TextSingleLine, metin).width());
        }
        p.end();
        QCOMPARE(cizilen, beklenen);
        QCOMPARE(olc(belge, tabanYaziTipi(20)).width(), r.left());
    }

    void ampersandOlduguGibiCizilir()
    {
        // No mnemonic processing: "&" draws as itself and takes its own width.
        TSimpleHTML belge(u"a&amp;&amp;b &AMP;"_s);
        QCOMPARE(belge.Text(), u"a&&b &AMP;"_s);
        QCOMPARE(olc(belge), metinBoyu(u"a&&b &AMP;"_s, tabanYaziTipi()));
        QVERIFY(olc(belge).width() > metinBoyu(u"ab AMP;"_s, tabanYaziTipi()).width());
    }

    void yaziRengiCizilir_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QColor>("renk");

        QTest::newRow("#00F saf mavi") << u"<font color=#00F>\u2588</font>"_s << QColor(0, 0, 255);
        QTest::newRow("NaVy") << u"<font color=NaVy>\u2588</font>"_s << QColor(0, 0, 128);
        QTest::newRow("okunmaz renk siyah kalır")
            << u"<font color=#00G>\u2588</font>"_s << QColor(Qt::black);
    }

    void yaziRengiCizilir()
    {
        QFETCH(QString, html);
        QFETCH(QColor, renk);
        TSimpleHTML belge(html);
        const QImage resim = ciz(belge, {100, 40});
        QVERIFY(renkSutunlari(resim, renk).first >= 0);
    }

    void zeminRengiYalnizMetninArkasinda()
    {
        TSimpleHTML belge(u"<font bgcolor=lime color=red>\u2588 \u2588</font> x"_s);
        const QImage resim = ciz(belge, {200, 40});
        const auto kirmizi = renkSutunlari(resim, Qt::red);
        QVERIFY(kirmizi.first >= 0);
        // The blank between the two blocks shows the background; the plain text after it does not.
        QCOMPARE(resim.pixelColor((kirmizi.first + kirmizi.second) / 2, 20), QColor(0, 255, 0));
        QVERIFY(renkSutunlari(resim, QColor(0, 255, 0)).second <
                olc(*belge.Children(0), tabanYaziTipi(20)).width());
        QCOMPARE(resim.pixelColor(kirmizi.second + 3, 20), QColor(Qt::white));
    }

    void sagdanSolaSagKenardanCizer()
    {
        TSimpleHTML belge(
            u"<font dir=RtL><font color=red>\u2588\u2588</font><font color=blue>\u2588\u2588</font></font>"_s);
        const QImage resim = ciz(belge, {300, 40});
        const auto kirmizi = renkSutunlari(resim, Qt::red);
        const auto mavi = renkSutunlari(resim, Qt::blue);
        QVERIFY(kirmizi.first >= 0 && mavi.first >= 0);
        QVERIFY2(kirmizi.second >= 295, qPrintable(QString::number(kirmizi.second)));
        QVERIFY(mavi.second < kirmizi.first);
        QVERIFY(mavi.first > 200);

        // DIR=LTR inside a right-to-left canvas turns it back.
        TSimpleHTML soldan(u"<b dir=ltr><font color=red>\u2588</font></b>"_s);
        QVERIFY(renkSutunlari(ciz(soldan, {300, 40}, Qt::RightToLeft), Qt::red).first <= 3);
        TSimpleHTML sagdan(u"<font color=red>\u2588</font>"_s);
        QVERIFY(renkSutunlari(ciz(sagdan, {300, 40}, Qt::RightToLeft), Qt::red).second >= 295);
    }

    void ustVeAltSimgeDikeyKonum()
    {
        TSimpleHTML ust(u"<sup><font color=red>\u2588</font></sup>"_s);
        TSimpleHTML alt(u"<sub><font color=red>\u2588</font></sub>"_s);
        TSimpleHTML satir(u"<font color=red>\u2588</font>"_s);
        const auto u = renkSatirlari(ciz(ust, {100, 100}), Qt::red);
        const auto a = renkSatirlari(ciz(alt, {100, 100}), Qt::red);
        const auto s = renkSatirlari(ciz(satir, {100, 100}), Qt::red);
        QVERIFY(u.first >= 0 && u.second < 30);
        QVERIFY(a.first > 70);
        QVERIFY(s.first > 30 && s.second < 70);
    }

    void resimBoyu_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QSize>("boy");

        QTest::newRow("WIDTH 20 HSPACE 3 -> 26")
            << u"<img src=r width=20 hspace=3 />"_s << QSize(26, 10);
        QTest::newRow("resmin kendi boyu") << u"<img src=\"r\"/>"_s << QSize(40, 10);
        QTest::newRow("HEIGHT ve VSPACE") << u"<img src=r height=7 vspace=2 />"_s << QSize(40, 11);
        QTest::newRow("okunmaz WIDTH 0") << u"<img src=r width=abc />"_s << QSize(0, 10);
        QTest::newRow("eksi WIDTH 0") << u"<img src=r width=-5 />"_s << QSize(0, 10);
        // Unquoted, the slash belongs to the value: the source is "r/" and the element stays open.
        QTest::newRow("tırnaksız değerde eğik çizgi") << u"<img src=r/></img>"_s << QSize(0, 0);
        QTest::newRow("resim yok") << u"<img src=yok />"_s << QSize(0, 0);
        QTest::newRow("resim yok, boyut verilmiş")
            << u"<img src=yok width=5 height=6 />"_s << QSize(5, 6);
        QTest::newRow("çok büyük sınırda kalır")
            << u"<img src=yok width=999999999 height=1 />"_s << QSize(32767, 1);
        QTest::newRow("yan yana") << u"<img src=r width=20 hspace=3 /><img src=r width=4 />"_s
                                  << QSize(30, 10);
    }

    void resimBoyu()
    {
        QFETCH(QString, html);
        TSimpleHTML belge(html);
        belge.setOnGetImage([](TSimpleHTML *, const QString &uri, QImage &resim) {
            if (uri == u"r")
                resim = QImage(40, 10, QImage::Format_RGB32);
        });
        QFETCH(QSize, boy);
        QCOMPARE(olc(belge), boy);
    }

    void resimHerKaynakIcinBirKezIstenir()
    {
        TSimpleHTML belge(u"<img src=a /><b><img src=b /></b><img src=a /><img src=A />"_s);
        QStringList istenen;
        belge.setOnGetImage([&](TSimpleHTML *gonderen, const QString &uri, QImage &resim) {
            QCOMPARE(gonderen, &belge);
            istenen << uri;
            resim = QImage(8, 8, QImage::Format_RGB32);
            resim.fill(Qt::red);
        });
        olc(belge);
        ciz(belge, {100, 20});
        QCOMPARE(istenen, (QStringList {u"a"_s, u"b"_s, u"A"_s}));
    }

    void resimCizilirVeAraliklaKonur()
    {
        TSimpleHTML belge(u"<img src=k width=10 height=6 hspace=3 />"_s);
        belge.setOnGetImage([](TSimpleHTML *, const QString &, QImage &resim) {
            resim = QImage(2, 2, QImage::Format_RGB32);
            resim.fill(Qt::red);
        });
        const QImage soldan = ciz(belge, {50, 20});
        QCOMPARE(renkSutunlari(soldan, Qt::red), std::pair(3, 12));
        QCOMPARE(renkSatirlari(soldan, Qt::red), std::pair(7, 12)); // (20 - 6) / 2
        const QImage sagdan = ciz(belge, {50, 20}, Qt::RightToLeft);
        QCOMPARE(renkSutunlari(sagdan, Qt::red), std::pair(37, 46));
    }

    void durBekletirAmaOlaylarIslenir()
    {
        TSimpleHTML belge(u"<dur>x</dur>"_s);
        bool zamanlayiciCalisti = false;
        QTimer::singleShot(0, this, [&] { zamanlayiciCalisti = true; });
        QElapsedTimer sure;
        sure.start();
        ciz(belge, {50, 20});
        QVERIFY(sure.elapsed() >= 500);
        QVERIFY(zamanlayiciCalisti);

        belge.setDurSuresi(std::chrono::milliseconds(0));
        sure.restart();
        ciz(belge, {50, 20});
        QVERIFY(sure.elapsed() < 500);
    }

    void bozukBelgeKismiAgaciCizer()
    {
        TSimpleHTML belge(u"Önce <b>kalın"_s);
        QVERIFY(!belge.IsValid());
        QCOMPARE(olc(belge), metinBoyu(u"Önce "_s, tabanYaziTipi()));
    }

    void tuvalDurumuGeriGelir()
    {
        TSimpleHTML belge(
            u"<font face=Serif size=30 color=red bgcolor=blue dir=rtl><b><i><u><s><sup>x</sup></s></u></i></b></font>"_s);
        QImage resim = beyazResim(100, 40);
        QPainter p(&resim);
        p.setFont(tabanYaziTipi());
        p.setPen(Qt::darkGreen);
        const QFont yazi = p.font();
        const Qt::LayoutDirection yon = p.layoutDirection();
        belge.Draw(p, resim.rect());
        TSimpleLinks links;
        belge.CollectLinks(p, resim.rect(), links);
        QCOMPARE(p.font(), yazi);
        QCOMPARE(p.pen().color(), QColor(Qt::darkGreen));
        QCOMPARE(p.backgroundMode(), Qt::TransparentMode);
        QCOMPARE(p.layoutDirection(), yon);
    }

    void baglantilarToplanir()
    {
        TSimpleHTML belge(
            u"Önce <a href=\"http://bir\">bağlantı</a> ve <b><a href=iki>iki <i>x</i></a></b> <a>adsız</a>"_s);
        QImage resim = beyazResim(1, 1);
        QPainter p(&resim);
        p.setFont(tabanYaziTipi());
        const int h = metinBoyu(u"bağlantı"_s, tabanYaziTipi()).height();
        const QRect r(5, 10, 400, 40);

        TSimpleLinks links;
        QCOMPARE(belge.CollectLinks(p, r, links), 2);
        QCOMPARE(links.Count(), 2);
        QCOMPARE(links.Links(0), u"http://bir"_s);
        QCOMPARE(links.Links(1), u"iki"_s);
        const int x0 = 5 + metinBoyu(u"Önce "_s, tabanYaziTipi()).width();
        const int w0 = metinBoyu(u"bağlantı"_s, tabanYaziTipi()).width();
        // Centred within r, whose top is not 0.
        QCOMPARE(links.Bounds(0), QRect(x0, 10 + (40 - h) / 2, w0, h));
        const int x1 = x0 + w0 + metinBoyu(u" ve "_s, tabanYaziTipi()).width();
        QCOMPARE(links.Bounds(1).left(), x1);
        QCOMPARE(links.Bounds(1).width(), olc(*belge.Children(3)).width());

        QCOMPARE(links.IndexOfLinkAt(x0 + 1, 30), 0);
        QCOMPARE(links.IndexOfLinkAt(x1 + 2, 30), 1);
        QCOMPARE(links.IndexOfLinkAt(x0 - 1, 30), -1);
        QCOMPARE(links.IndexOfLinkAt(x0 + 1, 9), -1);

        // The list appends; Clear empties it; a region is taken over as it is.
        QCOMPARE(belge.CollectLinks(p, r, links), 2);
        QCOMPARE(links.Count(), 4);
        links.Clear();
        QCOMPARE(links.Count(), 0);
        links.Add(u"bolge"_s, QRegion(0, 0, 10, 10, QRegion::Ellipse));
        QCOMPARE(links.IndexOfLinkAt(5, 5), 0);
        QCOMPARE(links.IndexOfLinkAt(0, 0), -1);
        QCOMPARE(links.Bounds(0), QRect(0, 0, 10, 10));
    }

    void baglantiKonumlari_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<Qt::LayoutDirection>("yon");
        QTest::addColumn<QString>("kenar"); // where the link's rectangle lies

        QTest::newRow("üst simge yukarıda")
            << u"<sup><a href=x>a</a></sup>"_s << Qt::LeftToRight << u"üst"_s;
        QTest::newRow("alt simge aşağıda")
            << u"<sub><a href=x>a</a></sub>"_s << Qt::LeftToRight << u"alt"_s;
        QTest::newRow("sağdan sola sağ kenarda")
            << u"<a href=x>a</a>b"_s << Qt::RightToLeft << u"sağ"_s;
        QTest::newRow("DIR=RTL öğesinde sağ kenarda")
            << u"<b dir=rtl>b<a href=x>a</a></b>"_s << Qt::LeftToRight << u"sağdan ikinci"_s;
    }

    void baglantiKonumlari()
    {
        QFETCH(QString, html);
        QFETCH(Qt::LayoutDirection, yon);
        QFETCH(QString, kenar);
        TSimpleHTML belge(html);
        QImage resim = beyazResim(1, 1);
        QPainter p(&resim);
        p.setFont(tabanYaziTipi());
        p.setLayoutDirection(yon);
        const QRect r(0, 100, 300, 100);
        TSimpleLinks links;
        QCOMPARE(belge.CollectLinks(p, r, links), 1);
        const QRect alan = links.Bounds(0);
        if (kenar == u"üst")
            QCOMPARE(alan.top(), 100);
        else if (kenar == u"alt")
            QCOMPARE(alan.bottom(), 199);
        else if (kenar == u"sağ")
            QCOMPARE(alan.right(), 299);
        else {
            QFont kalin = tabanYaziTipi();
            kalin.setBold(true);
            QCOMPARE(alan.right(), 299 - metinBoyu(u"b"_s, kalin).width());
        }
    }
};

QTEST_MAIN(SimpleHtmlTesti)
#include "tst_simplehtml.moc"
