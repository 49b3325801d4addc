#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QStringView>

// Writes JSON text the way the server has always sent it: plain ASCII, with
// '"', '\' and '/' escaped ("\/"), \b \f \n \r \t, and every other character
// below 32 or above 127 as \uXXXX (one escape per UTF-16 code unit). Numbers
// are written as the server writes them: integers exactly, doubles with 15
// significant digits ("43005.2916666667", "1E20"); a double that is not finite
// has no JSON form and is written as null.
//
// Commas are placed by the writer:
//     y.nesneBasla().anahtar("a").tamsayi(1).anahtar("b").diziBasla().diziBitir().nesneBitir();
// gives {"a":1,"b":[]}.
class JsonYazici
{
public:
    JsonYazici() = default;
    explicit JsonYazici(std::size_t ayrilacak) { metin_.reserve(ayrilacak); }

    JsonYazici &nesneBasla();
    JsonYazici &nesneBitir();
    JsonYazici &diziBasla();
    JsonYazici &diziBitir();
    JsonYazici &anahtar(std::string_view utf8);
    JsonYazici &anahtar(QStringView ad);

    JsonYazici &metin(QStringView deger);
    JsonYazici &metinUtf8(std::string_view utf8);
    JsonYazici &tamsayi(std::int64_t deger);
    JsonYazici &ondalik(double deger);
    JsonYazici &mantiksal(bool deger);
    JsonYazici &bos();
    // A value already in JSON form, written as it is.
    JsonYazici &ham(std::string_view json);
    // Bytes as an array of numbers 0..255.
    JsonYazici &baytlar(std::string_view veri);

    const std::string &metin() const { return metin_; }
    std::string al() { return std::move(metin_); }

    // The escaped forms, appended to hedef with their quotes.
    static void kacisliEkle(std::string &hedef, QStringView deger);
    static void kacisliEkleUtf8(std::string &hedef, std::string_view utf8);
    static void ondalikEkle(std::string &hedef, double deger);

private:
    void oncesi()
    {
        if (!ilk_)
            metin_ += ',';
        ilk_ = false;
    }

    std::string metin_;
    bool ilk_ = true;
};
