#pragma once

#include <QValidator>
#include <QWidget>

#include "widgets/izgara/izgarakolonu.h"

class QAction;
class QMenu;
class TForm1;
class VeriIzgarasi;

// What the search box lets through: Turkish letters become their plain Latin
// counterparts (ç→c, ğ→g, ı/İ→I, ö→o, ş→s, ü→u) and everything is upper case,
// so a search text never holds a Turkish letter, typed or pasted.
class AramaKutusuDogrulayici final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &metin, int &konum) const override;
};
// The search box's filter of one text.
QString AramaMetniniKatla(const QString &metin);

// The stock tab: the stock grid over the window's `stok` table, the search of
// the search strip ("Ara", Enter, "Temizle") and the grid's context menu.
class StokListesi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StokListesi)

public:
    explicit StokListesi(TForm1 *form, QWidget *ust = nullptr);

    VeriIzgarasi *izgara() const { return cxGrid1_; }
    QMenu *popstok() const { return popstok_; }
    QAction *siparisBakiyeleriEylemi() const { return bakiyeler_; }
    QAction *siparisleriGosterEylemi() const { return siparisler_; }

    // Enter in the search box (also "Ara" while the box is enabled).
    void araeditEnter();
    // "Temizle": empties the list and the box (only while no search runs).
    void Temizle();
    void KolonGenislikleriniAyarla();
    void musteriTipiKurallariniUygula();
    bool aramaSuruyor() const;

signals:
    void sepeteEkleIstendi();
    // The screens of the order balances and the order history open these.
    void siparisBakiyeleriIstendi();
    void siparisleriGosterIstendi(int stokno);
    // A search has finished and its rows are shown (or the error given).
    void aramaBitti();

protected:
    bool eventFilter(QObject *nesne, QEvent *olay) override;

private:
    void StokListesiGetir(const QString &metin);
    void menuyuAc(const QPoint &yer);

    TForm1 *form_;
    VeriIzgarasi *cxGrid1_;
    QMenu *popstok_;
    QAction *sepeteEkle_;
    QAction *bakiyeler_;
    QAction *siparisler_;
};

// The stock grid's columns: captions, weights, chooser, icons, footer counts.
QList<IzgaraKolonu> StokKolonlari();
