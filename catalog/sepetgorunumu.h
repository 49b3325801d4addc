#pragma once

#include <QGroupBox>
#include <QWidget>

#include "catalog/fiyathesabi.h"
#include "widgets/izgara/izgarakolonu.h"

class Katalog;
class QButtonGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TForm1;
class VeriIzgarasi;

// A radio group whose entries are names with a number (delivery options,
// shipping types); it may have no entry selected.
class SecenekGrubu final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecenekGrubu)

public:
    explicit SecenekGrubu(const QString &baslik, QWidget *ust = nullptr);

    void temizle();
    void ekle(const QString &ad, int numara);
    int sayi() const;
    // The selected entry's index, -1 when none.
    int secili() const;
    void setSecili(int sira); // -1 selects none
    QString ad(int sira) const;
    int numara(int sira) const;

signals:
    void tiklandi(int sira);

private:
    QButtonGroup *grup_;
    QList<int> numaralar_;
};

// The basket tab: the basket the server keeps for the account, its totals,
// the delivery, shipping and carrier choice, the note, and sending.
class SepetGorunumu final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SepetGorunumu)

public:
    SepetGorunumu(TForm1 *form, Katalog *katalog, QWidget *ust = nullptr);

    // Reloads the basket (its badge, its totals); on failure the rows stay.
    void SepetiYukle();
    void SepetToplamlari();
    // The delivery options (the second one chosen) and the shipping types
    // (none chosen).
    void TeslimKargoYukle();
    // The carriers of the chosen shipping type, after one blank entry.
    void KargoFirmalariYukle();

    // "Satır Değiştir" (and a double-click): the editor on the line, or on
    // the "Seç" column the line's selection toggled.
    void SatirDegistir();
    void SatirSil();
    void HepsiniSil();
    // "Hepsini Seç" / "Seçimleri Kaldır".
    void HepsiniSec(bool sec);
    void Gonder();
    bool SiparisiKaydet(int teslim, int kargoTuru, int kargoFirmasi);
    void KolonGenislikleriniAyarla();
    void musteriTipiKurallariniUygula();

    const SepetToplami &toplamlar() const { return toplam_; }

    VeriIzgarasi *izgara() const { return cxGrid1_; }
    QMenu *menu() const { return menu_; }
    SecenekGrubu *teslimDurumu() const { return teslim_; }
    SecenekGrubu *kargoTurleri() const { return kargoTurleri_; }
    QComboBox *kargocombo() const { return kargocombo_; }
    QLabel *uyarikargo() const { return uyarikargo_; }
    QPlainTextEdit *aciklamagir() const { return aciklamagir_; }
    QPushButton *gonderDugmesi() const { return gonder_; }
    QPushButton *excelDugmesi() const { return excel_; }
    QWidget *secimCubugu() const { return secimCubugu_; }
    // The value labels of "Toplam:", "İndirim Toplam:", "Ara Toplam:",
    // "Vergi:", "Genel Toplam:".
    QLabel *toplamEtiketi(int sira) const { return toplamEtiketleri_[sira]; }

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    void kargoSecildi();
    bool secimGonder(qsizetype satir, int secim);
    QWidget *altPanel();

    TForm1 *form_;
    Katalog *katalog_;
    VeriIzgarasi *cxGrid1_;
    QMenu *menu_;
    SecenekGrubu *teslim_;
    SecenekGrubu *kargoTurleri_;
    QComboBox *kargocombo_;
    QLabel *uyarikargo_;
    QPlainTextEdit *aciklamagir_;
    QPushButton *gonder_;
    QPushButton *excel_;
    QWidget *secimCubugu_;
    QLabel *toplamEtiketleri_[5] {};
    SepetToplami toplam_;
};

// The basket grid's columns.
QList<IzgaraKolonu> SepetKolonlari();
