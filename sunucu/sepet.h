#pragma once

#include <QString>

#include "remote/baglantiu.h"
#include "remote/tablo/bellektablo.h"
#include "sunucu/veritabani.h"

// The basket the server keeps for each account, and the order it becomes.
//
// A line keeps what the client sent (quantity, unit price, discount rate,
// VAT rate); its amounts are worked out here whenever the basket is read:
//   TUTAR         = r2(MIKTAR × BIRIMFIYAT)
//   INDIRIMTUTAR  = r2(TUTAR × INDIRIMORANI1 / 100)
//   NETTUTAR      = r2(TUTAR − INDIRIMTUTAR)
//   NETBIRIMFIYAT = r2(BIRIMFIYAT − r2(BIRIMFIYAT × INDIRIMORANI1 / 100))
//   VERGITUTARI   = r2(NETTUTAR × KDV / 100)
// (r2: two decimals, half away from zero.) Prices and discounts a dealer
// sends are replaced by the catalogue's for the account: only staff (see
// personelKullanici) set their own.
//
// Bad input (a quantity that is not positive, a rate outside 0..100, an
// unknown account, item or user) throws MetotHatasi and changes nothing.

// Quantities above this are refused (the editor offers 1 to 10000).
inline constexpr double sepetEnCokMiktar = 1'000'000;
// The longest order note kept.
inline constexpr int siparisNotuEnCok = 4000;

struct SepetSatiri
{
    int carino = 0;
    int stokno = 0;
    QString barkod;
    QString stokadi;
    double miktar = 0;
    double kdv = 0;
    double fiyat = 0;
    double indirim = 0;
    int verenid = 0;
    int kampanya = 0;
};

// The basket of an account, one row per line, with the amounts above.
BellekTablo sepetVer(Veritabani &vt, int carino);
// Adds a line; a line of the same item already in the basket takes the
// added quantity (so an item is never in a basket twice). 1 when added.
int sepetEkle(Veritabani &vt, const SepetSatiri &satir);
// Changes the quantity, price and rates of the account's line sirano
// (the item stays). 1 when changed, 0 when there is no such line.
int sepetGuncelle(Veritabani &vt, const SepetSatiri &satir, int sirano);
// Deletes the account's line sirano. 1 when deleted, 0 when there was none.
int sepetSatirSil(Veritabani &vt, int carino, int sirano);
// Empties the account's basket; the number of lines deleted.
int sepetHepsiniSil(Veritabani &vt, int carino);
// Sets the selection mark of a line (any value but 0 selects).
void sepetSecimGuncelle(Veritabani &vt, int sirano, int secim);

// Delivery options and shipping types (NUMARA, ADI), and the carriers of a
// shipping type (SIRANO, ADI, UYARI, KARGOTURU).
BellekTablo teslimSecenekleri(Veritabani &vt);
BellekTablo kargoTurleri(Veritabani &vt);
BellekTablo kargoFirmalari(Veritabani &vt, int kargoTuru);

struct SiparisIstegi
{
    int carino = 0;
    int teslim = 0;
    int kargoTuru = 0;
    int kargoFirma = 0;
    QString aciklama;
    int verenid = 0;
};

// Turns the account's selected lines into one order, in one transaction:
// the lines are taken out of the basket and written as the order's lines,
// all or nothing. Lines are claimed by deleting them, so a repeated or
// concurrent call finds nothing left to send. False when no line is
// selected; the new order's number otherwise (through idno).
bool siparisKaydet(Veritabani &vt, const SiparisIstegi &istek, int *idno = nullptr);
