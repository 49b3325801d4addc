#pragma once

#include "remote/nesnetanimi.h"

// The session record and the two small status records (wire unit "baglantiu").
// Values, not shared objects: a copy sent with a call can never alias the
// window's own record.

// Field order is the wire order.
#define TSONUCBILGISI_ALANLARI(ALAN)                                                               \
    ALAN(QString, BILGISAYARID, {})                                                                \
    ALAN(QString, SaticiMail, {})                                                                  \
    ALAN(int, Sirano, 0)                                                                           \
    ALAN(QString, CariAdi, {})                                                                     \
    ALAN(QString, SIFRE, {})                                                                       \
    ALAN(int, SaticiNo, 0)                                                                         \
    ALAN(int, CARINO, 0)                                                                           \
    ALAN(int, AKTIF, 0)                                                                            \
    ALAN(QString, Kullanicimail, {})                                                               \
    ALAN(QString, ADI, {})                                                                         \
    ALAN(QString, SaticiTelefon, {})                                                               \
    ALAN(QString, carikod, {})                                                                     \
    ALAN(bool, Varmi, false)                                                                       \
    ALAN(QString, SaticiAdi, {})                                                                   \
    ALAN(QString, BilgiSayarAdi, {})                                                               \
    ALAN(QString, Disip, {})                                                                       \
    ALAN(QString, Icip, {})                                                                        \
    ALAN(QString, BilgisayarKullanici, {})                                                         \
    ALAN(int, MusteriTipi, 1)                                                                      \
    ALAN(int, Version, 1)

// Who is logged in, for which account, on which computer.
class TSonucBilgisi
{
    TSONUCBILGISI_ALANLARI(DOTEZMAR_ALAN)

public:
    // Copies every field of kaynak; afterwards the two are equal field by field.
    void Kopyala(const TSonucBilgisi &kaynak);
    bool operator==(const TSonucBilgisi &) const = default;
    static const NesneTanimi<TSonucBilgisi> &tanim();
};

#define TSIPARISDIPAYRINTI_ALANLARI(ALAN)                                                          \
    ALAN(QString, SizinMesaj, {})                                                                  \
    ALAN(QString, Durumu, {})                                                                      \
    ALAN(QString, Veren, {})                                                                       \
    ALAN(QString, Kargo, {})                                                                       \
    ALAN(QString, BizimMesaj, {})                                                                  \
    ALAN(QString, TeslimCinsi, {})                                                                 \
    ALAN(QString, KargoCinsi, {})                                                                  \
    ALAN(QString, SaticiNotu, {})

// The footer of one order.
class TSiparisDipAyrinti
{
    TSIPARISDIPAYRINTI_ALANLARI(DOTEZMAR_ALAN)

public:
    void Kopyala(const TSiparisDipAyrinti &kaynak);
    bool operator==(const TSiparisDipAyrinti &) const = default;
    static const NesneTanimi<TSiparisDipAyrinti> &tanim();
};

#define TTUSSONUCLARI_ALANLARI(ALAN)                                                               \
    ALAN(int, Alindi, 0)                                                                           \
    ALAN(int, Onaylandi, 0)                                                                        \
    ALAN(int, ParcaliHazirlandi, 0)                                                                \
    ALAN(int, SevkEdildi, 0)                                                                       \
    ALAN(int, Hazirlandi, 0)                                                                       \
    ALAN(int, Goruldu, 0)

// The number of orders in each processing state.
class TTusSonuclari
{
    TTUSSONUCLARI_ALANLARI(DOTEZMAR_ALAN)

public:
    void Kopyala(const TTusSonuclari &kaynak);
    bool operator==(const TTusSonuclari &) const = default;
    static const NesneTanimi<TTusSonuclari> &tanim();
};
