#pragma once

#include <atomic>
#include <functional>
#include <httplib.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small scriptable HTTP server on a loopback port for the wire tests: each
// method's answer is a handler the test sets; the connection probe answers
// 200 unless told otherwise. Requests are recorded.
class TestSunucusu
{
public:
    using Isleyici = std::function<void(const httplib::Request &, httplib::Response &)>;

    struct Istek
    {
        std::string metot; // the remote method's name
        std::string yol;
        std::string govde;
        std::string icerikTuru;
        std::string kabul;
        std::string pragma;
        int istemciPortu = 0;
    };

    // Listens on the given port, or on a free one.
    explicit TestSunucusu(int port = 0);
    ~TestSunucusu();

    int port() const { return port_; }
    void metot(const std::string &ad, Isleyici isleyici);
    // A method that answers 200 with this body.
    void cevap(const std::string &ad, std::string govde);
    void yoklama(Isleyici isleyici);

    std::vector<Istek> istekler() const;
    int yoklamaSayisi() const { return yoklamalar_; }

    // Ends the handlers that are waiting (stalled replies) and stops.
    void durdur();
    // True until durdur(): handlers that stall poll it.
    bool calisiyor() const { return !duruyor_; }

    // A loopback port nothing listens on (taken and given back).
    static int bosPort();

private:
    void isle(const httplib::Request &istek, httplib::Response &cevap);

    httplib::Server sunucu_;
    std::thread is_;
    int port_ = 0;
    mutable std::mutex kilit_;
    std::map<std::string, Isleyici> isleyiciler_;
    Isleyici yoklama_;
    std::vector<Istek> istekler_;
    std::atomic<int> yoklamalar_ {0};
    std::atomic<bool> duruyor_ {false};
};
