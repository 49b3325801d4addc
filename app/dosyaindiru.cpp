#include "app/dosyaindiru.h"

#include <atomic>
#include <limits>
#include <memory>
#include <mutex>

#include <curl/curl.h>

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/mesajkutusu.h"
#include "app/utils/bicim.h"
#include "app/utils/cikis.h"
#include "app/utils/klasorler.h"
#include "remote/kurulum.h"

using namespace Qt::StringLiterals;

namespace {

const QString paketAdi = u"DTezmarOtomotivSetup.exe"_s;
constexpr long zamanAsimiMs = 60000; // to connect, and without a byte of the reply

} // namespace

// The state the window and the download thread share.
struct Tdosyaindir::Aktarim
{
    QString adres;
    QString hedef;
    std::atomic<bool> iptal {false};
    std::atomic<qint64> alinan {0};
    std::atomic<qint64> toplam {0};
    std::atomic<bool> gosterimBekliyor {false}; // a progress update is already on its way
};

namespace {

size_t yaz(char *veri, size_t boyut, size_t adet, void *hedef)
{
    auto *dosya = static_cast<QSaveFile *>(hedef);
    const qint64 n = static_cast<qint64>(boyut * adet);
    return dosya->write(veri, n) == n ? boyut * adet : 0; // 0 breaks the transfer off
}

} // namespace

std::pair<QString, QString> IlerlemeSatirlari(qint64 alinan, qint64 toplam, const QLocale &yerel)
{
    if (toplam <= 0)
        return {};
    const double yuzde = double(alinan) / double(toplam) * 100.0;
    constexpr double megabayt = 1024.0 * 1024.0;
    QLocale duz = yerel;
    duz.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto f = [&](double x) { return duz.toString(x, 'f', 2); };
    return {u"Bilgi: %"_s + SayiBicimle(yuzde, ParaBicimi, yerel),
            u"Bilgi: %"_s + f(yuzde) + u"  İndirilen: "_s + f(double(alinan) / megabayt) + u'/'
                    + f(double(toplam) / megabayt) + u" Mb"_s};
}

QString Tdosyaindir::IndirmeAdresi()
{
    // The installation gives the scheme, host and port; the path is always the same.
    QUrl adres = QUrl::fromUserInput(Kurulum().guncellemeAdresi);
    adres.setPath(u"/exe/"_s + paketAdi);
    adres.setQuery(QString());
    adres.setFragment(QString());
    return adres.toString(QUrl::FullyEncoded);
}

QString Tdosyaindir::HedefDosya()
{
    return BelgelerKlasoru() + u'/' + paketAdi;
}

std::unique_ptr<Tdosyaindir> Tdosyaindir::Yeni(QWidget *AOwner, int _y)
{
    return std::unique_ptr<Tdosyaindir>(new Tdosyaindir(AOwner, _y));
}

Tdosyaindir::Tdosyaindir(QWidget *AOwner, int _y)
    : QDialog(AOwner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , adres_(IndirmeAdresi())
{
    setObjectName(u"dosyaindir"_s);
    setWindowTitle(u"Dosya İndir"_s);
    setFixedSize(543, 309);

    mesaj_ = new QLabel(u"TEZMAR Otomotiv Online Sipariş Programı (Doruna) Programının\r\n"
                        "Yeni versiyonu indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: "_s
                                + QString::number(_y) + u'-' + QString::number(3),
                        this);
    mesaj_->setObjectName(u"mesaj"_s);
    mesaj_->setAlignment(Qt::AlignCenter);
    mesaj_->setWordWrap(true);
    QFont buyuk = mesaj_->font();
    buyuk.setPixelSize(17);
    buyuk.setBold(true);
    mesaj_->setFont(buyuk);

    bilgi_ = new QLabel(this);
    bilgi_->setObjectName(u"bilgi"_s);
    bilgi_->setAlignment(Qt::AlignCenter);

    ilerleme_ = new QProgressBar(this);
    ilerleme_->setObjectName(u"ilerleme"_s);
    ilerleme_->setRange(0, 100);
    ilerleme_->setValue(0);
    ilerleme_->setTextVisible(false);

    auto *duzen = new QVBoxLayout(this);
    duzen->setContentsMargins(18, 18, 18, 18);
    duzen->addWidget(mesaj_, 1);
    duzen->addWidget(bilgi_);
    duzen->addWidget(ilerleme_);

    // Centred on the desktop.
    if (const QScreen *ekran = QGuiApplication::primaryScreen())
        move(ekran->availableGeometry().center() - rect().center());
}

Tdosyaindir::~Tdosyaindir()
{
    if (aktarim_)
        aktarim_->iptal = true;
    if (indirici_.joinable())
        indirici_.join();
}

void Tdosyaindir::showEvent(QShowEvent *olay)
{
    QDialog::showEvent(olay);
    if (!basladi_) {
        basladi_ = true;
        // Once the window is on the screen.
        QTimer::singleShot(0, this, &Tdosyaindir::indirmeyeBasla);
    }
}

void Tdosyaindir::closeEvent(QCloseEvent *olay)
{
    olay->ignore(); // the update ends the program itself
}

void Tdosyaindir::keyPressEvent(QKeyEvent *olay)
{
    if (olay->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(olay);
}

void Tdosyaindir::indirmeyeBasla()
{
    aktarim_ = std::make_shared<Aktarim>();
    aktarim_->adres = adres_;
    aktarim_->hedef = HedefDosya();
    // An older package of the same name goes first, so that a failed download
    // never leaves the old one to be started by mistake.
    QFile::remove(aktarim_->hedef);

    indirici_ = std::thread([this, a = aktarim_] {
        static std::once_flag bir;
        std::call_once(bir, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

        QString hata;
        QSaveFile dosya(a->hedef);
        if (!dosya.open(QIODevice::WriteOnly)) {
            hata = dosya.errorString();
        } else if (CURL *c = curl_easy_init()) {
            char hataMetni[CURL_ERROR_SIZE] = {};
            const std::string adres = a->adres.toStdString();
            curl_slist *basliklar = nullptr;
            basliklar = curl_slist_append(
                    basliklar, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,"
                               "image/webp,image/apng,*/*;q=0.8");
            basliklar = curl_slist_append(basliklar,
                                          "Accept-Language: en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
            curl_easy_setopt(c, CURLOPT_URL, adres.c_str());
            curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
            curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
            curl_easy_setopt(c, CURLOPT_MAXREDIRS, 15L);
            curl_easy_setopt(c, CURLOPT_HTTPHEADER, basliklar);
            curl_easy_setopt(c, CURLOPT_USERAGENT,
                             "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                             "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36");
            // Sent as "Accept-Encoding: gzip, deflate"; what comes compressed is unpacked.
            curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
            curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, zamanAsimiMs);
            // A reply that stalls for as long is given up.
            curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
            curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, zamanAsimiMs / 1000);
            // An error page is not a setup package.
            curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
            curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(c, CURLOPT_ERRORBUFFER, hataMetni);
            curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, yaz);
            curl_easy_setopt(c, CURLOPT_WRITEDATA, &dosya);
            curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
            curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
            curl_easy_setopt(
                    c, CURLOPT_XFERINFOFUNCTION,
                    +[](void *veri, curl_off_t toplam, curl_off_t alinan, curl_off_t, curl_off_t) -> int {
                        auto *pencere = static_cast<Tdosyaindir *>(veri);
                        Aktarim &a = *pencere->aktarim_;
                        if (a.iptal)
                            return 1;
                        if (alinan == a.alinan && toplam == a.toplam)
                            return 0;
                        a.alinan = alinan;
                        a.toplam = toplam;
                        // One update on its way at a time: the window shows the
                        // newest figures when it gets to it, and is never flooded.
                        if (!a.gosterimBekliyor.exchange(true))
                            QMetaObject::invokeMethod(pencere, &Tdosyaindir::ilerlemeGoster,
                                                      Qt::QueuedConnection);
                        return 0;
                    });
            const CURLcode sonuc = curl_easy_perform(c);
            if (sonuc != CURLE_OK) {
                if (sonuc == CURLE_WRITE_ERROR)
                    hata = dosya.errorString();
                else
                    hata = QString::fromUtf8(hataMetni[0] ? hataMetni : curl_easy_strerror(sonuc));
                dosya.cancelWriting();
            } else if (!dosya.commit()) {
                hata = dosya.errorString();
            }
            curl_slist_free_all(basliklar);
            curl_easy_cleanup(c);
        } else {
            hata = u"libcurl başlatılamadı"_s;
        }
        if (!a->iptal)
            QMetaObject::invokeMethod(this, [this, hata] { bitti(hata); }, Qt::QueuedConnection);
    });
}

void Tdosyaindir::ilerlemeGoster()
{
    aktarim_->gosterimBekliyor = false;
    const qint64 alinan = aktarim_->alinan;
    const qint64 toplam = aktarim_->toplam;
    if (toplam <= 0)
        return; // an unknown length shows nothing
    const auto [kisa, uzun] = IlerlemeSatirlari(alinan, toplam);
    bilgi_->setText(kisa);
    bilgi_->setText(uzun);
    // The bar counts in kilobytes, so that packages past 2 GiB fit its range.
    const bool buyuk = toplam > std::numeric_limits<int>::max();
    ilerleme_->setMaximum(int(buyuk ? toplam / 1024 : toplam));
    ilerleme_->setValue(int(buyuk ? alinan / 1024 : alinan));
}

void Tdosyaindir::bitti(const QString &hata)
{
    if (indirici_.joinable())
        indirici_.join();
    if (!hata.isEmpty()) {
        HataMesajiGoster(u"Hata Oluştu !\r\nHata: "_s + hata);
        bitir();
        return;
    }
    ilerlemeGoster();
    const QString dosya = aktarim_->hedef;
    emit indirildi(dosya);
    // The package is a program of its own: it must be allowed to run.
    QFile::setPermissions(dosya, QFile::permissions(dosya) | QFile::ExeOwner | QFile::ExeUser
                                         | QFile::ExeGroup | QFile::ExeOther);
    qint64 pid = 0;
    QProcess baslatici;
    baslatici.setProgram(dosya);
    baslatici.setArguments({u"/silent"_s});
    baslatici.setWorkingDirectory(QFileInfo(dosya).absolutePath());
    if (!baslatici.startDetached(&pid))
        HataMesajiGoster(u"Hata Oluştu !\r\nHata: "_s + dosya + u" başlatılamadı: "_s
                         + baslatici.errorString());
    bitir();
}

void Tdosyaindir::bitir()
{
    ProgramiBitir(0);
    done(QDialog::Rejected); // reached only where the exit hook lets the program go on
}
