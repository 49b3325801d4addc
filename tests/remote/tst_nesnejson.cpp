#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "remote/jsonyazici.h"
#include "remote/nesnejson.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

std::string_view gorunum(const QByteArray &b)
{
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

// Every field gets a value of its own, far from its initial one.
template<class T> T dolu()
{
    T n;
    int i = 0;
    for (const NesneAlani<T> &alan : T::tanim().alanlar) {
        ++i;
        std::visit(
            [&](auto uye) {
                using Tur = std::decay_t<decltype(n.*uye)>;
                if constexpr (std::is_same_v<Tur, QString>)
                    n.*uye = u"Ş%1/\"ç\"\n"_s.arg(i);
                else if constexpr (std::is_same_v<Tur, int>)
                    n.*uye = i * 1000003 - 40;
                else if constexpr (std::is_same_v<Tur, double>)
                    n.*uye = i + 0.125;
                else
                    n.*uye = i % 2 == 1;
            },
            alan.uye);
    }
    return n;
}

template<class T> void gidisDonus()
{
    const T n = dolu<T>();
    const std::string json = nesneJson(n);
    const std::optional<T> geri = nesneOku<T>(json);
    QVERIFY2(geri.has_value(), json.c_str());
    QVERIFY2(*geri == n, json.c_str());
    // Fields go out in declaration order.
    std::size_t onceki = 0;
    for (const NesneAlani<T> &alan : T::tanim().alanlar) {
        const std::size_t konum = json.find('"' + std::string(alan.ad) + "\":");
        QVERIFY2(konum != std::string::npos && konum > onceki, alan.ad);
        onceki = konum;
    }
}

TAcilisEkran ekran(const QString &baslik, int sira = 0)
{
    TAcilisEkran e;
    e.setBaslik(baslik);
    e.setSiraNo(sira);
    return e;
}

QByteArray ekranJson(const char *baslik, int id)
{
    return R"({"type":"mobilstokunit.TAcilisEkran","id":)" + QByteArray::number(id) +
        R"(,"fields":{"FSiraNo":)" + QByteArray::number(id) + ",\"FBaslik\":\"" + baslik + "\"}}";
}

QStringList basliklar(const TAcilisEkranlar &liste)
{
    QStringList b;
    for (const TAcilisEkran &e : liste)
        b.append(e.Baslik());
    return b;
}

} // namespace

class NesneJsonTesti final : public QObject
{
    Q_OBJECT

private slots:
    void varsayilanlar_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("alanSayisi");
        QTest::addColumn<QVariantMap>("istisnalar"); // every other field is "", 0 or false
        auto satir = [](const Nesne &n, int alanSayisi, QVariantMap istisnalar) {
            QTest::newRow(nesneSinifiAdi(n).data())
                << QByteArray::fromStdString(nesneJson(n)) << alanSayisi << istisnalar;
        };
        satir(TSonucBilgisi(), 20, {{u"FMusteriTipi"_s, 1}, {u"FVersion"_s, 1}});
        satir(TSiparisDipAyrinti(), 8, {});
        satir(TTusSonuclari(), 6, {});
        satir(TMobilStok(), 35, {{u"FBirim"_s, u"ADET"_s}, {u"FKDV"_s, 18}});
        satir(TMobilSepet(), 53, {});
        satir(TMobilCariBilgisi(), 30, {});
        satir(TAcilisEkran(), 4, {});
    }

    void varsayilanlar()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, alanSayisi);
        QFETCH(QVariantMap, istisnalar);
        const QJsonObject zarf = QJsonDocument::fromJson(json).object();
        QCOMPARE(zarf.value(u"id"_s).toInt(), 1);
        const QJsonObject alanlar = zarf.value(u"fields"_s).toObject();
        QCOMPARE(alanlar.size(), alanSayisi);
        for (auto it = alanlar.begin(); it != alanlar.end(); ++it) {
            const QJsonValue d = it.value();
            if (istisnalar.contains(it.key())) {
                QCOMPARE(d.toVariant(), istisnalar.value(it.key()));
                continue;
            }
            const bool bos = (d.isString() && d.toString().isEmpty()) ||
                (d.isDouble() && d.toDouble() == 0) || (d.isBool() && !d.toBool());
            QVERIFY2(bos, qPrintable(it.key()));
        }
    }

    void herSinifGidipGelir()
    {
        gidisDonus<TSonucBilgisi>();
        gidisDonus<TSiparisDipAyrinti>();
        gidisDonus<TTusSonuclari>();
        gidisDonus<TMobilStok>();
        gidisDonus<TMobilSepet>();
        gidisDonus<TMobilCariBilgisi>();
        gidisDonus<TAcilisEkran>();
    }

    void kopyalaHerAlaniKopyalar()
    {
        TMobilStok stok;
        stok.Kopyala(dolu<TMobilStok>());
        QVERIFY(stok == dolu<TMobilStok>());
        TMobilSepet sepet;
        sepet.Kopyala(dolu<TMobilSepet>());
        QVERIFY(sepet == dolu<TMobilSepet>());
        TMobilCariBilgisi cari = dolu<TMobilCariBilgisi>();
        cari.Kopyala(TMobilCariBilgisi());
        QVERIFY(cari == TMobilCariBilgisi());
    }

    void sepetAciklamaTamsayiKimlikOndalik()
    {
        TMobilSepet sepet;
        sepet.setACIKLAMA(3);
        sepet.setIDNO(1234567.25);
        const std::string json = nesneJson(sepet);
        QVERIFY(json.find(R"("FACIKLAMA":3,)") != std::string::npos);
        QVERIFY(json.find(R"("FIDNO":1234567.25,)") != std::string::npos);

        const auto oku = [](const char *alanlar) {
            return nesneOku<TMobilSepet>(
                std::string(R"({"type":"mobilstokunit.TMobilSepet","id":1,"fields":{)") + alanlar +
                "}}");
        };
        QCOMPARE(oku(R"("FIDNO":12)")->IDNO(), 12.0);
        QVERIFY_THROWS_EXCEPTION(UzakHata, oku(R"("FACIKLAMA":1.5)"));
        QVERIFY_THROWS_EXCEPTION(UzakHata, oku(R"("FACIKLAMA":"1")"));
    }

    void listeYerlesimleri_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("beklenen");
        const QByteArray a = ekranJson("A", 2);
        const QByteArray b = ekranJson("B", 3);
        const QByteArray zarf = R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":{)";
        QTest::newRow("öğeler FListHelper içinde")
            << zarf + R"("FOwnsObjects":true,"FListHelper":[)" + a + "," + b + "]}}"
            << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("sayı FListHelper, öğeler FItems")
            << zarf + R"("FOwnsObjects":true,"FListHelper":[2],"FItems":[)" + a + "," + b + "]}}"
            << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("FItems ve FCount") << zarf + R"("FOwnsObjects":true,"FItems":[)" + a + "," +
                b +
                R"(,null,null],"FCount":2,"FArrayManager":{"type":)"
                R"("System.Generics.Collections.TMoveArrayManager<mobilstokunit.TAcilisEkran>",)"
                R"("id":4,"fields":{}}}})" << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("sayı öğelerden az") << zarf + R"("FListHelper":[1],"FItems":[)" + a + "," +
                b + "]}}" << QStringList {u"A"_s};
        QTest::newRow("dönüştürücü dizisi")
            << zarf + R"("FList":[)" + a + "," + b + "]}}" << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("düz dizi") << "[" + a + "," + b + "]" << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("boş liste")
            << zarf + R"("FOwnsObjects":true,"FListHelper":[0],"FItems":[]}})" << QStringList {};
        QTest::newRow("tekrar ref ile") << zarf + R"("FListHelper":[2],"FItems":[)" + a +
                R"(,{"type":"mobilstokunit.TAcilisEkran","ref":2}]}})"
                                        << QStringList {u"A"_s, u"A"_s};
    }

    void listeYerlesimleri()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, beklenen);
        const std::optional<TAcilisEkranlar> liste = nesneOku<TAcilisEkranlar>(gorunum(json));
        QVERIFY(liste.has_value());
        QCOMPARE(basliklar(*liste), beklenen);
    }

    void listeSayisiVeKimlikleriYazilir()
    {
        const TAcilisEkranlar liste {ekran(u"A"_s, 1), ekran(u"B"_s, 2)};
        const std::string json = nesneJson(liste);
        QVERIFY(json.starts_with(R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":)"
                                 R"({"FOwnsObjects":true,"FListHelper":[2],"FItems":[)"
                                 R"({"type":"mobilstokunit.TAcilisEkran","id":2,)"));
        QVERIFY(json.find(R"({"type":"mobilstokunit.TAcilisEkran","id":3,)") != std::string::npos);
        QCOMPARE(basliklar(*nesneOku<TAcilisEkranlar>(json)), QStringList({u"A"_s, u"B"_s}));
        QCOMPARE(nesneJson(TAcilisEkranlar()),
                 std::string(R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":)"
                             R"({"FOwnsObjects":true,"FListHelper":[0],"FItems":[]}})"));
    }

    void ekranlarIkiDiziTasir()
    {
        TAcilisEkranlariki iki;
        iki.setEkranlar({ekran(u"Kampanya"_s, 1), ekran(u"Duyuru"_s, 2)});
        const std::string json = nesneJson(iki);
        QVERIFY(
            json.find(R"("fields":{"FEkranlar":[{"type":"mobilstokunit.TAcilisEkran","id":2,)") !=
            std::string::npos);
        const std::optional<TAcilisEkranlariki> geri = nesneOku<TAcilisEkranlariki>(json);
        QVERIFY(geri && *geri == iki);
    }

    void nullNesneYoktur()
    {
        QVERIFY(!nesneOku<TSonucBilgisi>("null").has_value());
        QVERIFY(!nesneOku<TAcilisEkranlar>(" null ").has_value());
    }

    void bilinmeyenAlanlarAtlanir()
    {
        const auto b = nesneOku<TTusSonuclari>(
            R"({"type":"baglantiu.TTusSonuclari","id":"7","fields":{"FYeni":{"x":[1,{}]},)"
            R"("FGoruldu":4,"FAlindi":null}})");
        QVERIFY(b);
        QCOMPARE(b->Goruldu(), 4);
        QCOMPARE(b->Alindi(), 0);
    }

    void okunamayanlar_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("sinif");
        const QByteArray ekranlar = "mobilstokunit.TAcilisEkranlar";
        QTest::newRow("JSON değil") << QByteArray("{\"type\":") << QByteArray();
        QTest::newRow("tip yok") << QByteArray(R"({"id":1,"fields":{}})") << QByteArray();
        QTest::newRow("bilinmeyen tip")
            << QByteArray(R"({"type":"baska.TSinif","id":1,"fields":{}})") << QByteArray();
        QTest::newRow("beklenmeyen tip")
            << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{}})")
            << QByteArray("mobilstokunit.TAcilisEkran");
        QTest::newRow("alan tipi yanlış")
            << QByteArray(
                   R"({"type":"mobilstokunit.TAcilisEkran","id":1,"fields":{"FSiraNo":"bir"}})")
            << QByteArray();
        QTest::newRow("tamsayı taşar")
            << QByteArray(
                   R"({"type":"mobilstokunit.TAcilisEkran","id":1,"fields":{"FSiraNo":3000000000}})")
            << QByteArray();
        QTest::newRow("alanlar nesne değil")
            << QByteArray(R"({"type":"mobilstokunit.TAcilisEkran","id":1,"fields":[1]})")
            << QByteArray();
        QTest::newRow("sayı öğelerden fazla")
            << QByteArray(R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":)"
                          R"({"FListHelper":[3],"FItems":[]}})")
            << ekranlar;
        QTest::newRow("listede yabancı öğe")
            << QByteArray(R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":)"
                          R"({"FListHelper":[{"type":"mobilstokunit.TMobilStok","id":2}]}})")
            << ekranlar;
        QTest::newRow("bilinmeyen ref")
            << QByteArray(R"({"type":"mobilstokunit.TAcilisEkranlar","id":1,"fields":)"
                          R"({"FListHelper":[{"type":"mobilstokunit.TAcilisEkran","ref":5}]}})")
            << ekranlar;
    }

    void okunamayanlar()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, sinif);
        QVERIFY_THROWS_EXCEPTION(
            UzakHata, nesneOku(gorunum(json), sinif.isEmpty() ? sinif::Herhangi : gorunum(sinif)));
    }
};

QTEST_APPLESS_MAIN(NesneJsonTesti)
#include "tst_nesnejson.moc"
