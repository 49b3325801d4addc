#pragma once

#include <optional>

#include <QLocale>
#include <QString>

class BellekTablo;
class TSonucBilgisi;

// The arithmetic of a basket line and of the basket, apart from the windows
// that show it. r2 below is IkiHaneyeYuvarla.

// Where the basket line editor opens from.
enum class SatirKaynagi
{
    SepetSatiri, // a line of the basket (SatirDuzenle)
    Stok, // the stock list (YeniSatirStok)
    Yeniler, // the new products (YeniSatirYeniler)
    Kampanya, // the campaign products (YeniSatirKampanya)
};

// What the editor shows when it opens.
struct EditorDegerleri
{
    int stokno = 0; // whose picture is shown
    QString barkod, adi, finishkod, marka, model;
    double kdvoran = 0; // VAT rate in percent
    double birimfiyat = 0;
    QString indirimEtiketi;
    double indoran = 0;
    double indtutar = 0;
    double kdvdahiltutar = 0;
    double kdvlifiyat = 0; // VAT-inclusive unit price of the opening amount
    int adet = 1;

    bool operator==(const EditorDegerleri &) const = default;
};

// The exchange rates a cost in foreign currency is converted with.
struct Kurlar
{
    double usd = 1.0;
    double eur = 1.0;
};

// A cost price as the catalogue writes it ("12.50 $", "€ 8.40", "345.20 TL"):
// the stored cost includes 18 % VAT, which is taken out before the
// conversion: r2(number / 1.18 × rate). "." is its decimal point. None when
// the text is not a number.
std::optional<double> MaliyetFiyati(const QString &maliyet, Kurlar kurlar,
                                    const QLocale &yerel = QLocale());

// The editor's opening values from the current row of the source table. A
// "BDM" account gets the cost-based price from the stock, campaign and
// basket-less variants. None when that cost does not read as a number.
std::optional<EditorDegerleri> EditorDegerleriniHesapla(const BellekTablo &kaynak,
                                                        SatirKaynagi nereden, bool bdm,
                                                        Kurlar kurlar,
                                                        const QLocale &yerel = QLocale());

// Hesapla: the discounted price (a rate of 0.0001 or less is no discount),
// the VAT-inclusive price and the amount for the quantity.
struct SatirHesabi
{
    double indtutar = 0;
    double kdvdahiltutar = 0;
    double geneltutar = 0;
};
SatirHesabi SatirHesapla(double birimfiyat, double indoran, double kdvoran, int adet);
// TutarYaz: the opening amount, r2(quantity × kdvlifiyat).
double AcilisTutari(int adet, double kdvlifiyat);

// SepetToplamlari over the selected lines (SEC = 1): T and I summed with a
// rounding after every addition, N = r2(T − I), V = r2(N × 1.18) − N (a flat
// 18 %, whatever the lines' own rates), G = r2(N + V).
struct SepetToplami
{
    double toplam = 0; // T
    double indirim = 0; // I
    double araToplam = 0; // N
    double vergi = 0; // V
    double genelToplam = 0; // G
};
SepetToplami SepetToplamlariniHesapla(const BellekTablo &sepet);
// Whether the basket can be sent: open, with a line whose SEC is 1.
bool SecimVarmi(const BellekTablo &sepet);

// The summary the order confirmation shows: seven lines joined by CR LF.
QString SiparisOzeti(const TSonucBilgisi &oturum, const QString &teslim, const QString &kargoTuru,
                     const QString &tutar, const QString &kargoFirmasi, const QString &aciklama);
