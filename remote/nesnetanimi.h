#pragma once

#include <QString>

#include <variant>
#include <vector>

// The classes that travel between client and server as JSON objects declare
// their fields once, in declaration order, with an X-macro list such as
//
//     #define TORNEK_ALANLARI(ALAN) ALAN(QString, ADI, {}) ALAN(int, CARINO, 0)
//
// DOTEZMAR_ALAN turns each entry into the field F<name> with its initial value
// and the property <name>() / set<name>() (a plain read and a plain write).
// DOTEZMAR_ALAN_TANIMI turns it into a NesneAlani, so that the JSON form and
// the copy follow the same list and cannot drift apart.

#define DOTEZMAR_ALAN(tur, ad, ilk)                                                                \
public:                                                                                            \
    tur ad() const { return F##ad; }                                                               \
    void set##ad(const tur &deger) { F##ad = deger; }                                              \
                                                                                                   \
private:                                                                                           \
    tur F##ad = ilk;

#define DOTEZMAR_ALAN_TANIMI(tur, ad, ilk) NesneAlani<Sinif>{"F" #ad, &Sinif::F##ad},

template <class Sinif>
struct NesneAlani
{
    const char *ad; // the wire name, with its F prefix: "FCARINO"
    std::variant<QString Sinif::*, int Sinif::*, double Sinif::*, bool Sinif::*> uye;
};

template <class Sinif>
struct NesneTanimi
{
    QString tipAdi; // unit and class name: "baglantiu.TSonucBilgisi"
    std::vector<NesneAlani<Sinif>> alanlar;
};
