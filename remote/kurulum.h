#pragma once

#include <QString>

// The values of an installation: compiled-in defaults that the installation
// file "kurulum.ini" overrides, read from beside the program, else from
// /etc/dotezmar/. Nothing else is read from outside.
//
//     [sunucu]
//     adres=sunucu.ornek.com.tr        ; "https://..." for TLS
//     port=99
//     baglanti_zaman_asimi_ms=5000     ; per connection attempt
//     okuma_zaman_asimi_ms=60000       ; a reply that stalls this long is given up
//     [adresler]
//     web=https://...
//     bayi_portali=https://...
//     guncelleme=http://...
//     [kimlik]
//     takma_seri_1=...                 ; two disk serial numbers that share
//     takma_seri_2=...                 ; one fixed identifier
//     sabit_kimlik=...
struct KurulumDegerleri
{
    QString sunucuAdresi;
    QString port;
    QString webAdresi; // the distributor's web site
    QString bayiPortali; // the dealer portal (online payment page)
    QString guncellemeAdresi; // where the setup package is downloaded from
    int baglantiZamanAsimiMs = 5000;
    int okumaZamanAsimiMs = 60000;
    QString takmaSeri1;
    QString takmaSeri2;
    QString sabitKimlik;

    // The compiled-in defaults.
    static KurulumDegerleri varsayilan();
    bool operator==(const KurulumDegerleri &) const = default;
};

// The values in force, read on first use. Thread-safe.
KurulumDegerleri Kurulum();

// Puts values in force without reading a file (tests point the client at a
// loopback server this way).
void KurulumAyarla(const KurulumDegerleri &degerler);

// The installation file that is read: beside the program, else in /etc/dotezmar/;
// empty when there is none.
QString kurulumDosyasi();

// The values of a file over `temel`: keys the file does not set, or sets to
// something unusable, keep the value of `temel`.
KurulumDegerleri kurulumDosyasiOku(const QString &yol,
                                   const KurulumDegerleri &temel = KurulumDegerleri::varsayilan());
bool kurulumDosyasiYaz(const QString &yol, const KurulumDegerleri &degerler);
