#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include <QString>

class Dagitici;

namespace httplib {
class Server;
}

// Limits and addresses of the endpoint, each with its default.
struct SunucuAyarlari
{
    QString adres = QStringLiteral("127.0.0.1"); // loopback unless told otherwise
    int port = 99;
    std::size_t govdeSiniri = 1 << 20; // request body, bytes; larger: 413
    std::size_t baslikSiniri = 16 << 10; // all request headers together, bytes; larger: 431
    int okumaSuresi = 5; // seconds a request may stay silent while being read
    int yazmaSuresi = 10; // seconds a reply may wait for the client to take it
    int canliTutmaSuresi = 5; // seconds an idle keep-alive connection is kept
    int canliTutmaIstekSayisi = 1000; // requests on one connection
    int baglantiSiniri = 64; // connections served at once (one thread each)
    int bekleyenSiniri = 64; // accepted connections waiting for a thread; more: 503
    bool gunluk = true; // one line per request on stderr
    // The client's setup package, served at guncellemeYolu; empty: not served.
    QString guncellemeDosyasi;
};

// Where clients download the setup package of a new version.
inline constexpr const char *guncellemeYolu = "/exe/DTezmarOtomotivSetup.exe";

// The HTTP endpoint on cpp-httplib. Routes every request under
// /datasnap/rest/ to the dispatcher, answers errors as {"error":...}, sends
// the session header, and keeps to the limits above: a slow or broken client
// holds at most one thread for at most its time-outs, and connections beyond
// the limit get 503 at once instead of waiting without end.
class RestSunucusu
{
public:
    RestSunucusu(SunucuAyarlari ayarlar, const Dagitici &dagitici);
    ~RestSunucusu();
    RestSunucusu(const RestSunucusu &) = delete;
    RestSunucusu &operator=(const RestSunucusu &) = delete;

    // Binds the address; port 0 takes a free one. False (with hata()) when
    // the address cannot be bound.
    bool bagla();
    int port() const { return port_; }
    const QString &hata() const { return hata_; }
    // Serves until durdur(); returns when every connection has ended.
    void calistir();
    // Safe from any thread (also a signal-waiting one).
    void durdur();

private:
    SunucuAyarlari ayarlar_;
    const Dagitici &dagitici_;
    std::unique_ptr<httplib::Server> http_;
    int port_ = 0;
    int dinleyen_ = -1; // the listening socket
    QString hata_;
};
