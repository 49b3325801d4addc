#pragma once

#include <array>
#include <stdexcept>

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringView>

#include "remote/kimlik/sistemortami.h"

// The disk-information reader: asks a physical disk for its serial number,
// model, revision and geometry.

enum TGetInfoMethod
{
    gimAuto,
    gimNT,
    gimScsi,
    gim9x,
    gimByName,
    gimASPI,
    gimZeroRights,
    gimWMI
};

enum TDrive
{
    dPrimaryMaster,
    dPrimarySlave,
    dSecondaryMaster,
    dSecondarySlave,
    dTertiaryMaster,
    dTertiarySlave,
    dQuaternaryMaster,
    dQuaternarySlave
};

enum TDriveType
{
    dtFixed,
    dtRemovable,
    dtCDROM,
    dtUnknown,
    dtTape,
    dtOptical,
    dtArray
};

// A route that could not read the drive; what() is the reader's own text
// ("Can't create device handle!", ...).
class DiskOkumaHatasi : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The drive's ATA IDENTIFY DEVICE data: 256 little-endian words, the texts in
// reading order.
using TanitimTamponu = std::array<quint8, 512>;

// What the reader takes from an identify buffer.
struct TanitimBilgisi
{
    QString Serial; // bytes 20-39
    QString Revision; // bytes 46-53
    QString Model; // bytes 54-93
    quint16 CylsTotal = 0;
    quint16 HeadTotal = 0;
    quint16 BPT = 0;
    quint16 BPS = 0;
    quint16 SPT = 0;
    quint16 ECC = 0;
    quint32 BufSize = 0;
    quint32 LBASectors = 0;
    quint64 Size = 0;
};

// Removes leading and trailing characters up to and including the space
// (control characters and NULs with it), as the identifier's rules trim.
QString kenarlariKirp(QStringView metin);

TanitimBilgisi tanitimTamponunuOku(const TanitimTamponu &tampon);

// Exchanges the two bytes of every word of the serial number (words 10-19)
// and of the revision and model (words 23-46): a drive sends these texts with
// each pair of characters swapped.
void tanitimMetinleriniCevir(TanitimTamponu &tampon);

// The serial number text a disk reports without rights, into the 20 serial
// bytes: a text of hexadecimal digits only (or an empty one) is read two
// digits per byte, at most 20 bytes, and then the bytes of every pair are
// exchanged; any other text is copied as it is, at most 20 characters. A last
// lone digit is the value of its own byte.
std::array<quint8, 20> seriMetniniCoz(QByteArrayView metin);

// The serial number text of a SCSI Unit Serial Number page (VPD 0x80): up to
// 128 characters, up to the first NUL; empty when the page is not one.
QByteArray vpdSeriMetni(QByteArrayView sayfa);

class THDDInfo final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THDDInfo)

public:
    // A reader of this computer's disks.
    explicit THDDInfo(QObject *AOwner = nullptr);
    // A reader of the disks the environment shows.
    explicit THDDInfo(SistemOrtami ortam, QObject *AOwner = nullptr);
    ~THDDInfo() override;

    TGetInfoMethod Method() const { return FMethod; }
    void setMethod(TGetInfoMethod deger) { FMethod = deger; }
    TDrive Drive() const { return FDrive; }
    // Stores the drive, names it "PhysicalDrive<n>" and runs GetInfo.
    void setDrive(TDrive deger);
    QString DeviceName() const { return FDeviceName; }
    // Stores the name and runs GetInfo. The routes here ask the drive chosen
    // by Drive; the name is kept for callers that show it.
    void setDeviceName(const QString &deger);
    // The addressing mode of the ASPI route, which Linux has no use for.
    bool CanonicalScsiAddressing() const { return FCanonicalScsiAddressing; }
    void setCanonicalScsiAddressing(bool deger) { FCanonicalScsiAddressing = deger; }
    bool isNT() const { return true; }

    QString Serial() const { return FBilgi.Serial; }
    QString Model() const { return FBilgi.Model; }
    QString Revision() const { return FBilgi.Revision; }
    TDriveType HDDType() const { return FHDDType; }
    quint16 CylsTotal() const { return FBilgi.CylsTotal; }
    quint16 HeadTotal() const { return FBilgi.HeadTotal; }
    quint16 BPT() const { return FBilgi.BPT; }
    quint16 BPS() const { return FBilgi.BPS; }
    quint16 SPT() const { return FBilgi.SPT; }
    quint16 ECC() const { return FBilgi.ECC; }
    quint32 BufSize() const { return FBilgi.BufSize; }
    quint32 LBASectors() const { return FBilgi.LBASectors; }
    quint64 Size() const { return FBilgi.Size; }
    bool isIDE() const { return FisIDE; }
    QString Vendor() const { return FVendor; }
    QString ScsiInfo() const { return FScsiInfo; }
    int ScsiPort() const { return FScsiPort; }
    int ScsiBus() const { return FScsiBus; }
    int ScsiDevice() const { return FScsiDevice; }
    int ScsiBusCount() const { return FScsiBusCount; }
    int ScsiDevCount() const { return FScsiDevCount; }

    // Fills the properties from the drive chosen by Drive with the route
    // chosen by Method. Throws DiskOkumaHatasi when the route fails; the
    // properties then keep what they held.
    //
    // gimAuto asks the drive for its identify data (gimNT), failing that for
    // its SCSI inquiry data (gimScsi), failing that reads what the kernel
    // shows of it without rights (gimZeroRights). The routes of other
    // systems (gim9x, gimASPI) and gimByName and gimWMI are not provided.
    void GetInfo();

private:
    SistemOrtami ortam;
    TGetInfoMethod FMethod = gimAuto;
    TDrive FDrive = dPrimaryMaster;
    QString FDeviceName;
    bool FCanonicalScsiAddressing = false;

    TanitimBilgisi FBilgi;
    TDriveType FHDDType = dtUnknown;
    bool FisIDE = false;
    QString FVendor;
    QString FScsiInfo;
    int FScsiPort = -1;
    int FScsiBus = -1;
    int FScsiDevice = -1;
    int FScsiBusCount = 0;
    int FScsiDevCount = 0;
};
