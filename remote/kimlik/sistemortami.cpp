#include "remote/kimlik/sistemortami.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/ioctl.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

class AcikDisk final : public DiskAygiti
{
public:
    explicit AcikDisk(int tanitici)
        : fd(tanitici)
    {
    }
    ~AcikDisk() override { ::close(fd); }
    AcikDisk(const AcikDisk &) = delete;
    AcikDisk &operator=(const AcikDisk &) = delete;

    int istek(unsigned long kod, void *veri) override
    {
        return ::ioctl(fd, kod, veri) == -1 ? errno : 0;
    }

private:
    int fd;
};

// Attributes are small; a recorded tree could hold anything.
constexpr qint64 enBuyukOznitelik = 64 * 1024;

// The canonical folder of /sys/devices under the root, with a closing slash.
QString aygitAgaci(const SistemOrtami &ortam)
{
    const QString sys = QFileInfo(ortam.yol(u"/sys"_s)).canonicalFilePath();
    return sys.isEmpty() ? QString() : sys + u"/devices/"_s;
}

bool sanal(const QString &klasor, const QString &agac)
{
    return !klasor.startsWith(agac) || klasor.startsWith(agac + u"virtual/"_s);
}

} // namespace

QString SistemOrtami::yol(const QString &mutlak) const
{
    return QDir::cleanPath(kok + u'/' + mutlak);
}

std::unique_ptr<DiskAygiti> aygitiAc(const QString &yol)
{
    const int fd = ::open(QFile::encodeName(yol).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<AcikDisk>(fd);
}

QList<FizikselDisk> fizikselDiskler(const SistemOrtami &ortam)
{
    const QString agac = aygitAgaci(ortam);
    if (agac.isEmpty())
        return {};

    struct Aday
    {
        FizikselDisk disk;
        bool usbArkasinda;
        QStringList yol; // compared part by part, as udev orders devices
    };
    std::vector<Aday> adaylar;
    const QDir blok(ortam.yol(u"/sys/block"_s));
    for (const QString &ad : blok.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString klasor = QFileInfo(blok.filePath(ad)).canonicalFilePath();
        if (klasor.isEmpty() || sanal(klasor, agac))
            continue;
        if (metinOzniteligi(klasor + u"/removable"_s) == "1")
            continue;
        QStringList parcalar = klasor.mid(agac.size()).split(u'/');
        const bool usb = std::any_of(parcalar.cbegin(), parcalar.cend(),
                                     [](const QString &p) { return p.startsWith(u"usb"_s); });
        adaylar.push_back({{ad, klasor}, usb, std::move(parcalar)});
    }
    std::sort(adaylar.begin(), adaylar.end(), [](const Aday &a, const Aday &b) {
        return std::tie(a.usbArkasinda, a.yol) < std::tie(b.usbArkasinda, b.yol);
    });

    QList<FizikselDisk> diskler;
    for (Aday &a : adaylar)
        diskler.append(std::move(a.disk));
    return diskler;
}

QString aygitDugumu(const SistemOrtami &ortam, const FizikselDisk &disk)
{
    return ortam.yol(u"/dev/"_s + disk.ad);
}

std::optional<QByteArray> oznitelikOku(const QString &dosya)
{
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray veri = f.read(enBuyukOznitelik);
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return veri;
}

std::optional<QByteArray> metinOzniteligi(const QString &dosya)
{
    std::optional<QByteArray> veri = oznitelikOku(dosya);
    if (veri && veri->endsWith('\n'))
        veri->chop(1);
    return veri;
}

QByteArray udevKaydindakiOzellik(QByteArrayView kayit, QByteArrayView ad)
{
    // Lines of a record: "E:ID_SERIAL_SHORT=S4EWNX0N123456", "S:disk/by-id/...", ...
    while (!kayit.isEmpty()) {
        const qsizetype son = kayit.indexOf('\n');
        const QByteArrayView satir = son < 0 ? kayit : kayit.first(son);
        kayit = son < 0 ? QByteArrayView() : kayit.sliced(son + 1);
        if (satir.size() > ad.size() + 2 && satir.startsWith("E:") &&
            satir.sliced(2).startsWith(ad) && satir[ad.size() + 2] == '=')
            return satir.sliced(ad.size() + 3).toByteArray();
    }
    return {};
}

std::optional<QByteArray> udevOzelligi(const SistemOrtami &ortam, const FizikselDisk &disk,
                                       QByteArrayView ad)
{
    // udev names a block device's record after its numbers: b<major>:<minor>.
    const std::optional<QByteArray> numara = metinOzniteligi(disk.klasor + u"/dev"_s);
    if (!numara)
        return std::nullopt;
    const QList<QByteArray> parcalar = numara->split(':');
    if (parcalar.size() != 2)
        return std::nullopt;
    bool ok1 = false;
    bool ok2 = false;
    const uint anaNumara = parcalar[0].toUInt(&ok1);
    const uint altNumara = parcalar[1].toUInt(&ok2);
    if (!ok1 || !ok2)
        return std::nullopt;

    const std::optional<QByteArray> kayit =
        oznitelikOku(ortam.yol(u"/run/udev/data/b%1:%2"_s.arg(anaNumara).arg(altNumara)));
    if (!kayit)
        return std::nullopt;
    QByteArray deger = udevKaydindakiOzellik(*kayit, ad);
    if (deger.isEmpty())
        return std::nullopt;
    return deger;
}

std::optional<QByteArray> seriOzniteligi(const SistemOrtami &ortam, const FizikselDisk &disk)
{
    const QString agac = aygitAgaci(ortam);
    for (QString klasor = disk.klasor; klasor.startsWith(agac); klasor = QFileInfo(klasor).path()) {
        std::optional<QByteArray> seri = metinOzniteligi(klasor + u"/serial"_s);
        if (seri && !seri->isEmpty())
            return seri;
    }
    return std::nullopt;
}

QStringList agAdaptorleri(const SistemOrtami &ortam)
{
    const QString agac = aygitAgaci(ortam);
    if (agac.isEmpty())
        return {};

    std::vector<std::pair<int, QString>> adaptorler;
    const QDir net(ortam.yol(u"/sys/class/net"_s));
    for (const QString &ad : net.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        // The loopback is a virtual adapter too.
        const QString klasor = QFileInfo(net.filePath(ad)).canonicalFilePath();
        if (klasor.isEmpty() || sanal(klasor, agac))
            continue;
        const std::optional<QByteArray> adres = metinOzniteligi(klasor + u"/address"_s);
        if (!adres || adres->isEmpty() || metinOzniteligi(klasor + u"/addr_len"_s) == "0")
            continue;
        bool ok = false;
        const int sira = metinOzniteligi(klasor + u"/ifindex"_s).value_or(QByteArray()).toInt(&ok);
        adaptorler.emplace_back(ok ? sira : std::numeric_limits<int>::max(), ad);
    }
    std::sort(adaptorler.begin(), adaptorler.end());

    QStringList adlar;
    for (const auto &[sira, ad] : adaptorler)
        adlar.append(ad);
    return adlar;
}

std::optional<QByteArray> donanimAdresi(const SistemOrtami &ortam, const QString &adaptor)
{
    if (adaptor.isEmpty() || adaptor.contains(u'/') || adaptor.startsWith(u'.'))
        return std::nullopt;
    const std::optional<QByteArray> metin =
        metinOzniteligi(ortam.yol(u"/sys/class/net/"_s + adaptor + u"/address"_s));
    if (!metin)
        return std::nullopt;
    return donanimAdresiniCoz(*metin);
}

std::optional<QByteArray> donanimAdresiniCoz(QByteArrayView metin)
{
    // Two hexadecimal digits per byte, joined by ':'.
    if (metin.isEmpty() || (metin.size() + 1) % 3 != 0)
        return std::nullopt;
    for (qsizetype i = 0; i < metin.size(); ++i) {
        const bool ayrac = i % 3 == 2;
        if (ayrac ? metin[i] != ':' : !std::isxdigit(uchar(metin[i])))
            return std::nullopt;
    }
    return QByteArray::fromHex(metin.toByteArray());
}
