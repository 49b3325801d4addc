#include "remote/sunucubaglantisi.h"

#include <mutex>
#include <simdjson.h>
#include <thread>

#include <QDebug>

#include "remote/akisokuyucu.h"
#include "remote/httpoturumu.h"
#include "remote/jsonic.h"
#include "remote/kurulum.h"
#include "remote/uzakhata.h"

using namespace Qt::StringLiterals;

namespace {

// A reply this long is not one of ours; reading on would only exhaust memory.
constexpr long long cevapSiniri = 1024LL * 1024 * 1024;

std::mutex kancaKilidi;
BaglantiMesajiKancasi mesajKancasi;
BeklemeKancasi beklemeKancasi;
AgBeklerkenKancasi beklerkenKancasi;

[[noreturn]] void cokBuyuk()
{
    jsonic::cevapHatasi(u"Sunucunun cevabı çok büyük"_s);
}

// A whole reply body, with room for the parser's padding after it.
class GovdeAlici final : public CevapAlici
{
public:
    void boyutBildirildi(long long boyut) override
    {
        if (boyut > cevapSiniri)
            cokBuyuk();
        govde_.reserve(static_cast<std::size_t>(boyut) + simdjson::SIMDJSON_PADDING);
    }

    bool veri(std::string_view parca) override
    {
        if (static_cast<long long>(govde_.size() + parca.size()) > cevapSiniri)
            cokBuyuk();
        govde_ += parca;
        return true;
    }

    std::vector<Deger> oku(const Metot &metot)
    {
        const std::size_t n = govde_.size();
        govde_.resize(n + simdjson::SIMDJSON_PADDING, '\0');
        return jsonic::dolguluCevapOku(metot, std::string_view(govde_.data(), n));
    }

    QByteArray ham() const
    {
        return QByteArray(govde_.data(), static_cast<qsizetype>(govde_.size()));
    }

private:
    std::string govde_;
};

QString kaldirBolu(QString metin)
{
    while (metin.endsWith(u'/'))
        metin.chop(1);
    return metin;
}

} // namespace

SunucuBaglantisi::SunucuBaglantisi()
    : baglantiAdi_(u"DataSnapCONNECTION"_s)
    , surucuAdi_(u"DataSnap"_s)
    , parametreler_ {{u"CommunicationProtocol"_s, u"tcp/ip"_s},
                     {u"DatasnapContext"_s, u"datasnap/"_s},
                     {u"Filters"_s, u"{}"_s},
                     {u"DSProxyPort"_s, u"8094"_s},
                     {u"HostName"_s, {}},
                     {u"Port"_s, u"9090"_s}}
{
}

SunucuBaglantisi::~SunucuBaglantisi() = default;

QString SunucuBaglantisi::parametre(QStringView ad) const
{
    for (const auto &[anahtar, deger] : parametreler_) {
        if (anahtar.compare(ad, Qt::CaseInsensitive) == 0)
            return deger;
    }
    return {};
}

void SunucuBaglantisi::setParametre(const QString &ad, const QString &deger)
{
    for (auto &[anahtar, eski] : parametreler_) {
        if (anahtar.compare(ad, Qt::CaseInsensitive) == 0) {
            eski = deger;
            return;
        }
    }
    parametreler_.append({ad, deger});
}

void SunucuBaglantisi::kurulumAdresiniYaz()
{
    const KurulumDegerleri kurulum = Kurulum();
    setHostName(kurulum.sunucuAdresi);
    setPort(kurulum.port);
}

std::unique_ptr<SunucuBaglantisi> SunucuBaglantisi::CloneConnection() const
{
    auto klon = std::make_unique<SunucuBaglantisi>();
    klon->baglantiAdi_ = baglantiAdi_;
    klon->surucuAdi_ = surucuAdi_;
    klon->parametreler_ = parametreler_;
    if (Connected()) {
        // A clone that cannot open now stays closed: its caller opens it
        // with BaglantiKur, which retries and reports.
        try {
            klon->Open();
        } catch (const UzakHata &) {
            klon->Close();
        }
    }
    return klon;
}

std::string SunucuBaglantisi::adres() const
{
    QString host = kaldirBolu(HostName().trimmed());
    QString sema = u"http"_s;
    for (const QString &on : {u"https://"_s, u"http://"_s}) {
        if (host.startsWith(on, Qt::CaseInsensitive)) {
            sema = on.left(on.size() - 3);
            host = host.mid(on.size());
        }
    }
    // An IPv6 address goes in brackets.
    if (host.count(u':') > 1 && !host.startsWith(u'['))
        host = u'[' + host + u']';
    const QString port = Port().trimmed();
    return QString(sema + u"://"_s + host + (port.isEmpty() ? QString() : u':' + port))
        .toStdString();
}

void SunucuBaglantisi::Open()
{
    if (Connected())
        return;
    if (HostName().trimmed().isEmpty())
        throw UzakHata(UzakHata::Tur::Baglanti, u"Sunucunun adresi verilmemiş"_s);
    const KurulumDegerleri kurulum = Kurulum();
    auto oturum = std::make_unique<HttpOturumu>(
        HttpAyarlari {adres(), kurulum.baglantiZamanAsimiMs, kurulum.okumaZamanAsimiMs});
    oturum->yokla();
    oturum_ = std::move(oturum);
}

void SunucuBaglantisi::Close()
{
    oturum_.reset();
}

std::vector<Deger> SunucuBaglantisi::cagir(const Metot &metot, std::span<const Deger> girdiler,
                                           const AkisIlerlemesi &ilerleme)
{
    return calistir(metot, komutYolu(metot), girdiler, ilerleme);
}

std::string SunucuBaglantisi::komutYolu(const Metot &metot) const
{
    return cagriYolu(metot, kaldirBolu(parametre(u"DatasnapContext")).toStdString());
}

std::vector<Deger> SunucuBaglantisi::calistir(const Metot &metot, const std::string &yol,
                                              std::span<const Deger> girdiler,
                                              const AkisIlerlemesi &ilerleme)
{
    if (!oturum_)
        throw UzakHata(UzakHata::Tur::Baglanti, u"Bağlantı açık değil"_s);
    if (girdiler.size() != static_cast<std::size_t>(metot.girdiSayisi()))
        throw UzakHata(UzakHata::Tur::Cevap,
                       u"%1 metodunun girdileri eksik ya da fazla"_s.arg(QString::fromLatin1(
                           metot.ad.data(), static_cast<qsizetype>(metot.ad.size()))));
    const std::string govde = istekGovdesi(metot, girdiler);

    if (metot.akisDoner()) {
        AkisliCevapOkuyucu okuyucu(metot, ilerleme);
        oturum_->gonder(yol, govde, okuyucu);
        return okuyucu.bitir();
    }
    GovdeAlici alici;
    oturum_->gonder(yol, govde, alici);
    if (metot.yalnizAkisDoner())
        return {alici.ham()};
    return alici.oku(metot);
}

bool BaglantiKur(SunucuBaglantisi &baglanti, int MesajGoster)
{
    baglanti.Close();
    for (int deneme = 0; deneme < baglantiDenemeSayisi && !baglanti.Connected(); ++deneme) {
        try {
            baglanti.Open();
        } catch (const std::exception &) {
            baglanti.Close();
            BeklemeKancasi bekle;
            {
                const std::lock_guard<std::mutex> kilitli(kancaKilidi);
                bekle = beklemeKancasi;
            }
            if (bekle)
                bekle(baglantiBeklemesi);
            else
                std::this_thread::sleep_for(baglantiBeklemesi);
        }
    }
    if (!baglanti.Connected() && MesajGoster == 1) {
        BaglantiMesajiKancasi goster;
        {
            const std::lock_guard<std::mutex> kilitli(kancaKilidi);
            goster = mesajKancasi;
        }
        if (goster)
            goster(baglantiKurulamiyorMesaji);
        else
            qWarning().noquote() << baglantiKurulamiyorMesaji;
    }
    return baglanti.Connected();
}

void baglantiMesajiKancasiKur(BaglantiMesajiKancasi kanca)
{
    const std::lock_guard<std::mutex> kilitli(kancaKilidi);
    mesajKancasi = std::move(kanca);
}

void beklemeKancasiKur(BeklemeKancasi kanca)
{
    const std::lock_guard<std::mutex> kilitli(kancaKilidi);
    beklemeKancasi = std::move(kanca);
}

void agBeklerkenKancasiKur(AgBeklerkenKancasi kanca)
{
    const std::lock_guard<std::mutex> kilitli(kancaKilidi);
    beklerkenKancasi = std::move(kanca);
}

AgBeklerkenKancasi agBeklerkenKancasi()
{
    const std::lock_guard<std::mutex> kilitli(kancaKilidi);
    return beklerkenKancasi;
}
