#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/arkaplan.h"
#include "app/kullanicikayitu.h"
#include "app/mesajkutusu.h"
#include "girisortami.h"
#include "remote/sunucubaglantisi.h"
#include "sunucu/veritabani.h"

using namespace Qt::StringLiterals;

namespace {

const QString gonderildi = u"Bilgi: İsteğiniz Gönderildi!"_s;

// Every box of the form with what a dealer might type into it.
const QList<std::pair<QString, QString>> &doluForm()
{
    static const QList<std::pair<QString, QString>> f {
        {u"firmaadi"_s, u" ÇAĞRI OTO ŞİŞLİ "_s}, // sent as typed, blanks too
        {u"adres1"_s, u"Büyükdere Cd. No:ğ/5"_s},
        {u"adres2"_s, u"Kat: İki"_s},
        {u"ilce"_s, u"Şişli"_s},
        {u"sehir"_s, u"İstanbul"_s},
        {u"telefon"_s, u"0212 444 55 66"_s},
        {u"fax"_s, u"0212 444 55 67"_s},
        {u"vd"_s, u"Şişli V.D."_s},
        {u"vn"_s, u"9876543210"_s},
        {u"yetkili"_s, u"Gülşen Öztürk"_s},
        {u"kullaniciadi"_s, u"GÜLŞEN"_s},
        {u"sifre"_s, u"ÇIĞ1"_s},
        {u"mail"_s, u"gulsen@cagri.example"_s},
        {u"kargoambar"_s, u"Yurtiçi Kargo"_s},
    };
    return f;
}

QLineEdit *kutu(const Tkullanicikayit &form, const QString &ad)
{
    return form.findChild<QLineEdit *>(ad);
}

void doldur(Tkullanicikayit &form)
{
    for (const auto &[ad, deger] : doluForm())
        kutu(form, ad)->setText(deger);
}

struct GidenIstek
{
    QString konu;
    QString bilgisayarId;
    QJsonObject alanlar;
};

QList<GidenIstek> giden(const SunucuSureci &sunucu)
{
    auto vt = veritabaniAc(sunucu.veritabani());
    VtKomutu &k = vt->sorgula("SELECT konu, bilgisayar_id, alanlar FROM giden_postalar ORDER BY sirano");
    QList<GidenIstek> liste;
    while (k.sonraki())
        liste.append({k.metin(0), k.metin(1), QJsonDocument::fromJson(k.metin(2).toUtf8()).object()});
    return liste;
}

struct Baglanti
{
    SunucuBaglantisi bagc;
    Baglanti() { bagc.kurulumAdresiniYaz(); }
};

} // namespace

class KullaniciKayitTesti final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MesajSesiCaliciKur([](const QString &) {});
        beklemeKancasiKur([](std::chrono::milliseconds) {});
        BaglantiMesajiKancasiniKur();
    }

    // Every field arrives in the outbox as typed; the form stays open and may
    // send again.
    void yeniKullaniciIstegi()
    {
        SunucuSureci sunucu;
        IstemciOrtami ortam(sunucu.port(), bilinmeyenBilgisayar);
        PencereIzleyici izleyici;
        Baglanti b;
        const auto form = Tkullanicikayit::Yeni(nullptr, b.bagc, TSonucBilgisi());
        QCOMPARE(form->windowTitle(), u"B2B İstek Formu"_s);
        QCOMPARE(form->size(), QSize(705, 514));
        QCOMPARE(form->lblid()->text(), u"Bilgisayar ID: PC-YOK"_s);
        izleyici.yokSay(form.get());
        form->open();
        doldur(*form);
        form->gonderButonu()->click();
        QVERIFY(form->gonderiliyor());
        QVERIFY(!form->kapatButonu()->isEnabled());

        QTRY_COMPARE(izleyici.gorulenler, QStringList {gonderildi});
        QTRY_VERIFY(form->gonderButonu()->isEnabled());
        QVERIFY(form->isVisible());
        const QList<GidenIstek> istekler = giden(sunucu);
        QCOMPARE(istekler.size(), 1);
        QCOMPARE(istekler[0].konu, u"B2B Yeni Kullanıcı İstek"_s);
        QCOMPARE(istekler[0].bilgisayarId, bilinmeyenBilgisayar);
        QCOMPARE(istekler[0].alanlar.value(u"idsi"_s).toString(), bilinmeyenBilgisayar);
        QCOMPARE(istekler[0].alanlar.value(u"baslik"_s).toString(), u"B2B Yeni Kullanıcı İstek"_s);
        for (const auto &[ad, deger] : doluForm())
            QCOMPARE(istekler[0].alanlar.value(ad).toString(), deger);

        form->gonderButonu()->click();
        QTRY_COMPARE(izleyici.gorulenler, (QStringList {gonderildi, gonderildi}));
        QTRY_COMPARE(giden(sunucu).size(), 2);
    }

    void eksikAlan_data()
    {
        QTest::addColumn<QString>("bos");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("firmaadi") << u"firmaadi"_s << u"Firma Adı boş olamaz !"_s;
        QTest::newRow("adres1") << u"adres1"_s << u"Adres boş olamaz !"_s;
        QTest::newRow("ilce") << u"ilce"_s << u"İlçe Adı boş olamaz !"_s;
        QTest::newRow("sehir") << u"sehir"_s << u"Şehir Adı boş olamaz !"_s;
        QTest::newRow("telefon") << u"telefon"_s << u"Telefon  boş olamaz !"_s;
        QTest::newRow("yetkili") << u"yetkili"_s << u"Yetkili  boş olamaz !"_s;
        QTest::newRow("kullaniciadi") << u"kullaniciadi"_s << u"Kullanıcı  boş olamaz !"_s;
        QTest::newRow("sifre") << u"sifre"_s << u"Şifre  boş olamaz !"_s;
        QTest::newRow("mail") << u"mail"_s << u"Mail  boş olamaz !"_s;
    }

    // The first empty box (blanks count as empty) gets the focus and its
    // message, and nothing is sent. The later boxes are empty too, so the
    // order of the checks shows.
    void eksikAlan()
    {
        QFETCH(QString, bos);
        QFETCH(QString, mesaj);
        SunucuSureci sunucu;
        IstemciOrtami ortam(sunucu.port(), bilinmeyenBilgisayar);
        PencereIzleyici izleyici;
        Baglanti b;
        const auto form = Tkullanicikayit::Yeni(nullptr, b.bagc, TSonucBilgisi());
        izleyici.yokSay(form.get());
        form->open();
        bool sonrakiler = false;
        for (const auto &[ad, deger] : doluForm()) {
            sonrakiler = sonrakiler || ad == bos;
            kutu(*form, ad)->setText(ad == bos ? u"  "_s : sonrakiler ? QString() : deger);
        }
        form->gonderButonu()->click();
        QTRY_COMPARE(izleyici.gorulenler, QStringList {u"Uyarı: "_s + mesaj});
        QCOMPARE(form->focusWidget(), kutu(*form, bos));
        QCOMPARE(kutu(*form, bos)->selectedText(), u"  "_s);
        QVERIFY(!form->gonderiliyor());
        QCOMPARE(giden(sunucu).size(), 0);
    }

    void istegeBagliAlanlarBosKalabilir()
    {
        SunucuSureci sunucu;
        IstemciOrtami ortam(sunucu.port(), bilinmeyenBilgisayar);
        PencereIzleyici izleyici;
        Baglanti b;
        const auto form = Tkullanicikayit::Yeni(nullptr, b.bagc, TSonucBilgisi());
        izleyici.yokSay(form.get());
        form->open();
        doldur(*form);
        for (const char *ad : {"adres2", "fax", "vd", "vn", "kargoambar"})
            kutu(*form, QString::fromLatin1(ad))->clear();
        form->gonderButonu()->click();
        QTRY_COMPARE(izleyici.gorulenler, QStringList {gonderildi});
        QCOMPARE(giden(sunucu).value(0).alanlar.value(u"kargoambar"_s).toString(), QString());
    }

    // The password-change request starts from the account's details.
    void sifreDegistirmeIstegi()
    {
        SunucuSureci sunucu;
        IstemciOrtami ortam(sunucu.port(), bayiBilgisayari);
        PencereIzleyici izleyici;
        Baglanti b;
        TSonucBilgisi oturum;
        oturum.setADI(u"ALI"_s);
        oturum.setCariAdi(u"ÇAĞLAR OTO YEDEK PARÇA"_s);
        const auto form = Tkullanicikayit::Ac(nullptr, b.bagc, oturum);
        QCOMPARE(form->windowTitle(), u"Şifre Değiştirme İsteği"_s);
        QCOMPARE(form->durum(), int(Tkullanicikayit::teski));
        QCOMPARE(kutu(*form, u"kullaniciadi"_s)->text(), u"ALI"_s);
        QCOMPARE(kutu(*form, u"firmaadi"_s)->text(), u"ÇAĞLAR OTO YEDEK PARÇA"_s);
        QVERIFY(form->dolduruluyor());
        QVERIFY(!kutu(*form, u"adres1"_s)->isEnabled()); // nothing typed there is overwritten
        izleyici.yokSay(form.get());
        form->open();
        QTRY_VERIFY(!form->dolduruluyor());

        const QList<std::pair<QString, QString>> beklenen {
            {u"adres1"_s, u"SANAYİ SİTESİ 4. BLOK NO:12"_s},
            {u"adres2"_s, u"KAT:2"_s},
            {u"ilce"_s, u"GAZİEMİR"_s},
            {u"sehir"_s, u"İZMİR"_s},
            {u"telefon"_s, u"0232 555 66 77"_s},
            {u"fax"_s, u"0232 555 66 78"_s},
            {u"vd"_s, u"GAZİEMİR V.D."_s},
            {u"vn"_s, u"1234567890"_s},
            {u"yetkili"_s, QString()}, // not among the details the form takes
        };
        for (const auto &[ad, deger] : beklenen) {
            QCOMPARE(kutu(*form, ad)->text(), deger);
            QVERIFY(kutu(*form, ad)->isEnabled());
        }

        kutu(*form, u"yetkili"_s)->setText(u"ÖMER ÜNAL"_s);
        kutu(*form, u"sifre"_s)->setText(u"YENİ1"_s);
        kutu(*form, u"mail"_s)->setText(u"ali@caglar.example"_s);
        form->gonderButonu()->click();
        QTRY_COMPARE(izleyici.gorulenler, QStringList {gonderildi});
        const QList<GidenIstek> istekler = giden(sunucu);
        QCOMPARE(istekler.size(), 1);
        QCOMPARE(istekler[0].konu, u"Şifre Değiştirme İsteği"_s);
        QCOMPARE(istekler[0].alanlar.value(u"kullaniciadi"_s).toString(), u"ALI"_s);
        QCOMPARE(istekler[0].alanlar.value(u"sifre"_s).toString(), u"YENİ1"_s);
        QCOMPARE(istekler[0].alanlar.value(u"ilce"_s).toString(), u"GAZİEMİR"_s);
    }

    // Server down: the connection message once, and nothing else.
    void sunucuKapali_data()
    {
        QTest::addColumn<bool>("sifreDegistirme");
        QTest::newRow("istek gönderilirken") << false;
        QTest::newRow("cari bilgisi alınırken") << true;
    }

    void sunucuKapali()
    {
        QFETCH(bool, sifreDegistirme);
        IstemciOrtami ortam(BosPort(), bayiBilgisayari);
        PencereIzleyici izleyici;
        Baglanti b;
        const auto form = sifreDegistirme ? Tkullanicikayit::Ac(nullptr, b.bagc, TSonucBilgisi())
                                          : Tkullanicikayit::Yeni(nullptr, b.bagc, TSonucBilgisi());
        izleyici.yokSay(form.get());
        form->open();
        if (!sifreDegistirme) {
            doldur(*form);
            form->gonderButonu()->click();
        }
        QTRY_VERIFY(!form->dolduruluyor() && !form->gonderiliyor());
        QTest::qWait(50);
        QCOMPARE(izleyici.gorulenler, QStringList {u"Hata: Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s});
        QVERIFY(form->gonderButonu()->isEnabled());
        QVERIFY(kutu(*form, u"adres1"_s)->isEnabled());
    }
};

QTEST_MAIN(KullaniciKayitTesti)
#include "tst_kullanicikayit.moc"
