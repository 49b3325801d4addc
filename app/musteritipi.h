#pragma once

#include <QList>
#include <QString>

class TSonucBilgisi;
class VeriIzgarasi;

// The lists whose columns depend on the customer's type.
enum class MusteriListesi
{
    Stok,
    Yeniler,
    Kampanya,
    Sepet,
};

// A column a rule switches: shown and offered in the column chooser, or hidden and removed
// from it.
struct KolonKurali
{
    QString alan;
    bool gorunur = false; // also: offered in the chooser

    bool operator==(const KolonKurali &) const = default;
};

// What the logged-in customer's type changes in the main window. The three rules are
// independent:
//   staff (type 1 or 2, or a customer code containing "BDM", upper case, anywhere):
//       "Başka Cari Seç", and the stock, order and cost columns of the lists;
//   type 3: the basket's DURUM column is hidden;
//   type 4: the campaign tab and the stock list's K column are hidden.
// Every grid applies the rules of its list when it is made (uygula).
class MusteriTipiKurallari
{
public:
    MusteriTipiKurallari() = default; // no rule applies
    MusteriTipiKurallari(int musteriTipi, const QString &cariKod);
    explicit MusteriTipiKurallari(const TSonucBilgisi &oturum);

    bool personel() const { return personel_; }
    bool baskaCariSecGorunur() const { return personel_; }
    bool sepetDurumuGizli() const { return sepetDurumuGizli_; }
    bool kampanyaSekmesiGorunur() const { return !kampanyaGizli_; }

    // The columns of a list that the rules switch, in the order they are applied.
    QList<KolonKurali> kolonlar(MusteriListesi liste) const;
    // Shows or hides the list's columns in a grid and offers or removes them in its chooser.
    void uygula(MusteriListesi liste, VeriIzgarasi &izgara) const;

private:
    bool personel_ = false;
    bool sepetDurumuGizli_ = false;
    bool kampanyaGizli_ = false;
};
