#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include "remote/metotlar.h"
#include "remote/nesnejson.h"
#include "remote/tablo/bellektablo.h"

// The bodies of one remote call, both sides of it.
//
//   request  POST /datasnap/rest/TServerMethods1/%22<Method>%22/
//            {"_parameters":[<every input, in declaration order>]}
//   reply    {"result":[<out-parameters in order>, <result>]}   (2xx)
//            {"error":"<text>"}                                  (any other status)
//
// A method whose only output is a stream answers with the raw bytes instead.

// One parameter or result value. The alternative follows the kind:
//   Metin → QString, Tamsayi → qint32, Tamsayi64 → qint64, Ondalik → double,
//   Mantiksal → bool, Nesne → Nesne, Tablo → BellekTablo, Akis → QByteArray,
//   JsonDizi → QJsonArray; null (no object, no stream) → std::monostate.
using Deger = std::variant<std::monostate, QString, qint32, qint64, double, bool, Nesne,
                           BellekTablo, QByteArray, QJsonArray>;

// The path of a method's call below the server's address, for the server's
// context ("datasnap").
std::string cagriYolu(const Metot &metot, std::string_view baglam = "datasnap");
// The cheap request that confirms a server answers (opening a connection).
inline constexpr std::string_view yoklamaYolu = "/datasnap/rest/DSAdmin/GetPlatformName/";

// --- Client side ---

// {"_parameters":[...]} from the inputs, in declaration order.
std::string istekGovdesi(const Metot &metot, std::span<const Deger> girdiler);

// The outputs of a 2xx reply, in the order of the "result" array (see
// Metot::cikti). A stream beside other outputs is read from its byte array
// (null gives no stream). Throws UzakHata (Tur::Cevap) for a reply that does
// not match the method.
std::vector<Deger> cevapOku(const Metot &metot, std::string_view govde);

// The text of an error reply: "error" or "SessionExpired" of a JSON object,
// a bare JSON string, or short plain text; otherwise a text naming the status.
QString hataMetni(std::string_view govde, long durum);

// --- Server side ---

// {"result":[...]} from the outputs in the order of Metot::cikti.
std::string cevapYaz(const Metot &metot, std::span<const Deger> ciktilar);
// {"error":"..."}
std::string hataYaz(QStringView mesaj);

// The inputs a request body carries: {"_parameters":[...]} fills the inputs
// after the first `dolu` (those bound from the path); any other body is the
// value of the next input alone. Inputs left without a value are null, and a
// null scalar arrives as its type's empty value ("", 0, 0.0, false); objects
// stay null. More values than inputs, or a value that does not convert to
// its input's kind: throws UzakHata (Tur::Cevap) naming the parameter.
std::vector<Deger> govdeGirdileri(const Metot &metot, std::string_view govde, int dolu = 0);

// One input from a path segment: "null" is null, numbers and Booleans as
// text ("12", "1.5", "true"), an object as its JSON text.
Deger metinGirdisi(const Parametre &parametre, QStringView metin);

// The empty value of a kind: "" for text, 0 for numbers, false, null for the rest.
Deger bosDeger(Tur tur);
