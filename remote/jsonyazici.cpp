#include "remote/jsonyazici.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr char onaltilik[] = "0123456789ABCDEF";

// Characters that leave as they are: printable ASCII except '"', '\' and '/'.
constexpr bool duzKarakter(unsigned c)
{
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '/';
}

void kacisEkle(std::string &hedef, char16_t c)
{
    switch (c) {
    case '"':
        hedef += "\\\"";
        return;
    case '\\':
        hedef += "\\\\";
        return;
    case '/':
        hedef += "\\/";
        return;
    case '\b':
        hedef += "\\b";
        return;
    case '\f':
        hedef += "\\f";
        return;
    case '\n':
        hedef += "\\n";
        return;
    case '\r':
        hedef += "\\r";
        return;
    case '\t':
        hedef += "\\t";
        return;
    default:
        break;
    }
    const char kacis[6] = {'\\',
                           'u',
                           onaltilik[(c >> 12) & 0xF],
                           onaltilik[(c >> 8) & 0xF],
                           onaltilik[(c >> 4) & 0xF],
                           onaltilik[c & 0xF]};
    hedef.append(kacis, 6);
}

// One code point of UTF-8 text; an invalid sequence gives U+FFFD and moves one byte.
char32_t kodNoktasiOku(const unsigned char *&p, const unsigned char *son)
{
    const unsigned b0 = *p++;
    auto devam = [&](int n, char32_t kod, char32_t enKucuk) -> char32_t {
        if (son - p < n)
            return 0xFFFD;
        for (int i = 0; i < n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return 0xFFFD;
            kod = (kod << 6) | (p[i] & 0x3F);
        }
        if (kod < enKucuk || kod > 0x10FFFF || (kod >= 0xD800 && kod <= 0xDFFF))
            return 0xFFFD;
        p += n;
        return kod;
    };
    if (b0 < 0x80)
        return b0;
    if ((b0 & 0xE0) == 0xC0)
        return devam(1, b0 & 0x1F, 0x80);
    if ((b0 & 0xF0) == 0xE0)
        return devam(2, b0 & 0x0F, 0x800);
    if ((b0 & 0xF8) == 0xF0)
        return devam(3, b0 & 0x07, 0x10000);
    return 0xFFFD;
}

} // namespace

JsonYazici &JsonYazici::nesneBasla()
{
    oncesi();
    metin_ += '{';
    ilk_ = true;
    return *this;
}

JsonYazici &JsonYazici::nesneBitir()
{
    metin_ += '}';
    ilk_ = false;
    return *this;
}

JsonYazici &JsonYazici::diziBasla()
{
    oncesi();
    metin_ += '[';
    ilk_ = true;
    return *this;
}

JsonYazici &JsonYazici::diziBitir()
{
    metin_ += ']';
    ilk_ = false;
    return *this;
}

JsonYazici &JsonYazici::anahtar(std::string_view utf8)
{
    oncesi();
    kacisliEkleUtf8(metin_, utf8);
    metin_ += ':';
    ilk_ = true;
    return *this;
}

JsonYazici &JsonYazici::anahtar(QStringView ad)
{
    oncesi();
    kacisliEkle(metin_, ad);
    metin_ += ':';
    ilk_ = true;
    return *this;
}

JsonYazici &JsonYazici::metin(QStringView deger)
{
    oncesi();
    kacisliEkle(metin_, deger);
    return *this;
}

JsonYazici &JsonYazici::metinUtf8(std::string_view utf8)
{
    oncesi();
    kacisliEkleUtf8(metin_, utf8);
    return *this;
}

JsonYazici &JsonYazici::tamsayi(std::int64_t deger)
{
    oncesi();
    char tampon[24];
    const auto [son, hata] = std::to_chars(tampon, tampon + sizeof tampon, deger);
    metin_.append(tampon, son);
    return *this;
}

JsonYazici &JsonYazici::ondalik(double deger)
{
    oncesi();
    ondalikEkle(metin_, deger);
    return *this;
}

JsonYazici &JsonYazici::mantiksal(bool deger)
{
    oncesi();
    metin_ += deger ? "true" : "false";
    return *this;
}

JsonYazici &JsonYazici::bos()
{
    oncesi();
    metin_ += "null";
    return *this;
}

JsonYazici &JsonYazici::ham(std::string_view json)
{
    oncesi();
    metin_ += json;
    return *this;
}

JsonYazici &JsonYazici::baytlar(std::string_view veri)
{
    oncesi();
    metin_.reserve(metin_.size() + veri.size() * 4 + 2);
    metin_ += '[';
    for (std::size_t i = 0; i < veri.size(); ++i) {
        if (i)
            metin_ += ',';
        const unsigned b = static_cast<unsigned char>(veri[i]);
        if (b >= 100)
            metin_ += static_cast<char>('0' + b / 100);
        if (b >= 10)
            metin_ += static_cast<char>('0' + b / 10 % 10);
        metin_ += static_cast<char>('0' + b % 10);
    }
    metin_ += ']';
    return *this;
}

void JsonYazici::kacisliEkle(std::string &hedef, QStringView deger)
{
    hedef.reserve(hedef.size() + static_cast<std::size_t>(deger.size()) + 2);
    hedef += '"';
    const char16_t *p = deger.utf16();
    const char16_t *const son = p + deger.size();
    while (p < son) {
        // Copy a run of plain characters at once.
        const char16_t *bas = p;
        while (p < son && duzKarakter(*p))
            ++p;
        if (p > bas) {
            const std::size_t eski = hedef.size();
            hedef.resize(eski + static_cast<std::size_t>(p - bas));
            char *yer = hedef.data() + eski;
            for (const char16_t *q = bas; q < p; ++q)
                *yer++ = static_cast<char>(*q);
        }
        if (p < son)
            kacisEkle(hedef, *p++);
    }
    hedef += '"';
}

void JsonYazici::kacisliEkleUtf8(std::string &hedef, std::string_view utf8)
{
    hedef.reserve(hedef.size() + utf8.size() + 2);
    hedef += '"';
    auto p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto son = p + utf8.size();
    while (p < son) {
        const unsigned char *bas = p;
        while (p < son && duzKarakter(*p))
            ++p;
        if (p > bas)
            hedef.append(reinterpret_cast<const char *>(bas), static_cast<std::size_t>(p - bas));
        if (p == son)
            break;
        const char32_t kod = kodNoktasiOku(p, son);
        if (kod > 0xFFFF) {
            kacisEkle(hedef, static_cast<char16_t>(0xD800 + ((kod - 0x10000) >> 10)));
            kacisEkle(hedef, static_cast<char16_t>(0xDC00 + ((kod - 0x10000) & 0x3FF)));
        } else {
            kacisEkle(hedef, static_cast<char16_t>(kod));
        }
    }
    hedef += '"';
}

// 15 significant digits, trailing zeros dropped; plain notation while the
// value has at most 15 digits before the point and is not below 1E-5,
// otherwise "1.5E-7" / "1E20".
void JsonYazici::ondalikEkle(std::string &hedef, double deger)
{
    if (!std::isfinite(deger)) {
        hedef += "null";
        return;
    }
    if (deger == 0) {
        hedef += '0';
        return;
    }
    char tampon[40];
    const auto [son, hata] =
        std::to_chars(tampon, tampon + sizeof tampon, deger, std::chars_format::scientific, 14);
    // tampon: [-]d.ddddddddddddddde[+-]XX
    const char *p = tampon;
    if (*p == '-') {
        hedef += '-';
        ++p;
    }
    char rakamlar[16];
    int rakamSayisi = 0;
    for (; p < son && *p != 'e'; ++p) {
        if (*p != '.')
            rakamlar[rakamSayisi++] = *p;
    }
    while (rakamSayisi > 1 && rakamlar[rakamSayisi - 1] == '0')
        --rakamSayisi;
    int us = 0;
    std::from_chars(p + 1 + (p[1] == '+'), son, us);

    if (us >= 15 || us < -5) {
        hedef += rakamlar[0];
        if (rakamSayisi > 1) {
            hedef += '.';
            hedef.append(rakamlar + 1, static_cast<std::size_t>(rakamSayisi - 1));
        }
        hedef += 'E';
        char usMetni[8];
        const auto [usSonu, usHata] = std::to_chars(usMetni, usMetni + sizeof usMetni, us);
        hedef.append(usMetni, usSonu);
        return;
    }
    if (us < 0) {
        hedef += "0.";
        hedef.append(static_cast<std::size_t>(-us - 1), '0');
        hedef.append(rakamlar, static_cast<std::size_t>(rakamSayisi));
        return;
    }
    const int tamKisim = us + 1;
    if (rakamSayisi <= tamKisim) {
        hedef.append(rakamlar, static_cast<std::size_t>(rakamSayisi));
        hedef.append(static_cast<std::size_t>(tamKisim - rakamSayisi), '0');
        return;
    }
    hedef.append(rakamlar, static_cast<std::size_t>(tamKisim));
    hedef += '.';
    hedef.append(rakamlar + tamKisim, static_cast<std::size_t>(rakamSayisi - tamKisim));
}
