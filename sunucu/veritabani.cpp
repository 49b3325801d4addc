#include "sunucu/veritabani.h"

#include <set>

#include "sunucu/vtsuruculeri.h"

VtDeger VtKomutu::deger(int kolon) const
{
    if (bosMu(kolon))
        return {};
    switch (kolonTuru(kolon)) {
    case VtTuru::Tamsayi:
        return tamsayi(kolon);
    case VtTuru::Ondalik:
        return ondalik(kolon);
    case VtTuru::Ikili:
        return ikili(kolon);
    default:
        return metin(kolon);
    }
}

Veritabani::~Veritabani() = default;

VtKomutu &Veritabani::komut(std::string_view sql)
{
    auto bulunan = komutlar_.find(std::string(sql));
    if (bulunan != komutlar_.end())
        return *bulunan->second;
    auto yeni = hazirla(sql);
    VtKomutu &k = *yeni;
    komutlar_.emplace(std::string(sql), std::move(yeni));
    return k;
}

void Veritabani::islem(const std::function<void()> &govde)
{
    // Nested calls join the outer transaction.
    if (islemDerinligi_ > 0) {
        ++islemDerinligi_;
        try {
            govde();
        } catch (...) {
            --islemDerinligi_;
            throw;
        }
        --islemDerinligi_;
        return;
    }
    islemBaslat();
    islemDerinligi_ = 1;
    try {
        govde();
        yurut("COMMIT");
        islemDerinligi_ = 0;
    } catch (...) {
        islemDerinligi_ = 0;
        try {
            yurut("ROLLBACK");
        } catch (const VtHatasi &) {
            // A broken connection has no transaction left to roll back.
        }
        throw;
    }
}

void Veritabani::topluYukle(const std::function<void()> &govde)
{
    if (islemde())
        throw VtHatasi("toplu yükleme başka bir işlemin içinde başlatılamaz");
    try {
        topluYuklemeAyari(true);
        islem([&] {
            const std::vector<VtIndeks> indeksler = ikincilIndeksler();
            for (const VtIndeks &i : indeksler)
                yurut("DROP INDEX " + i.ad);
            govde();
            // Made again unless the load made it itself.
            std::set<std::string> var;
            for (const VtIndeks &i : ikincilIndeksler())
                var.insert(i.ad);
            for (const VtIndeks &i : indeksler) {
                if (!var.count(i.ad))
                    yurut(i.tanim);
            }
        });
    } catch (...) {
        try {
            topluYuklemeAyari(false);
        } catch (const VtHatasi &) {
            // The load's own error is the one to report.
        }
        throw;
    }
    topluYuklemeAyari(false);
}

bool postgresAdresiMi(const QString &adres)
{
    return adres.startsWith(QLatin1String("postgresql://"))
            || adres.startsWith(QLatin1String("postgres://"));
}

std::unique_ptr<Veritabani> veritabaniAc(const QString &adres)
{
    if (adres.isEmpty())
        throw VtHatasi("veritabanı adresi boş");
    return postgresAdresiMi(adres) ? postgresAc(adres) : sqliteAc(adres);
}

VtHavuzu::VtHavuzu(QString adres, int enFazla)
    : adres_(std::move(adres))
    , enFazla_(enFazla < 1 ? 1 : enFazla)
{
}

VtHavuzu::~VtHavuzu() = default;

VtHavuzu::Odunc::Odunc(VtHavuzu &havuz, std::unique_ptr<Veritabani> vt)
    : havuz_(&havuz)
    , vt_(std::move(vt))
{
}

VtHavuzu::Odunc::~Odunc()
{
    if (vt_)
        havuz_->geriVer(std::move(vt_));
}

VtHavuzu::Odunc VtHavuzu::al()
{
    std::unique_lock kilit(kilit_);
    bekleyen_.wait(kilit, [this] { return !bosta_.empty() || acik_ < enFazla_; });
    if (!bosta_.empty()) {
        auto vt = std::move(bosta_.back());
        bosta_.pop_back();
        return Odunc(*this, std::move(vt));
    }
    ++acik_;
    kilit.unlock();
    try {
        return Odunc(*this, veritabaniAc(adres_));
    } catch (...) {
        kilit.lock();
        --acik_;
        bekleyen_.notify_one();
        throw;
    }
}

void VtHavuzu::geriVer(std::unique_ptr<Veritabani> vt)
{
    std::lock_guard kilit(kilit_);
    if (vt->saglam() && !vt->islemde())
        bosta_.push_back(std::move(vt));
    else
        --acik_;
    bekleyen_.notify_one();
}

qint64 vtTamsayi(const VtDeger &d)
{
    if (const auto *i = std::get_if<qint64>(&d))
        return *i;
    if (const auto *o = std::get_if<double>(&d))
        return static_cast<qint64>(*o);
    if (const auto *m = std::get_if<QString>(&d))
        return m->toLongLong();
    return 0;
}

double vtOndalik(const VtDeger &d)
{
    if (const auto *o = std::get_if<double>(&d))
        return *o;
    if (const auto *i = std::get_if<qint64>(&d))
        return static_cast<double>(*i);
    if (const auto *m = std::get_if<QString>(&d))
        return m->toDouble();
    return 0;
}

QString vtMetin(const VtDeger &d)
{
    if (const auto *m = std::get_if<QString>(&d))
        return *m;
    if (const auto *i = std::get_if<qint64>(&d))
        return QString::number(*i);
    if (const auto *o = std::get_if<double>(&d))
        return QString::number(*o, 'g', 15);
    if (const auto *b = std::get_if<QByteArray>(&d))
        return QString::fromUtf8(*b);
    return {};
}
