// Fuzz target: a whole reply, read as the client reads it. The first byte
// picks a method; methods with a stream beside other outputs go through the
// reader that takes the reply piece by piece (pieces of the second byte's
// size), the others through the reply reader, and both must agree on what
// they accept.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "remote/akisokuyucu.h"
#include "remote/cagri.h"
#include "remote/uzakhata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    if (boyut < 2)
        return 0;
    const auto metotlar = tumMetotlar();
    const Metot &m = metotlar[veri[0] % metotlar.size()];
    const std::size_t parca = std::max<std::size_t>(1, veri[1]);
    const std::string_view govde(reinterpret_cast<const char *>(veri + 2), boyut - 2);
    try {
        if (m.akisDoner()) {
            AkisliCevapOkuyucu okuyucu(m, [](int yuzde) {
                if (yuzde < 0 || yuzde > 100)
                    __builtin_trap();
            });
            for (std::size_t i = 0; i < govde.size(); i += parca)
                okuyucu.veri(govde.substr(i, parca));
            (void)okuyucu.bitir();
        } else {
            (void)cevapOku(m, govde);
        }
    } catch (const UzakHata &) {
    }
    return 0;
}
