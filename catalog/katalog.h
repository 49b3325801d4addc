#pragma once

#include <functional>

#include <QObject>

#include "catalog/fiyathesabi.h"

class BellekTablo;
class SepetGorunumu;
class StokListesi;
class SunucuBaglantisi;
class TForm1;
class TServerMethods1Client;
class Tstokayarinti;
class VeriIzgarasi;

// The product lists a basket line can be opened from.
enum class UrunListesi
{
    Stok, // stok, the stock list
    Yeniler, // YENILER, the new products
    Kampanya, // kampstok, the campaign products
};

// A foreground call on the main connection: opens it with BaglantiKur (its
// message on failure), runs govde with a proxy, closes it. A call that fails
// shows its text (the server's own for a server error). True when the call
// went through.
bool AnaBaglantidaCagir(SunucuBaglantisi &bagc,
                        const std::function<void(TServerMethods1Client &)> &govde);

// The catalogue and basket of the main window: the stock tab, the basket tab,
// and the road between them through the basket line editor. The other screens
// open a product with UrunSatiriniAc and reload the basket with SepetiYukle.
class Katalog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Katalog)

public:
    // Fills the stock and basket pages of the window.
    explicit Katalog(TForm1 *form);

    StokListesi *stokListesi() const { return stokListesi_; }
    SepetGorunumu *sepetGorunumu() const { return sepet_; }

    // The columns the logged-in customer's type shows or hides.
    void musteriTipiKurallariniUygula();

    // A double-click (or Enter, or "Sepete Ekle") on a product list: the
    // product's basket line when it already has one, else a new line.
    void UrunSatiriniAc(VeriIzgarasi &izgara, BellekTablo &kaynak, UrunListesi liste);
    // The editor on the basket line sirano; on OK the line is changed and the
    // basket reloaded.
    void SatirDuzenle(int sirano);
    // The editor on the current row of stok, YENILER or kampstok; on OK a
    // new line is added.
    void YeniSatirStok(int stokno);
    void YeniSatirYeniler(int stokno);
    void YeniSatirKampanya(int stokno);

    // SepetEkle with the source row's item; the basket is reloaded when it
    // answers 1. True when it did.
    bool SatirEkle(const BellekTablo &kaynak, double miktar, double fiyat, double indirim);
    // SepetGuncelle of the basket line sirano (stokno 0: the line keeps its item).
    bool SatirGuncelle(int sirano, double miktar, double fiyat, double indirim);
    // The product's picture into the editor; the placeholder stays when there is none.
    void ResimYukle(int stokno, Tstokayarinti &editor);

    void SepetiYukle();

signals:
    // An editor is about to be shown (tests and screenshots look at it).
    void editorAciliyor(Tstokayarinti *editor);

private:
    void yeniSatir(BellekTablo &kaynak, SatirKaynagi nereden, int stokno);
    // The editor on the source's current row, and what its OK sends.
    void editoruAc(const BellekTablo &kaynak, SatirKaynagi nereden);

    TForm1 *form_;
    StokListesi *stokListesi_;
    SepetGorunumu *sepet_;
};
