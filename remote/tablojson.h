#pragma once

#include <optional>
#include <string_view>

#include <QDateTime>
#include <QString>

#include "remote/tablo/bellektablo.h"

class JsonYazici;

// A table travels column by column:
//     {"table":[["STOKNO",6,0,0,0,4,4,0,true,false,0,false,false],...],
//      "STOKNO":[1,2,...],"ADI":["...",...],...}
// "table" holds one 13-element descriptor per column (name, DBX type code,
// ordinal, subtype, scale, size, precision, child position, nullable,
// hidden, parameter direction, value parameter, literal); then one array of
// values per column, keyed by the column name. Dates are strings
// "YYYY-MM-DD hh:nn:ss.F" (F: milliseconds, not zero-padded), dates alone
// "YYYY-MM-DD", times "hh:nn:ss"; blobs are arrays of byte values; null is null.

enum class BosTabloBicimi
{
    Kolonlu, // descriptors and empty arrays: the client keeps the column set
    Yalin, // {"table":[]}: a table without rows has no columns either
};

void tabloYaz(JsonYazici &yazici, const BellekTablo &tablo,
              BosTabloBicimi bosBicim = BosTabloBicimi::Kolonlu);

// Reads a table into a new BellekTablo whose columns are exactly the
// descriptors'. Accepts the zero-row form {"table":[]}, reads dates
// tolerantly (date, optional " hh:nn:ss", optional ".digits"), takes blobs as
// byte arrays. Arrays of different lengths, a value that does not fit its
// column, or text that is not such a table: throws UzakHata (Tur::Cevap),
// and nothing half-read is ever handed out.
BellekTablo tabloOku(std::string_view json);

// A cell date as the table form writes it, for the column's DBX type.
QString tabloZamanMetni(DbxTipi tip, const QDateTime &zaman);
// Reads "YYYY-MM-DD", "YYYY-MM-DD hh:nn:ss", "YYYY-MM-DD hh:nn:ss.F",
// "YYYY-MM-DD.F", "hh:nn:ss" (a time alone), with 'T' also taken as the
// separator; none for anything else.
std::optional<QDateTime> tabloZamaniOku(std::string_view metin);
