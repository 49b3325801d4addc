#include <QTest>

#include "app/mesajkutusu.h"
#include "app/unit1.h"
#include "app/utils/cikis.h"
#include "widgets/kayanyazi/realtimemarquee.h"

using namespace Qt::StringLiterals;

// The two tickers of the main window's bottom strip.
class AnaFormSeritleriTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MesajSesiCaliciKur([](const QString &) {});
        CikisKancasiKur([](int kod) { QFAIL(qPrintable(u"program ended with %1"_s.arg(kod))); });
    }

    void seritler()
    {
        TForm1 form([](SunucuBaglantisi &, TSonucBilgisi &sbilgi) {
            sbilgi.setDisip(u"127.0.0.1"_s);
            return true;
        });
        form.Goster();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        for (TRealTimeMarquee *m : {form.RealTimeMarquee1(), form.kayanyazi()}) {
            QCOMPARE(m->Color(), QColor(212, 225, 242));
            QCOMPARE(m->font().family(), u"Arial"_s);
            QCOMPARE(m->font().pixelSize(), 24);
            QCOMPARE(m->Spacing(), TPercent(5));
            QCOMPARE(m->Interval(), 10u);
        }
        QCOMPARE(form.RealTimeMarquee1()->height(), 72);
        QCOMPARE(form.kayanyazi()->height(), 51);
        // The news line sits below the picture strip, at the bottom of the window.
        QVERIFY(form.kayanyazi()->mapTo(&form, QPoint(0, 0)).y() >
                form.RealTimeMarquee1()->mapTo(&form, QPoint(0, 0)).y());
        QCOMPARE(form.kayanyazi()->width(), form.width());

        // The picture strip scrolls from the start, its one item the 5000 x 100 picture.
        TRealTimeMarquee *resim = form.RealTimeMarquee1();
        QVERIFY(resim->Active());
        QVERIFY(resim->TimerPending());
        QCOMPARE(resim->Items().Count(), 1);
        QCOMPARE(resim->Items()[0]->Style(), TMarqueeStyle::msOwnerDraw);
        QTRY_VERIFY(resim->VisibleCount() > 0);
        QCOMPARE(resim->Items()[0]->Size(), QSize(5000, 100));
        const QImage &bitmap = resim->Items()[0]->Bitmap();
        QCOMPARE(bitmap.pixelColor(0, 0), QColor(212, 225, 242));
        QVERIFY(bitmap.convertToFormat(QImage::Format_Indexed8).colorCount() >
                2); // drawn, not blank

        // The news line waits, empty, for the start-up content.
        QVERIFY(!form.kayanyazi()->Active());
        QCOMPARE(form.kayanyazi()->Items().Count(), 0);
        QVERIFY(!form.kayanyazi()->TimerPending());
    }
};

QTEST_MAIN(AnaFormSeritleriTesti)
#include "tst_anaformseritleri.moc"
