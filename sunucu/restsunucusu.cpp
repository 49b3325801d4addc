#include "sunucu/restsunucusu.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <httplib.h>

#include <QDateTime>

#include "remote/jsonyazici.h"
#include "sunucu/dagitici.h"
#include "sunucu/restyolu.h"

using namespace Qt::StringLiterals;

namespace {

using Saat = std::chrono::steady_clock;

// Set on the thread that answers a connection refused for lack of room.
thread_local bool reddediliyor = false;
thread_local Saat::time_point istekBasi;

// The connection threads: a fixed number of workers and a bounded queue of
// accepted connections. When the queue is full the connection goes to one
// extra thread that only answers 503 and closes it, so a flood waits on
// nobody and nothing grows without bound.
class BaglantiKuyrugu final : public httplib::TaskQueue
{
public:
    BaglantiKuyrugu(int isciSayisi, int bekleyenSiniri)
        : kapasite_(static_cast<size_t>(isciSayisi) + static_cast<size_t>(bekleyenSiniri < 0 ? 0 : bekleyenSiniri))
    {
        for (int i = 0; i < isciSayisi; ++i)
            isciler_.emplace_back([this] { calis(isler_, false); });
        isciler_.emplace_back([this] { calis(reddedilenler_, true); });
    }

    void enqueue(std::function<void()> is) override
    {
        {
            std::lock_guard kilit(kilit_);
            // Room: a thread for it now, or a place in the queue.
            if (isler_.size() + mesgul_ < kapasite_)
                isler_.push_back(std::move(is));
            else
                reddedilenler_.push_back(std::move(is));
        }
        kosul_.notify_all();
    }

    void shutdown() override
    {
        {
            std::lock_guard kilit(kilit_);
            kapaniyor_ = true;
        }
        kosul_.notify_all();
        for (std::thread &t : isciler_)
            t.join();
    }

private:
    void calis(std::deque<std::function<void()>> &kuyruk, bool reddet)
    {
        reddediliyor = reddet;
        for (;;) {
            std::function<void()> is;
            {
                std::unique_lock kilit(kilit_);
                kosul_.wait(kilit, [&] { return !kuyruk.empty() || kapaniyor_; });
                if (kuyruk.empty())
                    return;
                is = std::move(kuyruk.front());
                kuyruk.pop_front();
                if (!reddet)
                    ++mesgul_;
            }
            is();
            if (!reddet) {
                std::lock_guard kilit(kilit_);
                --mesgul_;
            }
        }
    }

    size_t kapasite_; // threads plus queue places
    size_t mesgul_ = 0; // threads serving a connection
    bool kapaniyor_ = false;
    std::deque<std::function<void()>> isler_;
    std::deque<std::function<void()>> reddedilenler_;
    std::vector<std::thread> isciler_;
    std::mutex kilit_;
    std::condition_variable kosul_;
};

void jsonHata(httplib::Response &yanit, int durum, const QString &ileti)
{
    yanit.status = durum;
    yanit.set_content(JsonYazici().nesneBasla().anahtar("error").metin(ileti).nesneBitir().al(),
                      "application/json");
}

// The session id the caller sent (Pragma: dssession=..., ?sid= or
// ?SESSIONID=, the URL winning), or a new one. Sessions carry no state here:
// every call stands alone, so any server behind a balancer can answer it.
std::string oturumNo(const httplib::Request &istek)
{
    for (const char *ad : {"sid", "SESSIONID"}) {
        if (istek.has_param(ad))
            return istek.get_param_value(ad);
    }
    const std::string pragma = istek.get_header_value("Pragma");
    const size_t bas = pragma.find("dssession=");
    if (bas != std::string::npos) {
        const size_t deger = bas + 10;
        const std::string no = pragma.substr(deger, pragma.find(',', deger) - deger);
        if (!no.empty() && no.size() < 128)
            return no;
    }
    thread_local std::mt19937_64 uretec{std::random_device{}()};
    std::uniform_int_distribution<int> parca(100000, 999999);
    return std::to_string(parca(uretec)) + "." + std::to_string(parca(uretec)) + "."
            + std::to_string(parca(uretec));
}

bool dogruMu(const std::string &deger)
{
    return deger == "1" || QString::fromStdString(deger).compare(u"true"_s, Qt::CaseInsensitive) == 0;
}

QString durumIletisi(int durum)
{
    switch (durum) {
    case 400:
        return u"Geçersiz istek"_s;
    case 404:
        return u"Bulunamadı"_s;
    case 413:
        return u"İstek gövdesi çok büyük"_s;
    case 431:
        return u"İstek başlıkları çok büyük"_s;
    case 501:
        return u"Desteklenmiyor"_s;
    case 503:
        return u"Sunucu şu anda çok yoğun, lütfen biraz sonra tekrar deneyin"_s;
    default:
        return u"Sunucu hatası"_s;
    }
}

// "/datasnap/rest/TServerMethods1/%22EchoString%22/" -> "TServerMethods1.EchoString"
std::string gunlukAdi(const httplib::Request &istek)
{
    const RestYolu yol = restYoluCoz(istek.method, istek.target);
    if (yol.tur == RestYolu::Tur::Metot)
        return QString(yol.sinif + u'.' + yol.metot).toStdString();
    return istek.target.substr(0, 200);
}

// The setup package, read from disk as it is sent: the file is opened once
// per request, so a package replaced meanwhile is never sent half old, half
// new.
void kurulumDosyasiniSun(const std::string &dosya, httplib::Response &yanit)
{
    const int fd = ::open(dosya.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat bilgi {};
    if (fd < 0 || ::fstat(fd, &bilgi) != 0 || !S_ISREG(bilgi.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        jsonHata(yanit, 404, durumIletisi(404));
        return;
    }
    auto acik = std::make_shared<int>(fd);
    yanit.set_header("Content-Disposition", "attachment; filename=\"DTezmarOtomotivSetup.exe\"");
    yanit.set_content_provider(
            static_cast<size_t>(bilgi.st_size), "application/octet-stream",
            [acik](size_t yer, size_t uzunluk, httplib::DataSink &hedef) {
                char tampon[64 * 1024];
                const ssize_t okunan =
                        ::pread(*acik, tampon, std::min(uzunluk, sizeof tampon), static_cast<off_t>(yer));
                if (okunan <= 0)
                    return false; // cut short: the client sees a broken transfer, not a short file
                return hedef.write(tampon, static_cast<size_t>(okunan));
            },
            [acik](bool) { ::close(*acik); });
}

} // namespace

RestSunucusu::RestSunucusu(SunucuAyarlari ayarlar, const Dagitici &dagitici)
    : ayarlar_(std::move(ayarlar))
    , dagitici_(dagitici)
    , http_(std::make_unique<httplib::Server>())
{
    httplib::Server &h = *http_;
    const int isci = ayarlar_.baglantiSiniri < 1 ? 1 : ayarlar_.baglantiSiniri;
    const int bekleyen = ayarlar_.bekleyenSiniri;
    h.new_task_queue = [isci, bekleyen] { return new BaglantiKuyrugu(isci, bekleyen); };
    h.set_payload_max_length(ayarlar_.govdeSiniri);
    h.set_read_timeout(ayarlar_.okumaSuresi, 0);
    h.set_write_timeout(ayarlar_.yazmaSuresi, 0);
    h.set_keep_alive_timeout(ayarlar_.canliTutmaSuresi);
    h.set_keep_alive_max_count(static_cast<size_t>(ayarlar_.canliTutmaIstekSayisi));
    h.set_tcp_nodelay(true);
    // The listening socket takes SO_REUSEADDR, so that a restart need not
    // wait for the last run's closed connections, and not the library's
    // SO_REUSEPORT, with which a second server on the same port would start
    // and silently take half of the connections.
    h.set_socket_options([this](int soket) {
        const int evet = 1;
        setsockopt(soket, SOL_SOCKET, SO_REUSEADDR, &evet, sizeof evet);
        dinleyen_ = soket;
    });

    // Runs for every request once its headers are read, before its body.
    h.set_pre_routing_handler([this](const httplib::Request &istek, httplib::Response &yanit) {
        istekBasi = Saat::now();
        yanit.set_header("Pragma", "dssession=" + oturumNo(istek) + ",dssessionexpires=1200000");
        if (reddediliyor) {
            yanit.set_header("Connection", "close");
            jsonHata(yanit, 503, durumIletisi(503));
            return httplib::Server::HandlerResponse::Handled;
        }
        size_t baslik = istek.method.size() + istek.target.size();
        for (const auto &[ad, deger] : istek.headers)
            baslik += ad.size() + deger.size() + 4;
        if (baslik > ayarlar_.baslikSiniri) {
            yanit.set_header("Connection", "close");
            jsonHata(yanit, 431, durumIletisi(431));
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::string &f = istek.method;
        if (f != "GET" && f != "POST" && f != "PUT" && f != "DELETE") {
            jsonHata(yanit, 501, durumIletisi(501));
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    const auto isle = [this](const httplib::Request &istek, httplib::Response &yanit) {
        const RestYolu yol = restYoluCoz(istek.method, istek.target);
        switch (yol.tur) {
        case RestYolu::Tur::Bulunamadi:
            jsonHata(yanit, 404, durumIletisi(404));
            return;
        case RestYolu::Tur::Desteklenmiyor:
            jsonHata(yanit, 501, durumIletisi(501));
            return;
        case RestYolu::Tur::OturumKapat:
            yanit.status = 200;
            yanit.set_content("{\"result\":[true]}", "application/json");
            return;
        case RestYolu::Tur::Metot:
            break;
        }
        const Yanit sonuc = dagitici_.cagir(yol, istek.method, istek.body,
                                            dogruMu(istek.get_param_value("json")));
        yanit.status = sonuc.durum;
        yanit.set_content(sonuc.govde, sonuc.icerikTuru);
    };
    if (!ayarlar_.guncellemeDosyasi.isEmpty()) {
        const std::string dosya = ayarlar_.guncellemeDosyasi.toStdString();
        h.Get(guncellemeYolu, [dosya](const httplib::Request &, httplib::Response &yanit) {
            kurulumDosyasiniSun(dosya, yanit);
        });
    }
    h.Get(".*", isle);
    h.Post(".*", isle);
    h.Put(".*", isle);
    h.Delete(".*", isle);

    // Statuses the library sets itself (400, 413, ...) get an error body too.
    h.set_error_handler([](const httplib::Request &, httplib::Response &yanit) {
        if (yanit.body.empty())
            jsonHata(yanit, yanit.status, durumIletisi(yanit.status));
    });
    // The last line of defence: whatever a method throws becomes a 500.
    h.set_exception_handler(
            [](const httplib::Request &istek, httplib::Response &yanit, std::exception_ptr hata) {
                std::string ne = "bilinmeyen hata";
                try {
                    std::rethrow_exception(hata);
                } catch (const std::exception &e) {
                    ne = e.what();
                } catch (...) {
                }
                std::fprintf(stderr, "iç hata: %s %s: %s\n", istek.method.c_str(),
                             gunlukAdi(istek).c_str(), ne.c_str());
                jsonHata(yanit, 500, u"Sunucu iç hatası"_s);
            });
    if (ayarlar_.gunluk) {
        h.set_logger([](const httplib::Request &istek, const httplib::Response &yanit) {
            const double ms = std::chrono::duration<double, std::milli>(Saat::now() - istekBasi).count();
            const std::string zaman =
                    QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss"_s).toStdString();
            std::fprintf(stderr, "%s %s %s %s %d %.1f ms\n", zaman.c_str(),
                         istek.remote_addr.c_str(), istek.method.c_str(), gunlukAdi(istek).c_str(),
                         yanit.status, ms);
        });
    }
}

RestSunucusu::~RestSunucusu() = default;

bool RestSunucusu::bagla()
{
    const std::string adres = ayarlar_.adres.toStdString();
    if (ayarlar_.port == 0) {
        port_ = http_->bind_to_any_port(adres);
    } else if (http_->bind_to_port(adres, ayarlar_.port)) {
        port_ = ayarlar_.port;
    } else {
        port_ = -1;
    }
    if (port_ <= 0) {
        hata_ = u"%1:%2 adresi dinlenemiyor (kullanımda mı, yetki gerekiyor mu?)"_s.arg(ayarlar_.adres)
                        .arg(ayarlar_.port);
        return false;
    }
    // The library listens with a queue of 5 connections not yet accepted.
    // Clients that connect together (64 at once when keep-alive connections
    // reach their request limit at the same time) overflow it, and the
    // kernel drops their handshakes: they wait one to three seconds for TCP
    // to try again. The queue is made as long as the system allows; what
    // waits beyond the threads is bounded by our own queue, which answers 503.
    ::listen(dinleyen_, SOMAXCONN);
    return true;
}

void RestSunucusu::calistir()
{
    http_->listen_after_bind();
}

void RestSunucusu::durdur()
{
    http_->stop();
}
