// Feeds arbitrary bytes to every decoder of what disks and the kernel report
// for the computer identifier, and checks what each promises of its result.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArrayView>
#include <QString>

#include "remote/kimlik/bilgisayarid.h"
#include "remote/kimlik/hddinfo.h"
#include "remote/kimlik/sistemortami.h"

namespace {

void sart(bool kosul)
{
    if (!kosul)
        std::abort();
}

bool kirpilmis(const QString &metin)
{
    return metin.isEmpty() || (metin.front().unicode() > u' ' && metin.back().unicode() > u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    const QByteArrayView girdi(reinterpret_cast<const char *>(veri), qsizetype(boyut));

    TanitimTamponu tampon {};
    std::copy_n(veri, std::min(boyut, tampon.size()), tampon.begin());
    tanitimMetinleriniCevir(tampon);
    const TanitimBilgisi bilgi = tanitimTamponunuOku(tampon);
    sart(bilgi.Serial.size() <= 20 && bilgi.Revision.size() <= 8 && bilgi.Model.size() <= 40);
    sart(kirpilmis(bilgi.Serial) && kirpilmis(bilgi.Revision) && kirpilmis(bilgi.Model));
    sart(bilgi.LBASectors < 0xFC0000
             ? bilgi.Size == quint64(bilgi.CylsTotal) * bilgi.HeadTotal * bilgi.SPT * 512
             : bilgi.Size == quint64(bilgi.LBASectors) * 512);

    const std::array<quint8, 20> seri = seriMetniniCoz(girdi);
    const bool onaltilik = std::all_of(girdi.begin(), girdi.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
    if (!onaltilik)
        sart(std::equal(seri.begin(), seri.begin() + std::min<qsizetype>(girdi.size(), 20),
                        girdi.begin(), [](quint8 bayt, char c) { return bayt == quint8(c); }));

    sart(vpdSeriMetni(girdi).size() <= 128);
    sart(!udevKaydindakiOzellik(girdi, "ID_SERIAL_SHORT").contains('\n'));
    if (const std::optional<QByteArray> adres = donanimAdresiniCoz(girdi))
        sart(adres->size() * 3 - 1 == girdi.size());

    // The identifier's text rules on the same bytes.
    const QString metin = kenarlariKirp(buyukHarfe(QString::fromLatin1(girdi)));
    sart(kirpilmis(metin));
    sart(std::none_of(metin.begin(), metin.end(), [](QChar c) { return c >= u'a' && c <= u'z'; }));
    return 0;
}
