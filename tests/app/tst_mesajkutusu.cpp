#include <functional>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/mesajkutusu.h"
#include "tests/app/mesajizleyici.h"

using namespace Qt::StringLiterals;

namespace {

// Runs eylem on the message dialog as soon as it is open, while cagri waits in it.
int dialogla(const MesajIzleyici::Eylem &eylem, const std::function<int()> &cagri)
{
    MesajIzleyici izleyici(eylem);
    return cagri();
}

QStringList basliklar(QDialog *d)
{
    QStringList sonuc;
    // Layout order, left to right.
    auto dugmeler = d->findChildren<QPushButton *>();
    std::sort(dugmeler.begin(), dugmeler.end(),
              [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    for (QPushButton *b : dugmeler)
        sonuc << b->text();
    return sonuc;
}

void enterBas(QDialog *)
{
    QVERIFY(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

} // namespace

class MesajKutusuTesti final : public QObject
{
    Q_OBJECT

    QStringList calinanSesler;

private slots:
    void initTestCase()
    {
        MesajSesiCaliciKur([this](const QString &ses) { calinanSesler << ses; });
    }

    void basliklarVeDugmeler_data()
    {
        QTest::addColumn<int>("tur");
        QTest::addColumn<int>("dugmeler");
        QTest::addColumn<QString>("baslik");
        QTest::addColumn<QStringList>("dugmeBasliklari");
        QTest::addColumn<QString>("ses");

        QTest::newRow("hata, tamam") << int(MesajTuru::Hata) << TamamDugmesi << u"Hata"_s
                                     << QStringList {u"Tamam"_s} << u"dialog-error"_s;
        QTest::newRow("soru, evet hayır")
            << int(MesajTuru::Soru) << EvetHayirDugmeleri << u"Soru"_s
            << QStringList {u"Evet"_s, u"Hayır"_s} << u"dialog-question"_s;
        QTest::newRow("uyarı") << int(MesajTuru::Uyari) << TamamDugmesi << u"Uyarı"_s
                               << QStringList {u"Tamam"_s} << u"dialog-warning"_s;
        QTest::newRow("bilgi, hepsi")
            << int(MesajTuru::Bilgi) << 0x7FF << u"Bilgi"_s
            << QStringList {u"Evet"_s,        u"Hayır"_s,  u"Tamam"_s, u"Vazgeç"_s,
                            u"İptal"_s,       u"Tekrar"_s, u"Atla"_s,  u"Tümüne Hayır"_s,
                            u"Tümüne Evet"_s, u"Yardım"_s}
            << u"dialog-information"_s;
        QTest::newRow("tanınmayan set tamam gösterir")
            << int(MesajTuru::Bilgi) << 0 << u"Bilgi"_s << QStringList {u"Tamam"_s}
            << u"dialog-information"_s;
        QTest::newRow("özel, sessiz")
            << int(MesajTuru::Ozel) << TamamDugmesi << QGuiApplication::applicationDisplayName()
            << QStringList {u"Tamam"_s} << QString();
    }

    void basliklarVeDugmeler()
    {
        QFETCH(int, tur);
        QFETCH(int, dugmeler);
        QFETCH(QString, baslik);
        QFETCH(QStringList, dugmeBasliklari);
        QFETCH(QString, ses);

        calinanSesler.clear();
        QString gorulenBaslik;
        QStringList gorulenDugmeler;
        QString metin;
        int yaziBoyu = 0;
        dialogla(
            [&](QDialog *d) {
                gorulenBaslik = d->windowTitle();
                gorulenDugmeler = basliklar(d);
                metin = d->findChild<QLabel *>(u"mesajMetni"_s)->text();
                yaziBoyu = d->font().pointSize();
                d->done(0);
            },
            [&] { return MesajKutusu(u"Bir ileti"_s, MesajTuru(tur), dugmeler, 0, 2); });
        QCOMPARE(gorulenBaslik, baslik);
        QCOMPARE(gorulenDugmeler, dugmeBasliklari);
        QCOMPARE(metin, u"Bir ileti"_s);
        QCOMPARE(yaziBoyu, 15);
        QCOMPARE(calinanSesler, ses.isEmpty() ? QStringList() : QStringList {ses});
    }

    void varsayilanDugmeEnterIleBasilir_data()
    {
        QTest::addColumn<int>("dugmeler");
        QTest::addColumn<int>("varsayilan");
        QTest::addColumn<QString>("odakta");
        QTest::addColumn<int>("sonuc");
        QTest::newRow("soru, varsayılan hayır")
            << EvetHayirDugmeleri << int(Dugme::Hayir) << u"Hayır"_s << int(MesajSonucu::Hayir);
        QTest::newRow("soru, varsayılan evet")
            << EvetHayirDugmeleri << int(Dugme::Evet) << u"Evet"_s << int(MesajSonucu::Evet);
        QTest::newRow("tamam") << TamamDugmesi << int(Dugme::Tamam) << u"Tamam"_s
                               << int(MesajSonucu::Tamam);
        QTest::newRow("sette olmayan varsayılan")
            << EvetHayirDugmeleri << int(Dugme::Tamam) << u"Evet"_s << int(MesajSonucu::Evet);
        QTest::newRow("tekrar, iptal")
            << (DugmeBiti(Dugme::Iptal) | DugmeBiti(Dugme::Tekrar)) << int(Dugme::Tekrar)
            << u"Tekrar"_s << int(MesajSonucu::Tekrar);
        QTest::newRow("tümüne evet")
            << (DugmeBiti(Dugme::Evet) | DugmeBiti(Dugme::TumuneEvet)) << int(Dugme::TumuneEvet)
            << u"Tümüne Evet"_s << int(MesajSonucu::TumuneEvet);
    }

    void varsayilanDugmeEnterIleBasilir()
    {
        QFETCH(int, dugmeler);
        QFETCH(int, varsayilan);
        QFETCH(QString, odakta);
        QFETCH(int, sonuc);
        QString odaktaki;
        const int donen = dialogla(
            [&](QDialog *d) {
                auto *b = qobject_cast<QPushButton *>(QApplication::focusWidget());
                odaktaki = b ? b->text() : QString();
                enterBas(d);
            },
            [&] {
                return MesajKutusu(u"Emin misiniz ?"_s, MesajTuru::Soru, dugmeler, 0, varsayilan);
            });
        QCOMPARE(odaktaki, odakta);
        QCOMPARE(donen, sonuc);
    }

    void escapeVazgecGibiYanitlar_data()
    {
        QTest::addColumn<int>("dugmeler");
        QTest::addColumn<int>("sonuc");
        QTest::newRow("evet hayır") << EvetHayirDugmeleri << int(MesajSonucu::Hayir);
        QTest::newRow("tamam") << TamamDugmesi << int(MesajSonucu::Tamam);
        QTest::newRow("evet hayır vazgeç")
            << (EvetHayirDugmeleri | DugmeBiti(Dugme::Vazgec)) << int(MesajSonucu::Vazgec);
    }

    void escapeVazgecGibiYanitlar()
    {
        QFETCH(int, dugmeler);
        QFETCH(int, sonuc);
        const int donen = dialogla(
            [](QDialog *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
            [&] { return MesajKutusu(u"?"_s, MesajTuru::Soru, dugmeler, 0, Dugme::Evet); });
        QCOMPARE(donen, sonuc);
    }

    void yardimDugmesiKapatmaz()
    {
        bool acikKaldi = false;
        const int donen = dialogla(
            [&](QDialog *d) {
                d->findChild<QPushButton *>(u"dugmeYardim"_s)->click();
                acikKaldi = d->isVisible();
                d->findChild<QPushButton *>(u"dugmeTamam"_s)->click();
            },
            [] {
                return MesajKutusu(u"?"_s, MesajTuru::Bilgi,
                                   TamamDugmesi | DugmeBiti(Dugme::Yardim), 0, Dugme::Tamam);
            });
        QVERIFY(acikKaldi);
        QCOMPARE(donen, int(MesajSonucu::Tamam));
    }

    void ekraninOrtasinda()
    {
        QPoint merkez;
        dialogla(
            [&](QDialog *d) {
                merkez = d->frameGeometry().center();
                d->done(0);
            },
            [] { return MesajKutusu(u"Ortada"_s, MesajTuru::Bilgi, TamamDugmesi, 0, 2); });
        const QPoint ekranMerkezi = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((merkez - ekranMerkezi).manhattanLength() <= 2,
                 qPrintable(u"%1,%2"_s.arg(merkez.x()).arg(merkez.y())));
    }

    void kisaYollar()
    {
        const int hayir = dialogla([](QDialog *d) { enterBas(d); },
                                   [] { return int(SoruSor(u"?"_s, Dugme::Hayir)); });
        QCOMPARE(hayir, 0);
        const int evet =
            dialogla([](QDialog *d) { enterBas(d); }, [] { return int(SoruSor(u"?"_s)); });
        QCOMPARE(evet, 1);
        calinanSesler.clear();
        dialogla([](QDialog *d) { enterBas(d); },
                 [] {
                     HataMesajiGoster(u"x"_s);
                     return 0;
                 });
        QCOMPARE(calinanSesler, QStringList {u"dialog-error"_s});
    }
};

QTEST_MAIN(MesajKutusuTesti)
#include "tst_mesajkutusu.moc"
