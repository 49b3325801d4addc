#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <QString>

// The request line of a DataSnap REST call, taken apart:
//   VERB /datasnap/rest/<Class>/<Method>/<param>/<param>/...
// The context names and the class and method names are matched without
// regard to case. Path segments are split on raw "/" and each is
// percent-decoded on its own, so "%2F" inside a value stays a "/".
struct RestYolu
{
    enum class Tur {
        Metot, // a server method call
        OturumKapat, // /datasnap/rest/CloseSession/
        Bulunamadi, // outside the DataSnap context: 404
        Desteklenmiyor, // another sub-context, or a verb REST does not know: 501
    };

    Tur tur = Tur::Bulunamadi;
    QString sinif; // as written in the path
    // The method to run: the name as written, with the verb's prefix
    // ("update" for POST, "accept" for PUT, "cancel" for DELETE) unless the
    // name was quoted or the class is DSAdmin or DSMetadata.
    QString metot;
    // Values from the path; nullopt is the literal segment "null".
    std::vector<std::optional<QString>> parametreler;
    // A successful call answers 201 (PUT) instead of 200.
    int basariDurumu = 200;
};

// hedef is the raw request target (the query, if any, is ignored).
RestYolu restYoluCoz(std::string_view fiil, std::string_view hedef);

// Percent-decodes one path segment as UTF-8; malformed escapes stay as text.
QString yuzdeCoz(std::string_view parca);
