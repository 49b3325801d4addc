#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "remote/baglantiu.h"
#include "remote/tablo/bellektablo.h"
#include "sunucu/veritabani.h"

// The catalogue as a dealer searches it: the search index, the stock search
// with the account's own prices, and the items' pictures.
//
// A search text matches an item when
//   * its code key (the text upper-cased, Turkish letters folded to plain
//     Latin, everything but letters and digits removed) equals or begins one
//     of the item's code keys: barcodes, product code, manufacturer code, OEM
//     numbers; so "0 986 494 104", "0986-494-104" and "0986.494/104" find the
//     same item; or
//   * each of its words begins a word of the item's description.
// Exact code matches come first, then code prefixes, then description
// matches; at most stokAramaSiniri rows come back.

// The most rows one search answers with. A dealer narrows a search rather
// than reading further; the grid stays quick at this size.
inline constexpr int stokAramaSiniri = 10'000;
// A trimmed search text shorter than this finds nothing.
inline constexpr int stokAramaEnAzHarf = 3;

// Upper case with the Turkish letters folded to plain Latin (Ç→C, Ğ→G, İ/ı→I,
// Ö→O, Ş→S, Ü→U, and the circumflexed vowels), the way the search box types.
QString aramaKatla(QStringView metin);
// The code key of a text: folded, letters and digits only.
QString kodAnahtari(QStringView metin);
// The folded words of a text (runs of letters and digits), each once, in order.
QStringList aramaKelimeleri(QStringView metin);

// Rebuilds the search index (code keys and description words) from the
// stored catalogue. Run after a bulk load of the catalogue; one transaction.
void katalogDiziniKur(Veritabani &vt);
// True when the catalogue has items but the index has none (a database
// loaded before the index existed, or by another program).
bool katalogDiziniEksik(Veritabani &vt);

// The stock rows matching metin for the session's account: its prices,
// discounts and the staff columns when the session's user is staff (types 1
// and 2, or an account code with "BDM"); dealers get those columns empty.
BellekTablo stokAra(Veritabani &vt, const QString &metin, const TSonucBilgisi &bilgi);

// An item's price for an account. A campaign item sells at its campaign
// price without discount; any other at the list price less the account's
// discount (its rate for the item's brand where it has one):
//   net = r2(fiyat − r2(fiyat × indirim / 100)), kdvDahil = r2(net × (1 + kdv / 100)).
struct HesapFiyati
{
    double fiyat = 0;
    double indirim = 0;
    double net = 0;
    double kdvDahil = 0;
};
HesapFiyati hesapFiyati(double listeFiyati, double kampanyaFiyati, int kampanya,
                        double indirimOrani, double kdv);

// What a basket line takes from the catalogue for an account.
struct KalemBilgisi
{
    QString barkod; // the item's first barcode
    QString adi;
    double kdv = 0;
    int kampanya = 0;
    HesapFiyati fiyat;
};
// None when the account or the active item does not exist.
std::optional<KalemBilgisi> kalemBilgisi(Veritabani &vt, int carino, int stokno);

// The item's picture (JPEG bytes); empty when it has none.
QByteArray stokResmi(Veritabani &vt, int stokno);

// Whether the user may see cost prices and set prices and discounts: types 1
// and 2, and users of an account whose code contains "BDM".
bool personelKullanici(Veritabani &vt, int kullaniciNo);
