#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QDate>
#include <QImage>
#include <QWidget>

#include "app/gorunum.h"
#include "app/musteritipi.h"
#include "remote/baglantiu.h"
#include "remote/tablo/bellektablo.h"

class Katalog;
class MesgulAnimasyonu;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class SayfaKontrolu;
class SunucuBaglantisi;
class TMarqueeItem;
class TRealTimeMarquee;

// The tabs of the main window, in their order.
enum class Sekme : int
{
    StokListesi, // sstoklistesi
    Sepet, // ssepet
    Onceki, // sonceki
    CariEkstre, // sccariekstre
    Yeniler, // syeniler
    Kampanyali, // skampanyali
    Duyurular, // sTabSheetduyuru
    Bakiyeler, // sTabbakiyeler
    OrjinalFiyatlar, // sTabSheet2
    Dosyalar, // tabdosyalar
    SanalPos, // sanalkart
};
inline constexpr int SekmeSayisi = 11;

// The busy animations of the search strip, one per background loader.
enum class Mesgul : int
{
    StokArama,
    Yeniler,
    Kampanya,
    Duyurular,
    CariEkstre,
    Onceki,
    Dosyalar,
    OrjinalFiyatlar,
    SanalPos,
};
inline constexpr int MesgulSayisi = 9;

// The in-memory tables the tabs show; the window owns them for the whole run.
struct AnaFormTablolari
{
    BellekTablo stok;
    BellekTablo sepet;
    BellekTablo kargo;
    BellekTablo ONCEKILER;
    BellekTablo EKSTRE;
    BellekTablo YENILER;
    BellekTablo kampstok;
    BellekTablo TEZMARLISTE;
    BellekTablo dosyatable;
};

// What the window keeps besides its session, connection and tables.
struct AnaFormDurumu
{
    double USDKUR = 1.0; // replaced by the rates at start-up
    double EURKUR = 1.0;
    int acilisadet = 0; // number of opening advertisements
    bool acilisgoruldu = false; // the opening advertisements were shown
    bool indirmeyapiliyormu = false; // a file download is under way
    QWidget *benimbakiyesiparisler = nullptr; // the order-balances view of the balances tab
};

// The main window: header, search strip, the eleven tabs, the status legend and the bottom
// strip, for the whole run. Creating it does the start-up; the screens of the tabs fill the
// pages (sayfa()) and use the window's session, connection and tables.
class TForm1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    // The login: shown modally with the session record to fill; false ends the program.
    using GirisAdimi = std::function<bool(SunucuBaglantisi &bagc, TSonucBilgisi &sbilgi)>;

    // giris: the login step (the login dialog when empty); bugun: the date the seasonal look
    // is chosen by.
    explicit TForm1(GirisAdimi giris = {}, QDate bugun = QDate::currentDate(),
                    QWidget *ust = nullptr);
    ~TForm1() override;

    // Shows the window maximised on the stock list with the focus in the search box.
    void Goster();

    // The header labels from the session record.
    void BaslikYaz();
    // Applies the rules of the logged-in customer's type (once after login).
    void MusteriTipiKurallariniUygula();
    // Asks whether to quit; Yes ends the program at once with exit code 0.
    void FormCloseQuery(bool &CanClose);

    TSonucBilgisi &sbilgi() { return sbilgi_; }
    SunucuBaglantisi &bagc() { return *bagc_; }
    AnaFormTablolari &tablolar() { return tablolar_; }
    const MusteriTipiKurallari &musteriTipiKurallari() const { return kurallar_; }
    Gorunum gorunum() const { return renkler_.gorunum; }
    const GorunumRenkleri &renkler() const { return renkler_; }

    AnaFormDurumu &durum() { return durum_; }
    // The stock and basket tabs and the basket line editor's road.
    Katalog *katalog() const { return katalog_; }

    // --- The parts the screens work with ---
    SayfaKontrolu *sayfaKontrolu() const { return sayfalar_; }
    QWidget *sayfa(Sekme sekme) const;
    void setRozet(Sekme sekme, int sayi);
    void setSekmeBasligi(Sekme sekme, const QString &baslik);
    void sekmeyeGec(Sekme sekme);
    bool sekmeGorunurMu(Sekme sekme) const;

    QLineEdit *araedit() const { return araedit_; }
    QPushButton *araButonu() const { return ara_; }
    QPushButton *temizleButonu() const { return temizle_; }
    QPushButton *musteritus() const { return musteritus_; }
    QLabel *kurEtiketi() const { return kurlar_; }
    MesgulAnimasyonu *animasyon(Mesgul hangisi) const;
    QLabel *afis() const { return afis_; }
    // The two places of the bottom strip: the picture strip (72 pixels) above the news line
    // (51 pixels).
    QFrame *resimSeridiYeri() const { return resimSeridiYeri_; }
    QFrame *kayanYaziYeri() const { return kayanYaziYeri_; }
    // The news line (filled and started by the start-up content) and the picture strip.
    TRealTimeMarquee *kayanyazi() const { return kayanyazi_; }
    TRealTimeMarquee *RealTimeMarquee1() const { return RealTimeMarquee1_; }

    QAction *mailGonderEylemi() const { return mailGonder_; }
    QAction *sifreDegistirEylemi() const { return sifreDegistir_; }
    QAction *webAdresiEylemi() const { return webAdresi_; }
    QAction *cikisEylemi() const { return cikis_; }

signals:
    // A tab page was shown: its screen loads its data.
    void sekmeGosterildi(Sekme sekme);

protected:
    void closeEvent(QCloseEvent *olay) override;

private:
    void FormCreate(const GirisAdimi &giris, QDate bugun);
    void formuKur();
    QWidget *baslikSeridi();
    QWidget *aramaSeridi();
    QWidget *durumSeridi();
    QWidget *altSerit();
    void RealTimeMarquee1DrawItem(TRealTimeMarquee *sender, TMarqueeItem *item, QImage &bitmap);
    void gorunumUygula(Gorunum gorunum);
    void baslangicGoreviniBaslat();

    TSonucBilgisi sbilgi_;
    std::unique_ptr<SunucuBaglantisi> bagc_;
    AnaFormTablolari tablolar_;
    MusteriTipiKurallari kurallar_;
    GorunumRenkleri renkler_;
    AnaFormDurumu durum_;

    QLabel *kullaniciLabel_ = nullptr;
    QLabel *firmaLabel_ = nullptr;
    QLabel *temsilciLabel_ = nullptr;
    QLabel *afis_ = nullptr;
    QToolButton *menubuton_ = nullptr;
    QAction *mailGonder_ = nullptr;
    QAction *sifreDegistir_ = nullptr;
    QAction *webAdresi_ = nullptr;
    QAction *cikis_ = nullptr;
    QLineEdit *araedit_ = nullptr;
    QPushButton *ara_ = nullptr;
    QPushButton *temizle_ = nullptr;
    QPushButton *musteritus_ = nullptr;
    QLabel *kurlar_ = nullptr;
    std::array<MesgulAnimasyonu *, MesgulSayisi> animasyonlar_ {};
    SayfaKontrolu *sayfalar_ = nullptr;
    QFrame *resimSeridiYeri_ = nullptr;
    QFrame *kayanYaziYeri_ = nullptr;
    TRealTimeMarquee *kayanyazi_ = nullptr;
    TRealTimeMarquee *RealTimeMarquee1_ = nullptr;
    QImage seritResmi_; // the hidden picture the picture strip scrolls: 5000 × 100, 24-bit
    Katalog *katalog_ = nullptr;
};

// The application title (taskbar) and the window caption.
QString UygulamaBasligi();
QString PencereBasligi();
