#include "app/utils/bicim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "remote/tablo/bellektablo.h"

using namespace Qt::StringLiterals;

namespace {

// Beyond this many fraction placeholders a pattern is nonsense; the rest print nothing.
constexpr int EnFazlaOndalik = 60;

struct Oge
{
    enum class Tur
    {
        Rakam, // 0 or #
        Nokta, // the decimal separator's place
        Metin, // literal text
    };
    Tur tur;
    QString metin;
};

struct Bolum
{
    std::vector<Oge> ogeler;
    int tamsayiYeri = 0; // digit placeholders before the point
    int enAzTamsayi = 0; // integer digits always shown (from the first 0)
    int enAzOndalik = 0; // fraction digits always shown (up to the last 0)
    int enFazlaOndalik = 0; // fraction digits shown at most
    bool gruplu = false;
    bool bos = true; // nothing at all between the semicolons
};

Bolum bolumOku(QStringView metin)
{
    Bolum b;
    b.bos = metin.isEmpty();
    int rakam = 0;
    int noktaYeri = -1;
    int ilkSifir = -1;
    int sonSifir = 0;
    auto metinEkle = [&b](QStringView parca) {
        if (!b.ogeler.empty() && b.ogeler.back().tur == Oge::Tur::Metin)
            b.ogeler.back().metin += parca;
        else
            b.ogeler.push_back({Oge::Tur::Metin, parca.toString()});
    };
    for (qsizetype i = 0; i < metin.size(); ++i) {
        const QChar c = metin[i];
        if (c == u'0' || c == u'#') {
            if (c == u'0') {
                if (ilkSifir < 0)
                    ilkSifir = rakam;
                sonSifir = rakam + 1;
            }
            ++rakam;
            b.ogeler.push_back({Oge::Tur::Rakam, {}});
        } else if (c == u'.') {
            if (noktaYeri < 0) {
                noktaYeri = rakam;
                b.ogeler.push_back({Oge::Tur::Nokta, {}});
            }
        } else if (c == u',') {
            b.gruplu = true;
        } else if (c == u'\'' || c == u'"') {
            const qsizetype son = metin.indexOf(c, i + 1);
            const qsizetype bitis = son < 0 ? metin.size() : son;
            metinEkle(metin.mid(i + 1, bitis - i - 1));
            i = bitis;
        } else {
            metinEkle(metin.mid(i, 1));
        }
    }
    b.tamsayiYeri = noktaYeri < 0 ? rakam : noktaYeri;
    const int ilk = ilkSifir < 0 ? b.tamsayiYeri : std::min(ilkSifir, b.tamsayiYeri);
    b.enAzTamsayi = b.tamsayiYeri - ilk;
    b.enFazlaOndalik = std::min(rakam - b.tamsayiYeri, EnFazlaOndalik);
    b.enAzOndalik = std::clamp(sonSifir - b.tamsayiYeri, 0, b.enFazlaOndalik);
    return b;
}

// Adds one unit in the last place of a plain decimal text ("2.34" -> "2.35", "9.99" -> "10.00").
void sonBasamagaBirEkle(std::string &metin)
{
    for (auto i = metin.size(); i-- > 0;) {
        if (metin[i] == '.')
            continue;
        if (metin[i] != '9') {
            ++metin[i];
            return;
        }
        metin[i] = '0';
    }
    metin.insert(metin.begin(), '1');
}

// |deger| in plain decimal digits with `ondalik` fraction digits, rounded half away from zero
// on the exact binary value. to_chars rounds the exact value correctly but breaks exact ties
// to even; a tie is only possible when the value has at most ondalik + 1 binary fraction
// digits, and then its ondalik + 1 decimal digits are exact and show it.
std::string yuvarlanmisMetin(double mutlak, int ondalik)
{
    std::string metin(std::size_t(340 + ondalik), '\0');
    auto yaz = [&metin, mutlak](int basamak) {
        const auto s = std::to_chars(metin.data(), metin.data() + metin.size(), mutlak,
                                     std::chars_format::fixed, basamak);
        return std::string(metin.data(), s.ptr);
    };
    if (mutlak < 0x1p53) {
        const double olcekli = std::ldexp(mutlak, ondalik + 1);
        if (olcekli == std::floor(olcekli)) {
            std::string kesin = yaz(ondalik + 1);
            if (kesin.back() == '5') {
                kesin.pop_back();
                if (kesin.back() == '.')
                    kesin.pop_back();
                sonBasamagaBirEkle(kesin);
                return kesin;
            }
        }
    }
    return yaz(ondalik);
}

QString eksiIsareti(const QLocale &yerel)
{
    const QString isaret = yerel.negativeSign();
    return isaret.isEmpty() ? u"-"_s : isaret;
}

QString ozelDeger(double deger, const QLocale &yerel)
{
    if (std::isnan(deger))
        return u"NAN"_s;
    return deger < 0 ? eksiIsareti(yerel) + u"INF"_s : u"INF"_s;
}

QString genelBicim(double deger, const QLocale &yerel)
{
    if (!std::isfinite(deger))
        return ozelDeger(deger, yerel);
    if (deger == 0)
        return u"0"_s;
    char tampon[64];
    const auto s = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(deger),
                                 std::chars_format::general, 15);
    const std::string_view metin(tampon, std::size_t(s.ptr - tampon));
    const auto e = metin.find('e');
    const std::string_view govde = metin.substr(0, e);

    QString sonuc = deger < 0 ? eksiIsareti(yerel) : QString();
    for (const char c : govde)
        sonuc += c == '.' ? yerel.decimalPoint() : QString(QLatin1Char(c));
    if (e != std::string_view::npos) {
        std::string_view us = metin.substr(e + 1);
        sonuc += u'E';
        if (us.front() == '-')
            sonuc += eksiIsareti(yerel);
        us.remove_prefix(1); // the sign
        while (us.size() > 1 && us.front() == '0')
            us.remove_prefix(1);
        sonuc += QLatin1StringView(us.data(), qsizetype(us.size()));
    }
    return sonuc;
}

} // namespace

struct SayiBicimi::Ayrisim
{
    std::vector<Bolum> bolumler; // one to three
};

SayiBicimi::SayiBicimi() = default;

SayiBicimi::SayiBicimi(QStringView desen)
    : desen_(desen.toString())
{
    if (desen.isEmpty())
        return;
    auto a = std::make_shared<Ayrisim>();
    // Semicolons inside quotes belong to the text.
    qsizetype bas = 0;
    QChar tirnak;
    for (qsizetype i = 0; i <= desen.size() && a->bolumler.size() < 3; ++i) {
        if (i < desen.size()) {
            const QChar c = desen[i];
            if (!tirnak.isNull()) {
                if (c == tirnak)
                    tirnak = QChar();
                continue;
            }
            if (c == u'\'' || c == u'"') {
                tirnak = c;
                continue;
            }
            if (c != u';')
                continue;
        }
        a->bolumler.push_back(bolumOku(desen.mid(bas, i - bas)));
        bas = i + 1;
    }
    ayrisim_ = std::move(a);
}

QString SayiBicimi::uygula(double deger, const QLocale &yerel) const
{
    if (!ayrisim_)
        return genelBicim(deger, yerel);
    if (!std::isfinite(deger))
        return ozelDeger(deger, yerel);

    const auto &bolumler = ayrisim_->bolumler;
    const bool eksi = deger < 0;
    const Bolum *bolum = &bolumler[0];
    bool isaretYaz = eksi;
    if (eksi && bolumler.size() > 1 && !bolumler[1].bos) {
        bolum = &bolumler[1];
        isaretYaz = false; // the negative section writes its own sign, if any
    } else if (deger == 0 && bolumler.size() > 2 && !bolumler[2].bos) {
        bolum = &bolumler[2];
    }

    const std::string yuvarlanmis = yuvarlanmisMetin(std::fabs(deger), bolum->enFazlaOndalik);
    const auto nokta = yuvarlanmis.find('.');
    std::string tamsayi = yuvarlanmis.substr(0, nokta);
    std::string ondalik =
        nokta == std::string::npos ? std::string() : yuvarlanmis.substr(nokta + 1);

    tamsayi.erase(0, std::min(tamsayi.find_first_not_of('0'), tamsayi.size()));
    const bool sifir = tamsayi.empty() && ondalik.find_first_not_of('0') == std::string::npos;
    if (tamsayi.size() < std::size_t(bolum->enAzTamsayi))
        tamsayi.insert(0, std::size_t(bolum->enAzTamsayi) - tamsayi.size(), '0');
    while (ondalik.size() > std::size_t(bolum->enAzOndalik) && ondalik.back() == '0')
        ondalik.pop_back();

    const QString grup = yerel.groupSeparator();
    const int uzunluk = int(tamsayi.size());
    QString sonuc;
    // The integer digit at position p (0 = units), followed by its group separator.
    auto tamsayiBasamagi = [&](int p) {
        sonuc += QLatin1Char(tamsayi[std::size_t(uzunluk - 1 - p)]);
        if (bolum->gruplu && p > 0 && p % 3 == 0)
            sonuc += grup;
    };
    // Digits with no placeholder of their own go where the integer part starts.
    auto tasanlar = [&] {
        for (int p = uzunluk - 1; p >= bolum->tamsayiYeri; --p)
            tamsayiBasamagi(p);
    };

    if (isaretYaz && !sifir)
        sonuc += eksiIsareti(yerel);
    int yer = 0; // placeholders met so far
    bool tasanlarYazildi = false;
    for (const Oge &oge : bolum->ogeler) {
        switch (oge.tur) {
        case Oge::Tur::Metin:
            sonuc += oge.metin;
            break;
        case Oge::Tur::Nokta:
            if (!tasanlarYazildi) {
                tasanlar();
                tasanlarYazildi = true;
            }
            if (!ondalik.empty())
                sonuc += yerel.decimalPoint();
            break;
        case Oge::Tur::Rakam:
            if (yer < bolum->tamsayiYeri) {
                if (!tasanlarYazildi) {
                    tasanlar();
                    tasanlarYazildi = true;
                }
                const int p = bolum->tamsayiYeri - 1 - yer;
                if (p < uzunluk)
                    tamsayiBasamagi(p);
            } else {
                const int k = yer - bolum->tamsayiYeri;
                if (k < int(ondalik.size()))
                    sonuc += QLatin1Char(ondalik[std::size_t(k)]);
            }
            ++yer;
            break;
        }
    }
    return sonuc;
}

QString SayiBicimle(double deger, QStringView desen, const QLocale &yerel)
{
    return SayiBicimi(desen).uygula(deger, yerel);
}

std::optional<double> SayiOku(QStringView metin, const QLocale &yerel)
{
    metin = metin.trimmed();
    const QString grup = yerel.groupSeparator();
    const QString ondalikAyirici = yerel.decimalPoint();
    const QString eksi = eksiIsareti(yerel);
    const QString arti = yerel.positiveSign();
    const bool grupBosluk = grup.size() == 1 && grup[0].isSpace();

    std::string ascii;
    qsizetype i = 0;
    auto basindaMi = [&](const QString &s) { return !s.isEmpty() && metin.mid(i).startsWith(s); };
    if (basindaMi(eksi)) {
        ascii += '-';
        i += eksi.size();
    } else if (i < metin.size() && metin[i] == u'-') {
        ascii += '-';
        ++i;
    } else if (basindaMi(arti)) {
        i += arti.size();
    }

    int rakam = 0;
    bool ondalikGoruldu = false;
    for (; i < metin.size(); ++i) {
        const QChar c = metin[i];
        if (c >= u'0' && c <= u'9') {
            ascii += char(c.unicode());
            ++rakam;
        } else if (!ondalikGoruldu && basindaMi(ondalikAyirici)) {
            ascii += '.';
            ondalikGoruldu = true;
            i += ondalikAyirici.size() - 1;
        } else if (!ondalikGoruldu && basindaMi(grup)) {
            i += grup.size() - 1;
        } else if (!ondalikGoruldu && grupBosluk && c.isSpace()) {
            continue;
        } else {
            break;
        }
    }
    if (rakam == 0)
        return std::nullopt;
    if (i < metin.size() && (metin[i] == u'E' || metin[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (basindaMi(eksi)) {
            ascii += '-';
            i += eksi.size();
        } else if (i < metin.size() && (metin[i] == u'-' || metin[i] == u'+')) {
            if (metin[i] == u'-')
                ascii += '-';
            ++i;
        }
        const qsizetype usBasi = i;
        for (; i < metin.size() && metin[i] >= u'0' && metin[i] <= u'9'; ++i)
            ascii += char(metin[i].unicode());
        if (i == usBasi)
            return std::nullopt;
    }
    if (i != metin.size())
        return std::nullopt;

    double deger = 0;
    const auto s = std::from_chars(ascii.data(), ascii.data() + ascii.size(), deger);
    if (s.ec != std::errc() || s.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return deger;
}

double IkiHaneyeYuvarla(double deger)
{
    if (!std::isfinite(deger))
        return deger;
    // Format, drop the grouping, read back: the text is the rounding.
    static const SayiBicimi yuvarlama(YuvarlamaBicimi);
    const QLocale c = QLocale::c();
    QString metin = yuvarlama.uygula(deger, c);
    metin.remove(c.groupSeparator());
    return SayiOku(metin, c).value_or(deger);
}

void ParaBicimiUygula(BellekTablo &tablo)
{
    const QString para = ParaBicimi.toString();
    for (int k = 0; k < tablo.kolonSayisi(); ++k) {
        if (tablo.kolon(k).tip == DbxTipi::Double)
            tablo.bicimAyarla(k, para);
    }
}
