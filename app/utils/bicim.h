#pragma once

#include <memory>
#include <optional>

#include <QLocale>
#include <QString>
#include <QStringView>

class BellekTablo;

// Number display patterns, read the way dealers' reports have always read them:
//
//   0      a digit, or 0 when the number has none in that place
//   #      a digit, or nothing
//   .      the decimal separator (the first one counts); no fraction digits left, no separator
//   ,      anywhere in the integer part: group the integer digits by three
//   ;      separates the sections positive;negative;zero (an empty section uses the first)
//   '..'   literal text (also "..."); any other character is copied as it stands
//
// The digits after the point are rounded half away from zero on the value as it is stored
// (2.345 is stored a little below the half and shows 2,34). Trailing fraction digits drop back
// to the last 0 placeholder. An empty pattern is the general format: up to 15 significant
// digits, no grouping, exponent form for very large or very small values (1,5E-7).
// Separators and the minus sign come from the locale.

// Money in grids, totals and labels: 1234.5 -> 1.234,50 in Turkish.
inline constexpr QStringView ParaBicimi = u"#,###,##0.00";
// The intermediate text of two-decimal rounding: 0.5 -> ,50 (no digit before the separator).
inline constexpr QStringView YuvarlamaBicimi = u"#,###,##.00";

// A pattern read once, for formatting many values (a grid column keeps one).
class SayiBicimi
{
public:
    SayiBicimi(); // the general format
    explicit SayiBicimi(QStringView desen);

    const QString &desen() const { return desen_; }
    bool genel() const { return !ayrisim_; }
    QString uygula(double deger, const QLocale &yerel = QLocale()) const;

private:
    struct Ayrisim;
    QString desen_;
    std::shared_ptr<const Ayrisim> ayrisim_; // null: the general format
};

// One value with a pattern read on the spot.
QString SayiBicimle(double deger, QStringView desen, const QLocale &yerel = QLocale());

// Reads a number back as the locale writes it: group separators are skipped, a leading decimal
// separator (",50") is a fraction, a leading minus is kept, an exponent (E-7) is allowed.
// No value for anything else, also for an empty text.
std::optional<double> SayiOku(QStringView metin, const QLocale &yerel = QLocale());

// Rounds to two decimals, half away from zero on the value as stored: 0.5 stays 0.5,
// -1234.567 gives -1234.57. Infinities and NaN come back unchanged.
double IkiHaneyeYuvarla(double deger);

// Gives every plain floating-point (Double) field of the table the money format; currency,
// BCD, integer and text fields keep theirs. Safe on a worker while no view listens.
void ParaBicimiUygula(BellekTablo &tablo);
