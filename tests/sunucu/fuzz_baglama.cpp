// Fuzz target: the request line and the argument binding of the dispatcher,
// the part of the server that reads what a caller sends. The first byte picks
// a method of the list, the next bytes up to a newline are the request
// target, the rest is the body.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sunucu/dagitici.h"
#include "sunucu/restyolu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    if (boyut < 1)
        return 0;
    const auto metotlar = tumMetotlar();
    const Metot &m = metotlar[veri[0] % metotlar.size()];
    const std::string_view kalan(reinterpret_cast<const char *>(veri + 1), boyut - 1);
    const size_t satir = kalan.find('\n');
    const std::string_view hedef = kalan.substr(0, satir);
    const std::string_view govde = satir == std::string_view::npos ? std::string_view{} : kalan.substr(satir + 1);
    static const char *const fiiller[] = {"GET", "POST", "PUT", "DELETE", "PATCH"};
    const RestYolu yol = restYoluCoz(fiiller[veri[0] % 5], hedef);
    try {
        const std::vector<Girdi> girdiler = Dagitici::girdileriBagla(m, yol.parametreler, govde);
        Cagri c(m, girdiler, nullptr);
        for (const Parametre &p : m.parametreler) {
            if (p.yon == Yon::Girdi && p.tur == Tur::Nesne) {
                try {
                    (void)c.nesne<TSonucBilgisi>(p.ad);
                } catch (const MetotHatasi &) {
                }
            }
        }
    } catch (const MetotHatasi &) {
    }
    return 0;
}
