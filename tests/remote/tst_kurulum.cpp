#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "remote/kurulum.h"

using namespace Qt::StringLiterals;

namespace {

void dosyaYaz(const QString &yol, const QByteArray &icerik)
{
    QFile f(yol);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(icerik);
}

} // namespace

class KurulumTesti final : public QObject
{
    Q_OBJECT

private slots:
    void dosyaVarsayilanlarinUzerineYazar()
    {
        QTemporaryDir klasor;
        const QString yol = klasor.filePath(u"kurulum.ini"_s);
        dosyaYaz(yol,
                 "[sunucu]\nadres=https://sunucu.bayi.example\nport=8443\n"
                 "baglanti_zaman_asimi_ms=abc\nokuma_zaman_asimi_ms=-5\n"
                 "[adresler]\nweb=https://www.ornek.example/\n"
                 "[kimlik]\nsabit_kimlik=123456789012\n");
        const KurulumDegerleri v = KurulumDegerleri::varsayilan();
        const KurulumDegerleri d = kurulumDosyasiOku(yol);
        QCOMPARE(d.sunucuAdresi, u"https://sunucu.bayi.example"_s);
        QCOMPARE(d.port, u"8443"_s);
        QCOMPARE(d.webAdresi, u"https://www.ornek.example/"_s);
        QCOMPARE(d.sabitKimlik, u"123456789012"_s);
        // What the file leaves out or spoils keeps the default.
        QCOMPARE(d.baglantiZamanAsimiMs, v.baglantiZamanAsimiMs);
        QCOMPARE(d.okumaZamanAsimiMs, v.okumaZamanAsimiMs);
        QCOMPARE(d.bayiPortali, v.bayiPortali);
        QCOMPARE(d.takmaSeri1, v.takmaSeri1);
        QCOMPARE(v.port, u"99"_s);
    }

    void yazilanOkunur()
    {
        QTemporaryDir klasor;
        const QString yol = klasor.filePath(u"kurulum.ini"_s);
        KurulumDegerleri d = KurulumDegerleri::varsayilan();
        d.sunucuAdresi = u"10.0.0.5"_s;
        d.port = u"4099"_s;
        d.guncellemeAdresi = u"http://indir.example/yol;a=1"_s;
        d.baglantiZamanAsimiMs = 750;
        d.takmaSeri2 = u"ÇĞ SERİ"_s;
        QVERIFY(kurulumDosyasiYaz(yol, d));
        QCOMPARE(kurulumDosyasiOku(yol, {}), d);
    }

    void programinYanindakiDosyaOkunur()
    {
        const QString yol = QDir(QCoreApplication::applicationDirPath()).filePath(u"kurulum.ini"_s);
        QVERIFY(!QFile::exists(yol));
        dosyaYaz(yol, "[sunucu]\nport=1234\n");
        const QString bulunan = kurulumDosyasi();
        const KurulumDegerleri d = Kurulum();
        QFile::remove(yol);
        QCOMPARE(bulunan, yol);
        QCOMPARE(d.port, u"1234"_s);
        QCOMPARE(d.sunucuAdresi, KurulumDegerleri::varsayilan().sunucuAdresi);

        KurulumDegerleri test = d;
        test.port = u"5555"_s;
        KurulumAyarla(test);
        QCOMPARE(Kurulum().port, u"5555"_s);
    }
};

QTEST_GUILESS_MAIN(KurulumTesti)
#include "tst_kurulum.moc"
