#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>

#include <QDate>
#include <QString>

#include "sunucu/veritabani.h"

// The demo database: a deterministic, fictional but realistic distributor
// with its catalogue, dealers, representatives, baskets, orders, account
// statements, documents and announcements. The same seed, size and date give
// the same data, row for row.

struct DemoAyarlari
{
    std::uint64_t tohum = 1;
    int stokSayisi = 50'000;
    // Dates are laid out backwards from this day (orders of the last year...).
    QDate bugun = QDate::currentDate();
};
inline constexpr int demoEnAzStok = 200;

// The fixed demo logins: the same on every machine, so that tests and
// scripts can log in anywhere.
struct DemoHesabi
{
    QString bilgisayarId;
    QString kullanici;
    QString sifre;
    int musteriTipi;
    QString carikod;
    QString aciklama;
};
std::span<const DemoHesabi> demoHesaplari();

class DemoVeriHatasi : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Fills an empty, migrated database, the catalogue's search index included,
// in one bulk load (Veritabani::topluYukle); refuses one that already has
// accounts. ilerleme hears the name of each step.
void demoVeriUret(Veritabani &vt, const DemoAyarlari &ayarlar,
                  const std::function<void(const QString &)> &ilerleme = {});

// Helpers the generator is built from, open for the tests.
QString ean13(const QString &ilkOnIkiHane); // appends the check digit
bool ean13Gecerli(const QString &barkod);
QString aramaAnahtari(const QString &kod); // upper case, letters and digits only
