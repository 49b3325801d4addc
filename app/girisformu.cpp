#include "app/girisformu.h"

#include <mutex>

#include <QBitmap>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QValidator>
#include <QWindow>

#include "app/arkaplan.h"
#include "app/dosyaindiru.h"
#include "app/kullanicikayitu.h"
#include "app/mesajkutusu.h"
#include "app/mesgulanimasyonu.h"
#include "app/utils/ayarlar.h"
#include "app/utils/cikis.h"
#include "app/utils/sistem.h"
#include "remote/kimlik/bilgisayarid.h"
#include "remote/kurulum.h"
#include "remote/proxim.h"
#include "remote/sunucubaglantisi.h"
#include "resources/kaynaklar.h"

using namespace Qt::StringLiterals;

namespace {

// User names and passwords are kept in capitals, and the boxes type them so:
// every letter upper-cased the plain way (i becomes I), whatever the keyboard's
// language, so that what is typed matches what the server keeps.
class BuyukHarfDogrulayici final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &metin, int &) const override
    {
        metin = metin.toUpper();
        return Acceptable;
    }
};

std::mutex kancaKilidi;

CariSecimAdimi &cariSecimAdimi()
{
    static CariSecimAdimi adim;
    return adim;
}

KimlikOkuyucu &kimlikOkuyucu()
{
    static KimlikOkuyucu okuyucu;
    return okuyucu;
}

// Only the dialog's own controls (">"): the dialogs it opens keep their look.
const QString stil = uR"(
#girisform > QLabel { color: #1b3a5f; font-weight: bold; font-size: 14px; }
#girisform > QCheckBox { color: #1b3a5f; font-size: 13px; }
#girisform > QLineEdit {
    border: 1px solid #9db7d6; border-radius: 6px; padding: 2px 8px;
    background: #ffffff; color: #0d2b52; font-size: 16px; font-weight: bold;
    selection-background-color: #2f74c0; selection-color: #ffffff;
    lineedit-password-character: 42;
}
#girisform > QLineEdit:focus { border: 2px solid #f0a020; }
#girisform > QPushButton {
    border-radius: 8px; font-size: 15px; font-weight: bold; padding: 4px;
}
#girisform > QPushButton#giris {
    color: #ffffff; border: 1px solid #0d2b52;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3f86d2, stop:1 #1b4f8f);
}
#girisform > QPushButton#giris:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4f96e2, stop:1 #23609f);
}
#girisform > QPushButton#giris:disabled { color: #e3ecf6; background: #8aa6c8; border-color: #8aa6c8; }
#girisform > QPushButton#vazgec { color: #1b4f8f; background: #ffffff; border: 1px solid #9db7d6; }
#girisform > QPushButton#vazgec:hover { background: #f0f5fb; }
#girisform > QPushButton:focus { border: 2px solid #f0a020; }
)"_s;

} // namespace

struct Tgirisform::GirisSonucu
{
    bool dogrusonuc = false;
    TSonucBilgisi bilgi;
};

CariSecimAdimi CariSecimAdimiKur(CariSecimAdimi adim)
{
    const std::lock_guard kilit(kancaKilidi);
    return std::exchange(cariSecimAdimi(), std::move(adim));
}

KimlikOkuyucu KimlikOkuyucuKur(KimlikOkuyucu okuyucu)
{
    const std::lock_guard kilit(kancaKilidi);
    return std::exchange(kimlikOkuyucu(), std::move(okuyucu));
}

QString GirisKimligi()
{
    KimlikOkuyucu okuyucu;
    {
        const std::lock_guard kilit(kancaKilidi);
        okuyucu = kimlikOkuyucu();
    }
    return okuyucu ? okuyucu() : BilgisayarIdAl();
}

bool GirisFormuIleGir(SunucuBaglantisi &bagc, TSonucBilgisi &sbilgi)
{
    Tgirisform form(bagc, sbilgi);
    return form.exec() == QDialog::Accepted;
}

// --- The dialog ---

Tgirisform::Tgirisform(SunucuBaglantisi &bagim, TSonucBilgisi &Bilgim)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , bagim_(bagim)
    , Bilgim_(Bilgim)
{
    // A top-level window of its own (no parent), so it has its own taskbar entry.
    setObjectName(u"girisform"_s);
    setWindowTitle(u"Giriş"_s);
    setWindowIcon(Simge(u"sekme-sepet"_s));
    setFixedSize(boyut());
    formuKur();

    idsi_ = GirisKimligi();
    AyarOku();

    if (const QScreen *ekran = QGuiApplication::primaryScreen())
        move(ekran->availableGeometry().center() - rect().center());
    adi_->setFocus(Qt::OtherFocusReason);
}

Tgirisform::~Tgirisform() = default;

void Tgirisform::formuKur()
{
    // The picture gives the window its shape: what is transparent in it is
    // not part of the window.
    const qreal olcek = qMax<qreal>(1.0, devicePixelRatioF());
    QImage resim(boyut() * olcek, QImage::Format_ARGB32_Premultiplied);
    resim.fill(Qt::transparent);
    {
        QSvgRenderer cizici(ResimYolu(u"giris"_s));
        QPainter p(&resim);
        p.setRenderHint(QPainter::Antialiasing);
        cizici.render(&p, QRectF(QPointF(0, 0), QSizeF(resim.size())));
    }
    resim.setDevicePixelRatio(olcek);
    zemin_ = QPixmap::fromImage(resim);
    const QImage sekil = resim.scaled(boyut(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setMask(QBitmap::fromImage(sekil.createAlphaMask(Qt::MonoOnly | Qt::ThresholdDither)));
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(stil);

    QFont yazi(u"Tahoma"_s);
    yazi.setPixelSize(13);
    setFont(yazi);

    benihatirla_ = new QCheckBox(u"Beni hatırla"_s, this);
    benihatirla_->setObjectName(u"benihatirla"_s);
    benihatirla_->setChecked(true);
    benihatirla_->setGeometry(46, 280, 276, 24);

    auto *adiEtiketi = new QLabel(u" Kullanıcı Adı:"_s, this);
    adiEtiketi->setGeometry(42, 312, 280, 22);
    adi_ = new QLineEdit(this);
    adi_->setObjectName(u"adi"_s);
    adi_->setGeometry(44, 336, 280, 36);
    adi_->setValidator(new BuyukHarfDogrulayici(adi_));

    auto *sifreEtiketi = new QLabel(u" Şifre:"_s, this);
    sifreEtiketi->setGeometry(42, 382, 280, 22);
    sifre_ = new QLineEdit(this);
    sifre_->setObjectName(u"sifre"_s);
    sifre_->setGeometry(44, 406, 280, 36);
    sifre_->setEchoMode(QLineEdit::Password);
    sifre_->setValidator(new BuyukHarfDogrulayici(sifre_));
    adiEtiketi->setBuddy(adi_);
    sifreEtiketi->setBuddy(sifre_);

    giris_ = new QPushButton(u"Giriş"_s, this);
    giris_->setObjectName(u"giris"_s);
    giris_->setGeometry(44, 466, 132, 42);
    vazgec_ = new QPushButton(u"Vazgeç"_s, this);
    vazgec_->setObjectName(u"vazgec"_s);
    vazgec_->setGeometry(192, 466, 132, 42);
    for (QPushButton *b : {giris_, vazgec_}) {
        b->setAutoDefault(false); // Enter is the boxes' business
        b->setCursor(Qt::PointingHandCursor);
    }

    animasyon_ = new MesgulAnimasyonu(this);
    animasyon_->move(173, 518);

    setTabOrder(adi_, vazgec_);
    setTabOrder(vazgec_, benihatirla_);
    setTabOrder(benihatirla_, sifre_);
    setTabOrder(sifre_, giris_);

    adi_->installEventFilter(this);
    sifre_->installEventFilter(this);
    connect(giris_, &QPushButton::clicked, this, &Tgirisform::GirisClick);
    connect(vazgec_, &QPushButton::clicked, this, &Tgirisform::VazgecClick);
}

void Tgirisform::AyarOku()
{
    const KullaniciAyarlari ayarlar = KullaniciAyarlariniOku();
    benihatirla_->setChecked(ayarlar.hatirla);
    if (benihatirla_->isChecked()) {
        adi_->setText(ayarlar.isim);
        sifre_->setText(ayarlar.sifre);
    }
}

void Tgirisform::AyarYaz()
{
    // Written whatever the box says: the box only decides whether the next
    // start fills them in. A file that cannot be written costs the next
    // start its prefill, not this login.
    QString hata;
    if (!KullaniciAyarlariniYaz({adi_->text(), sifre_->text(), benihatirla_->isChecked()}, AyarDosyasi(),
                                &hata))
        qWarning("ayar.ini yazılamadı: %s", qUtf8Printable(hata));
}

bool Tgirisform::eventFilter(QObject *nesne, QEvent *olay)
{
    if (olay->type() != QEvent::KeyPress || (nesne != adi_ && nesne != sifre_))
        return QDialog::eventFilter(nesne, olay);
    const int tus = static_cast<QKeyEvent *>(olay)->key();
    if (tus != Qt::Key_Return && tus != Qt::Key_Enter)
        return QDialog::eventFilter(nesne, olay);

    auto *kutu = static_cast<QLineEdit *>(nesne);
    if (kutu->text().trimmed().isEmpty()) {
        UyariMesajiGoster(kutu == adi_ ? u"Lütfen kullanıcı adını giriniz !"_s
                                       : u"Lütfen kullanıcı şifresini giriniz !"_s);
        kutu->selectAll();
        kutu->setFocus(Qt::OtherFocusReason);
    } else if (kutu == adi_) {
        sifre_->selectAll();
        sifre_->setFocus(Qt::TabFocusReason);
    } else {
        giris_->click(); // nothing while a login is under way: the button is disabled
    }
    return true;
}

void Tgirisform::keyPressEvent(QKeyEvent *olay)
{
    if (olay->key() == Qt::Key_Escape) {
        VazgecClick();
        return;
    }
    QDialog::keyPressEvent(olay);
}

void Tgirisform::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, zemin_);
}

void Tgirisform::mousePressEvent(QMouseEvent *olay)
{
    if (olay->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(olay);
    // The window manager moves the window where it can; elsewhere it follows the mouse.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    surukleniyor_ = true;
    surukleme_ = olay->globalPosition().toPoint() - frameGeometry().topLeft();
}

void Tgirisform::mouseMoveEvent(QMouseEvent *olay)
{
    if (surukleniyor_ && (olay->buttons() & Qt::LeftButton))
        move(olay->globalPosition().toPoint() - surukleme_);
}

void Tgirisform::mouseReleaseEvent(QMouseEvent *olay)
{
    surukleniyor_ = false;
    QDialog::mouseReleaseEvent(olay);
}

// --- Logging in ---

void Tgirisform::VazgecClick()
{
    ProgramiBitir(0);
    reject(); // reached only where the exit hook lets the program go on
}

void Tgirisform::GirisClick()
{
    giris_->setText(u"Bağlanıyor..."_s);
    giris_->setEnabled(false);
    animasyon_->show();
    ArkaPlandaCalistir(
        this, {}, [](ArkaPlanGorevi &) { return Kurulum().sunucuAdresi; },
        [this](const ArkaPlanGorevi &, QString host) {
            giris_->setText(u"Giriş!"_s);
            Devamet(host);
        });
}

void Tgirisform::Devamet(const QString &host)
{
    if (host.trimmed().isEmpty()) {
        animasyon_->hide();
        HataMesajiGoster(u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s);
        giris_->setEnabled(true);
        return;
    }
    Bilgim_.setDisip(host);
    bagim_.setHostName(host);

    // The body works on a clone of its own, made here with the parameters as
    // they are now.
    std::shared_ptr<SunucuBaglantisi> klon(bagim_.CloneConnection());
    ArkaPlandaCalistir(
        this, {}, [klon, idsi = idsi_](ArkaPlanGorevi &) { return GirisBilgisiAl(*klon, idsi); },
        [this](const ArkaPlanGorevi &, GirisSonucu sonuc) { girisBitti(sonuc); });
}

Tgirisform::GirisSonucu Tgirisform::GirisBilgisiAl(SunucuBaglantisi &klon, const QString &idsi)
{
    GirisSonucu sonuc;
    if (!BaglantiKur(klon, 0))
        return sonuc;
    try {
        TServerMethods1Client proxy(klon);
        // A server that sends no record sends an unknown computer's.
        sonuc.bilgi = nesneVeyaBos(proxy.BuyukGetir(idsi));
    } catch (const std::exception &) {
        klon.Close();
        return sonuc;
    }
    klon.Close();
    sonuc.bilgi.setBilgiSayarAdi(BilgisayarAdiAl());
    sonuc.bilgi.setBilgisayarKullanici(KullaniciAdiAl());
    sonuc.bilgi.setIcip(IpAdresiAl());
    sonuc.bilgi.setBILGISAYARID(GirisKimligi());
    sonuc.bilgi.setDisip(u"12"_s);
    sonuc.dogrusonuc = true;
    return sonuc;
}

void Tgirisform::girisBitti(const GirisSonucu &sonuc)
{
    animasyon_->hide();
    if (!sonuc.dogrusonuc) {
        // The session record keeps what it had: a failed call copies nothing.
        HataMesajiGoster(u"Bağlantı Kurulamadı !"_s);
        giris_->setEnabled(true);
        kullaniciAdinaDon();
        return;
    }
    Bilgim_.Kopyala(sonuc.bilgi);

    // An outdated client is updated first, even when its user could not log in.
    if (Bilgim_.Version() != IstemciSurumu) {
        const std::unique_ptr<Tdosyaindir> guncelleme = Tdosyaindir::Yeni(this, Bilgim_.Version());
        guncelleme->exec(); // ends the program; the login goes on only where it does not
    }

    if (!Bilgim_.Varmi()) {
        const std::unique_ptr<Tkullanicikayit> istek = Tkullanicikayit::Yeni(this, bagim_, Bilgim_);
        istek->exec();
        ProgramiBitir(0);
        reject();
        return;
    }

    // The texts as typed, letter for letter.
    if (adi_->text() == Bilgim_.ADI() && sifre_->text() == Bilgim_.SIFRE()) {
        AyarYaz();
        if (Bilgim_.AKTIF() == 1) {
            if (Bilgim_.MusteriTipi() == 1 || Bilgim_.MusteriTipi() == 2) {
                CariSecimAdimi cariSec;
                {
                    const std::lock_guard kilit(kancaKilidi);
                    cariSec = cariSecimAdimi();
                }
                if (cariSec && !cariSec(bagim_, Bilgim_)) {
                    ProgramiBitir(0);
                    reject();
                    return;
                }
            }
            accept();
            return;
        }
    }

    // A wrong user name or password and an inactive account are not told apart.
    UyariMesajiGoster(u"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s);
    giris_->setEnabled(true);
    kullaniciAdinaDon();
}

void Tgirisform::kullaniciAdinaDon()
{
    adi_->selectAll();
    adi_->setFocus(Qt::OtherFocusReason);
}
