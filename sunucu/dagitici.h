#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QString>

#include "remote/metotlar.h"
#include "remote/nesnejson.h"
#include "remote/tablo/bellektablo.h"
#include "sunucu/restyolu.h"
#include "sunucu/veritabani.h"

// The dispatcher: finds the method a request names in the shared method
// list, binds the inputs from the path and the body by the parameters'
// declared kinds, runs the method and writes the reply in the order the
// list gives (out-parameters, then the result).

// A failure a method reports to its caller: answered as 500 {"error": ...}.
class MetotHatasi : public std::runtime_error
{
public:
    explicit MetotHatasi(const QString &ileti);
};

// An input value after binding. Null stays null; the readers below give
// "", 0 or false for it, as the original server's methods saw it.
// Objects are kept as their JSON text until the method reads them.
struct NesneJsonu
{
    std::string metin;
};
using Girdi = std::variant<std::monostate, QString, qint64, double, bool, NesneJsonu>;

// An output value: null, a scalar, stream bytes, a table or an object.
using Cikti = std::variant<std::monostate, QString, qint64, double, bool, QByteArray, BellekTablo,
                           Nesne>;

// One call: the bound inputs, the outputs the method writes, and the store.
class Cagri
{
public:
    Cagri(const Metot &metot, std::vector<Girdi> girdiler, VtHavuzu *havuz);

    const Metot &metot() const { return metot_; }

    // Inputs by parameter name.
    QString metin(std::string_view ad) const;
    qint64 tamsayi(std::string_view ad) const;
    double ondalik(std::string_view ad) const;
    bool mantiksal(std::string_view ad) const;
    // An object input; nullopt when the caller sent null. An object of
    // another class, or one that cannot be read, is a MetotHatasi.
    template<class T>
    std::optional<T> nesne(std::string_view ad) const
    {
        std::optional<Nesne> n = nesneGirdisi(ad, nesneSinifi<T>);
        return n ? std::optional<T>(std::get<T>(std::move(*n))) : std::nullopt;
    }

    // Out-parameters by name, and the result.
    void ciktiYaz(std::string_view ad, Cikti deger);
    void sonucYaz(Cikti deger);
    const std::vector<Cikti> &ciktilar() const { return ciktilar_; }

    // A connection of the store, borrowed for this call on first use.
    Veritabani &vt();

private:
    const Girdi &girdi(std::string_view ad) const;
    std::optional<Nesne> nesneGirdisi(std::string_view ad, std::string_view sinif) const;

    const Metot &metot_;
    std::vector<Girdi> girdiler_; // by parameter index; outputs hold null
    std::vector<Cikti> ciktilar_; // in reply order
    VtHavuzu *havuz_;
    std::optional<VtHavuzu::Odunc> vt_;
};

using MetotIsleyici = std::function<void(Cagri &)>;

// A reply ready to send.
struct Yanit
{
    int durum = 200;
    std::string govde;
    std::string icerikTuru = "application/json";
};

class Dagitici
{
public:
    explicit Dagitici(VtHavuzu *havuz);

    // Puts a method into service. A method of the list that has none
    // answers an error naming it.
    void kaydet(MetotNo no, MetotIsleyici isleyici);

    // Runs the call of a parsed request line; govde is the request body
    // (ignored for GET and DELETE), jsonIste the "json=true" query switch.
    Yanit cagir(const RestYolu &yol, std::string_view fiil, std::string_view govde,
                bool jsonIste) const;

    // Binds the inputs of a method as the endpoint does; throws MetotHatasi.
    // Exposed for the tests and the fuzz target.
    static std::vector<Girdi> girdileriBagla(const Metot &metot,
                                             const std::vector<std::optional<QString>> &yoldan,
                                             std::string_view govde);

private:
    Yanit sunucuMetodu(const RestYolu &yol, std::string_view fiil, std::string_view govde,
                       bool jsonIste) const;
    Yanit yonetimMetodu(const RestYolu &yol) const;

    VtHavuzu *havuz_;
    std::vector<MetotIsleyici> isleyiciler_; // by MetotNo
};

// 500 {"error": ileti}
Yanit hataYaniti(const QString &ileti, int durum = 500);
