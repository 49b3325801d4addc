#include "sahtesistem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/hdreg.h>
#include <scsi/sg.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class SahteDisk final : public DiskAygiti
{
public:
    explicit SahteDisk(SahteDiskCevaplari c)
        : cevap(std::move(c))
    {
    }

    int istek(unsigned long kod, void *veri) override
    {
        if (kod == HDIO_GET_IDENTITY) {
            if (!cevap.hdio)
                return ENOTTY;
            std::memcpy(veri, cevap.hdio->data(), cevap.hdio->size());
            return 0;
        }
        if (kod != SG_IO)
            return ENOTTY;

        auto *baslik = static_cast<sg_io_hdr_t *>(veri);
        const quint8 komut = baslik->cmdp[0];
        if (komut == 0x85 && cevap.ataHatasi) {
            baslik->status = 0x02;
            return 0;
        }
        QByteArray yanit;
        if (komut == 0x85 && cevap.ataHam)
            yanit = QByteArray(reinterpret_cast<const char *>(cevap.ataHam->data()), 512);
        else if (komut == 0x12 && cevap.sorgu)
            yanit = *cevap.sorgu;
        else
            return ENOTTY;
        const int boyut = std::min(int(baslik->dxfer_len), int(yanit.size()));
        std::memcpy(baslik->dxferp, yanit.constData(), boyut);
        baslik->resid = int(baslik->dxfer_len) - boyut;
        baslik->status = 0;
        baslik->host_status = 0;
        baslik->driver_status = 0;
        return 0;
    }

private:
    SahteDiskCevaplari cevap;
};

void metinYaz(TanitimTamponu &t, int bayt, int uzunluk, const QByteArray &metin)
{
    QByteArray dolu = metin.leftJustified(uzunluk, ' ', true);
    std::copy(dolu.begin(), dolu.end(), t.begin() + bayt);
}

} // namespace

SahteSistem::SahteSistem()
{
    QVERIFY(klasor.isValid());
    QDir(kok()).mkpath(u"sys/devices/virtual"_s);
    QDir(kok()).mkpath(u"sys/block"_s);
    QDir(kok()).mkpath(u"sys/class/net"_s);
}

void SahteSistem::dosya(const QString &yol, const QByteArray &icerik)
{
    const QString tam = kok() + u'/' + yol;
    QVERIFY(QDir().mkpath(QFileInfo(tam).path()));
    QFile f(tam);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(icerik);
}

void SahteSistem::bag(const QString &bag, const QString &hedef)
{
    const QString tam = kok() + u'/' + bag;
    const QString goreli = QFileInfo(tam).dir().relativeFilePath(kok() + u'/' + hedef);
    QVERIFY(QFile::link(goreli, tam));
}

void SahteSistem::diskEkle(const QString &aygitYolu, const QMap<QString, QByteArray> &oznitelikler)
{
    const QString klasorYolu = u"sys/devices/"_s + aygitYolu;
    QVERIFY(QDir(kok()).mkpath(klasorYolu));

    // "device" leads to the device the disk belongs to: the SCSI device or
    // virtio device above the block folder, the NVMe controller above a
    // namespace. A SCSI device is listed on its bus too.
    QString aygit = QFileInfo(klasorYolu).path();
    if (QFileInfo(aygit).fileName() == u"block"_s)
        aygit = QFileInfo(aygit).path();
    if (!aygit.endsWith(u"/virtual"_s)) {
        bag(klasorYolu + u"/device"_s, aygit);
        static const QRegularExpression scsiAdresi(u"^\\d+:\\d+:\\d+:\\d+$"_s);
        const QString ad = QFileInfo(aygit).fileName();
        if (scsiAdresi.match(ad).hasMatch()) {
            QVERIFY(QDir(kok()).mkpath(u"sys/bus/scsi/devices"_s));
            bag(u"sys/bus/scsi/devices/"_s + ad, aygit);
        }
    }

    for (auto i = oznitelikler.cbegin(); i != oznitelikler.cend(); ++i)
        dosya(klasorYolu + u'/' + i.key(), i.value());
    bag(u"sys/block/"_s + QFileInfo(aygitYolu).fileName(), klasorYolu);
}

void SahteSistem::adaptorEkle(const QString &aygitYolu, int sira, const QByteArray &adres)
{
    const QString klasorYolu = u"sys/devices/"_s + aygitYolu;
    dosya(klasorYolu + u"/ifindex"_s, QByteArray::number(sira) + '\n');
    dosya(klasorYolu + u"/address"_s, adres + '\n');
    dosya(klasorYolu + u"/addr_len"_s, QByteArray::number((adres.size() + 1) / 3) + '\n');
    bag(u"sys/class/net/"_s + QFileInfo(aygitYolu).fileName(), klasorYolu);
}

SistemOrtami SahteSistem::ortam()
{
    SistemOrtami o;
    o.kok = kok();
    o.aygitAc = [this](const QString &yol) -> std::unique_ptr<DiskAygiti> {
        ++acilan;
        if (reddedilecek > 0) {
            --reddedilecek;
            return nullptr;
        }
        if (QFileInfo(yol).path() != kok() + u"/dev"_s)
            return nullptr;
        const auto c = diskCevaplari.constFind(QFileInfo(yol).fileName());
        if (c == diskCevaplari.cend())
            return nullptr;
        return std::make_unique<SahteDisk>(*c);
    };
    return o;
}

void buBilgisayar(SahteSistem &sistem)
{
    sistem.diskEkle(u"pci0000:00/0000:00:02.0/virtio1/block/vda"_s,
                    {{u"dev"_s, "254:0\n"},
                     {u"removable"_s, "0\n"},
                     {u"serial"_s, "12566314116920082\n"},
                     {u"size"_s, "536870912\n"},
                     {u"queue/logical_block_size"_s, "512\n"},
                     {u"device/vendor"_s, "0x1af4\n"}});
    for (const QString &sanal : {u"loop0"_s, u"zram0"_s})
        sistem.diskEkle(u"virtual/block/"_s + sanal, {{u"removable"_s, "0\n"}});
    sistem.adaptorEkle(u"virtual/net/lo"_s, 1, "00:00:00:00:00:00");
    sistem.adaptorEkle(u"pci0000:00/0000:00:03.0/virtio2/net/eth0"_s, 2, "02:fc:00:00:00:01");
    sistem.adaptorEkle(u"virtual/net/ifb0"_s, 3, "82:37:13:a4:53:d7");
    sistem.adaptorEkle(u"virtual/net/ifb1"_s, 4, "4e:9a:32:a1:54:c6");
}

TanitimTamponu tanitim(const QByteArray &seri, const QByteArray &surum, const QByteArray &model)
{
    TanitimTamponu t {};
    metinYaz(t, 20, 20, seri);
    metinYaz(t, 46, 8, surum);
    metinYaz(t, 54, 40, model);
    return t;
}

TanitimTamponu hamTanitim(const QByteArray &seri, const QByteArray &surum, const QByteArray &model)
{
    TanitimTamponu t = tanitim(seri, surum, model);
    for (int bayt = 20; bayt < 94; bayt += 2) {
        if (bayt < 40 || bayt >= 46)
            std::swap(t[bayt], t[bayt + 1]);
    }
    return t;
}
