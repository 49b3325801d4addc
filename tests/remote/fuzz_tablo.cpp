// Fuzz target: the table decoder, which reads what a server sends. A table
// that decodes must survive being written and read again: the second writing
// gives the same text as the first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "remote/jsonyazici.h"
#include "remote/tablojson.h"
#include "remote/uzakhata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *veri, size_t boyut)
{
    const std::string_view json(reinterpret_cast<const char *>(veri), boyut);
    try {
        const BellekTablo tablo = tabloOku(json);
        JsonYazici y;
        tabloYaz(y, tablo);
        const BellekTablo geri = tabloOku(y.metin());
        JsonYazici tekrar;
        tabloYaz(tekrar, geri);
        if (tekrar.metin() != y.metin())
            std::abort();
    } catch (const UzakHata &) {
    }
    return 0;
}
