#include <QTest>

#include "sunucu/hesaplar.h"
#include "sunucu/sema.h"
#include "testdeposu.h"

using namespace Qt::StringLiterals;

namespace {

// One dealer with a computer, one inactive user, a representative.
void kucukHesaplar(Veritabani &vt)
{
    vt.degistir("INSERT INTO saticilar (satici_no, adi, telefon, mail) VALUES (4, 'AYŞE KILIÇ', '0532', 'a@x')");
    vt.degistir("INSERT INTO cariler (carino, carikod, cariadi, satici_no) VALUES (9, '120.01.0009', 'ÇAĞ OTO', 4)");
    vt.degistir("INSERT INTO kullanicilar (sirano, adi, sifre, carino, musteri_tipi, aktif) "
                "VALUES (3, 'ALI', 'S1', 9, 4, 1), (5, 'VELI', 'S2', 9, 0, 0)");
}

} // namespace

class DepoTesti final : public QObject
{
    Q_OBJECT

private slots:
    void depolar_data()
    {
        QTest::addColumn<QString>("tur");
        QTest::newRow("sqlite") << u"sqlite"_s;
        QTest::newRow("postgresql") << u"postgresql"_s;
    }

    void semaKurulurVeSurumTutulur_data() { depolar_data(); }
    void semaKurulurVeSurumTutulur()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        {
            auto vt = veritabaniAc(depo.adres());
            semayiGuncelle(*vt);
            QCOMPARE(semaSurumu(*vt), semaSonSurum());
            semayiGuncelle(*vt); // a second start changes nothing
            QCOMPARE(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM sema_surumu")), qint64(semaSonSurum()));
            vt->degistir("INSERT INTO sema_surumu (surum) VALUES (?)", qint64(semaSonSurum() + 1));
        }
        // A database from a newer server is refused, not changed.
        auto vt = veritabaniAc(depo.adres());
        QVERIFY_THROWS_EXCEPTION(VtHatasi, semayiGuncelle(*vt));
    }

    void degerlerGidipGelir_data() { depolar_data(); }
    void degerlerGidipGelir()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        const QByteArray ikili("\x00\x01\xFF\\x'?", 7);
        vt->degistir("INSERT INTO icerikler (ad, metin, veri) VALUES (?, ?, ?)", u"ş?'ğ"_s,
                     u"Çok satırlı\nmetin\t'tırnak' ?"_s, ikili);
        VtKomutu &k = vt->sorgula("SELECT metin, veri, ad FROM icerikler WHERE ad = ?", u"ş?'ğ"_s);
        QVERIFY(k.sonraki());
        QCOMPARE(k.metin(0), u"Çok satırlı\nmetin\t'tırnak' ?"_s);
        QCOMPARE(k.ikili(1), ikili);
        QCOMPARE(k.kolonTuru(1), VtTuru::Ikili);
        QVERIFY(!k.sonraki());

        vt->degistir("INSERT INTO kurlar (tarih, usd, eur) VALUES (?, ?, ?)", u"2024-03-01"_s, 32.123456789012, 35.5);
        VtKomutu &kur = vt->sorgula("SELECT tarih, usd, eur FROM kurlar");
        QVERIFY(kur.sonraki());
        QCOMPARE(kur.metin(0), u"2024-03-01"_s);
        QCOMPARE(kur.kolonTuru(0), VtTuru::Tarih);
        QCOMPARE(kur.ondalik(1), 32.123456789012);
        QCOMPARE(kur.kolonTuru(1), VtTuru::Ondalik);

        const qint64 buyuk = 9'000'000'000'123LL;
        QCOMPARE(vtTamsayi(vt->tekDeger("SELECT CAST(? AS BIGINT)", buyuk)), buyuk);
        QVERIFY(std::holds_alternative<std::monostate>(vt->tekDeger("SELECT gonderildi FROM giden_postalar")));
    }

    void islemHataVerinceHicbirSeyYazilmaz_data() { depolar_data(); }
    void islemHataVerinceHicbirSeyYazilmaz()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        QVERIFY_THROWS_EXCEPTION(VtHatasi, vt->islem([&] {
            vt->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('a', '1')");
            vt->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('a', '2')"); // duplicate key
        }));
        QCOMPARE(vtTamsayi(vt->tekDeger("SELECT COUNT(*) FROM ayarlar")), qint64(0));
        QVERIFY(!vt->islemde());
        // The connection is usable afterwards.
        vt->islem([&] { vt->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('a', '3')"); });
        QCOMPARE(vtMetin(vt->tekDeger("SELECT deger FROM ayarlar WHERE ad = 'a'")), u"3"_s);
    }

    void topluYaziciVeKimlikSayaclari_data() { depolar_data(); }
    void topluYaziciVeKimlikSayaclari()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        vt->islem([&] {
            auto y = vt->topluYazici("duyurular", {"sirano", "tarih", "baslik", "metin"});
            y->ekle({qint64(7), u"2024-01-02 03:04:05"_s, u"a\tb\\c\nd"_s, VtDeger(u""_s)});
            y->ekle({qint64(8), u"2024-01-02 03:04:06"_s, u"ikinci"_s, u"İ"_s});
            y->bitir();
            vt->kimlikSayaclariniDuzelt();
        });
        QCOMPARE(vtMetin(vt->tekDeger("SELECT baslik FROM duyurular WHERE sirano = 7")), u"a\tb\\c\nd"_s);
        QCOMPARE(vtMetin(vt->tekDeger("SELECT tarih FROM duyurular WHERE sirano = 8")), u"2024-01-02 03:04:06"_s);
        // A key generated afterwards does not collide with the loaded ones.
        vt->degistir("INSERT INTO duyurular (tarih, baslik) VALUES ('2024-01-03 00:00:00', 'yeni')");
        QCOMPARE(vtTamsayi(vt->tekDeger("SELECT sirano FROM duyurular WHERE baslik = 'yeni'")), qint64(9));
    }

    void topluYazicilarSirayla_data() { depolar_data(); }
    void topluYazicilarSirayla()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        // Two writers at once, each user referring to the account written
        // just before it. The users' long mail fills a writer's buffer long
        // before the accounts' short rows do; a statement runs between rows.
        const QString uzun(3000, u'ğ');
        vt->islem([&] {
            auto cariler = vt->topluYazici("cariler", {"carino", "carikod", "cariadi"});
            auto kullanicilar = vt->topluYazici(
                "kullanicilar", {"sirano", "adi", "sifre", "mail", "carino", "musteri_tipi"});
            for (int i = 1; i <= 1500; ++i) {
                cariler->ekle({qint64(i), u"K%1"_s.arg(i), u"CARİ %1"_s.arg(i)});
                kullanicilar->ekle(
                    {qint64(i), u"U%1"_s.arg(i), u"S"_s, uzun, qint64(i), qint64(0)});
                if (i == 700)
                    vt->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('ara', ?)", u"arada"_s);
            }
            kullanicilar->bitir();
            cariler->bitir();
        });
        QCOMPARE(vtTamsayi(vt->tekDeger(
                     "SELECT COUNT(*) FROM kullanicilar k JOIN cariler c ON c.carino = k.carino")),
                 qint64(1500));
        QCOMPARE(vtMetin(vt->tekDeger("SELECT mail FROM kullanicilar WHERE sirano = 1500")), uzun);
        QCOMPARE(vtMetin(vt->tekDeger("SELECT cariadi FROM cariler WHERE carino = 1")),
                 u"CARİ 1"_s);
        QCOMPARE(vtMetin(vt->tekDeger("SELECT deger FROM ayarlar WHERE ad = 'ara'")), u"arada"_s);
    }

    void topluYuklemeDizinleriYenidenKurar_data() { depolar_data(); }
    void topluYuklemeDizinleriYenidenKurar()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        const char *dizinSorgusu = vt->lehce() == VtLehce::Sqlite
            ? "SELECT name, sql FROM sqlite_master WHERE type = 'index' ORDER BY name"
            : "SELECT indexname, indexdef FROM pg_indexes WHERE schemaname = current_schema() "
              "ORDER BY 1";
        const auto dizinler = [&] {
            QStringList liste;
            VtKomutu &k = vt->sorgula(dizinSorgusu);
            while (k.sonraki())
                liste << k.metin(0) + u" " + k.metin(1);
            return liste;
        };
        const auto ayarlar = [&]() -> QString {
            if (vt->lehce() == VtLehce::Postgres)
                return vtMetin(vt->tekDeger("SHOW maintenance_work_mem"));
            return vtMetin(vt->tekDeger("PRAGMA journal_mode")) + u' ' +
                vtMetin(vt->tekDeger("PRAGMA foreign_keys")) + u' ' +
                vtMetin(vt->tekDeger("PRAGMA synchronous"));
        };
        const QStringList once = dizinler();
        const QString ilkAyarlar = ayarlar();
        QVERIFY(once.filter(u"stoklar_yeni"_s).size() == 1);

        // During the load the plain indexes are gone, the constraints' stay.
        vt->topluYukle([&] {
            const QStringList arada = dizinler();
            QVERIFY(arada.filter(u"stoklar_yeni"_s).isEmpty());
            QVERIFY(arada.filter(u"barkodlar_stok"_s).isEmpty());
            QVERIFY(!arada.filter(u"barkod"_s).isEmpty()); // the UNIQUE one
            vt->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('yuklendi', '1')");
        });
        QCOMPARE(dizinler(), once);
        QCOMPARE(ayarlar(), ilkAyarlar);
        QCOMPARE(vtMetin(vt->tekDeger("SELECT deger FROM ayarlar WHERE ad = 'yuklendi'")), u"1"_s);

        // A failed load leaves nothing behind: no rows, every index, the
        // serving settings.
        QVERIFY_THROWS_EXCEPTION(VtHatasi, vt->topluYukle([&] {
            auto y = vt->topluYazici("ayarlar", {"ad", "deger"});
            y->ekle({u"yarim"_s, u"1"_s});
            y->ekle({u"yarim"_s, u"2"_s}); // duplicate key
            y->bitir();
        }));
        QVERIFY(std::holds_alternative<std::monostate>(
            vt->tekDeger("SELECT deger FROM ayarlar WHERE ad = 'yarim'")));
        QCOMPARE(dizinler(), once);
        QCOMPARE(ayarlar(), ilkAyarlar);
        QVERIFY(!vt->islemde());

        // Not inside another transaction: the settings cannot change there.
        QVERIFY_THROWS_EXCEPTION(VtHatasi, vt->islem([&] { vt->topluYukle([] {}); }));
    }

    void topluYuklemeBaskaBaglantiAcikken()
    {
        // A server may have the file open: the load still runs (in WAL
        // mode), and both connections see the result.
        TEST_DEPOSU(depo, u"sqlite"_s);
        auto sunan = veritabaniAc(depo.adres());
        semayiGuncelle(*sunan);
        QCOMPARE(vtTamsayi(sunan->tekDeger("SELECT COUNT(*) FROM ayarlar")), qint64(0));
        auto yukleyen = veritabaniAc(depo.adres());
        yukleyen->topluYukle(
            [&] { yukleyen->degistir("INSERT INTO ayarlar (ad, deger) VALUES ('a', '1')"); });
        QCOMPARE(vtMetin(sunan->tekDeger("SELECT deger FROM ayarlar WHERE ad = 'a'")), u"1"_s);
        QCOMPARE(vtMetin(yukleyen->tekDeger("PRAGMA journal_mode")), u"wal"_s);
    }

    void oturumKaydiDoldurulur_data() { depolar_data(); }
    void oturumKaydiDoldurulur()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        kucukHesaplar(*vt);
        QVERIFY(!bilgisayarKaydet(*vt, u"ALI"_s, u"WD-123"_s));
        QVERIFY(!bilgisayarKaydet(*vt, u"VELI"_s, u"PASİF-1"_s));

        const TSonucBilgisi k = oturumKaydi(*vt, u"WD-123"_s);
        QVERIFY(k.Varmi());
        QCOMPARE(k.ADI(), u"ALI"_s);
        QCOMPARE(k.SIFRE(), u"S1"_s);
        QCOMPARE(k.CARINO(), 9);
        QCOMPARE(k.carikod(), u"120.01.0009"_s);
        QCOMPARE(k.CariAdi(), u"ÇAĞ OTO"_s);
        QCOMPARE(k.MusteriTipi(), 4);
        QCOMPARE(k.AKTIF(), 1);
        QCOMPARE(k.Sirano(), 3);
        QCOMPARE(k.SaticiNo(), 4);
        QCOMPARE(k.SaticiAdi(), u"AYŞE KILIÇ"_s);
        QCOMPARE(k.Version(), 3);
        QCOMPARE(k.BILGISAYARID(), u"WD-123"_s);

        QCOMPARE(oturumKaydi(*vt, u"PASİF-1"_s).AKTIF(), 0);

        // Unknown, empty, or differing in case: not known, but with the
        // expected version so that the client does not try to update.
        istemciSurumuAyarla(*vt, 4);
        for (const QString &id : {u"YOK"_s, QString(), u"wd-123"_s}) {
            const TSonucBilgisi bilinmeyen = oturumKaydi(*vt, id);
            QVERIFY(!bilinmeyen.Varmi());
            QVERIFY(bilinmeyen.ADI().isEmpty());
            QCOMPARE(bilinmeyen.Version(), 4);
        }
    }

    void bilgisayarKaydi_data() { depolar_data(); }
    void bilgisayarKaydi()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        kucukHesaplar(*vt);
        QVERIFY(!bilgisayarKaydet(*vt, u"ALI"_s, u"PC-1"_s));
        // Moving a computer to another user names the previous owner.
        QCOMPARE(bilgisayarKaydet(*vt, u"VELI"_s, u"PC-1"_s), std::optional(u"ALI"_s));
        QCOMPARE(oturumKaydi(*vt, u"PC-1"_s).ADI(), u"VELI"_s);
        // Bad input changes nothing.
        QVERIFY_THROWS_EXCEPTION(VtHatasi, bilgisayarKaydet(*vt, u"YOK"_s, u"PC-2"_s));
        QVERIFY_THROWS_EXCEPTION(VtHatasi, bilgisayarKaydet(*vt, u"ALI"_s, u"  "_s));
        QVERIFY_THROWS_EXCEPTION(VtHatasi, bilgisayarKaydet(*vt, u"ALI"_s, u" PC-3"_s));
        QVERIFY(!oturumKaydi(*vt, u"PC-2"_s).Varmi());

        const auto liste = kullanicilar(*vt);
        QCOMPARE(liste.size(), size_t(2));
        QCOMPARE(liste[0].adi, u"ALI"_s);
        QVERIFY(liste[0].bilgisayarlar.isEmpty());
        QCOMPARE(liste[1].bilgisayarlar, QStringList{u"PC-1"_s});

        QVERIFY(bilgisayarSil(*vt, u"PC-1"_s));
        QVERIFY(!bilgisayarSil(*vt, u"PC-1"_s));
        QVERIFY_THROWS_EXCEPTION(VtHatasi, sifreAyarla(*vt, u"ALI"_s, u"kucuk"_s));
        sifreAyarla(*vt, u"ALI"_s, u"YENİ1"_s);
        aktifAyarla(*vt, u"ALI"_s, false);
        bilgisayarKaydet(*vt, u"ALI"_s, u"PC-1"_s);
        QCOMPARE(oturumKaydi(*vt, u"PC-1"_s).SIFRE(), u"YENİ1"_s);
        QCOMPARE(oturumKaydi(*vt, u"PC-1"_s).AKTIF(), 0);
        QVERIFY_THROWS_EXCEPTION(VtHatasi, istemciSurumuAyarla(*vt, 0));
    }

    void havuzBaglantilariPaylasir()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        VtHavuzu havuz(depo.adres(), 2);
        Veritabani *ilk = nullptr, *ikinci = nullptr;
        {
            auto a = havuz.al();
            auto b = havuz.al();
            ilk = &*a;
            ikinci = &*b;
            QVERIFY(ilk != ikinci);
        }
        auto c = havuz.al(); // one of the two given back, not a new one
        QVERIFY(&*c == ilk || &*c == ikinci);
        QCOMPARE(vtTamsayi(c->tekDeger("SELECT COUNT(*) FROM sema_surumu")), qint64(semaSonSurum()));
    }
};

QTEST_GUILESS_MAIN(DepoTesti)
#include "tst_depo.moc"
