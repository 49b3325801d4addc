// Fuzz target: the object reader. The first byte picks the class a caller
// expects; an object that reads must read back to the same text once written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "remote/nesnejson.h"
#include "remote/uzakhata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    if (boyut < 1)
        return 0;
    static constexpr std::string_view siniflar[] = {
        sinif::Herhangi,          sinif::TSonucBilgisi,      sinif::TMobilStoklar,
        sinif::TAcilisEkranlar,   sinif::TAcilisEkranlariki, sinif::TMobilSepetler,
        sinif::TMobilCariBilgisi, sinif::TAcilisEkran,
    };
    const std::string_view beklenen = siniflar[veri[0] % std::size(siniflar)];
    const std::string_view json(reinterpret_cast<const char *>(veri + 1), boyut - 1);
    try {
        if (const std::optional<Nesne> nesne = nesneOku(json, beklenen)) {
            const std::string yazilan = nesneJson(*nesne);
            const std::optional<Nesne> geri = nesneOku(yazilan, beklenen);
            if (!geri || nesneJson(*geri) != yazilan)
                std::abort();
        }
    } catch (const UzakHata &) {
    }
    return 0;
}
