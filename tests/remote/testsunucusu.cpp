#include "testsunucusu.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TestSunucusu::TestSunucusu(int port)
{
    auto hepsi = [this](const httplib::Request &istek, httplib::Response &cevap) {
        isle(istek, cevap);
    };
    sunucu_.Get(".*", hepsi);
    sunucu_.Post(".*", hepsi);
    sunucu_.set_read_timeout(5);
    if (port == 0) {
        port_ = sunucu_.bind_to_any_port("127.0.0.1");
    } else if (sunucu_.bind_to_port("127.0.0.1", port)) {
        port_ = port;
    }
    // Bound and listening already: connections wait in the backlog until
    // the loop takes them.
    is_ = std::thread([this] { sunucu_.listen_after_bind(); });
}

TestSunucusu::~TestSunucusu()
{
    durdur();
}

void TestSunucusu::durdur()
{
    duruyor_ = true;
    sunucu_.stop();
    if (is_.joinable())
        is_.join();
}

void TestSunucusu::metot(const std::string &ad, Isleyici isleyici)
{
    const std::lock_guard<std::mutex> kilitli(kilit_);
    isleyiciler_[ad] = std::move(isleyici);
}

void TestSunucusu::cevap(const std::string &ad, std::string govde)
{
    metot(ad, [govde](const httplib::Request &, httplib::Response &c) {
        c.set_content(govde, "application/json");
    });
}

void TestSunucusu::yoklama(Isleyici isleyici)
{
    const std::lock_guard<std::mutex> kilitli(kilit_);
    yoklama_ = std::move(isleyici);
}

std::vector<TestSunucusu::Istek> TestSunucusu::istekler() const
{
    const std::lock_guard<std::mutex> kilitli(kilit_);
    return istekler_;
}

void TestSunucusu::isle(const httplib::Request &istek, httplib::Response &cevap)
{
    if (istek.path.find("/DSAdmin/") != std::string::npos) {
        ++yoklamalar_;
        Isleyici yoklama;
        {
            const std::lock_guard<std::mutex> kilitli(kilit_);
            yoklama = yoklama_;
        }
        if (yoklama)
            yoklama(istek, cevap);
        else
            cevap.set_content(R"({"result":["Linux"]})", "application/json");
        return;
    }
    // ".../TServerMethods1/%22Ad%22/" (the path may come decoded: "Ad").
    std::string ad = istek.path;
    const std::string sinif = "/TServerMethods1/";
    if (const auto bas = ad.find(sinif); bas != std::string::npos)
        ad = ad.substr(bas + sinif.size());
    for (const std::string tirnak : {"%22", "\""}) {
        if (ad.rfind(tirnak, 0) == 0)
            ad = ad.substr(tirnak.size());
        if (const auto son = ad.find(tirnak); son != std::string::npos)
            ad = ad.substr(0, son);
    }
    Isleyici isleyici;
    {
        const std::lock_guard<std::mutex> kilitli(kilit_);
        istekler_.push_back({ad, istek.path, istek.body, istek.get_header_value("Content-Type"),
                             istek.get_header_value("Accept"), istek.get_header_value("Pragma"),
                             istek.remote_port});
        if (const auto it = isleyiciler_.find(ad); it != isleyiciler_.end())
            isleyici = it->second;
    }
    if (isleyici) {
        isleyici(istek, cevap);
        return;
    }
    cevap.status = 500;
    cevap.set_content(R"({"error":"TServerMethods1.)" + ad + R"( method not found"})",
                      "application/json");
}

int TestSunucusu::bosPort()
{
    const int soket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adres {};
    adres.sin_family = AF_INET;
    adres.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    adres.sin_port = 0;
    ::bind(soket, reinterpret_cast<sockaddr *>(&adres), sizeof adres);
    socklen_t boy = sizeof adres;
    ::getsockname(soket, reinterpret_cast<sockaddr *>(&adres), &boy);
    ::close(soket);
    return ntohs(adres.sin_port);
}
