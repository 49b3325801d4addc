#pragma once

#include <functional>

#include <QString>

// The one message dialog of the program: Turkish titles and button captions, the default button
// focused (Enter presses it), centred on the screen, font size 15, the desktop's sound per type.

enum class MesajTuru : int
{
    Uyari = 0, // "Uyarı"
    Hata = 1, // "Hata"
    Bilgi = 2, // "Bilgi"
    Soru = 3, // "Soru"
    Ozel = 4, // no title or sound of its own
};

// Buttons by index, in the order the dialog lays them out. The default-button argument is an
// index; the set of buttons is the sum of their bits (DugmeBiti).
namespace Dugme {
enum : int
{
    Evet = 0,
    Hayir = 1,
    Tamam = 2,
    Vazgec = 3,
    Iptal = 4,
    Tekrar = 5,
    Atla = 6,
    TumuneHayir = 8,
    TumuneEvet = 9,
    Yardim = 10,
};
} // namespace Dugme

constexpr int DugmeBiti(int dugme)
{
    return 1 << dugme;
}
inline constexpr int TamamDugmesi = DugmeBiti(Dugme::Tamam); // 4
inline constexpr int EvetHayirDugmeleri = DugmeBiti(Dugme::Evet) | DugmeBiti(Dugme::Hayir); // 3

// What a press returns. Escape and the window's close box answer like the Vazgeç button, or
// Hayır, or Tamam, whichever the dialog has first; without any of them, Vazgec.
namespace MesajSonucu {
enum : int
{
    Tamam = 1,
    Vazgec = 2,
    Iptal = 3,
    Tekrar = 4,
    Atla = 5,
    Evet = 6,
    Hayir = 7,
    TumuneHayir = 13,
    TumuneEvet = 14,
};
} // namespace MesajSonucu

// Shows the dialog modally and returns the result of the pressed button. yardimBaglami is
// ignored. A default button that is not in the set leaves the usual one (Tamam, else Evet,
// else the first). A set with no known button shows Tamam alone.
int MesajKutusu(const QString &metin, MesajTuru tur, int dugmeler, int yardimBaglami,
                int varsayilanDugme);

// The usual calls: an error, a notice or a warning with Tamam, and a Yes/No question that
// returns true for Evet.
void HataMesajiGoster(const QString &metin);
void BilgiMesajiGoster(const QString &metin);
void UyariMesajiGoster(const QString &metin);
bool SoruSor(const QString &soru, int varsayilanDugme = Dugme::Evet);

// The sound of each type is a desktop sound event ("dialog-error", ...), played through the
// desktop's sound theme where a player is installed, else the system beep. Replaceable, so tests
// can hear it; an empty player restores the default. Returns the previous player.
using MesajSesiCalici = std::function<void(const QString &sesOlayi)>;
MesajSesiCalici MesajSesiCaliciKur(MesajSesiCalici calici);
