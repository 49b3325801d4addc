#include "remote/baglantiu.h"

using namespace Qt::StringLiterals;

void TSonucBilgisi::Kopyala(const TSonucBilgisi &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TSonucBilgisi> &TSonucBilgisi::tanim()
{
    using Sinif = TSonucBilgisi;
    static const NesneTanimi<Sinif> t{u"baglantiu.TSonucBilgisi"_s,
                                      {TSONUCBILGISI_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

void TSiparisDipAyrinti::Kopyala(const TSiparisDipAyrinti &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TSiparisDipAyrinti> &TSiparisDipAyrinti::tanim()
{
    using Sinif = TSiparisDipAyrinti;
    static const NesneTanimi<Sinif> t{u"baglantiu.TSiparisDipAyrinti"_s,
                                      {TSIPARISDIPAYRINTI_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}

void TTusSonuclari::Kopyala(const TTusSonuclari &kaynak)
{
    *this = kaynak;
}

const NesneTanimi<TTusSonuclari> &TTusSonuclari::tanim()
{
    using Sinif = TTusSonuclari;
    static const NesneTanimi<Sinif> t{u"baglantiu.TTusSonuclari"_s,
                                      {TTUSSONUCLARI_ALANLARI(DOTEZMAR_ALAN_TANIMI)}};
    return t;
}
