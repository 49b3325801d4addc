#include "remote/httpoturumu.h"

#include <algorithm>
#include <curl/curl.h>
#include <mutex>

#include <QScopeGuard>
#include <QString>

#include "remote/cagri.h"
#include "remote/sunucubaglantisi.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t hataGovdesiSiniri = 64 * 1024;

void curlHazirla()
{
    static std::once_flag bir;
    std::call_once(bir, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString curlMesaji(CURLcode kod, const char *ayrinti)
{
    QString mesaj;
    switch (kod) {
    case CURLE_COULDNT_CONNECT:
        mesaj = u"Sunucuya bağlanılamadı"_s;
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        mesaj = u"Sunucunun adresi bulunamadı"_s;
        break;
    case CURLE_OPERATION_TIMEDOUT:
        mesaj = u"Sunucu zamanında cevap vermedi"_s;
        break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        mesaj = u"Sunucuyla güvenli bağlantı kurulamadı"_s;
        break;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        mesaj = u"Sunucuyla bağlantı koptu"_s;
        break;
    case CURLE_TOO_MANY_REDIRECTS:
        mesaj = u"Sunucu çok fazla yönlendirme yaptı"_s;
        break;
    default:
        mesaj = u"Sunucuyla iletişim kurulamadı"_s;
        break;
    }
    const QString detay =
        QString::fromUtf8(ayrinti && *ayrinti ? ayrinti : curl_easy_strerror(kod));
    return mesaj + u" ("_s + detay.trimmed() + u')';
}

bool basarili(long durum)
{
    return durum >= 200 && durum < 300;
}

} // namespace

struct HttpOturumu::Aktarim
{
    CURL *kol = nullptr;
    CevapAlici *alici = nullptr;
    long durum = 0;
    bool durumBelli = false;
    std::string hataGovdesi;
    std::string *oturumNo = nullptr;
    std::exception_ptr aliciHatasi;
    char hataMetni[CURL_ERROR_SIZE] = {};
    curl_slist *basliklar = nullptr;
    std::string adres;

    ~Aktarim() { curl_slist_free_all(basliklar); }

    static std::size_t yaz(char *veri, std::size_t, std::size_t n, void *baglam)
    {
        auto &a = *static_cast<Aktarim *>(baglam);
        if (!a.durumBelli) {
            curl_easy_getinfo(a.kol, CURLINFO_RESPONSE_CODE, &a.durum);
            a.durumBelli = true;
            curl_off_t boyut = -1;
            if (basarili(a.durum) && a.alici &&
                curl_easy_getinfo(a.kol, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &boyut) == CURLE_OK &&
                boyut >= 0) {
                try {
                    a.alici->boyutBildirildi(boyut);
                } catch (...) {
                    a.aliciHatasi = std::current_exception();
                    return 0;
                }
            }
        }
        if (!basarili(a.durum) || !a.alici) {
            const std::size_t yer =
                hataGovdesiSiniri - std::min(hataGovdesiSiniri, a.hataGovdesi.size());
            a.hataGovdesi.append(veri, std::min(yer, n));
            return n;
        }
        try {
            return a.alici->veri(std::string_view(veri, n)) ? n : 0;
        } catch (...) {
            a.aliciHatasi = std::current_exception();
            return 0;
        }
    }

    static std::size_t baslik(char *veri, std::size_t, std::size_t n, void *baglam)
    {
        auto &a = *static_cast<Aktarim *>(baglam);
        const std::string_view satir(veri, n);
        if (satir.starts_with("HTTP/")) {
            // A new response (after a redirect or an interim 100).
            a.durumBelli = false;
            a.hataGovdesi.clear();
        } else if (a.oturumNo && satir.size() > 7 &&
                   QByteArrayView(satir.data(), 7).compare("pragma:", Qt::CaseInsensitive) == 0) {
            constexpr std::string_view anahtar = "dssession=";
            if (const auto bas = satir.find(anahtar); bas != std::string_view::npos) {
                std::string_view deger = satir.substr(bas + anahtar.size());
                deger = deger.substr(0, deger.find_first_of(",; \r\n"));
                if (!deger.empty())
                    a.oturumNo->assign(deger);
            }
        }
        return n;
    }
};

HttpOturumu::HttpOturumu(HttpAyarlari ayarlar)
    : ayarlar_(std::move(ayarlar))
{
    curlHazirla();
    kol_ = curl_easy_init();
    if (!kol_)
        throw UzakHata(UzakHata::Tur::Baglanti, u"HTTP istemcisi başlatılamadı"_s);
}

HttpOturumu::~HttpOturumu()
{
    curl_easy_cleanup(kol_);
    if (coklu_)
        curl_multi_cleanup(coklu_);
}

void HttpOturumu::hazirla(Aktarim &a, std::string_view yol)
{
    // Only the waiting hook can bring a second call here while one is under
    // way; the handle is the first call's until it ends.
    if (aktariliyor_)
        throw UzakHata(
            UzakHata::Tur::Baglanti,
            u"Bağlantı bir önceki isteğin cevabını bekliyor; biraz sonra yeniden deneyin."_s);
    curl_easy_reset(kol_);
    a.kol = kol_;
    a.adres = ayarlar_.tabanAdres;
    a.adres += yol;
    curl_easy_setopt(kol_, CURLOPT_URL, a.adres.c_str());
    curl_easy_setopt(kol_, CURLOPT_ERRORBUFFER, a.hataMetni);
    curl_easy_setopt(kol_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(kol_, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(ayarlar_.baglantiZamanAsimiMs));
    // A reply that brings no byte for this long is given up.
    curl_easy_setopt(kol_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(kol_, CURLOPT_LOW_SPEED_TIME,
                     std::max(1L, static_cast<long>((ayarlar_.okumaZamanAsimiMs + 999) / 1000)));
    curl_easy_setopt(kol_, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(kol_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(kol_, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(kol_, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
    // gzip, not brotli: a server compresses a reply as it sends it, and
    // brotli's default level takes seconds over a 3 MB stock list where
    // gzip takes milliseconds and shrinks it nearly as well.
    curl_easy_setopt(kol_, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(kol_, CURLOPT_USERAGENT, "dotezmar/3");
    curl_easy_setopt(kol_, CURLOPT_WRITEFUNCTION, &Aktarim::yaz);
    curl_easy_setopt(kol_, CURLOPT_WRITEDATA, &a);
    curl_easy_setopt(kol_, CURLOPT_HEADERFUNCTION, &Aktarim::baslik);
    curl_easy_setopt(kol_, CURLOPT_HEADERDATA, &a);
}

// One transfer of the prepared handle. With a waiting hook the transfer runs
// through the multi interface, waking at least every 20 ms to let the hook
// run; without one it simply blocks.
int HttpOturumu::aktar()
{
    const AgBeklerkenKancasi beklerken = agBeklerkenKancasi();
    if (!beklerken)
        return curl_easy_perform(kol_);
    if (!coklu_ && !(coklu_ = curl_multi_init()))
        return CURLE_OUT_OF_MEMORY;
    if (curl_multi_add_handle(coklu_, kol_) != CURLM_OK)
        return CURLE_FAILED_INIT;
    aktariliyor_ = true;
    const auto birak = qScopeGuard([this] {
        curl_multi_remove_handle(coklu_, kol_);
        aktariliyor_ = false;
    });
    CURLcode sonuc = CURLE_OK;
    for (int suruyor = 1; suruyor > 0;) {
        if (curl_multi_perform(coklu_, &suruyor) != CURLM_OK) {
            sonuc = CURLE_RECV_ERROR;
            break;
        }
        if (suruyor > 0) {
            curl_multi_poll(coklu_, nullptr, 0, 20, nullptr);
            beklerken();
        }
    }
    int kalan = 0;
    while (const CURLMsg *mesaj = curl_multi_info_read(coklu_, &kalan)) {
        if (mesaj->msg == CURLMSG_DONE && mesaj->easy_handle == kol_)
            sonuc = mesaj->data.result;
    }
    return sonuc;
}

void HttpOturumu::calistir(Aktarim &a)
{
    const auto kod = static_cast<CURLcode>(aktar());
    if (a.aliciHatasi)
        std::rethrow_exception(a.aliciHatasi);
    if (kod != CURLE_OK)
        throw UzakHata(UzakHata::Tur::Baglanti, curlMesaji(kod, a.hataMetni));
    if (!a.durumBelli)
        curl_easy_getinfo(kol_, CURLINFO_RESPONSE_CODE, &a.durum);
}

void HttpOturumu::yokla()
{
    Aktarim a;
    hazirla(a, yoklamaYolu);
    curl_easy_setopt(kol_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(kol_, CURLOPT_TIMEOUT_MS,
                     static_cast<long>(std::max(2000, 2 * ayarlar_.baglantiZamanAsimiMs)));
    a.basliklar = curl_slist_append(a.basliklar, "Accept: application/JSON");
    curl_easy_setopt(kol_, CURLOPT_HTTPHEADER, a.basliklar);
    calistir(a);
    // Any answer shows the server is there; a gateway saying that the server
    // behind it is away does not.
    if (a.durum == 502 || a.durum == 503 || a.durum == 504 || a.durum == 0) {
        throw UzakHata(UzakHata::Tur::Baglanti,
                       u"Sunucu şu anda hizmet vermiyor (HTTP %1)"_s.arg(a.durum));
    }
}

void HttpOturumu::gonder(std::string_view yol, std::string_view govde, CevapAlici &alici)
{
    for (int deneme = 0;; ++deneme) {
        Aktarim a;
        a.alici = &alici;
        a.oturumNo = &oturumNo_;
        const bool oturumluydu = !oturumNo_.empty();
        hazirla(a, yol);
        curl_easy_setopt(kol_, CURLOPT_POST, 1L);
        curl_easy_setopt(kol_, CURLOPT_POSTFIELDS, govde.data());
        curl_easy_setopt(kol_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(govde.size()));
        a.basliklar = curl_slist_append(a.basliklar, "Content-Type: text/plain;charset=UTF-8");
        a.basliklar = curl_slist_append(a.basliklar, "Accept: application/JSON");
        a.basliklar = curl_slist_append(a.basliklar, "Expect:");
        if (oturumluydu) {
            const std::string pragma = "Pragma: dssession=" + oturumNo_;
            a.basliklar = curl_slist_append(a.basliklar, pragma.c_str());
        }
        curl_easy_setopt(kol_, CURLOPT_HTTPHEADER, a.basliklar);
        calistir(a);
        if (basarili(a.durum))
            return;
        // An expired session: forget it and ask once more in a new one.
        if (a.durum == 403 && oturumluydu && deneme == 0 &&
            a.hataGovdesi.find("SessionExpired") != std::string::npos) {
            oturumNo_.clear();
            continue;
        }
        throw UzakHata(UzakHata::Tur::Sunucu, hataMetni(a.hataGovdesi, a.durum));
    }
}
