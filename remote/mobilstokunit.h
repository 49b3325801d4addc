#pragma once

#include <QList>

#include "remote/nesnetanimi.h"

// The transfer objects of the wire unit "mobilstokunit": a stock item, a
// basket line, a customer account's details, an opening-screen item, and
// their lists. Values, like the session record: a list owns its items.

// Field order is the wire order.
#define TMOBILSTOK_ALANLARI(ALAN)                                                                  \
    ALAN(int, StokNo, 0)                                                                           \
    ALAN(int, ResimVar, 0)                                                                         \
    ALAN(QString, Resim, {})                                                                       \
    ALAN(int, Yeni, 0)                                                                             \
    ALAN(QString, Departman, {})                                                                   \
    ALAN(double, VerilenSiparis, 0)                                                                \
    ALAN(QString, AltGrup, {})                                                                     \
    ALAN(int, Durum, 0)                                                                            \
    ALAN(QString, Renk, {})                                                                        \
    ALAN(QString, Birim, QStringLiteral("ADET"))                                                   \
    ALAN(double, KDV, 18)                                                                          \
    ALAN(double, AlinanSiparis, 0)                                                                 \
    ALAN(double, Isk2, 0)                                                                          \
    ALAN(QString, AnaGrup, {})                                                                     \
    ALAN(QString, Kod, {})                                                                         \
    ALAN(double, Isk3, 0)                                                                          \
    ALAN(double, ListeFiyati, 0)                                                                   \
    ALAN(QString, Beden, {})                                                                       \
    ALAN(double, NetFiyat, 0)                                                                      \
    ALAN(double, Isk1, 0)                                                                          \
    ALAN(double, KDVliFiyat, 0)                                                                    \
    ALAN(double, Isk4, 0)                                                                          \
    ALAN(QString, OzelKod, {})                                                                     \
    ALAN(int, Kampnayali, 0)                                                                       \
    ALAN(QString, Barkod, {})                                                                      \
    ALAN(double, IndirimOran, 0)                                                                   \
    ALAN(double, Kalan, 0)                                                                         \
    ALAN(QString, UreticiKod, {})                                                                  \
    ALAN(double, KampanyaliFiyat, 0)                                                               \
    ALAN(QString, OemNo, {})                                                                       \
    ALAN(int, BarkodNo, 0)                                                                         \
    ALAN(QString, PKod, {})                                                                        \
    ALAN(QString, DpKod, {})                                                                       \
    ALAN(QString, Adi, {})                                                                         \
    ALAN(double, Fiyat, 0)

// One stock item.
class TMobilStok
{
    TMOBILSTOK_ALANLARI(DOTEZMAR_ALAN)

public:
    // Copies every field, the two item codes included.
    void Kopyala(const TMobilStok &kaynak);
    bool operator==(const TMobilStok &) const = default;
    static const NesneTanimi<TMobilStok> &tanim();
};

// Dates (TARIH, VERILISTARIHI) are day-count doubles; ACIKLAMA is an integer
// and IDNO a double on the wire, and stay so.
#define TMOBILSEPET_ALANLARI(ALAN)                                                                 \
    ALAN(int, KARGOID, 0)                                                                          \
    ALAN(int, StokNo, 0)                                                                           \
    ALAN(double, TARIH, 0)                                                                         \
    ALAN(int, SIRANO, 0)                                                                           \
    ALAN(QString, CARIADI, {})                                                                     \
    ALAN(double, VERILISTARIHI, 0)                                                                 \
    ALAN(int, Durum, 0)                                                                            \
    ALAN(double, MIKTAR, 0)                                                                        \
    ALAN(int, VERENIDNO, 0)                                                                        \
    ALAN(double, NETTUTAR, 0)                                                                      \
    ALAN(double, KDVLITUTAR, 0)                                                                    \
    ALAN(double, KDV, 0)                                                                           \
    ALAN(int, AKTAR, 0)                                                                            \
    ALAN(QString, SAAT, {})                                                                        \
    ALAN(double, VERGITUTARI, 0)                                                                   \
    ALAN(QString, PKod, {})                                                                        \
    ALAN(QString, MODEL, {})                                                                       \
    ALAN(double, INDIRIMTUTAR, 0)                                                                  \
    ALAN(int, STOK_STOKNO, 0)                                                                      \
    ALAN(double, BIRIMFIYAT, 0)                                                                    \
    ALAN(int, SEC, 0)                                                                              \
    ALAN(QString, OEM2, {})                                                                        \
    ALAN(QString, OEM3, {})                                                                        \
    ALAN(QString, AnaGrup, {})                                                                     \
    ALAN(QString, MARKA, {})                                                                       \
    ALAN(QString, VEREN, {})                                                                       \
    ALAN(QString, STOKADI, {})                                                                     \
    ALAN(QString, OEM1, {})                                                                        \
    ALAN(int, CARINO, 0)                                                                           \
    ALAN(int, VERENSIRANO, 0)                                                                      \
    ALAN(int, ACIKLAMA, 0)                                                                         \
    ALAN(double, INDIRIMORANI2, 0)                                                                 \
    ALAN(QString, OEM4, {})                                                                        \
    ALAN(QString, KUR, {})                                                                         \
    ALAN(double, INDIRIMORANI3, 0)                                                                 \
    ALAN(int, SIPARISNO, 0)                                                                        \
    ALAN(double, IDNO, 0)                                                                          \
    ALAN(QString, OzelKod, {})                                                                     \
    ALAN(QString, DpKod, {})                                                                       \
    ALAN(double, KURTL, 0)                                                                         \
    ALAN(double, INDIRIMORANI1, 0)                                                                 \
    ALAN(QString, DIGERADI, {})                                                                    \
    ALAN(QString, Barkod, {})                                                                      \
    ALAN(double, TUTAR, 0)                                                                         \
    ALAN(QString, URETICIKODU, {})                                                                 \
    ALAN(double, Kalan, 0)                                                                         \
    ALAN(QString, FINISHKOD, {})                                                                   \
    ALAN(QString, CARIKOD, {})                                                                     \
    ALAN(double, NETBIRIMFIYAT, 0)                                                                 \
    ALAN(QString, OemNo, {})                                                                       \
    ALAN(int, TESLIMID, 0)                                                                         \
    ALAN(int, ResimVar, 0)                                                                         \
    ALAN(QString, Resim, {})

// One basket line.
class TMobilSepet
{
    TMOBILSEPET_ALANLARI(DOTEZMAR_ALAN)

public:
    void Kopyala(const TMobilSepet &kaynak);
    bool operator==(const TMobilSepet &) const = default;
    static const NesneTanimi<TMobilSepet> &tanim();
};

#define TMOBILCARIBILGISI_ALANLARI(ALAN)                                                           \
    ALAN(QString, BILGISAYARID, {})                                                                \
    ALAN(QString, SEHIR, {})                                                                       \
    ALAN(QString, FAX1, {})                                                                        \
    ALAN(QString, SATICIMAIL, {})                                                                  \
    ALAN(QString, SATICIADI, {})                                                                   \
    ALAN(QString, CARIADI, {})                                                                     \
    ALAN(QString, EMAIL, {})                                                                       \
    ALAN(QString, VERGIDAIRESI, {})                                                                \
    ALAN(QString, YETKILI, {})                                                                     \
    ALAN(QString, AltGrup, {})                                                                     \
    ALAN(QString, TEL2, {})                                                                        \
    ALAN(QString, SIFRE, {})                                                                       \
    ALAN(QString, GSM, {})                                                                         \
    ALAN(QString, TEL1, {})                                                                        \
    ALAN(QString, ADRES2, {})                                                                      \
    ALAN(double, TLBORC, 0)                                                                        \
    ALAN(double, TLALACAK, 0)                                                                      \
    ALAN(QString, ADRES1, {})                                                                      \
    ALAN(QString, ULKE, {})                                                                        \
    ALAN(QString, AnaGrup, {})                                                                     \
    ALAN(int, CARINO, 0)                                                                           \
    ALAN(double, TLBAKIYE, 0)                                                                      \
    ALAN(QString, VERGINO, {})                                                                     \
    ALAN(QString, MAIL, {})                                                                        \
    ALAN(QString, OzelKod, {})                                                                     \
    ALAN(QString, KULLANICIADI, {})                                                                \
    ALAN(QString, SATICITELEFON, {})                                                               \
    ALAN(QString, CARIKOD, {})                                                                     \
    ALAN(QString, FAX2, {})                                                                        \
    ALAN(QString, ILCE, {})

// One customer account's address, tax and contact details.
class TMobilCariBilgisi
{
    TMOBILCARIBILGISI_ALANLARI(DOTEZMAR_ALAN)

public:
    void Kopyala(const TMobilCariBilgisi &kaynak);
    bool operator==(const TMobilCariBilgisi &) const = default;
    static const NesneTanimi<TMobilCariBilgisi> &tanim();
};

#define TACILISEKRAN_ALANLARI(ALAN)                                                                \
    ALAN(int, SiraNo, 0)                                                                           \
    ALAN(QString, Resim, {})                                                                       \
    ALAN(QString, Baslik, {})                                                                      \
    ALAN(QString, Arama, {})

// One opening-screen item: an opening advertisement or an announcement. The
// picture is the image file as hexadecimal digits, two per byte.
class TAcilisEkran
{
    TACILISEKRAN_ALANLARI(DOTEZMAR_ALAN)

public:
    bool operator==(const TAcilisEkran &) const = default;
    static const NesneTanimi<TAcilisEkran> &tanim();
};

// The owning lists: on the wire an object whose fields carry the count
// ("FListHelper") and the items ("FItems").
class TMobilStoklar : public QList<TMobilStok>
{
public:
    using QList::QList;
    static const QString &tipAdi();
};

class TMobilSepetler : public QList<TMobilSepet>
{
public:
    using QList::QList;
    static const QString &tipAdi();
};

class TAcilisEkranlar : public QList<TAcilisEkran>
{
public:
    using QList::QList;
    static const QString &tipAdi();
};

// A plain object whose one field is an array of opening-screen items.
class TAcilisEkranlariki
{
public:
    QList<TAcilisEkran> Ekranlar() const { return FEkranlar; }
    void setEkranlar(const QList<TAcilisEkran> &deger) { FEkranlar = deger; }
    bool operator==(const TAcilisEkranlariki &) const = default;
    static const QString &tipAdi();

private:
    QList<TAcilisEkran> FEkranlar;
};
