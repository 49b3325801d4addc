#include "remote/cagri.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QJsonDocument>
#include <QJsonObject>

#include "remote/jsonic.h"
#include "remote/jsonyazici.h"
#include "remote/tablojson.h"

using namespace Qt::StringLiterals;
namespace dom = simdjson::dom;
namespace od = simdjson::ondemand;

namespace {

QString adi(std::string_view metin)
{
    return jsonic::metin(metin);
}

[[noreturn]] void girdiHatasi(const Parametre &p)
{
    jsonic::cevapHatasi(
        u"%1 parametresi %2 olmalı"_s.arg(adi(p.ad), QString::fromUtf8(turAdi(p.tur).data())));
}

bool tamsayiAraliginda(Tur tur, std::int64_t n)
{
    return tur == Tur::Tamsayi64 ||
        (n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max());
}

Deger tamsayiDegeri(Tur tur, std::int64_t n)
{
    if (tur == Tur::Tamsayi64)
        return qint64(n);
    return qint32(n);
}

std::optional<std::int64_t> tamKismi(double d)
{
    if (!std::isfinite(d) || std::trunc(d) != d || std::abs(d) >= 9.2e18)
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

// --- Writing values ---

void jsonDegerYaz(JsonYazici &y, const QJsonValue &d)
{
    switch (d.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        y.bos();
        break;
    case QJsonValue::Bool:
        y.mantiksal(d.toBool());
        break;
    case QJsonValue::Double:
        if (const QVariant v = d.toVariant(); v.typeId() == QMetaType::LongLong)
            y.tamsayi(v.toLongLong());
        else
            y.ondalik(d.toDouble());
        break;
    case QJsonValue::String:
        y.metin(d.toString());
        break;
    case QJsonValue::Array:
        y.diziBasla();
        for (const QJsonValue &oge : d.toArray())
            jsonDegerYaz(y, oge);
        y.diziBitir();
        break;
    case QJsonValue::Object: {
        y.nesneBasla();
        const QJsonObject nesne = d.toObject();
        for (auto it = nesne.begin(); it != nesne.end(); ++it) {
            y.anahtar(it.key());
            jsonDegerYaz(y, it.value());
        }
        y.nesneBitir();
        break;
    }
    }
}

struct DegerYazici
{
    JsonYazici &y;

    void operator()(std::monostate) { y.bos(); }
    void operator()(const QString &d) { y.metin(d); }
    void operator()(qint32 d) { y.tamsayi(d); }
    void operator()(qint64 d) { y.tamsayi(d); }
    void operator()(double d) { y.ondalik(d); }
    void operator()(bool d) { y.mantiksal(d); }
    void operator()(const Nesne &d) { nesneYaz(y, d); }
    void operator()(const BellekTablo &d) { tabloYaz(y, d); }
    void operator()(const QByteArray &d)
    {
        y.baytlar(std::string_view(d.constData(), static_cast<std::size_t>(d.size())));
    }
    void operator()(const QJsonArray &d) { jsonDegerYaz(y, d); }
};

// --- Reading reply values (client) ---

QJsonArray jsonDizisi(std::string_view json)
{
    QJsonParseError hata {};
    const QJsonDocument belge = QJsonDocument::fromJson(
        QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &hata);
    if (hata.error != QJsonParseError::NoError || !belge.isArray())
        jsonic::cevapHatasi(u"JSON dizisi okunamadı"_s);
    return belge.array();
}

QByteArray baytDizisi(od::array dizi)
{
    QByteArray veri;
    for (auto oge : dizi) {
        std::int64_t b = -1;
        if (oge.get_int64().get(b) != simdjson::SUCCESS || b < 0 || b > 255)
            jsonic::cevapHatasi(u"Akış bir bayt dizisi değil"_s);
        veri.append(static_cast<char>(b));
    }
    return veri;
}

Deger ciktiOku(od::value d, const Parametre &p)
{
    const od::json_type tip = jsonic::al(d.type(), "sonuç");
    if (tip == od::json_type::null) {
        if (p.tur == Tur::Tablo)
            return BellekTablo();
        if (p.tur == Tur::JsonDizi)
            return QJsonArray();
        return bosDeger(p.tur);
    }
    switch (p.tur) {
    case Tur::Metin:
        if (tip == od::json_type::string)
            return adi(jsonic::al(d.get_string(), "metin"));
        break;
    case Tur::Tamsayi:
    case Tur::Tamsayi64: {
        std::int64_t n = 0;
        double x = 0;
        if (d.get_int64().get(n) == simdjson::SUCCESS) {
            if (tamsayiAraliginda(p.tur, n))
                return tamsayiDegeri(p.tur, n);
        } else if (tip == od::json_type::number && d.get_double().get(x) == simdjson::SUCCESS) {
            if (const auto t = tamKismi(x); t && tamsayiAraliginda(p.tur, *t))
                return tamsayiDegeri(p.tur, *t);
        } else if (tip == od::json_type::boolean) {
            return tamsayiDegeri(p.tur, jsonic::al(d.get_bool(), "sonuç") ? 1 : 0);
        }
        break;
    }
    case Tur::Ondalik:
        if (tip == od::json_type::number)
            return jsonic::al(d.get_double(), "sayı");
        break;
    case Tur::Mantiksal:
        if (tip == od::json_type::boolean)
            return jsonic::al(d.get_bool(), "sonuç");
        if (tip == od::json_type::number)
            return jsonic::al(d.get_double(), "sonuç") != 0;
        break;
    case Tur::Nesne: {
        // Objects are small: their text goes to the object reader.
        std::string_view json;
        if (tip == od::json_type::object)
            json = jsonic::al(jsonic::al(d.get_object(), "nesne").raw_json(), "nesne");
        else if (tip == od::json_type::array)
            json = jsonic::al(jsonic::al(d.get_array(), "nesne").raw_json(), "nesne");
        else
            break;
        if (std::optional<Nesne> n = jsonic::dolguluNesneOku(json, p.sinif))
            return std::move(*n);
        return std::monostate();
    }
    case Tur::Tablo:
        if (tip == od::json_type::object)
            return jsonic::tabloOku(d);
        break;
    case Tur::Akis:
        if (tip == od::json_type::array)
            return baytDizisi(jsonic::al(d.get_array(), "akış"));
        break;
    case Tur::JsonDizi:
        if (tip == od::json_type::array)
            return jsonDizisi(jsonic::al(jsonic::al(d.get_array(), "dizi").raw_json(), "dizi"));
        break;
    case Tur::Yok:
    case Tur::GeriCagirma:
        break;
    }
    jsonic::cevapHatasi(
        u"Cevaptaki %1 değeri %2 değil"_s.arg(adi(p.ad), QString::fromUtf8(turAdi(p.tur).data())));
}

// --- Reading inputs (server) ---

Deger girdiOku(dom::element e, const Parametre &p)
{
    if (e.is_null())
        return bosDeger(p.tur);
    switch (p.tur) {
    case Tur::Metin: {
        std::string_view m;
        if (e.get_string().get(m) == simdjson::SUCCESS)
            return adi(m);
        if (e.is_number())
            return adi(simdjson::to_string(e));
        break;
    }
    case Tur::Tamsayi:
    case Tur::Tamsayi64: {
        std::int64_t n = 0;
        double x = 0;
        bool b = false;
        std::string_view m;
        if (e.get_int64().get(n) == simdjson::SUCCESS && tamsayiAraliginda(p.tur, n))
            return tamsayiDegeri(p.tur, n);
        if (e.is_double() && e.get_double().get(x) == simdjson::SUCCESS) {
            if (const auto t = tamKismi(x); t && tamsayiAraliginda(p.tur, *t))
                return tamsayiDegeri(p.tur, *t);
        }
        if (e.get_bool().get(b) == simdjson::SUCCESS)
            return tamsayiDegeri(p.tur, b ? 1 : 0);
        if (e.get_string().get(m) == simdjson::SUCCESS)
            return metinGirdisi(p, adi(m));
        break;
    }
    case Tur::Ondalik: {
        double x = 0;
        std::string_view m;
        if (e.is_number() && e.get_double().get(x) == simdjson::SUCCESS)
            return x;
        if (e.get_string().get(m) == simdjson::SUCCESS)
            return metinGirdisi(p, adi(m));
        break;
    }
    case Tur::Mantiksal: {
        bool b = false;
        double x = 0;
        std::string_view m;
        if (e.get_bool().get(b) == simdjson::SUCCESS)
            return b;
        if (e.is_number() && e.get_double().get(x) == simdjson::SUCCESS)
            return x != 0;
        if (e.get_string().get(m) == simdjson::SUCCESS)
            return metinGirdisi(p, adi(m));
        break;
    }
    case Tur::Nesne:
        if (e.is_object() || e.is_array()) {
            if (std::optional<Nesne> n = jsonic::nesneOku(e, p.sinif))
                return std::move(*n);
            return std::monostate();
        }
        break;
    case Tur::Tablo:
        if (e.is_object())
            return tabloOku(simdjson::to_string(e));
        break;
    case Tur::Akis:
        if (e.is_array()) {
            QByteArray veri;
            const dom::array dizi = e.get_array().value_unsafe();
            for (const dom::element b : dizi) {
                std::int64_t n = -1;
                if (b.get_int64().get(n) != simdjson::SUCCESS || n < 0 || n > 255)
                    girdiHatasi(p);
                veri.append(static_cast<char>(n));
            }
            return veri;
        }
        break;
    case Tur::JsonDizi:
        if (e.is_array())
            return jsonDizisi(simdjson::to_string(e));
        break;
    case Tur::GeriCagirma:
        return std::monostate(); // callbacks have no channel over this transport
    case Tur::Yok:
        break;
    }
    girdiHatasi(p);
}

std::vector<const Parametre *> girdiler(const Metot &m)
{
    std::vector<const Parametre *> sonuc;
    for (const Parametre &p : m.parametreler) {
        if (p.yon == Yon::Girdi)
            sonuc.push_back(&p);
    }
    return sonuc;
}

} // namespace

std::string cagriYolu(const Metot &metot, std::string_view baglam)
{
    std::string yol = "/";
    yol += baglam;
    yol += "/rest/TServerMethods1/%22";
    yol += metot.ad;
    yol += "%22/";
    return yol;
}

std::string istekGovdesi(const Metot &metot, std::span<const Deger> degerler)
{
    Q_UNUSED(metot);
    JsonYazici y(256);
    y.nesneBasla().anahtar("_parameters").diziBasla();
    for (const Deger &d : degerler)
        std::visit(DegerYazici {y}, d);
    y.diziBitir().nesneBitir();
    return y.al();
}

std::vector<Deger> cevapOku(const Metot &metot, std::string_view govde)
{
    const simdjson::padded_string dolgulu(govde);
    return jsonic::dolguluCevapOku(metot, dolgulu);
}

namespace jsonic {

std::vector<Deger> dolguluCevapOku(const Metot &metot, std::string_view govde)
{
    // Replies of ordinary size reuse the thread's parser and its memory; a
    // large one gets a parser of its own, whose memory goes with it.
    constexpr std::size_t tekrarSiniri = 4 * 1024 * 1024;
    thread_local od::parser ortak;
    thread_local bool ortakKullanimda = false;
    std::optional<od::parser> kendi;
    const bool ortakla = govde.size() <= tekrarSiniri && !ortakKullanimda;
    od::parser &ayristirici = ortakla ? ortak : kendi.emplace();
    struct Birak
    {
        bool &kullanimda;
        bool onceki;
        ~Birak() { kullanimda = onceki; }
    } birak {ortakKullanimda, ortakKullanimda};
    ortakKullanimda = ortakKullanimda || ortakla;

    od::document belge =
        al(ayristirici.iterate(simdjson::padded_string_view(
               govde.data(), govde.size(), govde.size() + simdjson::SIMDJSON_PADDING)),
           "cevap");
    od::object kok = al(belge.get_object(), "cevap");
    std::vector<Deger> ciktilar;
    bool sonucVar = false;
    const int beklenen = metot.ciktiSayisi();
    for (auto alanSonucu : kok) {
        od::field alan = al(std::move(alanSonucu), "cevap");
        const std::string_view anahtar = al(alan.unescaped_key(), "cevap");
        if (anahtar == "error" || anahtar == "SessionExpired") {
            std::string_view m;
            throw UzakHata(UzakHata::Tur::Sunucu,
                           alan.value().get_string().get(m) == simdjson::SUCCESS
                               ? metin(m)
                               : u"Sunucu hatası"_s);
        }
        if (anahtar != "result")
            continue;
        if (sonucVar)
            cevapHatasi(u"Cevapta iki sonuç var"_s);
        sonucVar = true;
        ciktilar.reserve(static_cast<std::size_t>(beklenen));
        for (auto degerSonucu : al(alan.value().get_array(), "sonuç")) {
            const int i = static_cast<int>(ciktilar.size());
            if (i == beklenen)
                cevapHatasi(u"Cevapta %1 değerden fazlası var"_s.arg(beklenen));
            ciktilar.push_back(ciktiOku(al(std::move(degerSonucu), "sonuç"), metot.cikti(i)));
        }
        if (static_cast<int>(ciktilar.size()) != beklenen) {
            cevapHatasi(
                u"Cevapta %1 değer var, %2 bekleniyordu"_s.arg(ciktilar.size()).arg(beklenen));
        }
    }
    if (!sonucVar)
        cevapHatasi(u"Cevapta sonuç yok"_s);
    return ciktilar;
}

} // namespace jsonic

QString hataMetni(std::string_view govde, long durum)
{
    const QString yedek = u"Sunucu hatası (HTTP %1)"_s.arg(durum);
    dom::parser ayristirici;
    dom::element kok;
    if (ayristirici.parse(govde.data(), govde.size()).get(kok) == simdjson::SUCCESS) {
        std::string_view m;
        if (kok.get_string().get(m) == simdjson::SUCCESS)
            return m.empty() ? yedek : adi(m);
        for (const char *anahtar : {"error", "SessionExpired"}) {
            dom::element e;
            if (kok[anahtar].get(e) != simdjson::SUCCESS)
                continue;
            if (e.get_string().get(m) == simdjson::SUCCESS && !m.empty())
                return adi(m);
            // {"error":{"message":"..."}}
            if (e["message"].get_string().get(m) == simdjson::SUCCESS && !m.empty())
                return adi(m);
        }
        return yedek;
    }
    // Plain text from something in front of the server (a proxy, a gateway).
    const QString duz =
        QString::fromUtf8(govde.data(),
                          static_cast<qsizetype>(std::min<std::size_t>(govde.size(), 300)))
            .simplified();
    if (duz.isEmpty() || duz.startsWith(u'<'))
        return yedek;
    return duz;
}

std::string cevapYaz(const Metot &metot, std::span<const Deger> ciktilar)
{
    Q_UNUSED(metot);
    JsonYazici y(1024);
    y.nesneBasla().anahtar("result").diziBasla();
    for (const Deger &d : ciktilar)
        std::visit(DegerYazici {y}, d);
    y.diziBitir().nesneBitir();
    return y.al();
}

std::string hataYaz(QStringView mesaj)
{
    JsonYazici y(mesaj.size() + 16);
    y.nesneBasla().anahtar("error").metin(mesaj).nesneBitir();
    return y.al();
}

std::vector<Deger> govdeGirdileri(const Metot &metot, std::string_view govde, int dolu)
{
    const std::vector<const Parametre *> hepsi = girdiler(metot);
    std::vector<Deger> sonuc;
    const auto toplam = static_cast<int>(hepsi.size());
    auto fazla = [&] {
        jsonic::cevapHatasi(
            u"%1 metodu %2 girdi alır, fazlası geldi"_s.arg(adi(metot.ad)).arg(toplam));
    };

    bool bosGovde = true;
    for (const char c : govde)
        bosGovde = bosGovde && (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    if (!bosGovde) {
        dom::parser ayristirici;
        dom::element kok;
        if (ayristirici.parse(govde.data(), govde.size()).get(kok) != simdjson::SUCCESS)
            jsonic::cevapHatasi(u"İstek gövdesi JSON değil"_s);
        dom::object nesne;
        dom::array parametreler;
        if (kok.get_object().get(nesne) == simdjson::SUCCESS && nesne.size() == 1 &&
            nesne["_parameters"].get_array().get(parametreler) == simdjson::SUCCESS) {
            for (const dom::element e : parametreler) {
                const int i = dolu + static_cast<int>(sonuc.size());
                if (i >= toplam)
                    fazla();
                sonuc.push_back(girdiOku(e, *hepsi[static_cast<std::size_t>(i)]));
            }
        } else {
            if (dolu >= toplam)
                fazla();
            sonuc.push_back(girdiOku(kok, *hepsi[static_cast<std::size_t>(dolu)]));
        }
    }
    for (int i = dolu + static_cast<int>(sonuc.size()); i < toplam; ++i)
        sonuc.push_back(bosDeger(hepsi[static_cast<std::size_t>(i)]->tur));
    return sonuc;
}

Deger metinGirdisi(const Parametre &p, QStringView metin)
{
    if (metin == u"null")
        return bosDeger(p.tur);
    switch (p.tur) {
    case Tur::Metin:
        return metin.toString();
    case Tur::Tamsayi:
    case Tur::Tamsayi64: {
        if (metin.compare(u"true", Qt::CaseInsensitive) == 0)
            return tamsayiDegeri(p.tur, 1);
        if (metin.compare(u"false", Qt::CaseInsensitive) == 0)
            return tamsayiDegeri(p.tur, 0);
        bool tamam = false;
        const qlonglong n = metin.trimmed().toLongLong(&tamam);
        if (tamam && tamsayiAraliginda(p.tur, n))
            return tamsayiDegeri(p.tur, n);
        break;
    }
    case Tur::Ondalik: {
        bool tamam = false;
        const double x = metin.trimmed().toDouble(&tamam); // '.' as the decimal point
        if (tamam && std::isfinite(x))
            return x;
        break;
    }
    case Tur::Mantiksal: {
        if (metin.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (metin.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        bool tamam = false;
        const double x = metin.trimmed().toDouble(&tamam);
        if (tamam)
            return x != 0;
        break;
    }
    case Tur::Nesne: {
        const QByteArray json = metin.toUtf8();
        if (std::optional<Nesne> n = nesneOku(
                std::string_view(json.constData(), static_cast<std::size_t>(json.size())), p.sinif))
            return std::move(*n);
        return std::monostate();
    }
    case Tur::GeriCagirma:
        return std::monostate();
    case Tur::Tablo:
    case Tur::Akis:
    case Tur::JsonDizi:
    case Tur::Yok:
        break;
    }
    girdiHatasi(p);
}

Deger bosDeger(Tur tur)
{
    switch (tur) {
    case Tur::Metin:
        return QString();
    case Tur::Tamsayi:
        return qint32(0);
    case Tur::Tamsayi64:
        return qint64(0);
    case Tur::Ondalik:
        return 0.0;
    case Tur::Mantiksal:
        return false;
    default:
        return std::monostate();
    }
}
