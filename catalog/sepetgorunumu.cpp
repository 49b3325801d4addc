#include "catalog/sepetgorunumu.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "app/mesajkutusu.h"
#include "app/unit1.h"
#include "app/utils/bicim.h"
#include "catalog/katalog.h"
#include "catalog/onaysipu.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "resources/kaynaklar.h"
#include "widgets/izgara/exceleaktar.h"
#include "widgets/izgara/veriizgarasi.h"

using namespace Qt::StringLiterals;

// --- SecenekGrubu ---

SecenekGrubu::SecenekGrubu(const QString &baslik, QWidget *ust)
    : QGroupBox(baslik, ust)
    , grup_(new QButtonGroup(this))
{
    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(8, 4, 8, 4);
    duzen->setSpacing(2);
    duzen->addStretch();
    connect(grup_, &QButtonGroup::idClicked, this, &SecenekGrubu::tiklandi);
}

void SecenekGrubu::temizle()
{
    for (QAbstractButton *d : grup_->buttons()) {
        grup_->removeButton(d);
        delete d;
    }
    numaralar_.clear();
}

void SecenekGrubu::ekle(const QString &ad, int numara)
{
    auto *d = new QRadioButton(ad, this);
    grup_->addButton(d, int(numaralar_.size()));
    numaralar_.append(numara);
    auto *duzen = static_cast<QVBoxLayout *>(layout());
    duzen->insertWidget(duzen->count() - 1, d);
}

int SecenekGrubu::sayi() const
{
    return int(numaralar_.size());
}

int SecenekGrubu::secili() const
{
    return grup_->checkedId();
}

void SecenekGrubu::setSecili(int sira)
{
    if (QAbstractButton *d = grup_->button(sira)) {
        d->setChecked(true);
        return;
    }
    // An exclusive group unchecks its last button only while it is not exclusive.
    grup_->setExclusive(false);
    for (QAbstractButton *d : grup_->buttons())
        d->setChecked(false);
    grup_->setExclusive(true);
}

QString SecenekGrubu::ad(int sira) const
{
    const QAbstractButton *d = grup_->button(sira);
    return d ? d->text() : QString();
}

int SecenekGrubu::numara(int sira) const
{
    return numaralar_.value(sira);
}

// --- the basket ---

QList<IzgaraKolonu> SepetKolonlari()
{
    const QHash<int, QString> durumlar = {{0, u"Yok"_s},           {1, u"Var"_s},
                                          {2, u"Telefon Açınız"_s}, {3, u"Yolda"_s},
                                          {4, u"Özel Sipariş"_s},   {5, u"Tedarik Sürecinde"_s}};
    const auto gizli = [](QString alan, QString baslik = {}) {
        return kolon(std::move(alan), std::move(baslik)).gizli();
    };
    const auto para = [](QString alan, QString baslik) {
        return kolon(std::move(alan), std::move(baslik)).sayi().seciciye();
    };
    return {
            kolon(u"SEC"_s, u"Seç"_s).gizli().turunde(KolonTuru::OnayKutusu).hizala(Qt::AlignHCenter),
            kolon(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s).turunde(KolonTuru::Tarih).seciciye().altta(AltToplam::Sayi),
            gizli(u"SIRANO"_s).agirlikla(0),
            gizli(u"SIPARISNO"_s, u"Sipariş No"_s).agirlikla(0).seciciye(),
            gizli(u"CARINO"_s).agirlikla(0),
            gizli(u"TARIH"_s, u"Tarih"_s).turunde(KolonTuru::Tarih).seciciye(),
            gizli(u"AKTAR"_s).agirlikla(0),
            gizli(u"STOKNO"_s).agirlikla(0),
            kolon(u"BARKOD"_s, u"Barkod"_s).agirlikla(2).seciciye(),
            kolon(u"FINISHKOD"_s, u"Kod"_s).agirlikla(2).seciciye(),
            gizli(u"OEMNO"_s, u"OEMNo"_s).agirlikla(2).seciciye(),
            kolon(u"STOKADI"_s, u"Stok Açıklama"_s).agirlikla(3).seciciye().kaydirarak(),
            para(u"MIKTAR"_s, u"Miktar"_s).altta(AltToplam::Toplam),
            para(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s),
            para(u"TUTAR"_s, u"Tutar"_s),
            para(u"INDIRIMORANI1"_s, u"İndirim Oranı %"_s),
            gizli(u"INDIRIMORANI2"_s).sayi(),
            gizli(u"INDIRIMORANI3"_s).sayi(),
            gizli(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s).sayi(),
            para(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s),
            kolon(u"KDV"_s).sayi().seciciye(),
            para(u"VERGITUTARI"_s, u"Vergi Tutarı"_s),
            para(u"NETTUTAR"_s, u"Net Tutar"_s).altta(AltToplam::Toplam),
            gizli(u"KUR"_s, u"Kur"_s).seciciye(),
            gizli(u"KURTL"_s).sayi(),
            gizli(u"VERENIDNO"_s),
            gizli(u"SAAT"_s, u"Saat"_s).seciciye(),
            gizli(u"TESLIMID"_s),
            gizli(u"KARGOID"_s),
            gizli(u"ACIKLAMA"_s, u"Açıklama"_s).seciciye(),
            gizli(u"IDNO"_s),
            gizli(u"VERENSIRANO"_s),
            kolon(u"VEREN"_s, u"Veren"_s).seciciye(),
            gizli(u"CARIKOD"_s, u"Cari Kod"_s),
            gizli(u"CARIADI"_s, u"Cari Adı"_s),
            gizli(u"OEM1"_s).seciciye(),
            gizli(u"OEM2"_s).seciciye(),
            gizli(u"OEM3"_s).seciciye(),
            gizli(u"OEM4"_s).seciciye(),
            gizli(u"STOK_STOKNO"_s),
            gizli(u"URETICIKODU"_s),
            gizli(u"DIGERADI"_s).seciciye(),
            gizli(u"DPKOD"_s).seciciye(),
            gizli(u"MARKA"_s, u"Marka"_s).seciciye(),
            gizli(u"MODEL"_s, u"Model"_s).seciciye(),
            gizli(u"ANAGRUP"_s, u"Ana Grup"_s).seciciye(),
            gizli(u"OZELKOD"_s, u"Özel Kod"_s).seciciye(),
            gizli(u"PKOD"_s).seciciye(),
            kolon(u"DURUM"_s, u"Durum"_s).seciciye().ikonlu(StokDurumSimgeleri(), durumlar),
            gizli(u"KALAN"_s, u"Kalan"_s).sayi(),
    };
}

SepetGorunumu::SepetGorunumu(TForm1 *form, Katalog *katalog, QWidget *ust)
    : QWidget(ust)
    , form_(form)
    , katalog_(katalog)
    , cxGrid1_(new VeriIzgarasi(this))
    , menu_(new QMenu(this))
{
    setObjectName(u"sepetGorunumu"_s);
    cxGrid1_->setObjectName(u"sepetIzgarasi"_s);
    cxGrid1_->kolonlariAyarla(SepetKolonlari());
    IzgaraAyarlari a;
    a.tumSatirSecimi = false; // the focused column matters for "Satır Değiştir"
    a.odakCercevesi = false;
    a.satirYuksekligi = 40;
    a.baslikYuksekligi = 40;
    QFont yazi(u"Tahoma"_s);
    yazi.setPixelSize(13);
    a.yazi = yazi;
    a.satirRengi = QColor(224, 232, 241);
    a.ikinciSatirRengi = QColor(237, 245, 255);
    a.altBilgi = true;
    a.altBilgideKayitSayisi = true;
    cxGrid1_->ayarlariUygula(a);
    cxGrid1_->tabloyaBagla(&form->tablolar().sepet);
    cxGrid1_->installEventFilter(this);

    menu_->setObjectName(u"sepetMenusu"_s);
    connect(menu_->addAction(u"Satır Değiştir"_s), &QAction::triggered, this, &SepetGorunumu::SatirDegistir);
    menu_->addSeparator();
    connect(menu_->addAction(u"Satır Sil"_s), &QAction::triggered, this, &SepetGorunumu::SatirSil);
    menu_->addSeparator();
    connect(menu_->addAction(u"Hepsini Sil"_s), &QAction::triggered, this, &SepetGorunumu::HepsiniSil);
    cxGrid1_->gorunum()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cxGrid1_->gorunum(), &QWidget::customContextMenuRequested, this, [this](const QPoint &yer) {
        menu_->popup(cxGrid1_->gorunum()->viewport()->mapToGlobal(yer));
    });
    connect(cxGrid1_, &VeriIzgarasi::etkinlestirildi, this, &SepetGorunumu::SatirDegistir);

    // The selection bar is hidden: the selection flags come from the server.
    secimCubugu_ = new QWidget(this);
    secimCubugu_->setObjectName(u"secimCubugu"_s);
    auto *secim = new QHBoxLayout(secimCubugu_);
    secim->setContentsMargins(0, 2, 0, 2);
    auto *hepsiniSec = new QPushButton(u"Hepsini Seç"_s, secimCubugu_);
    auto *kaldir = new QPushButton(u"Seçimleri Kaldır"_s, secimCubugu_);
    connect(hepsiniSec, &QPushButton::clicked, this, [this] { HepsiniSec(true); });
    connect(kaldir, &QPushButton::clicked, this, [this] { HepsiniSec(false); });
    secim->addWidget(hepsiniSec);
    secim->addWidget(kaldir);
    secim->addStretch();
    secimCubugu_->hide();

    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->setSpacing(4);
    duzen->addWidget(cxGrid1_, 1);
    duzen->addWidget(secimCubugu_);
    duzen->addWidget(altPanel());

    connect(form, &TForm1::sekmeGosterildi, this, [this](Sekme sekme) {
        if (sekme != Sekme::Sepet)
            return;
        SepetiYukle();
        TeslimKargoYukle();
    });
}

QWidget *SepetGorunumu::altPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(u"sepetAltPanel"_s);
    panel->setFixedHeight(131);

    teslim_ = new SecenekGrubu(u"Teslim Durumu"_s, panel);
    teslim_->setObjectName(u"teslimDurumu"_s);
    kargoTurleri_ = new SecenekGrubu(u"Kargo Türleri"_s, panel);
    kargoTurleri_->setObjectName(u"kargoTurleri"_s);
    connect(kargoTurleri_, &SecenekGrubu::tiklandi, this, &SepetGorunumu::KargoFirmalariYukle);

    auto *kargo = new QGroupBox(u"Kargo"_s, panel);
    kargocombo_ = new QComboBox(kargo);
    kargocombo_->setObjectName(u"kargocombo"_s);
    kargocombo_->setMinimumWidth(200);
    uyarikargo_ = new QLabel(kargo);
    uyarikargo_->setObjectName(u"uyarikargo"_s);
    uyarikargo_->setWordWrap(true);
    uyarikargo_->setStyleSheet(u"color: #B00000;"_s);
    connect(kargocombo_, &QComboBox::activated, this, &SepetGorunumu::kargoSecildi);
    auto *kargoDuzeni = new QVBoxLayout(kargo);
    kargoDuzeni->addWidget(kargocombo_);
    kargoDuzeni->addWidget(uyarikargo_, 1);

    auto *mesaj = new QGroupBox(u"Mesaj"_s, panel);
    aciklamagir_ = new QPlainTextEdit(mesaj);
    aciklamagir_->setObjectName(u"aciklamagir"_s);
    auto *toplamlar = new QGridLayout;
    toplamlar->setVerticalSpacing(0);
    const QString basliklar[] = {u"Toplam:"_s, u"İndirim Toplam:"_s, u"Ara Toplam:"_s, u"Vergi:"_s,
                                 u"Genel Toplam:"_s};
    for (int i = 0; i < 5; ++i) {
        auto *b = new QLabel(basliklar[i], mesaj);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        toplamEtiketleri_[i] = new QLabel(SayiBicimle(0, ParaBicimi), mesaj);
        toplamEtiketleri_[i]->setObjectName(u"toplam%1"_s.arg(i));
        toplamEtiketleri_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        toplamEtiketleri_[i]->setMinimumWidth(110);
        toplamlar->addWidget(b, i, 0);
        toplamlar->addWidget(toplamEtiketleri_[i], i, 1);
    }
    QFont kalin = toplamEtiketleri_[4]->font();
    kalin.setBold(true);
    toplamEtiketleri_[4]->setFont(kalin);
    auto *mesajDuzeni = new QHBoxLayout(mesaj);
    mesajDuzeni->addWidget(aciklamagir_, 1);
    mesajDuzeni->addLayout(toplamlar);

    gonder_ = new QPushButton(u"Gönder"_s, panel);
    gonder_->setObjectName(u"gonder"_s);
    excel_ = new QPushButton(u"Excel Kaydet"_s, panel);
    excel_->setObjectName(u"excelKaydet"_s);
    for (QPushButton *d : {gonder_, excel_}) {
        d->setMinimumSize(120, 44);
        d->setCursor(Qt::PointingHandCursor);
    }
    connect(gonder_, &QPushButton::clicked, this, &SepetGorunumu::Gonder);
    connect(excel_, &QPushButton::clicked, this, [this] { ExceleAktar(cxGrid1_); });
    auto *dugmeler = new QVBoxLayout;
    dugmeler->addWidget(gonder_);
    dugmeler->addWidget(excel_);

    auto *duzen = new QHBoxLayout(panel);
    duzen->setContentsMargins(0, 0, 0, 0);
    duzen->addWidget(teslim_);
    duzen->addWidget(kargoTurleri_);
    duzen->addWidget(kargo);
    duzen->addWidget(mesaj, 1);
    duzen->addLayout(dugmeler);
    return panel;
}

void SepetGorunumu::musteriTipiKurallariniUygula()
{
    form_->musteriTipiKurallari().uygula(MusteriListesi::Sepet, *cxGrid1_);
}

void SepetGorunumu::SepetiYukle()
{
    const int carino = form_->sbilgi().CARINO();
    BellekTablo yeni;
    // Another clone of the main connection: a dialog may hold the main one.
    std::unique_ptr<SunucuBaglantisi> klon = form_->bagc().CloneConnection();
    if (!AnaBaglantidaCagir(*klon, [&](TServerMethods1Client &p) { yeni = p.SepetVer(carino); }))
        return;
    ParaBicimiUygula(yeni);
    BellekTablo &sepet = form_->tablolar().sepet;
    sepet = std::move(yeni);
    form_->setRozet(Sekme::Sepet, int(sepet.satirSayisi()));
    SepetToplamlari();
    KolonGenislikleriniAyarla();
}

void SepetGorunumu::SepetToplamlari()
{
    // The totals read the table without moving through it: the grid keeps
    // its focused line (a reset would lose it after every "Seç" toggle).
    toplam_ = SepetToplamlariniHesapla(form_->tablolar().sepet);
    const double degerler[] = {toplam_.toplam, toplam_.indirim, toplam_.araToplam, toplam_.vergi,
                               toplam_.genelToplam};
    for (int i = 0; i < 5; ++i)
        toplamEtiketleri_[i]->setText(SayiBicimle(degerler[i], ParaBicimi));
}

void SepetGorunumu::TeslimKargoYukle()
{
    std::unique_ptr<SunucuBaglantisi> klon = form_->bagc().CloneConnection();
    BellekTablo teslimler, turler;
    if (!AnaBaglantidaCagir(*klon, [&](TServerMethods1Client &p) {
            teslimler = p.TeslimVer();
            turler = p.KargoVer();
        }))
        return;
    const auto doldur = [](SecenekGrubu *grup, const BellekTablo &t) {
        grup->temizle();
        for (qsizetype i = 0; i < t.satirSayisi(); ++i)
            grup->ekle(t.metin(i, 1), int(t.tamsayi(i, 0)));
    };
    doldur(teslim_, teslimler);
    // The second option, or the only one.
    teslim_->setSecili(std::min(1, teslim_->sayi() - 1));
    doldur(kargoTurleri_, turler);
    kargoTurleri_->setSecili(-1);
    kargocombo_->clear();
    uyarikargo_->clear();
}

void SepetGorunumu::KargoFirmalariYukle()
{
    uyarikargo_->clear();
    const int tur = kargoTurleri_->secili();
    if (tur < 0)
        return;
    const int numara = kargoTurleri_->numara(tur);
    BellekTablo firmalar;
    if (!AnaBaglantidaCagir(form_->bagc(), [&](TServerMethods1Client &p) { firmalar = p.KargolarVer(numara); }))
        return;
    BellekTablo &kargo = form_->tablolar().kargo;
    kargo = std::move(firmalar);
    kargocombo_->clear();
    kargocombo_->addItem(u" "_s);
    const int ad = kargo.kolonIndeksi(u"ADI");
    for (qsizetype i = 0; i < kargo.satirSayisi(); ++i)
        kargocombo_->addItem(kargo.metin(i, ad));
    kargocombo_->setCurrentIndex(-1);
}

void SepetGorunumu::kargoSecildi()
{
    // The entry's own row (two carriers may share a name); the blank entry has none.
    const BellekTablo &kargo = form_->tablolar().kargo;
    const int satir = kargocombo_->currentIndex() - 1;
    uyarikargo_->setText(satir >= 0 ? kargo.metin(satir, kargo.kolonIndeksi(u"UYARI")) : QString());
}

void SepetGorunumu::SatirDegistir()
{
    const qsizetype satir = cxGrid1_->odakliSatir();
    if (satir < 0)
        return;
    BellekTablo &sepet = form_->tablolar().sepet;
    sepet.satiraGit(satir);
    const int sirano = int(sepet.tamsayi(satir, sepet.kolonIndeksi(u"SIRANO")));
    if (cxGrid1_->odakliAlan() != u"SEC") {
        katalog_->SatirDuzenle(sirano);
        return;
    }
    const int yeni = sepet.tamsayi(satir, sepet.kolonIndeksi(u"SEC")) == 0 ? 1 : 0;
    if (secimGonder(satir, yeni))
        SepetToplamlari();
}

bool SepetGorunumu::secimGonder(qsizetype satir, int secim)
{
    BellekTablo &sepet = form_->tablolar().sepet;
    const int sirano = int(sepet.tamsayi(satir, sepet.kolonIndeksi(u"SIRANO")));
    sepet.satiraGit(satir);
    if (sepet.duzenle()) {
        sepet.yaz(u"SEC", secim);
        sepet.kaydet();
    }
    std::unique_ptr<SunucuBaglantisi> klon = form_->bagc().CloneConnection();
    return AnaBaglantidaCagir(*klon, [&](TServerMethods1Client &p) { p.SepetSecimGuncelle(sirano, secim); });
}

void SepetGorunumu::HepsiniSec(bool sec)
{
    BellekTablo &sepet = form_->tablolar().sepet;
    for (qsizetype i = 0; i < sepet.satirSayisi(); ++i) {
        if (!secimGonder(i, sec ? 1 : 0))
            break;
    }
    SepetToplamlari();
    if (form_->araedit()->isEnabled()) {
        form_->araedit()->selectAll();
        form_->araedit()->setFocus(Qt::OtherFocusReason);
    }
}

void SepetGorunumu::SatirSil()
{
    const qsizetype satir = cxGrid1_->odakliSatir();
    if (satir < 0)
        return;
    BellekTablo &sepet = form_->tablolar().sepet;
    sepet.satiraGit(satir);
    const int sirano = int(sepet.tamsayi(satir, sepet.kolonIndeksi(u"SIRANO")));
    const QString aciklama = sepet.metin(satir, sepet.kolonIndeksi(u"BARKOD")) + u"-"_s
            + sepet.metin(satir, sepet.kolonIndeksi(u"STOKADI"));
    if (!SoruSor(u"Satırı silmek istiyor musunuz "_s, Dugme::Hayir))
        return;
    TSonucBilgisi bilgi;
    bilgi.Kopyala(form_->sbilgi());
    if (!AnaBaglantidaCagir(form_->bagc(),
                            [&](TServerMethods1Client &p) { p.SepetSatirSil(bilgi, sirano, aciklama); }))
        return;
    SepetiYukle();
    BilgiMesajiGoster(u"Satır silindi !"_s);
}

void SepetGorunumu::HepsiniSil()
{
    const BellekTablo &sepet = form_->tablolar().sepet;
    if (!sepet.acik() || sepet.bos())
        return;
    if (!SoruSor(u"Tüm Sepeti Silmek İstiyor musunuz "_s, Dugme::Hayir))
        return;
    TSonucBilgisi bilgi;
    bilgi.Kopyala(form_->sbilgi());
    if (!AnaBaglantidaCagir(form_->bagc(), [&](TServerMethods1Client &p) { p.SepetHepsiniSil(bilgi); }))
        return;
    BilgiMesajiGoster(u"Sepet Silindi !"_s);
    SepetiYukle();
}

void SepetGorunumu::Gonder()
{
    if (!SecimVarmi(form_->tablolar().sepet)) {
        UyariMesajiGoster(u"Gönderilecek Parça Yok "_s);
        return;
    }
    if (teslim_->secili() < 0) {
        UyariMesajiGoster(u"Lütfen Teslim Durumu Seçiniz !"_s);
        return;
    }
    if (kargoTurleri_->secili() < 0) {
        UyariMesajiGoster(u"Lütfen Kargo Türünü Seçiniz !"_s);
        return;
    }
    if (kargocombo_->currentIndex() <= 0) {
        UyariMesajiGoster(u"Lütfen Kargo  Seçiniz !"_s);
        kargocombo_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The chosen entry's own carrier: entries follow the rows of kargo after the blank.
    const BellekTablo &kargo = form_->tablolar().kargo;
    const int firmaSatiri = kargocombo_->currentIndex() - 1;
    const int kargoFirmasi = int(kargo.tamsayi(firmaSatiri, kargo.kolonIndeksi(u"SIRANO")));
    const int teslim = teslim_->numara(teslim_->secili());
    const int kargoTuru = kargoTurleri_->numara(kargoTurleri_->secili());

    TONAYSIP onay(SiparisOzeti(form_->sbilgi(), teslim_->ad(teslim_->secili()),
                               kargoTurleri_->ad(kargoTurleri_->secili()), toplamEtiketleri_[4]->text(),
                               kargocombo_->currentText(), aciklamagir_->toPlainText()),
                  form_);
    if (onay.exec() != QDialog::Accepted)
        return;
    if (SiparisiKaydet(teslim, kargoTuru, kargoFirmasi)) {
        BilgiMesajiGoster(u"Siparişiniz Gönderildi !"_s);
        SepetiYukle();
        aciklamagir_->clear();
    } else {
        HataMesajiGoster(u"Sipariş Göndermede Hata"_s);
    }
}

bool SepetGorunumu::SiparisiKaydet(int teslim, int kargoTuru, int kargoFirmasi)
{
    TSonucBilgisi BB;
    BB.Kopyala(form_->sbilgi());
    const TSonucBilgisi &oturum = form_->sbilgi();
    const QString aciklama = aciklamagir_->toPlainText();
    bool sonuc = false;
    AnaBaglantidaCagir(form_->bagc(), [&](TServerMethods1Client &p) {
        sonuc = p.SiparisKaydet(BB, oturum.CARINO(), teslim, kargoTuru, aciklama, oturum.Sirano(),
                                kargoFirmasi);
    });
    return sonuc;
}

void SepetGorunumu::KolonGenislikleriniAyarla()
{
    cxGrid1_->guncellemeyiBaslat();
    cxGrid1_->kolonGenislikleriniAyarla(30, 1152);
    cxGrid1_->guncellemeyiBitir();
}

bool SepetGorunumu::eventFilter(QObject *nesne, QEvent *olay)
{
    if (nesne == cxGrid1_ && olay->type() == QEvent::Resize && cxGrid1_->isEnabled())
        KolonGenislikleriniAyarla();
    return QWidget::eventFilter(nesne, olay);
}
