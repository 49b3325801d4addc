#include <QTest>

#include "sunucu/dagitici.h"
#include "sunucu/restyolu.h"

using namespace Qt::StringLiterals;

using Parametreler = QList<std::optional<QString>>;
Q_DECLARE_METATYPE(RestYolu::Tur)

class RestYoluTesti final : public QObject
{
    Q_OBJECT

private slots:
    void coz_data()
    {
        QTest::addColumn<QString>("fiil");
        QTest::addColumn<QString>("hedef");
        QTest::addColumn<RestYolu::Tur>("tur");
        QTest::addColumn<QString>("metot");
        QTest::addColumn<QStringList>("parametreler"); // "<null>" for null
        QTest::addColumn<int>("durum");

        using T = RestYolu::Tur;
        const QStringList yok;
        QTest::newRow("get, no values") << "GET" << "/datasnap/rest/TServerMethods1/M/" << T::Metot << "M" << yok << 200;
        QTest::newRow("get, no slash") << "GET" << "/datasnap/rest/TServerMethods1/M" << T::Metot << "M" << yok << 200;
        QTest::newRow("empty value") << "GET" << "/datasnap/rest/TServerMethods1/M//" << T::Metot << "M" << QStringList{u""_s} << 200;
        QTest::newRow("value then empty") << "GET" << "/datasnap/rest/TServerMethods1/M/a//" << T::Metot << "M" << QStringList{u"a"_s, u""_s} << 200;
        QTest::newRow("empty then value") << "GET" << "/datasnap/rest/TServerMethods1/M//b/" << T::Metot << "M" << QStringList{u""_s, u"b"_s} << 200;
        QTest::newRow("null and decoding") << "GET" << "/datasnap/rest/TServerMethods1/M/null/%C3%A7ivi%20somun/a%2Fb/?json=true"
                                           << T::Metot << "M" << QStringList{u"<null>"_s, u"çivi somun"_s, u"a/b"_s} << 200;
        QTest::newRow("NULL is text") << "GET" << "/datasnap/rest/TServerMethods1/M/NULL" << T::Metot << "M" << QStringList{u"NULL"_s} << 200;
        QTest::newRow("bad escape kept") << "GET" << "/datasnap/rest/TServerMethods1/M/%zz%4" << T::Metot << "M" << QStringList{u"%zz%4"_s} << 200;
        QTest::newRow("post prefix") << "POST" << "/datasnap/rest/TServerMethods1/Foo/" << T::Metot << "updateFoo" << yok << 200;
        QTest::newRow("put prefix, 201") << "PUT" << "/datasnap/rest/TServerMethods1/Foo/" << T::Metot << "acceptFoo" << yok << 201;
        QTest::newRow("delete prefix") << "DELETE" << "/datasnap/rest/TServerMethods1/Foo/" << T::Metot << "cancelFoo" << yok << 200;
        QTest::newRow("quoted name") << "POST" << "/datasnap/rest/TServerMethods1/%22SepetEkle%22/7/" << T::Metot << "SepetEkle" << QStringList{u"7"_s} << 200;
        QTest::newRow("single quotes") << "PUT" << "/datasnap/rest/TServerMethods1/'X'/" << T::Metot << "X" << yok << 201;
        QTest::newRow("DSAdmin takes no prefix") << "POST" << "/datasnap/rest/DSAdmin/GetPlatformName/" << T::Metot << "GetPlatformName" << yok << 200;
        QTest::newRow("contexts ignore case") << "GET" << "/DataSnap/REST/tservermethods1/m/" << T::Metot << "m" << yok << 200;
        QTest::newRow("close session") << "GET" << "/datasnap/rest/CloseSession/" << T::OturumKapat << "" << yok << 200;
        QTest::newRow("outside the context") << "GET" << "/index.html" << T::Bulunamadi << "" << yok << 200;
        QTest::newRow("empty target") << "GET" << "" << T::Bulunamadi << "" << yok << 200;
        QTest::newRow("other sub-context") << "GET" << "/datasnap/cache/0/0/0" << T::Desteklenmiyor << "" << yok << 200;
        QTest::newRow("context alone") << "GET" << "/datasnap" << T::Desteklenmiyor << "" << yok << 200;
        QTest::newRow("unknown verb") << "PATCH" << "/datasnap/rest/TServerMethods1/M/" << T::Desteklenmiyor << "" << yok << 200;
    }

    void coz()
    {
        QFETCH(QString, fiil);
        QFETCH(QString, hedef);
        QFETCH(RestYolu::Tur, tur);
        QFETCH(QString, metot);
        QFETCH(QStringList, parametreler);
        QFETCH(int, durum);

        const RestYolu yol = restYoluCoz(fiil.toStdString(), hedef.toStdString());
        QCOMPARE(yol.tur, tur);
        if (tur != RestYolu::Tur::Metot)
            return;
        QCOMPARE(yol.metot, metot);
        QCOMPARE(yol.basariDurumu, durum);
        QStringList gelen;
        for (const auto &p : yol.parametreler)
            gelen << (p ? *p : u"<null>"_s);
        QCOMPARE(gelen, parametreler);
    }
};

QTEST_APPLESS_MAIN(RestYoluTesti)
#include "tst_restyolu.moc"
