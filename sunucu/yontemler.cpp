#include "sunucu/yontemler.h"

#include <algorithm>

#include "sunucu/dagitici.h"
#include "sunucu/hesaplar.h"

namespace {

void EchoString(Cagri &c)
{
    c.sonucYaz(c.metin("Value"));
}

// Reversed by characters, so a letter outside the BMP stays whole.
void ReverseString(Cagri &c)
{
    QList<uint> harfler = c.metin("Value").toUcs4();
    std::reverse(harfler.begin(), harfler.end());
    c.sonucYaz(QString::fromUcs4(reinterpret_cast<const char32_t *>(harfler.constData()),
                                 harfler.size()));
}

void BuyukGetir(Cagri &c)
{
    c.sonucYaz(Nesne(oturumKaydi(c.vt(), c.metin("idsi"))));
}

} // namespace

void yontemleriKaydet(Dagitici &d)
{
    d.kaydet(MetotNo::EchoString, EchoString);
    d.kaydet(MetotNo::ReverseString, ReverseString);
    d.kaydet(MetotNo::BuyukGetir, BuyukGetir);
}
