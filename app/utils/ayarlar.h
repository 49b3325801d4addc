#pragma once

#include <QString>

// The remembered login, "ayar.ini" in the program's folder: section "kullanici" with the keys
// "isim", "sifre" and "hatırla" ("1"/"0"). The key "hatırla" is written as it stands, in UTF-8,
// so any INI reader finds it. The file holds a password: it is readable by its owner only.
struct KullaniciAyarlari
{
    QString isim;
    QString sifre;
    bool hatirla = true;

    bool operator==(const KullaniciAyarlari &) const = default;
};

// UygulamaKlasoru() + "/ayar.ini".
QString AyarDosyasi();

// A missing or unreadable file, section or key gives the defaults (empty, empty, true). A
// "hatırla" value that is not a whole number also gives true; any other number but 0 is true.
KullaniciAyarlari KullaniciAyarlariniOku(const QString &dosya = AyarDosyasi());

// Writes the three keys, keeping every other section, key and comment of the file. The new
// file replaces the old one whole (never half-written). False, with the reason in hata, when it
// cannot be written or a value holds a line break; the file is then left as it was.
bool KullaniciAyarlariniYaz(const KullaniciAyarlari &ayarlar, const QString &dosya = AyarDosyasi(),
                            QString *hata = nullptr);
