#include "sunucu/restyolu.h"

using namespace Qt::StringLiterals;

namespace {

bool ayniMi(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto kucuk = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (kucuk(a[i]) != kucuk(b[i]))
            return false;
    }
    return true;
}

int onaltilik(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The next segment of yol starting at bas (up to the next '/').
std::string_view parca(std::string_view yol, size_t &bas)
{
    const size_t son = yol.find('/', bas);
    const std::string_view p = yol.substr(bas, son == std::string_view::npos ? yol.npos : son - bas);
    bas = son == std::string_view::npos ? yol.size() + 1 : son + 1;
    return p;
}

} // namespace

QString yuzdeCoz(std::string_view parca)
{
    if (parca.find('%') == std::string_view::npos)
        return QString::fromUtf8(parca.data(), static_cast<qsizetype>(parca.size()));
    QByteArray baytlar;
    baytlar.reserve(static_cast<qsizetype>(parca.size()));
    for (size_t i = 0; i < parca.size(); ++i) {
        if (parca[i] == '%' && i + 2 < parca.size()) {
            const int y = onaltilik(parca[i + 1]);
            const int d = onaltilik(parca[i + 2]);
            if (y >= 0 && d >= 0) {
                baytlar.append(static_cast<char>(y * 16 + d));
                i += 2;
                continue;
            }
        }
        baytlar.append(parca[i]);
    }
    return QString::fromUtf8(baytlar);
}

RestYolu restYoluCoz(std::string_view fiil, std::string_view hedef)
{
    RestYolu sonuc;
    const size_t soru = hedef.find('?');
    const std::string_view yol = hedef.substr(0, soru);
    if (yol.empty() || yol[0] != '/')
        return sonuc;

    size_t bas = 1;
    if (!ayniMi(parca(yol, bas), "datasnap"))
        return sonuc; // 404
    sonuc.tur = RestYolu::Tur::Desteklenmiyor;
    if (bas > yol.size() || !ayniMi(parca(yol, bas), "rest"))
        return sonuc;

    QString onEk;
    if (fiil == "GET")
        onEk.clear();
    else if (fiil == "POST")
        onEk = u"update"_s;
    else if (fiil == "PUT") {
        onEk = u"accept"_s;
        sonuc.basariDurumu = 201;
    }
    else if (fiil == "DELETE")
        onEk = u"cancel"_s;
    else
        return sonuc; // 501

    const std::string_view sinif = bas <= yol.size() ? parca(yol, bas) : std::string_view{};
    if (ayniMi(sinif, "CloseSession")) {
        sonuc.tur = RestYolu::Tur::OturumKapat;
        return sonuc;
    }
    sonuc.tur = RestYolu::Tur::Metot;
    sonuc.sinif = yuzdeCoz(sinif);
    const std::string_view metot = bas <= yol.size() ? parca(yol, bas) : std::string_view{};
    QString ad = yuzdeCoz(metot);
    const bool tirnakli = ad.startsWith(u'"') || ad.startsWith(u'\'');
    if (tirnakli) {
        const QChar tirnak = ad.front();
        ad.remove(0, 1);
        if (ad.endsWith(tirnak))
            ad.chop(1);
    }
    const bool onEksiz = tirnakli || sonuc.sinif.compare(u"DSAdmin"_s, Qt::CaseInsensitive) == 0
            || sonuc.sinif.compare(u"DSMetadata"_s, Qt::CaseInsensitive) == 0;
    sonuc.metot = onEksiz ? ad : onEk + ad;

    // What follows the method: "" or nothing gives no values; one trailing
    // "/" is dropped; the rest splits on "/" ("a//" is "a" and "").
    if (bas > yol.size())
        return sonuc;
    std::string_view kalan = yol.substr(bas);
    if (kalan.empty())
        return sonuc;
    if (kalan.back() == '/')
        kalan.remove_suffix(1);
    size_t i = 0;
    while (i <= kalan.size()) {
        const std::string_view deger = parca(kalan, i);
        if (deger == "null")
            sonuc.parametreler.emplace_back(std::nullopt);
        else
            sonuc.parametreler.emplace_back(yuzdeCoz(deger));
    }
    return sonuc;
}
