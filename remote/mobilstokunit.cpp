#include "remote/mobilstokunit.h"

#include "remote/metotlar.h"

using namespace Qt::StringLiterals;

namespace {

QString tipAdiMetni(std::string_view ad)
{
    return QString::fromLatin1(ad.data(), static_cast<qsizetype>(ad.size()));
}

} // namespace

void TMobilStok::Kopyala(const TMobilStok &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TMobilStok> &TMobilStok::tanim()
{
    using Sinif = TMobilStok;
    static const NesneTanimi<Sinif> t {tipAdiMetni(sinif::TMobilStok),
                                       {TMOBILSTOK_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

void TMobilSepet::Kopyala(const TMobilSepet &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TMobilSepet> &TMobilSepet::tanim()
{
    using Sinif = TMobilSepet;
    static const NesneTanimi<Sinif> t {tipAdiMetni(sinif::TMobilSepet),
                                       {TMOBILSEPET_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

void TMobilCariBilgisi::Kopyala(const TMobilCariBilgisi &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TMobilCariBilgisi> &TMobilCariBilgisi::tanim()
{
    using Sinif = TMobilCariBilgisi;
    static const NesneTanimi<Sinif> t {tipAdiMetni(sinif::TMobilCariBilgisi),
                                       {TMOBILCARIBILGISI_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

const NesneTanimi<TAcilisEkran> &TAcilisEkran::tanim()
{
    using Sinif = TAcilisEkran;
    static const NesneTanimi<Sinif> t {tipAdiMetni(sinif::TAcilisEkran),
                                       {TACILISEKRAN_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

const QString &TMobilStoklar::tipAdi()
{
    static const QString ad = tipAdiMetni(sinif::TMobilStoklar);
    return ad;
}

const QString &TMobilSepetler::tipAdi()
{
    static const QString ad = tipAdiMetni(sinif::TMobilSepetler);
    return ad;
}

const QString &TAcilisEkranlar::tipAdi()
{
    static const QString ad = tipAdiMetni(sinif::TAcilisEkranlar);
    return ad;
}

const QString &TAcilisEkranlariki::tipAdi()
{
    static const QString ad = tipAdiMetni(sinif::TAcilisEkranlariki);
    return ad;
}
