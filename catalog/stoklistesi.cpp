#include "catalog/stoklistesi.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/arkaplan.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "app/unit1.h"
#include "app/utils/bicim.h"
#include "remote/proxim.h"
#include "resources/kaynaklar.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

namespace {

QChar aramaHarfi(QChar c)
{
    switch (c.unicode()) {
    case u'ğ':
        return u'g';
    case u'Ğ':
        return u'G';
    case u'ü':
        return u'u';
    case u'Ü':
        return u'U';
    case u'ş':
        return u's';
    case u'Ş':
        return u'S';
    case u'ö':
        return u'o';
    case u'Ö':
        return u'O';
    case u'ç':
        return u'c';
    case u'Ç':
        return u'C';
    case u'İ':
    case u'ı':
        return u'I';
    default:
        return c;
    }
}

} // namespace

QString AramaMetniniKatla(const QString &metin)
{
    QString s = metin;
    for (QChar &c : s)
        c = aramaHarfi(c);
    // Locale-free upper case: i becomes I, never İ.
    return s.toUpper();
}

QValidator::State AramaKutusuDogrulayici::validate(QString &metin, int &) const
{
    metin = AramaMetniniKatla(metin);
    return Acceptable;
}

QList<IzgaraKolonu> StokKolonlari()
{
    const QHash<int, QIcon> evetHayir = EvetHayirSimgeleri();
    QHash<int, QIcon> kampanya = evetHayir;
    for (int k = 2; k <= 9; ++k)
        kampanya.insert(k, evetHayir.value(1)); // any campaign number is a campaign
    const QHash<int, QString> durumlar = {{0, u"Yok"_s},           {1, u"Var"_s},
                                          {2, u"Telefon Açınız"_s}, {3, u"Yolda"_s},
                                          {4, u"Özel Sipariş"_s},   {5, u"Tedarik Sürecinde"_s}};
    const auto metin = [](QString alan, QString baslik = {}) {
        return kolon(std::move(alan), std::move(baslik)).kaydirarak();
    };
    return {
            metin(u"BARKOD"_s, u"Barkod"_s).agirlikla(2).seciciye().altta(AltToplam::Sayi),
            metin(u"FINISHKOD"_s, u"Kod"_s).agirlikla(2).seciciye().altta(AltToplam::Sayi),
            metin(u"OEM1"_s, u"Oem1"_s).gizli().agirlikla(2).altta(AltToplam::Sayi),
            metin(u"OEM2"_s, u"Oem2"_s).gizli().agirlikla(2),
            metin(u"OEM3"_s, u"Oem3"_s).gizli().agirlikla(2),
            metin(u"ADI"_s, u"Açıklama"_s).agirlikla(3).seciciye(),
            metin(u"OEM4"_s, u"Oem4"_s).gizli().agirlikla(2),
            kolon(u"STOK_STOKNO"_s).gizli().agirlikla(1),
            metin(u"URETICIKODU"_s, u"Üretici Kod"_s).gizli().agirlikla(2).seciciye(),
            kolon(u"BARKOD_BARKODNO"_s).gizli().agirlikla(1),
            metin(u"DIGERADI"_s, u"Diğer Adı"_s).gizli().agirlikla(3).seciciye(),
            metin(u"DPKOD"_s).gizli().agirlikla(2),
            metin(u"OEMNO"_s, u"Oem No"_s).gizli().agirlikla(2).seciciye(),
            metin(u"BIRIM"_s, u"Birim"_s).gizli().agirlikla(1).seciciye(),
            metin(u"MARKA"_s, u"Marka"_s).agirlikla(2).seciciye(),
            metin(u"MODEL"_s, u"Model"_s).agirlikla(2).seciciye(),
            metin(u"ANAGRUP"_s, u"Ana Grup"_s).agirlikla(2).seciciye(),
            metin(u"OZELKOD"_s, u"Özel Kod"_s).agirlikla(2).seciciye(),
            kolon(u"KALAN"_s).gizli().agirlikla(1).turunde(KolonTuru::Sayi),
            metin(u"PKOD"_s).gizli().agirlikla(1),
            kolon(u"KDV"_s).gizli().agirlikla(1).seciciye().turunde(KolonTuru::Sayi),
            kolon(u"ALINANSIPARIS"_s).gizli().agirlikla(1).turunde(KolonTuru::Sayi),
            kolon(u"VERILENSIPARIS"_s).gizli().agirlikla(1).turunde(KolonTuru::Sayi),
            kolon(u"LISTEFIYATI"_s, u"Fiyatı"_s).agirlikla(2).seciciye().sayi(),
            kolon(u"MALIYET"_s).gizli().agirlikla(1).hizala(Qt::AlignRight),
            kolon(u"FIYAT"_s, u"Liste Fiyatı"_s).agirlikla(2).seciciye().turunde(KolonTuru::Sayi),
            kolon(u"Y"_s, u"Yeni"_s).agirlikla(1).seciciye().ikonlu(evetHayir),
            kolon(u"K"_s, u"Kampanyalı"_s).agirlikla(1).seciciye().ikonlu(kampanya),
            kolon(u"INDIRIM"_s, u"İndirim Oran"_s).agirlikla(1).seciciye().turunde(KolonTuru::Sayi),
            kolon(u"NETFIYAT"_s, u"Net Fiyatı"_s).agirlikla(2).seciciye().turunde(KolonTuru::Sayi),
            kolon(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s).agirlikla(2).seciciye().turunde(KolonTuru::Sayi),
            kolon(u"DURUM"_s, u"Durum"_s).agirlikla(1).seciciye().ikonlu(StokDurumSimgeleri(), durumlar),
    };
}

StokListesi::StokListesi(TForm1 *form, QWidget *ust)
    : QWidget(ust)
    , form_(form)
    , cxGrid1_(new VeriIzgarasi(this))
    , popstok_(new QMenu(this))
{
    setObjectName(u"stokListesi"_s);
    cxGrid1_->setObjectName(u"cxGrid1"_s);
    cxGrid1_->kolonlariAyarla(StokKolonlari());
    IzgaraAyarlari a;
    a.tumSatirSecimi = true;
    a.satirYuksekligi = 40;
    a.baslikYuksekligi = 40;
    QFont yazi(u"Segoe UI"_s);
    yazi.setPixelSize(12);
    a.yazi = yazi;
    a.satirRengi = QColor(224, 232, 241);
    a.ikinciSatirRengi = QColor(237, 245, 255);
    a.suzgecDugmeleri = true;
    a.artimliArama = true;
    a.altBilgi = true;
    a.altBilgideKayitSayisi = true;
    cxGrid1_->ayarlariUygula(a);
    cxGrid1_->tabloyaBagla(&form->tablolar().stok);
    cxGrid1_->installEventFilter(this);

    popstok_->setObjectName(u"popstok"_s);
    sepeteEkle_ = popstok_->addAction(u"Sepete Ekle"_s);
    popstok_->addSeparator();
    bakiyeler_ = popstok_->addAction(u"Sipariş Bakiyeleriniz"_s);
    popstok_->addSeparator();
    siparisler_ = popstok_->addAction(u"Siparişleri Göster"_s);
    connect(sepeteEkle_, &QAction::triggered, this, &StokListesi::sepeteEkleIstendi);
    connect(bakiyeler_, &QAction::triggered, this, &StokListesi::siparisBakiyeleriIstendi);
    connect(siparisler_, &QAction::triggered, this, [this] {
        const qsizetype satir = cxGrid1_->odakliSatir();
        if (satir < 0)
            return;
        const BellekTablo &stok = form_->tablolar().stok;
        emit siparisleriGosterIstendi(
                static_cast<int>(stok.tamsayi(satir, stok.kolonIndeksi(u"STOK_STOKNO"))));
    });
    cxGrid1_->gorunum()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cxGrid1_->gorunum(), &QWidget::customContextMenuRequested, this, &StokListesi::menuyuAc);

    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->addWidget(cxGrid1_);

    // The search strip belongs to the window; the stock list drives it.
    QLineEdit *araedit = form->araedit();
    araedit->setValidator(new AramaKutusuDogrulayici(araedit));
    connect(araedit, &QLineEdit::returnPressed, this, &StokListesi::araeditEnter);
    connect(form->araButonu(), &QPushButton::clicked, this, [this] {
        if (form_->araedit()->isEnabled())
            araeditEnter();
    });
    connect(form->temizleButonu(), &QPushButton::clicked, this, &StokListesi::Temizle);
    connect(form, &TForm1::sekmeGosterildi, this, [this](Sekme sekme) {
        if (sekme == Sekme::StokListesi && form_->isActiveWindow()) {
            form_->araedit()->selectAll();
            form_->araedit()->setFocus(Qt::OtherFocusReason);
        }
    });
}

void StokListesi::musteriTipiKurallariniUygula()
{
    form_->musteriTipiKurallari().uygula(MusteriListesi::Stok, *cxGrid1_);
}

bool StokListesi::aramaSuruyor() const
{
    return !form_->araedit()->isEnabled();
}

void StokListesi::menuyuAc(const QPoint &yer)
{
    // The balances and order-history screens take these when they are there.
    bakiyeler_->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&StokListesi::siparisBakiyeleriIstendi)));
    siparisler_->setEnabled(cxGrid1_->odakliSatir() >= 0
                            && isSignalConnected(QMetaMethod::fromSignal(&StokListesi::siparisleriGosterIstendi)));
    sepeteEkle_->setEnabled(cxGrid1_->odakliSatir() >= 0);
    popstok_->popup(cxGrid1_->gorunum()->viewport()->mapToGlobal(yer));
}

void StokListesi::araeditEnter()
{
    form_->sekmeyeGec(Sekme::StokListesi);
    const QString metin = form_->araedit()->text();
    if (metin.trimmed().size() < 3) {
        UyariMesajiGoster(u"Lütfen en az 3 harf giriniz !"_s);
        return;
    }
    StokListesiGetir(metin);
}

void StokListesi::StokListesiGetir(const QString &metin)
{
    TForm1 *form = form_;
    const auto hazirla = [this, form] {
        form->araedit()->setEnabled(false);
        form->animasyon(Mesgul::StokArama)->show();
        cxGrid1_->tabloyuAyir();
        cxGrid1_->guncellemeyiBaslat();
        cxGrid1_->suzgeciTemizle();
    };
    // The body has its own copy of the session and of the text: the box
    // stays disabled meanwhile, and the text goes as it was typed.
    TSonucBilgisi bilgi;
    bilgi.Kopyala(form->sbilgi());
    const auto govde = [metin, bilgi](ArkaPlanGorevi &g) -> BellekTablo {
        if (!g.baglan())
            return {};
        TServerMethods1Client proxy(g.baglanti());
        BellekTablo sonuc = proxy.StokAraTezmar(metin, bilgi);
        ParaBicimiUygula(sonuc);
        return sonuc;
    };
    const auto bitir = [this, form](const ArkaPlanGorevi &g, BellekTablo sonuc) {
        BellekTablo &stok = form->tablolar().stok;
        if (g.hata) {
            // A failed search leaves an empty list, never the previous rows.
            stok.bosalt();
            form->setSekmeBasligi(Sekme::StokListesi, u"Stok Listesi"_s);
            form->setRozet(Sekme::StokListesi, 0);
        } else {
            stok = std::move(sonuc);
            form->setRozet(Sekme::StokListesi, int(stok.satirSayisi()));
        }
        form->araedit()->setEnabled(true);
        cxGrid1_->tabloyaBagla(&stok);
        cxGrid1_->guncellemeyiBitir();
        form->araedit()->selectAll();
        form->araedit()->setFocus(Qt::OtherFocusReason);
        form->animasyon(Mesgul::StokArama)->hide();
        KolonGenislikleriniAyarla();
        emit aramaBitti();
    };
    ArkaPlandaCalistir(this, hazirla, govde, bitir);
}

void StokListesi::Temizle()
{
    QLineEdit *araedit = form_->araedit();
    if (!araedit->isEnabled())
        return;
    BellekTablo &stok = form_->tablolar().stok;
    if (stok.acik()) {
        stok.bosalt();
        form_->setSekmeBasligi(Sekme::StokListesi, u"Stok Listesi"_s);
        form_->setRozet(Sekme::StokListesi, 0);
    }
    form_->sekmeyeGec(Sekme::StokListesi);
    cxGrid1_->suzgeciTemizle();
    araedit->clear();
    araedit->selectAll();
    araedit->setFocus(Qt::OtherFocusReason);
}

void StokListesi::KolonGenislikleriniAyarla()
{
    cxGrid1_->guncellemeyiBaslat();
    cxGrid1_->kolonGenislikleriniAyarla(cxGrid1_->yatayKaydirmaCubuguYuksekligi() + 10);
    cxGrid1_->guncellemeyiBitir();
}

bool StokListesi::eventFilter(QObject *nesne, QEvent *olay)
{
    // While a search runs the finish step sizes the columns, once.
    if (nesne == cxGrid1_ && olay->type() == QEvent::Resize && !aramaSuruyor())
        KolonGenislikleriniAyarla();
    return QWidget::eventFilter(nesne, olay);
}
