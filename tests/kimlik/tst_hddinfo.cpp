#include <QTest>

#include "remote/kimlik/hddinfo.h"
#include "sahtesistem.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SahteDiskCevaplari)

namespace {

using Oznitelikler = QMap<QString, QByteArray>;

const QString sataDiski = u"pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda"_s;

void kelimeYaz(TanitimTamponu &t, int no, quint16 deger)
{
    t[2 * no] = quint8(deger & 0xFF);
    t[2 * no + 1] = quint8(deger >> 8);
}

// Standard inquiry data: vendor, product, revision.
QByteArray sorgu(const QByteArray &satici, const QByteArray &urun, const QByteArray &surum)
{
    QByteArray veri(8, '\0');
    veri[4] = 31; // additional length
    return veri + satici.leftJustified(8, ' ') + urun.leftJustified(16, ' ') +
        surum.leftJustified(4, ' ');
}

QByteArray vpd80(const QByteArray &seri)
{
    return QByteArray("\x00\x80\x00", 3) + char(seri.size()) + seri;
}

QByteArray baytlar(const std::array<quint8, 20> &seri)
{
    return QByteArray(reinterpret_cast<const char *>(seri.data()), seri.size());
}

} // namespace

class HddInfoTesti final : public QObject
{
    Q_OBJECT

private slots:
    void tanitimVerisiOkunur()
    {
        // As the drive sends it: texts pair-swapped and filling their words
        // from the first to the last, the serial with a blank in front.
        TanitimTamponu t = hamTanitim(" ZWD-WCC4E1 2345678Y", "80.00A80",
                                      "WDC WD10EZEX-08WN4A0 Blue Desktop 1TB XZ");
        kelimeYaz(t, 1, 16383);
        kelimeYaz(t, 3, 16);
        kelimeYaz(t, 4, 34816);
        kelimeYaz(t, 5, 544);
        kelimeYaz(t, 6, 63);
        kelimeYaz(t, 20, 0x0102); // between serial and revision: not a text
        kelimeYaz(t, 21, 256);
        kelimeYaz(t, 22, 4);
        kelimeYaz(t, 47, 0x8010); // just after the model: not a text
        kelimeYaz(t, 60, 0xFFFF);
        kelimeYaz(t, 61, 0x0FFF);

        tanitimMetinleriniCevir(t);
        QCOMPARE(t[40], quint8(0x02));
        QCOMPARE(t[94], quint8(0x10));

        const TanitimBilgisi b = tanitimTamponunuOku(t);
        QCOMPARE(b.Serial, u"ZWD-WCC4E1 2345678Y"_s);
        QCOMPARE(b.Revision, u"80.00A80"_s);
        QCOMPARE(b.Model, u"WDC WD10EZEX-08WN4A0 Blue Desktop 1TB XZ"_s);
        QCOMPARE(b.CylsTotal, quint16(16383));
        QCOMPARE(b.HeadTotal, quint16(16));
        QCOMPARE(b.BPT, quint16(34816));
        QCOMPARE(b.BPS, quint16(544));
        QCOMPARE(b.SPT, quint16(63));
        QCOMPARE(b.BufSize, quint32(256 * 512));
        QCOMPARE(b.ECC, quint16(4));
        QCOMPARE(b.LBASectors, quint32(0x0FFFFFFF));
        QCOMPARE(b.Size, quint64(0x0FFFFFFF) * 512);
    }

    void metinlerKirpilir()
    {
        // NULs and control characters count as blanks at the ends; inside a
        // text they stay, and so does every byte above the blank.
        TanitimTamponu t {};
        const QByteArray seri("\0\t S1\0 2\xE7\r\n\0\0\0\0\0\0\0\0\0", 20);
        std::copy(seri.begin(), seri.end(), t.begin() + 20);
        QCOMPARE(tanitimTamponunuOku(t).Serial, QString::fromLatin1("S1\0 2\xE7", 6));
        QCOMPARE(tanitimTamponunuOku(t).Model, QString());
    }

    void boyutKurali_data()
    {
        QTest::addColumn<quint32>("lba");
        QTest::addColumn<quint16>("silindir");
        QTest::addColumn<quint16>("kafa");
        QTest::addColumn<quint16>("sektor");
        QTest::addColumn<quint64>("boyut");

        QTest::newRow("LBA at the limit") << quint32(0xFC0000) << quint16(16383) << quint16(16)
                                          << quint16(63) << quint64(0xFC0000) * 512;
        QTest::newRow("LBA just below: geometry")
            << quint32(0xFBFFFF) << quint16(16383) << quint16(16) << quint16(63)
            << quint64(16383) * 16 * 63 * 512;
        QTest::newRow("no LBA, no geometry")
            << quint32(0) << quint16(0) << quint16(0) << quint16(0) << quint64(0);
        QTest::newRow("largest LBA") << quint32(0xFFFFFFFF) << quint16(0) << quint16(0)
                                     << quint16(0) << quint64(0xFFFFFFFF) * 512;
        QTest::newRow("geometry beyond 32 bits")
            << quint32(0) << quint16(65535) << quint16(65535) << quint16(65535)
            << quint64(65535) * 65535 * 65535 * 512;
    }

    void boyutKurali()
    {
        QFETCH(quint32, lba);
        QFETCH(quint16, silindir);
        QFETCH(quint16, kafa);
        QFETCH(quint16, sektor);
        TanitimTamponu t {};
        kelimeYaz(t, 1, silindir);
        kelimeYaz(t, 3, kafa);
        kelimeYaz(t, 6, sektor);
        kelimeYaz(t, 60, quint16(lba & 0xFFFF));
        kelimeYaz(t, 61, quint16(lba >> 16));
        QTEST(tanitimTamponunuOku(t).Size, "boyut");
    }

    void seriMetniCozulur_data()
    {
        QTest::addColumn<QByteArray>("metin");
        QTest::addColumn<QByteArray>("seri");

        const auto dolu = [](QByteArray b) { return b.leftJustified(20, '\0'); };
        QTest::newRow("hex of the drive's order") << QByteArray("4457312d") << dolu("WD-1");
        QTest::newRow("upper-case hex") << QByteArray("4457312D") << dolu("WD-1");
        QTest::newRow("empty") << QByteArray() << dolu({});
        QTest::newRow("plain text copied")
            << QByteArray("WD-WCC4E1234567") << dolu("WD-WCC4E1234567");
        QTest::newRow("hex with a blank is text") << QByteArray("4457 312d") << dolu("4457 312d");
        QTest::newRow("0x prefix is text") << QByteArray("0x1234abcd") << dolu("0x1234abcd");
        QTest::newRow("text cut at 20")
            << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ") << QByteArray("ABCDEFGHIJKLMNOPQRST");
        QTest::newRow("hex cut at 20 bytes")
            << QByteArray("3132333435363738393a3b3c3d3e3f404142434445464748")
            << QByteArray("21436587:9<;>=@?BADC");
        QTest::newRow("odd length: the lone digit is a byte")
            << QByteArray("4457312") << dolu(QByteArray("WD\x02\x31", 4));
        QTest::newRow("digits only")
            << QByteArray("12566314116920082")
            << dolu(QByteArray("\x56\x12\x14\x63\x69\x11\x08\x20\x00\x02", 10));
    }

    void seriMetniCozulur()
    {
        QFETCH(QByteArray, metin);
        QTEST(baytlar(seriMetniniCoz(metin)), "seri");
    }

    void vpdSayfasi_data()
    {
        QTest::addColumn<QByteArray>("sayfa");
        QTest::addColumn<QByteArray>("seri");

        QTest::newRow("serial page") << vpd80("    S3Z9NB0K") << QByteArray("    S3Z9NB0K");
        QTest::newRow("another page") << QByteArray("\x00\x83\x00\x02"
                                                    "AB",
                                                    6)
                                      << QByteArray();
        QTest::newRow("length beyond the data") << QByteArray("\x00\x80\x00\x40"
                                                              "AB12",
                                                              8)
                                                << QByteArray("AB12");
        QTest::newRow("cut at NUL") << vpd80(QByteArray("AB\0CD", 5)) << QByteArray("AB");
        QTest::newRow("too short") << QByteArray("\x00\x80", 2) << QByteArray();
        QTest::newRow("at most 128") << vpd80(QByteArray(200, 'S')) << QByteArray(128, 'S');
    }

    void vpdSayfasi()
    {
        QFETCH(QByteArray, sayfa);
        QTEST(vpdSeriMetni(sayfa), "seri");
    }

    void otomatikYol_data()
    {
        QTest::addColumn<SahteDiskCevaplari>("cevap");
        QTest::addColumn<Oznitelikler>("oznitelikler");
        QTest::addColumn<QString>("seri");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("surum");
        QTest::addColumn<bool>("ide");

        const Oznitelikler sysfs {{u"device/model"_s, "Samsung SSD 860\n"},
                                  {u"device/rev"_s, "1B6Q\n"},
                                  {u"device/vpd_pg80"_s, vpd80("S3Z9NB0K123456A     ")},
                                  {u"size"_s, "1953525168\n"}};

        SahteDiskCevaplari cevap;
        cevap.hdio = tanitim("  S3Z9NB0K123456A", "RVT04B6Q", "Samsung SSD 860 EVO 1TB");
        QTest::newRow("kernel's identify copy")
            << cevap << sysfs << u"S3Z9NB0K123456A"_s << u"Samsung SSD 860 EVO 1TB"_s
            << u"RVT04B6Q"_s << true;

        cevap = {};
        cevap.ataHam = hamTanitim("  S3Z9NB0K123456A", "RVT04B6Q", "Samsung SSD 860 EVO 1TB");
        QTest::newRow("ATA pass-through") << cevap << sysfs << u"S3Z9NB0K123456A"_s
                                          << u"Samsung SSD 860 EVO 1TB"_s << u"RVT04B6Q"_s << true;

        cevap = {};
        cevap.ataHatasi = true;
        cevap.sorgu = sorgu("ATA", "Samsung SSD 860", "1B6Q");
        QTest::newRow("drive refuses ATA: inquiry, no serial")
            << cevap << sysfs << QString() << u"ATA     Samsung SSD 860"_s << u"1B6Q"_s << false;

        QTest::newRow("no rights: attributes")
            << SahteDiskCevaplari {} << sysfs << u"S3Z9NB0K123456A"_s << u"Samsung SSD 860"_s
            << u"1B6Q"_s << false;

        QTest::newRow("no rights, no serial page: serial attribute decoded")
            << SahteDiskCevaplari {}
            << Oznitelikler {{u"serial"_s, "12566314116920082\n"}, {u"size"_s, "536870912\n"}}
            << QString::fromLatin1("V\x12\x14"
                                   "ci")
            << QString() << QString() << false;
    }

    void otomatikYol()
    {
        QFETCH(SahteDiskCevaplari, cevap);
        QFETCH(Oznitelikler, oznitelikler);
        SahteSistem sistem;
        sistem.diskEkle(sataDiski, oznitelikler);
        sistem.cevaplar(u"sda"_s, cevap);

        THDDInfo okuyucu(sistem.ortam());
        okuyucu.GetInfo();
        QTEST(okuyucu.Serial(), "seri");
        QTEST(okuyucu.Model(), "model");
        QTEST(okuyucu.Revision(), "surum");
        QTEST(okuyucu.isIDE(), "ide");
    }

    void yolHatalari_data()
    {
        QTest::addColumn<int>("yol");
        QTest::addColumn<int>("surucu");
        QTest::addColumn<bool>("acilir");
        QTest::addColumn<SahteDiskCevaplari>("cevap");
        QTest::addColumn<Oznitelikler>("oznitelikler");
        QTest::addColumn<QString>("hata");

        const QString acilamadi = u"Can't create device handle!"_s;
        const QString istek = u"DeviceIoControl filed!"_s;
        const Oznitelikler bos;
        SahteDiskCevaplari sessiz;
        SahteDiskCevaplari ataHatasi;
        ataHatasi.ataHatasi = true;
        SahteDiskCevaplari kisaSorgu;
        kisaSorgu.sorgu = sorgu("ATA", "X", "1").left(20);
        SahteDiskCevaplari bagliDegil;
        bagliDegil.sorgu = sorgu("ATA", "X", "1");
        (*bagliDegil.sorgu)[0] = char(0x7F);

        QTest::newRow("NT: no rights") << int(gimNT) << 0 << false << sessiz << bos << acilamadi;
        QTest::newRow("NT: no such drive") << int(gimNT) << 1 << true << sessiz << bos << acilamadi;
        QTest::newRow("NT: requests refused") << int(gimNT) << 0 << true << sessiz << bos << istek;
        QTest::newRow("NT: drive reports an error")
            << int(gimNT) << 0 << true << ataHatasi << bos << u"DeviceIoControl returned error!"_s;
        QTest::newRow("SCSI: no rights")
            << int(gimScsi) << 0 << false << sessiz << bos << acilamadi;
        QTest::newRow("SCSI: inquiry refused")
            << int(gimScsi) << 0 << true << sessiz << bos << istek;
        QTest::newRow("SCSI: short inquiry data")
            << int(gimScsi) << 0 << true << kisaSorgu << bos << u"SCSI_GET_INQUIRY_DATA failed!"_s;
        QTest::newRow("SCSI: no device at the address")
            << int(gimScsi) << 0 << true << bagliDegil << bos << u"SCSI_GET_INQUIRY_DATA failed!"_s;
        QTest::newRow("no rights: no such drive")
            << int(gimZeroRights) << 1 << false << sessiz << bos << acilamadi;
        QTest::newRow("no rights: neither size nor model")
            << int(gimZeroRights) << 0 << false << sessiz << Oznitelikler {{u"serial"_s, "X\n"}}
            << u"GetDevInfoZeroRights filed!"_s;
        QTest::newRow("automatic: no such drive")
            << int(gimAuto) << 2 << false << sessiz << bos << acilamadi;
        QTest::newRow("automatic: every route fails")
            << int(gimAuto) << 0 << true << ataHatasi << bos << u"GetDevInfoZeroRights filed!"_s;
        QTest::newRow("route of other systems")
            << int(gim9x) << 0 << true << sessiz << bos << u"Unsupported method!"_s;
    }

    void yolHatalari()
    {
        QFETCH(int, yol);
        QFETCH(int, surucu);
        QFETCH(bool, acilir);
        QFETCH(SahteDiskCevaplari, cevap);
        QFETCH(Oznitelikler, oznitelikler);
        QFETCH(QString, hata);
        SahteSistem sistem;
        sistem.diskEkle(sataDiski, oznitelikler);
        if (acilir)
            sistem.cevaplar(u"sda"_s, cevap);

        THDDInfo okuyucu(sistem.ortam());
        okuyucu.setMethod(TGetInfoMethod(yol));
        try {
            okuyucu.setDrive(TDrive(surucu));
            QFAIL("GetInfo did not fail");
        } catch (const DiskOkumaHatasi &h) {
            QCOMPARE(QString::fromUtf8(h.what()), hata);
        }
    }

    void surucuVeAygitAdi()
    {
        SahteSistem sistem;
        sistem.diskEkle(sataDiski);
        sistem.diskEkle(u"pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sdb"_s);
        SahteDiskCevaplari sifir;
        sifir.hdio = tanitim("SIFIRINCIDISK", "1", "A");
        SahteDiskCevaplari bir;
        bir.hdio = tanitim("BIRINCIDISK", "1", "B");
        sistem.cevaplar(u"sda"_s, sifir);
        sistem.cevaplar(u"sdb"_s, bir);

        THDDInfo okuyucu(sistem.ortam());
        QCOMPARE(okuyucu.Method(), gimAuto);
        QCOMPARE(okuyucu.Drive(), dPrimaryMaster);

        okuyucu.setDrive(dPrimarySlave);
        QCOMPARE(okuyucu.DeviceName(), u"PhysicalDrive1"_s);
        QCOMPARE(okuyucu.Serial(), u"BIRINCIDISK"_s);
        QCOMPARE(sistem.acmaSayisi(), 1);

        // The name does not choose the drive; setting it reads Drive again.
        okuyucu.setDeviceName(u"PhysicalDrive0"_s);
        QCOMPARE(okuyucu.DeviceName(), u"PhysicalDrive0"_s);
        QCOMPARE(okuyucu.Serial(), u"BIRINCIDISK"_s);
        QCOMPARE(sistem.acmaSayisi(), 2);
    }

    void basarisizOkumaOzellikleriBozmaz()
    {
        SahteSistem sistem;
        sistem.diskEkle(sataDiski);
        SahteDiskCevaplari cevap;
        cevap.hdio = tanitim("ILKOKUMA", "1.0", "Model");
        sistem.cevaplar(u"sda"_s, cevap);

        THDDInfo okuyucu(sistem.ortam());
        okuyucu.setMethod(gimNT);
        okuyucu.GetInfo();
        sistem.ilkAcmalariReddet(1);
        QVERIFY_THROWS_EXCEPTION(DiskOkumaHatasi, okuyucu.GetInfo());
        QCOMPARE(okuyucu.Serial(), u"ILKOKUMA"_s);
        QCOMPARE(okuyucu.Model(), u"Model"_s);

        // A route that leaves the serial out does not inherit the last one.
        cevap.sorgu = sorgu("ATA", "Model", "1.0");
        sistem.cevaplar(u"sda"_s, cevap);
        okuyucu.setMethod(gimScsi);
        okuyucu.GetInfo();
        QCOMPARE(okuyucu.Serial(), QString());
    }

    void yetkisizGeometri_data()
    {
        QTest::addColumn<QByteArray>("boyut");
        QTest::addColumn<QByteArray>("sektorBoyu");
        QTest::addColumn<quint16>("silindir");
        QTest::addColumn<quint16>("bps");
        QTest::addColumn<quint32>("lba");
        QTest::addColumn<quint64>("bayt");

        QTest::newRow("1 TB") << QByteArray("1953525168\n") << QByteArray("512\n") << quint16(65535)
                              << quint16(512) << quint32(1953525168) << quint64(1953525168) * 512;
        QTest::newRow("small disk: geometry")
            << QByteArray("4096000\n") << QByteArray("512\n") << quint16(254) << quint16(512)
            << quint32(4096000) << quint64(254) * 255 * 63 * 512;
        QTest::newRow("beyond 32-bit sector numbers")
            << QByteArray("8589934592\n") << QByteArray() << quint16(65535) << quint16(512)
            << quint32(0xFFFFFFFF) << quint64(0xFFFFFFFF) * 512;
    }

    void yetkisizGeometri()
    {
        QFETCH(QByteArray, boyut);
        QFETCH(QByteArray, sektorBoyu);
        SahteSistem sistem;
        Oznitelikler o {{u"size"_s, boyut}};
        if (!sektorBoyu.isEmpty())
            o[u"queue/logical_block_size"_s] = sektorBoyu;
        sistem.diskEkle(sataDiski, o);

        THDDInfo okuyucu(sistem.ortam());
        okuyucu.setMethod(gimZeroRights);
        okuyucu.GetInfo();
        QTEST(okuyucu.CylsTotal(), "silindir");
        QCOMPARE(okuyucu.HeadTotal(), quint16(255));
        QCOMPARE(okuyucu.SPT(), quint16(63));
        QTEST(okuyucu.BPS(), "bps");
        QTEST(okuyucu.LBASectors(), "lba");
        QTEST(okuyucu.Size(), "bayt");
    }

    void scsiAdresi()
    {
        SahteSistem sistem;
        sistem.diskEkle(u"pci0000:00/0000:00:17.0/ata3/host2/target2:0:1/2:0:1:0/block/sdc"_s,
                        {{u"device/vendor"_s, "ATA     \n"}, {u"device/type"_s, "0\n"}});
        sistem.diskEkle(u"pci0000:00/0000:00:17.0/ata3/host2/target2:1:0/2:1:0:0/block/sdd"_s);
        sistem.diskEkle(u"pci0000:00/0000:00:17.0/ata4/host3/target3:0:0/3:0:0:0/block/sde"_s);
        SahteDiskCevaplari cevap;
        cevap.hdio = tanitim("SERI", "1", "M");
        sistem.cevaplar(u"sdc"_s, cevap);

        THDDInfo okuyucu(sistem.ortam());
        QCOMPARE(okuyucu.ScsiPort(), -1);
        okuyucu.GetInfo();
        QCOMPARE(okuyucu.ScsiInfo(), u"2:0:1:0"_s);
        QCOMPARE(okuyucu.ScsiPort(), 2);
        QCOMPARE(okuyucu.ScsiBus(), 0);
        QCOMPARE(okuyucu.ScsiDevice(), 1);
        QCOMPARE(okuyucu.ScsiBusCount(), 2);
        QCOMPARE(okuyucu.ScsiDevCount(), 2);
        QCOMPARE(okuyucu.Vendor(), u"ATA"_s);
        QCOMPARE(okuyucu.HDDType(), dtFixed);
    }
};

QTEST_APPLESS_MAIN(HddInfoTesti)
#include "tst_hddinfo.moc"
