#include <cmath>
#include <limits>

#include <QTest>

#include "remote/jsonyazici.h"

using namespace Qt::StringLiterals;

class JsonYaziciTesti final : public QObject
{
    Q_OBJECT

private slots:
    void metinKacislari_data()
    {
        QTest::addColumn<QString>("deger");
        QTest::addColumn<QByteArray>("beklenen");
        QTest::newRow("düz") << u"ABC 123"_s << QByteArray("\"ABC 123\"");
        QTest::newRow("tırnak ve ters bölü") << u"a\"b\\c"_s << QByteArray("\"a\\\"b\\\\c\"");
        QTest::newRow("bölü") << u"12/34"_s << QByteArray("\"12\\/34\"");
        QTest::newRow("kontrol") << u"\b\f\n\r\t\x01"_s << QByteArray("\"\\b\\f\\n\\r\\t\\u0001\"");
        QTest::newRow("silme karakteri") << u"\x7F"_s << QByteArray("\"\\u007F\"");
        QTest::newRow("Türkçe") << u"ÇİĞÖŞÜ çığöşü"_s
                                << QByteArray("\"\\u00C7\\u0130\\u011E\\u00D6\\u015E\\u00DC "
                                              "\\u00E7\\u0131\\u011F\\u00F6\\u015F\\u00FC\"");
        QTest::newRow("vekil çifti")
            << QString::fromUtf8("a😀") << QByteArray("\"a\\uD83D\\uDE00\"");
        QTest::newRow("boş") << QString() << QByteArray("\"\"");
    }

    void metinKacislari()
    {
        QFETCH(QString, deger);
        QFETCH(QByteArray, beklenen);
        JsonYazici y;
        y.metin(deger);
        QCOMPARE(QByteArray::fromStdString(y.metin()), beklenen);
        // The UTF-8 path escapes the same way.
        JsonYazici u;
        const QByteArray utf8 = deger.toUtf8();
        u.metinUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        QCOMPARE(QByteArray::fromStdString(u.metin()), beklenen);
    }

    void bozukUtf8YerineKonur()
    {
        JsonYazici y;
        y.metinUtf8("a\xC3\x28z\xF0\x9F"); // a broken two-byte and a cut four-byte sequence
        QCOMPARE(QByteArray::fromStdString(y.metin()), QByteArray("\"a\\uFFFD(z\\uFFFD\\uFFFD\""));
    }

    void ondalikBicimi_data()
    {
        QTest::addColumn<double>("deger");
        QTest::addColumn<QByteArray>("beklenen");
        QTest::newRow("sıfır") << 0.0 << QByteArray("0");
        QTest::newRow("eksi sıfır") << -0.0 << QByteArray("0");
        QTest::newRow("tam") << 18.0 << QByteArray("18");
        QTest::newRow("negatif kesir") << -2.75 << QByteArray("-2.75");
        QTest::newRow("15 hane") << 43005.291666666666 << QByteArray("43005.2916666667");
        QTest::newRow("toplama hatası") << 0.1 + 0.2 << QByteArray("0.3");
        QTest::newRow("büyük tam") << 123456789012345.0 << QByteArray("123456789012345");
        QTest::newRow("üslü büyük") << 1e20 << QByteArray("1E20");
        QTest::newRow("16 haneli") << 1234567890123456.0 << QByteArray("1.23456789012346E15");
        QTest::newRow("küçük sabit") << 0.00001 << QByteArray("0.00001");
        QTest::newRow("üslü küçük") << 1.5e-7 << QByteArray("1.5E-7");
        QTest::newRow("sonsuz") << std::numeric_limits<double>::infinity() << QByteArray("null");
        QTest::newRow("sayı değil") << std::nan("") << QByteArray("null");
    }

    void ondalikBicimi()
    {
        QFETCH(double, deger);
        QFETCH(QByteArray, beklenen);
        std::string s;
        JsonYazici::ondalikEkle(s, deger);
        QCOMPARE(QByteArray::fromStdString(s), beklenen);
    }

    void virgullerYerindedir()
    {
        JsonYazici y;
        y.nesneBasla()
            .anahtar("a")
            .tamsayi(-5)
            .anahtar("b")
            .diziBasla()
            .mantiksal(true)
            .bos()
            .diziBasla()
            .diziBitir()
            .nesneBasla()
            .nesneBitir()
            .diziBitir()
            .anahtar(u"ç"_s)
            .baytlar(std::string_view("\x00\x7F\xFF", 3))
            .nesneBitir();
        QCOMPARE(QByteArray::fromStdString(y.metin()),
                 QByteArray("{\"a\":-5,\"b\":[true,null,[],{}],\"\\u00E7\":[0,127,255]}"));
    }
};

QTEST_APPLESS_MAIN(JsonYaziciTesti)
#include "tst_jsonyazici.moc"
