#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <QList>
#include <QString>

#include "remote/cagri.h"

class HttpOturumu;

// Percent of a stream's announced size received so far, 0..100; called after
// every 1024-byte block and once more for the last, shorter one.
using AkisIlerlemesi = std::function<void(int yuzde)>;

// The connection to the application server (the main window's `bagc` and
// its clones). Its parameter list says where the server is; opening it
// establishes the transport session (TCP, TLS for an https address) and
// confirms that the server answers; calls reuse that session (keep-alive)
// until Close ends it. Belongs to one thread at a time.
class SunucuBaglantisi final
{
public:
    // The definition every connection starts from: "DataSnapCONNECTION",
    // driver "DataSnap", no login prompt, tcp/ip, context "datasnap/",
    // filters "{}", proxy port "8094", no host, port "9090" (start-up writes
    // the installation's host and port before any call).
    SunucuBaglantisi();
    ~SunucuBaglantisi();
    SunucuBaglantisi(const SunucuBaglantisi &) = delete;
    SunucuBaglantisi &operator=(const SunucuBaglantisi &) = delete;

    QString ConnectionName() const { return baglantiAdi_; }
    QString DriverName() const { return surucuAdi_; }
    bool LoginPrompt() const { return false; }

    // The parameter list, in order (CommunicationProtocol, DatasnapContext,
    // Filters, DSProxyPort, HostName, Port).
    QList<std::pair<QString, QString>> Params() const { return parametreler_; }
    QString parametre(QStringView ad) const;
    void setParametre(const QString &ad, const QString &deger);
    QString HostName() const { return parametre(u"HostName"); }
    void setHostName(const QString &host) { setParametre(QStringLiteral("HostName"), host); }
    QString Port() const { return parametre(u"Port"); }
    void setPort(const QString &port) { setParametre(QStringLiteral("Port"), port); }
    // Writes the installation's server host and port.
    void kurulumAdresiniYaz();

    // A new connection with this one's parameters as they are now, opened
    // when this one is open (and left closed if it cannot be opened now).
    std::unique_ptr<SunucuBaglantisi> CloneConnection() const;

    // Throws UzakHata (Tur::Baglanti) when the server cannot be reached.
    void Open();
    void Close();
    bool Connected() const { return oturum_ != nullptr; }

    // One call on the open connection: the inputs in declaration order, the
    // outputs in reply order (out-parameters, then the result). A stream
    // beside other outputs is read as it arrives (see AkisIlerlemesi) and
    // holds its content only when its length matched the announced size.
    // Throws UzakHata.
    std::vector<Deger> cagir(const Metot &metot, std::span<const Deger> girdiler,
                             const AkisIlerlemesi &ilerleme = {});
    // The same in two steps, as a proxy's command does: prepare the path once,
    // run it as often as needed.
    std::string komutYolu(const Metot &metot) const;
    std::vector<Deger> calistir(const Metot &metot, const std::string &yol,
                                std::span<const Deger> girdiler,
                                const AkisIlerlemesi &ilerleme = {});

    // "http://host:port" or "https://host:port" from the parameters.
    std::string adres() const;

private:
    QString baglantiAdi_;
    QString surucuAdi_;
    QList<std::pair<QString, QString>> parametreler_;
    std::unique_ptr<HttpOturumu> oturum_;
};

// Opens a connection for a call: closes it, then tries to open it at most
// eleven times, waiting 500 ms after every failed attempt (the last one
// too). When it is still not open and MesajGoster is 1, the failure message
// goes to the message hook. True when the connection is open.
bool BaglantiKur(SunucuBaglantisi &baglanti, int MesajGoster);

inline constexpr int baglantiDenemeSayisi = 11;
inline constexpr std::chrono::milliseconds baglantiBeklemesi {500};
inline const QString baglantiKurulamiyorMesaji =
    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

// Shows BaglantiKur's failure message. The wire library has no windows: the
// program installs a hook that shows the message box on the user-interface
// thread and, called from a worker, returns only when the user has closed
// it. The default writes the message to the log.
using BaglantiMesajiKancasi = std::function<void(const QString &mesaj)>;
void baglantiMesajiKancasiKur(BaglantiMesajiKancasi kanca);

// The wait after a failed attempt; tests replace it to count the waits
// instead of sleeping. The default sleeps.
using BeklemeKancasi = std::function<void(std::chrono::milliseconds sure)>;
void beklemeKancasiKur(BeklemeKancasi kanca);

// Run every few milliseconds on the calling thread while a call waits for the
// server (connecting, sending, receiving). The client installs one that keeps
// its window painting when the call comes from the user-interface thread. By
// default a call simply blocks its thread.
using AgBeklerkenKancasi = std::function<void()>;
void agBeklerkenKancasiKur(AgBeklerkenKancasi kanca);
AgBeklerkenKancasi agBeklerkenKancasi();
