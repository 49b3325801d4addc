#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "app/utils/ayarlar.h"
#include "app/utils/cikis.h"
#include "app/utils/klasorler.h"
#include "app/utils/sistem.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray oku(const QString &yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Only the owner may read or write: no bit for the group or the others.
bool yalnizSahibi(const QString &yol)
{
    const auto izin = QFile::permissions(yol);
    const auto baskalari = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
        QFileDevice::ExeOther;
    return (izin & baskalari) == 0 &&
        izin.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void yaz(const QString &yol, const QByteArray &veri)
{
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(veri);
}

} // namespace

class AyarlarTesti final : public QObject
{
    Q_OBJECT

    QTemporaryDir ev;

private slots:
    void initTestCase()
    {
        QVERIFY(ev.isValid());
        qputenv("HOME", QFile::encodeName(ev.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ev.path() + u"/yapilandirma"_s));
    }

    void uygulamaKlasoruOlusturulurVeHepAyniDir()
    {
        const QString beklenen = ev.path() + u"/yapilandirma/dotezmar"_s;
        QVERIFY(!QDir(beklenen).exists());
        QCOMPARE(UygulamaKlasoru(), beklenen);
        QVERIFY(QDir(beklenen).exists());
        QCOMPARE(UygulamaKlasoru(), beklenen);
        QCOMPARE(AyarDosyasi(), beklenen + u"/ayar.ini"_s);
    }

    void belgelerKlasoruYoksaEvKlasoru()
    {
        QCOMPARE(BelgelerKlasoru(), ev.path());
        QVERIFY(QDir().mkpath(ev.path() + u"/Documents"_s));
        QCOMPARE(BelgelerKlasoru(), ev.path() + u"/Documents"_s);

        // The folder the user's desktop names wins.
        yaz(ev.path() + u"/yapilandirma/user-dirs.dirs"_s,
            "XDG_DOCUMENTS_DIR=\"$HOME/Belgeler\"\n");
        QVERIFY(QDir().mkpath(ev.path() + u"/Belgeler"_s));
        QCOMPARE(BelgelerKlasoru(), ev.path() + u"/Belgeler"_s);
    }

    void dosyaYoksaVarsayilanlar()
    {
        const KullaniciAyarlari a = KullaniciAyarlariniOku(ev.path() + u"/yok.ini"_s);
        QVERIFY(a.isim.isEmpty());
        QVERIFY(a.sifre.isEmpty());
        QVERIFY(a.hatirla);
    }

    void gidipGelirVeAnahtarDuzYazilir()
    {
        const QString dosya = AyarDosyasi();
        QFile::remove(dosya);
        const KullaniciAyarlari yazilan {u"ŞÜKRÜ"_s, u" p=ş;1 "_s, false};
        QString hata;
        QVERIFY2(KullaniciAyarlariniYaz(yazilan, dosya, &hata), qPrintable(hata));
        QCOMPARE(KullaniciAyarlariniOku(dosya), yazilan);
        QCOMPARE(KullaniciAyarlariniOku(), yazilan);

        const QByteArray icerik = oku(dosya);
        QVERIFY(icerik.contains("[kullanici]\n"));
        QVERIFY(icerik.contains("isim=\xC5\x9E\xC3\x9CKR\xC3\x9C\n"));
        QVERIFY(icerik.contains("hat\xC4\xB1rla=0\n"));
        QVERIFY(yalnizSahibi(dosya));
    }

    void baskaIcerikKorunur()
    {
        const QString dosya = ev.path() + u"/karisik.ini"_s;
        yaz(dosya,
            "\xEF\xBB\xBF; yorum\r\n[genel]\r\nisim=baska\r\n\r\n[KULLANICI]\r\nIsim = eski\r\n"
            "ekstra=kalsin\r\n\r\n[son]\r\nx=1\r\n");
        QFile::setPermissions(dosya,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const KullaniciAyarlari eski = KullaniciAyarlariniOku(dosya);
        QCOMPARE(eski.isim, u"eski"_s);
        QVERIFY(eski.hatirla);

        QVERIFY(KullaniciAyarlariniYaz({u"yeni"_s, u"s"_s, true}, dosya));
        const QByteArray icerik = oku(dosya);
        QCOMPARE(
            icerik,
            QByteArray("; yorum\n[genel]\nisim=baska\n\n[KULLANICI]\nisim=yeni\nekstra=kalsin\n"
                       "sifre=s\nhat\xC4\xB1rla=1\n\n[son]\nx=1\n"));
        QCOMPARE(KullaniciAyarlariniOku(dosya), (KullaniciAyarlari {u"yeni"_s, u"s"_s, true}));
        QVERIFY(yalnizSahibi(dosya));
    }

    void hatirlaDegerleri_data()
    {
        QTest::addColumn<QByteArray>("deger");
        QTest::addColumn<bool>("beklenen");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("2") << QByteArray("2") << true;
        QTest::newRow("metin varsayılanı verir") << QByteArray("evet") << true;
    }

    void hatirlaDegerleri()
    {
        QFETCH(QByteArray, deger);
        QFETCH(bool, beklenen);
        const QString dosya = ev.path() + u"/hatirla.ini"_s;
        yaz(dosya, "[kullanici]\nhat\xC4\xB1rla=" + deger + "\n");
        QCOMPARE(KullaniciAyarlariniOku(dosya).hatirla, beklenen);
    }

    void yazilamayanDosyaHataVerirVeDegismez()
    {
        const QString dosya = ev.path() + u"/satir.ini"_s;
        yaz(dosya, "[kullanici]\nisim=ilk\n");
        QString hata;
        QVERIFY(!KullaniciAyarlariniYaz({u"a\nb"_s, {}, true}, dosya, &hata));
        QVERIFY(!hata.isEmpty());
        QCOMPARE(oku(dosya), QByteArray("[kullanici]\nisim=ilk\n"));

        hata.clear();
        QVERIFY(!KullaniciAyarlariniYaz({}, ev.path() + u"/yok/klasor/ayar.ini"_s, &hata));
        QVERIFY(!hata.isEmpty());
    }

    void bilgisayarBilgileri()
    {
        QCOMPARE(BilgisayarAdiAl(), QSysInfo::machineHostName().section(u'.', 0, 0).left(15));
        QVERIFY(KullaniciAdiAl().size() <= 15);
        const QStringList parcalar = IpAdresiAl().split(u'.');
        QCOMPARE(parcalar.size(), 4);
        for (const QString &p : parcalar) {
            bool sayi = false;
            const int n = p.toInt(&sayi);
            QVERIFY(sayi && n >= 0 && n <= 255);
        }
    }

    void cikisKancasiDegistirilebilir()
    {
        int gelen = -1;
        const CikisKancasi onceki = CikisKancasiKur([&gelen](int kod) { gelen = kod; });
        ProgramiBitir(3);
        QCOMPARE(gelen, 3);
        CikisKancasiKur(onceki);
    }
};

QTEST_GUILESS_MAIN(AyarlarTesti)
#include "tst_ayarlar.moc"
