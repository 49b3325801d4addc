#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"
#include "sunucu/veritabani.h"

// Users, their registered computers and the login record. The store behind
// BuyukGetir and the administration commands.

// The client version the server expects; a client of another version updates
// itself at login.
inline constexpr int varsayilanIstemciSurumu = 3;
int istemciSurumu(Veritabani &vt);
void istemciSurumuAyarla(Veritabani &vt, int surum);

// The session record registered for a computer identifier. An unknown or
// empty identifier gives a record with Varmi false (and the expected version,
// so that the client goes on to its registration request, not to an update).
TSonucBilgisi oturumKaydi(Veritabani &vt, const QString &bilgisayarId);

// The address, tax and contact details of the account a user acts for, with
// the account's totals: the user named by record number (sirano > 0), else
// the user the computer is registered for. nullopt when there is none.
std::optional<TMobilCariBilgisi> cariBilgisi(Veritabani &vt, int sirano,
                                             const QString &bilgisayarId);

struct KullaniciOzeti
{
    int sirano = 0;
    QString adi;
    int musteriTipi = 0;
    bool aktif = false;
    QString carikod;
    QString cariadi;
    QStringList bilgisayarlar;
};
std::vector<KullaniciOzeti> kullanicilar(Veritabani &vt);

// Registers a computer for a user (named by login name). A computer already
// registered to someone else moves to this user; the previous owner is
// returned. Throws VtHatasi with a readable message on bad input.
std::optional<QString> bilgisayarKaydet(Veritabani &vt, const QString &kullaniciAdi,
                                        const QString &bilgisayarId, const QString &aciklama = {});
// False when the computer was not registered.
bool bilgisayarSil(Veritabani &vt, const QString &bilgisayarId);
void sifreAyarla(Veritabani &vt, const QString &kullaniciAdi, const QString &sifre);
void aktifAyarla(Veritabani &vt, const QString &kullaniciAdi, bool aktif);
