#include "remote/tablojson.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "remote/jsonic.h"
#include "remote/jsonyazici.h"

using namespace Qt::StringLiterals;
namespace od = simdjson::ondemand;

namespace {

const QDate gunSifir(1899, 12, 30); // day 0 of the day-count dates

// --- Writing ---

struct Boyut
{
    int boyut;
    int hassasiyet;
};

Boyut tanimBoyutu(const KolonTanimi &k)
{
    switch (k.tip) {
    case DbxTipi::Int8:
    case DbxTipi::UInt8:
        return {1, 1};
    case DbxTipi::Boolean:
    case DbxTipi::Int16:
    case DbxTipi::UInt16:
        return {2, 2};
    case DbxTipi::Int32:
    case DbxTipi::UInt32:
    case DbxTipi::Single:
    case DbxTipi::Date:
    case DbxTipi::Time:
        return {4, 4};
    case DbxTipi::Int64:
    case DbxTipi::Double:
        return {8, 8};
    case DbxTipi::Bcd:
    case DbxTipi::Currency:
        return {8, 18};
    case DbxTipi::DateTime:
    case DbxTipi::TimeStamp:
        return {16, 16};
    case DbxTipi::AnsiString:
    case DbxTipi::WideString:
    case DbxTipi::CharArray:
        return {k.boyut + 1, k.boyut};
    case DbxTipi::Blob:
    case DbxTipi::Bytes:
    case DbxTipi::BinaryBlob:
        return {k.boyut, k.boyut};
    }
    return {0, 0};
}

void tanimYaz(JsonYazici &y, const KolonTanimi &k, int sira)
{
    const Boyut b = tanimBoyutu(k);
    y.diziBasla()
        .metin(k.ad)
        .tamsayi(static_cast<int>(k.tip))
        .tamsayi(sira)
        .tamsayi(k.altTip)
        .tamsayi(0)
        .tamsayi(b.boyut)
        .tamsayi(b.hassasiyet)
        .tamsayi(0)
        .mantiksal(true)
        .mantiksal(false)
        .tamsayi(0)
        .mantiksal(false)
        .mantiksal(false)
        .diziBitir();
}

// Writes n as at least `en` digits.
char *rakamlar(char *p, int n, int en)
{
    char tampon[12];
    const auto [son, hata] = std::to_chars(tampon, tampon + sizeof tampon, n);
    for (auto eksik = en - (son - tampon); eksik > 0; --eksik)
        *p++ = '0';
    for (const char *q = tampon; q < son; ++q)
        *p++ = *q;
    return p;
}

std::size_t zamanYaz(char *tampon, DbxTipi tip, const QDateTime &zaman)
{
    char *p = tampon;
    const QDate t = zaman.date();
    const QTime s = zaman.time();
    if (tip != DbxTipi::Time) {
        p = rakamlar(p, t.year(), 4);
        *p++ = '-';
        p = rakamlar(p, t.month(), 2);
        *p++ = '-';
        p = rakamlar(p, t.day(), 2);
        if (tip == DbxTipi::Date)
            return static_cast<std::size_t>(p - tampon);
        *p++ = ' ';
    }
    p = rakamlar(p, s.hour(), 2);
    *p++ = ':';
    p = rakamlar(p, s.minute(), 2);
    *p++ = ':';
    p = rakamlar(p, s.second(), 2);
    if (tip != DbxTipi::Time) {
        *p++ = '.';
        p = rakamlar(p, s.msec(), 1);
    }
    return static_cast<std::size_t>(p - tampon);
}

void degerleriYaz(JsonYazici &y, const BellekTablo &t, int k)
{
    const KolonTanimi &tanim = t.kolon(k);
    const Depolama depolama = depolamaTuru(tanim.tip);
    y.diziBasla();
    for (qsizetype r = 0; r < t.satirSayisi(); ++r) {
        if (t.bosMu(r, k)) {
            y.bos();
            continue;
        }
        switch (depolama) {
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64:
            y.tamsayi(t.tamsayi(r, k));
            break;
        case Depolama::Ondalik:
            y.ondalik(t.sayi(r, k));
            break;
        case Depolama::Mantiksal:
            y.mantiksal(t.mantiksal(r, k));
            break;
        case Depolama::Metin:
            y.metin(t.metinGorunumu(r, k));
            break;
        case Depolama::Zaman: {
            char tampon[40];
            tampon[0] = '"';
            const std::size_t n = zamanYaz(tampon + 1, tanim.tip, t.zaman(r, k));
            tampon[n + 1] = '"';
            y.ham(std::string_view(tampon, n + 2));
            break;
        }
        case Depolama::Ikili: {
            const QByteArray veri = t.ikili(r, k);
            y.baytlar(std::string_view(veri.constData(), static_cast<std::size_t>(veri.size())));
            break;
        }
        }
    }
    y.diziBitir();
}

// --- Reading ---

std::optional<int> sayiOku(std::string_view &m, int basamak)
{
    if (m.size() < static_cast<std::size_t>(basamak))
        return std::nullopt;
    int n = 0;
    for (int i = 0; i < basamak; ++i) {
        if (m[i] < '0' || m[i] > '9')
            return std::nullopt;
        n = n * 10 + (m[i] - '0');
    }
    m.remove_prefix(static_cast<std::size_t>(basamak));
    return n;
}

bool karakter(std::string_view &m, char c)
{
    if (m.empty() || m.front() != c)
        return false;
    m.remove_prefix(1);
    return true;
}

// "hh:nn[:ss][.F]"; the rest must be used up.
std::optional<QTime> saatOku(std::string_view m)
{
    const auto saat = sayiOku(m, 2);
    if (!saat || !karakter(m, ':'))
        return std::nullopt;
    const auto dakika = sayiOku(m, 2);
    if (!dakika)
        return std::nullopt;
    int saniye = 0;
    if (karakter(m, ':')) {
        const auto s = sayiOku(m, 2);
        if (!s)
            return std::nullopt;
        saniye = *s;
    }
    int milisaniye = 0;
    if (karakter(m, '.')) {
        // Milliseconds as written ("5" is 5 ms); longer fractions are cut to ms.
        std::size_t n = 0;
        while (n < m.size() && m[n] >= '0' && m[n] <= '9')
            ++n;
        if (n == 0 || n != m.size())
            return std::nullopt;
        std::string_view ms = m.substr(0, n <= 3 ? n : 3);
        milisaniye = *sayiOku(ms, static_cast<int>(ms.size()));
        m = {};
    }
    if (!m.empty())
        return std::nullopt;
    const QTime t(*saat, *dakika, saniye, milisaniye);
    return t.isValid() ? std::optional(t) : std::nullopt;
}

QDateTime gunSayisindanZaman(double gun)
{
    const double tam = std::trunc(gun);
    const auto ms = static_cast<qint64>(std::llround(std::abs(gun - tam) * 86400000.0));
    return QDateTime(gunSifir.addDays(static_cast<qint64>(tam)), QTime(0, 0), Qt::UTC)
        .addMSecs(std::min<qint64>(ms, 86399999));
}

class TabloOkuyucu
{
public:
    BellekTablo oku(od::value deger)
    {
        od::object nesne = jsonic::al(deger.get_object(), "tablo");
        bool onceGelenVar = false;
        for (auto alanSonucu : nesne) {
            od::field alan = jsonic::al(std::move(alanSonucu), "tablo");
            const std::string_view anahtar = jsonic::al(alan.unescaped_key(), "tablo anahtarı");
            if (anahtar == "table") {
                if (tanimli_)
                    jsonic::cevapHatasi(u"Tabloda iki kolon tanımı var"_s);
                tanimlariOku(alan.value());
            } else if (tanimli_) {
                kolonuOku(anahtar, alan.value());
            } else {
                onceGelenVar = true;
            }
        }
        if (!tanimli_)
            jsonic::cevapHatasi(u"Tablonun kolon tanımı yok"_s);
        if (onceGelenVar) {
            // Some values came before the descriptors: read those now.
            jsonic::al(nesne.reset(), "tablo");
            for (auto alanSonucu : nesne) {
                od::field alan = jsonic::al(std::move(alanSonucu), "tablo");
                const std::string_view anahtar = jsonic::al(alan.unescaped_key(), "tablo anahtarı");
                if (anahtar == "table")
                    break;
                kolonuOku(anahtar, alan.value());
            }
        }
        if (!tablo_.doldurmayiBitir())
            jsonic::cevapHatasi(u"Tablonun kolonlarında farklı sayıda değer var"_s);
        return std::move(tablo_);
    }

private:
    void tanimlariOku(od::value deger)
    {
        QList<KolonTanimi> kolonlar;
        for (auto tanimSonucu : jsonic::al(deger.get_array(), "kolon tanımları")) {
            od::array tanim = jsonic::al(tanimSonucu.get_array(), "kolon tanımı");
            // name, type, ordinal, subtype, scale, size, precision, ...
            std::optional<int> sayilar[7];
            int sira = 0;
            for (auto ogeSonucu : tanim) {
                od::value oge = jsonic::al(std::move(ogeSonucu), "kolon tanımı");
                if (sira == 0) {
                    ad_.emplace_back(jsonic::al(oge.get_string(), "kolon adı"));
                } else if (sira < 7) {
                    std::int64_t n = 0;
                    if (oge.get_int64().get(n) != simdjson::SUCCESS ||
                        n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
                        jsonic::cevapHatasi(u"Kolon tanımında geçersiz sayı"_s);
                    sayilar[sira] = static_cast<int>(n);
                }
                ++sira; // the rest describe parameters, not columns
            }
            if (sira < 2)
                jsonic::cevapHatasi(u"Kolon tanımı eksik"_s);
            KolonTanimi kolon;
            kolon.ad = jsonic::metin(ad_.back());
            const int kod = *sayilar[1];
            const std::optional<DbxTipi> tip = dbxTipiBul(kod);
            if (!tip) {
                jsonic::cevapHatasi(
                    u"%1 kolonunun tipi desteklenmiyor (%2)"_s.arg(kolon.ad).arg(kod));
            }
            kolon.tip = *tip;
            kolon.altTip = sayilar[3].value_or(0);
            // Only text and binary columns have a size of their own: for text
            // the precision counts characters, for binary data the size bytes.
            if (depolamaTuru(*tip) == Depolama::Metin)
                kolon.boyut = std::max(0, sayilar[6].value_or(0));
            else if (depolamaTuru(*tip) == Depolama::Ikili)
                kolon.boyut = std::max(0, sayilar[5].value_or(0));
            kolonlar.append(std::move(kolon));
        }
        if (!tablo_.yenidenTanimla(std::move(kolonlar)))
            jsonic::cevapHatasi(u"Tablonun kolon adları boş ya da tekrarlı"_s);
        okundu_.assign(ad_.size(), false);
        tanimli_ = true;
    }

    int kolonBul(std::string_view ad)
    {
        // Value arrays normally follow the descriptors' order.
        const std::size_t n = ad_.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t k = (sonraki_ + i) % n;
            if (ad_[k] == ad) {
                sonraki_ = k + 1;
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    void kolonuOku(std::string_view ad, od::value deger)
    {
        const int k = kolonBul(ad);
        if (k < 0)
            return; // a key that names no column carries nothing for us
        if (okundu_[static_cast<std::size_t>(k)])
            jsonic::cevapHatasi(u"%1 kolonunun değerleri iki kez geldi"_s.arg(jsonic::metin(ad)));
        okundu_[static_cast<std::size_t>(k)] = true;
        od::array dizi;
        if (deger.get_array().get(dizi) != simdjson::SUCCESS)
            jsonic::cevapHatasi(u"%1 kolonunun değerleri bir dizi değil"_s.arg(jsonic::metin(ad)));
        const Depolama depolama = depolamaTuru(tablo_.kolon(k).tip);
        if (!ayrildi_) {
            // The first column tells how many rows to make room for.
            tablo_.satirAyir(
                static_cast<qsizetype>(jsonic::al(dizi.count_elements(), "kolon değerleri")));
            ayrildi_ = true;
        }
        if (depolama == Depolama::Metin) {
            // A text never has more characters than its JSON form has bytes.
            const std::string_view ham = jsonic::al(dizi.raw_json(), "kolon değerleri");
            tablo_.metinAyir(k, static_cast<qsizetype>(ham.size()));
            jsonic::al(dizi.reset(), "kolon değerleri");
        }
        qsizetype satir = 0;
        switch (depolama) {
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64:
            for (auto d : dizi)
                tamsayiEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        case Depolama::Ondalik:
            for (auto d : dizi)
                ondalikEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        case Depolama::Mantiksal:
            for (auto d : dizi)
                mantiksalEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        case Depolama::Metin:
            for (auto d : dizi)
                metinEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        case Depolama::Zaman:
            for (auto d : dizi)
                zamanEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        case Depolama::Ikili:
            for (auto d : dizi)
                ikiliEkle(k, jsonic::al(std::move(d), "değer"), satir++);
            break;
        }
    }

    [[noreturn]] void uymaz(int k, qsizetype satir)
    {
        jsonic::cevapHatasi(
            u"%1 kolonunun %2. satırındaki değer kolonun tipine uymuyor"_s.arg(tablo_.kolon(k).ad)
                .arg(satir + 1));
    }

    // A null, or else the value does not fit the column.
    void bosYaDaUymaz(int k, od::value &d, qsizetype satir)
    {
        bool bos = false;
        if (d.is_null().get(bos) != simdjson::SUCCESS || !bos)
            uymaz(k, satir);
        tablo_.ekleBos(k);
    }

    void tamsayiEkle(int k, od::value d, qsizetype satir)
    {
        std::int64_t tam = 0;
        double ondalik = 0;
        bool mantik = false;
        if (d.get_int64().get(tam) == simdjson::SUCCESS) {
            if (!tablo_.ekleTamsayi(k, tam))
                uymaz(k, satir);
        } else if (d.get_double().get(ondalik) == simdjson::SUCCESS) {
            // A whole number written as a fraction ("2.0") still fits.
            if (!tablo_.ekleOndalik(k, ondalik))
                uymaz(k, satir);
        } else if (d.get_bool().get(mantik) == simdjson::SUCCESS) {
            tablo_.ekleTamsayi(k, mantik ? 1 : 0);
        } else {
            bosYaDaUymaz(k, d, satir);
        }
    }

    void ondalikEkle(int k, od::value d, qsizetype satir)
    {
        double sayi = 0;
        if (d.get_double().get(sayi) == simdjson::SUCCESS)
            tablo_.ekleOndalik(k, sayi);
        else
            bosYaDaUymaz(k, d, satir);
    }

    void mantiksalEkle(int k, od::value d, qsizetype satir)
    {
        bool mantik = false;
        double sayi = 0;
        if (d.get_bool().get(mantik) == simdjson::SUCCESS)
            tablo_.ekleMantiksal(k, mantik);
        else if (d.get_double().get(sayi) == simdjson::SUCCESS)
            tablo_.ekleMantiksal(k, sayi != 0);
        else
            bosYaDaUymaz(k, d, satir);
    }

    void metinEkle(int k, od::value d, qsizetype satir)
    {
        std::string_view m;
        if (d.get_string().get(m) != simdjson::SUCCESS) {
            const od::json_type tur = jsonic::al(d.type(), "değer");
            if (tur != od::json_type::number && tur != od::json_type::boolean) {
                bosYaDaUymaz(k, d, satir);
                return;
            }
            // A number in a text column keeps its written form.
            m = d.raw_json_token();
            while (!m.empty() &&
                   (m.back() == ' ' || m.back() == '\n' || m.back() == '\r' || m.back() == '\t' ||
                    m.back() == ',' || m.back() == ']'))
                m.remove_suffix(1);
        }
        if (!tablo_.ekleMetinUtf8(k, QByteArrayView(m.data(), static_cast<qsizetype>(m.size()))))
            uymaz(k, satir);
    }

    void zamanEkle(int k, od::value d, qsizetype satir)
    {
        std::string_view m;
        double gun = 0;
        bool tamam = false;
        if (d.get_string().get(m) == simdjson::SUCCESS) {
            if (const auto z = tabloZamaniOku(m))
                tamam = tablo_.ekleZaman(k, z->date(), z->time());
        } else if (d.get_double().get(gun) == simdjson::SUCCESS) {
            // A day count, as objects carry dates.
            if (std::abs(gun) < 3e6) {
                const QDateTime z = gunSayisindanZaman(gun);
                tamam = tablo_.ekleZaman(k, z.date(), z.time());
            }
        } else {
            bosYaDaUymaz(k, d, satir);
            return;
        }
        if (!tamam)
            uymaz(k, satir);
    }

    void ikiliEkle(int k, od::value d, qsizetype satir)
    {
        od::array dizi;
        std::string_view m;
        if (d.get_array().get(dizi) == simdjson::SUCCESS) {
            QByteArray veri;
            for (auto b : dizi) {
                std::int64_t n = -1;
                if (b.get_int64().get(n) != simdjson::SUCCESS || n < 0 || n > 255)
                    uymaz(k, satir);
                veri.append(static_cast<char>(n));
            }
            tablo_.ekleIkili(k, veri);
        } else if (d.get_string().get(m) == simdjson::SUCCESS) {
            // Some servers send a memo as text.
            tablo_.ekleIkili(k, QByteArray(m.data(), static_cast<qsizetype>(m.size())));
        } else {
            bosYaDaUymaz(k, d, satir);
        }
    }

    BellekTablo tablo_;
    bool tanimli_ = false;
    bool ayrildi_ = false;
    std::vector<std::string> ad_; // column names as UTF-8, to match the value keys
    std::vector<bool> okundu_;
    std::size_t sonraki_ = 0;
};

} // namespace

void tabloYaz(JsonYazici &y, const BellekTablo &t, BosTabloBicimi bosBicim)
{
    y.nesneBasla().anahtar("table").diziBasla();
    const bool kolonlu = t.satirSayisi() > 0 || bosBicim == BosTabloBicimi::Kolonlu;
    if (kolonlu) {
        for (int k = 0; k < t.kolonSayisi(); ++k)
            tanimYaz(y, t.kolon(k), k);
    }
    y.diziBitir();
    if (kolonlu) {
        for (int k = 0; k < t.kolonSayisi(); ++k) {
            y.anahtar(t.kolon(k).ad);
            degerleriYaz(y, t, k);
        }
    }
    y.nesneBitir();
}

BellekTablo tabloOku(std::string_view json)
{
    const simdjson::padded_string dolgulu(json);
    od::parser ayristirici;
    od::document belge = jsonic::al(ayristirici.iterate(dolgulu), "tablo");
    return jsonic::tabloOku(jsonic::al(belge.get_value(), "tablo"));
}

QString tabloZamanMetni(DbxTipi tip, const QDateTime &zaman)
{
    char tampon[40];
    const std::size_t n = zamanYaz(tampon, tip, zaman);
    return QString::fromLatin1(tampon, static_cast<qsizetype>(n));
}

std::optional<QDateTime> tabloZamaniOku(std::string_view m)
{
    while (!m.empty() && m.front() == ' ')
        m.remove_prefix(1);
    while (!m.empty() && m.back() == ' ')
        m.remove_suffix(1);
    // A time alone.
    if (m.size() >= 3 && m[2] == ':') {
        const auto saat = saatOku(m);
        return saat ? std::optional(QDateTime(gunSifir, *saat, Qt::UTC)) : std::nullopt;
    }
    const auto yil = sayiOku(m, 4);
    if (!yil || !karakter(m, '-'))
        return std::nullopt;
    const auto ay = sayiOku(m, 2);
    if (!ay || !karakter(m, '-'))
        return std::nullopt;
    const auto gun = sayiOku(m, 2);
    if (!gun)
        return std::nullopt;
    const QDate tarih(*yil, *ay, *gun);
    if (!tarih.isValid())
        return std::nullopt;
    QTime saat(0, 0);
    if (!m.empty()) {
        if (m.front() == '.') {
            // Midnight written as the date and its milliseconds.
            const auto t = saatOku(std::string("00:00:00") += m);
            if (!t)
                return std::nullopt;
            saat = *t;
        } else if (m.front() == ' ' || m.front() == 'T') {
            const auto t = saatOku(m.substr(1));
            if (!t)
                return std::nullopt;
            saat = *t;
        } else {
            return std::nullopt;
        }
    }
    return QDateTime(tarih, saat, Qt::UTC);
}

namespace jsonic {

BellekTablo tabloOku(od::value deger)
{
    return TabloOkuyucu().oku(deger);
}

} // namespace jsonic
