#pragma once

// Internal to the wire library: one HTTP transport session on libcurl, the
// thing an open connection holds. Not included by anything outside remote/.

#include <exception>
#include <string>
#include <string_view>

using CURL = void;
using CURLM = void;

struct HttpAyarlari
{
    std::string tabanAdres; // "http://host:port" or "https://host:port"
    int baglantiZamanAsimiMs = 5000;
    int okumaZamanAsimiMs = 60000;
};

// Takes a 2xx reply's body as it arrives.
class CevapAlici
{
public:
    virtual ~CevapAlici() = default;
    // The announced length of the body, when the server sent one.
    virtual void boyutBildirildi(long long boyut) { static_cast<void>(boyut); }
    // A piece of the body; false breaks the transfer off.
    virtual bool veri(std::string_view parca) = 0;
};

// One easy handle: its connection is reused by every request until the
// session ends (keep-alive). Redirects, proxies from the environment and TLS
// are libcurl's. Belongs to one thread at a time.
class HttpOturumu
{
public:
    explicit HttpOturumu(HttpAyarlari ayarlar);
    ~HttpOturumu();
    HttpOturumu(const HttpOturumu &) = delete;
    HttpOturumu &operator=(const HttpOturumu &) = delete;

    // Establishes the transport (TCP, TLS for https) and confirms that a
    // server answers. Throws UzakHata (Tur::Baglanti).
    void yokla();

    // POSTs a body to a path; a 2xx reply's body goes to `alici`. A transport
    // failure throws UzakHata (Tur::Baglanti), another status UzakHata
    // (Tur::Sunucu) with the server's text; what `alici` throws passes through.
    void gonder(std::string_view yol, std::string_view govde, CevapAlici &alici);

    const std::string &tabanAdres() const { return ayarlar_.tabanAdres; }

private:
    struct Aktarim;
    void hazirla(Aktarim &aktarim, std::string_view yol);
    void calistir(Aktarim &aktarim);
    int aktar();

    HttpAyarlari ayarlar_;
    CURL *kol_ = nullptr;
    // Used instead of a blocking perform while a thread wants to stay alive
    // during a call (agBeklerkenKancasi); it keeps the connection between
    // transfers as the easy handle does otherwise.
    CURLM *coklu_ = nullptr;
    bool aktariliyor_ = false; // a transfer runs through coklu_
    std::string oturumNo_; // the server's session id ("Pragma: dssession=...")
};
