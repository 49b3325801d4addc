#pragma once

// Internal to the wire library: the simdjson side of reading replies, shared
// by the object, table and reply readers. Not included by anything outside
// remote/.

#include <optional>
#include <simdjson.h>
#include <string_view>

#include <QString>

#include "remote/cagri.h"
#include "remote/nesnejson.h"
#include "remote/uzakhata.h"

class BellekTablo;

namespace jsonic {

[[noreturn]] void cevapHatasi(const QString &mesaj);

QString metin(std::string_view utf8);

// The value of a simdjson result, or a reply error naming what was read.
template<class T> T al(simdjson::simdjson_result<T> sonuc, const char *ne)
{
    T deger {};
    if (const auto hata = std::move(sonuc).get(deger); hata != simdjson::SUCCESS) {
        cevapHatasi(
            QStringLiteral("%1 okunamadı (%2)")
                .arg(QString::fromUtf8(ne), QString::fromUtf8(simdjson::error_message(hata))));
    }
    return deger;
}

// An object of the JSON object form held in a parsed document.
std::optional<Nesne> nesneOku(simdjson::dom::element oge, std::string_view beklenen);

// An object whose text is followed by SIMDJSON_PADDING readable bytes (a
// view into a larger padded buffer), read without a copy.
std::optional<Nesne> dolguluNesneOku(std::string_view json, std::string_view beklenen);

// The outputs of a 2xx reply (see cevapOku) whose text is followed by
// SIMDJSON_PADDING readable bytes, read without a copy.
std::vector<Deger> dolguluCevapOku(const Metot &metot, std::string_view govde);

// A table value ({"table":[...],"COL":[...],...}) into a new table.
BellekTablo tabloOku(simdjson::ondemand::value deger);

} // namespace jsonic
