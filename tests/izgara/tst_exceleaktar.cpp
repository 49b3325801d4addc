#include <QApplication>
#include <QFileDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "remote/tablo/bellektablo.h"
#include "tests/izgara/ornekler.h"
#include "tests/izgara/xlsokuyucu.h"
#include "widgets/izgara/exceleaktar.h"
#include "widgets/izgara/izgarasuzgeci.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

namespace {

// Answers the save dialog once it is up: the action fills it in and closes it.
void dialoguYanitla(std::function<void(QFileDialog *)> eylem)
{
    auto *zamanlayici = new QTimer;
    zamanlayici->setInterval(10);
    QObject::connect(zamanlayici, &QTimer::timeout, zamanlayici, [zamanlayici, eylem] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            zamanlayici->stop();
            zamanlayici->deleteLater();
            eylem(dialog);
        }
    });
    zamanlayici->start();
}

void adlaKaydet(const QString &dosya)
{
    // As the user does: goes to the folder and types the name. (selectFile
    // leaves a name box that has the focus untouched.)
    dialoguYanitla([dosya](QFileDialog *dialog) {
        const QFileInfo bilgi(dosya);
        dialog->setDirectory(bilgi.absolutePath());
        auto *ad = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QVERIFY(ad);
        ad->setText(bilgi.fileName());
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
    });
}

} // namespace

class ExceleAktarTesti final : public QObject
{
    Q_OBJECT

    Sepet sepet_;
    BellekTablo &tablo_ = sepet_.tablo;
    QTemporaryDir klasor_;
    ExcelMesajlari oncekiMesajlar_;
    QStringList hatalar_;
    QStringList sorular_;
    bool yanit_ = false;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        QVERIFY(klasor_.isValid());

        oncekiMesajlar_ =
            ExcelMesajlariniKur({[this](QWidget *, const QString &hata) { hatalar_.append(hata); },
                                 [this](QWidget *, const QString &soru) {
                                     sorular_.append(soru);
                                     return yanit_;
                                 }});
    }

    void cleanupTestCase() { ExcelMesajlariniKur(oncekiMesajlar_); }

    void init()
    {
        hatalar_.clear();
        sorular_.clear();
    }

    void uzantiXlsOlur_data()
    {
        QTest::addColumn<QString>("secilen");
        QTest::addColumn<QString>("yazilan");
        QTest::newRow("uzantısız") << u"/a/sepet"_s << u"/a/sepet.xls"_s;
        QTest::newRow("xlsx") << u"/a/sepet.xlsx"_s << u"/a/sepet.xls"_s;
        QTest::newRow("büyük harf") << u"/a/sepet.XLS"_s << u"/a/sepet.xls"_s;
        QTest::newRow("başka uzantı") << u"/a/rapor.2024.txt"_s << u"/a/rapor.2024.xls"_s;
        QTest::newRow("noktalı klasör") << u"/a/b.c/sepet"_s << u"/a/b.c/sepet.xls"_s;
        QTest::newRow("gizli dosya") << u"/a/.sepet"_s << u"/a/.sepet.xls"_s;
    }

    void uzantiXlsOlur()
    {
        QFETCH(QString, secilen);
        QFETCH(QString, yazilan);
        QCOMPARE(xlsUzantisi(secilen), yazilan);
    }

    // The shown columns in their order, the filtered rows in the grid's order, typed.
    void izgaraGorundugoGibiYazilir()
    {
        if (!xlrdKurulu())
            QSKIP("python3-xlrd is not installed (scripts/bagimliliklar.sh test installs it)");
        VeriIzgarasi izgara;
        izgara.kolonlariAyarla(
            {kolon(u"STOKADI"_s, u"Stok Açıklama"_s), kolon(u"MIKTAR"_s, u"Miktar"_s).sayi(),
             kolon(u"NETTUTAR"_s, u"Net Tutar"_s).sayi(), kolon(u"MARKA"_s, u"Marka"_s).gizli(),
             kolon(u"DURUM"_s, u"Durum"_s)
                 .ikonlu({}, {{0, u"Yok"_s}, {1, u"Var"_s}, {3, u"Yolda"_s}}),
             kolon(u"TARIH"_s, u"Tarih"_s)});
        izgara.tabloyaBagla(&tablo_);
        izgara.suzgecAyarla(u"MARKA", {u"Bosch"_s, u"Castrol"_s});
        izgara.suzgec()->sort(izgara.kolonIndeksi(u"NETTUTAR"), Qt::DescendingOrder);

        const QString secilen = klasor_.filePath(u"sepet.xlsx"_s);
        adlaKaydet(secilen);
        ExceleAktar(&izgara);
        QVERIFY(hatalar_.isEmpty());
        QVERIFY(!QFile::exists(secilen));
        const QString dosya = klasor_.filePath(u"sepet.xls"_s);
        QVERIFY(QFile::exists(dosya));

        QString hata;
        const auto kitap = xlsOku(dosya, &hata);
        QVERIFY2(kitap, qPrintable(hata));
        const QJsonArray satirlar = (*kitap)[u"sayfalar"_s][0][u"satirlar"_s].toArray();
        QCOMPARE(satirlar.size(), 4);
        QStringList basliklar;
        for (const QJsonValue &h : satirlar[0].toArray())
            basliklar.append(h[u"v"_s].toString());
        QCOMPARE(basliklar,
                 (QStringList {u"Stok Açıklama"_s, u"Miktar"_s, u"Net Tutar"_s, u"Durum"_s,
                               u"Tarih"_s}));
        QStringList adlar;
        for (int r = 1; r < satirlar.size(); ++r)
            adlar.append(satirlar[r][0][u"v"_s].toString());
        QCOMPARE(adlar, (QStringList {u"Şanzıman yağı"_s, u"Fren balatası"_s, u"Conta"_s}));
        QCOMPARE(satirlar[2][1][u"v"_s].toDouble(), 2.0);
        QCOMPARE(satirlar[2][2][u"t"_s].toInt(), 2);
        QCOMPARE(satirlar[2][2][u"v"_s].toDouble(), 1234.5);
        QCOMPARE(satirlar[2][2][u"b"_s].toString(), u"#,###,##0.00"_s);
        QCOMPARE(satirlar[3][3][u"v"_s].toString(), u"Yolda"_s);
        QCOMPARE(satirlar[3][4][u"t"_s].toInt(), 3);
        QCOMPARE(satirlar[3][4][u"v"_s].toArray(), (QJsonArray {2024, 3, 3, 0, 0, 0}));
    }

    void vazgecilinceHicbirSeyYazilmaz()
    {
        VeriIzgarasi izgara;
        izgara.tabloyaBagla(&tablo_);
        const QStringList once = QDir(klasor_.path()).entryList(QDir::Files);
        dialoguYanitla([](QFileDialog *dialog) { dialog->reject(); });
        ExceleAktar(&izgara);
        QCOMPARE(QDir(klasor_.path()).entryList(QDir::Files), once);
        QVERIFY(hatalar_.isEmpty());
        QVERIFY(sorular_.isEmpty());
    }

    // The dialog confirmed "liste.xlsx"; "liste.xls" is another file and is
    // replaced only when the user says so.
    void uzantisiDegisenAdVarsaSorulur()
    {
        const QString eski = klasor_.filePath(u"liste.xls"_s);
        {
            QFile f(eski);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("eski");
        }
        VeriIzgarasi izgara;
        izgara.tabloyaBagla(&tablo_);

        yanit_ = false;
        adlaKaydet(klasor_.filePath(u"liste.xlsx"_s));
        ExceleAktar(&izgara);
        QCOMPARE(sorular_.size(), 1);
        QVERIFY(sorular_[0].contains(u"liste.xls"_s));
        QFile f(eski);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("eski"));
        f.close();

        yanit_ = true;
        adlaKaydet(klasor_.filePath(u"liste.xlsx"_s));
        ExceleAktar(&izgara);
        QCOMPARE(sorular_.size(), 2);
        QVERIFY(QFileInfo(eski).size() > 512);
        QVERIFY(hatalar_.isEmpty());
    }

    void yazilamayanDosyaHataMetniniGosterir()
    {
        QVERIFY(QDir(klasor_.path()).mkdir(u"klasor.xls"_s));
        VeriIzgarasi izgara;
        izgara.tabloyaBagla(&tablo_);
        yanit_ = true;
        adlaKaydet(klasor_.filePath(u"klasor"_s));
        ExceleAktar(&izgara);
        QCOMPARE(hatalar_.size(), 1);
        QVERIFY2(hatalar_[0].contains(u"klasor.xls"_s), qPrintable(hatalar_[0]));
        QVERIFY(QFileInfo(klasor_.filePath(u"klasor.xls"_s)).isDir());
        QVERIFY(
            QDir(klasor_.path()).entryList({u"klasor*"_s}, QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_MAIN(ExceleAktarTesti)
#include "tst_exceleaktar.moc"
