#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/gorunum.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "app/musteritipi.h"
#include "app/sekmeler.h"
#include "app/unit1.h"
#include "app/utils/cikis.h"
#include "remote/kurulum.h"
#include "tests/app/mesajizleyici.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

namespace {

TForm1::GirisAdimi girisYapan(int musteriTipi, const QString &cariKod)
{
    return [=](SunucuBaglantisi &, TSonucBilgisi &s) {
        s.setMusteriTipi(musteriTipi);
        s.setcarikod(cariKod);
        s.setADI(u"AHMET"_s);
        s.setCariAdi(u"YILMAZ OTO YEDEK PARÇA"_s);
        s.setSaticiAdi(u"Mehmet Kaya"_s);
        s.setSaticiTelefon(u"0532 000 00 00"_s);
        s.setSaticiMail(u"mehmet@ornek.com.tr"_s);
        s.setDisip(u"12"_s);
        return true;
    };
}

QStringList menuMetinleri(TForm1 &form)
{
    QStringList metinler;
    const auto *menu = form.findChild<QToolButton *>(u"menubuton"_s)->menu();
    for (const QAction *a : menu->actions())
        metinler << (a->isSeparator() ? u"---"_s : a->text());
    return metinler;
}

} // namespace

class AnaFormTesti final : public QObject
{
    Q_OBJECT

    QTemporaryDir ev;
    QList<int> cikislar;

private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(ev.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ev.path()));
        MesajSesiCaliciKur([](const QString &) {});
        CikisKancasiKur([this](int kod) { cikislar << kod; });
    }

    void init() { cikislar.clear(); }

    void mevsimselGorunum_data()
    {
        QTest::addColumn<QDate>("tarih");
        QTest::addColumn<bool>("kis");
        QTest::newRow("25 Aralık") << QDate(2025, 12, 25) << false;
        QTest::newRow("26 Aralık") << QDate(2025, 12, 26) << true;
        QTest::newRow("31 Aralık") << QDate(2025, 12, 31) << true;
        QTest::newRow("1 Ocak") << QDate(2026, 1, 1) << true;
        QTest::newRow("5 Ocak") << QDate(2026, 1, 5) << true;
        QTest::newRow("6 Ocak") << QDate(2026, 1, 6) << false;
        QTest::newRow("26 Kasım") << QDate(2025, 11, 26) << false;
        QTest::newRow("5 Şubat") << QDate(2026, 2, 5) << false;
    }

    void mevsimselGorunum()
    {
        QFETCH(QDate, tarih);
        QFETCH(bool, kis);
        const Gorunum beklenen = kis ? Gorunum::Kis : Gorunum::Varsayilan;
        QCOMPARE(MevsimselGorunum(tarih), beklenen);
        TForm1 form(girisYapan(0, {}), tarih);
        QCOMPARE(form.gorunum(), beklenen);
    }

    void ikiGorunumFarkliCizilir()
    {
        TForm1 mavi(girisYapan(0, {}), QDate(2025, 6, 1));
        TForm1 kis(girisYapan(0, {}), QDate(2025, 12, 30));
        for (TForm1 *f : {&mavi, &kis}) {
            f->resize(1280, 800);
            f->sekmeyeGec(Sekme::StokListesi);
        }
        const QImage a = mavi.sayfaKontrolu()->dugme(0)->grab().toImage();
        const QImage b = kis.sayfaKontrolu()->dugme(0)->grab().toImage();
        QCOMPARE(a.size(), b.size());
        QVERIFY(a != b);
        QVERIFY(mavi.styleSheet() != kis.styleSheet());
    }

    void musteriTipiKurallari_data()
    {
        QTest::addColumn<int>("tip");
        QTest::addColumn<QString>("cariKod");
        QTest::addColumn<bool>("personel");
        QTest::addColumn<bool>("sepetDurumuGizli");
        QTest::addColumn<bool>("kampanyaGorunur");
        QTest::newRow("bayi 0") << 0 << u"120.01.005"_s << false << false << true;
        QTest::newRow("personel 1") << 1 << u"120"_s << true << false << true;
        QTest::newRow("personel 2") << 2 << QString() << true << false << true;
        QTest::newRow("3 ve BDM ikisi de") << 3 << u"120BDM77"_s << true << true << true;
        QTest::newRow("küçük bdm sayılmaz") << 0 << u"120bdm77"_s << false << false << true;
        QTest::newRow("BDM başta") << 0 << u"BDM"_s << true << false << true;
        QTest::newRow("tip 4") << 4 << u"320"_s << false << false << false;
        QTest::newRow("tanınmayan tip") << 9 << QString() << false << false << true;
    }

    void musteriTipiKurallari()
    {
        QFETCH(int, tip);
        QFETCH(QString, cariKod);
        QFETCH(bool, personel);
        QFETCH(bool, sepetDurumuGizli);
        QFETCH(bool, kampanyaGorunur);

        const MusteriTipiKurallari k(tip, cariKod);
        QCOMPARE(k.baskaCariSecGorunur(), personel);
        QCOMPARE(k.sepetDurumuGizli(), sepetDurumuGizli);
        QCOMPARE(k.kampanyaSekmesiGorunur(), kampanyaGorunur);

        // The columns each list switches.
        const QList<KolonKurali> personelStok {{u"KALAN"_s, true},
                                               {u"MALIYET"_s, true},
                                               {u"ALINANSIPARIS"_s, true},
                                               {u"VERILENSIPARIS"_s, true}};
        const QList<KolonKurali> personelYeni {
            {u"KALAN"_s, true}, {u"ALINANSIPARIS"_s, true}, {u"VERILENSIPARIS"_s, true}};
        QList<KolonKurali> stok = personel ? personelStok : QList<KolonKurali> {};
        if (!kampanyaGorunur)
            stok.append({u"K"_s, false});
        QList<KolonKurali> sepet =
            personel ? QList<KolonKurali> {{u"KALAN"_s, true}} : QList<KolonKurali> {};
        if (sepetDurumuGizli)
            sepet.append({u"DURUM"_s, false});
        QCOMPARE(k.kolonlar(MusteriListesi::Stok), stok);
        QCOMPARE(k.kolonlar(MusteriListesi::Yeniler),
                 personel ? personelYeni : QList<KolonKurali> {});
        QCOMPARE(k.kolonlar(MusteriListesi::Kampanya),
                 personel ? personelYeni : QList<KolonKurali> {});
        QCOMPARE(k.kolonlar(MusteriListesi::Sepet), sepet);

        // The window: the button, and ten tabs for type 4.
        TForm1 form(girisYapan(tip, cariKod));
        QCOMPARE(form.musteritus()->isHidden(), !personel);
        QCOMPARE(form.sekmeGorunurMu(Sekme::Kampanyali), kampanyaGorunur);
        int gorunen = 0;
        for (int i = 0; i < SekmeSayisi; ++i)
            gorunen += form.sekmeGorunurMu(Sekme(i)) ? 1 : 0;
        QCOMPARE(gorunen, kampanyaGorunur ? 11 : 10);
    }

    void kurallarIzgarayaUygulanir()
    {
        auto izgara = [] {
            auto *g = new VeriIzgarasi;
            g->kolonlariAyarla({kolon(u"STOKKODU"_s), kolon(u"KALAN"_s).gizli(),
                                kolon(u"MALIYET"_s).gizli(), kolon(u"ALINANSIPARIS"_s).gizli(),
                                kolon(u"VERILENSIPARIS"_s).gizli(), kolon(u"K"_s).seciciye()});
            return std::unique_ptr<VeriIzgarasi>(g);
        };
        auto personel = izgara();
        MusteriTipiKurallari(1, {}).uygula(MusteriListesi::Stok, *personel);
        QVERIFY(personel->kolonGorunurMu(u"KALAN"));
        QVERIFY(personel->kolonGorunurMu(u"MALIYET"));
        QCOMPARE(personel->seciciKolonlari(),
                 (QStringList {u"KALAN"_s, u"MALIYET"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s,
                               u"K"_s}));

        auto tip4 = izgara();
        MusteriTipiKurallari(4, {}).uygula(MusteriListesi::Stok, *tip4);
        QVERIFY(!tip4->kolonGorunurMu(u"K"));
        QVERIFY(!tip4->seciciKolonlari().contains(u"K"_s));
        QVERIFY(!tip4->kolonGorunurMu(u"KALAN"));
    }

    void basliklarSekmelerVeMenu()
    {
        TForm1 form(girisYapan(0, {}));
        QCOMPARE(form.windowTitle(), u"TEZMAR Otomotiv Online Sipariş Programı (Doruna)"_s);
        QCOMPARE(form.windowIconText(), u"TEZMAR Otomotiv Online Sipariş Programı  (Doruna)"_s);

        QStringList adlar, basliklar;
        for (int i = 0; i < SekmeSayisi; ++i) {
            adlar << form.sayfa(Sekme(i))->objectName();
            basliklar << form.sayfaKontrolu()->dugme(i)->text();
        }
        QCOMPARE(
            adlar,
            (QStringList {u"sstoklistesi"_s, u"ssepet"_s, u"sonceki"_s, u"sccariekstre"_s,
                          u"syeniler"_s, u"skampanyali"_s, u"sTabSheetduyuru"_s, u"sTabbakiyeler"_s,
                          u"sTabSheet2"_s, u"tabdosyalar"_s, u"sanalkart"_s}));
        QCOMPARE(
            basliklar,
            (QStringList {u"Stok\nListesi"_s, u"Sepet"_s, u"Sipariş\nDurumları"_s, u"Cari Ekstre"_s,
                          u"Yeni\nStoklar"_s, u"Kampanyalı"_s, u"Duyurular"_s, u"Bakiyeler"_s,
                          u"Orjinal\nFiyatlar"_s, u"Dosyalar"_s, u"Sanal Pos"_s}));

        QCOMPARE(menuMetinleri(form),
                 (QStringList {u"Mail Gönder"_s, u"---"_s, u"Şifre Değiştirme İsteği"_s, u"---"_s,
                               Kurulum().webAdresi, u"---"_s, u"Çıkış"_s}));
        QVERIFY(!Kurulum().webAdresi.isEmpty());

        QCOMPARE(form.kurEtiketi()->text(), u"Kurlar"_s);
        QCOMPARE(form.araButonu()->text(), u"Ara"_s);
        QCOMPARE(form.temizleButonu()->text(), u"Temizle"_s);
        QCOMPARE(form.musteritus()->text(), u"Başka Cari Seç"_s);
        for (int i = 0; i < MesgulSayisi; ++i)
            QVERIFY(form.animasyon(Mesgul(i))->isHidden());
        QCOMPARE(form.findChildren<MesgulAnimasyonu *>().size(), 9);
        QCOMPARE(form.resimSeridiYeri()->height(), 72);
        QCOMPARE(form.kayanYaziYeri()->height(), 51);
        QCOMPARE(form.afis()->size(), QSize(405, 70));
        QCOMPARE(form.sbilgi().Disip(), u"12"_s);
    }

    void baslikYaz()
    {
        TForm1 form(girisYapan(0, {}));
        QCOMPARE(form.findChild<QLabel *>(u"kullaniciLabel"_s)->text(), u"AHMET"_s);
        QCOMPARE(form.findChild<QLabel *>(u"firmaLabel"_s)->text(), u"YILMAZ OTO YEDEK PARÇA"_s);
        QCOMPARE(form.findChild<QLabel *>(u"temsilciLabel"_s)->text(),
                 u"Mehmet Kaya Telefonu: 0532 000 00 00 email: mehmet@ornek.com.tr"_s);

        // A customer switch writes the header again.
        form.sbilgi().setCariAdi(u"BAŞKA CARİ"_s);
        form.BaslikYaz();
        QCOMPARE(form.findChild<QLabel *>(u"firmaLabel"_s)->text(), u"BAŞKA CARİ"_s);
    }

    void girisBasarisizsaProgramBiter_data()
    {
        QTest::addColumn<bool>("tamam");
        QTest::addColumn<QString>("disip");
        QTest::newRow("vazgeçildi") << false << u"12"_s;
        QTest::newRow("adres boş kaldı") << true << u"   "_s;
    }

    void girisBasarisizsaProgramBiter()
    {
        QFETCH(bool, tamam);
        QFETCH(QString, disip);
        TForm1 form([&](SunucuBaglantisi &, TSonucBilgisi &s) {
            s.setMusteriTipi(0);
            s.setDisip(disip);
            return tamam;
        });
        QCOMPARE(cikislar, QList<int> {0});
        QVERIFY(form.musteritus()->isHidden()); // no rule was applied after it
    }

    void acilistaStokSekmesiVeAramaKutusu()
    {
        TForm1 form(girisYapan(0, {}));
        form.sekmeyeGec(Sekme::Sepet);
        form.Goster();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.sayfaKontrolu()->aktifSekme(), int(Sekme::StokListesi));
        QTRY_COMPARE(QApplication::focusWidget(), form.araedit());
        QVERIFY(form.isMaximized());
        QCOMPARE(form.frameGeometry(), form.screen()->availableGeometry());

        QTest::keyClicks(form.araedit(), u"fren balata 12"_s);
        QCOMPARE(form.araedit()->text(), u"FREN BALATA 12"_s);
        form.hide();
    }

    void sekmeGosterilinceBildirilir()
    {
        TForm1 form(girisYapan(4, {}));
        QSignalSpy gosterilen(&form, &TForm1::sekmeGosterildi);
        form.sekmeyeGec(Sekme::Yeniler);
        form.sekmeyeGec(Sekme::Yeniler); // already there: no second load
        QCOMPARE(gosterilen.size(), 1);
        QCOMPARE(gosterilen.at(0).at(0).value<Sekme>(), Sekme::Yeniler);

        // Ctrl+Tab walks past the hidden campaign tab.
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(form.sayfaKontrolu()->aktifSekme(), int(Sekme::Duyurular));
        // A hidden tab cannot be made active.
        form.sekmeyeGec(Sekme::Kampanyali);
        QCOMPARE(form.sayfaKontrolu()->aktifSekme(), int(Sekme::Duyurular));
    }

    void rozetSifirdanBuyukkenCizilir()
    {
        TForm1 form(girisYapan(0, {}));
        form.resize(1280, 800);
        SekmeDugmesi *sepet = form.sayfaKontrolu()->dugme(int(Sekme::Sepet));
        const QImage bos = sepet->grab().toImage();
        form.setRozet(Sekme::Sepet, 7);
        const QImage yedi = sepet->grab().toImage();
        QVERIFY(bos != yedi);
        form.setRozet(Sekme::Sepet, 0);
        QCOMPARE(sepet->grab().toImage(), bos);
        form.setRozet(Sekme::Sepet, -3);
        QCOMPARE(sepet->grab().toImage(), bos);
        form.setRozet(Sekme::Sepet, 12);
        QVERIFY(sepet->grab().toImage() != yedi);
    }

    void kapatmaSorusu_data()
    {
        QTest::addColumn<Qt::Key>("tus");
        QTest::addColumn<bool>("menudan");
        QTest::addColumn<QList<int>>("beklenenCikis");
        QTest::newRow("Enter: Evet varsayılan") << Qt::Key_Return << false << QList<int> {0};
        QTest::newRow("Escape: Hayır") << Qt::Key_Escape << false << QList<int> {};
        QTest::newRow("menüden Çıkış, Hayır") << Qt::Key_Escape << true << QList<int> {};
        QTest::newRow("menüden Çıkış, Evet") << Qt::Key_Return << true << QList<int> {0};
    }

    void kapatmaSorusu()
    {
        QFETCH(Qt::Key, tus);
        QFETCH(bool, menudan);
        QFETCH(QList<int>, beklenenCikis);
        TForm1 form(girisYapan(0, {}));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.araedit()->setText(u"ABC"_s);
        form.sekmeyeGec(Sekme::Bakiyeler);

        MesajIzleyici yanit(
            [tus](QDialog *) { QTest::keyClick(QApplication::focusWidget(), tus); });
        if (menudan)
            form.cikisEylemi()->trigger();
        else
            form.close();
        QCOMPARE(yanit.gorulenler, QStringList {u"Soru: Programdan Çıkmak İstiyor musunuz ?"_s});
        QCOMPARE(cikislar, beklenenCikis);
        // Whatever the answer, the window was not closed the normal way and kept its state.
        QVERIFY(form.isVisible());
        QCOMPARE(form.araedit()->text(), u"ABC"_s);
        QCOMPARE(form.sayfaKontrolu()->aktifSekme(), int(Sekme::Bakiyeler));
    }
};

QTEST_MAIN(AnaFormTesti)
#include "tst_anaform.moc"
