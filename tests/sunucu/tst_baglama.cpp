#include <QTest>

#include "sunucu/dagitici.h"

using namespace Qt::StringLiterals;

namespace {

using Yoldan = std::vector<std::optional<QString>>;

// The bound inputs written out as text: n for null, s:..., i:..., d:..., b:..., o for an object.
QStringList yaz(const Metot &m, const std::vector<Girdi> &girdiler)
{
    QStringList s;
    for (size_t i = 0; i < m.parametreler.size(); ++i) {
        if (m.parametreler[i].yon != Yon::Girdi)
            continue;
        const Girdi &g = girdiler[i];
        if (std::holds_alternative<std::monostate>(g))
            s << u"n"_s;
        else if (const auto *m = std::get_if<QString>(&g))
            s << u"s:"_s + *m;
        else if (const auto *t = std::get_if<qint64>(&g))
            s << u"i:"_s + QString::number(*t);
        else if (const auto *d = std::get_if<double>(&g))
            s << u"d:"_s + QString::number(*d);
        else if (const auto *b = std::get_if<bool>(&g))
            s << (*b ? u"b:1"_s : u"b:0"_s);
        else
            s << u"o"_s;
    }
    return s;
}

} // namespace

Q_DECLARE_METATYPE(MetotNo)

class BaglamaTesti final : public QObject
{
    Q_OBJECT

private slots:
    void bagla_data()
    {
        QTest::addColumn<MetotNo>("metot");
        QTest::addColumn<QStringList>("yoldan"); // "<null>" for the segment null
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<QStringList>("beklenen");

        const QStringList bos;
        QTest::newRow("path text") << MetotNo::EchoString << QStringList{u"çivi"_s} << QByteArray() << QStringList{u"s:çivi"_s};
        QTest::newRow("missing input is null") << MetotNo::EchoString << bos << QByteArray() << QStringList{u"n"_s};
        QTest::newRow("null segment") << MetotNo::EchoString << QStringList{u"<null>"_s} << QByteArray() << QStringList{u"n"_s};
        QTest::newRow("_parameters") << MetotNo::SepetSecimGuncelle << bos << QByteArray(R"({"_parameters":[12,0]})")
                                     << QStringList{u"i:12"_s, u"i:0"_s};
        QTest::newRow("path first, then body") << MetotNo::SepetSecimGuncelle << QStringList{u"12"_s}
                                               << QByteArray(R"({"_parameters":[1]})") << QStringList{u"i:12"_s, u"i:1"_s};
        QTest::newRow("single body value, JSON string") << MetotNo::EchoString << bos << QByteArray("\"a\\\"b\"")
                                                        << QStringList{u"s:a\"b"_s};
        QTest::newRow("single body value, plain text") << MetotNo::EchoString << bos << QByteArray("düz metin")
                                                       << QStringList{u"s:düz metin"_s};
        QTest::newRow("number for a string") << MetotNo::EchoString << bos << QByteArray(R"({"_parameters":[42]})")
                                             << QStringList{u"s:42"_s};
        QTest::newRow("true for an integer") << MetotNo::SepetSecimGuncelle << QStringList{u"5"_s, u"true"_s} << QByteArray()
                                             << QStringList{u"i:5"_s, u"i:1"_s};
        QTest::newRow("doubles, path and body") << MetotNo::KargolarVer << QStringList{u"-3"_s} << QByteArray() << QStringList{u"i:-3"_s};
        QTest::newRow("session object and text") << MetotNo::StokAraTezmar << QStringList{u"FREN"_s}
                                                 << QByteArray(R"({"_parameters":[{"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":7}}]})")
                                                 << QStringList{u"s:FREN"_s, u"o"_s};
        QTest::newRow("null object") << MetotNo::StokAraTezmar << QStringList{u"FREN"_s}
                                     << QByteArray(R"({"_parameters":[null]})") << QStringList{u"s:FREN"_s, u"n"_s};
        QTest::newRow("double from text and number") << MetotNo::RaporAlinanSiparisler << bos
                                                     << QByteArray(R"({"_parameters":[null,"45292.5",45300]})")
                                                     << QStringList{u"n"_s, u"d:45292.5"_s, u"d:45300"_s};
    }

    void bagla()
    {
        QFETCH(MetotNo, metot);
        QFETCH(QStringList, yoldan);
        QFETCH(QByteArray, govde);
        QFETCH(QStringList, beklenen);
        const Metot &m = ::metot(metot);
        Yoldan y;
        for (const QString &s : yoldan)
            y.push_back(s == u"<null>" ? std::nullopt : std::optional(s));
        QCOMPARE(yaz(m, Dagitici::girdileriBagla(m, y, govde.toStdString())), beklenen);
    }

    void hatalar_data()
    {
        QTest::addColumn<MetotNo>("metot");
        QTest::addColumn<QStringList>("yoldan");
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<QString>("iletideGecen");

        QTest::newRow("too many in the path") << MetotNo::EchoString << QStringList{u"a"_s, u"b"_s} << QByteArray() << u"consumed only 1 input parameters out of 2"_s;
        QTest::newRow("too many in the body") << MetotNo::SepetSecimGuncelle << QStringList{u"1"_s}
                                              << QByteArray(R"({"_parameters":[1,2]})") << u"out of 3"_s;
        QTest::newRow("not an integer") << MetotNo::KargolarVer << QStringList{u"12a"_s} << QByteArray() << u"'gn' parametresi bir tamsayı olmalı"_s;
        QTest::newRow("fraction for an integer") << MetotNo::KargolarVer << QStringList{} << QByteArray(R"({"_parameters":[1.5]})") << u"'gn'"_s;
        QTest::newRow("beyond 32 bits") << MetotNo::KargolarVer << QStringList{u"2147483648"_s} << QByteArray() << u"32 bit"_s;
        QTest::newRow("comma decimal") << MetotNo::RaporAlinanSiparisler << QStringList{u"<null>"_s, u"1,5"_s} << QByteArray() << u"'tarih1'"_s;
        QTest::newRow("object in the path") << MetotNo::StokAraTezmar << QStringList{u"a"_s, u"x"_s} << QByteArray() << u"'bilgi'"_s;
        QTest::newRow("array for an object") << MetotNo::StokAraTezmar << QStringList{u"a"_s} << QByteArray(R"({"_parameters":[[1]]})") << u"'bilgi'"_s;
        QTest::newRow("object body is one value, not text") << MetotNo::BuyukGetir << QStringList{} << QByteArray(R"({"a":1})") << u"'idsi' parametresi bir metin olmalı"_s;
        QTest::newRow("callback") << MetotNo::MobilStokaraGeri << QStringList{u"a"_s, u"<null>"_s, u"1"_s, u"1"_s, u"x"_s} << QByteArray() << u"'geri'"_s;
    }

    void hatalar()
    {
        QFETCH(MetotNo, metot);
        QFETCH(QStringList, yoldan);
        QFETCH(QByteArray, govde);
        QFETCH(QString, iletideGecen);
        Yoldan y;
        for (const QString &s : yoldan)
            y.push_back(s == u"<null>" ? std::nullopt : std::optional(s));
        try {
            Dagitici::girdileriBagla(::metot(metot), y, govde.toStdString());
            QFAIL("bad input was bound");
        } catch (const MetotHatasi &h) {
            QVERIFY2(QString::fromStdString(h.what()).contains(iletideGecen), h.what());
        }
    }
};

QTEST_APPLESS_MAIN(BaglamaTesti)
#include "tst_baglama.moc"
