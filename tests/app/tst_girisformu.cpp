#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dosyaindiru.h"
#include "app/girisformu.h"
#include "app/kullanicikayitu.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "app/unit1.h"
#include "app/utils/ayarlar.h"
#include "girisortami.h"
#include "remote/sunucubaglantisi.h"

using namespace Qt::StringLiterals;

namespace {

const QString yanlisGiris = u"Uyarı: Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s;

// The main window's two pieces the login works on.
struct Oturum
{
    SunucuBaglantisi bagc;
    TSonucBilgisi sbilgi;
    Oturum() { bagc.kurulumAdresiniYaz(); }
};

// One login's world: the server (or none), the client pointed at it as
// computer `kimlik`, the dialog over a fresh session, open, and a watcher of
// the dialogs it opens.
class GirisDenemesi
{
public:
    explicit GirisDenemesi(const QString &kimlik, bool sunucuVar = true)
        : sunucu_(sunucuVar ? std::make_unique<SunucuSureci>() : nullptr)
        , ortam(sunucu_ ? sunucu_->port() : BosPort(), kimlik)
        , form(o.bagc, o.sbilgi)
    {
        izleyici.yokSay(&form);
        form.open();
    }
    SunucuSureci &sunucu() { return *sunucu_; }
    void gir(const QString &adi, const QString &sifre)
    {
        form.adi()->setText(adi);
        form.sifre()->setText(sifre);
        form.girisButonu()->click();
    }

private:
    std::unique_ptr<SunucuSureci> sunucu_;

public:
    IstemciOrtami ortam;
    PencereIzleyici izleyici;
    Oturum o;
    Tgirisform form;
};

// Types into a box as the user would, key by key (also letters QTest's
// Latin-1 keys cannot carry).
void yaz(QLineEdit *kutu, const QString &metin)
{
    kutu->setFocus();
    for (QChar harf : metin) {
        QKeyEvent bas(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(harf));
        QKeyEvent birak(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(harf));
        QApplication::sendEvent(kutu, &bas);
        QApplication::sendEvent(kutu, &birak);
    }
}

} // namespace

class GirisFormuTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MesajSesiCaliciKur([](const QString &) {});
        beklemeKancasiKur([](std::chrono::milliseconds) {}); // a refused connection fails at once
    }

    // A dealer types in lower case; the boxes show capitals, and capitals are
    // what is compared and remembered.
    void bayiGirisi()
    {
        GirisDenemesi d(bayiBilgisayari);
        QCOMPARE(d.form.windowTitle(), u"Giriş"_s);
        QCOMPARE(d.form.size(), QSize(368, 579));
        QVERIFY(d.form.benihatirla()->isChecked()); // no settings file yet

        yaz(d.form.adi(), u"ali"_s);
        yaz(d.form.sifre(), u"şef1"_s);
        QCOMPARE(d.form.adi()->text(), u"ALI"_s);
        QCOMPARE(d.form.sifre()->text(), u"ŞEF1"_s);
        QCOMPARE(d.form.sifre()->displayText(), u"****"_s);
        d.form.girisButonu()->click();
        QCOMPARE(d.form.girisButonu()->text(), u"Bağlanıyor..."_s);
        QVERIFY(!d.form.girisButonu()->isEnabled());

        QTRY_VERIFY(!d.form.isVisible());
        QCOMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(d.izleyici.gorulenler, QStringList());
        QCOMPARE(d.ortam.cikislar(), QList<int>());
        const TSonucBilgisi &b = d.o.sbilgi;
        QCOMPARE(b.ADI(), u"ALI"_s);
        QCOMPARE(b.CARINO(), 7);
        QCOMPARE(b.CariAdi(), u"ÇAĞLAR OTO YEDEK PARÇA"_s);
        QCOMPARE(b.SaticiAdi(), u"AYŞE KAYA"_s);
        QCOMPARE(b.Disip(), u"12"_s); // whatever the server sent
        QCOMPARE(b.BILGISAYARID(), bayiBilgisayari);
        QCOMPARE(d.o.bagc.HostName(), u"127.0.0.1"_s);
        QCOMPARE(KullaniciAyarlariniOku(), (KullaniciAyarlari {u"ALI"_s, u"ŞEF1"_s, true}));
    }

    void reddedilenGiris_data()
    {
        QTest::addColumn<QString>("kimlik");
        QTest::addColumn<QString>("adi");
        QTest::addColumn<QString>("sifre");
        QTest::addColumn<bool>("ayarYazilir");
        // Correct credentials of an inactive account are still remembered.
        QTest::newRow("yanlış şifre") << bayiBilgisayari << u"ALI"_s << u"ŞEF2"_s << false;
        QTest::newRow("başka kullanıcının adı") << bayiBilgisayari << u"PASIF"_s << u"P1"_s << false;
        QTest::newRow("pasif hesap") << pasifBilgisayari << u"PASIF"_s << u"P1"_s << true;
        QTest::newRow("boş kutular") << bayiBilgisayari << QString() << QString() << false;
    }

    void reddedilenGiris()
    {
        QFETCH(QString, kimlik);
        QFETCH(QString, adi);
        QFETCH(QString, sifre);
        QFETCH(bool, ayarYazilir);
        GirisDenemesi d(kimlik);
        d.form.sifre()->setFocus();
        d.gir(adi, sifre);

        QTRY_COMPARE(d.izleyici.gorulenler, QStringList {yanlisGiris});
        QTRY_VERIFY(d.form.girisButonu()->isEnabled());
        QVERIFY(d.form.isVisible()); // the user may try again
        QCOMPARE(d.form.girisButonu()->text(), u"Giriş!"_s);
        QCOMPARE(d.form.focusWidget(), d.form.adi());
        QCOMPARE(d.form.adi()->selectedText(), d.form.adi()->text());
        QCOMPARE(QFile::exists(AyarDosyasi()), ayarYazilir);
        if (ayarYazilir)
            QCOMPARE(KullaniciAyarlariniOku(), (KullaniciAyarlari {adi, sifre, true}));
        QCOMPARE(d.ortam.cikislar(), QList<int>());
    }

    void sunucuKapali()
    {
        GirisDenemesi d(bayiBilgisayari, false);
        d.o.sbilgi.setADI(u"ONCEKI"_s);
        d.gir(u"ALI"_s, u"ŞEF1"_s);

        QTRY_COMPARE(d.izleyici.gorulenler, QStringList {u"Hata: Bağlantı Kurulamadı !"_s});
        QTRY_VERIFY(d.form.girisButonu()->isEnabled());
        QVERIFY(d.form.isVisible());
        QVERIFY(!d.form.animasyon()->isVisible());
        QCOMPARE(d.o.sbilgi.ADI(), u"ONCEKI"_s); // a failed call copies nothing
        QVERIFY(!QFile::exists(AyarDosyasi()));
    }

    // The request form opens; when it closes the program ends.
    void bilinmeyenBilgisayar()
    {
        GirisDenemesi d(::bilinmeyenBilgisayar);
        QString lblid;
        int durum = -1;
        d.izleyici.baskaPencere = [&](QDialog *pencere) {
            if (auto *istek = qobject_cast<Tkullanicikayit *>(pencere)) {
                lblid = istek->lblid()->text();
                durum = istek->durum();
                istek->kapatButonu()->click();
            }
        };
        d.gir(u"YENI"_s, u"X"_s);

        QTRY_VERIFY(!d.form.isVisible());
        QCOMPARE(d.izleyici.gorulenler, QStringList {u"B2B İstek Formu"_s});
        QCOMPARE(lblid, u"Bilgisayar ID: PC-YOK"_s);
        QCOMPARE(durum, int(Tkullanicikayit::tyeni));
        QCOMPARE(d.ortam.cikislar(), QList<int> {0});
        QCOMPARE(d.form.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(AyarDosyasi()));
    }

    // An outdated client is updated before anything else is looked at, also
    // when its user typed a wrong password.
    void eskiSurumOnceGuncellenir()
    {
        GirisDenemesi d(bayiBilgisayari); // its server serves no setup package: the download fails
        QVERIFY(d.sunucu().yonet({u"istemci-surumu"_s, u"4"_s}).contains(u"4"_s));
        QString mesaj;
        d.izleyici.baskaPencere = [&](QDialog *pencere) {
            if (auto *g = qobject_cast<Tdosyaindir *>(pencere))
                mesaj = g->mesaj()->text();
        };
        d.gir(u"ALI"_s, u"YANLIS"_s);

        QTRY_COMPARE(d.izleyici.gorulenler.size(), 3);
        QCOMPARE(d.izleyici.gorulenler[0], u"Dosya İndir"_s);
        QVERIFY2(d.izleyici.gorulenler[1].startsWith(u"Hata: Hata Oluştu !\r\nHata: "_s),
                 qPrintable(d.izleyici.gorulenler[1]));
        // Reached only because the exit hook lets the program go on.
        QCOMPARE(d.izleyici.gorulenler[2], yanlisGiris);
        QVERIFY(mesaj.endsWith(u"\r\nVersion: 4-3"_s));
        QCOMPARE(d.ortam.cikislar(), QList<int> {0});
    }

    void beniHatirla_data()
    {
        QTest::addColumn<bool>("hatirla");
        QTest::newRow("işaretli") << true;
        QTest::newRow("işaretsiz") << false;
    }

    // The next start fills the boxes only when the box was checked; the file
    // keeps the name and password either way.
    void beniHatirla()
    {
        QFETCH(bool, hatirla);
        GirisDenemesi d(bayiBilgisayari);
        d.form.benihatirla()->setChecked(hatirla);
        d.gir(u"ALI"_s, u"ŞEF1"_s);
        QTRY_COMPARE(d.form.result(), int(QDialog::Accepted));
        QCOMPARE(KullaniciAyarlariniOku(), (KullaniciAyarlari {u"ALI"_s, u"ŞEF1"_s, hatirla}));

        Oturum o;
        Tgirisform sonraki(o.bagc, o.sbilgi);
        QCOMPARE(sonraki.benihatirla()->isChecked(), hatirla);
        QCOMPARE(sonraki.adi()->text(), hatirla ? u"ALI"_s : QString());
        QCOMPARE(sonraki.sifre()->text(), hatirla ? u"ŞEF1"_s : QString());
    }

    // Enter checks the box it is pressed in, moves on, and finally logs in.
    void enterTusu()
    {
        GirisDenemesi d(bayiBilgisayari);
        Tgirisform &form = d.form;
        QStringList &gorulenler = d.izleyici.gorulenler;
        QTRY_COMPARE(form.focusWidget(), form.adi());

        yaz(form.adi(), u"   "_s); // blanks are empty too
        QTest::keyClick(form.adi(), Qt::Key_Return);
        QTRY_COMPARE(gorulenler, QStringList {u"Uyarı: Lütfen kullanıcı adını giriniz !"_s});
        QTRY_COMPARE(form.focusWidget(), form.adi());
        QCOMPARE(form.adi()->selectedText(), u"   "_s);

        form.adi()->setText(u"ALI"_s);
        form.sifre()->setText(u"ESKİ"_s);
        QTest::keyClick(form.adi(), Qt::Key_Enter);
        QCOMPARE(form.focusWidget(), form.sifre());
        QCOMPARE(form.sifre()->selectedText(), form.sifre()->text()); // typing replaces it

        form.sifre()->clear();
        QTest::keyClick(form.sifre(), Qt::Key_Return);
        QTRY_COMPARE(gorulenler.size(), 2);
        QCOMPARE(gorulenler[1], u"Uyarı: Lütfen kullanıcı şifresini giriniz !"_s);
        QVERIFY(form.isVisible());
        QVERIFY(form.girisButonu()->isEnabled()); // Enter on an empty box never logs in

        yaz(form.sifre(), u"şef1"_s);
        QTest::keyClick(form.sifre(), Qt::Key_Return);
        QTRY_COMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(gorulenler.size(), 2);
    }

    void vazgec_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Vazgeç düğmesi") << false;
        QTest::newRow("Escape") << true;
    }

    void vazgec()
    {
        QFETCH(bool, escape);
        GirisDenemesi d(bayiBilgisayari, false);
        if (escape)
            QTest::keyClick(&d.form, Qt::Key_Escape);
        else
            d.form.vazgecButonu()->click();
        QCOMPARE(d.ortam.cikislar(), QList<int> {0});
        QCOMPARE(d.form.result(), int(QDialog::Rejected));
    }

    void temsilciCariSecer_data()
    {
        QTest::addColumn<bool>("secildi");
        QTest::newRow("cari seçildi") << true;
        QTest::newRow("seçim iptal") << false;
    }

    // Staff go on to the customer selection; cancelling it ends the program.
    void temsilciCariSecer()
    {
        QFETCH(bool, secildi);
        GirisDenemesi d(temsilciBilgisayari);
        int secimler = 0;
        const CariSecimAdimi onceki = CariSecimAdimiKur([&](SunucuBaglantisi &, TSonucBilgisi &b) {
            ++secimler;
            b.setCARINO(99);
            return secildi;
        });
        d.gir(u"TEMSILCI"_s, u"T1"_s);
        QTRY_VERIFY(!d.form.isVisible());
        CariSecimAdimiKur(onceki);

        QCOMPARE(secimler, 1);
        QCOMPARE(d.form.result(), int(secildi ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(d.ortam.cikislar(), secildi ? QList<int>() : QList<int> {0});
        QCOMPARE(d.o.sbilgi.CARINO(), 99);
    }

    // The main window's start-up shows the login and goes on only after it;
    // its menu opens the password-change request.
    void anaPencereGirisi()
    {
        SunucuSureci sunucu;
        IstemciOrtami ortam(sunucu.port(), bayiBilgisayari);
        PencereIzleyici izleyici;
        QTimer girici;
        girici.setInterval(5);
        connect(&girici, &QTimer::timeout, this, [&] {
            auto *form = qobject_cast<Tgirisform *>(QApplication::activeModalWidget());
            if (!form || !form->girisButonu()->isEnabled() || form->girisButonu()->text() != u"Giriş"_s)
                return;
            form->adi()->setText(u"ALI"_s);
            form->sifre()->setText(u"ŞEF1"_s);
            form->girisButonu()->click();
        });
        girici.start();
        TForm1 anaPencere;
        girici.stop();
        QCOMPARE(ortam.cikislar(), QList<int>());
        QCOMPARE(anaPencere.sbilgi().ADI(), u"ALI"_s);
        QCOMPARE(anaPencere.findChild<QLabel *>(u"kullaniciLabel"_s)->text(), u"ALI"_s);

        QStringList kutular;
        izleyici.baskaPencere = [&](QDialog *d) {
            auto *istek = qobject_cast<Tkullanicikayit *>(d);
            if (!istek)
                return;
            // Closed once the account's details have come.
            auto *bekleyici = new QTimer(istek);
            connect(bekleyici, &QTimer::timeout, istek, [&kutular, istek] {
                if (istek->dolduruluyor())
                    return;
                for (const char *ad : {"kullaniciadi", "firmaadi", "adres1", "sehir", "vn"})
                    kutular << istek->findChild<QLineEdit *>(QString::fromLatin1(ad))->text();
                istek->kapatButonu()->click();
            });
            bekleyici->start(5);
        };
        anaPencere.sifreDegistirEylemi()->trigger();
        QCOMPARE(izleyici.gorulenler, QStringList {u"Şifre Değiştirme İsteği"_s});
        QCOMPARE(kutular, (QStringList {u"ALI"_s, u"ÇAĞLAR OTO YEDEK PARÇA"_s, u"SANAYİ SİTESİ 4. BLOK NO:12"_s,
                                        u"İZMİR"_s, u"1234567890"_s}));
    }

    void anaPencereVazgecilince()
    {
        IstemciOrtami ortam(BosPort(), bayiBilgisayari);
        QTimer vazgecici;
        vazgecici.setInterval(5);
        connect(&vazgecici, &QTimer::timeout, this, [&] {
            if (auto *form = qobject_cast<Tgirisform *>(QApplication::activeModalWidget()))
                form->vazgecButonu()->click();
        });
        vazgecici.start();
        TForm1 anaPencere;
        QVERIFY(!ortam.cikislar().isEmpty());
        QCOMPARE(ortam.cikislar().first(), 0);
        QCOMPARE(anaPencere.findChild<QLabel *>(u"kullaniciLabel"_s)->text(), QString()); // no start-up
    }
};

QTEST_MAIN(GirisFormuTesti)
#include "tst_girisformu.moc"
