#include "app/unit1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>

#include "app/arkaplan.h"
#include "app/girisformu.h"
#include "app/kullanicikayitu.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "app/sekmeler.h"
#include "app/utils/cikis.h"
#include "app/utils/sistem.h"
#include "catalog/katalog.h"
#include "remote/kimlik/bilgisayarid.h"
#include "remote/kurulum.h"
#include "remote/sunucubaglantisi.h"
#include "resources/kaynaklar.h"
#include "widgets/kayanyazi/realtimemarquee.h"

using namespace Qt::StringLiterals;

namespace {

struct SekmeTanimi
{
    QString ad;
    QString baslik;
    QString simge;
};

const std::array<SekmeTanimi, SekmeSayisi> &sekmeTanimlari()
{
    static const std::array<SekmeTanimi, SekmeSayisi> t {{
        {u"sstoklistesi"_s, u"Stok\nListesi"_s, u"sekme-stok"_s},
        {u"ssepet"_s, u"Sepet"_s, u"sekme-sepet"_s},
        {u"sonceki"_s, u"Sipariş\nDurumları"_s, u"sekme-siparis"_s},
        {u"sccariekstre"_s, u"Cari Ekstre"_s, u"sekme-ekstre"_s},
        {u"syeniler"_s, u"Yeni\nStoklar"_s, u"sekme-yeni"_s},
        {u"skampanyali"_s, u"Kampanyalı"_s, u"sekme-kampanya"_s},
        {u"sTabSheetduyuru"_s, u"Duyurular"_s, u"sekme-duyuru"_s},
        {u"sTabbakiyeler"_s, u"Bakiyeler"_s, u"sekme-bakiye"_s},
        {u"sTabSheet2"_s, u"Orjinal\nFiyatlar"_s, u"sekme-fiyat"_s},
        {u"tabdosyalar"_s, u"Dosyalar"_s, u"sekme-dosya"_s},
        {u"sanalkart"_s, u"Sanal Pos"_s, u"sekme-sanalpos"_s},
    }};
    return t;
}

// What the user types into the search box comes out in capitals (in the user's language:
// i becomes İ in Turkish).
class BuyukHarfDogrulayici final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &metin, int &) const override
    {
        metin = QLocale().toUpper(metin);
        return Acceptable;
    }
};

QPixmap svgResmi(const QString &ad, QSize boyut, qreal olcek)
{
    QPixmap resim(boyut * olcek);
    resim.setDevicePixelRatio(olcek);
    resim.fill(Qt::transparent);
    QSvgRenderer cizici(ResimYolu(ad));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    cizici.render(&p, QRectF(QPointF(0, 0), QSizeF(boyut)));
    return resim;
}

} // namespace

QString UygulamaBasligi()
{
    return u"TEZMAR Otomotiv Online Sipariş Programı  (Doruna)"_s;
}

QString PencereBasligi()
{
    return u"TEZMAR Otomotiv Online Sipariş Programı (Doruna)"_s;
}

TForm1::TForm1(GirisAdimi giris, QDate bugun, QWidget *ust)
    : QWidget(ust)
    , bagc_(std::make_unique<SunucuBaglantisi>())
{
    setObjectName(u"Form1"_s);
    formuKur();
    katalog_ = new Katalog(this);
    FormCreate(giris ? giris : GirisAdimi(GirisFormuIleGir), bugun);
}

TForm1::~TForm1()
{
    ArkaPlanAnaBaglantisi(nullptr);
}

void TForm1::FormCreate(const GirisAdimi &giris, QDate bugun)
{
    durum_.indirmeyapiliyormu = false;
    gorunumUygula(MevsimselGorunum(bugun));
    durum_.acilisadet = 0;
    durum_.acilisgoruldu = false;
    // Message dialogs carry their own size-15 font (MesajKutusu).
    setWindowIconText(UygulamaBasligi()); // what the taskbar shows
    setWindowTitle(PencereBasligi());
    durum_.USDKUR = 1.0;
    durum_.EURKUR = 1.0;

    sbilgi_ = TSonucBilgisi();
    sbilgi_.setBilgiSayarAdi(BilgisayarAdiAl());
    sbilgi_.setBilgisayarKullanici(KullaniciAdiAl());
    sbilgi_.setIcip(IpAdresiAl());
    sbilgi_.setBILGISAYARID(BilgisayarIdAl());

    bagc_->kurulumAdresiniYaz();
    ArkaPlanAnaBaglantisi(bagc_.get());
    webAdresi_->setText(Kurulum().webAdresi);

    // Login: a cancelled or failed login, or one that left no server address, ends the program.
    if (!giris(*bagc_, sbilgi_) || sbilgi_.Disip().trimmed().isEmpty()) {
        ProgramiBitir(0);
        return;
    }
    MusteriTipiKurallariniUygula();
    baslangicGoreviniBaslat();
}

void TForm1::baslangicGoreviniBaslat()
{
    // The header comes from the session alone, so it is written at once, also when the server
    // cannot be reached; the start-up content (news line, banner, rates, badges) loads in the
    // body, and the opening advertisements follow in the finish.
    ArkaPlandaCalistir(
        this, [this] { BaslikYaz(); }, [](ArkaPlanGorevi &) {}, [](const ArkaPlanGorevi &) {});
}

void TForm1::Goster()
{
    sekmeyeGec(Sekme::StokListesi);
    // The whole work area, also where no window manager maximises (a bare X server).
    if (QScreen *ekran = screen())
        setGeometry(ekran->availableGeometry());
    showMaximized();
    activateWindow();
    araedit_->setFocus(Qt::OtherFocusReason);
}

void TForm1::BaslikYaz()
{
    kullaniciLabel_->setText(sbilgi_.ADI());
    firmaLabel_->setText(sbilgi_.CariAdi());
    temsilciLabel_->setText(sbilgi_.SaticiAdi() + u" Telefonu: "_s + sbilgi_.SaticiTelefon() +
                            u" email: "_s + sbilgi_.SaticiMail());
}

void TForm1::MusteriTipiKurallariniUygula()
{
    kurallar_ = MusteriTipiKurallari(sbilgi_);
    musteritus_->setVisible(kurallar_.baskaCariSecGorunur());
    sayfalar_->setSekmeGorunur(int(Sekme::Kampanyali), kurallar_.kampanyaSekmesiGorunur());
    katalog_->musteriTipiKurallariniUygula();
}

void TForm1::FormCloseQuery(bool &CanClose)
{
    CanClose = false;
    if (MesajKutusu(u"Programdan Çıkmak İstiyor musunuz ?"_s, MesajTuru::Soru, EvetHayirDugmeleri,
                    0, Dugme::Evet) == MesajSonucu::Evet)
        ProgramiBitir(0); // at once: nothing is closed or saved
}

void TForm1::closeEvent(QCloseEvent *olay)
{
    bool kapat = false;
    FormCloseQuery(kapat);
    olay->setAccepted(kapat);
}

QWidget *TForm1::sayfa(Sekme sekme) const
{
    return sayfalar_->sayfa(int(sekme));
}

void TForm1::setRozet(Sekme sekme, int sayi)
{
    sayfalar_->setRozet(int(sekme), sayi);
}

void TForm1::setSekmeBasligi(Sekme sekme, const QString &baslik)
{
    sayfalar_->setBaslik(int(sekme), baslik);
}

void TForm1::sekmeyeGec(Sekme sekme)
{
    sayfalar_->setAktifSekme(int(sekme));
}

bool TForm1::sekmeGorunurMu(Sekme sekme) const
{
    return sayfalar_->sekmeGorunurMu(int(sekme));
}

MesgulAnimasyonu *TForm1::animasyon(Mesgul hangisi) const
{
    return animasyonlar_[std::size_t(hangisi)];
}

void TForm1::gorunumUygula(Gorunum gorunum)
{
    renkler_ = Renkler(gorunum);
    setStyleSheet(StilSayfasi(renkler_));
    sayfalar_->setRenkler(renkler_);
    update();
}

// --- The form ---

void TForm1::formuKur()
{
    QFont yazi(u"Tahoma"_s);
    yazi.setPixelSize(13);
    yazi.setBold(true);
    setFont(yazi);
    setWindowIcon(Simge(u"sekme-sepet"_s));
    setAttribute(Qt::WA_StyledBackground);

    sayfalar_ = new SayfaKontrolu;
    for (const SekmeTanimi &t : sekmeTanimlari())
        sayfalar_->sekmeEkle(t.ad, t.baslik, Simge(t.simge));
    connect(sayfalar_, &SayfaKontrolu::sekmeGosterildi, this,
            [this](int sira) { emit sekmeGosterildi(Sekme(sira)); });

    auto *ana = new QVBoxLayout(this);
    ana->setContentsMargins(0, 0, 0, 0);
    ana->setSpacing(0);
    ana->addWidget(baslikSeridi());
    ana->addWidget(aramaSeridi());
    auto *sayfaKenari = new QVBoxLayout;
    sayfaKenari->setContentsMargins(6, 6, 6, 0);
    sayfaKenari->addWidget(sayfalar_);
    ana->addLayout(sayfaKenari, 1);
    ana->addWidget(durumSeridi());
    ana->addWidget(altSerit());
}

namespace {

// The header's background: the look's gradient, with frost on the right in winter.
class BaslikZemini final : public QWidget
{
public:
    explicit BaslikZemini(const TForm1 *form)
        : form_(form)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const GorunumRenkleri &r = form_->renkler();
        QPainter p(this);
        QLinearGradient zemin(0, 0, 0, height());
        zemin.setColorAt(0, r.baslikUst);
        zemin.setColorAt(1, r.baslikAlt);
        p.fillRect(rect(), zemin);
        p.setPen(r.kenar);
        p.drawLine(0, height() - 1, width(), height() - 1);
        if (r.gorunum == Gorunum::Kis)
            karTanecikleri(p, r);
    }

private:
    void karTanecikleri(QPainter &p, const GorunumRenkleri &r)
    {
        p.setRenderHint(QPainter::Antialiasing);
        const int x0 = width() / 3;
        for (int i = 0; i < 14; ++i) {
            const qreal x = x0 + (i * 97) % qMax(1, width() - x0 - 520);
            const qreal y = 10 + (i * 37) % (height() - 20);
            const qreal boy = 4 + (i * 5) % 7;
            QColor renk = r.vurgu;
            renk.setAlpha(40 + (i * 13) % 50);
            p.setPen(QPen(renk, 1.3, Qt::SolidLine, Qt::RoundCap));
            for (int kol = 0; kol < 3; ++kol) {
                p.save();
                p.translate(x, y);
                p.rotate(kol * 60);
                p.drawLine(QPointF(-boy, 0), QPointF(boy, 0));
                p.drawLine(QPointF(boy * 0.55, 0), QPointF(boy * 0.8, -boy * 0.25));
                p.drawLine(QPointF(boy * 0.55, 0), QPointF(boy * 0.8, boy * 0.25));
                p.restore();
            }
        }
    }

    const TForm1 *form_;
};

QLabel *etiket(const QString &metin, const QString &ad = {})
{
    auto *l = new QLabel(metin);
    if (!ad.isEmpty())
        l->setObjectName(ad);
    return l;
}

} // namespace

QWidget *TForm1::baslikSeridi()
{
    auto *serit = new BaslikZemini(this);
    serit->setObjectName(u"baslik"_s);
    serit->setFixedHeight(72);

    auto *tablo = new QGridLayout;
    tablo->setContentsMargins(0, 0, 0, 0);
    tablo->setHorizontalSpacing(6);
    tablo->setVerticalSpacing(2);
    kullaniciLabel_ = etiket({}, u"kullaniciLabel"_s);
    firmaLabel_ = etiket({}, u"firmaLabel"_s);
    temsilciLabel_ = etiket({}, u"temsilciLabel"_s);
    const std::pair<QString, QLabel *> satirlar[] = {
        {u"Kullanıcı: "_s, kullaniciLabel_},
        {u"Firma: "_s, firmaLabel_},
        {u"Temsilci: "_s, temsilciLabel_},
    };
    int satir = 0;
    for (const auto &[baslik, deger] : satirlar) {
        auto *b = etiket(baslik, u"baslikEtiketi"_s);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        deger->setTextInteractionFlags(Qt::TextSelectableByMouse);
        tablo->addWidget(b, satir, 0);
        tablo->addWidget(deger, satir, 1);
        ++satir;
    }
    // The captions take about a tenth of the width.
    tablo->setColumnStretch(0, 1);
    tablo->setColumnStretch(1, 9);

    afis_ = new QLabel;
    afis_->setObjectName(u"afis"_s);
    afis_->setFixedSize(405, 70);
    afis_->setPixmap(svgResmi(u"afis"_s, afis_->size(), devicePixelRatioF()));

    menubuton_ = new QToolButton;
    menubuton_->setObjectName(u"menubuton"_s);
    menubuton_->setIcon(Simge(u"menu"_s));
    menubuton_->setIconSize({40, 40});
    menubuton_->setFixedSize(56, 56);
    menubuton_->setPopupMode(QToolButton::InstantPopup);
    menubuton_->setCursor(Qt::PointingHandCursor);
    menubuton_->setToolTip(u"Menü"_s);
    auto *menu = new QMenu(menubuton_);
    menu->setObjectName(u"anaMenu"_s);
    mailGonder_ = menu->addAction(u"Mail Gönder"_s);
    menu->addSeparator();
    sifreDegistir_ = menu->addAction(u"Şifre Değiştirme İsteği"_s);
    menu->addSeparator();
    webAdresi_ = menu->addAction(QString());
    menu->addSeparator();
    cikis_ = menu->addAction(u"Çıkış"_s);
    menubuton_->setMenu(menu);
    connect(cikis_, &QAction::triggered, this, &QWidget::close);
    connect(sifreDegistir_, &QAction::triggered, this, [this] {
        const std::unique_ptr<Tkullanicikayit> istek = Tkullanicikayit::Ac(this, *bagc_, sbilgi_);
        istek->exec();
    });
    connect(webAdresi_, &QAction::triggered, this,
            [this] { QDesktopServices::openUrl(QUrl::fromUserInput(webAdresi_->text())); });

    auto *duzen = new QHBoxLayout(serit);
    duzen->setContentsMargins(8, 1, 8, 1);
    duzen->setSpacing(10);
    duzen->addLayout(tablo, 1);
    duzen->addWidget(afis_);
    duzen->addWidget(menubuton_);
    return serit;
}

QWidget *TForm1::aramaSeridi()
{
    auto *serit = new QWidget;
    serit->setObjectName(u"aramaSeridi"_s);
    serit->setAttribute(Qt::WA_StyledBackground);
    serit->setFixedHeight(35);

    auto *simge = new QLabel;
    simge->setPixmap(Simge(u"ara"_s).pixmap(22, 22));

    araedit_ = new QLineEdit;
    araedit_->setObjectName(u"araedit"_s);
    araedit_->setValidator(new BuyukHarfDogrulayici(araedit_));
    QFont aramaYazisi(u"Tahoma"_s);
    aramaYazisi.setPixelSize(20);
    araedit_->setFont(aramaYazisi);
    araedit_->setFixedSize(340, 29);

    ara_ = new QPushButton(u"Ara"_s);
    ara_->setObjectName(u"arabuton"_s);
    temizle_ = new QPushButton(u"Temizle"_s);
    temizle_->setObjectName(u"temizlebuton"_s);
    musteritus_ = new QPushButton(u"Başka Cari Seç"_s);
    musteritus_->setObjectName(u"musteritus"_s);
    musteritus_->hide();
    for (QPushButton *b : {ara_, temizle_, musteritus_}) {
        b->setFixedHeight(27);
        b->setCursor(Qt::PointingHandCursor);
    }
    kurlar_ = new QLabel(u"Kurlar"_s);
    kurlar_->setObjectName(u"kurlabel"_s);

    auto *duzen = new QHBoxLayout(serit);
    duzen->setContentsMargins(8, 2, 8, 2);
    duzen->setSpacing(6);
    duzen->addWidget(simge);
    duzen->addWidget(araedit_);
    duzen->addWidget(ara_);
    duzen->addWidget(temizle_);
    duzen->addWidget(musteritus_);
    duzen->addSpacing(12);
    duzen->addWidget(kurlar_);
    for (std::size_t i = 0; i < animasyonlar_.size(); ++i) {
        animasyonlar_[i] = new MesgulAnimasyonu;
        duzen->addWidget(animasyonlar_[i]);
    }
    duzen->addStretch();
    return serit;
}

QWidget *TForm1::durumSeridi()
{
    auto *serit = new QWidget;
    serit->setObjectName(u"durumSeridi"_s);
    serit->setAttribute(Qt::WA_StyledBackground);
    serit->setFixedHeight(27);
    auto *duzen = new QHBoxLayout(serit);
    duzen->setContentsMargins(10, 0, 10, 0);
    duzen->setSpacing(2);
    duzen->addWidget(etiket(u"Durum Açıklaması:    "_s, u"durumBasligi"_s));
    const std::pair<int, QString> aciklamalar[] = {
        {1, u" Stok mevcut  "_s},      {2, u" Telefon Açınız  "_s}, {3, u" Yolda  "_s},
        {5, u" Tedarik Sürecinde "_s}, {4, u" Özel Sipariş  "_s},   {0, u" Yok  "_s},
    };
    const QHash<int, QIcon> simgeler = StokDurumSimgeleri();
    for (const auto &[kod, metin] : aciklamalar) {
        auto *simge = new QLabel;
        simge->setPixmap(simgeler.value(kod).pixmap(18, 18));
        duzen->addWidget(simge);
        duzen->addWidget(etiket(metin));
    }
    duzen->addStretch();
    return serit;
}

QWidget *TForm1::altSerit()
{
    auto *serit = new QFrame;
    serit->setObjectName(u"altSerit"_s);
    serit->setFixedHeight(125);
    auto *duzen = new QVBoxLayout(serit);
    duzen->setContentsMargins(0, 1, 0, 1);
    duzen->setSpacing(0);

    // The scrolling picture strip and the news line take these two places; both scroll on the
    // same light blue in 24-pixel Arial, 5 per cent of the width apart.
    const auto kayanSerit = [](const QString &ad) {
        auto *m = new TRealTimeMarquee;
        m->setObjectName(ad);
        m->setColor(QColor(212, 225, 242));
        QFont yazi(u"Arial"_s);
        yazi.setPixelSize(24);
        m->setFont(yazi);
        m->setSpacing(5);
        return m;
    };

    resimSeridiYeri_ = new QFrame;
    resimSeridiYeri_->setObjectName(u"RealTimeMarquee1Yeri"_s);
    resimSeridiYeri_->setFixedHeight(72);
    auto *resimDuzeni = new QHBoxLayout(resimSeridiYeri_);
    resimDuzeni->setContentsMargins(0, 0, 0, 0);
    seritResmi_ = QImage(5000, 100, QImage::Format_RGB888);
    seritResmi_.fill(QColor(212, 225, 242));
    {
        QPainter p(&seritResmi_);
        p.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(ResimYolu(u"resimseridi"_s)).render(&p);
    }
    RealTimeMarquee1_ = kayanSerit(u"RealTimeMarquee1"_s);
    RealTimeMarquee1_->setOnDrawItem(
        [this](TRealTimeMarquee *sender, TMarqueeItem *item, QImage &bitmap) {
            RealTimeMarquee1DrawItem(sender, item, bitmap);
        });
    RealTimeMarquee1_->Items().Add()->setStyle(TMarqueeStyle::msOwnerDraw);
    RealTimeMarquee1_->setActive(true);
    resimDuzeni->addWidget(RealTimeMarquee1_);

    kayanYaziYeri_ = new QFrame;
    kayanYaziYeri_->setObjectName(u"kayanyaziYeri"_s);
    kayanYaziYeri_->setFixedHeight(51);
    auto *yaziDuzeni = new QHBoxLayout(kayanYaziYeri_);
    yaziDuzeni->setContentsMargins(0, 0, 0, 0);
    kayanyazi_ = kayanSerit(u"kayanyazi"_s); // still until the start-up content fills it
    yaziDuzeni->addWidget(kayanyazi_);

    duzen->addWidget(resimSeridiYeri_);
    duzen->addWidget(kayanYaziYeri_);
    return serit;
}

// The picture strip scrolls the hidden picture, endlessly.
void TForm1::RealTimeMarquee1DrawItem(TRealTimeMarquee *, TMarqueeItem *, QImage &bitmap)
{
    bitmap = seritResmi_;
}
