#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Where the computer identifier's sources look at this computer: the kernel's
// sysfs tree and udev's device records under a root folder, and the disk
// devices through an opener. The real system is the root "/" and open(2);
// tests give a folder of recorded data and an opener that answers requests
// from recorded replies.

// An open disk device. istek() is ioctl(2) on it: 0 on success, otherwise the
// error number.
class DiskAygiti
{
public:
    virtual ~DiskAygiti() = default;
    virtual int istek(unsigned long kod, void *veri) = 0;
};

// Opens a device node; null when it cannot be opened (no rights, no such
// device, a container without device nodes).
using AygitAcici = std::function<std::unique_ptr<DiskAygiti>(const QString &yol)>;

// The real opener: read-only, without waiting for media.
std::unique_ptr<DiskAygiti> aygitiAc(const QString &yol);

struct SistemOrtami
{
    QString kok = QStringLiteral("/");
    AygitAcici aygitAc = aygitiAc;

    // kok joined with a path written as on the real system ("/sys/block").
    QString yol(const QString &mutlak) const;
};

// A whole disk as the kernel lists it under /sys/block.
struct FizikselDisk
{
    QString ad; // kernel name: sda, nvme0n1, vda
    QString klasor; // its folder in the device tree, links resolved
};

// The physical disks in the kernel's device order: the device path through
// the buses (bus, then address), internal disks before those behind USB.
// Virtual block devices (loop, zram, device mapper, RAID) and removable media
// (optical drives, card readers, sticks) are not physical disks here, so that
// plugging one in never changes which disk comes first.
QList<FizikselDisk> fizikselDiskler(const SistemOrtami &ortam);

// The device node of a disk: /dev/<name> under the root.
QString aygitDugumu(const SistemOrtami &ortam, const FizikselDisk &disk);

// A sysfs attribute as the kernel writes it; nullopt when it is missing or
// unreadable. metinOzniteligi() drops the one line feed the kernel appends.
std::optional<QByteArray> oznitelikOku(const QString &dosya);
std::optional<QByteArray> metinOzniteligi(const QString &dosya);

// A property (E: line) of udev's record of a device; empty when absent.
QByteArray udevKaydindakiOzellik(QByteArrayView kayit, QByteArrayView ad);

// A property of the disk in udev's device record; nullopt when udev keeps no
// record of it (no udev running, as in containers) or the property is absent.
std::optional<QByteArray> udevOzelligi(const SistemOrtami &ortam, const FizikselDisk &disk,
                                       QByteArrayView ad);

// The "serial" attribute of the disk or of its nearest parent device that has
// one (the NVMe controller, the USB device), as udev's rules find it. A
// missing or empty attribute gives nullopt.
std::optional<QByteArray> seriOzniteligi(const SistemOrtami &ortam, const FizikselDisk &disk);

// Network adapters in the kernel's order (interface index), without the
// loopback, virtual adapters (bridges, veth, ifb, tunnels: their addresses are
// made up anew at each start) and adapters without a hardware address.
QStringList agAdaptorleri(const SistemOrtami &ortam);

// The adapter's hardware address bytes; nullopt when it cannot be read.
std::optional<QByteArray> donanimAdresi(const SistemOrtami &ortam, const QString &adaptor);

// "02:fc:00:00:00:01" into its bytes; nullopt when the text is not such an
// address.
std::optional<QByteArray> donanimAdresiniCoz(QByteArrayView metin);
