#pragma once

#include <memory>
#include <optional>
#include <stdexcept>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "remote/kimlik/hddinfo.h"
#include "remote/kimlik/sistemortami.h"

// The computer identifier: the text the server knows an installation by,
// taken from the first physical disk's serial number or, failing that, from a
// network adapter's hardware address. The server matches it letter for
// letter, so every rule below stays as it is, however odd.

// Two disk serial numbers of this edition that stand for one fixed
// identifier.
struct KimlikTakmaAdlari
{
    QString seri1;
    QString seri2;
    QString kimlik;
};

// A source that could not answer; what() says why.
class KaynakHatasi : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The places the identifier comes from, asked in this order.
class KimlikKaynaklari
{
public:
    virtual ~KimlikKaynaklari() = default;

    // The first physical disk's serial number as the device database reports
    // it, each answer as it came (the last one counts); none when there is no
    // disk. Throws when the disk has no serial number or the database cannot
    // be read.
    virtual QStringList diskSeriNumaralari() = 0;

    // A new disk reader.
    virtual std::unique_ptr<THDDInfo> yeniOkuyucu() = 0;

    // The network adapters in order, and the hardware address one of them
    // reports (nullopt: it gave no answer).
    virtual QStringList agAdaptorleri() = 0;
    virtual std::optional<QByteArray> donanimAdresi(const QString &adaptor) = 0;
};

// The sources of the computer an environment shows (this one by default).
class SistemKimlikKaynaklari final : public KimlikKaynaklari
{
public:
    explicit SistemKimlikKaynaklari(SistemOrtami ortam = {});

    QStringList diskSeriNumaralari() override;
    std::unique_ptr<THDDInfo> yeniOkuyucu() override;
    QStringList agAdaptorleri() override;
    std::optional<QByteArray> donanimAdresi(const QString &adaptor) override;

private:
    SistemOrtami ortam;
};

enum class KimlikKaynagi
{
    Yok, // every source failed; the identifier is empty
    DiskSeriNumarasi, // the device database's serial number of the first disk
    OkuyucuIlkDeneme, // the disk reader, first attempt
    OkuyucuIkinciDeneme, // the disk reader, second attempt
    AgAdaptoru // a network adapter's hardware address
};

struct BilgisayarKimligi
{
    QString metin;
    KimlikKaynagi kaynak = KimlikKaynagi::Yok;
};

// The identifier and the source that gave it. Never fails: an error of any
// source leads to the next one.
BilgisayarKimligi bilgisayarKimligi(KimlikKaynaklari &kaynaklar,
                                    const KimlikTakmaAdlari &takmaAdlar);

// The identifier alone.
QString BilgisayarIdAl(KimlikKaynaklari &kaynaklar, const KimlikTakmaAdlari &takmaAdlar);

// This computer's identifier, with this installation's aliases.
QString BilgisayarIdAl();

// The aliases of this installation.
KimlikTakmaAdlari kurulumTakmaAdlari();

// Upper-cases the letters a-z and leaves every other character as it is.
QString buyukHarfe(QString metin);

// Six address bytes as the identifier writes them: "00-1A-2B-3C-4D-5E".
QString adresMetni(const QByteArray &adres);
