#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tests/izgara/xlsokuyucu.h"
#include "widgets/izgara/xlsyazici.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int metinTuru = 1;
constexpr int sayiTuru = 2;
constexpr int tarihTuru = 3;

QJsonArray tarih(int y, int a, int g, int s = 0, int d = 0, int sn = 0)
{
    return {y, a, g, s, d, sn};
}

} // namespace

class XlsYaziciTesti final : public QObject
{
    Q_OBJECT

    QTemporaryDir klasor_;

    QJsonObject oku(const QString &dosya)
    {
        QString hata;
        const auto kitap = xlsOku(dosya, &hata);
        if (!kitap)
            qWarning().noquote() << hata;
        return kitap.value_or(QJsonObject());
    }

private slots:
    void initTestCase()
    {
        if (!xlrdKurulu())
            QSKIP("python3-xlrd is not installed (scripts/bagimliliklar.sh test installs it)");
        QVERIFY(klasor_.isValid());
    }

    // Every cell type comes back as what it was, with its format.
    void hucreTurleriGeriOkunur()
    {
        XlsYazici yazici({{u"Açıklama"_s, XlsTuru::Metin, {}, 200},
                          {u"Net Tutar"_s, XlsTuru::Sayi, u"#,###,##0.00"_s, 90},
                          {u"Miktar"_s, XlsTuru::Sayi, {}, 0},
                          {u"Tarih"_s, XlsTuru::Tarih, {}, 0},
                          {u"Zaman"_s, XlsTuru::TarihSaat, {}, 0},
                          {u"Saat"_s, XlsTuru::Saat, {}, 0}});
        yazici.satirEkle({u"Şanzıman yağı İĞÜçöı"_s, 1234567.891, 3.0,
                          QDateTime(QDate(2023, 2, 28), QTime()),
                          QDateTime(QDate(2017, 9, 27), QTime(7, 5, 9)),
                          QDateTime(QDate(1899, 12, 30), QTime(23, 59, 58))});
        // Empty cells stay empty; a date the 1900 system cannot hold goes as text.
        yazici.satirEkle({std::monostate(), -0.5, std::monostate(),
                          QDateTime(QDate(1900, 2, 28), QTime()), QString(), std::monostate()});
        const QString dosya = klasor_.filePath(u"türler.xls"_s);
        QCOMPARE(yazici.kaydet(dosya), std::nullopt);

        const QJsonObject kitap = oku(dosya);
        const QJsonArray sayfalar = kitap[u"sayfalar"_s].toArray();
        QCOMPARE(sayfalar.size(), 1);
        QCOMPARE(sayfalar[0][u"ad"_s].toString(), u"Sayfa1"_s);
        QCOMPARE(sayfalar[0][u"satirlar"_s].toArray().size(), 3);
        const QStringList basliklar {u"Açıklama"_s, u"Net Tutar"_s, u"Miktar"_s,
                                     u"Tarih"_s,    u"Zaman"_s,     u"Saat"_s};
        for (int c = 0; c < basliklar.size(); ++c) {
            QCOMPARE(xlsHucresi(kitap, 0, 0, c)[u"v"_s].toString(), basliklar[c]);
            QCOMPARE(sayfalar[0][u"kalin"_s][c].toInt(), 1);
        }

        QCOMPARE(xlsHucresi(kitap, 0, 1, 0)[u"v"_s].toString(), u"Şanzıman yağı İĞÜçöı"_s);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 1)[u"t"_s].toInt(), sayiTuru);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 1)[u"v"_s].toDouble(), 1234567.891);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 1)[u"b"_s].toString(), u"#,###,##0.00"_s);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 2)[u"v"_s].toDouble(), 3.0);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 2)[u"b"_s].toString(), u"General"_s);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 3)[u"t"_s].toInt(), tarihTuru);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 3)[u"v"_s].toArray(), tarih(2023, 2, 28));
        QCOMPARE(xlsHucresi(kitap, 0, 1, 4)[u"v"_s].toArray(), tarih(2017, 9, 27, 7, 5, 9));
        QCOMPARE(xlsHucresi(kitap, 0, 1, 5)[u"t"_s].toInt(), tarihTuru);
        QCOMPARE(xlsHucresi(kitap, 0, 1, 5)[u"v"_s].toArray(), tarih(0, 0, 0, 23, 59, 58));

        QCOMPARE(xlsHucresi(kitap, 0, 2, 0)[u"t"_s].toInt(), 0);
        QCOMPARE(xlsHucresi(kitap, 0, 2, 1)[u"v"_s].toDouble(), -0.5);
        QCOMPARE(xlsHucresi(kitap, 0, 2, 3)[u"t"_s].toInt(), metinTuru);
        QCOMPARE(xlsHucresi(kitap, 0, 2, 3)[u"v"_s].toString(), u"28.02.1900"_s);
        QCOMPARE(xlsHucresi(kitap, 0, 2, 4)[u"t"_s].toInt(), 0);
    }

    // Many and long texts spill over record limits: split strings, the
    // repeated flag after a split, and the index of the string table.
    void uzunVeCokMetinBolunurVeBozulmaz()
    {
        XlsYazici yazici({{u"Metin"_s, XlsTuru::Metin, {}, 0}, {u"Sıra"_s, XlsTuru::Sayi, {}, 0}});
        QStringList metinler;
        for (int i = 0; i < 3000; ++i) {
            // Plain and Turkish texts alternate, so both widths cross record ends.
            QString s = i % 2 ? u"ürün-%1-ĞŞ"_s.arg(i) : u"urun-%1"_s.arg(i);
            if (i % 500 == 7)
                s += QString(5000 + i, i % 2 ? u'ş' : u'x');
            metinler.append(s);
            yazici.satirEkle({s, double(i)});
        }
        yazici.satirEkle({metinler[10], 10.0}); // a repeat shares its string
        const QString dosya = klasor_.filePath(u"metinler.xls"_s);
        QCOMPARE(yazici.kaydet(dosya), std::nullopt);

        const QJsonObject kitap = oku(dosya);
        const QJsonArray satirlar = kitap[u"sayfalar"_s][0][u"satirlar"_s].toArray();
        QCOMPARE(satirlar.size(), 3002);
        for (int i = 0; i < metinler.size(); ++i) {
            QCOMPARE(satirlar[i + 1][0][u"v"_s].toString(), metinler[i]);
            QCOMPARE(satirlar[i + 1][1][u"v"_s].toDouble(), double(i));
        }
        QCOMPARE(satirlar[3001][0][u"v"_s].toString(), metinler[10]);
    }

    // A sheet holds 65,536 rows; the rest go on in the next with the header again.
    void satirlarSonrakiSayfayaTasar()
    {
        XlsYazici yazici({{u"No"_s, XlsTuru::Sayi, {}, 0}});
        const int satirSayisi = 70000;
        for (int i = 0; i < satirSayisi; ++i)
            yazici.satirEkle({double(i)});
        const QString dosya = klasor_.filePath(u"büyük.xls"_s);
        QCOMPARE(yazici.kaydet(dosya), std::nullopt);

        const QJsonObject kitap = oku(dosya);
        const QJsonArray sayfalar = kitap[u"sayfalar"_s].toArray();
        QCOMPARE(sayfalar.size(), 2);
        QCOMPARE(sayfalar[1][u"ad"_s].toString(), u"Sayfa2"_s);
        QCOMPARE(sayfalar[0][u"satirlar"_s].toArray().size(), 65536);
        QCOMPARE(sayfalar[1][u"satirlar"_s].toArray().size(), satirSayisi - 65535 + 1);
        QCOMPARE(xlsHucresi(kitap, 1, 0, 0)[u"v"_s].toString(), u"No"_s);
        QCOMPARE(xlsHucresi(kitap, 0, 65535, 0)[u"v"_s].toDouble(), 65534.0);
        QCOMPARE(xlsHucresi(kitap, 1, 1, 0)[u"v"_s].toDouble(), 65535.0);
        QCOMPARE(xlsHucresi(kitap, 1, satirSayisi - 65535, 0)[u"v"_s].toDouble(),
                 double(satirSayisi - 1));
    }

    void yazilamayanDosyaHataVeriVeIzBirakmaz_data()
    {
        QTest::addColumn<QString>("goreli");
        QTest::newRow("olmayan klasör") << u"yok/dosya.xls"_s;
        QTest::newRow("klasörün kendisi") << u"klasor.xls"_s;
    }

    void yazilamayanDosyaHataVeriVeIzBirakmaz()
    {
        QFETCH(QString, goreli);
        QTemporaryDir yer;
        QVERIFY(QDir(yer.path()).mkdir(u"klasor.xls"_s));
        const QStringList once =
            QDir(yer.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        XlsYazici yazici({{u"A"_s, XlsTuru::Metin, {}, 0}});
        yazici.satirEkle({u"x"_s});
        const auto hata = yazici.kaydet(yer.filePath(goreli));
        QVERIFY(hata);
        QVERIFY(!hata->isEmpty());
        QCOMPARE(QDir(yer.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 once);
        QVERIFY(QFileInfo(yer.filePath(u"klasor.xls"_s)).isDir());
    }

    void eskiDosyaYalnizTamYazilincaDegisir()
    {
        const QString dosya = klasor_.filePath(u"eski.xls"_s);
        {
            XlsYazici ilk({{u"Eski"_s, XlsTuru::Metin, {}, 0}});
            QCOMPARE(ilk.kaydet(dosya), std::nullopt);
        }
        XlsYazici yeni({{u"Yeni"_s, XlsTuru::Metin, {}, 0}});
        QCOMPARE(yeni.kaydet(dosya), std::nullopt);
        QCOMPARE(xlsHucresi(oku(dosya), 0, 0, 0)[u"v"_s].toString(), u"Yeni"_s);
        // No temporary file is left beside it.
        QCOMPARE(QDir(klasor_.path()).entryList({u"eski*"_s}, QDir::Files | QDir::Hidden),
                 QStringList {u"eski.xls"_s});
    }

    void cokFazlaKolonReddedilir()
    {
        QList<XlsKolon> kolonlar;
        for (int i = 0; i < XlsYazici::kolonSiniri + 1; ++i)
            kolonlar.append({u"K%1"_s.arg(i), XlsTuru::Metin, {}, 0});
        XlsYazici yazici(kolonlar);
        const QString dosya = klasor_.filePath(u"genis.xls"_s);
        QVERIFY(yazici.kaydet(dosya));
        QVERIFY(!QFile::exists(dosya));
    }

    // LibreOffice opens the file too (where it is installed).
    void libreOfficeAcar()
    {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        XlsYazici yazici(
            {{u"Açıklama"_s, XlsTuru::Metin, {}, 0}, {u"Tutar"_s, XlsTuru::Sayi, u"0.00"_s, 0}});
        yazici.satirEkle({u"Çağrı ŞİŞE"_s, 12.5});
        // Enough texts, one of them long, to cross the string table's record limits.
        const QString uzun = QString(6000, u'ğ') + u"son"_s;
        for (int i = 0; i < 2000; ++i)
            yazici.satirEkle({i == 1000 ? uzun : u"satır %1 ı"_s.arg(i), double(i)});
        const QString dosya = klasor_.filePath(u"lo.xls"_s);
        QCOMPARE(yazici.kaydet(dosya), std::nullopt);
        QProcess lo;
        lo.start(soffice,
                 {u"--headless"_s,
                  u"-env:UserInstallation=file://"_s + klasor_.filePath(u"lo-profil"_s),
                  u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):44,34,76"_s, u"--outdir"_s,
                  klasor_.path(), dosya});
        QVERIFY(lo.waitForFinished(180'000));
        QFile csv(klasor_.filePath(u"lo.csv"_s));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString icerik = QString::fromUtf8(csv.readAll());
        QVERIFY2(icerik.contains(u"Çağrı ŞİŞE"_s), qPrintable(icerik.left(200)));
        QVERIFY2(icerik.contains(u"12.50"_s), qPrintable(icerik.left(200)));
        QVERIFY(icerik.contains(uzun));
        QVERIFY(icerik.contains(u"satır 1999 ı"_s));
    }
};

QTEST_GUILESS_MAIN(XlsYaziciTesti)
#include "tst_xlsyazici.moc"
