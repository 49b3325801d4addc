#include "remote/kimlik/bilgisayarid.h"

#include <algorithm>

#include "remote/kurulum.h"

using namespace Qt::StringLiterals;

namespace {

// The network source asks at most this many adapters.
constexpr qsizetype enCokAdaptor = 3;

const QString sifirAdres = u"00-00-00-00-00-00"_s;

// The disk reader's serial number: a reader that asks drive 0 after being
// pointed at the named device. A serial shorter than four characters is no
// serial.
QString okuyucuSerisi(KimlikKaynaklari &kaynaklar, const QString &aygitAdi, bool birKezDaha)
{
    try {
        const std::unique_ptr<THDDInfo> okuyucu = kaynaklar.yeniOkuyucu();
        okuyucu->setDeviceName(aygitAdi);
        okuyucu->setDrive(dPrimaryMaster);
        if (birKezDaha)
            okuyucu->GetInfo();
        const QString seri = buyukHarfe(kenarlariKirp(okuyucu->Serial()));
        return seri.size() < 4 ? QString() : seri;
    } catch (const std::exception &) {
        return {};
    }
}

// The first adapter's address; the next adapter is asked only while the
// address so far is all zeros. An adapter that gives no answer leaves the
// text as it was, so a silent first adapter ends the search empty-handed.
QString agAdresi(KimlikKaynaklari &kaynaklar)
{
    try {
        const QStringList adaptorler = kaynaklar.agAdaptorleri();
        QString metin;
        for (qsizetype i = 0; i < std::min(adaptorler.size(), enCokAdaptor); ++i) {
            const std::optional<QByteArray> adres = kaynaklar.donanimAdresi(adaptorler[i]);
            if (adres && adres->size() >= 6)
                metin = adresMetni(adres->first(6));
            if (metin != sifirAdres)
                break;
        }
        return kenarlariKirp(metin);
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace

SistemKimlikKaynaklari::SistemKimlikKaynaklari(SistemOrtami ortami)
    : ortam(std::move(ortami))
{
}

QStringList SistemKimlikKaynaklari::diskSeriNumaralari()
{
    const QList<FizikselDisk> diskler = fizikselDiskler(ortam);
    if (diskler.isEmpty())
        return {};
    const FizikselDisk &ilk = diskler.first();
    if (const std::optional<QByteArray> seri = udevOzelligi(ortam, ilk, "ID_SERIAL_SHORT"))
        return {QString::fromUtf8(*seri)};
    // Without udev's record, the attribute its rules read.
    if (const std::optional<QByteArray> seri = seriOzniteligi(ortam, ilk))
        return {QString::fromLatin1(*seri)};
    throw KaynakHatasi("the first disk reports no serial number");
}

std::unique_ptr<THDDInfo> SistemKimlikKaynaklari::yeniOkuyucu()
{
    return std::make_unique<THDDInfo>(ortam);
}

QStringList SistemKimlikKaynaklari::agAdaptorleri()
{
    return ::agAdaptorleri(ortam);
}

std::optional<QByteArray> SistemKimlikKaynaklari::donanimAdresi(const QString &adaptor)
{
    return ::donanimAdresi(ortam, adaptor);
}

BilgisayarKimligi bilgisayarKimligi(KimlikKaynaklari &kaynaklar,
                                    const KimlikTakmaAdlari &takmaAdlar)
{
    BilgisayarKimligi sonuc;
    try {
        const QStringList seriler = kaynaklar.diskSeriNumaralari();
        if (!seriler.isEmpty())
            sonuc.metin = kenarlariKirp(buyukHarfe(seriler.last()));
    } catch (const std::exception &) {
        sonuc.metin.clear();
    }
    if (!sonuc.metin.isEmpty())
        sonuc.kaynak = KimlikKaynagi::DiskSeriNumarasi;

    if (sonuc.metin.isEmpty()) {
        sonuc.metin = okuyucuSerisi(kaynaklar, u"PhysicalDrive0"_s, false);
        if (!sonuc.metin.isEmpty())
            sonuc.kaynak = KimlikKaynagi::OkuyucuIlkDeneme;
    }
    if (sonuc.metin.isEmpty()) {
        // Pointed at the second drive by name, the reader still asks drive 0.
        sonuc.metin = okuyucuSerisi(kaynaklar, u"PhysicalDrive1"_s, true);
        if (!sonuc.metin.isEmpty())
            sonuc.kaynak = KimlikKaynagi::OkuyucuIkinciDeneme;
    }
    if (sonuc.metin.isEmpty()) {
        sonuc.metin = agAdresi(kaynaklar);
        if (!sonuc.metin.isEmpty())
            sonuc.kaynak = KimlikKaynagi::AgAdaptoru;
    }

    sonuc.metin.remove(u' ');
    // An installation that leaves the aliases empty must not turn "no
    // identifier" into the fixed one.
    if (!sonuc.metin.isEmpty() &&
        (sonuc.metin == takmaAdlar.seri1 || sonuc.metin == takmaAdlar.seri2))
        sonuc.metin = takmaAdlar.kimlik;
    return sonuc;
}

QString BilgisayarIdAl(KimlikKaynaklari &kaynaklar, const KimlikTakmaAdlari &takmaAdlar)
{
    return bilgisayarKimligi(kaynaklar, takmaAdlar).metin;
}

QString BilgisayarIdAl()
{
    SistemKimlikKaynaklari kaynaklar;
    return BilgisayarIdAl(kaynaklar, kurulumTakmaAdlari());
}

KimlikTakmaAdlari kurulumTakmaAdlari()
{
    const KurulumDegerleri kurulum = Kurulum();
    return {kurulum.takmaSeri1, kurulum.takmaSeri2, kurulum.sabitKimlik};
}

QString buyukHarfe(QString metin)
{
    for (QChar &c : metin) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return metin;
}

QString adresMetni(const QByteArray &adres)
{
    return QString::fromLatin1(adres.toHex('-').toUpper());
}
