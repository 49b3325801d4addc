#pragma once

#include <QDialog>
#include <QLineEdit>

#include "catalog/fiyathesabi.h"

class QLabel;
class QPushButton;
class QSpinBox;

// An amount box: shows its value in the money format, also while it is
// edited (the text is formatted again when editing ends).
class ParaKutusu final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ParaKutusu)

public:
    explicit ParaKutusu(QWidget *ust = nullptr);
    // The value of the text as the locale writes it; 0 when it is not a number.
    double deger() const;
    void setDeger(double deger);
};

// The basket line editor "Sepete Ekle": the product with its picture, the
// quantity, the unit price and discount, and the discounted, VAT-inclusive
// and total prices worked out as the user types. Closes with Accepted on
// "Sipariş ekle" (or Enter in the quantity); the caller reads the values
// after it has closed.
class Tstokayarinti final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tstokayarinti)

public:
    explicit Tstokayarinti(QWidget *ust = nullptr);

    // Fills the editor; fiyatDegistirilebilir opens the price and rate boxes.
    void doldur(const EditorDegerleri &degerler, bool fiyatDegistirilebilir);
    // The product's picture; a picture that does not decode leaves the placeholder.
    void setResim(const QImage &resim);
    bool resimYuklendi() const { return resimYuklendi_; }

    // The amount shown when the dialog opens: quantity × kdvlifiyat.
    void TutarYaz();
    // The discounted and VAT-inclusive prices and the amount, from the boxes.
    void Hesapla();

    double kdvoran() const { return kdvoran_; }
    double kdvlifiyat() const { return kdvlifiyat_; }

    QSpinBox *adet() const { return adet_; }
    ParaKutusu *birimfiyat() const { return birimfiyat_; }
    QLabel *indirimoran() const { return indirimoran_; }
    ParaKutusu *indoran() const { return indoran_; }
    ParaKutusu *indtutar() const { return indtutar_; }
    ParaKutusu *kdvdahiltutar() const { return kdvdahiltutar_; }
    ParaKutusu *geneltutar() const { return geneltutar_; }
    QLabel *Image1() const { return Image1_; }
    QPushButton *ParcaliTus1() const { return ParcaliTus1_; }
    QPushButton *ParcaliTus2() const { return ParcaliTus2_; }

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;
    void showEvent(QShowEvent *olay) override;
    void resizeEvent(QResizeEvent *olay) override;

private:
    void resmiGoster();

    double kdvoran_ = 0;
    double kdvlifiyat_ = 0;
    QImage resim_;
    bool resimYuklendi_ = false;

    QLabel *barkod_;
    QLabel *adi_;
    QLabel *finishkod_;
    QLabel *marka_;
    QLabel *model_;
    QLabel *Image1_;
    QSpinBox *adet_;
    ParaKutusu *birimfiyat_;
    QLabel *indirimoran_;
    ParaKutusu *indoran_;
    ParaKutusu *indtutar_;
    ParaKutusu *kdvdahiltutar_;
    ParaKutusu *geneltutar_;
    QPushButton *ParcaliTus1_;
    QPushButton *ParcaliTus2_;
};

// What the editor shows when the product has no picture, or its picture did not arrive whole.
QImage YerTutucuResim(QSize boyut);
