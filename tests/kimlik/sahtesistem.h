#pragma once

#include <optional>

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include "remote/kimlik/hddinfo.h"
#include "remote/kimlik/sistemortami.h"

// A recorded computer for the identifier's sources: a folder laid out like
// sysfs and udev's records (real links between the device tree and its class
// folders), and disks that answer device requests with recorded replies.

// How one disk answers device requests. Unset replies are refused the way
// the kernel refuses a request the device does not support.
struct SahteDiskCevaplari
{
    std::optional<TanitimTamponu> hdio; // HDIO_GET_IDENTITY: texts in reading order
    std::optional<TanitimTamponu> ataHam; // ATA pass-through: as the drive sends it
    bool ataHatasi = false; // pass-through ends in CHECK CONDITION
    std::optional<QByteArray> sorgu; // SCSI INQUIRY
};

class SahteSistem
{
public:
    SahteSistem();

    QString kok() const { return klasor.path(); }

    // A file under the root, folders made as needed.
    void dosya(const QString &yol, const QByteArray &icerik);

    // A whole disk whose device folder is /sys/devices/<aygitYolu>, listed
    // under /sys/block; attributes are paths relative to its folder
    // ("serial", "device/model").
    void diskEkle(const QString &aygitYolu, const QMap<QString, QByteArray> &oznitelikler = {});

    // A network adapter whose device folder is /sys/devices/<aygitYolu>,
    // listed under /sys/class/net.
    void adaptorEkle(const QString &aygitYolu, int sira, const QByteArray &adres);

    // The disk named ad answers requests so (its node is /dev/<ad>).
    void cevaplar(const QString &ad, const SahteDiskCevaplari &c) { diskCevaplari[ad] = c; }

    // The first n opens fail, as on a device that is busy for a moment.
    void ilkAcmalariReddet(int n) { reddedilecek = n; }
    int acmaSayisi() const { return acilan; }

    // The environment: this folder and an opener of the disks above. An
    // opener of a disk without replies fails, as without rights.
    SistemOrtami ortam();

private:
    void bag(const QString &bag, const QString &hedef);

    QTemporaryDir klasor;
    QMap<QString, SahteDiskCevaplari> diskCevaplari;
    int reddedilecek = 0;
    int acilan = 0;
};

// This computer as the tests know it: a virtio disk with a serial number
// attribute and no udev record, a loopback, a zram and loop device, an
// Ethernet adapter and two ifb adapters with made-up addresses.
void buBilgisayar(SahteSistem &sistem);

// 512 bytes of identify data with the texts in reading order.
TanitimTamponu tanitim(const QByteArray &seri, const QByteArray &surum, const QByteArray &model);

// The same texts with every pair of characters swapped, as a drive sends them.
TanitimTamponu hamTanitim(const QByteArray &seri, const QByteArray &surum, const QByteArray &model);
