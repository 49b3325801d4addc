// The road of one order, end to end: the real dotezmar-sunucu on a fresh demo
// database, the real main window (offscreen); the demo dealer logs in
// through the login dialog, searches, puts an item into the basket, chooses
// delivery, shipping type and carrier, sends, confirms, and the order is in
// the database while the basket is empty.
#include <QTest>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "app/arkaplan.h"
#include "app/girisformu.h"
#include "app/sekmeler.h"
#include "app/unit1.h"
#include "app/utils/bicim.h"
#include "app/utils/cikis.h"
#include "remote/kurulum.h"
#include "catalog/katalog.h"
#include "catalog/sepetgorunumu.h"
#include "catalog/stokayarintiu.h"
#include "catalog/stoklistesi.h"
#include "sunucu/veritabani.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

namespace {

const QString sunucuProgrami = QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI);

// The server program on a demo database of its own making.
class DemoSunucusu
{
public:
    DemoSunucusu()
        : veritabani_(dizin_.filePath(u"demo.sqlite"_s))
    {
        QProcess demo;
        demo.start(sunucuProgrami, {u"demo-veri"_s, u"--veritabani"_s, veritabani_, u"--stok"_s, u"3000"_s});
        if (!demo.waitForFinished(120000) || demo.exitCode() != 0)
            qFatal("demo-veri failed: %s", demo.readAllStandardError().constData());

        surec_.start(sunucuProgrami, {u"--dinle"_s, u"127.0.0.1:0"_s, u"--veritabani"_s, veritabani_, u"--sessiz"_s});
        if (!surec_.waitForStarted(10000))
            qFatal("dotezmar-sunucu did not start");
        static const QRegularExpression dinliyor(u"http://127\\.0\\.0\\.1:(\\d+)/"_s);
        QByteArray cikti;
        for (int i = 0; i < 200 && port_ == 0 && surec_.state() == QProcess::Running; ++i) {
            surec_.waitForReadyRead(100);
            cikti += surec_.readAllStandardError();
            const QRegularExpressionMatch m = dinliyor.match(QString::fromUtf8(cikti));
            if (m.hasMatch())
                port_ = m.captured(1).toInt();
        }
        if (port_ == 0)
            qFatal("dotezmar-sunucu did not listen: %s", cikti.constData());
    }
    ~DemoSunucusu()
    {
        surec_.terminate();
        if (!surec_.waitForFinished(10000))
            surec_.kill();
    }
    int port() const { return port_; }
    std::unique_ptr<Veritabani> vt() const { return veritabaniAc(veritabani_); }

private:
    QTemporaryDir dizin_;
    QString veritabani_;
    QProcess surec_;
    int port_ = 0;
};

// The client pointed at the server, logging in as a demo computer, with its
// folders in a temporary home; the program's exits are recorded, not taken.
class IstemciOrtami
{
public:
    IstemciOrtami(int port, const QString &kimlik)
        : eskiEv_(qgetenv("HOME"))
        , cikislar_(std::make_shared<QList<int>>())
    {
        qputenv("HOME", QFile::encodeName(ev_.path()));
        KurulumDegerleri k = KurulumDegerleri::varsayilan();
        k.sunucuAdresi = u"127.0.0.1"_s;
        k.port = QString::number(port);
        KurulumAyarla(k);
        KimlikOkuyucuKur([kimlik] { return kimlik; });
        CikisKancasiKur([c = cikislar_](int kod) { c->append(kod); });
    }
    ~IstemciOrtami()
    {
        CikisKancasiKur({});
        KimlikOkuyucuKur({});
        KurulumAyarla(KurulumDegerleri::varsayilan());
        qputenv("HOME", eskiEv_);
    }
    const QList<int> &cikislar() const { return *cikislar_; }

private:
    QTemporaryDir ev_;
    QByteArray eskiEv_;
    std::shared_ptr<QList<int>> cikislar_;
};

// Types a text key by key, Turkish letters included (keyClicks takes ASCII only).
void yaz(QWidget *w, const QString &metin)
{
    for (const QChar c : metin)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_A, QString(c), Qt::NoModifier);
}

// With DOTEZMAR_EKRAN_GORUNTULERI set to a folder, the windows of the road
// are saved there as PNG (docs/screenshots are made this way, under Xvfb).
void goruntuAl(QWidget *w, const char *ad)
{
    const QString klasor = qEnvironmentVariable("DOTEZMAR_EKRAN_GORUNTULERI");
    if (klasor.isEmpty())
        return;
    QTest::qWait(300); // let the pictures and the grid settle
    w->grab().save(QDir(klasor).filePath(QString::fromLatin1(ad) + u".png"_s));
}

qint64 tamsayi(Veritabani &vt, std::string_view sql, qint64 deger)
{
    return vtTamsayi(vt.tekDeger(sql, deger));
}

} // namespace

class SiparisYoluTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        // As the program does: calls of the UI thread keep the window alive.
        AgBeklemesiKancalariniKur();
    }

    void birSiparisinYolu()
    {
        DemoSunucusu sunucu;
        IstemciOrtami ortam(sunucu.port(), u"DEMO-BAYI-0"_s);
        auto vt = sunucu.vt();
        const qint64 carino = vtTamsayi(vt->tekDeger(
                "SELECT k.carino FROM kullanicilar k JOIN bilgisayarlar b ON b.kullanici_no = k.sirano"
                " WHERE b.bilgisayar_id = 'DEMO-BAYI-0'"));
        const qint64 oncekiSiparisler = tamsayi(*vt, "SELECT COUNT(*) FROM siparisler WHERE carino = ?", carino);

        // The dealer logs in through the login dialog; every message is recorded.
        QStringList mesajlar;
        std::function<void(QDialog *)> pencere;
        QTimer izleyici;
        izleyici.setInterval(5);
        connect(&izleyici, &QTimer::timeout, this, [&] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!d || !d->isVisible() || d->property("goruldu").toBool())
                return;
            d->setProperty("goruldu", true);
            if (d->objectName() == u"girisform"_s) {
                auto *g = static_cast<Tgirisform *>(d);
                g->adi()->setText(u"BAYI0"_s);
                g->sifre()->setText(u"DEMO0"_s);
                g->girisButonu()->click();
            } else if (d->objectName() == u"MesajKutusu"_s) {
                mesajlar << d->windowTitle() + u": "_s + d->findChild<QLabel *>(u"mesajMetni"_s)->text();
                d->done(1);
            } else {
                mesajlar << d->windowTitle();
                if (pencere)
                    pencere(d);
            }
        });
        izleyici.start();
        TForm1 form;
        QVERIFY2(ortam.cikislar().isEmpty(), "the login ended the program");
        QCOMPARE(form.sbilgi().ADI(), u"BAYI0"_s);
        form.Goster();

        // A description typed with Turkish letters in lower case.
        StokListesi *liste = form.katalog()->stokListesi();
        QSignalSpy bitti(liste, &StokListesi::aramaBitti);
        yaz(form.araedit(), u"fren balatası"_s);
        QTest::keyClick(form.araedit(), Qt::Key_Return);
        QVERIFY(bitti.wait(30000));
        const BellekTablo &stok = form.tablolar().stok;
        QVERIFY(stok.satirSayisi() > 10);
        for (qsizetype i = 0; i < stok.satirSayisi(); ++i)
            QVERIFY(stok.metin(i, stok.kolonIndeksi(u"ADI")).startsWith(u"FREN BALATASI"_s));
        QCOMPARE(form.sayfaKontrolu()->dugme(int(Sekme::StokListesi))->rozet(), int(stok.satirSayisi()));
        goruntuAl(&form, "stok");

        // An OEM number of the catalogue, typed with other separators.
        VtKomutu &oem = vt->sorgula("SELECT stokno, oemno FROM stok_oemleri WHERE oemno LIKE '% % %'"
                                    " AND stokno IN (SELECT stokno FROM stoklar WHERE aktif = 1)"
                                    " ORDER BY stokno LIMIT 1");
        QVERIFY(oem.sonraki());
        const qint64 stokno = oem.tamsayi(0);
        const QString yazilan = oem.metin(1).replace(u' ', u'-');
        while (oem.sonraki()) { }
        form.araedit()->clear();
        yaz(form.araedit(), yazilan);
        form.araButonu()->click();
        QVERIFY(bitti.wait(30000));
        QVERIFY(stok.satirSayisi() >= 1);
        QCOMPARE(stok.tamsayi(0, stok.kolonIndeksi(u"STOK_STOKNO")), stokno);

        // Enter on the row opens the editor; the quantity becomes 4.
        double editordekiFiyat = 0;
        pencere = [&](QDialog *d) {
            auto *e = qobject_cast<Tstokayarinti *>(d);
            QVERIFY(e);
            editordekiFiyat = e->birimfiyat()->deger();
            e->adet()->selectAll();
            QTest::keyClicks(e->adet(), u"4"_s);
            goruntuAl(e, "sepetsatiri");
            QTest::keyClick(e->adet(), Qt::Key_Return);
        };
        VeriIzgarasi *izgara = liste->izgara();
        QVERIFY(izgara->satiraOdaklan(0));
        izgara->gorunum()->setFocus();
        QTest::keyClick(izgara->gorunum(), Qt::Key_Return);
        QVERIFY(mesajlar.contains(u"Sepete Ekle"_s));
        QVERIFY(editordekiFiyat > 0);

        // The basket tab shows the line with the server's amounts.
        form.sekmeyeGec(Sekme::Sepet);
        const BellekTablo &sepet = form.tablolar().sepet;
        const qsizetype satir = sepet.ara(sepet.kolonIndeksi(u"STOKNO"), stokno);
        QVERIFY(satir >= 0);
        const auto hucre = [&](QStringView alan) { return sepet.sayi(satir, sepet.kolonIndeksi(alan)); };
        QCOMPARE(hucre(u"MIKTAR"), 4.0);
        QCOMPARE(hucre(u"BIRIMFIYAT"), editordekiFiyat);
        QCOMPARE(hucre(u"TUTAR"), IkiHaneyeYuvarla(4 * editordekiFiyat));
        QCOMPARE(hucre(u"NETTUTAR"), IkiHaneyeYuvarla(hucre(u"TUTAR") - hucre(u"INDIRIMTUTAR")));
        QCOMPARE(hucre(u"VERGITUTARI"), IkiHaneyeYuvarla(hucre(u"NETTUTAR") * hucre(u"KDV") / 100));
        SepetGorunumu *s = form.katalog()->sepetGorunumu();
        QCOMPARE(s->izgara()->gorunenSatirSayisi(), int(sepet.satirSayisi()));
        const qsizetype satirSayisi = sepet.satirSayisi();

        // Delivery, shipping type and carrier, a note; send and confirm.
        s->teslimDurumu()->findChildren<QRadioButton *>().at(0)->click();
        s->kargoTurleri()->findChildren<QRadioButton *>().at(2)->click();
        QVERIFY(s->kargocombo()->count() > 1);
        s->kargocombo()->setCurrentIndex(1);
        emit s->kargocombo()->activated(1);
        s->aciklamagir()->setPlainText(u"Uçtan uca sınama siparişi"_s);
        goruntuAl(&form, "sepet");
        pencere = [](QDialog *d) { d->accept(); };
        s->gonderDugmesi()->click();
        QCOMPARE(mesajlar.takeLast(), u"Bilgi: Siparişiniz Gönderildi !"_s);
        QCOMPARE(mesajlar.takeLast(), u"Sipariş Onay"_s);
        QCOMPARE(sepet.satirSayisi(), 0);

        // The order is in the database with every line; the basket is empty.
        QCOMPARE(tamsayi(*vt, "SELECT COUNT(*) FROM siparisler WHERE carino = ?", carino), oncekiSiparisler + 1);
        const qint64 idno = tamsayi(*vt, "SELECT MAX(idno) FROM siparisler WHERE carino = ?", carino);
        QCOMPARE(tamsayi(*vt, "SELECT COUNT(*) FROM siparis_satirlari WHERE idno = ?", idno), qint64(satirSayisi));
        VtKomutu &k = vt->sorgula("SELECT miktar, birimfiyat FROM siparis_satirlari WHERE idno = ? AND stokno = ?",
                                  idno, stokno);
        QVERIFY(k.sonraki());
        QCOMPARE(k.ondalik(0), 4.0);
        QCOMPARE(k.ondalik(1), editordekiFiyat);
        while (k.sonraki()) { }
        QCOMPARE(vtMetin(vt->tekDeger("SELECT verenin_notu FROM siparisler WHERE idno = ?", idno)),
                 u"Uçtan uca sınama siparişi"_s);
        QCOMPARE(tamsayi(*vt, "SELECT kargo_turu FROM siparisler WHERE idno = ?", idno), 3);
        QCOMPARE(tamsayi(*vt, "SELECT COUNT(*) FROM sepet WHERE carino = ?", carino), 0);
    }
};

QTEST_MAIN(SiparisYoluTesti)
#include "tst_siparisyolu.moc"
