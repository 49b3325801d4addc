#include "app/utils/cikis.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void hemenBitir(int cikisKodu)
{
    std::fflush(nullptr);
    std::_Exit(cikisKodu);
}

CikisKancasi &kanca()
{
    static CikisKancasi k = hemenBitir;
    return k;
}

} // namespace

void ProgramiBitir(int cikisKodu)
{
    kanca()(cikisKodu);
}

CikisKancasi CikisKancasiKur(CikisKancasi yeni)
{
    if (!yeni)
        yeni = hemenBitir;
    return std::exchange(kanca(), std::move(yeni));
}
