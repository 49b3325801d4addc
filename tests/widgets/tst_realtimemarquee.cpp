#include <memory>

#include <QDesktopServices>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "widgets/kayanyazi/realtimemarquee.h"

using namespace Qt::StringLiterals;

namespace {

const QColor zemin(212, 225, 242);
const QColor renkler[] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::magenta};

// A ticker of owner-drawn blocks: item i is a block of sizes[i] in colour i.
std::unique_ptr<TRealTimeMarquee> bloklar(QSize istemci, const QList<QSize> &boylar,
                                          int spacing = 5, int loopSpacing = 100)
{
    auto m = std::make_unique<TRealTimeMarquee>();
    m->resize(istemci);
    m->setColor(zemin);
    m->setSpacing(spacing);
    m->setLoopSpacing(loopSpacing);
    m->setOnDrawItem([boylar](TRealTimeMarquee *, TMarqueeItem *oge, QImage &bitmap) {
        bitmap = QImage(boylar[oge->Tag()], QImage::Format_RGB32);
        bitmap.fill(renkler[oge->Tag()]);
    });
    for (int i = 0; i < boylar.size(); ++i) {
        TMarqueeItem *oge = m->Items().Add();
        oge->setStyle(TMarqueeStyle::msOwnerDraw);
        oge->setTag(i);
    }
    return m;
}

QString durum(const TRealTimeMarquee &m)
{
    return u"%1 %2-%3 L%4%5"_s.arg(m.VisibleCount())
        .arg(m.OldestIndex())
        .arg(m.NewestIndex())
        .arg(m.LoopCount())
        .arg(m.Active() ? QString() : u" durdu"_s);
}

// Drives n ticks and lists every tick after which the state changed.
QStringList iz(TRealTimeMarquee &m, int n)
{
    QStringList degisimler;
    QString onceki;
    for (int t = 1; t <= n; ++t) {
        m.BirAdimKaydir();
        if (const QString d = durum(m); d != onceki) {
            degisimler << u"%1: %2"_s.arg(t).arg(d);
            onceki = d;
        }
    }
    return degisimler;
}

QImage cizilen(TRealTimeMarquee &m)
{
    QImage resim(m.size(), QImage::Format_RGB32);
    resim.fill(Qt::black);
    QPainter p(&resim);
    m.DrawItems(p, resim.rect());
    return resim;
}

// [first, last] column (or row) holding the colour on the middle row (or column).
std::pair<int, int> aralik(const QImage &resim, QColor renk, Qt::Orientation yon, int capraz = -1)
{
    const bool yatay = yon == Qt::Horizontal;
    const int n = yatay ? resim.width() : resim.height();
    if (capraz < 0)
        capraz = (yatay ? resim.height() : resim.width()) / 2;
    std::pair<int, int> a {-1, -1};
    for (int i = 0; i < n; ++i) {
        if (resim.pixelColor(yatay ? i : capraz, yatay ? capraz : i) == renk) {
            if (a.first < 0)
                a.first = i;
            a.second = i;
        }
    }
    return a;
}

} // namespace

class KayanYaziTesti final : public QObject
{
    Q_OBJECT

private slots:
    void bosluklar_data()
    {
        QTest::addColumn<int>("istemci");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("loopSpacing");
        QTest::addColumn<int>("araBosluk");
        QTest::addColumn<int>("turBoslugu");

        QTest::newRow("1000, 5, 100") << 1000 << 5 << 100 << 50 << 1000;
        QTest::newRow("yarım yukarı yuvarlanır") << 10 << 25 << 15 << 3 << 2;
        QTest::newRow("333, 5") << 333 << 5 << 0 << 17 << 0;
        QTest::newRow("100'ün üstü 100 olur") << 200 << 150 << 101 << 200 << 200;
    }

    void bosluklar()
    {
        QFETCH(int, istemci);
        QFETCH(int, spacing);
        QFETCH(int, loopSpacing);
        QFETCH(int, araBosluk);
        QFETCH(int, turBoslugu);
        auto m = bloklar({istemci, 20}, {{10, 10}}, spacing, loopSpacing);
        QCOMPARE(m->GapBetweenItems(), araBosluk);
        QCOMPARE(m->GapBetweenLoops(), turBoslugu);
        // The gaps follow the client's extent along the scroll direction.
        m->setOrientation(TMarqueeOrientation::moVertical);
        m->resize(20, istemci);
        QCOMPARE(m->GapBetweenItems(), araBosluk);
    }

    void varsayilanlarVeSinirlar()
    {
        TRealTimeMarquee m;
        QCOMPARE(m.size(), QSize(200, 20));
        QCOMPARE(m.Interval(), 10u);
        QCOMPARE(m.Step(), quint8(1));
        QCOMPARE(m.Spacing(), TPercent(100));
        QCOMPARE(m.LoopSpacing(), TPercent(100));
        QVERIFY(!m.Active());
        m.setStep(0);
        QCOMPARE(m.Step(), quint8(1));
        m.setStep(7);
        QCOMPARE(m.Step(), quint8(7));
        m.setInterval(0);
        QCOMPARE(m.Interval(), TRealTimeMarquee::EnKisaAralik);
        m.setInterval(4000000);
        QCOMPARE(m.Interval(), TRealTimeMarquee::EnUzunAralik);
    }

    void kaydirmaModeli_data()
    {
        QTest::addColumn<QList<QSize>>("boylar");
        QTest::addColumn<int>("adim");
        QTest::addColumn<unsigned>("turlar");
        QTest::addColumn<int>("tik");
        QTest::addColumn<QStringList>("beklenen");

        // 300 pixels in 1000, gaps 50 and 1000: 1300 ticks to cross and leave,
        // and the next copy enters as the first leaves.
        QTest::newRow("tek öğe") << QList<QSize> {{300, 20}} << 1 << 0u << 2600
                                 << QStringList {u"1: 1 0-0 L0"_s, u"1300: 1 0-0 L1"_s,
                                                 u"2600: 1 0-0 L2"_s};
        QTest::newRow("iki öğe") << QList<QSize> {{300, 20}, {200, 20}} << 1 << 0u << 1600
                                 << QStringList {u"1: 1 0-0 L0"_s, u"350: 2 0-1 L0"_s,
                                                 u"1300: 1 1-1 L0"_s, u"1550: 1 0-0 L1"_s};
        QTest::newRow("NumLoops 2")
            << QList<QSize> {{300, 20}} << 1 << 2u << 2600
            << QStringList {u"1: 1 0-0 L0"_s, u"1300: 1 0-0 L1"_s, u"2600: 0 0-0 L0 durdu"_s};
        QTest::newRow("Step 7") << QList<QSize> {{300, 20}} << 7 << 0u << 190
                                << QStringList {u"1: 1 0-0 L0"_s, u"186: 1 0-0 L1"_s};
        // An item that draws nothing takes no room beyond its gap.
        QTest::newRow("boş öğe") << QList<QSize> {{0, 0}, {300, 20}} << 1 << 0u << 1400
                                 << QStringList {u"1: 1 0-0 L0"_s, u"50: 2 0-1 L0"_s,
                                                 u"1000: 1 1-1 L0"_s, u"1350: 1 0-0 L1"_s,
                                                 u"1400: 2 0-1 L1"_s};
    }

    void kaydirmaModeli()
    {
        QFETCH(QList<QSize>, boylar);
        QFETCH(int, adim);
        QFETCH(unsigned, turlar);
        QFETCH(int, tik);
        QFETCH(QStringList, beklenen);
        auto m = bloklar({1000, 20}, boylar);
        m->setStep(quint8(adim));
        m->setNumLoops(turlar);
        m->setActive(true);
        QCOMPARE(iz(*m, tik), beklenen);
    }

    void konumlarOrnekteki()
    {
        auto m = bloklar({1000, 20}, {{300, 20}});
        m->setActive(true);
        for (int t = 0; t < 1299; ++t)
            m->BirAdimKaydir();
        QCOMPARE(m->NewestOffset(), 1299);
        QCOMPARE(m->OldestOffset(), 1299);
        m->BirAdimKaydir();
        // The copy that left and the copy that entered stand at the entry edge.
        QCOMPARE(m->NewestOffset(), 0);
        QCOMPARE(m->OldestOffset(), 0);
    }

    void cizim_data()
    {
        QTest::addColumn<QSize>("istemci");
        QTest::addColumn<TMarqueeOrientation>("yon");
        QTest::addColumn<Qt::LayoutDirection>("okuma");
        QTest::addColumn<int>("tik");
        QTest::addColumn<int>("ilk");
        QTest::addColumn<int>("son");

        QTest::newRow("soldan sağa girer") << QSize(1000, 20) << TMarqueeOrientation::moHorizontal
                                           << Qt::LeftToRight << 100 << 900 << 999;
        QTest::newRow("yarısı çıkmış") << QSize(1000, 20) << TMarqueeOrientation::moHorizontal
                                       << Qt::LeftToRight << 1150 << 0 << 149;
        QTest::newRow("sağdan sola soldan girer")
            << QSize(1000, 20) << TMarqueeOrientation::moHorizontal << Qt::RightToLeft << 100 << 0
            << 99;
        QTest::newRow("sağdan sola sağdan çıkar")
            << QSize(1000, 20) << TMarqueeOrientation::moHorizontal << Qt::RightToLeft << 1150
            << 850 << 999;
        QTest::newRow("dikey alttan girer") << QSize(20, 1000) << TMarqueeOrientation::moVertical
                                            << Qt::LeftToRight << 100 << 900 << 999;
    }

    void cizim()
    {
        QFETCH(QSize, istemci);
        QFETCH(TMarqueeOrientation, yon);
        QFETCH(Qt::LayoutDirection, okuma);
        QFETCH(int, tik);
        QFETCH(int, ilk);
        QFETCH(int, son);
        const bool yatay = yon == TMarqueeOrientation::moHorizontal;
        auto m = bloklar(istemci, {yatay ? QSize(300, 20) : QSize(20, 300)});
        m->setOrientation(yon);
        m->setLayoutDirection(okuma);
        m->setActive(true);
        for (int t = 0; t < tik; ++t)
            m->BirAdimKaydir();
        const QImage resim = cizilen(*m);
        const auto kirmizi = aralik(resim, Qt::red, yatay ? Qt::Horizontal : Qt::Vertical);
        QCOMPARE(kirmizi, std::pair(ilk, son));
        // Everything else is background.
        const int disari = ilk > 0 ? ilk - 1 : son + 1;
        QCOMPARE(resim.pixelColor(yatay ? disari : 10, yatay ? 10 : disari), zemin);
    }

    void caprazHiza_data()
    {
        QTest::addColumn<TMarqueeAlignment>("hiza");
        QTest::addColumn<int>("ilk");
        QTest::addColumn<int>("son");

        QTest::newRow("maCenter") << TMarqueeAlignment::maCenter << 5 << 14;
        QTest::newRow("maLeftOrTop") << TMarqueeAlignment::maLeftOrTop << 0 << 9;
        QTest::newRow("maRightOrBottom") << TMarqueeAlignment::maRightOrBottom << 10 << 19;
    }

    void caprazHiza()
    {
        QFETCH(TMarqueeAlignment, hiza);
        QFETCH(int, ilk);
        QFETCH(int, son);
        auto m = bloklar({1000, 20}, {{300, 10}});
        m->Items()[0]->setAlignment(hiza);
        m->setActive(true);
        for (int t = 0; t < 100; ++t)
            m->BirAdimKaydir();
        QCOMPARE(aralik(cizilen(*m), Qt::red, Qt::Vertical, 950), std::pair(ilk, son));
    }

    void yalnizSeritCizilir()
    {
        auto m = bloklar({1000, 20}, {{300, 20}});
        m->setActive(true);
        for (int t = 0; t < 100; ++t)
            m->BirAdimKaydir();
        QImage resim(m->size(), QImage::Format_RGB32);
        resim.fill(Qt::black);
        QPainter p(&resim);
        m->DrawItems(p, QRect(899, 0, 2, 20));
        p.end();
        QCOMPARE(resim.pixelColor(899, 10), zemin);
        QCOMPARE(resim.pixelColor(900, 10), QColor(Qt::red));
        QCOMPARE(resim.pixelColor(898, 10), QColor(Qt::black));
        QCOMPARE(resim.pixelColor(901, 10), QColor(Qt::black));
    }

    void showing()
    {
        auto m = bloklar({1000, 20}, {{300, 20}, {200, 20}, {100, 20}});
        QVERIFY(!m->Items()[0]->Showing());
        m->setActive(true);
        for (int t = 0; t < 400; ++t) // items 0 and 1 on screen
            m->BirAdimKaydir();
        QCOMPARE(m->Items()[0]->Showing(), true);
        QCOMPARE(m->Items()[1]->Showing(), true);
        QCOMPARE(m->Items()[2]->Showing(), false);
        for (int t = 400; t < 1400; ++t) // 0 has left, 1 and 2 on screen
            m->BirAdimKaydir();
        QCOMPARE(durum(*m), u"2 1-2 L0"_s);
        QCOMPARE(m->Items()[0]->Showing(), false);
        QCOMPARE(m->Items()[2]->Showing(), true);

        // More copies on screen than items: every item shows.
        auto kucuk = bloklar({1000, 20}, {{10, 20}}, 0, 0);
        kucuk->setActive(true);
        for (int t = 0; t < 50; ++t)
            kucuk->BirAdimKaydir();
        QVERIFY(kucuk->VisibleCount() > 1);
        QVERIFY(kucuk->Items()[0]->Showing());
    }

    void hazirlamaGecersizKilinir()
    {
        auto m = bloklar({1000, 20}, {{300, 20}, {200, 20}});
        m->setActive(true);
        for (int t = 0; t < 400; ++t)
            m->BirAdimKaydir();
        TMarqueeItem *oge = m->Items()[0];
        QVERIFY(oge->Prepared());

        oge->setText(oge->Text()); // unchanged: stays rendered
        QVERIFY(oge->Prepared());
        oge->setAlignment(TMarqueeAlignment::maLeftOrTop); // horizontal: only moves it
        QVERIFY(oge->Prepared());
        oge->setText(u"yeni"_s);
        QVERIFY(!oge->Prepared());
        QCOMPARE(oge->Size(), QSize(300, 20));

        // A new font renders every item again; nothing rendered is on screen, so scrolling starts
        // over.
        QFont f = m->font();
        f.setPixelSize(f.pixelSize() > 0 ? f.pixelSize() + 3 : 30);
        m->setFont(f);
        QVERIFY(!m->Items()[0]->Prepared());
        QVERIFY(!m->Items()[1]->Prepared());
        QCOMPARE(m->VisibleCount(), 0u);
        m->BirAdimKaydir();
        QCOMPARE(durum(*m), u"1 0-0 L0"_s);
        QCOMPARE(m->NewestOffset(), 1);

        m->setOrientation(TMarqueeOrientation::moVertical);
        m->Items()[0]->Size();
        m->Items()[0]->setAlignment(TMarqueeAlignment::maCenter);
        QVERIFY(!m->Items()[0]->Prepared());
    }

    void metinVeHtmlOgeleri()
    {
        TRealTimeMarquee m;
        m.resize(1000, 40);
        m.setColor(zemin);
        QFont f(u"DejaVu Sans"_s);
        f.setPixelSize(24);
        m.setFont(f);
        TMarqueeItem *metin = m.Items().Add();
        metin->setText(u"Kampanya\tbaşladı"_s);
        TMarqueeItem *html = m.Items().Add();
        html->setStyle(TMarqueeStyle::msHTML);
        html->setText(u"<b>Yeni</b> <a href=\"https://ornek.com.tr/haber\">haber</a>"_s);

        QImage olcu(1, 1, QImage::Format_RGB32);
        QPainter p(&olcu);
        p.setFont(f);
        const int ortalama = p.fontMetrics().averageCharWidth();
        const QRect metinAlani = p.boundingRect(
            QRect(), Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip, metin->Text());
        QCOMPARE(metin->Size(), QSize(metinAlani.width() + ortalama, metinAlani.height()));

        TSimpleHTML belge(html->Text());
        const QSize belgeBoyu = belge.Extend(p);
        QCOMPARE(html->Size(), QSize(belgeBoyu.width() + ortalama, belgeBoyu.height()));
        QVERIFY(html->Links());
        QCOMPARE(html->Links()->Count(), 1);
        const QRect baglanti = html->Links()->Bounds(0);
        QCOMPARE(baglanti.left(),
                 ortalama / 2 + belge.Children(0)->Extend(p).width() +
                     belge.Children(1)->Extend(p).width());
        QString link;
        QVERIFY(html->GetLinkAt(baglanti.center().x(), baglanti.center().y(), link));
        QCOMPARE(link, u"https://ornek.com.tr/haber"_s);
        QVERIFY(!html->GetLinkAt(1, baglanti.center().y(), link));
        QVERIFY(!metin->GetLinkAt(5, 5, link));

        // The bitmap carries the control's colour around the text.
        QCOMPARE(metin->Bitmap().pixelColor(0, 0), zemin);
        QCOMPARE(html->Bitmap().pixelColor(html->Size().width() - 1, 0), zemin);
    }

    void dikeyMetinIstemciGenisligindeKirilir()
    {
        TRealTimeMarquee m;
        m.setOrientation(TMarqueeOrientation::moVertical);
        m.resize(120, 400);
        m.show();
        TMarqueeItem *oge = m.Items().Add();
        oge->setText(u"uzun bir haber metni satırlara bölünür"_s);
        const QSize dar = oge->Size();
        QVERIFY2(dar.width() <= 120, qPrintable(QString::number(dar.width())));
        m.resize(1000, 400); // wider client: fewer lines
        QVERIFY(!oge->Prepared());
        QVERIFY(oge->Size().height() < dar.height());
    }

    void sahipCizimsizBosOge()
    {
        TRealTimeMarquee m;
        TMarqueeItem *oge = m.Items().Add();
        oge->setStyle(TMarqueeStyle::msOwnerDraw);
        QCOMPARE(oge->Size(), QSize(0, 0));
        QVERIFY(oge->Prepared());
    }

    void koleksiyon()
    {
        TRealTimeMarquee m;
        TMarqueeCollection &ogeler = m.Items();
        QCOMPARE(ogeler.Marquee(), &m);
        ogeler.LoadFromStrings({u"bir"_s, u"<b>iki</b>"_s, QString()}, TMarqueeTextStyle::msHTML);
        QCOMPARE(ogeler.Count(), 3);
        QCOMPARE(ogeler[1]->Style(), TMarqueeStyle::msHTML);
        QCOMPARE(ogeler[2]->DisplayName(), u"TMarqueeItem"_s);
        QCOMPARE(ogeler[0]->DisplayName(), u"bir"_s);
        QCOMPARE(ogeler[1]->Marquee(), &m);

        ogeler.Insert(1)->setText(u"araya"_s);
        ogeler.Insert(-5)->setText(u"başa"_s);
        ogeler.Insert(99)->setText(u"sona"_s);
        ogeler.Delete(99);
        ogeler.Delete(-1);
        QStringList satirlar {u"eski"_s};
        ogeler.SaveToStrings(satirlar);
        QCOMPARE(
            satirlar,
            (QStringList {u"başa"_s, u"bir"_s, u"araya"_s, u"<b>iki</b>"_s, QString(), u"sona"_s}));
        QCOMPARE(ogeler[2]->Index(), 2);
        ogeler.Delete(0);
        QCOMPARE(ogeler[0]->Text(), u"bir"_s);

        // Assign copies the text and the style only.
        TMarqueeItem *hedef = ogeler[0];
        hedef->setTag(7);
        hedef->setAlignment(TMarqueeAlignment::maRightOrBottom);
        hedef->Assign(*ogeler[2]);
        QCOMPARE(hedef->Text(), u"<b>iki</b>"_s);
        QCOMPARE(hedef->Style(), TMarqueeStyle::msHTML);
        QCOMPARE(hedef->Tag(), 7);
        QCOMPARE(hedef->Alignment(), TMarqueeAlignment::maRightOrBottom);

        ogeler.LoadFromStrings({u"düz"_s}, TMarqueeTextStyle::msText);
        QCOMPARE(ogeler.Count(), 1);
        QCOMPARE(ogeler[0]->Style(), TMarqueeStyle::msText);
    }

    void zamanlayici()
    {
        auto m = bloklar({400, 20}, {{50, 20}});
        QVERIFY(!m->TimerPending());
        m->setActive(true);
        QVERIFY(!m->TimerPending()); // no window yet
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m.get()));
        QVERIFY(m->TimerPending());
        // The timer drives the ticks.
        QVERIFY(QTest::qWaitFor([&] { return m->NewestOffset() >= 3; }));

        // Clearing the items while scrolling stops the timer.
        m->Items().Clear();
        QVERIFY(!m->TimerPending());
        QCOMPARE(m->VisibleCount(), 0u);
        // A new item starts again from the first item at the entry edge.
        TMarqueeItem *oge = m->Items().Add();
        oge->setStyle(TMarqueeStyle::msOwnerDraw);
        QVERIFY(m->TimerPending());
        m->setActive(false);
        QVERIFY(!m->TimerPending());
        m->setActive(true);
        m->BirAdimKaydir();
        QCOMPARE(durum(*m), u"1 0-0 L0"_s);
        QCOMPARE(m->NewestOffset(), 1);

        m->hide();
        QVERIFY(!m->TimerPending());
        m->show();
        QVERIFY(m->TimerPending());
    }

    void turlarBitinceDurur()
    {
        auto m = bloklar({100, 20}, {{20, 20}, {30, 20}}, 10, 50);
        m->setStep(25);
        m->setInterval(1);
        m->setNumLoops(2);
        int sarilma = 0;
        m->setOnWrap([&](TRealTimeMarquee *gonderen) {
            QCOMPARE(gonderen, m.get());
            ++sarilma;
        });
        m->show();
        m->setActive(true);
        QVERIFY(QTest::qWaitFor([&] { return !m->Active(); }, 10000));
        QVERIFY(!m->TimerPending());
        QCOMPARE(m->LoopCount(), 0u);
        QTest::qWait(20);
        QCOMPARE(sarilma, 2);
    }

    void kaydirilanEkranCizimleEsit()
    {
        // The pixels Qt scrolls plus the strips painted must equal a full drawing.
        auto m = bloklar({300, 30}, {{70, 30}, {40, 20}, {90, 10}}, 20, 40);
        m->Items()[1]->setAlignment(TMarqueeAlignment::maLeftOrTop);
        m->setStep(3);
        m->setInterval(2);
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m.get()));
        m->setActive(true);
        QVERIFY(
            QTest::qWaitFor([&] { return m->LoopCount() >= 1 && m->VisibleCount() >= 2; }, 10000));
        m->setActive(false);
        QTest::qWait(50);
        const QImage ekran =
            m->screen()->grabWindow(m->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(ekran, cizilen(*m));
    }

    void baglantiImleciVeTiklama()
    {
        TRealTimeMarquee m;
        m.resize(600, 40);
        QFont f(u"DejaVu Sans"_s);
        f.setPixelSize(20);
        m.setFont(f);
        m.setStep(100);
        TMarqueeItem *oge = m.Items().Add();
        oge->setStyle(TMarqueeStyle::msHTML);
        oge->setText(u"<a href=\"https://ornek.com.tr/haber\">HABERLER</a>"_s);
        QStringList olaylar;
        m.setOnLink([&](TRealTimeMarquee *, const QString &link) { olaylar << link; });
        m.setOnClick([&](TRealTimeMarquee *) { olaylar << u"tıklama"_s; });
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.setActive(true);
        m.setActive(false); // driven by hand below
        for (int t = 0; t < 5; ++t)
            m.BirAdimKaydir(); // the item stands at 100..: leading edge travelled 500

        QString link;
        QVERIFY(m.LinkAt(QPoint(m.width() - 500 + oge->Size().width() / 2, 20), link));
        const QPoint uzerinde(m.width() - 500 + oge->Size().width() / 2, 20);
        QTest::mouseMove(&m, uzerinde);
        QTRY_VERIFY(m.MouseIsInside());
        QCOMPARE(m.ActiveLink(), u"https://ornek.com.tr/haber"_s);
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseClick(&m, Qt::LeftButton, {}, uzerinde);
        QCOMPARE(olaylar, (QStringList {u"tıklama"_s, u"https://ornek.com.tr/haber"_s}));

        // The pointer stays; the text moves away under it.
        for (int t = 0; t < 3; ++t)
            m.BirAdimKaydir();
        QVERIFY(m.ActiveLink().isEmpty());
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(&m, Qt::LeftButton, {}, uzerinde);
        QCOMPARE(olaylar,
                 (QStringList {u"tıklama"_s, u"https://ornek.com.tr/haber"_s, u"tıklama"_s}));
    }

    void varsayilanBaglantiAcilir()
    {
        // Without OnLink the desktop opens the address.
        TRealTimeMarquee m;
        m.resize(400, 40);
        m.setStep(200);
        TMarqueeItem *oge = m.Items().Add();
        oge->setStyle(TMarqueeStyle::msHTML);
        oge->setText(u"<a href=https://ornek.com.tr>SİTE</a>"_s);
        QDesktopServices::setUrlHandler(u"https"_s, this, "acildi");
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.BirAdimKaydir(); // leading edge at 200
        const QPoint uzerinde(200 + oge->Size().width() / 2, 20);
        QTest::mouseMove(&m, uzerinde);
        QTRY_COMPARE(m.ActiveLink(), u"https://ornek.com.tr"_s);
        QTest::mouseClick(&m, Qt::LeftButton, {}, uzerinde);
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QCOMPARE(fAcilan, QList<QUrl> {QUrl(u"https://ornek.com.tr"_s)});
    }

    void acilabilirBaglanti_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("acilir");

        QTest::newRow("https") << u"https://ornek.com.tr/a?b=1"_s << true;
        QTest::newRow("http, boşluklu") << u"  http://ornek.com.tr "_s << true;
        QTest::newRow("adres gibi") << u"www.ornek.com.tr"_s << true;
        QTest::newRow("mailto") << u"mailto:siparis@ornek.com.tr"_s << true;
        QTest::newRow("boş") << u"   "_s << false;
        QTest::newRow("javascript") << u"javascript:alert(1)"_s << false;
        QTest::newRow("olmayan dosya") << u"file:///yok/boyle/bir/dosya.pdf"_s << false;
        QTest::newRow("program") << u"/bin/sh"_s << false;
        QTest::newRow("klasör") << u"/tmp"_s << false;
    }

    void acilabilirBaglanti()
    {
        QFETCH(QString, link);
        QFETCH(bool, acilir);
        QCOMPARE(TRealTimeMarquee::AcilabilirBaglanti(link), acilir);
    }

    void belgeBaglantisiAcilir()
    {
        QTemporaryDir klasor;
        const QString belge = klasor.filePath(u"kampanya.pdf"_s);
        QFile dosya(belge);
        QVERIFY(dosya.open(QIODevice::WriteOnly));
        dosya.write("%PDF-1.4\n");
        dosya.close();
        QUrl adres;
        QVERIFY(TRealTimeMarquee::AcilabilirBaglanti(belge, &adres));
        QCOMPARE(adres, QUrl::fromLocalFile(belge));
        dosya.setPermissions(dosya.permissions() | QFileDevice::ExeOwner);
        QVERIFY(!TRealTimeMarquee::AcilabilirBaglanti(belge));
    }

    void farelGirisCikis()
    {
        TRealTimeMarquee m;
        int giris = 0, cikis = 0;
        m.setOnMouseEnter([&](TRealTimeMarquee *) { ++giris; });
        m.setOnMouseLeave([&](TRealTimeMarquee *) { ++cikis; });
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        QEnterEvent giren(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&m, &giren);
        QVERIFY(m.MouseIsInside());
        QEvent cikan(QEvent::Leave);
        QCoreApplication::sendEvent(&m, &cikan);
        QVERIFY(!m.MouseIsInside());
        QCOMPARE(giris, 1);
        QCOMPARE(cikis, 1);
    }

    void durDuraklamasindaListeSilinebilir()
    {
        // Rendering a DUR item pauses with events running; what they change
        // meanwhile (the list, even the control) must not be touched after.
        for (const bool kontroluSil : {false, true}) {
            auto *m = new TRealTimeMarquee;
            m->resize(300, 30);
            TMarqueeItem *oge = m->Items().Add();
            oge->setStyle(TMarqueeStyle::msHTML);
            oge->setText(u"<dur>dur</dur>"_s);
            bool calisti = false;
            QTimer::singleShot(100, this, [&] {
                calisti = true;
                if (kontroluSil)
                    delete m;
                else
                    m->Items().Clear();
            });
            m->BirAdimKaydir();
            QVERIFY(calisti);
            if (!kontroluSil) {
                QCOMPARE(m->VisibleCount(), 0u);
                QCOMPARE(m->Items().Count(), 0);
                delete m;
            }
        }
    }

public slots:
    void acildi(const QUrl &adres) { fAcilan << adres; }

private:
    QList<QUrl> fAcilan;
};

QTEST_MAIN(KayanYaziTesti)
#include "tst_realtimemarquee.moc"
