#include "remote/tablojson.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "remote/jsonic.h"
#include "remote/jsonyazici.h"

using namespace Qt::StringLiterals;
namespace dom = simdjson::dom;

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
    BellekTablo oku(dom::element deger)
    {
        dom::object nesne;
        if (deger.get_object().get(nesne) != simdjson::SUCCESS)
            jsonic::cevapHatasi(u"Tablo bir JSON nesnesi değil"_s);
        dom::array tanimlar;
        if (nesne["table"].get_array().get(tanimlar) != simdjson::SUCCESS)
            jsonic::cevapHatasi(u"Tablonun kolon tanımı yok"_s);
        tanimlariOku(tanimlar);
        for (const auto [anahtar, degerler] : nesne) {
            if (anahtar != "table")
                kolonuOku(anahtar, degerler);
        }
        if (!tablo_.doldurmayiBitir())
            jsonic::cevapHatasi(u"Tablonun kolonlarında farklı sayıda değer var"_s);
        return std::move(tablo_);
    }

private:
    void tanimlariOku(dom::array tanimlar)
    {
        QList<KolonTanimi> kolonlar;
        for (const dom::element tanimOgesi : tanimlar) {
            dom::array tanim;
            std::string_view ad;
            if (tanimOgesi.get_array().get(tanim) != simdjson::SUCCESS || tanim.size() < 2 ||
                tanim.at(0).get_string().get(ad) != simdjson::SUCCESS)
                jsonic::cevapHatasi(u"Kolon tanımı okunamadı"_s);
            KolonTanimi kolon;
            kolon.ad = jsonic::metin(ad);
            ad_.emplace_back(ad);
            const int kod = tamsayi(tanim, 1);
            const std::optional<DbxTipi> tip = dbxTipiBul(kod);
            if (!tip) {
                jsonic::cevapHatasi(
                    u"%1 kolonunun tipi desteklenmiyor (%2)"_s.arg(kolon.ad).arg(kod));
            }
            kolon.tip = *tip;
            kolon.altTip = tamsayi(tanim, 3);
            // Only text and binary columns have a size of their own: for text
            // the precision counts characters, for binary data the size bytes.
            if (depolamaTuru(*tip) == Depolama::Metin)
                kolon.boyut = std::max(0, tamsayi(tanim, 6));
            else if (depolamaTuru(*tip) == Depolama::Ikili)
                kolon.boyut = std::max(0, tamsayi(tanim, 5));
            kolonlar.append(std::move(kolon));
        }
        if (!tablo_.yenidenTanimla(std::move(kolonlar)))
            jsonic::cevapHatasi(u"Tablonun kolon adları boş ya da tekrarlı"_s);
        okundu_.assign(ad_.size(), false);
    }

    // Element i of a descriptor as an int; 0 when the descriptor is shorter.
    static int tamsayi(dom::array tanim, std::size_t i)
    {
        if (i >= tanim.size())
            return 0;
        std::int64_t n = 0;
        if (tanim.at(i).get_int64().get(n) != simdjson::SUCCESS ||
            n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
            jsonic::cevapHatasi(u"Kolon tanımında geçersiz sayı"_s);
        return static_cast<int>(n);
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

    void kolonuOku(std::string_view ad, dom::element deger)
    {
        const int k = kolonBul(ad);
        if (k < 0)
            return; // a key that names no column carries nothing for us
        if (okundu_[static_cast<std::size_t>(k)])
            jsonic::cevapHatasi(u"%1 kolonunun değerleri iki kez geldi"_s.arg(jsonic::metin(ad)));
        okundu_[static_cast<std::size_t>(k)] = true;
        dom::array dizi;
        if (deger.get_array().get(dizi) != simdjson::SUCCESS)
            jsonic::cevapHatasi(u"%1 kolonunun değerleri bir dizi değil"_s.arg(jsonic::metin(ad)));
        if (!ayrildi_) {
            tablo_.satirAyir(static_cast<qsizetype>(dizi.size()));
            ayrildi_ = true;
        }
        qsizetype satir = 0;
        switch (depolamaTuru(tablo_.kolon(k).tip)) {
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64:
            for (const dom::element d : dizi)
                tamsayiEkle(k, d, satir++);
            break;
        case Depolama::Ondalik:
            for (const dom::element d : dizi)
                ondalikEkle(k, d, satir++);
            break;
        case Depolama::Mantiksal:
            for (const dom::element d : dizi)
                mantiksalEkle(k, d, satir++);
            break;
        case Depolama::Metin:
            for (const dom::element d : dizi)
                metinEkle(k, d, satir++);
            break;
        case Depolama::Zaman:
            for (const dom::element d : dizi)
                zamanEkle(k, d, satir++);
            break;
        case Depolama::Ikili:
            for (const dom::element d : dizi)
                ikiliEkle(k, d, satir++);
            break;
        }
    }

    [[noreturn]] void uymaz(int k, qsizetype satir)
    {
        jsonic::cevapHatasi(
            u"%1 kolonunun %2. satırındaki değer kolonun tipine uymuyor"_s.arg(tablo_.kolon(k).ad)
                .arg(satir + 1));
    }

    void tamsayiEkle(int k, dom::element d, qsizetype satir)
    {
        bool tamam = false;
        switch (d.type()) {
        case dom::element_type::INT64:
            tamam = tablo_.ekleTamsayi(k, d.get_int64().value_unsafe());
            break;
        case dom::element_type::UINT64: // beyond 64-bit signed: fits no integer column
        case dom::element_type::DOUBLE:
            tamam = tablo_.ekleOndalik(k, d.get_double().value_unsafe());
            break;
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            tamam = true;
            break;
        case dom::element_type::BOOL:
            tamam = tablo_.ekleTamsayi(k, d.get_bool().value_unsafe() ? 1 : 0);
            break;
        default:
            break;
        }
        if (!tamam)
            uymaz(k, satir);
    }

    void ondalikEkle(int k, dom::element d, qsizetype satir)
    {
        switch (d.type()) {
        case dom::element_type::DOUBLE:
        case dom::element_type::INT64:
        case dom::element_type::UINT64:
            tablo_.ekleOndalik(k, d.get_double().value_unsafe());
            return;
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            return;
        default:
            uymaz(k, satir);
        }
    }

    void mantiksalEkle(int k, dom::element d, qsizetype satir)
    {
        switch (d.type()) {
        case dom::element_type::BOOL:
            tablo_.ekleMantiksal(k, d.get_bool().value_unsafe());
            return;
        case dom::element_type::DOUBLE:
        case dom::element_type::INT64:
        case dom::element_type::UINT64:
            tablo_.ekleMantiksal(k, d.get_double().value_unsafe() != 0);
            return;
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            return;
        default:
            uymaz(k, satir);
        }
    }

    void metinEkle(int k, dom::element d, qsizetype satir)
    {
        std::string_view m;
        switch (d.type()) {
        case dom::element_type::STRING:
            m = d.get_string().value_unsafe();
            break;
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            return;
        case dom::element_type::INT64:
        case dom::element_type::UINT64:
        case dom::element_type::DOUBLE:
        case dom::element_type::BOOL:
            // A number in a text column becomes its text.
            yazi_ = simdjson::to_string(d);
            m = yazi_;
            break;
        default:
            uymaz(k, satir);
        }
        if (!tablo_.ekleMetinUtf8(k, QByteArrayView(m.data(), static_cast<qsizetype>(m.size()))))
            uymaz(k, satir);
    }

    void zamanEkle(int k, dom::element d, qsizetype satir)
    {
        bool tamam = false;
        switch (d.type()) {
        case dom::element_type::STRING:
            if (const auto z = tabloZamaniOku(d.get_string().value_unsafe()))
                tamam = tablo_.ekleZaman(k, z->date(), z->time());
            break;
        case dom::element_type::DOUBLE:
        case dom::element_type::INT64:
        case dom::element_type::UINT64:
            // A day count, as objects carry dates.
            if (const double gun = d.get_double().value_unsafe(); std::abs(gun) < 3e6) {
                const QDateTime z = gunSayisindanZaman(gun);
                tamam = tablo_.ekleZaman(k, z.date(), z.time());
            }
            break;
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            tamam = true;
            break;
        default:
            break;
        }
        if (!tamam)
            uymaz(k, satir);
    }

    void ikiliEkle(int k, dom::element d, qsizetype satir)
    {
        switch (d.type()) {
        case dom::element_type::ARRAY: {
            const dom::array dizi = d.get_array().value_unsafe();
            QByteArray veri(static_cast<qsizetype>(dizi.size()), Qt::Uninitialized);
            qsizetype i = 0;
            for (const dom::element b : dizi) {
                std::int64_t n = -1;
                if (b.get_int64().get(n) != simdjson::SUCCESS || n < 0 || n > 255)
                    uymaz(k, satir);
                veri[i++] = static_cast<char>(n);
            }
            tablo_.ekleIkili(k, veri);
            return;
        }
        case dom::element_type::STRING: {
            // Some servers send a memo as text.
            const std::string_view m = d.get_string().value_unsafe();
            tablo_.ekleIkili(k, QByteArray(m.data(), static_cast<qsizetype>(m.size())));
            return;
        }
        case dom::element_type::NULL_VALUE:
            tablo_.ekleBos(k);
            return;
        default:
            uymaz(k, satir);
        }
    }

    BellekTablo tablo_;
    bool ayrildi_ = false;
    std::vector<std::string> ad_; // column names as UTF-8, to match the value keys
    std::vector<bool> okundu_;
    std::size_t sonraki_ = 0;
    std::string yazi_;
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
    dom::parser ayristirici;
    return jsonic::tabloOku(jsonic::al(ayristirici.parse(json.data(), json.size()), "tablo"));
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

BellekTablo tabloOku(dom::element deger)
{
    return TabloOkuyucu().oku(deger);
}

} // namespace jsonic
