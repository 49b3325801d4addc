// The client's side of the order: the price arithmetic, the basket line
// editor, the stock search and the basket tab with "Gönder", against the
// server in this process.
#include <QTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>

#include "app/sekmeler.h"
#include "app/unit1.h"
#include "catalog/fiyathesabi.h"
#include "catalog/katalog.h"
#include "catalog/onaysipu.h"
#include "catalog/sepetgorunumu.h"
#include "catalog/stokayarintiu.h"
#include "catalog/stoklistesi.h"
#include "remote/sunucubaglantisi.h"
#include "remote/tablo/bellektablo.h"
#include "siparisortami.h"
#include "sunucu/veritabani.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

using SepetSatirlari = QList<std::array<double, 3>>; // SEC, TUTAR, INDIRIMTUTAR

namespace {

// A one-row table with the named fields (numbers as doubles, texts as texts).
BellekTablo tekSatir(const QList<std::pair<QString, QVariant>> &alanlar)
{
    QList<KolonTanimi> kolonlar;
    for (const auto &[ad, deger] : alanlar) {
        KolonTanimi k;
        k.ad = ad;
        k.tip = deger.typeId() == QMetaType::QString ? DbxTipi::WideString : DbxTipi::Double;
        kolonlar << k;
    }
    BellekTablo t;
    t.yenidenTanimla(kolonlar);
    t.satirEkle();
    for (const auto &[ad, deger] : alanlar)
        t.yaz(ad, deger);
    t.kaydet();
    t.ilk();
    return t;
}

BellekTablo sepetTablosu(const SepetSatirlari &satirlar) // SEC, TUTAR, INDIRIMTUTAR
{
    BellekTablo t;
    QList<KolonTanimi> kolonlar;
    for (const auto &[ad, tip] : {std::pair {u"SEC"_s, DbxTipi::Int32}, std::pair {u"TUTAR"_s, DbxTipi::Double},
                                  std::pair {u"INDIRIMTUTAR"_s, DbxTipi::Double}, std::pair {u"KDV"_s, DbxTipi::Int32}}) {
        KolonTanimi k;
        k.ad = ad;
        k.tip = tip;
        kolonlar << k;
    }
    t.yenidenTanimla(kolonlar);
    for (const auto &s : satirlar) {
        t.satirEkle();
        t.yaz(u"SEC", int(s[0]));
        t.yaz(u"TUTAR", s[1]);
        t.yaz(u"INDIRIMTUTAR", s[2]);
        t.yaz(u"KDV", 8);
        t.kaydet();
    }
    return t;
}

// Types a text key by key, Turkish letters included (keyClicks takes ASCII only).
void yaz(QWidget *w, const QString &metin)
{
    for (const QChar c : metin)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_A, QString(c), Qt::NoModifier);
}

qint64 sayi(const QString &veritabani, std::string_view sql)
{
    return vtTamsayi(veritabaniAc(veritabani)->tekDeger(sql));
}

} // namespace

class SiparisEkranlariTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        // A server that cannot be reached fails at once instead of after 5.5 s.
        beklemeKancasiKur([](std::chrono::milliseconds) {});
    }

    // --- arithmetic ---

    void satirHesabi_data()
    {
        QTest::addColumn<double>("fiyat");
        QTest::addColumn<double>("oran");
        QTest::addColumn<double>("kdv");
        QTest::addColumn<int>("adet");
        QTest::addColumn<double>("indirimli");
        QTest::addColumn<double>("kdvDahil");
        QTest::addColumn<double>("tutar");
        QTest::newRow("rate 10") << 100.0 << 10.0 << 18.0 << 3 << 90.0 << 106.2 << 318.6;
        QTest::newRow("rate 0.00005 is none") << 100.0 << 0.00005 << 18.0 << 1 << 100.0 << 118.0 << 118.0;
        QTest::newRow("rate 0.0001 is none") << 50.0 << 0.0001 << 8.0 << 2 << 50.0 << 54.0 << 108.0;
        QTest::newRow("discount rounded") << 33.33 << 12.5 << 18.0 << 7 << 29.16 << 34.41 << 240.87;
        QTest::newRow("no VAT") << 10.0 << 0.0 << 0.0 << 10000 << 10.0 << 10.0 << 100000.0;
    }
    void satirHesabi()
    {
        QFETCH(double, fiyat);
        QFETCH(double, oran);
        QFETCH(double, kdv);
        QFETCH(int, adet);
        const SatirHesabi h = SatirHesapla(fiyat, oran, kdv, adet);
        QTEST(h.indtutar, "indirimli");
        QTEST(h.kdvdahiltutar, "kdvDahil");
        QTEST(h.geneltutar, "tutar");
    }

    void maliyetFiyati_data()
    {
        QTest::addColumn<QString>("metin");
        QTest::addColumn<double>("beklenen"); // -1: not a number
        QTest::newRow("dollar after") << u"12.50 $"_s << 317.80;
        QTest::newRow("euro before") << u"€ 11.80"_s << 350.0;
        QTest::newRow("euro wins") << u"$11.80€"_s << 350.0;
        QTest::newRow("TL") << u"345.20 TL"_s << 292.54;
        QTest::newRow("plain") << u"118"_s << 100.0;
        QTest::newRow("not a number") << u"12,5x $"_s << -1.0;
        QTest::newRow("empty") << QString() << -1.0;
    }
    void maliyetFiyati()
    {
        QFETCH(QString, metin);
        QFETCH(double, beklenen);
        const std::optional<double> f = MaliyetFiyati(metin, Kurlar {30.0, 35.0});
        if (beklenen < 0)
            QVERIFY(!f);
        else
            QCOMPARE(f.value_or(-1), beklenen);
    }

    void editorDegerleri_data()
    {
        QTest::addColumn<int>("nereden");
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("bdm");
        QTest::addColumn<double>("birimfiyat");
        QTest::addColumn<QString>("etiket");
        QTest::addColumn<double>("indoran");
        QTest::addColumn<double>("indtutar");
        QTest::addColumn<double>("kdvdahil");
        QTest::addColumn<double>("kdvli");
        // The row: FIYAT 100, INDIRIM 15, NETFIYAT 85, KDVDAHIL 99 (not the
        // product of the others, so that its use shows), KDV 18, MALIYET "59.00 $".
        const auto S = int(SatirKaynagi::Stok), Y = int(SatirKaynagi::Yeniler),
                   K = int(SatirKaynagi::Kampanya);
        QTest::newRow("stock") << S << 0 << false << 100.0 << u"İndirim:  % 15,00"_s << 15.0 << 85.0 << 99.0 << 99.0;
        QTest::newRow("stock campaign") << S << 2 << false << 100.0 << u"Kampanyalı"_s << 0.0 << 85.0 << 99.0 << 99.0;
        QTest::newRow("stock BDM keeps rate") << S << 0 << true << 1500.0 << u"İndirim:  % 0"_s << 15.0 << 1500.0 << 1770.0 << 1770.0;
        QTest::newRow("new") << Y << 0 << false << 100.0 << u"İndirim:  % 15,00"_s << 15.0 << 85.0 << 100.3 << 99.0;
        QTest::newRow("new campaign") << Y << 1 << false << 100.0 << u"Kampanyalı"_s << 15.0 << 85.0 << 99.0 << 99.0;
        QTest::newRow("new BDM has no cost rule") << Y << 0 << true << 100.0 << u"İndirim:  % 15,00"_s << 15.0 << 85.0 << 100.3 << 99.0;
        QTest::newRow("campaign list") << K << 3 << false << 100.0 << u"İndirim:"_s << 15.0 << 85.0 << 100.3 << 99.0;
    }
    void editorDegerleri()
    {
        QFETCH(int, nereden);
        QFETCH(int, k);
        QFETCH(bool, bdm);
        const BellekTablo t = tekSatir({{u"STOK_STOKNO"_s, 7.0}, {u"BARKOD"_s, u"869"_s}, {u"ADI"_s, u"BALATA"_s},
                                        {u"FIYAT"_s, 100.0}, {u"INDIRIM"_s, 15.0}, {u"NETFIYAT"_s, 85.0},
                                        {u"KDVDAHIL"_s, 99.0}, {u"KDV"_s, 18.0}, {u"K"_s, double(k)},
                                        {u"MALIYET"_s, u"59.00 $"_s}});
        const std::optional<EditorDegerleri> d =
                EditorDegerleriniHesapla(t, SatirKaynagi(nereden), bdm, Kurlar {30.0, 35.0});
        QVERIFY(d);
        QCOMPARE(d->stokno, 7);
        QCOMPARE(d->adi, u"BALATA"_s);
        QCOMPARE(d->adet, 1);
        QTEST(d->birimfiyat, "birimfiyat");
        QTEST(d->indirimEtiketi, "etiket");
        QTEST(d->indoran, "indoran");
        QTEST(d->indtutar, "indtutar");
        QTEST(d->kdvdahiltutar, "kdvdahil");
        QTEST(d->kdvlifiyat, "kdvli");
    }

    void editorDegerleriSepetSatirindan()
    {
        const BellekTablo t = tekSatir({{u"STOKNO"_s, 4.0}, {u"STOKADI"_s, u"DİSK"_s}, {u"BIRIMFIYAT"_s, 200.0},
                                        {u"INDIRIMORANI1"_s, 10.0}, {u"NETBIRIMFIYAT"_s, 180.0},
                                        {u"KDV"_s, 18.0}, {u"MIKTAR"_s, 3.0}, {u"MALIYET"_s, u"x"_s}});
        // A BDM account has no cost rule on an existing line (its MALIYET is not even read).
        const std::optional<EditorDegerleri> d =
                EditorDegerleriniHesapla(t, SatirKaynagi::SepetSatiri, true, Kurlar {});
        QVERIFY(d);
        QCOMPARE(d->stokno, 4);
        QCOMPARE(d->adet, 3);
        QCOMPARE(d->indirimEtiketi, u"İndirim:"_s);
        QCOMPARE(d->indoran, 10.0);
        QCOMPARE(d->kdvdahiltutar, 212.4);
        QCOMPARE(d->kdvlifiyat, 236.0); // from the gross price
    }

    void maliyetOkunmazsaEditorAcilmaz()
    {
        const BellekTablo t = tekSatir({{u"FIYAT"_s, 100.0}, {u"MALIYET"_s, u"yok"_s}});
        QVERIFY(!EditorDegerleriniHesapla(t, SatirKaynagi::Stok, true, Kurlar {}));
        QVERIFY(EditorDegerleriniHesapla(t, SatirKaynagi::Stok, false, Kurlar {}));
    }

    void sepetToplamlari_data()
    {
        QTest::addColumn<SepetSatirlari>("satirlar");
        QTest::addColumn<QList<double>>("beklenen"); // T, I, N, V, G
        QTest::newRow("none selected") << SepetSatirlari {{0, 100, 10}, {0, 50, 0}}
                                       << QList<double> {0, 0, 0, 0, 0};
        QTest::newRow("net 100, lines at 8 %") << SepetSatirlari {{1, 80, 0}, {1, 30, 10}, {0, 999, 0}}
                                               << QList<double> {110, 10, 100, 18, 118};
        QTest::newRow("rounded after every addition")
                << SepetSatirlari {{1, 10.333, 1.111}, {1, 0.004, 0}, {1, 0.004, 0}}
                << QList<double> {10.33, 1.11, 9.22, 1.66, 10.88};
    }
    void sepetToplamlari()
    {
        QFETCH(SepetSatirlari, satirlar);
        QFETCH(QList<double>, beklenen);
        const BellekTablo t = sepetTablosu(satirlar);
        const SepetToplami s = SepetToplamlariniHesapla(t);
        QCOMPARE(s.toplam, beklenen[0]);
        QCOMPARE(s.indirim, beklenen[1]);
        QCOMPARE(s.araToplam, beklenen[2]);
        QVERIFY(qAbs(s.vergi - beklenen[3]) < 1e-9);
        QCOMPARE(s.genelToplam, beklenen[4]);
        QCOMPARE(SecimVarmi(t), beklenen[0] > 0);
    }

    void siparisOzeti()
    {
        TSonucBilgisi b = FiksturOturumu();
        const QString ozet = SiparisOzeti(b, u"KARGO"_s, u"GÖNDERİCİ"_s, u"118,00"_s, u"EGE AMBAR"_s,
                                          u"Acil\nlütfen"_s);
        QCOMPARE(ozet, u"Kullanıcı: BAYI\r\nCari     : ÇAĞ OTO\r\nTeslim   : KARGO\r\nKargo    : GÖNDERİCİ\r\n"
                       "Tutar    : 118,00\r\nKargo    : EGE AMBAR\r\nAçıklama : Acil\nlütfen"_s);
    }

    // --- the editor ---

    void editorHesaplar()
    {
        Tstokayarinti e;
        EditorDegerleri d;
        d.birimfiyat = 100;
        d.indoran = 10;
        d.indtutar = 90;
        d.kdvoran = 18;
        d.kdvdahiltutar = 106.2;
        d.kdvlifiyat = 118; // the opening amount comes from here
        d.indirimEtiketi = u"İndirim:"_s;
        e.doldur(d, false);
        QCOMPARE(e.geneltutar()->text(), u"118,00"_s);
        QVERIFY(e.birimfiyat()->isReadOnly());
        QVERIFY(e.indoran()->isReadOnly());
        e.adet()->setValue(3);
        QCOMPARE(e.indtutar()->text(), u"90,00"_s);
        QCOMPARE(e.kdvdahiltutar()->text(), u"106,20"_s);
        QCOMPARE(e.geneltutar()->text(), u"318,60"_s);

        // Staff change the price; a key released in the box recomputes.
        e.doldur(d, true);
        QVERIFY(!e.birimfiyat()->isReadOnly());
        e.show();
        QApplication::setActiveWindow(&e);
        e.birimfiyat()->setFocus();
        e.birimfiyat()->selectAll();
        QTest::keyClicks(e.birimfiyat(), u"1.000,50"_s);
        QCOMPARE(e.birimfiyat()->deger(), 1000.5);
        QCOMPARE(e.indtutar()->text(), u"900,45"_s);
        QCOMPARE(e.geneltutar()->text(), u"1.062,53"_s); // one piece, as doldur set it
        // Enter moves between price and rate; Enter in the quantity confirms.
        QTest::keyClick(e.birimfiyat(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.indoran());
        QTest::keyClick(e.indoran(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.birimfiyat());
        QTest::keyClick(e.adet(), Qt::Key_Return);
        QCOMPARE(e.result(), int(QDialog::Accepted));
    }

    // --- the search box ---

    void aramaKutusu_data()
    {
        QTest::addColumn<QString>("yazilan");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("cag") << u"çağ"_s << u"CAG"_s;
        QTest::newRow("dotless and dotted") << u"ıİi"_s << u"III"_s;
        QTest::newRow("all letters") << u"ĞÜŞÖÇğüşöç"_s << u"GUSOCGUSOC"_s;
        QTest::newRow("codes stay") << u"0 986-494/104"_s << u"0 986-494/104"_s;
    }
    void aramaKutusu()
    {
        QFETCH(QString, yazilan);
        QLineEdit kutu;
        kutu.setValidator(new AramaKutusuDogrulayici(&kutu));
        yaz(&kutu, yazilan);
        QTEST(kutu.text(), "beklenen");
    }

    // --- the road of an order, against the server ---

    void aramadanSepete()
    {
        IcSunucu sunucu;
        auto form = AnaPencere(FiksturOturumu());
        form->show();
        Cevaplayici c;
        StokListesi *liste = form->katalog()->stokListesi();
        QSignalSpy bitti(liste, &StokListesi::aramaBitti);

        // Fewer than three letters after trimming: a warning, nothing sent.
        form->araedit()->setText(u"  ab  "_s);
        liste->araeditEnter();
        QCOMPARE(c.mesajlar, QStringList {u"Uyarı: Lütfen en az 3 harf giriniz !"_s});
        QCOMPARE(bitti.count(), 0);

        form->araedit()->clear();
        yaz(form->araedit(), u"fren balatası"_s);
        QCOMPARE(form->araedit()->text(), u"FREN BALATASI"_s);
        form->araButonu()->click();
        QVERIFY(!form->araedit()->isEnabled()); // no second search meanwhile
        QVERIFY(bitti.wait(10000));
        const BellekTablo &stok = form->tablolar().stok;
        QCOMPARE(stok.satirSayisi(), 2);
        QCOMPARE(form->sayfaKontrolu()->dugme(int(Sekme::StokListesi))->rozet(), 2);
        QVERIFY(form->araedit()->isEnabled());

        // Enter on the first row opens the editor; the quantity becomes 3.
        EditorDegerleri acilan;
        c.pencere = [&](QDialog *d) {
            auto *e = qobject_cast<Tstokayarinti *>(d);
            QVERIFY(e);
            acilan.adet = e->adet()->value();
            acilan.birimfiyat = e->birimfiyat()->deger();
            acilan.indirimEtiketi = e->indirimoran()->text();
            e->adet()->setValue(acilan.adet + 2);
            QTest::keyClick(e->adet(), Qt::Key_Return);
        };
        VeriIzgarasi *izgara = liste->izgara();
        QVERIFY(izgara->satiraOdaklan(stok.ara(stok.kolonIndeksi(u"STOK_STOKNO"), 1)));
        QTest::keyClick(izgara->gorunum(), Qt::Key_Return);
        QCOMPARE(acilan.adet, 1);
        QCOMPARE(acilan.birimfiyat, 100.0);
        QCOMPARE(acilan.indirimEtiketi, u"İndirim:  % 10,00"_s);
        const BellekTablo &sepet = form->tablolar().sepet;
        QCOMPARE(sepet.satirSayisi(), 1);
        QCOMPARE(sepet.sayi(0, sepet.kolonIndeksi(u"MIKTAR")), 3.0);
        QCOMPARE(sepet.sayi(0, sepet.kolonIndeksi(u"NETTUTAR")), 270.0);
        QCOMPARE(form->sayfaKontrolu()->dugme(int(Sekme::Sepet))->rozet(), 1);

        // The same product again: its line opens with its quantity, and changes.
        QTest::keyClick(izgara->gorunum(), Qt::Key_Return);
        QCOMPARE(acilan.adet, 3);
        QCOMPARE(sepet.satirSayisi(), 1);
        QCOMPARE(sepet.sayi(0, sepet.kolonIndeksi(u"MIKTAR")), 5.0);

        // Cancelled: nothing changes.
        c.pencere = [](QDialog *d) { d->reject(); };
        QTest::keyClick(izgara->gorunum(), Qt::Key_Return);
        QCOMPARE(sepet.sayi(0, sepet.kolonIndeksi(u"MIKTAR")), 5.0);
    }

    void personelFiyatDegistirir_data()
    {
        QTest::addColumn<int>("kullanici");
        QTest::addColumn<int>("tip");
        QTest::addColumn<bool>("degistirebilir");
        QTest::addColumn<double>("kaydedilen");
        QTest::newRow("dealer") << 1 << 0 << false << 200.0;
        QTest::newRow("representative type 1") << 2 << 1 << true << 150.0;
    }
    void personelFiyatDegistirir()
    {
        QFETCH(int, kullanici);
        QFETCH(int, tip);
        IcSunucu sunucu;
        auto form = AnaPencere(FiksturOturumu(kullanici, tip));
        Cevaplayici c;
        bool acik = false;
        c.pencere = [&](QDialog *d) {
            auto *e = qobject_cast<Tstokayarinti *>(d);
            acik = !e->birimfiyat()->isReadOnly();
            e->birimfiyat()->setDeger(150);
            e->accept();
        };
        QSignalSpy bitti(form->katalog()->stokListesi(), &StokListesi::aramaBitti);
        form->araedit()->setText(u"FR.10002"_s);
        form->katalog()->stokListesi()->araeditEnter();
        QVERIFY(bitti.wait(10000));
        VeriIzgarasi *izgara = form->katalog()->stokListesi()->izgara();
        QVERIFY(izgara->satiraOdaklan(0));
        form->katalog()->UrunSatiriniAc(*izgara, form->tablolar().stok, UrunListesi::Stok);
        QTEST(acik, "degistirebilir");
        const BellekTablo &sepet = form->tablolar().sepet;
        QTEST(sepet.sayi(0, sepet.kolonIndeksi(u"BIRIMFIYAT")), "kaydedilen");
    }

    void basarisizAramaListeyiBosaltir()
    {
        IcSunucu sunucu;
        auto form = AnaPencere(FiksturOturumu());
        Cevaplayici c;
        StokListesi *liste = form->katalog()->stokListesi();
        QSignalSpy bitti(liste, &StokListesi::aramaBitti);
        form->araedit()->setText(u"FREN"_s);
        liste->araeditEnter();
        QVERIFY(bitti.wait(10000));
        QCOMPARE(form->tablolar().stok.satirSayisi(), 3);

        sunucu.durdur();
        liste->araeditEnter();
        QVERIFY(bitti.wait(20000));
        QTRY_COMPARE(c.mesajlar, QStringList {u"Hata: Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s});
        QCOMPARE(form->tablolar().stok.satirSayisi(), 0);
        QVERIFY(form->araedit()->isEnabled());
    }

    void temizle()
    {
        IcSunucu sunucu;
        auto form = AnaPencere(FiksturOturumu());
        StokListesi *liste = form->katalog()->stokListesi();
        QSignalSpy bitti(liste, &StokListesi::aramaBitti);
        form->araedit()->setText(u"FREN"_s);
        liste->araeditEnter();
        QVERIFY(bitti.wait(10000));
        form->sekmeyeGec(Sekme::Sepet);
        form->temizleButonu()->click();
        QCOMPARE(form->tablolar().stok.satirSayisi(), 0);
        QCOMPARE(form->araedit()->text(), QString());
        QCOMPARE(form->sayfaKontrolu()->aktifSekme(), int(Sekme::StokListesi));
        QCOMPARE(form->sayfaKontrolu()->dugme(int(Sekme::StokListesi))->rozet(), 0);
    }

    // Every check of "Gönder", in the order a user meets them, then the order.
    void gonder()
    {
        IcSunucu sunucu;
        {
            auto vt = veritabaniAc(sunucu.veritabani());
            vt->yurut("INSERT INTO sepet (carino, stokno, barkod, stokadi, miktar, birimfiyat, indirimorani1,"
                      " kdv, verenid, tarih, sec) VALUES"
                      " (1, 1, 'B1', 'BALATA', 2, 100, 10, 18, 1, '2024-05-01 10:00:00', 0),"
                      " (1, 2, 'B2', 'DİSK', 1, 50, 0, 8, 1, '2024-05-01 10:01:00', 0)");
        }
        auto form = AnaPencere(FiksturOturumu());
        form->show();
        Cevaplayici c;
        SepetGorunumu *s = form->katalog()->sepetGorunumu();
        form->sekmeyeGec(Sekme::Sepet);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 2);
        QCOMPARE(s->toplamEtiketi(4)->text(), u"0,00"_s);
        // The delivery choice starts at the second option, no shipping type.
        QCOMPARE(s->teslimDurumu()->secili(), 1);
        QCOMPARE(s->kargoTurleri()->secili(), -1);

        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Uyarı: Gönderilecek Parça Yok "_s);

        veritabaniAc(sunucu.veritabani())->yurut("UPDATE sepet SET sec = 1");
        s->SepetiYukle();
        QCOMPARE(s->toplamEtiketi(0)->text(), u"250,00"_s);
        QCOMPARE(s->toplamEtiketi(1)->text(), u"20,00"_s);
        QCOMPARE(s->toplamEtiketi(2)->text(), u"230,00"_s);
        QCOMPARE(s->toplamEtiketi(3)->text(), u"41,40"_s);
        QCOMPARE(s->toplamEtiketi(4)->text(), u"271,40"_s);

        s->teslimDurumu()->setSecili(-1);
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Uyarı: Lütfen Teslim Durumu Seçiniz !"_s);
        s->teslimDurumu()->setSecili(0);

        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Uyarı: Lütfen Kargo Türünü Seçiniz !"_s);

        // Shipping type 2 has two carriers named EGE AMBAR; the list starts blank.
        veritabaniAc(sunucu.veritabani())
                ->yurut("INSERT INTO kargo_firmalari (sirano, kargo_turu, adi, uyari) VALUES (4, 2, 'EGE AMBAR', 'İkinci ambar')");
        s->kargoTurleri()->findChildren<QRadioButton *>().at(1)->click();
        QCOMPARE(s->kargocombo()->count(), 4);
        QCOMPARE(s->kargocombo()->itemText(0), u" "_s);
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Uyarı: Lütfen Kargo  Seçiniz !"_s);
        s->kargocombo()->setCurrentIndex(0);
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Uyarı: Lütfen Kargo  Seçiniz !"_s);

        // The second EGE AMBAR: its own warning, and its own number is sent.
        s->kargocombo()->setCurrentIndex(3);
        emit s->kargocombo()->activated(3);
        QCOMPARE(s->uyarikargo()->text(), u"İkinci ambar"_s);
        s->aciklamagir()->setPlainText(u"Öğleden önce\nteslim"_s);

        // "Hayır" in the confirmation: nothing is sent, the note stays.
        QString ozet;
        c.pencere = [&](QDialog *d) {
            ozet = d->findChild<QLabel *>(u"ozet"_s)->text();
            d->reject();
        };
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Sipariş Onay"_s);
        QCOMPARE(ozet, u"Kullanıcı: BAYI\nCari     : ÇAĞ OTO\nTeslim   : DEPODAN\nKargo    : GÖNDERİCİ\n"
                       "Tutar    : 271,40\nKargo    : EGE AMBAR\nAçıklama : Öğleden önce\nteslim"_s);
        QCOMPARE(sayi(sunucu.veritabani(), "SELECT COUNT(*) FROM siparisler"), 1);
        QCOMPARE(s->aciklamagir()->toPlainText(), u"Öğleden önce\nteslim"_s);

        c.pencere = [](QDialog *d) { d->accept(); };
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Bilgi: Siparişiniz Gönderildi !"_s);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 0);
        QCOMPARE(s->aciklamagir()->toPlainText(), QString());
        auto vt = veritabaniAc(sunucu.veritabani());
        VtKomutu &k = vt->sorgula("SELECT teslim_no, kargo_turu, kargo_firma, verenin_notu,"
                                  " (SELECT COUNT(*) FROM siparis_satirlari l WHERE l.idno = s.idno)"
                                  " FROM siparisler s ORDER BY idno DESC LIMIT 1");
        QVERIFY(k.sonraki());
        QCOMPARE(k.tamsayi(0), 1);
        QCOMPARE(k.tamsayi(1), 2);
        QCOMPARE(k.tamsayi(2), 4);
        QCOMPARE(k.metin(3), u"Öğleden önce\nteslim"_s);
        QCOMPARE(k.tamsayi(4), 2);

        // Shown again, the tab resets the delivery choice and the shipping type.
        s->teslimDurumu()->setSecili(0);
        form->sekmeyeGec(Sekme::StokListesi);
        form->sekmeyeGec(Sekme::Sepet);
        QCOMPARE(s->teslimDurumu()->secili(), 1);
        QCOMPARE(s->kargoTurleri()->secili(), -1);
        QCOMPARE(s->kargocombo()->count(), 0);
    }

    void siparisReddedilirse()
    {
        IcSunucu sunucu;
        veritabaniAc(sunucu.veritabani())
                ->yurut("INSERT INTO sepet (carino, stokno, miktar, birimfiyat, verenid, tarih)"
                        " VALUES (1, 1, 1, 100, 1, '2024-05-01 10:00:00')");
        auto form = AnaPencere(FiksturOturumu());
        Cevaplayici c;
        SepetGorunumu *s = form->katalog()->sepetGorunumu();
        form->sekmeyeGec(Sekme::Sepet);
        s->kargoTurleri()->findChildren<QRadioButton *>().at(1)->click();
        s->kargocombo()->setCurrentIndex(1);
        s->aciklamagir()->setPlainText(u"not"_s);
        // Someone sent the basket from another computer meanwhile.
        veritabaniAc(sunucu.veritabani())->yurut("UPDATE sepet SET sec = 0");
        c.pencere = [](QDialog *d) { d->accept(); };
        s->Gonder();
        QCOMPARE(c.mesajlar.takeLast(), u"Hata: Sipariş Göndermede Hata"_s);
        QCOMPARE(s->aciklamagir()->toPlainText(), u"not"_s);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 1);
    }

    void satirSilVeHepsiniSil()
    {
        IcSunucu sunucu;
        veritabaniAc(sunucu.veritabani())
                ->yurut("INSERT INTO sepet (carino, stokno, miktar, birimfiyat, verenid, tarih) VALUES"
                        " (1, 1, 1, 100, 1, '2024-05-01 10:00:00'), (1, 2, 1, 50, 1, '2024-05-01 10:00:00'),"
                        " (1, 3, 1, 80, 1, '2024-05-01 10:00:00')");
        auto form = AnaPencere(FiksturOturumu());
        Cevaplayici c;
        SepetGorunumu *s = form->katalog()->sepetGorunumu();
        form->sekmeyeGec(Sekme::Sepet);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 3);
        QVERIFY(s->izgara()->satiraOdaklan(0, u"STOKADI"));

        s->SatirSil(); // answered No
        QCOMPARE(c.mesajlar.takeLast(), u"Soru: Satırı silmek istiyor musunuz "_s);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 3);
        c.soruCevabi = 6;
        s->SatirSil();
        QCOMPARE(c.mesajlar.takeLast(), u"Bilgi: Satır silindi !"_s);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 2);

        c.soruCevabi = 7;
        s->HepsiniSil();
        QCOMPARE(c.mesajlar.takeLast(), u"Soru: Tüm Sepeti Silmek İstiyor musunuz "_s);
        QCOMPARE(sayi(sunucu.veritabani(), "SELECT COUNT(*) FROM sepet"), 2);
        c.soruCevabi = 6;
        s->HepsiniSil();
        QCOMPARE(c.mesajlar.takeLast(), u"Bilgi: Sepet Silindi !"_s);
        QCOMPARE(form->tablolar().sepet.satirSayisi(), 0);
        QCOMPARE(form->sayfaKontrolu()->dugme(int(Sekme::Sepet))->rozet(), 0);
        c.mesajlar.clear();
        s->HepsiniSil(); // an empty basket asks nothing
        QCOMPARE(c.mesajlar, QStringList());
    }

    void secKolonuSecimiDegistirir()
    {
        IcSunucu sunucu;
        veritabaniAc(sunucu.veritabani())
                ->yurut("INSERT INTO sepet (carino, stokno, miktar, birimfiyat, verenid, tarih) VALUES"
                        " (1, 1, 1, 100, 1, '2024-05-01 10:00:00'), (1, 2, 2, 50, 1, '2024-05-01 10:00:00')");
        auto form = AnaPencere(FiksturOturumu());
        SepetGorunumu *s = form->katalog()->sepetGorunumu();
        form->sekmeyeGec(Sekme::Sepet);
        QCOMPARE(s->toplamEtiketi(0)->text(), u"200,00"_s);
        s->izgara()->kolonuGoster(u"SEC", true);
        QVERIFY(s->izgara()->satiraOdaklan(1, u"SEC"));
        s->SatirDegistir();
        QCOMPARE(s->toplamEtiketi(0)->text(), u"100,00"_s);
        QCOMPARE(sayi(sunucu.veritabani(), "SELECT sec FROM sepet WHERE stokno = 2"), 0);
        s->SatirDegistir();
        QCOMPARE(s->toplamEtiketi(0)->text(), u"200,00"_s);
        QCOMPARE(sayi(sunucu.veritabani(), "SELECT sec FROM sepet WHERE stokno = 2"), 1);
    }

    void kolonGenislikleri()
    {
        IcSunucu sunucu;
        auto form = AnaPencere(FiksturOturumu());
        VeriIzgarasi *izgara = form->katalog()->stokListesi()->izgara();
        // Fifteen columns shown at start, by their weights 2+2+3+2+2+2+2+2+2+1+1+1+2+2+1.
        int toplam = 0, gorunen = 0;
        for (const IzgaraKolonu &k : StokKolonlari()) {
            toplam += k.gorunur ? k.agirlik : 0;
            gorunen += k.gorunur ? 1 : 0;
        }
        QCOMPARE(gorunen, 15);
        QCOMPARE(toplam, 27);
        int sepetToplami = 0;
        for (const IzgaraKolonu &k : SepetKolonlari())
            sepetToplami += k.gorunur ? k.agirlik : 0;
        QCOMPARE(sepetToplami, 18);
        izgara->resize(1000, 400);
        form->katalog()->stokListesi()->KolonGenislikleriniAyarla();
        const int birim = (1000 - izgara->yatayKaydirmaCubuguYuksekligi() - 10) / 27;
        QCOMPARE(izgara->kolonGenisligi(u"ADI"), 3 * birim);
        QCOMPARE(izgara->kolonGenisligi(u"BARKOD"), 2 * birim);
        QCOMPARE(izgara->kolonGenisligi(u"DURUM"), birim);
    }
};

QTEST_MAIN(SiparisEkranlariTesti)
#include "tst_siparisekranlari.moc"
