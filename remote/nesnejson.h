#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "remote/baglantiu.h"
#include "remote/metotlar.h"
#include "remote/mobilstokunit.h"

class JsonYazici;

// Every class that travels as an object.
using Nesne = std::variant<TSonucBilgisi, TSiparisDipAyrinti, TTusSonuclari, TMobilStok,
                           TMobilStoklar, TMobilSepet, TMobilSepetler, TMobilCariBilgisi,
                           TAcilisEkran, TAcilisEkranlar, TAcilisEkranlariki>;

// The wire type name of each class ("baglantiu.TSonucBilgisi").
template<class T> inline constexpr std::string_view nesneSinifi = {};
template<> inline constexpr std::string_view nesneSinifi<TSonucBilgisi> = sinif::TSonucBilgisi;
template<>
inline constexpr std::string_view nesneSinifi<TSiparisDipAyrinti> = sinif::TSiparisDipAyrinti;
template<> inline constexpr std::string_view nesneSinifi<TTusSonuclari> = sinif::TTusSonuclari;
template<> inline constexpr std::string_view nesneSinifi<TMobilStok> = sinif::TMobilStok;
template<> inline constexpr std::string_view nesneSinifi<TMobilStoklar> = sinif::TMobilStoklar;
template<> inline constexpr std::string_view nesneSinifi<TMobilSepet> = sinif::TMobilSepet;
template<> inline constexpr std::string_view nesneSinifi<TMobilSepetler> = sinif::TMobilSepetler;
template<>
inline constexpr std::string_view nesneSinifi<TMobilCariBilgisi> = sinif::TMobilCariBilgisi;
template<> inline constexpr std::string_view nesneSinifi<TAcilisEkran> = sinif::TAcilisEkran;
template<> inline constexpr std::string_view nesneSinifi<TAcilisEkranlar> = sinif::TAcilisEkranlar;
template<>
inline constexpr std::string_view nesneSinifi<TAcilisEkranlariki> = sinif::TAcilisEkranlariki;

std::string_view nesneSinifiAdi(const Nesne &nesne);

// An object of the named class with every field at its initial value; none
// for a name that is not one of ours.
std::optional<Nesne> bosNesne(std::string_view sinifAdi);

// The JSON object form:
//     {"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"...",...}}
// with the fields in declaration order. Ids count objects from 1 in the order
// they are written (a list first, then its items). An owning list carries
// "FOwnsObjects":true, "FListHelper":[count] and right after it "FItems":[...].
void nesneYaz(JsonYazici &yazici, const Nesne &nesne);
std::string nesneJson(const Nesne &nesne);

// Reads an object in the JSON object form. JSON null gives no object. The
// class is taken from "type"; when beklenen names a class (or sinif::Herhangi
// for any of ours), an object of another class is an error. Unknown fields
// are ignored, missing fields keep their initial values, "ref" gives a copy of
// the object with that id, and lists are read in every layout servers use:
//     "FListHelper":[{item},...]                    (items in FListHelper)
//     "FListHelper":[n],"FItems":[...]              (count, then items)
//     "FItems":[..., null],"FCount":n               (backing array and count)
//     "FList":[{item},...] or a plain array         (a converter's array)
// Throws UzakHata (Tur::Cevap) for text that is not such an object.
std::optional<Nesne> nesneOku(std::string_view json, std::string_view beklenen = sinif::Herhangi);

template<class T> std::optional<T> nesneOku(std::string_view json)
{
    std::optional<Nesne> nesne = nesneOku(json, nesneSinifi<T>);
    if (!nesne)
        return std::nullopt;
    return std::get<T>(std::move(*nesne));
}
