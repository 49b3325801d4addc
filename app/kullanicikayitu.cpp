#include "app/kullanicikayitu.h"

#include <optional>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/arkaplan.h"
#include "app/girisformu.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

// The text a failed call shows: the server's words where it answered.
QString hataMetni(const std::exception &e)
{
    if (const auto *uzak = dynamic_cast<const UzakHata *>(&e))
        return uzak->mesaj();
    return QString::fromUtf8(e.what());
}

struct CariSonucu
{
    std::optional<TMobilCariBilgisi> bilgi; // none: no connection (BaglantiKur said so)
    QString hata;
};

struct GonderSonucu
{
    bool gonderildi = false;
    QString hata;
};

const QString stil = uR"(
#kullanicikayit QLabel#baslikSatiri {
    color: #ffffff; font-weight: bold; font-size: 14px; padding: 3px 8px; border-radius: 4px;
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1b4f8f, stop:1 #5d92cf);
}
#kullanicikayit QLabel#lblid { color: #0d2b52; font-weight: bold; font-size: 14px; }
#kullanicikayit QLineEdit { padding: 2px 6px; min-height: 22px; }
)"_s;

} // namespace

std::unique_ptr<Tkullanicikayit> Tkullanicikayit::Yeni(QWidget *AOwner, const SunucuBaglantisi &_c,
                                                       const TSonucBilgisi &_b)
{
    std::unique_ptr<Tkullanicikayit> form(new Tkullanicikayit(AOwner, _c, _b));
    form->setWindowTitle(u"B2B İstek Formu"_s);
    form->durum_ = tyeni;
    return form;
}

std::unique_ptr<Tkullanicikayit> Tkullanicikayit::Ac(QWidget *AOwner, const SunucuBaglantisi &_c,
                                                     const TSonucBilgisi &_b)
{
    std::unique_ptr<Tkullanicikayit> form(new Tkullanicikayit(AOwner, _c, _b));
    form->kullaniciadi->setText(form->Bilgim.ADI());
    form->firmaadi->setText(form->Bilgim.CariAdi());
    form->CariBilgisiniDoldur();
    form->setWindowTitle(u"Şifre Değiştirme İsteği"_s);
    form->durum_ = teski;
    return form;
}

Tkullanicikayit::Tkullanicikayit(QWidget *AOwner, const SunucuBaglantisi &_c, const TSonucBilgisi &_b)
    : QDialog(AOwner)
    , con(_c.CloneConnection())
{
    Bilgim.Kopyala(_b);
    _idsi = GirisKimligi();
    setObjectName(u"kullanicikayit"_s);
    setFixedSize(705, 514);
    formuKur();
    lblid_->setText(u"Bilgisayar ID: "_s + _idsi);
}

Tkullanicikayit::~Tkullanicikayit() = default;

QLineEdit *Tkullanicikayit::kutu(const QString &ad, int genislik)
{
    auto *k = new QLineEdit(this);
    k->setObjectName(ad);
    if (genislik > 0)
        k->setFixedWidth(genislik);
    return k;
}

void Tkullanicikayit::formuKur()
{
    setStyleSheet(stil);
    QFont yazi(u"Tahoma"_s);
    yazi.setPixelSize(13);
    setFont(yazi);

    lblid_ = new QLabel(this);
    lblid_->setObjectName(u"lblid"_s);
    lblid_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    firmaadi = kutu(u"firmaadi"_s);
    adres1 = kutu(u"adres1"_s);
    adres2 = kutu(u"adres2"_s);
    ilce = kutu(u"ilce"_s);
    sehir = kutu(u"sehir"_s);
    telefon = kutu(u"telefon"_s);
    fax = kutu(u"fax"_s);
    vd = kutu(u"vd"_s);
    vn = kutu(u"vn"_s);
    yetkili = kutu(u"yetkili"_s);
    kullaniciadi = kutu(u"kullaniciadi"_s, 260);
    sifre = kutu(u"sifre"_s, 260); // plain: the user sees what is asked for
    mail = kutu(u"mail"_s);
    kargoambar = kutu(u"kargoambar"_s);

    auto *tablo = new QGridLayout;
    tablo->setHorizontalSpacing(10);
    tablo->setVerticalSpacing(6);
    tablo->setColumnMinimumWidth(0, 150);
    tablo->setColumnStretch(1, 1);
    tablo->setColumnStretch(2, 1);
    int satir = 0;
    const auto baslik = [&](const QString &metin) {
        auto *l = new QLabel(metin, this);
        l->setObjectName(u"baslikSatiri"_s);
        tablo->addWidget(l, satir++, 0, 1, 3);
    };
    const auto alan = [&](const QString &etiket, QLineEdit *sol, QLineEdit *sag = nullptr) {
        auto *l = new QLabel(etiket, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setBuddy(sol);
        tablo->addWidget(l, satir, 0);
        if (sag) {
            tablo->addWidget(sol, satir, 1);
            tablo->addWidget(sag, satir, 2);
        } else if (sol->maximumWidth() < QWIDGETSIZE_MAX) {
            tablo->addWidget(sol, satir, 1, 1, 2, Qt::AlignLeft); // a box of its own width
        } else {
            tablo->addWidget(sol, satir, 1, 1, 2);
        }
        ++satir;
    };
    tablo->addWidget(lblid_, satir++, 0, 1, 3);
    baslik(u"Firma Bilgileri"_s);
    alan(u"Firma Adı:"_s, firmaadi);
    alan(u"Adres:"_s, adres1);
    alan(u"Adres2:"_s, adres2);
    alan(u"İlçe/Şehir:"_s, ilce, sehir);
    alan(u"Telefon/Fax:"_s, telefon, fax);
    alan(u"Vergi Dairesi / No:"_s, vd, vn);
    alan(u"Yetkili:"_s, yetkili);
    baslik(u"Kullanıcı Bilgileri"_s);
    alan(u"Kullanıcı Adı:"_s, kullaniciadi);
    alan(u"Şifre:"_s, sifre);
    alan(u"Mail:"_s, mail);
    alan(u"Kargo Ambar:"_s, kargoambar);

    gonder_ = new QPushButton(u"Gönder"_s, this);
    gonder_->setObjectName(u"gonder"_s);
    kapat_ = new QPushButton(u"Kapat"_s, this);
    kapat_->setObjectName(u"kapat"_s);
    for (QPushButton *b : {gonder_, kapat_}) {
        b->setFixedSize(120, 32);
        b->setAutoDefault(false);
        b->setCursor(Qt::PointingHandCursor);
    }
    auto *mesgul = new MesgulAnimasyonu(this);
    mesgul->setObjectName(u"mesgul"_s);
    auto *dugmeler = new QHBoxLayout;
    dugmeler->addWidget(gonder_);
    dugmeler->addWidget(mesgul);
    dugmeler->addStretch();
    dugmeler->addWidget(kapat_);

    auto *ana = new QGridLayout(this);
    ana->setContentsMargins(18, 14, 18, 14);
    ana->addLayout(tablo, 0, 0);
    ana->setRowStretch(1, 1);
    ana->addLayout(dugmeler, 2, 0);

    connect(gonder_, &QPushButton::clicked, this, &Tkullanicikayit::GonderClick);
    connect(kapat_, &QPushButton::clicked, this, &Tkullanicikayit::KapatClick);
    firmaadi->setFocus(Qt::OtherFocusReason);
}

void Tkullanicikayit::mesgulGoster()
{
    const bool mesgul = dolduruluyor_ || gonderiliyor_;
    findChild<MesgulAnimasyonu *>(u"mesgul"_s)->setVisible(mesgul);
    gonder_->setEnabled(!mesgul);
    kapat_->setEnabled(!gonderiliyor_);
}

// The account's details: filled in when the server answers; meanwhile the
// boxes they go into wait, so nothing the user types is overwritten.
void Tkullanicikayit::CariBilgisiniDoldur()
{
    const QList<QLineEdit *> doldurulanlar {adres1, adres2, ilce, sehir, telefon, fax, vd, vn};
    for (QLineEdit *k : doldurulanlar)
        k->setEnabled(false);
    dolduruluyor_ = true;
    mesgulGoster();

    std::shared_ptr<SunucuBaglantisi> klon(con->CloneConnection());
    ArkaPlandaCalistir(
        this, {},
        [klon, idsi = _idsi](ArkaPlanGorevi &) {
            CariSonucu sonuc;
            if (!BaglantiKur(*klon, 1))
                return sonuc; // the message was shown; the boxes stay empty
            try {
                TServerMethods1Client proxy(*klon);
                sonuc.bilgi = nesneVeyaBos(proxy.MobilCariBilgisiGetir(0, idsi));
            } catch (const std::exception &e) {
                sonuc.hata = hataMetni(e);
            }
            klon->Close();
            return sonuc;
        },
        [this, doldurulanlar](const ArkaPlanGorevi &, CariSonucu sonuc) {
            dolduruluyor_ = false;
            for (QLineEdit *k : doldurulanlar)
                k->setEnabled(true);
            mesgulGoster();
            if (!sonuc.hata.isEmpty()) {
                HataMesajiGoster(sonuc.hata);
                return;
            }
            if (!sonuc.bilgi)
                return;
            const TMobilCariBilgisi &b = *sonuc.bilgi;
            adres1->setText(b.ADRES1());
            adres2->setText(b.ADRES2());
            ilce->setText(b.ILCE());
            sehir->setText(b.SEHIR());
            telefon->setText(b.TEL1());
            fax->setText(b.FAX1());
            vd->setText(b.VERGIDAIRESI());
            vn->setText(b.VERGINO());
        });
}

void Tkullanicikayit::GonderClick()
{
    const std::pair<QLineEdit *, QString> gerekenler[] = {
        {firmaadi, u"Firma Adı boş olamaz !"_s},
        {adres1, u"Adres boş olamaz !"_s},
        {ilce, u"İlçe Adı boş olamaz !"_s},
        {sehir, u"Şehir Adı boş olamaz !"_s},
        {telefon, u"Telefon  boş olamaz !"_s},
        {yetkili, u"Yetkili  boş olamaz !"_s},
        {kullaniciadi, u"Kullanıcı  boş olamaz !"_s},
        {sifre, u"Şifre  boş olamaz !"_s},
        {mail, u"Mail  boş olamaz !"_s},
    };
    for (const auto &[k, mesaj] : gerekenler) {
        if (k->text().trimmed().isEmpty()) {
            UyariMesajiGoster(mesaj);
            k->selectAll();
            k->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    // The texts as typed, untrimmed.
    const QStringList alanlar {firmaadi->text(), adres1->text(),   adres2->text(),       ilce->text(),
                               sehir->text(),    telefon->text(),  fax->text(),          vd->text(),
                               vn->text(),       yetkili->text(),  kullaniciadi->text(), sifre->text(),
                               mail->text(),     kargoambar->text()};
    const QString baslik = durum_ == tyeni ? u"B2B Yeni Kullanıcı İstek"_s : u"Şifre Değiştirme İsteği"_s;
    gonderiliyor_ = true;
    mesgulGoster();

    std::shared_ptr<SunucuBaglantisi> klon(con->CloneConnection());
    ArkaPlandaCalistir(
        this, {},
        [klon, baslik, a = alanlar](ArkaPlanGorevi &) {
            GonderSonucu sonuc;
            if (!BaglantiKur(*klon, 1))
                return sonuc; // the message was shown, and that is all
            try {
                TServerMethods1Client proxy(*klon);
                proxy.MailGonserCari(GirisKimligi(), baslik, a[0], a[1], a[2], a[3], a[4], a[5], a[6],
                                     a[7], a[8], a[9], a[10], a[11], a[12], a[13]);
                sonuc.gonderildi = true;
            } catch (const std::exception &e) {
                sonuc.hata = hataMetni(e);
            }
            klon->Close();
            return sonuc;
        },
        [this](const ArkaPlanGorevi &, GonderSonucu sonuc) {
            gonderiliyor_ = false;
            mesgulGoster();
            if (!sonuc.hata.isEmpty())
                HataMesajiGoster(sonuc.hata);
            else if (sonuc.gonderildi)
                BilgiMesajiGoster(u"İsteğiniz Gönderildi!"_s);
        });
}

void Tkullanicikayit::KapatClick()
{
    reject();
}

void Tkullanicikayit::reject()
{
    // A request on its way is not given up: for a new user the program ends
    // when the form closes.
    if (gonderiliyor_)
        return;
    QDialog::reject();
}
