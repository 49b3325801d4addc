#include "app/utils/sistem.h"

#include <arpa/inet.h>
#include <array>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A computer or user name holds at most 15 characters (a 16-character buffer with its end).
constexpr qsizetype AdSiniri = 15;

QByteArray makineAdi()
{
    std::array<char, 256> tampon {};
    if (gethostname(tampon.data(), tampon.size() - 1) != 0)
        return {};
    return QByteArray(tampon.data());
}

} // namespace

QString BilgisayarAdiAl()
{
    QString ad = QString::fromLocal8Bit(makineAdi());
    const qsizetype nokta = ad.indexOf(u'.');
    if (nokta >= 0)
        ad.truncate(nokta);
    return ad.left(AdSiniri);
}

QString KullaniciAdiAl()
{
    long boyut = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> tampon(std::size_t(boyut > 0 ? boyut : 16384));
    passwd kayit {};
    passwd *sonuc = nullptr;
    if (getpwuid_r(geteuid(), &kayit, tampon.data(), tampon.size(), &sonuc) != 0 || !sonuc)
        return {};
    const QString ad = QString::fromLocal8Bit(sonuc->pw_name);
    return ad.size() > AdSiniri ? QString() : ad;
}

QString IpAdresiAl()
{
    const QByteArray ad = makineAdi();
    if (ad.isEmpty())
        return u"127.0.0.1"_s;
    addrinfo istek {};
    istek.ai_family = AF_INET;
    istek.ai_socktype = SOCK_STREAM;
    addrinfo *liste = nullptr;
    if (getaddrinfo(ad.constData(), nullptr, &istek, &liste) != 0 || !liste)
        return u"127.0.0.1"_s;
    QString sonuc = u"127.0.0.1"_s;
    for (const addrinfo *a = liste; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || !a->ai_addr)
            continue;
        char metin[INET_ADDRSTRLEN] = {};
        const auto *adres = reinterpret_cast<const sockaddr_in *>(a->ai_addr);
        if (inet_ntop(AF_INET, &adres->sin_addr, metin, sizeof metin)) {
            sonuc = QString::fromLatin1(metin);
            break;
        }
    }
    freeaddrinfo(liste);
    return sonuc;
}
