#include <QTest>

#include "remote/akisokuyucu.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

struct Sonuc
{
    std::vector<Deger> ciktilar;
    QList<int> ilerleme;
};

// Feeds a reply of BelgeIndir in pieces of the given size.
Sonuc oku(const QByteArray &govde, int parca)
{
    Sonuc s;
    AkisliCevapOkuyucu okuyucu(metot(MetotNo::BelgeIndir),
                               [&](int yuzde) { s.ilerleme.append(yuzde); });
    for (qsizetype i = 0; i < govde.size(); i += parca) {
        const QByteArray p = govde.mid(i, parca);
        okuyucu.veri(std::string_view(p.constData(), std::size_t(p.size())));
    }
    s.ciktilar = okuyucu.bitir();
    return s;
}

QByteArray baytDizisi(int n)
{
    QByteArray s = "[";
    for (int i = 0; i < n; ++i)
        s += (i ? ",\n " : "") + QByteArray::number(i % 256);
    return s + "]";
}

} // namespace

class AkisOkuyucuTesti final : public QObject
{
    Q_OBJECT

private slots:
    void parcaSinirlariFarketmez_data()
    {
        QTest::addColumn<int>("parca");
        for (const int p : {1, 2, 3, 5, 64, 1023, 1024, 1 << 20})
            QTest::newRow(qPrintable(QString::number(p))) << p;
    }

    void parcaSinirlariFarketmez()
    {
        QFETCH(int, parca);
        // A name with a quote, a bracket and an escape before the stream.
        const QByteArray govde = " {\"x\":[1,[2]],\"result\" : [ 2500 , \"a\\\"]b\\\\[.pdf\" , " +
            baytDizisi(2500) + " ] } ";
        const Sonuc s = oku(govde, parca);
        QCOMPARE(s.ilerleme, QList<int>({40, 81, 100}));
        QCOMPARE(std::get<qint64>(s.ciktilar[0]), 2500);
        QCOMPARE(std::get<QString>(s.ciktilar[1]), u"a\"]b\\[.pdf"_s);
        const QByteArray icerik = std::get<QByteArray>(s.ciktilar[2]);
        QCOMPARE(icerik.size(), 2500);
        QCOMPARE(static_cast<unsigned char>(icerik[300]), 300 % 256);
    }

    void akisYoksaBosDeger()
    {
        const Sonuc s = oku(R"({"result":[0,"",null]})", 4);
        QVERIFY(s.ilerleme.isEmpty());
        QVERIFY(std::holds_alternative<std::monostate>(s.ciktilar[2]));
    }

    void bozukCevaplar_data()
    {
        QTest::addColumn<QByteArray>("govde");
        QTest::newRow("256") << QByteArray(R"({"result":[2,"a",[1,256]]})");
        QTest::newRow("harf") << QByteArray(R"({"result":[2,"a",[1,x]]})");
        QTest::newRow("boş öğe") << QByteArray(R"({"result":[2,"a",[1,,2]]})");
        QTest::newRow("sondaki virgül") << QByteArray(R"({"result":[2,"a",[1,2,]]})");
        QTest::newRow("boşluklu sayı") << QByteArray(R"({"result":[2,"a",[1 2]]})");
        QTest::newRow("iç içe dizi") << QByteArray(R"({"result":[2,"a",[[1],2]]})");
        QTest::newRow("yarıda kesik") << QByteArray(R"({"result":[2,"a",[1,)");
        QTest::newRow("akıştan sonra kesik") << QByteArray(R"({"result":[2,"a",[1,2])");
        QTest::newRow("eksik çıktı") << QByteArray(R"({"result":[2,[1,2]]})");
        QTest::newRow("metin akış yerine") << QByteArray(R"({"result":[2,"a","12"]})");
    }

    void bozukCevaplar()
    {
        QFETCH(QByteArray, govde);
        QVERIFY_THROWS_EXCEPTION(UzakHata, oku(govde, 3));
    }
};

QTEST_APPLESS_MAIN(AkisOkuyucuTesti)
#include "tst_akisokuyucu.moc"
