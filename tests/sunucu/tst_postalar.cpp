#include <QTest>

#include <atomic>
#include <mutex>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <httplib.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include "remote/nesnejson.h"
#include "sunucu/dagitici.h"
#include "sunucu/hesaplar.h"
#include "sunucu/postalar.h"
#include "sunucu/restsunucusu.h"
#include "sunucu/sema.h"
#include "sunucu/yontemler.h"
#include "testdeposu.h"

using namespace Qt::StringLiterals;

namespace {

// Two users of one account, one of them on a registered computer, and the
// account's statement.
void kucukHesaplar(Veritabani &vt)
{
    vt.degistir("INSERT INTO saticilar (satici_no, adi, telefon, mail) VALUES (4, 'AYŞE KILIÇ', '0532', 'a@x.example')");
    vt.degistir("INSERT INTO cariler (carino, carikod, cariadi, yetkili, adres1, adres2, ilce, il, tel1, fax1, "
                "vergidairesi, vergino, email, satici_no) VALUES (9, '120.01.0009', 'ÇAĞ OTO', 'ÖMER', "
                "'SANAYİ SİT. 4', 'KAT 2', 'ŞİŞLİ', 'İSTANBUL', '0212 1', '0212 2', 'ŞİŞLİ V.D.', '123', "
                "'cag@x.example', 4)");
    vt.degistir("INSERT INTO kullanicilar (sirano, adi, sifre, mail, carino, musteri_tipi, aktif) "
                "VALUES (3, 'ALI', 'S1', 'ali@x.example', 9, 0, 1), (5, 'VELI', 'S2', '', 9, 0, 1)");
    vt.degistir("INSERT INTO cari_hareketler (carino, tarih, turadi, borc, alacak) VALUES "
                "(9, '2024-01-02', 'Satış Faturası', 100.1, 0), (9, '2024-01-03', 'Satış Faturası', 0.2, 0), "
                "(9, '2024-01-04', 'Tahsilat', 0, 50.05)");
    bilgisayarKaydet(vt, u"ALI"_s, u"WD-1"_s);
}

const QString r = u"/datasnap/rest/TServerMethods1/"_s;

// One call through the dispatcher, as the endpoint makes it.
Yanit cagir(const Dagitici &d, const QString &metot, const QByteArray &govde)
{
    const std::string yol = QString(r + u"%22"_s + metot + u"%22/"_s).toStdString();
    return d.cagir(restYoluCoz("POST", yol), "POST", govde.toStdString(), false);
}

// The sixteen texts of a request, as JSON parameters.
QJsonArray istekParametreleri(const QString &idsi, const QString &baslik)
{
    return {idsi,          baslik,       u"ÇAĞ OTO ŞTİ."_s, u"Atatürk Cd. 5"_s, u"Kat: İki"_s,
            u"Şişli"_s,    u"İstanbul"_s, u"0212 444"_s,     u"0212 445"_s,    u"Şişli V.D."_s,
            u"987"_s,      u"Gülşen Öz"_s, u"ali"_s,         u"ÇIĞ1"_s,        u"gulsen@cag.example"_s,
            u"Yurtiçi"_s};
}

QByteArray govde(const QJsonArray &parametreler)
{
    return QJsonDocument(QJsonObject {{u"_parameters"_s, parametreler}}).toJson(QJsonDocument::Compact);
}

qint64 sayi(Veritabani &vt, std::string_view sql)
{
    return vtTamsayi(vt.tekDeger(sql));
}

// A mail relay that speaks just enough SMTP and keeps what it was given.
class SahteSmtp
{
public:
    explicit SahteSmtp(bool aliciyiReddet = false)
        : reddet_(aliciyiReddet)
    {
        soket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t boy = sizeof a;
        if (::bind(soket_, reinterpret_cast<sockaddr *>(&a), boy) != 0 || ::listen(soket_, 4) != 0)
            qFatal("SMTP listen failed");
        ::getsockname(soket_, reinterpret_cast<sockaddr *>(&a), &boy);
        port_ = ntohs(a.sin_port);
        is_ = std::thread([this] { dinle(); });
    }
    ~SahteSmtp()
    {
        dur_ = true;
        is_.join();
        ::close(soket_);
    }
    QString adres() const { return u"smtp://127.0.0.1:%1"_s.arg(port_); }

    struct Posta
    {
        QByteArray gonderen;
        QList<QByteArray> alicilar;
        QByteArray veri;
    };
    QList<Posta> postalar() const
    {
        std::lock_guard k(kilit_);
        return postalar_;
    }
    int baglantilar() const { return baglantilar_; }

private:
    void dinle()
    {
        while (!dur_) {
            pollfd p {soket_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const int b = ::accept(soket_, nullptr, nullptr);
            if (b >= 0) {
                ++baglantilar_;
                konus(b);
                ::close(b);
            }
        }
    }
    static void yaz(int b, const char *metin) { static_cast<void>(::send(b, metin, strlen(metin), 0)); }
    void konus(int b)
    {
        yaz(b, "220 sahte ESMTP\r\n");
        QByteArray tampon;
        Posta posta;
        bool veriOkunuyor = false;
        char parca[4096];
        for (;;) {
            const ssize_t n = ::recv(b, parca, sizeof parca, 0);
            if (n <= 0)
                return;
            tampon.append(parca, n);
            for (;;) {
                if (veriOkunuyor) {
                    const qsizetype son = tampon.indexOf("\r\n.\r\n");
                    if (son < 0)
                        break;
                    posta.veri = tampon.left(son + 2);
                    tampon.remove(0, son + 5);
                    veriOkunuyor = false;
                    {
                        std::lock_guard k(kilit_);
                        postalar_ << posta;
                    }
                    posta = {};
                    yaz(b, "250 tamam\r\n");
                    continue;
                }
                const qsizetype satirSonu = tampon.indexOf("\r\n");
                if (satirSonu < 0)
                    break;
                const QByteArray satir = tampon.left(satirSonu);
                tampon.remove(0, satirSonu + 2);
                const QByteArray komut = satir.left(4).toUpper();
                if (komut == "EHLO" || komut == "HELO") {
                    yaz(b, "250-sahte\r\n250 SIZE 10000000\r\n");
                } else if (komut == "MAIL") {
                    posta.gonderen = satir.mid(10);
                    yaz(b, "250 tamam\r\n");
                } else if (komut == "RCPT") {
                    posta.alicilar << satir.mid(8);
                    yaz(b, reddet_ ? "550 5.1.1 boyle bir alici yok\r\n" : "250 tamam\r\n");
                } else if (komut == "DATA") {
                    veriOkunuyor = true;
                    yaz(b, "354 devam\r\n");
                } else if (komut == "QUIT") {
                    yaz(b, "221 gule gule\r\n");
                    return;
                } else {
                    yaz(b, "250 tamam\r\n");
                }
            }
        }
    }

    bool reddet_;
    int soket_ = -1;
    int port_ = 0;
    std::atomic<bool> dur_ {false};
    std::atomic<int> baglantilar_ {0};
    mutable std::mutex kilit_;
    QList<Posta> postalar_;
    std::thread is_;
};

// A header of a message, unfolded, with its encoded words decoded.
QString baslik(const QByteArray &mesaj, const QByteArray &ad)
{
    const QByteArray basliklar = mesaj.left(mesaj.indexOf("\r\n\r\n"));
    QByteArray deger;
    bool icinde = false;
    for (const QByteArray &satir : basliklar.split('\n')) {
        const QByteArray s = satir.chopped(satir.endsWith('\r') ? 1 : 0);
        if (icinde && s.startsWith(' '))
            deger += s.mid(1);
        else if ((icinde = s.startsWith(QByteArray(ad + ": "))))
            deger = s.mid(ad.size() + 2);
        else if (!deger.isEmpty())
            break;
    }
    static const QRegularExpression kelime(u"=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="_s);
    QString sonuc;
    QRegularExpressionMatchIterator i = kelime.globalMatch(QString::fromLatin1(deger));
    if (!i.hasNext())
        return QString::fromUtf8(deger);
    QByteArray baytlar;
    while (i.hasNext())
        baytlar += QByteArray::fromBase64(i.next().captured(1).toLatin1());
    return QString::fromUtf8(baytlar);
}

QString mesajGovdesi(const QByteArray &mesaj)
{
    return QString::fromUtf8(QByteArray::fromBase64(mesaj.mid(mesaj.indexOf("\r\n\r\n") + 4)));
}

PostaAyarlari postaAyarlari(const QString &sunucu)
{
    PostaAyarlari a;
    a.sunucu = sunucu;
    a.gonderen = u"siparis@dagitici.example"_s;
    a.alicilar = {u"istek@dagitici.example"_s, u"satis@dagitici.example"_s};
    a.baglantiSuresi = 5;
    a.aktarimSuresi = 10;
    return a;
}

} // namespace

class PostalarTesti final : public QObject
{
    Q_OBJECT

    static void depolar()
    {
        QTest::addColumn<QString>("tur");
        QTest::newRow("sqlite") << u"sqlite"_s;
        QTest::newRow("postgresql") << u"postgresql"_s;
    }

private slots:
    void mobilCariBilgisi_data() { depolar(); }
    void mobilCariBilgisi()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        {
            auto vt = veritabaniAc(depo.adres());
            semayiGuncelle(*vt);
            kucukHesaplar(*vt);
        }
        VtHavuzu havuz(depo.adres(), 2);
        Dagitici d(&havuz);
        yontemleriKaydet(d);

        const Yanit y = cagir(d, u"MobilCariBilgisiGetir"_s, R"({"_parameters":[0,"WD-1"]})");
        QCOMPARE(y.durum, 200);
        const auto bilgi = nesneOku<TMobilCariBilgisi>(std::string_view(y.govde).substr(11, y.govde.size() - 13));
        QVERIFY(bilgi);
        QCOMPARE(bilgi->BILGISAYARID(), u"WD-1"_s);
        QCOMPARE(bilgi->CARIADI(), u"ÇAĞ OTO"_s);
        QCOMPARE(bilgi->ADRES1(), u"SANAYİ SİT. 4"_s);
        QCOMPARE(bilgi->ADRES2(), u"KAT 2"_s);
        QCOMPARE(bilgi->ILCE(), u"ŞİŞLİ"_s);
        QCOMPARE(bilgi->SEHIR(), u"İSTANBUL"_s);
        QCOMPARE(bilgi->TEL1(), u"0212 1"_s);
        QCOMPARE(bilgi->FAX1(), u"0212 2"_s);
        QCOMPARE(bilgi->VERGIDAIRESI(), u"ŞİŞLİ V.D."_s);
        QCOMPARE(bilgi->VERGINO(), u"123"_s);
        QCOMPARE(bilgi->YETKILI(), u"ÖMER"_s);
        QCOMPARE(bilgi->KULLANICIADI(), u"ALI"_s);
        QCOMPARE(bilgi->MAIL(), u"ali@x.example"_s);
        QCOMPARE(bilgi->SATICIADI(), u"AYŞE KILIÇ"_s);
        QCOMPARE(bilgi->CARINO(), 9);
        QCOMPARE(bilgi->TLBORC(), 100.3); // to the kuruş, no binary dust
        QCOMPARE(bilgi->TLALACAK(), 50.05);
        QCOMPARE(bilgi->TLBAKIYE(), 50.25);

        // By the user's number: the user's computer is told back.
        auto vt = havuz.al();
        QCOMPARE(cariBilgisi(*vt, 3, {})->BILGISAYARID(), u"WD-1"_s);
        QCOMPARE(cariBilgisi(*vt, 5, u"WD-1"_s)->KULLANICIADI(), u"VELI"_s);
        QVERIFY(!cariBilgisi(*vt, 0, u"BILINMEYEN"_s));
        QVERIFY(!cariBilgisi(*vt, 0, {}));
        QCOMPARE(cagir(d, u"MobilCariBilgisiGetir"_s, R"({"_parameters":[0,"BILINMEYEN"]})").govde,
                 std::string(R"({"result":[null]})"));
    }

    void istekSaklanir_data() { depolar(); }
    // Every field is kept as sent, Turkish letters and all, and the body of
    // the mail says them all.
    void istekSaklanir()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        VtHavuzu havuz(depo.adres(), 2);
        Dagitici d(&havuz);
        yontemleriKaydet(d);

        const QJsonArray p = istekParametreleri(u"PC-9"_s, u"B2B Yeni Kullanıcı İstek"_s);
        Yanit y = cagir(d, u"MailGonserCari"_s, govde(p));
        QCOMPARE(y.govde, std::string(R"({"result":[1]})"));
        QJsonArray n = istekParametreleri(u"WD-1"_s, u"Mesaj"_s);
        n.append(u"Merhaba,\r\nsiparişim ne durumda?"_s);
        y = cagir(d, u"MailGonserCariNormal"_s, govde(n));
        QCOMPARE(y.govde, std::string(R"({"result":[2]})"));

        const std::vector<IstekOzeti> liste = istekler(*havuz.al());
        QCOMPARE(liste.size(), size_t(2));
        const QStringList adlar {u"idsi"_s, u"baslik"_s, u"firmaadi"_s, u"adres1"_s, u"adres2"_s, u"ilce"_s,
                                 u"sehir"_s, u"telefon"_s, u"fax"_s, u"vd"_s, u"vn"_s, u"yetkili"_s,
                                 u"kullaniciadi"_s, u"sifre"_s, u"mail"_s, u"kargoambar"_s};
        const QJsonObject alanlar = liste[0].form.json();
        QCOMPARE(alanlar.size(), 16);
        for (int i = 0; i < adlar.size(); ++i)
            QCOMPARE(alanlar.value(adlar[i]).toString(), p[i].toString());
        QCOMPARE(liste[0].form.konu, std::nullopt);
        QCOMPARE(liste[1].form.konu, std::optional<QString>(u"Merhaba,\r\nsiparişim ne durumda?"_s));
        QCOMPARE(liste[0].no, 1);
        QVERIFY(liste[0].gonderildi.isEmpty());

        auto vt = havuz.al();
        const QString metin = vtMetin(vt->tekDeger("SELECT govde FROM giden_postalar WHERE sirano = 1"));
        for (const char *satir : {"Bilgisayar ID: PC-9\n", "Firma Adı: ÇAĞ OTO ŞTİ.\n", "İlçe: Şişli\n",
                                  "Şifre: ÇIĞ1\n", "Kargo Ambar: Yurtiçi\n"})
            QVERIFY2(metin.contains(QString::fromUtf8(satir)), satir);
        QVERIFY(vtMetin(vt->tekDeger("SELECT govde FROM giden_postalar WHERE sirano = 2"))
                        .endsWith(u"\nMesaj:\nMerhaba,\nsiparişim ne durumda?\n"_s));
        QCOMPARE(vtMetin(vt->tekDeger("SELECT konu FROM giden_postalar WHERE sirano = 1")),
                 u"B2B Yeni Kullanıcı İstek"_s);
    }

    void gecersizIstek_data()
    {
        QTest::addColumn<int>("alan");
        QTest::addColumn<QString>("deger");
        QTest::addColumn<QString>("hata");
        QTest::newRow("satır sonu") << 2 << u"ÇAĞ\r\nBcc: x@y"_s << u"'firmaadi' satır sonu"_s;
        QTest::newRow("denetim karakteri") << 14 << u"a\u0001@b"_s << u"'mail' satır sonu"_s;
        QTest::newRow("çok uzun") << 4 << QString(251, u'x') << u"'adres2' en çok 250 karakter"_s;
        QTest::newRow("başlıkta satır sonu") << 1 << u"İstek\nX-Sahte: 1"_s << u"'baslik'"_s;
        QTest::newRow("mesajda denetim karakteri") << 16 << u"mesaj\u0007"_s << u"'konu' denetim"_s;
    }

    // Refused with the reason; nothing is kept.
    void gecersizIstek()
    {
        QFETCH(int, alan);
        QFETCH(QString, deger);
        QFETCH(QString, hata);
        TEST_DEPOSU(depo, u"sqlite"_s);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        VtHavuzu havuz(depo.adres(), 2);
        Dagitici d(&havuz);
        yontemleriKaydet(d);

        QJsonArray p = istekParametreleri(u"PC-9"_s, u"İstek"_s);
        p.append(u"mesaj"_s);
        p[alan] = deger;
        const Yanit y = cagir(d, u"MailGonserCariNormal"_s, govde(p));
        QCOMPARE(y.durum, 500);
        const QString ileti = QJsonDocument::fromJson(QByteArray::fromStdString(y.govde))
                                      .object()
                                      .value(u"error"_s)
                                      .toString();
        QVERIFY2(ileti.startsWith(u"MailGonserCariNormal: "_s) && ileti.contains(hata), qPrintable(ileti));
        QCOMPARE(sayi(*havuz.al(), "SELECT COUNT(*) FROM giden_postalar"), 0);
    }

    void istekKaydi_data() { depolar(); }
    // The computer of a request goes to the user it asked for (typed in
    // capitals at login), or to the one named; a computer that belonged to
    // another user moves.
    void istekKaydi()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        auto vt = veritabaniAc(depo.adres());
        semayiGuncelle(*vt);
        kucukHesaplar(*vt);
        IstekFormu f;
        f.idsi = u"PC-9"_s;
        f.baslik = u"B2B Yeni Kullanıcı İstek"_s;
        f.kullaniciadi = u" ali "_s;
        const qint64 no = postaKaydet(*vt, f);
        QVERIFY(!oturumKaydi(*vt, u"PC-9"_s).Varmi());

        std::optional<QString> onceki;
        QCOMPARE(istekKaydet(*vt, no, {}, &onceki), u"ALI"_s);
        QCOMPARE(onceki, std::nullopt);
        const TSonucBilgisi kayit = oturumKaydi(*vt, u"PC-9"_s);
        QVERIFY(kayit.Varmi());
        QCOMPARE(kayit.ADI(), u"ALI"_s);
        QCOMPARE(istekler(*vt).front().kayitliKullanici, u"ALI"_s);

        QCOMPARE(istekKaydet(*vt, no, u"VELI"_s, &onceki), u"VELI"_s);
        QCOMPARE(onceki, std::optional<QString>(u"ALI"_s));
        QCOMPARE(oturumKaydi(*vt, u"PC-9"_s).ADI(), u"VELI"_s);

        IstekFormu kimliksiz = f;
        kimliksiz.idsi.clear();
        IstekFormu adsiz = f;
        adsiz.kullaniciadi.clear();
        IstekFormu bilinmeyen = f;
        bilinmeyen.kullaniciadi = u"YOK"_s;
        const std::pair<qint64, const char *> hatalar[] = {
            {999, "böyle bir istek yok: 999"},
            {postaKaydet(*vt, kimliksiz), "istekte bilgisayar kimliği yok"},
            {postaKaydet(*vt, adsiz), "istekte kullanıcı adı yok"},
            {postaKaydet(*vt, bilinmeyen), "kullanıcı yok: YOK"},
        };
        for (const auto &[n, beklenen] : hatalar) {
            try {
                istekKaydet(*vt, n);
                QFAIL(beklenen);
            } catch (const VtHatasi &h) {
                QVERIFY2(QString::fromUtf8(h.what()).startsWith(QString::fromUtf8(beklenen)), h.what());
            }
        }
    }

    // The relay gets one mail per request, to every recipient, with the
    // subject and body intact; a sent mail is not sent again.
    void smtpIleGonderilir_data() { depolar(); }
    void smtpIleGonderilir()
    {
        QFETCH(QString, tur);
        TEST_DEPOSU(depo, tur);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        VtHavuzu havuz(depo.adres(), 2);
        SahteSmtp smtp;
        PostaGonderici gonderici(postaAyarlari(smtp.adres()), havuz, false);

        IstekFormu f = IstekFormu::jsondan(QJsonObject {
                {u"idsi"_s, u"PC-9"_s},
                {u"baslik"_s, u"Şifre Değiştirme İsteği — çok uzun bir başlık: ÇĞİÖŞÜ çğıöşü ÇĞİÖŞÜ çğıöşü"_s},
                {u"firmaadi"_s, u"ÇAĞ OTO"_s},
                {u"mail"_s, u"gulsen@cag.example"_s},
        });
        f.konu = u"Satır bir\nSatır iki"_s;
        postaKaydet(*havuz.al(), f);

        QCOMPARE(gonderici.bekleyenleriGonder(), 1);
        const QList<SahteSmtp::Posta> postalar = smtp.postalar();
        QCOMPARE(postalar.size(), 1);
        const SahteSmtp::Posta &p = postalar[0];
        QCOMPARE(p.gonderen, QByteArray("<siparis@dagitici.example>"));
        QCOMPARE(p.alicilar, (QList<QByteArray> {"<istek@dagitici.example>", "<satis@dagitici.example>"}));
        QCOMPARE(baslik(p.veri, "Subject"), f.baslik);
        QCOMPARE(baslik(p.veri, "Reply-To"), u"gulsen@cag.example"_s);
        QCOMPARE(baslik(p.veri, "To"), u"istek@dagitici.example, satis@dagitici.example"_s);
        for (const QByteArray &satir : p.veri.split('\n'))
            QVERIFY2(satir.size() <= 999, satir.left(80).constData()); // SMTP's line limit
        const QString metin = mesajGovdesi(p.veri);
        QVERIFY2(metin.contains(u"Firma Adı: ÇAĞ OTO\r\n"_s), qPrintable(metin));
        QVERIFY(metin.endsWith(u"Mesaj:\r\nSatır bir\r\nSatır iki\r\n"_s));

        QVERIFY(!istekler(*havuz.al()).front().gonderildi.isEmpty());
        QCOMPARE(gonderici.bekleyenleriGonder(), 0);
        QCOMPARE(smtp.postalar().size(), 1);
    }

    // A refused mail keeps its error and waits before it is tried again.
    void gonderilemeyenBekler()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        VtHavuzu havuz(depo.adres(), 2);
        SahteSmtp smtp(true);
        PostaGonderici gonderici(postaAyarlari(smtp.adres()), havuz, false);
        IstekFormu f;
        f.baslik = u"İstek"_s;
        postaKaydet(*havuz.al(), f);

        QCOMPARE(gonderici.bekleyenleriGonder(), 0);
        QCOMPARE(smtp.baglantilar(), 1);
        IstekOzeti o = istekler(*havuz.al()).front();
        QCOMPARE(o.deneme, 1);
        QVERIFY(o.gonderildi.isEmpty());
        QVERIFY2(o.sonHata.contains(u"550"_s), qPrintable(o.sonHata));

        QCOMPARE(gonderici.bekleyenleriGonder(), 0);
        QCOMPARE(smtp.baglantilar(), 1); // not before its time
        // Its time has come.
        havuz.al()->degistir("UPDATE giden_postalar SET sonraki_deneme = '2000-01-01 00:00:00'");
        QCOMPARE(gonderici.bekleyenleriGonder(), 0);
        QCOMPARE(smtp.baglantilar(), 2);
        QCOMPARE(istekler(*havuz.al()).front().deneme, 2);
    }

    void postaAyarHatalari_data()
    {
        QTest::addColumn<QString>("sunucu");
        QTest::addColumn<QString>("gonderen");
        QTest::addColumn<QStringList>("alicilar");
        QTest::addColumn<bool>("gecerli");
        const QStringList alici {u"istek@dagitici.example"_s};
        QTest::newRow("kapalı") << QString() << QString() << QStringList() << true;
        QTest::newRow("smtp") << u"smtp://posta.example:587"_s << u"a@b.example"_s << alici << true;
        QTest::newRow("smtps") << u"smtps://posta.example"_s << u"a@b.example"_s << alici << true;
        QTest::newRow("başka şema") << u"http://posta.example"_s << u"a@b.example"_s << alici << false;
        QTest::newRow("makinesiz") << u"smtp://"_s << u"a@b.example"_s << alici << false;
        QTest::newRow("gönderen yok") << u"smtp://posta.example"_s << QString() << alici << false;
        QTest::newRow("alıcı yok") << u"smtp://posta.example"_s << u"a@b.example"_s << QStringList() << false;
        QTest::newRow("başlık sokuşturan alıcı")
                << u"smtp://posta.example"_s << u"a@b.example"_s
                << QStringList {u"a@b.example\r\nBcc: c@d.example"_s} << false;
    }

    void postaAyarHatalari()
    {
        QFETCH(QString, sunucu);
        QFETCH(QString, gonderen);
        QFETCH(QStringList, alicilar);
        QFETCH(bool, gecerli);
        PostaAyarlari a;
        a.sunucu = sunucu;
        a.gonderen = gonderen;
        a.alicilar = alicilar;
        QCOMPARE(!a.hata().has_value(), gecerli);
    }

    // The setup package at its fixed path, read from disk on each request.
    void kurulumPaketiSunulur()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        semayiGuncelle(*veritabaniAc(depo.adres()));
        QTemporaryDir dizin;
        const QString paket = dizin.filePath(u"setup.exe"_s);
        QByteArray icerik(300 * 1024, '\0');
        for (qsizetype i = 0; i < icerik.size(); ++i)
            icerik[i] = char(i * 7 % 251);
        {
            QFile f(paket);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(icerik);
        }
        for (const bool ayarli : {true, false}) {
            VtHavuzu havuz(depo.adres(), 2);
            Dagitici d(&havuz);
            yontemleriKaydet(d);
            SunucuAyarlari a;
            a.adres = u"127.0.0.1"_s;
            a.port = 0;
            a.gunluk = false;
            if (ayarli)
                a.guncellemeDosyasi = paket;
            RestSunucusu sunucu(a, d);
            QVERIFY(sunucu.bagla());
            std::thread is([&] { sunucu.calistir(); });
            httplib::Client c("127.0.0.1", sunucu.port());
            auto y = c.Get(guncellemeYolu);
            QVERIFY(y);
            if (ayarli) {
                QCOMPARE(y->status, 200);
                QCOMPARE(QByteArray::fromStdString(y->body), icerik);
                QCOMPARE(y->get_header_value("Content-Length"), std::to_string(icerik.size()));
                QCOMPARE(y->get_header_value("Content-Type"), std::string("application/octet-stream"));
                QFile::remove(paket); // taken away while the server runs
                y = c.Get(guncellemeYolu);
                QVERIFY(y);
            }
            QCOMPARE(y->status, 404);
            QCOMPARE(c.Get("/exe/baska.exe")->status, 404);
            sunucu.durdur();
            is.join();
        }
    }

    // The operator's commands, as typed.
    void yonetimKomutlari()
    {
        TEST_DEPOSU(depo, u"sqlite"_s);
        {
            auto vt = veritabaniAc(depo.adres());
            semayiGuncelle(*vt);
            kucukHesaplar(*vt);
            IstekFormu f = IstekFormu::jsondan(QJsonObject {
                    {u"idsi"_s, u"PC-9"_s},
                    {u"baslik"_s, u"B2B Yeni Kullanıcı İstek"_s},
                    {u"firmaadi"_s, u"ÇAĞ OTO"_s},
                    {u"kullaniciadi"_s, u"VELI"_s},
                    {u"sifre"_s, u"YENİ"_s},
            });
            postaKaydet(*vt, f);
        }
        const auto yonet = [&](const QStringList &a) {
            QProcess p;
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(QStringLiteral(DOTEZMAR_SUNUCU_PROGRAMI),
                    QStringList {u"yonet"_s, u"--veritabani"_s, depo.adres()} + a);
            p.waitForFinished(30000);
            return std::pair(p.exitCode(), QString::fromUtf8(p.readAll()));
        };
        auto [kod, cikti] = yonet({u"istekler"_s});
        QCOMPARE(kod, 0);
        QVERIFY2(cikti.contains(u"#1  "_s) && cikti.contains(u"B2B Yeni Kullanıcı İstek  [saklanıyor]"_s)
                         && cikti.contains(u"bilgisayar: PC-9  (kayıtlı değil)"_s)
                         && cikti.contains(u"firma: ÇAĞ OTO"_s) && cikti.contains(u"kullanıcı: VELI | şifre: YENİ"_s),
                 qPrintable(cikti));

        std::tie(kod, cikti) = yonet({u"istek-kaydet"_s, u"1"_s});
        QCOMPARE(kod, 0);
        QCOMPARE(cikti, u"1 numaralı isteğin bilgisayarı VELI kullanıcısına kaydedildi.\n"_s);
        std::tie(kod, cikti) = yonet({u"istekler"_s});
        QVERIFY2(cikti.contains(u"bilgisayar: PC-9  (kayıtlı: VELI)"_s), qPrintable(cikti));

        std::tie(kod, cikti) = yonet({u"istek-kaydet"_s, u"7"_s});
        QCOMPARE(kod, 1);
        QVERIFY2(cikti.contains(u"böyle bir istek yok: 7"_s), qPrintable(cikti));
        std::tie(kod, cikti) = yonet({u"istekler"_s, u"sıfır"_s});
        QCOMPARE(kod, 1);
    }
};

QTEST_GUILESS_MAIN(PostalarTesti)
#include "tst_postalar.moc"
