#include "remote/kimlik/hddinfo.h"

#include <algorithm>
#include <cstring>
#include <linux/hdreg.h>
#include <optional>
#include <scsi/sg.h>
#include <set>
#include <span>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// Where the properties lie in the identify data (word numbers).
constexpr int seriKelimesi = 10; // 10-19
constexpr int surumKelimesi = 23; // 23-26
constexpr int modelKelimesi = 27; // 27-46
constexpr int metinSonKelime = 46;
constexpr int seriUzunlugu = 20;
constexpr int surumUzunlugu = 8;
constexpr int modelUzunlugu = 40;

// Below this many sectors the size comes from the geometry.
constexpr quint32 lbaSiniri = 0xFC0000;

constexpr unsigned sorguSuresiMs = 1000;

const char *const aygitAcilamadi = "Can't create device handle!";
const char *const istekBasarisiz = "DeviceIoControl filed!";
const char *const surucuHatasi = "DeviceIoControl returned error!";
const char *const sorgulamaBasarisiz = "SCSI_GET_INQUIRY_DATA failed!";
const char *const yetkisizBasarisiz = "GetDevInfoZeroRights filed!";
const char *const yolYok = "Unsupported method!";

quint16 kelime(const TanitimTamponu &t, int no)
{
    return qFromLittleEndian<quint16>(t.data() + 2 * no);
}

void kelimeYaz(TanitimTamponu &t, int no, quint16 deger)
{
    qToLittleEndian(deger, t.data() + 2 * no);
}

bool metinKelimesi(int no)
{
    return (no >= seriKelimesi && no < seriKelimesi + seriUzunlugu / 2) ||
        (no >= surumKelimesi && no <= metinSonKelime);
}

// Bytes as single-byte characters, one to one.
QString metin(const TanitimTamponu &t, int kelimeNo, int uzunluk)
{
    return kenarlariKirp(
        QString::fromLatin1(reinterpret_cast<const char *>(t.data() + 2 * kelimeNo), uzunluk));
}

void metinYaz(TanitimTamponu &t, int kelimeNo, int uzunluk, QByteArrayView deger)
{
    std::copy_n(deger.begin(), std::min<qsizetype>(deger.size(), uzunluk),
                t.begin() + 2 * kelimeNo);
}

int onaltilik(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct YolSonucu
{
    TanitimTamponu tampon {};
    bool ata = false; // the identify data came from the drive itself
    QString satici; // vendor, when the route learnt it
};

std::unique_ptr<DiskAygiti> diskiAc(const SistemOrtami &ortam, const FizikselDisk *disk)
{
    std::unique_ptr<DiskAygiti> aygit = disk ? ortam.aygitAc(aygitDugumu(ortam, *disk)) : nullptr;
    if (!aygit)
        throw DiskOkumaHatasi(aygitAcilamadi);
    return aygit;
}

struct ScsiYaniti
{
    bool tamam; // the device completed the command
    qsizetype gelen; // bytes it sent
};

// Sends a SCSI command that reads into veri; nullopt when the request could
// not be made at all.
std::optional<ScsiYaniti> scsiOku(DiskAygiti &aygit, std::span<quint8> komut,
                                  std::span<quint8> veri)
{
    quint8 aciklama[32] = {};
    sg_io_hdr_t baslik {};
    baslik.interface_id = 'S';
    baslik.dxfer_direction = SG_DXFER_FROM_DEV;
    baslik.cmd_len = quint8(komut.size());
    baslik.cmdp = komut.data();
    baslik.mx_sb_len = sizeof aciklama;
    baslik.sbp = aciklama;
    baslik.dxfer_len = uint(veri.size());
    baslik.dxferp = veri.data();
    baslik.timeout = sorguSuresiMs;
    if (aygit.istek(SG_IO, &baslik) != 0)
        return std::nullopt;
    const bool tamam = baslik.status == 0 && baslik.host_status == 0 && baslik.driver_status == 0;
    return ScsiYaniti {
        tamam, qsizetype(veri.size()) - std::clamp<qsizetype>(baslik.resid, 0, veri.size())};
}

// The identify data, from the kernel's copy of it or asked of the drive
// through an ATA pass-through command.
YolSonucu ntYolu(const SistemOrtami &ortam, const FizikselDisk *disk)
{
    const std::unique_ptr<DiskAygiti> aygit = diskiAc(ortam, disk);
    YolSonucu sonuc;
    sonuc.ata = true;

    if (aygit->istek(HDIO_GET_IDENTITY, sonuc.tampon.data()) == 0) {
        // The kernel keeps the words in processor order and hands the texts
        // over already in reading order.
        for (int no = 0; no < 256; ++no) {
            if (!metinKelimesi(no)) {
                quint16 deger;
                std::memcpy(&deger, sonuc.tampon.data() + 2 * no, sizeof deger);
                kelimeYaz(sonuc.tampon, no, deger);
            }
        }
        return sonuc;
    }

    // ATA PASS-THROUGH (16): IDENTIFY DEVICE (0xEC), PIO data-in, one block
    // whose length the sector count gives.
    quint8 komut[16] = {0x85, 4 << 1, 0x0E, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0xA0, 0xEC, 0};
    const std::optional<ScsiYaniti> yanit = scsiOku(*aygit, komut, sonuc.tampon);
    if (!yanit)
        throw DiskOkumaHatasi(istekBasarisiz);
    if (!yanit->tamam || yanit->gelen != qsizetype(sonuc.tampon.size()))
        throw DiskOkumaHatasi(surucuHatasi);
    tanitimMetinleriniCevir(sonuc.tampon);
    return sonuc;
}

// The SCSI inquiry data: vendor and product as the model, and the revision.
// It carries no serial number.
YolSonucu scsiYolu(const SistemOrtami &ortam, const FizikselDisk *disk)
{
    const std::unique_ptr<DiskAygiti> aygit = diskiAc(ortam, disk);

    quint8 komut[6] = {0x12, 0, 0, 0, 96, 0};
    std::array<quint8, 96> veri {};
    const std::optional<ScsiYaniti> yanit = scsiOku(*aygit, komut, veri);
    if (!yanit || !yanit->tamam)
        throw DiskOkumaHatasi(istekBasarisiz);

    // The standard data is 36 bytes; a peripheral qualifier other than 0
    // means no device answers at this address.
    if (yanit->gelen < 36 || (veri[0] >> 5) != 0)
        throw DiskOkumaHatasi(sorgulamaBasarisiz);

    YolSonucu sonuc;
    const auto *baytlar = reinterpret_cast<const char *>(veri.data());
    metinYaz(sonuc.tampon, modelKelimesi, modelUzunlugu, QByteArrayView(baytlar + 8, 24));
    metinYaz(sonuc.tampon, surumKelimesi, surumUzunlugu, QByteArrayView(baytlar + 32, 4));
    sonuc.satici = kenarlariKirp(QString::fromLatin1(baytlar + 8, 8));
    return sonuc;
}

// The first attribute of the disk's device that exists.
QByteArray aygitOzniteligi(const FizikselDisk &disk, std::initializer_list<const char *> adlar)
{
    for (const char *ad : adlar) {
        if (std::optional<QByteArray> deger =
                metinOzniteligi(disk.klasor + u"/device/"_s + QLatin1StringView(ad)))
            return *deger;
    }
    return {};
}

// What the kernel shows of the disk to anyone: model, revision and serial
// number from its attributes, the geometry from its size.
YolSonucu sifirYetkiYolu(const SistemOrtami &ortam, const FizikselDisk *disk, TDrive surucu)
{
    if (!disk)
        throw DiskOkumaHatasi(aygitAcilamadi);
    if (!QFileInfo(disk->klasor).isDir())
        throw DiskOkumaHatasi(yetkisizBasarisiz);

    YolSonucu sonuc;
    QByteArray model = aygitOzniteligi(*disk, {"model", "name"});
    model.removeIf([](char c) { return uchar(c) < 32; });
    metinYaz(sonuc.tampon, modelKelimesi, modelUzunlugu, model);
    metinYaz(sonuc.tampon, surumKelimesi, surumUzunlugu,
             aygitOzniteligi(*disk, {"rev", "firmware_rev", "fwrev"}));

    QByteArray seri;
    if (std::optional<QByteArray> sayfa = oznitelikOku(disk->klasor + u"/device/vpd_pg80"_s))
        seri = vpdSeriMetni(*sayfa);
    if (seri.isEmpty())
        seri = seriOzniteligi(ortam, *disk).value_or(QByteArray());
    if (const qsizetype nul = seri.indexOf('\0'); nul >= 0)
        seri.truncate(nul);
    seri.truncate(128);
    const std::array<quint8, 20> seriBaytlari = seriMetniniCoz(seri);
    std::copy(seriBaytlari.begin(), seriBaytlari.end(), sonuc.tampon.begin() + 2 * seriKelimesi);

    if (surucu <= dSecondarySlave) {
        // The kernel counts the size in 512-byte units whatever the sector
        // size; the geometry is the usual one of 255 heads and 63 sectors.
        bool ok = false;
        const quint64 birim =
            metinOzniteligi(disk->klasor + u"/size"_s).value_or(QByteArray()).toULongLong(&ok);
        if (ok) {
            quint64 bps = metinOzniteligi(disk->klasor + u"/queue/logical_block_size"_s)
                              .value_or(QByteArray())
                              .toULongLong();
            if (bps == 0 || bps > 0xFFFF)
                bps = 512;
            const quint64 sektorler = birim * 512 / bps;
            const quint64 silindirler = sektorler / (255 * 63);
            kelimeYaz(sonuc.tampon, 1, quint16(std::min<quint64>(silindirler, 0xFFFF)));
            kelimeYaz(sonuc.tampon, 3, 255);
            kelimeYaz(sonuc.tampon, 5, quint16(bps));
            kelimeYaz(sonuc.tampon, 6, 63);
            const auto lba = quint32(std::min<quint64>(sektorler, 0xFFFFFFFF));
            kelimeYaz(sonuc.tampon, 60, quint16(lba & 0xFFFF));
            kelimeYaz(sonuc.tampon, 61, quint16(lba >> 16));
        } else if (model.isEmpty()) {
            throw DiskOkumaHatasi(yetkisizBasarisiz);
        }
    }
    return sonuc;
}

TDriveType diskTuru(const FizikselDisk &disk)
{
    // The SCSI peripheral device type, where the disk has one. Removable
    // media never reach the reader: they are not physical disks here.
    const QByteArray tur = aygitOzniteligi(disk, {"type"});
    if (tur == "5")
        return dtCDROM;
    if (tur == "1")
        return dtTape;
    if (tur == "7")
        return dtOptical;
    if (tur == "12")
        return dtArray;
    return dtFixed;
}

struct ScsiAdresi
{
    QString metin; // host:channel:target:lun
    int port = -1;
    int kanal = -1;
    int hedef = -1;
    int kanalSayisi = 0; // of the host
    int aygitSayisi = 0; // of the host
};

ScsiAdresi scsiAdresi(const SistemOrtami &ortam, const FizikselDisk &disk)
{
    static const QRegularExpression bicim(u"^(\\d+):(\\d+):(\\d+):(\\d+)$"_s);
    const QString ad =
        QFileInfo(QFileInfo(disk.klasor + u"/device"_s).canonicalFilePath()).fileName();
    const QRegularExpressionMatch adres = bicim.match(ad);
    if (!adres.hasMatch())
        return {};

    ScsiAdresi a {ad, adres.captured(1).toInt(), adres.captured(2).toInt(),
                  adres.captured(3).toInt()};
    std::set<QString> kanallar;
    const QDir aygitlar(ortam.yol(u"/sys/bus/scsi/devices"_s));
    for (const QString &oburu : aygitlar.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = bicim.match(oburu);
        if (m.hasMatch() && m.captured(1) == adres.captured(1)) {
            kanallar.insert(m.captured(2));
            ++a.aygitSayisi;
        }
    }
    a.kanalSayisi = int(kanallar.size());
    return a;
}

} // namespace

QString kenarlariKirp(QStringView metin)
{
    qsizetype bas = 0;
    qsizetype son = metin.size();
    while (bas < son && metin[bas].unicode() <= u' ')
        ++bas;
    while (son > bas && metin[son - 1].unicode() <= u' ')
        --son;
    return metin.sliced(bas, son - bas).toString();
}

TanitimBilgisi tanitimTamponunuOku(const TanitimTamponu &t)
{
    TanitimBilgisi b;
    b.Serial = metin(t, seriKelimesi, seriUzunlugu);
    b.Revision = metin(t, surumKelimesi, surumUzunlugu);
    b.Model = metin(t, modelKelimesi, modelUzunlugu);
    b.CylsTotal = kelime(t, 1);
    b.HeadTotal = kelime(t, 3);
    b.BPT = kelime(t, 4);
    b.BPS = kelime(t, 5);
    b.SPT = kelime(t, 6);
    b.BufSize = quint32(kelime(t, 21)) * 512;
    b.ECC = kelime(t, 22);
    b.LBASectors = quint32(kelime(t, 60)) | quint32(kelime(t, 61)) << 16;
    b.Size = b.LBASectors < lbaSiniri ? quint64(b.CylsTotal) * b.HeadTotal * b.SPT * 512
                                      : quint64(b.LBASectors) * 512;
    return b;
}

void tanitimMetinleriniCevir(TanitimTamponu &tampon)
{
    for (int no = 0; no <= metinSonKelime; ++no) {
        if (metinKelimesi(no))
            std::swap(tampon[2 * no], tampon[2 * no + 1]);
    }
}

std::array<quint8, 20> seriMetniniCoz(QByteArrayView metin)
{
    std::array<quint8, 20> seri {};
    const bool onaltilikMetin =
        std::all_of(metin.begin(), metin.end(), [](char c) { return onaltilik(c) >= 0; });
    if (!onaltilikMetin) {
        std::copy_n(metin.begin(), std::min<qsizetype>(metin.size(), seri.size()), seri.begin());
        return seri;
    }
    for (qsizetype i = 0; i < metin.size() && i / 2 < qsizetype(seri.size()); i += 2) {
        const int yuksek = onaltilik(metin[i]);
        seri[i / 2] =
            i + 1 < metin.size() ? quint8(yuksek << 4 | onaltilik(metin[i + 1])) : quint8(yuksek);
    }
    for (size_t i = 0; i < seri.size(); i += 2)
        std::swap(seri[i], seri[i + 1]);
    return seri;
}

QByteArray vpdSeriMetni(QByteArrayView sayfa)
{
    // Peripheral byte, page code, page length (big-endian), then the text.
    if (sayfa.size() < 4 || quint8(sayfa[1]) != 0x80)
        return {};
    const qsizetype uzunluk = quint8(sayfa[2]) << 8 | quint8(sayfa[3]);
    QByteArrayView seri = sayfa.sliced(4, std::min(uzunluk, sayfa.size() - 4));
    if (const qsizetype nul = seri.indexOf('\0'); nul >= 0)
        seri = seri.first(nul);
    return seri.first(std::min<qsizetype>(seri.size(), 128)).toByteArray();
}

THDDInfo::THDDInfo(QObject *AOwner)
    : THDDInfo(SistemOrtami {}, AOwner)
{
}

THDDInfo::THDDInfo(SistemOrtami ortami, QObject *AOwner)
    : QObject(AOwner)
    , ortam(std::move(ortami))
{
}

THDDInfo::~THDDInfo() = default;

void THDDInfo::setDrive(TDrive deger)
{
    FDrive = deger;
    FDeviceName = u"PhysicalDrive%1"_s.arg(int(deger));
    GetInfo();
}

void THDDInfo::setDeviceName(const QString &deger)
{
    FDeviceName = deger;
    GetInfo();
}

void THDDInfo::GetInfo()
{
    const QList<FizikselDisk> diskler = fizikselDiskler(ortam);
    const FizikselDisk *disk = FDrive < diskler.size() ? &diskler[FDrive] : nullptr;

    YolSonucu sonuc;
    switch (FMethod) {
    case gimAuto:
        try {
            sonuc = ntYolu(ortam, disk);
        } catch (const DiskOkumaHatasi &) {
            try {
                sonuc = scsiYolu(ortam, disk);
            } catch (const DiskOkumaHatasi &) {
                sonuc = sifirYetkiYolu(ortam, disk, FDrive);
            }
        }
        break;
    case gimNT:
        sonuc = ntYolu(ortam, disk);
        break;
    case gimScsi:
        sonuc = scsiYolu(ortam, disk);
        break;
    case gimZeroRights:
        sonuc = sifirYetkiYolu(ortam, disk, FDrive);
        break;
    case gim9x:
    case gimByName:
    case gimASPI:
    case gimWMI:
        throw DiskOkumaHatasi(yolYok);
    }

    // A route that answered found the disk, so disk is set from here on.
    FBilgi = tanitimTamponunuOku(sonuc.tampon);
    FisIDE = sonuc.ata;
    FHDDType = diskTuru(*disk);
    FVendor = sonuc.satici.isEmpty()
        ? kenarlariKirp(QString::fromLatin1(aygitOzniteligi(*disk, {"vendor"})))
        : sonuc.satici;
    const ScsiAdresi scsi = scsiAdresi(ortam, *disk);
    FScsiInfo = scsi.metin;
    FScsiPort = scsi.port;
    FScsiBus = scsi.kanal;
    FScsiDevice = scsi.hedef;
    FScsiBusCount = scsi.kanalSayisi;
    FScsiDevCount = scsi.aygitSayisi;
}
