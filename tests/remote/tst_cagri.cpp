#include <set>

#include <QTest>

#include "remote/cagri.h"
#include "remote/metotlar.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

// "Ad(girdi:tür, out cikti:tür, ...) → tür"
QString imza(const Metot &m)
{
    QStringList p;
    for (const Parametre &x : m.parametreler) {
        QString s = (x.yon == Yon::Cikti ? u"out "_s : QString()) +
            QString::fromUtf8(x.ad.data(), qsizetype(x.ad.size())) + u':' +
            QString::fromUtf8(turAdi(x.tur).data());
        if (!x.sinif.empty())
            s += u'(' + QString::fromUtf8(x.sinif.data(), qsizetype(x.sinif.size())) + u')';
        p.append(s);
    }
    QString sonuc = QString::fromUtf8(turAdi(m.sonuc).data());
    if (!m.sonucSinifi.empty())
        sonuc +=
            u'(' + QString::fromUtf8(m.sonucSinifi.data(), qsizetype(m.sonucSinifi.size())) + u')';
    return QString::fromUtf8(m.ad.data(), qsizetype(m.ad.size())) + u'(' + p.join(u", "_s) +
        u") → "_s + sonuc;
}

std::string_view gorunum(const QByteArray &b)
{
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

} // namespace

class CagriTesti final : public QObject
{
    Q_OBJECT

private slots:
    void adlarTekVeBuyukKucukHarfeDuyarsizBulunur()
    {
        std::set<QString> adlar;
        for (const Metot &m : tumMetotlar()) {
            const QString ad = QString::fromLatin1(m.ad.data(), qsizetype(m.ad.size())).toLower();
            QVERIFY2(adlar.insert(ad).second, qPrintable(ad));
            QCOMPARE(metotBul(ad.toStdString()), &m);
        }
        QCOMPARE(adlar.size(), std::size_t(84));
        QCOMPARE(metotBul("SEPETVER")->no, MetotNo::SepetVer);
        QCOMPARE(metotBul("SepetVe"), nullptr);
    }

    void zorImzalar_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("StokAra") << u"StokAra"_s
                                 << u"StokAra(kod:metin, carino:metin, satici:tamsayı) → tablo"_s;
        QTest::newRow("BelgeIndir2")
            << u"BelgeIndir2"_s
            << u"BelgeIndir2(sirano:tamsayı, out size:64 bit tamsayı, out adi:metin, "
               u"bilgi:nesne(baglantiu.TSonucBilgisi)) → akış"_s;
        QTest::newRow("RaporGetir")
            << u"RaporGetir"_s
            << u"RaporGetir(raporno:tamsayı, bolum:tamsayı, idno:tamsayı, carino:tamsayı, "
               u"saticiadi:metin, tarih1:ondalık, tarih2:ondalık, out size:64 bit tamsayı) → akış"_s;
        QTest::newRow("MobilStokaraAdimli")
            << u"MobilStokaraAdimli"_s
            << u"MobilStokaraAdimli(kod:metin, bilgi:nesne(baglantiu.TSonucBilgisi), "
               u"neresi:tamsayı, nekadar:tamsayı, ilk:tamsayı, Adet:tamsayı, out kalan:mantıksal, "
               u"out toplam:tamsayı) → nesne(mobilstokunit.TMobilStoklar)"_s;
        QTest::newRow("SiparisAytintisiDip")
            << u"SiparisAytintisiDip"_s
            << u"SiparisAytintisiDip(carino:tamsayı, siranosu:tamsayı) → "
               u"nesne(baglantiu.TSiparisDipAyrinti)"_s;
        QTest::newRow("SepetSecimGuncelle")
            << u"SepetSecimGuncelle"_s
            << u"SepetSecimGuncelle(sirano:tamsayı, secim:tamsayı) → yok"_s;
        QTest::newRow("ResimVer6")
            << u"ResimVer6"_s << u"ResimVer6(stokno:tamsayı, out boy:64 bit tamsayı) → JSON dizi"_s;
        QTest::newRow("BuyukResimVer")
            << u"BuyukResimVer"_s << u"BuyukResimVer(stokno:tamsayı, out boy:tamsayı) → metin"_s;
        QTest::newRow("MobilStokaraGeri")
            << u"MobilStokaraGeri"_s
            << u"MobilStokaraGeri(kod:metin, bilgi:nesne(baglantiu.TSonucBilgisi), neresi:tamsayı, "
               u"nekadar:tamsayı, geri:geri çağırma) → tamsayı"_s;
        QTest::newRow("DSServerModuleCreate")
            << u"DSServerModuleCreate"_s
            << u"DSServerModuleCreate(Sender:nesne(System.TObject)) → yok"_s;
    }

    void zorImzalar()
    {
        QFETCH(QString, ad);
        QFETCH(QString, beklenen);
        const Metot *m = metotBul(ad.toStdString());
        QVERIFY(m);
        QCOMPARE(imza(*m), beklenen);
    }

    void postaMetotlari()
    {
        const Metot &cari = metot(MetotNo::MailGonserCari);
        const Metot &normal = metot(MetotNo::MailGonserCariNormal);
        QCOMPARE(cari.girdiSayisi(), 16);
        QCOMPARE(normal.girdiSayisi(), 17);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(normal.parametreler[std::size_t(i)].ad, cari.parametreler[std::size_t(i)].ad);
        QCOMPARE(normal.parametreler.back().ad, std::string_view("konu"));
    }

    void akisBicimleri()
    {
        QStringList ham, dizi;
        for (const Metot &m : tumMetotlar()) {
            const QString ad = QString::fromLatin1(m.ad.data(), qsizetype(m.ad.size()));
            if (m.yalnizAkisDoner())
                ham.append(ad);
            if (m.akisDoner())
                dizi.append(ad);
        }
        QCOMPARE(ham, QStringList({u"HttpResimVer"_s, u"SarvepaVer"_s}));
        QCOMPARE(dizi,
                 QStringList({u"ResimVer5"_s, u"RaporGetir"_s, u"BannerResimVer"_s, u"BelgeIndir"_s,
                              u"DosyaIndir"_s, u"BelgeIndir2"_s}));
    }

    void istekVeYolBicimi()
    {
        const Metot &m = metot(MetotNo::SepetSatirSil);
        QCOMPARE(cagriYolu(m), std::string("/datasnap/rest/TServerMethods1/%22SepetSatirSil%22/"));
        TSonucBilgisi b;
        b.setCARINO(12);
        const std::vector<Deger> girdiler {Nesne(b), qint32(3), u"BK-1 - Fren/Ön"_s};
        const std::string govde = istekGovdesi(m, girdiler);
        QVERIFY(govde.starts_with(R"({"_parameters":[{"type":"baglantiu.TSonucBilgisi","id":1,)"));
        QVERIFY(govde.ends_with("},3,\"BK-1 - Fren\\/\\u00D6n\"]}"));
        // The server reads back what the client wrote.
        const std::vector<Deger> geri = govdeGirdileri(m, govde);
        QCOMPARE(geri.size(), std::size_t(3));
        QCOMPARE(std::get<TSonucBilgisi>(std::get<Nesne>(geri[0])).CARINO(), 12);
        QCOMPARE(std::get<qint32>(geri[1]), 3);
        QCOMPARE(std::get<QString>(geri[2]), u"BK-1 - Fren/Ön"_s);
    }

    void govdeGirdileriOkunur_data()
    {
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<int>("dolu");
        QTest::addColumn<QString>("beklenen"); // the inputs of SepetSatirSil after the record
        QTest::newRow("_parameters")
            << QByteArray(R"({"_parameters":[null,4,"x"]})") << 0 << u"4|x"_s;
        QTest::newRow("eksikler boş") << QByteArray(R"({"_parameters":[null]})") << 0 << u"0|"_s;
        QTest::newRow("gövde yok") << QByteArray(" \r\n") << 0 << u"0|"_s;
        QTest::newRow("yoldan gelenlerin ardından")
            << QByteArray(R"({"_parameters":["y"]})") << 2 << u"0|y"_s;
        QTest::newRow("tek değer gövdesi") << QByteArray(R"("z")") << 2 << u"0|z"_s;
        QTest::newRow("metin içinde sayı")
            << QByteArray(R"({"_parameters":[null,"17",5]})") << 0 << u"17|5"_s;
        QTest::newRow("mantıksal sayıya")
            << QByteArray(R"({"_parameters":[null,true,null]})") << 0 << u"1|"_s;
    }

    void govdeGirdileriOkunur()
    {
        QFETCH(QByteArray, govde);
        QFETCH(int, dolu);
        QFETCH(QString, beklenen);
        const std::vector<Deger> g =
            govdeGirdileri(metot(MetotNo::SepetSatirSil), gorunum(govde), dolu);
        QCOMPARE(g.size(), std::size_t(3 - dolu));
        QString sonuc;
        if (dolu < 2) {
            sonuc = QString::number(std::get<qint32>(g[std::size_t(1 - dolu)])) + u'|';
        } else {
            sonuc = u"0|"_s;
        }
        sonuc += std::get<QString>(g.back());
        QCOMPARE(sonuc, beklenen);
    }

    void govdeGirdiHatalari_data()
    {
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<int>("dolu");
        QTest::newRow("fazla girdi") << QByteArray(R"({"_parameters":[null,1,"x",2]})") << 0;
        QTest::newRow("yoldan gelenlerle fazla") << QByteArray(R"({"_parameters":[1,"x"]})") << 2;
        QTest::newRow("tek değer fazla") << QByteArray(R"("x")") << 3;
        QTest::newRow("sayı değil") << QByteArray(R"({"_parameters":[null,"dört","x"]})") << 0;
        QTest::newRow("taşan tamsayı") << QByteArray(R"({"_parameters":[null,4294967296]})") << 0;
        QTest::newRow("kesirli tamsayı") << QByteArray(R"({"_parameters":[null,1.5]})") << 0;
        QTest::newRow("yanlış sınıf")
            << QByteArray(
                   R"({"_parameters":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})")
            << 0;
        QTest::newRow("JSON değil") << QByteArray("{\"_parameters\":[") << 0;
    }

    void govdeGirdiHatalari()
    {
        QFETCH(QByteArray, govde);
        QFETCH(int, dolu);
        QVERIFY_THROWS_EXCEPTION(
            UzakHata, govdeGirdileri(metot(MetotNo::SepetSatirSil), gorunum(govde), dolu));
    }

    void yolGirdileri_data()
    {
        QTest::addColumn<int>("tur");
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QString>("beklenen"); // empty: an error
        const int t = int(Tur::Tamsayi), o = int(Tur::Ondalik), m = int(Tur::Mantiksal),
                  s = int(Tur::Metin);
        QTest::newRow("tamsayı") << t << u"-12"_s << u"-12"_s;
        QTest::newRow("null tamsayı") << t << u"null"_s << u"0"_s;
        QTest::newRow("true tamsayı") << t << u"True"_s << u"1"_s;
        QTest::newRow("tamsayı değil") << t << u"12a"_s << QString();
        QTest::newRow("ondalık nokta ile") << o << u"1.5"_s << u"1.5"_s;
        QTest::newRow("ondalık virgül ile") << o << u"1,5"_s << QString();
        QTest::newRow("mantıksal") << m << u"false"_s << u"false"_s;
        QTest::newRow("mantıksal sayı") << m << u"2"_s << u"true"_s;
        QTest::newRow("metin") << s << u"a/b"_s << u"a/b"_s;
        QTest::newRow("null metin boş olur") << s << u"null"_s << QString();
    }

    void yolGirdileri()
    {
        QFETCH(int, tur);
        QFETCH(QString, metin);
        QFETCH(QString, beklenen);
        const Parametre p {"p", Tur(tur)};
        try {
            const Deger d = metinGirdisi(p, metin);
            const QString gelen = std::visit(
                [](const auto &x) -> QString {
                    using T = std::decay_t<decltype(x)>;
                    if constexpr (std::is_same_v<T, QString>)
                        return x;
                    else if constexpr (std::is_same_v<T, bool>)
                        return x ? u"true"_s : u"false"_s;
                    else if constexpr (std::is_arithmetic_v<T>)
                        return QString::number(x);
                    else
                        return u"?"_s;
                },
                d);
            QCOMPARE(gelen, beklenen);
        } catch (const UzakHata &) {
            QVERIFY2(beklenen.isEmpty(), "an error where a value was expected");
        }
    }

    void hataMetinleri_data()
    {
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<int>("durum");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("error") << QByteArray(R"({"error":"Yetki yok"})") << 500 << u"Yetki yok"_s;
        QTest::newRow("oturum") << QByteArray("{\"SessionExpired\":\"S\\u00FCre doldu\"}") << 403
                                << u"Süre doldu"_s;
        QTest::newRow("ayrıntılı")
            << QByteArray(R"({"error":{"message":"Bulunamadı"}})") << 500 << u"Bulunamadı"_s;
        QTest::newRow("boş error")
            << QByteArray(R"({"error":""})") << 500 << u"Sunucu hatası (HTTP 500)"_s;
        QTest::newRow("boş gövde") << QByteArray() << 401 << u"Sunucu hatası (HTTP 401)"_s;
    }

    void hataMetinleri()
    {
        QFETCH(QByteArray, govde);
        QFETCH(int, durum);
        QFETCH(QString, beklenen);
        QCOMPARE(hataMetni(gorunum(govde), durum), beklenen);
    }

    void cevapYazilipOkunur()
    {
        const Metot &m = metot(MetotNo::BelgeIndir);
        const std::vector<Deger> ciktilar {qint64(3), u"a b.pdf"_s, QByteArray("%PD", 3)};
        const std::string govde = cevapYaz(m, ciktilar);
        QCOMPARE(govde, std::string(R"({"result":[3,"a b.pdf",[37,80,68]]})"));
        const std::vector<Deger> geri = cevapOku(m, govde);
        QCOMPARE(std::get<qint64>(geri[0]), 3);
        QCOMPARE(std::get<QString>(geri[1]), u"a b.pdf"_s);
        QCOMPARE(std::get<QByteArray>(geri[2]), QByteArray("%PD"));
        QCOMPARE(hataYaz(u"Olmadı \"x\""), std::string("{\"error\":\"Olmad\\u0131 \\\"x\\\"\"}"));
    }

    void nullSonuclarBosDegerdir()
    {
        const std::vector<Deger> c =
            cevapOku(metot(MetotNo::BalonGetir2), R"({"result":[null,1,2,3,4,5,6]})");
        QCOMPARE(std::get<qint32>(c[0]), 0);
        QVERIFY(std::holds_alternative<std::monostate>(
            cevapOku(metot(MetotNo::MobilCariBilgisiGetir), R"({"result":[null]})")[0]));
        QCOMPARE(
            std::get<BellekTablo>(cevapOku(metot(MetotNo::SepetVer), R"({"result":[null]})")[0])
                .kolonSayisi(),
            0);
    }
};

QTEST_APPLESS_MAIN(CagriTesti)
#include "tst_cagri.moc"
