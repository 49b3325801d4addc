#include "sunucu/dagitici.h"

#include <cmath>
#include <limits>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "remote/jsonyazici.h"
#include "remote/tablojson.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

QString adiMetin(std::string_view ad)
{
    return QString::fromLatin1(ad.data(), static_cast<qsizetype>(ad.size()));
}

[[noreturn]] void gecersiz(const Metot &m, const Parametre &p, const QString &neden)
{
    throw MetotHatasi(u"%1: '%2' parametresi %3"_s.arg(adiMetin(m.ad), adiMetin(p.ad), neden));
}

// Integer text as the URL form carries it: decimal digits with an optional
// sign, or true/false.
std::optional<qint64> tamsayiCoz(const QString &metin)
{
    if (metin.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return 1;
    if (metin.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return 0;
    bool tamam = false;
    const qint64 deger = metin.toLongLong(&tamam, 10);
    return tamam ? std::optional(deger) : std::nullopt;
}

std::optional<double> ondalikCoz(const QString &metin)
{
    bool tamam = false;
    const double deger = metin.toDouble(&tamam); // "." as the decimal separator
    return tamam && std::isfinite(deger) ? std::optional(deger) : std::nullopt;
}

std::optional<bool> mantiksalCoz(const QString &metin)
{
    if (metin.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (metin.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return false;
    if (const auto sayi = tamsayiCoz(metin))
        return *sayi != 0;
    return std::nullopt;
}

Girdi tamsayiDenetle(const Metot &m, const Parametre &p, std::optional<qint64> deger)
{
    if (!deger)
        gecersiz(m, p, u"bir tamsayı olmalı"_s);
    if (p.tur == Tur::Tamsayi
        && (*deger < std::numeric_limits<qint32>::min() || *deger > std::numeric_limits<qint32>::max()))
        gecersiz(m, p, u"32 bitlik tamsayı sınırlarının dışında"_s);
    return *deger;
}

// A value given as text (a path segment, or a JSON string).
Girdi metindenBagla(const Metot &m, const Parametre &p, const QString &metin)
{
    switch (p.tur) {
    case Tur::Metin:
        return metin;
    case Tur::Tamsayi:
    case Tur::Tamsayi64:
        return tamsayiDenetle(m, p, tamsayiCoz(metin));
    case Tur::Ondalik:
        if (const auto d = ondalikCoz(metin))
            return *d;
        gecersiz(m, p, u"bir sayı olmalı (ondalık ayırıcı nokta)"_s);
    case Tur::Mantiksal:
        if (const auto b = mantiksalCoz(metin))
            return *b;
        gecersiz(m, p, u"true ya da false olmalı"_s);
    case Tur::Nesne:
        gecersiz(m, p, u"bir nesne; istek gövdesinde JSON olarak gönderilmeli"_s);
    default:
        gecersiz(m, p, u"bu sunucunun REST ucundan verilemeyen bir türde"_s);
    }
}

// The text of a JSON number as a string parameter gets it.
QString sayiMetni(double d)
{
    if (std::floor(d) == d && std::fabs(d) < 9.0e15)
        return QString::number(static_cast<qint64>(d));
    return QString::number(d, 'g', 17);
}

Girdi jsondanBagla(const Metot &m, const Parametre &p, const QJsonValue &v)
{
    if (v.isNull() || v.isUndefined())
        return {};
    if (v.isString())
        return metindenBagla(m, p, v.toString());
    switch (p.tur) {
    case Tur::Metin:
        if (v.isDouble())
            return sayiMetni(v.toDouble());
        if (v.isBool())
            return v.toBool() ? u"true"_s : u"false"_s;
        gecersiz(m, p, u"bir metin olmalı"_s);
    case Tur::Tamsayi:
    case Tur::Tamsayi64:
        if (v.isBool())
            return qint64(v.toBool() ? 1 : 0);
        if (v.isDouble()) {
            const double d = v.toDouble();
            if (std::floor(d) != d || std::fabs(d) > 9.2e18)
                gecersiz(m, p, u"bir tamsayı olmalı"_s);
            return tamsayiDenetle(m, p, v.toInteger());
        }
        gecersiz(m, p, u"bir tamsayı olmalı"_s);
    case Tur::Ondalik:
        if (v.isDouble())
            return v.toDouble();
        if (v.isBool())
            return v.toBool() ? 1.0 : 0.0;
        gecersiz(m, p, u"bir sayı olmalı"_s);
    case Tur::Mantiksal:
        if (v.isBool())
            return v.toBool();
        if (v.isDouble())
            return v.toDouble() != 0;
        gecersiz(m, p, u"true ya da false olmalı"_s);
    case Tur::Nesne:
        if (v.isObject())
            return NesneJsonu{QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact).toStdString()};
        gecersiz(m, p, u"bir nesne ({\"type\":...,\"id\":...,\"fields\":{...}}) ya da null olmalı"_s);
    default:
        gecersiz(m, p, u"bu sunucunun REST ucundan verilemeyen bir türde"_s);
    }
}

void ciktiYaz(JsonYazici &y, const Cikti &c)
{
    std::visit(
            [&y](const auto &d) {
                using T = std::decay_t<decltype(d)>;
                if constexpr (std::is_same_v<T, std::monostate>)
                    y.bos();
                else if constexpr (std::is_same_v<T, QString>)
                    y.metin(d);
                else if constexpr (std::is_same_v<T, qint64>)
                    y.tamsayi(d);
                else if constexpr (std::is_same_v<T, double>)
                    y.ondalik(d);
                else if constexpr (std::is_same_v<T, bool>)
                    y.mantiksal(d);
                else if constexpr (std::is_same_v<T, QByteArray>)
                    y.baytlar(std::string_view(d.constData(), size_t(d.size())));
                else if constexpr (std::is_same_v<T, BellekTablo>)
                    tabloYaz(y, d);
                else
                    nesneYaz(y, d);
            },
            c);
}

} // namespace

MetotHatasi::MetotHatasi(const QString &ileti)
    : std::runtime_error(ileti.toStdString())
{
}

Cagri::Cagri(const Metot &metot, std::vector<Girdi> girdiler, VtHavuzu *havuz)
    : metot_(metot)
    , girdiler_(std::move(girdiler))
    , ciktilar_(static_cast<size_t>(metot.ciktiSayisi()))
    , havuz_(havuz)
{
}

const Girdi &Cagri::girdi(std::string_view ad) const
{
    for (size_t i = 0; i < metot_.parametreler.size(); ++i) {
        if (metot_.parametreler[i].ad == ad && metot_.parametreler[i].yon == Yon::Girdi)
            return girdiler_[i];
    }
    throw std::logic_error("no input parameter " + std::string(ad) + " in "
                           + std::string(metot_.ad));
}

QString Cagri::metin(std::string_view ad) const
{
    const Girdi &g = girdi(ad);
    return std::holds_alternative<QString>(g) ? std::get<QString>(g) : QString();
}

qint64 Cagri::tamsayi(std::string_view ad) const
{
    const Girdi &g = girdi(ad);
    return std::holds_alternative<qint64>(g) ? std::get<qint64>(g) : 0;
}

double Cagri::ondalik(std::string_view ad) const
{
    const Girdi &g = girdi(ad);
    return std::holds_alternative<double>(g) ? std::get<double>(g) : 0.0;
}

bool Cagri::mantiksal(std::string_view ad) const
{
    const Girdi &g = girdi(ad);
    return std::holds_alternative<bool>(g) && std::get<bool>(g);
}

std::optional<Nesne> Cagri::nesneGirdisi(std::string_view ad, std::string_view sinif) const
{
    const Girdi &g = girdi(ad);
    if (!std::holds_alternative<NesneJsonu>(g))
        return std::nullopt;
    try {
        return nesneOku(std::get<NesneJsonu>(g).metin, sinif);
    } catch (const UzakHata &h) {
        throw MetotHatasi(u"%1: '%2' parametresi okunamadı: %3"_s.arg(
                adiMetin(metot_.ad), adiMetin(ad), h.mesaj()));
    }
}

void Cagri::ciktiYaz(std::string_view ad, Cikti deger)
{
    int sira = 0;
    for (const Parametre &p : metot_.parametreler) {
        if (p.yon != Yon::Cikti)
            continue;
        if (p.ad == ad) {
            ciktilar_[static_cast<size_t>(sira)] = std::move(deger);
            return;
        }
        ++sira;
    }
    throw std::logic_error("no out-parameter " + std::string(ad) + " in " + std::string(metot_.ad));
}

void Cagri::sonucYaz(Cikti deger)
{
    if (metot_.sonuc == Tur::Yok)
        throw std::logic_error(std::string(metot_.ad) + " has no result");
    ciktilar_.back() = std::move(deger);
}

Veritabani &Cagri::vt()
{
    if (!havuz_)
        throw MetotHatasi(u"Sunucunun veritabanı yok"_s);
    if (!vt_)
        vt_.emplace(havuz_->al());
    return **vt_;
}

Dagitici::Dagitici(VtHavuzu *havuz)
    : havuz_(havuz)
    , isleyiciler_(static_cast<size_t>(MetotNo::Sayi))
{
}

void Dagitici::kaydet(MetotNo no, MetotIsleyici isleyici)
{
    isleyiciler_[static_cast<size_t>(no)] = std::move(isleyici);
}

std::vector<Girdi> Dagitici::girdileriBagla(const Metot &metot,
                                            const std::vector<std::optional<QString>> &yoldan,
                                            std::string_view govde)
{
    std::vector<Girdi> girdiler(metot.parametreler.size());
    std::vector<size_t> girdiSirasi;
    for (size_t i = 0; i < metot.parametreler.size(); ++i) {
        if (metot.parametreler[i].yon == Yon::Girdi)
            girdiSirasi.push_back(i);
    }

    // Values from the body: either {"_parameters":[...]} filling the inputs
    // left after the path, or the whole body as the next single input.
    std::vector<QJsonValue> govdeden;
    if (!govde.empty()) {
        QJsonParseError hata{};
        const QJsonDocument belge = QJsonDocument::fromJson(
                QByteArray::fromRawData(govde.data(), static_cast<qsizetype>(govde.size())), &hata);
        const bool parametreDizisi = hata.error == QJsonParseError::NoError && belge.isObject()
                && belge.object().size() == 1 && belge.object().value(u"_parameters"_s).isArray();
        if (parametreDizisi) {
            const QJsonArray dizi = belge.object().value(u"_parameters"_s).toArray();
            govdeden.assign(dizi.begin(), dizi.end());
        } else if (hata.error == QJsonParseError::NoError) {
            govdeden.push_back(belge.isObject() ? QJsonValue(belge.object()) : QJsonValue(belge.array()));
        } else {
            // A bare JSON scalar ("ABC", 42, true) or plain text.
            const QByteArray sarili = "[" + QByteArray(govde.data(), qsizetype(govde.size())) + "]";
            const QJsonDocument tek = QJsonDocument::fromJson(sarili, &hata);
            if (hata.error == QJsonParseError::NoError && tek.array().size() == 1)
                govdeden.push_back(tek.array().first());
            else
                govdeden.push_back(QString::fromUtf8(govde.data(), qsizetype(govde.size())));
        }
    }

    const size_t verilen = yoldan.size() + govdeden.size();
    if (verilen > girdiSirasi.size())
        throw MetotHatasi(u"Server method TServerMethods1.%1 consumed only %2 input parameters out of %3."_s
                                  .arg(adiMetin(metot.ad))
                                  .arg(girdiSirasi.size())
                                  .arg(verilen));
    for (size_t k = 0; k < girdiSirasi.size(); ++k) {
        const size_t i = girdiSirasi[k];
        const Parametre &p = metot.parametreler[i];
        if (k < yoldan.size()) {
            if (yoldan[k])
                girdiler[i] = metindenBagla(metot, p, *yoldan[k]);
        } else if (k - yoldan.size() < govdeden.size()) {
            girdiler[i] = jsondanBagla(metot, p, govdeden[k - yoldan.size()]);
        }
        // Inputs not given stay null.
    }
    return girdiler;
}

Yanit Dagitici::cagir(const RestYolu &yol, std::string_view fiil, std::string_view govde,
                      bool jsonIste) const
{
    try {
        if (yol.sinif.compare(u"DSAdmin"_s, Qt::CaseInsensitive) == 0)
            return yonetimMetodu(yol);
        if (yol.sinif.compare(u"TServerMethods1"_s, Qt::CaseInsensitive) == 0)
            return sunucuMetodu(yol, fiil, govde, jsonIste);
        return hataYaniti(u"%1.%2 method not found in the server method list"_s.arg(yol.sinif, yol.metot));
    } catch (const MetotHatasi &h) {
        return hataYaniti(QString::fromStdString(h.what()));
    } catch (const VtHatasi &h) {
        qWarning("veritabanı hatası: %s", h.what());
        return hataYaniti(u"Sunucuda veritabanı hatası oluştu, lütfen tekrar deneyin."_s);
    }
}

Yanit Dagitici::yonetimMetodu(const RestYolu &yol) const
{
    // The cheap call a client makes to see that the server is there.
    if (yol.metot.compare(u"GetPlatformName"_s, Qt::CaseInsensitive) == 0)
        return {200, JsonYazici().nesneBasla().anahtar("result").diziBasla().metin(u"Linux").diziBitir().nesneBitir().al(), "application/json"};
    return hataYaniti(u"DSAdmin.%1 method not found in the server method list"_s.arg(yol.metot));
}

Yanit Dagitici::sunucuMetodu(const RestYolu &yol, std::string_view fiil, std::string_view govde,
                             bool jsonIste) const
{
    const QByteArray ad = yol.metot.toUtf8();
    const Metot *m = metotBul(std::string_view(ad.constData(), size_t(ad.size())));
    if (!m)
        return hataYaniti(u"TServerMethods1.%1 method not found in the server method list"_s.arg(yol.metot));
    const MetotIsleyici &isleyici = isleyiciler_[static_cast<size_t>(m->no)];
    if (!isleyici)
        return hataYaniti(u"TServerMethods1.%1 bu sunucuda henüz hizmette değil"_s.arg(adiMetin(m->ad)));

    const bool govdeli = fiil == "POST" || fiil == "PUT";
    Cagri cagri(*m, girdileriBagla(*m, yol.parametreler, govdeli ? govde : std::string_view{}),
                havuz_);
    isleyici(cagri);

    Yanit yanit;
    yanit.durum = yol.basariDurumu;
    if (m->yalnizAkisDoner() && !jsonIste) {
        const Cikti &akis = cagri.ciktilar().back();
        if (const auto *b = std::get_if<QByteArray>(&akis))
            yanit.govde.assign(b->constData(), size_t(b->size()));
        yanit.icerikTuru = "application/octet-stream";
        return yanit;
    }
    JsonYazici y(256);
    y.nesneBasla().anahtar("result").diziBasla();
    for (const Cikti &c : cagri.ciktilar())
        ciktiYaz(y, c);
    y.diziBitir().nesneBitir();
    yanit.govde = y.al();
    return yanit;
}

Yanit hataYaniti(const QString &ileti, int durum)
{
    return {durum, JsonYazici().nesneBasla().anahtar("error").metin(ileti).nesneBitir().al(),
            "application/json"};
}
