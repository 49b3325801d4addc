#include <QFile>
#include <QTest>

#include "remote/kimlik/bilgisayarid.h"
#include "remote/kurulum.h"
#include "sahtesistem.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(KimlikKaynagi)

namespace {

const KimlikTakmaAdlari takmaAdlar {u"DOTEZMARTEST001"_s, u"DOTEZMARTEST002"_s, u"123456789012"_s};

const QString sataDiski = u"pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda"_s;

// Sources whose answers a test sets. The disk reader reads a recorded disk
// "sda" that answers with the given serial number (none: no such disk).
class SahteKaynaklar final : public KimlikKaynaklari
{
public:
    std::optional<QStringList> diskSerileri; // nullopt: the source fails
    QByteArrayList adresler; // hex; empty: the adapter gives no answer
    SahteSistem sistem;

    void okuyucuSerisi(const QByteArray &seri)
    {
        sistem.diskEkle(sataDiski);
        SahteDiskCevaplari c;
        c.hdio = tanitim(seri, "1.0", "Model");
        sistem.cevaplar(u"sda"_s, c);
    }

    QStringList diskSeriNumaralari() override
    {
        if (!diskSerileri)
            throw KaynakHatasi("no serial");
        return *diskSerileri;
    }
    std::unique_ptr<THDDInfo> yeniOkuyucu() override
    {
        return std::make_unique<THDDInfo>(sistem.ortam());
    }
    QStringList agAdaptorleri() override
    {
        QStringList adlar;
        for (qsizetype i = 0; i < adresler.size(); ++i)
            adlar.append(u"eth%1"_s.arg(i));
        return adlar;
    }
    std::optional<QByteArray> donanimAdresi(const QString &adaptor) override
    {
        const QByteArray adres = adresler.value(adaptor.mid(3).toInt());
        if (adres.isEmpty())
            return std::nullopt;
        return QByteArray::fromHex(adres);
    }
};

} // namespace

class BilgisayarIdTesti final : public QObject
{
    Q_OBJECT

private slots:
    void kurallar_data()
    {
        QTest::addColumn<QStringList>("disk"); // {"!"}: the source fails
        QTest::addColumn<QByteArray>("okuyucu"); // empty: no disk to read
        QTest::addColumn<QByteArrayList>("adresler");
        QTest::addColumn<QString>("kimlik");
        QTest::addColumn<KimlikKaynagi>("kaynak");

        const QStringList hata {u"!"_s};
        const QByteArray adres = "001a2b3c4d5e";
        const QByteArray sifir = "000000000000";
        const QString adresMetni = u"00-1A-2B-3C-4D-5E"_s;
        const auto disk = KimlikKaynagi::DiskSeriNumarasi;
        const auto okuyucu = KimlikKaynagi::OkuyucuIlkDeneme;
        const auto ag = KimlikKaynagi::AgAdaptoru;
        const auto yok = KimlikKaynagi::Yok;

        QTest::newRow("inner spaces removed") << QStringList {u"AB 12 CD 34"_s} << QByteArray()
                                              << QByteArrayList {} << u"AB12CD34"_s << disk;
        QTest::newRow("a-z upper-cased, other letters kept")
            << QStringList {u"ab12çd-x"_s} << QByteArray() << QByteArrayList {} << u"AB12çD-X"_s
            << disk;
        QTest::newRow("last of several answers")
            << QStringList {u"ILKDISK1"_s, u"SONDISK2"_s} << QByteArray() << QByteArrayList {}
            << u"SONDISK2"_s << disk;
        QTest::newRow("three-character disk serial kept")
            << QStringList {u"ab1"_s} << QByteArray() << QByteArrayList {} << u"AB1"_s << disk;
        QTest::newRow("blanks and control characters at the ends")
            << QStringList {u"\t S3Z9 \n"_s} << QByteArray() << QByteArrayList {} << u"S3Z9"_s
            << disk;
        QTest::newRow("blank disk serial: reader")
            << QStringList {u"   "_s} << QByteArray("WD-WCC4E123") << QByteArrayList {}
            << u"WD-WCC4E123"_s << okuyucu;
        QTest::newRow("no disk in the database: reader")
            << QStringList {} << QByteArray("WD-WCC4E123") << QByteArrayList {} << u"WD-WCC4E123"_s
            << okuyucu;
        QTest::newRow("database fails: reader trimmed, upper-cased, unspaced")
            << hata << QByteArray("  wd-wcc 4e1") << QByteArrayList {adres} << u"WD-WCC4E1"_s
            << okuyucu;
        QTest::newRow("three-character reader serial discarded")
            << hata << QByteArray("ab1") << QByteArrayList {adres} << adresMetni << ag;
        QTest::newRow("four-character reader serial kept")
            << hata << QByteArray("ab12") << QByteArrayList {adres} << u"AB12"_s << okuyucu;
        QTest::newRow("first adapter")
            << hata << QByteArray() << QByteArrayList {adres, sifir} << adresMetni << ag;
        QTest::newRow("all-zero adapter: next asked")
            << hata << QByteArray() << QByteArrayList {sifir, adres} << adresMetni << ag;
        QTest::newRow("silent first adapter ends the search")
            << hata << QByteArray() << QByteArrayList {{}, adres} << QString() << yok;
        QTest::newRow("silent adapter after zeros: search goes on")
            << hata << QByteArray() << QByteArrayList {sifir, {}, adres} << adresMetni << ag;
        QTest::newRow("zeros, then silence")
            << hata << QByteArray() << QByteArrayList {sifir, {}} << u"00-00-00-00-00-00"_s << ag;
        QTest::newRow("fourth adapter never asked")
            << hata << QByteArray() << QByteArrayList {sifir, sifir, sifir, adres}
            << u"00-00-00-00-00-00"_s << ag;
        QTest::newRow("longer address: first six bytes")
            << hata << QByteArray() << QByteArrayList {"80000208fe800000000000000002c903000abcde"}
            << u"80-00-02-08-FE-80"_s << ag;
        QTest::newRow("no adapters")
            << hata << QByteArray() << QByteArrayList {} << QString() << yok;
        QTest::newRow("first alias") << QStringList {u"DOTEZMARTEST001"_s} << QByteArray()
                                     << QByteArrayList {} << u"123456789012"_s << disk;
        QTest::newRow("second alias, from the reader")
            << hata << QByteArray("DOTEZMARTEST002") << QByteArrayList {} << u"123456789012"_s
            << okuyucu;
        QTest::newRow("one character off an alias")
            << QStringList {u"DOTEZMARTEST003"_s} << QByteArray() << QByteArrayList {}
            << u"DOTEZMARTEST003"_s << disk;
        QTest::newRow("alias matched after upper-casing and unspacing")
            << QStringList {u"dotezmar test001"_s} << QByteArray() << QByteArrayList {}
            << u"123456789012"_s << disk;
    }

    void kurallar()
    {
        QFETCH(QStringList, disk);
        QFETCH(QByteArray, okuyucu);
        QFETCH(QByteArrayList, adresler);
        SahteKaynaklar kaynaklar;
        if (disk != QStringList {u"!"_s})
            kaynaklar.diskSerileri = disk;
        if (!okuyucu.isEmpty())
            kaynaklar.okuyucuSerisi(okuyucu);
        kaynaklar.adresler = adresler;

        const BilgisayarKimligi sonuc = bilgisayarKimligi(kaynaklar, takmaAdlar);
        QTEST(sonuc.metin, "kimlik");
        QTEST(sonuc.kaynak, "kaynak");
        QCOMPARE(BilgisayarIdAl(kaynaklar, takmaAdlar), sonuc.metin);
    }

    void okuyucuDenemeleri_data()
    {
        QTest::addColumn<bool>("ilkDiskCevaplar");
        QTest::addColumn<int>("reddedilen");
        QTest::addColumn<QString>("kimlik");
        QTest::addColumn<KimlikKaynagi>("kaynak");

        // Each failed read of the first attempt costs two opens (the ATA and
        // the SCSI route) before the attribute route fails too.
        QTest::newRow("first attempt")
            << true << 0 << u"SIFIRINCI"_s << KimlikKaynagi::OkuyucuIlkDeneme;
        QTest::newRow("busy drive: second attempt")
            << true << 2 << u"SIFIRINCI"_s << KimlikKaynagi::OkuyucuIkinciDeneme;
        QTest::newRow("busy through both attempts")
            << true << 4 << u"00-1A-2B-3C-4D-5E"_s << KimlikKaynagi::AgAdaptoru;
        QTest::newRow("the second attempt asks drive 0, not drive 1")
            << false << 0 << u"00-1A-2B-3C-4D-5E"_s << KimlikKaynagi::AgAdaptoru;
    }

    void okuyucuDenemeleri()
    {
        QFETCH(bool, ilkDiskCevaplar);
        QFETCH(int, reddedilen);
        SahteKaynaklar kaynaklar;
        kaynaklar.adresler = {"001a2b3c4d5e"};
        kaynaklar.sistem.diskEkle(sataDiski);
        kaynaklar.sistem.diskEkle(
            u"pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sdb"_s);
        SahteDiskCevaplari sifir;
        sifir.hdio = tanitim("SIFIRINCI", "1", "A");
        SahteDiskCevaplari bir;
        bir.hdio = tanitim("BIRINCI", "1", "B");
        if (ilkDiskCevaplar)
            kaynaklar.sistem.cevaplar(u"sda"_s, sifir);
        kaynaklar.sistem.cevaplar(u"sdb"_s, bir);
        kaynaklar.sistem.ilkAcmalariReddet(reddedilen);

        const BilgisayarKimligi sonuc = bilgisayarKimligi(kaynaklar, takmaAdlar);
        QTEST(sonuc.metin, "kimlik");
        QTEST(sonuc.kaynak, "kaynak");
    }

    void bosTakmaAdBosKimligiDegistirmez()
    {
        SahteKaynaklar kaynaklar;
        QCOMPARE(BilgisayarIdAl(kaynaklar, {QString(), QString(), u"123456789012"_s}), QString());
    }

    void diskSirasi()
    {
        SahteSistem sistem;
        const QMap<QString, QByteArray> sabit {{u"removable"_s, "0\n"}};
        sistem.diskEkle(u"pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/"
                        "6:0:0:0/block/sdb"_s,
                        sabit);
        sistem.diskEkle(u"pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1"_s, sabit);
        sistem.diskEkle(u"pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0"_s,
                        {{u"removable"_s, "1\n"}});
        sistem.diskEkle(sataDiski, sabit);
        sistem.diskEkle(u"virtual/block/loop0"_s, sabit);
        sistem.diskEkle(u"virtual/block/dm-0"_s, sabit);

        QStringList adlar;
        for (const FizikselDisk &disk : fizikselDiskler(sistem.ortam()))
            adlar.append(disk.ad);
        QCOMPARE(adlar, (QStringList {u"sda"_s, u"nvme0n1"_s, u"sdb"_s}));
    }

    void diskSeriNumarasi_data()
    {
        QTest::addColumn<QString>("aygitYolu");
        QTest::addColumn<QString>("seriDosyasi"); // relative to the disk's folder
        QTest::addColumn<QByteArray>("udevKaydi");
        QTest::addColumn<QStringList>("seriler"); // {"!"}: the source fails

        QTest::newRow("udev's short serial")
            << sataDiski << QString()
            << QByteArray("S:disk/by-id/ata-X\nE:ID_SERIAL=Samsung_SSD_S3Z9NB0K\n"
                          "E:ID_SERIAL_SHORT=S3Z9NB0K\nG:systemd\n")
            << QStringList {u"S3Z9NB0K"_s};
        QTest::newRow("no udev record: the disk's serial attribute")
            << u"pci0000:00/0000:00:02.0/virtio1/block/vda"_s << u"serial"_s << QByteArray()
            << QStringList {u"12566314116920082"_s};
        QTest::newRow("udev record without a short serial: the attribute")
            << u"pci0000:00/0000:00:02.0/virtio1/block/vda"_s << u"serial"_s
            << QByteArray("E:ID_SERIAL=12566314116920082\n")
            << QStringList {u"12566314116920082"_s};
        QTest::newRow("the NVMe controller's serial")
            << u"pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1"_s << u"device/serial"_s
            << QByteArray() << QStringList {u"12566314116920082"_s};
        QTest::newRow("no serial anywhere")
            << sataDiski << QString() << QByteArray() << QStringList {u"!"_s};
        QTest::newRow("no physical disk")
            << u"virtual/block/loop0"_s << u"serial"_s << QByteArray() << QStringList {};
    }

    void diskSeriNumarasi()
    {
        QFETCH(QString, aygitYolu);
        QFETCH(QString, seriDosyasi);
        QFETCH(QByteArray, udevKaydi);
        QFETCH(QStringList, seriler);
        SahteSistem sistem;
        QMap<QString, QByteArray> oznitelikler {{u"dev"_s, "8:0\n"}};
        if (!seriDosyasi.isEmpty())
            oznitelikler[seriDosyasi] = "12566314116920082\n";
        sistem.diskEkle(aygitYolu, oznitelikler);
        if (!udevKaydi.isEmpty())
            sistem.dosya(u"run/udev/data/b8:0"_s, udevKaydi);

        SistemKimlikKaynaklari kaynaklar(sistem.ortam());
        if (seriler == QStringList {u"!"_s})
            QVERIFY_THROWS_EXCEPTION(KaynakHatasi, kaynaklar.diskSeriNumaralari());
        else
            QCOMPARE(kaynaklar.diskSeriNumaralari(), seriler);
    }

    void agAdaptorleri()
    {
        SahteSistem sistem;
        sistem.adaptorEkle(u"virtual/net/lo"_s, 1, "00:00:00:00:00:00");
        sistem.adaptorEkle(u"pci0000:00/0000:00:1c.0/0000:03:00.0/net/enp3s0"_s, 3,
                           "00:1a:2b:3c:4d:5e");
        sistem.adaptorEkle(u"pci0000:00/0000:00:1f.6/net/enp0s31f6"_s, 2, "00:00:00:00:00:00");
        sistem.adaptorEkle(u"virtual/net/docker0"_s, 4, "02:42:ac:11:00:01");
        sistem.adaptorEkle(u"pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/net/wwan0"_s, 5, "");
        sistem.adaptorEkle(u"pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/net/enx1"_s, 6,
                           "zz:1a:2b:3c:4d:5e");

        SistemKimlikKaynaklari kaynaklar(sistem.ortam());
        QCOMPARE(kaynaklar.agAdaptorleri(), (QStringList {u"enp0s31f6"_s, u"enp3s0"_s, u"enx1"_s}));
        QCOMPARE(kaynaklar.donanimAdresi(u"enp3s0"_s), QByteArray::fromHex("001a2b3c4d5e"));
        QCOMPARE(kaynaklar.donanimAdresi(u"enx1"_s), std::nullopt);
        QCOMPARE(kaynaklar.donanimAdresi(u"yok0"_s), std::nullopt);
        QCOMPARE(kaynaklar.donanimAdresi(u"../../block/sda"_s), std::nullopt);

        // All-zero first adapter, the next one answers.
        QCOMPARE(BilgisayarIdAl(kaynaklar, takmaAdlar), u"00-1A-2B-3C-4D-5E"_s);
    }

    void donanimAdresiCozumu_data()
    {
        QTest::addColumn<QByteArray>("metin");
        QTest::addColumn<QByteArray>("adres"); // "!": not an address

        QTest::newRow("Ethernet") << QByteArray("02:fc:00:00:00:01")
                                  << QByteArray::fromHex("02fc00000001");
        QTest::newRow("upper-case")
            << QByteArray("02:FC:0A:00:00:01") << QByteArray::fromHex("02fc0a000001");
        QTest::newRow("one byte") << QByteArray("ff") << QByteArray::fromHex("ff");
        QTest::newRow("empty") << QByteArray() << QByteArray("!");
        QTest::newRow("dashes") << QByteArray("02-fc-00-00-00-01") << QByteArray("!");
        QTest::newRow("single digit") << QByteArray("2:fc:00:00:00:01") << QByteArray("!");
        QTest::newRow("trailing colon") << QByteArray("02:fc:") << QByteArray("!");
        QTest::newRow("not hex") << QByteArray("02:fg") << QByteArray("!");
    }

    void donanimAdresiCozumu()
    {
        QFETCH(QByteArray, metin);
        QFETCH(QByteArray, adres);
        const std::optional<QByteArray> cozulen = donanimAdresiniCoz(metin);
        if (adres == "!")
            QCOMPARE(cozulen, std::nullopt);
        else
            QCOMPARE(cozulen, adres);
    }

    void kayitliBilgisayar_data()
    {
        QTest::addColumn<bool>("seriOzniteligi");
        QTest::addColumn<QByteArray>("udevKaydi");
        QTest::addColumn<QString>("kimlik");
        QTest::addColumn<KimlikKaynagi>("kaynak");

        QTest::newRow("as found: serial attribute, no udev")
            << true << QByteArray() << u"12566314116920082"_s << KimlikKaynagi::DiskSeriNumarasi;
        QTest::newRow("udev running") << true << QByteArray("E:ID_SERIAL_SHORT=qm00001\n")
                                      << u"QM00001"_s << KimlikKaynagi::DiskSeriNumarasi;
        QTest::newRow("disk without serial: the Ethernet adapter")
            << false << QByteArray() << u"02-FC-00-00-00-01"_s << KimlikKaynagi::AgAdaptoru;
    }

    void kayitliBilgisayar()
    {
        QFETCH(bool, seriOzniteligi);
        QFETCH(QByteArray, udevKaydi);
        SahteSistem sistem;
        buBilgisayar(sistem);
        if (!seriOzniteligi)
            QVERIFY(QFile::remove(
                sistem.kok() + u"/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda/serial"_s));
        if (!udevKaydi.isEmpty())
            sistem.dosya(u"run/udev/data/b254:0"_s, udevKaydi);

        SistemKimlikKaynaklari kaynaklar(sistem.ortam());
        const BilgisayarKimligi sonuc = bilgisayarKimligi(kaynaklar, takmaAdlar);
        QTEST(sonuc.metin, "kimlik");
        QTEST(sonuc.kaynak, "kaynak");
    }

    void kurulumDegerleriOkunur()
    {
        SistemKimlikKaynaklari kaynaklar;
        const QString buBilgisayar = BilgisayarIdAl(kaynaklar, {});
        if (buBilgisayar.isEmpty())
            QSKIP("this computer has no identifier to alias");

        KurulumDegerleri degerler = KurulumDegerleri::varsayilan();
        degerler.takmaSeri2 = buBilgisayar;
        degerler.sabitKimlik = u"998877665544"_s;
        KurulumAyarla(degerler);
        const QString takmaAdli = BilgisayarIdAl();
        KurulumAyarla(KurulumDegerleri::varsayilan());
        QCOMPARE(takmaAdli, u"998877665544"_s);
    }

    void buBilgisayardaHerSeferindeAyni()
    {
        // Whatever this machine offers, asking twice gives the same text.
        QCOMPARE(BilgisayarIdAl(), BilgisayarIdAl());
    }
};

QTEST_APPLESS_MAIN(BilgisayarIdTesti)
#include "tst_bilgisayarid.moc"
