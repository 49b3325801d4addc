#include "remote/tablo/bellektablo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 gundekiMs = 86'400'000;
// Time-of-day columns carry this date, the zero day of the server's clock.
const QDate saatGunu(1899, 12, 30);

qint64 damga(QDate tarih, QTime saat)
{
    return tarih.toJulianDay() * gundekiMs + (saat.isValid() ? saat.msecsSinceStartOfDay() : 0);
}

QDate damgaTarihi(qint64 d)
{
    qint64 gun = d / gundekiMs;
    if (d % gundekiMs < 0)
        --gun;
    return QDate::fromJulianDay(gun);
}

QTime damgaSaati(qint64 d)
{
    qint64 ms = d % gundekiMs;
    if (ms < 0)
        ms += gundekiMs;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

struct Aralik
{
    qint64 en_kucuk;
    qint64 en_buyuk;
};

Aralik tamsayiAraligi(DbxTipi tip)
{
    switch (tip) {
    case DbxTipi::Int8:
        return {-128, 127};
    case DbxTipi::UInt8:
        return {0, 255};
    case DbxTipi::Int16:
        return {-32768, 32767};
    case DbxTipi::UInt16:
        return {0, 65535};
    case DbxTipi::Int32:
        return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    case DbxTipi::UInt32:
        return {0, std::numeric_limits<quint32>::max()};
    default:
        return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    }
}

// A whole number that fits the column, from a double; none otherwise.
std::optional<qint64> tamKismi(double d, Aralik aralik)
{
    // 2^63 itself does not fit; every double below it converts exactly.
    constexpr double sinir = 9223372036854775808.0;
    if (!std::isfinite(d) || std::trunc(d) != d || d < -sinir || d >= sinir)
        return std::nullopt;
    const auto t = static_cast<qint64>(d);
    if (t < aralik.en_kucuk || t > aralik.en_buyuk)
        return std::nullopt;
    return t;
}

// A cell value read from a QVariant: a whole number, or a double.
struct SayiDegeri
{
    bool tam = true;
    qint64 t = 0;
    double o = 0;
    double ondalik() const { return tam ? static_cast<double>(t) : o; }
};

std::optional<SayiDegeri> sayiOku(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return SayiDegeri {true, v.toLongLong(), 0};
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong u = v.toULongLong();
        if (u > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
            return SayiDegeri {false, 0, static_cast<double>(u)};
        return SayiDegeri {true, static_cast<qint64>(u), 0};
    }
    case QMetaType::Float:
    case QMetaType::Double:
        return SayiDegeri {false, 0, v.toDouble()};
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        bool tamam = false;
        const qint64 t = s.toLongLong(&tamam);
        if (tamam)
            return SayiDegeri {true, t, 0};
        const double o = s.toDouble(&tamam);
        if (tamam)
            return SayiDegeri {false, 0, o};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<bool> mantiksalOku(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(u"true"_s, Qt::CaseInsensitive) == 0 || s == u"1"_s)
            return true;
        if (s.compare(u"false"_s, Qt::CaseInsensitive) == 0 || s == u"0"_s)
            return false;
        return std::nullopt;
    }
    const auto s = sayiOku(v);
    if (!s)
        return std::nullopt;
    return s->tam ? s->t != 0 : s->o != 0;
}

std::optional<qint64> zamanOku(DbxTipi tip, const QVariant &v)
{
    QDate tarih;
    QTime saat(0, 0);
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime z = v.toDateTime();
        tarih = z.date();
        saat = z.time();
        break;
    }
    case QMetaType::QDate:
        tarih = v.toDate();
        break;
    case QMetaType::QTime:
        tarih = saatGunu;
        saat = v.toTime();
        break;
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        QDateTime z = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!z.isValid())
            z = QDateTime::fromString(s, u"yyyy-MM-dd HH:mm:ss"_s);
        if (z.isValid()) {
            tarih = z.date();
            saat = z.time();
        } else if (const QDate d = QDate::fromString(s, Qt::ISODate); d.isValid()) {
            tarih = d;
        } else if (const QTime t = QTime::fromString(s, Qt::ISODateWithMs); t.isValid()) {
            tarih = saatGunu;
            saat = t;
        }
        break;
    }
    default:
        break;
    }
    if (tip == DbxTipi::Time && saat.isValid())
        tarih = saatGunu;
    if (!tarih.isValid() || !saat.isValid())
        return std::nullopt;
    if (tip == DbxTipi::Date)
        saat = QTime(0, 0);
    return damga(tarih, saat);
}

QVariant zamanDegeri(DbxTipi tip, qint64 d)
{
    if (tip == DbxTipi::Date)
        return QVariant(damgaTarihi(d));
    if (tip == DbxTipi::Time)
        return QVariant(damgaSaati(d));
    return QVariant(QDateTime(damgaTarihi(d), damgaSaati(d)));
}

// A value in storage form (as degerDonustur gives it) in the form deger() reads.
QVariant tabloBicimi(DbxTipi tip, const QVariant &v)
{
    if (!v.isValid())
        return v;
    switch (depolamaTuru(tip)) {
    case Depolama::Tamsayi32:
        return QVariant(v.toInt());
    case Depolama::Zaman:
        return zamanDegeri(tip, v.toLongLong());
    default:
        return v;
    }
}

QString ondalikMetni(double d)
{
    return QString::number(d, 'g', 15);
}

} // namespace

std::optional<DbxTipi> dbxTipiBul(int kod)
{
    switch (kod) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 18:
    case 24:
    case 25:
    case 26:
    case 27:
    case 28:
    case 29:
    case 31:
    case 33:
        return static_cast<DbxTipi>(kod);
    default:
        return std::nullopt;
    }
}

Depolama depolamaTuru(DbxTipi tip)
{
    switch (tip) {
    case DbxTipi::Int8:
    case DbxTipi::UInt8:
    case DbxTipi::Int16:
    case DbxTipi::UInt16:
    case DbxTipi::Int32:
        return Depolama::Tamsayi32;
    case DbxTipi::UInt32:
    case DbxTipi::Int64:
        return Depolama::Tamsayi64;
    case DbxTipi::Double:
    case DbxTipi::Single:
    case DbxTipi::Bcd:
    case DbxTipi::Currency:
        return Depolama::Ondalik;
    case DbxTipi::Boolean:
        return Depolama::Mantiksal;
    case DbxTipi::AnsiString:
    case DbxTipi::WideString:
    case DbxTipi::CharArray:
        return Depolama::Metin;
    case DbxTipi::Date:
    case DbxTipi::Time:
    case DbxTipi::DateTime:
    case DbxTipi::TimeStamp:
        return Depolama::Zaman;
    case DbxTipi::Blob:
    case DbxTipi::Bytes:
    case DbxTipi::BinaryBlob:
        return Depolama::Ikili;
    }
    return Depolama::Metin;
}

namespace {

// Large column blocks are mapped directly: faulting them in page by page
// costs more than filling them, notably on virtual machines, where a
// 100,000-row load otherwise spends most of its time in page faults. Blocks
// from 256 KiB are populated in one call; from 2 MiB they are aligned and
// asked for huge pages, so that one fault brings in 2 MiB (and only what is
// touched is used). Small blocks come from the heap.
constexpr size_t buyukBlok = 256 * 1024;
constexpr size_t devBlok = 2 * 1024 * 1024;

size_t eslemeBoyu(size_t bayt)
{
    return bayt >= devBlok ? (bayt + devBlok - 1) / devBlok * devBlok : bayt;
}

void *blokAyir(size_t bayt)
{
#ifdef __linux__
    if (bayt >= devBlok) {
        // Map a little more and cut it down to a 2 MiB boundary.
        const size_t boy = eslemeBoyu(bayt);
        void *ham = mmap(nullptr, boy + devBlok, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (ham == MAP_FAILED)
            return nullptr;
        const auto adres = reinterpret_cast<uintptr_t>(ham);
        const uintptr_t hizali = (adres + devBlok - 1) & ~uintptr_t(devBlok - 1);
        if (hizali > adres)
            munmap(ham, hizali - adres);
        if (const size_t sonrasi = adres + boy + devBlok - (hizali + boy))
            munmap(reinterpret_cast<void *>(hizali + boy), sonrasi);
        void *p = reinterpret_cast<void *>(hizali);
        madvise(p, boy, MADV_HUGEPAGE);
        return p;
    }
    if (bayt >= buyukBlok) {
        void *p = mmap(nullptr, bayt, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        return p == MAP_FAILED ? nullptr : p;
    }
#endif
    return std::malloc(std::max<size_t>(bayt, 1));
}

void blokBirak(void *p, size_t bayt)
{
    if (!p)
        return;
#ifdef __linux__
    if (bayt >= buyukBlok) {
        munmap(p, eslemeBoyu(bayt));
        return;
    }
#endif
    std::free(p);
}

// The allocator of the column vectors.
template<typename T> struct SutunAyirici
{
    using value_type = T;
    SutunAyirici() = default;
    template<typename U> SutunAyirici(const SutunAyirici<U> &) { }
    T *allocate(size_t n)
    {
        if (void *p = blokAyir(n * sizeof(T)))
            return static_cast<T *>(p);
        throw std::bad_alloc();
    }
    void deallocate(T *p, size_t n) { blokBirak(p, n * sizeof(T)); }
    template<typename U> bool operator==(const SutunAyirici<U> &) const { return true; }
};

template<typename T> using Sutun = std::vector<T, SutunAyirici<T>>;

// The characters of one text column, back to back. Grows by doubling and
// never initialises what it is about to overwrite.
class MetinAlani
{
public:
    MetinAlani() = default;
    ~MetinAlani() { blokBirak(veri_, size_t(kapasite_) * sizeof(char16_t)); }
    MetinAlani(const MetinAlani &diger) { ekle(diger.veri_, diger.boyut_); }
    MetinAlani(MetinAlani &&diger) noexcept
        : veri_(std::exchange(diger.veri_, nullptr))
        , boyut_(std::exchange(diger.boyut_, 0))
        , kapasite_(std::exchange(diger.kapasite_, 0))
    {
    }
    MetinAlani &operator=(MetinAlani diger) noexcept
    {
        std::swap(veri_, diger.veri_);
        std::swap(boyut_, diger.boyut_);
        std::swap(kapasite_, diger.kapasite_);
        return *this;
    }

    qsizetype boyut() const { return boyut_; }
    const char16_t *veri() const { return veri_; }

    // Room for n more characters after the end; null when the column would
    // outgrow the 32-bit positions of its rows.
    char16_t *yer(qsizetype n)
    {
        if (boyut_ + n > std::numeric_limits<quint32>::max())
            return nullptr;
        if (boyut_ + n > kapasite_ || !veri_) {
            const qsizetype yeni = std::max<qsizetype>({boyut_ + n, 2 * kapasite_, 256});
            auto *p = static_cast<char16_t *>(blokAyir(size_t(yeni) * sizeof(char16_t)));
            if (!p)
                return nullptr;
            if (boyut_ > 0)
                std::memcpy(p, veri_, size_t(boyut_) * sizeof(char16_t));
            blokBirak(veri_, size_t(kapasite_) * sizeof(char16_t));
            veri_ = p;
            kapasite_ = yeni;
        }
        return veri_ + boyut_;
    }
    void buyut(qsizetype n) { boyut_ += n; }
    bool ekle(const char16_t *s, qsizetype n)
    {
        char16_t *p = yer(n);
        if (!p)
            return false;
        if (n > 0)
            std::memcpy(p, s, size_t(n) * sizeof(char16_t));
        boyut_ += n;
        return true;
    }
    void kirp(qsizetype n) { boyut_ = std::min(boyut_, n); }

private:
    char16_t *veri_ = nullptr;
    qsizetype boyut_ = 0;
    qsizetype kapasite_ = 0;
};

} // namespace

// One column: its definition, one vector for its values, and null flags
// (empty until the first null arrives, then one per value).
struct BellekTablo::Kolon
{
    struct Parca
    {
        quint32 bas;
        quint32 uzunluk;
    };

    KolonTanimi tanim;
    Depolama depolama = Depolama::Metin;
    Aralik aralik {};
    qsizetype adet = 0;

    Sutun<qint32> t32;
    Sutun<qint64> t64; // also the time stamps of Zaman
    Sutun<double> ondalik;
    Sutun<std::uint8_t> mantik;
    MetinAlani metinAlani;
    Sutun<Parca> parcalar;
    qsizetype metinCopu = 0; // characters no row points to any more
    std::vector<QByteArray> ikili;
    Sutun<std::uint8_t> bos;

    explicit Kolon(KolonTanimi t)
        : tanim(std::move(t))
        , depolama(depolamaTuru(tanim.tip))
        , aralik(tamsayiAraligi(tanim.tip))
    {
    }

    bool bosMu(qsizetype satir) const { return !bos.empty() && bos[satir]; }

    void degerEklendi()
    {
        if (!bos.empty())
            bos.push_back(0);
        ++adet;
    }

    void ayir(qsizetype n)
    {
        switch (depolama) {
        case Depolama::Tamsayi32:
            t32.reserve(n);
            break;
        case Depolama::Tamsayi64:
        case Depolama::Zaman:
            t64.reserve(n);
            break;
        case Depolama::Ondalik:
            ondalik.reserve(n);
            break;
        case Depolama::Mantiksal:
            mantik.reserve(n);
            break;
        case Depolama::Metin:
            parcalar.reserve(n);
            break;
        case Depolama::Ikili:
            ikili.reserve(n);
            break;
        }
    }

    // Appends the zero value of the column's type (the value a null holds).
    void sifirEkle()
    {
        switch (depolama) {
        case Depolama::Tamsayi32:
            t32.push_back(0);
            break;
        case Depolama::Tamsayi64:
        case Depolama::Zaman:
            t64.push_back(0);
            break;
        case Depolama::Ondalik:
            ondalik.push_back(0);
            break;
        case Depolama::Mantiksal:
            mantik.push_back(0);
            break;
        case Depolama::Metin:
            parcalar.push_back({0, 0});
            break;
        case Depolama::Ikili:
            ikili.emplace_back();
            break;
        }
    }

    void bosEkle()
    {
        sifirEkle();
        if (bos.empty())
            bos.assign(adet, 0);
        bos.push_back(1);
        ++adet;
    }

    bool metinEkle(QStringView s)
    {
        const qsizetype bas = metinAlani.boyut();
        if (!metinAlani.ekle(s.utf16(), s.size()))
            return false;
        parcalar.push_back({static_cast<quint32>(bas), static_cast<quint32>(s.size())});
        return true;
    }

    bool metinEkleUtf8(QByteArrayView utf8)
    {
        // A UTF-8 text never needs more UTF-16 units than it has bytes.
        const qsizetype bas = metinAlani.boyut();
        char16_t *yer = metinAlani.yer(utf8.size());
        if (!yer)
            return false;
        // Most catalogue texts are plain ASCII: widen them directly.
        qsizetype i = 0;
        const auto *bayt = reinterpret_cast<const unsigned char *>(utf8.data());
        while (i < utf8.size() && bayt[i] < 0x80) {
            yer[i] = bayt[i];
            ++i;
        }
        qsizetype uzunluk = i;
        if (i < utf8.size()) {
            QStringDecoder cozucu(QStringDecoder::Utf8,
                                  QStringDecoder::Flag::Stateless |
                                      QStringDecoder::Flag::ConvertInitialBom);
            QChar *hedef = reinterpret_cast<QChar *>(yer + i);
            const QChar *son = cozucu.appendToBuffer(hedef, utf8.sliced(i));
            uzunluk = i + (son - hedef);
        }
        metinAlani.buyut(uzunluk);
        parcalar.push_back({static_cast<quint32>(bas), static_cast<quint32>(uzunluk)});
        return true;
    }

    QStringView metinGorunumu(qsizetype satir) const
    {
        const Parca p = parcalar[satir];
        return QStringView(metinAlani.veri() + p.bas, p.uzunluk);
    }

    // Drops values appended after the first n rows.
    void kirp(qsizetype n)
    {
        if (adet <= n)
            return;
        t32.resize(std::min<size_t>(t32.size(), n));
        t64.resize(std::min<size_t>(t64.size(), n));
        ondalik.resize(std::min<size_t>(ondalik.size(), n));
        mantik.resize(std::min<size_t>(mantik.size(), n));
        ikili.resize(std::min<size_t>(ikili.size(), n));
        if (parcalar.size() > static_cast<size_t>(n)) {
            // Appended texts lie after everything the kept rows point to.
            metinAlani.kirp(parcalar[n].bas);
            parcalar.resize(n);
        }
        if (!bos.empty())
            bos.resize(n);
        adet = n;
    }

    void temizle()
    {
        t32 = {};
        t64 = {};
        ondalik = {};
        mantik = {};
        metinAlani = MetinAlani();
        parcalar = {};
        metinCopu = 0;
        ikili = {};
        bos = {};
        adet = 0;
    }

    // Writes a value already converted by degerDonustur (null as invalid).
    void yaz(qsizetype satir, const QVariant &deger)
    {
        if (depolama == Depolama::Metin) {
            metinCopu += parcalar[satir].uzunluk;
            parcalar[satir] = {0, 0};
        }
        if (!deger.isValid()) {
            if (bos.empty())
                bos.assign(adet, 0);
            bos[satir] = 1;
            switch (depolama) {
            case Depolama::Tamsayi32:
                t32[satir] = 0;
                break;
            case Depolama::Tamsayi64:
            case Depolama::Zaman:
                t64[satir] = 0;
                break;
            case Depolama::Ondalik:
                ondalik[satir] = 0;
                break;
            case Depolama::Mantiksal:
                mantik[satir] = 0;
                break;
            case Depolama::Metin:
                break;
            case Depolama::Ikili:
                ikili[satir] = QByteArray();
                break;
            }
            return;
        }
        if (!bos.empty())
            bos[satir] = 0;
        switch (depolama) {
        case Depolama::Tamsayi32:
            t32[satir] = static_cast<qint32>(deger.toLongLong());
            break;
        case Depolama::Tamsayi64:
        case Depolama::Zaman:
            t64[satir] = deger.toLongLong();
            break;
        case Depolama::Ondalik:
            ondalik[satir] = deger.toDouble();
            break;
        case Depolama::Mantiksal:
            mantik[satir] = deger.toBool() ? 1 : 0;
            break;
        case Depolama::Metin: {
            const QString metin = deger.toString();
            const QStringView s(metin);
            const qsizetype bas = metinAlani.boyut();
            if (metinAlani.ekle(s.utf16(), s.size()))
                parcalar[satir] = {static_cast<quint32>(bas), static_cast<quint32>(s.size())};
            metinSikistir();
            break;
        }
        case Depolama::Ikili:
            ikili[satir] = deger.toByteArray();
            break;
        }
    }

    // Edits leave old texts behind; rebuild the block once they are the most of it.
    void metinSikistir()
    {
        if (metinCopu < 4096 || metinCopu * 2 < metinAlani.boyut())
            return;
        MetinAlani yeni;
        for (Parca &p : parcalar) {
            const auto bas = static_cast<quint32>(yeni.boyut());
            yeni.ekle(metinAlani.veri() + p.bas, p.uzunluk);
            p.bas = bas;
        }
        metinAlani = std::move(yeni);
        metinCopu = 0;
    }

    // Converts a value to what this column stores (null stays an invalid
    // QVariant); none when it does not fit.
    std::optional<QVariant> degerDonustur(const QVariant &v) const
    {
        if (!v.isValid() || v.isNull())
            return QVariant();
        switch (depolama) {
        case Depolama::Tamsayi32:
        case Depolama::Tamsayi64: {
            const auto s = sayiOku(v);
            if (!s)
                return std::nullopt;
            if (s->tam) {
                if (s->t < aralik.en_kucuk || s->t > aralik.en_buyuk)
                    return std::nullopt;
                return QVariant(s->t);
            }
            const auto t = tamKismi(s->o, aralik);
            return t ? std::optional<QVariant>(QVariant(*t)) : std::nullopt;
        }
        case Depolama::Ondalik: {
            const auto s = sayiOku(v);
            return s ? std::optional<QVariant>(QVariant(s->ondalik())) : std::nullopt;
        }
        case Depolama::Mantiksal: {
            const auto b = mantiksalOku(v);
            return b ? std::optional<QVariant>(QVariant(*b)) : std::nullopt;
        }
        case Depolama::Metin:
            if (!v.canConvert<QString>())
                return std::nullopt;
            return QVariant(v.toString());
        case Depolama::Zaman: {
            const auto d = zamanOku(tanim.tip, v);
            return d ? std::optional<QVariant>(QVariant(*d)) : std::nullopt;
        }
        case Depolama::Ikili:
            if (v.typeId() == QMetaType::QByteArray)
                return v;
            if (v.typeId() == QMetaType::QString)
                return QVariant(v.toString().toUtf8());
            return std::nullopt;
        }
        return std::nullopt;
    }

    // Whether a stored (non-null) cell equals a converted value.
    bool esit(qsizetype satir, const QVariant &aranan) const
    {
        switch (depolama) {
        case Depolama::Tamsayi32:
            return t32[satir] == aranan.toLongLong();
        case Depolama::Tamsayi64:
        case Depolama::Zaman:
            return t64[satir] == aranan.toLongLong();
        case Depolama::Ondalik:
            return ondalik[satir] == aranan.toDouble();
        case Depolama::Mantiksal:
            return (mantik[satir] != 0) == aranan.toBool();
        case Depolama::Metin:
            return metinGorunumu(satir) == aranan.toString();
        case Depolama::Ikili:
            return ikili[satir] == aranan.toByteArray();
        }
        return false;
    }
};

BellekTablo::BellekTablo() = default;

BellekTablo::~BellekTablo()
{
    bildir({TabloDegisikligi::Tur::Yokoluyor});
}

BellekTablo::BellekTablo(const BellekTablo &diger)
    : kolonlar_(diger.kolonlar_)
    , satirSayisi_(diger.satirSayisi_)
    , acik_(diger.acik_)
    , gecerli_(diger.gecerli_)
    , sonda_(diger.sonda_)
{
}

BellekTablo::BellekTablo(BellekTablo &&diger) noexcept
{
    verileriAl(std::move(diger));
}

BellekTablo &BellekTablo::operator=(const BellekTablo &diger)
{
    if (this != &diger) {
        BellekTablo kopya(diger);
        verileriAl(std::move(kopya));
        sifirlandiBildir();
    }
    return *this;
}

BellekTablo &BellekTablo::operator=(BellekTablo &&diger) noexcept
{
    if (this != &diger) {
        verileriAl(std::move(diger));
        diger.sifirlandiBildir();
        sifirlandiBildir();
    }
    return *this;
}

void BellekTablo::verileriAl(BellekTablo &&diger)
{
    kolonlar_ = std::move(diger.kolonlar_);
    satirSayisi_ = std::exchange(diger.satirSayisi_, 0);
    acik_ = std::exchange(diger.acik_, false);
    gecerli_ = std::exchange(diger.gecerli_, 0);
    sonda_ = std::exchange(diger.sonda_, true);
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
    diger.kolonlar_.clear();
    diger.durum_ = Durum::Gezinme;
    diger.bekleyen_.clear();
}

// --- Structure ---

bool BellekTablo::yenidenTanimla(QList<KolonTanimi> kolonlar)
{
    for (qsizetype i = 0; i < kolonlar.size(); ++i) {
        if (kolonlar[i].ad.isEmpty())
            return false;
        for (qsizetype j = 0; j < i; ++j) {
            if (kolonlar[i].ad.compare(kolonlar[j].ad, Qt::CaseInsensitive) == 0)
                return false;
        }
    }
    kolonlar_.clear();
    kolonlar_.reserve(kolonlar.size());
    for (KolonTanimi &k : kolonlar)
        kolonlar_.emplace_back(std::move(k));
    satirSayisi_ = 0;
    acik_ = true;
    gecerli_ = 0;
    sonda_ = true;
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
    sifirlandiBildir();
    return true;
}

int BellekTablo::kolonSayisi() const
{
    return static_cast<int>(kolonlar_.size());
}

const KolonTanimi &BellekTablo::kolon(int kolon) const
{
    static const KolonTanimi yok;
    const Kolon *k = kolonAl(kolon);
    return k ? k->tanim : yok;
}

QList<KolonTanimi> BellekTablo::kolonlar() const
{
    QList<KolonTanimi> sonuc;
    sonuc.reserve(kolonSayisi());
    for (const Kolon &k : kolonlar_)
        sonuc.append(k.tanim);
    return sonuc;
}

int BellekTablo::kolonIndeksi(QStringView ad) const
{
    for (int i = 0; i < kolonSayisi(); ++i) {
        if (ad.compare(kolonlar_[i].tanim.ad, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void BellekTablo::bicimAyarla(int kolon, const QString &bicim)
{
    Kolon *k = kolonAl(kolon);
    if (!k || k->tanim.gorunumBicimi == bicim)
        return;
    k->tanim.gorunumBicimi = bicim;
    if (!kontrollerKapali())
        bildir({TabloDegisikligi::Tur::BicimDegisti, -1, kolon});
}

BellekTablo::Kolon *BellekTablo::kolonAl(int kolon)
{
    return kolon >= 0 && kolon < kolonSayisi() ? &kolonlar_[kolon] : nullptr;
}

const BellekTablo::Kolon *BellekTablo::kolonAl(int kolon) const
{
    return kolon >= 0 && kolon < kolonSayisi() ? &kolonlar_[kolon] : nullptr;
}

const BellekTablo::Kolon *BellekTablo::hucre(qsizetype satir, int kolon) const
{
    if (satir < 0 || satir >= satirSayisi_)
        return nullptr;
    return kolonAl(kolon);
}

// --- State ---

void BellekTablo::ac()
{
    if (acik_)
        return;
    acik_ = true;
    sifirlandiBildir();
}

void BellekTablo::kapat()
{
    for (Kolon &k : kolonlar_)
        k.temizle();
    satirSayisi_ = 0;
    acik_ = false;
    gecerli_ = 0;
    sonda_ = true;
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
    sifirlandiBildir();
}

void BellekTablo::bosalt()
{
    for (Kolon &k : kolonlar_)
        k.temizle();
    satirSayisi_ = 0;
    gecerli_ = 0;
    sonda_ = true;
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
    sifirlandiBildir();
}

// --- Current row ---

void BellekTablo::ilk()
{
    gecerli_ = 0;
    sonda_ = satirSayisi_ == 0;
}

void BellekTablo::son()
{
    gecerli_ = std::max<qsizetype>(satirSayisi_ - 1, 0);
    sonda_ = satirSayisi_ == 0;
}

void BellekTablo::sonraki()
{
    if (gecerli_ + 1 < satirSayisi_)
        ++gecerli_;
    else
        sonda_ = true;
}

void BellekTablo::onceki()
{
    if (gecerli_ > 0)
        --gecerli_;
    sonda_ = satirSayisi_ == 0;
}

bool BellekTablo::satiraGit(qsizetype satir)
{
    if (satir < 0 || satir >= satirSayisi_)
        return false;
    gecerli_ = satir;
    sonda_ = false;
    return true;
}

bool BellekTablo::bul(QStringView alan, const QVariant &deger)
{
    const qsizetype satir = ara(kolonIndeksi(alan), deger);
    return satir >= 0 && satiraGit(satir);
}

qsizetype BellekTablo::ara(int kolon, const QVariant &deger, qsizetype baslangic) const
{
    const Kolon *k = kolonAl(kolon);
    if (!k)
        return -1;
    const auto aranan = k->degerDonustur(deger);
    if (!aranan)
        return -1;
    for (qsizetype s = std::max<qsizetype>(baslangic, 0); s < satirSayisi_; ++s) {
        if (k->bosMu(s) ? !aranan->isValid() : aranan->isValid() && k->esit(s, *aranan))
            return s;
    }
    return -1;
}

// --- Reading ---

bool BellekTablo::bosMu(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    return !k || k->bosMu(satir);
}

QVariant BellekTablo::deger(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return {};
    switch (k->depolama) {
    case Depolama::Tamsayi32:
        return QVariant(static_cast<int>(k->t32[satir]));
    case Depolama::Tamsayi64:
        return QVariant(static_cast<qlonglong>(k->t64[satir]));
    case Depolama::Ondalik:
        return QVariant(k->ondalik[satir]);
    case Depolama::Mantiksal:
        return QVariant(k->mantik[satir] != 0);
    case Depolama::Metin:
        return QVariant(k->metinGorunumu(satir).toString());
    case Depolama::Zaman:
        return zamanDegeri(k->tanim.tip, k->t64[satir]);
    case Depolama::Ikili:
        return QVariant(k->ikili[satir]);
    }
    return {};
}

qint64 BellekTablo::tamsayi(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return 0;
    switch (k->depolama) {
    case Depolama::Tamsayi32:
        return k->t32[satir];
    case Depolama::Tamsayi64:
        return k->t64[satir];
    case Depolama::Ondalik: {
        const double d = std::round(k->ondalik[satir]);
        constexpr double sinir = 9223372036854775807.0;
        return std::isfinite(d) && std::abs(d) < sinir ? static_cast<qint64>(d) : 0;
    }
    case Depolama::Mantiksal:
        return k->mantik[satir];
    case Depolama::Metin: {
        const auto s = sayiOku(QVariant(k->metinGorunumu(satir).toString()));
        if (!s)
            return 0;
        if (s->tam)
            return s->t;
        const double d = std::round(s->o);
        constexpr double sinir = 9223372036854775807.0;
        return std::isfinite(d) && std::abs(d) < sinir ? static_cast<qint64>(d) : 0;
    }
    case Depolama::Zaman:
    case Depolama::Ikili:
        return 0;
    }
    return 0;
}

double BellekTablo::sayi(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return 0;
    switch (k->depolama) {
    case Depolama::Tamsayi32:
        return k->t32[satir];
    case Depolama::Tamsayi64:
        return static_cast<double>(k->t64[satir]);
    case Depolama::Ondalik:
        return k->ondalik[satir];
    case Depolama::Mantiksal:
        return k->mantik[satir];
    case Depolama::Metin: {
        const auto s = sayiOku(QVariant(k->metinGorunumu(satir).toString()));
        return s ? s->ondalik() : 0;
    }
    case Depolama::Zaman:
    case Depolama::Ikili:
        return 0;
    }
    return 0;
}

bool BellekTablo::mantiksal(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return false;
    if (k->depolama == Depolama::Mantiksal)
        return k->mantik[satir] != 0;
    return mantiksalOku(deger(satir, kolon)).value_or(false);
}

QString BellekTablo::metin(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return {};
    switch (k->depolama) {
    case Depolama::Tamsayi32:
        return QString::number(k->t32[satir]);
    case Depolama::Tamsayi64:
        return QString::number(k->t64[satir]);
    case Depolama::Ondalik:
        return ondalikMetni(k->ondalik[satir]);
    case Depolama::Mantiksal:
        return k->mantik[satir] ? u"True"_s : u"False"_s;
    case Depolama::Metin:
        return k->metinGorunumu(satir).toString();
    case Depolama::Zaman: {
        const qint64 d = k->t64[satir];
        const QTime saat = damgaSaati(d);
        if (k->tanim.tip == DbxTipi::Date)
            return damgaTarihi(d).toString(u"yyyy-MM-dd"_s);
        const QString saatMetni = saat.toString(saat.msec() ? u"HH:mm:ss.zzz"_s : u"HH:mm:ss"_s);
        if (k->tanim.tip == DbxTipi::Time)
            return saatMetni;
        return damgaTarihi(d).toString(u"yyyy-MM-dd"_s) + u' ' + saatMetni;
    }
    case Depolama::Ikili:
        return QString::fromUtf8(k->ikili[satir]);
    }
    return {};
}

QDateTime BellekTablo::zaman(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir) || k->depolama != Depolama::Zaman)
        return {};
    const qint64 d = k->t64[satir];
    return QDateTime(damgaTarihi(d), damgaSaati(d));
}

qint64 BellekTablo::zamanDamgasi(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir) || k->depolama != Depolama::Zaman)
        return 0;
    return k->t64[satir];
}

QByteArray BellekTablo::ikili(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->bosMu(satir))
        return {};
    if (k->depolama == Depolama::Ikili)
        return k->ikili[satir];
    return metin(satir, kolon).toUtf8();
}

QStringView BellekTablo::metinGorunumu(qsizetype satir, int kolon) const
{
    const Kolon *k = hucre(satir, kolon);
    if (!k || k->depolama != Depolama::Metin)
        return {};
    return k->metinGorunumu(satir);
}

QVariant BellekTablo::alan(QStringView ad) const
{
    const int kolon = kolonIndeksi(ad);
    if (kolon < 0)
        return {};
    if (durum_ != Durum::Gezinme) {
        for (auto it = bekleyen_.rbegin(); it != bekleyen_.rend(); ++it) {
            if (it->first != kolon)
                continue;
            return tabloBicimi(kolonlar_[kolon].tanim.tip, it->second);
        }
        if (durum_ == Durum::Ekleme)
            return {};
    }
    return deger(gecerli_, kolon);
}

// --- Editing ---

bool BellekTablo::eklemeBekliyor() const
{
    return std::any_of(kolonlar_.begin(), kolonlar_.end(),
                       [this](const Kolon &k) { return k.adet != satirSayisi_; });
}

bool BellekTablo::duzenle()
{
    if (!acik_ || satirSayisi_ == 0 || durum_ != Durum::Gezinme || eklemeBekliyor())
        return durum_ == Durum::Duzenleme;
    durum_ = Durum::Duzenleme;
    bekleyen_.clear();
    return true;
}

bool BellekTablo::satirEkle()
{
    if (!acik_ || durum_ != Durum::Gezinme || eklemeBekliyor())
        return false;
    durum_ = Durum::Ekleme;
    bekleyen_.clear();
    return true;
}

bool BellekTablo::yaz(int kolon, const QVariant &deger)
{
    const Kolon *k = kolonAl(kolon);
    if (!k || durum_ == Durum::Gezinme)
        return false;
    auto donusmus = k->degerDonustur(deger);
    if (!donusmus)
        return false;
    bekleyen_.emplace_back(kolon, std::move(*donusmus));
    return true;
}

bool BellekTablo::yaz(QStringView alan, const QVariant &deger)
{
    return yaz(kolonIndeksi(alan), deger);
}

bool BellekTablo::kaydet()
{
    if (durum_ == Durum::Gezinme)
        return false;
    TabloDegisikligi degisiklik {TabloDegisikligi::Tur::SatirDegisti, gecerli_};
    if (durum_ == Durum::Ekleme) {
        for (Kolon &k : kolonlar_)
            k.bosEkle();
        gecerli_ = satirSayisi_++;
        degisiklik = {TabloDegisikligi::Tur::SatirEklendi, gecerli_};
    }
    for (const auto &[kolon, deger] : bekleyen_)
        kolonlar_[kolon].yaz(gecerli_, deger);
    bekleyen_.clear();
    durum_ = Durum::Gezinme;
    sonda_ = false;
    if (!kontrollerKapali())
        bildir(degisiklik);
    return true;
}

void BellekTablo::vazgec()
{
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
}

// --- Bulk fill ---

void BellekTablo::satirAyir(qsizetype satirSayisi)
{
    for (Kolon &k : kolonlar_)
        k.ayir(satirSayisi);
}

void BellekTablo::metinAyir(int kolon, qsizetype karakter)
{
    Kolon *k = kolonAl(kolon);
    if (k && k->depolama == Depolama::Metin && karakter > 0)
        k->metinAlani.yer(karakter);
}

void BellekTablo::ekleBos(int kolon)
{
    if (Kolon *k = kolonAl(kolon))
        k->bosEkle();
}

bool BellekTablo::ekleTamsayi(int kolon, qint64 deger)
{
    Kolon *k = kolonAl(kolon);
    if (!k)
        return false;
    switch (k->depolama) {
    case Depolama::Tamsayi32:
    case Depolama::Tamsayi64:
        if (deger < k->aralik.en_kucuk || deger > k->aralik.en_buyuk)
            return false;
        if (k->depolama == Depolama::Tamsayi32)
            k->t32.push_back(static_cast<qint32>(deger));
        else
            k->t64.push_back(deger);
        break;
    case Depolama::Ondalik:
        k->ondalik.push_back(static_cast<double>(deger));
        break;
    case Depolama::Mantiksal:
        k->mantik.push_back(deger != 0);
        break;
    default:
        return false;
    }
    k->degerEklendi();
    return true;
}

bool BellekTablo::ekleOndalik(int kolon, double deger)
{
    Kolon *k = kolonAl(kolon);
    if (!k)
        return false;
    if (k->depolama == Depolama::Ondalik) {
        k->ondalik.push_back(deger);
        k->degerEklendi();
        return true;
    }
    if (k->depolama == Depolama::Tamsayi32 || k->depolama == Depolama::Tamsayi64) {
        const auto t = tamKismi(deger, k->aralik);
        return t && ekleTamsayi(kolon, *t);
    }
    return false;
}

bool BellekTablo::ekleMantiksal(int kolon, bool deger)
{
    Kolon *k = kolonAl(kolon);
    if (!k)
        return false;
    if (k->depolama != Depolama::Mantiksal)
        return false;
    k->mantik.push_back(deger);
    k->degerEklendi();
    return true;
}

bool BellekTablo::ekleMetin(int kolon, QStringView deger)
{
    Kolon *k = kolonAl(kolon);
    if (!k || k->depolama != Depolama::Metin || !k->metinEkle(deger))
        return false;
    k->degerEklendi();
    return true;
}

bool BellekTablo::ekleMetinUtf8(int kolon, QByteArrayView utf8)
{
    Kolon *k = kolonAl(kolon);
    if (!k || k->depolama != Depolama::Metin || !k->metinEkleUtf8(utf8))
        return false;
    k->degerEklendi();
    return true;
}

bool BellekTablo::ekleZaman(int kolon, QDate tarih, QTime saat)
{
    Kolon *k = kolonAl(kolon);
    if (!k || k->depolama != Depolama::Zaman)
        return false;
    if (k->tanim.tip == DbxTipi::Time)
        tarih = saatGunu;
    else if (k->tanim.tip == DbxTipi::Date)
        saat = QTime(0, 0);
    if (!tarih.isValid() || !saat.isValid())
        return false;
    k->t64.push_back(damga(tarih, saat));
    k->degerEklendi();
    return true;
}

bool BellekTablo::ekleIkili(int kolon, const QByteArray &deger)
{
    Kolon *k = kolonAl(kolon);
    if (!k || k->depolama != Depolama::Ikili)
        return false;
    k->ikili.push_back(deger);
    k->degerEklendi();
    return true;
}

bool BellekTablo::doldurmayiBitir()
{
    const qsizetype n = kolonlar_.empty() ? satirSayisi_ : kolonlar_.front().adet;
    const bool esit = std::all_of(kolonlar_.begin(), kolonlar_.end(),
                                  [n](const Kolon &k) { return k.adet == n; });
    if (!esit) {
        for (Kolon &k : kolonlar_)
            k.kirp(satirSayisi_);
        return false;
    }
    satirSayisi_ = n;
    acik_ = true;
    durum_ = Durum::Gezinme;
    bekleyen_.clear();
    // A load appends row after row, so the last row is the current one.
    gecerli_ = std::max<qsizetype>(n - 1, 0);
    sonda_ = n == 0;
    sifirlandiBildir();
    return true;
}

// --- Controls and listeners ---

void BellekTablo::kontrolleriKapat()
{
    ++kontrolKapali_;
}

void BellekTablo::kontrolleriAc()
{
    if (kontrolKapali_ == 0)
        return;
    if (--kontrolKapali_ == 0)
        bildir({TabloDegisikligi::Tur::Sifirlandi});
}

BellekTablo::DinleyiciNo BellekTablo::dinle(Dinleyici dinleyici)
{
    const DinleyiciNo no = sonrakiNo_++;
    dinleyiciler_.push_back({no, std::move(dinleyici)});
    return no;
}

void BellekTablo::dinlemeyiBirak(DinleyiciNo no)
{
    auto it = std::find_if(dinleyiciler_.begin(), dinleyiciler_.end(),
                           [no](const Kayit &k) { return k.no == no; });
    if (it == dinleyiciler_.end())
        return;
    if (bildirimDerinligi_ > 0)
        it->dinleyici = nullptr; // removed once the notification ends
    else
        dinleyiciler_.erase(it);
}

void BellekTablo::bildir(const TabloDegisikligi &degisiklik)
{
    ++bildirimDerinligi_;
    for (size_t i = 0; i < dinleyiciler_.size(); ++i) {
        if (dinleyiciler_[i].dinleyici) {
            // A copy: the listener may add or remove listeners meanwhile.
            const Dinleyici dinleyici = dinleyiciler_[i].dinleyici;
            dinleyici(degisiklik);
        }
    }
    if (--bildirimDerinligi_ == 0) {
        std::erase_if(dinleyiciler_, [](const Kayit &k) { return !k.dinleyici; });
    }
}

void BellekTablo::sifirlandiBildir()
{
    if (!kontrollerKapali())
        bildir({TabloDegisikligi::Tur::Sifirlandi});
}
