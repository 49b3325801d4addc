#include "remote/nesnejson.h"

#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "remote/jsonic.h"
#include "remote/jsonyazici.h"

using namespace Qt::StringLiterals;
using simdjson::dom::element;
using simdjson::dom::element_type;

namespace {

QString ad(std::string_view metin)
{
    return QString::fromUtf8(metin.data(), static_cast<qsizetype>(metin.size()));
}

// --- Writing ---

class NesneYazici
{
public:
    explicit NesneYazici(JsonYazici &y)
        : y_(y)
    {
    }

    void yaz(const Nesne &nesne)
    {
        std::visit([this](const auto &n) { zarf(n); }, nesne);
    }

private:
    template<class T> void zarfBasi()
    {
        y_.nesneBasla().anahtar("type").metinUtf8(nesneSinifi<T>);
        y_.anahtar("id").tamsayi(sonrakiId_++).anahtar("fields").nesneBasla();
    }

    void zarfSonu() { y_.nesneBitir().nesneBitir(); }

    template<class T> void zarf(const T &nesne)
    {
        zarfBasi<T>();
        for (const NesneAlani<T> &alan : T::tanim().alanlar) {
            y_.anahtar(alan.ad);
            std::visit([&](auto uye) { deger(nesne.*uye); }, alan.uye);
        }
        zarfSonu();
    }

    template<class Liste> void liste(const Liste &liste)
    {
        zarfBasi<Liste>();
        y_.anahtar("FOwnsObjects").mantiksal(true);
        y_.anahtar("FListHelper").diziBasla().tamsayi(liste.size()).diziBitir();
        y_.anahtar("FItems").diziBasla();
        for (const auto &oge : liste)
            zarf(oge);
        y_.diziBitir();
        zarfSonu();
    }

    void zarf(const TMobilStoklar &n) { liste(n); }
    void zarf(const TMobilSepetler &n) { liste(n); }
    void zarf(const TAcilisEkranlar &n) { liste(n); }

    void zarf(const TAcilisEkranlariki &n)
    {
        zarfBasi<TAcilisEkranlariki>();
        y_.anahtar("FEkranlar").diziBasla();
        for (const TAcilisEkran &ekran : n.Ekranlar())
            zarf(ekran);
        y_.diziBitir();
        zarfSonu();
    }

    void deger(const QString &d) { y_.metin(d); }
    void deger(int d) { y_.tamsayi(d); }
    void deger(double d) { y_.ondalik(d); }
    void deger(bool d) { y_.mantiksal(d); }

    JsonYazici &y_;
    int sonrakiId_ = 1;
};

// --- Reading ---

template<class T>
constexpr bool listeMi = std::is_same_v<T, TMobilStoklar> || std::is_same_v<T, TMobilSepetler> ||
    std::is_same_v<T, TAcilisEkranlar>;

class NesneOkuyucu
{
public:
    std::optional<Nesne> oku(element oge, std::string_view beklenen)
    {
        if (oge.is_null())
            return std::nullopt;
        // A list written by a converter may come as a bare array of items.
        if (oge.is_array()) {
            if (std::optional<Nesne> bos = bosNesne(beklenen)) {
                std::visit(
                    [&](auto &n) {
                        using T = std::decay_t<decltype(n)>;
                        if constexpr (listeMi<T>)
                            ogeleriOku(n, oge.get_array().value_unsafe(), -1);
                        else
                            jsonic::cevapHatasi(
                                u"%1 nesnesi yerine bir dizi geldi"_s.arg(ad(beklenen)));
                    },
                    *bos);
                return bos;
            }
        }
        if (!oge.is_object())
            jsonic::cevapHatasi(u"Nesne beklenirken başka bir değer geldi"_s);
        const simdjson::dom::object zarf = oge.get_object().value_unsafe();

        const std::string_view tip = jsonic::al(zarf["type"].get_string(), "nesne tipi");
        std::optional<Nesne> nesne = bosNesne(tip);
        if (!nesne)
            jsonic::cevapHatasi(u"Bilinmeyen nesne tipi: %1"_s.arg(ad(tip)));
        if (!beklenen.empty() && beklenen != sinif::Herhangi && beklenen != tip) {
            jsonic::cevapHatasi(
                u"Beklenmeyen nesne tipi: %1 (beklenen %2)"_s.arg(ad(tip), ad(beklenen)));
        }

        element kimlik;
        if (zarf["ref"].get(kimlik) == simdjson::SUCCESS) {
            // Values, not shared instances: a repeat becomes a copy of the first.
            const std::int64_t no = numara(kimlik);
            const auto bulunan = okunanlar_.find(no);
            if (bulunan == okunanlar_.end() || suruyor_.contains(no))
                jsonic::cevapHatasi(u"Nesne başvurusu çözülemedi: %1"_s.arg(no));
            return oku(bulunan->second, tip);
        }
        std::optional<std::int64_t> id;
        if (zarf["id"].get(kimlik) == simdjson::SUCCESS) {
            id = numara(kimlik);
            okunanlar_.insert_or_assign(*id, oge);
            suruyor_.insert(*id);
        }

        element alanOgesi;
        if (zarf["fields"].get(alanOgesi) == simdjson::SUCCESS && !alanOgesi.is_null()) {
            simdjson::dom::object alanlar;
            if (alanOgesi.get_object().get(alanlar) != simdjson::SUCCESS)
                jsonic::cevapHatasi(u"%1 nesnesinin alanları okunamadı"_s.arg(ad(tip)));
            std::visit([&](auto &n) { alanlariOku(n, alanlar); }, *nesne);
        }
        if (id)
            suruyor_.erase(*id);
        return nesne;
    }

private:
    static std::int64_t numara(element e)
    {
        std::int64_t n = 0;
        if (e.get_int64().get(n) == simdjson::SUCCESS)
            return n;
        std::string_view metin;
        if (e.get_string().get(metin) == simdjson::SUCCESS) {
            bool tamam = false;
            n = ad(metin).toLongLong(&tamam);
            if (tamam)
                return n;
        }
        jsonic::cevapHatasi(u"Nesne numarası okunamadı"_s);
    }

    template<class T> void alanlariOku(T &nesne, simdjson::dom::object alanlar)
    {
        const auto &tanim = T::tanim().alanlar;
        std::size_t sira = 0; // fields usually come in declaration order
        for (const simdjson::dom::key_value_pair cift : alanlar) {
            const std::string_view anahtar = cift.key;
            const element deger = cift.value;
            const NesneAlani<T> *alan = nullptr;
            for (std::size_t i = 0; i < tanim.size() && !alan; ++i) {
                const NesneAlani<T> &aday = tanim[(sira + i) % tanim.size()];
                if (anahtar == aday.ad) {
                    alan = &aday;
                    sira = static_cast<std::size_t>(&aday - tanim.data()) + 1;
                }
            }
            if (!alan)
                continue;
            std::visit([&](auto uye) { oku(nesne.*uye, deger, alan->ad); }, alan->uye);
        }
    }

    template<class Liste> void liste(Liste &liste, simdjson::dom::object alanlar)
    {
        std::int64_t sayi = -1;
        element ogeler;
        bool ogelerVar = false;
        element e;
        if (alanlar["FListHelper"].get(e) == simdjson::SUCCESS && e.is_array()) {
            const simdjson::dom::array yardimci = e.get_array().value_unsafe();
            element ilk;
            if (yardimci.size() == 1 && yardimci.at(0).get(ilk) == simdjson::SUCCESS &&
                ilk.is_number()) {
                sayi = numara(ilk);
            } else {
                ogeler = e;
                ogelerVar = true;
            }
        }
        if (!ogelerVar && alanlar["FItems"].get(e) == simdjson::SUCCESS && e.is_array()) {
            ogeler = e;
            ogelerVar = true;
        }
        if (sayi < 0 && alanlar["FCount"].get(e) == simdjson::SUCCESS && e.is_number())
            sayi = numara(e);
        if (!ogelerVar) {
            // A converter writes the items as one plain array field.
            for (const auto [anahtar, deger] : alanlar) {
                if (deger.is_array()) {
                    ogeler = deger;
                    ogelerVar = true;
                    break;
                }
            }
        }
        if (!ogelerVar) {
            if (sayi > 0)
                jsonic::cevapHatasi(u"Listenin öğeleri yok"_s);
            return;
        }
        ogeleriOku(liste, ogeler.get_array().value_unsafe(), sayi);
    }

    template<class Liste>
    void ogeleriOku(Liste &liste, simdjson::dom::array ogeler, std::int64_t sayi)
    {
        using Oge = typename Liste::value_type;
        if (sayi > static_cast<std::int64_t>(ogeler.size()))
            jsonic::cevapHatasi(u"Listenin sayısı öğelerinden fazla"_s);
        const std::size_t n = sayi < 0 ? ogeler.size() : static_cast<std::size_t>(sayi);
        liste.reserve(static_cast<qsizetype>(n));
        std::size_t i = 0;
        for (const element oge : ogeler) {
            if (i++ == n)
                break;
            // A list may hold empty slots; they carry no item.
            if (std::optional<Nesne> nesne = oku(oge, nesneSinifi<Oge>))
                liste.append(std::get<Oge>(std::move(*nesne)));
        }
    }

    void alanlariOku(TMobilStoklar &n, simdjson::dom::object a) { liste(n, a); }
    void alanlariOku(TMobilSepetler &n, simdjson::dom::object a) { liste(n, a); }
    void alanlariOku(TAcilisEkranlar &n, simdjson::dom::object a) { liste(n, a); }

    void alanlariOku(TAcilisEkranlariki &n, simdjson::dom::object alanlar)
    {
        element e;
        if (alanlar["FEkranlar"].get(e) != simdjson::SUCCESS || e.is_null())
            return;
        TAcilisEkranlar ekranlar;
        if (!e.is_array())
            jsonic::cevapHatasi(u"FEkranlar bir dizi değil"_s);
        ogeleriOku(ekranlar, e.get_array().value_unsafe(), -1);
        n.setEkranlar(ekranlar);
    }

    [[noreturn]] static void alanHatasi(const char *alan, const char *tur)
    {
        jsonic::cevapHatasi(
            u"%1 alanı %2 değil"_s.arg(QString::fromLatin1(alan), QString::fromUtf8(tur)));
    }

    static void oku(QString &hedef, element e, const char *alan)
    {
        if (e.is_null()) {
            hedef.clear();
            return;
        }
        std::string_view metin;
        if (e.get_string().get(metin) != simdjson::SUCCESS)
            alanHatasi(alan, "metin");
        hedef = ad(metin);
    }

    static void oku(int &hedef, element e, const char *alan)
    {
        std::int64_t tam = 0;
        double ondalik = 0;
        if (e.is_null()) {
            hedef = 0;
        } else if (e.get_int64().get(tam) == simdjson::SUCCESS &&
                   tam >= std::numeric_limits<int>::min() &&
                   tam <= std::numeric_limits<int>::max()) {
            hedef = static_cast<int>(tam);
        } else if (e.is_double() && e.get_double().get(ondalik) == simdjson::SUCCESS &&
                   std::trunc(ondalik) == ondalik &&
                   std::abs(ondalik) <= std::numeric_limits<int>::max()) {
            hedef = static_cast<int>(ondalik);
        } else {
            alanHatasi(alan, "tamsayı");
        }
    }

    static void oku(double &hedef, element e, const char *alan)
    {
        if (e.is_null()) {
            hedef = 0;
            return;
        }
        // get_double also takes integers of either sign.
        if (!e.is_number() || e.get_double().get(hedef) != simdjson::SUCCESS)
            alanHatasi(alan, "sayı");
    }

    static void oku(bool &hedef, element e, const char *alan)
    {
        if (e.is_null()) {
            hedef = false;
            return;
        }
        if (e.get_bool().get(hedef) != simdjson::SUCCESS)
            alanHatasi(alan, "true/false");
    }

    std::map<std::int64_t, element> okunanlar_;
    std::set<std::int64_t> suruyor_; // objects whose fields are being read
};

template<class T> constexpr std::pair<std::string_view, Nesne (*)()> yapici()
{
    return {nesneSinifi<T>, [] { return Nesne(T {}); }};
}

constexpr std::pair<std::string_view, Nesne (*)()> yapicilar[] = {
    yapici<TSonucBilgisi>(),   yapici<TSiparisDipAyrinti>(), yapici<TTusSonuclari>(),
    yapici<TMobilStok>(),      yapici<TMobilStoklar>(),      yapici<TMobilSepet>(),
    yapici<TMobilSepetler>(),  yapici<TMobilCariBilgisi>(),  yapici<TAcilisEkran>(),
    yapici<TAcilisEkranlar>(), yapici<TAcilisEkranlariki>(),
};
static_assert(std::size(yapicilar) == std::variant_size_v<Nesne>);

} // namespace

std::string_view nesneSinifiAdi(const Nesne &nesne)
{
    return std::visit([](const auto &n) { return nesneSinifi<std::decay_t<decltype(n)>>; }, nesne);
}

std::optional<Nesne> bosNesne(std::string_view sinifAdi)
{
    for (const auto &[ad, yap] : yapicilar) {
        if (ad == sinifAdi)
            return yap();
    }
    return std::nullopt;
}

void nesneYaz(JsonYazici &yazici, const Nesne &nesne)
{
    NesneYazici(yazici).yaz(nesne);
}

std::string nesneJson(const Nesne &nesne)
{
    JsonYazici y(512);
    nesneYaz(y, nesne);
    return y.al();
}

std::optional<Nesne> nesneOku(std::string_view json, std::string_view beklenen)
{
    simdjson::dom::parser ayristirici;
    const element kok = jsonic::al(ayristirici.parse(json.data(), json.size()), "nesne");
    return jsonic::nesneOku(kok, beklenen);
}

namespace jsonic {

void cevapHatasi(const QString &mesaj)
{
    throw UzakHata(UzakHata::Tur::Cevap, mesaj);
}

QString metin(std::string_view utf8)
{
    return ad(utf8);
}

std::optional<Nesne> nesneOku(element oge, std::string_view beklenen)
{
    return NesneOkuyucu().oku(oge, beklenen);
}

std::optional<Nesne> dolguluNesneOku(std::string_view json, std::string_view beklenen)
{
    simdjson::dom::parser ayristirici;
    const element kok = al(ayristirici.parse(json.data(), json.size(), false), "nesne");
    return nesneOku(kok, beklenen);
}
} // namespace jsonic
