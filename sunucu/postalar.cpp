#include "sunucu/postalar.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>

#include <curl/curl.h>

#include <QDateTime>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>

#include "sunucu/hesaplar.h"

using namespace Qt::StringLiterals;

namespace {

// The fields of a form: parameter name, mail label, member.
struct AlanTanimi
{
    const char16_t *ad;
    const char16_t *etiket;
    QString IstekFormu::*uye;
};

constexpr std::array<AlanTanimi, 16> alanlar {{
    {u"idsi", u"Bilgisayar ID", &IstekFormu::idsi},
    {u"baslik", u"Konu", &IstekFormu::baslik},
    {u"firmaadi", u"Firma Adı", &IstekFormu::firmaadi},
    {u"adres1", u"Adres", &IstekFormu::adres1},
    {u"adres2", u"Adres2", &IstekFormu::adres2},
    {u"ilce", u"İlçe", &IstekFormu::ilce},
    {u"sehir", u"Şehir", &IstekFormu::sehir},
    {u"telefon", u"Telefon", &IstekFormu::telefon},
    {u"fax", u"Fax", &IstekFormu::fax},
    {u"vd", u"Vergi Dairesi", &IstekFormu::vd},
    {u"vn", u"Vergi No", &IstekFormu::vn},
    {u"yetkili", u"Yetkili", &IstekFormu::yetkili},
    {u"kullaniciadi", u"Kullanıcı Adı", &IstekFormu::kullaniciadi},
    {u"sifre", u"Şifre", &IstekFormu::sifre},
    {u"mail", u"Mail", &IstekFormu::mail},
    {u"kargoambar", u"Kargo Ambar", &IstekFormu::kargoambar},
}};

constexpr qsizetype alanSiniri = 250; // characters of one field
constexpr qsizetype mesajSiniri = 20000; // characters of the mail form's message

QString simdi(std::chrono::seconds sonra = {})
{
    return QDateTime::currentDateTime().addSecs(sonra.count()).toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

// A plain address the relay and a mail reader take as it is: no display
// name, no comments, nothing that could end a header line.
bool duzAdresMi(const QString &adres)
{
    static const QRegularExpression desen(u"^[A-Za-z0-9._%+\\-]+@[A-Za-z0-9.\\-]+\\.[A-Za-z]{2,}$"_s);
    return adres.size() <= 254 && desen.match(adres).hasMatch();
}

std::string base64Satirlari(const QByteArray &veri)
{
    const QByteArray b64 = veri.toBase64();
    std::string sonuc;
    sonuc.reserve(static_cast<size_t>(b64.size() + b64.size() / 76 * 2 + 2));
    for (qsizetype i = 0; i < b64.size(); i += 76) {
        sonuc.append(b64.constData() + i, static_cast<size_t>(std::min<qsizetype>(76, b64.size() - i)));
        sonuc += "\r\n";
    }
    return sonuc;
}

// "=?UTF-8?B?...?=" words of at most 75 characters, split on whole
// characters, folded onto continuation lines.
std::string kodluBaslik(const QString &metin)
{
    bool ascii = true;
    for (QChar c : metin)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii && metin.size() <= 900)
        return metin.toStdString();
    std::string sonuc;
    QString parca;
    const auto bosalt = [&] {
        if (parca.isEmpty())
            return;
        if (!sonuc.empty())
            sonuc += "\r\n ";
        sonuc += "=?UTF-8?B?" + parca.toUtf8().toBase64().toStdString() + "?=";
        parca.clear();
    };
    for (qsizetype i = 0; i < metin.size(); ++i) {
        QString harf = metin.mid(i, metin.at(i).isHighSurrogate() ? 2 : 1);
        if (harf.size() == 2)
            ++i;
        // 45 bytes of UTF-8 make 60 characters of base64: the word stays under 75.
        if ((parca + harf).toUtf8().size() > 45)
            bosalt();
        parca += harf;
    }
    bosalt();
    return sonuc;
}

std::string adresBasligi(const QStringList &adresler)
{
    std::string sonuc;
    for (const QString &a : adresler) {
        if (!sonuc.empty())
            sonuc += ", ";
        sonuc += a.toStdString();
    }
    return sonuc;
}

QString alanAdi(const AlanTanimi &t)
{
    return QString::fromUtf16(t.ad);
}

} // namespace

// --- The form ---

QJsonObject IstekFormu::json() const
{
    QJsonObject nesne;
    for (const AlanTanimi &t : alanlar)
        nesne.insert(alanAdi(t), this->*t.uye);
    if (konu)
        nesne.insert(u"konu"_s, *konu);
    return nesne;
}

IstekFormu IstekFormu::jsondan(const QJsonObject &nesne)
{
    IstekFormu form;
    for (const AlanTanimi &t : alanlar)
        form.*t.uye = nesne.value(alanAdi(t)).toString();
    if (nesne.contains(u"konu"_s))
        form.konu = nesne.value(u"konu"_s).toString();
    return form;
}

std::optional<QString> istekHatasi(const IstekFormu &form)
{
    for (const AlanTanimi &t : alanlar) {
        const QString &deger = form.*t.uye;
        if (deger.size() > alanSiniri)
            return u"'%1' en çok %2 karakter olabilir"_s.arg(alanAdi(t)).arg(alanSiniri);
        for (QChar c : deger) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                return u"'%1' satır sonu ya da denetim karakteri içeremez"_s.arg(alanAdi(t));
        }
    }
    if (form.konu) {
        if (form.konu->size() > mesajSiniri)
            return u"'konu' en çok %1 karakter olabilir"_s.arg(mesajSiniri);
        for (QChar c : *form.konu) {
            if ((c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t') || c.unicode() == 0x7f)
                return u"'konu' denetim karakteri içeremez"_s;
        }
    }
    return std::nullopt;
}

QString postaGovdesi(const IstekFormu &form)
{
    QString govde = form.baslik + u"\n\n"_s;
    for (const AlanTanimi &t : alanlar) {
        if (t.uye != &IstekFormu::baslik)
            govde += QString::fromUtf16(t.etiket) + u": "_s + form.*t.uye + u'\n';
    }
    if (form.konu) {
        QString mesaj = *form.konu;
        mesaj.replace(u"\r\n"_s, u"\n"_s);
        govde += u"\nMesaj:\n"_s + mesaj + u'\n';
    }
    return govde;
}

// --- The outbox ---

qint64 postaKaydet(Veritabani &vt, const IstekFormu &form)
{
    const QString alanJsonu =
            QString::fromUtf8(QJsonDocument(form.json()).toJson(QJsonDocument::Compact));
    qint64 no = 0;
    vt.islem([&] {
        VtKomutu &k = vt.sorgula("INSERT INTO giden_postalar (tarih, bilgisayar_id, konu, govde, alanlar) "
                                 "VALUES (?, ?, ?, ?, ?) RETURNING sirano",
                                 simdi(), form.idsi, form.baslik, postaGovdesi(form), alanJsonu);
        if (k.sonraki())
            no = k.tamsayi(0);
        while (k.sonraki()) { }
    });
    PostaGonderici::uyandir();
    return no;
}

std::vector<IstekOzeti> istekler(Veritabani &vt, int enCok)
{
    std::vector<IstekOzeti> liste;
    VtKomutu &k = vt.sorgula(
            "SELECT p.sirano, p.tarih, p.alanlar, p.gonderildi, p.deneme, p.son_hata, k.adi "
            "FROM giden_postalar p "
            "LEFT JOIN bilgisayarlar b ON b.bilgisayar_id = p.bilgisayar_id AND p.bilgisayar_id <> '' "
            "LEFT JOIN kullanicilar k ON k.sirano = b.kullanici_no "
            "ORDER BY p.sirano DESC LIMIT ?",
            qint64(std::max(enCok, 0)));
    while (k.sonraki()) {
        IstekOzeti o;
        o.no = k.tamsayi(0);
        o.tarih = k.metin(1);
        o.form = IstekFormu::jsondan(QJsonDocument::fromJson(k.metin(2).toUtf8()).object());
        o.gonderildi = k.bosMu(3) ? QString() : k.metin(3);
        o.deneme = static_cast<int>(k.tamsayi(4));
        o.sonHata = k.metin(5);
        o.kayitliKullanici = k.bosMu(6) ? QString() : k.metin(6);
        liste.push_back(std::move(o));
    }
    std::reverse(liste.begin(), liste.end());
    return liste;
}

QString istekKaydet(Veritabani &vt, qint64 no, const QString &kullanici,
                    std::optional<QString> *onceki)
{
    QString bilgisayarId;
    IstekFormu form;
    {
        VtKomutu &k = vt.sorgula("SELECT bilgisayar_id, alanlar FROM giden_postalar WHERE sirano = ?", no);
        if (!k.sonraki())
            throw VtHatasi("böyle bir istek yok: " + std::to_string(no));
        bilgisayarId = k.metin(0);
        form = IstekFormu::jsondan(QJsonDocument::fromJson(k.metin(1).toUtf8()).object());
        while (k.sonraki()) { }
    }
    if (bilgisayarId.trimmed().isEmpty())
        throw VtHatasi("istekte bilgisayar kimliği yok: " + std::to_string(no));
    // The login form types in capitals, so the user asked for is looked up
    // the way it will be typed.
    const QString kime = kullanici.isEmpty() ? form.kullaniciadi.trimmed().toUpper() : kullanici;
    if (kime.isEmpty())
        throw VtHatasi("istekte kullanıcı adı yok: kullanıcıyı komutta belirtin");
    const std::optional<QString> eski =
            bilgisayarKaydet(vt, kime, bilgisayarId, u"istek %1"_s.arg(no));
    if (onceki)
        *onceki = eski;
    return kime;
}

// --- Sending ---

std::optional<QString> PostaAyarlari::hata() const
{
    if (!etkin())
        return std::nullopt;
    const QUrl adres(sunucu, QUrl::StrictMode);
    if (!adres.isValid() || (adres.scheme() != u"smtp" && adres.scheme() != u"smtps")
        || adres.host().isEmpty())
        return u"posta sunucusu smtp://makine:port ya da smtps://makine:port biçiminde olmalı"_s;
    if (!duzAdresMi(gonderen))
        return u"gönderen adresi geçerli bir e-posta adresi olmalı"_s;
    if (alicilar.isEmpty())
        return u"en az bir alıcı adresi gerekli"_s;
    for (const QString &a : alicilar) {
        if (!duzAdresMi(a))
            return u"geçersiz alıcı adresi: %1"_s.arg(a);
    }
    if (enCokDeneme < 1)
        return u"deneme sayısı en az 1 olmalı"_s;
    return std::nullopt;
}

std::string postaMesaji(const PostaAyarlari &ayarlar, const GidenPosta &posta)
{
    thread_local std::mt19937_64 uretec {std::random_device {}()};
    const QString alan = ayarlar.gonderen.mid(ayarlar.gonderen.indexOf(u'@') + 1);
    // "Tue, 05 Mar 2024 14:03:07 +0300": English names, the zone as an offset.
    const QDateTime an = QDateTime::currentDateTime();
    const int fark = an.offsetFromUtc() / 60;
    const QString tarihBasligi = QLocale::c().toString(an, u"ddd, dd MMM yyyy hh:mm:ss "_s)
            + QString::asprintf("%c%02d%02d", fark < 0 ? '-' : '+', std::abs(fark) / 60,
                                std::abs(fark) % 60);

    std::string m;
    m += "Date: " + tarihBasligi.toStdString() + "\r\n";
    m += "From: " + ayarlar.gonderen.toStdString() + "\r\n";
    m += "To: " + adresBasligi(ayarlar.alicilar) + "\r\n";
    if (duzAdresMi(posta.yanitAdresi))
        m += "Reply-To: " + posta.yanitAdresi.toStdString() + "\r\n";
    m += "Subject: " + kodluBaslik(posta.konu) + "\r\n";
    m += "Message-ID: <dotezmar." + std::to_string(posta.no) + "." + std::to_string(uretec()) + "@"
            + alan.toStdString() + ">\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\n";
    m += "Content-Transfer-Encoding: base64\r\n";
    m += "\r\n";
    QString govde = posta.govde;
    govde.replace(u"\r\n"_s, u"\n"_s);
    govde.replace(u'\n', u"\r\n"_s);
    m += base64Satirlari(govde.toUtf8());
    return m;
}

namespace {

struct Okuyucu
{
    const std::string *mesaj;
    size_t yer = 0;
};

size_t mesajOku(char *hedef, size_t boyut, size_t adet, void *veri)
{
    auto *o = static_cast<Okuyucu *>(veri);
    const size_t n = std::min(boyut * adet, o->mesaj->size() - o->yer);
    std::copy_n(o->mesaj->data() + o->yer, n, hedef);
    o->yer += n;
    return n;
}

} // namespace

void smtpGonder(const PostaAyarlari &ayarlar, const std::string &mesaj)
{
    static std::once_flag bir;
    std::call_once(bir, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> kol(curl_easy_init(), curl_easy_cleanup);
    if (!kol)
        throw std::runtime_error("libcurl başlatılamadı");
    curl_slist *alicilar = nullptr;
    for (const QString &a : ayarlar.alicilar)
        alicilar = curl_slist_append(alicilar, ('<' + a.toStdString() + '>').c_str());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> aliciListesi(alicilar,
                                                                             curl_slist_free_all);

    const std::string adres = ayarlar.sunucu.toStdString();
    const std::string gonderen = '<' + ayarlar.gonderen.toStdString() + '>';
    const std::string kullanici = ayarlar.kullanici.toStdString();
    const std::string sifre = ayarlar.sifre.toStdString();
    Okuyucu okuyucu {&mesaj};
    char hataMetni[CURL_ERROR_SIZE] = {};

    CURL *c = kol.get();
    curl_easy_setopt(c, CURLOPT_URL, adres.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, gonderen.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, alicilar);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, mesajOku);
    curl_easy_setopt(c, CURLOPT_READDATA, &okuyucu);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(ayarlar.baglantiSuresi));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(ayarlar.aktarimSuresi));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, hataMetni);
    if (!kullanici.empty()) {
        // A password never crosses the network in clear: STARTTLS or smtps.
        curl_easy_setopt(c, CURLOPT_USERNAME, kullanici.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, sifre.c_str());
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    } else {
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    }
    const CURLcode sonuc = curl_easy_perform(c);
    if (sonuc != CURLE_OK)
        throw std::runtime_error(hataMetni[0] ? hataMetni : curl_easy_strerror(sonuc));
}

// --- The sender ---

namespace {

std::mutex gondericilerKilidi;
std::set<PostaGonderici *> gondericiler;

std::chrono::seconds bekleme(int deneme)
{
    // 1, 2, 4, ... minutes, at most 6 hours.
    const int us = std::clamp(deneme - 1, 0, 9);
    return std::min(std::chrono::seconds(60L << us), std::chrono::seconds(6 * 3600));
}

} // namespace

PostaGonderici::PostaGonderici(PostaAyarlari ayarlar, VtHavuzu &havuz, bool arkaPlanda)
    : ayarlar_(std::move(ayarlar))
    , havuz_(havuz)
{
    {
        std::lock_guard kilit(gondericilerKilidi);
        gondericiler.insert(this);
    }
    if (arkaPlanda)
        is_ = std::thread([this] { calis(); });
}

PostaGonderici::~PostaGonderici()
{
    {
        std::lock_guard kilit(gondericilerKilidi);
        gondericiler.erase(this);
    }
    {
        std::lock_guard kilit(kilit_);
        dur_ = true;
    }
    kosul_.notify_all();
    if (is_.joinable())
        is_.join();
}

void PostaGonderici::uyandir()
{
    std::lock_guard kilit(gondericilerKilidi);
    for (PostaGonderici *g : gondericiler) {
        {
            std::lock_guard k(g->kilit_);
            g->uyandirildi_ = true;
        }
        g->kosul_.notify_all();
    }
}

void PostaGonderici::calis()
{
    std::unique_lock kilit(kilit_);
    while (!dur_) {
        uyandirildi_ = false;
        kilit.unlock();
        try {
            bekleyenleriGonder();
        } catch (const std::exception &e) {
            std::fprintf(stderr, "posta gönderici: %s\n", e.what());
        }
        kilit.lock();
        kosul_.wait_for(kilit, std::chrono::seconds(30), [this] { return dur_ || uyandirildi_; });
    }
}

int PostaGonderici::bekleyenleriGonder()
{
    if (!ayarlar_.etkin())
        return 0;
    VtHavuzu::Odunc vt = havuz_.al();
    struct Aday
    {
        GidenPosta posta;
        qint64 deneme = 0;
    };
    std::vector<Aday> adaylar;
    {
        VtKomutu &k = vt->sorgula(
                "SELECT sirano, tarih, konu, govde, alanlar, deneme FROM giden_postalar "
                "WHERE gonderildi IS NULL AND deneme < ? "
                "AND (sonraki_deneme IS NULL OR sonraki_deneme <= ?) ORDER BY sirano LIMIT 50",
                qint64(ayarlar_.enCokDeneme), simdi());
        while (k.sonraki()) {
            Aday a;
            a.posta.no = k.tamsayi(0);
            a.posta.tarih = k.metin(1);
            a.posta.konu = k.metin(2);
            a.posta.govde = k.metin(3);
            a.posta.yanitAdresi = IstekFormu::jsondan(
                                          QJsonDocument::fromJson(k.metin(4).toUtf8()).object())
                                          .mail.trimmed();
            a.deneme = k.tamsayi(5);
            adaylar.push_back(std::move(a));
        }
    }

    int giden = 0;
    for (const Aday &a : adaylar) {
        {
            std::lock_guard kilit(kilit_);
            if (dur_)
                break;
        }
        // Claim this attempt: another sender on the same store that got here
        // first changed deneme, and this one leaves the mail alone.
        const qint64 alinan = vt->degistir(
                "UPDATE giden_postalar SET deneme = deneme + 1, sonraki_deneme = ? "
                "WHERE sirano = ? AND deneme = ? AND gonderildi IS NULL",
                simdi(bekleme(static_cast<int>(a.deneme) + 1)), a.posta.no, a.deneme);
        if (alinan != 1)
            continue;
        try {
            smtpGonder(ayarlar_, postaMesaji(ayarlar_, a.posta));
            vt->degistir("UPDATE giden_postalar SET gonderildi = ?, son_hata = '' WHERE sirano = ?",
                         simdi(), a.posta.no);
            ++giden;
        } catch (const std::runtime_error &e) {
            vt->degistir("UPDATE giden_postalar SET son_hata = ? WHERE sirano = ?",
                         QString::fromUtf8(e.what()), a.posta.no);
        }
    }
    return giden;
}
